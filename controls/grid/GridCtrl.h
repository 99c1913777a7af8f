#pragma once
// The spreadsheet-like table window on which result tables and editable lists are built.
// Rows and columns are counted fixed (heading) ones first; cells are objects of a cell class
// made by run-time class; positions are scrolled by pixels, fixed rows and columns stay.
// Notifications go to the owner, or to the parent when no owner is set, as an NM_GRIDVIEW
// record; the control id is always 100.
#include "controls/grid/CellRange.h"
#include "controls/grid/GridCell.h"
#include "controls/grid/GridDefaultCell.h"
#include "controls/grid/GridDropTarget.h"
#include "controls/grid/TitleTip.h"
#include "platform/wnd/Wnd.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QMimeData;
class CImageList; // no image list is used by this system
#include "platform/print/PrintInfo.h"

// Notification record: NMHDR, then the row and the column.
struct NM_GRIDVIEW {
    NMHDR hdr;
    int iRow;
    int iColumn;
};

// Tab in the last cell appended a row (row: the focus row; column: the column count).
constexpr UINT GRIDN_ROWAPPENDED = 0x120;

// Which grid lines are drawn (m_nGridLines).
constexpr int GVL_NONE = 0;
constexpr int GVL_HORZ = 1;
constexpr int GVL_VERT = 2;
constexpr int GVL_BOTH = 3;

// Every grid window has this control id.
constexpr UINT GRID_CTRL_ID = 100;

class CGridCtrl : public CWnd {
    DECLARE_DYNCREATE(CGridCtrl)

public:
    // What a drag in progress means (m_MouseMode). 5 is unused; between button events the
    // mode only moves among MouseIdle and the two divider-hover modes.
    enum MouseMode : int {
        MouseIdle = 0,
        MouseSelectAll = 1,
        MouseSelectCols = 2,
        MouseSelectRows = 3,
        MouseSelectCells = 4,
        MouseOverRowDivider = 6,
        MouseSizingRow = 7,
        MouseOverColDivider = 8,
        MouseSizingCol = 9,
        MousePrepareEdit = 10, // becomes an edit when released without moving
        MousePrepareDrag = 11, // becomes a drag when the mouse moves, else a plain click
        MouseDragging = 12,
    };

    // The four counts are not used: the grid starts empty.
    explicit CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    ~CGridCtrl() override;

