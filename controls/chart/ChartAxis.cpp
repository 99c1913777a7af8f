#include "ChartAxis.h"

#include <algorithm>
#include <cmath>

#include "ChartAxisLabel.h"
#include "ChartCtrl.h"
#include "ChartGrid.h"
#include "ChartScrollBar.h"
#include "ChartSerie.h"

namespace {
// A range narrower than this is treated as a single value and never divided by.
constexpr double kDegenerateRange = 1e-15;
// Pixel offsets are clamped far outside any window before they become an int, so that a
// deep zoom cannot overflow and a line to a far point stays short to draw.
constexpr double kMaxPixelOffset = 32767;
}

CChartAxis::CChartAxis() : m_pAxisGrid(new CChartGrid), m_pAxisLabel(new CChartAxisLabel) {}

CChartAxis::~CChartAxis()
{
    delete m_pAxisGrid;
    delete m_pAxisLabel;
    delete m_pScrollBar;
}

void CChartAxis::SetDiscrete(bool bDiscrete)
{
    m_bDiscrete = bDiscrete;
    if (m_pParentCtrl)
        m_pParentCtrl->RefreshCtrl();
}

bool CChartAxis::IsRangeDegenerate() const
{
    return std::fabs(m_MaxValue - m_MinValue) < kDegenerateRange;
}

int CChartAxis::GetAxisLength() const
{
    return std::abs(m_EndPos - m_StartPos);
}

int CChartAxis::ValueToScreen(double value) const
{
    const double length = GetAxisLength();
    double offset = std::floor(length * (value - m_MinValue) / (m_MaxValue - m_MinValue));
    if (std::isnan(offset))
        offset = 0;
    const int pixels = static_cast<int>(std::clamp(offset, -kMaxPixelOffset, kMaxPixelOffset));
    if (m_bIsHorizontal)
        return m_bIsInverted ? m_EndPos - pixels : m_StartPos + pixels;
    return m_bIsInverted ? m_EndPos + pixels : m_StartPos - pixels;
}

double CChartAxis::ScreenToValue(int screenVal) const
{
    const int length = GetAxisLength();
    if (IsRangeDegenerate() || length == 0)
        return m_MinValue;
    int distance;
    if (m_bIsHorizontal)
        distance = m_bIsInverted ? m_EndPos - screenVal : screenVal - m_StartPos;
    else
        distance = m_bIsInverted ? screenVal - m_EndPos : m_StartPos - screenVal;
    return static_cast<double>(distance) / length * (m_MaxValue - m_MinValue) + m_MinValue;
}

int CChartAxis::GetPosition(double value) const
{
    if (IsRangeDegenerate()) {
        const int half = static_cast<int>(std::fabs((m_EndPos - m_StartPos) * 0.5));
        return m_bIsHorizontal ? m_StartPos + half : m_StartPos - half;
    }
    if (m_bDiscrete)
        return GetTickPos(value);
    return ValueToScreen(value);
}

void CChartAxis::SetZoomMinMax(double minimum, double maximum)
{
    if (!m_bZoomEnabled || IsRangeDegenerate())
        return;
    m_MinValue = minimum;
    m_MaxValue = (maximum - minimum < m_dZoomLimit) ? minimum + m_dZoomLimit : maximum;
    if (m_pScrollBar)
        m_pScrollBar->Refresh();
}

void CChartAxis::PanAxis(int oldPixel, int newPixel)
{
    const double offset = ScreenToValue(oldPixel) - ScreenToValue(newPixel);
    SetZoomMinMax(m_MinValue + offset, m_MaxValue + offset);
}

void CChartAxis::GetScrollbarSteps(int& steps, int& pageSize) const
{
    // The scroll bars stay hidden; they have one step and one page.
    steps = 1;
    pageSize = 1;
}

void CChartAxis::Scroll(unsigned /*scrollCode*/, int /*position*/) {}

void CChartAxis::RegisterSeries(CChartSerie* pSeries)
{
    if (std::find(m_lstSeries.begin(), m_lstSeries.end(), pSeries) == m_lstSeries.end())
        m_lstSeries.push_back(pSeries);
}

void CChartAxis::UnregisterSeries(CChartSerie* pSeries)
{
    auto it = std::find(m_lstSeries.begin(), m_lstSeries.end(), pSeries);
    if (it != m_lstSeries.end())
        m_lstSeries.erase(it);
}

bool CChartAxis::GetMinMaxFromSeries(double& minimum, double& maximum) const
{
    minimum = 0;
    maximum = 0;
    bool first = true;
    bool any = false;
    for (const CChartSerie* pSeries : m_lstSeries) {
        double seriesMin = 0, seriesMax = 0;
        bool valid;
        if (m_AutoMode == ScreenAutomatic)
            valid = m_bIsHorizontal ? pSeries->GetSerieXScreenMinMax(seriesMin, seriesMax)
                                    : pSeries->GetSerieYScreenMinMax(seriesMin, seriesMax);
        else
            valid = m_bIsHorizontal ? pSeries->GetSerieXMinMax(seriesMin, seriesMax)
                                    : pSeries->GetSerieYMinMax(seriesMin, seriesMax);
        if (valid) {
            if (first) {
                minimum = seriesMin;
                maximum = seriesMax;
            } else {
                minimum = std::min(minimum, seriesMin);
                maximum = std::max(maximum, seriesMax);
            }
            any = true;
        }
        first = false;
    }
    return any;
}

