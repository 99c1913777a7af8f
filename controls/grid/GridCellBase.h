#pragma once
// The abstract grid cell: a state word, and the drawing, measuring and printing that every
// cell class shares. Attributes left at their default value (-1 format or margin,
// CLR_DEFAULT colours, no font) are taken from the grid's default cell of the cell's kind.
#include "platform/gdi/DC.h"
#include "platform/win/Object.h"
#include "platform/wnd/Wnd.h"

#include <memory>

class CGridCtrl;

// Cell state bits.
constexpr DWORD GCS_FOCUSED = 0x01;
constexpr DWORD GCS_SELECTED = 0x02;
constexpr DWORD GCS_DROPHILITED = 0x04;
constexpr DWORD GCS_READONLY = 0x08;
constexpr DWORD GCS_FIXED = 0x10;
constexpr DWORD GCS_FIXEDROW = 0x20;
constexpr DWORD GCS_FIXEDCOL = 0x40;
constexpr DWORD GCS_MODIFIED = 0x80;

class CGridCellBase : public CObject {
    DECLARE_DYNAMIC(CGridCellBase)

public:
    CGridCellBase() = default;
    ~CGridCellBase() override = default;

    virtual void SetText(LPCTSTR szText) = 0;
    // SetText that tells whether the cell took the text (a numeric cell refuses text that is
    // not a number, and then nothing changes).
    virtual BOOL SetTextChecked(LPCTSTR szText)
    {
        SetText(szText);
        return TRUE;
    }
    // Takes what an edit can change (the text, and whatever the cell class keeps beside it)
    // from cell, unchanged: a refused edit puts a cell back exactly as it was.
    virtual void CopyContentFrom(const CGridCellBase& cell) { SetText(cell.GetText()); }
    // A detached copy of this cell's content for CopyContentFrom; null when the class cannot
    // be created.
    std::unique_ptr<CGridCellBase> SaveContent() const;
    virtual void SetImage(int nImage) = 0;
    virtual void SetData(LPARAM lParam) = 0;
    virtual void SetState(DWORD nState) { m_nState = nState; }
    virtual void SetFormat(DWORD nFormat) = 0;
    virtual void SetTextClr(COLORREF clr) = 0;
    virtual void SetBackClr(COLORREF clr) = 0;
    virtual void SetFont(const LOGFONT* plf) = 0;
    virtual void SetMargin(UINT nMargin) = 0;
    virtual void SetGrid(CGridCtrl* pGrid) = 0;
    virtual void SetCoords(int nRow, int nCol) = 0;

    virtual LPCTSTR GetText() const = 0;
    virtual LPCTSTR GetTipText() const { return GetText(); }
    // The text a CSV file or the clipboard gets: the shown text unless a cell says otherwise.
    virtual std::wstring GetExportText() const { return GetText() ? GetText() : L""; }
    virtual int GetImage() const = 0;
    virtual LPARAM GetData() const = 0;
    virtual DWORD GetState() const { return m_nState; }
    virtual DWORD GetFormat() const = 0;
    virtual COLORREF GetTextClr() const = 0;
    virtual COLORREF GetBackClr() const = 0;
    virtual LOGFONT* GetFont() const = 0;
    virtual CFont* GetFontObject() const = 0;
    virtual CGridCtrl* GetGrid() const = 0;
    // The open in-place editor (a Qt edit widget), or null.
    virtual QWidget* GetEditWnd() const = 0;
    virtual UINT GetMargin() const = 0;
    virtual CGridCellBase* GetDefaultCell() const;
    virtual BOOL IsDefaultFont() const = 0;
    virtual BOOL IsEditing() const = 0;

    // Each returns the masked bit: non-zero when set.
    virtual DWORD IsFocused() const { return GetState() & GCS_FOCUSED; }
    virtual DWORD IsFixed() const { return GetState() & GCS_FIXED; }
    virtual DWORD IsFixedCol() const { return GetState() & GCS_FIXEDCOL; }
    virtual DWORD IsFixedRow() const { return GetState() & GCS_FIXEDROW; }
    virtual DWORD IsSelected() const { return GetState() & GCS_SELECTED; }
    virtual DWORD IsReadOnly() const { return GetState() & GCS_READONLY; }
    virtual DWORD IsModified() const { return GetState() & GCS_MODIFIED; }
    virtual DWORD IsDropHighlighted() const { return GetState() & GCS_DROPHILITED; }

    // Copies every attribute through the getters and setters (format and margin resolved).
    virtual CGridCellBase& operator=(const CGridCellBase& cell);
    virtual void Reset() { m_nState = 0; }

    virtual BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE);
    virtual BOOL GetTextRect(LPRECT pRect);
    virtual BOOL GetTipTextRect(LPRECT pRect) { return GetTextRect(pRect); }
    virtual CSize GetTextExtent(LPCTSTR szText, CDC* pDC = nullptr);
    virtual CSize GetCellExtent(CDC* pDC);

    virtual BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar);
    virtual BOOL ValidateEdit(LPCTSTR str);
    virtual void EndEdit() {}

    virtual BOOL PrintCell(CDC* pDC, int nRow, int nCol, CRect rect);

    virtual void OnEndEdit() {}
    virtual void OnMouseEnter() {}
    virtual void OnMouseOver() {}
    virtual void OnMouseLeave() {}
    virtual void OnClick(CPoint) {}
    virtual void OnClickDown(CPoint) {}
    virtual void OnRClick(CPoint) {}
    virtual void OnDblClick(CPoint) {}
    virtual BOOL OnSetCursor();

protected:
    CGridCellBase(const CGridCellBase&) = default;
    // Whether the cell's text is drawn rotated (a font escapement of 900 or -900).
    bool IsTextRotated() const;

    DWORD m_nState = 0;
};
