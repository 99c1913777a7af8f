#include "core/outputs/AOMovingLoad.h"

#include "core/bridge/Bridge.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"

CAOMovingLoad::CAOMovingLoad(std::shared_ptr<CEnvelopeResults> pResults, std::shared_ptr<CBridge> pBridge,
                             std::shared_ptr<CLoadModel> pLoadModel, int nAnalyses)
    : CAnalysisOutput(AO_MOVINGLOAD, nAnalyses)
{
    m_Slot1.Set(std::move(pBridge));
    m_Slot2.Set(std::move(pLoadModel));
    m_Slot3.Set(std::move(pResults));
}

std::wstring CAOMovingLoad::Describe() const
{
    return Join({L"Bridge: " + NameOf(GetBridge().get()), L"Load model: " + NameOf(GetLoadModel().get()),
                 L"No. analyses: " + std::to_wstring(m_nAnalyses)});
}
