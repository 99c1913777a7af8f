#pragma once
// The in-place editor of a numeric cell: it refuses a keystroke that would not leave a
// well-formed number in the user's locale, putting back the last good text and selection.
#include "controls/grid/InPlaceEdit.h"

class CInPlaceNumEdit : public CInPlaceEdit {
public:
    // dwStyle is not used: the editor is left-aligned. The shown text is dValue, not sInitText
    // (which Escape puts back).
    CInPlaceNumEdit(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol, std::wstring sInitText,
                    UINT nFirstChar, DWORD dwFlags, double dValue);

    QString m_strLastValid = QStringLiteral("0");
    BOOL m_bSuppressCheck = FALSE;
    DWORD m_dwLastSel = 0; // start in the low word, end in the high word
    DWORD m_dwFlags;
    QChar m_chDecimal;
    QString m_strAllowed;
    QChar m_chNegative;
    int m_nNegFormat = -1;

protected:
    void OnChar(UINT nChar) override;
    void OnKillFocus() override;
    void keyPressEvent(QKeyEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    // The text check, run on every change of the text.
    void OnUpdate();
    void RememberSelection();
};
