#include "ui/lmsheet/PropPageLMOverview.h"

#include "core/loads/LoadModel.h"
#include "core/settings/Settings.h"
#include "platform/win/MessageBox.h"
#include "ui/dialogs/DialogBase.h"
#include "ui/dialogs/ControlIds.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QGroupBox* RadioPair(QWidget* pParent, QRadioButton* pFirst, QRadioButton* pSecond)
{
    auto* pBox = new QGroupBox(pParent);
    auto* pLayout = new QVBoxLayout(pBox);
    pLayout->addWidget(pFirst);
    pLayout->addWidget(pSecond);
    auto* pGroup = new QButtonGroup(pBox);
    pGroup->addButton(pFirst);
    pGroup->addButton(pSecond);
    return pBox;
}
} // namespace

CPropPageLMOverview::CPropPageLMOverview(QWidget* pParent)
    : CPropertyPage(319, QStringLiteral("Overview"), pParent),
      m_edDescription(new QLineEdit(this)),
      m_edID(new QLineEdit(this)),
      m_chkEditable(new QCheckBox(QStringLiteral("Is Editable?"), this)),
      m_rbStationary(MakeCtrl<QRadioButton>(QStringLiteral("Stationary load model"), IDC_LM_STATIONARY, this)),
      m_rbMoving(MakeCtrl<QRadioButton>(QStringLiteral("Moving load model"), IDC_LM_MOVING, this)),
      m_rbPositive(MakeCtrl<QRadioButton>(QStringLiteral("Positive (Left to right)"), IDC_LM_POSITIVE, this)),
      m_rbNegative(MakeCtrl<QRadioButton>(QStringLiteral("Negative (Right to left)"), IDC_LM_NEGATIVE, this))
{
    SetCtrlId(m_edDescription, IDC_DESCRIPTION);
    SetCtrlId(m_edID, IDC_ITEM_ID);
    SetCtrlId(m_chkEditable, IDC_LM_EDITABLE);
    m_edID->setEnabled(false);
    m_chkEditable->setEnabled(false);
    m_drawCtrl.Create(L"DrawCtrl", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 320, 140), this, IDC_LM_DRAWING);
    m_drawCtrl.GetSafeHwnd()->setMinimumSize(320, 140);

    auto* pLayout = new QVBoxLayout(this);
    auto* pForm = new QFormLayout;
    pForm->addRow(QStringLiteral("Description:"), m_edDescription);
    pForm->addRow(QStringLiteral("ID:"), m_edID);
    pForm->addRow(QString(), m_chkEditable);
    pLayout->addLayout(pForm);
    auto* pRadios = new QHBoxLayout;
    pRadios->addWidget(RadioPair(this, m_rbStationary, m_rbMoving));
    pRadios->addWidget(RadioPair(this, m_rbPositive, m_rbNegative));
    pLayout->addLayout(pRadios);
    pLayout->addWidget(m_drawCtrl.GetSafeHwnd(), 1);

    connect(m_edDescription, &QLineEdit::textEdited, this,
            [this] { CallHandlerGuarded([this] { OnDescriptionChanged(); }); });
    connect(m_rbStationary, &QRadioButton::clicked, this, [this] { CallHandlerGuarded([this] { SetMoving(false); }); });
    connect(m_rbMoving, &QRadioButton::clicked, this, [this] { CallHandlerGuarded([this] { SetMoving(true); }); });
    connect(m_rbPositive, &QRadioButton::clicked, this, [this] { CallHandlerGuarded([this] { SetDirection(0); }); });
    connect(m_rbNegative, &QRadioButton::clicked, this, [this] { CallHandlerGuarded([this] { SetDirection(1); }); });
}

void CPropPageLMOverview::SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel)
{
    m_pLoadModel = std::move(pLoadModel);
    if (!m_pLoadModel)
        return;
    m_sDescription = m_pLoadModel->m_Description;
    m_nID = m_pLoadModel->m_ID;
    m_bIsEditable = m_pLoadModel->m_bIsEditable;
}

BOOL CPropPageLMOverview::OnInitDialog()
{
    if (!m_pLoadModel)
        return FALSE;
    CLoadModel& lm = *m_pLoadModel;
    m_drawCtrl.SetLoadModel(m_pLoadModel);
    m_drawCtrl.m_crBackground = g_pSettings->General.LoadModel.CLR_LM_BGRND;
    // A pure lane load is analysed at one position.
    if (lm.m_vPL.empty() && lm.m_vPUDL.empty() && !lm.m_vUDL.empty())
        lm.m_bIsMoving = false;
    (lm.m_bIsMoving ? m_rbMoving : m_rbStationary)->setChecked(true);
    (lm.m_Direction == TD_REVERSE ? m_rbNegative : m_rbPositive)->setChecked(true);
    Load();
    return TRUE;
}

void CPropPageLMOverview::Load()
{
    m_edDescription->setText(QString::fromStdWString(m_sDescription));
    m_edID->setText(QString::number(m_nID));
    m_chkEditable->setChecked(m_bIsEditable);
}

BOOL CPropPageLMOverview::OnSetActive()
{
    m_drawCtrl.Invalidate(FALSE);
    return TRUE;
}

BOOL CPropPageLMOverview::OnKillActive()
{
    if (m_pLoadModel)
        OnDescriptionChanged();
    return TRUE;
}

void CPropPageLMOverview::OnDescriptionChanged()
{
    if (!m_pLoadModel)
        return;
    m_sDescription = m_edDescription->text().toStdWString();
    m_pLoadModel->m_Description = m_sDescription;
}

void CPropPageLMOverview::SetMoving(bool bMoving)
{
    if (!m_pLoadModel)
        return;
    m_pLoadModel->m_bIsMoving = bMoving;
    RedrawSketch();
}

void CPropPageLMOverview::SetDirection(int nDirection)
{
    if (!m_pLoadModel)
        return;
    m_pLoadModel->m_Direction = nDirection == 1 ? TD_REVERSE : TD_FORWARD;
    RedrawSketch();
}

void CPropPageLMOverview::RedrawSketch()
{
    m_drawCtrl.Redraw();
}
