#include <QApplication>
#include <QDockWidget>
#include <QDropEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QToolBar>
#include <QToolTip>
#include <QHelpEvent>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "TreeTestUtil.h"

#include "app/tree/ElementView.h"
#include "app/tree/ViewTree.h"
#include "core/bridge/Bridge.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "platform/base/Messages.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WndMsg.h"

using namespace qeltest;
using ::testing::ElementsAre;

namespace {

// A window deep inside the main window that takes the selection message, as the main view does.
class SelectionReceiver : public QWidget, public CMessageReceiver {
public:
    using QWidget::QWidget;
    LRESULT OnMessage(UINT message, WPARAM, LPARAM lParam) override
    {
        if (message == WM_ELEMENTSELECTED)
            m_vReceived.push_back(reinterpret_cast<CElement*>(lParam));
        return 0;
    }
    std::vector<CElement*> m_vReceived;
};

class ElementViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_pSettings->SetDefaults();
        m_pView = new CElementView();
        m_Main.setCentralWidget(new QWidget());
        auto* deep = new QWidget(m_Main.centralWidget());
        m_pReceiver = new SelectionReceiver(deep);
        auto* dock = new QDockWidget(QStringLiteral("Analysis Elements"), &m_Main);
        dock->setWidget(m_pView);
        m_Main.addDockWidget(Qt::LeftDockWidgetArea, dock);
        m_Main.resize(500, 420);

        m_Windows.m_pTree = m_pView->GetDocElementTree();
        m_Windows.m_pActiveDoc = &m_Doc;
        SetDocHost({&m_Windows, &m_Dialogs});
        m_PrevAnswerer = SetMessageBoxAnswerer([this](const std::wstring& text, const std::wstring&, UINT) {
            m_vBoxes.push_back(text);
            return IDOK;
        });

        m_pA = std::make_shared<CLoadModel>(1, L"A26-vehicle");
        m_pB = std::make_shared<CLoadModel>(2, L"T44 truck: S = 3.000");
        m_pE = std::make_shared<CLoadModelEnsemble>(1, L"NAASRA 1976");
        m_pE->AddLoadModel(m_pA);
        m_pE->AddLoadModel(m_pB);
        m_pE->m_bIsEditable = false;
        m_Doc.m_vBridge = {std::make_shared<CBridge>(1, L"20 m single span", BC_ONESPAN, 20.0)};
        m_Doc.m_vLoadModel = {m_pA, m_pB};
        m_Doc.m_vLoadModelEnsemble = {m_pE};
        m_Doc.RefreshElementView();
        m_Main.show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        CElementView::SetMenuRunner(nullptr);
        SetMessageBoxAnswerer(m_PrevAnswerer);
        SetDocHost({});
    }

    CElementTreeController& Ctl() { return m_pView->Controller(); }
    CViewTree& Tree() { return *m_pView->Tree(); }
    QTreeWidgetItem* Q(TreeItem item) { return Tree().ItemOf(item); }
    TreeItem ListItem(int i) { return Ctl().Tree().GetChildren(Ctl().GetLoadModelsItem())[i]; }
    QPoint Centre(TreeItem item) { return ItemCentre(Tree(), item); }
    void Click(TreeItem item) { QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, Centre(item)); }
    // The open label editor; closed ones are deleted first, so the one found is live.
    QLineEdit* Editor()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return Tree().findChild<QLineEdit*>();
    }
    void Key(int key, Qt::KeyboardModifiers mods = {}) { PressKey(Tree(), key, mods); }

    QMainWindow m_Main;
    CElementView* m_pView = nullptr;
    SelectionReceiver* m_pReceiver = nullptr;
    TreeWindows m_Windows;
    ScriptedDialogs m_Dialogs;
    CQELDoc m_Doc;
    MessageBoxAnswerer m_PrevAnswerer;
    std::vector<std::wstring> m_vBoxes;
    std::shared_ptr<CLoadModel> m_pA, m_pB;
    std::shared_ptr<CLoadModelEnsemble> m_pE;
};

