#include "GridInputFixture.h"
#include "LocaleScope.h"

#include "controls/grid/GridCellCombo.h"
#include "controls/grid/GridCellNumeric.h"
#include "controls/grid/InPlaceList.h"
#include "controls/grid/InPlaceNumEdit.h"
#include "platform/win/MessageBox.h"

#include <QAbstractItemView>
#include <QPainter>
#include <gtest/gtest.h>
#include <stdexcept>

using qeltest::InputGrid;

namespace {
constexpr UINT kBegin = LVN_BEGINLABELEDITW;
constexpr UINT kEnd = LVN_ENDLABELEDITW;
} // namespace

TEST(GridEdit, TypedCharacterReplacesTheTextAndEnterStoresIt)
{
    InputGrid g(4, 4);
    g.grid.SetFocusCell(1, 1);
    g.Type('7');
    InputGrid::Flush();
    QLineEdit* pEdit = g.Editor();
    ASSERT_NE(pEdit, nullptr);
    EXPECT_EQ(pEdit->text(), QStringLiteral("7"));
    EXPECT_EQ(pEdit->objectName(), QStringLiteral("8")); // control id of the editors
    // The editor lies over the cell.
    EXPECT_EQ(pEdit->geometry().topLeft(), QPoint(60, 20));

    QTest::keyClick(pEdit, Qt::Key_Return);
    InputGrid::Flush();
    EXPECT_EQ(g.Editor(), nullptr);
    EXPECT_EQ(g.Text(1, 1), L"7");
    EXPECT_TRUE(g.grid.GetItemState(1, 1) & GCS_MODIFIED);
    EXPECT_TRUE(g.grid.GetModified());
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(1, 1)); // Enter leaves the focus where it is
    ASSERT_EQ(g.grid.endRecords.size(), 1u);
    EXPECT_EQ(g.grid.endRecords[0].lParam, static_cast<LPARAM>(VK_RETURN));
    EXPECT_EQ(g.grid.endRecords[0].mask, 5u);
    EXPECT_EQ(g.host.Count(kBegin), 1);
    EXPECT_EQ(g.host.Count(kEnd), 1);
    EXPECT_FALSE(g.grid.GetCell(1, 1)->IsEditing());
}

TEST(GridEdit, F2AndEnterKeepTheTextWithTheCaretAtTheEnd)
{
    for (int key : {Qt::Key_F2, Qt::Key_Return}) {
        InputGrid g(4, 4);
        g.grid.SetFocusCell(2, 2);
        g.Key(key);
        InputGrid::Flush();
        QLineEdit* pEdit = g.Editor();
        ASSERT_NE(pEdit, nullptr) << key;
        EXPECT_EQ(pEdit->text(), QStringLiteral("2,2"));
        EXPECT_FALSE(pEdit->hasSelectedText());
        EXPECT_EQ(pEdit->cursorPosition(), 3);
    }
}

TEST(GridEdit, EscapePutsTheOldTextBackAndStillEnds)
{
    InputGrid g(4, 4);
    g.grid.SetFocusCell(1, 2);
    g.Key(Qt::Key_F2);
    QLineEdit* pEdit = g.Editor();
    ASSERT_NE(pEdit, nullptr);
    QTest::keyClicks(pEdit, "xyz");
    EXPECT_EQ(pEdit->text(), QStringLiteral("1,2xyz"));
    QTest::keyClick(pEdit, Qt::Key_Escape);
    InputGrid::Flush();
    EXPECT_EQ(g.Editor(), nullptr);
    EXPECT_EQ(g.Text(1, 2), L"1,2");
    ASSERT_EQ(g.grid.endRecords.size(), 1u);
    EXPECT_EQ(g.grid.endRecords[0].lParam, 27);
    // Unchanged text: no end-of-edit to the owner, nothing marked.
    EXPECT_EQ(g.host.Count(kEnd), 0);
    EXPECT_FALSE(g.grid.GetItemState(1, 2) & GCS_MODIFIED);
    EXPECT_FALSE(g.grid.GetModified());
}

