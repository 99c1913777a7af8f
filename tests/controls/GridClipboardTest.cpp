#include "GridInputFixture.h"
#include "LocaleScope.h"

#include <QClipboard>
#include <QDragMoveEvent>
#include <QMimeData>
#include <gtest/gtest.h>
#include <stdexcept>

#include "platform/win/MessageBox.h"

using qeltest::InputGrid;

TEST(GridClipboard, CopyTextOfTheSelectionsBoundingBox)
{
    InputGrid g(5, 5);
    g.grid.SetSelectedRange(1, 1, 2, 3);
    std::string text;
    ASSERT_TRUE(g.grid.CopyTextFromGrid(text));
    EXPECT_EQ(text, std::string("1,1\t1,2\t1,3\r\n2,1\t2,2\t2,3") + '\0');

    // An unselected cell inside the box is an empty field; hidden columns and rows add nothing.
    g.grid.SetItemState(1, 2, g.grid.GetItemState(1, 2) & ~GCS_SELECTED);
    g.grid.SetColumnWidth(3, 0);
    ASSERT_TRUE(g.grid.CopyTextFromGrid(text));
    EXPECT_EQ(text, std::string("1,1\t\r\n2,1\t2,2") + '\0');
    g.grid.SetRowHeight(2, 0);
    ASSERT_TRUE(g.grid.CopyTextFromGrid(text));
    EXPECT_EQ(text, std::string("1,1\t") + '\0');

    g.grid.ResetSelectedRange();
    EXPECT_FALSE(g.grid.CopyTextFromGrid(text));
}

TEST(GridClipboard, CtrlCPutsTheTextOnTheClipboardEvenInAReadOnlyGrid)
{
    InputGrid g(4, 4);
    g.grid.m_bEditable = FALSE;
    g.grid.SetFocusCell(1, 1);
    g.grid.SetSelectedRange(1, 1, 1, 2);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    EXPECT_TRUE(g.grid.CanEditCopy());
    EXPECT_FALSE(g.grid.CanEditCut());
    EXPECT_FALSE(g.grid.CanEditPaste());
    g.Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1,1\t1,2"));
    // Cut does nothing here: the text and the clipboard stay.
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    g.Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(g.Text(1, 1), L"1,1");
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("kept"));
}

TEST(GridClipboard, CutClearsTheCellsThroughTheEditNotifications)
{
    InputGrid g(4, 4);
    g.grid.SetItemState(1, 2, g.grid.GetItemState(1, 2) | GCS_READONLY);
    g.grid.SetFocusCell(1, 1);
    g.grid.SetSelectedRange(1, 1, 1, 3);
    g.Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1,1\t1,2\t1,3"));
    EXPECT_EQ(g.Text(1, 1), L"");
    EXPECT_EQ(g.Text(1, 2), L"1,2"); // read-only
    EXPECT_EQ(g.Text(1, 3), L"");
    EXPECT_EQ(g.host.Count(LVN_BEGINLABELEDITW), 2);
    EXPECT_EQ(g.host.Count(LVN_ENDLABELEDITW), 2);
    EXPECT_TRUE(g.grid.GetItemState(1, 3) & GCS_MODIFIED);
}

TEST(GridClipboard, DeleteClearsSelectedCellsButNotReadOnlyOnesAndHonoursVetoes)
{
    InputGrid g(4, 4);
    g.grid.SetItemState(2, 2, g.grid.GetItemState(2, 2) | GCS_READONLY);
    g.grid.SetFocusCell(2, 1);
    g.grid.SetSelectedRange(2, 1, 2, 3);
    g.host.answers[LVN_ENDLABELEDITW] = -1; // the owner refuses the change of (2, 3)...
    g.grid.SetItemTextWithNotify(2, 3, L"refused");
    EXPECT_EQ(g.Text(2, 3), L"2,3");
    EXPECT_FALSE(g.grid.GetItemState(2, 3) & GCS_MODIFIED);
    g.host.answers.clear();
    g.Key(Qt::Key_Delete);
    EXPECT_EQ(g.Text(2, 1), L"");
    EXPECT_EQ(g.Text(2, 2), L"2,2");
    EXPECT_EQ(g.Text(2, 3), L"");
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(2, 1));
}

