#pragma once
#include <memory>
#include <vector>

#include "core/analysis/AnalysisOptions.h"

class CAnalysisFeedback;
class CBeam;
class CBeamResults;
class CBridge;
class CLoad;
class CLoadModel;

// One load model standing at one position on one bridge: the model's loads become loads
// on the beam's spans, the beam is solved, and the effects the model does not count for
// are zeroed.
//
// Analyse writes the load model (bridge rule, Update), so one model must not be analysed
// by two threads at once.
class CSinglePosAnalysis {
public:
    // Takes the points per span of the options.
    CSinglePosAnalysis(std::shared_ptr<CBridge> pBridge, std::shared_ptr<CLoadModel> pLoadModel,
                       const AnalysisOptions& options);
    virtual ~CSinglePosAnalysis();
    CSinglePosAnalysis(const CSinglePosAnalysis&) = delete;
    CSinglePosAnalysis& operator=(const CSinglePosAnalysis&) = delete;

    // position: beam coordinate (m) of the model's reference point, location 0. The
    // bridge rule reports to the feedback.
    std::shared_ptr<CBeamResults> Analyse(double position, const CAnalysisFeedback& feedback);

    std::shared_ptr<CBridge> m_pBridge;
    std::shared_ptr<CBeam> m_pBeam;
    std::shared_ptr<CLoadModel> m_pLoadModel;
    std::vector<std::unique_ptr<CLoad>> m_vLoads; // only during Analyse
    int m_nPoints = 0;                            // segments per span

private:
    std::vector<CLoad*> m_vLoadPtrs; // scratch for the solver, kept for its capacity
};
