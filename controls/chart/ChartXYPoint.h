#pragma once

// One point of an XY series. The third value travels with the point and is not read by the chart.
struct SChartXYPoint {
    double X = 0.0;
    double Y = 0.0;
    double Extra = 0.0;

    double GetX() const { return X; }
    double GetY() const { return Y; }
};
static_assert(sizeof(SChartXYPoint) == 24);
