#pragma once
// What numeric entry needs of the user's locale, read afresh at each use (the user may change
// it while the program runs). The negative-number formats keep the original numbering:
// 0 "(1.1)", 1 "-1.1", 2 "- 1.1", 3 "1.1-", 4 "1.1 -".
#include <QLocale>
#include <QString>

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

inline QChar NegativeSign()
{
    const QString s = QLocale().negativeSign();
    return s.isEmpty() ? QChar('-') : s.at(0);
}

// The platform writes the sign in front of the number in every locale.
inline int NegativeFormat(bool /*bCurrency*/)
{
    return 1;
}

inline int LeadingZero()
{
    return 1;
}

} // namespace numloc
