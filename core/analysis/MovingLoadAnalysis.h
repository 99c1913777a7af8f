#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/analysis/AnalysisOptions.h"

class CBeam;
class CBridge;
class CLoadModel;
class CEnvelopeResults;
class CFastEnvelopeBuilder;
class CFastEnvelopeMerger;

// Drives one load model across one bridge from left to right and folds every position's
// beam results into the bridge's envelopes. The regular steps are shortened so that each
// load stops exactly on the event points, 1 m inside each end of each span.
//
// Positions are computed the fast way (CFastEnvelopeBuilder) unless the beam results of
// every position are kept or the options ask for the literal path; both give the same
// results.
class CMovingLoadAnalysis {
public:
    CMovingLoadAnalysis(std::shared_ptr<CBridge> pBridge, std::shared_ptr<CLoadModel> pLoadModel,
                        const AnalysisOptions& options);
    virtual ~CMovingLoadAnalysis() = default;

    // By step the caller gives the step and gets back the expected count; by count it
    // gives the count and gets back the step. A null flag runs to the end.
    std::shared_ptr<CEnvelopeResults> Analyse(bool bByStep, int& nSteps, double& step,
                                              const std::atomic<bool>* pbKeepRunning);
    std::shared_ptr<CEnvelopeResults> Run(const std::atomic<bool>* pbKeepRunning);
    // As Analyse on the fast path, but the run is merged into the merger (when it reached
    // a position) instead of being returned: for callers that keep only the merged
    // envelopes of several load models.
    void AnalyseInto(CFastEnvelopeMerger& merger, bool bByStep, int& nSteps, double& step,
                     const std::atomic<bool>* pbKeepRunning);
    // As AnalyseInto, but the run is handed back to be merged later.
    std::unique_ptr<CFastEnvelopeBuilder> AnalyseFast(bool bByStep, int& nSteps, double& step,
                                                      const std::atomic<bool>* pbKeepRunning);
    // As AnalyseFast, into a builder that is used again for run after run (its buffers
    // stay); the run is left in it to be merged.
    void AnalyseWith(CFastEnvelopeBuilder& builder, bool bByStep, int& nSteps, double& step,
                     const std::atomic<bool>* pbKeepRunning);
    // Leaves the load model as a complete run leaves it, without solving anything: the
    // bridge rule and the model's update at each position, until they change nothing more
    // (what they do depends only on the model and the bridge). Posts nothing. Throws what
    // the run would throw in those steps.
    void AdvanceModel(bool bByStep, int nSteps, double step);
    // How far the model can advance before one of its loads reaches an event point; a load
    // already standing on one (within 1e-6 m) looks to the next.
    double NextEventDistance(double p) const;

    // Keeps every position's beam results in the envelope results (for showing each position).
    void KeepBeamResults(bool bKeep) { m_bKeepBeamResults = bKeep; }

    // Most (load positions x spans x stations per span) a run may take, 0 for no limit
    // beyond the position and memory limits: a run that the window waits for sets it.
    double m_MostStationVisits = 0.0;

    std::shared_ptr<CBridge> m_pBridge;
    std::shared_ptr<CBeam> m_pBeam;
    std::shared_ptr<CLoadModel> m_pLoadModel;
    std::vector<double> m_vEventPoints;
    bool m_bByStep = true;
    double m_Step = 0.0;
    double m_BeamLength = 0.0;
    double m_LMLength = 0.0;
    std::uint32_t m_nSteps = 0;
    AnalysisOptions m_Options; // its threads are not used: one moving load is one thread's

private:
    // The positions of a run, each handed to analyseAt; the fast and the literal path
    // differ only in what they do at a position.
    template <class AnalyseAt>
    void Step(const std::atomic<bool>* pbKeepRunning, AnalyseAt&& analyseAt);
    size_t PositionBound() const;
    double CountPositions() const;
    void RefuseOversizedRun() const;
    void RefuseNonFinite(bool bFinite) const;
    double m_MaxPositions = 0.0; // what the loop may visit, counted before it starts
    void Prepare(bool bByStep, int& nSteps, double& step);

    bool m_bKeepBeamResults = false;
};
