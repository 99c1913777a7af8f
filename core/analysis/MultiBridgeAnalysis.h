#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/analysis/AnalysisOptions.h"

class CBridgeSet;
class CEnvelopeResults;
class CLoadModel;
class CLoadModelEnsemble;

// Runs a load model ensemble over every bridge of a set: one envelope result per bridge.
class CMultiBridgeAnalysis {
public:
    // Wraps the load model in an ensemble of the analysis's own.
    CMultiBridgeAnalysis(std::shared_ptr<CBridgeSet> pBridgeSet, std::shared_ptr<CLoadModel> pLoadModel,
                         const AnalysisOptions& options);
    CMultiBridgeAnalysis(std::shared_ptr<CBridgeSet> pBridgeSet, std::shared_ptr<CLoadModelEnsemble> pLME,
                         const AnalysisOptions& options);
    virtual ~CMultiBridgeAnalysis() = default;

    // The stepping values at pnSteps and pStepSize are rewritten by every moving-load
    // analysis. Entry i belongs to bridge i; after a stop the vector is shorter and holds
    // only bridges that were analysed. A null flag runs to the end.
    std::vector<std::shared_ptr<CEnvelopeResults>> Run(bool bByStep, int* pnSteps, double* pStepSize,
                                                       const std::atomic<bool>* pbKeepRunning);

    std::shared_ptr<CBridgeSet> m_pBridgeSet;
    std::shared_ptr<CLoadModel> m_pLoadModel;
    std::shared_ptr<CLoadModelEnsemble> m_pLME;
    std::uint32_t m_nBridges = 0;
    AnalysisOptions m_Options;

private:
    std::vector<std::shared_ptr<CEnvelopeResults>> RunParallel(size_t nBridges,
                                                               const std::vector<std::shared_ptr<CLoadModel>>& models,
                                                               bool bByStep, int& nSteps, double& stepSize,
                                                               const std::atomic<bool>* pbKeepRunning);
};
