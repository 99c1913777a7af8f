// Rows, columns, cell classes and cell state of the grid.
#include "controls/grid/GridCtrl.h"

#include <algorithm>
#include <new>

namespace {
template <class T>
void EraseAt(std::vector<T>& v, int index)
{
    if (index >= 0 && index < static_cast<int>(v.size()))
        v.erase(v.begin() + index);
}
} // namespace

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol) const
{
    if (nCol < 0 || nCol >= m_nCols)
        return nullptr;
    const GRID_ROW* pRow = RowAt(nRow);
    if (!pRow)
        return nullptr;
    const int stored = StoredCol(nCol);
    if (stored < 0 || stored >= static_cast<int>(pRow->size()))
        return nullptr;
    return (*pRow)[static_cast<std::size_t>(stored)];
}

CGridCellBase* CGridCtrl::GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const
{
    auto* self = const_cast<CGridCtrl*>(this);
    if (bFixedRow && bFixedCol)
        return &self->m_cellFixedRowColDef;
    if (bFixedRow)
        return &self->m_cellFixedRowDef;
    if (bFixedCol)
        return &self->m_cellFixedColDef;
    return &self->m_cellDefault;
}

std::wstring CGridCtrl::GetItemText(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? std::wstring(pCell->GetText()) : std::wstring();
}

BOOL CGridCtrl::SetItemText(int nRow, int nCol, LPCTSTR str)
{
    if (m_bVirtualMode)
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    if (!pCell->SetTextChecked(str))
        return FALSE;
    SetModified(nRow, nCol);
    return TRUE;
}

UINT CGridCtrl::GetItemState(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetState() : 0;
}

BOOL CGridCtrl::SetItemState(int nRow, int nCol, UINT state)
{
    const BOOL bSelected = IsCellSelected(nRow, nCol);
    if (bSelected && !(state & GCS_SELECTED))
        m_SelectedCellMap.erase(CellKey(nRow, nCol));
    else if (!bSelected && (state & GCS_SELECTED))
        m_SelectedCellMap[CellKey(nRow, nCol)] = CCellID(nRow, nCol);
    if (m_bVirtualMode)
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    pCell->SetState(state);
    return TRUE;
}

BOOL CGridCtrl::IsCellSelected(int nRow, int nCol) const
{
    if (!m_bEnableSelection)
        return FALSE;
    if (m_bVirtualMode)
        return m_SelectedCellMap.count(CellKey(nRow, nCol)) != 0;
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell && pCell->IsSelected();
}

BOOL CGridCtrl::IsCellEditable(const CCellID& cell) const
{
    const CGridCellBase* pCell = GetCell(cell.row, cell.col);
    return m_bEditable && !(pCell && pCell->IsReadOnly());
}

void CGridCtrl::SetModified(int nRow, int nCol)
{
    if (nCol < 0 || nCol == m_nSortColumn) {
        if (m_nSortColumn >= 0)
            InvalidateCellRect(0, m_nSortColumn);
        m_nSortColumn = -1;
    }
    if (nRow >= 0 && nCol >= 0)
        SetItemState(nRow, nCol, GetItemState(nRow, nCol) | GCS_MODIFIED);
    m_bModified = TRUE;
}

// --- Rows built as they are read ------------------------------------------------------------

CGridCtrl::CPassingReads::~CPassingReads()
{
    if (--m_Grid.m_nPassingReads == 0)
        m_Grid.DropPassingRow();
}

void CGridCtrl::SetRowFiller(int nFirstRow, RowFiller filler)
{
    DropPassingRow();
    m_RowFiller = std::move(filler);
    m_nFillerFirstRow = std::max(0, nFirstRow);
    if (!m_RowFiller)
        m_vSizingRows.clear();
}

bool CGridCtrl::IsRowBuilt(int nRow) const
{
    return nRow >= 0 && nRow < m_nRows && static_cast<std::size_t>(nRow) < m_RowData.size() &&
           m_RowData[static_cast<std::size_t>(nRow)];
}

