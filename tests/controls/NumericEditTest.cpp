#include "BeepingEdit.h"
#include "LocaleScope.h"

#include "controls/edit/NumericEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {
using qeltest::CBeepingEdit;
using qeltest::LocaleScope;

std::wstring Text(const QLineEdit& e)
{
    return e.text().toStdWString();
}
} // namespace

TEST(NumericEdit, FreshFieldShowsZeroInTheLocale)
{
    {
        LocaleScope us(QLocale::English, QLocale::UnitedStates);
        CNumericEdit edit;
        EXPECT_EQ(Text(edit), L"0.00");
        EXPECT_EQ(edit.m_dValue, 0.0);
    }
    LocaleScope de(QLocale::German, QLocale::Germany);
    CNumericEdit edit;
    EXPECT_EQ(Text(edit), L"0,00");
    edit.SetValue(-1234567.891);
    EXPECT_EQ(Text(edit), L"-1.234.567,89");
    EXPECT_DOUBLE_EQ(edit.m_dValue, -1234567.89);
}

TEST(NumericEdit, SetValueShowsTheRoundedNumberAndReadsBackWhatItShows)
{
    LocaleScope us(QLocale::English, QLocale::UnitedStates);
    struct Case {
        double value;
        const wchar_t* negativeFormat;
        const wchar_t* shown;
        double read;
    };
    const Case cases[] = {
        {1234.5, L"-1.1", L"1,234.50", 1234.5}, {-2.0, L"-1.1", L"-2.00", -2.0},
        {-2.0, L"(1.1)", L"(2.00)", -2.0},      {-2.0, L"1.1 -", L"2.00 -", -2.0},
        {1.236, L"-1.1", L"1.24", 1.24},                                         // rounded half up at two decimals
        {0.001, L"-1.1", L"0.00", 0.0},         {-0.001, L"-1.1", L"0.00", 0.0}, // rounds to zero: no sign
        {0.5, L"-1.1", L"0.50", 0.5},           {1000000.0, L"-1.1", L"1,000,000.00", 1e6},
    };
    for (const Case& c : cases) {
        CNumericEdit edit;
        ASSERT_TRUE(edit.SetNegativeFormat(c.negativeFormat));
        edit.SetValue(c.value);
        EXPECT_EQ(Text(edit), c.shown) << c.value;
        EXPECT_DOUBLE_EQ(edit.m_dValue, c.read) << c.value;
        EXPECT_EQ(std::signbit(edit.m_dValue), c.read < 0) << c.value;
    }
    CNumericEdit edit;
    EXPECT_FALSE(edit.SetNegativeFormat(L"-1,1"));
    EXPECT_EQ(edit.m_sNegativeFormat, L"-1.1");
}

TEST(NumericEdit, TypingBuildsTheNumberDigitByDigit)
{
    LocaleScope us(QLocale::English, QLocale::UnitedStates);
    CBeepingEdit edit;
    QSignalSpy changes(&edit, &CMaskEdit::enChange);
    QTest::keyClicks(&edit, "1234");
    EXPECT_EQ(Text(edit), L"1,234.00");
    EXPECT_EQ(edit.cursorPosition(), 5);
    // The separator typed where one exists moves past it; a full fraction is overwritten.
    QTest::keyClicks(&edit, ".5");
    EXPECT_EQ(Text(edit), L"1,234.50");
    QTest::keyClicks(&edit, "7");
    EXPECT_EQ(Text(edit), L"1,234.57");
    EXPECT_DOUBLE_EQ(edit.m_dValue, 1234.57);
    EXPECT_EQ(edit.beeps, 0);
    EXPECT_GT(changes.count(), 0);
    // Nothing left to overwrite at the end, and letters are refused.
    QTest::keyClicks(&edit, "9x");
    EXPECT_EQ(Text(edit), L"1,234.57");
    EXPECT_EQ(edit.beeps, 2);

    // '.' from anywhere lands just past the separator.
    edit.setCursorPosition(0);
    QTest::keyClick(&edit, Qt::Key_Period);
    EXPECT_EQ(edit.cursorPosition(), 6);
}

