#include "app/tree/TreeModel.h"

#include <algorithm>

namespace {
const std::vector<TreeItem> kNoChildren;
}

CTreeModel::Node* CTreeModel::Find(TreeItem item)
{
    auto it = m_Nodes.find(item);
    return it == m_Nodes.end() ? nullptr : &it->second;
}

const CTreeModel::Node* CTreeModel::Find(TreeItem item) const
{
    auto it = m_Nodes.find(item);
    return it == m_Nodes.end() ? nullptr : &it->second;
}

void CTreeModel::Changed(TreeItem item)
{
    if (m_pObserver)
        m_pObserver->OnItemChanged(item);
}

template <class T>
T CTreeModel::Get(TreeItem item, T Node::*field, T fallback) const
{
    const Node* node = Find(item);
    return node ? node->*field : fallback;
}

// The observer hears of a change only, never of a value written again.
template <class T>
void CTreeModel::Update(TreeItem item, T Node::*field, const T& value)
{
    if (Node* node = Find(item); node && node->*field != value) {
        node->*field = value;
        Changed(item);
    }
}

TreeItem CTreeModel::InsertItem(const std::wstring& text, int image, TreeItem parent)
{
    Node* pParent = nullptr;
    if (parent != TI_NONE && !(pParent = Find(parent)))
        return TI_NONE;
    const TreeItem item = ++m_nLastItem;
    Node& node = m_Nodes[item];
    node.parent = parent;
    node.text = text;
    node.image = image;
    (pParent ? pParent->children : m_TopLevel).push_back(item);
    if (m_pObserver)
        m_pObserver->OnItemInserted(item);
    return item;
}

void CTreeModel::DeleteItem(TreeItem item)
{
    Node* node = Find(item);
    if (!node)
        return;
    const std::vector<TreeItem> children = node->children;
    for (TreeItem child : children)
        DeleteItem(child);
    if (m_pObserver)
        m_pObserver->OnItemDeleting(item);
    node = Find(item);
    std::vector<TreeItem>& siblings = node->parent == TI_NONE ? m_TopLevel : Find(node->parent)->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), item), siblings.end());
    m_Nodes.erase(item);
    if (m_Selected == item) {
        m_Selected = TI_NONE;
        if (m_pObserver)
            m_pObserver->OnSelectionChanged(TI_NONE);
    }
}

void CTreeModel::DeleteAllItems()
{
    const std::vector<TreeItem> top = m_TopLevel;
    for (TreeItem item : top)
        DeleteItem(item);
}

TreeItem CTreeModel::GetParentItem(TreeItem item) const
{
    const Node* node = Find(item);
    return node ? node->parent : TI_NONE;
}

const std::vector<TreeItem>& CTreeModel::GetChildren(TreeItem item) const
{
    if (item == TI_NONE)
        return m_TopLevel;
    const Node* node = Find(item);
    return node ? node->children : kNoChildren;
}

bool CTreeModel::IsAncestorOrSelf(TreeItem ancestor, TreeItem item) const
{
    for (TreeItem i = item; i != TI_NONE; i = GetParentItem(i))
        if (i == ancestor)
            return true;
    return false;
}

TreeItem CTreeModel::GetTopLevelItem(TreeItem item) const
{
    if (!Exists(item))
        return TI_NONE;
    while (GetParentItem(item) != TI_NONE)
        item = GetParentItem(item);
    return item;
}

std::wstring CTreeModel::GetItemText(TreeItem item) const
{
    return Get(item, &Node::text, std::wstring());
}

void CTreeModel::SetItemText(TreeItem item, const std::wstring& text)
{
    Update(item, &Node::text, text);
}

int CTreeModel::GetItemImage(TreeItem item) const
{
    return Get(item, &Node::image, 0);
}

int CTreeModel::GetItemData(TreeItem item) const
{
    return Get(item, &Node::data, 0);
}

void CTreeModel::SetItemData(TreeItem item, int data)
{
    if (Node* node = Find(item))
        node->data = data;
}

bool CTreeModel::IsBold(TreeItem item) const
{
    return Get(item, &Node::bold, false);
}

void CTreeModel::SetBold(TreeItem item, bool bBold)
{
    Update(item, &Node::bold, bBold);
}

bool CTreeModel::IsExpanded(TreeItem item) const
{
    return Get(item, &Node::expanded, false);
}

void CTreeModel::Expand(TreeItem item, bool bExpand)
{
    Update(item, &Node::expanded, bExpand);
}

TreeItem CTreeModel::NextSiblingOrAncestorSibling(TreeItem item) const
{
    for (TreeItem i = item; i != TI_NONE; i = GetParentItem(i)) {
        const std::vector<TreeItem>& siblings = GetChildren(GetParentItem(i));
        auto it = std::find(siblings.begin(), siblings.end(), i);
        if (it != siblings.end() && ++it != siblings.end())
            return *it;
    }
    return TI_NONE;
}

TreeItem CTreeModel::GetNextVisibleItem(TreeItem item) const
{
    const Node* node = Find(item);
    if (!node)
        return TI_NONE;
    if (node->expanded && !node->children.empty())
        return node->children.front();
    return NextSiblingOrAncestorSibling(item);
}

void CTreeModel::SelectItem(TreeItem item)
{
    if (item != TI_NONE && !Exists(item))
        return;
    if (m_Selected == item)
        return;
    m_Selected = item;
    if (m_pObserver)
        m_pObserver->OnSelectionChanged(item);
}
