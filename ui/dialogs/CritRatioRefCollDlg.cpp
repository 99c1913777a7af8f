#include "ui/dialogs/CritRatioRefCollDlg.h"

#include "controls/edit/NumericEdit.h"
#include "core/settings/Settings.h"
#include "ui/dialogs/AnalysisDlgs.h"
#include "ui/dialogs/ElementList.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

CCritRatioRefCollDlg::CCritRatioRefCollDlg(QWidget* pParent)
    : CQELDialog(327, QStringLiteral("Make Critical Ratios"), pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pColumns = new QHBoxLayout;

    auto* pProposed = new QGroupBox(QStringLiteral("Proposed"), this);
    auto* pPropLayout = new QVBoxLayout(pProposed);
    m_radioUseLoadModel = new QRadioButton(QStringLiteral("Use Load Model"), pProposed);
    SetCtrlId(m_radioUseLoadModel, 1072);
    pPropLayout->addWidget(m_radioUseLoadModel);
    m_lbLoadModels = AddElementList(pPropLayout, QStringLiteral("Select load model:"), 1012, &m_nLoadModel, pProposed);
    m_radioUseLME = new QRadioButton(QStringLiteral("Use Load Model Ensemble"), pProposed);
    SetCtrlId(m_radioUseLME, 1073);
    pPropLayout->addWidget(m_radioUseLME);
    m_lbLoadModelEnsembles = AddElementList(pPropLayout, QStringLiteral("Select loadmodel ensemble:"), 1027,
                                            &m_nLoadModelEnsemble, pProposed);
    pColumns->addWidget(pProposed, 1);

    auto* pReference = new QGroupBox(QStringLiteral("Reference"), this);
    auto* pRefLayout = new QVBoxLayout(pReference);
    auto* pMultiplierRow = new QHBoxLayout;
    m_edMultiplier = new CNumericEdit(pReference);
    SetCtrlId(m_edMultiplier, 1048);
    pMultiplierRow->addWidget(new QLabel(QStringLiteral("Global multiplier:"), pReference));
    pMultiplierRow->addWidget(m_edMultiplier, 1);
    pRefLayout->addLayout(pMultiplierRow);
    m_lbRefCollections = AddElementList(pRefLayout, QStringLiteral("Select Reference Collection:"), 1043,
                                        &m_nRefCollection, pReference);
    pColumns->addWidget(pReference, 1);
    pLayout->addLayout(pColumns, 1);
    AddOkCancel(pLayout);

    connect(m_edMultiplier, &CNumericEdit::enChange, this, &CCritRatioRefCollDlg::OnFieldChange);
    connect(m_radioUseLoadModel, &QRadioButton::clicked, this, &CCritRatioRefCollDlg::OnUseLoadModel);
    connect(m_radioUseLME, &QRadioButton::clicked, this, &CCritRatioRefCollDlg::OnUseLoadModelEnsemble);
}

void CCritRatioRefCollDlg::OnInitDialog()
{
    m_lbLoadModels->Fill(m_vLoadModels);
    m_lbLoadModelEnsembles->Fill(m_vLoadModelEnsembles);
    m_lbRefCollections->Fill(m_vRefCollections);
    m_lbRefCollections->SetCurSel(0);
    m_lbLoadModelEnsembles->SetCurSel(0);
    m_lbLoadModels->SetCurSel(0);
    m_lbLoadModels->setFocus();
    m_lbLoadModelEnsembles->setEnabled(false);
    m_radioUseLoadModel->setChecked(true);
    m_bUseLoadModel = true;
    if (!m_edMultiplier->m_bShowLeadingZero) {
        m_edMultiplier->m_bShowLeadingZero = TRUE;
        m_edMultiplier->SetValue(m_edMultiplier->m_dValue);
    }
    const int nPlaces = CSettings::Instance().General.DecimalPlaces.FACTOR;
    if (nPlaces >= 0 && nPlaces != m_edMultiplier->GetDecimalDigitCount())
        m_edMultiplier->SetDecimalDigitCount(nPlaces);
    UpdateOk();
    load();
}

void CCritRatioRefCollDlg::DoDataExchange(CDataExchange& dx)
{
    if (dx.m_bSaveAndValidate)
        m_dMultiplier = m_edMultiplier->m_dValue;
    else
        m_edMultiplier->SetValue(m_dMultiplier);
}

void CCritRatioRefCollDlg::OnUseLoadModel()
{
    m_bUseLoadModel = true;
    m_lbLoadModelEnsembles->setEnabled(false);
    m_lbLoadModels->setEnabled(true);
    m_lbLoadModelEnsembles->SetCurSel(-1);
    UpdateOk();
}

void CCritRatioRefCollDlg::OnUseLoadModelEnsemble()
{
    m_bUseLoadModel = false;
    m_lbLoadModelEnsembles->setEnabled(true);
    m_lbLoadModels->setEnabled(false);
    m_lbLoadModels->SetCurSel(-1);
    UpdateOk();
}

void CCritRatioRefCollDlg::UpdateOk()
{
    SetOkEnabled(!m_vRefCollections.empty()
                 && (m_bUseLoadModel ? !m_vLoadModels.empty() : !m_vLoadModelEnsembles.empty()));
}
