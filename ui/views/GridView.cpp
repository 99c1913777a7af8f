#include "ui/views/GridView.h"

#include "controls/grid/GridCtrl.h"
#include "core/settings/Settings.h"
#include "ui/views/ResultCell.h"
#include "ui/views/ViewLayout.h"

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
    m_pGrid->SetRowCount(static_cast<int>(m_nGridRows));
    m_pGrid->SetColumnCount(static_cast<int>(m_nGridCols));
    m_pGrid->SetFixedRowCount(m_nFixedRows);
    m_pGrid->SetFixedColumnCount(m_nFixedCols);
    m_pGrid->ExpandColumnsToFit(TRUE);
    m_pGrid->m_strPrintHeader = m_sTitle;
    m_pGrid->m_strPrintFooter = m_sHeader;
    RecalcLayout();
}

void CGridView::SetNumericCells()
{
    for (unsigned row = static_cast<unsigned>(m_nFixedRows); row < m_nGridRows; ++row)
        for (unsigned col = static_cast<unsigned>(m_nFixedCols); col < m_nGridCols; ++col)
            SetResultCell(static_cast<int>(row), static_cast<int>(col));
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

void CGridView::StartTable(unsigned nDataRows, unsigned nDataCols, const Headings& headings)
{
    CreateGrid(nDataRows, nDataCols);
    for (unsigned col = static_cast<unsigned>(m_nFixedCols); col < m_nGridCols && col - 1 < headings.size(); ++col)
        SetHeading(static_cast<int>(col), headings[col - 1]);
    for (unsigned row = static_cast<unsigned>(m_nFixedRows); row < m_nGridRows; ++row)
        SetRowNumber(static_cast<int>(row));
    SetNumericCells();
}

void CGridView::StartPositionTable(const std::vector<std::size_t>& positions, unsigned nDataCols,
                                   const Headings& headings)
{
    StartTable(static_cast<unsigned>(positions.size()), nDataCols, headings);
    for (std::size_t r = 0; r < positions.size(); ++r)
        if (positions[r] != r)
            m_pGrid->SetItemText(static_cast<int>(r) + 1, 0, std::to_wstring(positions[r] + 1).c_str());
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

void CGridView::SetEffect(int row, int col, const RatioLoadEffect& e, Quantity quantity)
{
    if (e.IsDefined())
        SetNumber(row, col, e.ratio, quantity);
    else
        SetNotAvailable(row, col);
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