TEST(GridEdit, TabStoresMovesRightAndEditsTheNextCellWithItsTextSelected)
{
    InputGrid g(4, 4);
    g.grid.SetFocusCell(1, 1);
    g.Type('5');
    InputGrid::Flush();
    ASSERT_NE(g.Editor(), nullptr);
    QTest::keyClick(g.Editor(), Qt::Key_Tab);
    InputGrid::Flush();
    EXPECT_EQ(g.Text(1, 1), L"5");
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(1, 2));
    QLineEdit* pNext = g.Editor();
    ASSERT_NE(pNext, nullptr);
    EXPECT_EQ(pNext->text(), QStringLiteral("1,2"));
    EXPECT_EQ(pNext->selectedText(), QStringLiteral("1,2"));
    EXPECT_TRUE(g.grid.GetCell(1, 2)->IsEditing());
    EXPECT_FALSE(g.grid.GetCell(1, 1)->IsEditing());
}

TEST(GridEdit, ArrowsMoveTheCaretAfterAClickButEndAnEditStartedByTyping)
{
    {
        InputGrid g(4, 4);
        g.Click(1, 1); // focus
        g.Click(1, 1); // press on the focus cell's text: edit on release
        InputGrid::Flush();
        QLineEdit* pEdit = g.Editor();
        ASSERT_NE(pEdit, nullptr);
        EXPECT_EQ(pEdit->cursorPosition(), 3);
        QTest::keyClick(pEdit, Qt::Key_Left);
        EXPECT_EQ(g.Editor(), pEdit);
        EXPECT_EQ(pEdit->cursorPosition(), 2);
        // Ctrl with an arrow always leaves.
        QTest::keyClick(pEdit, Qt::Key_Down, Qt::ControlModifier);
        InputGrid::Flush();
        EXPECT_EQ(g.grid.GetFocusCell(), CCellID(2, 1));
    }
    {
        InputGrid g(4, 4);
        g.grid.SetFocusCell(1, 1);
        g.Type('9');
        InputGrid::Flush();
        ASSERT_NE(g.Editor(), nullptr);
        QTest::keyClick(g.Editor(), Qt::Key_Right);
        InputGrid::Flush();
        EXPECT_EQ(g.Text(1, 1), L"9");
        EXPECT_EQ(g.grid.GetFocusCell(), CCellID(1, 2));
        ASSERT_NE(g.Editor(), nullptr); // the next cell is edited, its text selected
        EXPECT_EQ(g.Editor()->selectedText(), QStringLiteral("1,2"));
    }
}

TEST(GridEdit, OwnerVetoes)
{
    // A veto of the begin notification opens no editor.
    {
        InputGrid g(4, 4);
        g.host.answers[kBegin] = -1;
        g.grid.SetFocusCell(1, 1);
        g.Type('3');
        InputGrid::Flush();
        EXPECT_EQ(g.Editor(), nullptr);
        EXPECT_EQ(g.Text(1, 1), L"1,1");
    }
    // A veto of the end notification puts the old text back; the cell still counts as modified.
    {
        InputGrid g(4, 4);
        g.host.answers[kEnd] = -1;
        g.grid.SetFocusCell(1, 1);
        g.Type('3');
        InputGrid::Flush();
        ASSERT_NE(g.Editor(), nullptr);
        QTest::keyClick(g.Editor(), Qt::Key_Return);
        InputGrid::Flush();
        EXPECT_EQ(g.Text(1, 1), L"1,1");
        EXPECT_TRUE(g.grid.GetItemState(1, 1) & GCS_MODIFIED);
        EXPECT_EQ(g.host.Count(kEnd), 1);
    }
}

TEST(GridEdit, ReadOnlyCellsAndLockedGridsOpenNoEditor)
{
    for (bool lockGrid : {false, true}) {
        InputGrid g(4, 4);
        if (lockGrid)
            g.grid.m_bEditable = FALSE;
        else
            g.grid.SetItemState(1, 1, g.grid.GetItemState(1, 1) | GCS_READONLY);
        g.grid.SetFocusCell(1, 1);
        g.Type('3');
        g.Key(Qt::Key_F2);
        InputGrid::Flush();
        EXPECT_EQ(g.Editor(), nullptr);
        EXPECT_EQ(g.host.Count(kBegin), 0);
    }
}

