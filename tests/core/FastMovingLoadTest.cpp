#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "FastPathCases.h"
#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/FastEnvelopeBuilder.h"
#include "core/analysis/MovingLoadAnalysis.h"
#include "RecordingFeedback.h"
#include "TestOptions.h"

using namespace fastcases;

namespace {

struct StepCase {
    std::string name;
    bool bByStep;
    int nSteps;
    double step;
};

std::vector<StepCase> Steppings()
{
    return {{"step 0.5", true, 0, 0.5},
            {"step 0.37", true, 0, 0.37},
            {"20 steps", false, 20, 0.0},
            {"33 steps", false, 33, 0.0}};
}

struct RunOutcome {
    std::shared_ptr<CLoadModel> lm;
    std::shared_ptr<CEnvelopeResults> res;
    int nSteps = 0;
    double step = 0.0;
    unsigned positions = 0;
    std::vector<std::wstring> status;
};

RunOutcome RunOn(AnalysisPath path, const std::shared_ptr<CBridge>& bridge, const CLoadModel& model, const StepCase& s,
                 bool bStopped = false)
{
    RunOutcome r;
    r.lm = std::make_shared<CLoadModel>(model);
    qeltest::RecordingFeedback feedback;
    if (bStopped)
        feedback.RequestStop();
    CMovingLoadAnalysis a(bridge, r.lm, qeltest::TestOptions(path));
    r.res = a.Analyse(::Stepping{.bByStep = s.bByStep, .step = s.step, .nSteps = s.nSteps}, feedback);
    r.nSteps = a.GetUsedStepping()->nSteps;
    r.step = a.GetUsedStepping()->step;
    r.positions = a.m_nSteps;
    r.status = feedback.StatusLines();
    return r;
}

void ExpectSameRuns(const RunOutcome& literal, const RunOutcome& fast, const std::string& what)
{
    EXPECT_EQ(literal.positions, fast.positions) << what;
    EXPECT_EQ(literal.nSteps, fast.nSteps) << what;
    EXPECT_EQ(literal.step, fast.step) << what;
    EXPECT_EQ(literal.status, fast.status) << what << ": status lines";
    ExpectSameResults(*literal.res, *fast.res, {{literal.lm.get(), fast.lm.get()}}, what);
}

TEST(FastMovingLoad, GivesTheLiteralEnvelopesForEveryBridgeModelAndStepping)
{
    for (const BridgeCase& bc : Bridges()) {
        auto bridge = CBridge::Create(1, L"B", bc.config, bc.S);
        for (const ModelCase& mc : Models()) {
            const CLoadModel model = mc.make();
            for (const StepCase& s : Steppings()) {
                const std::string what = bc.name + ", " + mc.name + ", " + s.name;
                const RunOutcome literal = RunOn(AnalysisPath::Literal, bridge, model, s);
                const RunOutcome fast = RunOn(AnalysisPath::Fast, bridge, model, s);
                ExpectSameRuns(literal, fast, what);
                if (::testing::Test::HasFailure())
                    return;
            }
        }
    }
}

TEST(FastMovingLoad, EveryVectorWidthOfTheFoldGivesTheSameEnvelopes)
{
    // Whatever the processor offers, the fold picks the same entries (the machine running
    // the tests may have wider instructions than the one running the program).
    const StepCase s{"step 0.3", true, 0, 0.3};
    for (const BridgeCase& bc : {Bridges()[1], Bridges()[5]}) {
        auto bridge = CBridge::Create(1, L"B", bc.config, bc.S);
        for (const ModelCase& mc : {Models()[0], Models()[4], Models()[8]}) {
            const CLoadModel model = mc.make();
            const RunOutcome literal = RunOn(AnalysisPath::Literal, bridge, model, s);
            for (int widest : {0, 1, 2}) {
                CFastEnvelopeBuilder::LimitVectorWidth(widest);
                const RunOutcome fast = RunOn(AnalysisPath::Fast, bridge, model, s);
                CFastEnvelopeBuilder::LimitVectorWidth(2);
                ExpectSameRuns(literal, fast, bc.name + ", " + mc.name + ", width " + std::to_string(widest));
            }
        }
    }
}

TEST(FastMovingLoad, StopsAtTheSamePositionAsTheLiteralPath)
{
    // A model under a bridge rule reports a status line at every position; the stop comes
    // with the fifth line, during the fifth position.
    auto bridge = CBridge::Create(1, L"B", BC_TWOSPAN, 20.0);
    const CLoadModel model = LaneAndVehicle(BR_A36_DLA);
    std::vector<RunOutcome> runs;
    for (AnalysisPath path : {AnalysisPath::Literal, AnalysisPath::Fast}) {
        qeltest::RecordingFeedback feedback;
        feedback.StopAfterEvents(6); // the first line comes from Analyse itself
        RunOutcome r;
        r.lm = std::make_shared<CLoadModel>(model);
        {
            CMovingLoadAnalysis a(bridge, r.lm, qeltest::TestOptions(path));
            r.res = a.Analyse(Stepping{.bByStep = true, .step = 0.5, .nSteps = 0}, feedback);
            r.nSteps = a.GetUsedStepping()->nSteps;
            r.step = a.GetUsedStepping()->step;
            r.positions = a.m_nSteps;
        }
        runs.push_back(r);
    }
    EXPECT_EQ(runs[0].positions, 5u);
    ExpectSameRuns(runs[0], runs[1], "stopped");
    ASSERT_TRUE(runs[1].res->HasEnvelopes());
    EXPECT_EQ(runs[1].res->GetEnvReaction(0)->m_vMax.size(), 5u);
}

TEST(FastMovingLoad, AClearedFlagGivesTheSameEmptyResults)
{
    auto bridge = CBridge::Create(1, L"B", BC_ONESPAN, 20.0);
    const StepCase s{"step 1", true, 0, 1.0};
    const RunOutcome literal = RunOn(AnalysisPath::Literal, bridge, FiveAxles(), s, true);
    const RunOutcome fast = RunOn(AnalysisPath::Fast, bridge, FiveAxles(), s, true);
    EXPECT_EQ(fast.positions, 0u);
    EXPECT_FALSE(fast.res->HasEnvelopes());
    ExpectSameRuns(literal, fast, "stopped before the first position");
}

TEST(FastMovingLoad, StepsWithoutAllocatingPerPosition)
{
    // The allocations of a run do not grow with its number of positions: a run at a tenth
    // of the step allocates as much as the coarse one.
    auto bridge = CBridge::Create(1, L"B", BC_TWOSPAN, 20.0);
    auto lm = std::make_shared<CLoadModel>(FiveAxles());
    auto count = [&](double step, unsigned& positions) {
        CMovingLoadAnalysis a(bridge, lm, qeltest::TestOptions());
        int n = 0;
        qeltest::AllocationScope scope;
        auto r = a.Analyse(Stepping{.bByStep = true, .step = step, .nSteps = n}, CAnalysisFeedback::None());
        positions = a.m_nSteps;
        return scope.Count();
    };
    unsigned coarse = 0, fine = 0;
    count(1.0, coarse); // the beam's factorisation is kept from here on
    const size_t aCoarse = count(1.0, coarse);
    const size_t aFine = count(0.1, fine);
    EXPECT_GT(fine, 8 * coarse);
    // Per-run allocations: the result's envelopes (one vector per side, one entry per
    // position for the reactions) and the run's buffers.
    EXPECT_EQ(aFine, aCoarse);
}

} // namespace
