#pragma once
#include "ChartSerieBase.h"
#include "ChartXYPoint.h"

#include <cstddef>

// A series of XY points.
class CChartXYSerie : public CChartSerieBase<SChartXYPoint> {
public:
    explicit CChartXYSerie(CChartCtrl* pParent) : CChartSerieBase<SChartXYPoint>(pParent) {}

    // Stores the point, lets the axes follow it and draws only the new segment.
    void AddPoint(double x, double y);
    // Stores n points at once and lets the axes follow them once: a series of a million
    // load positions is added in linear time.
    void AddPoints(const double* x, const double* y, std::size_t n, double yScale = 1.0);

private:
    // Lets the axes take in the points; false while the series has no chart.
    bool FollowAxes();
};
