#pragma once
// A modal dialog with an editable table (the generate ensemble dialog).
#include "ui/dialogs/DialogBase.h"
#include "ui/gridDlg/GridBaseDlg.h"

class CDialogWithGridBase : public CQELDialog, public CGridBaseDlg, public CNotifyReceiver {
    Q_OBJECT

public:
    CDialogWithGridBase(int nIDTemplate, const QString& sCaption, QWidget* pParent = nullptr);

    LRESULT OnNotify(WPARAM wParam, NMHDR* pNMHDR) override;
    // Whether the grid was sized and headed when the dialog opened.
    bool IsGridReady() const { return m_bGridReady; }

protected:
    // Sizes and heads the grid; an owner that overrides it calls InitGrid itself.
    void OnInitDialog() override;

    bool m_bGridReady = false;
};
