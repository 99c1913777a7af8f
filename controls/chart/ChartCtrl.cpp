#include "ChartCtrl.h"

#include <algorithm>

#include "ChartAxis.h"
#include "ChartAxisLabel.h"
#include "ChartGrid.h"
#include "ChartLegend.h"
#include "ChartLineSerie.h"
#include "ChartScrollBar.h"
#include "ChartStandardAxis.h"
#include "ChartTitle.h"
#include "platform/win/Keys.h"
#include "platform/wnd/PaintDC.h"

CChartCtrl::CChartCtrl()
    : m_BackGradientCol1(GetSysColor(COLOR_BTNFACE)),
      m_BackGradientCol2(GetSysColor(COLOR_BTNFACE)),
      m_BackColor(GetSysColor(COLOR_BTNFACE)),
      m_pLegend(new CChartLegend(this)),
      m_pTitle(new CChartTitle)
{
    // The window class needs no registration here: painting erases nothing and double
    // clicks always arrive.
}

CChartCtrl::~CChartCtrl()
{
    // Series first: each one leaves its axes' lists.
    for (auto& entry : m_mapSeries)
        delete entry.second;
    m_mapSeries.clear();
    for (CChartAxis*& pAxis : m_pAxes) {
        delete pAxis;
        pAxis = nullptr;
    }
    delete m_pLegend;
    delete m_pTitle;
    DeleteBackground();
    DestroyWindow();
}

CChartStandardAxis* CChartCtrl::CreateStandardAxis(int side)
{
    if (side < 0 || side > 3)
        return nullptr;
    auto* pAxis = new CChartStandardAxis;
    pAxis->m_dFirstTickValue = 0.0;
    pAxis->m_dTickIncrement = 1.0;
    pAxis->m_uDecCount = 2;
    AttachAxis(pAxis, side);
    return pAxis;
}

void CChartCtrl::AttachAxis(CChartAxis* pAxis, int side)
{
    if (side < 0 || side > 3 || !pAxis || m_pAxes[side] == pAxis)
        return;
    pAxis->SetParent(this);
    pAxis->SetSecondary(side == RightAxis || side == TopAxis);
    pAxis->SetHorizontal(side == BottomAxis || side == TopAxis);
    pAxis->CreateScrollBar();

    CChartAxis* pOld = m_pAxes[side];
    m_pAxes[side] = pAxis;
    if (pOld) {
        // Series drawn against the replaced axis move to the new one instead of keeping a
        // pointer to a deleted axis.
        for (auto& entry : m_mapSeries) {
            CChartSerie* pSerie = entry.second;
            if (pSerie->m_pVerticalAxis == pOld)
                pSerie->m_pVerticalAxis = pAxis;
            if (pSerie->m_pHorizontalAxis == pOld)
                pSerie->m_pHorizontalAxis = pAxis;
        }
        for (CChartSerie* pSerie : pOld->m_lstSeries)
            pAxis->RegisterSeries(pSerie);
        delete pOld;
    }
}

CChartLineSerie* CChartCtrl::CreateLineSerie(bool /*bSecondaryHorz*/, bool /*bSecondaryVert*/)
{
    if (!m_pAxes[LeftAxis] || !m_pAxes[BottomAxis])
        return nullptr;
    auto* pSerie = new CChartLineSerie(this);
    pSerie->m_iLineWidth = 1;
    pSerie->m_iPenStyle = PS_SOLID;
    pSerie->m_bShowMarkers = false;
    pSerie->m_iMarkerSize = 8;
    pSerie->m_MarkerBorderColor = 0;
    RegisterSerie(pSerie);
    return pSerie;
}

