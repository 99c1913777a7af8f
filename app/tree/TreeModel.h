#pragma once
// The items of a tree control without a window: texts, images, item data, expansion and
// the selection. The element pane keeps its rules on this model; the Qt tree mirrors it.
#include <map>
#include <string>
#include <vector>

// An item handle; 0 is no item (and, as a parent, the top level).
using TreeItem = int;
inline constexpr TreeItem TI_NONE = 0;

class CTreeModelObserver {
public:
    virtual ~CTreeModelObserver() = default;
    virtual void OnItemInserted(TreeItem item) = 0;
    // Called before the item and its descendants go; children are reported first.
    virtual void OnItemDeleting(TreeItem item) = 0;
    // Text, image, bold or expansion changed.
    virtual void OnItemChanged(TreeItem item) = 0;
    virtual void OnSelectionChanged(TreeItem item) = 0;
};

class CTreeModel {
public:
    void SetObserver(CTreeModelObserver* pObserver) { m_pObserver = pObserver; }

    // Appends the item last under its parent (TI_NONE: the top level).
    TreeItem InsertItem(const std::wstring& text, int image, TreeItem parent = TI_NONE);
    // Removes the item with all its descendants.
    void DeleteItem(TreeItem item);
    void DeleteAllItems();
    bool Exists(TreeItem item) const { return m_Nodes.count(item) != 0; }

    TreeItem GetParentItem(TreeItem item) const;
    // Children in order; TI_NONE gives the top-level items.
    const std::vector<TreeItem>& GetChildren(TreeItem item) const;
    bool IsAncestorOrSelf(TreeItem ancestor, TreeItem item) const;
    // The top-level item above (or at) the item.
    TreeItem GetTopLevelItem(TreeItem item) const;

    std::wstring GetItemText(TreeItem item) const;
    void SetItemText(TreeItem item, const std::wstring& text);
    int GetItemImage(TreeItem item) const;
    int GetItemData(TreeItem item) const;
    void SetItemData(TreeItem item, int data);
    bool IsBold(TreeItem item) const;
    void SetBold(TreeItem item, bool bBold);

    bool IsExpanded(TreeItem item) const;
    void Expand(TreeItem item, bool bExpand);
    // The next item a user sees below this one (children of expanded items count).
    TreeItem GetNextVisibleItem(TreeItem item) const;

    TreeItem GetSelectedItem() const { return m_Selected; }
    void SelectItem(TreeItem item);

private:
    struct Node {
        TreeItem parent = TI_NONE;
        std::wstring text;
        int image = 0;
        int data = 0;
        bool bold = false;
        bool expanded = false;
        std::vector<TreeItem> children;
    };
    Node* Find(TreeItem item);
    const Node* Find(TreeItem item) const;
    TreeItem NextSiblingOrAncestorSibling(TreeItem item) const;
    void Changed(TreeItem item);
    template <class T>
    T Get(TreeItem item, T Node::*field, T fallback) const;
    template <class T>
    void Update(TreeItem item, T Node::*field, const T& value);

    std::map<TreeItem, Node> m_Nodes;
    std::vector<TreeItem> m_TopLevel;
    TreeItem m_nLastItem = TI_NONE; // handles are never reused, so a stale one finds nothing
    TreeItem m_Selected = TI_NONE;
    CTreeModelObserver* m_pObserver = nullptr;
};
