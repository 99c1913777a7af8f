// Numeric cells: what a cell shows must read back as the number it holds, in every locale,
// and a refused edit leaves the cell exactly as it was.
#include "GridInputFixture.h"
#include "LocaleScope.h"

#include "controls/grid/GridCellNumeric.h"
#include "platform/base/CLocale.h"
#include "platform/win/MessageBox.h"

#include <QClipboard>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>

using qeltest::InputGrid;
using qeltest::LocaleScope;

namespace {
constexpr DWORD kInteger = 0;
constexpr DWORD kReal = CGridCellNumeric::NUMERIC_REAL;
constexpr DWORD kSignedReal = CGridCellNumeric::NUMERIC_REAL | CGridCellNumeric::NUMERIC_NEGATIVE;
constexpr DWORD kSignedInteger = CGridCellNumeric::NUMERIC_NEGATIVE;
constexpr DWORD kSignedMoney = CGridCellNumeric::NUMERIC_CURRENCY | CGridCellNumeric::NUMERIC_NEGATIVE;

// Counts the beeps of refused input while it lives.
class BeepCounter {
public:
    BeepCounter()
    {
        m_previous = SetBeepListener([this](UINT) { ++beeps; });
    }
    ~BeepCounter() { SetBeepListener(m_previous); }
    int beeps = 0;

private:
    BeepListener m_previous;
};

// The shown text read as a reader of the locale would: money symbol and parentheses aside,
// then the locale's own number reading (which knows its group and decimal separators).
double ReadAsLocaleNumber(const std::wstring& shown, bool& ok)
{
    const QLocale locale;
    QString s = QString::fromStdWString(shown).trimmed();
    bool negative = false;
    if (s.startsWith(QChar('(')) && s.endsWith(QChar(')'))) {
        negative = true;
        s = s.mid(1, s.size() - 2);
    }
    if (!locale.currencySymbol().isEmpty())
        s.remove(locale.currencySymbol());
    const double value = locale.toDouble(s.trimmed(), &ok);
    return negative ? -value : value;
}

CGridCellNumeric* MakeNumericCell(InputGrid& g, int row, int col, DWORD flags)
{
    g.grid.SetCellType(row, col, RUNTIME_CLASS(CGridCellNumeric));
    auto* pCell = dynamic_cast<CGridCellNumeric*>(g.grid.GetCell(row, col));
    pCell->m_dwFlags = flags;
    return pCell;
}

std::string Name(const QLocale& locale, const std::wstring& input)
{
    return locale.name().toStdString() + " '" + QString::fromStdWString(input).left(20).toStdString() + "'";
}
} // namespace

