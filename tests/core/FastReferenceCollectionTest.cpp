#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FastPathCases.h"
#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/ParallelRuns.h"
#include "core/bridge/BridgeSet.h"
#include "core/critical/CriticalRatioEnsemble.h"
#include "core/library/LMEFactory.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"
#include "TestOptions.h"

using namespace fastcases;

namespace {

struct Document {
    std::shared_ptr<CReferenceCollection> coll;
    std::vector<std::shared_ptr<CLoadModelEnsemble>> lmes;
    std::shared_ptr<CLoadModel> proposed;
};

// A collection as a case would hold it: standard families (bridge rules included) and a
// small ensemble of its own, three bridge sets, overstress on, a proposed vehicle.
Document MakeDocument(const std::vector<std::shared_ptr<CBridgeSet>>& sets)
{
    Document d;
    CLMEFactory factory;
    d.lmes.push_back(factory.GetNAASRA1976(false, 3));
    auto own = std::make_shared<CLoadModelEnsemble>(7, L"Own");
    own->AddLoadModel(std::make_shared<CLoadModel>(FiveAxles()));
    own->AddLoadModel(std::make_shared<CLoadModel>(Models()[3].make())); // partial loads
    d.lmes.push_back(own);
    d.proposed = CLMEFactory::MakeVehicle(99, L"Proposed", {60.0, 125.0, 125.0, 90.0, 90.0}, {3.7, 1.2, 6.1, 1.2});
    d.coll = std::make_shared<CReferenceCollection>(1, L"C", Stepping{.bByStep = true, .step = 0.5, .nSteps = 0});
    d.coll->m_vLME = d.lmes;
    d.coll->m_vBS = sets;
    d.coll->m_bUseOverstress = true;
    return d;
}

// threads 0: the process's count.
void Calculate(AnalysisPath path, Document& d, int threads = 0)
{
    const AnalysisOptions options = qeltest::TestOptions(path, threads);
    ASSERT_TRUE(d.coll->Calculate(CAnalysisFeedback::None(), options));
    d.coll->SetProposedLoadModel(d.proposed);
    ASSERT_TRUE(d.coll->CompareProposed(CAnalysisFeedback::None(), 1.1, options));
}

void ExpectSameVectors(const std::vector<std::shared_ptr<CEnvelopeResults>>& a,
                       const std::vector<std::shared_ptr<CEnvelopeResults>>& b, const ModelMap& map,
                       const std::string& what)
{
    ASSERT_EQ(a.size(), b.size()) << what;
    for (size_t i = 0; i < a.size(); ++i)
        ExpectSameResults(*a[i], *b[i], map, what + ", bridge " + std::to_string(i));
}

void ExpectSameNumbers(const std::vector<double>& a, const std::vector<double>& b, const std::string& what)
{
    ASSERT_EQ(a.size(), b.size()) << what;
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_TRUE(SameValue(a[i], b[i])) << what << " " << i << ": " << a[i] << " vs " << b[i];
}

TEST(FastReferenceCollection, GivesTheLiteralReferenceSetsAndRatios)
{
    const std::vector<std::shared_ptr<CBridgeSet>> sets = {
        std::make_shared<CBridgeSet>(1, L"1", 3, BC_ONESPAN, 6.0, 30.0),
        std::make_shared<CBridgeSet>(2, L"2", 3, BC_TWOSPAN, 6.0, 30.0),
        std::make_shared<CBridgeSet>(3, L"3", 2, BC_THREESPAN, 10.0, 26.0)};
    Document literal = MakeDocument(sets);
    Document fast = MakeDocument(sets);
    ModelMap map;
    for (size_t e = 0; e < literal.lmes.size(); ++e)
        for (size_t m = 0; m < literal.lmes[e]->m_vLoadModel.size(); ++m)
            map.push_back({literal.lmes[e]->m_vLoadModel[m].get(), fast.lmes[e]->m_vLoadModel[m].get()});
    map.push_back({literal.proposed.get(), fast.proposed.get()});

    Calculate(AnalysisPath::Literal, literal);
    Calculate(AnalysisPath::Fast, fast);

    EXPECT_EQ(literal.coll->m_StepSize, fast.coll->m_StepSize);
    EXPECT_EQ(literal.coll->m_nStepPoints, fast.coll->m_nStepPoints);
    const auto ra = literal.coll->GetRefSets();
    const auto rb = fast.coll->GetRefSets();
    ASSERT_EQ(ra.size(), 6u);
    ASSERT_EQ(rb.size(), ra.size());
    for (size_t s = 0; s < ra.size(); ++s) {
        const std::string what = "reference set " + std::to_string(s);
        ExpectSameVectors(ra[s]->m_vLiveLoadCritEnv, rb[s]->m_vLiveLoadCritEnv, map, what + " live load");
        ExpectSameVectors(ra[s]->m_vOverstressCritEnv, rb[s]->m_vOverstressCritEnv, map, what + " overstress");
        ExpectSameVectors(ra[s]->m_vRefCritEnv, rb[s]->m_vRefCritEnv, map, what + " reference");
        ExpectSameVectors(ra[s]->m_vPropCritEnv, rb[s]->m_vPropCritEnv, map, what + " proposed");
    }
    const auto ea = literal.coll->GetCriticalRatioEnsembles();
    const auto eb = fast.coll->GetCriticalRatioEnsembles();
    ASSERT_EQ(ea.size(), eb.size());
    for (size_t s = 0; s < ea.size(); ++s) {
        const std::string what = "ratios of set " + std::to_string(s);
        std::vector<double> a1, a2, b1, b2;
        ea[s]->GetMomentValues(a1, a2);
        eb[s]->GetMomentValues(b1, b2);
        ExpectSameNumbers(a1, b1, what + " moment max");
        ExpectSameNumbers(a2, b2, what + " moment min");
        ea[s]->GetShearValues(a1, a2);
        eb[s]->GetShearValues(b1, b2);
        ExpectSameNumbers(a1, b1, what + " shear max");
        ExpectSameNumbers(a2, b2, what + " shear min");
        ExpectSameNumbers(ea[s]->GetGoverningShearRatios(), eb[s]->GetGoverningShearRatios(), what + " governing");
    }
}

// The reference sets and ratios do not depend on how many threads compute them.
TEST(FastReferenceCollection, OneTwoAndEightThreadsGiveTheSameSetsAndRatios)
{
    const std::vector<std::shared_ptr<CBridgeSet>> sets = {
        std::make_shared<CBridgeSet>(1, L"1", 4, BC_ONESPAN, 6.0, 30.0),
        std::make_shared<CBridgeSet>(2, L"2", 3, BC_TWOSPAN, 6.0, 30.0)};
    Document one = MakeDocument(sets);
    Calculate(AnalysisPath::Fast, one, 1);
    for (int n : {2, 8}) {
        Document many = MakeDocument(sets);
        ModelMap map;
        for (size_t e = 0; e < one.lmes.size(); ++e)
            for (size_t m = 0; m < one.lmes[e]->m_vLoadModel.size(); ++m)
                map.push_back({one.lmes[e]->m_vLoadModel[m].get(), many.lmes[e]->m_vLoadModel[m].get()});
        map.push_back({one.proposed.get(), many.proposed.get()});
        Calculate(AnalysisPath::Fast, many, n);
        const std::string what = std::to_string(n) + " threads";
        EXPECT_EQ(one.coll->m_StepSize, many.coll->m_StepSize) << what;
        EXPECT_EQ(one.coll->m_nStepPoints, many.coll->m_nStepPoints) << what;
        const auto ra = one.coll->GetRefSets();
        const auto rb = many.coll->GetRefSets();
        ASSERT_EQ(rb.size(), ra.size()) << what;
        for (size_t s = 0; s < ra.size(); ++s) {
            const std::string set = what + ", reference set " + std::to_string(s);
            ExpectSameVectors(ra[s]->m_vRefCritEnv, rb[s]->m_vRefCritEnv, map, set + " reference");
            ExpectSameVectors(ra[s]->m_vPropCritEnv, rb[s]->m_vPropCritEnv, map, set + " proposed");
        }
        const auto ea = one.coll->GetCriticalRatioEnsembles();
        const auto eb = many.coll->GetCriticalRatioEnsembles();
        ASSERT_EQ(ea.size(), eb.size()) << what;
        for (size_t s = 0; s < ea.size(); ++s) {
            std::vector<double> a1, a2, b1, b2;
            ea[s]->GetMomentValues(a1, a2);
            eb[s]->GetMomentValues(b1, b2);
            ExpectSameNumbers(a1, b1, what + " moment ratios");
            ExpectSameNumbers(ea[s]->GetGoverningShearRatios(), eb[s]->GetGoverningShearRatios(), what + " governing");
        }
    }
}

} // namespace
