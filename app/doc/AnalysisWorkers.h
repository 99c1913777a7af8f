#pragma once
// The long analyses, each on a worker thread of its own. The document fills a parameter
// block on the user-interface thread; the worker computes on what the block holds and
// puts its results into the block, which then travels to the main window as the payload
// of the completion message. The completion handler, back on the user-interface thread,
// moves the results into the document. The worker reads only the document's running and
// post flags, through the block; the document joins it before the flags go away.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/analysis/AnalysisOptions.h"
#include "platform/base/Messages.h"

class CQELDoc;
class CBridge;
class CBridgeSet;
class CLoadModel;
class CLoadModelEnsemble;
class CReferenceCollection;
class CEnvelopeResults;
class CCriticalValueEnsemble;
class CAOMultiMovingLoad;

// What every block carries besides its inputs and results.
struct WorkerBlock : CMessagePayload {
    explicit WorkerBlock(const AnalysisOptions& o) : options(o) {}

    CQELDoc* pDoc = nullptr; // not owned
    // The run's serial: the document takes a completion only for the run it waits for.
    std::uint64_t nRun = 0;
    const std::atomic<bool>* pbKeepRunning = nullptr; // polled by the computation
    const std::atomic<bool>* pbPost = nullptr; // the completion is posted only while set
    // Taken from the settings at launch: a change in the settings pane reaches only runs
    // started after it.
    AnalysisOptions options;
    // An exception ended the run; sError holds its text.
    bool bFailed = false;
    std::wstring sError;
};

// Moving load of an ensemble over one bridge.
struct AnalysisThreadParams : WorkerBlock {
    using WorkerBlock::WorkerBlock;
    std::shared_ptr<CBridge> pBridge;
    std::shared_ptr<CLoadModelEnsemble> pLME;
    bool bByStep = false;
    int nSteps = 0;
    double dStepSize = 0.0;
    bool bDisplayEach = false;

    std::shared_ptr<CEnvelopeResults> spResults;
    std::shared_ptr<CAOMultiMovingLoad> spAO;
};

// One load model over every bridge of a set.
struct BridgeRangeThreadParams : WorkerBlock {
    using WorkerBlock::WorkerBlock;
    std::shared_ptr<CBridgeSet> pBridgeSet;
    std::shared_ptr<CLoadModel> pLoadModel;
    // The document's stepping defaults at launch; the run writes back the derived count
    // or step, which the completion hands to the document.
    bool bByStep = false;
    int nSteps = 0;
    double dStepSize = 0.0;

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

// The text of the exception being handled, for the failure message; call only in a catch.
std::wstring CurrentExceptionText();

// The registered completion messages.
unsigned int MsgTFMultiML();
unsigned int MsgTFBridgeRange();
unsigned int MsgTFRefValues();
unsigned int MsgTFCritRatios();

// The thread procedures. Each owns its block until it posts it; a block whose post flag
// was lowered meanwhile is freed here. An exception is caught and posted as a failure.
void MultiMovingLoadThreadProc(std::unique_ptr<AnalysisThreadParams> pBlock);
void BridgeRangeThreadProc(std::unique_ptr<BridgeRangeThreadParams> pBlock);
void RefCollectionThreadProc(std::unique_ptr<RefCollectionThreadParams> pBlock);
void CriticalRatiosThreadProc(std::unique_ptr<RefCollectionThreadParams> pBlock);
