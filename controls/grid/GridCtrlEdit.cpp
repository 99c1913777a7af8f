// Sizing to contents, sorting by a column, and the start and end of cell edits.
#include "controls/grid/GridCtrl.h"
#include "controls/grid/InPlaceEdit.h"

#include "platform/win/Keys.h"
#include "platform/wnd/PaintDC.h"

#include <algorithm>

// --- Sizing ---------------------------------------------------------------------------------------

void CGridCtrl::MeasureColumns(const std::vector<int>& cols, UINT nAutoSizeStyle, std::vector<int>& widths)
{
    CClientDC dc(this);
    if (nAutoSizeStyle == 0)
        nAutoSizeStyle = static_cast<UINT>(m_nAutoSizeStyle);
    const int nStartRow = (nAutoSizeStyle & 0x1) ? 0 : m_nFixedRows;
    const int nEndRow = (nAutoSizeStyle & 0x2) ? m_nRows - 1 : m_nFixedRows - 1;
    widths.assign(cols.size(), 0);
    // Row by row: a row not built yet is filled once for all the columns, not once each.
    auto measure = [&](int row) {
        for (std::size_t k = 0; k < cols.size(); ++k)
            if (CGridCellBase* pCell = GetCell(row, cols[k]))
                widths[k] = std::max(widths[k], static_cast<int>(pCell->GetCellExtent(&dc).cx));
    };
    // Rows not built yet are measured through the sizing rows only: a table of 100,000 rows
    // is not built to size its columns.
    for (int row = nStartRow; row <= nEndRow; ++row)
        if (IsRowBuilt(row))
            measure(row);
    const CPassingReads passing(*this);
    for (const int row : m_vSizingRows)
        if (row >= nStartRow && row <= nEndRow && !IsRowBuilt(row))
            measure(row);
}

