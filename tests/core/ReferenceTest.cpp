#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "AnalysisTestUtil.h"
#include "ArchiveTestUtil.h"
#include "core/bridge/BridgeSet.h"
#include "core/critical/CriticalRatioEnsemble.h"
#include "core/critical/CriticalValueEnsemble.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"
#include "platform/base/Messages.h"
#include "TestOptions.h"

namespace {

using qeltest::OneSpanSet;
using qeltest::PointLoad;

// Lowers the flag, and stops the run, after n progress steps.
class StopAfter : public qeltest::RecordingFeedback {
public:
    StopAfter(std::atomic<bool>& flag, int n) : RecordingFeedback(&flag, n) {}
};

std::shared_ptr<CLoadModelEnsemble> Ensemble(std::vector<std::shared_ptr<CLoadModel>> models,
                                             const wchar_t* name = L"Reference")
{
    auto lme = std::make_shared<CLoadModelEnsemble>(1, name);
    for (auto& m : models)
        lme->AddLoadModel(m);
    return lme;
}

std::vector<double> MomentMaxima(const std::shared_ptr<CCriticalValueEnsemble>& ens)
{
    std::vector<double> mx, mn;
    ens->GetMomentValues(mx, mn);
    return mx;
}

void ExpectNear(const std::vector<double>& got, const std::vector<double>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_NEAR(got[i], want[i], 1e-6) << "bridge " << i;
}

const double kL[] = {10.0, 20.0, 30.0};
const double kW[] = {16.0, 17.0 + 2.0 / 3, 19.0}; // overstress lane loads of those spans

} // namespace

TEST(ReferenceSet, WithoutOverstressTheReferenceIsTheLiveLoad)
{
    auto set = OneSpanSet();
    CReferenceSet rs(false, set, Ensemble({PointLoad(100.0)}), 1.4);
    int nSteps = 0;
    double step = 1.0;
    rs.Calculate(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None(),
                 qeltest::TestOptions());
    EXPECT_TRUE(rs.m_bIsCalculated);
    EXPECT_TRUE(rs.m_vOverstressCritEnv.empty());
    EXPECT_EQ(rs.m_vRefCritEnv, rs.m_vLiveLoadCritEnv); // the same objects
    ExpectNear(MomentMaxima(rs.GetRefCritEnsemble()), {250.0, 500.0, 750.0});
    EXPECT_EQ(rs.GetRefCritEnsemble()->GetBridgeSet(), set);
}

// Reference = 0.4 x overstress + 1.4 x live load, station by station. Both peak at
// midspan: 0.4 w L^2 / 8 + 1.4 P L / 4; L = 10: 0.4 x 200 + 1.4 x 250 = 430.
// Reactions: the lane load's w L / 2 is added to every position of the moving load, whose
// largest reaction is P, with the load on the support; L = 10: 0.4 x 80 + 1.4 x 100 = 172.
TEST(ReferenceSet, OverstressCombinesWithTheLiveLoad)
{
    auto set = OneSpanSet();
    CReferenceSet rs(true, set, Ensemble({PointLoad(100.0)}), 1.4);
    int nSteps = 0;
    double step = 1.0;
    SetMainWindowMessageSink(nullptr);
    rs.Calculate(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None(),
                 qeltest::TestOptions());
    ASSERT_EQ(rs.m_vOverstressCritEnv.size(), 3u);
    ASSERT_EQ(rs.m_vRefCritEnv.size(), 3u);
    std::vector<double> moments, reactions;
    for (int i = 0; i < 3; ++i) {
        moments.push_back(0.4 * kW[i] * kL[i] * kL[i] / 8.0 + 1.4 * 100.0 * kL[i] / 4.0);
        reactions.push_back(0.4 * kW[i] * kL[i] / 2.0 + 1.4 * 100.0);
    }
    ExpectNear(MomentMaxima(rs.GetRefCritEnsemble()), moments);
    EXPECT_NEAR(moments[0], 430.0, 1e-9);
    std::vector<double> mx, mn;
    rs.GetRefCritEnsemble()->GetReactionValues(0, mx, mn);
    ExpectNear(mx, reactions);
    EXPECT_NEAR(reactions[0], 172.0, 1e-9);
    // The live-load envelopes themselves are left as they were.
    EXPECT_NEAR(rs.m_vLiveLoadCritEnv[0]->GetEnvBMD()->GetMaxEffect().val, 250.0, 1e-6);

    // Factor 1: the overstress term is scaled by 0.
    CReferenceSet one(true, set, Ensemble({PointLoad(100.0)}), 1.0);
    one.Calculate(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None(),
                  qeltest::TestOptions());
    ExpectNear(MomentMaxima(one.GetRefCritEnsemble()), {250.0, 500.0, 750.0});
    one.GetRefCritEnsemble()->GetReactionValues(1, mx, mn);
    ExpectNear(mx, {100.0, 100.0, 100.0});
}

