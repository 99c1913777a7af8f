#include "ui/dialogs/BridgeSetDlg.h"

#include "ui/dialogs/SteppingGroup.h"
#include "ui/dialogs/ControlIds.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>
#include <stdexcept>

namespace {
const CSteppingGroup::Ids kNumberIds = {IDC_BY_STEP,   IDC_BY_NUMBER,   IDC_RANGE_STEP, IDC_RANGE_NUMBER,
                                        IDC_STEP_UNIT, IDC_NUMBER_UNIT, "By step:",     "By number:"};
}

CBridgeSetDlg::CBridgeSetDlg(QWidget* pParent)
    : CQELDialog(313, QStringLiteral("Add Bridge Set"), pParent), m_config(this, &m_nConfig)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pForm = new QFormLayout;
    AddDescriptionAndId(pForm, this, QStringLiteral("Description of this set of bridges:"), m_editDescription,
                        m_editID);
    pLayout->addLayout(pForm);
    pLayout->addWidget(m_config.Group());

    auto* pRange = new QGroupBox(QStringLiteral("Span range"), this);
    auto* pRangeForm = new QFormLayout(pRange);
    m_editStartL = new QLineEdit(pRange);
    m_editEndL = new QLineEdit(pRange);
    SetCtrlId(m_editStartL, IDC_START_LENGTH);
    SetCtrlId(m_editEndL, IDC_END_LENGTH);
    pRangeForm->addRow(QStringLiteral("From (m)"), m_editStartL);
    pRangeForm->addRow(QStringLiteral("To (m)"), m_editEndL);
    pLayout->addWidget(pRange);

    m_pNumberGroup = new CSteppingGroup(QStringLiteral("Number of bridges"), kNumberIds, &m_bUseStep, &m_dStep,
                                        &m_nNumBridges, this);
    pLayout->addWidget(m_pNumberGroup);
    AddOkCancel(pLayout);

    ConnectChange(m_editDescription);
    ConnectChange(m_editStartL);
    ConnectChange(m_editEndL);
    connect(m_pNumberGroup, &CSteppingGroup::changed, this, &CBridgeSetDlg::OnFieldChange);
    connect(m_config.Buttons(), &QButtonGroup::idClicked, this, [this](int n) { m_nConfig = n; });
}

void CBridgeSetDlg::SetBridgeSet(std::shared_ptr<CBridgeSet> pBridgeSet)
{
    m_spBridgeSet = std::move(pBridgeSet);
    m_sDescription = m_spBridgeSet->GetDescription();
    m_nID = m_spBridgeSet->m_ID;
    m_dStartL = m_spBridgeSet->m_StartL;
    m_dEndL = m_spBridgeSet->m_EndL;
    m_dStep = m_spBridgeSet->m_Step;
    m_nNumBridges = m_spBridgeSet->m_nBridge;
    m_bUseStep = m_spBridgeSet->m_bByStep;
    m_nConfig = m_spBridgeSet->m_Config;
}

std::shared_ptr<CBridgeSet> CBridgeSetDlg::GetBridgeSet() const
{
    return m_spBridgeSet ? std::make_shared<CBridgeSet>(*m_spBridgeSet) : nullptr;
}

void CBridgeSetDlg::OnInitDialog()
{
    m_config.ShowConfig();
    m_pNumberGroup->ShowMethod();
    m_bCanEdit = m_spBridgeSet ? m_spBridgeSet->m_bIsEditable : true;
    m_editDescription->setEnabled(m_bCanEdit);
    m_editStartL->setEnabled(m_bCanEdit);
    m_editEndL->setEnabled(m_bCanEdit);
    if (!m_bCanEdit)
        m_pNumberGroup->DisableFields();
    load();
}

void CBridgeSetDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(m_editDescription, m_sDescription);
    dx.Int(m_editID, m_nID);
    dx.Double(m_editStartL, m_dStartL);
    dx.Double(m_editEndL, m_dEndL);
    m_pNumberGroup->DoDataExchange(dx);
}

// A step of 0 divides by zero and fewer than two bridges leave an empty span list in
// the set's generation: both are refused here, where the user can still mend them.
bool CBridgeSetDlg::CheckGeometry()
{
    CDataExchange dx(true);
    if (!InBound(Bounds::Span, m_dStartL)) {
        dx.Fail(m_editStartL, BoundRefusal(Bounds::Span, m_dStartL, L"The start span length") + L".");
        return false;
    }
    if (!InBound(Bounds::Span, m_dEndL)) {
        dx.Fail(m_editEndL, BoundRefusal(Bounds::Span, m_dEndL, L"The end span length") + L".");
        return false;
    }
    m_pNumberGroup->Validate(dx, Bounds::BridgeSetStep, IntBound{2, Bounds::BridgesPerSet.hi});
    if (dx.Failed())
        return false;
    if (m_bUseStep && !(m_dEndL >= m_dStartL + m_dStep)) {
        dx.Fail(m_editEndL, L"The end span length must be at least the start span length plus one step.");
        return false;
    }
    if (!m_bUseStep && !(m_dEndL >= m_dStartL)) {
        dx.Fail(m_editEndL, L"The end span length must not be below the start span length.");
        return false;
    }
    return true;
}

bool CBridgeSetDlg::OnOK()
{
    if (!save())
        return false;
    if (!m_bCanEdit)
        return true;
    if (!CheckGeometry())
        return false;
    try {
        const auto config = static_cast<BridgeConfig>(m_nConfig);
        m_spBridgeSet =
            m_bUseStep ? std::make_shared<CBridgeSet>(m_nID, m_sDescription, config, m_dStartL, m_dEndL, m_dStep)
                       : std::make_shared<CBridgeSet>(m_nID, m_sDescription, m_nNumBridges, config, m_dStartL, m_dEndL);
    } catch (const std::runtime_error& e) {
        ShowRefusal(e);
        return false;
    }
    return true;
}
