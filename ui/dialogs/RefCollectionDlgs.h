#pragma once
// The dialogs of reference collections: editing one ("Edit Reference Collection"),
// choosing one to analyse or to view, and choosing a collection, one of its reference
// sets and one bridge of that set to compare ("Compare Critical Envelopes").
#include "core/bridge/BridgeSet.h"
#include "core/dialogdata/AnalysisDlgData.h"
#include "core/dialogdata/ElementDlgData.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"
#include "ui/dialogs/SteppingGroup.h"

#include <memory>
#include <vector>

class CElementListBox;
class CNumericEdit;
class QCheckBox;
class QListWidget;

class CRefCollectionDlg : public CSteppingDlg, public RefCollectionDlgData {
    Q_OBJECT

public:
    explicit CRefCollectionDlg(QWidget* pParent = nullptr);

    // Shows the collection's values; the ticks of the two lists change its bridge sets
    // and ensembles at once, OK writes the rest into it.
    void SetData(std::shared_ptr<CReferenceCollection> pRefCollection);

    QLineEdit* m_editDescription;
    std::wstring m_sDescription;
    int m_nID = 0;
    QCheckBox* m_btnUseOverstress;
    CNumericEdit* m_editOverstressFactor;
    bool m_bOverstressOn = false;
    double m_dOverstressFactor = 1.4;
    std::shared_ptr<CReferenceCollection> m_spRefCollection;
    CElementListBox* m_listBridgeSets;
    int m_nCurBridgeSet = 0;
    CElementListBox* m_listLMEs;
    int m_nCurLME = 0;
    bool m_bCalculated = false;

    QLineEdit* m_editID;
    QCheckBox* m_checkCalculated;

protected:
    void OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnOK() override;

private:
    void OnBridgeSetCheck(int nRow, bool bChecked);
    void OnLMECheck(int nRow, bool bChecked);
};

// "Analyse Reference Collection" and, with template 335, "View Reference Collection".
class CAnalyzeRefCollectionDlg : public CQELDialog, public RefCollectionChoiceDlgData {
    Q_OBJECT

public:
    explicit CAnalyzeRefCollectionDlg(QWidget* pParent = nullptr);

    CElementListBox* m_listRefCollections;

protected:
    CAnalyzeRefCollectionDlg(int nIDTemplate, const QString& sCaption, const QString& sPrompt, QWidget* pParent);
    void OnInitDialog() override;
};

class CViewRefCollectionDlg : public CAnalyzeRefCollectionDlg {
    Q_OBJECT

public:
    explicit CViewRefCollectionDlg(QWidget* pParent = nullptr);
};

class CCompareEnvelopesDlg : public CQELDialog, public CompareEnvelopesDlgData {
    Q_OBJECT

public:
    explicit CCompareEnvelopesDlg(QWidget* pParent = nullptr);

    CElementListBox* m_listRefCollections;
    QListWidget* m_listRefSets;
    QListWidget* m_listBridges;
    QLineEdit* m_editBridgeSet;
    QLineEdit* m_editRefLME;
    QLineEdit* m_editProposed;
    std::vector<std::shared_ptr<CReferenceSet>> m_vRefSets;

protected:
    void OnInitDialog() override;

private:
    void FillRefSets();
    void FillBridges();
    void ShowSet();
    void OnRefCollectionChange(int nRow);
    void OnRefSetChange(int nRow);
    void OnBridgeChange(int nRow);
    void UpdateOk();
};