// A live model whose lane load (w = 10) loads the supports at every position, the first
// included: its largest end reaction is w L / 2 + P (the axle on the support), and the
// reference adds 0.4 x the overstress reaction to it once. L = 10: 0.4 x 80 + 1.4 x (50 + 100) = 242.
TEST(ReferenceSet, OverstressAddsOnceToALiveLoadThatLoadsTheSupportsThroughout)
{
    auto lane = std::make_shared<CLoadModel>(1, L"Lane and axle");
    lane->AddPointLoad(100.0, 0.0, 0.0);
    lane->AddUDL(10.0);
    CReferenceSet rs(true, OneSpanSet(), Ensemble({lane}), 1.4);
    int nSteps = 0;
    double step = 1.0;
    SetMainWindowMessageSink(nullptr);
    rs.Calculate(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None(),
                 qeltest::TestOptions());
    std::vector<double> want;
    for (int i = 0; i < 3; ++i)
        want.push_back(0.4 * kW[i] * kL[i] / 2.0 + 1.4 * (10.0 * kL[i] / 2.0 + 100.0));
    EXPECT_NEAR(want[0], 242.0, 1e-9);
    std::vector<double> mx, mn;
    rs.GetRefCritEnsemble()->GetReactionValues(0, mx, mn);
    ExpectNear(mx, want);
}

TEST(ReferenceSet, TwiceTheLoadGivesRatiosOfTwo)
{
    auto set = OneSpanSet();
    CReferenceSet rs(false, set, Ensemble({PointLoad(100.0)}), 1.4);
    int nSteps = 0;
    double step = 1.0;
    rs.Calculate(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None(),
                 qeltest::TestOptions());
    auto prop = Ensemble({PointLoad(200.0, L"Heavy")}, L"Proposed");
    auto ratios = rs.CalculateRatios(true, Stepping{.bByStep = true, .step = step, .nSteps = nSteps},
                                     CAnalysisFeedback::None(), prop, 1.0, qeltest::TestOptions());
    EXPECT_TRUE(rs.m_bIsRatioCalculated);
    EXPECT_TRUE(rs.m_bUseLM);
    EXPECT_EQ(rs.GetPropLME(), prop);
    ExpectNear(MomentMaxima(rs.GetPropCritEnsemble()), {500.0, 1000.0, 1500.0});
    std::vector<double> mx, mn;
    ratios->GetMomentValues(mx, mn);
    ExpectNear(mx, {2.0, 2.0, 2.0});
    ExpectNear(ratios->GetGoverningShearRatios(), {2.0, 2.0, 2.0});
    ExpectNear(ratios->GetGoverningEndReactionRatios(), {2.0, 2.0, 2.0});
    EXPECT_EQ(ratios->GetBridgeSet(), set);

    // The multiplier scales the reference: 200 / (100 x 2).
    ratios = rs.CalculateRatios(true, Stepping{.bByStep = true, .step = step, .nSteps = nSteps},
                                CAnalysisFeedback::None(), prop, 2.0, qeltest::TestOptions());
    ratios->GetMomentValues(mx, mn);
    ExpectNear(mx, {1.0, 1.0, 1.0});
}

