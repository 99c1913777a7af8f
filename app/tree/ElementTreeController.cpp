#include "app/tree/ElementTreeController.h"

#include "app/doc/QELDoc.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "platform/win/MessageBox.h"

CElementTreeController::CElementTreeController()
{
    BuildTreeSkeleton();
}

// ---------------------------------------------------------------- building

void CElementTreeController::BuildTreeSkeleton()
{
    m_hRoot = m_Tree.InsertItem(L"Case", IMG_CATEGORY);
    m_Tree.SetBold(m_hRoot, true);
    m_hAnalysis = m_Tree.InsertItem(L"Analysis Results", IMG_CATEGORY);
    m_hBridges = m_Tree.InsertItem(L"Bridges", IMG_CATEGORY);
    m_hBridgeSets = m_Tree.InsertItem(L"Bridge Sets", IMG_CATEGORY);
    m_hLoadModels = m_Tree.InsertItem(L"Load Models", IMG_CATEGORY);
    m_hEnsembles = m_Tree.InsertItem(L"Load Model Ensembles", IMG_CATEGORY);
    m_hRefCollections = m_Tree.InsertItem(L"Reference Collections", IMG_CATEGORY);
    for (TreeItem item : m_Tree.GetChildren(TI_NONE))
        m_Tree.SetItemData(item, ELEMENT_VIEW_CATEGORY_DATA);
}

void CElementTreeController::ClearTree()
{
    m_Tree.DeleteAllItems();
    m_mapElements.clear();
    m_mapAnalysis.clear();
    m_hRoot = m_hAnalysis = m_hBridges = m_hBridgeSets = m_hLoadModels = m_hEnsembles = m_hRefCollections = TI_NONE;
}

void CElementTreeController::Populate(CQELDoc* pDoc)
{
    BuildTreeSkeleton();
    m_Tree.InsertItem(L"Case Information", IMG_LEAF, m_hRoot);
    static const wchar_t* const analyses[] = {L"Single Position", L"Moving Load", L"Bridge Range", L"Reference Values",
                                              L"Critical Ratios"};
    int index = 0;
    for (const wchar_t* text : analyses)
        m_mapAnalysis[m_Tree.InsertItem(text, IMG_LEAF, m_hAnalysis)] = index++;
    if (!pDoc)
        return;
    for (const auto& p : pDoc->GetBridges())
        AddElementItem(p, IMG_BRIDGE, m_hBridges);
    for (const auto& p : pDoc->GetBridgeSets())
        AddElementItem(p, IMG_BRIDGE, m_hBridgeSets);
    for (const auto& p : pDoc->GetLoadModels())
        AddElementItem(p, IMG_LOADMODEL, m_hLoadModels);
    for (const auto& p : pDoc->GetLoadModelEnsembles())
        AddLoadModelEnsembleItem(p);
    for (const auto& p : pDoc->GetRefCollections())
        AddElementItem(p, IMG_REFCOLLECTION, m_hRefCollections);
}

void CElementTreeController::SetRedraw(bool bRedraw)
{
    if (m_fnSetRedraw)
        m_fnSetRedraw(bRedraw);
}

void CElementTreeController::Invalidate()
{
    if (m_fnInvalidate)
        m_fnInvalidate();
}

TreeItem CElementTreeController::AddElementItem(const std::shared_ptr<CElement>& pElement, int image, TreeItem parent)
{
    if (!pElement || parent == TI_NONE)
        return TI_NONE;
    const TreeItem item = m_Tree.InsertItem(pElement->GetDescription(), image, parent);
    m_mapElements[item] = pElement;
    return item;
}

void CElementTreeController::AddBridge(const std::shared_ptr<CBridge>& p)
{
    AddElementItem(p, IMG_BRIDGE, m_hBridges);
}

void CElementTreeController::AddBridgeSet(const std::shared_ptr<CBridgeSet>& p)
{
    AddElementItem(p, IMG_BRIDGE, m_hBridgeSets);
}

