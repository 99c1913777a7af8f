#include "controls/tip/MessageTip.h"

#include "platform/wnd/PaintDC.h"
#include "platform/win/Keys.h"
#include "platform/win/MessageBox.h"

#include <QApplication>
#include <QWidget>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <algorithm>

IMPLEMENT_DYNCREATE(CMessageTip, CWnd)

namespace {
constexpr UINT_PTR kTimerId = 1;

// Thread-wide watch for key and button presses: the stand-in for keyboard and mouse hooks.
class CTipHooks : public QObject {
public:
    QPointer<QWidget> m_pTipWindow;
    CMessageTip* m_pTip = nullptr;

    bool eventFilter(QObject* watched, QEvent* e) override
    {
        bool close = false;
        switch (e->type()) {
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(e)->key();
            close = key != Qt::Key_Return && key != Qt::Key_Enter;
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::NonClientAreaMouseButtonPress: {
            const Qt::MouseButton b = static_cast<QMouseEvent*>(e)->button();
            close = b == Qt::LeftButton || b == Qt::RightButton || b == Qt::MiddleButton;
            break;
        }
        default: break;
        }
        if (close && m_pTip && m_pTipWindow)
            PostClose();
        return QObject::eventFilter(watched, e); // the event always goes on
    }

    void PostClose()
    {
        QPointer<QWidget> window = m_pTipWindow;
        CMessageTip* tip = m_pTip;
        QTimer::singleShot(0, window.data(), [window, tip] {
            CallHandlerGuarded([&] {
                if (window && CWnd::FromHandle(window) == tip)
                    tip->OnClose();
            });
        });
    }
};


QRect ScreenGeometry(const QPoint& pt)
{
    QScreen* screen = QGuiApplication::screenAt(pt);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}
} // namespace

CMessageTip::CMessageTip() : m_clrBack(GetSysColor(COLOR_INFOBK)), m_clrText(GetSysColor(COLOR_INFOTEXT)) {}

CMessageTip::~CMessageTip()
{
    Hide();
    m_font.DeleteObject();
    DestroyWindow();
}

BOOL CMessageTip::Create(CWnd* pParentWnd)
{
    if (!CreateEx(WS_EX_TOOLWINDOW, L"MessageTip", L"", WS_POPUP, CRect(0, 0, 10, 10), pParentWnd, 0))
        return FALSE;
    m_pParentWnd = pParentWnd;
    LOGFONT lf;
    GetMessageFont(&lf);
    return m_font.CreateFontIndirect(&lf);
}

void CMessageTip::Show(const RECT* pRect, LPCTSTR lpszText)
{
    if (!pRect)
        return;
    const POINT pt{pRect->left, pRect->top};
    Show(&pt, lpszText);
}

void CMessageTip::Show(const POINT* pPoint, LPCTSTR lpszText)
{
    if (!pPoint || !lpszText || !GetSafeHwnd())
        return;
    CPoint pt(*pPoint);
    pt += m_bShadow ? m_ptOffset : CPoint(0, -2);
    if (m_pParentWnd)
        m_pParentWnd->ClientToScreen(&pt);
    InstallHooks();
    m_sText = lpszText;
    CRect size;
    MeasureText(size);
    CRect rect;
    PositionWindow(rect, pt, size);
    if (m_bShadow) {
        // What lies behind must be read before the tip covers it.
        if (IsWindowVisible())
            ShowWindow(SW_HIDE);
        MakeShadow(rect);
    }
    SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
    Invalidate();
    m_nElapsed = 0;
    SetTimer(kTimerId, static_cast<UINT>(m_nTimerInterval));
}

void CMessageTip::Hide()
{
    if (GetSafeHwnd()) {
        KillTimer(kTimerId);
        ShowWindow(SW_HIDE);
    }
    RemoveHooks();
}

void CMessageTip::OnClose()
{
    Hide();
}

void CMessageTip::InstallHooks()
{
    if (m_pHooks)
        return;
    auto* pHooks = new CTipHooks;
    pHooks->m_pTip = this;
    pHooks->m_pTipWindow = GetSafeHwnd();
    QApplication::instance()->installEventFilter(pHooks);
    m_pHooks = pHooks;
}

void CMessageTip::RemoveHooks()
{
    if (!m_pHooks)
        return;
    QApplication::instance()->removeEventFilter(m_pHooks);
    m_pHooks->deleteLater(); // may be inside its own filter call
    m_pHooks = nullptr;
}

