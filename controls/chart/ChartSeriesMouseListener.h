#pragma once

// Mouse event codes passed from the chart to its series and on to their listeners.
enum ChartMouseEvent : int {
    MouseMove = 0,
    LButtonUp = 1,
    LButtonDown = 2,
    LButtonDoubleClick = 3,
    RButtonUp = 4,
    RButtonDown = 5,
    RButtonDoubleClick = 6,
};

template <class PointType>
class CChartSerieBase;

// Receives mouse events on the line of a series. pointIndex is -1 when the mouse is on a
// segment but not near either of its points.
template <class PointType>
class CChartSeriesMouseListener {
public:
    virtual ~CChartSeriesMouseListener() = default;
    virtual void OnMouseEventSeries(int /*mouseEvent*/, int /*x*/, int /*y*/, CChartSerieBase<PointType>* /*pSerie*/,
                                    int /*pointIndex*/)
    {
    }
};
