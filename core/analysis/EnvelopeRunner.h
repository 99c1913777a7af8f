#pragma once
#include <atomic>
#include <memory>
#include <vector>

#include "core/analysis/AnalysisOptions.h"

class CBridge;
class CLoadModelEnsemble;
class CEnvelopeResults;
class CLoadModel;

// Runs every load model of an ensemble over one bridge and merges their envelopes.
class CEnvelopeRunner {
public:
    CEnvelopeRunner(std::shared_ptr<CBridge> pBridge, std::shared_ptr<CLoadModelEnsemble> pLME,
                    const AnalysisOptions& options);

    // nSteps and stepSize go to every moving-load analysis, which may rewrite them; the
    // caller sees what the last load model left. Posts one progress step per load model.
    // A null flag runs to the end.
    std::shared_ptr<CEnvelopeResults> Run(bool bByStep, int& nSteps, double& stepSize,
                                          const std::atomic<bool>* pbKeepRunning);

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

private:
    std::shared_ptr<CEnvelopeResults> RunParallel(const std::vector<std::shared_ptr<CLoadModel>>& models, size_t n,
                                                  bool bByStep, int& nSteps, double& stepSize,
                                                  const std::atomic<bool>* pbKeepRunning);

    bool m_bKeepModelResults = true;
};
