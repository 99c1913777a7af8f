// Drawing, scrolling and layout of the grid.
#include "controls/grid/GridCtrl.h"
#include "controls/grid/MemoryDC.h"
#include "platform/wnd/PaintDC.h"

#include <algorithm>

namespace {
// The column or row under pos (-1 for none): the fixed ones from 0, the others from the first
// scrolled into view, which starts at fixedExtent.
template <class Extent>
int LineAt(int pos, BOOL bAllowFixed, int fixedExtent, int nFixed, int firstScrolled, int count, Extent extent)
{
    if (pos < 0 || (!bAllowFixed && pos < fixedExtent))
        return -1;
    // The first of [i, end) that ends past pos when the lines start at edge.
    const auto walk = [&](int edge, int i, int end) {
        for (; i < end; ++i) {
            edge += extent(i);
            if (edge > pos)
                break;
        }
        return i < end ? i : -1;
    };
    return pos < fixedExtent ? walk(0, 0, nFixed) : walk(fixedExtent, firstScrolled, count);
}

// The last of the lines from first on that starts inside limit (at most count - 1), walking
// edge on to where it ends, cut at limit.
template <class Extent>
int LastInView(int first, int count, int& edge, int limit, Extent extent)
{
    int i;
    for (i = first; i < count; ++i) {
        edge += extent(i);
        if (edge >= limit) {
            edge = limit;
            break;
        }
    }
    return std::min(i, count - 1);
}

// Where column or row n starts: after the fixed ones before it, and for a non-fixed one after
// all fixed ones and those from the first scrolled into view.
template <class Extent>
int OffsetOf(int n, int nFixed, int firstScrolled, Extent extent)
{
    int offset = 0;
    for (int i = 0; i < std::min(n, nFixed); ++i)
        offset += extent(i);
    if (n >= nFixed)
        for (int i = firstScrolled; i < n; ++i)
            offset += extent(i);
    return offset;
}
} // namespace

void CGridCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_bDoubleBuffer) {
        CMemoryDC MemDC(&dc);
        OnDraw(&MemDC);
    } else {
        OnDraw(&dc);
    }
}

BOOL CGridCtrl::OnEraseBkgnd(CDC*)
{
    // OnDraw paints every pixel.
    return TRUE;
}

void CGridCtrl::OnEraseBkgndArea(CDC* pDC)
{
    CRect VisRect, ClipRect, rect;
    CBrush FixedRowColBack(GetDefaultCell(TRUE, TRUE)->GetBackClr());
    CBrush FixedRowBack(GetDefaultCell(TRUE, FALSE)->GetBackClr());
    CBrush FixedColBack(GetDefaultCell(FALSE, TRUE)->GetBackClr());
    CBrush TextBack(GetDefaultCell(FALSE, FALSE)->GetBackClr());
    CBrush Back(m_crGridBkColour);

    if (pDC->GetClipBox(&ClipRect) == NULLREGION)
        return;
    GetVisibleNonFixedCellRange(&VisRect);
    const int nFixedColumnWidth = GetFixedColumnWidth();
    const int nFixedRowHeight = GetFixedRowHeight();

    // Fixed corner.
    if (ClipRect.left < nFixedColumnWidth && ClipRect.top < nFixedRowHeight) {
        const CRect r(ClipRect.left, ClipRect.top, nFixedColumnWidth, nFixedRowHeight);
        pDC->FillRect(&r, &FixedRowColBack);
    }
    // Fixed columns, down to the last visible row.
    if (ClipRect.left < nFixedColumnWidth && ClipRect.top < VisRect.bottom) {
        const CRect r(ClipRect.left, std::max<int>(ClipRect.top, nFixedRowHeight), nFixedColumnWidth, VisRect.bottom);
        pDC->FillRect(&r, &FixedColBack);
    }
    // Fixed rows, from one pixel left of the fixed width.
    if (ClipRect.top < nFixedRowHeight && ClipRect.right > nFixedColumnWidth && ClipRect.bottom > 0) {
        const CRect r(nFixedColumnWidth - 1, ClipRect.top, ClipRect.right, nFixedRowHeight);
        pDC->FillRect(&r, &FixedRowBack);
    }
    // Visible non-fixed cells.
    if (rect.IntersectRect(&VisRect, &ClipRect)) {
        const CRect CellRect(std::max<int>(nFixedColumnWidth, rect.left), std::max<int>(nFixedRowHeight, rect.top),
                             rect.right, rect.bottom);
        pDC->FillRect(&CellRect, &TextBack);
    }
    // Right of the last column and below the last row.
    if (VisRect.right < ClipRect.right) {
        const CRect r(VisRect.right, ClipRect.top, ClipRect.right, ClipRect.bottom);
        pDC->FillRect(&r, &Back);
    }
    if (VisRect.bottom < ClipRect.bottom && ClipRect.left < VisRect.right) {
        const CRect r(ClipRect.left, VisRect.bottom, VisRect.right, ClipRect.bottom);
        pDC->FillRect(&r, &Back);
    }
}

