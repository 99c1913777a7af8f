#include "ui/gridDlg/DialogWithGridBase.h"

CDialogWithGridBase::CDialogWithGridBase(int nIDTemplate, const QString& sCaption, QWidget* pParent)
    : CQELDialog(nIDTemplate, sCaption, pParent)
{
    CreateGridWindow(this, this);
}

LRESULT CDialogWithGridBase::OnNotify(WPARAM, NMHDR* pNMHDR)
{
    return RouteGridNotify(pNMHDR);
}

void CDialogWithGridBase::OnInitDialog()
{
    m_bGridReady = InitGrid(&m_Grid, m_nDataRows, m_nDataCols, &m_saHeadings) != 0;
    load();
}
