#pragma once
// The case document's windows for element-pane tests: recorders, with the pane under test
// as the document's tree.
#include "doc/DocTestUtil.h"

namespace qeltest {

class TreeWindows : public RecordingWindows {
public:
    CDocElementTree* GetElementTree() override { return m_pTree; }
    CDocElementTree* m_pTree = nullptr;
};

}
