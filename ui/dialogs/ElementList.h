#pragma once
// The list of case elements in a dialog: one row per element, "%d - " with its ID and
// then its description, in the order of the caller's vector, so row i is element i. The
// row keeps the element as its item data. A user's change of selection writes the row
// into the index member the list is bound to (-1 when the selection is cleared).
#include "controls/tip/ExListBox.h"
#include "core/elements/Element.h"

#include <memory>
#include <vector>

std::wstring ElementListText(const CElement& element);

class CElementListBox : public CExListBox {
    Q_OBJECT

public:
    CElementListBox(int nID, QWidget* pParent = nullptr);

    template <class T>
    void Fill(const std::vector<std::shared_ptr<T>>& vElements)
    {
        ResetContent();
        for (const auto& p : vElements)
            AddElement(*p);
    }
    void AddElement(const CElement& element);
    void ResetContent();

    // Programmatic selection (LB_SETCURSEL): no notification, the index is not written.
    void SetCurSel(int nRow);
    int GetCurSel() const;
    const CElement* GetItemElement(int nRow) const;

    // A check list: every row gets a check box (ticked or not; never indeterminate).
    void SetCheckable(bool bCheckable) { m_bCheckable = bCheckable; }
    void SetCheck(int nRow, bool bChecked);
    bool GetCheck(int nRow) const;

    // The index member that follows the user's selection; null unbinds.
    void BindIndex(int* pIndex) { m_pIndex = pIndex; }

signals:
    // LBN_SELCHANGE: the user chose another row.
    void selChange(int nRow);
    // The user ticked or unticked a row of a check list.
    void checkChange(int nRow, bool bChecked);

protected:
    void focusInEvent(QFocusEvent* e) override;

private:
    void OnRowChanged(int nRow);

    int* m_pIndex = nullptr;
    bool m_bCheckable = false;
};