TEST(GridClipboard, PasteSplitsLinesAndFieldsAndSelectsWhatItWrote)
{
    // Text with tabs (a spreadsheet's copy) splits only at them, so "1,234.50" stays whole;
    // text without tabs splits at commas, unless a line is one grouped number.
    qeltest::LocaleScope scope(qeltest::kEnglishUS);
    struct Case {
        const char* name;
        const char* clipboard;
        const wchar_t* cells[4]; // (1, 1), (1, 2), (2, 1), (2, 2)
        CCellRange written;
    };
    const Case cases[] = {
        {"tabs", "1,234.50\t2.5\r\n 3 \t4\r\n", {L"1,234.50", L"2.5", L"3", L"4"}, CCellRange(1, 1, 2, 2)},
        {"commas", "1.5,2.5\r\n 3 ,4\r\n", {L"1.5", L"2.5", L"3", L"4"}, CCellRange(1, 1, 2, 2)},
        {"grouped numbers", "1,234.50\r\n-7,000", {L"1,234.50", L"1,2", L"-7,000", L"2,2"}, CCellRange(1, 1, 2, 1)},
    };
    for (const Case& c : cases) {
        InputGrid g(5, 5);
        g.grid.SetFocusCell(1, 1);
        QApplication::clipboard()->setText(QString::fromUtf8(c.clipboard));
        EXPECT_TRUE(g.grid.CanEditPaste());
        g.Key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(g.Text(1, 1), c.cells[0]) << c.name;
        EXPECT_EQ(g.Text(1, 2), c.cells[1]) << c.name;
        EXPECT_EQ(g.Text(2, 1), c.cells[2]) << c.name;
        EXPECT_EQ(g.Text(2, 2), c.cells[3]) << c.name;
        EXPECT_EQ(g.Text(3, 1), L"3,1") << c.name;
        EXPECT_EQ(g.grid.GetSelectedCellRange(), c.written) << c.name;
    }
}

TEST(GridClipboard, PasteSkipsHiddenRowsAndColumnsAndEmptyLinesUseARow)
{
    InputGrid g(6, 5);
    g.grid.SetRowHeight(2, 0);
    g.grid.SetColumnWidth(2, 0);
    EXPECT_TRUE(g.grid.PasteTextToGrid(1, 1, L"a,b\n\nc,d", FALSE));
    EXPECT_EQ(g.Text(1, 1), L"a");
    EXPECT_EQ(g.Text(1, 3), L"b");
    EXPECT_EQ(g.Text(2, 1), L"2,1"); // hidden
    EXPECT_EQ(g.Text(3, 1), L"3,1"); // the empty line's row
    EXPECT_EQ(g.Text(4, 1), L"c");
    EXPECT_EQ(g.Text(4, 3), L"d");
    EXPECT_EQ(g.grid.GetSelectedCount(), 0);
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(-1, -1));
}

TEST(GridClipboard, PasteGrowsRowsOnlyWhereAllowedAndRefusesBadTargets)
{
    InputGrid g(4, 3);
    g.grid.m_bPasteAddsRows = TRUE;
    EXPECT_TRUE(g.grid.PasteTextToGrid(3, 1, L"x,y,z\nu\nv\r\n"));
    EXPECT_EQ(g.grid.GetRowCount(), 6);    // two rows added
    EXPECT_EQ(g.grid.GetColumnCount(), 3); // columns never grow here
    EXPECT_EQ(g.Text(3, 2), L"y");
    EXPECT_EQ(g.Text(5, 1), L"v");

    g.grid.SetItemState(1, 1, g.grid.GetItemState(1, 1) | GCS_READONLY);
    EXPECT_FALSE(g.grid.PasteTextToGrid(1, 1, L"q"));
    EXPECT_FALSE(g.grid.PasteTextToGrid(9, 1, L"q"));
    g.grid.m_bEditable = FALSE;
    EXPECT_FALSE(g.grid.PasteTextToGrid(2, 1, L"q"));
    EXPECT_EQ(g.Text(2, 1), L"2,1");
}

