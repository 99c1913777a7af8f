#include "controls/grid/GridDefaultCell.h"

IMPLEMENT_DYNCREATE(CGridDefaultCell, CGridCell)

CGridDefaultCell::CGridDefaultCell()
{
    m_nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    m_Size = CSize(30, 10);
    m_dwStyle = 0;
    LOGFONT lf;
    GetMessageFont(&lf);
    CGridDefaultCell::SetFont(&lf);
}

void CGridDefaultCell::SetFont(const LOGFONT* plf)
{
    if (!plf)
        return;
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(plf);
    CGridCell::SetFont(plf);

    CDC dc;
    if (!dc.CreateMeasuringDC()) {
        SetMargin(3);
        m_Size = CSize(40, 16);
        return;
    }
    CFont* pOldFont = dc.SelectObject(&m_Font);
    SetMargin(static_cast<UINT>(dc.GetTextExtent(L" ").cx));
    m_Size = dc.GetTextExtent(L" XXXXXXXXXXXX ");
    m_Size.cy = (m_Size.cy * 3) / 2;
    dc.SelectObject(pOldFont);
}

LOGFONT* CGridDefaultCell::GetFont() const
{
    return m_plfFont.get();
}

CFont* CGridDefaultCell::GetFontObject() const
{
    return m_Font.GetSafeHandle() ? &m_Font : nullptr;
}
