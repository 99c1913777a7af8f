#include "controls/grid/InPlaceNumEdit.h"

#include "controls/grid/GridCellNumeric.h"
#include "controls/grid/NumericLocale.h"

#include "platform/base/CLocale.h"
#include "platform/win/Keys.h"
#include "platform/win/MessageBox.h"
#include "platform/wnd/Wnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimerEvent>

CInPlaceNumEdit::CInPlaceNumEdit(CWnd* pParent, CRect& rect, DWORD, UINT nID, int nRow, int nCol,
                                 std::wstring sInitText, UINT nFirstChar, DWORD dwFlags, double dValue)
    : CInPlaceEdit(pParent, rect, ES_LEFT, nID, nRow, nCol, std::move(sInitText), nFirstChar), m_dwFlags(dwFlags)
{
    const bool bCurrency = (dwFlags & CGridCellNumeric::NUMERIC_CURRENCY) != 0;
    const bool bDecimals = (dwFlags & (CGridCellNumeric::NUMERIC_REAL | CGridCellNumeric::NUMERIC_CURRENCY)) != 0;
    // ASCII digits are accepted beside the locale's own.
    m_strAllowed = numloc::Digits() + QStringLiteral("0123456789");
    if (bDecimals) {
        m_chDecimal = numloc::Decimal();
        m_strAllowed += m_chDecimal;
    }
    if (dwFlags & CGridCellNumeric::NUMERIC_NEGATIVE) {
        m_chNegative = numloc::NegativeSign();
        m_strAllowed += m_chNegative;
        m_nNegFormat = numloc::NegativeFormat(bCurrency);
        const bool parentheses =
            bCurrency ? (m_nNegFormat == 0 || m_nNegFormat == 4 || m_nNegFormat == 14 || m_nNegFormat == 15)
                      : m_nNegFormat == 0;
        if (parentheses)
            m_strAllowed += QStringLiteral("()");
    } else {
        m_nNegFormat = numloc::NegativeFormat(bCurrency);
    }
    const int nLeadingZero = numloc::LeadingZero();

    // The value as the user types it: no trailing zeros, no grouping, the locale's marks.
    QString t = QString::fromStdString(FormatDoubleC("%.9f", dValue));
    while (t.endsWith(QChar('0')))
        t.chop(1);
    if (t.endsWith(QChar('.')))
        t.chop(1);
    t.remove(QChar('-'));
    if (nLeadingZero == 0 && t.size() > 1 && t.startsWith(QChar('0')))
        t.remove(0, 1);
    if (!m_chDecimal.isNull())
        t.replace(QChar('.'), m_chDecimal);
    if (dValue < 0) {
        const QChar sign = m_chNegative.isNull() ? numloc::NegativeSign() : m_chNegative;
        if (m_nNegFormat == 0)
            t = QChar('(') + t + QChar(')');
        else if (m_nNegFormat <= 2)
            t.prepend(sign);
        else
            t.append(sign);
    }
    for (qsizetype i = 0; i < t.size(); ++i)
        if (t.at(i) >= QChar('0') && t.at(i) <= QChar('9'))
            t[i] = m_strAllowed.at(t.at(i).unicode() - u'0');

    FitToText(t);
    m_bSuppressCheck = TRUE;
    setText(t);
    m_bSuppressCheck = FALSE;
    m_strLastValid = t;
    selectAll();
    RememberSelection();
    QObject::connect(this, &QLineEdit::textChanged, this, [this] { OnUpdate(); });
    startTimer(50);
}

void CInPlaceNumEdit::RememberSelection()
{
    int start = cursorPosition();
    int end = start;
    if (hasSelectedText()) {
        start = selectionStart();
        end = start + static_cast<int>(selectedText().size());
    }
    m_dwLastSel = (static_cast<DWORD>(end & 0xFFFF) << 16) | static_cast<DWORD>(start & 0xFFFF);
}

void CInPlaceNumEdit::timerEvent(QTimerEvent*)
{
    RememberSelection();
}

void CInPlaceNumEdit::keyPressEvent(QKeyEvent* e)
{
    // The selection just before the key, to put back if the key is refused.
    RememberSelection();
    CInPlaceEdit::keyPressEvent(e);
}

void CInPlaceNumEdit::OnChar(UINT nChar)
{
    if (nChar == VK_ESCAPE)
        m_bSuppressCheck = TRUE;
    else
        RememberSelection();
    CInPlaceEdit::OnChar(nChar);
}

void CInPlaceNumEdit::OnKillFocus()
{
    if (text().isEmpty()) {
        m_bSuppressCheck = TRUE;
        setText(m_strAllowed.left(1));
    }
    CInPlaceEdit::OnKillFocus();
}

void CInPlaceNumEdit::OnUpdate()
{
    if (m_bSuppressCheck)
        return;
    const QString t = text();
    bool ok = true;
    for (QChar c : t)
        if (!m_strAllowed.contains(c)) {
            ok = false;
            break;
        }
    const bool bNegative = (m_dwFlags & CGridCellNumeric::NUMERIC_NEGATIVE) != 0;
    if (ok && bNegative && m_nNegFormat == 0) {
        const qsizetype open = t.indexOf(QChar('('));
        const qsizetype close = t.indexOf(QChar(')'));
        if ((open > 0) || t.count(QChar('(')) > 1 || (close >= 0 && close != t.size() - 1) || t.count(QChar(')')) > 1 ||
            ((open >= 0 || close >= 0) && t.contains(m_chNegative)))
            ok = false;
    }
    if (ok && bNegative && m_nNegFormat < 3) {
        const qsizetype at = t.indexOf(m_chNegative);
        if ((at > 0) || t.count(m_chNegative) > 1)
            ok = false;
    }
    if (ok && bNegative && m_nNegFormat >= 3) {
        const qsizetype at = t.indexOf(m_chNegative);
        if (at >= 0 && at != t.size() - 1)
            ok = false;
    }
    if (ok && !m_chDecimal.isNull() && t.count(m_chDecimal) > 1)
        ok = false;
    // A number too large for a double would be refused when the edit ends; refuse the key.
    if (ok && numloc::ExceedsDouble(t, m_chDecimal.isNull() ? QChar('.') : m_chDecimal))
        ok = false;

    if (ok) {
        m_strLastValid = t;
        return;
    }
    m_bSuppressCheck = TRUE;
    if (!(m_dwFlags & CGridCellNumeric::NUMERIC_SILENT))
        MessageBeep(0);
    setText(m_strLastValid);
    const int start = static_cast<int>(m_dwLastSel & 0xFFFF);
    const int end = static_cast<int>((m_dwLastSel >> 16) & 0xFFFF);
    if (end > start)
        setSelection(start, end - start);
    else
        setCursorPosition(start);
    m_bSuppressCheck = FALSE;
}
