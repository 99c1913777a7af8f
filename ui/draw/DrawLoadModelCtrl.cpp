#include "ui/draw/DrawLoadModelCtrl.h"

#include "core/settings/Settings.h"
#include "platform/base/CLocale.h"
#include "platform/gdi/GdiObject.h"

#include <cmath>

namespace {
int Round(double v)
{
    return static_cast<int>(std::lround(v)); // halves away from zero
}

const CSettings::General_Config::General_LoadModel& Colours()
{
    return g_pSettings->General.LoadModel;
}

// Selects a solid pen and brush of one colour for one kind of load, restores on exit.
class CLoadPaint {
public:
    CLoadPaint(CDC* pDC, COLORREF clr) : m_pDC(pDC), m_pen(PS_SOLID, 0, clr), m_brush(clr)
    {
        m_pOldPen = pDC->SelectObject(&m_pen);
        m_pOldBrush = pDC->SelectObject(&m_brush);
    }
    ~CLoadPaint()
    {
        m_pDC->SelectObject(m_pOldPen);
        m_pDC->SelectObject(m_pOldBrush);
    }
    CBrush* OldBrush() const { return m_pOldBrush; }

private:
    CDC* m_pDC;
    CPen m_pen;
    CBrush m_brush;
    CPen* m_pOldPen;
    CBrush* m_pOldBrush;
};

// The largest magnitude in absolute value (the first such); 0 for none.
template <class V>
double LargestMagnitude(const V& loads)
{
    double best = 0.0;
    for (const auto& l : loads)
        if (std::fabs(l.magnitude) > best)
            best = std::fabs(l.magnitude);
    return best;
}

// Height of a load of magnitude w drawn at full height for the largest one; a kind whose
// loads are all zero draws at height 0 instead of dividing by zero.
double ScaledHeight(double full, double w, double largest)
{
    return largest > 0.0 ? full * w / largest : 0.0;
}
} // namespace

CDrawLoadModelCtrl::CDrawLoadModelCtrl()
{
    m_crBackground = Colours().CLR_LM_BGRND;
    m_bDrawEdge = true;
}

void CDrawLoadModelCtrl::SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel)
{
    m_pLoadModel = std::move(pLoadModel);
}

double CDrawLoadModelCtrl::DrawnLocation(double location) const
{
    return m_pLoadModel->m_Direction == TD_REVERSE ? -m_pLoadModel->m_Length - location : location;
}

void CDrawLoadModelCtrl::PrepareDC(CDC* pDC)
{
    const int w = m_rcClient.Width(), h = m_rcClient.Height();
    m_bMapped = w > 0 && h > 0;
    if (!m_bMapped)
        return;
    // Without a model the ruler and the arrow still show, over a span of zero length.
    double L = 0.0;
    if (m_pLoadModel) {
        m_pLoadModel->Update();
        L = m_pLoadModel->m_Length;
    }
    const double aspect = static_cast<double>(w) / h;
    const double m = L > 0.0 ? 0.3 * L : 2.0;
    const double total = L + 2.0 * m;
    m_nExtentX = Round(m_dScale * total);
    m_dMargin = m_dScale * m;
    m_dHalfHeight = 0.5 * total / aspect;
    m_nExtentY = Round(m_dScale * total / aspect);
    if (m_nExtentX <= 0 || m_nExtentY <= 0) {
        m_bMapped = false;
        return;
    }

    pDC->SetMapMode(MM_ISOTROPIC);
    pDC->SetWindowExt(m_nExtentX, -m_nExtentY);
    pDC->SetViewportExt(w, h);
    POINT p{static_cast<int>(m_dMargin), static_cast<int>(m_dMargin)};
    pDC->LPtoDP(&p);
    pDC->SetViewportOrg(w - p.x, h - 10);
}