TEST_F(ElementViewTest, TreeMirrorsTheCaseAndSavesAScreenshot)
{
    ASSERT_EQ(Tree().topLevelItemCount(), 7);
    EXPECT_EQ(Tree().topLevelItem(0)->text(0), "Case");
    EXPECT_TRUE(Tree().topLevelItem(0)->font(0).bold());
    EXPECT_EQ(Q(Ctl().GetEnsemblesItem())->child(0)->childCount(), 2);
    Key(Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(Q(Ctl().GetEnsemblesItem())->child(0)->isExpanded());
    Click(ListItem(1));
    QApplication::processEvents();
    SaveScreenshot(&m_Main, "element-tree.png");
    // The toolbar button toggles back.
    m_pView->ToolBar()->actions().front()->trigger();
    EXPECT_FALSE(Q(Ctl().GetEnsemblesItem())->isExpanded());
}

TEST_F(ElementViewTest, MouseSelectionBroadcastsToEveryWindowButProgramSelectionDoesNot)
{
    Key(Qt::Key_E, Qt::ControlModifier);
    Click(ListItem(0));
    EXPECT_THAT(m_pReceiver->m_vReceived, ElementsAre(m_pA.get()));
    Ctl().Tree().SelectItem(ListItem(1));
    EXPECT_EQ(Tree().currentItem(), Q(ListItem(1)));
    EXPECT_EQ(m_pReceiver->m_vReceived.size(), 1u);
    // Keyboard selection counts as the user's.
    Key(Qt::Key_Up);
    EXPECT_THAT(m_pReceiver->m_vReceived, ElementsAre(m_pA.get(), m_pA.get()));
}

TEST_F(ElementViewTest, DoubleClickOpensCaseInformation)
{
    int shown = 0;
    m_Dialogs.config = [&](ScriptedConfigDlg&) { return ++shown, DLG_IDCANCEL; };
    Key(Qt::Key_E, Qt::ControlModifier);
    const TreeItem caseInfo = Ctl().Tree().GetChildren(Ctl().GetRootItem())[0];
    int dbl = 0;
    QObject::connect(&Tree(), &QTreeWidget::itemDoubleClicked, [&] { ++dbl; });
    // What a double click delivers: press, release, press, double click, release.
    const QPoint at = Centre(caseInfo);
    QTest::mousePress(Tree().viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(Tree().viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(Tree().viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(dbl, 1);
    EXPECT_EQ(shown, 1);

    // A double click on a model opens its dialog and no label editor after it.
    int sheets = 0;
    m_Dialogs.loadModel = [&](ScriptedPropSheetLM&) { return ++sheets, DLG_IDCANCEL; };
    const QPoint lm = Centre(ListItem(0));
    QTest::mousePress(Tree().viewport(), Qt::LeftButton, {}, lm);
    QTest::mouseRelease(Tree().viewport(), Qt::LeftButton, {}, lm);
    QTest::mouseDClick(Tree().viewport(), Qt::LeftButton, {}, lm);
    QTest::mouseRelease(Tree().viewport(), Qt::LeftButton, {}, lm);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    EXPECT_EQ(sheets, 1);
    EXPECT_FALSE(Tree().IsEditing());
}

TEST_F(ElementViewTest, F2RenamesEnterCommitsEscapeRestoresAndLockedIsRefused)
{
    Key(Qt::Key_E, Qt::ControlModifier);
    Click(ListItem(0));
    Key(Qt::Key_F2);
    auto* editor = Editor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(Tree().IsEditing());
    // Delete inside the editor edits text, it does not delete the element.
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, "My truck");
    const auto before = m_pReceiver->m_vReceived.size();
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(m_pA->m_Description, L"My truck");
    EXPECT_EQ(Q(ListItem(0))->text(0), "My truck");
    EXPECT_TRUE(m_Doc.IsModified());
    EXPECT_EQ(m_pReceiver->m_vReceived.size(), before + 1);
    EXPECT_EQ(m_Doc.m_vLoadModel.size(), 2u);

    Key(Qt::Key_F2);
    editor = Editor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "zzz");
    QTest::keyClick(editor, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(m_pA->m_Description, L"My truck");

    // An empty label is refused.
    Key(Qt::Key_F2);
    editor = Editor();
    ASSERT_NE(editor, nullptr);
    editor->clear();
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(Q(ListItem(0))->text(0), "My truck");

    // A click on the label of the selected model edits it too.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, Centre(ListItem(0)));
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    ASSERT_TRUE(Tree().IsEditing());
    editor = Editor();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "Clicked");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(m_pA->m_Description, L"Clicked");

    // A locked ensemble: F2 and a click on its selected label both say so.
    const TreeItem e = Ctl().Tree().GetChildren(Ctl().GetEnsemblesItem())[0];
    Click(e);
    Key(Qt::Key_F2);
    EXPECT_FALSE(Tree().IsEditing());
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, Centre(e));
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QApplication::processEvents();
    EXPECT_FALSE(Tree().IsEditing());
    // F2 said so once; the click stays silent.
    EXPECT_EQ(m_vBoxes, std::vector<std::wstring>{L"This item cannot be edited."});
}

TEST_F(ElementViewTest, KeysDeleteCopyAndPaste)
{
    Key(Qt::Key_E, Qt::ControlModifier);
    Click(ListItem(0));
    Key(Qt::Key_C, Qt::ControlModifier);
    Click(Ctl().GetLoadModelsItem());
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(m_Doc.m_vLoadModel.size(), 3u);
    EXPECT_EQ(Q(ListItem(2))->text(0), "A26-vehicle-Copy");

    Click(ListItem(2));
    Key(Qt::Key_Delete);
    EXPECT_EQ(m_Doc.m_vLoadModel.size(), 2u);
    EXPECT_EQ(Q(Ctl().GetLoadModelsItem())->childCount(), 2);
    EXPECT_EQ(m_pReceiver->m_vReceived.back(), nullptr);

    // Cut and paste on the ensemble's own child: a move within the case.
    Click(ListItem(1));
    Key(Qt::Key_X, Qt::ControlModifier);
    Click(ListItem(0));
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(m_Doc.m_vLoadModel.size(), 2u);
    EXPECT_EQ(Q(ListItem(0))->text(0), "A26-vehicle");
    EXPECT_EQ(Q(ListItem(1))->text(0), "T44 truck: S = 3.000");
    EXPECT_NE(m_Doc.m_vLoadModel[1], m_pB);
}

TEST_F(ElementViewTest, RightClickShowsTheMenuOfTheSpotAndRunsItsCommand)
{
    std::vector<QStringList> shown;
    CElementView::SetMenuRunner([&](QMenu& menu, const QPoint&) -> QAction* {
        QStringList texts;
        QAction* remove = nullptr;
        for (QAction* a : menu.actions()) {
            texts << (a->isSeparator() ? "-" : a->text());
            if (a->data().toInt() == ID_ELEMENT_DELETE)
                remove = a;
        }
        shown.push_back(texts);
        return remove;
    });
    Key(Qt::Key_E, Qt::ControlModifier);
    const QPoint at = Centre(ListItem(1));
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, Tree().viewport()->mapToGlobal(at));
    QApplication::sendEvent(Tree().viewport(), &click);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], (QStringList{"&Add", "-", "&Rename\tF2", "&Delete\tDel", "-", "&Copy\tCtrl+C", "Cu&t\tCtrl+X",
                                     "&Paste\tCtrl+V", "-", "&Expand All\tCtrl+E"}));
    EXPECT_EQ(m_Doc.m_vLoadModel.size(), 1u); // the chosen Delete ran on the clicked model

    // The context-menu key: menu 230 whatever is selected.
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(5, 5), Tree().viewport()->mapToGlobal(QPoint(5, 5)));
    Ctl().Tree().SelectItem(ListItem(0));
    CElementView::SetMenuRunner([&](QMenu& menu, const QPoint&) -> QAction* {
        shown.push_back({menu.actions().front()->text()});
        return nullptr;
    });
    QApplication::sendEvent(Tree().viewport(), &key);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].front(), "Add");
    shown.pop_back();

    const QPoint cat = Centre(Ctl().GetBridgesItem());
    QContextMenuEvent onCategory(QContextMenuEvent::Mouse, cat, Tree().viewport()->mapToGlobal(cat));
    QApplication::sendEvent(Tree().viewport(), &onCategory);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].front(), "Add");
    EXPECT_EQ(m_Doc.m_vBridge.size(), 1u);
}

