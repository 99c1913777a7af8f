// Keyboard navigation, selection shapes, divider hit tests and the auto-scroll of a drag.
#include "controls/grid/GridCtrl.h"

#include "platform/win/Keys.h"

#include <QCursor>
#include <algorithm>

namespace {
constexpr UINT_PTR kAutoScrollTimer = 513;
bool CtrlHeld()
{
    return GetKeyState(VK_CONTROL) < 0;
}
bool ShiftHeld()
{
    return GetKeyState(VK_SHIFT) < 0;
}
} // namespace

UINT CGridCtrl::OnGetDlgCode()
{
    UINT nCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bHandleTabKey && !CtrlHeld())
        nCode |= DLGC_WANTTAB;
    return nCode;
}

void CGridCtrl::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CWnd::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!CtrlHeld() && m_MouseMode == MouseIdle && nChar != VK_ESCAPE) {
        if (!m_bHandleTabKey || nChar != VK_TAB)
            OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nChar);
    }
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

LRESULT CGridCtrl::OnImeChar(UINT nChar)
{
    if (!CtrlHeld() && m_MouseMode == MouseIdle && nChar != VK_ESCAPE)
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nChar);
    return 0;
}

void CGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsValid(m_idCurrentCell)) {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    CCellID next = m_idCurrentCell;
    BOOL bChangeLine = FALSE;
    BOOL bHorzScrollAction = FALSE;
    BOOL bVertScrollAction = FALSE;
    const bool ctrl = CtrlHeld();
    const bool shift = ShiftHeld();

    if (ctrl) {
        switch (nChar) {
        case 'A': OnEditSelectAll(); break;
        case 'X': OnEditCut(); break;
        case VK_INSERT:
        case 'C': OnEditCopy(); break;
        case 'V': OnEditPaste(); break;
        case VK_ADD:
            AutoSizeColumns();
            Invalidate();
            break;
        default: break;
        }
    }
    if (shift && nChar == VK_INSERT) {
        OnEditPaste();
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }

    if (nChar == VK_DELETE) {
        CutSelectedText();
    } else if (nChar == VK_DOWN) {
        for (int row = next.row + 1; row < m_nRows; ++row)
            if (GetRowHeight(row) > 0) {
                next.row = row;
                break;
            }
    } else if (nChar == VK_UP) {
        for (int row = next.row - 1; row >= m_nFixedRows; --row)
            if (GetRowHeight(row) > 0) {
                next.row = row;
                break;
            }
    } else if (nChar == VK_RIGHT || (nChar == VK_TAB && !shift)) {
        if (nChar == VK_TAB) {
            if (m_bAppendRowOnTab && next.col == m_nCols - 1 && next.row == m_nRows - 1) {
                SetRowCount(m_nRows + 1);
                SendMessageToParent(next.row, m_nCols, static_cast<int>(GRIDN_ROWAPPENDED));
            }
            if (next.col == m_nCols - 1 && next.row < m_nRows - 1) {
                for (int row = next.row + 1; row < m_nRows; ++row)
                    if (GetRowHeight(row) > 0) {
                        next.row = row;
                        next.col = m_nFixedCols;
                        bChangeLine = TRUE;
                        break;
                    }
            } else {
                CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
            }
        }
        if (!bChangeLine)
            for (int col = next.col + 1; col < m_nCols; ++col)
                if (GetColumnWidth(col) > 0) {
                    next.col = col;
                    break;
                }
    } else if (nChar == VK_LEFT || (nChar == VK_TAB && shift)) {
        if (nChar == VK_TAB && next.col == m_nFixedCols && next.row > m_nFixedRows) {
            for (int row = next.row - 1; row >= m_nFixedRows; --row)
                if (GetRowHeight(row) > 0) {
                    for (int col = m_nCols - 1; col >= m_nFixedCols; --col)
                        if (GetColumnWidth(col) > 0) {
                            next.row = row;
                            next.col = col;
                            bChangeLine = TRUE;
                            break;
                        }
                    break;
                }
        }
        if (!bChangeLine)
            for (int col = next.col - 1; col >= m_nFixedCols; --col)
                if (GetColumnWidth(col) > 0) {
                    next.col = col;
                    break;
                }
    } else if (nChar == VK_NEXT || nChar == VK_PRIOR) {
        const CCellID idOldTopLeft = GetTopLeftNonFixedCell();
        SendMessage(WM_VSCROLL, nChar == VK_NEXT ? SB_PAGEDOWN : SB_PAGEUP, 0);
        bVertScrollAction = TRUE;
        const CCellID idNewTopLeft = GetTopLeftNonFixedCell(TRUE);
        const int increment = idNewTopLeft.row - idOldTopLeft.row;
        if (increment != 0) {
            next.row += increment;
            next.row = std::clamp(next.row, m_nFixedRows, m_nRows - 1);
        } else {
            next.row = nChar == VK_NEXT ? m_nRows - 1 : m_nFixedRows;
        }
    } else if (nChar == VK_HOME) {
        SendMessage(WM_HSCROLL, SB_LEFT, 0);
        bHorzScrollAction = TRUE;
        if (ctrl) {
            SendMessage(WM_VSCROLL, SB_TOP, 0);
            bVertScrollAction = TRUE;
            next.row = m_nFixedRows;
        }
        next.col = m_nFixedCols;
        while (next.col < m_nCols - 1 && GetColumnWidth(next.col) <= 0)
            ++next.col;
        while (next.row < m_nRows - 1 && GetRowHeight(next.row) <= 0)
            ++next.row;
    } else if (nChar == VK_END) {
        SendMessage(WM_HSCROLL, SB_RIGHT, 0);
        bHorzScrollAction = TRUE;
        if (ctrl) {
            SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
            bVertScrollAction = TRUE;
            next.row = m_nRows - 1;
        }
        next.col = m_nCols - 1;
        while (next.col > m_nFixedCols && GetColumnWidth(next.col) <= 0)
            --next.col;
        while (next.row > m_nFixedRows && GetRowHeight(next.row) <= 0)
            --next.row;
    } else if (nChar == VK_F2) {
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), VK_LBUTTON);
    } else {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    }

    if (next != m_idCurrentCell) {
        if (m_MouseMode == MouseIdle) {
            m_PrevSelectedCellMap.clear();
            m_MouseMode = m_bListMode ? MouseSelectRows : MouseSelectCells;
            if (!shift || nChar == VK_TAB)
                m_SelectionStartCell = next;
            SendMessageToParent(next.row, next.col, static_cast<int>(LVN_ITEMCHANGING));
            OnSelecting(next);
            SendMessageToParent(next.row, next.col, static_cast<int>(LVN_ITEMCHANGED));
            m_MouseMode = MouseIdle;
        }
        SetFocusCell(next);
        if (!IsCellVisible(next)) {
            switch (nChar) {
            case VK_RIGHT:
                SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
                bHorzScrollAction = TRUE;
                break;
            case VK_LEFT:
                SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
                bHorzScrollAction = TRUE;
                break;
            case VK_DOWN:
                SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
                bVertScrollAction = TRUE;
                break;
            case VK_UP:
                SendMessage(WM_VSCROLL, SB_LINEUP, 0);
                bVertScrollAction = TRUE;
                break;
            case VK_TAB:
                if (shift) {
                    if (bChangeLine) {
                        SendMessage(WM_VSCROLL, SB_LINEUP, 0);
                        SendMessage(WM_HSCROLL, SB_RIGHT, 0);
                        bVertScrollAction = TRUE;
                    } else {
                        SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
                    }
                } else if (bChangeLine) {
                    SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
                    SendMessage(WM_HSCROLL, SB_LEFT, 0);
                    bVertScrollAction = TRUE;
                } else {
                    SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
                }
                bHorzScrollAction = TRUE;
                break;
            default: break;
            }
            EnsureVisible(next);
            Invalidate();
        }
        EnsureVisible(next);
        if (bHorzScrollAction)
            SendMessage(WM_HSCROLL, SB_ENDSCROLL, 0);
        if (bVertScrollAction)
            SendMessage(WM_VSCROLL, SB_ENDSCROLL, 0);
    }
}

