// The worker runs: launch, completion on the pumped user-interface thread, stop, the
// chained reference-collection and critical-ratio run, failures and closing mid-run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <ranges>

#include "AnalysisTestUtil.h"
#include "app/doc/AnalysisCommands.h"
#include "app/doc/AnalysisWorkers.h"
#include "core/critical/CriticalRatioEnsemble.h"
#include "core/critical/CriticalValueEnsemble.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/outputs/AOMultiMovingLoad.h"
#include "core/reference/ReferenceSet.h"
#include "core/settings/Settings.h"
#include "platform/base/CLocale.h"
#include "TestOptions.h"

using namespace qeltest;
using ::testing::ElementsAre;

namespace {

double MaxMoment(const std::shared_ptr<CEnvelopeResults>& r)
{
    return r->GetEnvBMD()->GetMaxEffect().val;
}

class AnalysisWorkersTest : public AnalysisDocTest {
protected:
    void SetUp() override
    {
        AnalysisDocTest::SetUp();
        m_Windows.m_bAnswerYes = false;
    }

    // Picks ensemble 0 (or load model 0) and bridge 0, by count with nSteps.
    void ScriptMovingLoad(bool bUseLM, int nSteps, bool bDisplayEach = false)
    {
        m_AnalysisDialogs.movingLoad = [=](CMovingLoadDlgInterface& d) {
            d.m_Stepping.bByStep = false;
            d.m_Stepping.nSteps = nSteps;
            d.m_bUseLoadModel = bUseLM;
            d.m_bShowEachResult = bDisplayEach;
            return DLG_IDOK;
        };
    }
    void ScriptCritRatios(int nLoadModel)
    {
        m_AnalysisDialogs.critRatios = [=](CCritRatioRefCollDlgInterface& d) {
            d.m_bUseLoadModel = true;
            d.m_nLoadModel = nLoadModel;
            return DLG_IDOK;
        };
    }
    int Resets() const { return static_cast<int>(std::count(m_Ui.m_vProgress.begin(), m_Ui.m_vProgress.end(), 0u)); }
};

// Two axles of 100 and 200 kN over a 10 m span, positions every 0.5 m (20 steps), so one
// stands at midspan: the merged envelope is the 200 kN axle's, M = 200 x 10 / 4 = 500 kNm.
TEST_F(AnalysisWorkersTest, EnsembleRunCompletesOnTheUserInterfaceThread)
{
    CQELDoc doc;
    doc.m_vBridge.push_back(Span(10.0));
    doc.m_vLoadModelEnsemble.push_back(EnsembleOf({Axle(100.0), Axle(200.0)}));
    ScriptMovingLoad(false, 20, true);

    doc.OnAnalysisMovingLoad();
    // Raised by the launch itself: no second run and no lost Stop before the first step.
    EXPECT_TRUE(doc.IsAnalysisRunning());
    EXPECT_FALSE(doc.OnUpdateAnalysisCommand());
    EXPECT_TRUE(doc.OnUpdateStopAnalysis());
    EXPECT_FALSE(doc.OnUpdateElementCommand());
    EXPECT_TRUE(m_Windows.m_vPlots.empty()); // windows open on completion only
    EXPECT_THAT(m_Windows.m_vProgressRanges, ElementsAre(std::make_pair(0, 2)));

    Finish(doc);
    EXPECT_FALSE(doc.IsAnalysisRunning());
    EXPECT_FALSE(doc.IsCompletionAwaited());
    EXPECT_TRUE(doc.OnUpdateAnalysisCommand());
    EXPECT_THAT(m_Ui.m_vProgress, ElementsAre(1u, 1u, 0u));
    EXPECT_THAT(m_Windows.m_vStatus, ElementsAre(L"Calculating...", L"Ready"));
    EXPECT_EQ(m_Windows.m_vLog.front(), L"Moving Load Analysis of LME called");
    EXPECT_EQ(CountLogged(L"Elapsed time: "), 1);

    ASSERT_TRUE(doc.m_spAOMultiMovingLoad);
    EXPECT_EQ(doc.m_spMovingLoadResults, doc.m_spAOMultiMovingLoad->GetResults<CEnvelopeResults>());
    EXPECT_NEAR(MaxMoment(doc.m_spMovingLoadResults), 500.0, 1e-6);
    EXPECT_EQ(doc.m_spAOMultiMovingLoad->GetModelResults().size(), 2u);

    // The dialog's "Display each sub-analysis result" reached every view.
    ASSERT_EQ(m_Windows.m_vOpened.size(), 4u);
    EXPECT_EQ(m_Windows.m_vPlots[0]->m_sTitle, L"1 - Multi MLA Envelopes - Plot");
    for (const auto& p : m_Windows.m_vPlots)
        EXPECT_EQ(p->m_vOutputs.at(0).nShowEach, 1);
    EXPECT_TRUE(doc.IsModified());
}

// The points per span are taken when the run starts: a change in the settings meanwhile
// reaches only later runs. One span cut into 30 gives 30 + 3 stations.
TEST_F(AnalysisWorkersTest, ARunKeepsThePointsPerSpanOfItsLaunch)
{
    const int keep = g_pSettings->GetAnalysisCopy().NPOINTS_ALONG_BEAM;
    CQELDoc doc;
    doc.m_vBridge.push_back(Span(10.0));
    doc.m_vLoadModelEnsemble.push_back(EnsembleOf({Axle(100.0), Axle(200.0)}));
    ScriptMovingLoad(false, 20);
    g_pSettings->Edit([](CSettings& s) { s.Analysis.NPOINTS_ALONG_BEAM = 30; });
    doc.OnAnalysisMovingLoad();
    g_pSettings->Edit([](CSettings& s) { s.Analysis.NPOINTS_ALONG_BEAM = 60; });
    Finish(doc);
    g_pSettings->Edit([keep](CSettings& s) { s.Analysis.NPOINTS_ALONG_BEAM = keep; });
    ASSERT_TRUE(doc.m_spMovingLoadResults);
    EXPECT_EQ(doc.m_spMovingLoadResults->GetEnvBMD()->m_vMax.size(), 33u);
}

// Range 10 m to 20 m: the first and the last bridge carry the axle at midspan when the
// step is 0.5 m: 100 x 10 / 4 = 250 kNm and 100 x 20 / 4 = 500 kNm.
TEST_F(AnalysisWorkersTest, BridgeRangeKeepsCriticalValuesAndHandsBackTheDerivedStep)
{
    CQELDoc doc;
    doc.m_vBridgeSet.push_back(SpanRange(10.0, 20.0, 10.0));
    doc.m_vLoadModel.push_back(Axle(100.0));
    m_AnalysisDialogs.bridgeRange = [](CBridgeRangeDlgInterface& d) {
        d.m_Stepping.bByStep = false;
        d.m_Stepping.nSteps = 40;
        return DLG_IDOK;
    };
    doc.OnAnalysisBridgeRange();
    EXPECT_THAT(m_Windows.m_vProgressRanges, ElementsAre(std::make_pair(0, doc.m_vBridgeSet[0]->m_nBridge)));
    Finish(doc);

    ASSERT_TRUE(doc.m_spCriticalValues);
    std::vector<double> vMax, vMin;
    doc.m_spCriticalValues->GetMomentValues(vMax, vMin);
    ASSERT_GE(vMax.size(), 2u);
    EXPECT_NEAR(vMax.front(), 250.0, 1e-6);
    EXPECT_NEAR(vMax.back(), 500.0, 1e-6);
    // By count the run derives the step of the last bridge: 20 m / 40 = 0.5 m.
    EXPECT_DOUBLE_EQ(doc.m_DefStepping.step, 0.5);
    ASSERT_TRUE(doc.m_spAOBridgeRange);
    EXPECT_EQ(m_Windows.m_vPlots.at(0)->m_sTitle, L"1 - Critical Values - Plot");
    EXPECT_EQ(Logged(L"Bridge Range Analysis called"), true);
}

TEST_F(AnalysisWorkersTest, StopAfterOneOfThreeModelsShowsNothingButKeepsWhatRan)
{
    CQELDoc doc;
    doc.m_vBridge.push_back(Span(10.0));
    doc.m_vLoadModelEnsemble.push_back(EnsembleOf({Axle(100.0), Axle(200.0), Axle(300.0)}));
    ScriptMovingLoad(false, 20);
    m_Ui.HoldWorkerAtStep(1);
    doc.OnAnalysisMovingLoad();
    ASSERT_TRUE(m_Ui.PumpUntil([&] { return !m_Ui.m_vProgress.empty(); }));
    doc.OnStopAnalysis();
    EXPECT_TRUE(Logged(L"Analysis execution stopped"));
    EXPECT_FALSE(doc.OnUpdateStopAnalysis());
    // The worker is still on its load model: nothing may start or edit beside it yet.
    EXPECT_FALSE(doc.OnUpdateAnalysisCommand());
    EXPECT_FALSE(doc.OnUpdateElementCommand());
    m_Ui.ReleaseWorker();
    Finish(doc);

    EXPECT_TRUE(m_Windows.m_vOpened.empty());
    EXPECT_EQ(CountLogged(L"Elapsed time: "), 1);
    EXPECT_EQ(Resets(), 1);
    // Only the 100 kN axle ran: 100 x 10 / 4 = 250 kNm, not the 750 kNm of the whole run.
    ASSERT_TRUE(doc.m_spAOMultiMovingLoad);
    EXPECT_NEAR(MaxMoment(doc.m_spAOMultiMovingLoad->GetResults<CEnvelopeResults>()), 250.0, 1e-6);
    doc.OnResultsMovingLoad();
    ASSERT_FALSE(m_Windows.m_vOpened.empty());
    EXPECT_EQ(m_Windows.m_vPlots.at(0)->m_vOutputs.at(0).nShowEach, 0);
}

TEST_F(AnalysisWorkersTest, WhileARunGoesNoOtherCommandChangesTheCase)
{
    CQELDoc doc;
    doc.m_vBridge.push_back(Span(10.0));
    doc.m_vLoadModel.push_back(Axle());
    doc.m_vLoadModelEnsemble.push_back(EnsembleOf({Axle(), Axle()}));
    doc.m_vRefCollection.push_back(Collection({SpanRange(10, 20, 10)}, {doc.m_vLoadModelEnsemble[0]}));
    ScriptMovingLoad(false, 20);
    m_Ui.HoldWorkerAtStep(1);
    doc.OnAnalysisMovingLoad();
    const int nMade = m_AnalysisDialogs.m_nMade;

    // Stop is the one analysis command left; only showing options and kept results stays.
    std::vector<int> vEnabled;
    for (const auto& c : GetAnalysisCommands())
        if (IsAnalysisCommandEnabled(doc, c))
            vEnabled.push_back(c.nID);
    EXPECT_THAT(vEnabled, ElementsAre(32951, 32811, 32779, 32780, 32815));

    doc.OnAnalysisSinglePosition();
    doc.OnAnalysisMovingLoad();
    doc.OnAnalysisBridgeRange();
    doc.OnAnalysisRefCollection();
    doc.OnAnalysisCriticalRatios();
    doc.OnToolsFilterLME();
    doc.OnToolsGenerateLME();
    doc.OnToolsGenerateBiDirLME();
    EXPECT_EQ(m_AnalysisDialogs.m_nMade, nMade);
    doc.OnToolsPurgeResults();
    EXPECT_TRUE(m_Windows.m_vQuestions.empty());
    EXPECT_FALSE(doc.DeleteElement(doc.m_vLoadModel[0]));
    EXPECT_EQ(doc.m_vLoadModel.size(), 1u);
    const auto pLME = doc.m_vLoadModelEnsemble[0];
    EXPECT_FALSE(doc.RemoveFromEnsemble(pLME, pLME->m_vLoadModel[0], 0));
    EXPECT_EQ(pLME->m_vLoadModel.size(), 2u);
    int nEdits = 0;
    m_Dialogs.loadModel = [&](ScriptedPropSheetLM&) { return ++nEdits, DLG_IDOK; };
    doc.EditLoadModel(false, doc.m_vLoadModel[0]);
    EXPECT_EQ(nEdits, 0);

    doc.OnStopAnalysis();
    m_Ui.ReleaseWorker();
    Finish(doc);
    EXPECT_TRUE(doc.OnUpdateAnalysisCommand());
    EXPECT_TRUE(doc.OnUpdateElementCommand());
    EXPECT_FALSE(IsAnalysisCommandEnabled(doc, *FindAnalysisCommand(32951)));
    EXPECT_TRUE(IsAnalysisCommandEnabled(doc, *FindAnalysisCommand(32807)));
    EXPECT_TRUE(doc.DeleteElement(doc.m_vLoadModel[0]));
}

// One 100 kN axle over 10 m and 20 m spans, stepping 1 m (the collection's own), against
// a proposed 200 kN axle: every moment ratio is 200 / 100 = 2.
TEST_F(AnalysisWorkersTest, CriticalRatiosOnAnUncalculatedCollectionRunBothWorkersThenAskOnce)
{
    CQELDoc doc;
    doc.m_vLoadModel.push_back(Axle(200.0, L"Proposed axle"));
    auto pColl = Collection({SpanRange(10, 20, 10)}, {EnsembleOf({Axle(100.0)})});
    doc.m_vRefCollection.push_back(pColl);
    ScriptCritRatios(0);
    m_Windows.m_bAnswerYes = true;
    doc.OnAnalysisCriticalRatios();
    ASSERT_EQ(m_Windows.m_vQuestions.size(), 1u);
    EXPECT_EQ(m_Windows.m_vQuestions[0],
              L"Ref. Collection: Coll\nThis collection has not yet been computed.\nDo you wish to compute it now?");
    EXPECT_TRUE(doc.m_bCritRatiosPending);
    Finish(doc);

    EXPECT_EQ(m_Ui.m_nCompletions, 2);
    EXPECT_EQ(m_Windows.m_vLog.at(0), L"Make Reference Collection called");
    EXPECT_EQ(CountLogged(L"Calculate Critical Ratios called"), 1);
    EXPECT_EQ(CountLogged(L"Elapsed time: "), 2);
    EXPECT_THAT(m_Windows.m_vQuestions, ElementsAre(::testing::_, L"Display grids/plots for the analysis?"));
    EXPECT_FALSE(doc.m_bCritRatiosPending);
    EXPECT_FALSE(doc.IsAnalysisRunning());
    EXPECT_TRUE(pColl->m_bIsCalculated);
    EXPECT_TRUE(pColl->m_bIsCompared);
    ASSERT_EQ(pColl->GetCriticalRatioEnsembles().size(), 1u);
    std::vector<double> vMax, vMin;
    pColl->GetCriticalRatioEnsembles()[0]->GetMomentValues(vMax, vMin);
    ASSERT_FALSE(vMax.empty());
    for (double r : vMax)
        EXPECT_NEAR(r, 2.0, 1e-9);
    EXPECT_EQ(m_Windows.m_vOpened.size(), 4u);
    EXPECT_EQ(m_Windows.m_vPlots.at(0)->m_sTitle, L"1 - Critical Ratios - Plot");
}

// Two reference ensembles on one bridge set: the proposed vehicle runs once over that set
// and both reference sets share it, so the bar's range is the steps of that one run and
// the bar reaches its end.
TEST_F(AnalysisWorkersTest, CriticalRatioProgressReachesTheEndOfItsRange)
{
    CQELDoc doc;
    doc.m_vLoadModel.push_back(Axle(200.0, L"Proposed axle"));
    auto pColl = Collection({SpanRange(10, 30, 10)}, {EnsembleOf({Axle(100.0)}), EnsembleOf({Axle(150.0)})});
    doc.m_vRefCollection.push_back(pColl);
    ScriptCritRatios(0);
    m_Windows.m_bAnswerYes = true;
    doc.OnAnalysisCriticalRatios();
    Finish(doc);
    ASSERT_TRUE(pColl->m_bIsCompared);

    m_Ui.m_vProgress.clear();
    m_Windows.m_vProgressRanges.clear();
    m_Windows.m_bAnswerYes = false;
    doc.OnAnalysisCriticalRatios();
    Finish(doc);
    ASSERT_EQ(m_Windows.m_vProgressRanges.size(), 1u);
    const int range = m_Windows.m_vProgressRanges[0].second;
    EXPECT_EQ(range, 3); // 3 bridges x 1 proposed model
    const auto steps = std::count(m_Ui.m_vProgress.begin(), m_Ui.m_vProgress.end(), 1u);
    EXPECT_EQ(steps, range);
    EXPECT_EQ(pColl->GetCriticalRatioEnsembles().size(), 2u);
}

TEST_F(AnalysisWorkersTest, CriticalRatiosDeclinedStartNothing)
{
    CQELDoc doc;
    doc.m_vLoadModel.push_back(Axle(200.0));
    auto pColl = Collection({SpanRange(10, 20, 10)}, {EnsembleOf({Axle(100.0)})});
    doc.m_vRefCollection.push_back(pColl);
    ScriptCritRatios(0);
    doc.OnAnalysisCriticalRatios();
    EXPECT_EQ(m_Windows.m_vQuestions.size(), 1u);
    EXPECT_TRUE(m_Windows.m_vLog.empty());
    EXPECT_TRUE(m_Windows.m_vStatus.empty());
    EXPECT_FALSE(doc.IsAnalysisRunning());
    EXPECT_FALSE(doc.IsWorkerPending());
    EXPECT_FALSE(doc.m_bCritRatiosPending);
    // The proposed item is set all the same.
    EXPECT_TRUE(pColl->m_bUseLM);
    EXPECT_EQ(pColl->m_pPropLME->m_vLoadModel.at(0), doc.m_vLoadModel[0]);
}

TEST_F(AnalysisWorkersTest, ACollectionWithoutBridgeSetsSaysSoAndFreesTheCommands)
{
    CQELDoc doc;
    doc.m_vRefCollection.push_back(Collection({}, {EnsembleOf({Axle()})}));
    m_AnalysisDialogs.analyzeRefCollection = [](CAnalyzeRefCollectionDlgInterface&) { return DLG_IDOK; };
    doc.OnAnalysisRefCollection();
    Finish(doc);
    EXPECT_THAT(m_Windows.m_vErrors, ElementsAre(L"There are either zero bridge sets or load model ensembles.\nin "
                                                 L"the selected Reference Collection. Please check."));
    EXPECT_TRUE(m_Ui.m_vProgress.empty()); // no step was counted, so no reset either
    EXPECT_TRUE(doc.OnUpdateAnalysisCommand());
    EXPECT_FALSE(doc.m_vRefCollection[0]->m_bIsCalculated);
}

// The stopped first step of a chained run must not leave critical ratios pending: the
// next, unrelated collection run would start them on the old collection.
TEST_F(AnalysisWorkersTest, AStoppedCollectionRunDropsItsPendingCriticalRatios)
{
    CQELDoc doc;
    doc.m_vLoadModel.push_back(Axle(200.0));
    auto pFirst = Collection({SpanRange(10, 20, 10)}, {EnsembleOf({Axle(100.0), Axle(150.0)})}, L"First");
    auto pSecond = Collection({SpanRange(10, 20, 10)}, {EnsembleOf({Axle(100.0)})}, L"Second");
    doc.m_vRefCollection = {pFirst, pSecond};
    ScriptCritRatios(0);
    m_Windows.m_bAnswerYes = true;
    m_Ui.HoldWorkerAtStep(1);
    doc.OnAnalysisCriticalRatios();
    ASSERT_TRUE(m_Ui.PumpUntil([&] { return !m_Ui.m_vProgress.empty(); }));
    doc.OnStopAnalysis();
    m_Ui.ReleaseWorker();
    Finish(doc);
    EXPECT_FALSE(pFirst->m_bIsCalculated);
    EXPECT_FALSE(doc.m_bCritRatiosPending);
    EXPECT_EQ(m_Windows.m_vQuestions.size(), 1u); // stopped: no display question

    m_Windows.m_bAnswerYes = false;
    m_AnalysisDialogs.analyzeRefCollection = [](CAnalyzeRefCollectionDlgInterface& d) {
        d.m_nSelRefCollection = 1;
        return DLG_IDOK;
    };
    doc.OnAnalysisRefCollection();
    Finish(doc);
    EXPECT_TRUE(pSecond->m_bIsCalculated);
    EXPECT_FALSE(pSecond->m_bIsCompared);
    EXPECT_FALSE(pFirst->m_bIsCompared);
    EXPECT_EQ(CountLogged(L"Calculate Critical Ratios called"), 0);
    EXPECT_EQ(m_Windows.m_vQuestions.back(), L"Display grids/plots for the analysis?");
}

// A computed collection keeps its results until a recalculation completes: a stopped F4
// or F5 leaves its reference sets, its ratios and its "computed" state as they were.
TEST_F(AnalysisWorkersTest, AStoppedRecalculationKeepsTheCollectionsResults)
{
    CQELDoc doc;
    doc.m_vLoadModel.push_back(Axle(200.0, L"Proposed axle"));
    auto pColl = Collection({SpanRange(10, 20, 10)}, {EnsembleOf({Axle(100.0), Axle(150.0)})});
    doc.m_vRefCollection.push_back(pColl);
    ScriptCritRatios(0);
    m_Windows.m_bAnswerYes = true;
    doc.OnAnalysisCriticalRatios();
    Finish(doc);
    ASSERT_TRUE(pColl->m_bIsCalculated);
    ASSERT_TRUE(pColl->m_bIsCompared);
    const auto sets = pColl->m_vRefSet;
    const auto ratios = pColl->GetCriticalRatioEnsembles();
    auto expectKept = [&](const char* what) {
        EXPECT_TRUE(pColl->m_bIsCalculated) << what;
        EXPECT_TRUE(pColl->m_bIsCompared) << what;
        EXPECT_EQ(pColl->m_vRefSet, sets) << what;
        ASSERT_EQ(pColl->GetCriticalRatioEnsembles().size(), 1u) << what;
        std::vector<double> vMax, vMin;
        pColl->GetCriticalRatioEnsembles()[0]->GetMomentValues(vMax, vMin);
        ASSERT_FALSE(vMax.empty()) << what;
        for (double r : vMax)
            EXPECT_NEAR(r, 200.0 / 150.0, 1e-9) << what; // one axle against the heavier reference axle
    };

    m_Windows.m_bAnswerYes = false;
    m_AnalysisDialogs.analyzeRefCollection = [](CAnalyzeRefCollectionDlgInterface&) { return DLG_IDOK; };
    for (const char* what : {"F4", "F5"}) {
        m_Ui.HoldWorkerAtStep(1);
        if (std::string(what) == "F4")
            doc.OnAnalysisRefCollection();
        else
            doc.OnAnalysisCriticalRatios();
        ASSERT_TRUE(m_Ui.PumpUntil([&] { return !m_Ui.m_vProgress.empty(); })) << what;
        doc.OnStopAnalysis();
        m_Ui.ReleaseWorker();
        Finish(doc);
        expectKept(what);
        m_Ui.m_vProgress.clear();
    }
}

// A collection stored by a program whose axles on an end support reached no support holds
// end reactions that are too low: its tables still show them, the log says once that they
// will be recalculated, and F5 calculates the references again before comparing, so the
// proposed vehicle's end-reaction ratios are those against fresh references.
TEST_F(AnalysisWorkersTest, AnEarlierVersionsCollectionIsCalculatedAgainBeforeItIsCompared)
{
    CQELDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(Utf8ToWide(std::string(QEL_FIXTURE_DIR) + "/before-support-rule.qel")));
    ASSERT_EQ(doc.m_vRefCollection.size(), 1u);
    const auto pColl = doc.m_vRefCollection[0];
    ASSERT_TRUE(pColl->m_bIsCalculated);
    EXPECT_TRUE(pColl->m_bFromEarlierVersion);
    EXPECT_EQ(CountLogged(L"Reference collection \"Before the support rule\": its results come from an earlier "
                          L"version of QEL and will be recalculated"),
              1);
    const auto pProposed = doc.m_vLoadModel.at(2);
    ASSERT_EQ(pProposed->GetDescription(), L"Proposed five axle");

