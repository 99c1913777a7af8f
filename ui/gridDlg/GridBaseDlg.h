#pragma once
// An editable table for a dialog or a property page: a heading row, a fixed first column
// that numbers the rows, numeric data cells, a right-click menu that deletes rows and
// cells that can be greyed out. It holds no data of its own: the owner fills the table
// (FillGrid) and reads it back, and receives the grid's notifications.
#include "controls/grid/GridCtrl.h"

#include <string>
#include <vector>

class QWidget;

// Commands of the grid's context menu.
constexpr UINT ID_GRID_DELETEROW = 32842;
constexpr UINT ID_GRID_SELECTALL = 32844;

// DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS
constexpr DWORD GRIDDLG_CELL_FORMAT = 0x8825;
// Background of a cell that cannot be edited.
constexpr COLORREF GRIDDLG_READONLY_BACK = RGB(210, 210, 210);

class CGridBaseDlg {
public:
    CGridBaseDlg() = default;
    virtual ~CGridBaseDlg() = default;
    CGridBaseDlg(const CGridBaseDlg&) = delete;
    CGridBaseDlg& operator=(const CGridBaseDlg&) = delete;

    // Asks "Delete row %i?" and deletes it on Yes. Only data rows can go: any other row is
    // refused (FALSE), a fixed one with a message.
    virtual BOOL DeleteRow(int nRow);
    virtual void FillGrid() = 0;

    // Makes the grid window as a child of pParent (the owner puts it in its layout) and
    // routes its notifications to pOwner.
    void CreateGridWindow(QWidget* pParent, CNotifyReceiver* pOwner);

    // 1 on success; 0 after the error was shown to the user.
    int InitGrid(CGridCtrl* pGrid, int nRows, int nCols, const std::vector<std::wstring>* pHeadings,
                 void* pUnused = nullptr);
    void FillHeadings(CGridCtrl* pGrid, int nCols, const std::vector<std::wstring>* pHeadings);
    void NumberRows();
    void SetNumericCells(CGridCtrl* pGrid, int nRows, int nCols);
    void SetRowNumericCells(CGridCtrl* pGrid, int nRow, int nCols);
    // A row the grid has just appended: its number and numeric cells.
    void AddRow(CGridCtrl* pGrid, int nRow, int nCols);
    // The handler of the grid's right click.
    void OnGridContextMenu(NMHDR* pNotifyStruct, LRESULT* pResult);
    void SetCellReadOnly(int nRow, int nCol, bool bReset);
    void SetCellEditable(int nRow, int nCol);

    // The owner's OnNotify hands its grid's notifications here: right click to the
    // context menu, end of edit and appended row to the handlers below. An exception in a
    // handler is shown to the user; an edit it broke off is refused.
    LRESULT RouteGridNotify(NMHDR* pNMHDR);
    // *pResult < 0 refuses the edit (the cell gets its old text back).
    virtual void OnGridEndEdit(NMHDR* pNotifyStruct, LRESULT* pResult)
    {
        (void)pNotifyStruct;
        (void)pResult;
    }
    virtual void OnGridRowAppended(NMHDR* pNotifyStruct, LRESULT* pResult)
    {
        (void)pNotifyStruct;
        (void)pResult;
    }

    bool IsDataRow(int nRow) const { return nRow >= m_nFixedRows && nRow < m_Grid.GetRowCount(); }
    // Whether the context menu offers to delete the row.
    virtual bool CanDeleteRow(int nRow) const { return IsDataRow(nRow); }
    // The number a numeric cell holds, 0 for any other cell.
    double GetCellNumber(int nRow, int nCol) const;
    // Text of a cell as the system writes numbers into cells ("%.9f"), marked modified.
    void SetCellNumberText(int nRow, int nCol, double dValue);

    CGridCtrl m_Grid;
    std::vector<std::wstring> m_saHeadings;
    int m_nFixedCols = 1;
    int m_nFixedRows = 1;
    int m_nDataCols = 0;
    int m_nDataRows = 0;

private:
    // Format 0x8825 and the text, the cell marked modified; skipped without a cell.
    void SetCellText(CGridCtrl* pGrid, int nRow, int nCol, const std::wstring& sText);
};