// --- Selection ------------------------------------------------------------------------------------

CCellRange CGridCtrl::GetSelectedCellRange() const
{
    CCellRange range(m_nRows, m_nCols, -1, -1);
    for (const auto& entry : m_SelectedCellMap) {
        const CCellID cell = entry.second;
        range.SetMinRow(std::min(range.GetMinRow(), cell.row));
        range.SetMinCol(std::min(range.GetMinCol(), cell.col));
        range.SetMaxRow(std::max(range.GetMaxRow(), cell.row));
        range.SetMaxCol(std::max(range.GetMaxCol(), cell.col));
    }
    return range;
}

void CGridCtrl::SelectAllCells()
{
    if (!m_bEnableSelection)
        return;
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1);
}

void CGridCtrl::SelectColumns(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!m_bEnableSelection || currentCell.col < m_nFixedCols || !IsValid(currentCell))
        return;
    if (m_bSingleColSelection)
        SetSelectedRange(m_nFixedRows, currentCell.col, m_nRows - 1, currentCell.col, bForceRedraw, bSelectCells);
    else
        SetSelectedRange(m_nFixedRows, std::min(m_SelectionStartCell.col, currentCell.col), m_nRows - 1,
                         std::max(m_SelectionStartCell.col, currentCell.col), bForceRedraw, bSelectCells);
}

