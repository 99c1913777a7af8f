#pragma once
// A list box whose rows show their whole text as a tooltip when the pointer rests on them,
// for lists narrower than their texts.
#include "platform/gdi/Rect.h"
#include "platform/win/Notify.h"

#include <QListWidget>
#include <string>

// What a tool hit test reports: the tool's rectangle, window and id, and where its text
// comes from (LPSTR_TEXTCALLBACK: asked for with TTN_NEEDTEXT).
struct TOOLINFO {
    UINT uFlags = 0;
    HWND hwnd = nullptr;
    UINT_PTR uId = 0;
    RECT rect{};
    LPTSTR lpszText = nullptr;
};
inline LPTSTR const LPSTR_TEXTCALLBACK = reinterpret_cast<LPTSTR>(-1);

constexpr UINT TTN_FIRST = 0U - 520U;
constexpr UINT TTN_NEEDTEXTW = TTN_FIRST - 10U;

// The text request of a tooltip: the receiver copies at most 80 characters (terminating
// zero included) into szText.
struct TOOLTIPTEXTW {
    NMHDR hdr;
    LPTSTR lpszText = nullptr;
    wchar_t szText[80] = {};
    UINT uFlags = 0;
    LPARAM lParam = 0;
};

class CExListBox : public QListWidget {
    Q_OBJECT

public:
    explicit CExListBox(QWidget* parent = nullptr);

    // The row under the point (the tool's id), or -1 over no row.
    virtual int OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    // TTN_NEEDTEXTW: the text of row idFrom, at most 79 characters. Result 0, handled.
    BOOL OnToolTipText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);

    // List-box operations that the row tooltips use.
    int AddString(const std::wstring& text);
    int GetCount() const { return count(); }
    void GetText(int nIndex, std::wstring& text) const;
    // The nearest row; bOutside when the point lies on no row.
    int ItemFromPoint(CPoint pt, BOOL& bOutside) const;
    int GetItemRect(int nIndex, LPRECT lpRect) const;

protected:
    bool viewportEvent(QEvent* e) override;
};
