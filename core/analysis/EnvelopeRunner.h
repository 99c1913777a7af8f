#pragma once
#include <memory>
#include <vector>

#include "core/analysis/AnalysisFeedback.h"
#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/Stepping.h"

class CBridge;
class CLoadModelEnsemble;
class CEnvelopeResults;
class CLoadModel;

// Runs every load model of an ensemble over one bridge and merges their envelopes.
class CEnvelopeRunner {
public:
    CEnvelopeRunner(std::shared_ptr<CBridge> pBridge, std::shared_ptr<CLoadModelEnsemble> pLME,
                    const AnalysisOptions& options);

    // The stepping goes to every moving-load analysis; GetUsedStepping is then the one
    // the last load model that derived it used (the given one when none did). One step of
    // progress per load model.
    std::shared_ptr<CEnvelopeResults> Run(const Stepping& stepping, const CAnalysisFeedback& feedback);
    const Stepping& GetUsedStepping() const { return m_UsedStepping; }

    std::vector<std::shared_ptr<CEnvelopeResults>> GetResults() const { return m_vResults; }
    // Whether Run keeps the result of each load model (GetResults); a caller that reads
    // only the merged result turns it off, which lets the fast path skip building them.
    void KeepModelResults(bool bKeep) { m_bKeepModelResults = bKeep; }
    int GetNoAnalyses() const { return m_nAnalyses; }

    std::shared_ptr<CBridge> m_pBridge;
    std::shared_ptr<CLoadModelEnsemble> m_pLME;
    std::shared_ptr<CEnvelopeResults> m_pResults;
    std::vector<std::shared_ptr<CEnvelopeResults>> m_vResults; // only runs that analysed a position
    int m_nLoadModels = 0;
    int m_nAnalyses = 0;
    AnalysisOptions m_Options;
    Stepping m_UsedStepping;

private:
    std::shared_ptr<CEnvelopeResults> RunParallel(const std::vector<std::shared_ptr<CLoadModel>>& models, size_t n,
                                                  const Stepping& stepping, const CAnalysisFeedback& feedback);

    bool m_bKeepModelResults = true;
};
