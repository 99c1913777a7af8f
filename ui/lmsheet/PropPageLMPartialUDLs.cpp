#include "ui/lmsheet/PropPageLMPartialUDLs.h"

#include "core/loads/LoadModel.h"
#include "ui/dialogs/ControlIds.h"

CPropPageLMPartialUDLs::CPropPageLMPartialUDLs(QWidget* pParent)
    : CPropPageLMLoadList(324, QStringLiteral("Partial UDLs"), {L"No.", L"Magnitude", L"Start", L"Cover"},
                          IDC_LM_PUDL_FACTOR, QStringLiteral("Factor for PUDLs:"), pParent)
{
}

void CPropPageLMPartialUDLs::SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel)
{
    CPropPageLMLoadList::SetLoadModel(std::move(pLoadModel));
    if (m_pLoadModel)
        m_dMirrorLength = m_pLoadModel->m_Length;
}

void CPropPageLMPartialUDLs::RefreshFromModel()
{
    m_dMirrorLength = m_pLoadModel->m_Length;
}

bool CPropPageLMPartialUDLs::IsReversed() const
{
    return m_pLoadModel->m_Direction == TD_REVERSE;
}

unsigned CPropPageLMPartialUDLs::ModelLoadCount() const
{
    return m_pLoadModel->m_nPUDL;
}

double CPropPageLMPartialUDLs::ModelFactor() const
{
    return m_pLoadModel->m_GammaPUDL;
}

void CPropPageLMPartialUDLs::AppendZeroLoad()
{
    m_pLoadModel->AddPartialUDL(0.0, 0.0, 0.0);
}

bool CPropPageLMPartialUDLs::RemoveModelLoad(unsigned i)
{
    return m_pLoadModel->RemovePartialUDL(i);
}

// Reversed, the loaded length [x, x + c] travels as [-L - x - c, -L - x]; the same
// formula takes a shown start back to the stored one.
std::vector<double> CPropPageLMPartialUDLs::RowValues(unsigned i) const
{
    const CLoadModel::PartialUDLoad& l = m_pLoadModel->m_vPUDL.at(i);
    const double dStart = IsReversed() ? -m_dMirrorLength - l.location - l.cover : l.location;
    return {l.magnitude, dStart, l.cover};
}

void CPropPageLMPartialUDLs::SetLoadValue(unsigned i, int nDataCol, double dValue)
{
    const CLoadModel::PartialUDLoad l = m_pLoadModel->m_vPUDL.at(i);
    // The load keeps its factor until leaving the page stamps the page factor on all.
    if (nDataCol == 0) {
        m_pLoadModel->SetPartialUDL(i, l.gamma, dValue, l.location, l.cover);
        return;
    }
    std::vector<double> shown = RowValues(i);
    shown.at(static_cast<std::size_t>(nDataCol)) = dValue;
    const double dCover = shown[2];
    const double dLocation = IsReversed() ? -m_dMirrorLength - shown[1] - dCover : shown[1];
    m_pLoadModel->SetPartialUDL(i, l.gamma, l.magnitude, dLocation, dCover);
    m_pLoadModel->m_bIsUpdated = false; // the model's extent may have changed
}

void CPropPageLMPartialUDLs::ApplyFactor(double dFactor)
{
    m_pLoadModel->SetGammaPUDL(dFactor);
}