TEST(NumericEdit, MinusTogglesTheSignAndKeepsTheCaretOnItsDigit)
{
    LocaleScope us(QLocale::English, QLocale::UnitedStates);
    for (const wchar_t* format : {L"-1.1", L"(1.1)"}) {
        CNumericEdit edit;
        edit.SetNegativeFormat(format);
        edit.SetValue(1234.57);
        edit.setCursorPosition(2); // in front of the 2
        QTest::keyClick(&edit, Qt::Key_Minus);
        EXPECT_DOUBLE_EQ(edit.m_dValue, -1234.57);
        EXPECT_EQ(edit.text().at(edit.cursorPosition()), QChar('2')) << format;
        QTest::keyClick(&edit, Qt::Key_Minus);
        EXPECT_EQ(Text(edit), L"1,234.57");
        EXPECT_EQ(edit.cursorPosition(), 2);
        EXPECT_DOUBLE_EQ(edit.m_dValue, 1234.57);
    }
    CNumericEdit edit;
    edit.m_clrNegative = RGB(255, 0, 0);
    edit.SetValue(-1.0);
    EXPECT_EQ(edit.palette().color(QPalette::Active, QPalette::Text), QColor(255, 0, 0));
    edit.SetValue(1.0);
    EXPECT_EQ(FromQColor(edit.palette().color(QPalette::Active, QPalette::Text)), edit.m_clrText);
}

TEST(NumericEdit, DeletingKeepsSeparatorsAndTheCaretOnItsDigit)
{
    LocaleScope us(QLocale::English, QLocale::UnitedStates);
    CNumericEdit edit;
    edit.SetValue(1234.57);
    // "4.5" selected: the separator stays, the fraction is padded again.
    edit.setSelection(4, 3);
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(Text(edit), L"123.70");
    EXPECT_EQ(edit.cursorPosition(), 3);
    EXPECT_DOUBLE_EQ(edit.m_dValue, 123.7);

    // Backspace next to a vanishing group separator keeps the caret behind the 1.
    edit.SetValue(1234.0);
    edit.setCursorPosition(3);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(Text(edit), L"134.00");
    EXPECT_EQ(edit.cursorPosition(), 1);

    // Backspace just after the separator skips it and deletes the digit before.
    edit.setCursorPosition(4);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(Text(edit), L"13.00");

    // Everything selected and deleted: zero, positive.
    edit.SetValue(-1234.57);
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(Text(edit), L"0.00");
    EXPECT_FALSE(edit.m_bNegative);
    EXPECT_FALSE(std::signbit(edit.m_dValue));
}

TEST(NumericEdit, ZeroTypedInFrontOfTheNumberChangesNothing)
{
    LocaleScope us(QLocale::English, QLocale::UnitedStates);
    CBeepingEdit edit;
    edit.SetValue(5.0);
    edit.setCursorPosition(0);
    QTest::keyClick(&edit, Qt::Key_0);
    EXPECT_EQ(Text(edit), L"5.00");
    EXPECT_EQ(edit.m_dValue, 5.0);
    EXPECT_EQ(edit.beeps, 1);
    // Over a lone zero the caret just steps on.
    edit.SetValue(0.25);
    edit.setCursorPosition(0);
    QTest::keyClick(&edit, Qt::Key_0);
    EXPECT_EQ(Text(edit), L"0.25");
    EXPECT_EQ(edit.cursorPosition(), 1);
}

TEST(NumericEdit, PasteAndOutsideTextKeepOnlyTheNumber)
{
    LocaleScope us(QLocale::English, QLocale::UnitedStates);
    CNumericEdit edit;
    edit.SetValue(7.0);
    QApplication::clipboard()->setText("12a3.4.5");
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(edit), L"1,234.50");
    EXPECT_DOUBLE_EQ(edit.m_dValue, 1234.5);

    // Text set from outside goes through the same rules and does not notify.
    QSignalSpy changes(&edit, &CMaskEdit::enChange);
    edit.SetWindowText(L"-12.5");
    EXPECT_EQ(Text(edit), L"-12.50");
    EXPECT_DOUBLE_EQ(edit.m_dValue, -12.5);
    EXPECT_EQ(changes.count(), 0);
}