void CChartCtrl::RegisterSerie(CChartSerie* pSerie)
{
    pSerie->m_PlottingRect = m_PlottingRect;
    pSerie->m_SerieColor = m_DefaultColors[m_mapSeries.size() % 10];
    pSerie->m_pVerticalAxis = m_pAxes[LeftAxis];
    pSerie->m_pHorizontalAxis = m_pAxes[BottomAxis];
    m_mapSeries[pSerie->GetSerieId()] = pSerie;

    EnableRefresh(false);
    for (CChartAxis* pAxis : {m_pAxes[LeftAxis], m_pAxes[BottomAxis]}) {
        if (pAxis) {
            pAxis->RegisterSeries(pSerie);
            pAxis->RefreshAutoAxis();
        }
    }
    RefreshCtrl();
    EnableRefresh(true);
}

void CChartCtrl::RemoveSerie(unsigned uSerieId)
{
    auto it = m_mapSeries.find(uSerieId);
    if (it == m_mapSeries.end())
        return;
    CChartSerie* pSerie = it->second;
    m_mapSeries.erase(it);

    EnableRefresh(false);
    CChartAxis* pVertical = pSerie->m_pVerticalAxis;
    CChartAxis* pHorizontal = pSerie->m_pHorizontalAxis;
    for (CChartAxis* pAxis : {pVertical, pHorizontal})
        if (pAxis)
            pAxis->UnregisterSeries(pSerie);
    for (CChartAxis* pAxis : {pVertical, pHorizontal})
        if (pAxis)
            pAxis->RefreshAutoAxis();
    delete pSerie;
    RefreshCtrl();
    EnableRefresh(true);
}

void CChartCtrl::RemoveAllSeries()
{
    for (auto& entry : m_mapSeries)
        delete entry.second;
    m_mapSeries.clear();
    RefreshCtrl();
}

CChartSerie* CChartCtrl::GetSerie(unsigned uSerieId) const
{
    auto it = m_mapSeries.find(uSerieId);
    return it == m_mapSeries.end() ? nullptr : it->second;
}

void CChartCtrl::EnableRefresh(bool bEnable)
{
    if (bEnable)
        ++m_nRefreshCounter;
    else
        --m_nRefreshCounter;
    if (m_nRefreshCounter >= 1 && m_bPendingRefresh) {
        m_bPendingRefresh = false;
        RefreshCtrl();
    }
}

void CChartCtrl::DeleteBackground()
{
    m_BackgroundDC.DeleteDC();
    m_BackgroundBitmap.DeleteObject();
}

CDC* CChartCtrl::GetMemoryDC()
{
    if (!m_BackgroundDC.GetSafeHdc() || !m_BackgroundDC.GetCurrentBitmap())
        return nullptr;
    return &m_BackgroundDC;
}

void CChartCtrl::InvalidateChart()
{
    if (GetSafeHwnd())
        Invalidate();
}

void CChartCtrl::RefreshCtrl()
{
    if (!GetSafeHwnd())
        return;
    if (m_nRefreshCounter < 1) {
        m_bPendingRefresh = true;
        return;
    }
    CRect client;
    GetClientRect(&client);
    m_PlottingRect = client;
    // A window without area has nothing to show and gets no picture.
    if (client.IsRectEmpty()) {
        DeleteBackground();
        Invalidate();
        return;
    }
    if (!GetMemoryDC() || m_BackgroundBitmap.Width() != client.Width() ||
        m_BackgroundBitmap.Height() != client.Height()) {
        DeleteBackground();
        CClientDC clientDC(this);
        m_BackgroundDC.CreateCompatibleDC(&clientDC);
        m_BackgroundBitmap.CreateCompatibleBitmap(&clientDC, client.Width(), client.Height());
        m_BackgroundDC.SelectObject(&m_BackgroundBitmap);
    }

    DrawBackground(&m_BackgroundDC, client);
    client.DeflateRect(3, 3);
    DrawChart(&m_BackgroundDC, client);
    for (CChartAxis* pAxis : m_pAxes)
        if (pAxis)
            pAxis->UpdateScrollBarPos();
    Invalidate();
}

