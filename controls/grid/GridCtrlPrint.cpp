// Printing of the grid (fixed rows and columns repeated on every page, header and footer
// bands) and the export of its texts as separated values.
#include "controls/grid/GridCtrl.h"
#include "controls/print/PrintBands.h"

#include "platform/base/CLocale.h"
#include "platform/base/FileReplace.h"
#include "platform/win/MessageBox.h"

#include <QGuiApplication>
#include <QString>
#include <QWidget>
#include <cerrno>
#include <cwchar>

namespace {
int MulDivInt(int a, int b, int c)
{
    return c == 0 ? -1 : static_cast<int>(static_cast<long long>(a) * b / c);
}

// First of the rows or columns [first, count) on page nPage, a page holding pageExtent.
template <class Extent>
int FirstOnPage(int first, int count, int pageExtent, int nPage, Extent extent)
{
    int page = 1;
    int sum = 0;
    int i = first;
    for (; i < count; ++i) {
        sum += extent(i);
        if (sum > pageExtent) {
            ++page;
            sum = extent(i);
        }
        if (page == nPage)
            break;
    }
    return i;
}
} // namespace

void CGridCtrl::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo)
        return;
    CDC screen;
    if (!screen.CreateMeasuringDC())
        return;
    const int nScreenX = screen.GetDeviceCaps(LOGPIXELSX);
    const int nScreenY = screen.GetDeviceCaps(LOGPIXELSY);
    const int nPrinterX = pDC->GetDeviceCaps(LOGPIXELSX);
    const int nPrinterY = pDC->GetDeviceCaps(LOGPIXELSY);

    LOGFONT lf{};
    std::wcsncpy(lf.lfFaceName, L"Arial", LF_FACESIZE - 1);
    m_PrinterFont.DeleteObject();
    m_PrinterFont.CreateFontIndirect(&lf);
    CFont* pOldFont = pDC->SelectObject(&m_PrinterFont);

    const CSize letters = pDC->GetTextExtent(std::wstring(L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    m_CharSize.cx = letters.cx / 52;
    m_CharSize.cy = letters.cy;

    m_PaperSize = CSize(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    if (m_bScreenScalePrinting) {
        m_LogicalPageSize.cx = m_PaperSize.cx * nScreenX / std::max(1, nPrinterX) * 3 / 4;
        m_LogicalPageSize.cy = m_PaperSize.cy * nScreenY / std::max(1, nPrinterY) * 3 / 4;
    } else {
        m_LogicalPageSize.cx = GetVirtualWidth() + (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;
        m_LogicalPageSize.cy = MulDivInt(m_LogicalPageSize.cx, m_PaperSize.cy, m_PaperSize.cx);
    }

    m_nPageHeight =
        m_LogicalPageSize.cy - (m_nHeaderHeight + m_nFooterHeight + 2 * m_nGap) * m_CharSize.cy - GetFixedRowHeight();
    m_nNumPages = 1;
    int nTotalRowHeight = 0;
    for (int row = m_nFixedRows; row < m_nRows; ++row) {
        nTotalRowHeight += GetRowHeight(row);
        if (nTotalRowHeight > m_nPageHeight) {
            ++m_nNumPages;
            nTotalRowHeight = GetRowHeight(row);
        }
    }

    m_nPageWidth = m_LogicalPageSize.cx - GetFixedColumnWidth() - (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;
    m_nPageMultiplier = 1;
    if (m_bScreenScalePrinting) {
        int nTotalColWidth = 0;
        for (int col = m_nFixedCols; col < m_nCols; ++col) {
            nTotalColWidth += GetColumnWidth(col);
            if (nTotalColWidth > m_nPageWidth) {
                ++m_nPageMultiplier;
                nTotalColWidth = GetColumnWidth(col);
            }
        }
        m_nNumPages *= m_nPageMultiplier;
    }

    pInfo->SetMaxPage(static_cast<UINT>(m_nNumPages));
    pInfo->m_nCurPage = 1;
    pDC->SelectObject(pOldFont);
}

void CGridCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo)
        return;
    // Printing a table does not build the rows it has not shown.
    const CPassingReads passing(*this);
    CFont* pOldFont = pDC->SelectObject(&m_PrinterFont);
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_LogicalPageSize);
    pDC->SetViewportExt(m_PaperSize);
    pDC->SetWindowOrg(-m_nLeftMargin * m_CharSize.cx, 0);

    // Header band.
    pInfo->m_rectDraw.SetRect(0, 0, m_LogicalPageSize.cx - (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx,
                              m_nHeaderHeight * m_CharSize.cy);
    PrintHeader(pDC, pInfo);
    pDC->OffsetWindowOrg(0, -(m_nHeaderHeight + m_nGap) * m_CharSize.cy - GetFixedRowHeight());

    // Where this page starts.
    const int nPage = static_cast<int>(pInfo->m_nCurPage);
    const int nAcross = std::max(1, m_nPageMultiplier);
    const int nRowPage = (nPage + nAcross - 1) / nAcross;
    const int nColPage = (nPage - 1) % nAcross + 1;
    m_nCurrPrintRow =
        FirstOnPage(m_nFixedRows, m_nRows, m_nPageHeight, nRowPage, [this](int row) { return GetRowHeight(row); });
    m_nCurrPrintCol = m_bScreenScalePrinting ? FirstOnPage(m_nFixedCols, m_nCols, m_nPageWidth, nColPage,
                                                           [this](int col) { return GetColumnWidth(col); })
                                             : m_nFixedCols;

    PrintRowHeadings(pDC, pInfo);

    const int nFixedRowHeight = GetFixedRowHeight();
    const int nFixedColWidth = GetFixedColumnWidth();
    pInfo->m_rectDraw.bottom = nFixedRowHeight;
    pDC->OffsetWindowOrg(0, nFixedRowHeight);
    m_nPageWidth += nFixedColWidth;
    PrintColumnHeadings(pDC, pInfo);
    m_nPageWidth -= nFixedColWidth;

    // The cells of this page.
    pDC->OffsetWindowOrg(-nFixedColWidth, -nFixedRowHeight);
    CRect rect;
    rect.bottom = 0;
    for (int row = m_nCurrPrintRow; row < m_nRows; ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (!FitRowToPage(row, rect))
            break;
        rect.right = 0;
        for (int col = m_nCurrPrintCol; col < m_nCols; ++col) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (rect.right > m_nPageWidth)
                break;
            // The page's first row and column draw its top and left edge, with no neighbour
            // to reach back over.
            PrintCellWithLines(pDC, row, col, rect, row == m_nCurrPrintRow, col == m_nCurrPrintCol,
                               col == m_nCurrPrintCol ? 0 : 1, row == m_nCurrPrintRow ? 0 : 1);
        }
    }

    // Footer band at the bottom of the page.
    pInfo->m_rectDraw.SetRect(0, 0, m_LogicalPageSize.cx - (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx,
                              m_nFooterHeight * m_CharSize.cy);
    pDC->SetWindowOrg(-m_nLeftMargin * m_CharSize.cx, -(m_LogicalPageSize.cy - m_nFooterHeight * m_CharSize.cy));
    PrintFooter(pDC, pInfo);
    pDC->SetWindowOrg(0, 0);
    pDC->SelectObject(pOldFont);
}

void CGridCtrl::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_PrinterFont.DeleteObject();
}

void CGridCtrl::PrintColumns(int nFromCol, int nToCol, int& nRow, CRect& rect, CDC* pDC, BOOL& bFirst)
{
    for (int col = nFromCol; col < nToCol; ++col) {
        rect.left = rect.right + 1;
        rect.right = rect.left + GetColumnWidth(col) - 1;
        if (rect.right > m_nPageWidth)
            break;
        PrintCellWithLines(pDC, nRow, col, rect, nRow == 0, bFirst != FALSE, 1, 1);
        if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT)
            bFirst = FALSE; // the left edge is drawn
    }
}

