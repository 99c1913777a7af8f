#include "ChartStandardAxis.h"

#include <cmath>
#include <string>

#include "platform/base/CLocale.h"

double CChartStandardAxis::GetFirstTickValue() const
{
    if (m_bDiscrete)
        return m_dFirstTickValue - m_dTickIncrement;
    return m_dFirstTickValue;
}

bool CChartStandardAxis::GetNextTickValue(double currentTick, double& nextTick) const
{
    if (m_dTickIncrement == 0.0)
        return false;
    nextTick = currentTick + m_dTickIncrement;
    // Far from zero a small increment can vanish in rounding; a tick that does not advance ends the run.
    if (!(nextTick > currentTick))
        return false;
    return nextTick <= m_MaxValue;
}

int CChartStandardAxis::TickValueToScreen(double tickValue) const
{
    return ValueToScreen(tickValue);
}

int CChartStandardAxis::GetTickPos(double value) const
{
    if (m_dTickIncrement == 0.0)
        return ValueToScreen(value);
    const double epsilon = value < 0 ? -1e-10 : 1e-10;
    const double k = std::trunc((value + epsilon) / m_dTickIncrement);
    return ValueToScreen(k * m_dTickIncrement + m_dTickIncrement / 2);
}

std::wstring CChartStandardAxis::FormatTickValue(double tickValue) const
{
    const std::string format = "%." + std::to_string(m_uDecCount) + "f";
    std::wstring text = FormatDoubleCW(format.c_str(), tickValue);
    // Ticks are reached by repeated addition, so the tick at zero may come out as -1e-17.
    if (text.size() > 1 && text[0] == L'-' && text.find_first_not_of(L"-0.") == std::wstring::npos)
        text.erase(0, 1);
    return text;
}

void CChartStandardAxis::RefreshFirstTick()
{
    if (m_dTickIncrement == 0.0 || m_MinValue == 0.0) {
        m_dFirstTickValue = m_MinValue;
        return;
    }
    // In double: min / increment can exceed the range of int after a deep zoom.
    double first = std::trunc(m_MinValue / m_dTickIncrement) * m_dTickIncrement;
    if (m_MinValue > 0) {
        while (first < m_MinValue) {
            const double next = first + m_dTickIncrement;
            if (!(next > first))
                break;
            first = next;
        }
    } else {
        while (first > m_MinValue) {
            const double next = first - m_dTickIncrement;
            if (!(next < first))
                break;
            first = next;
        }
        if (first != m_MinValue)
            first += m_dTickIncrement;
    }
    m_dFirstTickValue = first;
}

void CChartStandardAxis::ComputeTickStep()
{
    if (!m_bAutoTicks)
        return;
    const double range = m_MaxValue - m_MinValue;
    if (std::fabs(range) < 1e-15) {
        m_dTickIncrement = 0;
        return;
    }
    const int pixelsPerTick = m_bIsHorizontal ? 30 : 20;
    // A vertical axis runs from its bottom (start) up to its top (end).
    const int length = m_bIsHorizontal ? m_EndPos - m_StartPos : m_StartPos - m_EndPos;
    const int nTicks = length / pixelsPerTick;
    // Shorter than one tick spacing (or squeezed to nothing by its labels), or a reversed or
    // non-finite range: no step; the axis then shows one tick at its minimum.
    if (nTicks <= 0 || !(range > 0) || !std::isfinite(range)) {
        m_dTickIncrement = 0;
        return;
    }
    const double tickStep = range / nTicks;
    const double exponent = std::floor(std::log10(tickStep));
    const double power = std::pow(10.0, exponent);
    int decimals = exponent < 0 ? static_cast<int>(-exponent) : 0;
    for (double multiple : {1.0, 2.0, 5.0}) {
        if (multiple * power >= tickStep) {
            m_dTickIncrement = multiple * power;
            m_uDecCount = static_cast<unsigned>(decimals);
            return;
        }
    }
    if (tickStep <= 10 * power) {
        m_dTickIncrement = 10 * power;
        m_uDecCount = static_cast<unsigned>(decimals > 0 ? decimals - 1 : 0);
    }
}