void CGridCtrl::OnDraw(CDC* pDC)
{
    if (!m_bAllowDraw)
        return;
    CRect clipRect;
    if (pDC->GetClipBox(&clipRect) == NULLREGION)
        return;

    OnEraseBkgndArea(pDC);

    const int nFixedRowHeight = GetFixedRowHeight();
    const int nFixedColWidth = GetFixedColumnWidth();
    const CCellID idTopLeft = GetTopLeftNonFixedCell();
    const int minVisibleRow = idTopLeft.row;
    const int minVisibleCol = idTopLeft.col;
    CRect VisRect;
    const CCellRange VisCellRange = GetVisibleNonFixedCellRange(&VisRect);
    const int maxVisibleRow = VisCellRange.GetMaxRow();
    const int maxVisibleCol = VisCellRange.GetMaxCol();

    // A cell spans (previous right + 1) .. (previous right + width): its last pixel column
    // carries its grid line.
    auto drawCell = [&](int row, int col, const CRect& rect) {
        if (CGridCellBase* pCell = GetCell(row, col)) {
            pCell->SetCoords(row, col);
            pCell->Draw(pDC, row, col, rect, FALSE);
        }
    };

    // Rows row0..row1 by columns col0..col1, the first cell's corner at (left, top); hidden
    // rows and columns are passed over, and with bClip so are cells outside the clip box.
    auto drawBlock = [&](int row0, int row1, int top, int col0, int col1, int left, bool bClip) {
        CRect rect;
        rect.bottom = top - 1;
        for (int row = row0; row <= row1; ++row) {
            if (GetRowHeight(row) <= 0)
                continue;
            rect.top = rect.bottom + 1;
            rect.bottom = rect.top + GetRowHeight(row) - 1;
            if (bClip && rect.top > clipRect.bottom)
                break;
            if (bClip && rect.bottom < clipRect.top)
                continue;
            rect.right = left - 1;
            for (int col = col0; col <= col1; ++col) {
                if (GetColumnWidth(col) <= 0)
                    continue;
                rect.left = rect.right + 1;
                rect.right = rect.left + GetColumnWidth(col) - 1;
                if (bClip && rect.left > clipRect.right)
                    break;
                if (bClip && rect.right < clipRect.left)
                    continue;
                drawCell(row, col, rect);
            }
        }
    };
    // Fixed corner.
    drawBlock(0, m_nFixedRows - 1, 0, 0, m_nFixedCols - 1, 0, false);
    // Fixed columns of the visible rows.
    drawBlock(minVisibleRow, maxVisibleRow, nFixedRowHeight, 0, m_nFixedCols - 1, 0, true);
    // Fixed rows above the visible columns.
    drawBlock(0, m_nFixedRows - 1, 0, minVisibleCol, maxVisibleCol, nFixedColWidth, true);
    // The visible non-fixed cells.
    drawBlock(minVisibleRow, maxVisibleRow, nFixedRowHeight, minVisibleCol, maxVisibleCol, nFixedColWidth, true);

    // Grid lines over the non-fixed area, on the last pixel of each column and row.
    CPen pen(PS_SOLID, 0, m_crGridLineColour);
    pDC->SelectObject(&pen);
    if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
        int x = nFixedColWidth;
        for (int col = minVisibleCol; col <= maxVisibleCol; ++col) {
            if (GetColumnWidth(col) <= 0)
                continue;
            x += GetColumnWidth(col);
            pDC->MoveTo(x - 1, nFixedRowHeight);
            pDC->LineTo(x - 1, VisRect.bottom);
        }
    }
    if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
        int y = nFixedRowHeight;
        for (int row = minVisibleRow; row <= maxVisibleRow; ++row) {
            if (GetRowHeight(row) <= 0)
                continue;
            y += GetRowHeight(row);
            pDC->MoveTo(nFixedColWidth, y - 1);
            pDC->LineTo(VisRect.right, y - 1);
        }
    }
    pDC->SelectStockObject(NULL_PEN);
}