BOOL CGridCtrl::AutoSizeColumn(int nCol, UINT nAutoSizeStyle, BOOL bResetScroll)
{
    if (nCol < 0 || nCol >= m_nCols || GetColumnWidth(nCol) < 1)
        return FALSE;
    if (!GetSafeHwnd())
        return FALSE;
    std::vector<int> width;
    MeasureColumns({nCol}, nAutoSizeStyle, width);
    m_arColWidths[static_cast<std::size_t>(nCol)] = width.front();
    if (bResetScroll)
        ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::AutoSizeRow(int nRow, BOOL)
{
    if (nRow < 0 || nRow >= m_nRows || GetRowHeight(nRow) < 1)
        return FALSE;
    if (!GetSafeHwnd())
        return FALSE;
    CClientDC dc(this);
    int height = 0;
    for (int col = 0; col < m_nCols; ++col)
        if (CGridCellBase* pCell = GetCell(nRow, col))
            height = std::max(height, static_cast<int>(pCell->GetCellExtent(&dc).cy));
    m_arRowHeights[static_cast<std::size_t>(nRow)] = height;
    ResetScrollBars();
    return TRUE;
}

void CGridCtrl::AutoSizeColumns(UINT nAutoSizeStyle)
{
    std::vector<int> cols;
    for (int col = 0; col < m_nCols; ++col)
        if (GetColumnWidth(col) > 0)
            cols.push_back(col);
    if (GetSafeHwnd() && !cols.empty()) {
        std::vector<int> widths;
        MeasureColumns(cols, nAutoSizeStyle, widths);
        for (std::size_t k = 0; k < cols.size(); ++k)
            m_arColWidths[static_cast<std::size_t>(cols[k])] = widths[k];
    }
    ResetScrollBars();
}

void CGridCtrl::ExpandColumnsToFit(BOOL bExpandFixed)
{
    if (bExpandFixed ? m_nCols <= 0 : m_nCols <= m_nFixedCols)
        return;
    if (m_nBarState & 0x1) {
        m_nBarState &= ~0x1;
        EnableScrollBarCtrl(SB_HORZ, FALSE);
    }
    const int nFirst = bExpandFixed ? 0 : m_nFixedCols;
    int nShown = 0;
    std::vector<bool> nonZero(static_cast<std::size_t>(m_nCols), false);
    for (int col = nFirst; col < m_nCols; ++col)
        if (GetColumnWidth(col) != 0) {
            ++nShown;
            nonZero[static_cast<std::size_t>(col)] = true;
        }
    if (nShown == 0)
        return;
    CRect rect;
    GetClientRect(&rect);
    const long spare = rect.Width() - GetVirtualWidth();
    const int share = static_cast<int>(spare / nShown);
    for (int col = nFirst; col < m_nCols; ++col)
        if (GetColumnWidth(col) != 0)
            m_arColWidths[static_cast<std::size_t>(col)] += share;
    // The remainder goes one pixel each to the first columns shown.
    int remainder = static_cast<int>((spare <= 0 ? -spare : spare) % nShown);
    const int step = spare <= 0 ? -1 : 1;
    for (int col = nFirst; col < nFirst + remainder && col < m_nCols; ++col)
        if (GetColumnWidth(col) != 0)
            m_arColWidths[static_cast<std::size_t>(col)] += step;
    // A narrow window must not push a shown column to zero or below: it would vanish as if
    // hidden, or break every sum of widths that drawing and hit tests rely on.
    for (int col = nFirst; col < m_nCols; ++col)
        if (int& width = m_arColWidths[static_cast<std::size_t>(col)];
            width < 1 && nonZero[static_cast<std::size_t>(col)])
            width = 1;
    if (GetSafeHwnd() && m_bAllowDraw)
        Invalidate();
    ResetScrollBars();
}

// --- Sorting --------------------------------------------------------------------------------------

BOOL CGridCtrl::SortItems(int nCol, BOOL bAscending, LPARAM data)
{
    return SortItems(m_pfnCompare ? m_pfnCompare : &CGridCtrl::SortTextItems, nCol, bAscending, data);
}

BOOL CGridCtrl::SortItems(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM)
{
    if (m_nSortColumn >= 0)
        InvalidateCellRect(0, m_nSortColumn);
    m_nSortColumn = nCol;
    if (nCol >= 0)
        InvalidateCellRect(0, nCol);
    m_bAscending = bAscending;
    ResetSelectedRange();
    // The user value never reaches the comparison: it always gets 0.
    return SortRange(pfnCompare, nCol, bAscending, 0, m_nFixedRows, -1);
}

int CGridCtrl::SortTextItems(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    const auto* pCell1 = reinterpret_cast<const CGridCellBase*>(lParam1);
    const auto* pCell2 = reinterpret_cast<const CGridCellBase*>(lParam2);
    if (!pCell1 || !pCell2)
        return 0;
    const wchar_t* a = pCell1->GetText();
    const wchar_t* b = pCell2->GetText();
    for (;; ++a, ++b) {
        const auto ua = static_cast<char16_t>(*a);
        const auto ub = static_cast<char16_t>(*b);
        if (ua != ub)
            return ua < ub ? -1 : 1;
        if (ua == 0)
            return 0;
    }
}

BOOL CGridCtrl::SortRange(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data, int low, int high)
{
    if (!pfnCompare || nCol < 0 || nCol >= m_nCols)
        return FALSE;
    if (high == -1)
        high = m_nRows - 1;
    if (high <= low || low < 0)
        return FALSE;
    auto cellAt = [this, nCol](int row) { return reinterpret_cast<LPARAM>(GetCell(row, nCol)); };
    const LPARAM pivot = cellAt((low + high) / 2);
    int lo = low;
    int hi = high;
    while (lo <= hi) {
        if (bAscending) {
            while (lo < high && pfnCompare(cellAt(lo), pivot, data) < 0)
                ++lo;
            while (hi > low && pfnCompare(cellAt(hi), pivot, data) > 0)
                --hi;
        } else {
            while (lo < high && pfnCompare(cellAt(lo), pivot, data) > 0)
                ++lo;
            while (hi > low && pfnCompare(cellAt(hi), pivot, data) < 0)
                --hi;
        }
        if (lo <= hi) {
            if (pfnCompare(cellAt(lo), cellAt(hi), data) != 0) {
                for (int col = 0; col < m_nCols; ++col) {
                    CGridCellBase* pCell = GetCell(lo, col);
                    SetCell(lo, col, GetCell(hi, col));
                    SetCell(hi, col, pCell);
                }
                std::swap(m_arRowHeights[static_cast<std::size_t>(lo)], m_arRowHeights[static_cast<std::size_t>(hi)]);
            }
            ++lo;
            --hi;
        }
    }
    if (low < hi)
        SortRange(pfnCompare, nCol, bAscending, data, low, hi);
    if (lo < high)
        SortRange(pfnCompare, nCol, bAscending, data, lo, high);
    return TRUE;
}

// --- Clicks on fixed cells ------------------------------------------------------------------------

void CGridCtrl::OnFixedRowClick(CCellID& cell)
{
    if (!IsValid(cell))
        return;
    if (m_bSortOnHeaderClick) {
        const BOOL bAscending = cell.col == m_nSortColumn ? !m_bAscending : TRUE;
        SortItems(cell.col, bAscending, cell.col);
        Invalidate();
    }
    if (m_bFixedRowClickSelects) {
        m_MouseMode = cell.col < m_nFixedCols ? MouseSelectAll : MouseSelectCols;
        OnSelecting(cell);
    }
}

void CGridCtrl::OnFixedColumnClick(CCellID& cell)
{
    if (!IsValid(cell) || !m_bFixedColumnClickSelects)
        return;
    m_MouseMode = cell.row < m_nFixedRows ? MouseSelectAll : MouseSelectRows;
    OnSelecting(cell);
}

// --- Editing --------------------------------------------------------------------------------------

void CGridCtrl::OnEditCell(int nRow, int nCol, CPoint point, UINT nChar)
{
    if (m_TitleTip.GetSafeHwnd()) {
        if (GetCapture() == &m_TitleTip)
            ReleaseCapture();
        m_TitleTip.Hide();
    }
    if (!IsValid(nRow, nCol) || !m_bEditable)
        return;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell && pCell->IsReadOnly())
        return;
    EnsureVisible(nRow, nCol);
    CRect rect;
    if (!IsCellVisible(nRow, nCol) || !GetCellRect(nRow, nCol, &rect))
        return;
    if (SendMessageToParent(nRow, nCol, static_cast<int>(LVN_BEGINLABELEDITW)) < 0)
        return;
    // The owner may have put a new cell in its place meanwhile.
    if (CGridCellBase* pNow = GetCell(nRow, nCol))
        pNow->Edit(nRow, nCol, rect, point, IDC_INPLACE_CONTROL, nChar);
}

