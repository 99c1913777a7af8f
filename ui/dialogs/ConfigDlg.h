#pragma once
// "Case Information": the case reference and the case notes.
#include "ui/dialogs/DialogBase.h"

class CConfigDlg : public CQELDialog
{
    Q_OBJECT

public:
    explicit CConfigDlg(QWidget* pParent = nullptr);

    std::wstring m_sCaseRef;
    std::wstring m_sCaseNotes;

    QLineEdit* m_editCaseRef;
    QPlainTextEdit* m_editCaseNotes;

protected:
    void DoDataExchange(CDataExchange& dx) override;
};
