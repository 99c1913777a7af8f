#pragma once
// A cell that offers a drop-down choice while it is edited.
#include "controls/grid/GridCell.h"
#include "controls/grid/InPlaceList.h"

#include <string>
#include <vector>

class CGridCellCombo : public CGridCell {
    DECLARE_DYNCREATE(CGridCellCombo)

public:
    CGridCellCombo() = default;
    using CGridCellBase::operator=;

    void SetOptions(const std::vector<std::wstring>& ar) { m_Strings = ar; }
    void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    DWORD GetStyle() const { return m_dwStyle; }

    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    // The list's edit part; none for the drop-down-list style or when no list is open.
    QWidget* GetEditWnd() const override;
    CSize GetCellExtent(CDC* pDC) override;
    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;

    std::vector<std::wstring> m_Strings;
    DWORD m_dwStyle = CBS_DROPDOWN;
};
