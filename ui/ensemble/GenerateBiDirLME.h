#pragma once
// "Generate Bidirectional LME": a new ensemble holding every chosen load model twice, once
// travelling in each direction. The chosen item is the row shown selected in the active
// list; OK stays disabled while that list has none.
#include "core/dialogdata/ElementDlgData.h"
#include "ui/dialogs/DialogBase.h"

#include <memory>
#include <vector>

class CElementListBox;
class CLoadModel;
class CLoadModelEnsemble;
class QRadioButton;

class CGenerateBiDirLME : public CQELDialog, public GenerateBiDirLMEDlgData {
    Q_OBJECT

public:
    explicit CGenerateBiDirLME(QWidget* pParent = nullptr);

    // TRUE when it made m_pResult.
    BOOL Generate();

    bool m_bUseLoadModel = true;
    CElementListBox* m_lbLoadModels;
    CElementListBox* m_lbLoadModelEnsembles;
    std::shared_ptr<CLoadModel> m_pLoadModel;
    std::shared_ptr<CLoadModelEnsemble> m_pLME;
    int m_nNewID = 0; // the id of the new ensemble
    QRadioButton* m_rbUseLoadModel;
    QRadioButton* m_rbUseLME;

protected:
    void OnInitDialog() override;
    bool OnOK() override;

private:
    void OnLoadModelChanged(int nRow);
    void OnLMEChanged(int nRow);
    void UseLoadModel(bool bUse);
    void UpdateOk();

    int m_nSelLoadModel = -1;
    int m_nSelLME = -1;
};

// The load model twice, appended to the ensemble: " - dir pos" travelling forward, then
// " - dir neg" travelling in reverse.
void AddBothDirections(CLoadModelEnsemble& ensemble, const CLoadModel& model);
