// Mouse input of the grid: selecting, resizing columns and rows, starting edits and drags.
#include "controls/grid/GridCtrl.h"

#include "platform/win/Keys.h"

#include <QWidget>
#include <algorithm>

namespace {
constexpr UINT_PTR kAutoScrollTimer = 513;

bool PointInTextRect(CGridCtrl& grid, const CCellID& cell, CPoint point)
{
    CRect rect;
    if (!grid.GetCellRect(cell, &rect))
        return false;
    CGridCellBase* pCell = grid.GetCell(cell.row, cell.col);
    if (pCell)
        pCell->GetTextRect(&rect);
    return rect.PtInRect(point) != FALSE;
}
} // namespace

void CGridCtrl::ShowTrackLine(int pos, bool bVertical)
{
    QWidget* pClient = GetClientWidget();
    if (!pClient)
        return;
    if (pos < 0) {
        if (m_pTrackLine)
            m_pTrackLine->hide();
        return;
    }
    if (!m_pTrackLine) {
        m_pTrackLine = new QWidget(pClient);
        m_pTrackLine->setObjectName(QStringLiteral("GridTrackLine"));
        m_pTrackLine->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_pTrackLine->setAutoFillBackground(true);
        QPalette pal = m_pTrackLine->palette();
        pal.setColor(QPalette::Window, Qt::black);
        m_pTrackLine->setPalette(pal);
    }
    CRect client;
    GetClientRect(&client);
    if (bVertical)
        m_pTrackLine->setGeometry(pos, 0, 2, client.Height());
    else
        m_pTrackLine->setGeometry(0, pos, client.Width(), 2);
    m_pTrackLine->show();
    m_pTrackLine->raise();
}

void CGridCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    m_LeftClickDownPoint = point;
    m_nDragColumn = -1;
    m_bLMouseButtonDown = TRUE;
    m_LeftClickDownCell = GetCellFromPt(point);
    if (!IsValid(m_LeftClickDownCell))
        return;
    const bool shift = (nFlags & MK_SHIFT) != 0;
    const bool ctrl = (nFlags & MK_CONTROL) != 0;
    if (!shift)
        m_SelectionStartCell = m_LeftClickDownCell;
    else if (!IsValid(m_SelectionStartCell))
        m_SelectionStartCell = m_idCurrentCell;

    EndEditing();
    if (CGridCellBase* pCell = GetCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col))
        pCell->OnClickDown(GetPointInCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col, point));

    if (m_LeftClickDownCell == m_idCurrentCell && !ctrl && PointInTextRect(*this, m_LeftClickDownCell, point) &&
        IsCellEditable(m_LeftClickDownCell)) {
        m_MouseMode = MousePrepareEdit;
        return;
    }
    if (!IsCellSelected(m_LeftClickDownCell)) {
        if (m_MouseMode != MouseOverColDivider && m_MouseMode != MouseOverRowDivider) {
            if (m_LeftClickDownCell.row >= m_nFixedRows && m_LeftClickDownCell.col >= m_nFixedCols)
                SetFocusCell(m_LeftClickDownCell);
            else
                SetFocusCell(-1, -1);
            if (m_nRows > m_nFixedRows && m_nCols > m_nFixedCols)
                SetFocusCell(std::max(m_LeftClickDownCell.row, m_nFixedRows),
                             std::max(m_LeftClickDownCell.col, m_nFixedCols));
        }
    } else {
        SetFocusCell(m_LeftClickDownCell);
        if (ctrl) {
            if (m_bListMode)
                SelectRows(m_LeftClickDownCell, TRUE, FALSE);
            else
                SelectCells(m_LeftClickDownCell, TRUE, FALSE);
            return;
        }
        if (m_bAllowDragAndDrop)
            m_MouseMode = MousePrepareDrag;
    }

    SetCapture();

    if (m_MouseMode == MouseIdle) {
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
            SetCursor(IDC_SIZEWE);
            m_MouseMode = MouseOverColDivider;
        } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
            SetCursor(IDC_SIZENS);
            m_MouseMode = MouseOverRowDivider;
        }
    }

    if (m_MouseMode == MouseOverColDivider) {
        m_MouseMode = MouseSizingCol;
        BeginDividerDrag(point, true);
    } else if (m_MouseMode == MouseOverRowDivider) {
        m_MouseMode = MouseSizingRow;
        BeginDividerDrag(point, false);
    } else if (m_MouseMode != MousePrepareDrag) {
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, static_cast<int>(LVN_ITEMCHANGING));
        m_PrevSelectedCellMap.clear();
        if (ctrl)
            m_PrevSelectedCellMap = m_SelectedCellMap;
        if (m_LeftClickDownCell.row < m_nFixedRows) {
            OnFixedRowClick(m_LeftClickDownCell);
            if (m_bAllowColumnDrag && m_LeftClickDownCell.col >= m_nFixedCols) {
                ResetSelectedRange();
                m_MouseMode = MousePrepareDrag;
                m_nDragColumn = m_LeftClickDownCell.col;
            }
        } else if (m_LeftClickDownCell.col < m_nFixedCols) {
            OnFixedColumnClick(m_LeftClickDownCell);
        } else {
            m_MouseMode = m_bListMode ? MouseSelectRows : MouseSelectCells;
            OnSelecting(m_LeftClickDownCell);
            m_nTimerID = SetTimer(kAutoScrollTimer, static_cast<UINT>(m_nTimerInterval));
        }
    }
    m_LastMousePoint = point;
}

