#pragma once
// The line edit that edits one grid cell where it stands. It lives until the edit ends, then
// sends its text to the grid (WM_NOTIFY, LVN_ENDLABELEDITW, from control 8) and deletes itself.
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Rect.h"
#include "platform/win/Notify.h"

#include <QLineEdit>
#include <string>

class CWnd;

// One grid item as the display record carries it.
struct GRID_ITEM {
    int row = 0;
    int col = 0;
    UINT mask = 0;
    UINT nState = 0;
    UINT nFormat = 0;
    int iImage = 0;
    COLORREF crBkClr = 0;
    COLORREF crFgClr = 0;
    LPARAM lParam = 0;
    LOGFONT lfFont{};
    UINT nMargin = 0;
    std::wstring strText;
};

// The grid's display record; the editors end an edit with it.
struct GRID_DISPINFO {
    NMHDR hdr;
    GRID_ITEM item;
};

constexpr UINT GVIF_TEXT = 0x1;
constexpr UINT GVIF_PARAM = 0x4;
// Control id of every in-place editor.
constexpr UINT IDC_INPLACE_CONTROL = 8;

constexpr DWORD ES_LEFT = 0x0;
constexpr DWORD ES_CENTER = 0x1;
constexpr DWORD ES_RIGHT = 0x2;
constexpr DWORD ES_AUTOHSCROLL = 0x80;

class CInPlaceEdit : public QLineEdit {
public:
    // Made over rect (grid client coordinates) in the grid's client area, with the grid's
    // font and the focus. nFirstChar: the key or character that started the edit.
    CInPlaceEdit(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn, std::wstring sInitText,
                 UINT nFirstChar);
    ~CInPlaceEdit() override;

    // Sends the text to the grid and closes; a second call, or a call made while another
    // editor is ending, does nothing.
    void EndEdit();
    // A character as if typed (what a WM_CHAR would do).
    void SendChar(UINT nChar) { OnChar(nChar); }
    CWnd* GetGrid() const { return m_pParent; }

    CRect m_Rect;
    int m_nRow;
    int m_nColumn;
    std::wstring m_sInitText;
    UINT m_nLastChar = 0;
    BOOL m_bExitOnArrows;

protected:
    // Returns true when the key ended the edit.
    virtual bool OnKeyDown(UINT nChar);
    virtual void OnChar(UINT nChar);
    virtual void OnKillFocus();
    // The default handling of a character: typed into the text.
    void DefaultChar(UINT nChar);
    // Widens the window to the text plus six spaces, up to the grid's right edge.
    void FitToText(const QString& text);
    // Focus back to the grid, then the end of the edit.
    void LeaveEdit(UINT nLastChar);

    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool focusNextPrevChild(bool) override { return false; }

    CWnd* m_pParent;
    UINT m_nID;
    bool m_bEnded = false;

public:
    bool HasEnded() const { return m_bEnded; }
};

// Whether a key ends an edit as a navigation key (Page Up/Down and the arrows).
inline bool IsEditExitKey(UINT nChar)
{
    return nChar == 0x21 || nChar == 0x22 || (nChar >= 0x25 && nChar <= 0x28);
}
