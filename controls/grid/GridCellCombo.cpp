#include "controls/grid/GridCellCombo.h"

#include "controls/grid/GridCtrl.h"

#include "platform/gdi/Colour.h"

IMPLEMENT_DYNCREATE(CGridCellCombo, CGridCell)

BOOL CGridCellCombo::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar)
{
    if (m_bEditing && m_pEditWnd)
        return TRUE;
    m_bEditing = TRUE;
    m_pEditWnd = new CInPlaceList(GetGrid(), rect, m_dwStyle, nID, nRow, nCol, GetTextClr(), GetBackClr(), m_Strings,
                                  GetText(), nChar);
    return TRUE;
}

void CGridCellCombo::EndEdit()
{
    if (auto* pList = dynamic_cast<CInPlaceList*>(m_pEditWnd.data()))
        pList->EndEdit();
}

QWidget* CGridCellCombo::GetEditWnd() const
{
    auto* pList = dynamic_cast<CInPlaceList*>(m_pEditWnd.data());
    if (!pList || pList->IsDropDownList())
        return nullptr;
    return pList->m_edit;
}

CSize CGridCellCombo::GetCellExtent(CDC* pDC)
{
    CSize size = CGridCell::GetCellExtent(pDC);
    size.cx += GetSystemMetrics(SM_CXVSCROLL);
    size.cy = std::max(static_cast<int>(size.cy), GetSystemMetrics(SM_CYHSCROLL));
    return size;
}

BOOL CGridCellCombo::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    const CGridCtrl* pGrid = GetGrid();
    const int cxButton = GetSystemMetrics(SM_CXVSCROLL);
    const int cyButton = GetSystemMetrics(SM_CYHSCROLL);
    if (pGrid && pDC && pGrid->m_bEditable && !IsReadOnly() && !IsEditing() && rect.Width() > cyButton &&
        rect.Height() > cyButton) {
        CRect button(rect.right - cxButton, rect.top, rect.right, rect.top + cyButton);
        pDC->FillSolidRect(&button, GetSysColor(COLOR_3DFACE));
        pDC->DrawEdge(&button, EDGE_RAISED, BF_RECT);
        // The down arrow in the middle of the button.
        const int cx = (button.left + button.right) / 2;
        const int cy = (button.top + button.bottom) / 2;
        const int half = std::max(2, cxButton / 5);
        const POINT arrow[3] = {{cx - half, cy - half / 2}, {cx + half, cy - half / 2}, {cx, cy + half / 2 + 1}};
        CBrush brush(GetSysColor(COLOR_BTNTEXT));
        CPen pen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        CPen* pOldPen = pDC->SelectObject(&pen);
        pDC->Polygon(arrow, 3);
        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);
        rect.right = button.left - 1;
    }
    if (IsEditing()) {
        // The list shows the text while it is open.
        const std::wstring text = m_strText;
        m_strText.clear();
        const BOOL result = CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
        m_strText = text;
        return result;
    }
    return CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
}
