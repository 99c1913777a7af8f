#pragma once
// What is dragged between the controls of a dialog: the owner creates it when a drag
// starts and the drag-and-drop manager deletes it when the drag ends.
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ImageList.h"

#include <string>

class CDragDropData {
public:
    CDragDropData() = default;
    CDragDropData(const CDragDropData&) = delete;
    CDragDropData& operator=(const CDragDropData&) = delete;
    virtual ~CDragDropData();

    // The picture that follows the pointer, drawn with the source's font; the caller owns
    // the list. rc receives {0, 0, width, height}; its top-left is the hot spot.
    virtual CImageList* CreateDragImage(HWND pWnd, LPRECT rc);
    virtual CSize OnGetDragSize(CDC& dc) = 0;
    virtual void OnDrawData(CDC& dc, LPRECT rc) = 0;
    virtual std::wstring GetText() const = 0;

protected:
    CBitmap m_bitmap;
};
