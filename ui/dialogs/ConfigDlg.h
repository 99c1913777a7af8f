#pragma once
// "Case Information": the case reference and the case notes.
#include "core/dialogdata/ElementDlgData.h"
#include "ui/dialogs/DialogBase.h"

class CConfigDlg : public CQELDialog, public ConfigDlgData {
    Q_OBJECT

public:
    explicit CConfigDlg(QWidget* pParent = nullptr);

    QLineEdit* m_editCaseRef;
    QPlainTextEdit* m_editCaseNotes;

protected:
    void DoDataExchange(CDataExchange& dx) override;
};
