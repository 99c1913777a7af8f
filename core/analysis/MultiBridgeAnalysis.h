#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "core/analysis/AnalysisFeedback.h"
#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/Stepping.h"

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

    // Entry i belongs to bridge i; after a stop the vector is shorter and holds only
    // bridges that were analysed. GetUsedStepping is then the stepping of the last
    // moving-load analysis that derived it (the given one when none did).
    std::vector<std::shared_ptr<CEnvelopeResults>> Run(const Stepping& stepping, const CAnalysisFeedback& feedback);
    const Stepping& GetUsedStepping() const { return m_UsedStepping; }

    std::shared_ptr<CBridgeSet> m_pBridgeSet;
    std::shared_ptr<CLoadModel> m_pLoadModel;
    std::shared_ptr<CLoadModelEnsemble> m_pLME;
    std::uint32_t m_nBridges = 0;
    AnalysisOptions m_Options;
    Stepping m_UsedStepping;

private:
    std::vector<std::shared_ptr<CEnvelopeResults>> RunParallel(size_t nBridges,
                                                               const std::vector<std::shared_ptr<CLoadModel>>& models,
                                                               const Stepping& stepping,
                                                               const CAnalysisFeedback& feedback);
};
