#include "controls/dragdrop/DragDropText.h"

#include <algorithm>

CSize CDragDropText::OnGetDragSize(CDC& dc)
{
    CRect rc(0, 0, 0, 0);
    dc.DrawText(m_sText, &rc, DT_CALCRECT);
    return CSize(std::min<LONG>(rc.right, kMaxWidth) - rc.left, rc.Height());
}

void CDragDropText::OnDrawData(CDC& dc, LPRECT rc)
{
    dc.DrawText(m_sText, rc, DT_END_ELLIPSIS);
}
