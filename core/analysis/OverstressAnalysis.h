#pragma once
#include <memory>
#include <vector>

#include "core/analysis/AnalysisFeedback.h"
#include "core/analysis/AnalysisOptions.h"

class CBridge;
class CBridgeSet;
class CEnvelopeResults;
class CLoadModel;

// Envelopes of the overstress lane load, whose intensity follows the span length, over
// every bridge of a set.
class COverstressAnalysis {
public:
    COverstressAnalysis(std::shared_ptr<CBridgeSet> pBridgeSet, double overstressFactor,
                        const AnalysisOptions& options);

    // One result per bridge analysed, in set order; a status line per bridge. The bridges
    // are analysed side by side; what comes back is what one thread leaves, up to the
    // first bridge it would not have started.
    std::vector<std::shared_ptr<CEnvelopeResults>> Run(const CAnalysisFeedback& feedback);

    // The run of one bridge, with its status line.
    static std::shared_ptr<CEnvelopeResults> AnalyseBridge(const std::shared_ptr<CBridge>& bridge,
                                                           const AnalysisOptions& options,
                                                           const CAnalysisFeedback& feedback);

    // Lane load intensity (kN/m) for a span length (m); NaN gives the top value.
    static double GetOverstressUDL(double spanLength);
    static std::shared_ptr<CLoadModel> MakeOverstressLoadModel(int id);

    std::shared_ptr<CBridgeSet> m_pBridgeSet;
    double m_OverstressFactor = 1.4; // kept for the caller; the run does not use it
    AnalysisOptions m_Options;
};