TEST_F(ElementViewTest, DropOfAModelOnLoadModelsCopiesAndSelects)
{
    Key(Qt::Key_E, Qt::ControlModifier);
    const TreeItem lmInEnsemble = Ctl().Tree().GetChildren(Ctl().Tree().GetChildren(Ctl().GetEnsemblesItem())[0])[0];
    // A foreign drop (no drag of this tree) is refused.
    const QPoint at = Centre(Ctl().GetLoadModelsItem());
    QMimeData mime;
    QDropEvent foreign(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, {}, QEvent::Drop);
    QApplication::sendEvent(Tree().viewport(), &foreign);
    EXPECT_EQ(m_Doc.m_vLoadModel.size(), 2u);
    // A model dragged out of the ensemble onto its own ensemble item's child: no-op for
    // the ensemble dragged on its child.
    const TreeItem ensemble = Ctl().Tree().GetChildren(Ctl().GetEnsemblesItem())[0];
    EXPECT_EQ(Tree().DropOn(ensemble, Centre(lmInEnsemble)), TI_NONE);
    EXPECT_NE(Tree().DropOn(lmInEnsemble, at), TI_NONE);
    ASSERT_EQ(m_Doc.m_vLoadModel.size(), 3u);
    EXPECT_EQ(Tree().currentItem()->text(0), "A26-vehicle-Copy");
}


