#include "controls/grid/GridCellBase.h"
#include "controls/grid/GridCtrl.h"
#include "controls/grid/GridDefaultCell.h"

#include "platform/wnd/PaintDC.h"

#include <QCursor>
#include <algorithm>

IMPLEMENT_DYNAMIC(CGridCellBase, CObject)

namespace {
// The raised look of a fixed cell, light above and left, dark below and right; rect is left
// inside the frame.
void DrawRaisedFrame(CDC* pDC, CRect& rect)
{
    CPen lightpen(PS_SOLID, 1, GetSysColor(COLOR_3DHIGHLIGHT));
    CPen darkpen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
    CPen* pOldPen = pDC->SelectObject(&lightpen);
    pDC->MoveTo(rect.right, rect.top);
    pDC->LineTo(rect.left, rect.top);
    pDC->LineTo(rect.left, rect.bottom);
    pDC->SelectObject(&darkpen);
    pDC->MoveTo(rect.right, rect.top);
    pDC->LineTo(rect.right, rect.bottom);
    pDC->LineTo(rect.left, rect.bottom);
    pDC->SelectObject(pOldPen);
    rect.DeflateRect(1, 1);
}
} // namespace

CGridCellBase* CGridCellBase::GetDefaultCell() const
{
    const CGridCtrl* pGrid = GetGrid();
    if (!pGrid)
        return nullptr;
    return pGrid->GetDefaultCell(IsFixedRow() != 0, IsFixedCol() != 0);
}

CGridCellBase& CGridCellBase::operator=(const CGridCellBase& cell)
{
    if (this == &cell)
        return *this;
    SetGrid(cell.GetGrid());
    SetText(cell.GetText());
    SetImage(cell.GetImage());
    SetData(cell.GetData());
    SetState(cell.GetState());
    SetFormat(cell.GetFormat());
    SetTextClr(cell.GetTextClr());
    SetBackClr(cell.GetBackClr());
    SetFont(cell.IsDefaultFont() ? nullptr : cell.GetFont());
    SetMargin(cell.GetMargin());
    return *this;
}

std::unique_ptr<CGridCellBase> CGridCellBase::SaveContent() const
{
    std::unique_ptr<CObject> object(GetRuntimeClass()->CreateObject());
    if (!dynamic_cast<CGridCellBase*>(object.get()))
        return nullptr;
    std::unique_ptr<CGridCellBase> copy(static_cast<CGridCellBase*>(object.release()));
    copy->CopyContentFrom(*this);
    return copy;
}

bool CGridCellBase::IsTextRotated() const
{
    const LOGFONT* plf = GetFont();
    return plf && (plf->lfEscapement == 900 || plf->lfEscapement == -900);
}