BOOL CGridCtrl::RedrawCell(int nRow, int nCol, CDC* pDC)
{
    if (!m_bAllowDraw || !IsCellVisible(nRow, nCol))
        return FALSE;
    if (!pDC) {
        // Painting happens in the paint event: the cell's area is queued for it.
        InvalidateCellRect(nRow, nCol);
        return TRUE;
    }

    CRect rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    BOOL bResult;
    if (!pCell->IsFixed()) {
        bResult = pCell->Draw(pDC, nRow, nCol, rect, TRUE);
        if (m_nGridLines != GVL_NONE) {
            CPen pen(PS_SOLID, 0, m_crGridLineColour);
            CPen* pOldPen = pDC->SelectObject(&pen);
            if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
                pDC->MoveTo(rect.left, rect.bottom);
                pDC->LineTo(rect.right + 1, rect.bottom);
            }
            if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
                pDC->MoveTo(rect.right, rect.top);
                pDC->LineTo(rect.right, rect.bottom + 1);
            }
            pDC->SelectObject(pOldPen);
        }
    } else {
        bResult = pCell->Draw(pDC, nRow, nCol, rect, TRUE);
    }
    return bResult;
}

BOOL CGridCtrl::RedrawRow(int row)
{
    BOOL bResult = TRUE;
    for (int col = 0; col < GetColumnCount(); ++col)
        bResult = RedrawCell(row, col) && bResult;
    return bResult;
}

CCellID CGridCtrl::GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck)
{
    CCellID cellID;
    const CCellID idTopLeft = GetTopLeftNonFixedCell();

    cellID.col = LineAt(point.x, bAllowFixedCellCheck, GetFixedColumnWidth(), m_nFixedCols, idTopLeft.col,
                        GetColumnCount(), [this](int col) { return GetColumnWidth(col); });
    cellID.row = LineAt(point.y, bAllowFixedCellCheck, GetFixedRowHeight(), m_nFixedRows, idTopLeft.row, GetRowCount(),
                        [this](int row) { return GetRowHeight(row); });
    return cellID;
}

CCellID CGridCtrl::GetTopLeftNonFixedCell(BOOL bForceRecalculation)
{
    if (m_idTopLeftCell.IsValid() && !bForceRecalculation)
        return m_idTopLeftCell;
    const int nVertScroll = GetScrollPos(SB_VERT);
    const int nHorzScroll = GetScrollPos(SB_HORZ);

    m_idTopLeftCell.col = m_nFixedCols;
    int nRight = 0;
    while (nRight < nHorzScroll && m_idTopLeftCell.col < GetColumnCount() - 1)
        nRight += GetColumnWidth(m_idTopLeftCell.col++);

    m_idTopLeftCell.row = m_nFixedRows;
    int nTop = 0;
    while (nTop < nVertScroll && m_idTopLeftCell.row < GetRowCount() - 1)
        nTop += GetRowHeight(m_idTopLeftCell.row++);
    return m_idTopLeftCell;
}

