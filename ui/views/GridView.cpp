#include "ui/views/GridView.h"

#include "controls/grid/GridCtrl.h"
#include "core/settings/Settings.h"
#include "ui/views/ResultCell.h"
#include "ui/views/ViewLayout.h"

#include <algorithm>
#include <unordered_map>

CGridView::CGridView()
    : CQELViewBase(VIEW_GRID),
      m_saSinglePosBMSF{L"x Beam (m)", L"Moment (kNm)", L"Shear (kN)"},
      m_saMovingLoadBMSF{L"x Beam",    L"BMD - Max",    L"x Load Model", L"BMD - Min",   L"x Load Model",
                         L"SFD - Max", L"x Load Model", L"SFD - Min",    L"x Load Model"},
      m_saMovingLoadReactions{L"Reaction", L"x Load Model"},
      m_saMultiMLBMSF{L"x Beam",    L"BMD - Max",  L"Load Model", L"BMD - Min", L"Load Model",
                      L"SFD - Max", L"Load Model", L"SFD - Min",  L"Load Model"},
      m_saMultiMLReactions{L"Reaction", L"Load Model", L"x Load Model"},
      m_saCompareBMSF{L"x Beam",         L"Ref BMD - Max",  L"Ref BMD - Min",  L"Ref SFD - Max", L"Ref SFD - Min",
                      L"Prop BMD - Max", L"Prop BMD - Min", L"Prop SFD - Max", L"Prop SFD - Min"},
      m_saCompareReactions{L"Reaction", L"x Load Model"},
      m_saBridgeRangeBMSF{L"Bridge Span",  L"Bridge Length", L"BMD - Max",    L"x Beam",      L"x Load Model",
                          L"BMD - Min",    L"x Beam",        L"x Load Model", L"SFD - Max",   L"x Beam",
                          L"x Load Model", L"SFD - Min",     L"x Beam",       L"x Load Model"},
      m_saBridgeReactions{L"Bridge Span", L"Bridge Length", L"Reaction", L"x Beam", L"x Load Model"},
      m_saBridgeValues{L"Bridge Span", L"Bridge Length", L"BMD - Max", L"BMD - Min", L"SFD - Max", L"SFD - Min"},
      m_saBridgeColumns{L"Bridge Span", L"Bridge Length"},
      m_saSummaryEffects{L"Moment", L"Shear", L"Abutment"},
      m_saSummaryEffectsPier{L"Moment - Sag", L"Moment - Hog", L"Shear", L"Abutment", L"Pier"}
{
}

CGridView::~CGridView()
{
    delete m_pGrid;
}

void CGridView::OnInitialUpdate()
{
    CQELViewBase::OnInitialUpdate();
    if (!m_pGrid) {
        m_pGrid = new CGridCtrl;
        m_pGrid->m_bEditable = FALSE;
    }
}

BOOL CGridView::OnCmdMsg(UINT nID)
{
    constexpr UINT kEditCopy = 0xE122;
    constexpr UINT kEditSelectAll = 0xE12A;
    if (!m_pGrid || !IsWindow(m_pGrid->GetSafeHwnd()))
        return FALSE;
    if (nID == kEditCopy) {
        m_pGrid->OnEditCopy();
        return TRUE;
    }
    if (nID == kEditSelectAll) {
        m_pGrid->OnEditSelectAll();
        return TRUE;
    }
    return FALSE;
}

BOOL CGridView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CGridView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_pGrid)
        m_pGrid->OnBeginPrinting(pDC, pInfo);
}

void CGridView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_pGrid)
        m_pGrid->OnPrint(pDC, pInfo);
}

void CGridView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_pGrid)
        m_pGrid->OnEndPrinting(pDC, pInfo);
}

void CGridView::CreateGrid(unsigned nDataRows, unsigned nDataCols)
{
    if (!m_pGrid)
        OnInitialUpdate();
    CRect client;
    GetClientRect(&client);
    if (!m_pGrid->GetSafeHwnd())
        m_pGrid->Create(client, this, GRID_CTRL_ID, 0x50810000);
    m_nGridRows = static_cast<unsigned>(m_nFixedRows) + nDataRows;
    m_nGridCols = static_cast<unsigned>(m_nFixedCols) + nDataCols;
    // The headings and the columns first; the data rows are then added without cells, each
    // built by FillRow when it is first read.
    m_pGrid->SetRowCount(m_nFixedRows);
    m_pGrid->SetColumnCount(static_cast<int>(m_nGridCols));
    m_pGrid->SetFixedRowCount(m_nFixedRows);
    m_pGrid->SetFixedColumnCount(m_nFixedCols);
    m_pGrid->SetRowFiller(m_nFixedRows, [this](int row) { FillRow(row); });
    m_pGrid->SetRowCount(static_cast<int>(m_nGridRows));
    m_pGrid->ExpandColumnsToFit(TRUE);
    m_pGrid->m_strPrintHeader = m_sTitle;
    m_pGrid->m_strPrintFooter = m_sHeader;
    RecalcLayout();
}

