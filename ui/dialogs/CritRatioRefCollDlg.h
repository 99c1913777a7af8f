#pragma once
// "Make Critical Ratios": the proposed vehicle (one load model or one ensemble), the
// reference collection to compare it with, and the global multiplier.
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/dialogdata/AnalysisDlgData.h"
#include "core/reference/ReferenceCollection.h"
#include "ui/dialogs/AnalysisDlgs.h"

#include <memory>
#include <vector>

class CElementListBox;
class CNumericEdit;
class QRadioButton;

class CCritRatioRefCollDlg : public CQELDialog, public CritRatioRefCollDlgData {
    Q_OBJECT

public:
    explicit CCritRatioRefCollDlg(QWidget* pParent = nullptr);

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
