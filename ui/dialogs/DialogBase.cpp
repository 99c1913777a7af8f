#include "ui/dialogs/DialogBase.h"

#include "platform/base/CLocale.h"
#include "ui/dialogs/TabOrder.h"
#include "ui/dialogs/ControlIds.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <climits>
#include <cwctype>

void SetCtrlId(QWidget* pWidget, int nID)
{
    pWidget->setObjectName(QString::number(nID));
    pWidget->setProperty("ctrlId", nID);
}

int GetCtrlId(const QWidget* pWidget)
{
    return pWidget->property("ctrlId").toInt();
}

void AddDescriptionAndId(QFormLayout* pForm, QWidget* pParent, const QString& sLabel, QLineEdit*& pDescription,
                         QLineEdit*& pID)
{
    pDescription = new QLineEdit(pParent);
    pID = new QLineEdit(pParent);
    SetCtrlId(pDescription, IDC_DESCRIPTION);
    SetCtrlId(pID, IDC_ITEM_ID);
    pID->setEnabled(false);
    pDescription->setMinimumWidth(240);
    pForm->addRow(sLabel, pDescription);
    pForm->addRow(QStringLiteral("ID"), pID);
}

std::wstring FormatFieldDouble(double value)
{
    return FormatDoubleCW("%.15g", value);
}

void ShowRefusal(const std::exception& e)
{
    AfxMessageBox(Utf8ToWide(e.what()), MB_OK | MB_ICONWARNING);
}

bool ParseFieldInt(const std::wstring& text, int& value)
{
    size_t i = 0, n = text.size();
    while (i < n && std::iswspace(text[i]))
        ++i;
    while (n > i && std::iswspace(text[n - 1]))
        --n;
    bool negative = false;
    if (i < n && (text[i] == L'-' || text[i] == L'+'))
        negative = text[i++] == L'-';
    if (i == n)
        return false;
    long long v = 0;
    for (; i < n; ++i) {
        if (text[i] < L'0' || text[i] > L'9')
            return false;
        v = v * 10 + (text[i] - L'0');
        if (v > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > INT_MAX || v < INT_MIN)
        return false;
    value = static_cast<int>(v);
    return true;
}

CDataExchange::CDataExchange(bool bSaveAndValidate, bool bSilent)
    : m_bSaveAndValidate(bSaveAndValidate), m_bSilent(bSilent)
{
}

void CDataExchange::Fail(QWidget* pField, const std::wstring& sMessage)
{
    m_bFailed = true;
    if (m_bSilent)
        return;
    AfxMessageBox(sMessage, MB_OK | MB_ICONWARNING);
    if (pField) {
        pField->setFocus();
        if (auto* pEdit = qobject_cast<QLineEdit*>(pField))
            pEdit->selectAll();
    }
}

void CDataExchange::Text(QLineEdit* pEdit, std::wstring& value)
{
    if (Skip())
        return;
    if (m_bSaveAndValidate)
        value = pEdit->text().toStdWString();
    else
        pEdit->setText(QString::fromStdWString(value));
}

void CDataExchange::Text(QPlainTextEdit* pEdit, std::wstring& value)
{
    if (Skip())
        return;
    if (m_bSaveAndValidate)
        value = pEdit->toPlainText().toStdWString();
    else
        pEdit->setPlainText(QString::fromStdWString(value));
}

void CDataExchange::Double(QLineEdit* pEdit, double& value)
{
    if (Skip())
        return;
    if (!m_bSaveAndValidate) {
        pEdit->setText(QString::fromStdWString(FormatFieldDouble(value)));
        return;
    }
    double v = 0.0;
    if (ParseDoubleC(pEdit->text().toStdWString(), v))
        value = v;
    else
        Fail(pEdit, L"Please enter a number.");
}

void CDataExchange::Int(QLineEdit* pEdit, int& value)
{
    if (Skip())
        return;
    if (!m_bSaveAndValidate) {
        pEdit->setText(QString::number(value));
        return;
    }
    int v = 0;
    if (ParseFieldInt(pEdit->text().toStdWString(), v))
        value = v;
    else
        Fail(pEdit, L"Please enter an integer.");
}

CQELDialog::CQELDialog(int nIDTemplate, const QString& sCaption, QWidget* pParent)
    : QDialog(pParent), m_nIDTemplate(nIDTemplate)
{
    setWindowTitle(sCaption);
    SetCtrlId(this, nIDTemplate);
}

void CQELDialog::InitOnce()
{
    if (m_bInitialised)
        return;
    m_bInitialised = true;
    // Setting up a field (its decimals, its text) reports a change before the members
    // are shown; the members must not follow those.
    m_bLoading = true;
    CallHandlerGuarded([this] { OnInitDialog(); });
    m_bLoading = false;
    SetTabOrderByLayout(this);
    if (QWidget* pFirst = FirstField(this))
        pFirst->setFocus();
}

int CQELDialog::DoModal()
{
    InitOnce();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CQELDialog::Open()
{
    InitOnce();
    show();
}

void CQELDialog::load()
{
    // Fields written here report changes of their own; read back half-loaded, they would
    // overwrite the members still to be shown.
    const bool bWasLoading = m_bLoading;
    m_bLoading = true;
    CDataExchange dx(false);
    DoDataExchange(dx);
    m_bLoading = bWasLoading;
}

bool CQELDialog::save()
{
    CDataExchange dx(true);
    DoDataExchange(dx);
    return !dx.Failed();
}

void CQELDialog::OnFieldChange()
{
    if (m_bLoading)
        return;
    CallHandlerGuarded([this] {
        CDataExchange dx(true, true);
        DoDataExchange(dx);
    });
}

void CQELDialog::ConnectChange(QLineEdit* pEdit)
{
    // textEdited: the user's typing only, not the text load() writes.
    connect(pEdit, &QLineEdit::textEdited, this, &CQELDialog::OnFieldChange);
}

void CQELDialog::accept()
{
    bool bClose = false;
    CallHandlerGuarded([&] { bClose = OnOK(); });
    if (bClose)
        QDialog::accept();
}

QDialogButtonBox* CQELDialog::AddOkCancel(QBoxLayout* pLayout)
{
    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    SetCtrlId(m_pButtons->button(QDialogButtonBox::Ok), IDOK);
    SetCtrlId(m_pButtons->button(QDialogButtonBox::Cancel), IDCANCEL);
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &CQELDialog::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &CQELDialog::reject);
    pLayout->addWidget(m_pButtons);
    return m_pButtons;
}

QPushButton* CQELDialog::GetOkButton() const
{
    return m_pButtons ? m_pButtons->button(QDialogButtonBox::Ok) : nullptr;
}

void CQELDialog::SetOkEnabled(bool bEnable)
{
    if (QPushButton* pOk = GetOkButton())
        pOk->setEnabled(bEnable);
}