TEST(ReferenceSet, StoppedRunsGivePartialResultsWithoutThrowing)
{
    auto set = OneSpanSet();
    int nSteps = 0;
    double step = 1.0;
    // Stop after bridge 0 of the live load: the overstress run, which tests the flag before
    // its first bridge, analyses nothing, and the combination covers no bridge.
    {
        std::atomic<bool> run{true};
        StopAfter stop(run, 1);
        CReferenceSet rs(true, set, Ensemble({PointLoad(100.0)}), 1.4);
        rs.Calculate(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, stop, qeltest::TestOptions());
        EXPECT_TRUE(rs.m_bIsCalculated);
        EXPECT_EQ(rs.m_vLiveLoadCritEnv.size(), 1u);
        EXPECT_TRUE(rs.m_vOverstressCritEnv.empty());
        EXPECT_TRUE(rs.m_vRefCritEnv.empty());
    }
    // A reference stopped after one bridge, compared with a complete proposed run: ratios
    // for the one bridge both have.
    CReferenceSet rs(false, set, Ensemble({PointLoad(100.0)}), 1.4);
    {
        std::atomic<bool> run{true};
        StopAfter stop(run, 1);
        rs.Calculate(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, stop, qeltest::TestOptions());
    }
    ASSERT_EQ(rs.m_vRefCritEnv.size(), 1u);
    auto ratios =
        rs.CalculateRatios(false, Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None(),
                           Ensemble({PointLoad(200.0)}), 1.0, qeltest::TestOptions());
    EXPECT_EQ(rs.m_vPropCritEnv.size(), 3u);
    std::vector<double> mx, mn;
    ratios->GetMomentValues(mx, mn);
    ExpectNear(mx, {2.0});

    // A proposed run stopped before it starts.
    std::atomic<bool> stopped{false};
    ratios = rs.CalculateRatios(false, Stepping{.bByStep = true, .step = step, .nSteps = nSteps},
                                CStopFlagFeedback(stopped), Ensemble({PointLoad(200.0)}), 1.0, qeltest::TestOptions());
    EXPECT_TRUE(rs.m_vPropCritEnv.empty());
    EXPECT_TRUE(ratios->m_vMembers.empty());
}

// A reference that cannot be paired with the proposed run (as a damaged file can leave it:
// a bridge with fewer supports than the set's) ends the ratios there instead of throwing
// out of the worker. Bridge 0 still gives 200 / 100.
TEST(ReferenceSet, RatiosStopAtAReferenceWithTooFewReactions)
{
    auto set = OneSpanSet();
    CReferenceSet rs(false, set, Ensemble({PointLoad(100.0)}), 1.4);
    int nSteps = 0;
    double step = 1.0;
    rs.Calculate(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None(),
                 qeltest::TestOptions());
    ASSERT_EQ(rs.m_vRefCritEnv.size(), 3u);
    rs.m_vRefCritEnv[1]->m_vEnvReaction.pop_back();
    rs.m_vRefCritEnv[1]->m_nReactions = 1;
    std::shared_ptr<CCriticalRatioEnsemble> ratios;
    ASSERT_NO_THROW(ratios = rs.CalculateRatios(true, Stepping{.bByStep = true, .step = step, .nSteps = nSteps},
                                                CAnalysisFeedback::None(), Ensemble({PointLoad(200.0)}), 1.0,
                                                qeltest::TestOptions()));
    std::vector<double> mx, mn;
    ratios->GetMomentValues(mx, mn);
    ExpectNear(mx, {2.0});
    EXPECT_EQ(rs.m_vPropCritEnv.size(), 3u);
}

TEST(ReferenceCollection, CalculatesOneSetPerEnsembleAndBridgeSetEnsembleMajor)
{
    std::vector<std::shared_ptr<CLoadModelEnsemble>> lmes{Ensemble({PointLoad(100.0)}, L"E0"),
                                                          Ensemble({PointLoad(50.0)}, L"E1")};
    std::vector<std::shared_ptr<CBridgeSet>> sets;
    for (double L : {10.0, 12.0, 14.0})
        sets.push_back(std::make_shared<CBridgeSet>(1, L"B", BC_ONESPAN, L, L, 1.0));
    CReferenceCollection coll(3, L"Coll", Stepping{.bByStep = true, .step = 1.0, .nSteps = 0});
    coll.m_vLME = lmes;
    coll.m_vBS = sets;
    EXPECT_TRUE(coll.Calculate(CAnalysisFeedback::None(), qeltest::TestOptions()));
    EXPECT_TRUE(coll.m_bIsCalculated);
    ASSERT_EQ(coll.m_nRefSet, 6);
    for (unsigned k = 0; k < 6; ++k) {
        auto rs = coll.GetRefSet(k);
        ASSERT_TRUE(rs);
        EXPECT_EQ(rs->GetRefLME(), lmes[k / 3]) << k;
        EXPECT_EQ(rs->GetBridgeSet(), sets[k % 3]) << k;
        const double P = k < 3 ? 100.0 : 50.0;
        const double L = 10.0 + 2.0 * (k % 3);
        ExpectNear(MomentMaxima(rs->GetRefCritEnsemble()), {P * L / 4.0});
    }
    EXPECT_EQ(coll.GetRefSet(6), nullptr);
    EXPECT_EQ(coll.GetRefSets().size(), 6u);
    // By step the count of the last run comes back: ceil(14 + 0.5) + 1.
    EXPECT_EQ(coll.m_nStepPoints, 16);

    // Without bridge sets nothing changes.
    auto earlier = coll.GetRefSets();
    coll.m_vBS.clear();
    EXPECT_FALSE(coll.Calculate(CAnalysisFeedback::None(), qeltest::TestOptions()));
    EXPECT_EQ(coll.GetRefSets(), earlier);
    EXPECT_EQ(coll.m_nRefSet, 6);

    coll.ClearResults();
    EXPECT_FALSE(coll.m_bIsCalculated);
    EXPECT_EQ(coll.m_nRefSet, 0);
    EXPECT_EQ(coll.GetRefSet(0), nullptr);
}