TEST(GridCellNumeric, ShownTextReadsBackAsTheHeldNumberInEachLocale)
{
    struct Case {
        QLocale locale;
        DWORD flags;
        std::wstring input;
        const wchar_t* shown;
        double value;
    };
    const QLocale c = QLocale::c();
    const QLocale& us = qeltest::kEnglishUS;
    const QLocale& de = qeltest::kGerman;
    const Case cases[] = {
        // The German decimal comma ends an integer as the point does: two and a half is 2.
        {de, kInteger, L"2,5", L"2", 2.0},
        {de, kInteger, L"2.5", L"2", 2.0},
        {us, kInteger, L"2.5", L"2", 2.0},
        {c, kInteger, L"2.5", L"2", 2.0},
        // Grouped integers: "4.618" is four thousand six hundred and eighteen in German.
        {de, kInteger, L"4.618", L"4.618", 4618.0},
        {de, kSignedInteger, L"-1.234.567", L"-1.234.567", -1234567.0},
        {us, kInteger, L"4,618", L"4,618", 4618.0},
        // A grouped real, and a lone point that cannot be grouping stays a decimal point.
        {de, kReal, L"4.618,25", L"4.618,25", 4618.25},
        {de, kReal, L"12.5", L"12,50", 12.5},
        {us, kReal, L"4,618.25", L"4,618.25", 4618.25},
        {c, kSignedReal, L"-4618.25", L"-4618.25", -4618.25},
        // Ties round on the digits typed: 2.675 is a tie in the text, although the nearest
        // double (2.67499999...) lies below it.
        {us, kReal, L"2.675", L"2.68", 2.675},
        {de, kReal, L"2,675", L"2,68", 2.675},
        {us, kSignedReal, L"-2.675", L"-2.68", -2.675},
        {us, kReal, L"0.125", L"0.13", 0.125},
        {us, kReal, L"9.995", L"10.00", 9.995},
        // Money: the accounting parentheses of the English format mark a negative amount.
        {us, kSignedMoney, L"($4,618.25)", L"($4,618.25)", -4618.25},
        {us, kSignedMoney, L"-4618.25", L"($4,618.25)", -4618.25},
        {de, kSignedMoney, L"-4.618,25 \u20ac", L"-4.618,25\u00a0\u20ac", -4618.25},
        // Digits far below a cent still read as the number they are.
        {us, kReal, L"0." + std::wstring(400, L'0') + L"1", L"0.00", 0.0},
    };
    for (const Case& k : cases) {
        LocaleScope scope(k.locale);
        InputGrid g(3, 3);
        CGridCellNumeric* pCell = MakeNumericCell(g, 1, 1, k.flags);
        ASSERT_TRUE(g.grid.SetItemText(1, 1, k.input.c_str())) << Name(k.locale, k.input);
        EXPECT_EQ(g.Text(1, 1), k.shown) << Name(k.locale, k.input);
        EXPECT_DOUBLE_EQ(pCell->m_dValue, k.value) << Name(k.locale, k.input);

        // Read back by the cell itself (as copy and paste or an edit would) and by the locale.
        const std::wstring shown = g.Text(1, 1);
        CGridCellNumeric* pOther = MakeNumericCell(g, 1, 2, k.flags);
        ASSERT_TRUE(g.grid.SetItemText(1, 2, shown.c_str())) << Name(k.locale, k.input);
        EXPECT_EQ(g.Text(1, 2), shown) << Name(k.locale, k.input);
        const double cent = (k.flags & kReal) || (k.flags & CGridCellNumeric::NUMERIC_CURRENCY) ? 0.005 : 0.5;
        EXPECT_NEAR(pOther->m_dValue, k.value, cent + 1e-9) << Name(k.locale, k.input);
        bool ok = false;
        const double read = ReadAsLocaleNumber(shown, ok);
        EXPECT_TRUE(ok) << Name(k.locale, k.input);
        EXPECT_DOUBLE_EQ(read, pOther->m_dValue) << Name(k.locale, k.input);
    }
}

TEST(GridCellNumeric, ProgramValuesRoundAsTheirTextDoes)
{
    // SetNumber writes "%.9f": 2.675 becomes "2.675000000", a tie that rounds up.
    for (const QLocale& locale : {QLocale::c(), qeltest::kEnglishUS, qeltest::kGerman}) {
        LocaleScope scope(locale);
        CGridCellNumeric cell;
        cell.m_dwFlags = kSignedReal;
        EXPECT_TRUE(cell.SetNumber(2.675));
        EXPECT_EQ(QString::fromWCharArray(cell.GetText()), locale.toString(2.68, 'f', 2))
            << locale.name().toStdString();
        EXPECT_TRUE(cell.SetNumber(-1234.005));
        EXPECT_EQ(QString::fromWCharArray(cell.GetText()), locale.toString(-1234.01, 'f', 2))
            << locale.name().toStdString();
        // An integer cell in German takes the integer part of a program value too.
        CGridCellNumeric integer;
        EXPECT_FALSE(integer.SetNumber(4618.75));
        EXPECT_DOUBLE_EQ(integer.m_dValue, 4618.0);
    }
}

TEST(GridCellNumeric, NumbersBeyondTheDoubleRangeAreRefusedWithABeep)
{
    LocaleScope scope(qeltest::kEnglishUS);
    InputGrid g(3, 3);
    CGridCellNumeric* pCell = MakeNumericCell(g, 1, 1, kSignedReal);
    pCell->SetNumber(7.5);
    const std::wstring huge = L"1" + std::wstring(309, L'0'); // 1e309: past the largest double
    for (const std::wstring& input : {huge, L"-" + huge}) {
        BeepCounter beeps;
        EXPECT_FALSE(g.grid.SetItemText(1, 1, input.c_str()));
        EXPECT_EQ(beeps.beeps, 1);
        EXPECT_EQ(g.Text(1, 1), L"7.50");
        EXPECT_DOUBLE_EQ(pCell->m_dValue, 7.5);
    }
    // The largest double itself still fits.
    EXPECT_TRUE(g.grid.SetItemText(1, 1, FormatDoubleCW("%.0f", 1.7976931348623157e308).c_str()));
    EXPECT_DOUBLE_EQ(pCell->m_dValue, 1.7976931348623157e308);

    // A silent cell refuses without a sound; text that is no number at all is refused quietly.
    pCell->m_dwFlags |= CGridCellNumeric::NUMERIC_SILENT;
    BeepCounter beeps;
    EXPECT_FALSE(g.grid.SetItemText(1, 1, huge.c_str()));
    pCell->m_dwFlags &= ~CGridCellNumeric::NUMERIC_SILENT;
    EXPECT_FALSE(g.grid.SetItemText(1, 1, L"abc"));
    EXPECT_EQ(beeps.beeps, 0);
}

