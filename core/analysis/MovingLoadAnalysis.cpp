#include "core/analysis/MovingLoadAnalysis.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/FastEnvelopeBuilder.h"
#include "core/analysis/FastEnvelopeMerger.h"
#include "core/analysis/PositionLoads.h"
#include "core/analysis/SinglePosAnalysis.h"
#include "core/beam/Beam.h"
#include "core/beam/BeamResults.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/bounds/Bounds.h"
#include "platform/base/CLocale.h"

namespace {

constexpr double kOnPoint = 1e-6;
// No event ahead: a step is never shortened.
constexpr double kNoEvent = std::numeric_limits<double>::infinity();

// "31,000,000", or in powers of ten past what a whole number holds (a step of 1e-300 m).
std::string Grouped(double n)
{
    return WideToUtf8(BoundNumber(n));
}

// Distance from x to the first event point lying more than 1e-6 m ahead of it.
double DistanceToNextEvent(const std::vector<double>& events, double x, double none)
{
    auto it = std::upper_bound(events.begin(), events.end(), x + kOnPoint);
    return it == events.end() ? none : *it - x;
}

} // namespace

CMovingLoadAnalysis::CMovingLoadAnalysis(std::shared_ptr<CBridge> pBridge, std::shared_ptr<CLoadModel> pLoadModel,
                                         const AnalysisOptions& options)
    : m_pBridge(std::move(pBridge)), m_pLoadModel(std::move(pLoadModel)), m_Options(options)
{
    if (!m_pBridge || !m_pBridge->GetBeam() || !m_pLoadModel)
        throw std::invalid_argument("Moving load analysis needs a bridge and a load model");
    m_pBeam = m_pBridge->GetBeam();
    m_vEventPoints = m_pBeam->GetNearSupportPoints();
    // Spans under 2 m give points out of order; the search needs them ascending.
    std::sort(m_vEventPoints.begin(), m_vEventPoints.end());
    m_vEventPoints.erase(std::unique(m_vEventPoints.begin(), m_vEventPoints.end(),
                                     [](double a, double b) { return std::fabs(a - b) < 1e-9; }),
                         m_vEventPoints.end());
    m_BeamLength = m_pBeam->m_Length;
}

std::shared_ptr<CEnvelopeResults> CMovingLoadAnalysis::Analyse(const Stepping& stepping,
                                                               const CAnalysisFeedback& feedback)
{
    Prepare(stepping, feedback);
    return Run(feedback);
}

void CMovingLoadAnalysis::AnalyseInto(CFastEnvelopeMerger& merger, const Stepping& stepping,
                                      const CAnalysisFeedback& feedback)
{
    const std::unique_ptr<CFastEnvelopeBuilder> builder = AnalyseFast(stepping, feedback);
    if (builder->GetPositionCount() > 0)
        merger.Merge(*builder);
}

std::unique_ptr<CFastEnvelopeBuilder> CMovingLoadAnalysis::AnalyseFast(const Stepping& stepping,
                                                                       const CAnalysisFeedback& feedback)
{
    Prepare(stepping, feedback);
    m_nSteps = 0;
    auto builder = std::make_unique<CFastEnvelopeBuilder>(m_pBridge, m_pLoadModel, m_Options.nPointsPerSpan);
    builder->Reserve(PositionBound());
    Step(feedback, [&](double p) { builder->AnalyseAt(p, feedback); });
    RefuseNonFinite(builder->AllFinite());
    return builder;
}

void CMovingLoadAnalysis::AnalyseWith(CFastEnvelopeBuilder& builder, const Stepping& stepping,
                                      const CAnalysisFeedback& feedback)
{
    Prepare(stepping, feedback);
    m_nSteps = 0;
    builder.Restart(m_pBridge, m_pLoadModel, m_Options.nPointsPerSpan);
    builder.Reserve(PositionBound());
    Step(feedback, [&](double p) { builder.AnalyseAt(p, feedback); });
    RefuseNonFinite(builder.AllFinite());
}

