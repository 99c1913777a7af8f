#include "ui/sheet/PropertyPage.h"

CPropertyPage::CPropertyPage(int nIDTemplate, const QString& sCaption, QWidget* pParent)
    : QWidget(pParent), m_nIDTemplate(nIDTemplate), m_sCaption(sCaption)
{
    setObjectName(QString::number(nIDTemplate));
}

BOOL CPropertyPage::Initialise()
{
    if (!m_bInitialised) {
        m_bInitialised = true;
        m_bInitResult = OnInitDialog();
    }
    return m_bInitResult;
}