TEST(GridEdit, APressElsewhereEndsTheEditAndKeepsTheText)
{
    InputGrid g(4, 4);
    g.grid.SetFocusCell(1, 1);
    g.Type('4');
    InputGrid::Flush();
    ASSERT_NE(g.Editor(), nullptr);
    QTest::keyClicks(g.Editor(), "2");
    g.Click(2, 2);
    InputGrid::Flush();
    EXPECT_EQ(g.Editor(), nullptr);
    EXPECT_EQ(g.Text(1, 1), L"42");
    EXPECT_EQ(g.grid.GetFocusCell(), CCellID(2, 2));
}

TEST(GridEdit, TypingWidensTheEditorUpToTheGridEdge)
{
    InputGrid g(4, 4);
    g.grid.SetFocusCell(1, 3); // x 180..239 of a 396-pixel client
    g.Key(Qt::Key_F2);
    QLineEdit* pEdit = g.Editor();
    ASSERT_NE(pEdit, nullptr);
    const int before = pEdit->width();
    QTest::keyClicks(pEdit, "a long text typed into the cell that goes on and on and on");
    EXPECT_GT(pEdit->width(), before);
    EXPECT_EQ(pEdit->geometry().right() + 1, 396);
}

// --- Numeric cells ------------------------------------------------------------------------------

namespace {
using qeltest::LocaleScope;
const QLocale& kUS = qeltest::kEnglishUS;
} // namespace

TEST(GridCellNumeric, ParsesAndFormatsInTheUserLocale)
{
    LocaleScope scope(kUS);
    struct Case {
        DWORD flags;
        const wchar_t* input;
        const wchar_t* shown; // null: refused
        double value;
    };
    const Case cases[] = {
        {1, L"1234.5", L"1,234.50", 1234.5},
        {1, L"1,234.50", L"1,234.50", 1234.5}, // the group separator is dropped, not misread
        {0, L"2.5", L"2", 2.0},                // an integer cell keeps the integer part
        {0, L"12x3", L"123", 123.0},
        {1, L"-3", L"3.00", 3.0}, // no negatives: the sign goes
        {5, L"-3", L"-3.00", -3.0},
        {5, L"2-", L"-2.00", -2.0}, // the sign is moved in front
        {1, L"0.125", L"0.13", 0.125},
        {1, L"1.2.3", nullptr, 0.0},
        {1, L"abc", nullptr, 0.0},
        {1, L"", nullptr, 0.0},
        {5, L"-", nullptr, 0.0},
        {2, L"$1,234.5", L"$1,234.50", 1234.5}, // currency: the locale's money format
    };
    for (const Case& c : cases) {
        CGridCellNumeric cell;
        cell.m_dwFlags = c.flags;
        cell.SetText(L"7");
        const std::wstring before = cell.GetText();
        cell.SetText(c.input);
        if (c.shown) {
            EXPECT_EQ(std::wstring(cell.GetText()), c.shown) << QString::fromWCharArray(c.input).toStdString();
            EXPECT_DOUBLE_EQ(cell.m_dValue, c.value);
        } else {
            EXPECT_EQ(std::wstring(cell.GetText()), before) << QString::fromWCharArray(c.input).toStdString();
            EXPECT_DOUBLE_EQ(cell.m_dValue, 7.0);
        }
    }
}

TEST(GridCellNumeric, SetNumberTellsWhetherTheCellHoldsTheValue)
{
    LocaleScope scope(kUS);
    CGridCellNumeric real;
    real.m_dwFlags = CGridCellNumeric::NUMERIC_REAL;
    EXPECT_TRUE(real.SetNumber(0.1));
    EXPECT_EQ(std::wstring(real.GetText()), L"0.10");
    EXPECT_DOUBLE_EQ(real.m_dValue, 0.1);
    EXPECT_TRUE(real.GetState() & GCS_MODIFIED);

    CGridCellNumeric integer;
    EXPECT_FALSE(integer.SetNumber(2.5));
    EXPECT_EQ(std::wstring(integer.GetText()), L"2");
    EXPECT_DOUBLE_EQ(integer.m_dValue, 2.0);

    // A negative value in a cell without negatives is kept as its magnitude.
    EXPECT_FALSE(real.SetNumber(-4.25));
    EXPECT_DOUBLE_EQ(real.m_dValue, 4.25);
    EXPECT_EQ(std::wstring(real.GetText()), L"4.25");

    CGridCellNumeric signedReal;
    signedReal.m_dwFlags = 5;
    EXPECT_TRUE(signedReal.SetNumber(-1234567.891));
    EXPECT_EQ(std::wstring(signedReal.GetText()), L"-1,234,567.89");
}

