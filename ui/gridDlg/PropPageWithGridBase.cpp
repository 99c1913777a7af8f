#include "ui/gridDlg/PropPageWithGridBase.h"

CPropPageWithGridBase::CPropPageWithGridBase(int nIDTemplate, const QString& sCaption, QWidget* pParent)
    : CPropertyPage(nIDTemplate, sCaption, pParent)
{
    CreateGridWindow(this, this);
}

LRESULT CPropPageWithGridBase::OnNotify(WPARAM, NMHDR* pNMHDR)
{
    return RouteGridNotify(pNMHDR);
}

BOOL CPropPageWithGridBase::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    return InitGrid(&m_Grid, m_nDataRows, m_nDataCols, &m_saHeadings) != 0;
}

BOOL CPropPageWithGridBase::OnKillActive()
{
    m_Grid.EndEditing();
    return CPropertyPage::OnKillActive();
}