TEST(ReferenceCollection, ComparesTheProposedItemWithEveryReferenceSet)
{
    auto docLME = Ensemble({PointLoad(300.0, L"Doc A"), PointLoad(10.0, L"Doc B")}, L"Doc ensemble");
    CReferenceCollection coll(1, L"Coll", Stepping{.bByStep = true, .step = 1.0, .nSteps = 0});
    coll.m_vLME = {Ensemble({PointLoad(100.0)}), Ensemble({PointLoad(50.0)})};
    coll.m_vBS = {OneSpanSet()};
    ASSERT_TRUE(coll.Calculate(CAnalysisFeedback::None(), qeltest::TestOptions()));

    EXPECT_EQ(coll.GetProposedName(), L"Proposed");
    EXPECT_FALSE(coll.CompareProposed(CAnalysisFeedback::None(), 1.0, qeltest::TestOptions())); // nothing proposed yet

    coll.SetProposedEnsemble(docLME);
    EXPECT_EQ(coll.GetProposedName(), L"Doc ensemble");
    auto heavy = PointLoad(200.0, L"Heavy");
    coll.SetProposedLoadModel(heavy);
    EXPECT_EQ(docLME->m_nLoadModels, 2); // the document's ensemble is left alone
    EXPECT_TRUE(coll.m_bUseLM);
    EXPECT_EQ(coll.GetProposedName(), L"Heavy");
    EXPECT_EQ(coll.m_pPropLME->GetDescription(), L"Proposed");

    ASSERT_TRUE(coll.CompareProposed(CAnalysisFeedback::None(), 1.0, qeltest::TestOptions()));
    EXPECT_TRUE(coll.m_bIsCompared);
    EXPECT_EQ(coll.m_Multiplier, 1.0);
    const auto ratios = coll.GetCriticalRatioEnsembles();
    ASSERT_EQ(ratios.size(), 2u);
    std::vector<double> mx, mn;
    ratios[0]->GetMomentValues(mx, mn);
    ExpectNear(mx, {2.0, 2.0, 2.0});
    ratios[1]->GetMomentValues(mx, mn);
    ExpectNear(mx, {4.0, 4.0, 4.0});
    EXPECT_EQ(coll.GetRefSet(1)->GetPropLME()->m_vLoadModel.front(), heavy);

    // A fresh "Proposed" ensemble each time, so that results already handed out keep theirs.
    auto first = coll.m_pPropLME;
    coll.SetProposedLoadModel(PointLoad(1.0, L"Light"));
    EXPECT_NE(coll.m_pPropLME, first);
    EXPECT_EQ(first->m_vLoadModel.front(), heavy);
}

