#pragma once
#include "ChartSerieBase.h"
#include "ChartXYPoint.h"

// A series of XY points.
class CChartXYSerie : public CChartSerieBase<SChartXYPoint> {
public:
    explicit CChartXYSerie(CChartCtrl* pParent) : CChartSerieBase<SChartXYPoint>(pParent) {}

    // Stores the point, lets the axes follow it and draws only the new segment.
    void AddPoint(double x, double y);
};
