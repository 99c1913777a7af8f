#include "controls/grid/NumericLocale.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>

namespace numloc {

namespace {
bool IsDigit(QChar c, const QString& digits)
{
    return (c >= QChar('0') && c <= QChar('9')) || digits.contains(c);
}
} // namespace

bool IsGrouped(const QString& text, QChar chGroup, QChar chDecimal)
{
    if (chGroup.isNull() || chGroup == chDecimal || !text.contains(chGroup))
        return false;
    const QString digits = Digits();
    const qsizetype decimalAt = text.indexOf(chDecimal);
    // The first group has one to three digits.
    const qsizetype first = text.indexOf(chGroup);
    qsizetype lead = 0;
    while (first - 1 - lead >= 0 && IsDigit(text.at(first - 1 - lead), digits))
        ++lead;
    if (lead < 1 || lead > 3)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != chGroup)
            continue;
        if (decimalAt >= 0 && i > decimalAt)
            return false;
        if (i == 0 || !IsDigit(text.at(i - 1), digits))
            return false;
        qsizetype n = 0;
        while (i + 1 + n < text.size() && IsDigit(text.at(i + 1 + n), digits))
            ++n;
        if (n != 3)
            return false;
    }
    return true;
}

QString WithoutGrouping(const QString& text)
{
    const QChar chGroup = GroupSeparator();
    if (!IsGrouped(text, chGroup, Decimal()))
        return text;
    QString s = text;
    s.remove(chGroup);
    return s;
}

std::string RoundDecimalText(const std::string& text, int nDigits)
{
    const bool bNegative = !text.empty() && text.front() == '-';
    const std::string_view s = std::string_view(text).substr(bNegative ? 1 : 0);
    const std::size_t dot = s.find('.');
    const std::string_view intView = s.substr(0, dot);
    const std::string intPart(intView.empty() ? std::string_view("0") : intView);
    std::string fracPart(dot == std::string_view::npos ? std::string_view() : s.substr(dot + 1));
    const bool bRoundUp =
        static_cast<int>(fracPart.size()) > nDigits && fracPart[static_cast<std::size_t>(nDigits)] >= '5';
    fracPart.resize(static_cast<std::size_t>(nDigits), '0');
    std::string digits = intPart + fracPart;
    if (bRoundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0; --i) {
            if (digits[static_cast<std::size_t>(i)] == '9') {
                digits[static_cast<std::size_t>(i)] = '0';
                continue;
            }
            ++digits[static_cast<std::size_t>(i)];
            break;
        }
        if (i < 0)
            digits.insert(digits.begin(), '1');
    }
    const std::size_t intLen = digits.size() - static_cast<std::size_t>(nDigits);
    const std::size_t lead = std::min(digits.find_first_not_of('0'), intLen - 1);
    std::string result = digits.substr(lead, intLen - lead);
    if (nDigits > 0)
        result += '.' + digits.substr(intLen);
    const bool bZero = result.find_first_not_of("0.") == std::string::npos;
    return bNegative && !bZero ? '-' + result : result;
}

bool ExceedsDouble(const QString& text, QChar chDecimal)
{
    const QString digits = Digits();
    std::string integer;
    for (const QChar c : text) {
        if (c == chDecimal)
            break;
        if (c >= QChar('0') && c <= QChar('9'))
            integer += static_cast<char>(c.unicode());
        else if (const qsizetype k = digits.indexOf(c); k >= 0)
            integer += static_cast<char>('0' + k);
    }
    // The largest double has 309 integer digits.
    const std::size_t first = integer.find_first_not_of('0');
    if (first == std::string::npos || integer.size() - first < 309)
        return false;
    double value = 0.0;
    return std::from_chars(integer.data() + first, integer.data() + integer.size(), value).ec != std::errc();
}

bool IsLocaleNumber(const QString& text)
{
    const QLocale locale;
    QString s = text.trimmed();
    if (s.startsWith(QChar('(')) && s.endsWith(QChar(')')))
        s = s.mid(1, s.size() - 2);
    s.remove(locale.currencySymbol());
    s = s.trimmed();
    const QString sign = locale.negativeSign();
    if (!sign.isEmpty() && s.startsWith(sign))
        s.remove(0, sign.size());
    else if (s.startsWith(locale.positiveSign()))
        s.remove(0, locale.positiveSign().size());
    s = s.trimmed();
    const QString digits = Digits();
    const QChar chDecimal = Decimal();
    const QChar chGroup = GroupSeparator();
    if (s.isEmpty() || !IsDigit(s.at(0), digits))
        return false;
    if (chGroup.isNull() ? false : s.contains(chGroup)) {
        if (!IsGrouped(s, chGroup, chDecimal))
            return false;
        s.remove(chGroup);
    }
    bool bDecimal = false;
    for (const QChar c : s) {
        if (c == chDecimal && !bDecimal)
            bDecimal = true;
        else if (!IsDigit(c, digits))
            return false;
    }
    return true;
}

} // namespace numloc
