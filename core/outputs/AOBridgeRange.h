#pragma once
#include "core/outputs/AnalysisOutput.h"

class CBridgeSet;
class CCriticalValueEnsemble;

// A load model or ensemble over every bridge of a set: its critical values.
class CAOBridgeRange : public CAnalysisOutput {
public:
    // pLoadModel: the load model or the ensemble that was run.
    CAOBridgeRange(std::shared_ptr<CCriticalValueEnsemble> pResults, std::shared_ptr<CBridgeSet> pBridgeSet,
                   std::shared_ptr<CElement> pLoadModel);

    std::wstring Describe() const override;

    std::shared_ptr<CElement> GetLoadModel() const { return m_Slot1.Get<CElement>(); }
    std::shared_ptr<CBridgeSet> GetBridgeSet() const { return m_Slot2.Get<CBridgeSet>(); }
};