TEST(GridCellNumeric, OtherLocalesSeparatorsAndDigits)
{
    {
        LocaleScope scope(QLocale(QLocale::German, QLocale::Germany));
        CGridCellNumeric cell;
        cell.m_dwFlags = 5;
        cell.SetText(L"-1234,5");
        EXPECT_DOUBLE_EQ(cell.m_dValue, -1234.5);
        EXPECT_EQ(std::wstring(cell.GetText()), L"-1.234,50");
    }
    {
        const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
        if (arabic.zeroDigit() != QString(QChar(0x0660)))
            GTEST_SKIP() << "no Arabic-Indic digits in this Qt";
        LocaleScope scope(arabic);
        CGridCellNumeric cell;
        cell.SetText(L"\u0661\u0662"); // locale digits one, two
        EXPECT_DOUBLE_EQ(cell.m_dValue, 12.0);
        EXPECT_EQ(std::wstring(cell.GetText()), L"\u0661\u0662");
    }
}

TEST(GridCellNumeric, SetCellTypeParsesTheOldText)
{
    LocaleScope scope(kUS);
    InputGrid g(3, 3);
    g.grid.SetItemText(1, 1, L"1500.5");
    ASSERT_TRUE(g.grid.SetCellType(1, 1, RUNTIME_CLASS(CGridCellNumeric)));
    auto* pCell = dynamic_cast<CGridCellNumeric*>(g.grid.GetCell(1, 1));
    ASSERT_NE(pCell, nullptr);
    // Flags are 0 when the text is copied: an integer cell.
    EXPECT_DOUBLE_EQ(pCell->m_dValue, 1500.0);
    EXPECT_EQ(g.Text(1, 1), L"1,500");
}

namespace {
CGridCellNumeric* MakeNumeric(InputGrid& g, int row, int col, DWORD flags, double value)
{
    g.grid.SetCellType(row, col, RUNTIME_CLASS(CGridCellNumeric));
    auto* pCell = dynamic_cast<CGridCellNumeric*>(g.grid.GetCell(row, col));
    pCell->m_dwFlags = flags;
    pCell->SetNumber(value);
    return pCell;
}
} // namespace

TEST(InPlaceNumEdit, ShowsTheValueAsTypedAndStoresItFormatted)
{
    LocaleScope scope(kUS);
    InputGrid g(3, 3);
    MakeNumeric(g, 1, 1, 5, -1234.5);
    EXPECT_EQ(g.Text(1, 1), L"-1,234.50");
    g.grid.SetFocusCell(1, 1);
    g.Key(Qt::Key_F2);
    InputGrid::Flush();
    auto* pEdit = dynamic_cast<CInPlaceNumEdit*>(g.Editor());
    ASSERT_NE(pEdit, nullptr);
    EXPECT_EQ(pEdit->text(), QStringLiteral("-1234.5")); // no grouping, no trailing zeros
    EXPECT_EQ(pEdit->selectedText(), pEdit->text());
    pEdit->setCursorPosition(static_cast<int>(pEdit->text().size()));
    QTest::keyClicks(pEdit, "25");
    QTest::keyClick(pEdit, Qt::Key_Return);
    InputGrid::Flush();
    EXPECT_EQ(g.Text(1, 1), L"-1,234.53"); // -1234.525 shown with the locale's two decimals
    EXPECT_DOUBLE_EQ(dynamic_cast<CGridCellNumeric*>(g.grid.GetCell(1, 1))->m_dValue, -1234.525);
}

