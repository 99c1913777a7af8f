#include "ui/lmsheet/PropPageLMUDLs.h"

#include "core/loads/LoadModel.h"
#include "ui/dialogs/ControlIds.h"

CPropPageLMUDLs::CPropPageLMUDLs(QWidget* pParent)
    : CPropPageLMLoadList(321, QStringLiteral("UDLs"), {L"No.", L"Magnitude"}, IDC_LM_UDL_FACTOR,
                          QStringLiteral("Factor for UDLs:"), pParent)
{
}

unsigned CPropPageLMUDLs::ModelLoadCount() const
{
    return m_pLoadModel->m_nUDL;
}

double CPropPageLMUDLs::ModelFactor() const
{
    return m_pLoadModel->m_GammaUDL;
}

void CPropPageLMUDLs::AppendZeroLoad()
{
    m_pLoadModel->AddUDL(0.0);
}

bool CPropPageLMUDLs::RemoveModelLoad(unsigned i)
{
    return m_pLoadModel->RemoveUDL(i);
}

std::vector<double> CPropPageLMUDLs::RowValues(unsigned i) const
{
    return {m_pLoadModel->m_vUDL.at(i).magnitude};
}

void CPropPageLMUDLs::SetLoadValue(unsigned i, int, double dValue)
{
    // The setter resets the load's factor; the page factor is stamped on leaving.
    m_pLoadModel->SetUDL(i, dValue);
}

void CPropPageLMUDLs::ApplyFactor(double dFactor)
{
    m_pLoadModel->SetGammaUDL(dFactor);
}
