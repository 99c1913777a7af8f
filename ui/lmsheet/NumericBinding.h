#pragma once
// A numeric field bound to a double member. Load shows the member; Save writes the
// field's value back only when the user typed in the field since, so a value the field
// can show only rounded (to its decimal places) is not changed by opening and closing.
#include "controls/edit/NumericEdit.h"

class QWidget;

class CNumericBinding {
public:
    CNumericBinding(CNumericEdit* pEdit, double* pValue);

    void Load();
    // True when the member took the field's value.
    bool Save();
    bool IsEdited() const { return m_bEdited; }
    CNumericEdit* Edit() const { return m_pEdit; }

private:
    CNumericEdit* m_pEdit;
    double* m_pValue;
    bool m_bLoading = false;
    bool m_bEdited = false;
};

// A numeric field with a control id.
CNumericEdit* MakeNumericEdit(QWidget* pParent, int nID);
// The decimal places of a setting, when the setting is not negative.
void ApplyDecimalPlaces(CNumericEdit* pEdit, int nSetting);
