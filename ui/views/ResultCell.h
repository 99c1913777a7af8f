#pragma once
// A numeric cell of a result table: it keeps the exact value and shows it with the
// number of decimals the settings give for its kind of quantity.
#include "controls/grid/GridCellNumeric.h"

class CResultCell : public CGridCellNumeric
{
    DECLARE_DYNCREATE(CResultCell)

public:
    CResultCell() = default;
    using CGridCellBase::operator=;

    void SetValue(double dValue, int nDecimals);
};
