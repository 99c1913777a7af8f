#pragma once
// A grid cell position; -1 means no cell.
class CCellID {
public:
    int row;
    int col;

    explicit CCellID(int nRow = -1, int nCol = -1) : row(nRow), col(nCol) {}
    // Both coordinates 0 or more (whether the cell lies on a grid is the grid's question).
    bool IsValid() const { return row >= 0 && col >= 0; }
    bool operator==(const CCellID& rhs) const { return row == rhs.row && col == rhs.col; }
    bool operator!=(const CCellID& rhs) const { return !(*this == rhs); }
};