    // --- Window, creation, notifications ------------------------------------------------------
    BOOL RegisterWindowClass();
    // The window gets control id 100 whatever nID says.
    BOOL Create(const RECT& rect, QWidget* pParentWnd, UINT nID = GRID_CTRL_ID,
                DWORD dwStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);
    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID = GRID_CTRL_ID,
                DWORD dwStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);
    void PreSubclassWindow() override;
    // Lines scrolled per wheel notch: the desktop's wheel setting, 3 when it has none.
    static int GetMouseScrollLines();
    // Sends NM_GRIDVIEW (row, column, code) to the owner, else the parent; returns the
    // receiver's answer, 0 without a window or receiver.
    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage) const;
    BOOL SetCell(int nRow, int nCol, CGridCellBase* pCell);
    void ResetDefaultColours();

    // --- Cells, rows and columns ----------------------------------------------------------------
    CGridCellBase* GetCell(int nRow, int nCol) const;
    CGridCellBase* GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const;
    std::wstring GetItemText(int nRow, int nCol) const;
    BOOL SetItemText(int nRow, int nCol, LPCTSTR str);
    UINT GetItemState(int nRow, int nCol) const;
    BOOL SetItemState(int nRow, int nCol, UINT state);
    BOOL IsCellSelected(int nRow, int nCol) const;
    BOOL IsCellSelected(const CCellID& cell) const { return IsCellSelected(cell.row, cell.col); }
    BOOL IsCellEditable(const CCellID& cell) const;
    BOOL IsCellEditable(int nRow, int nCol) const { return IsCellEditable(CCellID(nRow, nCol)); }
    void SetModified(int nRow = -1, int nCol = -1);
    BOOL GetModified() const { return m_bModified; }

    // Negative counts are refused (FALSE).
    BOOL SetRowCount(int nRows = 10);
    BOOL SetColumnCount(int nCols = 10);
    BOOL SetFixedRowCount(int nFixedRows = 1);
    BOOL SetFixedColumnCount(int nFixedCols = 1);
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }

    // --- Rows built as they are read ----------------------------------------------------------
    // A table of many rows need not hold a cell for each: the rows from nFirstRow on that
    // SetRowCount adds from now on are built (their cells made and filled by filler (row))
    // only when something first reads them: drawing, a key, a selection, a copy. Save and
    // printing read a row not built yet through a passing copy, which they do not keep, and
    // column sizing measures only the built rows and the sizing rows. Deleting a row builds
    // every row first (the rows after it would move away from the filler's numbers).
    using RowFiller = std::function<void(int nRow)>;
    void SetRowFiller(int nFirstRow, RowFiller filler);
    // The rows not built yet that AutoSizeColumn measures too: those holding each column's
    // widest text.
    void SetSizingRows(std::vector<int> rows) { m_vSizingRows = std::move(rows); }
    bool IsRowBuilt(int nRow) const;
    int GetBuiltRowCount() const;
    // Builds every row not built yet and forgets the filler.
    void BuildAllRows();

    virtual CGridCellBase* CreateCell(int nRow, int nCol);
    virtual void DestroyCell(int nRow, int nCol);
    BOOL SetCellType(int nRow, int nCol, const CRuntimeClass* pRuntimeClass);
    BOOL DeleteRow(int nRow);
    BOOL ClearGrid();
    virtual void AdjustRowOrder(int nRow, int nDelta);
    void MoveRowOrderEntry(int nFrom, int nTo);

    int GetRowHeight(int nRow) const;
    int GetColumnWidth(int nCol) const;
    BOOL SetRowHeight(int nRow, int height);
    BOOL SetColumnWidth(int nCol, int width);
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    long GetVirtualHeight() const;
    long GetVirtualWidth() const;
    // left/top = origin, right = left + width - 1, bottom = top + height - 1.
    BOOL GetCellRect(int nRow, int nCol, LPRECT pRect);
    BOOL GetCellRect(const CCellID& cell, LPRECT pRect) { return GetCellRect(cell.row, cell.col, pRect); }
    BOOL IsCellVisible(int nRow, int nCol);
    BOOL IsCellVisible(const CCellID& cell) { return IsCellVisible(cell.row, cell.col); }
    BOOL InvalidateCellRect(int nRow, int nCol);
    BOOL InvalidateCellRect(const CCellID& cell) { return InvalidateCellRect(cell.row, cell.col); }
    void EnsureVisible(int nRow, int nCol);
    void EnsureVisible(const CCellID& cell) { EnsureVisible(cell.row, cell.col); }
    CPoint GetPointInCell(int nRow, int nCol, CPoint point);
    void Refresh();
    void OnSetFont(CFont* pFont, BOOL bRedraw) override;
    CFont* OnGetFont() override;

    // --- Drawing, scrolling, layout ---------------------------------------------------------------
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    virtual void OnDraw(CDC* pDC);
    void OnEraseBkgndArea(CDC* pDC);
    // With no DC the cell's area is invalidated and painted with the next paint.
    BOOL RedrawCell(int nRow, int nCol, CDC* pDC = nullptr);
    BOOL RedrawCell(const CCellID& cell, CDC* pDC = nullptr) { return RedrawCell(cell.row, cell.col, pDC); }
    BOOL RedrawRow(int row);
    CCellID GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck = TRUE);
    CCellID GetTopLeftNonFixedCell(BOOL bForceRecalculation = FALSE);
    CCellRange GetVisibleNonFixedCellRange(LPRECT pRect = nullptr, BOOL bForceRecalculation = FALSE);
    CCellRange GetVisibleFixedCellRange(LPRECT pRect = nullptr, BOOL bForceRecalculation = FALSE);
    BOOL GetCellOrigin(int nRow, int nCol, LPPOINT p);
    BOOL GetCellOrigin(const CCellID& cell, LPPOINT p) { return GetCellOrigin(cell.row, cell.col, p); }
    void ResetScrollBars();
    BOOL SetScrollPos32(int nBar, int nPos, BOOL bRedraw = TRUE);
    int GetScrollPos32(int nBar, BOOL bGetTrackPos = FALSE);
    void OnSize(UINT nType, int cx, int cy) override;
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    BOOL IsValid(int nRow, int nCol) const;
    BOOL IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }
    BOOL IsValid(const CCellRange& range) const;
    void OnSysColorChange() override;

    // --- Focus and selection ----------------------------------------------------------------------
    CCellID GetFocusCell() const { return m_idCurrentCell; }
    CCellID SetFocusCell(int nRow, int nCol);
    CCellID SetFocusCell(CCellID cell) { return SetFocusCell(cell.row, cell.col); }
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, BOOL bForceRepaint = FALSE,
                          BOOL bSelectCells = TRUE);
    void SetSelectedRange(const CCellRange& range, BOOL bForceRepaint = FALSE, BOOL bSelectCells = TRUE);
    void ResetSelectedRange();
    // Ends the focus cell's in-place edit, if one runs.
    void EndEditing();

    // --- Sizing, sorting, editing -------------------------------------------------------------------
    // Comparison of two cells for sorting: negative, 0 or positive.
    using PFNLVCOMPARE = int (*)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    BOOL AutoSizeColumn(int nCol, UINT nAutoSizeStyle = 0, BOOL bResetScroll = TRUE);
    BOOL AutoSizeRow(int nRow, BOOL bResetScroll = TRUE);
    void AutoSizeColumns(UINT nAutoSizeStyle = 0);
    void ExpandColumnsToFit(BOOL bExpandFixed = TRUE);
    BOOL SortItems(int nCol, BOOL bAscending, LPARAM data = 0);
    BOOL SortItems(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data = 0);
    static int SortTextItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    BOOL SortRange(PFNLVCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data, int low, int high);
    virtual void OnFixedRowClick(CCellID& cell);
    virtual void OnFixedColumnClick(CCellID& cell);
    virtual void OnEditCell(int nRow, int nCol, CPoint point, UINT nChar);
    virtual void OnEndEditCell(int nRow, int nCol, std::wstring str);
    virtual BOOL ValidateEdit(int nRow, int nCol, LPCTSTR str);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    // The editors' end-of-edit record (from control 8) arrives here.
    LRESULT OnNotify(WPARAM wParam, NMHDR* pNMHDR) override;
    LRESULT OnEndInPlaceEdit(NMHDR* pNMHDR);

    // --- Keyboard and selection ------------------------------------------------------------------
    UINT OnGetDlgCode() override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    LRESULT OnImeChar(UINT nChar);
    CCellRange GetSelectedCellRange() const;
    int GetSelectedCount() const { return static_cast<int>(m_SelectedCellMap.size()); }
    void SelectAllCells();
    void SelectColumns(CCellID currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void SelectRows(CCellID currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void SelectCells(CCellID currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void OnSelecting(const CCellID& currentCell);
    virtual void OnEditSelectAll();
    BOOL MouseOverColumnResizeArea(CPoint point);
    BOOL MouseOverRowResizeArea(CPoint point);
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnCaptureChanged(CWnd* pWnd) override;

    // --- Mouse ----------------------------------------------------------------------------------
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnRButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;

    // --- Clipboard and drag and drop -------------------------------------------------------------
    // The clipboard text of the selection (tabs between columns, CR LF between rows, one NUL
    // at the end); nothing (false) when the selection is not a valid range.
    virtual bool CopyTextFromGrid(std::string& text);
    // Pastes text (as the clipboard would hold it) at (nRow, nCol).
    virtual BOOL PasteTextToGrid(int nRow, int nCol, const std::wstring& text, BOOL bSelectInsertedCells = TRUE);
    virtual void CutSelectedText();
    void SetItemTextWithNotify(int nRow, int nCol, LPCTSTR str);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    BOOL CanEditCopy() const;
    BOOL CanEditCut() const;
    BOOL CanEditPaste() const;
    BOOL CanEditSelectAll() const { return m_bEnableSelection; }
    virtual void OnBeginDrag();
    // Drop effects: DROPEFFECT_NONE 0, COPY 1, MOVE 2; dwKeyState has 0x08 with Ctrl held.
    virtual int OnDragEnter(const QMimeData* pDataObject, DWORD dwKeyState, CPoint point);
    virtual int OnDragOver(const QMimeData* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(const QMimeData* pDataObject, int dropEffect, CPoint point);

    // --- Printing and CSV ------------------------------------------------------------------------
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintColumns(int nFromCol, int nToCol, int& nRow, CRect& rect, CDC* pDC, BOOL& bFirst);
    virtual void PrintColumnHeadings(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintHeader(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintFooter(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintRowHeadings(CDC* pDC, CPrintInfo* pInfo);
    BOOL Save(LPCTSTR strFileName);

    // The selection maps are keyed by the cell itself.
    using CCellMap = std::map<std::uint64_t, CCellID>;
    static std::uint64_t CellKey(int nRow, int nCol)
    {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(nRow)) << 32) | static_cast<std::uint32_t>(nCol);
    }

    // --- Members (views and dialogs set some of them directly) ------------------------------------
    COLORREF m_crGridBkColour;
    COLORREF m_crGridLineColour = RGB(192, 192, 192);
    COLORREF m_crWindowText;
    COLORREF m_crWindowColour;
    COLORREF m_cr3DFace;
    COLORREF m_crShadow;
    COLORREF m_crTTipBackClr = CLR_DEFAULT;
    COLORREF m_crTTipTextClr = CLR_DEFAULT;
    BOOL m_bVirtualMode = FALSE; // never switched on: cells are always stored
    int m_nGridLines = GVL_BOTH;
    BOOL m_bEditable = TRUE;
    BOOL m_bModified = FALSE;
    BOOL m_bAllowDragAndDrop = FALSE;
    BOOL m_bListMode = FALSE;
    BOOL m_bSingleRowSelection = FALSE;
    BOOL m_bSingleColSelection = FALSE;
    BOOL m_bAllowDraw = TRUE;
    BOOL m_bEnableSelection = TRUE;
    BOOL m_bHandleTabKey = TRUE;
    BOOL m_bDoubleBuffer = TRUE;
    BOOL m_bTitleTips = TRUE;
    int m_nBarState = 0; // 0x1 horizontal bar shown, 0x2 vertical bar shown
    BOOL m_bHiddenColUnhide = TRUE;
    BOOL m_bHiddenRowUnhide = TRUE;
    BOOL m_bAllowColHide = TRUE;
    BOOL m_bAllowRowHide = TRUE;
    BOOL m_bAllowColumnResize = TRUE;
    BOOL m_bAllowRowResize = TRUE;
    BOOL m_bHighlightFocusHeadings = TRUE;
    BOOL m_bFrameFocusCell = TRUE;
    BOOL m_bFixedRowClickSelects = TRUE;
    BOOL m_bFixedColumnClickSelects = TRUE;
    BOOL m_bSortOnHeaderClick = FALSE;
    CImageList* m_pImageList = nullptr;
    BOOL m_bPrintColours = TRUE;
    BOOL m_bScreenScalePrinting = FALSE;
    int m_nAutoSizeStyle = 3;
    BOOL m_bAppendRowOnTab = FALSE;
    BOOL m_bPasteAddsRows = FALSE;
    BOOL m_bPasteAddsColumns = FALSE;
    std::wstring m_strPrintHeader;
    std::wstring m_strPrintFooter;

    int m_nRows = 0;
    int m_nFixedRows = 0;
    int m_nCols = 0;
    int m_nFixedCols = 0;
    std::vector<int> m_arRowHeights;
    std::vector<int> m_arColWidths;
    int m_nVScrollMax = 0;
    int m_nHScrollMax = 0;
    const CRuntimeClass* m_pRtcDefault;
    CGridDefaultCell m_cellDefault;
    CGridDefaultCell m_cellFixedColDef;
    CGridDefaultCell m_cellFixedRowDef;
    CGridDefaultCell m_cellFixedRowColDef;

    using GRID_ROW = std::vector<CGridCellBase*>;
    std::vector<std::unique_ptr<GRID_ROW>> m_RowData; // the grid owns rows and cells

    int m_MouseMode = MouseIdle; // a MouseMode
    BOOL m_bLMouseButtonDown = FALSE;
    BOOL m_bRMouseButtonDown = FALSE;
    CPoint m_LeftClickDownPoint;
    CPoint m_LastMousePoint;
    CCellID m_LeftClickDownCell;
    CCellID m_SelectionStartCell;
    CCellID m_idCurrentCell;
    CCellID m_idTopLeftCell;
    UINT_PTR m_nTimerID = 0;
    int m_nTimerInterval = 25;
    int m_nResizeCaptureRange = 3;
    int m_nRowsPerWheelNotch;
    CCellMap m_SelectedCellMap;
    CCellMap m_PrevSelectedCellMap;
    CTitleTip m_TitleTip;
    CCellID m_LastDragOverCell;
    int m_nDragColumn = -1;
    BOOL m_bAscending = TRUE;
    int m_nSortColumn = -1;
    std::vector<int> m_arRowOrder;
    std::vector<int> m_arColOrder;
    BYTE m_bDestroying = FALSE;
    PFNLVCOMPARE m_pfnCompare = nullptr;
    BYTE m_bAllowColumnDrag = FALSE;
    CGridDropTarget m_DropTarget;
    // The line that follows the pointer while a column or row is resized.
    QPointer<QWidget> m_pTrackLine;

    // Printing state.
    CSize m_CharSize;
    CSize m_LogicalPageSize;
    CSize m_PaperSize;
    int m_nPageHeight = 0;
    int m_nPageWidth = 0;
    int m_nCurrPrintRow = 0;
    int m_nCurrPrintCol = 0;
    int m_nNumPages = 0;
    int m_nPageMultiplier = 1;
    int m_nHeaderHeight = 2;
    int m_nFooterHeight = 2;
    int m_nLeftMargin = 4;
    int m_nRightMargin = 4;
    int m_nTopMargin = 1;
    int m_nBottomMargin = 1;
    int m_nGap = 1;
    CFont m_PrinterFont;

protected:
    // While one lives, a row not built yet is read through the passing row instead of being
    // built and kept: a cell pointer then lasts until the next row is read.
    class CPassingReads {
    public:
        explicit CPassingReads(CGridCtrl& grid) : m_Grid(grid) { ++m_Grid.m_nPassingReads; }
        ~CPassingReads();
        CPassingReads(const CPassingReads&) = delete;
        CPassingReads& operator=(const CPassingReads&) = delete;

    private:
        CGridCtrl& m_Grid;
    };

    void EnableScrollBars(int nBar, BOOL bEnable = TRUE);
    BOOL IsVisibleVScroll() const { return (m_nBarState & 0x2) != 0; }
    BOOL IsVisibleHScroll() const { return (m_nBarState & 0x1) != 0; }
    // Posts WM_COMMAND (control id, code 0) to the owner, else the parent.
    void PostCommandToOwner();
    // Shows the resize line at x (bVertical) or y, or hides it (pos < 0).
    void ShowTrackLine(int pos, bool bVertical);
    // Scrolls the columns (bHorz) or the rows by a scroll-bar code.
    void ScrollBy(UINT nSBCode, bool bHorz);
    // The cells in view from the top-left non-fixed row down, by the fixed columns
    // (bFixedCols) or by the non-fixed columns in view.
    CCellRange GetVisibleCellRange(LPRECT pRect, BOOL bForceRecalculation, bool bFixedCols);
    // Whether a row whose printed rectangle is rect still goes on the page; the page's first
    // row always does, cut to the page's height.
    bool FitRowToPage(int row, CRect& rect) const;
    // One printed cell and its grid lines: bottom and right always, top and left where asked.
    // A line starts one pixel back, over the neighbour's line, unless its overlap is 0.
    void PrintCellWithLines(CDC* pDC, int row, int col, const CRect& rect, bool bTop, bool bLeft, int xOverlap,
                            int yOverlap);
    // A cell that joins or leaves the fixed ones: its new state, and the default colours of
    // its new kind.
    void RefixCell(int nRow, int nCol, UINT nState);
    // Whether point lies within the capture range of a column's (bColumn) or a row's divider
    // in the headings.
    BOOL MouseOverResizeArea(CPoint point, bool bColumn);
    // A press on a column's (bColumn) or a row's divider: picks the line to resize (a press
    // just past a divider resizes the line before it) and shows the track line.
    void BeginDividerDrag(CPoint point, bool bColumn);
    // The release that ends it: the line takes its new size unless the pointer did not move.
    void EndDividerDrag(CPoint point, bool bColumn);
    // Puts a cell back as it was before a refused edit: its saved content, or its old text
    // when its class could not be copied.
    void RestoreContent(int nRow, int nCol, const CGridCellBase* pSaved, const std::wstring& strOld);
    // The widths of the cells of columns cols, widest per column, over the rows nAutoSizeStyle
    // names (0x1 fixed, 0x2 others) that are built or sizing rows.
    void MeasureColumns(const std::vector<int>& cols, UINT nAutoSizeStyle, std::vector<int>& widths);
    // The cells of row nRow: built (or read through the passing row) when the row is one the
    // filler has not built yet; null outside the grid.
    GRID_ROW* RowAt(int nRow) const;
    bool IsFillerRow(int nRow) const { return m_RowFiller && nRow >= m_nFillerFirstRow; }
    // A row of new cells of the default class, not yet filled.
    std::unique_ptr<GRID_ROW> NewRow(int nRow);
    GRID_ROW* BuildRow(int nRow);
    GRID_ROW* PassingRow(int nRow);
    // Runs the filler on a row; a filler that fails leaves the row as far as it got.
    void FillRow(int nRow);
    void DropPassingRow();

    RowFiller m_RowFiller;
    int m_nFillerFirstRow = 0;
    std::vector<int> m_vSizingRows;
    int m_nPassingReads = 0;
    std::unique_ptr<GRID_ROW> m_pPassingRow;
    int m_nPassingRow = -1;
    bool m_bFillingPassingRow = false;

    // Stored column of a displayed column.
    int StoredCol(int nCol) const
    {
        return (nCol >= 0 && nCol < static_cast<int>(m_arColOrder.size())) ? m_arColOrder[nCol] : nCol;
    }
};
