#include "ChartGrid.h"

#include "ChartCtrl.h"
#include "platform/gdi/DC.h"

void CChartGrid::Draw(CDC* pDC)
{
    if (!m_bIsVisible || !m_pParentCtrl || !pDC || !pDC->GetSafeHdc())
        return;
    const CRect plotting = m_pParentCtrl->GetPlottingRect();
    pDC->IntersectClipRect(plotting);
    CPen pen(PS_SOLID, 0, m_GridColor);
    CPen* pOldPen = pDC->SelectObject(&pen);
    // Segments of 3 pixels with gaps of 3.
    for (int position : m_lstTickPos) {
        if (m_bIsHorizontal) {
            for (int y = plotting.bottom; y > plotting.top; y -= 6) {
                pDC->MoveTo(position, y);
                pDC->LineTo(position, y - 3);
            }
        } else {
            for (int x = plotting.left; x < plotting.right; x += 6) {
                pDC->MoveTo(x, position);
                pDC->LineTo(x + 3, position);
            }
        }
    }
    pDC->SelectObject(pOldPen);
    pDC->SelectClipRgn(nullptr);
}
