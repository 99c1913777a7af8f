#include "core/outputs/AOMultiMovingLoad.h"

#include "core/bridge/Bridge.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModelEnsemble.h"

CAOMultiMovingLoad::CAOMultiMovingLoad(std::shared_ptr<CEnvelopeResults> pResults,
                                       std::vector<std::shared_ptr<CEnvelopeResults>> vModelResults,
                                       std::shared_ptr<CBridge> pBridge, std::shared_ptr<CLoadModelEnsemble> pLME,
                                       int nAnalyses)
    : CAnalysisOutput(AO_MULTIMOVINGLOAD, nAnalyses), m_vModelResults(std::move(vModelResults))
{
    m_Slot1.Set(std::move(pBridge));
    m_Slot2.Set(std::move(pLME));
    m_Slot3.Set(std::move(pResults));
}

std::wstring CAOMultiMovingLoad::Describe() const
{
    return Join({L"Bridge: " + NameOf(GetBridge().get()),
                 L"Load model ensemble: " + NameOf(GetLoadModelEnsemble().get()),
                 L"No. analyses: " + std::to_wstring(m_nAnalyses)});
}
