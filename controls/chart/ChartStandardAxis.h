#pragma once
#include "ChartAxis.h"

// Numeric axis: ticks at multiples of an increment of 1, 2 or 5 times a power of ten.
class CChartStandardAxis : public CChartAxis {
public:
    CChartStandardAxis() = default;

    double GetFirstTickValue() const override;
    bool GetNextTickValue(double currentTick, double& nextTick) const override;
    int TickValueToScreen(double tickValue) const override;
    int GetTickPos(double value) const override;
    std::wstring FormatTickValue(double tickValue) const override;
    void ComputeTickStep() override;
    void RefreshFirstTick() override;

    double m_dFirstTickValue = 0.0;
    double m_dTickIncrement = 1.0;
    unsigned m_uDecCount = 2;
};
