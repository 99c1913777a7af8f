#pragma once
// A grid cell that holds a number: it accepts only text that reads as a number in the user's
// locale, keeps the value beside the text, shows it in the locale's number format, and edits
// through CInPlaceNumEdit.
#include "controls/grid/GridCell.h"

#include <string>

// Format records of the locale formatting; none is used: the locale's own defaults apply.
struct NUMBERFMT;
struct CURRENCYFMT;

class CGridCellNumeric : public CGridCell {
    DECLARE_DYNCREATE(CGridCellNumeric)

public:
    static constexpr DWORD NUMERIC_REAL = 0x1;
    static constexpr DWORD NUMERIC_CURRENCY = 0x2;
    static constexpr DWORD NUMERIC_NEGATIVE = 0x4;
    static constexpr DWORD NUMERIC_SILENT = 0x8;

    CGridCellNumeric() = default;
    using CGridCellBase::operator=;

    // Refused text leaves text and value as they were; a number too large for a double is
    // refused with a beep (unless silent), as a refused keystroke is.
    void SetText(LPCTSTR szText) override;
    BOOL SetTextChecked(LPCTSTR szText) override;
    void CopyContentFrom(const CGridCellBase& cell) override;
    // True when the cell now holds exactly this value.
    bool SetNumber(double dValue);
    // On success the text becomes the formatted text and m_dValue the number.
    BOOL ParseNumericText(std::wstring& text);
    // Whether the last refused text was a number beyond the range of a double.
    bool m_bLastOverflow = false;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;

    DWORD m_dwFlags = 0;
    double m_dValue = 0.0;
    const NUMBERFMT* m_pNumberFmt = nullptr;
    const CURRENCYFMT* m_pCurrencyFmt = nullptr;
};