void CChartCtrl::UndoPanZoom()
{
    EnableRefresh(false);
    for (CChartAxis* pAxis : m_pAxes) {
        if (!pAxis)
            continue;
        pAxis->m_MinValue = pAxis->m_UnzoomMin;
        pAxis->m_MaxValue = pAxis->m_UnzoomMax;
        if (pAxis->m_pScrollBar)
            pAxis->m_pScrollBar->Refresh();
        RefreshCtrl();
    }
    EnableRefresh(true);
}

void CChartCtrl::RefreshScreenAutoAxes()
{
    for (CChartAxis* pAxis : m_pAxes) {
        if (!pAxis)
            continue;
        if (pAxis->m_pScrollBar)
            pAxis->m_pScrollBar->Refresh();
        if (pAxis->m_AutoMode == CChartAxis::ScreenAutomatic)
            pAxis->RefreshAutoAxis();
    }
}

void CChartCtrl::PrintChart(CDC* /*pDC*/) {}

void CChartCtrl::CreatePrinterFonts(CDC* /*pDC*/) {}

void CChartCtrl::PrepareDC(CDC* /*pDC*/) {}

void CChartCtrl::ReleaseFonts()
{
    // No print font is ever made: the axes build their fonts for the DC they draw on.
    RefreshCtrl();
}

void CChartCtrl::DrawBackground(CDC* pDC, CRect rect)
{
    if (m_bBackGradient) {
        const int halfWidth = rect.Width() / 2;
        const int halfHeight = rect.Height() / 2;
        switch (m_BackGradientType) {
        case 0: pDC->GradientFill(rect, m_BackGradientCol1, m_BackGradientCol2, GRADIENT_FILL_RECT_H); break;
        case 2: {
            const CRect left(rect.left, rect.top, rect.left + halfWidth, rect.bottom);
            const CRect right(rect.left + halfWidth, rect.top, rect.right, rect.bottom);
            pDC->GradientFill(left, m_BackGradientCol1, m_BackGradientCol2, GRADIENT_FILL_RECT_H);
            pDC->GradientFill(right, m_BackGradientCol2, m_BackGradientCol1, GRADIENT_FILL_RECT_H);
            break;
        }
        case 3: {
            const CRect top(rect.left, rect.top, rect.right, rect.top + halfHeight);
            const CRect bottom(rect.left, rect.top + halfHeight, rect.right, rect.bottom);
            pDC->GradientFill(top, m_BackGradientCol1, m_BackGradientCol2, GRADIENT_FILL_RECT_V);
            pDC->GradientFill(bottom, m_BackGradientCol2, m_BackGradientCol1, GRADIENT_FILL_RECT_V);
            break;
        }
        case 1:
        default: pDC->GradientFill(rect, m_BackGradientCol1, m_BackGradientCol2, GRADIENT_FILL_RECT_V); break;
        }
    } else {
        pDC->SetBkColor(m_BackColor);
        CBrush brush(m_BackColor);
        pDC->FillRect(rect, &brush);
    }
    pDC->DrawEdge(rect, static_cast<UINT>(m_EdgeType), BF_RECT);
}

