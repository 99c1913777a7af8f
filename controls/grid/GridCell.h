#pragma once
// The standard text cell.
#include "controls/grid/GridCellBase.h"

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>

class CGridCell : public CGridCellBase {
    DECLARE_DYNCREATE(CGridCell)

public:
    CGridCell();
    ~CGridCell() override;
    using CGridCellBase::operator=;

    void SetText(LPCTSTR szText) override { m_strText = szText ? szText : L""; }
    void SetImage(int nImage) override { m_nImage = nImage; }
    void SetData(LPARAM lParam) override { m_lParam = lParam; }
    void SetFormat(DWORD nFormat) override { m_nFormat = nFormat; }
    void SetTextClr(COLORREF clr) override { m_crFgClr = clr; }
    void SetBackClr(COLORREF clr) override { m_crBkClr = clr; }
    // Null frees the cell's own font (the default cell's is used again).
    void SetFont(const LOGFONT* plf) override;
    void SetMargin(UINT nMargin) override { m_nMargin = nMargin; }
    void SetGrid(CGridCtrl* pGrid) override { m_pGrid = pGrid; }
    void SetCoords(int, int) override {}

    LPCTSTR GetText() const override { return m_strText.c_str(); }
    int GetImage() const override { return m_nImage; }
    LPARAM GetData() const override { return m_lParam; }
    DWORD GetFormat() const override;
    COLORREF GetTextClr() const override { return m_crFgClr; }
    COLORREF GetBackClr() const override { return m_crBkClr; }
    LOGFONT* GetFont() const override;
    // With an own font: one font object shared by all cells, rebuilt for this cell, valid
    // until the next cell asks. Otherwise the default cell's.
    CFont* GetFontObject() const override;
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    QWidget* GetEditWnd() const override { return m_pEditWnd; }
    UINT GetMargin() const override;
    BOOL IsDefaultFont() const override { return m_plfFont == nullptr; }
    BOOL IsEditing() const override { return m_bEditing; }

    void Reset() override;
    // Opens a CInPlaceEdit over the cell; while one is open, passes nChar to it.
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

protected:
    std::wstring m_strText;
    LPARAM m_lParam = 0;
    int m_nImage = -1;
    DWORD m_nFormat = 0xFFFFFFFF;
    COLORREF m_crFgClr = CLR_DEFAULT;
    COLORREF m_crBkClr = CLR_DEFAULT;
    std::unique_ptr<LOGFONT> m_plfFont;
    UINT m_nMargin = 0xFFFFFFFF;
    BOOL m_bEditing = FALSE;
    CGridCtrl* m_pGrid = nullptr;
    QPointer<QWidget> m_pEditWnd; // the editor deletes itself
};
