#include "core/outputs/AOSinglePosition.h"

#include "core/beam/BeamResults.h"
#include "core/bridge/Bridge.h"
#include "core/loads/LoadModel.h"
#include "platform/base/CLocale.h"

CAOSinglePosition::CAOSinglePosition(std::shared_ptr<CBeamResults> pResults, std::shared_ptr<CBridge> pBridge,
                                     std::shared_ptr<CLoadModel> pLoadModel, double position)
    : CAnalysisOutput(AO_SINGLEPOSITION, 1), m_Position(position)
{
    m_Slot1.Set(std::move(pBridge));
    m_Slot2.Set(std::move(pLoadModel));
    m_Slot3.Set(std::move(pResults));
}

std::wstring CAOSinglePosition::Describe() const
{
    const auto bridge = GetBridge();
    const auto lm = GetLoadModel();
    if (!bridge || !lm)
        return {};
    return Join({L"Bridge: " + bridge->GetDescription(), L"Load model: " + lm->GetDescription(),
                 L"Position: " + FormatDoubleCW("%.3f", m_Position) + L" m"});
}