void CChartAxis::RefreshAutoAxis()
{
    if (m_pScrollBar)
        m_pScrollBar->Refresh();
    if (m_AutoMode == NotAutomatic)
        return;
    double minimum = 0, maximum = 0;
    GetMinMaxFromSeries(minimum, maximum);
    if (minimum == m_MinValue && maximum == m_MaxValue)
        return;
    m_MinValue = m_UnzoomMin = minimum;
    m_MaxValue = m_UnzoomMax = maximum;
    if (m_pScrollBar)
        m_pScrollBar->Refresh();
    if (m_pParentCtrl)
        m_pParentCtrl->RefreshCtrl();
}

void CChartAxis::SetParent(CChartCtrl* pParent)
{
    m_pParentCtrl = pParent;
    m_pAxisGrid->m_pParentCtrl = pParent;
    m_pAxisLabel->m_pParentCtrl = pParent;
}

void CChartAxis::SetHorizontal(bool bHorizontal)
{
    m_bIsHorizontal = bHorizontal;
    m_pAxisGrid->m_bIsHorizontal = bHorizontal;
    m_pAxisLabel->SetHorizontal(bHorizontal);
}

void CChartAxis::SetSecondary(bool bSecondary)
{
    m_bIsSecondary = bSecondary;
}

void CChartAxis::CreateScrollBar()
{
    delete m_pScrollBar;
    m_pScrollBar = new CChartScrollBar(this);
    m_pScrollBar->CreateScrollBar(m_pParentCtrl ? m_pParentCtrl->GetPlottingRect() : CRect());
}

void CChartAxis::UpdateScrollBarPos()
{
    if (m_pScrollBar && m_pParentCtrl)
        m_pScrollBar->UpdatePosition(m_pParentCtrl->GetPlottingRect());
}

void CChartAxis::SetAxisSize(const CRect& controlRect, const CRect& marginRect)
{
    m_AxisRect = controlRect;
    if (m_bIsHorizontal) {
        m_StartPos = marginRect.left;
        m_EndPos = marginRect.right;
        if (m_bIsSecondary)
            m_AxisRect.bottom = marginRect.top;
        else
            m_AxisRect.top = marginRect.bottom;
    } else {
        m_StartPos = marginRect.bottom;
        m_EndPos = marginRect.top;
        if (m_bIsSecondary)
            m_AxisRect.left = marginRect.right;
        else
            m_AxisRect.right = marginRect.left;
    }
}

CSize CChartAxis::GetLargestTick(CDC* pDC)
{
    CFont font;
    font.CreatePointFont(m_nFontSize, m_strFontName.c_str(), pDC);
    CFont* pOldFont = pDC->SelectObject(&font);
    CSize largest(0, 0);
    auto measure = [&](double value) {
        const CSize size = pDC->GetTextExtent(FormatTickValue(value));
        largest.cx = std::max(largest.cx, size.cx);
        largest.cy = std::max(largest.cy, size.cy);
    };
    if (IsRangeDegenerate()) {
        measure(m_MinValue);
    } else {
        auto onAxis = [this](int pixel) {
            return m_bIsHorizontal ? (m_StartPos <= pixel && pixel <= m_EndPos)
                                   : (m_EndPos <= pixel && pixel <= m_StartPos);
        };
        double tick = GetFirstTickValue();
        for (;;) {
            if (onAxis(GetPosition(tick)))
                measure(tick);
            double next = 0;
            if (!GetNextTickValue(tick, next))
                break;
            tick = next;
        }
    }
    pDC->SelectObject(pOldFont);
    return largest;
}

CSize CChartAxis::GetLabelSize(CDC* pDC)
{
    return m_pAxisLabel->GetSize(pDC);
}

void CChartAxis::ClipMargin(CRect& plottingRect, CDC* pDC, const CRect& controlRect)
{
    if (!m_bIsVisible)
        return;
    const CSize largest = GetLargestTick(pDC);
    const CSize title = GetLabelSize(pDC);
    if (m_bIsHorizontal) {
        if (m_bAutoMargin)
            m_iMarginSize = largest.cy + 6 + title.cy;
        if (m_bIsSecondary)
            plottingRect.top = std::max(plottingRect.top, controlRect.top + m_iMarginSize);
        else
            plottingRect.bottom = std::min(plottingRect.bottom, controlRect.bottom - m_iMarginSize);
        // Room for the half of the last label that reaches past the axis end.
        plottingRect.right = std::min(plottingRect.right, controlRect.right - 3 - largest.cx / 2);
    } else {
        if (m_bAutoMargin)
            m_iMarginSize = largest.cx + 10 + title.cx;
        plottingRect.top = std::max(plottingRect.top, controlRect.top + 3 + largest.cy / 2);
        if (m_bIsSecondary)
            plottingRect.right = std::min(plottingRect.right, controlRect.right - m_iMarginSize);
        else
            plottingRect.left = std::max(plottingRect.left, controlRect.left + m_iMarginSize);
    }
}

