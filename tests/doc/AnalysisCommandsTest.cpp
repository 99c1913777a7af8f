// The analysis, output-option and tools commands: what they refuse, what they hand their
// dialogs and read back, the synchronous runs and their timing.
#include <regex>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "AnalysisTestUtil.h"
#include "core/beam/BeamResults.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/outputs/AOMovingLoad.h"
#include "core/outputs/AOSinglePosition.h"
#include "TestOptions.h"

using namespace qeltest;
using ::testing::ElementsAre;

namespace {

class AnalysisCommandsTest : public AnalysisDocTest {};

bool IsElapsedLine(const std::wstring& s)
{
    return std::regex_match(s, std::wregex(L"Elapsed time: [0-9]+ ms"));
}

TEST_F(AnalysisCommandsTest, EmptyListsAreRefusedBeforeAnyDialog)
{
    struct Case {
        const char* name;
        std::function<void(CQELDoc&)> fill;
        void (CQELDoc::*command)();
        std::wstring error;
        std::wstring warning;
    };
    const auto bridge = [](CQELDoc& d) { d.m_vBridge.push_back(Span()); };
    const auto none = [](CQELDoc&) {};
    const std::wstring kNoRatios = L"There are no ratios calculated from a Reference Collection to display\n";
    const std::vector<Case> cases = {
        {"moving load, no bridge", none, &CQELDoc::OnAnalysisMovingLoad, L"There are no bridges to analyze.", L""},
        {"moving load, no model", bridge, &CQELDoc::OnAnalysisMovingLoad, L"There is no load model or LME to analyze",
         L""},
        {"single position, no bridge", none, &CQELDoc::OnAnalysisSinglePosition, L"There are no bridges to analyze.",
         L""},
        {"single position, no model", bridge, &CQELDoc::OnAnalysisSinglePosition,
         L"There are no load models to analyze.", L""},
        {"bridge range, no set", none, &CQELDoc::OnAnalysisBridgeRange, L"There are no bridge sets to analyze.", L""},
        {"bridge range, no model", [](CQELDoc& d) { d.m_vBridgeSet.push_back(SpanRange(10, 20, 10)); },
         &CQELDoc::OnAnalysisBridgeRange, L"There are no load models to analyze.", L""},
        {"reference collection", none, &CQELDoc::OnAnalysisRefCollection,
         L"There are no reference collections to analyze.", L""},
        {"collection values", none, &CQELDoc::OnResultsRefCollectionValues,
         L"There are no results from a reference collection to display.", L""},
        {"collection ratios", none, &CQELDoc::OnResultsRefCollectionRatios, kNoRatios, L""},
        {"enhanced grid", none, &CQELDoc::OnResultsEnhancedGrid, kNoRatios, L""},
        {"compare envelopes", none, &CQELDoc::OnCompareEnvelopes, L"", L"No reference collections to compare against."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_Windows.m_vErrors.clear();
        m_Windows.m_vWarnings.clear();
        m_AnalysisDialogs.m_nMade = 0;
        CQELDoc doc;
        c.fill(doc);
        (doc.*c.command)();
        EXPECT_EQ(m_AnalysisDialogs.m_nMade, 0);
        EXPECT_EQ(m_Windows.m_vErrors, c.error.empty() ? std::vector<std::wstring>{} : std::vector{c.error});
        EXPECT_EQ(m_Windows.m_vWarnings, c.warning.empty() ? std::vector<std::wstring>{} : std::vector{c.warning});
    }
}

TEST_F(AnalysisCommandsTest, CriticalRatiosWithoutACollectionSayItAfterTheDialog)
{
    CQELDoc doc;
    doc.m_vLoadModel.push_back(Axle());
    m_AnalysisDialogs.critRatios = [](CCritRatioRefCollDlgInterface&) { return DLG_IDOK; };
    doc.OnAnalysisCriticalRatios();
    EXPECT_EQ(m_AnalysisDialogs.m_nMade, 1);
    EXPECT_THAT(m_Windows.m_vErrors, ElementsAre(L"Cannot complete - there is no Reference Collection."));
}

// An index that names no entry (nothing chosen, a stale list) is refused, not used.
TEST_F(AnalysisCommandsTest, DialogIndicesOutsideTheirListsAreRefused)
{
    struct Case {
        const char* name;
        void (CQELDoc::*command)();
        std::function<void(ScriptedAnalysisDialogs&)> script;
        std::wstring error;
    };
    const std::vector<Case> cases = {
        {"moving load bridge", &CQELDoc::OnAnalysisMovingLoad,
         [](auto& d) { d.movingLoad = [](auto& g) { return g.m_nSelBridge = 1, DLG_IDOK; }; },
         L"Invalid bridge selected."},
        {"moving load model", &CQELDoc::OnAnalysisMovingLoad,
         [](auto& d) { d.movingLoad = [](auto& g) { return g.m_nSelLoadModel = -1, DLG_IDOK; }; },
         L"Invalid load model selected."},
        {"moving load ensemble", &CQELDoc::OnAnalysisMovingLoad,
         [](auto& d) { d.movingLoad = [](auto& g) { return g.m_bUseLoadModel = false, g.m_nSelLME = 1, DLG_IDOK; }; },
         L"Invalid load model ensemble selected."},
        {"single position model", &CQELDoc::OnAnalysisSinglePosition,
         [](auto& d) { d.singlePosition = [](auto& g) { return g.m_nSelLoadModel = 1, DLG_IDOK; }; },
         L"Invalid load model selected."},
        {"bridge range set", &CQELDoc::OnAnalysisBridgeRange,
         [](auto& d) { d.bridgeRange = [](auto& g) { return g.m_nSelBridgeSet = 1, DLG_IDOK; }; },
         L"Invalid bridge set selected."},
        {"reference collection", &CQELDoc::OnAnalysisRefCollection,
         [](auto& d) { d.analyzeRefCollection = [](auto& g) { return g.m_nSelRefCollection = -1, DLG_IDOK; }; },
         L"Invalid reference collection selected."},
        {"critical ratios collection", &CQELDoc::OnAnalysisCriticalRatios,
         [](auto& d) { d.critRatios = [](auto& g) { return g.m_nRefCollection = 1, DLG_IDOK; }; },
         L"Invalid reference collection selected."},
        {"critical ratios ensemble", &CQELDoc::OnAnalysisCriticalRatios,
         [](auto& d) {
             d.critRatios = [](auto& g) { return g.m_bUseLoadModel = false, g.m_nLoadModelEnsemble = 2, DLG_IDOK; };
         },
         L"Invalid load model ensemble selected."},
        {"view collection", &CQELDoc::OnResultsRefCollectionValues,
         [](auto& d) { d.viewRefCollection = [](auto& g) { return g.m_nSelRefCollection = 1, DLG_IDOK; }; },
         L"Invalid reference collection selected."},
        {"filter in place", &CQELDoc::OnToolsFilterLME,
         [](auto& d) {
             d.filterLME = [](auto& g) { return g.m_bCreateNew = false, g.m_nLoadModelEnsemble = 1, DLG_IDOK; };
         },
         L"Invalid load model ensemble selected."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_Windows.m_vErrors.clear();
        m_Windows.m_vLog.clear();
        ScriptedAnalysisDialogs dialogs;
        c.script(dialogs);
        SetDocHost({&m_Windows, &m_Dialogs, &dialogs});
        CQELDoc doc;
        doc.m_vBridge.push_back(Span());
        doc.m_vBridgeSet.push_back(SpanRange(10, 20, 10));
        doc.m_vLoadModel.push_back(Axle());
        doc.m_vLoadModelEnsemble.push_back(EnsembleOf({Axle()}));
        doc.m_vRefCollection.push_back(Collection({doc.m_vBridgeSet[0]}, {doc.m_vLoadModelEnsemble[0]}));
        (doc.*c.command)();
        EXPECT_THAT(m_Windows.m_vErrors, ElementsAre(c.error));
        EXPECT_TRUE(m_Windows.m_vLog.empty());
        EXPECT_FALSE(doc.IsWorkerPending());
        EXPECT_TRUE(m_Windows.m_vOpened.empty());
    }
}

// 100 kN at 3 m on a 10 m simple span: the left reaction is 100 x 7 / 10 = 70 kN and the
// right one 100 x 3 / 10 = 30 kN.
TEST_F(AnalysisCommandsTest, SinglePositionRunsAtOnceAndShowsItsPlot)
{
    CQELDoc doc;
    doc.m_vBridge.push_back(Span(10.0));
    doc.m_vLoadModel.push_back(Axle(100.0));
    m_AnalysisDialogs.singlePosition = [](CSinglePositionDlgInterface& d) {
        EXPECT_EQ(d.m_vBridges.size(), 1u);
        EXPECT_EQ(d.m_vLoadModels.size(), 1u);
        d.m_dLocation = 3.0;
        return DLG_IDOK;
    };
    doc.OnAnalysisSinglePosition();
    ASSERT_TRUE(doc.m_spSinglePosResults);
    const auto r = doc.m_spSinglePosResults->GetReactions();
    ASSERT_GE(r.size(), 2u);
    EXPECT_NEAR(r.front(), 70.0, 1e-6);
    EXPECT_NEAR(r.back(), 30.0, 1e-6);
    EXPECT_DOUBLE_EQ(doc.m_spAOSinglePosition->GetPosition(), 3.0);
    EXPECT_EQ(m_Windows.m_vLog.at(0), L"Single Position Analysis called");
    EXPECT_TRUE(IsElapsedLine(m_Windows.m_vLog.at(1)));
    EXPECT_THAT(m_Windows.m_vStatus, ElementsAre(L"Calculating...", L"Ready"));
    EXPECT_EQ(m_Windows.m_vPlots.at(0)->m_sTitle, L"1 - Single Position Results - Plot");
    EXPECT_TRUE(doc.IsModified());
}

// One 100 kN axle on a 10 m span, stepped every 0.5 m: 250 kNm at midspan.
TEST_F(AnalysisCommandsTest, MovingLoadOfOneModelRunsSynchronouslyAndKeepsTheStepping)
{
    CQELDoc doc;
    doc.m_vBridge.push_back(Span(10.0));
    doc.m_vLoadModel.push_back(Axle(100.0));
    doc.m_vBridgeSet.push_back(SpanRange(10, 20, 10));
    m_AnalysisDialogs.movingLoad = [&](CMovingLoadDlgInterface& d) {
        EXPECT_EQ(d.m_Stepping.bByStep, doc.m_DefStepping.bByStep);
        EXPECT_EQ(d.m_Stepping.nSteps, doc.m_DefStepping.nSteps);
        d.m_Stepping.bByStep = true;
        d.m_Stepping.step = 0.5;
        d.m_bShowEachResult = true;
        return DLG_IDOK;
    };
    doc.OnAnalysisMovingLoad();
    EXPECT_FALSE(doc.IsAnalysisRunning());
    EXPECT_FALSE(doc.IsWorkerPending());
    EXPECT_EQ(m_Windows.m_vLog.at(0), L"Moving Load Analysis called");
    EXPECT_TRUE(IsElapsedLine(m_Windows.m_vLog.at(1)));
    EXPECT_THAT(m_Windows.m_vStatus, ElementsAre(L"Calculating...", L"Ready"));
    ASSERT_TRUE(doc.m_spAOMovingLoad);
    EXPECT_NEAR(doc.m_spMovingLoadResults->GetEnvBMD()->GetMaxEffect().val, 250.0, 1e-6);
    ASSERT_EQ(m_Windows.m_vOpened.size(), 4u);
    EXPECT_EQ(m_Windows.m_vPlots.at(0)->m_vOutputs.at(0).nShowEach, 1);

    // The choice is the next default, also of the bridge-range dialog; a cancel keeps it.
    m_AnalysisDialogs.movingLoad = [](CMovingLoadDlgInterface& d) {
        d.m_Stepping.step = 9.0;
        return DLG_IDCANCEL;
    };
    doc.OnAnalysisMovingLoad();
    EXPECT_TRUE(doc.m_DefStepping.bByStep);
    EXPECT_EQ(doc.m_DefStepping.step, 0.5);
    m_AnalysisDialogs.bridgeRange = [](CBridgeRangeDlgInterface& d) {
        EXPECT_TRUE(d.m_Stepping.bByStep);
        EXPECT_EQ(d.m_Stepping.step, 0.5);
        return DLG_IDCANCEL;
    };
    doc.OnAnalysisBridgeRange();
    EXPECT_EQ(m_AnalysisDialogs.m_nMade, 3);
}

TEST_F(AnalysisCommandsTest, ASynchronousRunThatThrowsLeavesReadyAndTheFlagDown)
{
    CQELDoc doc;
    doc.RunMovingLoadAnalysis(Stepping{.bByStep = true, .step = -1.0, .nSteps = 0}, false, Span(), Axle());
    EXPECT_FALSE(doc.IsAnalysisRunning());
    EXPECT_EQ(m_Windows.m_vStatus.back(), L"Ready");
    EXPECT_THAT(m_Windows.m_vErrors, ElementsAre(L"The step must be a positive number"));
    EXPECT_FALSE(doc.m_spAOMovingLoad);
    EXPECT_TRUE(m_Windows.m_vOpened.empty());
}

TEST_F(AnalysisCommandsTest, StopWhenNothingRunsDoesNothing)
{
    CQELDoc doc;
    EXPECT_FALSE(doc.OnUpdateStopAnalysis());
    doc.OnStopAnalysis();
    EXPECT_TRUE(m_Windows.m_vLog.empty());
}

TEST_F(AnalysisCommandsTest, OutputOptionsChangeOnlyThisCase)
{
    CQELDoc doc;
    m_AnalysisDialogs.outputOptions = [](COutputOptionsDlgInterface& d) {
        EXPECT_TRUE(d.m_bBMSF && d.m_bReactions && d.m_bGraphs && d.m_bTables);
        d.m_bReactions = false;
        d.m_bTables = false;
        return DLG_IDOK;
    };
    doc.OnOutputOptions();
    EXPECT_TRUE(doc.m_bOutBMSF);
    EXPECT_FALSE(doc.m_bOutReactions);
    EXPECT_TRUE(doc.m_bOutGraphs);
    EXPECT_FALSE(doc.m_bOutTables);
    EXPECT_THAT(m_Windows.m_vLog, ElementsAre(L"Updated Output Options"));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(g_pSettings->General.Output.R);
    CQELDoc next;
    EXPECT_TRUE(next.m_bOutReactions);

    m_AnalysisDialogs.outputOptions = [](COutputOptionsDlgInterface& d) { return d.m_bGraphs = false, DLG_IDCANCEL; };
    doc.OnOutputOptions();
    EXPECT_TRUE(doc.m_bOutGraphs);
}

TEST_F(AnalysisCommandsTest, PurgeEmptiesTheResultsAndUncalculatesEveryCollection)
{
    CQELDoc doc;
    doc.m_vBridge.push_back(Span(10.0));
    doc.m_vLoadModel.push_back(Axle());
    doc.RunMovingLoadAnalysis(Stepping{.bByStep = false, .step = 0.0, .nSteps = 20}, false, doc.m_vBridge[0],
                              doc.m_vLoadModel[0]);
    auto pColl = Collection({SpanRange(10, 20, 10)}, {EnsembleOf({Axle()})});
    ASSERT_TRUE(pColl->Calculate(CAnalysisFeedback::None(), qeltest::TestOptions()));
    doc.m_vRefCollection.push_back(pColl);
    ASSERT_TRUE(doc.m_spAOMovingLoad);
    m_Windows.m_vLog.clear();

    m_Windows.m_bAnswerYes = false;
    doc.OnToolsPurgeResults();
    EXPECT_TRUE(doc.m_spAOMovingLoad);
    EXPECT_TRUE(pColl->m_bIsCalculated);

    m_Windows.m_bAnswerYes = true;
    doc.OnToolsPurgeResults();
    EXPECT_THAT(m_Windows.m_vQuestions, ElementsAre(L"Are you sure you wish to purge all analysis results?",
                                                    L"Are you sure you wish to purge all analysis results?"));
    EXPECT_THAT(m_Windows.m_vLog, ElementsAre(L"Purged analysis results"));
    EXPECT_FALSE(pColl->m_bIsCalculated);
    EXPECT_EQ(pColl->m_nRefSet, 0);
    m_Windows.m_vErrors.clear();
    doc.OnResultsSinglePosition();
    doc.OnResultsMovingLoad();
    doc.OnResultsBridgeRange();
    EXPECT_THAT(m_Windows.m_vErrors, ElementsAre(L"There are no results from a single position analysis to display.",
                                                 L"There are no results from a moving load analysis to display.",
                                                 L"There are no results from a bridge range to display."));
}

TEST_F(AnalysisCommandsTest, ToolsAddTheEnsemblesTheirDialogsMake)
{
    CQELDoc doc;
    doc.m_vLoadModel.push_back(Axle());
    auto pExisting = EnsembleOf({Axle()}, L"Existing");
    doc.m_vLoadModelEnsemble.push_back(pExisting);

    m_AnalysisDialogs.filterLME = [](CFilterLMEDlgInterface& d) {
        d.m_pResult = EnsembleOf({}, L"Filtered");
        return DLG_IDOK;
    };
    doc.OnToolsFilterLME();
    m_AnalysisDialogs.filterLME = [](CFilterLMEDlgInterface& d) { return d.m_bCreateNew = false, DLG_IDOK; };
    doc.OnToolsFilterLME();
    m_AnalysisDialogs.generateLME = [](CGenerateLMEDlgInterface& d) {
        EXPECT_EQ(d.m_nLMECount, 2);
        d.m_spGeneratedLME = EnsembleOf({}, L"Generated");
        return DLG_IDOK;
    };
    doc.OnToolsGenerateLME();
    m_AnalysisDialogs.generateBiDir = [](CGenerateBiDirLMEInterface& d) {
        EXPECT_EQ(d.m_nLMECount, 3);
        EXPECT_EQ(d.m_vLoadModelEnsembles.size(), 3u);
        d.m_pResult = EnsembleOf({}, L"Both ways");
        return DLG_IDOK;
    };
    doc.OnToolsGenerateBiDirLME();
    m_AnalysisDialogs.generateBiDir = [](CGenerateBiDirLMEInterface& d) {
        d.m_pResult = EnsembleOf({}, L"Cancelled");
        return DLG_IDCANCEL;
    };
    doc.OnToolsGenerateBiDirLME();

    EXPECT_THAT(m_Windows.m_vLog,
                ElementsAre(L"Added filtered LME: Filtered", L"Filtered LME: Existing",
                            L"Added generated LME: Generated", L"Added generated bidirection LME: Both ways"));
    ASSERT_EQ(doc.m_vLoadModelEnsemble.size(), 4u);
    EXPECT_EQ(doc.m_vLoadModelEnsemble[3]->GetDescription(), L"Both ways");
    EXPECT_EQ(doc.m_nNextID[CQELDoc::NEXTID_LME], 3);
    EXPECT_EQ(m_Windows.m_Tree.Count("Populate"), 4);
    EXPECT_TRUE(doc.IsModified());
}

}
