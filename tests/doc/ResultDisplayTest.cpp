// Which result windows a display opens, in which order, with which titles and layouts,
// and what each result command says when there is nothing to show.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "AnalysisTestUtil.h"
#include "core/beam/BeamResults.h"
#include "core/reference/ReferenceSet.h"
#include "core/critical/CriticalValueEnsemble.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/outputs/AOBridgeRange.h"
#include "core/outputs/AOCompareRefSetEnvs.h"
#include "core/outputs/AOCriticalRatios.h"
#include "core/outputs/AOEnhanced.h"
#include "core/outputs/AOMovingLoad.h"
#include "core/outputs/AOMultiMovingLoad.h"
#include "core/outputs/AOReferenceSet.h"
#include "core/outputs/AOSinglePosition.h"
#include "TestOptions.h"

using namespace qeltest;
using ::testing::ElementsAre;

namespace {

struct Opened {
    std::wstring title;
    std::string kind;
    bool bBMSF;
    bool operator==(const Opened&) const = default;
};

void PrintTo(const Opened& o, std::ostream* os)
{
    *os << std::string(o.title.begin(), o.title.end()) << " " << o.kind << (o.bBMSF ? " BMSF" : " R");
}

class ResultDisplayTest : public AnalysisDocTest {
protected:
    std::vector<Opened> OpenedWindows() const
    {
        std::vector<Opened> v;
        for (CDocResultView* p : m_Windows.m_vOpened) {
            if (auto* plot = dynamic_cast<RecordingPlotView*>(p))
                for (const auto& c : plot->m_vOutputs)
                    v.push_back({plot->m_sTitle, c.kind, c.bBMSF});
            if (auto* grid = dynamic_cast<RecordingGridView*>(p))
                for (const auto& c : grid->m_vOutputs)
                    v.push_back({grid->m_sTitle, c.kind, c.bBMSF});
        }
        return v;
    }
    void SetOptions(CQELDoc& doc, bool bGraphs, bool bTables, bool bBMSF, bool bReactions)
    {
        doc.m_bOutGraphs = bGraphs;
        doc.m_bOutTables = bTables;
        doc.m_bOutBMSF = bBMSF;
        doc.m_bOutReactions = bReactions;
    }
    // A finished moving-load run of one axle over the bridge.
    void RunMovingLoad(CQELDoc& doc, std::shared_ptr<CBridge> pBridge)
    {
        const bool g = doc.m_bOutGraphs, t = doc.m_bOutTables;
        doc.m_bOutGraphs = doc.m_bOutTables = false; // show nothing yet
        doc.RunMovingLoadAnalysis(Stepping{.bByStep = false, .step = 0.0, .nSteps = 20}, false, std::move(pBridge),
                                  Axle());
        doc.m_bOutGraphs = g;
        doc.m_bOutTables = t;
        m_Windows.m_vErrors.clear();
    }
    // A collection of one 10-20 m set per ensemble, calculated, optionally compared
    // against a 200 kN axle.
    std::shared_ptr<CReferenceCollection> Calculated(int nEnsembles, bool bCompared)
    {
        std::vector<std::shared_ptr<CLoadModelEnsemble>> lmes;
        for (int i = 0; i < nEnsembles; ++i)
            lmes.push_back(EnsembleOf({Axle(100.0 + i)}));
        auto p = Collection({SpanRange(10, 20, 10)}, lmes);
        EXPECT_TRUE(p->Calculate(CAnalysisFeedback::None(), qeltest::TestOptions()));
        if (bCompared) {
            p->SetProposedLoadModel(Axle(200.0));
            EXPECT_TRUE(p->CompareProposed(CAnalysisFeedback::None(), 1.0, qeltest::TestOptions()));
        }
        return p;
    }
};

TEST_F(ResultDisplayTest, OutputOptionsChooseTheWindowsAndTheirOrder)
{
    const std::wstring P = L" - MLA Envelopes - Plot", G = L" - MLA Envelopes - Grid";
    struct Case {
        const char* name;
        bool g, t, bmsf, r;
        std::vector<Opened> windows;
    };
    const std::vector<Case> cases = {
        {"all four",
         true,
         true,
         true,
         true,
         {{L"1" + P, "MovingLoad", true},
          {L"2" + P, "MovingLoad", false},
          {L"3" + G, "MovingLoad", true},
          {L"4" + G, "MovingLoad", false}}},
        {"graphs, no effect chosen", true, false, false, false, {}},
        {"reactions tables", false, true, false, true, {{L"1" + G, "MovingLoad", false}}},
        {"bending plots", true, false, true, false, {{L"1" + P, "MovingLoad", true}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_Windows.m_vOpened.clear();
        CQELDoc doc;
        RunMovingLoad(doc, Span(10.0));
        SetOptions(doc, c.g, c.t, c.bmsf, c.r);
        doc.OnResultsMovingLoad();
        EXPECT_EQ(OpenedWindows(), c.windows);
        EXPECT_TRUE(m_Windows.m_vErrors.empty());
    }
}

TEST_F(ResultDisplayTest, NeitherGraphsNorTablesIsSaidEvenWithoutAnOutput)
{
    CQELDoc doc;
    SetOptions(doc, false, false, true, true);
    doc.ShowBridgeRangeOutput(nullptr);
    EXPECT_THAT(m_Windows.m_vErrors, ElementsAre(L"Neither graph nor table output selected."));
}

TEST_F(ResultDisplayTest, SinglePositionAlwaysHasItsOneBendingPlot)
{
    CQELDoc doc;
    SetOptions(doc, true, false, false, false);
    doc.ShowSinglePositionOutput(
        std::make_shared<CAOSinglePosition>(std::make_shared<CBeamResults>(), Span(), Axle(), 2.0));
    ASSERT_EQ(m_Windows.m_vPlots.size(), 1u);
    EXPECT_EQ(m_Windows.m_vPlots[0]->m_nRows, 2);
    EXPECT_EQ(m_Windows.m_vPlots[0]->m_nCols, 1);
    EXPECT_THAT(OpenedWindows(), ElementsAre(Opened{L"1 - Single Position Results - Plot", "SinglePosition", true}));
}

// n spans have n + 1 supports, one reaction chart each: 2 and 3 in a column, 4 as 2 x 2,
// and 5 (four spans) in no layout, so that plot is left out and the rest still opens.
TEST_F(ResultDisplayTest, TheReactionsPlotFollowsTheNumberOfSupports)
{
    struct Case {
        int nSpans;
        int rows, cols; // 0: no reactions plot
    };
    for (const Case c : {Case{1, 2, 1}, Case{2, 3, 1}, Case{3, 2, 2}, Case{4, 0, 0}}) {
        SCOPED_TRACE(c.nSpans);
        m_Windows.m_vOpened.clear();
        m_Windows.m_vPlots.clear();
        CQELDoc doc;
        RunMovingLoad(doc, EqualSpans(c.nSpans, 10.0));
        doc.OnResultsMovingLoad();
        const bool bPlot = c.rows > 0;
        ASSERT_EQ(m_Windows.m_vPlots.size(), bPlot ? 2u : 1u);
        EXPECT_EQ(m_Windows.m_vOpened.size(), bPlot ? 4u : 3u);
        if (bPlot) {
            EXPECT_EQ(m_Windows.m_vPlots[1]->m_nRows, c.rows);
            EXPECT_EQ(m_Windows.m_vPlots[1]->m_nCols, c.cols);
            EXPECT_FALSE(m_Windows.m_vPlots[1]->m_vOutputs.at(0).bBMSF);
        }
        EXPECT_TRUE(m_Windows.m_vErrors.empty());
    }
}

TEST_F(ResultDisplayTest, EmptyOutputsGetTheirKindsMessage)
{
    CQELDoc doc;
    // A stop before the first bridge leaves critical values without results; one before
    // the first position leaves envelope results without envelopes.
    auto pNoBridges = std::make_shared<CCriticalValueEnsemble>(std::vector<std::shared_ptr<CEnvelopeResults>>{},
                                                               SpanRange(10, 20, 10));
    auto pNoEnvelopes = std::make_shared<CEnvelopeResults>();
    doc.ShowSinglePositionOutput(nullptr);
    doc.ShowMovingLoadOutput(false, nullptr);
    doc.ShowMultiMovingLoadOutput(false, nullptr);
    doc.ShowMultiMovingLoadOutput(
        false, std::make_shared<CAOMultiMovingLoad>(pNoEnvelopes, std::vector<std::shared_ptr<CEnvelopeResults>>{},
                                                    Span(), EnsembleOf({}), 0));
    doc.ShowBridgeRangeOutput(nullptr);
    doc.ShowBridgeRangeOutput(std::make_shared<CAOBridgeRange>(pNoBridges, SpanRange(10, 20, 10), Axle()));
    doc.ShowRefValuesOutput(nullptr);
    doc.ShowCompareEnvelopesOutput(nullptr);
    doc.ShowCriticalRatiosOutput(nullptr);
    EXPECT_THAT(m_Windows.m_vErrors,
                ElementsAre(L"No Single Position results to display.", L"No Moving Load results to display.",
                            L"No Moving Load of LME results to display.", L"No Moving Load of LME results to display.",
                            L"No Bridge Range results to display.", L"No Bridge Range results to display.",
                            L"No Reference Set results to display.",
                            L"No envelopes to compare - Reference Collection not calculated?",
                            L"No Critical Ratio results to display."));
    EXPECT_TRUE(m_Windows.m_vOpened.empty());
}

TEST_F(ResultDisplayTest, MovingLoadResultsShowBothKindsSingleFirst)
{
    CQELDoc doc;
    doc.m_vBridge.push_back(Span(10.0));
    doc.m_vLoadModelEnsemble.push_back(EnsembleOf({Axle(), Axle(50.0)}));
    SetOptions(doc, true, false, true, false);
    RunMovingLoad(doc, Span(10.0));
    doc.StartMultiMovingLoad(Stepping{.bByStep = false, .step = 0.0, .nSteps = 10}, true, doc.m_vBridge[0],
                             doc.m_vLoadModelEnsemble[0]);
    Finish(doc);
    m_Windows.m_vOpened.clear();
    doc.OnResultsMovingLoad();
    const auto v = OpenedWindows();
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[0].kind, "MovingLoad");
    EXPECT_EQ(v[1].kind, "MultiMovingLoad");
    EXPECT_EQ(v[1].title, L"3 - Multi MLA Envelopes - Plot");
    // The run passed its dialog's choice; showing again passes 0.
    ASSERT_EQ(m_Windows.m_vPlots.size(), 3u);
    EXPECT_EQ(m_Windows.m_vPlots[0]->m_vOutputs.at(0).nShowEach, 1);
    EXPECT_EQ(m_Windows.m_vPlots[1]->m_vOutputs.at(0).nShowEach, 0);
    EXPECT_EQ(m_Windows.m_vPlots[2]->m_vOutputs.at(0).nShowEach, 0);
}

TEST_F(ResultDisplayTest, CollectionValuesOpenOneGroupPerReferenceSet)
{
    CQELDoc doc;
    SetOptions(doc, true, false, true, false);
    auto pColl = Calculated(3, false);
    doc.m_vRefCollection = {Collection({}, {}), pColl};
    m_AnalysisDialogs.viewRefCollection = [](CViewRefCollectionDlgInterface& d) {
        return d.m_nSelRefCollection = 1, DLG_IDOK;
    };
    doc.OnResultsRefCollectionValues();
    EXPECT_THAT(OpenedWindows(), ElementsAre(Opened{L"1 - Reference Values - Plot", "RefSet", true},
                                             Opened{L"2 - Reference Values - Plot", "RefSet", true},
                                             Opened{L"3 - Reference Values - Plot", "RefSet", true}));
    ASSERT_TRUE(doc.m_spAOReferenceSet);
    EXPECT_EQ(doc.m_spAOReferenceSet->GetReferenceSet<CReferenceSet>(), pColl->GetRefSet(2));

    m_AnalysisDialogs.viewRefCollection = [](CViewRefCollectionDlgInterface&) { return DLG_IDOK; };
    doc.OnResultsRefCollectionValues();
    EXPECT_THAT(m_Windows.m_vErrors, ElementsAre(L"There are no results from the reference collection to display."));
}

TEST_F(ResultDisplayTest, CompareAndRatiosNeedACalculatedComparedCollection)
{
    CQELDoc doc;
    SetOptions(doc, true, false, true, false);
    auto pUncompared = Calculated(1, false);
    auto pCompared = Calculated(1, true);
    auto pUncalculated = Collection({SpanRange(10, 20, 10)}, {EnsembleOf({Axle()})});
    doc.m_vRefCollection = {pUncompared, pCompared, pUncalculated};
    int nChoice = 0, nBridge = 0;
    m_AnalysisDialogs.compare = [&](CCompareEnvelopesDlgInterface& d) {
        d.m_nSelRefCollection = nChoice;
        d.m_nSelBridge = nBridge;
        return DLG_IDOK;
    };
    m_AnalysisDialogs.viewRefCollection = [&](CViewRefCollectionDlgInterface& d) {
        return d.m_nSelRefCollection = nChoice, DLG_IDOK;
    };

    doc.OnCompareEnvelopes();
    EXPECT_THAT(m_Windows.m_vWarnings, ElementsAre(L"No critical ratios for a proposed vehicle have been calculated."));
    doc.OnResultsRefCollectionRatios();
    EXPECT_THAT(
        m_Windows.m_vErrors,
        ElementsAre(L"Calculations for the proposed vehicle must be performed.\nAnalysis > Critical Ratios (F5).\n"));
    doc.OnResultsEnhancedGrid();
    EXPECT_EQ(m_Windows.m_vErrors.back(), L"There are no ratios calculated for the selected reference collection.");

    nChoice = 2; // the dialog itself says that it has not been solved
    m_Windows.m_vErrors.clear();
    doc.OnCompareEnvelopes();
    EXPECT_TRUE(m_Windows.m_vErrors.empty());

    nChoice = 1;
    nBridge = 99;
    doc.OnCompareEnvelopes();
    EXPECT_THAT(m_Windows.m_vErrors, ElementsAre(L"Invalid bridge selected."));
    EXPECT_TRUE(m_Windows.m_vOpened.empty());

    nBridge = 1;
    doc.OnCompareEnvelopes();
    doc.OnResultsRefCollectionRatios();
    doc.m_bOutGraphs = false; // the enhanced grid ignores the output options
    doc.OnResultsEnhancedGrid();
    EXPECT_THAT(OpenedWindows(), ElementsAre(Opened{L"1 - Compare Envelopes - Plot", "CompareEnvelopes", true},
                                             Opened{L"2 - Critical Ratios - Plot", "CriticalRatios", true},
                                             Opened{L"3 - Critical Ratios Grid", "Enhanced", false}));
    EXPECT_TRUE(doc.m_spAOEnhanced);
    EXPECT_TRUE(doc.m_spAOCriticalRatios);
}

}
