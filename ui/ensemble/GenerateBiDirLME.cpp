#include "ui/ensemble/GenerateBiDirLME.h"

#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "ui/dialogs/AnalysisDlgs.h"
#include "ui/dialogs/ElementList.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

void AddBothDirections(CLoadModelEnsemble& ensemble, const CLoadModel& model)
{
    auto pPositive = std::make_shared<CLoadModel>(model);
    pPositive->m_Description = model.m_Description + L" - dir pos";
    pPositive->m_Direction = TD_FORWARD;
    ensemble.AddLoadModel(pPositive);
    auto pNegative = std::make_shared<CLoadModel>(model);
    pNegative->m_Description = model.m_Description + L" - dir neg";
    pNegative->m_Direction = TD_REVERSE;
    ensemble.AddLoadModel(pNegative);
}

CGenerateBiDirLME::CGenerateBiDirLME(QWidget* pParent)
    : CQELDialog(346, QStringLiteral("Generate Bidirectional LME"), pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    CLoadModelChoice choice;
    choice.Add(pLayout, this, QStringLiteral("Select loadmodel:"), &m_nSelLoadModel, &m_nSelLME);
    m_rbUseLoadModel = choice.m_pUseLoadModel;
    m_rbUseLME = choice.m_pUseLME;
    m_lbLoadModels = choice.m_pLoadModels;
    m_lbLoadModelEnsembles = choice.m_pLMEs;
    auto* pGroup = new QButtonGroup(this);
    pGroup->addButton(m_rbUseLoadModel);
    pGroup->addButton(m_rbUseLME);
    AddOkCancel(pLayout);

    connect(m_lbLoadModels, &CElementListBox::selChange, this,
            [this](int nRow) { CallHandlerGuarded([&] { OnLoadModelChanged(nRow); }); });
    connect(m_lbLoadModelEnsembles, &CElementListBox::selChange, this,
            [this](int nRow) { CallHandlerGuarded([&] { OnLMEChanged(nRow); }); });
    connect(m_rbUseLoadModel, &QRadioButton::clicked, this,
            [this] { CallHandlerGuarded([this] { UseLoadModel(true); }); });
    connect(m_rbUseLME, &QRadioButton::clicked, this, [this] { CallHandlerGuarded([this] { UseLoadModel(false); }); });
}

void CGenerateBiDirLME::OnInitDialog()
{
    m_lbLoadModels->Fill(m_vLoadModels);
    m_lbLoadModelEnsembles->Fill(m_vLoadModelEnsembles);
    // The row shown selected is the one chosen.
    m_lbLoadModels->SetCurSel(0);
    OnLoadModelChanged(m_vLoadModels.empty() ? -1 : 0);
    m_lbLoadModels->setFocus();
    m_rbUseLoadModel->setChecked(true);
    UseLoadModel(true);
    load();
}

void CGenerateBiDirLME::OnLoadModelChanged(int nRow)
{
    m_nSelLoadModel = nRow;
    m_pLoadModel = nRow >= 0 && nRow < static_cast<int>(m_vLoadModels.size()) ? m_vLoadModels[nRow] : nullptr;
    UpdateOk();
}

void CGenerateBiDirLME::OnLMEChanged(int nRow)
{
    m_nSelLME = nRow;
    m_pLME = nRow >= 0 && nRow < static_cast<int>(m_vLoadModelEnsembles.size()) ? m_vLoadModelEnsembles[nRow] : nullptr;
    UpdateOk();
}

void CGenerateBiDirLME::UseLoadModel(bool bUse)
{
    m_bUseLoadModel = bUse;
    m_lbLoadModels->setEnabled(bUse);
    m_lbLoadModelEnsembles->setEnabled(!bUse);
    // The list left clears its choice; the list taken up offers its first row.
    CElementListBox* pOff = bUse ? m_lbLoadModelEnsembles : m_lbLoadModels;
    CElementListBox* pOn = bUse ? m_lbLoadModels : m_lbLoadModelEnsembles;
    pOff->SetCurSel(-1);
    if (pOn->GetCurSel() < 0)
        pOn->SetCurSel(0);
    OnLoadModelChanged(m_lbLoadModels->GetCurSel());
    OnLMEChanged(m_lbLoadModelEnsembles->GetCurSel());
}

void CGenerateBiDirLME::UpdateOk()
{
    SetOkEnabled(m_bUseLoadModel ? m_pLoadModel != nullptr : m_pLME != nullptr);
}

BOOL CGenerateBiDirLME::Generate()
{
    if (m_bUseLoadModel && m_pLoadModel) {
        m_pResult = std::make_shared<CLoadModelEnsemble>(m_nNewID, L"Bi-dir from: " + m_pLoadModel->m_Description);
        AddBothDirections(*m_pResult, *m_pLoadModel);
        return TRUE;
    }
    if (!m_bUseLoadModel && m_pLME) {
        auto pResult = std::make_shared<CLoadModelEnsemble>(m_nNewID, L"Bi-dir from: " + m_pLME->m_Description);
        for (const auto& pModel : m_pLME->m_vLoadModel)
            AddBothDirections(*pResult, *pModel);
        if (pResult->m_nLoadModels == 0) {
            AfxMessageBox(L"The chosen load model ensemble holds no load models.", MB_OK | MB_ICONWARNING);
            return FALSE;
        }
        m_pResult = pResult;
        return TRUE;
    }
    return FALSE;
}

bool CGenerateBiDirLME::OnOK()
{
    return save() && Generate();
}
