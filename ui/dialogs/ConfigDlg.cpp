#include "ui/dialogs/ConfigDlg.h"
#include "ui/dialogs/ControlIds.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CConfigDlg::CConfigDlg(QWidget* pParent) : CQELDialog(336, QStringLiteral("Case Information"), pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    m_editCaseRef = new QLineEdit(this);
    m_editCaseNotes = new QPlainTextEdit(this);
    SetCtrlId(m_editCaseRef, IDC_CASE_REF);
    SetCtrlId(m_editCaseNotes, IDC_CASE_NOTES);
    // Enter in the notes starts a new line; it does not press OK.
    m_editCaseNotes->setTabChangesFocus(true);
    pLayout->addWidget(new QLabel(QStringLiteral("Case Reference"), this));
    pLayout->addWidget(m_editCaseRef);
    pLayout->addWidget(new QLabel(QStringLiteral("Case Notes"), this));
    pLayout->addWidget(m_editCaseNotes, 1);
    AddOkCancel(pLayout);
    resize(420, 320);
}

void CConfigDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Text(m_editCaseRef, m_sCaseRef);
    dx.Text(m_editCaseNotes, m_sCaseNotes);
}