void CGridView::SetNumericCells(int row)
{
    for (unsigned col = static_cast<unsigned>(m_nFixedCols); col < m_nGridCols; ++col)
        SetResultCell(row, static_cast<int>(col));
}

void CGridView::SetResultCell(int row, int col)
{
    m_pGrid->SetCellType(row, col, RUNTIME_CLASS(CResultCell));
    if (auto* pCell = dynamic_cast<CGridCellNumeric*>(m_pGrid->GetCell(row, col))) {
        pCell->SetFormat(0x8825);
        pCell->m_dwFlags = CGridCellNumeric::NUMERIC_REAL | CGridCellNumeric::NUMERIC_NEGATIVE;
    }
}

void CGridView::AutoFit()
{
    // Every column fitted to its heading and its texts; the data columns share the room
    // that is left. A table wider than the window scrolls rather than cutting its headings.
    m_pGrid->AutoSizeColumns(3);
    // The row numbers by their texts alone: the empty corner cell measures as a default cell.
    if (m_pGrid->GetRowCount() > m_nFixedRows)
        m_pGrid->AutoSizeColumn(0, 2, TRUE);
    CRect client;
    m_pGrid->GetClientRect(&client);
    if (client.Width() > m_pGrid->GetVirtualWidth())
        m_pGrid->ExpandColumnsToFit(FALSE);
}

void CGridView::RecalcLayout()
{
    if (!GetSafeHwnd() || !m_pGrid || !m_pGrid->GetSafeHwnd())
        return;
    ApplyPendingGeometry(this);
    CQELViewBase::RecalcLayout(); // the title band
    CRect client;
    GetClientRect(&client);
    const int top = m_nTitleHeight + m_nGapTop;
    m_pGrid->MoveWindow(client.left, top, client.Width(), client.bottom - top, TRUE);
    ApplyPendingGeometry(m_pGrid);
    if (!m_pGrid->m_bAllowDraw) {
        m_pGrid->m_bAllowDraw = TRUE;
        m_pGrid->Invalidate(TRUE);
    }
    m_pGrid->ResetScrollBars();
}

void CGridView::OnSize(UINT nType, int cx, int cy)
{
    CQELViewBase::OnSize(nType, cx, cy);
    if (m_pGrid && m_pGrid->GetSafeHwnd())
        AutoFit();
}

// --- Cells ----------------------------------------------------------------------------------

void CGridView::SetHeading(int col, const std::wstring& text)
{
    m_pGrid->SetItemText(0, col, text.c_str());
    if (CGridCellBase* pCell = m_pGrid->GetCell(0, col))
        pCell->SetFormat(DT_CENTER);
}

void CGridView::StartTable(unsigned nDataRows, unsigned nDataCols, const Headings& headings, RowFunction rows)
{
    m_Rows = std::move(rows);
    CreateGrid(nDataRows, nDataCols);
    for (unsigned col = static_cast<unsigned>(m_nFixedCols); col < m_nGridCols && col - 1 < headings.size(); ++col)
        SetHeading(static_cast<int>(col), headings[col - 1]);
    FinishRows();
}

void CGridView::StartPositionTable(const std::vector<std::size_t>& positions, unsigned nDataCols,
                                   const Headings& headings, RowFunction rows)
{
    StartTable(static_cast<unsigned>(positions.size()), nDataCols, headings,
               [positions, rows = std::move(rows)](std::size_t r, CRowCells& cells) {
                   if (positions[r] != r)
                       cells.Heading(std::to_wstring(positions[r] + 1));
                   rows(r, cells);
               });
}

void CGridView::FinishRows()
{
    if (m_bBuildAllRows)
        m_pGrid->BuildAllRows(); // every row is then measured
    else
        m_pGrid->SetSizingRows(SizingRows());
}

// --- Rows -------------------------------------------------------------------------------------

// Writes a row's cells into the grid.
class CGridView::CGridRowCells final : public CRowCells {
public:
    CGridRowCells(CGridView& view, int row) : m_View(view), m_nRow(row) {}
    void Number(int col, double value, Quantity quantity) override { m_View.SetNumber(m_nRow, col, value, quantity); }
    void NotAvailable(int col) override { m_View.SetNotAvailable(m_nRow, col); }
    void Text(int col, const std::wstring& text) override { m_View.SetTextCell(m_nRow, col, text); }
    void Heading(const std::wstring& text) override { m_View.m_pGrid->SetItemText(m_nRow, 0, text.c_str()); }

private:
    CGridView& m_View;
    const int m_nRow;
};

void CGridView::FillRow(int row)
{
    SetRowNumber(row);
    SetNumericCells(row);
    if (!m_Rows || row < m_nFixedRows)
        return;
    CGridRowCells cells(*this, row);
    m_Rows(static_cast<std::size_t>(row - m_nFixedRows), cells);
}