int CGridCtrl::GetBuiltRowCount() const
{
    int n = 0;
    for (int row = 0; row < m_nRows; ++row)
        if (IsRowBuilt(row))
            ++n;
    return n;
}

void CGridCtrl::BuildAllRows()
{
    for (int row = 0; row < m_nRows && m_RowFiller; ++row)
        if (!IsRowBuilt(row))
            BuildRow(row);
    SetRowFiller(0, nullptr);
}

CGridCtrl::GRID_ROW* CGridCtrl::RowAt(int nRow) const
{
    if (nRow < 0 || nRow >= m_nRows || static_cast<std::size_t>(nRow) >= m_RowData.size())
        return nullptr;
    if (GRID_ROW* pRow = m_RowData[static_cast<std::size_t>(nRow)].get())
        return pRow;
    if (!IsFillerRow(nRow))
        return nullptr;
    // Building a row changes what the grid holds, not what it shows.
    auto* self = const_cast<CGridCtrl*>(this);
    return m_nPassingReads > 0 ? self->PassingRow(nRow) : self->BuildRow(nRow);
}

std::unique_ptr<CGridCtrl::GRID_ROW> CGridCtrl::NewRow(int nRow)
{
    auto pRow = std::make_unique<GRID_ROW>(static_cast<std::size_t>(m_nCols), nullptr);
    try {
        for (int col = 0; col < m_nCols; ++col)
            (*pRow)[static_cast<std::size_t>(StoredCol(col))] = CreateCell(nRow, col);
    } catch (...) {
        for (CGridCellBase* pCell : *pRow)
            delete pCell;
        throw;
    }
    return pRow;
}

void CGridCtrl::FillRow(int nRow)
{
    // Reached from painting and key handlers: a failure must not leave them.
    try {
        if (m_RowFiller)
            m_RowFiller(nRow);
    } catch (const std::exception&) {
    }
}