// The proposed runs over one bridge set serve every reference ensemble; the ratios must be
// those of a run made afresh for each reference set.
TEST(ReferenceCollection, SharedProposedRunsGiveTheRatiosOfFreshRuns)
{
    auto twoAxle = std::make_shared<CLoadModel>(2, L"Two axles");
    twoAxle->AddPointLoad(80.0, 0.0, 0.0);
    twoAxle->AddPointLoad(80.0, -4.0, 0.0);
    auto set = OneSpanSet();
    CReferenceCollection coll(1, L"Coll", Stepping{.bByStep = true, .step = 1.0, .nSteps = 0});
    coll.m_vLME = {Ensemble({PointLoad(100.0)}), Ensemble({twoAxle})};
    coll.m_vBS = {set};
    coll.m_bUseOverstress = true;
    ASSERT_TRUE(coll.Calculate(CAnalysisFeedback::None(), qeltest::TestOptions()));
    auto heavy = PointLoad(200.0, L"Heavy");
    coll.SetProposedLoadModel(heavy);
    ASSERT_TRUE(coll.CompareProposed(CAnalysisFeedback::None(), 1.0, qeltest::TestOptions()));
    ASSERT_EQ(coll.GetCriticalRatioEnsembles().size(), 2u);
    // Shared, not copied: no comparison changes them.
    EXPECT_EQ(coll.GetRefSet(0)->m_vPropCritEnv[0], coll.GetRefSet(1)->m_vPropCritEnv[0]);

    for (unsigned k = 0; k < 2; ++k) {
        CReferenceSet fresh(true, set, coll.m_vLME[k], 1.4);
        int nSteps = 0;
        double step = 1.0;
        fresh.Calculate(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None(),
                        qeltest::TestOptions());
        auto want = fresh.CalculateRatios(true, Stepping{.bByStep = true, .step = step, .nSteps = nSteps},
                                          CAnalysisFeedback::None(), Ensemble({heavy}), 1.0, qeltest::TestOptions());
        auto got = coll.GetCriticalRatioEnsembles()[k];
        std::vector<double> a, b, c, d;
        want->GetMomentValues(a, b);
        got->GetMomentValues(c, d);
        EXPECT_EQ(a, c);
        EXPECT_EQ(b, d);
        want->GetShearValues(a, b);
        got->GetShearValues(c, d);
        EXPECT_EQ(a, c);
        EXPECT_EQ(b, d);
        for (int r = 0; r < 2; ++r) {
            want->GetReactionValues(r, a, b);
            got->GetReactionValues(r, c, d);
            EXPECT_EQ(a, c) << k << " support " << r;
            EXPECT_EQ(b, d) << k << " support " << r;
        }
        for (size_t i = 0; i < 3; ++i)
            EXPECT_EQ(coll.GetRefSet(k)->m_vPropCritEnv[i]->GetEnvReaction(0)->m_vMax.size(),
                      fresh.m_vPropCritEnv[i]->GetEnvReaction(0)->m_vMax.size());
    }
}

TEST(ReferenceCollection, StoppedRunsReturnPartialResultsWithoutThrowing)
{
    CReferenceCollection coll(1, L"Coll", Stepping{.bByStep = true, .step = 1.0, .nSteps = 0});
    coll.m_vLME = {Ensemble({PointLoad(100.0)}), Ensemble({PointLoad(50.0)})};
    coll.m_vBS = {OneSpanSet()};
    coll.m_bUseOverstress = true;

    std::atomic<bool> run{false};
    ASSERT_TRUE(coll.Calculate(CStopFlagFeedback(run),
                               qeltest::TestOptions())); // stopped before it began: every set still made
    EXPECT_TRUE(coll.m_bIsCalculated);
    ASSERT_EQ(coll.m_nRefSet, 2);
    EXPECT_TRUE(coll.GetRefSet(0)->m_vRefCritEnv.empty());
    EXPECT_TRUE(coll.GetRefSet(1)->m_vOverstressCritEnv.empty());

    {
        run = true;
        StopAfter stop(run, 2); // inside the first set's live-load run
        ASSERT_TRUE(coll.Calculate(stop, qeltest::TestOptions()));
    }
    EXPECT_EQ(coll.GetRefSet(0)->m_vLiveLoadCritEnv.size(), 2u);
    EXPECT_TRUE(coll.GetRefSet(0)->m_vRefCritEnv.empty());
    EXPECT_TRUE(coll.GetRefSet(1)->m_vLiveLoadCritEnv.empty());

    // Complete reference sets, then a comparison stopped in the first set.
    run = true;
    ASSERT_TRUE(coll.Calculate(CStopFlagFeedback(run), qeltest::TestOptions()));
    coll.SetProposedLoadModel(PointLoad(200.0));
    {
        StopAfter stop(run, 1);
        ASSERT_TRUE(coll.CompareProposed(stop, 1.0, qeltest::TestOptions()));
    }
    EXPECT_FALSE(coll.m_bIsCompared);
    ASSERT_EQ(coll.GetCriticalRatioEnsembles().size(), 1u);
    EXPECT_EQ(coll.GetCriticalRatioEnsembles()[0]->m_vMembers.size(), 1u);
}

