#pragma once
// The dialogs that collect the inputs of an analysis or of the result display. The caller
// fills the element vectors (and the stepping) before DoModal and reads the indices and
// values after IDOK. OK stays disabled while a list the analysis needs is empty, so an
// index never points into an empty list.
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/dialogdata/AnalysisDlgData.h"
#include "ui/dialogs/SteppingGroup.h"

#include <memory>
#include <vector>

class CElementListBox;
class QBoxLayout;
class QCheckBox;
class QRadioButton;

// The proposed item of an analysis: one load model ("Use Load Model", radio
// IDC_USE_LOADMODEL over IDC_LIST_LOADMODELS) or one ensemble ("Use Load Model Ensemble",
// radio IDC_USE_LME over IDC_LIST_LMES).
class CLoadModelChoice {
public:
    // Adds both radios and lists to pLayout; the lists write the two index members.
    void Add(QBoxLayout* pLayout, QWidget* pParent, const QString& sLoadModelLabel, int* pnLoadModel, int* pnLME);
    // How the dialogs open: first rows selected, load models chosen, ensembles disabled.
    void Open();
    // Enables the chosen kind's list and clears the other's selection (the index keeps
    // the row last clicked).
    void Choose(bool bUseLoadModel);

    QRadioButton* m_pUseLoadModel = nullptr;
    QRadioButton* m_pUseLME = nullptr;
    CElementListBox* m_pLoadModels = nullptr;
    CElementListBox* m_pLMEs = nullptr;
};

// "Single Position Analysis".
class CSinglePositionDlg : public CQELDialog, public SinglePositionDlgData {
    Q_OBJECT

public:
    explicit CSinglePositionDlg(QWidget* pParent = nullptr);

    QLineEdit* m_editLocation;
    CElementListBox* m_listBridges;
    CElementListBox* m_listLoadModels;

protected:
    void OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
};

// "Moving Load Analysis".
class CMovingLoadDlg : public CSteppingDlg, public MovingLoadDlgData {
    Q_OBJECT

public:
    explicit CMovingLoadDlg(QWidget* pParent = nullptr);

    CElementListBox* m_listBridges;
    CElementListBox* m_listLoadModels;
    CElementListBox* m_listLMEs;

    QRadioButton* m_radioUseLoadModel;
    QRadioButton* m_radioUseLME;
    QCheckBox* m_checkShowEach;

protected:
    void OnInitDialog() override;

private:
    void UpdateOk();
    CLoadModelChoice m_choice;
};

// "Bridge Range Analysis".
class CBridgeRangeDlg : public CSteppingDlg, public BridgeRangeDlgData {
    Q_OBJECT

public:
    explicit CBridgeRangeDlg(QWidget* pParent = nullptr);

    CElementListBox* m_listBridgeSets;
    CElementListBox* m_listLoadModels;

protected:
    void OnInitDialog() override;
};

// "Output options".
class COutputOptionsDlg : public CQELDialog, public OutputOptionsDlgData {
    Q_OBJECT

public:
    explicit COutputOptionsDlg(QWidget* pParent = nullptr);

    QCheckBox* m_checkBMSF;
    QCheckBox* m_checkReactions;
    QCheckBox* m_checkGraphs;
    QCheckBox* m_checkTables;

protected:
    void OnInitDialog() override;
};

// A labelled list in a dialog layout ("Select bridge:" over IDC_LIST_BRIDGES...).
CElementListBox* AddElementList(QBoxLayout* pLayout, const QString& sLabel, int nID, int* pIndex, QWidget* pParent);