CGridCtrl::GRID_ROW* CGridCtrl::BuildRow(int nRow)
{
    try {
        m_RowData[static_cast<std::size_t>(nRow)] = NewRow(nRow);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    // The row is in place before it is filled: the filler reaches its cells through the grid.
    FillRow(nRow);
    return IsRowBuilt(nRow) ? m_RowData[static_cast<std::size_t>(nRow)].get() : nullptr;
}

CGridCtrl::GRID_ROW* CGridCtrl::PassingRow(int nRow)
{
    if (m_pPassingRow && m_nPassingRow == nRow)
        return m_pPassingRow.get();
    // A filler reads its own row only: another would take the passing row from under it.
    if (m_bFillingPassingRow)
        return nullptr;
    DropPassingRow();
    try {
        m_pPassingRow = NewRow(nRow);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    m_nPassingRow = nRow;
    m_bFillingPassingRow = true;
    FillRow(nRow);
    m_bFillingPassingRow = false;
    return m_pPassingRow.get();
}

void CGridCtrl::DropPassingRow()
{
    if (m_pPassingRow)
        for (CGridCellBase* pCell : *m_pPassingRow)
            delete pCell;
    m_pPassingRow.reset();
    m_nPassingRow = -1;
}

// --- Counts ---------------------------------------------------------------------------------

BOOL CGridCtrl::SetRowCount(int nRows)
{
    if (nRows < 0)
        return FALSE;
    if (nRows == m_nRows)
        return TRUE;
    BOOL bResult = TRUE;
    m_idTopLeftCell.row = -1;
    if (nRows < m_nFixedRows)
        m_nFixedRows = nRows;
    if (m_idCurrentCell.row >= nRows)
        SetFocusCell(-1, -1);

    DropPassingRow();
    const int addedRows = nRows - m_nRows;
    if (addedRows < 0) {
        for (int row = nRows; row < m_nRows; ++row) {
            if (static_cast<std::size_t>(row) < m_RowData.size() && m_RowData[static_cast<std::size_t>(row)]) {
                for (int col = 0; col < m_nCols; ++col)
                    DestroyCell(row, col);
            }
        }
        m_RowData.resize(static_cast<std::size_t>(nRows));
        m_nRows = nRows;
        m_arRowHeights.resize(static_cast<std::size_t>(nRows));
    } else {
        // Each new row is complete before it counts: a failure keeps the rows built so far.
        // A row the filler builds gets its cells when it is first read.
        try {
            m_arRowHeights.reserve(static_cast<std::size_t>(nRows));
            m_RowData.reserve(static_cast<std::size_t>(nRows));
            for (int row = m_nRows; row < nRows; ++row) {
                m_RowData.push_back(IsFillerRow(row) ? nullptr : NewRow(row));
                m_arRowHeights.push_back(m_cellDefault.GetHeight());
                ++m_nRows;
            }
        } catch (const std::bad_alloc&) {
            bResult = FALSE;
        }
    }

    SetModified();
    ResetScrollBars();
    Refresh();
    return bResult;
}

BOOL CGridCtrl::SetColumnCount(int nCols)
{
    if (nCols < 0)
        return FALSE;
    if (nCols == m_nCols)
        return TRUE;
    BOOL bResult = TRUE;
    DropPassingRow();
    m_idTopLeftCell.row = -1;
    if (nCols < m_nFixedCols)
        m_nFixedCols = nCols;
    if (m_idCurrentCell.col >= nCols)
        SetFocusCell(-1, -1);

    if (nCols < m_nCols) {
        for (int row = 0; row < m_nRows; ++row)
            if (IsRowBuilt(row))
                for (int col = nCols; col < m_nCols; ++col)
                    DestroyCell(row, col);
    }
    try {
        const int oldCols = std::min(m_nCols, nCols);
        m_arColWidths.resize(static_cast<std::size_t>(nCols), m_cellFixedColDef.GetWidth());
        for (auto& pRow : m_RowData)
            if (pRow)
                pRow->resize(static_cast<std::size_t>(nCols), nullptr);
        m_arColOrder.resize(static_cast<std::size_t>(nCols));
        for (int i = 0; i < nCols; ++i)
            m_arColOrder[static_cast<std::size_t>(i)] = i;
        m_nCols = nCols;
        for (int row = 0; row < m_nRows; ++row) {
            GRID_ROW* pRow = m_RowData[static_cast<std::size_t>(row)].get();
            if (!pRow)
                continue;
            for (int col = oldCols; col < nCols; ++col)
                (*pRow)[static_cast<std::size_t>(col)] = CreateCell(row, col);
        }
    } catch (const std::bad_alloc&) {
        bResult = FALSE;
    }
    m_nCols = nCols;

    SetModified();
    ResetScrollBars();
    Refresh();
    return bResult;
}

void CGridCtrl::RefixCell(int nRow, int nCol, UINT nState)
{
    SetItemState(nRow, nCol, nState);
    if (CGridCellBase* pCell = GetCell(nRow, nCol)) {
        pCell->SetBackClr(CLR_DEFAULT);
        pCell->SetTextClr(CLR_DEFAULT);
    }
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    if (nFixedRows < 0)
        return FALSE;
    if (m_nFixedRows == nFixedRows)
        return TRUE;
    DropPassingRow();
    ResetSelectedRange();
    m_idTopLeftCell.row = -1;

    if (nFixedRows > GetRowCount() && !SetRowCount(nFixedRows))
        return FALSE;

    // A row not built yet gets the fixed state of its place when it is built.
    if (!m_bVirtualMode) {
        if (nFixedRows > m_nFixedRows) {
            for (int i = m_nFixedRows; i < nFixedRows; ++i)
                for (int j = 0; j < GetColumnCount() && IsRowBuilt(i); ++j)
                    RefixCell(i, j, GetItemState(i, j) | GCS_FIXED | GCS_FIXEDROW);
        } else {
            for (int i = nFixedRows; i < m_nFixedRows; ++i) {
                if (!IsRowBuilt(i))
                    continue;
                for (int j = 0; j < GetFixedColumnCount(); ++j)
                    SetItemState(i, j, GetItemState(i, j) & ~GCS_FIXEDROW);
                for (int j = GetFixedColumnCount(); j < GetColumnCount(); ++j)
                    RefixCell(i, j, GetItemState(i, j) & ~(GCS_FIXED | GCS_FIXEDROW));
            }
        }
    }
    m_nFixedRows = nFixedRows;
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    if (nFixedCols < 0)
        return FALSE;
    if (m_nFixedCols == nFixedCols)
        return TRUE;
    DropPassingRow();
    ResetSelectedRange();
    m_idTopLeftCell.row = -1;

    if (nFixedCols > GetColumnCount() && !SetColumnCount(nFixedCols))
        return FALSE;

    if (!m_bVirtualMode) {
        if (nFixedCols > m_nFixedCols) {
            for (int i = 0; i < GetRowCount(); ++i)
                for (int j = m_nFixedCols; j < nFixedCols && IsRowBuilt(i); ++j)
                    RefixCell(i, j, GetItemState(i, j) | GCS_FIXED | GCS_FIXEDCOL);
        } else {
            for (int i = 0; i < GetFixedRowCount(); ++i)
                for (int j = nFixedCols; j < m_nFixedCols && IsRowBuilt(i); ++j)
                    SetItemState(i, j, GetItemState(i, j) & ~GCS_FIXEDCOL);
            for (int i = GetFixedRowCount(); i < GetRowCount(); ++i)
                for (int j = nFixedCols; j < m_nFixedCols && IsRowBuilt(i); ++j)
                    RefixCell(i, j, GetItemState(i, j) & ~(GCS_FIXED | GCS_FIXEDCOL));
        }
    }
    m_nFixedCols = nFixedCols;
    Refresh();
    return TRUE;
}

// --- Cell classes ------------------------------------------------------------------------------

CGridCellBase* CGridCtrl::CreateCell(int nRow, int nCol)
{
    if (!m_pRtcDefault || !m_pRtcDefault->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return nullptr;
    CObject* pObject = m_pRtcDefault->CreateObject();
    auto* pCell = dynamic_cast<CGridCellBase*>(pObject);
    if (!pCell) {
        delete pObject;
        return nullptr;
    }
    pCell->SetGrid(this);
    pCell->SetCoords(nRow, nCol);
    if (nCol < m_nFixedCols)
        pCell->SetState(pCell->GetState() | GCS_FIXED | GCS_FIXEDCOL);
    if (nRow < m_nFixedRows)
        pCell->SetState(pCell->GetState() | GCS_FIXED | GCS_FIXEDROW);
    pCell->SetFormat(pCell->GetDefaultCell()->GetFormat());
    return pCell;
}

void CGridCtrl::DestroyCell(int nRow, int nCol)
{
    SetItemState(nRow, nCol, 0);
    delete GetCell(nRow, nCol);
}

BOOL CGridCtrl::SetCellType(int nRow, int nCol, const CRuntimeClass* pRuntimeClass)
{
    if (m_bVirtualMode || !IsValid(nRow, nCol))
        return FALSE;
    if (!pRuntimeClass || !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return FALSE;
    CObject* pObject = pRuntimeClass->CreateObject();
    auto* pNewCell = dynamic_cast<CGridCellBase*>(pObject);
    if (!pNewCell) {
        delete pObject;
        return FALSE;
    }
    CGridCellBase* pCurrCell = GetCell(nRow, nCol);
    if (pCurrCell)
        *pNewCell = *pCurrCell;
    else
        pNewCell->SetGrid(this);
    SetCell(nRow, nCol, pNewCell);
    delete pCurrCell;
    return TRUE;
}

// --- Rows ------------------------------------------------------------------------------------

BOOL CGridCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= GetRowCount())
        return FALSE;
    // The filler knows a row by its number, which the rows after this one are about to lose.
    if (m_RowFiller)
        BuildAllRows();
    ResetSelectedRange();

    if (!m_bVirtualMode) {
        if (!m_RowData[static_cast<std::size_t>(nRow)])
            return FALSE;
        for (int col = 0; col < GetColumnCount(); ++col)
            DestroyCell(nRow, col);
        m_RowData.erase(m_RowData.begin() + nRow);
    } else {
        AdjustRowOrder(nRow, -1);
    }
    EraseAt(m_arRowHeights, nRow);
    --m_nRows;
    if (nRow < m_nFixedRows)
        --m_nFixedRows;

    ResetScrollBars();
    if (m_nSortColumn >= 0)
        InvalidateCellRect(0, m_nSortColumn);
    m_nSortColumn = -1;
    m_bModified = TRUE;
    return TRUE;
}

BOOL CGridCtrl::ClearGrid()
{
    SetRowFiller(0, nullptr);
    m_PrevSelectedCellMap.clear();
    m_arRowHeights.clear();
    m_arColWidths.clear();
    if (!m_bVirtualMode) {
        for (int row = 0; row < static_cast<int>(m_RowData.size()); ++row) {
            if (!m_RowData[static_cast<std::size_t>(row)])
                continue;
            for (int col = 0; col < m_nCols; ++col)
                DestroyCell(row, col);
        }
        m_RowData.clear();
    } else {
        m_arRowOrder.clear();
    }
    m_SelectedCellMap.clear();
    m_idCurrentCell = CCellID(-1, -1);
    m_nRows = m_nFixedRows = m_nCols = m_nFixedCols = 0;
    m_arColOrder.clear();
    ResetScrollBars();
    SetModified();
    return TRUE;
}

void CGridCtrl::AdjustRowOrder(int nRow, int nDelta)
{
    if (!m_bVirtualMode)
        return;
    for (int& entry : m_arRowOrder)
        if (entry > nRow)
            entry += nDelta;
    if (nDelta <= 0)
        EraseAt(m_arRowOrder, nRow);
    else if (nRow >= 0 && nRow <= static_cast<int>(m_arRowOrder.size()))
        m_arRowOrder.insert(m_arRowOrder.begin() + nRow, nRow);
}

void CGridCtrl::MoveRowOrderEntry(int nFrom, int nTo)
{
    if (nFrom < 0 || nFrom >= static_cast<int>(m_arRowOrder.size()))
        return;
    const int value = m_arRowOrder[static_cast<std::size_t>(nFrom)];
    m_arRowOrder.erase(m_arRowOrder.begin() + nFrom);
    int at = nFrom < nTo ? nTo : nTo + 1;
    at = std::clamp(at, 0, static_cast<int>(m_arRowOrder.size()));
    m_arRowOrder.insert(m_arRowOrder.begin() + at, value);
}

// --- Sizes and geometry ------------------------------------------------------------------------

int CGridCtrl::GetRowHeight(int nRow) const
{
    if (nRow < 0 || nRow >= m_nRows || nRow >= static_cast<int>(m_arRowHeights.size()))
        return -1;
    return m_arRowHeights[static_cast<std::size_t>(nRow)];
}

int CGridCtrl::GetColumnWidth(int nCol) const
{
    if (nCol < 0 || nCol >= m_nCols)
        return -1;
    const int stored = StoredCol(nCol);
    if (stored < 0 || stored >= static_cast<int>(m_arColWidths.size()))
        return -1;
    return m_arColWidths[static_cast<std::size_t>(stored)];
}

BOOL CGridCtrl::SetRowHeight(int nRow, int height)
{
    if (nRow < 0 || nRow >= m_nRows || height < 0 || nRow >= static_cast<int>(m_arRowHeights.size()))
        return FALSE;
    m_arRowHeights[static_cast<std::size_t>(nRow)] = height;
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int nCol, int width)
{
    if (nCol < 0 || nCol >= m_nCols || width < 0)
        return FALSE;
    const int stored = StoredCol(nCol);
    if (stored < 0 || stored >= static_cast<int>(m_arColWidths.size()))
        return FALSE;
    m_arColWidths[static_cast<std::size_t>(stored)] = width;
    ResetScrollBars();
    return TRUE;
}

int CGridCtrl::GetFixedRowHeight() const
{
    int nHeight = 0;
    for (int i = 0; i < m_nFixedRows; ++i)
        nHeight += GetRowHeight(i);
    return nHeight;
}

int CGridCtrl::GetFixedColumnWidth() const
{
    int nWidth = 0;
    for (int i = 0; i < m_nFixedCols; ++i)
        nWidth += GetColumnWidth(i);
    return nWidth;
}

long CGridCtrl::GetVirtualHeight() const
{
    long lVirtualHeight = 0;
    for (int i = 0; i < m_nRows; ++i)
        lVirtualHeight += GetRowHeight(i);
    return lVirtualHeight;
}

long CGridCtrl::GetVirtualWidth() const
{
    long lVirtualWidth = 0;
    for (int i = 0; i < m_nCols; ++i)
        lVirtualWidth += GetColumnWidth(i);
    return lVirtualWidth;
}

BOOL CGridCtrl::GetCellRect(int nRow, int nCol, LPRECT pRect)
{
    CPoint CellOrigin;
    if (!GetCellOrigin(nRow, nCol, &CellOrigin))
        return FALSE;
    pRect->left = CellOrigin.x;
    pRect->top = CellOrigin.y;
    pRect->right = CellOrigin.x + GetColumnWidth(nCol) - 1;
    pRect->bottom = CellOrigin.y + GetRowHeight(nRow) - 1;
    return TRUE;
}

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol)
{
    if (!GetSafeHwnd() || !IsValid(nRow, nCol))
        return FALSE;
    CRect rect;
    GetClientRect(&rect);
    int x = 0, y = 0;
    if (nCol >= m_nFixedCols) {
        const CCellID TopLeft = GetTopLeftNonFixedCell();
        if (nCol < TopLeft.col)
            return FALSE;
        x = GetFixedColumnWidth();
        for (int i = TopLeft.col; i < nCol; ++i) {
            if (x >= rect.right)
                return FALSE;
            x += GetColumnWidth(i);
        }
    } else {
        for (int i = 0; i < nCol; ++i) {
            if (x >= rect.right)
                return FALSE;
            x += GetColumnWidth(i);
        }
    }
    if (nRow >= m_nFixedRows) {
        const CCellID TopLeft = GetTopLeftNonFixedCell();
        if (nRow < TopLeft.row)
            return FALSE;
        y = GetFixedRowHeight();
        for (int i = TopLeft.row; i < nRow; ++i) {
            if (y >= rect.bottom)
                return FALSE;
            y += GetRowHeight(i);
        }
    } else {
        for (int i = 0; i < nRow; ++i) {
            if (y >= rect.bottom)
                return FALSE;
            y += GetRowHeight(i);
        }
    }
    return x < rect.right && y < rect.bottom;
}

BOOL CGridCtrl::InvalidateCellRect(int nRow, int nCol)
{
    if (!GetSafeHwnd() || !m_bAllowDraw)
        return FALSE;
    if (!IsValid(nRow, nCol) || !IsCellVisible(nRow, nCol))
        return FALSE;
    CRect rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(&rect, TRUE);
    return TRUE;
}

void CGridCtrl::EnsureVisible(int nRow, int nCol)
{
    if (!m_bAllowDraw || !GetSafeHwnd())
        return;
    CWnd* pFocusWnd = CWnd::GetFocus();
    CCellRange VisibleCells = GetVisibleNonFixedCellRange();
    const int right = nCol - VisibleCells.GetMaxCol();
    const int left = VisibleCells.GetMinCol() - nCol;
    const int down = nRow - VisibleCells.GetMaxRow();
    const int up = VisibleCells.GetMinRow() - nRow;

    // One line step per column or row of width/height above 0 between the edge and the cell.
    for (int iColumnStart = VisibleCells.GetMaxCol() + 1, n = right; n > 0; --n, ++iColumnStart) {
        if (GetColumnWidth(iColumnStart) > 0)
            OnHScroll(SB_LINERIGHT, 0, nullptr);
    }
    for (int iColumnStart = VisibleCells.GetMinCol() - 1, n = left; n > 0; --n, --iColumnStart) {
        if (GetColumnWidth(iColumnStart) > 0)
            OnHScroll(SB_LINELEFT, 0, nullptr);
    }
    for (int iRowStart = VisibleCells.GetMaxRow() + 1, n = down; n > 0; --n, ++iRowStart) {
        if (GetRowHeight(iRowStart) > 0)
            OnVScroll(SB_LINEDOWN, 0, nullptr);
    }
    for (int iRowStart = VisibleCells.GetMinRow() - 1, n = up; n > 0; --n, --iRowStart) {
        if (GetRowHeight(iRowStart) > 0)
            OnVScroll(SB_LINEUP, 0, nullptr);
    }

    // Partly visible at the right or bottom edge: keep stepping while the bars allow.
    CRect rectCell;
    if (!GetCellRect(nRow, nCol, &rectCell)) {
        if (pFocusWnd && pFocusWnd->GetSafeHwnd())
            pFocusWnd->SetFocus();
        return;
    }
    CRect rectWindow;
    GetClientRect(&rectWindow);
    int guard = GetColumnCount();
    while (rectCell.right > rectWindow.right && rectCell.left > GetFixedColumnWidth() && IsVisibleHScroll() &&
           guard-- > 0) {
        const int before = GetScrollPos32(SB_HORZ);
        OnHScroll(SB_LINERIGHT, 0, nullptr);
        if (GetScrollPos32(SB_HORZ) == before || !GetCellRect(nRow, nCol, &rectCell))
            break;
    }
    guard = GetRowCount();
    while (rectCell.bottom > rectWindow.bottom && rectCell.top > GetFixedRowHeight() && IsVisibleVScroll() &&
           guard-- > 0) {
        const int before = GetScrollPos32(SB_VERT);
        OnVScroll(SB_LINEDOWN, 0, nullptr);
        if (GetScrollPos32(SB_VERT) == before || !GetCellRect(nRow, nCol, &rectCell))
            break;
    }
    if (pFocusWnd && pFocusWnd->GetSafeHwnd())
        pFocusWnd->SetFocus();
}

CPoint CGridCtrl::GetPointInCell(int nRow, int nCol, CPoint point)
{
    CPoint PointCellOrigin;
    if (!GetCellOrigin(nRow, nCol, &PointCellOrigin))
        return CPoint(0, 0);
    return point - PointCellOrigin;
}

void CGridCtrl::Refresh()
{
    if (GetSafeHwnd() && m_bAllowDraw)
        Invalidate();
}

void CGridCtrl::OnSetFont(CFont* pFont, BOOL bRedraw)
{
    CWnd::OnSetFont(pFont, FALSE);
    LOGFONT lf;
    if (pFont && pFont->GetLogFont(&lf)) {
        m_cellDefault.SetFont(&lf);
        m_cellFixedColDef.SetFont(&lf);
        m_cellFixedRowDef.SetFont(&lf);
        m_cellFixedRowColDef.SetFont(&lf);
        if (GetSafeHwnd() && m_bAllowDraw && bRedraw)
            Invalidate();
    }
}

CFont* CGridCtrl::OnGetFont()
{
    return m_cellDefault.GetFontObject();
}
