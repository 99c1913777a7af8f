#pragma once
// One per cell kind per grid: holds the defaults of normal, fixed-column, fixed-row and
// corner cells, with the default width and height measured from its font.
#include "controls/grid/GridCell.h"

class CGridDefaultCell : public CGridCell {
    DECLARE_DYNCREATE(CGridDefaultCell)

public:
    CGridDefaultCell();
    using CGridCell::operator=;

    virtual DWORD GetStyle() const { return m_dwStyle; }
    virtual void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    virtual int GetWidth() const { return m_Size.cx; }
    virtual int GetHeight() const { return m_Size.cy; }
    virtual void SetWidth(int nWidth) { m_Size.cx = nWidth; }
    virtual void SetHeight(int nHeight) { m_Size.cy = nHeight; }

    void SetData(LPARAM) override {}
    void SetState(DWORD) override {}
    // A default cell is always read-only.
    DWORD GetState() const override { return CGridCell::GetState() | GCS_READONLY; }
    void SetCoords(int, int) override {}
    // Also measures the font: margin, width and height follow from it.
    void SetFont(const LOGFONT* plf) override;
    LOGFONT* GetFont() const override;
    CFont* GetFontObject() const override;

protected:
    CSize m_Size{30, 10};
    mutable CFont m_Font;
    DWORD m_dwStyle = 0;
};
