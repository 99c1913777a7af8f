#pragma once
#include <map>

#include "ChartSeriesMouseListener.h"
#include "platform/gdi/DC.h"
#include "platform/wnd/Wnd.h"

class CChartAxis;
class CChartStandardAxis;
class CChartSerie;
class CChartLineSerie;
class CChartLegend;
class CChartTitle;

// An XY chart window: up to four axes, line series, a legend and a title; zoom by dragging
// with the left button (a drag up or to the left, a double click away from the points or
// Escape brings the whole graph back) and pan with the right one. Everything is drawn into an off-screen picture that painting
// copies to the screen.
class CChartCtrl : public CWnd {
public:
    enum { LeftAxis = 0, BottomAxis = 1, RightAxis = 2, TopAxis = 3 };

    CChartCtrl();
    ~CChartCtrl() override;

    CChartStandardAxis* CreateStandardAxis(int side);
    void AttachAxis(CChartAxis* pAxis, int side);
    CChartAxis* GetAxis(int side) const { return side >= 0 && side < 4 ? m_pAxes[side] : nullptr; }

    // Both arguments are ignored: every series is drawn against the left and bottom axes,
    // which must exist (null otherwise).
    CChartLineSerie* CreateLineSerie(bool bSecondaryHorz = false, bool bSecondaryVert = false);
    void RegisterSerie(CChartSerie* pSerie);
    void RemoveSerie(unsigned uSerieId);
    void RemoveAllSeries();
    CChartSerie* GetSerie(unsigned uSerieId) const;
    std::size_t GetSeriesCount() const { return m_mapSeries.size(); }

    // Calls nest: refresh is on while the counter is at least 1.
    void EnableRefresh(bool bEnable);
    void RefreshCtrl();
    // Back to the ranges of the last automatic or explicit setting.
    void UndoPanZoom();
    // Whether a visible series has one of its points (not only its line) under the pixel.
    bool IsDataPointAt(const CPoint& point) const;
    CChartLegend* GetLegend() const { return m_pLegend; }
    CChartTitle* GetTitle() const { return m_pTitle; }
    void RefreshScreenAutoAxes();

    virtual void PrintChart(CDC* pDC);
    virtual void CreatePrinterFonts(CDC* pDC);
    virtual void PrepareDC(CDC* pDC);
    virtual void ReleaseFonts();
    virtual void DrawChart(CDC* pDC, CRect chartRect);
    virtual void DrawBackground(CDC* pDC, CRect rect);

    CRect GetPlottingRect() const { return m_PlottingRect; }
    // The off-screen picture while it exists, for drawing a new segment into it.
    CDC* GetMemoryDC();
    // Schedules a repaint of the window from the off-screen picture.
    void InvalidateChart();

    static constexpr COLORREF m_DefaultColors[10] = {0x0000FF, 0x009600, 0xFF0000, 0x00FFFF, 0xFFFF00,
                                                     0x0080FF, 0x800080, 0x008080, 0xFF00FF, 0x808040};

    int m_nRefreshCounter = 1;
    bool m_bPendingRefresh = false;
    CDC m_BackgroundDC;
    bool m_bMemDCCreated = false;
    bool m_bBackGradient = false;
    COLORREF m_BackGradientCol1;
    COLORREF m_BackGradientCol2;
    int m_BackGradientType = 1;
    COLORREF m_BackColor;
    COLORREF m_BorderColor = 0;
    int m_EdgeType = EDGE_RAISED;
    CRect m_PlottingRect;
    std::map<unsigned, CChartSerie*> m_mapSeries;
    CChartAxis* m_pAxes[4] = {nullptr, nullptr, nullptr, nullptr};
    CChartLegend* m_pLegend;
    CChartTitle* m_pTitle;
    bool m_bPanEnabled = true;
    bool m_bRMouseDown = false;
    CPoint m_PanAnchor;
    bool m_bZoomEnabled = true;
    bool m_bLMouseDown = false;
    CRect m_rectZoomArea;
    COLORREF m_ZoomRectColor = 0;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnRButtonUp(UINT nFlags, CPoint point) override;
    void OnRButtonDblClk(UINT nFlags, CPoint point) override;
    // Escape shows the whole graph again (or drops a zoom rectangle being dragged).
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;

private:
    // Asks the series, the one drawn last first, until one takes the event.
    void SendMouseEvent(int mouseEvent, const CPoint& point);
    void ZoomToRect(const CRect& rect);
    void DeleteBackground();

    CBitmap m_BackgroundBitmap;
};
