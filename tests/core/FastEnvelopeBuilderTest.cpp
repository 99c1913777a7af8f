#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "FastPathCases.h"
#include "core/analysis/FastEnvelopeBuilder.h"
#include "core/analysis/SinglePosAnalysis.h"
#include "core/beam/BeamResults.h"
#include "TestOptions.h"

using namespace fastcases;

namespace {

// Positions in the order a moving load visits them, with the ones where ties and
// borderline cases live: the beam's ends, every support, the event points.
std::vector<double> Positions(const CBridge& bridge, double modelLength)
{
    const CBeam& beam = *bridge.GetBeam();
    // First a position that is not a number: no point or partial load, only the lanes.
    std::vector<double> p{std::nan("")};
    const double end = beam.m_Length + modelLength + 1.0;
    const double step = end / 57.0;
    for (double x = -1.0; x < end; x += step)
        p.push_back(x);
    double s = 0.0;
    p.push_back(0.0);
    for (double L : beam.m_vL) {
        p.push_back(s + 1.0);
        s += L;
        p.push_back(s - 1.0);
        p.push_back(s);
    }
    p.push_back(beam.m_Length + modelLength);
    return p;
}

TEST(FastEnvelopeBuilder, GivesTheLiteralEnvelopesPositionsAndModelsForEveryCase)
{
    for (const BridgeCase& bc : Bridges()) {
        auto bridge = CBridge::Create(1, L"B", bc.config, bc.S);
        for (const ModelCase& mc : Models()) {
            const std::string what = bc.name + ", " + mc.name;
            auto lmLiteral = std::make_shared<CLoadModel>(mc.make());
            auto lmFast = std::make_shared<CLoadModel>(*lmLiteral);
            const std::vector<double> positions = Positions(*bridge, lmLiteral->m_Length);

            qeltest::RecordingFeedback literalStatus;
            CEnvelopeResults literal(bridge);
            CSinglePosAnalysis spa(bridge, lmLiteral, qeltest::TestOptions());
            for (double p : positions)
                literal.AddResults(spa.Analyse(p, literalStatus), lmLiteral, p);
            const auto literalLines = literalStatus.StatusLines();

            qeltest::RecordingFeedback fastStatus;
            CFastEnvelopeBuilder builder(bridge, lmFast, qeltest::TestPoints());
            for (double p : positions)
                builder.AnalyseAt(p, fastStatus);
            EXPECT_EQ(builder.GetPositionCount(), positions.size());
            const auto fast = builder.TakeResults();
            EXPECT_EQ(fastStatus.StatusLines(), literalLines) << what << ": status lines";

            ExpectSameResults(literal, *fast, {{lmLiteral.get(), lmFast.get()}}, what);
            // The rules left both models in the same state.
            EXPECT_EQ(lmLiteral->m_vPL.size(), lmFast->m_vPL.size()) << what;
            EXPECT_EQ(lmLiteral->m_gDLA.value, lmFast->m_gDLA.value) << what;
            EXPECT_EQ(lmLiteral->m_Gamma, lmFast->m_Gamma) << what;
        }
    }
}

TEST(FastEnvelopeBuilder, WithoutPositionsGivesTheBridgesEmptyResults)
{
    auto bridge = CBridge::Create(1, L"B", BC_TWOSPAN, 20.0);
    CFastEnvelopeBuilder builder(bridge, std::make_shared<CLoadModel>(FiveAxles()), qeltest::TestPoints());
    const auto r = builder.TakeResults();
    EXPECT_FALSE(r->HasEnvelopes());
    EXPECT_EQ(r->m_pBridge, bridge);
    EXPECT_EQ(r->m_nReactions, 3);
    EXPECT_EQ(r->m_nBeamResults, 0);
}

TEST(FastEnvelopeBuilder, ARefusedBeamFailsAtTheFirstPositionAsTheLiteralPathDoes)
{
    auto bridge = CBridge::Create(1, L"B", BC_TWOSPAN, 20.0);
    bridge->GetBeam()->m_vR.pop_back();
    auto lm = std::make_shared<CLoadModel>(FiveAxles());
    CFastEnvelopeBuilder builder(bridge, lm, qeltest::TestPoints()); // nothing solved yet, nothing refused
    EXPECT_THROW(CSinglePosAnalysis(bridge, lm, qeltest::TestOptions()).Analyse(10.0, CAnalysisFeedback::None()),
                 std::runtime_error);
    EXPECT_THROW(builder.AnalyseAt(10.0, CAnalysisFeedback::None()), std::runtime_error);
}

TEST(FastEnvelopeBuilder, StepsWithoutAllocating)
{
    auto bridge = CBridge::Create(1, L"B", BC_THREESPAN, 20.0);
    auto lm = std::make_shared<CLoadModel>(FiveAxles());
    lm->AddPartialUDL(5.0, -9.0, 4.0);
    lm->Update();
    CFastEnvelopeBuilder builder(bridge, lm, qeltest::TestPoints());
    builder.Reserve(1000);
    builder.AnalyseAt(-0.5, CAnalysisFeedback::None()); // the first position sizes the envelopes
    qeltest::AllocationScope scope;
    for (int i = 0; i < 900; ++i)
        builder.AnalyseAt(i * 0.1, CAnalysisFeedback::None());
    EXPECT_EQ(scope.Count(), 0u);
    EXPECT_EQ(builder.GetPositionCount(), 901u);
}

} // namespace
