#include "app/doc/AnalysisWorkers.h"

#include "app/doc/PostingFeedback.h"
#include "core/analysis/EnvelopeRunner.h"
#include "core/bridge/Bridge.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/analysis/MultiBridgeAnalysis.h"
#include "core/critical/CriticalValueEnsemble.h"
#include "core/outputs/AOMultiMovingLoad.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"

unsigned int MsgPBarUpdate()
{
    static const unsigned int n = RegisterWindowMessage(L"UWM_PBAR_UPDATE");
    return n;
}

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
    collection.m_bFromEarlierVersion = work.m_bFromEarlierVersion;
    collection.m_bIsCompared = work.m_bIsCompared;
    collection.m_nStepPoints = work.m_nStepPoints;
    collection.m_StepSize = work.m_StepSize;
    collection.m_Multiplier = work.m_Multiplier;
}

bool MultiMovingLoadWork(AnalysisThreadParams& b)
{
    CEnvelopeRunner runner(b.pBridge, b.pLME, b.options);
    b.spResults = runner.Run(b.stepping, CPostingFeedback(b.pbKeepRunning));
    b.spAO = std::make_shared<CAOMultiMovingLoad>(b.spResults, runner.GetResults(), b.pBridge, b.pLME,
                                                  runner.GetNoAnalyses());
    return true;
}

bool BridgeRangeWork(BridgeRangeThreadParams& b)
{
    CMultiBridgeAnalysis analysis(b.pBridgeSet, b.pLoadModel, b.options);
    auto vResults = analysis.Run(b.stepping, CPostingFeedback(b.pbKeepRunning));
    b.used = analysis.GetUsedStepping();
    b.spCriticalValues = std::make_shared<CCriticalValueEnsemble>(std::move(vResults), b.pBridgeSet);
    return true;
}

bool RefCollectionWork(RefCollectionThreadParams& b)
{
    b.bOK = b.pWork->Calculate(CPostingFeedback(b.pbKeepRunning), b.options);
    return b.bOK;
}

bool CriticalRatiosWork(RefCollectionThreadParams& b)
{
    b.bOK = b.pWork->CompareProposed(CPostingFeedback(b.pbKeepRunning), b.dMultiplier, b.options);
    return b.bOK;
}