void CElementTreeController::AddLoadModel(const std::shared_ptr<CLoadModel>& p)
{
    AddElementItem(p, IMG_LOADMODEL, m_hLoadModels);
}

void CElementTreeController::AddLoadModelEnsemble(const std::shared_ptr<CLoadModelEnsemble>& p)
{
    AddLoadModelEnsembleItem(p);
}

void CElementTreeController::AddRefCollection(const std::shared_ptr<CReferenceCollection>& p)
{
    AddElementItem(p, IMG_REFCOLLECTION, m_hRefCollections);
}

TreeItem CElementTreeController::AddLoadModelEnsembleItem(const std::shared_ptr<CLoadModelEnsemble>& pLME)
{
    const TreeItem item = AddElementItem(pLME, IMG_LOADMODEL, m_hEnsembles);
    if (item != TI_NONE)
        AddEnsembleChildren(item, *pLME);
    return item;
}

void CElementTreeController::AddEnsembleChildren(TreeItem ensembleItem, const CLoadModelEnsemble& lme)
{
    for (const auto& pLM : lme.m_vLoadModel)
        AddElementItem(pLM, IMG_LOADMODEL, ensembleItem);
}

void CElementTreeController::DeleteWithChildren(TreeItem item)
{
    for (TreeItem child : std::vector<TreeItem>(m_Tree.GetChildren(item)))
        DeleteWithChildren(child);
    m_mapElements.erase(item);
    m_mapAnalysis.erase(item);
    m_Tree.DeleteItem(item);
}

// ---------------------------------------------------------------- lookups

std::shared_ptr<CElement> CElementTreeController::GetElement(TreeItem item) const
{
    auto it = m_mapElements.find(item);
    return it == m_mapElements.end() ? nullptr : it->second;
}

int CElementTreeController::GetAnalysisIndex(TreeItem item) const
{
    auto it = m_mapAnalysis.find(item);
    return it == m_mapAnalysis.end() ? -1 : it->second;
}

std::shared_ptr<CLoadModelEnsemble> CElementTreeController::ParentEnsemble(TreeItem item) const
{
    auto pParent = GetElement(m_Tree.GetParentItem(item));
    return pParent && pParent->m_ElementType == ET_LOADMODELENSEMBLE
               ? std::static_pointer_cast<CLoadModelEnsemble>(pParent)
               : nullptr;
}

TreeItem CElementTreeController::FindItem(const CElement* pElement, const CElement* pParentElement) const
{
    for (const auto& [item, p] : m_mapElements) {
        if (p.get() == pElement && GetElement(m_Tree.GetParentItem(item)).get() == pParentElement)
            return item;
    }
    return TI_NONE;
}

void CElementTreeController::Broadcast(CElement* pElement)
{
    if (m_fnElementSelected)
        m_fnElementSelected(pElement);
}

// ---------------------------------------------------------------- double click, selection, rename

void CElementTreeController::OnTreeItemDblClick(TreeItem parent, TreeItem item)
{
    CQELDoc* pDoc = CQELDoc::GetDoc();
    if (!pDoc || parent == TI_NONE || item == TI_NONE)
        return;
    if (parent == m_hRoot) {
        pDoc->OnCaseData();
        return;
    }
    if (parent == m_hAnalysis) {
        if (const int index = GetAnalysisIndex(item); index >= 0 && m_fnShowResults)
            m_fnShowResults(*pDoc, index);
        return;
    }
    const std::shared_ptr<CElement> pElement = GetElement(item);
    if (!pElement)
        return;
    switch (pElement->m_ElementType) {
    case ET_BRIDGE: pDoc->EditBridge(false, std::static_pointer_cast<CBridge>(pElement)); break;
    case ET_BRIDGESET: pDoc->EditBridgeSet(false, std::static_pointer_cast<CBridgeSet>(pElement)); break;
    case ET_LOADMODEL: pDoc->EditLoadModel(false, std::static_pointer_cast<CLoadModel>(pElement)); break;
    case ET_LOADMODELENSEMBLE: {
        auto pLME = std::static_pointer_cast<CLoadModelEnsemble>(pElement);
        pDoc->EditLoadModelEnsemble(false, pLME);
        for (TreeItem child : std::vector<TreeItem>(m_Tree.GetChildren(item)))
            DeleteWithChildren(child);
        AddEnsembleChildren(item, *pLME);
        break;
    }
    case ET_REFCOLLECTION:
        pDoc->EditRefCollection(false, std::static_pointer_cast<CReferenceCollection>(pElement));
        break;
    default: return;
    }
    // Every item of the element shows its new name, not only the one clicked.
    for (const auto& [other, p] : m_mapElements)
        if (p == pElement)
            m_Tree.SetItemText(other, pElement->GetDescription());
}

