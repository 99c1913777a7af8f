#pragma once
// The document's view of one of the program's dialogs. The Qt dialog and the document's
// interface derive from the same data structs (core/dialogdata), so DoModal copies each
// struct whole into the dialog, runs it, and on OK copies each back: a field added to a
// struct travels both ways with no further edit. Prepare hands the dialog what is not data
// the document exchanges (a callback, an id derived from the data).
#include <functional>
#include <memory>
#include <type_traits>

#include "app/doc/DocDialogs.h"
#include "platform/win/MessageBox.h"

class QWidget;

template <class Interface, class Dialog, class... Data>
class CAdaptedDlg final : public Interface {
    static_assert(sizeof...(Data) > 0);
    static_assert((std::is_base_of_v<Data, Interface> && ...), "the interface holds every data struct");
    static_assert((std::is_base_of_v<Data, Dialog> && ...), "the dialog holds every data struct");

public:
    using Prepare = std::function<void(const Interface&, Dialog&)>;

    CAdaptedDlg(QWidget* pParent, Prepare prepare) : m_pParent(pParent), m_Prepare(std::move(prepare)) {}

    int DoModal() override
    {
        Dialog dlg(m_pParent);
        ((static_cast<Data&>(dlg) = static_cast<const Data&>(*this)), ...);
        if (m_Prepare)
            m_Prepare(*this, dlg);
        if (dlg.DoModal() != IDOK)
            return DLG_IDCANCEL;
        ((static_cast<Data&>(*this) = static_cast<const Data&>(dlg)), ...);
        return DLG_IDOK;
    }

private:
    QWidget* m_pParent;
    Prepare m_Prepare;
};

template <class Interface, class Dialog, class... Data>
std::unique_ptr<Interface> Adapt(QWidget* pParent,
                                 typename CAdaptedDlg<Interface, Dialog, Data...>::Prepare prepare = {})
{
    return std::make_unique<CAdaptedDlg<Interface, Dialog, Data...>>(pParent, std::move(prepare));
}