TEST(ReferenceCollection, InequalityCoversTheCalculationInputs)
{
    auto coll = std::make_shared<CReferenceCollection>(1, L"Coll", Stepping{.bByStep = true, .step = 0.5, .nSteps = 5});
    coll->m_vLME = {Ensemble({PointLoad(100.0)})};
    coll->m_vBS = {OneSpanSet()};
    auto copy = std::make_shared<CReferenceCollection>(*coll);
    EXPECT_FALSE(*copy != coll);
    EXPECT_EQ(copy->m_pPropLME, coll->m_pPropLME);

    const std::function<void(CReferenceCollection&)> edits[] = {
        [](CReferenceCollection& c) { c.m_bByStep = false; },
        [](CReferenceCollection& c) { c.m_StepSize = 0.25; },
        [](CReferenceCollection& c) { c.m_nStepPoints = 6; },
        [](CReferenceCollection& c) { c.m_bIsCalculated = true; },
        [](CReferenceCollection& c) { c.m_vLME = {Ensemble({PointLoad(100.0)})}; },
        [](CReferenceCollection& c) { c.m_vBS.push_back(OneSpanSet()); },
        [](CReferenceCollection& c) { c.m_bUseOverstress = true; },
        [](CReferenceCollection& c) { c.m_OverstressFactor = 1.5; },
    };
    for (size_t i = 0; i < std::size(edits); ++i) {
        CReferenceCollection edited(*coll);
        edits[i](edited);
        EXPECT_TRUE(edited != coll) << "edit " << i;
    }
    CReferenceCollection renamed(*coll);
    renamed.m_Description = L"Other";
    EXPECT_FALSE(renamed != coll);
    CReferenceCollection nan(*coll);
    nan.m_StepSize = std::nan("");
    EXPECT_TRUE(nan != std::make_shared<CReferenceCollection>(nan));
}

TEST(ReferenceCollection, MembershipIsByValue)
{
    auto bs = OneSpanSet();
    auto lm1 = PointLoad(100.0), lm2 = PointLoad(50.0);
    auto lme = Ensemble({lm1, lm2});
    CReferenceCollection coll;
    EXPECT_EQ(coll.GetDescription(), L"Ref Collection");
    EXPECT_EQ(coll.m_ElementType, ET_REFCOLLECTION);
    coll.m_vBS = {OneSpanSet(), bs};
    coll.m_vLME = {Ensemble({lm2}), lme};

    auto sameBridges = std::make_shared<CBridgeSet>(*bs); // a copy shares the generated bridges
    sameBridges->m_Description = L"Renamed";
    EXPECT_TRUE(coll.FindBridgeSet(sameBridges));
    EXPECT_FALSE(coll.FindBridgeSet(OneSpanSet())); // equal spans, other bridge objects
    EXPECT_TRUE(coll.FindLME(Ensemble({lm1, lm2}, L"Other name")));
    EXPECT_FALSE(coll.FindLME(Ensemble({lm2, lm1})));

    coll.RemoveLME(Ensemble({lm1, lm2}));
    ASSERT_EQ(coll.m_vLME.size(), 1u);
    EXPECT_EQ(coll.m_vLME[0]->m_vLoadModel, (std::vector<std::shared_ptr<CLoadModel>>{lm2}));
    coll.RemoveBridgeSet(OneSpanSet()); // none equal: nothing happens
    EXPECT_EQ(coll.m_vBS.size(), 2u);
    coll.RemoveBridgeSet(sameBridges);
    ASSERT_EQ(coll.m_vBS.size(), 1u);
    EXPECT_NE(coll.m_vBS[0], bs);
}

namespace {

// The parts of a case that a collection refers to, saved in one archive as the case file does.
struct MiniCase {
    std::vector<std::shared_ptr<CBridgeSet>> bridgeSets;
    std::vector<std::shared_ptr<CLoadModel>> loadModels;
    std::vector<std::shared_ptr<CLoadModelEnsemble>> ensembles;
    std::vector<std::shared_ptr<CReferenceCollection>> collections;

    template <class Archive>
    void serialize(Archive& ar, const unsigned int)
    {
        using boost::serialization::make_nvp;
        ar& make_nvp("m_vBridgeSet", bridgeSets);
        ar& make_nvp("m_vLoadModel", loadModels);
        ar& make_nvp("m_vLoadModelEnsemble", ensembles);
        ar& make_nvp("m_vRefCollection", collections);
    }
};

MiniCase CalculatedCase(bool bCompare = true)
{
    MiniCase c;
    auto shared = PointLoad(100.0, L"Shared");
    c.loadModels = {shared, PointLoad(150.0, L"Other")};
    c.ensembles = {Ensemble({shared}, L"E0"), Ensemble({shared, c.loadModels[1]}, L"E1")};
    c.bridgeSets = {OneSpanSet(), std::make_shared<CBridgeSet>(2, L"Two", BC_TWOSPAN, 10.0, 12.0, 2.0)};
    auto coll = std::make_shared<CReferenceCollection>(1, L"Coll", Stepping{.bByStep = true, .step = 1.0, .nSteps = 0});
    coll->m_vLME = c.ensembles;
    coll->m_vBS = c.bridgeSets;
    coll->m_bUseOverstress = true;
    coll->m_OverstressFactor = 1.5;
    coll->Calculate(CAnalysisFeedback::None(), qeltest::TestOptions());
    if (bCompare) {
        coll->SetProposedLoadModel(PointLoad(200.0, L"Heavy"));
        coll->CompareProposed(CAnalysisFeedback::None(), 1.0, qeltest::TestOptions());
    }
    c.collections = {coll};
    return c;
}

} // namespace