TEST(InPlaceNumEdit, AKeyThatWouldOverflowTheNumberIsRefused)
{
    LocaleScope scope(qeltest::kGerman);
    InputGrid g(3, 3);
    MakeNumericCell(g, 1, 1, kSignedReal)->SetNumber(1.0);
    g.grid.SetFocusCell(1, 1);
    g.Key(Qt::Key_F2);
    InputGrid::Flush();
    QLineEdit* pEdit = g.Editor();
    ASSERT_NE(pEdit, nullptr);
    pEdit->setText(QStringLiteral("-") + QString(308, QChar('9')) + QStringLiteral(",5"));
    ASSERT_EQ(pEdit->text().size(), 311); // 308 digits still fit a double
    BeepCounter beeps;
    pEdit->setCursorPosition(1);
    QTest::keyClicks(pEdit, "99");
    EXPECT_EQ(beeps.beeps, 2);
    EXPECT_EQ(pEdit->text().size(), 311);
    QTest::keyClick(pEdit, Qt::Key_Return);
    InputGrid::Flush();
    // 308 nines and a half: 10^308 less a half, which as a double is 1e308.
    EXPECT_DOUBLE_EQ(dynamic_cast<CGridCellNumeric*>(g.grid.GetCell(1, 1))->m_dValue, -1e308);
}

TEST(GridCellNumeric, SetItemTextTellsWhenTheCellRefusesTheText)
{
    LocaleScope scope(qeltest::kEnglishUS);
    InputGrid g(3, 3);
    MakeNumericCell(g, 1, 1, kReal)->SetNumber(3.0);
    g.grid.SetItemState(1, 1, g.grid.GetItemState(1, 1) & ~GCS_MODIFIED);
    g.grid.m_bModified = FALSE;
    EXPECT_FALSE(g.grid.SetItemText(1, 1, L"no number"));
    EXPECT_EQ(g.Text(1, 1), L"3.00");
    EXPECT_FALSE(g.grid.GetItemState(1, 1) & GCS_MODIFIED);
    EXPECT_FALSE(g.grid.GetModified());
    EXPECT_TRUE(g.grid.SetItemText(1, 1, L"4"));
    EXPECT_EQ(g.Text(1, 1), L"4.00");
    EXPECT_TRUE(g.grid.GetModified());
    // A text cell takes any text.
    EXPECT_TRUE(g.grid.SetItemText(1, 2, L"no number"));
}

TEST(GridCellNumeric, AVetoedEditKeepsTheValueNotItsRoundedText)
{
    // 0.125 shows as 0.13; putting the shown text back would make the value 0.13.
    LocaleScope scope(qeltest::kEnglishUS);
    InputGrid g(3, 3);
    CGridCellNumeric* pCell = MakeNumericCell(g, 1, 1, kReal);
    ASSERT_TRUE(pCell->SetNumber(0.125));
    ASSERT_EQ(g.Text(1, 1), L"0.13");
    g.host.answers[LVN_ENDLABELEDITW] = -1;

    g.grid.OnEndEditCell(1, 1, L"7"); // the editor's end
    EXPECT_EQ(g.Text(1, 1), L"0.13");
    EXPECT_DOUBLE_EQ(pCell->m_dValue, 0.125);

    g.grid.SetItemTextWithNotify(1, 1, L"7"); // paste, cut and delete
    EXPECT_EQ(g.Text(1, 1), L"0.13");
    EXPECT_DOUBLE_EQ(pCell->m_dValue, 0.125);

    // Accepted, the new text and value stay.
    g.host.answers[LVN_ENDLABELEDITW] = 0;
    g.grid.OnEndEditCell(1, 1, L"7");
    EXPECT_DOUBLE_EQ(pCell->m_dValue, 7.0);
}