void CChartCtrl::DrawChart(CDC* pDC, CRect chartRect)
{
    m_PlottingRect = chartRect;

    const int titleHeight = m_pTitle->GetHeight(pDC);
    m_pTitle->SetRect(CRect(chartRect.left, chartRect.top, chartRect.right, chartRect.top + titleHeight));
    m_pTitle->Draw(pDC);
    chartRect.top += titleHeight;

    m_pLegend->ClipArea(chartRect, pDC);
    m_PlottingRect = chartRect;

    // The first pass finds the room the axes need; the second places and draws them in the
    // final plotting area.
    for (CChartAxis* pAxis : m_pAxes) {
        if (!pAxis)
            continue;
        pAxis->SetAxisSize(chartRect, m_PlottingRect);
        pAxis->ComputeTickStep();
        pAxis->RefreshFirstTick();
        pAxis->ClipMargin(m_PlottingRect, pDC, chartRect);
    }
    for (CChartAxis* pAxis : m_pAxes) {
        if (!pAxis)
            continue;
        pAxis->SetAxisSize(chartRect, m_PlottingRect);
        pAxis->ComputeTickStep();
        pAxis->RefreshFirstTick();
        pAxis->Draw(pDC);
    }

    CPen borderPen(PS_SOLID, 0, m_BorderColor);
    CPen* pOldPen = pDC->SelectObject(&borderPen);
    pDC->MoveTo(m_PlottingRect.left, m_PlottingRect.top);
    pDC->LineTo(m_PlottingRect.right, m_PlottingRect.top);
    pDC->LineTo(m_PlottingRect.right, m_PlottingRect.bottom);
    pDC->LineTo(m_PlottingRect.left, m_PlottingRect.bottom);
    pDC->LineTo(m_PlottingRect.left, m_PlottingRect.top);
    pDC->SelectObject(pOldPen);

    for (auto& entry : m_mapSeries) {
        CChartSerie* pSerie = entry.second;
        CRect serieRect = m_PlottingRect;
        serieRect.right += 1;
        serieRect.bottom += 1;
        pSerie->m_PlottingRect = serieRect;
        pSerie->DrawAll(pDC);
    }

    pDC->SelectClipRgn(nullptr);
    m_pLegend->Draw(pDC);
}

void CChartCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (!m_bMemDCCreated) {
        RefreshCtrl();
        m_bMemDCCreated = true;
    }
    CRect client;
    GetClientRect(&client);
    if (CDC* pMemory = GetMemoryDC())
        dc.BitBlt(0, 0, client.Width(), client.Height(), pMemory, 0, 0, SRCCOPY);

    if (m_bZoomEnabled && m_bLMouseDown) {
        CPen pen(PS_SOLID, 1, m_ZoomRectColor);
        CPen* pOldPen = dc.SelectObject(&pen);
        const CRect& r = m_rectZoomArea;
        dc.MoveTo(r.left, r.top);
        dc.LineTo(r.right, r.top);
        dc.LineTo(r.right, r.bottom);
        dc.LineTo(r.left, r.bottom);
        dc.LineTo(r.left, r.top);
        dc.SelectObject(pOldPen);
    }
}

BOOL CChartCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
    // The whole client area comes from the off-screen picture.
    return FALSE;
}

void CChartCtrl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    DeleteBackground();
    RefreshCtrl();
}

void CChartCtrl::SendMouseEvent(int mouseEvent, const CPoint& point)
{
    for (auto it = m_mapSeries.rbegin(); it != m_mapSeries.rend(); ++it) {
        // A listener may remove the series that took the event: stop at once.
        if (it->second->OnMouseEvent(mouseEvent, point))
            return;
    }
}

void CChartCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bRMouseDown && m_bPanEnabled && point != m_PanAnchor) {
        EnableRefresh(false);
        for (int side : {LeftAxis, RightAxis})
            if (m_pAxes[side])
                m_pAxes[side]->PanAxis(m_PanAnchor.y, point.y);
        for (int side : {BottomAxis, TopAxis})
            if (m_pAxes[side])
                m_pAxes[side]->PanAxis(m_PanAnchor.x, point.x);
        RefreshCtrl();
        EnableRefresh(true);
        UpdateWindow();
        m_PanAnchor = point;
    }

    if (m_bLMouseDown && m_bZoomEnabled) {
        m_rectZoomArea.BottomRight() = point;
        Invalidate();
    }

    // Scroll bars show while the mouse is over them, when enabled.
    CPoint screenPoint = point;
    ClientToScreen(&screenPoint);
    for (CChartAxis* pAxis : m_pAxes) {
        CChartScrollBar* pBar = pAxis ? pAxis->m_pScrollBar : nullptr;
        if (pBar && pBar->GetSafeHwnd() && pBar->IsEnabled() && pBar->IsAutoHide())
            pBar->ShowWindow(SW_HIDE);
    }
    for (CChartAxis* pAxis : m_pAxes) {
        CChartScrollBar* pBar = pAxis ? pAxis->m_pScrollBar : nullptr;
        if (!pBar || !pBar->GetSafeHwnd() || !pBar->IsEnabled() || !pBar->IsAutoHide())
            continue;
        CRect barRect;
        pBar->GetWindowRect(&barRect);
        if (barRect.PtInRect(screenPoint)) {
            pBar->ShowWindow(SW_SHOWNA);
            break;
        }
    }

    SetCursor(LoadStandardCursor(IDC_ARROW));
    SendMouseEvent(MouseMove, point);
    CWnd::OnMouseMove(nFlags, point);
}

void CChartCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetCapture();
    if (m_bZoomEnabled) {
        m_bLMouseDown = true;
        m_rectZoomArea.TopLeft() = point;
        m_rectZoomArea.BottomRight() = point;
    }
    SendMouseEvent(LButtonDown, point);
    CWnd::OnLButtonDown(nFlags, point);
}

void CChartCtrl::ZoomToRect(const CRect& rect)
{
    for (CChartAxis* pAxis : m_pAxes) {
        if (!pAxis)
            continue;
        double minimum, maximum;
        if (pAxis->m_bIsHorizontal) {
            minimum = pAxis->ScreenToValue(rect.left);
            maximum = pAxis->ScreenToValue(rect.right);
        } else {
            minimum = pAxis->ScreenToValue(rect.bottom);
            maximum = pAxis->ScreenToValue(rect.top);
        }
        if (pAxis->m_bIsInverted)
            std::swap(minimum, maximum);
        pAxis->SetZoomMinMax(minimum, maximum);
    }
}

void CChartCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    ReleaseCapture();
    // Only a drag that began with a press in this chart zooms.
    const bool dragged = m_bLMouseDown;
    m_bLMouseDown = false;
    if (m_bZoomEnabled && dragged) {
        const CRect& r = m_rectZoomArea;
        if (r.left <= r.right && r.top <= r.bottom) {
            if (r.left != r.right && r.top != r.bottom) {
                ZoomToRect(r);
                RefreshCtrl();
            }
        } else {
            UndoPanZoom();
        }
        // Takes the rectangle off the screen.
        Invalidate();
    }
    SendMouseEvent(LButtonUp, point);
    CWnd::OnLButtonUp(nFlags, point);
}

bool CChartCtrl::IsDataPointAt(const CPoint& point) const
{
    for (const auto& entry : m_mapSeries) {
        int index = -1;
        if (entry.second->IsPointOnSerie(point, index) && index >= 0)
            return true;
    }
    return false;
}

void CChartCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A double click on a data point belongs to that point's series; anywhere else it
    // brings back the whole graph, as a drag up or to the left does.
    if (!IsDataPointAt(point))
        UndoPanZoom();
    SendMouseEvent(LButtonDoubleClick, point);
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CChartCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE) {
        if (m_bLMouseDown) {
            // Escape during a drag drops the rectangle and keeps the view.
            m_bLMouseDown = false;
            ReleaseCapture();
            Invalidate();
        } else {
            UndoPanZoom();
        }
        return;
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CChartCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    SetCapture();
    m_bRMouseDown = true;
    if (m_bPanEnabled)
        m_PanAnchor = point;
    SendMouseEvent(RButtonDown, point);
    CWnd::OnRButtonDown(nFlags, point);
}

void CChartCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    ReleaseCapture();
    m_bRMouseDown = false;
    SendMouseEvent(RButtonUp, point);
    CWnd::OnRButtonUp(nFlags, point);
}

void CChartCtrl::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    SendMouseEvent(RButtonDoubleClick, point);
    CWnd::OnRButtonDblClk(nFlags, point);
}

void CChartCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (auto* pBar = dynamic_cast<CChartScrollBar*>(pScrollBar))
        pBar->OnHScroll(nSBCode, nPos, nullptr);
    CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
    RefreshCtrl();
}

void CChartCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (auto* pBar = dynamic_cast<CChartScrollBar*>(pScrollBar))
        pBar->OnVScroll(nSBCode, nPos, nullptr);
    CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
    RefreshCtrl();
}
