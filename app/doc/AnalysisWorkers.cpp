#include "app/doc/AnalysisWorkers.h"

#include "core/analysis/EnvelopeRunner.h"
#include "core/bridge/Bridge.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/analysis/MultiBridgeAnalysis.h"
#include "core/critical/CriticalValueEnsemble.h"
#include "core/outputs/AOMultiMovingLoad.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"
#include "platform/base/CLocale.h"

unsigned int MsgTFMultiML()
{
    static const unsigned int n = RegisterWindowMessage(L"UWM_TF_MULTIML");
    return n;
}

unsigned int MsgTFBridgeRange()
{
    static const unsigned int n = RegisterWindowMessage(L"UWM_TF_BRIDGERANGE");
    return n;
}

unsigned int MsgTFRefValues()
{
    static const unsigned int n = RegisterWindowMessage(L"UWM_TF_REFVALUES");
    return n;
}

unsigned int MsgTFCritRatios()
{
    static const unsigned int n = RegisterWindowMessage(L"UWM_TF_CRITRATIOS");
    return n;
}

std::wstring CurrentExceptionText()
{
    try {
        throw;
    } catch (const std::exception& e) {
        return Utf8ToWide(e.what());
    } catch (...) {
        return L"Unknown error";
    }
}

std::shared_ptr<CReferenceCollection> MakeWorkingCopy(const CReferenceCollection& collection)
{
    auto pWork = std::make_shared<CReferenceCollection>(collection);
    for (auto& pSet : pWork->m_vRefSet)
        if (pSet)
            pSet = std::make_shared<CReferenceSet>(*pSet);
    return pWork;
}

void TakeRunResults(CReferenceCollection& collection, const CReferenceCollection& work)
{
    collection.m_nRefSet = work.m_nRefSet;
    collection.m_vRefSet = work.m_vRefSet;
    collection.m_vCritRatioEnsemble = work.m_vCritRatioEnsemble;
    collection.m_bIsCalculated = work.m_bIsCalculated;
    collection.m_bIsCompared = work.m_bIsCompared;
    collection.m_nStepPoints = work.m_nStepPoints;
    collection.m_StepSize = work.m_StepSize;
    collection.m_Multiplier = work.m_Multiplier;
}

namespace {

// Runs the computation, turns an exception into a failed block, and posts the block
// when the document still waits for it.
template <class Block, class Compute>
void RunWorker(std::unique_ptr<Block> pBlock, unsigned int message, Compute compute)
{
    std::uintptr_t wParam = 0;
    try {
        wParam = compute(*pBlock) ? 1u : 0u;
    } catch (...) {
        pBlock->bFailed = true;
        pBlock->sError = CurrentExceptionText();
    }
    if (!pBlock->pbPost || !pBlock->pbPost->load())
        return; // nobody waits for it any more
    const auto lParam = reinterpret_cast<std::intptr_t>(pBlock.get());
    PostMainWindowMessage(message, wParam, lParam, std::move(pBlock));
}

}

void MultiMovingLoadThreadProc(std::unique_ptr<AnalysisThreadParams> pBlock)
{
    RunWorker(std::move(pBlock), MsgTFMultiML(), [](AnalysisThreadParams& b) {
        CEnvelopeRunner runner(b.pBridge, b.pLME, b.options);
        b.spResults = runner.Run(b.bByStep, b.nSteps, b.dStepSize, b.pbKeepRunning);
        b.spAO = std::make_shared<CAOMultiMovingLoad>(b.spResults, runner.GetResults(), b.pBridge, b.pLME,
                                                      runner.GetNoAnalyses());
        return false;
    });
}

void BridgeRangeThreadProc(std::unique_ptr<BridgeRangeThreadParams> pBlock)
{
    RunWorker(std::move(pBlock), MsgTFBridgeRange(), [](BridgeRangeThreadParams& b) {
        CMultiBridgeAnalysis analysis(b.pBridgeSet, b.pLoadModel, b.options);
        auto vResults = analysis.Run(b.bByStep, &b.nSteps, &b.dStepSize, b.pbKeepRunning);
        b.spCriticalValues = std::make_shared<CCriticalValueEnsemble>(std::move(vResults), b.pBridgeSet);
        return false;
    });
}

void RefCollectionThreadProc(std::unique_ptr<RefCollectionThreadParams> pBlock)
{
    RunWorker(std::move(pBlock), MsgTFRefValues(), [](RefCollectionThreadParams& b) {
        b.bOK = b.pWork->Calculate(b.pbKeepRunning, b.options);
        return b.bOK;
    });
}

void CriticalRatiosThreadProc(std::unique_ptr<RefCollectionThreadParams> pBlock)
{
    RunWorker(std::move(pBlock), MsgTFCritRatios(), [](RefCollectionThreadParams& b) {
        b.bOK = b.pWork->CompareProposed(b.pbKeepRunning, b.dMultiplier, b.options);
        return b.bOK;
    });
}