void CMovingLoadAnalysis::AdvanceModel(const Stepping& stepping)
{
    const CAnalysisFeedback& silent = CAnalysisFeedback::None(); // the run itself reports what the rule says
    Prepare(stepping, silent);
    m_nSteps = 0;
    CLoadModel& lm = *m_pLoadModel;
    LoadModelRunState before;
    std::atomic<bool> going = true;
    Step(CStopFlagFeedback(going), [&](double) {
        before = lm.RunState();
        PrepareModelAt(lm, m_pBridge, silent);
        if (before == lm.RunState())
            going = false; // every further position would leave it so
    });
}

Stepping CMovingLoadAnalysis::Prepare(const Stepping& given, const CAnalysisFeedback& feedback)
{
    m_Used.reset();
    if (given.bByStep && !(std::isfinite(given.step) && given.step > 0.0))
        throw std::invalid_argument("The step must be a positive number");
    if (!given.bByStep && given.nSteps < 1)
        throw std::invalid_argument("The number of steps must be at least 1");

    // A rule that re-shapes the model (an extra axle) must count in the length of the run.
    if (m_pLoadModel->m_bAdjustToBridge)
        m_pLoadModel->AdjustToBridge(m_pBridge, feedback);
    m_pLoadModel->Update();
    m_LMLength = m_pLoadModel->m_Length;

    Stepping used = given;
    if (given.bByStep) {
        m_bByStep = true;
        m_Step = given.step;
        const double expected = std::ceil((m_BeamLength + m_LMLength) / given.step + 0.5) + 1.0;
        used.nSteps = expected < double(INT_MAX) ? static_cast<int>(expected) : INT_MAX;
    } else {
        m_bByStep = false;
        m_nSteps = static_cast<std::uint32_t>(given.nSteps);
        m_Step = m_BeamLength / m_nSteps;
        if (!(std::isfinite(m_Step) && m_Step > 0.0))
            throw std::invalid_argument("The step must be a positive number");
        used.step = m_Step;
    }
    m_Used = used;
    m_MaxPositions = CountPositions();
    RefuseOversizedRun();
    return used;
}

double CMovingLoadAnalysis::CountPositions() const
{
    // As Step walks: full steps from one step before the bridge until the model has left
    // it, plus at most one shortened step for each load reaching each event point.
    const CLoadModel& lm = *m_pLoadModel;
    const double full = std::ceil((m_LMLength + m_BeamLength + 2.0 * m_Step) / m_Step) + 1.0;
    const double stops = (double(lm.m_nPL) + 2.0 * double(lm.m_nPUDL)) * double(m_vEventPoints.size());
    return full + stops;
}

void CMovingLoadAnalysis::RefuseNonFinite(bool bFinite) const
{
    if (!bFinite)
        throw std::runtime_error(NonFiniteResultsText(*m_pBridge, *m_pLoadModel));
}

void CMovingLoadAnalysis::RefuseOversizedRun() const
{
    const std::string bridge = "bridge \"" + WideToUtf8(m_pBridge->GetDescription()) + "\"";
    const double n = m_MaxPositions;
    if (!(n <= double(Bounds::MaxLoadPositions)))
        throw std::invalid_argument((std::isfinite(n) ? "The step gives " + Grouped(n) + " load positions on "
                                                      : "The step gives too many load positions on ") +
                                    bridge + "; the largest is " + Grouped(double(Bounds::MaxLoadPositions)));
    // Each position keeps its largest and smallest reaction at every support.
    const double bytes = n * (2.0 * double(std::max(m_pBeam->m_nRestraints, 0)) + 1.0) * sizeof(double);
    if (!(bytes <= double(Bounds::MaxResultBytes)))
        throw std::invalid_argument("The results of " + Grouped(n) + " load positions on " + bridge + " need " +
                                    Grouped(std::ceil(bytes / 1048576.0)) + " MB; the largest is " +
                                    Grouped(double(Bounds::MaxResultBytes) / 1048576.0) + " MB");
    const double visits = n * double(m_pBeam->m_vL.size()) * (double(m_Options.nPointsPerSpan) + 3.0);
    if (m_MostStationVisits > 0.0 && !(visits <= m_MostStationVisits))
        throw std::invalid_argument(
            "The step gives " + Grouped(n) + " load positions on " + bridge +
            ", more than one load model's run can take while the window waits (" +
            Grouped(std::floor(m_MostStationVisits /
                               (double(m_pBeam->m_vL.size()) * (double(m_Options.nPointsPerSpan) + 3.0)))) +
            "): choose a larger step, or run the load model in an ensemble, which "
            "runs in the background and can be stopped");
}

