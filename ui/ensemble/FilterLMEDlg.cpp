#include "ui/ensemble/FilterLMEDlg.h"

#include "controls/edit/NumericEdit.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/settings/Settings.h"
#include "ui/dialogs/AnalysisDlgs.h"
#include "ui/dialogs/ElementList.h"
#include "ui/lmsheet/NumericBinding.h"
#include "ui/dialogs/ControlIds.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

namespace {
// One bound of a filter: its check box, field and unit in a row of the group's grid.
void AddBoundRow(QGridLayout* pGrid, int nRow, QWidget* pParent, QCheckBox*& pCheck, int nCheckID, CNumericEdit*& pEdit,
                 int nEditID, QLabel*& pUnit, int nUnitID, const QString& sText, const QString& sUnit)
{
    pCheck = new QCheckBox(sText, pParent);
    SetCtrlId(pCheck, nCheckID);
    pEdit = MakeNumericEdit(pParent, nEditID);
    pUnit = new QLabel(sUnit, pParent);
    SetCtrlId(pUnit, nUnitID);
    pGrid->addWidget(pCheck, nRow, 0);
    pGrid->addWidget(pEdit, nRow, 1);
    pGrid->addWidget(pUnit, nRow, 2);
}
} // namespace

CFilterLMEDlg::CFilterLMEDlg(QWidget* pParent) : CQELDialog(347, QStringLiteral("Filter Load Model Ensemble"), pParent)
{
    auto* pLayout = new QHBoxLayout(this);
    auto* pLeft = new QVBoxLayout;
    m_lbLoadModelEnsembles = AddElementList(pLeft, QStringLiteral("Select Load Model Ensemble:"), IDC_LIST_LMES,
                                            &m_nLoadModelEnsemble, this);
    auto* pResult = new QGroupBox(QStringLiteral("Filtered LME"), this);
    auto* pResultLayout = new QVBoxLayout(pResult);
    m_rbCreateNew = new QRadioButton(QStringLiteral("Create new LME"), pResult);
    m_rbEditCurrent = new QRadioButton(QStringLiteral("Edit current LME"), pResult);
    SetCtrlId(m_rbCreateNew, IDC_CREATE_NEW);
    SetCtrlId(m_rbEditCurrent, IDC_EDIT_CURRENT);
    pResultLayout->addWidget(m_rbCreateNew);
    pResultLayout->addWidget(m_rbEditCurrent);
    pLeft->addWidget(pResult);
    pLayout->addLayout(pLeft, 1);

    auto* pRight = new QVBoxLayout;
    auto* pFilters = new QGroupBox(QStringLiteral("Filters"), this);
    auto* pFiltersLayout = new QVBoxLayout(pFilters);
    auto* pLength = new QGroupBox(QStringLiteral("Length"), pFilters);
    auto* pLengthGrid = new QGridLayout(pLength);
    AddBoundRow(pLengthGrid, 0, pLength, m_chkMinLength, IDC_USE_MIN_LENGTH, m_edMinLength, IDC_MIN_LENGTH,
                m_stMinLengthUnit, IDC_MIN_LENGTH_UNIT, QStringLiteral("Apply minimum of:"), QStringLiteral("m"));
    AddBoundRow(pLengthGrid, 1, pLength, m_chkMaxLength, IDC_USE_MAX_LENGTH, m_edMaxLength, IDC_MAX_LENGTH,
                m_stMaxLengthUnit, IDC_MAX_LENGTH_UNIT, QStringLiteral("Apply maximum of:"), QStringLiteral("m"));
    auto* pWeight = new QGroupBox(QStringLiteral("Weight"), pFilters);
    auto* pWeightGrid = new QGridLayout(pWeight);
    AddBoundRow(pWeightGrid, 0, pWeight, m_chkMinWeight, IDC_USE_MIN_WEIGHT, m_edMinWeight, IDC_MIN_WEIGHT,
                m_stMinWeightUnit, IDC_MIN_WEIGHT_UNIT, QStringLiteral("Apply minimum of:"), QStringLiteral("t"));
    AddBoundRow(pWeightGrid, 1, pWeight, m_chkMaxWeight, IDC_USE_MAX_WEIGHT, m_edMaxWeight, IDC_MAX_WEIGHT,
                m_stMaxWeightUnit, IDC_MAX_WEIGHT_UNIT, QStringLiteral("Apply maximum of:"), QStringLiteral("t"));
    pFiltersLayout->addWidget(pLength);
    pFiltersLayout->addWidget(pWeight);
    pRight->addWidget(pFilters);
    pRight->addStretch(1);
    AddOkCancel(pRight);
    pLayout->addLayout(pRight);

    auto* pGroup = new QButtonGroup(this);
    pGroup->addButton(m_rbCreateNew);
    pGroup->addButton(m_rbEditCurrent);
    connect(m_rbCreateNew, &QRadioButton::clicked, this, [this] { m_bCreateNew = true; });
    connect(m_rbEditCurrent, &QRadioButton::clicked, this, [this] { m_bCreateNew = false; });
    for (QCheckBox* p : {m_chkMinLength, m_chkMaxLength, m_chkMinWeight, m_chkMaxWeight})
        connect(p, &QCheckBox::clicked, this, [this] { CallHandlerGuarded([this] { OnBoundToggled(); }); });
    for (CNumericEdit* p : {m_edMinLength, m_edMaxLength, m_edMinWeight, m_edMaxWeight})
        connect(p, &CMaskEdit::enChange, this, &CFilterLMEDlg::OnFieldChange);
    connect(m_lbLoadModelEnsembles, &CElementListBox::selChange, this,
            [this](int nRow) { CallHandlerGuarded([&] { OnEnsembleChanged(nRow); }); });
}