void CMessageTip::MeasureText(CRect& rect)
{
    CDC dc;
    dc.CreateMeasuringDC();
    CFont* pOld = dc.SelectObject(&m_font);
    int width = 0;
    size_t from = 0;
    for (;;) {
        const size_t end = m_sText.find(L'\n', from);
        const std::wstring line = m_sText.substr(from, end == std::wstring::npos ? std::wstring::npos : end - from);
        width = std::max(width, static_cast<int>(dc.GetTextExtent(line + L"  ").cx));
        if (end == std::wstring::npos)
            break;
        from = end + 1;
    }
    CRect text(0, 0, width, 0);
    dc.DrawText(m_sText, &text, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    dc.SelectObject(pOld);
    rect = CRect(0, 0, width + m_rectMargins.left + m_rectMargins.right,
                 text.Height() + m_rectMargins.top + m_rectMargins.bottom);
    if (m_bShadow) {
        rect.right += m_nShadowDepth;
        rect.bottom += m_nShadowDepth;
    }
}

void CMessageTip::PositionWindow(CRect& rect, const CPoint& ptScreen, const CRect& rcSize)
{
    // Opens above and to the right of the point.
    rect = CRect(ptScreen.x, ptScreen.y - rcSize.Height(), ptScreen.x + rcSize.Width(), ptScreen.y);
    const QRect screen = ScreenGeometry(QPoint(ptScreen.x, ptScreen.y));
    const int screenRight = screen.x() + screen.width();
    if (rect.right > screenRight)
        rect.OffsetRect(screenRight - rect.right, 0);
    if (rect.left < screen.x())
        rect.OffsetRect(screen.x() - rect.left, 0);
    if (rect.top < screen.y())
        rect.OffsetRect(0, screen.y() - rect.top);
}

void CMessageTip::MakeShadow(const CRect& rectScreen)
{
    const int d = std::clamp(m_nShadowDepth, 0, std::min(rectScreen.Width(), rectScreen.Height()));
    const int w = rectScreen.Width(), h = rectScreen.Height();
    QImage behind;
    if (QScreen* screen = QGuiApplication::screenAt(QPoint(rectScreen.left, rectScreen.top)))
        behind =
            screen
                ->grabWindow(0, rectScreen.left - screen->geometry().x(), rectScreen.top - screen->geometry().y(), w, h)
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
    if (behind.size() != QSize(w, h)) {
        // The screen cannot be read here: the shadow falls on the window colour.
        behind = QImage(w, h, QImage::Format_RGB32);
        behind.fill(ToQColor(GetSysColor(COLOR_WINDOW)));
    }
    // Each channel scaled from 50 % at the tip's edge to 100 % at the outer edge; the
    // corner square takes the lighter of its two scales.
    auto percent = [d](int i) { return d <= 1 ? 50 : 50 + 50 * i / (d - 1); };
    auto shade = [](QRgb c, int pct) { return qRgb(qRed(c) * pct / 100, qGreen(c) * pct / 100, qBlue(c) * pct / 100); };
    for (int y = d; y < h; ++y)
        for (int x = w - d; x < w; ++x) {
            int pct = percent(x - (w - d));
            if (y >= h - d)
                pct = std::max(pct, percent(y - (h - d)));
            behind.setPixel(x, y, shade(behind.pixel(x, y), pct));
        }
    for (int y = h - d; y < h; ++y)
        for (int x = d; x < w - d; ++x)
            behind.setPixel(x, y, shade(behind.pixel(x, y), percent(y - (h - d))));
    m_bmpShadowRight.DeleteObject();
    m_bmpShadowBottom.DeleteObject();
    m_bmpShadowRight.CreateCompatibleBitmap(nullptr, std::max(1, d), h);
    m_bmpShadowBottom.CreateCompatibleBitmap(nullptr, w, std::max(1, d));
    m_bmpShadowRight.GetImage() = behind.copy(w - d, 0, d, h);
    m_bmpShadowBottom.GetImage() = behind.copy(0, h - d, w, d);
}

BOOL CMessageTip::OnEraseBkgnd(CDC*)
{
    return TRUE; // the paint covers every pixel
}

void CMessageTip::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    if (m_sText.empty()) {
        dc.FillSolidRect(&rect, m_clrBack);
        return;
    }
    if (m_bShadow) {
        if (QPainter* p = dc.GetPainter()) {
            p->drawImage(QPoint(rect.right - m_bmpShadowRight.Width(), 0), m_bmpShadowRight.GetImage());
            p->drawImage(QPoint(0, rect.bottom - m_bmpShadowBottom.Height()), m_bmpShadowBottom.GetImage());
        }
        rect.right -= m_nShadowDepth;
        rect.bottom -= m_nShadowDepth;
    }
    dc.FillSolidRect(&rect, m_clrBack);
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* pOldPen = dc.SelectObject(&black);
    CGdiObject* pOldBrush = dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(&rect);
    dc.SelectObject(pOldPen);
    dc.SelectGdiObject(pOldBrush);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_clrText);
    CFont* pOldFont = dc.SelectObject(&m_font);
    rect.DeflateRect(m_rectMargins.left, m_rectMargins.top, m_rectMargins.right, m_rectMargins.bottom);
    dc.DrawText(m_sText, &rect, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    dc.SelectObject(pOldFont);
}

void CMessageTip::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimerId)
        return;
    if (!QApplication::activeWindow()) {
        Hide();
        return;
    }
    m_nElapsed += m_nTimerInterval;
    CRect rect;
    GetWindowRect(&rect);
    if (m_bShadow) {
        rect.right -= m_nShadowDepth;
        rect.bottom -= m_nShadowDepth;
    }
    const QPoint cursor = QCursor::pos();
    const bool over = rect.PtInRect(CPoint(cursor.x(), cursor.y()));
    if (!over && m_nElapsed >= m_nMaxShowTime)
        Hide();
}

BOOL CMessageTip::OnSetCursor(CWnd*, UINT, UINT)
{
    SetCursor(LoadStandardCursor(IDC_ARROW));
    return TRUE;
}