CCellRange CGridCtrl::GetVisibleNonFixedCellRange(LPRECT pRect, BOOL bForceRecalculation)
{
    return GetVisibleCellRange(pRect, bForceRecalculation, false);
}

CCellRange CGridCtrl::GetVisibleFixedCellRange(LPRECT pRect, BOOL bForceRecalculation)
{
    return GetVisibleCellRange(pRect, bForceRecalculation, true);
}

CCellRange CGridCtrl::GetVisibleCellRange(LPRECT pRect, BOOL bForceRecalculation, bool bFixedCols)
{
    CRect rect;
    GetClientRect(&rect);
    const CCellID idTopLeft = GetTopLeftNonFixedCell(bForceRecalculation);

    int bottom = GetFixedRowHeight();
    const int maxVisibleRow =
        LastInView(idTopLeft.row, GetRowCount(), bottom, rect.bottom, [this](int row) { return GetRowHeight(row); });

    const int minVisibleCol = bFixedCols ? 0 : idTopLeft.col;
    int right = bFixedCols ? 0 : GetFixedColumnWidth();
    const int maxVisibleCol = LastInView(minVisibleCol, bFixedCols ? GetFixedColumnCount() : GetColumnCount(), right,
                                         rect.right, [this](int col) { return GetColumnWidth(col); });
    if (pRect) {
        pRect->left = pRect->top = 0;
        pRect->right = right;
        pRect->bottom = bottom;
    }
    return CCellRange(idTopLeft.row, minVisibleCol, maxVisibleRow, maxVisibleCol);
}

BOOL CGridCtrl::GetCellOrigin(int nRow, int nCol, LPPOINT p)
{
    if (!IsValid(nRow, nCol))
        return FALSE;
    CCellID idTopLeft;
    if (nCol >= m_nFixedCols || nRow >= m_nFixedRows)
        idTopLeft = GetTopLeftNonFixedCell();
    if ((nRow >= m_nFixedRows && nRow < idTopLeft.row) || (nCol >= m_nFixedCols && nCol < idTopLeft.col))
        return FALSE;

    p->x = OffsetOf(nCol, m_nFixedCols, idTopLeft.col, [this](int col) { return GetColumnWidth(col); });
    p->y = OffsetOf(nRow, m_nFixedRows, idTopLeft.row, [this](int row) { return GetRowHeight(row); });
    return TRUE;
}

void CGridCtrl::EnableScrollBars(int nBar, BOOL bEnable)
{
    if (bEnable) {
        if (!IsVisibleHScroll() && (nBar == SB_HORZ || nBar == SB_BOTH)) {
            m_nBarState |= 0x1;
            EnableScrollBarCtrl(SB_HORZ, bEnable);
        }
        if (!IsVisibleVScroll() && (nBar == SB_VERT || nBar == SB_BOTH)) {
            m_nBarState |= 0x2;
            EnableScrollBarCtrl(SB_VERT, bEnable);
        }
    } else {
        if (IsVisibleHScroll() && (nBar == SB_HORZ || nBar == SB_BOTH)) {
            m_nBarState &= ~0x1;
            EnableScrollBarCtrl(SB_HORZ, bEnable);
        }
        if (IsVisibleVScroll() && (nBar == SB_VERT || nBar == SB_BOTH)) {
            m_nBarState &= ~0x2;
            EnableScrollBarCtrl(SB_VERT, bEnable);
        }
    }
}