void CFilterLMEDlg::OnInitDialog()
{
    m_lbLoadModelEnsembles->Fill(m_vLoadModelEnsembles);
    m_lbLoadModelEnsembles->SetCurSel(0);
    // The row shown selected is the one chosen.
    OnEnsembleChanged(m_vLoadModelEnsembles.empty() ? -1 : 0);
    m_rbCreateNew->setChecked(true);
    m_bCreateNew = true;
    const int nDistance = g_pSettings->General.DecimalPlaces.DISTANCE;
    ApplyDecimalPlaces(m_edMinLength, nDistance);
    ApplyDecimalPlaces(m_edMaxLength, nDistance);
    m_edMinWeight->SetDecimalDigitCount(0);
    m_edMaxWeight->SetDecimalDigitCount(0);
    m_bApplyMinLength = m_bApplyMaxLength = m_bApplyMinWeight = m_bApplyMaxWeight = false;
    OnBoundToggled();
    load();
}

void CFilterLMEDlg::DoDataExchange(CDataExchange& dx)
{
    struct Field {
        CNumericEdit* pEdit;
        double* pValue;
    };
    for (const Field& f : {Field{m_edMinLength, &m_dMinLength}, Field{m_edMaxLength, &m_dMaxLength},
                           Field{m_edMinWeight, &m_dMinWeight}, Field{m_edMaxWeight, &m_dMaxWeight}}) {
        if (dx.m_bSaveAndValidate)
            *f.pValue = f.pEdit->m_dValue;
        else
            f.pEdit->SetValue(*f.pValue);
    }
}

void CFilterLMEDlg::OnEnsembleChanged(int nRow)
{
    m_nLoadModelEnsemble = nRow;
    m_pLME = nRow >= 0 && nRow < static_cast<int>(m_vLoadModelEnsembles.size()) ? m_vLoadModelEnsembles[nRow] : nullptr;
    SetOkEnabled(m_pLME != nullptr);
}

void CFilterLMEDlg::OnBoundToggled()
{
    m_bApplyMinLength = m_chkMinLength->isChecked();
    m_bApplyMaxLength = m_chkMaxLength->isChecked();
    m_bApplyMinWeight = m_chkMinWeight->isChecked();
    m_bApplyMaxWeight = m_chkMaxWeight->isChecked();
    m_edMinLength->setEnabled(m_bApplyMinLength);
    m_stMinLengthUnit->setEnabled(m_bApplyMinLength);
    m_edMaxLength->setEnabled(m_bApplyMaxLength);
    m_stMaxLengthUnit->setEnabled(m_bApplyMaxLength);
    m_edMinWeight->setEnabled(m_bApplyMinWeight);
    m_stMinWeightUnit->setEnabled(m_bApplyMinWeight);
    m_edMaxWeight->setEnabled(m_bApplyMaxWeight);
    m_stMaxWeightUnit->setEnabled(m_bApplyMaxWeight);
}

double CFilterLMEDlg::Weight(const CLoadModel& model)
{
    double dWeight = 0.0;
    for (const CLoadModel::PointLoad& pl : model.m_vPL)
        dWeight += pl.magnitude;
    return dWeight;
}

double CFilterLMEDlg::Length(const CLoadModel& model)
{
    return model.m_vPL.size() < 2 ? 0.0 : std::fabs(model.m_vPL.back().location - model.m_vPL.front().location);
}

bool CFilterLMEDlg::Passes(const CLoadModel& model) const
{
    const double L = Length(model);
    const double W = Weight(model);
    return !(m_bApplyMinLength && L < m_dMinLength) && !(m_bApplyMaxLength && L > m_dMaxLength) &&
           !(m_bApplyMinWeight && W < m_dMinWeight) && !(m_bApplyMaxWeight && W > m_dMaxWeight);
}

void CFilterLMEDlg::Filter(CLoadModelEnsemble& ensemble) const
{
    unsigned i = 0;
    while (i < static_cast<unsigned>(ensemble.m_nLoadModels)) {
        if (Passes(*ensemble.GetLoadModel(i)))
            ++i;
        else
            ensemble.RemoveLoadModel(i);
    }
}

BOOL CFilterLMEDlg::DoFilter()
{
    if (!m_pLME)
        return FALSE;
    CDataExchange dx(true);
    if (m_bApplyMinLength && m_bApplyMaxLength && m_dMinLength > m_dMaxLength)
        dx.Fail(m_edMinLength, L"The minimum length must not exceed the maximum length.");
    else if (m_bApplyMinWeight && m_bApplyMaxWeight && m_dMinWeight > m_dMaxWeight)
        dx.Fail(m_edMinWeight, L"The minimum weight must not exceed the maximum weight.");
    else {
        bool bAnyPasses = false;
        for (const auto& pModel : m_pLME->m_vLoadModel)
            bAnyPasses = bAnyPasses || Passes(*pModel);
        if (!bAnyPasses)
            dx.Fail(nullptr, L"No load model of the ensemble lies within the filters.");
    }
    if (dx.Failed())
        return FALSE;
    if (m_bCreateNew) {
        auto pResult = std::make_shared<CLoadModelEnsemble>(*m_pLME);
        pResult->m_Description = L"Filtered from: " + m_pLME->m_Description;
        pResult->m_ID = m_nNewID;
        Filter(*pResult);
        m_pResult = pResult;
        return TRUE;
    }
    if (AfxMessageBox(L"Are you sure you want to edit the selected load model?", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    Filter(*m_pLME);
    return TRUE;
}

bool CFilterLMEDlg::OnOK()
{
    return save() && DoFilter();
}
