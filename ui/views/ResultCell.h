#pragma once
// A numeric cell of a result table: it keeps the exact value, shows it in the user's
// number format with the number of decimals the settings give for its kind of quantity,
// and gives CSV files and the clipboard the same number with '.' and no grouping, which a
// spreadsheet reading "sep=;" takes in any locale.
#include "controls/grid/GridCellNumeric.h"

#include <string>

// A result as the tables show it: in the user's locale with nDecimals places (0 to 9), and
// without a sign when it rounds to zero. The graphs' tips and legends use it too.
std::wstring ResultText(double dValue, int nDecimals);

class CResultCell : public CGridCellNumeric {
    DECLARE_DYNCREATE(CResultCell)

public:
    CResultCell() = default;
    using CGridCellBase::operator=;

    void SetValue(double dValue, int nDecimals);
    // No value: "n/a" on screen and in print, nothing in files and on the clipboard.
    void SetNotAvailable();
    bool IsNotAvailable() const { return m_bNotAvailable; }
    std::wstring GetExportText() const override;

    int m_nDecimals = -1; // -1 until a value is set
    bool m_bNotAvailable = false;
};