TEST(GridCellNumeric, CopyAndPasteCarryTheNumberBetweenCells)
{
    // Grouped, negative and money cells of one row copied and pasted into the next row.
    for (const QLocale& locale : {QLocale::c(), qeltest::kEnglishUS, qeltest::kGerman}) {
        LocaleScope scope(locale);
        InputGrid g(4, 4);
        const DWORD flags[] = {kSignedReal, kSignedInteger, kSignedMoney};
        const double values[] = {-1234567.5, 4618.0, -4618.25};
        for (int c = 0; c < 3; ++c) {
            MakeNumericCell(g, 1, c + 1, flags[c])->SetNumber(values[c]);
            MakeNumericCell(g, 2, c + 1, flags[c]);
        }
        // Each cell alone (no tab in the text), then the whole row (tabs).
        for (int c = 1; c <= 3; ++c) {
            g.grid.SetSelectedRange(1, c, 1, c);
            g.grid.OnEditCopy();
            g.grid.SetSelectedRange(2, c, 2, c);
            g.grid.OnEditPaste();
            const auto* pCell = dynamic_cast<CGridCellNumeric*>(g.grid.GetCell(2, c));
            EXPECT_DOUBLE_EQ(pCell->m_dValue, values[c - 1]) << locale.name().toStdString() << " column " << c;
            EXPECT_EQ(g.Text(2, c), g.Text(1, c));
            g.grid.SetItemText(2, c, L"0");
        }
        g.grid.SetSelectedRange(1, 1, 1, 3);
        g.grid.OnEditCopy();
        g.grid.SetSelectedRange(2, 1, 2, 1);
        g.grid.OnEditPaste();
        for (int c = 1; c <= 3; ++c)
            EXPECT_DOUBLE_EQ(dynamic_cast<CGridCellNumeric*>(g.grid.GetCell(2, c))->m_dValue, values[c - 1])
                << locale.name().toStdString() << " row, column " << c;
    }
}

TEST(GridCellNumeric, RandomCommitsShowWhatTheCellHolds)
{
    // Text as users type or paste it into cells: every accepted text shows a number that reads
    // back (by the locale and by the cell) as the held value, to the shown decimals.
    std::mt19937 random(4618); // fixed: a failure can be replayed
    const std::wstring alphabet = L"0123456789012345678901234567890123456789.,-() $\u20ac\u00a0";
    const DWORD flagsList[] = {kInteger, kReal, kSignedReal, kSignedInteger, kSignedMoney};
    int accepted = 0;
    for (const QLocale& locale : {QLocale::c(), qeltest::kEnglishUS, qeltest::kGerman}) {
        LocaleScope scope(locale);
        for (int i = 0; i < 2000; ++i) {
            const DWORD flags = flagsList[random() % 5];
            std::wstring input;
            const int length = 1 + static_cast<int>(random() % 14);
            for (int k = 0; k < length; ++k)
                input += alphabet[random() % alphabet.size()];
            CGridCellNumeric cell;
            cell.m_dwFlags = flags;
            if (!cell.SetTextChecked(input.c_str()))
                continue;
            ++accepted;
            const std::wstring shown = cell.GetText();
            const double unit = (flags & (kReal | CGridCellNumeric::NUMERIC_CURRENCY)) ? 0.01 : 1.0;
            const double tolerance = unit / 2 + std::fabs(cell.m_dValue) * 1e-15;
            bool ok = false;
            const double read = ReadAsLocaleNumber(shown, ok);
            ASSERT_TRUE(ok) << Name(locale, input) << " shows " << QString::fromStdWString(shown).toStdString();
            ASSERT_NEAR(read, cell.m_dValue, tolerance)
                << Name(locale, input) << " shows " << QString::fromStdWString(shown).toStdString();
            CGridCellNumeric again;
            again.m_dwFlags = flags;
            ASSERT_TRUE(again.SetTextChecked(shown.c_str())) << Name(locale, input);
            ASSERT_EQ(std::wstring(again.GetText()), shown) << Name(locale, input);
        }
    }
    EXPECT_GT(accepted, 1000);
}
