#include "controls/grid/GridCellNumeric.h"

#include "controls/grid/GridCtrl.h"
#include "controls/grid/InPlaceNumEdit.h"
#include "controls/grid/NumericLocale.h"

#include "platform/base/CLocale.h"

#include <charconv>
#include <cmath>

IMPLEMENT_DYNCREATE(CGridCellNumeric, CGridCell)

void CGridCellNumeric::SetText(LPCTSTR szText)
{
    std::wstring text = szText ? szText : L"";
    if (ParseNumericText(text))
        CGridCell::SetText(text.c_str());
}

bool CGridCellNumeric::SetNumber(double dValue)
{
    SetText(FormatDoubleCW("%.9f", dValue).c_str());
    SetState(GetState() | GCS_MODIFIED);
    return std::fabs(dValue - m_dValue) < 1e-9;
}

BOOL CGridCellNumeric::ParseNumericText(std::wstring& text)
{
    QString s = QString::fromStdWString(text);
    const bool bCurrency = (m_dwFlags & NUMERIC_CURRENCY) != 0;
    const bool bDecimals = (m_dwFlags & (NUMERIC_REAL | NUMERIC_CURRENCY)) != 0;
    const bool bNegative = (m_dwFlags & NUMERIC_NEGATIVE) != 0;

    // The locale's digits first; ASCII digits too, since program values arrive as "%.9f" text.
    QString allowed = numloc::Digits() + QStringLiteral("0123456789");
    const QChar chDecimal = numloc::Decimal();
    if (bCurrency)
        allowed += chDecimal;
    QChar chNegative;
    int nNegFormat = 1;
    if (bNegative) {
        chNegative = numloc::NegativeSign();
        allowed += chNegative;
        nNegFormat = numloc::NegativeFormat(bCurrency);
        const bool parentheses = bCurrency ? (nNegFormat == 0 || nNegFormat == 4 || nNegFormat == 14 || nNegFormat == 15)
                                           : nNegFormat == 0;
        if (parentheses)
            allowed += QStringLiteral("()");
    }
    if (bDecimals) {
        s.replace(chDecimal, QChar('.'));
        allowed += QChar('.');
    } else if (const qsizetype dot = s.indexOf(QChar('.')); dot >= 0) {
        s.truncate(dot);
    }

    for (qsizetype i = s.size() - 1; i >= 0; --i) {
        const qsizetype k = allowed.indexOf(s.at(i));
        if (k < 0)
            s.remove(i, 1);
        else if (k < 10 && !(s.at(i) >= QChar('0') && s.at(i) <= QChar('9')))
            s[i] = QChar(static_cast<char16_t>(u'0' + k));
    }

    if (bNegative) {
        const bool hasMark = s.contains(chNegative) || (nNegFormat == 0 && (s.contains('(') || s.contains(')')));
        if (hasMark) {
            s.remove(chNegative);
            s.remove(QChar('('));
            s.remove(QChar(')'));
            s.prepend(QChar('-'));
        }
    }

    const QByteArray ascii = s.toLatin1();
    double dValue = 0.0;
    const char* const first = ascii.constData();
    const char* const last = first + ascii.size();
    const auto [ptr, ec] = std::from_chars(first, last, dValue);
    if (ascii.isEmpty() || ec != std::errc() || ptr != last)
        return FALSE;
    if (dValue == 0.0)
        dValue = 0.0; // no signed zero in the text

    const QLocale locale;
    QString formatted = bCurrency ? locale.toCurrencyString(dValue) : locale.toString(dValue, 'f', 2);
    if (formatted.isEmpty())
        return FALSE;
    if (!bDecimals) {
        const qsizetype at = formatted.indexOf(chDecimal);
        if (at >= 0) {
            qsizetype end = at + 1;
            while (end < formatted.size() && formatted.at(end) == allowed.at(0))
                ++end;
            formatted.remove(at, end - at);
        }
    }
    m_dValue = dValue;
    text = formatted.toStdWString();
    return TRUE;
}

BOOL CGridCellNumeric::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar)
{
    // One editor at a time: a second request while one is open changes nothing.
    if (m_bEditing && m_pEditWnd)
        return TRUE;
    m_bEditing = TRUE;
    m_pEditWnd = new CInPlaceNumEdit(GetGrid(), rect, 0, nID, nRow, nCol, GetText(), nChar, m_dwFlags, m_dValue);
    return TRUE;
}