void CChartAxis::DrawLabel(CDC* pDC, const CSize& largestTick)
{
    const CSize size = GetLabelSize(pDC);
    const int middle = (m_StartPos + m_EndPos) / 2;
    CRect& rect = m_pAxisLabel->m_LabelRect;
    if (m_bIsHorizontal) {
        const int top = m_bIsSecondary ? m_AxisRect.top : m_AxisRect.top + largestTick.cy + 2;
        rect.SetRect(middle - size.cx / 2, top, middle - size.cx / 2 + size.cx, top + size.cy);
    } else {
        const int left = m_bIsSecondary ? m_AxisRect.right - size.cx - 2 : m_AxisRect.left;
        rect.SetRect(left, middle - size.cy / 2, left + size.cx, middle - size.cy / 2 + size.cy);
    }
    // No longer than the control is wide or high: the title shrinks to fit (Draw).
    if (m_bIsHorizontal) {
        rect.left = std::max(rect.left, m_AxisRect.left);
        rect.right = std::min(rect.right, m_AxisRect.right);
    } else {
        rect.top = std::max(rect.top, m_AxisRect.top);
        rect.bottom = std::min(rect.bottom, m_AxisRect.bottom);
    }
    m_pAxisLabel->Draw(pDC);
}

void CChartAxis::DrawTick(CDC* pDC, double tickValue)
{
    const int tickPos = TickValueToScreen(tickValue);
    const int labelPos = GetPosition(tickValue);
    const std::wstring text = FormatTickValue(tickValue);
    const CSize size = pDC->GetTextExtent(text);
    auto onAxis = [this](int pixel) {
        return m_bIsHorizontal ? (m_StartPos <= pixel && pixel <= m_EndPos)
                               : (m_EndPos <= pixel && pixel <= m_StartPos);
    };
    const bool tickShown = onAxis(tickPos);
    const bool labelShown = onAxis(labelPos);
    const UINT options = ETO_CLIPPED | ETO_OPAQUE;

    if (m_bIsHorizontal) {
        const int y = m_bIsSecondary ? m_AxisRect.bottom - 1 : m_AxisRect.top + 1;
        const int direction = m_bIsSecondary ? -1 : 1;
        if (tickShown) {
            pDC->MoveTo(tickPos, y);
            pDC->LineTo(tickPos, y + 3 * direction);
        }
        if (labelShown) {
            const int textTop = m_bIsSecondary ? m_AxisRect.bottom - size.cy - 5 : m_AxisRect.top + 5;
            pDC->ExtTextOut(labelPos - size.cx / 2, textTop, options, nullptr, text);
        }
    } else {
        const int x = m_bIsSecondary ? m_AxisRect.left + 1 : m_AxisRect.right - 1;
        const int direction = m_bIsSecondary ? 1 : -1;
        if (tickShown) {
            pDC->MoveTo(x, tickPos);
            pDC->LineTo(x + 3 * direction, tickPos);
        }
        if (labelShown) {
            const int textLeft =
                m_bIsSecondary ? m_AxisRect.left + 6 : m_AxisRect.left + 4 + m_pAxisLabel->m_LabelRect.Width();
            pDC->ExtTextOut(textLeft, labelPos - size.cy / 2, options, nullptr, text);
        }
    }
    m_pAxisGrid->AddTick(tickPos);
}

void CChartAxis::Draw(CDC* pDC)
{
    if (!m_bIsVisible || !pDC || !pDC->GetSafeHdc())
        return;
    CPen pen(PS_SOLID, 0, m_AxisColor);
    CPen* pOldPen = pDC->SelectObject(&pen);
    const CSize largestTick = GetLargestTick(pDC);
    CFont font;
    font.CreatePointFont(m_nFontSize, m_strFontName.c_str(), pDC);
    CFont* pOldFont = pDC->SelectObject(&font);
    const COLORREF oldColor = pDC->SetTextColor(m_TextColor);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);

    if (m_bIsHorizontal) {
        const int y = m_bIsSecondary ? m_AxisRect.bottom - 1 : m_AxisRect.top + 1;
        pDC->MoveTo(m_StartPos, y);
        pDC->LineTo(m_EndPos, y);
    } else {
        const int x = m_bIsSecondary ? m_AxisRect.left + 1 : m_AxisRect.right - 1;
        pDC->MoveTo(x, m_StartPos);
        pDC->LineTo(x, m_EndPos);
    }

    DrawLabel(pDC, largestTick);

    m_pAxisGrid->ClearTicks();
    if (!IsRangeDegenerate()) {
        double tick = GetFirstTickValue();
        DrawTick(pDC, tick);
        double next = 0;
        while (GetNextTickValue(tick, next)) {
            DrawTick(pDC, next);
            tick = next;
        }
    } else {
        DrawTick(pDC, m_MinValue);
    }
    m_pAxisGrid->Draw(pDC);

    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColor);
    pDC->SelectObject(pOldFont);
    pDC->SelectObject(pOldPen);
}
