#include "controls/grid/GridCell.h"
#include "controls/grid/GridCtrl.h"
#include "controls/grid/InPlaceEdit.h"

IMPLEMENT_DYNCREATE(CGridCell, CGridCellBase)

CGridCell::CGridCell()
{
    CGridCell::Reset();
}

CGridCell::~CGridCell() = default;

void CGridCell::Reset()
{
    CGridCellBase::Reset();
    m_strText.clear();
    m_nImage = -1;
    m_lParam = 0;
    m_bEditing = FALSE;
    m_pGrid = nullptr;
    m_pEditWnd = nullptr;
    m_nFormat = 0xFFFFFFFF;
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    m_nMargin = 0xFFFFFFFF;
    m_plfFont.reset();
}

void CGridCell::SetFont(const LOGFONT* plf)
{
    if (!plf) {
        m_plfFont.reset();
        return;
    }
    if (!m_plfFont)
        m_plfFont = std::make_unique<LOGFONT>();
    *m_plfFont = *plf;
}

DWORD CGridCell::GetFormat() const
{
    if (m_nFormat == 0xFFFFFFFF) {
        const CGridCellBase* pDefaultCell = GetDefaultCell();
        return pDefaultCell ? pDefaultCell->GetFormat() : 0;
    }
    return m_nFormat;
}

UINT CGridCell::GetMargin() const
{
    if (m_nMargin == 0xFFFFFFFF) {
        const CGridCellBase* pDefaultCell = GetDefaultCell();
        return pDefaultCell ? pDefaultCell->GetMargin() : 0;
    }
    return m_nMargin;
}

LOGFONT* CGridCell::GetFont() const
{
    if (m_plfFont)
        return m_plfFont.get();
    const CGridCellBase* pDefaultCell = GetDefaultCell();
    return pDefaultCell ? pDefaultCell->GetFont() : nullptr;
}

CFont* CGridCell::GetFontObject() const
{
    if (m_plfFont) {
        // One font object serves every cell with a font of its own.
        static CFont s_Font;
        s_Font.DeleteObject();
        s_Font.CreateFontIndirect(m_plfFont.get());
        return &s_Font;
    }
    const CGridCellBase* pDefaultCell = GetDefaultCell();
    return pDefaultCell ? pDefaultCell->GetFontObject() : nullptr;
}

void CGridCell::OnEndEdit()
{
    m_bEditing = FALSE;
    m_pEditWnd = nullptr;
}

BOOL CGridCell::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar)
{
    if (m_bEditing && m_pEditWnd) {
        if (auto* pEdit = dynamic_cast<CInPlaceEdit*>(m_pEditWnd.data()))
            pEdit->SendChar(nChar);
        return TRUE;
    }
    DWORD dwStyle = ES_LEFT;
    if (GetFormat() & DT_RIGHT)
        dwStyle = ES_RIGHT;
    else if (GetFormat() & DT_CENTER)
        dwStyle = ES_CENTER;
    m_bEditing = TRUE;
    m_pEditWnd = new CInPlaceEdit(GetGrid(), rect, dwStyle, nID, nRow, nCol, GetText(), nChar);
    return TRUE;
}

void CGridCell::EndEdit()
{
    if (auto* pEdit = dynamic_cast<CInPlaceEdit*>(m_pEditWnd.data()))
        pEdit->EndEdit();
}