void CGridCtrl::PrintColumnHeadings(CDC* pDC, CPrintInfo*)
{
    CFont* pOldFont = pDC->SelectObject(&m_PrinterFont);
    CRect rect;
    rect.bottom = 0;
    for (int row = 0; row < m_nFixedRows; ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = 0;
        BOOL bFirst = TRUE;
        if (m_nCurrPrintCol >= m_nFixedCols)
            PrintColumns(0, m_nFixedCols, row, rect, pDC, bFirst);
        PrintColumns(m_nCurrPrintCol, m_nCols, row, rect, pDC, bFirst);
    }
    if (pOldFont)
        pDC->SelectObject(pOldFont);
}

void CGridCtrl::PrintRowHeadings(CDC* pDC, CPrintInfo*)
{
    CFont* pOldFont = pDC->SelectObject(&m_PrinterFont);
    CRect rect;
    rect.right = 0;
    for (int col = 0; col < m_nFixedCols; ++col) {
        rect.left = rect.right + 1;
        rect.right = rect.left + GetColumnWidth(col) - 1;
        rect.bottom = 0;
        for (int row = m_nCurrPrintRow; row < m_nRows; ++row) {
            rect.top = rect.bottom + 1;
            rect.bottom = rect.top + GetRowHeight(row) - 1;
            if (!FitRowToPage(row, rect))
                break;
            PrintCellWithLines(pDC, row, col, rect, false, col == 0, 1, 1);
        }
    }
    if (pOldFont)
        pDC->SelectObject(pOldFont);
}

