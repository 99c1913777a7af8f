#pragma once
#include <string>

#include "platform/gdi/Rect.h"

class CDC;
class CChartCtrl;
class CChartAxis;

// One curve of a chart, drawn against one horizontal and one vertical axis.
class CChartSerie {
    friend class CChartCtrl;

public:
    explicit CChartSerie(CChartCtrl* pParent);
    CChartSerie(const CChartSerie&) = delete;
    CChartSerie& operator=(const CChartSerie&) = delete;

    virtual unsigned GetPointsCount() const = 0;
    virtual CPoint GetPointScreenCoord(unsigned index) const = 0;
    virtual bool GetSerieYMinMax(double& minimum, double& maximum) const = 0;
    virtual bool GetSerieXMinMax(double& minimum, double& maximum) const = 0;
    virtual bool GetSerieXScreenMinMax(double& minimum, double& maximum) const = 0;
    virtual bool GetSerieYScreenMinMax(double& minimum, double& maximum) const = 0;
    // Leaves both axes' series lists.
    virtual ~CChartSerie();
    virtual bool IsPointOnSerie(const CPoint& screenPoint, int& index) const = 0;
    virtual bool GetVisiblePoints(unsigned& first, unsigned& last) const = 0;
    virtual void DrawLegend(CDC* pDC, const CRect& rectBitmap) const = 0;
    virtual void Draw(CDC* pDC) = 0;
    virtual void DrawAll(CDC* pDC) = 0;
    virtual void DrawLabels(CDC* pDC) = 0;
    virtual bool OnMouseEvent(int mouseEvent, const CPoint& point) = 0;

    unsigned GetSerieId() const { return m_uSerieId; }
    // A point's pixel, each coordinate placed by its axis.
    CPoint ValueToScreen(double x, double y) const;

    CChartCtrl* m_pParentCtrl;
    CChartAxis* m_pVerticalAxis = nullptr;
    CChartAxis* m_pHorizontalAxis = nullptr;
    std::wstring m_strSerieName;
    bool m_bIsVisible = true;
    COLORREF m_SerieColor = 0;
    CRect m_PlottingRect;
    bool m_bMouseClickNotifications = true;
    bool m_bMouseMoveNotifications = false;

protected:
    unsigned m_uSerieId;

private:
    // Shared by every chart of the process and never reset, so ids are never reused.
    static unsigned m_uNextFreeId;
};
