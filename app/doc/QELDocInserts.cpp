// The Insert menu's commands of the case document.
#include <exception>

#include "app/doc/HostAccess.h"
#include "app/doc/LMEParametersDlgInterface.h"
#include "app/doc/QELDoc.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "platform/base/CLocale.h"

std::unique_ptr<CLMEParametersDlgInterface> CDocDialogs::MakeLMEParametersDlg()
{
    return std::make_unique<CLMEParametersDefaults>();
}

namespace {

using LMEPtr = CLMEFactory::LMEPtr;

// The dialog's sections and the entry point's arguments follow from the entry point's
// signature: spacing (byStep, value), HB units, or nothing.
void Preset(CLMEParametersDlgInterface&, LMEPtr (CLMEFactory::*)()) {}
void Preset(CLMEParametersDlgInterface& dlg, LMEPtr (CLMEFactory::*)(bool, double))
{
    dlg.m_bVariableAxle = true;
}
void Preset(CLMEParametersDlgInterface& dlg, LMEPtr (CLMEFactory::*)(int))
{
    dlg.m_bBS5400 = true;
}

LMEPtr Call(CLMEFactory& f, LMEPtr (CLMEFactory::*entry)(), const CLMEParametersDlgInterface&)
{
    return (f.*entry)();
}

LMEPtr Call(CLMEFactory& f, LMEPtr (CLMEFactory::*entry)(bool, double), const CLMEParametersDlgInterface& dlg)
{
    return (f.*entry)(dlg.m_bByStep, dlg.m_bByStep ? dlg.m_dStep : static_cast<double>(dlg.m_nSteps));
}

LMEPtr Call(CLMEFactory& f, LMEPtr (CLMEFactory::*entry)(int), const CLMEParametersDlgInterface& dlg)
{
    return (f.*entry)(dlg.m_nHBUnits);
}

template <class Entry>
void InsertVehicle(CQELDoc& doc, Entry entry)
{
    CDocDialogs* dialogs = dochost::Dialogs();
    const std::unique_ptr<CLMEParametersDlgInterface> dlg =
        dialogs ? dialogs->MakeLMEParametersDlg() : std::make_unique<CLMEParametersDefaults>();
    Preset(*dlg, entry);
    if (dlg->DoModal() != DLG_IDOK)
        return;
    doc.m_LMEFactory.m_bUseStandardDLA = dlg->m_bUseLMDAF;
    if (!dlg->m_bUseLMDAF)
        doc.m_LMEFactory.m_dUserDLA = dlg->m_dDAF;
    LMEPtr pLME;
    try {
        pLME = Call(doc.m_LMEFactory, entry, *dlg);
    } catch (const std::exception& e) {
        // A spacing the library refuses inserts nothing.
        dochost::Error(Utf8ToWide(e.what()));
        return;
    }
    if (!pLME)
        return;
    doc.m_vLoadModelEnsemble.push_back(pLME);
    doc.RefreshElementView();
    doc.SetModifiedFlag();
}

void InsertBridgeSet(CQELDoc& doc, BridgeConfig config, const wchar_t* name)
{
    const int id = ++doc.m_nNextID[CQELDoc::NEXTID_BRIDGESET];
    doc.m_vBridgeSet.push_back(std::make_shared<CBridgeSet>(id, name, config, 1.0, 50.0, 1.0));
    doc.RefreshElementView();
    doc.SetModifiedFlag();
}

#define QEL_INSERT_ROW(name, id, submenu, text, separator, prompt) \
    {id, submenu, text, separator, prompt, &CQELDoc::OnInsert##name},
constexpr InsertCommand kInsertCommands[] = {QEL_INSERT_BRIDGES(QEL_INSERT_ROW) QEL_INSERT_VEHICLES(QEL_INSERT_ROW)};
#undef QEL_INSERT_ROW

constexpr int kInsertToolbar[] = {32898, 0, 32901, 32902, 32903, 32904, 32905, 32925, 32900};

}

#define QEL_DEFINE_INSERT_HANDLER(name, ...)           \
    void CQELDoc::OnInsert##name()                     \
    {                                                  \
        InsertVehicle(*this, &CLMEFactory::Get##name); \
    }
QEL_INSERT_VEHICLES(QEL_DEFINE_INSERT_HANDLER)
#undef QEL_DEFINE_INSERT_HANDLER

void CQELDoc::OnInsertBridges1Span()
{
    InsertBridgeSet(*this, BC_ONESPAN, L"1:1:50m 1-span");
}
void CQELDoc::OnInsertBridges2Span()
{
    InsertBridgeSet(*this, BC_TWOSPAN, L"1:1:50m 2-span");
}
void CQELDoc::OnInsertBridges3Span()
{
    InsertBridgeSet(*this, BC_THREESPAN, L"1:1:50m 3-span");
}

void CQELDoc::OnInsertAllBridges()
{
    OnInsertBridges1Span();
    OnInsertBridges2Span();
    OnInsertBridges3Span();
    RefreshElementView();
    SetModifiedFlag();
}

bool CQELDoc::RemoveFromEnsemble(const std::shared_ptr<CLoadModelEnsemble>& pLME,
                                 const std::shared_ptr<CLoadModel>& pLM, unsigned int nIndex)
{
    // A running worker may be stepping this ensemble's models.
    if (!pLME || !pLM || !OnUpdateElementCommand())
        return false;
    AddStatus(L"Called delete on: " + pLM->GetDescription());
    const auto& members = pLME->m_vLoadModel;
    if (nIndex >= members.size() || members[nIndex] != pLM) {
        const auto it = std::find(members.begin(), members.end(), pLM);
        if (it == members.end())
            return false;
        nIndex = static_cast<unsigned int>(it - members.begin());
    }
    pLME->RemoveLoadModel(nIndex);
    SetModifiedFlag();
    return true;
}

std::span<const InsertCommand> GetInsertCommands()
{
    return kInsertCommands;
}

bool IsSeparatorAfterSubmenu(const wchar_t* sSubmenu)
{
    return std::wstring_view(sSubmenu) == L"&Bridges" || std::wstring_view(sSubmenu) == L"A&S5100.2";
}

std::span<const int> GetInsertToolbar()
{
    return kInsertToolbar;
}