void CGridCtrl::OnEndEditCell(int nRow, int nCol, std::wstring str)
{
    // The owner's answer may put a new cell in the edited one's place (a dialog rebuilding
    // the row) or fail: the cell is looked up again after it, and the edit is over either way.
    struct EditEnder {
        CGridCtrl* pGrid;
        int row, col;
        ~EditEnder()
        {
            if (CGridCellBase* pCell = pGrid->GetCell(row, col))
                pCell->OnEndEdit();
        }
    } ender{this, nRow, nCol};
    const std::wstring strOld = GetItemText(nRow, nCol);
    if (str != strOld) {
        std::unique_ptr<CGridCellBase> saved;
        if (CGridCellBase* pCell = GetCell(nRow, nCol)) {
            saved = pCell->SaveContent();
            pCell->SetText(str.c_str());
            SetModified(nRow, nCol);
        }
        if (ValidateEdit(nRow, nCol, str.c_str()) &&
            SendMessageToParent(nRow, nCol, static_cast<int>(LVN_ENDLABELEDITW)) >= 0) {
            SetModified(nRow, nCol);
            RedrawCell(nRow, nCol);
        } else {
            RestoreContent(nRow, nCol, saved.get(), strOld);
            SetModified(nRow, nCol);
            RedrawCell(nRow, nCol);
        }
    }
}

void CGridCtrl::RestoreContent(int nRow, int nCol, const CGridCellBase* pSaved, const std::wstring& strOld)
{
    // The owner may have put a new cell in its place meanwhile.
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return;
    if (pSaved)
        pCell->CopyContentFrom(*pSaved);
    else
        pCell->SetText(strOld.c_str());
}

BOOL CGridCtrl::ValidateEdit(int nRow, int nCol, LPCTSTR str)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->ValidateEdit(str) : TRUE;
}

LRESULT CGridCtrl::OnNotify(WPARAM wParam, NMHDR* pNMHDR)
{
    if (pNMHDR && pNMHDR->code == LVN_ENDLABELEDITW && wParam == IDC_INPLACE_CONTROL)
        return OnEndInPlaceEdit(pNMHDR);
    return CWnd::OnNotify(wParam, pNMHDR);
}

LRESULT CGridCtrl::OnEndInPlaceEdit(NMHDR* pNMHDR)
{
    const auto* pDispInfo = reinterpret_cast<const GRID_DISPINFO*>(pNMHDR);
    const GRID_ITEM& item = pDispInfo->item;
    if (GetSafeHwnd() && !m_bDestroying)
        OnEndEditCell(item.row, item.col, item.strText);
    else if (CGridCellBase* pCell = GetCell(item.row, item.col))
        pCell->OnEndEdit();
    const auto key = static_cast<UINT>(item.lParam);
    if (GetSafeHwnd() && !m_bDestroying && (key == VK_TAB || (key >= VK_PRIOR && key <= VK_DOWN))) {
        OnKeyDown(key, 0, 0);
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), key);
    }
    return 0;
}

// --- Cursor ---------------------------------------------------------------------------------------

BOOL CGridCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest != HTCLIENT)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    switch (m_MouseMode) {
    case MouseOverRowDivider: SetCursor(IDC_SIZENS); return TRUE;
    case MouseOverColDivider: SetCursor(IDC_SIZEWE); return TRUE;
    case MouseDragging: return TRUE;
    default: break;
    }
    if (!m_bVirtualMode) {
        POINT pt;
        QPoint global = QCursor::pos();
        pt.x = global.x();
        pt.y = global.y();
        ScreenToClient(&pt);
        const CCellID cell = GetCellFromPt(CPoint(pt), TRUE);
        if (IsValid(cell))
            if (CGridCellBase* pCell = GetCell(cell.row, cell.col))
                return pCell->OnSetCursor();
    }
    SetCursor(IDC_ARROW);
    return TRUE;
}