    // What the earlier program compared: the proposed vehicle against the stored references.
    auto endRatios = [](const CReferenceCollection& c) {
        std::vector<double> out;
        for (const auto& pEns : c.GetCriticalRatioEnsembles())
            for (double r : pEns->GetGoverningEndReactionRatios())
                out.push_back(r);
        return out;
    };
    auto stored = MakeWorkingCopy(*pColl);
    stored->SetProposedLoadModel(pProposed);
    ASSERT_TRUE(stored->CompareProposed(CAnalysisFeedback::None(), 1.0, qeltest::TestOptions()));
    auto fresh = MakeWorkingCopy(*pColl);
    ASSERT_TRUE(fresh->Calculate(CAnalysisFeedback::None(), qeltest::TestOptions()));
    fresh->SetProposedLoadModel(pProposed);
    ASSERT_TRUE(fresh->CompareProposed(CAnalysisFeedback::None(), 1.0, qeltest::TestOptions()));

    ScriptCritRatios(2);
    doc.OnAnalysisCriticalRatios();
    Finish(doc);
    EXPECT_EQ(CountLogged(L"Make Reference Collection called"), 1);
    EXPECT_EQ(CountLogged(L"Calculate Critical Ratios called"), 1);
    EXPECT_THAT(m_Windows.m_vQuestions, ElementsAre(L"Display grids/plots for the analysis?"));
    EXPECT_FALSE(pColl->m_bFromEarlierVersion);
    ASSERT_TRUE(pColl->m_bIsCompared);
    const std::vector<double> before = endRatios(*stored), after = endRatios(*pColl), expected = endRatios(*fresh);
    ASSERT_FALSE(after.empty());
    ASSERT_EQ(after.size(), expected.size());
    for (size_t i = 0; i < after.size(); ++i)
        EXPECT_NEAR(after[i], expected[i], 1e-12 * std::abs(expected[i])) << i;
    // The stored end reactions lacked the axle on the support, so the old ratios read high.
    ASSERT_EQ(before.size(), after.size());
    EXPECT_TRUE(std::ranges::any_of(std::views::iota(size_t{0}, before.size()),
                                    [&](size_t i) { return before[i] > after[i] * 1.01; }));
}