void CDrawLoadModelCtrl::Draw(CDC* pDC)
{
    if (!m_bMapped)
        return;
    DrawRuler(pDC);
    if (m_pLoadModel) {
        if (!m_pLoadModel->m_vUDL.empty())
            DrawUniformLoads(pDC);
        if (!m_pLoadModel->m_vPUDL.empty())
            DrawPartialLoads(pDC);
        if (!m_pLoadModel->m_vPL.empty()) {
            DrawWheels(pDC);
            DrawPointLoads(pDC);
        }
    }
    if (m_bDrawEdge)
        DrawClientEdge(pDC);
}

int CDrawLoadModelCtrl::LogicalTextHeight(CDC* pDC) const
{
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    return std::abs(pDC->ScaleDeviceHeightToLogical(tm.tmHeight));
}

int CDrawLoadModelCtrl::LogicalTextWidth(CDC* pDC, const std::wstring& text) const
{
    SIZE s{pDC->GetTextExtent(text).cx, 0};
    pDC->DPtoLP(&s);
    return std::abs(s.cx);
}

void CDrawLoadModelCtrl::TextAt(CDC* pDC, int x, int y, const std::wstring& text, UINT nAlign)
{
    POINT p{x, y};
    pDC->LPtoDP(&p);
    WithDeviceMapping(pDC, [&] {
        pDC->SetTextAlign(nAlign | TA_TOP);
        pDC->TextOut(p.x, p.y, text);
    });
}

void CDrawLoadModelCtrl::DrawRuler(CDC* pDC)
{
    const auto& clr = Colours();
    const int h = LogicalTextHeight(pDC);
    CPen solid(PS_SOLID, 0, clr.CLR_LM_BASELINE);
    CPen dotted(PS_DOT, 0, clr.CLR_LM_GRIDLINE);
    CPen* pOldPen = pDC->SelectObject(&dotted);
    pDC->SetTextColor(clr.CLR_LM_GRIDLINE);

    const double left = -std::round(m_nExtentX / m_dScale) * m_dScale;
    const std::wstring leftLabel = std::to_wstring(Round(left / m_dScale));
    int k = 1;
    while (LogicalTextWidth(pDC, leftLabel) > m_dScale * k)
        ++k;
    const double tick = m_dScale * k;
    for (double x = std::round(m_dMargin / tick + 0.5) * tick; x > left; x -= tick) {
        const int X = Round(x);
        pDC->MoveTo(X, 0);
        pDC->LineTo(X, m_nExtentY);
        TextAt(pDC, X, m_nExtentY - h, std::to_wstring(Round(x / m_dScale)), TA_CENTER);
    }

    POINT centre{m_rcClient.Width() / 2, 0};
    pDC->DPtoLP(&centre);
    const int c = centre.x;
    const int A = Round(1.5 * m_dScale * m_dHalfHeight);
    const int y = m_nExtentY - 3 * h;
    const int d = m_pLoadModel && m_pLoadModel->m_Direction == TD_REVERSE ? -1 : 1;
    pDC->SelectObject(&solid);
    DrawArrow(pDC, c - d * A, y, c + d * A, y, 0.25 * A, 0.0625 * A);

    pDC->SetTextColor(clr.CLR_LM_TEXT);
    const int yText = Round(y + 0.5 * h);
    TextAt(pDC, c, yText, L"Direction of Travel", TA_CENTER);
    if (m_pLoadModel && m_bShowDescription) {
        POINT leftEdge{0, 0};
        pDC->DPtoLP(&leftEdge);
        TextAt(pDC, leftEdge.x, yText, m_pLoadModel->GetDescription(), TA_LEFT);
    }

    pDC->MoveTo(Round(m_dMargin), 0);
    pDC->LineTo(-m_nExtentX, 0);
    pDC->SelectObject(pOldPen);
}

