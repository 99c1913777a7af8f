#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/analysis/AnalysisFeedback.h"
#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/Stepping.h"

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

    // The stepping used (by step with the expected count, by count with the step) is
    // kept: GetUsedStepping.
    std::shared_ptr<CEnvelopeResults> Analyse(const Stepping& stepping, const CAnalysisFeedback& feedback);
    std::shared_ptr<CEnvelopeResults> Run(const CAnalysisFeedback& feedback);
    // As Analyse on the fast path, but the run is merged into the merger (when it reached
    // a position) instead of being returned: for callers that keep only the merged
    // envelopes of several load models.
    void AnalyseInto(CFastEnvelopeMerger& merger, const Stepping& stepping, const CAnalysisFeedback& feedback);
    // As AnalyseInto, but the run is handed back to be merged later.
    std::unique_ptr<CFastEnvelopeBuilder> AnalyseFast(const Stepping& stepping, const CAnalysisFeedback& feedback);
    // As AnalyseFast, into a builder that is used again for run after run (its buffers
    // stay); the run is left in it to be merged.
    void AnalyseWith(CFastEnvelopeBuilder& builder, const Stepping& stepping, const CAnalysisFeedback& feedback);
    // Leaves the load model as a complete run leaves it, without solving anything: the
    // bridge rule and the model's update at each position, until they change nothing more
    // (what they do depends only on the model and the bridge). Reports nothing: the run
    // itself reports what the rule says. Throws what the run would throw in those steps.
    void AdvanceModel(const Stepping& stepping);
    // The stepping of the last run with its derived value, from the moment it was derived
    // (a run that fails later keeps it); none before that.
    const std::optional<Stepping>& GetUsedStepping() const { return m_Used; }
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
    void Step(const CAnalysisFeedback& feedback, AnalyseAt&& analyseAt);
    size_t PositionBound() const;
    double CountPositions() const;
    void RefuseOversizedRun() const;
    void RefuseNonFinite(bool bFinite) const;
    double m_MaxPositions = 0.0; // what the loop may visit, counted before it starts
    // Checks the stepping, applies the bridge rule once and derives what the stepping
    // leaves open; returns the stepping used.
    Stepping Prepare(const Stepping& given, const CAnalysisFeedback& feedback);
    std::optional<Stepping> m_Used;

    bool m_bKeepBeamResults = false;
};
