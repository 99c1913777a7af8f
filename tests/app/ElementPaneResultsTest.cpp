// The element pane in the real main frame: its analysis items open the results through the
// document's result commands, and while an analysis runs it changes no element.
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "AppTestUtil.h"
#include "TreeTestUtil.h"
#include "app/AppIds.h"
#include "app/ChildFrame.h"
#include "app/doc/DocHost.h"
#include "app/doc/QELDoc.h"
#include "app/tree/ElementView.h"
#include "app/tree/ViewTree.h"
#include "doc/AnalysisTestUtil.h"

using namespace qeltest;

namespace {

class ElementPaneResults : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        Start();
        UseAnalysisDialogs(&m_Dialogs);
        m_pDoc = app->GetDocument();
        m_pPane = qobject_cast<CElementView*>(Frame().GetPaneContent(ID_PANE_ELEMENTS));
        ASSERT_NE(m_pPane, nullptr);
        Frame().resize(1000, 700);
    }
    void TearDown() override
    {
        CElementView::SetMenuRunner(nullptr);
        UseAnalysisDialogs(nullptr);
        AppFixture::TearDown();
    }

    CElementTreeController& Ctl() { return m_pPane->Controller(); }
    CViewTree& Tree() { return *m_pPane->Tree(); }
    TreeItem Child(TreeItem parent, int i) { return Ctl().Tree().GetChildren(parent).at(static_cast<size_t>(i)); }
    TreeItem AnalysisItem(int i) { return Child(Ctl().GetAnalysisItem(), i); }
    QPoint Centre(TreeItem item) { return ItemCentre(Tree(), item); }
    void ExpandAll()
    {
        if (!Tree().ItemOf(Ctl().GetAnalysisItem())->isExpanded())
            m_pPane->OnCommand(ID_EXPAND_ALL);
    }
    // What a user's double click delivers: press, release, press with double click,
    // release; then, with bWait, the time after which a click would start a label edit.
    void DoubleClick(TreeItem item, bool bWait = true)
    {
        ExpandAll();
        const QPoint at = Centre(item);
        QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(Tree().viewport(), Qt::LeftButton, {}, at);
        if (bWait)
            QTest::qWait(QApplication::doubleClickInterval() + 20);
    }
    void Key(int key, Qt::KeyboardModifiers mods = {}) { PressKey(Tree(), key, mods); }
    void Select(TreeItem item) { Ctl().Tree().SelectItem(item); }
    std::vector<std::wstring> ResultTitles()
    {
        std::vector<std::wstring> v;
        for (CChildFrame* f : Frame().GetChildFrames(m_pDoc))
            if (!f->IsCaseWindow())
                v.push_back(f->windowTitle().toStdWString());
        return v;
    }
    std::vector<std::wstring> BoxTexts()
    {
        std::vector<std::wstring> v;
        for (const Box& b : boxes)
            v.push_back(b.text);
        return v;
    }

    ScriptedAnalysisDialogs m_Dialogs;
    CQELDoc* m_pDoc = nullptr;
    CElementView* m_pPane = nullptr;
};

// Each item runs its own command: with nothing calculated each says so in its own words.
TEST_F(ElementPaneResults, EachAnalysisItemAnswersWithItsResultCommand)
{
    const std::vector<std::wstring> expected = {
        L"There are no results from a single position analysis to display.",
        L"There are no results from a moving load analysis to display.",
        L"There are no results from a bridge range to display.",
        L"There are no results from a reference collection to display.",
        L"There are no ratios calculated from a Reference Collection to display\n",
    };
    for (int i = 0; i < 5; ++i)
        DoubleClick(AnalysisItem(i));
    EXPECT_EQ(BoxTexts(), expected);
    EXPECT_TRUE(ResultTitles().empty());
}

// A moving load of one axle over two 10 m spans, its windows closed: a double click on
// "Moving Load" opens the four again, numbered afresh.
TEST_F(ElementPaneResults, DoubleClickOnAnAnalysisItemOpensItsWindows)
{
    m_pDoc->m_vBridge.push_back(EqualSpans(2, 10.0));
    m_pDoc->m_vLoadModel.push_back(Axle());
    m_Dialogs.movingLoad = MovingLoadByStep(0.5);
    ASSERT_TRUE(Frame().ExecuteCommand(32772));
    ProcessEvents();
    ASSERT_EQ(ResultTitles().size(), 4u);
    Frame().OnCloseAllTabs();
    ProcessEvents();
    ASSERT_TRUE(ResultTitles().empty());

    DoubleClick(AnalysisItem(CElementTreeController::AN_MOVINGLOAD));
    ProcessEvents();
    EXPECT_EQ(ResultTitles(), (std::vector<std::wstring>{L"1 - MLA Envelopes - Plot", L"2 - MLA Envelopes - Plot",
                                                         L"3 - MLA Envelopes - Grid", L"4 - MLA Envelopes - Grid"}));
    EXPECT_TRUE(boxes.empty());
    SaveScreenshot(&Frame(), "element-pane-results.png");
}