TEST(InPlaceNumEdit, RefusedKeystrokesPutBackTheTextAndCaret)
{
    LocaleScope scope(kUS);
    InputGrid g(3, 3);
    MakeNumeric(g, 1, 1, CGridCellNumeric::NUMERIC_REAL | CGridCellNumeric::NUMERIC_SILENT, 1.5);
    g.grid.SetFocusCell(1, 1);
    g.Click(1, 1);
    InputGrid::Flush();
    auto* pEdit = dynamic_cast<CInPlaceNumEdit*>(g.Editor());
    ASSERT_NE(pEdit, nullptr);
    ASSERT_EQ(pEdit->text(), QStringLiteral("1.5"));
    pEdit->setCursorPosition(1);
    for (const char* refused : {".", "x", "-", ","}) {
        QTest::keyClicks(pEdit, refused);
        EXPECT_EQ(pEdit->text(), QStringLiteral("1.5")) << refused;
        EXPECT_EQ(pEdit->cursorPosition(), 1) << refused;
    }
    QTest::keyClicks(pEdit, "2");
    EXPECT_EQ(pEdit->text(), QStringLiteral("12.5"));
}

TEST(InPlaceNumEdit, TypingReplacesTheValueAndAnEmptyEditStoresZero)
{
    LocaleScope scope(kUS);
    InputGrid g(3, 3);
    MakeNumeric(g, 1, 1, 1, 8.0);
    g.grid.SetFocusCell(1, 1);
    g.Type('3');
    InputGrid::Flush();
    ASSERT_NE(g.Editor(), nullptr);
    EXPECT_EQ(g.Editor()->text(), QStringLiteral("3"));
    QTest::keyClick(g.Editor(), Qt::Key_Backspace);
    EXPECT_EQ(g.Editor()->text(), QString());
    QTest::keyClick(g.Editor(), Qt::Key_Tab);
    InputGrid::Flush();
    EXPECT_EQ(g.Text(1, 1), L"0.00");
    EXPECT_DOUBLE_EQ(dynamic_cast<CGridCellNumeric*>(g.grid.GetCell(1, 1))->m_dValue, 0.0);
}

TEST(InPlaceNumEdit, EscapeKeepsTheFormattedText)
{
    LocaleScope scope(kUS);
    InputGrid g(3, 3);
    MakeNumeric(g, 1, 1, 1, 1234.5);
    g.grid.SetFocusCell(1, 1);
    g.Type('9');
    InputGrid::Flush();
    ASSERT_NE(g.Editor(), nullptr);
    QTest::keyClick(g.Editor(), Qt::Key_Escape);
    InputGrid::Flush();
    EXPECT_EQ(g.Text(1, 1), L"1,234.50");
    EXPECT_EQ(g.host.Count(kEnd), 0);
}

TEST(InPlaceNumEdit, LocaleDigitsInTheEditor)
{
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    if (arabic.zeroDigit() != QString(QChar(0x0660)))
        GTEST_SKIP() << "no Arabic-Indic digits in this Qt";
    LocaleScope scope(arabic);
    InputGrid g(3, 3);
    MakeNumeric(g, 1, 1, 0, 12.0);
    g.grid.SetFocusCell(1, 1);
    g.Key(Qt::Key_F2);
    ASSERT_NE(g.Editor(), nullptr);
    EXPECT_EQ(g.Editor()->text(), QString::fromWCharArray(L"\u0661\u0662"));
}

// --- Combo cells --------------------------------------------------------------------------------

