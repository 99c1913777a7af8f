#pragma once
// The rules of the element pane, without a window: the tree of the open case, double
// click, rename, delete, copy/cut/paste and drop of load models and ensembles, expand
// all and the selection broadcast. The Qt pane (CElementView) is its view.
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/doc/DocWindows.h"
#include "app/tree/TreeModel.h"

class CElement;

// Command ids of the pane.
enum ElementViewCommand : int {
    ID_EXPAND_ALL = 220,
    ID_ELEMENT_DELETE = 221,
    ID_ELEMENT_RENAME = 222,
    ID_ELEMENT_COPY = 223,
    ID_ELEMENT_CUT = 224,
    ID_ELEMENT_PASTE = 225,
};

// Context menus: categories and empty space, an ensemble, any other element.
enum ElementViewMenu : int {
    IDR_POPUP_CATEGORY = 230,
    IDR_POPUP_ENSEMBLE = 231,
    IDR_POPUP_ELEMENT = 232,
};

// Item data of "Case" and of the six categories.
inline constexpr int ELEMENT_VIEW_CATEGORY_DATA = 230;

// Images of the item image list.
enum ElementViewImage : int {
    IMG_CATEGORY = 0,
    IMG_LEAF = 1,
    IMG_REFCOLLECTION = 3,
    IMG_BRIDGE = 4,
    IMG_LOADMODEL = 5,
};

class CElementTreeController : public CDocElementTree {
public:
    // Analysis items, in their order under "Analysis Results".
    enum Analysis : int { AN_SINGLEPOS, AN_MOVINGLOAD, AN_BRIDGERANGE, AN_REFVALUES, AN_CRITRATIOS };

    CElementTreeController();

    CTreeModel& Tree() { return m_Tree; }
    const CTreeModel& Tree() const { return m_Tree; }

    // Receives WM_ELEMENTSELECTED's element (null after a delete).
    std::function<void(CElement*)> m_fnElementSelected;
    // Asked whether a label edit is running (the view owns the editor).
    std::function<bool()> m_fnIsEditing;
    // Opens the result display of an analysis item (Analysis order) for the document.
    std::function<void(CQELDoc&, int)> m_fnShowResults;
    // The view's redraw switch and repaint.
    std::function<void(bool)> m_fnSetRedraw;
    std::function<void()> m_fnInvalidate;

    // CDocElementTree
    void AddBridge(const std::shared_ptr<CBridge>& pBridge) override;
    void AddBridgeSet(const std::shared_ptr<CBridgeSet>& pBridgeSet) override;
    void AddLoadModel(const std::shared_ptr<CLoadModel>& pLoadModel) override;
    void AddLoadModelEnsemble(const std::shared_ptr<CLoadModelEnsemble>& pLME) override;
    void AddRefCollection(const std::shared_ptr<CReferenceCollection>& pRefCollection) override;
    void SetRedraw(bool bRedraw) override;
    void ClearTree() override;
    void Populate(CQELDoc* pDoc) override;
    void Invalidate() override;

    TreeItem AddLoadModelEnsembleItem(const std::shared_ptr<CLoadModelEnsemble>& pLME);
    void BuildTreeSkeleton();

    // What stands behind an item.
    std::shared_ptr<CElement> GetElement(TreeItem item) const;
    int GetAnalysisIndex(TreeItem item) const; // -1 when not an analysis item
    // The first item showing the element under the given parent element (null: under a category).
    TreeItem FindItem(const CElement* pElement, const CElement* pParentElement) const;

    TreeItem GetRootItem() const { return m_hRoot; }
    TreeItem GetAnalysisItem() const { return m_hAnalysis; }
    TreeItem GetBridgesItem() const { return m_hBridges; }
    TreeItem GetBridgeSetsItem() const { return m_hBridgeSets; }
    TreeItem GetLoadModelsItem() const { return m_hLoadModels; }
    TreeItem GetEnsemblesItem() const { return m_hEnsembles; }
    TreeItem GetRefCollectionsItem() const { return m_hRefCollections; }

    // Handlers, named after the messages and commands they answer.
    void OnTreeItemDblClick(TreeItem parent, TreeItem item);
    void OnTreeItemSelect(TreeItem item);
    // True when the label of the item may be edited; with bReport a locked element says so.
    bool CanEditLabel(TreeItem item, bool bReport = true);
    // True when the view should start editing the selected item's label.
    bool OnRename();
    // True when the edited text becomes the element's description and the item's label.
    bool OnTreeItemLabelChange(TreeItem item, const std::wstring& text);
    // Enter ended a label edit.
    void OnLabelEditEnter();
    // Which menu to show for a right click on the item (TI_NONE: empty space) or the
    // keyboard; selects, expands and broadcasts as a right click does.
    int OnContextMenu(TreeItem hit, bool bKeyboard);
    void OnDelete();
    bool DeleteTreeItem(TreeItem item);
    void OnCopy();
    void OnCut();
    void OnPaste();
    TreeItem PasteElement(TreeItem source, TreeItem target);
    // A drag ended over target; returns the item to select, or TI_NONE.
    TreeItem OnTreeItemDragDrop(TreeItem dragged, TreeItem target);
    void ToggleExpandAll();
    void OnCommand(int nID);

    // A running analysis reads the case's load models: until it ends the pane changes no
    // element, as the document's element commands wait for it.
    static bool IsCaseBusy();

    bool IsCut() const { return m_bCut; }
    bool HasCopySource() const { return !m_CopySource.element.expired(); }

private:
    // The element a copy or cut chose, and the ensemble it was shown under. Tree items
    // die at every refresh, so the source is kept as the elements themselves; weak, so a
    // deleted element is not kept alive by a pending paste.
    struct CopySource {
        std::weak_ptr<CElement> element;
        std::weak_ptr<CElement> parent; // the ensemble, or empty under a category
        bool bHasParent = false;
    };

    TreeItem AddElementItem(const std::shared_ptr<CElement>& pElement, int image, TreeItem parent);
    void AddEnsembleChildren(TreeItem ensembleItem, const CLoadModelEnsemble& lme);
    void DeleteWithChildren(TreeItem item);
    void Broadcast(CElement* pElement);
    bool IsEditing() const { return m_fnIsEditing && m_fnIsEditing(); }
    std::shared_ptr<CLoadModelEnsemble> ParentEnsemble(TreeItem item) const;
    CopySource SourceOf(TreeItem item) const;
    TreeItem ItemOf(const CopySource& source) const;
    TreeItem PasteSource(const CopySource& source, TreeItem target);
    TreeItem PasteLoadModel(CQELDoc& doc, const std::shared_ptr<CLoadModel>& pLM,
                            const std::shared_ptr<CElement>& pSourceParent, TreeItem target);
    TreeItem PasteToLoadModels(CQELDoc& doc, const CLoadModel& lm, bool bNameAsCopy);
    std::wstring CopyName(const std::wstring& name, bool bNameAsCopy) const;

    CTreeModel m_Tree;
    TreeItem m_hRoot = TI_NONE;
    TreeItem m_hAnalysis = TI_NONE;
    TreeItem m_hBridges = TI_NONE;
    TreeItem m_hBridgeSets = TI_NONE;
    TreeItem m_hLoadModels = TI_NONE;
    TreeItem m_hEnsembles = TI_NONE;
    TreeItem m_hRefCollections = TI_NONE;
    std::map<TreeItem, std::shared_ptr<CElement>> m_mapElements;
    std::map<TreeItem, int> m_mapAnalysis;
    CopySource m_CopySource;
    bool m_bCut = false;
};
