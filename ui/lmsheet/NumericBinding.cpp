#include "ui/lmsheet/NumericBinding.h"

#include "ui/dialogs/DialogBase.h"

#include <QWidget>

CNumericBinding::CNumericBinding(CNumericEdit* pEdit, double* pValue) : m_pEdit(pEdit), m_pValue(pValue)
{
    QObject::connect(pEdit, &CMaskEdit::enChange, pEdit, [this] {
        if (!m_bLoading)
            m_bEdited = true;
    });
}

void CNumericBinding::Load()
{
    m_bLoading = true;
    m_pEdit->SetValue(*m_pValue);
    m_bLoading = false;
    m_bEdited = false;
}

bool CNumericBinding::Save()
{
    if (!m_bEdited)
        return false;
    *m_pValue = m_pEdit->m_dValue;
    return true;
}

CNumericEdit* MakeNumericEdit(QWidget* pParent, int nID)
{
    auto* pEdit = new CNumericEdit(pParent);
    SetCtrlId(pEdit, nID);
    return pEdit;
}

void ApplyDecimalPlaces(CNumericEdit* pEdit, int nSetting)
{
    if (nSetting >= 0 && nSetting != pEdit->GetDecimalDigitCount())
        pEdit->SetDecimalDigitCount(nSetting);
}