TEST(GridCellCombo, EditsWithAListOfChoices)
{
    InputGrid g(3, 3);
    ASSERT_TRUE(g.grid.SetCellType(1, 1, RUNTIME_CLASS(CGridCellCombo)));
    auto* pCell = dynamic_cast<CGridCellCombo*>(g.grid.GetCell(1, 1));
    ASSERT_NE(pCell, nullptr);
    EXPECT_EQ(pCell->GetStyle(), CBS_DROPDOWN);
    pCell->SetOptions({L"Steel", L"Concrete", std::wstring(80, L'W')});
    pCell->SetText(L"Timber"); // not among the choices
    g.grid.SetFocusCell(1, 1);
    g.Key(Qt::Key_F2);
    InputGrid::Flush();
    auto* pList = g.Client()->findChild<CInPlaceList*>();
    ASSERT_NE(pList, nullptr);
    ASSERT_NE(pList->m_edit, nullptr);
    EXPECT_EQ(pList->m_edit->text(), QStringLiteral("Timber"));
    EXPECT_EQ(pList->count(), 3);
    EXPECT_EQ(pList->GetCorrectDropWidth(), 200);
    EXPECT_EQ(pCell->GetEditWnd(), pList->m_edit);

    pList->setCurrentIndex(1);
    pList->m_edit->setText(QStringLiteral("Concrete"));
    QTest::keyClick(pList->m_edit, Qt::Key_Return);
    InputGrid::Flush();
    EXPECT_EQ(g.Text(1, 1), L"Concrete");
    EXPECT_EQ(g.Client()->findChild<CInPlaceList*>(), nullptr);
    EXPECT_FALSE(pCell->IsEditing());
    EXPECT_EQ(pCell->GetEditWnd(), nullptr);
}

TEST(GridCellCombo, EscapeRestoresAndTheExtentMakesRoomForTheButton)
{
    InputGrid g(3, 3);
    g.grid.SetCellType(1, 1, RUNTIME_CLASS(CGridCellCombo));
    auto* pCell = dynamic_cast<CGridCellCombo*>(g.grid.GetCell(1, 1));
    pCell->SetOptions({L"A", L"B"});
    pCell->SetText(L"A");
    CGridCell plain;
    plain.SetGrid(&g.grid);
    plain.SetText(L"A");
    CClientDC dc(&g.grid);
    EXPECT_EQ(pCell->GetCellExtent(&dc).cx, plain.GetCellExtent(&dc).cx + GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_GE(pCell->GetCellExtent(&dc).cy, GetSystemMetrics(SM_CYHSCROLL));

    g.grid.SetFocusCell(1, 1);
    g.Type('B');
    InputGrid::Flush();
    auto* pList = g.Client()->findChild<CInPlaceList*>();
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pList->m_edit->text(), QStringLiteral("B"));
    QTest::keyClick(pList->m_edit, Qt::Key_Escape);
    InputGrid::Flush();
    EXPECT_EQ(g.Text(1, 1), L"A");
    ASSERT_FALSE(g.grid.endRecords.empty());
    EXPECT_EQ(g.grid.endRecords.back().lParam, 27);
}

TEST(GridCellNumeric, ProgramValuesReachCellsOfLocalesWithTheirOwnDigits)
{
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    if (arabic.zeroDigit() != QString(QChar(0x0660)))
        GTEST_SKIP() << "no Arabic-Indic digits in this Qt";
    LocaleScope scope(arabic);
    CGridCellNumeric cell;
    EXPECT_TRUE(cell.SetNumber(34.0));
    EXPECT_DOUBLE_EQ(cell.m_dValue, 34.0);
    EXPECT_EQ(std::wstring(cell.GetText()), L"\u0663\u0664");
}

TEST(GridEdit, AGridDestroyedWhileEditingTakesItsEditorAlong)
{
    auto g = std::make_unique<InputGrid>(4, 4);
    g->grid.SetFocusCell(1, 1);
    g->Key(Qt::Key_F2);
    QPointer<QLineEdit> pEdit = g->Editor();
    ASSERT_FALSE(pEdit.isNull());
    g.reset();
    InputGrid::Flush();
    EXPECT_TRUE(pEdit.isNull());
}

