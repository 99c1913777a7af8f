#pragma once
// The document's view of one of the program's dialogs: DoModal fills the Qt dialog from the
// interface's members, runs it, and on OK copies its members back.
#include <memory>

#include "app/doc/DocDialogs.h"
#include "platform/win/MessageBox.h"

class QWidget;

template <class Interface, class Dialog, class Fill, class Read>
class CAdaptedDlg : public Interface {
public:
    CAdaptedDlg(QWidget* pParent, Fill fill, Read read) : m_pParent(pParent), m_Fill(fill), m_Read(read) {}
    int DoModal() override
    {
        Dialog dlg(m_pParent);
        m_Fill(static_cast<Interface&>(*this), dlg);
        if (dlg.DoModal() != IDOK)
            return DLG_IDCANCEL;
        m_Read(static_cast<Interface&>(*this), dlg);
        return DLG_IDOK;
    }

private:
    QWidget* m_pParent;
    Fill m_Fill;
    Read m_Read;
};

template <class Interface, class Dialog, class Fill, class Read>
std::unique_ptr<Interface> Adapt(QWidget* pParent, Fill fill, Read read)
{
    return std::make_unique<CAdaptedDlg<Interface, Dialog, Fill, Read>>(pParent, fill, read);
}
