#include "platform/gdi/ImageList.h"

#include <QLabel>
#include <QPixmap>
#include <QPointer>

namespace {
struct DragState {
    QPointer<QLabel> window;
    CPoint hotSpot;
};
DragState g_drag;
} // namespace

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int, int)
{
    if (cx <= 0 || cy <= 0)
        return FALSE;
    m_cx = cx;
    m_cy = cy;
    m_nFlags = nFlags;
    m_images.clear();
    return TRUE;
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    if (!pbmImage || pbmImage->GetImage().isNull() || m_cx <= 0)
        return -1;
    QImage image = pbmImage->GetImage().copy(0, 0, m_cx, m_cy).convertToFormat(QImage::Format_ARGB32);
    if (m_nFlags & ILC_MASK) {
        const QRgb mask = ToQColor(crMask).rgb();
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] & 0xFFFFFF) == (mask & 0xFFFFFF))
                    line[x] = 0;
        }
    }
    m_images.push_back(image);
    return static_cast<int>(m_images.size()) - 1;
}

BOOL CImageList::DeleteImageList()
{
    m_images.clear();
    m_cx = m_cy = 0;
    return TRUE;
}

QImage CImageList::GetImage(int nImage) const
{
    return nImage >= 0 && nImage < GetImageCount() ? m_images[static_cast<size_t>(nImage)] : QImage();
}

BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot)
{
    if (nImage < 0 || nImage >= GetImageCount())
        return FALSE;
    EndDrag();
    auto* label = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput);
    label->setAttribute(Qt::WA_ShowWithoutActivating);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAttribute(Qt::WA_DeleteOnClose);
    label->setPixmap(QPixmap::fromImage(m_images[static_cast<size_t>(nImage)]));
    label->resize(m_cx, m_cy);
    g_drag.window = label;
    g_drag.hotSpot = ptHotSpot;
    return TRUE;
}

BOOL CImageList::DragEnter(HWND, CPoint point)
{
    if (!g_drag.window)
        return FALSE;
    DragMove(point);
    g_drag.window->show();
    return TRUE;
}

BOOL CImageList::DragMove(CPoint pt)
{
    if (!g_drag.window)
        return FALSE;
    g_drag.window->move(pt.x - g_drag.hotSpot.x, pt.y - g_drag.hotSpot.y);
    return TRUE;
}

void CImageList::EndDrag()
{
    if (g_drag.window)
        delete g_drag.window.data();
    g_drag.window = nullptr;
}

QWidget* CImageList::GetDragImageWindow()
{
    return g_drag.window.data();
}