TEST(NumericEdit, LocaleChangeReformatsUnlessTheProgramChoseItsOwn)
{
    LocaleScope us(QLocale::English, QLocale::UnitedStates);
    CNumericEdit follows, own;
    own.m_nGroupLength = 0;
    follows.SetValue(1234.5);
    own.SetValue(1234.5);
    EXPECT_EQ(Text(own), L"1234.50");

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    for (CNumericEdit* e : {&follows, &own}) {
        QEvent change(QEvent::LocaleChange);
        QApplication::sendEvent(e, &change);
    }
    EXPECT_EQ(Text(follows), L"1.234,50");
    EXPECT_EQ(Text(own), L"1234,50");
    EXPECT_DOUBLE_EQ(follows.m_dValue, 1234.5);
    EXPECT_DOUBLE_EQ(own.m_dValue, 1234.5);
    // Typing a period still means the decimal separator.
    follows.setCursorPosition(0);
    QTest::keyClick(&follows, Qt::Key_Period);
    EXPECT_EQ(follows.cursorPosition(), 6);
}

TEST(NumericEdit, NoDecimalsAndTheTextLimit)
{
    LocaleScope us(QLocale::English, QLocale::UnitedStates);
    CBeepingEdit edit;
    edit.SetValue(1234.57);
    edit.SetDecimalDigitCount(0);
    EXPECT_EQ(Text(edit), L"1,234"); // cut, not rounded
    EXPECT_EQ(edit.m_dValue, 1234.0);
    QTest::keyClick(&edit, Qt::Key_Period);
    EXPECT_EQ(edit.beeps, 1);
    EXPECT_EQ(Text(edit), L"1,234");
    // A negative count means none (it must not pad for ever).
    edit.SetDecimalDigitCount(2);
    edit.SetValue(5.5);
    edit.SetDecimalDigitCount(-3);
    EXPECT_EQ(Text(edit), L"5");

    // Six characters at most, counted on the whole text: a fourth integer digit ("1,234.00")
    // is undone, and a second field's limit is its own.
    CNumericEdit limited, other;
    limited.setMaxLength(6);
    limited.setCursorPosition(0);
    other.SetValue(99999.0);
    QTest::keyClicks(&limited, "1234");
    EXPECT_EQ(Text(limited), L"123.00");
    EXPECT_EQ(Text(other), L"99,999.00");
}

TEST(NumericEdit, OverwriteModeAndCaretKeys)
{
    LocaleScope us(QLocale::English, QLocale::UnitedStates);
    CNumericEdit edit;
    edit.SetNegativeFormat(L"(1.1)");
    edit.SetValue(-12.0);
    EXPECT_EQ(Text(edit), L"(12.00)");
    QTest::keyClick(&edit, Qt::Key_Home);
    EXPECT_EQ(edit.cursorPosition(), 1);
    QTest::keyClick(&edit, Qt::Key_End);
    EXPECT_EQ(edit.cursorPosition(), 6);
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Left);
    EXPECT_EQ(edit.cursorPosition(), 1);

    // Tabbing in selects everything; the caret goes to the first input position instead.
    edit.selectAll();
    QFocusEvent tabIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &tabIn);
    EXPECT_FALSE(edit.hasSelectedText());
    EXPECT_EQ(edit.cursorPosition(), 1);

    QTest::keyClick(&edit, Qt::Key_Insert);
    EXPECT_FALSE(edit.IsInsertMode());
    QTest::keyClicks(&edit, "3");
    EXPECT_EQ(Text(edit), L"(32.00)");
    EXPECT_DOUBLE_EQ(edit.m_dValue, -32.0);
}

TEST(MaskEdit, LiteralsAroundTheInput)
{
    CMaskEdit edit;
    EXPECT_EQ(edit.GetMask(), L"#");
    ASSERT_TRUE(edit.SetMask(L"[###] m"));
    EXPECT_EQ(Text(edit), L"[#] m");
    EXPECT_EQ(edit.cursorPosition(), 2);
    QTest::keyClicks(&edit, "ab");
    EXPECT_EQ(Text(edit), L"[#ab] m");
    EXPECT_EQ(edit.GetInputData(), L"ab");
    // Literals cannot be deleted: Delete at the end of the input does nothing.
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(Text(edit), L"[#ab] m");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(Text(edit), L"[#a] m");

    EXPECT_FALSE(edit.SetMask(L"abc"));
    EXPECT_FALSE(edit.SetMask(L"##x##"));
    EXPECT_EQ(edit.GetMask(), L"[###] m");
    EXPECT_FALSE(edit.SetInputData(L"z", 5));

    // A click in a literal puts the caret on the first input position.
    edit.show();
    QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(edit.width() - 3, edit.height() / 2));
    EXPECT_TRUE(edit.cursorPosition() >= 2 && edit.cursorPosition() <= 3);
}
