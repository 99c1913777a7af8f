// An analysis run through the real main frame: its commands, keys, the completion posted
// from the worker thread, and a new case replacing one whose run is still going.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QListWidget>
#include <QRegularExpression>

#include "AppTestUtil.h"
#include "app/AppIds.h"
#include "app/ChildFrame.h"
#include "app/OutputWnd.h"
#include "app/doc/DocHost.h"
#include "app/doc/QELDoc.h"
#include "doc/AnalysisTestUtil.h"
#include "core/outputs/AOMultiMovingLoad.h"
#include "ui/dialogs/AnalysisDlgs.h"

using namespace qeltest;

namespace {

class AnalysisRun : public AppFixture {
protected:
    void StartWithAnEnsembleRun(int nModels, double dStep)
    {
        Start();
        UseAnalysisDialogs(&m_Dialogs);
        CQELDoc& doc = *app->GetDocument();
        doc.m_vBridge.push_back(Span(10.0));
        std::vector<std::shared_ptr<CLoadModel>> models;
        for (int i = 0; i < nModels; ++i)
            models.push_back(Axle(100.0 + i));
        doc.m_vLoadModelEnsemble.push_back(EnsembleOf(models));
        doc.m_bOutGraphs = doc.m_bOutTables = false; // the result windows are the views' own tests
        m_Dialogs.movingLoad = MovingLoadByStep(dStep, false);
    }
    void TearDown() override
    {
        UseAnalysisDialogs(nullptr);
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
    Frame().resize(1700, 500); // wide enough for every toolbar button
    ProcessEvents();
    SaveScreenshot(&Frame(), "main-window-analysis-buttons.png");
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
    // As the keys and toolbar buttons find them, with no menu opened since the launch.
    EXPECT_FALSE(Frame().GetCommandAction(32951)->isEnabled());
    EXPECT_TRUE(Frame().GetCommandAction(32772)->isEnabled());
    EXPECT_TRUE(Frame().GetCommandAction(ID_ADD_BRIDGE)->isEnabled());
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

// The program's own dialogs behind the document's commands: what the user ticks comes
// back to the case.
template <class Dialog>
void WhenShown(std::function<void(Dialog&)> act)
{
    QTimer::singleShot(0, [act] {
        auto* dlg = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        act(*dlg);
        dlg->template findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
}

TEST_F(AnalysisRun, TheRealDialogsAnswerTheDocument)
{
    Start();
    CQELDoc& doc = *app->GetDocument();
    WhenShown<COutputOptionsDlg>([](COutputOptionsDlg& d) {
        EXPECT_TRUE(d.m_checkReactions->isChecked());
        d.m_checkReactions->click();
    });
    ASSERT_TRUE(Frame().ExecuteCommand(32811));
    EXPECT_FALSE(doc.m_bOutReactions);
    EXPECT_TRUE(doc.m_bOutBMSF);
    EXPECT_TRUE(Logged(QStringLiteral("Updated Output Options")));

    doc.m_vBridge.push_back(Span(10.0));
    doc.m_vLoadModel.push_back(Axle());
    doc.m_vLoadModelEnsemble.push_back(EnsembleOf({Axle(), Axle(200.0)}));
    doc.m_bOutGraphs = doc.m_bOutTables = false;
    WhenShown<CMovingLoadDlg>([](CMovingLoadDlg& d) { d.m_radioUseLME->click(); });
    ASSERT_TRUE(Frame().ExecuteCommand(32772));
    EXPECT_TRUE(Logged(QStringLiteral("Moving Load Analysis of LME called")));
    QElapsedTimer timer;
    timer.start();
    while (doc.IsWorkerPending() && timer.elapsed() < 60000)
        ProcessEvents();
    ASSERT_TRUE(doc.m_spAOMultiMovingLoad);
    EXPECT_EQ(doc.m_spAOMultiMovingLoad->GetLoadModelEnsemble(), doc.m_vLoadModelEnsemble[0]);
}

TEST_F(AnalysisRun, ResultsOpenInTheirOwnNumberedWindows)
{
    Start();
    CQELDoc& doc = *app->GetDocument();
    UseAnalysisDialogs(&m_Dialogs);
    doc.m_vBridge.push_back(EqualSpans(2, 10.0));
    doc.m_vLoadModel.push_back(Axle());
    m_Dialogs.movingLoad = MovingLoadByStep(0.5);
    ASSERT_TRUE(Frame().ExecuteCommand(32772));
    ProcessEvents();

    std::vector<std::wstring> titles;
    int nGrids = 0;
    for (CChildFrame* f : Frame().GetChildFrames(&doc)) {
        if (f->IsCaseWindow())
            continue;
        titles.push_back(f->windowTitle().toStdWString());
        nGrids += CChildFrame::GetViewGrid(f->GetView()) != nullptr;
    }
    EXPECT_EQ(titles, (std::vector<std::wstring>{L"1 - MLA Envelopes - Plot", L"2 - MLA Envelopes - Plot",
                                                 L"3 - MLA Envelopes - Grid", L"4 - MLA Envelopes - Grid"}));
    EXPECT_EQ(nGrids, 2); // Save Grid finds the tables
    EXPECT_TRUE(boxes.empty());
    Frame().resize(1200, 800);
    ProcessEvents();
    SaveScreenshot(&Frame(), "analysis-result-windows.png");

    Frame().OnCloseAllTabs();
    ProcessEvents();
    EXPECT_EQ(Frame().GetChildFrames(&doc).size(), 1u);
    EXPECT_EQ(doc.m_nWindowCount, 0);
}

// Each model's rule reports its allowance at every load position: 16 / (10 + 40) = 0.32 on a
// 10 m span, held to 0.3. A run of more than 10,000 positions each leaves one counted line
// per model, not a line per position.
TEST_F(AnalysisRun, ARuleReportingAtEveryPositionLeavesOneCountedLinePerModel)
{
    Start();
    UseAnalysisDialogs(&m_Dialogs);
    CQELDoc& doc = *app->GetDocument();
    doc.m_vBridge.push_back(Span(10.0));
    std::vector<std::shared_ptr<CLoadModel>> models;
    for (const wchar_t* name : {L"T44", L"S1600"}) {
        auto lm = Axle(100.0, name);
        lm->m_bAppliesR = false;
        lm->m_bAdjustToBridge = true;
        lm->m_lmBridge = BR_A36_DLA;
        models.push_back(lm);
    }
    doc.m_vLoadModelEnsemble.push_back(EnsembleOf(models));
    doc.m_bOutGraphs = doc.m_bOutTables = false;
    constexpr double kStep = 0.001; // 10 m / 0.001 m: more than 10,000 positions
    m_Dialogs.movingLoad = MovingLoadByStep(kStep, false);
    QListWidget* list = Frame().GetOutputWnd()->GetList();
    const int before = list->count();

    ASSERT_TRUE(Frame().ExecuteCommand(32772));
    QElapsedTimer timer;
    timer.start();
    while (doc.IsWorkerPending() && timer.elapsed() < 120000)
        ProcessEvents();
    ASSERT_FALSE(doc.IsWorkerPending());
    while (!Logged(QStringLiteral("Elapsed time: ")) && timer.elapsed() < 120000)
        ProcessEvents();

    QStringList added;
    for (int i = before; i < list->count(); ++i)
        added << list->item(i)->text();
    // Called, one line for each model, the time taken.
    EXPECT_LE(added.size(), 5) << added.join(QLatin1Char('\n')).toStdString();
    for (const char* model : {"T44", "S1600"}) {
        const QRegularExpression counted(
            QStringLiteral("\\| %1: A36/NAASRA DLA: 0\\.300 \\(x ([0-9,]+)\\)$").arg(QLatin1String(model)));
        QRegularExpressionMatch match;
        for (const QString& line : added)
            if (const QRegularExpressionMatch m = counted.match(line); m.hasMatch())
                match = m;
        ASSERT_TRUE(match.hasMatch()) << model << "\n" << added.join(QLatin1Char('\n')).toStdString();
        EXPECT_GT(match.captured(1).remove(QLatin1Char(',')).toLongLong(), 10.0 / kStep) << model;
    }
}

}
