#pragma once
// Base of the modal dialogs that edit an element or collect the inputs of an analysis.
// The caller fills the dialog's members, runs DoModal and reads the members back only on
// IDOK. DoDataExchange lists the fields once for both directions: load() shows the
// members, save() reads them back and refuses a field that does not parse with the
// platform's message, which keeps the dialog open.
#include "platform/win/MessageBox.h"

#include <QDialog>
#include <exception>
#include <string>

class QBoxLayout;
class QDialogButtonBox;
class QFormLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Control ids of the dialog forms, kept as object names so code and tests find a
// control by the number the forms give it.
void SetCtrlId(QWidget* pWidget, int nID);
int GetCtrlId(const QWidget* pWidget);

// A control that shows a text (a label, radio button or check box), with its id.
template <class Ctrl>
Ctrl* MakeCtrl(const QString& sText, int nID, QWidget* pParent)
{
    auto* pCtrl = new Ctrl(sText, pParent);
    SetCtrlId(pCtrl, nID);
    return pCtrl;
}

// The description row (under its label) and the read-only "ID" row of an element dialog.
void AddDescriptionAndId(QFormLayout* pForm, QWidget* pParent, const QString& sLabel, QLineEdit*& pDescription,
                         QLineEdit*& pID);

// One pass of the exchange between the members and the fields.
class CDataExchange {
public:
    // bSilent: a field that does not parse is skipped without a message (the change
    // handler runs on every keystroke, where a box would interrupt typing).
    CDataExchange(bool bSaveAndValidate, bool bSilent = false);

    void Text(QLineEdit* pEdit, std::wstring& value);
    void Text(QPlainTextEdit* pEdit, std::wstring& value);
    void Double(QLineEdit* pEdit, double& value);
    void Int(QLineEdit* pEdit, int& value);

    // Refuses the field: shows the message (unless silent), puts the focus on the field
    // and ends the pass. Checks of the dialog's own rules use it too.
    void Fail(QWidget* pField, const std::wstring& sMessage);

    bool m_bSaveAndValidate;
    bool m_bSilent;
    bool Failed() const { return m_bFailed; }

private:
    bool Skip() const { return m_bFailed && !m_bSilent; }
    bool m_bFailed = false;
};

// Texts shown in a field and read from it: numbers in the C locale.
std::wstring FormatFieldDouble(double value);
// The text of a refusal raised by the core, in a box captioned "QEL".
void ShowRefusal(const std::exception& e);
bool ParseFieldInt(const std::wstring& text, int& value);

class CQELDialog : public QDialog {
    Q_OBJECT

public:
    CQELDialog(int nIDTemplate, const QString& sCaption, QWidget* pParent = nullptr);

    // Shows the dialog modally: IDOK or IDCANCEL.
    int DoModal();
    // Initialises and shows the dialog without waiting (screenshots, tests). The result
    // is GetResult() once OK or Cancel ends it.
    void Open();
    int GetResult() const { return result() == QDialog::Accepted ? IDOK : IDCANCEL; }
    int GetTemplateId() const { return m_nIDTemplate; }

    // Members to fields.
    void load();
    // Fields to members; false (with the message shown) when a field does not parse.
    bool save();

    QPushButton* GetOkButton() const;

    void accept() override;

protected:
    // Fills lists and sets the controls that follow the members; ends with load().
    virtual void OnInitDialog() { load(); }
    virtual void DoDataExchange(CDataExchange& dx) { (void)dx; }
    // OK: true ends the dialog with IDOK.
    virtual bool OnOK() { return save(); }
    // The shared change handler: the members follow every keystroke.
    void OnFieldChange();
    void ConnectChange(QLineEdit* pEdit);

    // OK and Cancel at the bottom of the layout.
    QDialogButtonBox* AddOkCancel(QBoxLayout* pLayout);
    void SetOkEnabled(bool bEnable);

private:
    void InitOnce();

    int m_nIDTemplate;
    bool m_bInitialised = false;
    bool m_bLoading = false;
    QDialogButtonBox* m_pButtons = nullptr;
};
