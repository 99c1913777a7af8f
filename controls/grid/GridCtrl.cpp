// Window, creation and notifications of the grid.
#include "controls/grid/GridCtrl.h"

#include <QApplication>
#include <new>

IMPLEMENT_DYNCREATE(CGridCtrl, CWnd)

CGridCtrl::CGridCtrl(int, int, int, int)
{
    RegisterWindowClass();
    m_nRowsPerWheelNotch = GetMouseScrollLines();
    m_crWindowText = GetSysColor(COLOR_WINDOWTEXT);
    m_crWindowColour = GetSysColor(COLOR_WINDOW);
    m_cr3DFace = GetSysColor(COLOR_3DFACE);
    m_crShadow = GetSysColor(COLOR_3DSHADOW);
    m_pRtcDefault = RUNTIME_CLASS(CGridCell);
    SetClassBackground(COLOR_3DFACE);
    ResetDefaultColours();
    m_crGridBkColour = m_crShadow;
    SetRowCount(0);
    SetColumnCount(0);
    SetFixedRowCount(0);
    SetFixedColumnCount(0);
}

CGridCtrl::~CGridCtrl()
{
    m_bDestroying = TRUE;
    ClearGrid();
    if (m_bTitleTips && m_TitleTip.GetSafeHwnd())
        m_TitleTip.DestroyWindow();
    DestroyWindow();
    m_arRowOrder.clear();
    m_arColOrder.clear();
}

BOOL CGridCtrl::RegisterWindowClass()
{
    // Window classes need no registration here; the class's background is set in the
    // constructor (the 3-D face colour).
    return TRUE;
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    return Create(rect, pParentWnd ? pParentWnd->GetClientWidget() : static_cast<QWidget*>(nullptr), nID, dwStyle);
}

BOOL CGridCtrl::Create(const RECT& rect, QWidget* pParentWnd, UINT, DWORD dwStyle)
{
    if (!CWnd::Create(L"GridCtrl", nullptr, dwStyle, rect, pParentWnd, GRID_CTRL_ID))
        return FALSE;
    try {
        m_arRowHeights.assign(static_cast<std::size_t>(m_nRows), m_cellDefault.GetHeight());
        m_arColWidths.assign(static_cast<std::size_t>(m_nCols), m_cellDefault.GetWidth());
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    ResetScrollBars();
    return TRUE;
}

void CGridCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    static bool s_bInReset = false;
    if (s_bInReset)
        return;
    s_bInReset = true;
    m_TitleTip.SetParentWnd(this);
    if (GetSafeHwnd())
        ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    s_bInReset = false;
}

int CGridCtrl::GetMouseScrollLines()
{
    const int lines = QApplication::wheelScrollLines();
    return lines > 0 ? lines : 3;
}

LRESULT CGridCtrl::SendMessageToParent(int nRow, int nCol, int nMessage) const
{
    if (!GetSafeHwnd())
        return 0;
    NM_GRIDVIEW nmgv;
    nmgv.iRow = nRow;
    nmgv.iColumn = nCol;
    nmgv.hdr.hwndFrom = GetSafeHwnd();
    nmgv.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nmgv.hdr.code = static_cast<UINT>(nMessage);
    CNotifyReceiver* pTarget = GetNotifyTarget();
    return pTarget ? pTarget->OnNotify(nmgv.hdr.idFrom, &nmgv.hdr) : 0;
}

BOOL CGridCtrl::SetCell(int nRow, int nCol, CGridCellBase* pCell)
{
    if (nCol < 0 || nCol >= m_nCols)
        return FALSE;
    GRID_ROW* pRow = RowAt(nRow);
    if (!pRow)
        return FALSE;
    if (pCell)
        pCell->SetCoords(nRow, nCol);
    GRID_ROW& row = *pRow;
    const int stored = StoredCol(nCol);
    if (stored < 0 || stored >= static_cast<int>(row.size()))
        return FALSE;
    row[static_cast<std::size_t>(stored)] = pCell;
    return TRUE;
}

void CGridCtrl::ResetDefaultColours()
{
    m_cellDefault.SetGrid(this);
    m_cellFixedColDef.SetGrid(this);
    m_cellFixedRowDef.SetGrid(this);
    m_cellFixedRowColDef.SetGrid(this);
    m_cellDefault.SetTextClr(m_crWindowText);
    m_cellDefault.SetBackClr(m_crWindowColour);
    for (CGridDefaultCell* pCell : {&m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef}) {
        pCell->SetTextClr(m_crWindowText);
        pCell->SetBackClr(m_cr3DFace);
    }
}

void CGridCtrl::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    // Colours the program set itself stay; those that followed the system follow it again.
    for (CGridDefaultCell* pCell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef}) {
        if (pCell->GetTextClr() == m_crWindowText)
            pCell->SetTextClr(GetSysColor(COLOR_WINDOWTEXT));
        if (pCell->GetBackClr() == m_crWindowColour)
            pCell->SetBackClr(GetSysColor(COLOR_WINDOW));
    }
    if (m_crGridBkColour == m_crShadow)
        m_crGridBkColour = GetSysColor(COLOR_3DSHADOW);
    m_crWindowText = GetSysColor(COLOR_WINDOWTEXT);
    m_crWindowColour = GetSysColor(COLOR_WINDOW);
    m_cr3DFace = GetSysColor(COLOR_3DFACE);
    m_crShadow = GetSysColor(COLOR_3DSHADOW);
}

void CGridCtrl::EndEditing()
{
    if (!IsValid(m_idCurrentCell))
        return;
    if (CGridCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
        pCell->EndEdit();
}