void CElementTreeController::OnTreeItemSelect(TreeItem item)
{
    if (auto pElement = GetElement(item))
        Broadcast(pElement.get());
}

bool CElementTreeController::IsCaseBusy()
{
    const CQELDoc* pDoc = CQELDoc::GetDoc();
    return pDoc && !pDoc->OnUpdateElementCommand();
}

bool CElementTreeController::CanEditLabel(TreeItem item, bool bReport)
{
    const std::shared_ptr<CElement> pElement = GetElement(item);
    if (!pElement || IsCaseBusy())
        return false;
    if (!pElement->m_bIsEditable) {
        if (bReport)
            AfxMessageBox(L"This item cannot be edited.", MB_ICONERROR);
        return false;
    }
    return true;
}

bool CElementTreeController::OnRename()
{
    const TreeItem item = m_Tree.GetSelectedItem();
    if (item == TI_NONE || IsEditing())
        return false;
    return CanEditLabel(item);
}

bool CElementTreeController::OnTreeItemLabelChange(TreeItem item, const std::wstring& text)
{
    const std::shared_ptr<CElement> pElement = GetElement(item);
    // An edit begun before the run started ends with the old label.
    if (!pElement || text.empty() || !pElement->m_bIsEditable || IsCaseBusy())
        return false;
    // Any accepted new name marks the case changed, not only one begun by Rename: a name
    // edited by a click would otherwise be lost at exit without the save question.
    if (pElement->m_Description != text) {
        pElement->m_Description = text;
        if (CQELDoc* pDoc = CQELDoc::GetDoc())
            pDoc->SetModifiedFlag();
    }
    for (const auto& [other, p] : m_mapElements)
        if (p == pElement)
            m_Tree.SetItemText(other, text);
    return true;
}

void CElementTreeController::OnLabelEditEnter()
{
    if (auto pElement = GetElement(m_Tree.GetSelectedItem()))
        Broadcast(pElement.get());
}

int CElementTreeController::OnContextMenu(TreeItem hit, bool bKeyboard)
{
    if (bKeyboard)
        return IDR_POPUP_CATEGORY;
    if (hit == TI_NONE) {
        m_Tree.SelectItem(TI_NONE);
        return IDR_POPUP_CATEGORY;
    }
    m_Tree.Expand(hit, true);
    m_Tree.SelectItem(hit);
    const std::shared_ptr<CElement> pElement = m_Tree.GetParentItem(hit) == TI_NONE ? nullptr : GetElement(hit);
    if (!pElement)
        return IDR_POPUP_CATEGORY;
    Broadcast(pElement.get());
    return pElement->m_ElementType == ET_LOADMODELENSEMBLE ? IDR_POPUP_ENSEMBLE : IDR_POPUP_ELEMENT;
}

// ---------------------------------------------------------------- delete

void CElementTreeController::OnDelete()
{
    const TreeItem item = m_Tree.GetSelectedItem();
    if (item == TI_NONE || m_Tree.GetParentItem(item) == TI_NONE || IsEditing())
        return;
    DeleteTreeItem(item);
}

