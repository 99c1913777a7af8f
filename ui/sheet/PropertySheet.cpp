#include "ui/sheet/PropertySheet.h"

#include "platform/win/MessageBox.h"
#include "ui/dialogs/TabOrder.h"
#include "ui/sheet/PropertyPage.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QStackedWidget>
#include <QVBoxLayout>

CPropertySheet::CPropertySheet(const QString& sCaption, QWidget* pParent)
    : QDialog(pParent), m_pList(new QListWidget(this)), m_pStack(new QStackedWidget(this))
{
    setWindowTitle(sCaption);
    auto* pMain = new QVBoxLayout(this);
    auto* pBody = new QHBoxLayout;
    pBody->addWidget(m_pList);
    pBody->addWidget(m_pStack, 1);
    pMain->addLayout(pBody, 1);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    pMain->addWidget(pButtons);
    connect(pButtons, &QDialogButtonBox::accepted, this, &CPropertySheet::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &CPropertySheet::reject);
    connect(m_pList, &QListWidget::currentRowChanged, this,
            [this](int nRow) { CallHandlerGuarded([&] { OnListRowChanged(nRow); }); });
    SetListWidth(150);
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    m_vPages.push_back(pPage);
    m_pStack->addWidget(pPage);
    const QSignalBlocker block(m_pList);
    m_pList->addItem(pPage->GetCaption());
}

void CPropertySheet::SetListWidth(int nWidth)
{
    m_pList->setFixedWidth(nWidth);
}

void CPropertySheet::Start()
{
    m_nActive = -1;
    if (m_vPages.empty())
        return;
    SetActivePage(0);
    if (QWidget* pFirst = FirstField(GetActivePage()))
        pFirst->setFocus();
}

int CPropertySheet::DoModal()
{
    Start();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CPropertySheet::Open()
{
    Start();
    show();
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (nPage == m_nActive)
        return TRUE;
    if (CPropertyPage* pOld = GetActivePage(); pOld && !pOld->OnKillActive()) {
        const QSignalBlocker block(m_pList);
        m_pList->setCurrentRow(m_nActive);
        return FALSE;
    }
    CPropertyPage* pNew = GetPage(nPage);
    const bool bNew = !pNew->IsInitialised();
    pNew->Initialise();
    // A page's controls exist from its first showing on.
    if (bNew)
        SetTabOrderByLayout(this);
    m_nActive = nPage;
    m_pStack->setCurrentWidget(pNew);
    {
        const QSignalBlocker block(m_pList);
        m_pList->setCurrentRow(nPage);
    }
    pNew->OnSetActive();
    return TRUE;
}

void CPropertySheet::OnListRowChanged(int nRow)
{
    if (m_bSwitching)
        return;
    m_bSwitching = true;
    SetActivePage(nRow);
    m_bSwitching = false;
}

void CPropertySheet::accept()
{
    CallHandlerGuarded([this] {
        if (CPropertyPage* pActive = GetActivePage(); pActive && !pActive->OnKillActive())
            return;
        for (CPropertyPage* pPage : m_vPages)
            if (pPage->IsInitialised())
                pPage->OnOK();
        QDialog::accept();
    });
}

void CPropertySheet::reject()
{
    CallHandlerGuarded([this] {
        for (CPropertyPage* pPage : m_vPages)
            if (pPage->IsInitialised())
                pPage->OnCancel();
        QDialog::reject();
    });
}
