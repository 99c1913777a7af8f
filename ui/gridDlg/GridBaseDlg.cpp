#include "ui/gridDlg/GridBaseDlg.h"

#include "controls/grid/GridCellNumeric.h"
#include "platform/base/CLocale.h"
#include "platform/win/MessageBox.h"
#include "ui/gridDlg/PopupMenu.h"

#include <QCursor>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <exception>

namespace {
// The columns follow the width the layout gives the grid.
class CFitColumnsOnResize : public QObject {
public:
    CFitColumnsOnResize(QObject* pParent, CGridCtrl* pGrid) : QObject(pParent), m_pGrid(pGrid) {}
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Resize && m_pGrid->GetSafeHwnd())
            CallHandlerGuarded([this] { m_pGrid->ExpandColumnsToFit(TRUE); });
        return QObject::eventFilter(pWatched, pEvent);
    }

private:
    CGridCtrl* m_pGrid;
};
} // namespace

void CGridBaseDlg::CreateGridWindow(QWidget* pParent, CNotifyReceiver* pOwner)
{
    m_Grid.Create(CRect(0, 0, 300, 160), pParent);
    m_Grid.SetOwner(pOwner);
    QWidget* pWnd = m_Grid.GetSafeHwnd();
    pWnd->setMinimumSize(200, 100);
    // The client area takes its new size after the window's own resize event.
    m_Grid.GetClientWidget()->installEventFilter(new CFitColumnsOnResize(pWnd, &m_Grid));
}

void CGridBaseDlg::SetCellText(CGridCtrl* pGrid, int nRow, int nCol, const std::wstring& sText)
{
    if (pGrid->m_bVirtualMode)
        return;
    CGridCellBase* pCell = pGrid->GetCell(nRow, nCol);
    if (!pCell)
        return;
    pCell->SetFormat(GRIDDLG_CELL_FORMAT);
    pCell->SetText(sText.c_str());
    pGrid->SetModified(nRow, nCol);
}

int CGridBaseDlg::InitGrid(CGridCtrl* pGrid, int nRows, int nCols, const std::vector<std::wstring>* pHeadings, void*)
{
    try {
        pGrid->SetRowCount(m_nFixedRows + nRows);
        pGrid->SetColumnCount(m_nFixedCols + nCols);
        pGrid->SetFixedRowCount(m_nFixedRows);
        pGrid->SetFixedColumnCount(m_nFixedCols);
        pGrid->m_bAppendRowOnTab = 1;
        pGrid->m_bPasteAddsRows = 1;
        pGrid->m_bPasteAddsColumns = 0;
        pGrid->m_bEditable = 1;
        pGrid->m_bFixedColumnClickSelects = 1;
    } catch (const std::exception& e) {
        AfxMessageBox(QString::fromUtf8(e.what()).toStdWString(), MB_ICONERROR);
        return 0;
    }
    FillHeadings(pGrid, nCols, pHeadings);
    pGrid->ExpandColumnsToFit(TRUE);
    return 1;
}

void CGridBaseDlg::FillHeadings(CGridCtrl* pGrid, int nCols, const std::vector<std::wstring>* pHeadings)
{
    for (int c = 0; c < m_nFixedCols + nCols; ++c)
        SetCellText(pGrid, 0, c, pHeadings->at(static_cast<std::size_t>(c)));
    NumberRows();
}

void CGridBaseDlg::NumberRows()
{
    for (int r = m_nFixedRows; r < m_Grid.GetRowCount(); ++r)
        SetCellText(&m_Grid, r, 0, std::to_wstring(r));
}

void CGridBaseDlg::SetRowNumericCells(CGridCtrl* pGrid, int nRow, int nCols)
{
    if (pGrid->m_bVirtualMode)
        return;
    for (int c = m_nFixedCols; c < m_nFixedCols + nCols; ++c) {
        const std::wstring sText = pGrid->GetItemText(nRow, c);
        pGrid->SetCellType(nRow, c, RUNTIME_CLASS(CGridCellNumeric));
        auto* pCell = dynamic_cast<CGridCellNumeric*>(pGrid->GetCell(nRow, c));
        if (!pCell)
            continue;
        pCell->SetFormat(GRIDDLG_CELL_FORMAT);
        pCell->m_dwFlags = CGridCellNumeric::NUMERIC_REAL | CGridCellNumeric::NUMERIC_NEGATIVE;
        pCell->SetText(sText.c_str());
        pGrid->SetModified(nRow, c);
    }
}