BOOL CGridCellBase::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || !pDC)
        return FALSE;
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    CGridCellBase* pDefaultCell = GetDefaultCell();
    if (!pDefaultCell)
        return FALSE;

    const int nSavedDC = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    COLORREF TextClr = GetTextClr() == CLR_DEFAULT ? pDefaultCell->GetTextClr() : GetTextClr();
    COLORREF TextBkClr;
    if (GetBackClr() == CLR_DEFAULT) {
        TextBkClr = pDefaultCell->GetBackClr();
    } else {
        bEraseBkgnd = TRUE;
        TextBkClr = GetBackClr();
    }

    // Fills cover right and bottom too: the cell rectangle's edges are its own last pixels.
    if (!IsFocused() && !IsDropHighlighted()) {
        if (IsSelected()) {
            rect.right++;
            rect.bottom++;
            pDC->FillSolidRect(&rect, GetSysColor(COLOR_HIGHLIGHT));
            rect.right--;
            rect.bottom--;
            pDC->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            if (bEraseBkgnd) {
                rect.right++;
                rect.bottom++;
                pDC->FillSolidRect(&rect, TextBkClr);
                rect.right--;
                rect.bottom--;
            }
            pDC->SetTextColor(TextClr);
        }
    } else {
        if (IsSelected()) {
            TextBkClr = GetSysColor(COLOR_HIGHLIGHT);
            TextClr = GetSysColor(COLOR_HIGHLIGHTTEXT);
            bEraseBkgnd = TRUE;
        }
        rect.right++;
        rect.bottom++;
        if (bEraseBkgnd)
            pDC->FillSolidRect(&rect, TextBkClr);
        if (pGrid->m_nGridLines != GVL_NONE) {
            rect.right--;
            rect.bottom--;
        }
        if (pGrid->m_bFrameFocusCell) {
            CBrush brush(TextClr);
            pDC->FrameRect(&rect, &brush);
        }
        pDC->SetTextColor(TextClr);
        if (pGrid->m_nGridLines == GVL_NONE) {
            rect.right--;
            rect.bottom--;
        }
    }

    if (IsFixed() && pGrid->m_nGridLines != GVL_NONE) {
        const CCellID focus = pGrid->GetFocusCell();
        if (pGrid->m_bHighlightFocusHeadings && pGrid->IsValid(focus) && (focus.row == nRow || focus.col == nCol)) {
            rect.right++;
            rect.bottom++;
            pDC->DrawEdge(&rect, BDR_SUNKENINNER, BF_RECT);
            rect.right--;
            rect.bottom--;
            rect.DeflateRect(1, 1);
        } else {
            DrawRaisedFrame(pDC, rect);
        }
    }

    if (!pDC->IsPrinting()) {
        if (CFont* pFont = GetFontObject())
            pDC->SelectObject(pFont);
    }

    // The margin is a blank's width. Above and below the text it gives way to the line's
    // height: a row of one and a half lines less its frame has less room than a line and two
    // margins, and a heading's descenders were cut ("Moment - Saq").
    const int margin = static_cast<int>(GetMargin());
    const int lineHeight = static_cast<int>(pDC->GetTextExtent(L"Mg").cy);
    const int vMargin = std::clamp((rect.Height() + 1 - lineHeight) / 2, 0, margin);
    rect.DeflateRect(margin, vMargin);
    rect.right++;
    rect.bottom++;

    // Sort arrow of the sorted column's heading.
    if (nRow == 0 && nCol == pGrid->m_nSortColumn) {
        int size = pDC->GetTextExtent(L"M").cy - 4;
        if (size >= rect.Height())
            size = rect.Height() - 4;
        LOGFONT lf;
        pDC->GetCurrentLogFont(&lf);
        const bool vertical = lf.lfEscapement == 900;
        const int x = vertical ? (rect.left + rect.right - size) / 2 : rect.right - size;
        const int y = rect.bottom - size - 2;
        if (rect.left + size < rect.right) {
            CPen penShadow(PS_SOLID, 0, GetSysColor(COLOR_3DSHADOW));
            CPen penLight(PS_SOLID, 0, GetSysColor(COLOR_3DHIGHLIGHT));
            CPen* pOldPen = pDC->SelectObject(&penLight);
            for (int pass = 0; pass < 2; ++pass) {
                const int o = pass == 0 ? 1 : 0;
                if (pass == 1)
                    pDC->SelectObject(&penShadow);
                if (pGrid->m_bAscending) {
                    pDC->MoveTo(x + size / 2 + o, y + o);
                    pDC->LineTo(x + size + o, y + size + o);
                    pDC->LineTo(x + o, y + size + o);
                    pDC->LineTo(x + size / 2 + o, y + o);
                } else {
                    pDC->MoveTo(x + size / 2 + o, y + size + o);
                    pDC->LineTo(x + size + o, y + o);
                    pDC->LineTo(x + o, y + o);
                    pDC->LineTo(x + size / 2 + o, y + size + o);
                }
            }
            pDC->SelectObject(pOldPen);
            if (!vertical)
                rect.right -= size;
        }
    }

    GetTextRect(&rect);
    rect.right++;
    rect.bottom++;
    pDC->DrawText(GetText(), -1, &rect, GetFormat() | DT_NOPREFIX);

    pDC->RestoreDC(nSavedDC);
    return TRUE;
}

BOOL CGridCellBase::GetTextRect(LPRECT)
{
    // Images would move the text right; this system shows none.
    return TRUE;
}