void CGridCtrl::BeginDividerDrag(CPoint point, bool bColumn)
{
    int& index = bColumn ? m_LeftClickDownCell.col : m_LeftClickDownCell.row;
    CPoint start;
    if (!GetCellOrigin(bColumn ? 0 : index, bColumn ? index : 0, &start))
        return;
    CRect visible;
    GetVisibleNonFixedCellRange(&visible);
    const auto extent = [&](int i) { return bColumn ? GetColumnWidth(i) : GetRowHeight(i); };
    const int last = (bColumn ? m_nCols : m_nRows) - 1;
    const int pos = bColumn ? point.x : point.y;
    const int begin = bColumn ? start.x : start.y;
    const int cellsEnd = bColumn ? visible.right : visible.bottom;
    if (extent(last) < m_nResizeCaptureRange && pos > cellsEnd - m_nResizeCaptureRange) {
        index = last;
    } else if (pos - begin < m_nResizeCaptureRange) {
        if (!(index == last && extent(last) >= m_nResizeCaptureRange))
            --index;
    }
    if (!(bColumn ? m_bHiddenColUnhide : m_bHiddenRowUnhide))
        while (index > 0 && extent(index) == 0)
            --index;
    ShowTrackLine(pos, bColumn);
}

void CGridCtrl::EndDividerDrag(CPoint point, bool bColumn)
{
    ShowTrackLine(-1, bColumn);
    const int index = bColumn ? m_LeftClickDownCell.col : m_LeftClickDownCell.row;
    CPoint start;
    if (point != m_LeftClickDownPoint && (point.x != 0 || point.y != 0) &&
        GetCellOrigin(bColumn ? 0 : index, bColumn ? index : 0, &start)) {
        const int least = (bColumn ? m_bAllowColHide : m_bAllowRowHide) ? 0 : 1;
        const int size = std::max(least, static_cast<int>(bColumn ? point.x - start.x : point.y - start.y));
        if (bColumn)
            SetColumnWidth(index, size);
        else
            SetRowHeight(index, size);
        ResetScrollBars();
        Invalidate();
    }
}

void CGridCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect rect;
    GetClientRect(&rect);
    if (m_MouseMode != MouseDragging && !rect.PtInRect(point))
        return;
    const bool leftDown = (nFlags & MK_LBUTTON) != 0;
    if (!leftDown || m_MouseMode == MouseIdle) {
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
            if (m_MouseMode != MouseOverColDivider) {
                SetCursor(IDC_SIZEWE);
                m_MouseMode = MouseOverColDivider;
            }
        } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
            if (m_MouseMode != MouseOverRowDivider) {
                SetCursor(IDC_SIZENS);
                m_MouseMode = MouseOverRowDivider;
            }
        } else if (m_MouseMode != MouseIdle) {
            SetCursor(IDC_ARROW);
            m_MouseMode = MouseIdle;
        }
        if (m_MouseMode == MouseIdle) {
            const CCellID idCurrentCell = GetCellFromPt(point);
            CGridCellBase* pCell = IsValid(idCurrentCell) ? GetCell(idCurrentCell.row, idCurrentCell.col) : nullptr;
            if (pCell) {
                pCell->OnMouseOver();
                if (m_bTitleTips && !m_bRMouseButtonDown && !pCell->IsEditing()) {
                    const LPCTSTR tip = pCell->GetTipText();
                    CRect textRect;
                    if (tip && *tip && GetCellRect(idCurrentCell, &textRect) && pCell->GetTipTextRect(&textRect)) {
                        CRect cellRect;
                        GetCellRect(idCurrentCell, &cellRect);
                        m_TitleTip.SetParentWnd(this);
                        m_TitleTip.Show(textRect, tip, 0, &cellRect, pCell->GetFont(), m_crTTipTextClr,
                                        m_crTTipBackClr);
                    }
                }
            }
        }
        m_LastMousePoint = point;
        return;
    }

    if (!IsValid(m_LeftClickDownCell)) {
        m_LastMousePoint = point;
        return;
    }
    switch (m_MouseMode) {
    case MouseSelectCols:
    case MouseSelectRows:
    case MouseSelectCells: {
        const CCellID idCurrentCell = GetCellFromPt(point);
        if (!IsValid(idCurrentCell))
            break;
        if (idCurrentCell != m_idCurrentCell) {
            OnSelecting(idCurrentCell);
            if ((idCurrentCell.row >= m_nFixedRows && idCurrentCell.col >= m_nFixedCols) ||
                m_MouseMode == MouseSelectCols || m_MouseMode == MouseSelectRows)
                SetFocusCell(idCurrentCell);
        }
        break;
    }
    case MouseSizingRow: ShowTrackLine(point.y, false); break;
    case MouseSizingCol: ShowTrackLine(point.x, true); break;
    case MousePrepareEdit:
    case MousePrepareDrag:
        m_MouseMode = MousePrepareDrag;
        OnBeginDrag();
        break;
    default: break;
    }
    m_LastMousePoint = point;
}

void CGridCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonUp(nFlags, point);
    m_bLMouseButtonDown = FALSE;
    if (GetCapture() == this) {
        ReleaseCapture();
        if (m_nTimerID)
            KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    CPoint pointClickedRel(0, 0);
    CPoint origin;
    if (GetCellOrigin(m_idCurrentCell, &origin))
        pointClickedRel = point - origin;

    switch (m_MouseMode) {
    case MousePrepareEdit: OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, pointClickedRel, VK_LBUTTON); break;
    case MousePrepareDrag:
        if (CGridCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
            pCell->OnClick(GetPointInCell(m_idCurrentCell.row, m_idCurrentCell.col, point));
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, static_cast<int>(NM_CLICK));
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, static_cast<int>(LVN_ITEMCHANGING));
        ResetSelectedRange();
        SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, static_cast<int>(LVN_ITEMCHANGED));
        break;
    case MouseSizingCol: EndDividerDrag(point, true); break;
    case MouseSizingRow: EndDividerDrag(point, false); break;
    default:
        SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, static_cast<int>(LVN_ITEMCHANGED));
        if (CGridCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
            pCell->OnClick(GetPointInCell(m_idCurrentCell.row, m_idCurrentCell.col, point));
        SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, static_cast<int>(NM_CLICK));
        break;
    }
    m_MouseMode = MouseIdle;
    SetCursor(IDC_ARROW);
    if (IsValid(m_LeftClickDownCell))
        PostCommandToOwner();
}

void CGridCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const CCellID cell = GetCellFromPt(point);
    if (!IsValid(cell)) {
        CWnd::OnLButtonDblClk(nFlags, point);
        return;
    }
    if (m_MouseMode == MouseOverColDivider) {
        CPoint start;
        if (GetCellOrigin(0, cell.col, &start)) {
            int col = cell.col;
            if (point.x - start.x < m_nResizeCaptureRange)
                --col;
            while (col > 0 && GetColumnWidth(col) == 0)
                --col;
            if (col >= 0) {
                AutoSizeColumn(col, static_cast<UINT>(m_nAutoSizeStyle), TRUE);
                Invalidate();
            }
        }
    } else if (m_MouseMode == MouseOverRowDivider) {
        CPoint start;
        if (GetCellOrigin(cell.row, 0, &start)) {
            int row = cell.row;
            if (point.y - start.y < m_nResizeCaptureRange)
                --row;
            while (row > 0 && GetRowHeight(row) == 0)
                --row;
            if (row >= 0) {
                AutoSizeRow(row, TRUE);
                Invalidate();
            }
        }
    } else if (m_MouseMode == MouseIdle) {
        if (cell.row >= m_nFixedRows && cell.col >= m_nFixedCols && PointInTextRect(*this, cell, point) &&
            (IsValid(m_LeftClickDownCell) || m_bListMode))
            OnEditCell(cell.row, cell.col, GetPointInCell(cell.row, cell.col, point), VK_LBUTTON);
        if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
            pCell->OnDblClick(GetPointInCell(cell.row, cell.col, point));
        SendMessageToParent(cell.row, cell.col, static_cast<int>(NM_DBLCLK));
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CGridCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnRButtonDown(nFlags, point);
    m_bRMouseButtonDown = TRUE;
}

void CGridCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnRButtonUp(nFlags, point);
    m_bRMouseButtonDown = FALSE;
    EndEditing();
    const CCellID cell = GetCellFromPt(point);
    if (IsValid(cell)) {
        SetFocusCell(-1, -1);
        SetFocusCell(std::max(cell.row, m_nFixedRows), std::max(cell.col, m_nFixedCols));
        if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
            pCell->OnRClick(GetPointInCell(cell.row, cell.col, point));
        SendMessageToParent(cell.row, cell.col, static_cast<int>(NM_RCLICK));
    } else {
        SendMessageToParent(-1, -1, static_cast<int>(NM_RCLICK));
    }
}

BOOL CGridCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    // The all-ones setting means whole pages per notch.
    if (m_nRowsPerWheelNotch == -1) {
        const int pages = zDelta / 120;
        for (int i = 0; i < std::abs(pages); ++i)
            PostMessage(WM_VSCROLL, pages > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0);
    } else {
        const int lines = zDelta * m_nRowsPerWheelNotch / 120;
        for (int i = 0; i < std::abs(lines); ++i)
            PostMessage(WM_VSCROLL, lines > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    }
    return CWnd::OnMouseWheel(nFlags, zDelta, pt) || TRUE;
}

void CGridCtrl::PostCommandToOwner()
{
    QWidget* pWidget = GetSafeHwnd();
    if (!pWidget)
        return;
    // The receiver is looked up at delivery: it may have changed or gone by then.
    QMetaObject::invokeMethod(
        pWidget,
        [this] {
            if (CNotifyReceiver* pTarget = GetNotifyTarget())
                pTarget->OnCommand(static_cast<WPARAM>(static_cast<UINT>(GetDlgCtrlID()) & 0xFFFF),
                                   reinterpret_cast<LPARAM>(GetSafeHwnd()));
        },
        Qt::QueuedConnection);
}