// A negative step makes every moving-load analysis throw, on whichever thread it runs; a
// collection that holds one is refused before its run starts, naming the value.
TEST_F(AnalysisWorkersTest, AWorkerThatThrowsEndsInABoxWithItsText)
{
    const std::wstring kThrown = L"The step must be a positive number";
    const std::wstring kRefused =
        L"Reference collection 1 \"Coll\": the step is -1 m; it must be from 0.001 m to 1,000 m";
    struct Case {
        const char* name;
        std::function<void(CQELDoc&)> launch;
        bool bRefusedFirst = false;
    };
    const std::vector<Case> cases = {
        {"ensemble moving load",
         [](CQELDoc& d) {
             d.StartMultiMovingLoad(Stepping{.bByStep = true, .step = -1.0, .nSteps = 0}, false, Span(),
                                    EnsembleOf({Axle()}));
         }},
        {"bridge range",
         [](CQELDoc& d) {
             d.m_DefStepping.bByStep = true;
             d.m_DefStepping.step = -1.0;
             d.StartBridgeRange(SpanRange(10, 20, 10), Axle());
         }},
        {"reference collection",
         [](CQELDoc& d) {
             auto p = Collection({SpanRange(10, 20, 10)}, {EnsembleOf({Axle()})});
             p->m_StepSize = -1.0;
             d.m_vRefCollection.push_back(p);
             d.m_bCritRatiosPending = true; // a failed run drops the request as well
             d.m_spPendingRefCollection = p;
             d.StartRefCollection(p);
         },
         true},
        {"critical ratios",
         [](CQELDoc& d) {
             auto p = Collection({SpanRange(10, 20, 10)}, {EnsembleOf({Axle()})});
             ASSERT_TRUE(p->Calculate(CAnalysisFeedback::None(), qeltest::TestOptions()));
             p->SetProposedLoadModel(Axle(200.0));
             p->m_StepSize = -1.0;
             d.StartCriticalRatios(p);
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_Windows.m_vErrors.clear();
        m_Windows.m_vOpened.clear();
        CQELDoc doc;
        c.launch(doc);
        Finish(doc);
        EXPECT_THAT(m_Windows.m_vErrors, ElementsAre(c.bRefusedFirst ? kRefused : kThrown));
        EXPECT_FALSE(doc.IsAnalysisRunning());
        EXPECT_FALSE(doc.m_bCritRatiosPending);
        EXPECT_TRUE(doc.OnUpdateAnalysisCommand());
        EXPECT_TRUE(m_Windows.m_vOpened.empty());
        EXPECT_EQ(m_Windows.m_vStatus.back(), L"Ready");
    }
}

TEST_F(AnalysisWorkersTest, ClosingDuringARunStopsAndWaitsAndDropsTheLateCompletion)
{
    // Long enough to be running when the case closes: 40 models stepped every 1 cm.
    std::vector<std::shared_ptr<CLoadModel>> models;
    for (int i = 0; i < 40; ++i)
        models.push_back(Axle(100.0 + i));
    auto pLME = EnsembleOf(models);
    {
        auto pDoc = std::make_unique<CQELDoc>();
        pDoc->StartMultiMovingLoad(Stepping{.bByStep = true, .step = 0.01, .nSteps = 0}, false, Span(30.0), pLME);
        pDoc->OnCloseDocument();
        EXPECT_FALSE(pDoc->IsAnalysisRunning());
        EXPECT_FALSE(pDoc->IsWorkerPending());
        EXPECT_EQ(m_Windows.m_vStatus.back(), L"Ready");
    }
    m_Ui.Pump();
    EXPECT_EQ(m_Ui.m_nCompletions, 0);

    // A completion already queued when its case goes is dropped, not delivered to a
    // document that no longer exists.
    const unsigned int kDone = MsgTFMultiML();
    auto pDoc = std::make_unique<CQELDoc>();
    pDoc->StartMultiMovingLoad(Stepping{.bByStep = false, .step = 0.0, .nSteps = 4}, false, Span(10.0),
                               EnsembleOf({Axle()}));
    ASSERT_TRUE(m_Ui.WaitForPosted(kDone));
    pDoc.reset();
    auto pNext = std::make_unique<CQELDoc>();
    m_Ui.Pump();
    EXPECT_TRUE(m_Windows.m_vOpened.empty());
    EXPECT_FALSE(pNext->m_spAOMultiMovingLoad);
    EXPECT_TRUE(m_Windows.m_vErrors.empty());
}

TEST_F(AnalysisWorkersTest, StoppedBridgeRangeAndRatioRunsKeepOnlyWhatIsComplete)
{
    CQELDoc doc;
    auto pSet = SpanRange(10.0, 20.0, 5.0);
    ASSERT_GE(pSet->m_nBridge, 3);
    m_Ui.HoldWorkerAtStep(1); // one model on the first bridge
    doc.StartBridgeRange(pSet, Axle());
    ASSERT_TRUE(m_Ui.PumpUntil([&] { return !m_Ui.m_vProgress.empty(); }));
    doc.OnStopAnalysis();
    m_Ui.ReleaseWorker();
    Finish(doc);
    ASSERT_TRUE(doc.m_spCriticalValues);
    EXPECT_EQ(doc.m_spCriticalValues->m_vEnvResults.size(), 1u);
    EXPECT_FALSE(doc.m_spAOBridgeRange);
    EXPECT_TRUE(m_Windows.m_vOpened.empty());

    auto pColl = Collection({pSet}, {EnsembleOf({Axle(100.0)})});
    ASSERT_TRUE(pColl->Calculate(CAnalysisFeedback::None(), qeltest::TestOptions()));
    pColl->SetProposedLoadModel(Axle(200.0));
    doc.m_vRefCollection.push_back(pColl);
    m_Ui.Pump(); // the steps of the calculation above
    m_Ui.m_vProgress.clear();
    m_Ui.HoldWorkerAtStep(1);
    doc.StartCriticalRatios(pColl);
    ASSERT_TRUE(m_Ui.PumpUntil([&] { return !m_Ui.m_vProgress.empty(); }));
    doc.OnStopAnalysis();
    m_Ui.ReleaseWorker();
    Finish(doc);
    EXPECT_TRUE(pColl->m_bIsCalculated);
    EXPECT_FALSE(pColl->m_bIsCompared);
    EXPECT_TRUE(m_Windows.m_vQuestions.empty());
    m_AnalysisDialogs.viewRefCollection = [](CViewRefCollectionDlgInterface&) { return DLG_IDOK; };
    doc.OnResultsRefCollectionRatios();
    EXPECT_THAT(
        m_Windows.m_vErrors,
        ElementsAre(L"Calculations for the proposed vehicle must be performed.\nAnalysis > Critical Ratios (F5).\n"));
}

TEST_F(AnalysisWorkersTest, RatiosWithoutAProposedVehicleCannotBeCalculated)
{
    CQELDoc doc;
    auto pColl = Collection({SpanRange(10.0, 20.0, 10.0)}, {EnsembleOf({Axle()})});
    ASSERT_TRUE(pColl->Calculate(CAnalysisFeedback::None(), qeltest::TestOptions()));
    pColl->SetProposedEnsemble(EnsembleOf({}));
    m_Ui.Pump(); // the steps of the calculation above
    m_Ui.m_vProgress.clear();
    doc.StartCriticalRatios(pColl);
    Finish(doc);
    EXPECT_THAT(m_Windows.m_vErrors, ElementsAre(L"Critical ratios could not be calculated."));
    EXPECT_TRUE(m_Ui.m_vProgress.empty()); // nothing was counted, nothing is reset
    EXPECT_FALSE(doc.IsAnalysisRunning());
    EXPECT_EQ(CountLogged(L"Elapsed time: "), 1);
}

}