// A run of a small ensemble. Its completion reaches the case through the main frame's
// event queue, and until it is handled the case counts the run as going on, however soon
// the worker ends: so the steps below process no events until FinishRun.
class ElementPaneDuringRun : public ElementPaneResults {
protected:
    void SetUp() override
    {
        ElementPaneResults::SetUp();
        m_pA = Axle(100.0, L"A");
        m_pB = Axle(200.0, L"B");
        m_pDoc->m_vBridge.push_back(Span(10.0));
        m_pDoc->m_vLoadModel = {m_pA, m_pB};
        m_pDoc->m_vLoadModelEnsemble.push_back(EnsembleOf({Axle(100.0), Axle(200.0)}));
        m_pDoc->m_bOutGraphs = m_pDoc->m_bOutTables = false;
        m_pDoc->RefreshElementView();
        m_Dialogs.movingLoad = MovingLoadByStep(0.5, false);
        ExpandAll();
    }
    void StartRun()
    {
        ASSERT_TRUE(Frame().ExecuteCommand(32772));
        ASSERT_TRUE(m_pDoc->IsWorkerPending());
    }
    void FinishRun()
    {
        ASSERT_TRUE(m_pDoc->IsWorkerPending()) << "something processed the run's completion early";
        QElapsedTimer timer;
        timer.start();
        while (m_pDoc->IsWorkerPending() && timer.elapsed() < 60000)
            ProcessEvents();
        ASSERT_FALSE(m_pDoc->IsWorkerPending());
    }
    TreeItem ModelItem(int i) { return Child(Ctl().GetLoadModelsItem(), i); }
    QLineEdit* Editor()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return Tree().findChild<QLineEdit*>();
    }

    std::shared_ptr<CLoadModel> m_pA, m_pB;
};

TEST_F(ElementPaneDuringRun, RenamePasteAndDropAreRefusedUntilTheRunEnds)
{
    Select(ModelItem(1));
    Key(Qt::Key_C, Qt::ControlModifier);
    // A rename begun before the run and ended during it keeps the old name.
    Select(ModelItem(0));
    Key(Qt::Key_F2);
    QLineEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "Renamed");

    StartRun();
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(m_pA->m_Description, L"A");
    EXPECT_EQ(Tree().ItemOf(ModelItem(0))->text(0), "A");

    Key(Qt::Key_F2);
    EXPECT_FALSE(Tree().IsEditing());
    Select(Ctl().GetLoadModelsItem());
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Tree().DropOn(ModelItem(0), Centre(Ctl().GetLoadModelsItem())), TI_NONE);
    const TreeItem ensemble = Child(Ctl().GetEnsemblesItem(), 0);
    EXPECT_EQ(Tree().DropOn(ModelItem(0), Centre(ensemble)), TI_NONE);
    EXPECT_EQ(m_pDoc->m_vLoadModel.size(), 2u);
    EXPECT_EQ(m_pDoc->m_vLoadModelEnsemble[0]->m_vLoadModel.size(), 2u);
    EXPECT_EQ(Ctl().Tree().GetChildren(Ctl().GetLoadModelsItem()).size(), 2u);

    // The context menu offers no change of the case, only what leaves it as it is.
    std::map<int, bool> enabled;
    CElementView::SetMenuRunner([&](QMenu& menu, const QPoint&) -> QAction* {
        for (QAction* a : menu.actions())
            if (!a->isSeparator())
                enabled[a->data().toInt()] = a->isEnabled();
        for (QAction* a : menu.actions().front()->menu()->actions())
            enabled[a->data().toInt()] = a->isEnabled();
        return nullptr;
    });
    const QPoint at = Centre(ModelItem(0));
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, Tree().viewport()->mapToGlobal(at));
    QApplication::sendEvent(Tree().viewport(), &click);
    EXPECT_EQ(enabled, (std::map<int, bool>{{0, true}, // the "&Add" submenu
                                            {32791, false},
                                            {32792, false},
                                            {32793, false},
                                            {32794, false},
                                            {32795, false},
                                            {ID_ELEMENT_RENAME, false},
                                            {ID_ELEMENT_DELETE, false},
                                            {ID_ELEMENT_COPY, true},
                                            {ID_ELEMENT_CUT, true},
                                            {ID_ELEMENT_PASTE, false},
                                            {ID_EXPAND_ALL, true}}));
    EXPECT_TRUE(boxes.empty());

    // Afterwards the copy made before the run pastes.
    FinishRun();
    Select(Ctl().GetLoadModelsItem());
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(m_pDoc->m_vLoadModel.size(), 3u);
    EXPECT_EQ(m_pDoc->m_vLoadModel[2]->m_Description, L"B-Copy");
}

// The results a worker writes stay shut while it runs; the single-position and moving-load
// results, whose commands stay enabled, still answer.
TEST_F(ElementPaneDuringRun, OnlyTheResultsOfTheAlwaysEnabledCommandsOpen)
{
    StartRun();
    for (int i = 0; i < 5; ++i)
        DoubleClick(AnalysisItem(i), false);
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::wstring>{L"There are no results from a single position analysis to display.",
                                         L"There are no results from a moving load analysis to display."}));
    FinishRun();
}

}
