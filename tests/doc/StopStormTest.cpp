// Many runs of each worker, each stopped at a random moment (from at once to after it has
// finished), some of them by closing the case: nothing may crash, leak, hang or stay up.
#include <chrono>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "AnalysisTestUtil.h"
#include "TestOptions.h"

using namespace qeltest;

namespace {

class StopStormTest : public AnalysisDocTest {};

TEST_F(StopStormTest, EveryWorkerKindSurvivesStopsAndClosesAtAnyMoment)
{
    constexpr int kRuns = 1000;
    CAnalysisThreadsScope allCores(0); // the workers' own analysis threads stop as well
    std::mt19937 rng(20261210);

    const auto pBridge = Span(10.0);
    const auto pLME = EnsembleOf({Axle(100.0), Axle(150.0), Axle(200.0)});
    const auto pBridgeSet = SpanRange(10.0, 20.0, 5.0);
    const auto pLoadModel = Axle(120.0);
    const auto pToCalculate = Collection({pBridgeSet}, {pLME}, L"Reference");
    const auto pToCompare = Collection({pBridgeSet}, {pLME}, L"Compared");
    ASSERT_TRUE(pToCompare->Calculate(CAnalysisFeedback::None(), qeltest::TestOptions()));
    pToCompare->SetProposedLoadModel(Axle(250.0));

    struct Kind {
        const char* name;
        std::function<void(CQELDoc&)> launch;
        unsigned int done; // its completion message
    };
    const std::vector<Kind> kinds = {
        {"ensemble moving load",
         [&](CQELDoc& d) {
             d.StartMultiMovingLoad(Stepping{.bByStep = false, .step = 0.0, .nSteps = 40}, false, pBridge, pLME);
         },
         MsgTFMultiML()},
        {"bridge range", [&](CQELDoc& d) { d.StartBridgeRange(pBridgeSet, pLoadModel); }, MsgTFBridgeRange()},
        {"reference collection", [&](CQELDoc& d) { d.StartRefCollection(pToCalculate); }, MsgTFRefValues()},
        {"critical ratios", [&](CQELDoc& d) { d.StartCriticalRatios(pToCompare); }, MsgTFCritRatios()},
    };
    m_Windows.m_bAnswerYes = false;
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        auto pDoc = std::make_unique<CQELDoc>();
        // Delays up to twice a whole run (the quickest of a few), however fast this build runs.
        auto runUs = std::chrono::microseconds::max();
        for (int i = 0; i < 5; ++i) {
            const auto t0 = std::chrono::steady_clock::now();
            kind.launch(*pDoc);
            ASSERT_TRUE(m_Ui.WaitForPosted(kind.done));
            runUs = std::min(
                runUs, std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0));
            Finish(*pDoc);
        }
        std::uniform_int_distribution<long> delayUs(0, 2 * runUs.count() + 1);
        m_Windows = RecordingWindows();
        m_Windows.m_bAnswerYes = false;

        int nCompleted = 0, nStopped = 0, nClosed = 0;
        for (int i = 0; i < kRuns; ++i) {
            kind.launch(*pDoc);
            const int us = rng() % 4 == 0 ? 0 : delayUs(rng);
            if (us > 0)
                std::this_thread::sleep_for(std::chrono::microseconds(us));
            if (rng() % 8 == 0) {
                pDoc.reset();
                pDoc = std::make_unique<CQELDoc>();
                m_Ui.Pump();
                ++nClosed;
            } else {
                const bool bFinishedFirst = m_Ui.CompletionQueued();
                pDoc->OnStopAnalysis();
                Finish(*pDoc);
                ++(bFinishedFirst ? nCompleted : nStopped);
            }
            ASSERT_FALSE(pDoc->IsAnalysisRunning());
            ASSERT_FALSE(pDoc->IsWorkerPending());
            ASSERT_FALSE(pDoc->IsCompletionAwaited());
            ASSERT_FALSE(pDoc->m_bCritRatiosPending);
            m_Windows = RecordingWindows(); // keep memory flat over the storm
            m_Windows.m_bAnswerYes = false;
        }
        // The delays reached both sides of the run's end, and some cases were closed.
        EXPECT_GT(nStopped, 0);
        EXPECT_GT(nCompleted, 0);
        EXPECT_GT(nClosed, 0);
    }
}

}
