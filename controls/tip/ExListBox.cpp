#include "controls/tip/ExListBox.h"

#include "platform/win/MessageBox.h"

#include <QHelpEvent>
#include <QToolTip>
#include <algorithm>
#include <cwchar>

CExListBox::CExListBox(QWidget* parent) : QListWidget(parent)
{
    setMouseTracking(true);
}

int CExListBox::AddString(const std::wstring& text)
{
    addItem(QString::fromStdWString(text));
    return count() - 1;
}

void CExListBox::GetText(int nIndex, std::wstring& text) const
{
    const QListWidgetItem* it = item(nIndex);
    text = it ? it->text().toStdWString() : std::wstring();
}

int CExListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    bOutside = TRUE;
    if (count() == 0)
        return -1;
    const QModelIndex index = indexAt(QPoint(pt.x, pt.y));
    if (index.isValid()) {
        bOutside = FALSE;
        return index.row();
    }
    // Below the last row: the nearest row is the last one.
    for (int row = 0; row < count(); ++row)
        if (visualItemRect(item(row)).bottom() >= pt.y)
            return row;
    return count() - 1;
}

int CExListBox::GetItemRect(int nIndex, LPRECT lpRect) const
{
    const QListWidgetItem* it = item(nIndex);
    if (!it || !lpRect)
        return -1;
    *lpRect = CRect(visualItemRect(it));
    return 1;
}

int CExListBox::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    BOOL outside = TRUE;
    const int row = ItemFromPoint(point, outside);
    if (row < 0 || outside)
        return -1;
    if (pTI) {
        GetItemRect(row, &pTI->rect);
        pTI->hwnd = const_cast<CExListBox*>(this);
        pTI->uId = static_cast<UINT_PTR>(row);
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return row;
}

BOOL CExListBox::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    if (!pNMHDR || pNMHDR->code != TTN_NEEDTEXTW)
        return FALSE;
    auto* pTTT = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
    std::wstring text;
    GetText(static_cast<int>(pNMHDR->idFrom), text);
    const size_t n = std::min(text.size(), std::size(pTTT->szText) - 1);
    std::wmemcpy(pTTT->szText, text.data(), n);
    pTTT->szText[n] = L'\0';
    pTTT->lpszText = pTTT->szText;
    if (pResult)
        *pResult = 0;
    return TRUE;
}

bool CExListBox::viewportEvent(QEvent* e)
{
    if (e->type() != QEvent::ToolTip)
        return QListWidget::viewportEvent(e);
    CallHandlerGuarded([&] {
        auto* help = static_cast<QHelpEvent*>(e);
        TOOLINFO ti;
        const int row = OnToolHitTest(CPoint(help->pos().x(), help->pos().y()), &ti);
        if (row < 0) {
            QToolTip::hideText();
            e->ignore();
            return;
        }
        TOOLTIPTEXTW ttt;
        ttt.hdr.hwndFrom = this;
        ttt.hdr.idFrom = ti.uId;
        ttt.hdr.code = TTN_NEEDTEXTW;
        LRESULT result = 0;
        OnToolTipText(0, &ttt.hdr, &result);
        QToolTip::showText(help->globalPos(), QString::fromWCharArray(ttt.lpszText), viewport(),
                           CRect(ti.rect).ToQRect());
    });
    return true;
}
