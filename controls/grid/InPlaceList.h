#pragma once
// The in-place drop-down list of a combo cell, and its edit part.
#include "controls/grid/InPlaceEdit.h"

#include <QComboBox>
#include <string>
#include <vector>

constexpr DWORD CBS_SIMPLE = 0x1;
constexpr DWORD CBS_DROPDOWN = 0x2;
constexpr DWORD CBS_DROPDOWNLIST = 0x3;

class CInPlaceList;

// The edit part of the drop-down style: its keys end the edit through the list.
class CComboEdit : public QLineEdit {
public:
    explicit CComboEdit(CInPlaceList* pList);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool focusNextPrevChild(bool) override { return false; }

private:
    CInPlaceList* m_pList;
};

class CInPlaceList : public QComboBox {
public:
    // crFore and crBack are not used.
    CInPlaceList(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn, COLORREF crFore,
                 COLORREF crBack, const std::vector<std::wstring>& items, std::wstring sInitText, UINT nFirstChar);
    ~CInPlaceList() override;

    void EndEdit();
    // The widest choice plus a scroll bar and one "0", at most 200 pixels.
    int GetCorrectDropWidth() const;
    bool IsDropDownList() const { return (m_dwStyle & 0x3) == CBS_DROPDOWNLIST; }

    // Returns true when the key ended the edit.
    bool OnKeyDown(UINT nChar);
    void OnKeyUp(UINT nChar);
    void OnKillFocus();

    CComboEdit* m_edit = nullptr;
    int m_nNumLines = 4;
    std::wstring m_sInitText;
    int m_nRow;
    int m_nCol;
    UINT m_nLastChar = 0;
    BOOL m_bExitOnArrows = FALSE;

    void showPopup() override;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool focusNextPrevChild(bool) override { return false; }

private:
    void LeaveEdit(UINT nLastChar);
    CWnd* m_pParent;
    UINT m_nID;
    DWORD m_dwStyle;
    bool m_bEnded = false;
};
