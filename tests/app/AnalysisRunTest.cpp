// An analysis run through the real main frame: its commands, keys, the completion posted
// from the worker thread, and a new case replacing one whose run is still going.
#include <QAction>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QListWidget>

#include "AppTestUtil.h"
#include "app/AppIds.h"
#include "app/OutputWnd.h"
#include "app/doc/DocHost.h"
#include "app/doc/QELDoc.h"
#include "doc/AnalysisTestUtil.h"

using namespace qeltest;

namespace {

class AnalysisRun : public AppFixture {
protected:
    void StartWithAnEnsembleRun(int nModels, double dStep)
    {
        Start();
        DocHost host = GetDocHost();
        host.pAnalysisDialogs = &m_Dialogs;
        SetDocHost(host);
        CQELDoc& doc = *app->GetDocument();
        doc.m_vBridge.push_back(Span(10.0));
        std::vector<std::shared_ptr<CLoadModel>> models;
        for (int i = 0; i < nModels; ++i)
            models.push_back(Axle(100.0 + i));
        doc.m_vLoadModelEnsemble.push_back(EnsembleOf(models));
        doc.m_bOutGraphs = doc.m_bOutTables = false; // the result windows are the views' own tests
        m_Dialogs.movingLoad = [=](CMovingLoadDlgInterface& d) {
            d.m_bUseLM = false;
            d.m_bByStep = true;
            d.m_dStepSize = dStep;
            return DLG_IDOK;
        };
    }
    void TearDown() override
    {
        DocHost host = GetDocHost();
        host.pAnalysisDialogs = nullptr;
        SetDocHost(host);
        AppFixture::TearDown();
    }
    bool Logged(const QString& prefix)
    {
        QListWidget* list = Frame().GetOutputWnd()->GetList();
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text().contains(prefix))
                return true;
        return false;
    }
    bool Enabled(int nID)
    {
        Frame().UpdateCommandUI();
        return Frame().GetCommandAction(nID)->isEnabled();
    }

    ScriptedAnalysisDialogs m_Dialogs;
};

TEST_F(AnalysisRun, TheCommandsHaveTheirKeys)
{
    Start();
    const std::vector<std::pair<int, const char*>> keys = {
        {32807, "F4"}, {32809, "F5"}, {32951, "F9"}, {32811, "Alt+O"}, {32815, "Alt+G"}};
    for (const auto& [nID, key] : keys) {
        SCOPED_TRACE(key);
        ASSERT_NE(Frame().GetCommandAction(nID), nullptr);
        EXPECT_EQ(Frame().GetCommandAction(nID)->shortcut(), QKeySequence(QString::fromLatin1(key)));
    }
    EXPECT_FALSE(Enabled(32951));
    EXPECT_TRUE(Enabled(32807));
}

TEST_F(AnalysisRun, TheWorkersCompletionReachesTheCaseThroughTheMainFrame)
{
    StartWithAnEnsembleRun(2, 0.5);
    CQELDoc& doc = *app->GetDocument();
    ASSERT_TRUE(Frame().ExecuteCommand(32772));
    EXPECT_TRUE(Enabled(32951));
    EXPECT_FALSE(Enabled(32772));
    EXPECT_FALSE(Enabled(ID_ADD_BRIDGE));
    EXPECT_FALSE(Enabled(ID_FILE_SAVE)); // the file would be written while the worker changes load models
    EXPECT_EQ(Frame().m_nProgressMax, 2);

    QElapsedTimer timer;
    timer.start();
    while (doc.IsWorkerPending() && timer.elapsed() < 60000)
        ProcessEvents();
    ASSERT_FALSE(doc.IsWorkerPending());
    ProcessEvents(); // the completion's progress reset
    EXPECT_TRUE(doc.m_spAOMultiMovingLoad);
    EXPECT_TRUE(Logged(QStringLiteral("Moving Load Analysis of LME called")));
    EXPECT_TRUE(Logged(QStringLiteral("Elapsed time: ")));
    EXPECT_EQ(Frame().GetStatusText(), L"Ready");
    EXPECT_EQ(Frame().GetProgressPos(), 0);
    EXPECT_FALSE(Enabled(32951));
    EXPECT_TRUE(Enabled(32772));
}

TEST_F(AnalysisRun, ANewCaseStopsTheRunningAnalysisFirst)
{
    StartWithAnEnsembleRun(40, 0.01);
    app->GetDocument()->SetModifiedFlag(false);
    ASSERT_TRUE(Frame().ExecuteCommand(32772));
    app->GetDocument()->SetModifiedFlag(false);
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_NEW));
    ProcessEvents();
    ASSERT_NE(app->GetDocument(), nullptr);
    EXPECT_FALSE(app->GetDocument()->IsAnalysisRunning());
    EXPECT_FALSE(app->GetDocument()->m_spAOMultiMovingLoad);
    EXPECT_TRUE(Enabled(32772));
    EXPECT_TRUE(boxes.empty());
}

}