TEST(ReferenceCollection, RoundTripsWithItsReferenceSetsAndSharedElements)
{
    const MiniCase before = CalculatedCase();
    const CReferenceCollection& a = *before.collections[0];
    for (auto kind : {qeltest::Kind::Binary, qeltest::Kind::Xml}) {
        SCOPED_TRACE(qeltest::KindName(kind));
        MiniCase after;
        qeltest::LoadFrom(kind, qeltest::SaveTo(kind, "QELConfig", before), "QELConfig", after);
        ASSERT_EQ(after.collections.size(), 1u);
        const CReferenceCollection& b = *after.collections[0];
        EXPECT_EQ(b.GetDescription(), L"Coll");
        EXPECT_EQ(b.m_ID, 1);
        EXPECT_TRUE(b.m_bByStep);
        EXPECT_EQ(b.m_StepSize, a.m_StepSize);
        EXPECT_EQ(b.m_nStepPoints, a.m_nStepPoints);
        EXPECT_TRUE(b.m_bIsCalculated);
        EXPECT_TRUE(b.m_bUseOverstress);
        EXPECT_EQ(b.m_OverstressFactor, 1.5);

        // Shared elements are stored once and load as the very objects of the lists.
        EXPECT_EQ(b.m_vBS, after.bridgeSets);
        EXPECT_EQ(b.m_vLME, after.ensembles);
        EXPECT_EQ(after.ensembles[1]->m_vLoadModel[0], after.loadModels[0]);
        EXPECT_EQ(after.ensembles[0]->m_vLoadModel[0], after.loadModels[0]);

        ASSERT_EQ(b.m_nRefSet, 4);
        ASSERT_EQ(b.GetRefSets().size(), 4u);
        for (unsigned k = 0; k < 4; ++k) {
            const auto ra = a.GetRefSet(k), rb = b.GetRefSet(k);
            EXPECT_EQ(rb->GetBridgeSet(), after.bridgeSets[k % 2]);
            EXPECT_EQ(rb->GetRefLME(), after.ensembles[k / 2]);
            EXPECT_TRUE(rb->m_bIsCalculated && rb->m_bIsRatioCalculated && rb->m_bUseLM);
            EXPECT_EQ(rb->GetPropLME()->m_vLoadModel[0]->GetDescription(), L"Heavy");
            EXPECT_EQ(rb->m_nBridges, ra->m_vRefCritEnv.size());
            // The critical values are rebuilt from the loaded envelopes.
            for (auto get : {&CReferenceSet::GetRefCritEnsemble, &CReferenceSet::GetPropCritEnsemble,
                             &CReferenceSet::GetLiveLoadCritEnsemble, &CReferenceSet::GetOverstressCritEnsemble}) {
                std::vector<double> mxA, mnA, mxB, mnB;
                ((*ra).*get)()->GetMomentValues(mxA, mnA);
                ((*rb).*get)()->GetMomentValues(mxB, mnB);
                EXPECT_EQ(mxA, mxB);
                EXPECT_EQ(mnA, mnB);
                ((*ra).*get)()->GetReactionValues(1, mxA, mnA);
                ((*rb).*get)()->GetReactionValues(1, mxB, mnB);
                EXPECT_EQ(mxA, mxB);
            }
            EXPECT_FALSE(MomentMaxima(rb->GetRefCritEnsemble()).empty());
            EXPECT_EQ(rb->m_vRefCritEnv[0]->GetBridge()->m_SpanLength,
                      after.bridgeSets[k % 2]->GetBridge(0)->m_SpanLength);
        }
        // What a comparison produced is not saved.
        EXPECT_TRUE(b.GetCriticalRatioEnsembles().empty());
        EXPECT_FALSE(b.m_bIsCompared);
        EXPECT_FALSE(b.m_bUseLM);
        EXPECT_EQ(b.GetProposedName(), L"Proposed");
    }
}

