#include "ui/lmsheet/PropPageLMApplicable.h"

#include "core/loads/LoadModel.h"
#include "core/settings/Settings.h"
#include "platform/win/MessageBox.h"
#include "ui/dialogs/DialogBase.h"
#include "ui/dialogs/ControlIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <iterator>

namespace {
// Combo item -> rule code; the list order differs from the codes.
constexpr int kRuleOfItem[] = {BR_NONE,      BR_A36_UDL,           BR_A36_UDL_DLA, BR_A36_DLA,
                               BR_NAASRA_PL, BR_NAASRA_PL_A36_DLA, BR_ABDC_DLA,    BR_NAASRA_PL_ABDC_DLA,
                               BR_BS5400_UDL};
} // namespace

int CPropPageLMApplicable::RuleOfItem(int nItem)
{
    return nItem >= 0 && nItem < static_cast<int>(std::size(kRuleOfItem)) ? kRuleOfItem[nItem] : -1;
}

int CPropPageLMApplicable::ItemOfRule(int nRule)
{
    for (int i = 0; i < static_cast<int>(std::size(kRuleOfItem)); ++i)
        if (kRuleOfItem[i] == nRule)
            return i;
    return 0;
}

CPropPageLMApplicable::CPropPageLMApplicable(QWidget* pParent)
    : CPropertyPage(323, QStringLiteral("Applicability"), pParent),
      m_saRules({QStringLiteral("None"), QStringLiteral("A36 UDL variation"), QStringLiteral("A36 UDL variation + DLA"),
                 QStringLiteral("A36/NAASRA DLA"), QStringLiteral("NAASRA/ABDC Point Loads"),
                 QStringLiteral("NAASRA Point Loads + DLA"), QStringLiteral("ABDC DLA"),
                 QStringLiteral("ABDC Points Loads + DLA"), QStringLiteral("BS5400 UDL")}),
      m_edMinL(MakeNumericEdit(this, IDC_LM_MIN_LENGTH)),
      m_edMaxL(MakeNumericEdit(this, IDC_LM_MAX_LENGTH)),
      m_stMinUnit(new QLabel(QStringLiteral("m"), this)),
      m_stMaxUnit(new QLabel(QStringLiteral("m"), this)),
      m_chkBM(MakeCtrl<QCheckBox>(QStringLiteral("Bending moment"), IDC_LM_APPLIES_BM, this)),
      m_chkSF(MakeCtrl<QCheckBox>(QStringLiteral("Shear Force"), IDC_LM_APPLIES_SF, this)),
      m_chkR(MakeCtrl<QCheckBox>(QStringLiteral("Reactions"), IDC_LM_APPLIES_R, this)),
      m_chkUseMinL(MakeCtrl<QCheckBox>(QStringLiteral("Does not apply below length"), IDC_LM_USE_MIN_LENGTH, this)),
      m_chkUseMaxL(MakeCtrl<QCheckBox>(QStringLiteral("Does not apply above length"), IDC_LM_USE_MAX_LENGTH, this)),
      m_cbRules(new QComboBox(this)),
      m_minL(m_edMinL, &m_dMinL),
      m_maxL(m_edMaxL, &m_dMaxL)
{
    SetCtrlId(m_stMinUnit, IDC_LM_MIN_UNIT);
    SetCtrlId(m_stMaxUnit, IDC_LM_MAX_UNIT);
    SetCtrlId(m_cbRules, IDC_LM_RULES);

    auto* pLayout = new QVBoxLayout(this);
    auto* pEffects = new QGroupBox(QStringLiteral("Applies to"), this);
    auto* pEffectsLayout = new QVBoxLayout(pEffects);
    for (QCheckBox* p : {m_chkBM, m_chkSF, m_chkR})
        pEffectsLayout->addWidget(p);
    pLayout->addWidget(pEffects);

    auto* pLengths = new QGroupBox(QStringLiteral("Bridge length"), this);
    auto* pGrid = new QGridLayout(pLengths);
    pGrid->addWidget(m_chkUseMinL, 0, 0);
    pGrid->addWidget(m_edMinL, 0, 1);
    pGrid->addWidget(m_stMinUnit, 0, 2);
    pGrid->addWidget(m_chkUseMaxL, 1, 0);
    pGrid->addWidget(m_edMaxL, 1, 1);
    pGrid->addWidget(m_stMaxUnit, 1, 2);
    pLayout->addWidget(pLengths);

    auto* pRules = new QGroupBox(QStringLiteral("Bridge rule"), this);
    auto* pRulesLayout = new QVBoxLayout(pRules);
    pRulesLayout->addWidget(m_cbRules);
    pLayout->addWidget(pRules);
    pLayout->addStretch(1);

    const auto guarded = [this](void (CPropPageLMApplicable::*fn)()) {
        return [this, fn] { CallHandlerGuarded([this, fn] { (this->*fn)(); }); };
    };
    connect(m_chkUseMinL, &QCheckBox::clicked, this, guarded(&CPropPageLMApplicable::OnUseMinL));
    connect(m_chkUseMaxL, &QCheckBox::clicked, this, guarded(&CPropPageLMApplicable::OnUseMaxL));
    for (QCheckBox* p : {m_chkBM, m_chkSF, m_chkR})
        connect(p, &QCheckBox::clicked, this, guarded(&CPropPageLMApplicable::OnEffectToggled));
    connect(m_cbRules, &QComboBox::activated, this, guarded(&CPropPageLMApplicable::OnRuleChanged));
}

