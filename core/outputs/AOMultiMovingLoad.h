#pragma once
#include <vector>

#include "core/outputs/AnalysisOutput.h"

class CBridge;
class CEnvelopeResults;
class CLoadModelEnsemble;

// Every load model of an ensemble stepped across a bridge: the merged envelopes and
// those of each load model.
class CAOMultiMovingLoad : public CAnalysisOutput {
public:
    CAOMultiMovingLoad(std::shared_ptr<CEnvelopeResults> pResults,
                       std::vector<std::shared_ptr<CEnvelopeResults>> vModelResults, std::shared_ptr<CBridge> pBridge,
                       std::shared_ptr<CLoadModelEnsemble> pLME, int nAnalyses);

    std::wstring Describe() const override;

    std::shared_ptr<CBridge> GetBridge() const { return m_Slot1.Get<CBridge>(); }
    std::shared_ptr<CLoadModelEnsemble> GetLoadModelEnsemble() const { return m_Slot2.Get<CLoadModelEnsemble>(); }
    std::vector<std::shared_ptr<CEnvelopeResults>> GetModelResults() const { return m_vModelResults; }

    std::vector<std::shared_ptr<CEnvelopeResults>> m_vModelResults;
};
