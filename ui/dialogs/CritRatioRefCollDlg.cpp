#include "ui/dialogs/CritRatioRefCollDlg.h"

#include "controls/edit/NumericEdit.h"
#include "core/settings/Settings.h"
#include "ui/dialogs/AnalysisDlgs.h"
#include "ui/dialogs/ElementList.h"
#include "ui/dialogs/ControlIds.h"

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
    m_choice.Add(pPropLayout, pProposed, QStringLiteral("Select load model:"), &m_nLoadModel, &m_nLoadModelEnsemble);
    m_radioUseLoadModel = m_choice.m_pUseLoadModel;
    m_radioUseLME = m_choice.m_pUseLME;
    m_lbLoadModels = m_choice.m_pLoadModels;
    m_lbLoadModelEnsembles = m_choice.m_pLMEs;
    pColumns->addWidget(pProposed, 1);

    auto* pReference = new QGroupBox(QStringLiteral("Reference"), this);
    auto* pRefLayout = new QVBoxLayout(pReference);
    auto* pMultiplierRow = new QHBoxLayout;
    m_edMultiplier = new CNumericEdit(pReference);
    SetCtrlId(m_edMultiplier, IDC_MULTIPLIER);
    pMultiplierRow->addWidget(new QLabel(QStringLiteral("Global multiplier:"), pReference));
    pMultiplierRow->addWidget(m_edMultiplier, 1);
    pRefLayout->addLayout(pMultiplierRow);
    m_lbRefCollections = AddElementList(pRefLayout, QStringLiteral("Select Reference Collection:"),
                                        IDC_LIST_REFCOLLECTIONS, &m_nRefCollection, pReference);
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
    m_choice.Open();
    m_bUseLoadModel = true;
    if (!m_edMultiplier->m_bShowLeadingZero) {
        m_edMultiplier->m_bShowLeadingZero = TRUE;
        m_edMultiplier->SetValue(m_edMultiplier->m_dValue);
    }
    const int nPlaces = g_pSettings->General.DecimalPlaces.FACTOR;
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

void CCritRatioRefCollDlg::Choose(bool bUseLoadModel)
{
    m_bUseLoadModel = bUseLoadModel;
    m_choice.Choose(bUseLoadModel);
    UpdateOk();
}

void CCritRatioRefCollDlg::UpdateOk()
{
    SetOkEnabled(!m_vRefCollections.empty() &&
                 (m_bUseLoadModel ? !m_vLoadModels.empty() : !m_vLoadModelEnsembles.empty()));
}