// A file of an earlier version holds the reference ensemble under another name and no
// proposed item. (Made from an uncompared collection: dropping a stored object would shift
// the object numbers of everything after it.)
TEST(ReferenceSet, LoadsTheEarlierFileVersion)
{
    const MiniCase before = CalculatedCase(false);
    std::string xml = qeltest::SaveTo(qeltest::Kind::Xml, "QELConfig", before, CaseLayout::Legacy);

    // The class version is written where the first reference set begins.
    const size_t refSets = xml.find("<m_vRefSet");
    ASSERT_NE(refSets, std::string::npos);
    const size_t px = xml.find("<px class_id=", refSets);
    ASSERT_NE(px, std::string::npos);
    const size_t ver = xml.find("version=\"1\"", px);
    ASSERT_LT(ver, xml.find('>', px));
    xml.replace(ver, 11, "version=\"0\"");
    auto replaceAll = [&](const std::string& from, const std::string& to) {
        for (size_t p = xml.find(from); p != std::string::npos; p = xml.find(from, p + to.size()))
            xml.replace(p, from.size(), to);
    };
    replaceAll("<m_pRefLME", "<m_pLoadModelEnsemble");
    replaceAll("</m_pRefLME>", "</m_pLoadModelEnsemble>");
    // Drop the three newer items of every set.
    for (const std::string item : {"m_pPropLME", "m_bUseLM", "m_bIsRatioCalculated"}) {
        for (size_t p = xml.find("<" + item); p != std::string::npos; p = xml.find("<" + item, p)) {
            const std::string close = "</" + item + ">";
            size_t end = xml.find(close, p);
            ASSERT_NE(end, std::string::npos);
            xml.erase(p, end + close.size() - p);
        }
    }

    MiniCase after;
    qeltest::LoadFrom(qeltest::Kind::Xml, xml, "QELConfig", after);
    const auto& coll = *after.collections[0];
    ASSERT_EQ(coll.m_nRefSet, 4);
    for (unsigned k = 0; k < 4; ++k) {
        const auto rs = coll.GetRefSet(k);
        EXPECT_EQ(rs->GetRefLME(), after.ensembles[k / 2]);
        EXPECT_EQ(rs->GetPropLME(), nullptr);
        EXPECT_FALSE(rs->m_bUseLM);
        EXPECT_FALSE(rs->m_bIsRatioCalculated);
        EXPECT_TRUE(rs->m_bIsCalculated);
        EXPECT_EQ(MomentMaxima(rs->GetRefCritEnsemble()),
                  MomentMaxima(before.collections[0]->GetRefSet(k)->GetRefCritEnsemble()));
    }
}

TEST(ReferenceCollection, LoadRejectsAMissingMember)
{
    MiniCase c = CalculatedCase();
    c.collections[0]->m_vBS.push_back(nullptr);
    for (auto kind : {qeltest::Kind::Binary, qeltest::Kind::Xml}) {
        MiniCase after;
        EXPECT_THROW(qeltest::LoadFrom(kind, qeltest::SaveTo(kind, "QELConfig", c), "QELConfig", after),
                     boost::archive::archive_exception)
            << qeltest::KindName(kind);
    }
}

// The views draw entry i of each envelope list as bridge i: a file with an empty entry
// must not load.
TEST(ReferenceSet, LoadRejectsAnEmptyEnvelopeEntry)
{
    auto set = std::make_shared<CBridgeSet>(1, L"One", BC_ONESPAN, 10.0, 10.0, 1.0);
    for (auto member : {&CReferenceSet::m_vOverstressCritEnv, &CReferenceSet::m_vLiveLoadCritEnv,
                        &CReferenceSet::m_vRefCritEnv, &CReferenceSet::m_vPropCritEnv}) {
        auto rs = std::make_shared<CReferenceSet>(false, set, Ensemble({PointLoad(100.0)}), 1.4);
        int nSteps = 0;
        double step = 1.0;
        rs->Calculate(Stepping{.bByStep = true, .step = step, .nSteps = nSteps}, CAnalysisFeedback::None(),
                      qeltest::TestOptions());
        ((*rs).*member).push_back(nullptr);
        for (auto kind : {qeltest::Kind::Binary, qeltest::Kind::Xml}) {
            std::shared_ptr<CReferenceSet> back;
            EXPECT_THROW(qeltest::LoadFrom(kind, qeltest::SaveTo(kind, "item", rs), "item", back),
                         boost::archive::archive_exception)
                << qeltest::KindName(kind);
        }
    }
}