void CPropPageLMApplicable::SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel)
{
    m_pLoadModel = std::move(pLoadModel);
}

BOOL CPropPageLMApplicable::OnInitDialog()
{
    if (!m_pLoadModel)
        return FALSE;
    const CLoadModel& lm = *m_pLoadModel;
    const int nSpan = g_pSettings->General.DecimalPlaces.SPAN;
    ApplyDecimalPlaces(m_edMinL, nSpan);
    ApplyDecimalPlaces(m_edMaxL, nSpan);
    m_cbRules->addItems(m_saRules);
    m_cbRules->setCurrentIndex(lm.m_bAdjustToBridge ? ItemOfRule(lm.m_lmBridge) : 0);
    m_bUseMaxL = lm.m_bUseMaxL;
    if (m_bUseMaxL)
        m_dMaxL = lm.m_maxL;
    m_bUseMinL = lm.m_bUseMinL;
    if (m_bUseMinL)
        m_dMinL = lm.m_minL;
    m_bAppliesBM = lm.m_bAppliesBM;
    m_bAppliesSF = lm.m_bAppliesSF;
    m_bAppliesR = lm.m_bAppliesR;
    m_chkUseMaxL->setChecked(m_bUseMaxL);
    m_chkUseMinL->setChecked(m_bUseMinL);
    m_chkBM->setChecked(m_bAppliesBM);
    m_chkSF->setChecked(m_bAppliesSF);
    m_chkR->setChecked(m_bAppliesR);
    m_minL.Load();
    m_maxL.Load();
    EnableLengthFields();
    return TRUE;
}

void CPropPageLMApplicable::EnableLengthFields()
{
    m_edMinL->setEnabled(m_bUseMinL);
    m_stMinUnit->setEnabled(m_bUseMinL);
    m_edMaxL->setEnabled(m_bUseMaxL);
    m_stMaxUnit->setEnabled(m_bUseMaxL);
}

void CPropPageLMApplicable::OnUseMinL()
{
    m_bUseMinL = m_chkUseMinL->isChecked();
    EnableLengthFields();
}

void CPropPageLMApplicable::OnUseMaxL()
{
    m_bUseMaxL = m_chkUseMaxL->isChecked();
    EnableLengthFields();
}

void CPropPageLMApplicable::OnEffectToggled()
{
    m_bAppliesBM = m_chkBM->isChecked();
    m_bAppliesSF = m_chkSF->isChecked();
    m_bAppliesR = m_chkR->isChecked();
    if (!m_pLoadModel)
        return;
    m_pLoadModel->m_bAppliesBM = m_bAppliesBM;
    m_pLoadModel->m_bAppliesSF = m_bAppliesSF;
    m_pLoadModel->m_bAppliesR = m_bAppliesR;
}

void CPropPageLMApplicable::OnRuleChanged()
{
    if (!m_pLoadModel)
        return;
    const int nItem = static_cast<int>(m_saRules.indexOf(m_cbRules->currentText()));
    const int nRule = RuleOfItem(nItem);
    if (nRule < 0)
        return; // a text that names no rule leaves the rule as it was
    m_pLoadModel->m_lmBridge = static_cast<BridgeRule>(nRule);
    // A chosen rule is applied before each analysis; "None" applies nothing.
    m_pLoadModel->m_bAdjustToBridge = nRule != BR_NONE;
}

BOOL CPropPageLMApplicable::OnKillActive()
{
    if (!m_pLoadModel)
        return TRUE;
    m_minL.Save();
    m_maxL.Save();
    CLoadModel& lm = *m_pLoadModel;
    lm.m_bUseMinL = m_bUseMinL;
    lm.m_minL = m_bUseMinL ? m_dMinL : 0.0;
    lm.m_bUseMaxL = m_bUseMaxL;
    lm.m_maxL = m_bUseMaxL ? m_dMaxL : 10000.0;
    return TRUE;
}