TEST(GridCellCombo, TheListOpensWithTheEditorAndEachEndIsCountedOnce)
{
    enum class End { Return, Choice, Tab, Escape, ClickElsewhere };
    for (const End end : {End::Return, End::Choice, End::Tab, End::Escape, End::ClickElsewhere}) {
        const int n = static_cast<int>(end);
        InputGrid g(3, 4);
        g.grid.SetCellType(1, 1, RUNTIME_CLASS(CGridCellCombo));
        auto* pCell = dynamic_cast<CGridCellCombo*>(g.grid.GetCell(1, 1));
        pCell->SetOptions({L"Steel", L"Concrete"});
        pCell->SetText(L"Steel");
        g.grid.SetFocusCell(1, 1);
        g.Key(Qt::Key_F2);
        InputGrid::Flush();
        auto* pList = g.Client()->findChild<CInPlaceList*>();
        ASSERT_NE(pList, nullptr) << n;
        EXPECT_TRUE(pList->view()->isVisible()) << n; // the choices are shown at once
        if (end == End::Return) {
            QImage shot = g.host.grab().toImage();
            QPainter painter(&shot);
            QWidget* popup = pList->view()->window();
            painter.drawPixmap(g.host.mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->grab());
            painter.end();
            qeltest::SaveScreenshot(shot, "grid-combo-list.png");
        }

        switch (end) {
        case End::Return: QTest::keyClick(pList->m_edit, Qt::Key_Return); break;
        case End::Choice:
            pList->view()->setCurrentIndex(pList->model()->index(1, 0));
            QTest::keyClick(pList->view(), Qt::Key_Return);
            break;
        case End::Tab: QTest::keyClick(pList->m_edit, Qt::Key_Tab); break;
        case End::Escape:
            pList->hidePopup();
            QTest::keyClick(pList->m_edit, Qt::Key_Escape);
            break;
        case End::ClickElsewhere:
            pList->hidePopup();
            g.Click(2, 3);
            break;
        }
        InputGrid::Flush();
        EXPECT_EQ(g.grid.endRecords.size(), 1u) << n;
        EXPECT_EQ(g.host.Count(LVN_ENDLABELEDITW), end == End::Choice ? 1 : 0) << n; // only a change is told
        EXPECT_EQ(g.Text(1, 1), end == End::Choice ? L"Concrete" : L"Steel") << n;
        EXPECT_FALSE(pCell->IsEditing()) << n;
    }
}

TEST(GridCellCombo, DrawsADropButtonOnlyWhereItCanBeEdited)
{
    for (bool editable : {true, false}) {
        InputGrid g(3, 3);
        g.grid.m_bEditable = editable ? TRUE : FALSE;
        g.grid.SetCellType(1, 1, RUNTIME_CLASS(CGridCellCombo));
        CRect rect;
        ASSERT_TRUE(g.grid.GetCellRect(1, 1, &rect));
        const int cx = GetSystemMetrics(SM_CXVSCROLL);
        const QImage img = qeltest::GrabClient(g.grid);
        // Just inside the button's raised edge, away from its arrow.
        const COLORREF pixel = qeltest::PixelAt(img, rect.right - cx + 3, rect.top + 3);
        if (editable)
            EXPECT_EQ(pixel, GetSysColor(COLOR_3DFACE));
        else
            EXPECT_EQ(pixel, g.grid.m_cellDefault.GetBackClr());
    }
}

// --- Failures at the end of an edit ----------------------------------------------------------------

namespace {
// An owner whose end-of-edit handling fails once, as a dialog's might on bad input.
class CFailingOwner : public CNotifyReceiver {
public:
    int failures = 1;
    LRESULT OnNotify(WPARAM, NMHDR* pNMHDR) override
    {
        if (pNMHDR->code == LVN_ENDLABELEDITW && failures > 0) {
            --failures;
            throw std::runtime_error("The value is not valid");
        }
        return 0;
    }
};

struct BoxRecorder {
    std::vector<std::wstring> texts;
    MessageBoxAnswerer previous;
    BoxRecorder()
    {
        previous = SetMessageBoxAnswerer([this](const std::wstring& t, const std::wstring&, UINT) {
            texts.push_back(t);
            return IDOK;
        });
    }
    ~BoxRecorder() { SetMessageBoxAnswerer(previous); }
};
} // namespace

