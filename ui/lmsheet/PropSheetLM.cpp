#include "ui/lmsheet/PropSheetLM.h"

CPropSheetLM::CPropSheetLM(QWidget* pParent) : CPropertySheet(QStringLiteral("Load Model Definition"), pParent)
{
    SetListWidth(150);
    AddPage(&m_pageOverview);
    AddPage(&m_pageVehicle);
    AddPage(&m_pageUDLs);
    AddPage(&m_pagePartialUDLs);
    AddPage(&m_pageFactors);
    AddPage(&m_pageApplicable);
}

void CPropSheetLM::SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel)
{
    m_pLoadModel = pLoadModel;
    if (pLoadModel)
        m_original = *pLoadModel;
    m_pageOverview.SetLoadModel(pLoadModel);
    m_pageVehicle.SetLoadModel(pLoadModel);
    m_pageUDLs.SetLoadModel(pLoadModel);
    m_pagePartialUDLs.SetLoadModel(pLoadModel);
    m_pageFactors.SetLoadModel(pLoadModel);
    m_pageApplicable.SetLoadModel(pLoadModel);
}

void CPropSheetLM::reject()
{
    CPropertySheet::reject();
    if (m_pLoadModel && m_original)
        *m_pLoadModel = *m_original;
}