void CGridBaseDlg::SetNumericCells(CGridCtrl* pGrid, int nRows, int nCols)
{
    for (int r = m_nFixedRows; r < m_nFixedRows + nRows; ++r)
        SetRowNumericCells(pGrid, r, nCols);
}

void CGridBaseDlg::AddRow(CGridCtrl* pGrid, int nRow, int nCols)
{
    for (int c = 0; c < m_nFixedCols; ++c)
        SetCellText(pGrid, nRow, c, std::to_wstring(nRow));
    SetRowNumericCells(pGrid, nRow, nCols);
    pGrid->ExpandColumnsToFit(TRUE);
}

BOOL CGridBaseDlg::DeleteRow(int nRow)
{
    if (nRow >= 0 && nRow < m_nFixedRows) {
        MessageBox(m_Grid.GetSafeHwnd(), L"Cannot delete the fixed row", L"QEL", MB_OK | MB_ICONERROR);
        return FALSE;
    }
    // No such row: nothing to ask about (the grid would ignore the deletion anyway).
    if (!IsDataRow(nRow))
        return FALSE;
    const std::wstring sAsk = L"Delete row " + std::to_wstring(nRow) + L"?";
    if (MessageBox(m_Grid.GetSafeHwnd(), sAsk, L"QEL", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    m_Grid.DeleteRow(nRow);
    return TRUE;
}

void CGridBaseDlg::OnGridContextMenu(NMHDR* pNotifyStruct, LRESULT* pResult)
{
    const int nRow = reinterpret_cast<const NM_GRIDVIEW*>(pNotifyStruct)->iRow;
    const std::vector<PopupMenuItem> items = {
        {ID_GRID_DELETEROW, QStringLiteral("&Delete Row"), CanDeleteRow(nRow)},
        {ID_GRID_SELECTALL, QStringLiteral("Select &All\tCtrl+A"), true},
    };
    QWidget* pGridWnd = m_Grid.GetSafeHwnd();
    switch (TrackPopupMenu(items, QCursor::pos(), pGridWnd ? pGridWnd->parentWidget() : nullptr)) {
    case ID_GRID_DELETEROW:
        DeleteRow(nRow);
        NumberRows();
        break;
    case ID_GRID_SELECTALL: m_Grid.OnEditSelectAll(); break;
    default: break;
    }
    if (pResult)
        *pResult = 0;
}

void CGridBaseDlg::SetCellReadOnly(int nRow, int nCol, bool bReset)
{
    if (bReset) {
        m_Grid.SetCellType(nRow, nCol, RUNTIME_CLASS(CGridCell));
        SetCellText(&m_Grid, nRow, nCol, L"");
    }
    if (CGridCellBase* pCell = m_Grid.GetCell(nRow, nCol))
        pCell->SetBackClr(GRIDDLG_READONLY_BACK);
    m_Grid.SetItemState(nRow, nCol, m_Grid.GetItemState(nRow, nCol) | GCS_READONLY);
}

void CGridBaseDlg::SetCellEditable(int nRow, int nCol)
{
    if (CGridCellBase* pCell = m_Grid.GetCell(nRow, nCol))
        pCell->SetBackClr(GetSysColor(COLOR_WINDOW));
    m_Grid.SetItemState(nRow, nCol, m_Grid.GetItemState(nRow, nCol) & ~GCS_READONLY);
}

double CGridBaseDlg::GetCellNumber(int nRow, int nCol) const
{
    const auto* pCell = dynamic_cast<const CGridCellNumeric*>(m_Grid.GetCell(nRow, nCol));
    return pCell ? pCell->m_dValue : 0.0;
}

void CGridBaseDlg::SetCellNumberText(int nRow, int nCol, double dValue)
{
    if (CGridCellBase* pCell = m_Grid.GetCell(nRow, nCol)) {
        pCell->SetText(FormatDoubleCW("%.9f", dValue).c_str());
        m_Grid.SetModified(nRow, nCol);
    }
}

LRESULT CGridBaseDlg::RouteGridNotify(NMHDR* pNMHDR)
{
    if (!pNMHDR || pNMHDR->hwndFrom != m_Grid.GetSafeHwnd())
        return 0;
    LRESULT result = 0;
    bool bDone = false;
    CallHandlerGuarded([&] {
        if (pNMHDR->code == NM_RCLICK)
            OnGridContextMenu(pNMHDR, &result);
        else if (pNMHDR->code == LVN_ENDLABELEDITW)
            OnGridEndEdit(pNMHDR, &result);
        else if (pNMHDR->code == GRIDN_ROWAPPENDED)
            OnGridRowAppended(pNMHDR, &result);
        bDone = true;
    });
    return bDone ? result : -1;
}
