#pragma once
// "Add Bridge Set" (for additions and edits alike): a family of bridges of one arrangement
// whose span lengths run from "From (m)" to "To (m)" by a step or over a number of
// bridges. OK builds the dialog's own set from the fields.
#include "core/bridge/BridgeSet.h"
#include "ui/dialogs/BridgeDlg.h"

class CSteppingGroup;

class CBridgeSetDlg : public CQELDialog {
    Q_OBJECT

public:
    explicit CBridgeSetDlg(QWidget* pParent = nullptr);

    void SetBridgeSet(std::shared_ptr<CBridgeSet> pBridgeSet);
    std::shared_ptr<CBridgeSet> GetBridgeSet() const;

    std::wstring m_sDescription;
    int m_nID = 0;
    std::shared_ptr<CBridgeSet> m_spBridgeSet;
    bool m_bCanEdit = true;
    double m_dStartL = 0.0;
    double m_dEndL = 0.0;
    double m_dStep = 0.0;
    int m_nNumBridges = 0;
    bool m_bUseStep = false;
    int m_nConfig = 0;

    QLineEdit* m_editDescription;
    QLineEdit* m_editID;
    QLineEdit* m_editStartL;
    QLineEdit* m_editEndL;
    CSteppingGroup* m_pNumberGroup;

protected:
    void OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnOK() override;

private:
    bool CheckGeometry();

    CConfigButtons m_config;
};
