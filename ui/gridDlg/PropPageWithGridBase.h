#pragma once
// A property page with an editable table (the load model pages).
#include "ui/gridDlg/GridBaseDlg.h"
#include "ui/sheet/PropertyPage.h"

class CPropPageWithGridBase : public CPropertyPage, public CGridBaseDlg, public CNotifyReceiver {
    Q_OBJECT

public:
    CPropPageWithGridBase(int nIDTemplate, const QString& sCaption, QWidget* pParent = nullptr);

    LRESULT OnNotify(WPARAM wParam, NMHDR* pNMHDR) override;
    // A cell still being edited ends first, so that what was typed in it counts.
    BOOL OnKillActive() override;

protected:
    // The grid sized and headed; FALSE when that failed.
    BOOL OnInitDialog() override;
};