bool CElementTreeController::DeleteTreeItem(TreeItem item)
{
    const std::shared_ptr<CElement> pElement = GetElement(item);
    CQELDoc* pDoc = CQELDoc::GetDoc();
    if (!pElement || !pDoc)
        return false;
    bool bDone = false;
    if (auto pLME = ParentEnsemble(item)) {
        // A model shown under an ensemble leaves that ensemble, and only that one.
        const auto& siblings = m_Tree.GetChildren(m_Tree.GetParentItem(item));
        const auto pos = std::find(siblings.begin(), siblings.end(), item) - siblings.begin();
        bDone = pDoc->RemoveFromEnsemble(pLME, std::static_pointer_cast<CLoadModel>(pElement),
                                         static_cast<unsigned int>(pos));
    } else {
        bDone = pDoc->DeleteElement(pElement);
    }
    if (!bDone) {
        AfxMessageBox(L"Item could not be removed", MB_ICONINFORMATION);
        return false;
    }
    DeleteWithChildren(item);
    Broadcast(nullptr);
    return true;
}

// ---------------------------------------------------------------- copy, cut, paste, drop

CElementTreeController::CopySource CElementTreeController::SourceOf(TreeItem item) const
{
    CopySource source;
    if (auto pElement = GetElement(item)) {
        source.element = pElement;
        if (auto pParent = GetElement(m_Tree.GetParentItem(item))) {
            source.parent = pParent;
            source.bHasParent = true;
        }
    }
    return source;
}

TreeItem CElementTreeController::ItemOf(const CopySource& source) const
{
    const auto pElement = source.element.lock();
    const auto pParent = source.parent.lock();
    if (!pElement || (source.bHasParent && !pParent))
        return TI_NONE;
    return FindItem(pElement.get(), pParent.get());
}

void CElementTreeController::OnCopy()
{
    m_CopySource = SourceOf(m_Tree.GetSelectedItem());
    m_bCut = false;
}

void CElementTreeController::OnCut()
{
    m_CopySource = SourceOf(m_Tree.GetSelectedItem());
    m_bCut = true;
}

void CElementTreeController::OnPaste()
{
    if (IsCaseBusy())
        return; // the copy source waits for the end of the run
    const CopySource source = m_CopySource;
    m_CopySource = CopySource();
    const TreeItem pasted = PasteSource(source, m_Tree.GetSelectedItem());
    if (m_bCut && pasted != TI_NONE) {
        // The source is looked up again: the paste may have added an item of the same element.
        if (const TreeItem sourceItem = ItemOf(source); sourceItem != TI_NONE)
            DeleteTreeItem(sourceItem);
    }
    m_bCut = false;
}

TreeItem CElementTreeController::PasteElement(TreeItem source, TreeItem target)
{
    return PasteSource(SourceOf(source), target);
}

TreeItem CElementTreeController::OnTreeItemDragDrop(TreeItem dragged, TreeItem target)
{
    if (dragged == TI_NONE || target == TI_NONE || m_Tree.IsAncestorOrSelf(dragged, target) || IsCaseBusy())
        return TI_NONE;
    m_Tree.Expand(target, true);
    const TreeItem pasted = PasteElement(dragged, target);
    if (pasted != TI_NONE)
        m_Tree.SelectItem(pasted);
    return pasted;
}

std::wstring CElementTreeController::CopyName(const std::wstring& name, bool bNameAsCopy) const
{
    return bNameAsCopy && !m_bCut ? name + L"-Copy" : name;
}

