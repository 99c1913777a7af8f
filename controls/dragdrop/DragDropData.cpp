#include "controls/dragdrop/DragDropData.h"

#include <QFontInfo>
#include <QWidget>
#include <cwchar>

namespace {
// The source window's font as a font to select into a device context.
LOGFONT LogFontOf(const QWidget* w)
{
    LOGFONT lf{};
    const QFont f = w ? w->font() : QFont();
    const QFontInfo info(f);
    lf.lfHeight = -info.pixelSize();
    lf.lfWeight = f.bold() ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.italic() ? 1 : 0;
    const std::wstring face = f.family().toStdWString();
    std::wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return lf;
}
} // namespace

CDragDropData::~CDragDropData() = default;

CImageList* CDragDropData::CreateDragImage(HWND pWnd, LPRECT rc)
{
    const COLORREF mask = GetSysColor(COLOR_3DLIGHT);
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr))
        return nullptr;
    CFont font;
    const LOGFONT lf = LogFontOf(pWnd);
    font.CreateFontIndirect(&lf);
    CFont* pOldFont = dc.SelectObject(&font);

    const CSize size = OnGetDragSize(dc);
    CRect rect(0, 0, std::max<LONG>(1, size.cx), std::max<LONG>(1, size.cy));
    m_bitmap.DeleteObject();
    m_bitmap.CreateCompatibleBitmap(&dc, rect.Width(), rect.Height());
    CBitmap* pOldBitmap = dc.SelectObject(&m_bitmap);
    CBrush highlight(GetSysColor(COLOR_HIGHLIGHT));
    dc.FillRect(&rect, &highlight);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    OnDrawData(dc, &rect);
    dc.SelectObject(pOldFont);
    dc.SelectObject(pOldBitmap);
    dc.DeleteDC();

    auto* pList = new CImageList;
    pList->Create(rect.Width(), rect.Height(), ILC_COLOR24 | ILC_MASK, 0, 1);
    pList->Add(&m_bitmap, mask);
    if (rc)
        *rc = rect;
    return pList;
}