TEST(GridEdit, AnOwnerFailingAtTheEndOfAnEditIsReportedAndTheNextEditsStillEnd)
{
    // The editors are widgets of their own: what fails behind them must be reported like a
    // failing handler of a window, never thrown through the event loop, and must not leave
    // the editor, the cell or the next edits stuck.
    InputGrid g(4, 4);
    CFailingOwner owner;
    g.grid.SetOwner(&owner);
    BoxRecorder boxes;

    g.grid.SetFocusCell(1, 1);
    g.Type('7');
    InputGrid::Flush();
    ASSERT_NE(g.Editor(), nullptr);
    EXPECT_NO_THROW(QTest::keyClick(g.Editor(), Qt::Key_Return));
    InputGrid::Flush();
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], L"The value is not valid");
    EXPECT_EQ(g.Editor(), nullptr);
    EXPECT_FALSE(g.grid.GetCell(1, 1)->IsEditing());

    g.grid.SetFocusCell(2, 2);
    g.Type('5');
    InputGrid::Flush();
    ASSERT_NE(g.Editor(), nullptr);
    QTest::keyClick(g.Editor(), Qt::Key_Return);
    InputGrid::Flush();
    EXPECT_EQ(g.Editor(), nullptr);
    EXPECT_EQ(g.Text(2, 2), L"5");

    // A combo cell's editor, ended by choosing from its list.
    owner.failures = 1;
    ASSERT_TRUE(g.grid.SetCellType(3, 3, RUNTIME_CLASS(CGridCellCombo)));
    dynamic_cast<CGridCellCombo*>(g.grid.GetCell(3, 3))->SetOptions({L"Steel", L"Concrete"});
    g.grid.SetFocusCell(3, 3);
    g.Key(Qt::Key_F2);
    InputGrid::Flush();
    auto* pList = g.Client()->findChild<CInPlaceList*>();
    ASSERT_NE(pList, nullptr);
    EXPECT_NO_THROW(emit pList->activated(1));
    InputGrid::Flush();
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(g.Client()->findChild<CInPlaceList*>(), nullptr);
    EXPECT_FALSE(g.grid.GetCell(3, 3)->IsEditing());
}

TEST(GridEdit, AnOwnerReplacingTheEditedCellGetsItsAnswerAppliedToTheNewCell)
{
    // Dialogs rebuild a row from their end-of-edit handler (new cell classes for its cells):
    // the grid must not touch the cell it had before the answer.
    struct CRebuildingOwner : CNotifyReceiver {
        CGridCtrl* pGrid = nullptr;
        LRESULT answer = 0;
        LRESULT OnNotify(WPARAM, NMHDR* pNMHDR) override
        {
            const auto* nm = reinterpret_cast<const NM_GRIDVIEW*>(pNMHDR);
            if (pNMHDR->code != LVN_ENDLABELEDITW)
                return 0;
            pGrid->SetCellType(nm->iRow, nm->iColumn, RUNTIME_CLASS(CGridCellNumeric));
            return answer;
        }
    } owner;
    InputGrid g(4, 4);
    owner.pGrid = &g.grid;
    g.grid.SetOwner(&owner);

    for (const int row : {1, 2}) {
        // Row 1 refused: the old text comes back, into the new cell; row 2 accepted.
        owner.answer = row == 1 ? -1 : 0;
        g.grid.SetItemText(row, 1, L"12");
        g.grid.SetFocusCell(row, 1);
        g.Type('7');
        InputGrid::Flush();
        ASSERT_NE(g.Editor(), nullptr);
        QTest::keyClick(g.Editor(), Qt::Key_Return);
        InputGrid::Flush();
        EXPECT_NE(dynamic_cast<CGridCellNumeric*>(g.grid.GetCell(row, 1)), nullptr);
        EXPECT_EQ(g.Text(row, 1), row == 1 ? L"12" : L"7");
        EXPECT_FALSE(g.grid.GetCell(row, 1)->IsEditing());
    }
    // The same for a text set through the grid (a paste, a cut, a clear).
    owner.answer = -1;
    g.grid.SetItemText(3, 2, L"12");
    g.grid.SetItemTextWithNotify(3, 2, L"7");
    EXPECT_NE(dynamic_cast<CGridCellNumeric*>(g.grid.GetCell(3, 2)), nullptr);
    EXPECT_EQ(g.Text(3, 2), L"12");
}
