#pragma once
// A dragged piece of text, shown as at most 64 pixels of it (ending in an ellipsis).
#include "controls/dragdrop/DragDropData.h"

class CDragDropText : public CDragDropData {
public:
    explicit CDragDropText(std::wstring text) : m_sText(std::move(text)) {}

    CSize OnGetDragSize(CDC& dc) override;
    void OnDrawData(CDC& dc, LPRECT rc) override;
    std::wstring GetText() const override { return m_sText; }

    static constexpr int kMaxWidth = 64;

private:
    std::wstring m_sText;
};
