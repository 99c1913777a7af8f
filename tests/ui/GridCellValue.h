#pragma once
// The number a result grid holds in one cell; a cell that is not numeric fails the test.
#include "controls/grid/GridCellNumeric.h"
#include "controls/grid/GridCtrl.h"

#include <gtest/gtest.h>

namespace qeltest {

inline double CellValue(CGridCtrl* grid, int row, int col)
{
    auto* cell = dynamic_cast<CGridCellNumeric*>(grid->GetCell(row, col));
    EXPECT_NE(cell, nullptr) << "cell " << row << "," << col << " is not numeric";
    return cell ? cell->m_dValue : -1e300;
}

}