void CGridCtrl::SelectRows(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!m_bEnableSelection || currentCell.row < m_nFixedRows || !IsValid(currentCell))
        return;
    if (m_bListMode && m_bSingleRowSelection)
        SetSelectedRange(currentCell.row, m_nFixedCols, currentCell.row, m_nCols - 1, bForceRedraw, bSelectCells);
    else
        SetSelectedRange(std::min(m_SelectionStartCell.row, currentCell.row), m_nFixedCols,
                         std::max(m_SelectionStartCell.row, currentCell.row), m_nCols - 1, bForceRedraw, bSelectCells);
}

void CGridCtrl::SelectCells(CCellID currentCell, BOOL bForceRedraw, BOOL bSelectCells)
{
    if (!m_bEnableSelection || currentCell.row < m_nFixedRows || currentCell.col < m_nFixedCols ||
        !IsValid(currentCell))
        return;
    SetSelectedRange(std::min(m_SelectionStartCell.row, currentCell.row),
                     std::min(m_SelectionStartCell.col, currentCell.col),
                     std::max(m_SelectionStartCell.row, currentCell.row),
                     std::max(m_SelectionStartCell.col, currentCell.col), bForceRedraw, bSelectCells);
}

void CGridCtrl::OnSelecting(const CCellID& currentCell)
{
    if (!m_bEnableSelection)
        return;
    switch (m_MouseMode) {
    case MouseSelectAll: SelectAllCells(); break;
    case MouseSelectCols: SelectColumns(currentCell); break;
    case MouseSelectRows: SelectRows(currentCell); break;
    case MouseSelectCells: SelectCells(currentCell); break;
    default: break;
    }
}

void CGridCtrl::OnEditSelectAll()
{
    SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, static_cast<int>(LVN_ITEMCHANGING));
    SelectAllCells();
    SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, static_cast<int>(LVN_ITEMCHANGED));
}

// --- Divider hit tests ------------------------------------------------------------------------------

BOOL CGridCtrl::MouseOverColumnResizeArea(CPoint point)
{
    return MouseOverResizeArea(point, true);
}

BOOL CGridCtrl::MouseOverRowResizeArea(CPoint point)
{
    return MouseOverResizeArea(point, false);
}

BOOL CGridCtrl::MouseOverResizeArea(CPoint point, bool bColumn)
{
    if (bColumn ? point.y >= GetFixedRowHeight() : point.x >= GetFixedColumnWidth())
        return FALSE;
    const CCellID idCurrentCell = GetCellFromPt(point);
    CPoint start;
    if (!GetCellOrigin(idCurrentCell, &start))
        return FALSE;
    const int pos = bColumn ? point.x : point.y;
    const int begin = bColumn ? start.x : start.y;
    const int index = bColumn ? idCurrentCell.col : idCurrentCell.row;
    const int end = begin + (bColumn ? GetColumnWidth(index) : GetRowHeight(index));
    // The first divider, before the first line, is no resize handle.
    return ((pos - begin < m_nResizeCaptureRange && index != 0) || end - pos < m_nResizeCaptureRange) ? TRUE : FALSE;
}

// --- Auto-scroll and capture ------------------------------------------------------------------------

void CGridCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kAutoScrollTimer || nIDEvent != m_nTimerID)
        return;
    POINT screen{QCursor::pos().x(), QCursor::pos().y()};
    ScreenToClient(&screen);
    const CPoint origPt(screen);
    CRect rect;
    GetClientRect(&rect);
    const int nFixedRowHeight = GetFixedRowHeight();
    const int nFixedColWidth = GetFixedColumnWidth();

    CPoint pt = origPt;
    if (pt.y > rect.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        pt.x = std::clamp(static_cast<int>(pt.x), static_cast<int>(rect.left), static_cast<int>(rect.right));
        pt.y = rect.bottom;
        OnSelecting(GetCellFromPt(pt));
    } else if (pt.y < nFixedRowHeight) {
        SendMessage(WM_KEYDOWN, VK_UP, 0);
        pt.x = std::clamp(static_cast<int>(pt.x), static_cast<int>(rect.left), static_cast<int>(rect.right));
        pt.y = nFixedRowHeight + 1;
        OnSelecting(GetCellFromPt(pt));
    }
    pt = origPt;
    if (pt.x > rect.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        pt.y = std::clamp(static_cast<int>(pt.y), static_cast<int>(rect.top), static_cast<int>(rect.bottom));
        pt.x = rect.right;
        OnSelecting(GetCellFromPt(pt));
    } else if (pt.x < nFixedColWidth) {
        SendMessage(WM_KEYDOWN, VK_LEFT, 0);
        pt.y = std::clamp(static_cast<int>(pt.y), static_cast<int>(rect.top), static_cast<int>(rect.bottom));
        pt.x = nFixedColWidth + 1;
        OnSelecting(GetCellFromPt(pt));
    }
}

void CGridCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != this) {
        if (m_nTimerID != 0)
            KillTimer(m_nTimerID);
        m_nTimerID = 0;
        if (m_MouseMode == MouseDragging)
            m_MouseMode = MouseIdle;
    }
    CWnd::OnCaptureChanged(pWnd);
}
