#pragma once
// "Define Bridge": one bridge's description, span length and span arrangement. OK
// rebuilds the dialog's own bridge from the fields; the caller's bridge is never touched.
#include "core/bridge/Bridge.h"
#include "ui/dialogs/DialogBase.h"

#include <memory>

class QButtonGroup;
class QLabel;
class QRadioButton;

// The "Configuration" group of both bridge dialogs: buttons IDC_CONFIG_ONE_SPAN to _THREE_SPAN for the
// arrangements 1, 2 and 3, each with the spans it builds from the span length under it; any
// other arrangement (a custom bridge) checks none.
class CConfigButtons {
public:
    static constexpr const char* kSpans[3] = {"S", "S + S", "0.75 S + S + 0.75 S"};
    static constexpr const char* kConfigHelp = "Spans from left to right, S being the span length.";

    CConfigButtons(QWidget* pParent, int* pnConfig);
    QWidget* Group() const { return m_pGroup; }
    void ShowConfig();
    QRadioButton* Button(int nConfig) const;
    QButtonGroup* Buttons() const { return m_pButtons; }
    QLabel* Help() const { return m_pHelp; }
    QLabel* Spans(int nConfig) const { return nConfig >= 1 && nConfig <= 3 ? m_pSpans[nConfig - 1] : nullptr; }

private:
    QWidget* m_pGroup;
    QLabel* m_pHelp;
    QLabel* m_pSpans[3];
    QButtonGroup* m_pButtons;
    int* m_pnConfig;
};

class CBridgeDlg : public CQELDialog {
    Q_OBJECT

public:
    explicit CBridgeDlg(QWidget* pParent = nullptr);

    void SetBridge(std::shared_ptr<CBridge> pBridge);
    // The description a bridge is offered under: "20 m single span", "20 m two span", ...
    static std::wstring DefaultDescription(double dSpanLength, int nConfig);
    // A copy of the dialog's bridge (rebuilt on OK when it is editable).
    std::shared_ptr<CBridge> GetBridge() const;

    bool m_bCanEdit = true;
    std::shared_ptr<CBridge> m_spBridge;
    std::wstring m_sDescription;
    int m_nID = 0;
    double m_dSpanLength = 0.0;
    int m_nConfig = BC_ONESPAN;

    QLineEdit* m_editDescription;
    QLineEdit* m_editID;
    QLineEdit* m_editSpanLength;
    QRadioButton* m_btnOneSpan;

protected:
    void OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnOK() override;

private:
    void OnConfig(int nConfig);
    // While the description is the one offered, it follows the span length and arrangement.
    void FollowSpans();

    bool m_bDescriptionFollows = false;
    CConfigButtons m_config;
};
