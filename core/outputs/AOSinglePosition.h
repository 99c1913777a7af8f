#pragma once
#include "core/outputs/AnalysisOutput.h"

class CBeamResults;
class CBridge;
class CLoadModel;

// A load model standing at one position on a bridge.
class CAOSinglePosition : public CAnalysisOutput {
public:
    CAOSinglePosition(std::shared_ptr<CBeamResults> pResults, std::shared_ptr<CBridge> pBridge,
                      std::shared_ptr<CLoadModel> pLoadModel, double position);

    std::wstring Describe() const override;

    std::shared_ptr<CBridge> GetBridge() const { return m_Slot1.Get<CBridge>(); }
    std::shared_ptr<CLoadModel> GetLoadModel() const { return m_Slot2.Get<CLoadModel>(); }
    double GetPosition() const { return m_Position; }

    double m_Position = 0.0;
};
