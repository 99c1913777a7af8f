#pragma once
// A chart axis of the result graphs: its tick labels show at least the settings' decimal
// places for the quantity it carries, and more only where the tick step needs them.
#include "controls/chart/ChartStandardAxis.h"

class CPlotAxis : public CChartStandardAxis
{
public:
    std::wstring FormatTickValue(double tickValue) const override;

    unsigned m_uMinDecimals = 0;
};