void CGridCtrl::ResetScrollBars()
{
    m_idTopLeftCell.row = -1;
    if (!m_bAllowDraw || !GetSafeHwnd())
        return;
    CRect rect;
    GetClientRect(&rect);
    if (rect.left == rect.right || rect.top == rect.bottom)
        return;

    // Judge as if no bar were shown: a shown bar takes exactly its own width from the client
    // area (adding a border as well would make the page one pixel larger than the view).
    if (IsVisibleVScroll())
        rect.right += GetSystemMetrics(SM_CXVSCROLL);
    if (IsVisibleHScroll())
        rect.bottom += GetSystemMetrics(SM_CYHSCROLL);

    rect.left += GetFixedColumnWidth();
    rect.top += GetFixedRowHeight();
    if (rect.left >= rect.right || rect.top >= rect.bottom) {
        EnableScrollBars(SB_BOTH, FALSE);
        return;
    }

    CRect VisibleRect(GetFixedColumnWidth(), GetFixedRowHeight(), rect.right, rect.bottom);
    const CRect VirtualRect(GetFixedColumnWidth(), GetFixedRowHeight(), static_cast<int>(GetVirtualWidth()),
                            static_cast<int>(GetVirtualHeight()));

    if (VisibleRect.Height() < VirtualRect.Height())
        VisibleRect.right -= GetSystemMetrics(SM_CXVSCROLL);
    if (VisibleRect.Width() < VirtualRect.Width())
        VisibleRect.bottom -= GetSystemMetrics(SM_CYHSCROLL);

    if (VisibleRect.Height() < VirtualRect.Height()) {
        EnableScrollBars(SB_VERT, TRUE);
        m_nVScrollMax = VirtualRect.Height() - 1;
    } else {
        EnableScrollBars(SB_VERT, FALSE);
        m_nVScrollMax = 0;
    }
    if (VisibleRect.Width() < VirtualRect.Width()) {
        EnableScrollBars(SB_HORZ, TRUE);
        m_nHScrollMax = VirtualRect.Width() - 1;
    } else {
        EnableScrollBars(SB_HORZ, FALSE);
        m_nHScrollMax = 0;
    }

    SCROLLINFO si;
    si.fMask = SIF_PAGE | SIF_RANGE;
    si.nPage = m_nHScrollMax > 0 ? static_cast<UINT>(VisibleRect.Width()) : 0;
    si.nMin = 0;
    si.nMax = m_nHScrollMax;
    SetScrollInfo(SB_HORZ, &si, TRUE);

    si.fMask |= SIF_DISABLENOSCROLL;
    si.nPage = m_nVScrollMax > 0 ? static_cast<UINT>(VisibleRect.Height()) : 0;
    si.nMin = 0;
    si.nMax = m_nVScrollMax;
    SetScrollInfo(SB_VERT, &si, TRUE);
}

BOOL CGridCtrl::SetScrollPos32(int nBar, int nPos, BOOL bRedraw)
{
    m_idTopLeftCell.row = -1;
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = nPos;
    SetScrollInfo(nBar, &si, bRedraw);
    return TRUE;
}

int CGridCtrl::GetScrollPos32(int nBar, BOOL bGetTrackPos)
{
    SCROLLINFO si;
    if (bGetTrackPos) {
        if (GetScrollInfo(nBar, &si, SIF_TRACKPOS))
            return si.nTrackPos;
    } else if (GetScrollInfo(nBar, &si, SIF_POS)) {
        return si.nPos;
    }
    return 0;
}

void CGridCtrl::OnSize(UINT nType, int cx, int cy)
{
    static bool s_bAlreadyInsideThisProc = false;
    if (s_bAlreadyInsideThisProc || !GetSafeHwnd())
        return;
    EndEditing();
    CWnd::OnSize(nType, cx, cy);
    s_bAlreadyInsideThisProc = true;
    ResetScrollBars();
    s_bAlreadyInsideThisProc = false;
    m_DropTarget.Register(this);
}

void CGridCtrl::OnHScroll(UINT nSBCode, UINT, CScrollBar*)
{
    ScrollBy(nSBCode, true);
}

