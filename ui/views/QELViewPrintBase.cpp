#include "ui/views/QELViewPrintBase.h"

#include "controls/print/PrintBands.h"
#include "platform/wnd/PaintDC.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <cwchar>
#include <memory>

CQELViewPrintBase::CQELViewPrintBase() = default;

CQELViewPrintBase::~CQELViewPrintBase() = default;

void CQELViewPrintBase::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo)
        return;
    CClientDC screen(this);
    if (!screen.GetSafeHdc())
        return;
    const int nPrinterY = pDC->GetDeviceCaps(LOGPIXELSY);
    const int nPrinterX = pDC->GetDeviceCaps(LOGPIXELSX);
    const int nScreenY = screen.GetDeviceCaps(LOGPIXELSY);
    const int nScreenX = screen.GetDeviceCaps(LOGPIXELSX);
    if (nPrinterX <= 0 || nPrinterY <= 0)
        return;

    LOGFONT lf{};
    lf.lfHeight = -10;
    lf.lfWeight = 400;
    lf.lfCharSet = 1;
    lf.lfOutPrecision = 2;
    lf.lfClipPrecision = 1;
    std::wcsncpy(lf.lfFaceName, L"Arial", LF_FACESIZE - 1);
    m_fontPrint.DeleteObject();
    m_fontPrint.CreateFontIndirect(&lf);

    CFont* pOldFont = pDC->SelectObject(&m_fontPrint);
    const CSize letters = pDC->GetTextExtent(std::wstring(L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    m_nLineHeight = letters.cy;
    m_nCharWidth = letters.cx / 52;
    m_nPrinterWidth = pDC->GetDeviceCaps(HORZRES);
    m_nPrinterHeight = pDC->GetDeviceCaps(VERTRES);
    m_nPageWidth = m_nPrinterWidth * nScreenX / nPrinterX * 3 / 4;
    m_nPageHeight = m_nPrinterHeight * nScreenY / nPrinterY * 3 / 4;
    pDC->SelectObject(pOldFont);
}

void CQELViewPrintBase::MapPage(CDC* pDC, int originY) const
{
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_nPageWidth, m_nPageHeight);
    pDC->SetViewportExt(m_nPrinterWidth, m_nPrinterHeight);
    pDC->SetWindowOrg(-(m_nCharWidth * m_nLeftMargin), originY);
}

void CQELViewPrintBase::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo)
        return;
    CFont* pOldFont = pDC->SelectObject(&m_fontPrint);
    MapPage(pDC, 0);
    pInfo->m_rectDraw.SetRect(0, 0, m_nPageWidth - (m_nLeftMargin + m_nRightMargin) * m_nCharWidth,
                              m_nHeaderLines * m_nLineHeight);
    PrintHeader(pDC, pInfo);

    pInfo->m_rectDraw.bottom = m_nFooterLines * m_nLineHeight;
    pDC->SetWindowOrg(-(m_nCharWidth * m_nLeftMargin), m_nFooterLines * m_nLineHeight - m_nPageHeight);
    PrintFooter(pDC, pInfo);

    pDC->SetWindowOrg(0, 0);
    pDC->SelectObject(pOldFont);
}

void CQELViewPrintBase::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_fontPrint.DeleteObject();
    CView::OnEndPrinting(pDC, pInfo);
}

void CQELViewPrintBase::PrintHeader(CDC* pDC, CPrintInfo* pInfo)
{
    PrintHeaderBand(pDC, pInfo->m_rectDraw, m_fontPrint, m_sTitle, m_sHeader);
}

void CQELViewPrintBase::PrintFooter(CDC* pDC, CPrintInfo* pInfo)
{
    PrintFooterBand(pDC, pInfo->m_rectDraw, m_fontPrint, static_cast<int>(pInfo->m_nCurPage),
                    static_cast<int>(pInfo->GetMaxPage()));
}

CGdiObject* CQELViewPrintBase::PrintWindowBitmap(CDC** ppMemDC, CBitmap** ppBitmap)
{
    // The window a view paints in: its own, or the view itself when it is a Qt widget.
    QWidget* pWindow = GetPrintDialogParent();
    if (!pWindow || !ppMemDC || !ppBitmap)
        return nullptr;
    auto pMemDC = std::make_unique<CDC>();
    if (!pMemDC->CreateCompatibleDC(nullptr))
        return nullptr;
    pMemDC->SetMapMode(MM_LOMETRIC);
    CRect client(0, 0, pWindow->width(), pWindow->height());
    pMemDC->DPtoLP(&client);
    m_rcClient = client;
    pMemDC->SetMapMode(MM_TEXT);

    // What the screen shows of the window, pixel for pixel, at the size it has on the screen.
    pWindow->update();
    QImage picture = pWindow->grab().toImage().convertToFormat(QImage::Format_RGB32);
    auto pBitmap = std::make_unique<CBitmap>();
    if (picture.isNull() || !pBitmap->CreateCompatibleBitmap(pMemDC.get(), picture.width(), picture.height()))
        return nullptr;
    picture.setDevicePixelRatio(1.0);
    pBitmap->GetImage() = picture;
    CGdiObject* pOld = pMemDC->SelectObject(pBitmap.get());
    pMemDC->SetMapMode(MM_LOMETRIC);
    *ppMemDC = pMemDC.release();
    *ppBitmap = pBitmap.release();
    return pOld;
}