void CDrawLoadModelCtrl::DrawPointLoads(CDC* pDC)
{
    const CLoadPaint paint(pDC, Colours().CLR_LM_PL);
    const double largest = LargestMagnitude(m_pLoadModel->m_vPL);
    const double base = m_dWheelScale * m_dScale * m_dHalfHeight;
    const int h = LogicalTextHeight(pDC);
    for (const CLoadModel::PointLoad& pl : m_pLoadModel->m_vPL) {
        const double P = pl.magnitude;
        const double len = ScaledHeight(m_dPLScale * m_dScale * m_dHalfHeight, P, largest);
        const int X = Round(m_dScale * DrawnLocation(pl.location));
        const int top = Round(base + len);
        if (P > 0)
            DrawArrow(pDC, X, top, X, Round(base), len / 3, len / 12);
        else
            DrawArrow(pDC, X, Round(base), X, top, len / 3, len / 12);
        if (m_bShowValues) {
            pDC->SetTextColor(Colours().CLR_LM_TEXT);
            TextAt(pDC, X, top + h / 2, FormatDoubleCW("%.2f", P), TA_CENTER);
        }
    }
}

// A block of load at height H: its top line from (x1, H) to (x2, H), and nArrows + 1
// arrows spaced evenly leftwards from xRight over a width of `width`, pointing down onto
// the baseline for a positive load, up from it otherwise.
void CDrawLoadModelCtrl::DrawLoadBlock(CDC* pDC, double x1, double x2, double xRight, double width, int nArrows,
                                       double H, bool bPositive)
{
    const int y = Round(H);
    pDC->MoveTo(Round(x1), y);
    pDC->LineTo(Round(x2), y);
    for (int j = 0; j <= nArrows; ++j) {
        const int x = Round(xRight - j * width / nArrows);
        if (bPositive)
            DrawArrow(pDC, x, y, x, 0, H / 3, H / 12);
        else
            DrawArrow(pDC, x, 0, x, y, H / 3, H / 12);
    }
}

void CDrawLoadModelCtrl::DrawUniformLoads(CDC* pDC)
{
    const CLoadPaint paint(pDC, Colours().CLR_LM_UDL);
    const double largest = LargestMagnitude(m_pLoadModel->m_vUDL);
    for (const CLoadModel::UniformLoad& udl : m_pLoadModel->m_vUDL) {
        const double H = ScaledHeight(m_dUDLScale * m_dScale * m_dHalfHeight, udl.magnitude, largest);
        DrawLoadBlock(pDC, m_dMargin, -m_nExtentX, m_dMargin, m_nExtentX, 20, H, udl.magnitude > 0);
    }
}

void CDrawLoadModelCtrl::DrawPartialLoads(CDC* pDC)
{
    const CLoadPaint paint(pDC, Colours().CLR_LM_PUDL);
    const double largest = LargestMagnitude(m_pLoadModel->m_vPUDL);
    for (unsigned i = 0; i < m_pLoadModel->m_vPUDL.size(); ++i) {
        double gamma = 0, w = 0, x = 0, cover = 0;
        m_pLoadModel->GetPartialUDL(i, gamma, w, x, cover); // already mirrored for reverse travel
        const double H = ScaledHeight(m_dPUDLScale * m_dScale * m_dHalfHeight, w, largest);
        const double X1 = m_dScale * x, X2 = X1 + m_dScale * cover;
        DrawLoadBlock(pDC, X1, X2, X2, m_dScale * cover, 15, H, w > 0);
    }
}

void CDrawLoadModelCtrl::DrawWheels(CDC* pDC)
{
    const CLoadPaint paint(pDC, Colours().CLR_LM_WHEEL);
    const double D = m_dWheelScale * m_dScale * m_dHalfHeight;
    const int r = Round(m_dHubScale * D);
    for (const CLoadModel::PointLoad& pl : m_pLoadModel->m_vPL) {
        const double X = m_dScale * DrawnLocation(pl.location);
        const int left = Round(X - D / 2), right = Round(X + D / 2), top = Round(D);
        pDC->Ellipse(left, top, right, 0);
        CBrush* pWheelBrush = pDC->SelectObject(paint.OldBrush());
        pDC->Ellipse(left + r, top - r, right - r, r);
        pDC->SelectObject(pWheelBrush);
    }
}