void CGridCtrl::OnVScroll(UINT nSBCode, UINT, CScrollBar*)
{
    ScrollBy(nSBCode, false);
}

// Left/up and right/down share their codes, so one switch serves both bars.
void CGridCtrl::ScrollBy(UINT nSBCode, bool bHorz)
{
    EndEditing();
    m_TitleTip.Hide();

    const int nBar = bHorz ? SB_HORZ : SB_VERT;
    const int scrollMax = bHorz ? m_nHScrollMax : m_nVScrollMax;
    const int scrollPos = GetScrollPos32(nBar);
    const CCellID idTopLeft = GetTopLeftNonFixedCell();
    const int topLeft = bHorz ? idTopLeft.col : idTopLeft.row;
    const int fixedCount = bHorz ? GetFixedColumnCount() : GetFixedRowCount();
    const auto extent = [&](int i) { return bHorz ? GetColumnWidth(i) : GetRowHeight(i); };
    CRect rect;
    GetClientRect(&rect);
    // The fixed cells do not move: only the area past them is repainted.
    if (bHorz)
        rect.left = GetFixedColumnWidth();
    else
        rect.top = GetFixedRowHeight();
    const int pageSize = bHorz ? rect.Width() : rect.Height();

    switch (nSBCode) {
    case SB_LINEDOWN:
        if (scrollPos < scrollMax) {
            const int count = bHorz ? GetColumnCount() : GetRowCount();
            int iToUse = topLeft;
            int scroll = extent(iToUse);
            while (scroll <= 0 && iToUse < count - 1)
                scroll = extent(++iToUse);
            SetScrollPos32(nBar, scrollPos + std::max(0, scroll));
            if (GetScrollPos32(nBar) == scrollPos)
                break; // the bar did not move
            InvalidateRect(&rect);
        }
        break;
    case SB_LINEUP:
        if (scrollPos > 0 && topLeft > fixedCount) {
            int iToUse = topLeft - 1;
            int scroll = extent(iToUse);
            while (scroll <= 0 && iToUse > fixedCount)
                scroll = extent(--iToUse);
            SetScrollPos32(nBar, std::max(0, scrollPos - std::max(0, scroll)));
            InvalidateRect(&rect);
        }
        break;
    case SB_PAGEDOWN:
        if (scrollPos < scrollMax) {
            SetScrollPos32(nBar, std::min(scrollMax, scrollPos + pageSize));
            InvalidateRect(&rect);
        }
        break;
    case SB_PAGEUP:
        if (scrollPos > 0) {
            SetScrollPos32(nBar, std::max(0, scrollPos - pageSize));
            InvalidateRect(&rect);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SetScrollPos32(nBar, GetScrollPos32(nBar, TRUE));
        m_idTopLeftCell.row = -1;
        const CCellID idNewTopLeft = GetTopLeftNonFixedCell();
        if (idNewTopLeft != idTopLeft)
            InvalidateRect(&rect);
        break;
    }
    case SB_TOP:
        if (scrollPos > 0) {
            SetScrollPos32(nBar, 0);
            Invalidate();
        }
        break;
    case SB_BOTTOM:
        if (scrollPos < scrollMax) {
            SetScrollPos32(nBar, scrollMax);
            Invalidate();
        }
        break;
    default: break;
    }
}

BOOL CGridCtrl::IsValid(int nRow, int nCol) const
{
    return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols;
}

BOOL CGridCtrl::IsValid(const CCellRange& range) const
{
    return range.GetMinRow() >= 0 && range.GetMinCol() >= 0 && range.GetMaxRow() >= 0 && range.GetMaxCol() >= 0 &&
           range.GetMaxRow() < m_nRows && range.GetMaxCol() < m_nCols && range.GetMinRow() <= range.GetMaxRow() &&
           range.GetMinCol() <= range.GetMaxCol();
}
