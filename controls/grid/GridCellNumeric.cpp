#include "controls/grid/GridCellNumeric.h"

#include "controls/grid/GridCtrl.h"
#include "controls/grid/InPlaceNumEdit.h"
#include "controls/grid/NumericLocale.h"

#include "platform/base/CLocale.h"
#include "platform/win/MessageBox.h"

#include <charconv>
#include <cmath>

IMPLEMENT_DYNCREATE(CGridCellNumeric, CGridCell)

void CGridCellNumeric::SetText(LPCTSTR szText)
{
    SetTextChecked(szText);
}

BOOL CGridCellNumeric::SetTextChecked(LPCTSTR szText)
{
    std::wstring text = szText ? szText : L"";
    if (!ParseNumericText(text)) {
        if (m_bLastOverflow && !(m_dwFlags & NUMERIC_SILENT))
            MessageBeep(0);
        return FALSE;
    }
    CGridCell::SetText(text.c_str());
    return TRUE;
}

void CGridCellNumeric::CopyContentFrom(const CGridCellBase& cell)
{
    // The value is kept as it was, not read again from its rounded text.
    if (const auto* pNumeric = dynamic_cast<const CGridCellNumeric*>(&cell)) {
        CGridCell::SetText(pNumeric->GetText());
        m_dValue = pNumeric->m_dValue;
        return;
    }
    CGridCell::CopyContentFrom(cell);
}

bool CGridCellNumeric::SetNumber(double dValue)
{
    SetText(FormatDoubleCW("%.9f", dValue).c_str());
    SetState(GetState() | GCS_MODIFIED);
    return std::fabs(dValue - m_dValue) < 1e-9;
}

BOOL CGridCellNumeric::ParseNumericText(std::wstring& text)
{
    m_bLastOverflow = false;
    const bool bCurrency = (m_dwFlags & NUMERIC_CURRENCY) != 0;
    const bool bDecimals = (m_dwFlags & (NUMERIC_REAL | NUMERIC_CURRENCY)) != 0;
    const bool bNegative = (m_dwFlags & NUMERIC_NEGATIVE) != 0;
    // Group separators first, where they group: what the cell shows must read back as the
    // same number, also where '.' groups digits ("4.618" is four thousand in German).
    QString s = numloc::WithoutGrouping(QString::fromStdWString(text));

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
        const bool parentheses =
            bCurrency ? (nNegFormat == 0 || nNegFormat == 4 || nNegFormat == 14 || nNegFormat == 15) : nNegFormat == 0;
        if (parentheses)
            allowed += QStringLiteral("()");
    }
    if (bDecimals) {
        s.replace(chDecimal, QChar('.'));
        allowed += QChar('.');
    } else {
        // An integer keeps what stands before its decimal point, the locale's or a program's.
        qsizetype cut = s.indexOf(QChar('.'));
        if (const qsizetype at = s.indexOf(chDecimal); at >= 0 && (cut < 0 || at < cut))
            cut = at;
        if (cut >= 0)
            s.truncate(cut);
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

    const std::string ascii = s.toStdString();
    double dValue = 0.0;
    const char* const first = ascii.data();
    const char* const last = first + ascii.size();
    const auto [ptr, ec] = std::from_chars(first, last, dValue);
    if (ascii.empty() || ptr != last)
        return FALSE;
    if (ec == std::errc::result_out_of_range) {
        // Too small to tell from zero reads as zero; too large is refused, since the cell
        // would show digits it cannot hold.
        const std::string intPart = ascii.substr(0, ascii.find('.'));
        if (intPart.find_first_of("123456789") != std::string::npos) {
            m_bLastOverflow = true;
            return FALSE;
        }
        dValue = 0.0;
    } else if (ec != std::errc()) {
        return FALSE;
    }
    if (dValue == 0.0)
        dValue = 0.0; // no signed zero in the text

    // Shown from the digits of the text, rounded there: "2.675" shows 2.68 although the
    // nearest double lies just below the tie.
    const int nDigits = bDecimals ? numloc::DecimalDigits(bCurrency) : 0;
    double dShown = 0.0;
    const std::string rounded = numloc::RoundDecimalText(ascii, nDigits);
    if (std::from_chars(rounded.data(), rounded.data() + rounded.size(), dShown).ec != std::errc()) {
        m_bLastOverflow = true; // rounding carried past the largest double
        return FALSE;
    }
    if (dShown == 0.0)
        dShown = 0.0;
    const QLocale locale;
    const QString formatted =
        bCurrency ? locale.toCurrencyString(dShown, QString(), nDigits) : locale.toString(dShown, 'f', nDigits);
    if (formatted.isEmpty())
        return FALSE;
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
