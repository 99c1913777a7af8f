#pragma once
// The "Applicability" page: which load effects the load model counts for, the beam
// lengths it counts for and the design-code rule that re-shapes it for each bridge.
#include "ui/lmsheet/NumericBinding.h"
#include "ui/sheet/PropertyPage.h"

#include <QStringList>
#include <memory>

class CLoadModel;
class QCheckBox;
class QComboBox;
class QLabel;

class CPropPageLMApplicable : public CPropertyPage {
    Q_OBJECT

public:
    explicit CPropPageLMApplicable(QWidget* pParent = nullptr);

    void SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel);
    // The lengths typed last are read before they are written to the model.
    BOOL OnKillActive() override;

    // The rule a combo item stands for, and the item that shows a rule.
    static int RuleOfItem(int nItem);
    static int ItemOfRule(int nRule);

    std::shared_ptr<CLoadModel> m_pLoadModel;
    QStringList m_saRules;
    bool m_bAppliesBM = false;
    bool m_bAppliesSF = false;
    bool m_bAppliesR = false;
    bool m_bUseMinL = false;
    bool m_bUseMaxL = false;
    double m_dMinL = 0.0;
    double m_dMaxL = 10000.0;

    CNumericEdit* m_edMinL;
    CNumericEdit* m_edMaxL;
    QLabel* m_stMinUnit;
    QLabel* m_stMaxUnit;
    QCheckBox* m_chkBM;
    QCheckBox* m_chkSF;
    QCheckBox* m_chkR;
    QCheckBox* m_chkUseMinL;
    QCheckBox* m_chkUseMaxL;
    QComboBox* m_cbRules;

protected:
    BOOL OnInitDialog() override;

private:
    void OnUseMinL();
    void OnUseMaxL();
    void OnEffectToggled();
    void OnRuleChanged();
    void EnableLengthFields();

    CNumericBinding m_minL;
    CNumericBinding m_maxL;
};
