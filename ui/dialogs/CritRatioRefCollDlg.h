#pragma once
// "Make Critical Ratios": the proposed vehicle (one load model or one ensemble), the
// reference collection to compare it with, and the global multiplier.
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "ui/dialogs/AnalysisDlgs.h"

#include <memory>
#include <vector>

class CElementListBox;
class CNumericEdit;
class QRadioButton;

class CCritRatioRefCollDlg : public CQELDialog
{
    Q_OBJECT

public:
    explicit CCritRatioRefCollDlg(QWidget* pParent = nullptr);

    bool m_bUseLoadModel = true;
    double m_dMultiplier = 1.0;
    int m_nRefCollection = 0;
    int m_nLoadModel = 0;
    int m_nLoadModelEnsemble = 0;
    std::vector<std::shared_ptr<CReferenceCollection>> m_vRefCollections;
    std::vector<std::shared_ptr<CLoadModel>> m_vLoadModels;
    std::vector<std::shared_ptr<CLoadModelEnsemble>> m_vLoadModelEnsembles;

    CElementListBox* m_lbLoadModels;
    CElementListBox* m_lbLoadModelEnsembles;
    CElementListBox* m_lbRefCollections;
    CNumericEdit* m_edMultiplier;
    QRadioButton* m_radioUseLoadModel;
    QRadioButton* m_radioUseLME;

    void OnUseLoadModel() { Choose(true); }
    void OnUseLoadModelEnsemble() { Choose(false); }

protected:
    void OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void Choose(bool bUseLoadModel);
    void UpdateOk();
    CLoadModelChoice m_choice;
};
