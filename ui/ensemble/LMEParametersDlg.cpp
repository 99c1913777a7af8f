#include "ui/ensemble/LMEParametersDlg.h"

#include "controls/edit/NumericEdit.h"
#include "core/settings/Settings.h"
#include "ui/lmsheet/NumericBinding.h"
#include "ui/dialogs/ControlIds.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

namespace {
// Whole numbers are kept as the field shows them, cut towards zero.
int Truncated(double dValue)
{
    return static_cast<int>(std::trunc(dValue));
}
} // namespace

CLMEParametersDlg::CLMEParametersDlg(QWidget* pParent) : CQELDialog(342, QStringLiteral("LME Parameters"), pParent)
{
    auto* pLayout = new QVBoxLayout(this);

    auto* pDAF = new QGroupBox(QStringLiteral("Dynamic Amplification Factor"), this);
    auto* pDAFGrid = new QGridLayout(pDAF);
    m_rbUseLMDAF = MakeCtrl<QRadioButton>(QStringLiteral("Use load model DAF"), IDC_USE_LM_DAF, pDAF);
    m_rbSpecifyDAF = MakeCtrl<QRadioButton>(QStringLiteral("Specify DAF value:"), IDC_SPECIFY_DAF, pDAF);
    m_edDAF = MakeNumericEdit(pDAF, IDC_DAF);
    pDAFGrid->addWidget(m_rbUseLMDAF, 0, 0, 1, 2);
    pDAFGrid->addWidget(m_rbSpecifyDAF, 1, 0);
    pDAFGrid->addWidget(m_edDAF, 1, 1);
    auto* pDAFGroup = new QButtonGroup(pDAF);
    pDAFGroup->addButton(m_rbUseLMDAF);
    pDAFGroup->addButton(m_rbSpecifyDAF);
    pLayout->addWidget(pDAF);

    auto* pAxle = new QGroupBox(QStringLiteral("Variable Axle"), this);
    auto* pAxleGrid = new QGridLayout(pAxle);
    m_rbStep = MakeCtrl<QRadioButton>(QStringLiteral("Use step distance:"), IDC_USE_STEP, pAxle);
    m_edStep = MakeNumericEdit(pAxle, IDC_STEP_SIZE);
    m_stStepUnit = MakeCtrl<QLabel>(QStringLiteral("m"), IDC_STEP_UNIT, pAxle);
    m_rbNumber = MakeCtrl<QRadioButton>(QStringLiteral("Use number:"), IDC_USE_NUM_STEPS, pAxle);
    m_edNumber = MakeNumericEdit(pAxle, IDC_NUM_STEPS);
    m_stNumberUnit = MakeCtrl<QLabel>(QStringLiteral("#"), IDC_NUMBER_UNIT, pAxle);
    pAxleGrid->addWidget(m_rbStep, 0, 0);
    pAxleGrid->addWidget(m_edStep, 0, 1);
    pAxleGrid->addWidget(m_stStepUnit, 0, 2);
    pAxleGrid->addWidget(m_rbNumber, 1, 0);
    pAxleGrid->addWidget(m_edNumber, 1, 1);
    pAxleGrid->addWidget(m_stNumberUnit, 1, 2);
    auto* pAxleGroup = new QButtonGroup(pAxle);
    pAxleGroup->addButton(m_rbStep);
    pAxleGroup->addButton(m_rbNumber);
    pLayout->addWidget(pAxle);

    auto* pBS = new QGroupBox(QStringLiteral("BS5400"), this);
    auto* pBSGrid = new QGridLayout(pBS);
    m_stHBUnits = MakeCtrl<QLabel>(QStringLiteral("Number of HB units:"), IDC_HB_UNITS_LABEL, pBS);
    m_edHBUnits = MakeNumericEdit(pBS, IDC_HB_UNITS);
    pBSGrid->addWidget(m_stHBUnits, 0, 0);
    pBSGrid->addWidget(m_edHBUnits, 0, 1);
    pLayout->addWidget(pBS);
    AddOkCancel(pLayout);

    for (CNumericEdit* p : {m_edStep, m_edNumber, m_edDAF, m_edHBUnits})
        connect(p, &CMaskEdit::enChange, this, &CLMEParametersDlg::OnFieldChange);
    const auto guarded = [this](void (CLMEParametersDlg::*fn)()) {
        return [this, fn] { CallHandlerGuarded([this, fn] { (this->*fn)(); }); };
    };
    connect(m_rbStep, &QRadioButton::clicked, this, guarded(&CLMEParametersDlg::OnStep));
    connect(m_rbNumber, &QRadioButton::clicked, this, guarded(&CLMEParametersDlg::OnNumber));
    connect(m_rbUseLMDAF, &QRadioButton::clicked, this, guarded(&CLMEParametersDlg::OnUseLMDAF));
    connect(m_rbSpecifyDAF, &QRadioButton::clicked, this, guarded(&CLMEParametersDlg::OnSpecifyDAF));
}