bool CGridCtrl::FitRowToPage(int row, CRect& rect) const
{
    if (rect.bottom <= m_nPageHeight)
        return true;
    // A row taller than a whole page has a page of its own (pagination gives it one), and is
    // cut at its bottom rather than left out.
    if (row != m_nCurrPrintRow)
        return false;
    rect.bottom = m_nPageHeight;
    return true;
}

void CGridCtrl::PrintCellWithLines(CDC* pDC, int row, int col, const CRect& rect, bool bTop, bool bLeft, int xOverlap,
                                   int yOverlap)
{
    if (CGridCellBase* pCell = GetCell(row, col))
        pCell->PrintCell(pDC, row, col, rect);
    if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
        pDC->MoveTo(rect.left - xOverlap, rect.bottom);
        pDC->LineTo(rect.right, rect.bottom);
        if (bTop) {
            pDC->MoveTo(rect.left - xOverlap, rect.top - 1);
            pDC->LineTo(rect.right, rect.top - 1);
        }
    }
    if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
        pDC->MoveTo(rect.right, rect.top - yOverlap);
        pDC->LineTo(rect.right, rect.bottom);
        if (bLeft) {
            pDC->MoveTo(rect.left - 1, rect.top - yOverlap);
            pDC->LineTo(rect.left - 1, rect.bottom);
        }
    }
}

void CGridCtrl::PrintHeader(CDC* pDC, CPrintInfo* pInfo)
{
    std::wstring strRight = m_strPrintFooter;
    if (strRight.empty())
        strRight = QGuiApplication::applicationDisplayName().toStdWString();
    std::wstring strCentre = m_strPrintHeader;
    if (strCentre.empty())
        for (QWidget* pWidget = GetParentWidget(); pWidget; pWidget = pWidget->parentWidget())
            if (!pWidget->windowTitle().isEmpty()) {
                strCentre = pWidget->windowTitle().toStdWString();
                break;
            }

    PrintHeaderBand(pDC, pInfo->m_rectDraw, m_PrinterFont, strCentre, strRight);
}

void CGridCtrl::PrintFooter(CDC* pDC, CPrintInfo* pInfo)
{
    PrintFooterBand(pDC, pInfo->m_rectDraw, m_PrinterFont, static_cast<int>(pInfo->m_nCurPage),
                    static_cast<int>(pInfo->GetMaxPage()));
}

namespace {
// A cell that a reader would otherwise split (';', a line end) or misread ('"') is quoted,
// with its quotes doubled; "sep=;" readers then get each cell back as it was.
std::wstring CsvField(const std::wstring& text)
{
    if (text.find_first_of(L";\"\r\n") == std::wstring::npos)
        return text;
    std::wstring field = L"\"";
    for (const wchar_t c : text) {
        if (c == L'"')
            field += L'"';
        field += c;
    }
    return field + L'"';
}
} // namespace

BOOL CGridCtrl::Save(LPCTSTR strFileName)
{
    const std::wstring name = strFileName ? strFileName : L"";
    if (const int err = CheckReplaceable(WideToPath(name)); err != 0) {
        AfxMessageBox(err == EACCES ? L"Access to " + name + L" was denied."
                                    : L"An unexpected error occurred while accessing " + name + L".",
                      MB_OK | MB_ICONERROR);
        return FALSE;
    }
    // Rows end in CR LF; line ends inside a quoted cell stay as the cell holds them. Rows
    // not built yet are read without being kept.
    const CPassingReads passing(*this);
    QString text = QStringLiteral("sep=;\r\n");
    const int nNumColumns = GetColumnCount();
    for (int row = 0; row < GetRowCount() && nNumColumns > 0; ++row) {
        std::wstring line;
        for (int col = 0; col < nNumColumns; ++col) {
            const CGridCellBase* pCell = GetCell(row, col);
            line += CsvField(pCell ? pCell->GetExportText() : GetItemText(row, col));
            line += col < nNumColumns - 1 ? L";" : L"\r\n";
        }
        text += QString::fromStdWString(line);
    }
    const QByteArray bytes = text.toLocal8Bit();
    try {
        // A failed write leaves the old file as it was.
        ReplaceFileContents(WideToPath(name),
                            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const CFileWriteError&) {
        AfxMessageBox(L"Unable to save grid list", MB_OK | MB_ICONERROR);
        return FALSE;
    }
    return TRUE;
}
