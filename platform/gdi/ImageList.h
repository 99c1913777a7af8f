#pragma once
// A list of equally sized pictures, and the picture that follows the pointer while an
// item is dragged (one drag at a time).
#include "platform/gdi/GdiObject.h"
#include "platform/win/Notify.h"

#include <vector>

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR24 = 0x0018;

class CImageList {
public:
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // Pixels of crMask become transparent when the list has a mask; returns the index.
    int Add(CBitmap* pbmImage, COLORREF crMask);
    BOOL DeleteImageList();
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    // The picture with its transparent pixels as alpha 0.
    QImage GetImage(int nImage) const;

    // Starts dragging image nImage; ptHotSpot is the point of the image under the pointer.
    BOOL BeginDrag(int nImage, CPoint ptHotSpot);
    // Shows the drag picture at a screen point (hwndLock is the window it is drawn over;
    // null is the whole screen).
    static BOOL DragEnter(HWND hwndLock, CPoint point);
    static BOOL DragMove(CPoint pt);
    static void EndDrag();
    // The window showing the dragged picture, or null when nothing is dragged.
    static QWidget* GetDragImageWindow();

private:
    int m_cx = 0;
    int m_cy = 0;
    UINT m_nFlags = 0;
    std::vector<QImage> m_images;
};