void CLMEParametersDlg::OnInitDialog()
{
    ApplyDecimalPlaces(m_edStep, g_pSettings->General.DecimalPlaces.DISTANCE);
    m_edNumber->SetDecimalDigitCount(0);
    m_edHBUnits->SetDecimalDigitCount(0);
    if (m_bVariableAxle) {
        (m_bByStep ? m_rbStep : m_rbNumber)->setChecked(true);
        EnableStepping();
    } else {
        for (QWidget* p :
             std::initializer_list<QWidget*>{m_rbStep, m_rbNumber, m_edStep, m_edNumber, m_stStepUnit, m_stNumberUnit})
            p->setEnabled(false);
    }
    m_rbUseLMDAF->setChecked(true);
    m_bUseLMDAF = true;
    m_edDAF->setEnabled(false);
    m_stHBUnits->setEnabled(m_bBS5400);
    m_edHBUnits->setEnabled(m_bBS5400);
    load();
}

void CLMEParametersDlg::DoDataExchange(CDataExchange& dx)
{
    if (dx.m_bSaveAndValidate) {
        m_dStep = m_edStep->m_dValue;
        m_nSteps = Truncated(m_edNumber->m_dValue);
        m_dDAF = m_edDAF->m_dValue;
        m_nHBUnits = Truncated(m_edHBUnits->m_dValue);
    } else {
        m_edStep->SetValue(m_dStep);
        m_edNumber->SetValue(m_nSteps);
        m_edDAF->SetValue(m_dDAF);
        m_edHBUnits->SetValue(m_nHBUnits);
    }
}

bool CLMEParametersDlg::OnOK()
{
    CDataExchange dx(true);
    DoDataExchange(dx);
    // Only what the chosen options use is checked: the other fields keep their defaults.
    if (m_bVariableAxle && m_bByStep && !(m_dStep > 0.0))
        dx.Fail(m_edStep, L"The step distance must be greater than zero.");
    else if (m_bVariableAxle && !m_bByStep && m_nSteps < 2)
        dx.Fail(m_edNumber, L"The number of axle spacings must be at least 2.");
    else if (!m_bUseLMDAF && !(m_dDAF > 0.0))
        dx.Fail(m_edDAF, L"The DAF value must be greater than zero.");
    else if (m_bBS5400 && m_nHBUnits < 1)
        dx.Fail(m_edHBUnits, L"The number of HB units must be at least 1.");
    return !dx.Failed();
}

void CLMEParametersDlg::EnableStepping()
{
    m_stStepUnit->setEnabled(m_bByStep);
    m_edStep->setEnabled(m_bByStep);
    m_stNumberUnit->setEnabled(!m_bByStep);
    m_edNumber->setEnabled(!m_bByStep);
}

void CLMEParametersDlg::OnStep()
{
    m_bByStep = true;
    EnableStepping();
}

void CLMEParametersDlg::OnNumber()
{
    m_bByStep = false;
    EnableStepping();
}

void CLMEParametersDlg::OnUseLMDAF()
{
    m_bUseLMDAF = true;
    m_edDAF->setEnabled(false);
}

void CLMEParametersDlg::OnSpecifyDAF()
{
    m_bUseLMDAF = false;
    m_edDAF->setEnabled(true);
}
