#pragma once
#include "core/outputs/AnalysisOutput.h"

class CBridge;
class CEnvelopeResults;
class CLoadModel;

// One load model stepped across a bridge.
class CAOMovingLoad : public CAnalysisOutput {
public:
    CAOMovingLoad(std::shared_ptr<CEnvelopeResults> pResults, std::shared_ptr<CBridge> pBridge,
                  std::shared_ptr<CLoadModel> pLoadModel, int nAnalyses);

    std::wstring Describe() const override;

    std::shared_ptr<CBridge> GetBridge() const { return m_Slot1.Get<CBridge>(); }
    std::shared_ptr<CLoadModel> GetLoadModel() const { return m_Slot2.Get<CLoadModel>(); }
};