TreeItem CElementTreeController::PasteSource(const CopySource& source, TreeItem target)
{
    CQELDoc* pDoc = CQELDoc::GetDoc();
    // A source deleted since the copy (or never shown) pastes nothing.
    if (!pDoc || IsCaseBusy() || target == TI_NONE || ItemOf(source) == TI_NONE)
        return TI_NONE;
    const std::shared_ptr<CElement> pElement = source.element.lock();
    const TreeItem category = m_Tree.GetTopLevelItem(target);

    if (pElement->m_ElementType == ET_LOADMODEL)
        return PasteLoadModel(*pDoc, std::static_pointer_cast<CLoadModel>(pElement), source.parent.lock(), target);

    if (pElement->m_ElementType != ET_LOADMODELENSEMBLE)
        return TI_NONE;
    const auto& lme = static_cast<const CLoadModelEnsemble&>(*pElement);
    if (category == m_hEnsembles) {
        auto pCopy = std::make_shared<CLoadModelEnsemble>(lme);
        pCopy->m_Description = CopyName(lme.m_Description, true);
        pCopy->m_bIsEditable = true;
        pCopy->m_ID = pDoc->m_nNextID[CQELDoc::NEXTID_LME] + 1;
        pDoc->AddLoadModelEnsemble(pCopy);
        return AddLoadModelEnsembleItem(pCopy);
    }
    if (category == m_hLoadModels) {
        TreeItem last = TI_NONE;
        for (const auto& pLM : std::vector<std::shared_ptr<CLoadModel>>(lme.m_vLoadModel))
            if (pLM)
                last = PasteToLoadModels(*pDoc, *pLM, true);
        return last;
    }
    return TI_NONE;
}

TreeItem CElementTreeController::PasteToLoadModels(CQELDoc& doc, const CLoadModel& lm, bool bNameAsCopy)
{
    auto pCopy = std::make_shared<CLoadModel>(lm);
    pCopy->m_Description = CopyName(lm.m_Description, bNameAsCopy);
    pCopy->m_bIsEditable = true;
    pCopy->m_ID = doc.m_nNextID[CQELDoc::NEXTID_LOADMODEL] + 1;
    doc.AddLoadModel(pCopy);
    return AddElementItem(pCopy, IMG_LOADMODEL, m_hLoadModels);
}

TreeItem CElementTreeController::PasteLoadModel(CQELDoc& doc, const std::shared_ptr<CLoadModel>& pLM,
                                                const std::shared_ptr<CElement>& pSourceParent, TreeItem target)
{
    if (m_Tree.GetTopLevelItem(target) == m_hLoadModels)
        return PasteToLoadModels(doc, *pLM, true);

    std::shared_ptr<CElement> pTarget = GetElement(m_Tree.GetParentItem(target));
    if (!pTarget)
        pTarget = GetElement(target);
    if (!pTarget || pTarget->m_ElementType != ET_LOADMODELENSEMBLE)
        return TI_NONE;
    auto pLME = std::static_pointer_cast<CLoadModelEnsemble>(pTarget);
    const TreeItem lmeItem = FindItem(pLME.get(), nullptr);
    if (lmeItem == TI_NONE)
        return TI_NONE;
    auto pCopy = std::make_shared<CLoadModel>(*pLM);
    pCopy->m_Description = CopyName(pLM->m_Description, pSourceParent == pLME);
    pCopy->m_bIsEditable = true;
    pLME->AddLoadModel(pCopy);
    doc.SetModifiedFlag();
    return AddElementItem(pCopy, IMG_LOADMODEL, lmeItem);
}

// ---------------------------------------------------------------- expand all, commands

void CElementTreeController::ToggleExpandAll()
{
    for (TreeItem item = m_Tree.GetChildren(TI_NONE).empty() ? TI_NONE : m_Tree.GetChildren(TI_NONE).front();
         item != TI_NONE; item = m_Tree.GetNextVisibleItem(item))
        m_Tree.Expand(item, !m_Tree.IsExpanded(item));
}

void CElementTreeController::OnCommand(int nID)
{
    switch (nID) {
    case ID_EXPAND_ALL: ToggleExpandAll(); break;
    case ID_ELEMENT_DELETE: OnDelete(); break;
    case ID_ELEMENT_COPY: OnCopy(); break;
    case ID_ELEMENT_CUT: OnCut(); break;
    case ID_ELEMENT_PASTE: OnPaste(); break;
    default: break; // rename needs the view's editor
    }
}
