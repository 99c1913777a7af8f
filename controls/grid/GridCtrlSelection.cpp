// Focus cell and selected range of the grid.
#include "controls/grid/GridCtrl.h"

#include <algorithm>

CCellID CGridCtrl::SetFocusCell(int nRow, int nCol)
{
    const CCellID idPrev = m_idCurrentCell;
    if (nRow == idPrev.row && nCol == idPrev.col)
        return idPrev;
    // The focus never rests on a fixed cell.
    if (nRow != -1 && nRow < GetFixedRowCount())
        nRow = GetFixedRowCount();
    if (nCol != -1 && nCol < GetFixedColumnCount())
        nCol = GetFixedColumnCount();
    m_idCurrentCell = CCellID(nRow, nCol);

    if (IsValid(idPrev)) {
        SetItemState(idPrev.row, idPrev.col, GetItemState(idPrev.row, idPrev.col) & ~GCS_FOCUSED);
        RedrawCell(idPrev);
        if (m_bHighlightFocusHeadings) {
            if (idPrev.col != nCol)
                for (int row = 0; row < m_nFixedRows; ++row)
                    RedrawCell(row, idPrev.col);
            if (idPrev.row != nRow)
                for (int col = 0; col < m_nFixedCols; ++col)
                    RedrawCell(idPrev.row, col);
        }
    }
    if (IsValid(m_idCurrentCell)) {
        SetItemState(nRow, nCol, GetItemState(nRow, nCol) | GCS_FOCUSED);
        RedrawCell(m_idCurrentCell);
        if (m_bHighlightFocusHeadings) {
            if (idPrev.col != nCol)
                for (int row = 0; row < m_nFixedRows; ++row)
                    RedrawCell(row, nCol);
            if (idPrev.row != nRow)
                for (int col = 0; col < m_nFixedCols; ++col)
                    RedrawCell(nRow, col);
        }
    }
    return idPrev;
}

void CGridCtrl::SetSelectedRange(const CCellRange& range, BOOL bForceRepaint, BOOL bSelectCells)
{
    SetSelectedRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(), bForceRepaint,
                     bSelectCells);
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL, BOOL bSelectCells)
{
    if (!m_bEnableSelection)
        return;
    // Cells are redrawn through invalidation; the next paint shows the new selection.
    if (nMinRow >= 0 && nMinRow < GetFixedRowCount())
        nMinRow = GetFixedRowCount();
    if (nMaxRow >= 0 && nMaxRow < GetFixedRowCount())
        nMaxRow = GetFixedRowCount();
    if (nMinCol >= 0 && nMinCol < GetFixedColumnCount())
        nMinCol = GetFixedColumnCount();
    if (nMaxCol >= 0 && nMaxCol < GetFixedColumnCount())
        nMaxCol = GetFixedColumnCount();
    const CCellRange range(nMinRow, nMinCol, nMaxRow, nMaxCol);
    const bool inGrid = IsValid(range);

    if (bSelectCells) {
        const CCellMap previous = m_SelectedCellMap;
        for (const auto& entry : previous) {
            const CCellID cell = entry.second;
            if (!IsValid(cell)) {
                m_SelectedCellMap.erase(entry.first);
                continue;
            }
            SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GCS_SELECTED);
            if (!(inGrid && range.InRange(cell)))
                RedrawCell(cell);
        }
        if (!(m_bListMode && m_bSingleRowSelection)) {
            for (const auto& entry : m_PrevSelectedCellMap) {
                const CCellID cell = entry.second;
                if (IsValid(cell))
                    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GCS_SELECTED);
            }
        }
        if (inGrid) {
            for (int row = nMinRow; row <= nMaxRow; ++row)
                for (int col = nMinCol; col <= nMaxCol; ++col) {
                    const UINT state = GetItemState(row, col);
                    if (!(state & GCS_SELECTED) || !previous.count(CellKey(row, col))) {
                        SetItemState(row, col, state | GCS_SELECTED);
                        RedrawCell(row, col);
                    }
                }
        }
    } else if (inGrid) {
        for (int row = nMinRow; row <= nMaxRow; ++row)
            for (int col = nMinCol; col <= nMaxCol; ++col) {
                const UINT state = GetItemState(row, col);
                if (state & GCS_SELECTED) {
                    SetItemState(row, col, state & ~GCS_SELECTED);
                    RedrawCell(row, col);
                }
            }
    }
}

void CGridCtrl::ResetSelectedRange()
{
    m_PrevSelectedCellMap.clear();
    SetSelectedRange(-1, -1, -1, -1);
    SetFocusCell(-1, -1);
}
