#pragma once
// The long analyses, each on a worker thread of its own (CAnalysisRun). The document
// fills a parameter block on the user-interface thread; the work computes on what the
// block holds and puts its results into the block, which the completion handler, back on
// the user-interface thread, moves into the document. The work sees nothing of the
// document but its block.
#include <memory>
#include <string>
#include <vector>

#include "app/doc/AnalysisRun.h"
#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/Stepping.h"

class CBridge;
class CBridgeSet;
class CLoadModel;
class CLoadModelEnsemble;
class CReferenceCollection;
class CEnvelopeResults;
class CCriticalValueEnsemble;
class CAOMultiMovingLoad;

// What every analysis block carries besides its inputs and results.
struct WorkerBlock : CRunBlock {
    explicit WorkerBlock(const AnalysisOptions& o) : options(o) {}

    // Taken from the settings at launch: a change in the settings pane reaches only runs
    // started after it.
    AnalysisOptions options;
};

// Moving load of an ensemble over one bridge.
struct AnalysisThreadParams : WorkerBlock {
    using WorkerBlock::WorkerBlock;
    std::shared_ptr<CBridge> pBridge;
    std::shared_ptr<CLoadModelEnsemble> pLME;
    Stepping stepping;
    bool bDisplayEach = false;

    std::shared_ptr<CEnvelopeResults> spResults;
    std::shared_ptr<CAOMultiMovingLoad> spAO;
};

// One load model over every bridge of a set.
struct BridgeRangeThreadParams : WorkerBlock {
    using WorkerBlock::WorkerBlock;
    std::shared_ptr<CBridgeSet> pBridgeSet;
    std::shared_ptr<CLoadModel> pLoadModel;
    // The document's stepping defaults at launch.
    Stepping stepping;

    // The stepping the run used, with the count or the step it derived: the completion
    // hands it to the document.
    Stepping used;
    std::shared_ptr<CCriticalValueEnsemble> spCriticalValues;
};

// Calculation of a reference collection, or its critical ratios.
struct RefCollectionThreadParams : WorkerBlock {
    using WorkerBlock::WorkerBlock;
    std::shared_ptr<CReferenceCollection> pRefCollection; // the case's collection
    // The worker calculates this copy; the completion assigns it to the case's collection.
    std::shared_ptr<CReferenceCollection> pWork;
    double dMultiplier = 1.0; // critical ratios only
    bool bOK = false;
};

// A copy of a collection that a run may change without touching the original: the
// reference sets are copies too, as the critical ratios are written into them.
std::shared_ptr<CReferenceCollection> MakeWorkingCopy(const CReferenceCollection& collection);

// Moves what a run computed on the working copy into the case's collection; its name,
// inputs and options stay as they are.
void TakeRunResults(CReferenceCollection& collection, const CReferenceCollection& work);

// The progress bar's message: a step (wParam 1) or back to nought (0).
unsigned int MsgPBarUpdate();
// The registered completion messages.
unsigned int MsgTFMultiML();
unsigned int MsgTFBridgeRange();
unsigned int MsgTFRefValues();
unsigned int MsgTFCritRatios();

// The work of each run, on its worker. Each returns whether it ran to its end: the
// ensemble and the bridge range always do (a stop keeps what ran), a collection or its
// ratios not when there is nothing to calculate (bOK).
bool MultiMovingLoadWork(AnalysisThreadParams& b);
bool BridgeRangeWork(BridgeRangeThreadParams& b);
bool RefCollectionWork(RefCollectionThreadParams& b);
bool CriticalRatiosWork(RefCollectionThreadParams& b);