TEST(GridClipboard, PasteIntoAnOpenEditorGoesToTheEditor)
{
    InputGrid g(4, 4);
    g.grid.SetFocusCell(1, 1);
    g.Key(Qt::Key_F2);
    ASSERT_NE(g.Editor(), nullptr);
    QApplication::clipboard()->setText(QStringLiteral("xy"));
    g.grid.OnEditPaste();
    EXPECT_EQ(g.Editor()->text(), QStringLiteral("1,1xy"));
    EXPECT_EQ(g.Text(1, 1), L"1,1");
}

TEST(GridDrop, OutsideDragsHighlightCellsButDropsAreRefused)
{
    InputGrid g(4, 4);
    ASSERT_TRUE(g.grid.m_DropTarget.m_bRegistered);
    EXPECT_FALSE(g.grid.m_DropTarget.Register(&g.grid)); // once only
    QMimeData data;
    data.setText(QStringLiteral("5"));
    const QPoint over(InputGrid::Centre(2, 2));
    QDragEnterEvent enter(over, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &enter);
    QDragMoveEvent move(over, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &move);
    EXPECT_TRUE(g.grid.GetItemState(2, 2) & GCS_DROPHILITED);
    EXPECT_FALSE(move.isAccepted()); // drag and drop is off

    const QPoint next(InputGrid::Centre(3, 2));
    QDragMoveEvent move2(next, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &move2);
    EXPECT_FALSE(g.grid.GetItemState(2, 2) & GCS_DROPHILITED);
    EXPECT_TRUE(g.grid.GetItemState(3, 2) & GCS_DROPHILITED);

    // Over a heading the highlight goes.
    const QPoint heading(InputGrid::Centre(0, 2));
    QDragMoveEvent move3(heading, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &move3);
    EXPECT_FALSE(g.grid.GetItemState(3, 2) & GCS_DROPHILITED);
    EXPECT_EQ(g.grid.m_LastDragOverCell, CCellID(-1, -1));

    // A refused drop takes the highlight of the cell it was refused on away.
    QDragMoveEvent move4(next, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &move4);
    ASSERT_TRUE(g.grid.GetItemState(3, 2) & GCS_DROPHILITED);
    QDropEvent drop(QPointF(next), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &drop);
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_EQ(g.Text(3, 2), L"3,2");
    EXPECT_FALSE(g.grid.GetItemState(3, 2) & GCS_DROPHILITED);
    EXPECT_EQ(g.grid.m_DropTarget.OnDragScroll(0x08), 1);
    EXPECT_EQ(g.grid.m_DropTarget.OnDragScroll(0), 2);
}

TEST(GridDrop, AnOwnerFailingOnADroppedTextIsReportedNotThrown)
{
    // Drops reach the grid through its drop target's event filter, outside the window's own
    // handlers: a failure behind them must still come out as a box.
    struct CFailingOwner : CNotifyReceiver {
        LRESULT OnNotify(WPARAM, NMHDR* pNMHDR) override
        {
            if (pNMHDR->code == LVN_ENDLABELEDITW)
                throw std::runtime_error("The value is not valid");
            return 0;
        }
    } owner;
    std::vector<std::wstring> boxes;
    const MessageBoxAnswerer previous = SetMessageBoxAnswerer([&](const std::wstring& t, const std::wstring&, UINT) {
        boxes.push_back(t);
        return IDOK;
    });
    InputGrid g(4, 4);
    g.grid.SetOwner(&owner);
    g.grid.m_bAllowDragAndDrop = TRUE;
    QMimeData data;
    data.setText(QStringLiteral("5\t6\r\n7\t8"));
    const QPoint over(InputGrid::Centre(2, 2));
    QDragEnterEvent enter(over, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &enter);
    QDragMoveEvent move(over, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g.Client(), &move);
    ASSERT_TRUE(move.isAccepted());
    QDropEvent drop(QPointF(over), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    EXPECT_NO_THROW(QApplication::sendEvent(g.Client(), &drop));
    SetMessageBoxAnswerer(previous);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"The value is not valid");
}
