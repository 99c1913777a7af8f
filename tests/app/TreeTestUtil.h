#pragma once
// The case document's windows for element-pane tests: recorders, with the pane under test
// as the document's tree; and the pane's tree driven as a user does.
#include <QTest>

#include "app/tree/ViewTree.h"
#include "doc/DocTestUtil.h"

namespace qeltest {

class TreeWindows : public RecordingWindows {
public:
    CDocElementTree* GetElementTree() override { return m_pTree; }
    CDocElementTree* m_pTree = nullptr;
};

// Where a click on the item lands, the item scrolled into view first.
inline QPoint ItemCentre(CViewTree& tree, TreeItem item)
{
    QTreeWidgetItem* qi = tree.ItemOf(item);
    tree.scrollToItem(qi);
    return tree.visualItemRect(qi).center();
}

inline void PressKey(CViewTree& tree, int key, Qt::KeyboardModifiers mods = {})
{
    tree.setFocus();
    QTest::keyClick(&tree, static_cast<Qt::Key>(key), mods);
}

}