std::shared_ptr<CEnvelopeResults> CMovingLoadAnalysis::Run(const CAnalysisFeedback& feedback)
{
    m_nSteps = 0;
    if (m_bKeepBeamResults || m_Options.path == AnalysisPath::Literal) {
        auto results = std::make_shared<CEnvelopeResults>(m_pBridge);
        results->KeepBeamResults(m_bKeepBeamResults);
        CSinglePosAnalysis single(m_pBridge, m_pLoadModel, m_Options);
        bool finite = true;
        Step(feedback, [&](double p) {
            auto r = single.Analyse(p, feedback);
            finite = finite && AllFinite(*r);
            results->AddResults(std::move(r), m_pLoadModel, p);
        });
        RefuseNonFinite(finite);
        return results;
    }
    CFastEnvelopeBuilder builder(m_pBridge, m_pLoadModel, m_Options.nPointsPerSpan);
    builder.Reserve(PositionBound());
    Step(feedback, [&](double p) { builder.AnalyseAt(p, feedback); });
    RefuseNonFinite(builder.AllFinite());
    return builder.TakeResults();
}

template <class AnalyseAt>
void CMovingLoadAnalysis::Step(const CAnalysisFeedback& feedback, AnalyseAt&& analyseAt)
{
    CLoadModel& lm = *m_pLoadModel;
    if (feedback.KeepRunning()) {
        if (lm.m_nPL == 0 && lm.m_nPUDL == 0 && lm.m_nUDL > 0)
            lm.m_bIsMoving = false;
        if (!lm.m_bIsMoving) {
            m_nSteps = 1;
            analyseAt(0.0);
            return;
        }
    }
    if (!(std::isfinite(m_Step) && m_Step > 0.0))
        throw std::invalid_argument("The step must be a positive number");

    const double end = m_LMLength + m_BeamLength + m_Step;
    double p = -m_Step; // every load off the beam to the left
    while (feedback.KeepRunning() && p < end) {
        // Never more than counted: a step too small to move p any more would run forever.
        if (!(double(m_nSteps) < m_MaxPositions))
            throw std::runtime_error("The load positions on bridge \"" + WideToUtf8(m_pBridge->GetDescription()) +
                                     "\" do not reach its end: the step is too small for the bridge's length");
        ++m_nSteps;
        analyseAt(p);
        const double d = NextEventDistance(p);
        if (-kOnPoint < d && d < kOnPoint)
            p += m_Step;
        else
            p += std::min(d, m_Step);
    }
}

size_t CMovingLoadAnalysis::PositionBound() const
{
    // The positions counted by Prepare.
    const double n = m_MaxPositions;
    constexpr double kMostReserved = 1 << 18; // beyond that the buffers grow as they go
    return std::isfinite(n) && n > 0.0 ? static_cast<size_t>(std::min(n, kMostReserved)) : 1;
}

double CMovingLoadAnalysis::NextEventDistance(double p) const
{
    const CLoadModel& lm = *m_pLoadModel;
    if (lm.m_nPL == 0 && lm.m_nPUDL == 0)
        return 0.0;
    const bool reversed = static_cast<int>(lm.m_Direction) == 1;
    double best = kNoEvent;
    for (std::uint32_t i = 0; i < lm.m_nPL; ++i) {
        double x = lm.m_vPL[i].location;
        if (reversed)
            x = -lm.m_Length - x;
        best = std::min(best, DistanceToNextEvent(m_vEventPoints, p + x, kNoEvent));
    }
    for (std::uint32_t i = 0; i < lm.m_nPUDL; ++i) {
        double gamma = 0, magnitude = 0, location = 0, cover = 0;
        lm.GetPartialUDL(i, gamma, magnitude, location, cover);
        const double s = p + location;
        best = std::min(best, DistanceToNextEvent(m_vEventPoints, s, kNoEvent));
        best = std::min(best, DistanceToNextEvent(m_vEventPoints, s + cover, kNoEvent));
    }
    return best;
}