// The tree's four messages, each with the test's own copy of its registered number.
TEST_F(ElementViewTest, EachTreeMessageReachesTheControllerThroughTheRegistry)
{
    const unsigned int dblClick = RegisterWindowMessage(L"UWM_TREEITEMDBLCLICK");
    const unsigned int select = RegisterWindowMessage(L"UWM_TREEITEMSELECT");
    const unsigned int labelChange = RegisterWindowMessage(L"UWM_TREEITEMLABELCHANGE");
    const unsigned int dragDrop = RegisterWindowMessage(L"UWM_TREEITEMDRAGDROP");

    SendMessage(m_pView, select, 0, ListItem(1));
    EXPECT_THAT(m_pReceiver->m_vReceived, ElementsAre(m_pB.get()));

    int sheets = 0;
    m_Dialogs.loadModel = [&](ScriptedPropSheetLM&) { return ++sheets, DLG_IDCANCEL; };
    SendMessage(m_pView, dblClick, static_cast<WPARAM>(Ctl().GetLoadModelsItem()), ListItem(0));
    EXPECT_EQ(sheets, 1);

    const std::wstring name = L"Renamed";
    EXPECT_EQ(SendMessage(m_pView, labelChange, reinterpret_cast<WPARAM>(&name), ListItem(0)), 1);
    EXPECT_EQ(m_pA->m_Description, L"Renamed");
    EXPECT_EQ(Q(ListItem(0))->text(0), "Renamed");
    const std::wstring empty;
    EXPECT_EQ(SendMessage(m_pView, labelChange, reinterpret_cast<WPARAM>(&empty), ListItem(0)), 0);
    EXPECT_EQ(m_pA->m_Description, L"Renamed");

    const LRESULT dropped = SendMessage(m_pView, dragDrop, static_cast<WPARAM>(ListItem(0)), Ctl().GetLoadModelsItem());
    ASSERT_NE(dropped, TI_NONE);
    ASSERT_EQ(m_Doc.m_vLoadModel.size(), 3u);
    EXPECT_EQ(Ctl().Tree().GetItemText(static_cast<TreeItem>(dropped)), L"Renamed-Copy");
    // Another name reaches no handler.
    EXPECT_EQ(SendMessage(m_pView, RegisterWindowMessage(L"UWM_TREEITEMOTHER"), 0, ListItem(0)), 0);
}

// A parent that records what the tree sends it, as the pane receives it.
class TreeMessageRecorder : public QWidget, public CMessageReceiver {
public:
    struct Sent {
        unsigned int message;
        WPARAM wParam;
        LPARAM lParam;
        std::wstring text; // the label, while its pointer was valid
    };
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        static const unsigned int labelChange = RegisterWindowMessage(L"UWM_TREEITEMLABELCHANGE");
        m_vSent.push_back(
            {message, wParam, lParam, message == labelChange ? *reinterpret_cast<const std::wstring*>(wParam) : L""});
        return 0;
    }
    std::vector<Sent> m_vSent;
};

