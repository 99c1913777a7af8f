#pragma once
// A chart axis of the result graphs: its tick labels show at least the settings' decimal
// places for the quantity it carries (more only where the tick step needs them), and a
// horizontal axis spaces its ticks so that those labels do not run into each other.
#include "controls/chart/ChartStandardAxis.h"

class CPlotAxis : public CChartStandardAxis {
public:
    std::wstring FormatTickValue(double tickValue) const override;
    void ComputeTickStep() override;

    unsigned m_uMinDecimals = 0;
};
