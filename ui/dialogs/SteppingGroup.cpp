#include "ui/dialogs/SteppingGroup.h"

#include "ui/dialogs/DialogBase.h"
#include "ui/dialogs/ControlIds.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <cmath>

const CSteppingGroup::Ids CSteppingGroup::AnalysisIds = {IDC_USE_STEP,         IDC_USE_NUM_STEPS,  IDC_STEP_SIZE,
                                                         IDC_NUM_STEPS,        IDC_STEP_UNIT,      IDC_NUMBER_UNIT,
                                                         "Use step distance:", "Use no. of steps:"};

CSteppingGroup::CSteppingGroup(const QString& sTitle, const Ids& ids, bool* pbUseStep, double* pdStep, int* pnNumber,
                               QWidget* pParent)
    : QGroupBox(sTitle, pParent), m_pbUseStep(pbUseStep), m_pdStep(pdStep), m_pnNumber(pnNumber)
{
    m_pGrid = new QGridLayout(this);
    m_pStepRadio = new QRadioButton(QString::fromLatin1(ids.sStepRadio), this);
    m_pNumberRadio = new QRadioButton(QString::fromLatin1(ids.sNumberRadio), this);
    m_pStepEdit = new QLineEdit(this);
    m_pNumberEdit = new QLineEdit(this);
    m_pStepUnit = new QLabel(QStringLiteral("m"), this);
    m_pNumberUnit = new QLabel(QStringLiteral("#"), this);
    SetCtrlId(m_pStepRadio, ids.nStepRadio);
    SetCtrlId(m_pNumberRadio, ids.nNumberRadio);
    SetCtrlId(m_pStepEdit, ids.nStepEdit);
    SetCtrlId(m_pNumberEdit, ids.nNumberEdit);
    SetCtrlId(m_pStepUnit, ids.nStepUnit);
    SetCtrlId(m_pNumberUnit, ids.nNumberUnit);
    m_pGrid->addWidget(m_pStepRadio, 0, 0);
    m_pGrid->addWidget(m_pStepEdit, 0, 1);
    m_pGrid->addWidget(m_pStepUnit, 0, 2);
    m_pGrid->addWidget(m_pNumberRadio, 1, 0);
    m_pGrid->addWidget(m_pNumberEdit, 1, 1);
    m_pGrid->addWidget(m_pNumberUnit, 1, 2);
    m_pGrid->setColumnStretch(1, 1);

    // The forms start with both fields and units disabled.
    for (QWidget* w : {static_cast<QWidget*>(m_pStepEdit), static_cast<QWidget*>(m_pNumberEdit),
                       static_cast<QWidget*>(m_pStepUnit), static_cast<QWidget*>(m_pNumberUnit)})
        w->setEnabled(false);

    connect(m_pStepRadio, &QRadioButton::clicked, this, [this] { Choose(true); });
    connect(m_pNumberRadio, &QRadioButton::clicked, this, [this] { Choose(false); });
    connect(m_pStepEdit, &QLineEdit::textEdited, this, &CSteppingGroup::changed);
    connect(m_pNumberEdit, &QLineEdit::textEdited, this, &CSteppingGroup::changed);
}

void CSteppingGroup::ShowMethod()
{
    const bool bStep = *m_pbUseStep;
    (bStep ? m_pStepRadio : m_pNumberRadio)->setChecked(true);
    m_pStepUnit->setEnabled(bStep);
    m_pStepEdit->setEnabled(bStep);
    m_pNumberUnit->setEnabled(!bStep);
    m_pNumberEdit->setEnabled(!bStep);
}

void CSteppingGroup::Choose(bool bUseStep)
{
    *m_pbUseStep = bUseStep;
    ShowMethod();
    emit changed();
}

void CSteppingGroup::DoDataExchange(CDataExchange& dx)
{
    dx.Double(m_pStepEdit, *m_pdStep);
    dx.Int(m_pNumberEdit, *m_pnNumber);
}

void CSteppingGroup::Validate(CDataExchange& dx, const RealBound& step, const IntBound& number) const
{
    if (dx.Failed())
        return;
    if (*m_pbUseStep) {
        if (!InBound(step, *m_pdStep))
            dx.Fail(m_pStepEdit, BoundRefusal(step, *m_pdStep, L"The step") + L".");
    } else if (!InBound(number, *m_pnNumber)) {
        dx.Fail(m_pNumberEdit, BoundRefusal(number, *m_pnNumber, L"The number") + L".");
    }
}

void CSteppingGroup::DisableFields()
{
    for (QWidget* w : {static_cast<QWidget*>(m_pStepEdit), static_cast<QWidget*>(m_pNumberEdit)})
        w->setEnabled(false);
}

CSteppingDlg::CSteppingDlg(int nIDTemplate, const QString& sCaption, QWidget* pParent)
    : CQELDialog(nIDTemplate, sCaption, pParent)
{
    m_pStepping = new CSteppingGroup(QStringLiteral("Analysis Configuration"), CSteppingGroup::AnalysisIds,
                                     &m_Stepping.bByStep, &m_Stepping.step, &m_Stepping.nSteps, this);
    connect(m_pStepping, &CSteppingGroup::changed, this, &CSteppingDlg::OnFieldChange);
}

void CSteppingDlg::DoDataExchange(CDataExchange& dx)
{
    m_pStepping->DoDataExchange(dx);
}

bool CSteppingDlg::OnOK()
{
    // A step of 0 never reaches the end of the bridge.
    CDataExchange dx(true);
    DoDataExchange(dx);
    m_pStepping->Validate(dx, m_StepBound, m_NumberBound);
    return !dx.Failed();
}
