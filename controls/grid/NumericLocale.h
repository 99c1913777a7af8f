#pragma once
// What numeric entry needs of the user's locale, read afresh at each use (the user may change
// it while the program runs). The negative-number formats keep the original numbering:
// 0 "(1.1)", 1 "-1.1", 2 "- 1.1", 3 "1.1-", 4 "1.1 -".
#include <QLocale>
#include <QString>
#include <string>

namespace numloc {

// The locale's digits 0 to 9, in order; ASCII when the locale's zero is not one character.
inline QString Digits()
{
    const QString zero = QLocale().zeroDigit();
    if (zero.size() != 1)
        return QStringLiteral("0123456789");
    QString digits;
    for (int k = 0; k < 10; ++k)
        digits += QChar(static_cast<char16_t>(zero.at(0).unicode() + k));
    return digits;
}

inline QChar Decimal()
{
    const QString s = QLocale().decimalPoint();
    return s.isEmpty() ? QChar('.') : s.at(0);
}

// The digit group separator, or a null character when the locale writes none.
inline QChar GroupSeparator()
{
    const QLocale locale;
    if (locale.numberOptions() & QLocale::OmitGroupSeparator)
        return {};
    const QString s = locale.groupSeparator();
    return s.isEmpty() ? QChar() : s.at(0);
}

inline QChar NegativeSign()
{
    const QString s = QLocale().negativeSign();
    return s.isEmpty() ? QChar('-') : s.at(0);
}

// Numbers carry the sign in front in every locale of the platform; money is written in
// parentheses where the locale's accounting style says so ("($8)"), which must read back
// as negative.
inline int NegativeFormat(bool bCurrency)
{
    if (bCurrency && QLocale().toCurrencyString(-8.0, QString(), 0).startsWith(QChar('(')))
        return 0;
    return 1;
}

inline int LeadingZero()
{
    return 1;
}

// Decimal places of the locale's number format (two, as the platform's default number
// format has) or of its money format.
inline int DecimalDigits(bool bCurrency)
{
    if (!bCurrency)
        return 2;
    const QString zero = QLocale().toCurrencyString(0.0);
    const qsizetype at = zero.indexOf(Decimal());
    if (at < 0)
        return 0;
    int n = 0;
    const QString digits = Digits();
    for (qsizetype i = at + 1; i < zero.size() && digits.contains(zero.at(i)); ++i)
        ++n;
    return n;
}

// Whether every group separator in text stands where the locale's grouping puts one: after a
// digit, before exactly three digits, and before any decimal separator. Only then is it read
// as grouping; a lone '.' in a locale that groups with '.' stays a decimal point, as in
// program text ("12.5").
bool IsGrouped(const QString& text, QChar chGroup, QChar chDecimal);

// Removes the group separators of a grouped text (IsGrouped), else leaves it as it is.
QString WithoutGrouping(const QString& text);

// The text of a plain C number ("-1234.5678", ASCII digits, at most one '.') rounded to
// nDigits decimals, halves away from zero. Works on the digits, so a tie in the text ("2.675")
// rounds up although the nearest double lies below it.
std::string RoundDecimalText(const std::string& text, int nDigits);

// Whether the digits of text (the locale's or ASCII, up to its decimal separator chDecimal)
// make a number too large for a double; signs and other marks are not looked at.
bool ExceedsDouble(const QString& text, QChar chDecimal);

// Whether text reads whole as one number written the locale's way: an optional sign or
// parentheses, an optional money symbol, digits with the locale's grouping and decimal
// separator. "1,234.50" is one; "1,2" in a locale that groups with ',' is not.
bool IsLocaleNumber(const QString& text);

} // namespace numloc