CSize CGridCellBase::GetTextExtent(LPCTSTR szText, CDC* pDC)
{
    CGridCtrl* pGrid = GetGrid();
    std::unique_ptr<CClientDC> ownDC;
    if (!pDC && pGrid && pGrid->GetSafeHwnd()) {
        ownDC = std::make_unique<CClientDC>(pGrid);
        pDC = ownDC.get();
    }
    auto* pDefaultCell = dynamic_cast<CGridDefaultCell*>(GetDefaultCell());
    if (!szText || !*szText || !pDC)
        return pDefaultCell ? CSize(pDefaultCell->GetWidth(), pDefaultCell->GetHeight()) : CSize();

    CFont* pOldFont = nullptr;
    if (CFont* pFont = GetFontObject())
        pOldFont = pDC->SelectObject(pFont);

    CSize size;
    const DWORD nFormat = GetFormat();
    const std::wstring text(szText);
    if ((nFormat & DT_WORDBREAK) && !(nFormat & DT_SINGLELINE)) {
        int widest = 0;
        std::size_t start = 0;
        while (start <= text.size()) {
            const std::size_t end = text.find(L'\n', start);
            const std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
            widest = std::max(widest, static_cast<int>(pDC->GetTextExtent(line).cx));
            if (end == std::wstring::npos)
                break;
            start = end + 1;
        }
        CRect rect(0, 0, widest + 1, 0);
        pDC->DrawText(text, &rect, nFormat | DT_CALCRECT);
        size = CSize(rect.Width(), rect.Height());
    } else {
        size = pDC->GetTextExtent(text);
    }
    if (pOldFont)
        pDC->SelectObject(pOldFont);

    const int margin = static_cast<int>(GetMargin());
    size += CSize(2 * margin, 2 * margin);
    if (IsTextRotated())
        size = CSize(size.cy, size.cx + 4 * margin);
    return size;
}

CSize CGridCellBase::GetCellExtent(CDC* pDC)
{
    CSize size = GetTextExtent(GetText(), pDC);
    size += CSize(1, 1);
    if (IsFixed())
        size += CSize(1, 1);
    return size;
}

BOOL CGridCellBase::Edit(int, int, CRect, CPoint, UINT, UINT)
{
    return FALSE;
}

BOOL CGridCellBase::ValidateEdit(LPCTSTR)
{
    return TRUE;
}

BOOL CGridCellBase::PrintCell(CDC* pDC, int, int, CRect rect)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || !pDC)
        return FALSE;
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    CGridCellBase* pDefaultCell = GetDefaultCell();
    if (!pDefaultCell)
        return FALSE;

    const int nSavedDC = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    if (pGrid->m_bPrintColours) {
        COLORREF crBack = CLR_NONE;
        if (IsFixed())
            crBack = GetBackClr() != CLR_DEFAULT ? GetBackClr() : pDefaultCell->GetBackClr();
        else if (GetBackClr() != CLR_DEFAULT && GetBackClr() != pDefaultCell->GetBackClr())
            crBack = GetBackClr();
        COLORREF crText = GetTextClr() != CLR_DEFAULT ? GetTextClr() : pDefaultCell->GetTextClr();
        if (pDC->GetDeviceCaps(NUMCOLORS) == 2 && crBack == CLR_NONE) {
            // Two-colour printers get the text's luminance channels.
            crText = RGB(static_cast<int>(GetRValue(crText) * 0.30), static_cast<int>(GetGValue(crText) * 0.59),
                         static_cast<int>(GetBValue(crText) * 0.11));
        } else if (crBack != CLR_NONE) {
            CRect fill(rect);
            fill.right++;
            fill.bottom++;
            pDC->FillSolidRect(&fill, crBack);
        }
        pDC->SetTextColor(crText);
    } else {
        pDC->SetTextColor(RGB(0, 0, 0));
    }

    if (CFont* pFont = GetFontObject())
        pDC->SelectObject(pFont);

    if (IsFixed() && pGrid->m_nGridLines != GVL_NONE) {
        DrawRaisedFrame(pDC, rect);
    }

    const int margin = static_cast<int>(GetMargin());
    rect.DeflateRect(margin, 0);

    GetTextRect(&rect);
    rect.right++;
    rect.bottom++;
    pDC->DrawText(GetText(), -1, &rect, GetFormat() | DT_NOPREFIX);
    pDC->RestoreDC(nSavedDC);
    return TRUE;
}

BOOL CGridCellBase::OnSetCursor()
{
    CWnd::SetCursor(IDC_ARROW);
    return TRUE;
}