TEST_F(ElementViewTest, TheTreeSendsItsMessagesToItsParent)
{
    CElementTreeController controller;
    controller.ClearTree();
    controller.Populate(&m_Doc);
    TreeMessageRecorder parent;
    auto* tree = new CViewTree(controller, &parent);
    tree->resize(300, 400);
    parent.resize(300, 400);
    parent.show();
    QApplication::processEvents();
    tree->expandAll();
    const TreeItem lm = controller.Tree().GetChildren(controller.GetLoadModelsItem())[1];
    const auto last = [&] { return parent.m_vSent.empty() ? TreeMessageRecorder::Sent{} : parent.m_vSent.back(); };

    const QPoint at = ItemCentre(*tree, lm);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(last().message, RegisterWindowMessage(L"UWM_TREEITEMSELECT"));
    EXPECT_EQ(last().wParam, 0u);
    EXPECT_EQ(last().lParam, lm);

    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(last().message, RegisterWindowMessage(L"UWM_TREEITEMDBLCLICK"));
    EXPECT_EQ(last().wParam, static_cast<WPARAM>(controller.GetLoadModelsItem()));
    EXPECT_EQ(last().lParam, lm);
    QTest::qWait(QApplication::doubleClickInterval() + 50);

    tree->EditSelectedLabel();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto* editor = tree->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Edited"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor commits once the key is done
    EXPECT_EQ(last().message, RegisterWindowMessage(L"UWM_TREEITEMLABELCHANGE"));
    EXPECT_EQ(last().text, L"Edited");
    EXPECT_EQ(last().lParam, lm);
    // The parent refused it: the label stays.
    EXPECT_EQ(tree->ItemOf(lm)->text(0), "T44 truck: S = 3.000");

    const TreeItem target = controller.GetLoadModelsItem();
    EXPECT_EQ(tree->DropOn(lm, ItemCentre(*tree, target)), TI_NONE);
    EXPECT_EQ(last().message, RegisterWindowMessage(L"UWM_TREEITEMDRAGDROP"));
    EXPECT_EQ(last().wParam, static_cast<WPARAM>(lm));
    EXPECT_EQ(last().lParam, target);
    // Each message went to the parent only: the case is as it was.
    EXPECT_EQ(m_Doc.m_vLoadModel.size(), 2u);
    EXPECT_EQ(m_pB->m_Description, L"T44 truck: S = 3.000");
}

}

// A name longer than the narrow pane shows shows whole in a tip; a name the pane shows whole
// has none.
TEST_F(ElementViewTest, ANameThePaneCutsShortShowsWholeInATip)
{
    const std::wstring longName = L"NAASRA T44 truck with a trailer of six axles, 42.5 t";
    m_pA->m_Description = longName;
    m_Doc.RefreshElementView();
    m_pView->parentWidget()->resize(170, 400);
    m_Main.resizeDocks({qobject_cast<QDockWidget*>(m_pView->parentWidget())}, {170}, Qt::Horizontal);
    Key(Qt::Key_E, Qt::ControlModifier); // every branch open
    QApplication::processEvents();

    QTreeWidgetItem* cut = nullptr;
    for (int i = 0; i < Q(Ctl().GetLoadModelsItem())->childCount(); ++i)
        if (Q(Ctl().GetLoadModelsItem())->child(i)->text(0).toStdWString() == longName)
            cut = Q(Ctl().GetLoadModelsItem())->child(i);
    ASSERT_NE(cut, nullptr);
    Tree().scrollToItem(cut);
    QTreeWidgetItem* whole = Q(Ctl().GetBridgesItem());
    EXPECT_TRUE(Tree().IsLabelCut(cut));
    EXPECT_FALSE(Tree().IsLabelCut(whole));

    const auto tipAt = [&](QTreeWidgetItem* qi) { return Tree().TipAt(Tree().visualItemRect(qi).center()); };
    EXPECT_EQ(tipAt(cut).toStdWString(), longName);
    EXPECT_EQ(tipAt(whole), QString());
    // The pointer resting on the item brings the tip up.
    const QPoint at = Tree().visualItemRect(cut).center();
    QHelpEvent help(QEvent::ToolTip, at, Tree().viewport()->mapToGlobal(at));
    QApplication::sendEvent(Tree().viewport(), &help);
    for (int i = 0; i < 200 && !(QToolTip::isVisible() && QToolTip::text().toStdWString() == longName); ++i)
        QTest::qWait(10);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text().toStdWString(), longName);
    SaveScreenshot(&m_Main, "element-tree-narrow.png");

    // Wide enough, the name needs no tip.
    m_Main.resize(1000, 420);
    m_Main.resizeDocks({qobject_cast<QDockWidget*>(m_pView->parentWidget())}, {700}, Qt::Horizontal);
    QApplication::processEvents();
    EXPECT_FALSE(Tree().IsLabelCut(cut));
    EXPECT_EQ(tipAt(cut), QString());
}