// Finds, over every row, the rows whose cells are the widest of their column: a number's
// text is widest at the column's largest or smallest value (most digits, or a sign), a
// text column's at one of its distinct texts.
class CGridView::CWidestCells final : public CRowCells {
public:
    explicit CWidestCells(std::size_t nCols) : m_vColumns(nCols + 1) {}
    void SetRow(std::size_t i) { m_nRow = i; }

    void Number(int col, double value, Quantity) override
    {
        Column* c = At(col);
        if (!c)
            return;
        if (!c->bNumber || value > c->max) {
            c->max = value;
            c->maxRow = m_nRow;
        }
        if (!c->bNumber || value < c->min) {
            c->min = value;
            c->minRow = m_nRow;
        }
        c->bNumber = true;
    }
    void NotAvailable(int col) override { Text(col, L"n/a"); }
    void Text(int col, const std::wstring& text) override
    {
        if (Column* c = At(col))
            Take(*c, text);
    }
    void Heading(const std::wstring& text) override { Take(m_vColumns[0], text); }

    // Grid rows, first data row at firstRow.
    std::vector<int> Rows(int firstRow) const
    {
        std::vector<int> rows;
        auto add = [&](std::size_t i) { rows.push_back(firstRow + static_cast<int>(i)); };
        for (const Column& c : m_vColumns) {
            if (c.bNumber) {
                add(c.maxRow);
                add(c.minRow);
            }
            for (const auto& entry : c.texts)
                add(entry.second);
            if (c.nLongest > 0)
                add(c.longestRow);
        }
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        return rows;
    }

private:
    // Past this many distinct texts a column keeps only its longest one.
    static constexpr std::size_t kDistinctTexts = 32;

    struct Column {
        bool bNumber = false;
        double max = 0.0;
        double min = 0.0;
        std::size_t maxRow = 0;
        std::size_t minRow = 0;
        std::unordered_map<std::wstring, std::size_t> texts;
        std::size_t nLongest = 0;
        std::size_t longestRow = 0;
    };

    Column* At(int col)
    {
        return col >= 0 && static_cast<std::size_t>(col) < m_vColumns.size()
                   ? &m_vColumns[static_cast<std::size_t>(col)]
                   : nullptr;
    }
    void Take(Column& c, const std::wstring& text)
    {
        if (c.texts.size() < kDistinctTexts)
            c.texts.emplace(text, m_nRow);
        if (text.size() > c.nLongest) {
            c.nLongest = text.size();
            c.longestRow = m_nRow;
        }
    }

    std::vector<Column> m_vColumns;
    std::size_t m_nRow = 0;
};

std::vector<int> CGridView::SizingRows() const
{
    const unsigned nRows = m_nGridRows - static_cast<unsigned>(m_nFixedRows);
    if (!m_Rows || nRows == 0)
        return {};
    CWidestCells widest(m_nGridCols);
    for (std::size_t i = 0; i < nRows; ++i) {
        widest.SetRow(i);
        m_Rows(i, widest);
    }
    std::vector<int> rows = widest.Rows(m_nFixedRows);
    // The last row's number is the longest.
    rows.push_back(static_cast<int>(m_nGridRows) - 1);
    return rows;
}

void CGridView::SetRowNumber(int row)
{
    m_pGrid->SetItemText(row, 0, std::to_wstring(row).c_str());
    if (CGridCellBase* pCell = m_pGrid->GetCell(row, 0))
        pCell->SetFormat(DT_CENTER);
}

void CGridView::SetNumber(int row, int col, double value, Quantity quantity)
{
    auto* pCell = dynamic_cast<CResultCell*>(m_pGrid->GetCell(row, col));
    if (!pCell)
        return;
    const auto& places = g_pSettings->General.DecimalPlaces;
    int nDecimals = places.GVW;
    switch (quantity) {
    case Q_SPAN: nDecimals = places.SPAN; break;
    case Q_LENGTH: nDecimals = places.DISTANCE; break;
    case Q_EFFECT: nDecimals = places.GVW; break;
    case Q_RATIO: nDecimals = places.FACTOR; break;
    }
    pCell->SetValue(value, nDecimals);
}

void CGridView::SetNotAvailable(int row, int col)
{
    if (auto* pCell = dynamic_cast<CResultCell*>(m_pGrid->GetCell(row, col)))
        pCell->SetNotAvailable();
}

void CGridView::SetTextCell(int row, int col, const std::wstring& text)
{
    if (!m_pGrid->SetCellType(row, col, RUNTIME_CLASS(CGridCell)))
        return;
    if (CGridCellBase* pCell = m_pGrid->GetCell(row, col)) {
        pCell->SetFormat(0x8824);
        pCell->SetText(text.c_str());
    }
}
