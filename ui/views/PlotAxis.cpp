#include "ui/views/PlotAxis.h"

#include "platform/base/CLocale.h"

#include <algorithm>
#include <cmath>
#include <string>

std::wstring CPlotAxis::FormatTickValue(double tickValue) const
{
    const unsigned decimals = std::min(9u, std::max(m_uDecCount, m_uMinDecimals));
    const std::string format = "%." + std::to_string(decimals) + "f";
    std::wstring text = FormatDoubleCW(format.c_str(), tickValue);
    // Ticks are reached by repeated addition: zero may arrive as -1e-17 and must not show a sign.
    if (text.size() > 1 && text[0] == L'-' && text.find_first_not_of(L"-0.") == std::wstring::npos)
        text.erase(0, 1);
    return text;
}

void CPlotAxis::ComputeTickStep()
{
    CChartStandardAxis::ComputeTickStep();
    const double range = m_MaxValue - m_MinValue;
    const int length = GetAxisLength();
    if (!m_bIsHorizontal || m_dTickIncrement <= 0.0 || !(range > 0.0) || length <= 0)
        return;
    // Room for the longer end label, at about 6 units a character in the axis' 8 point font.
    const std::size_t chars = std::max(FormatTickValue(m_MinValue).size(), FormatTickValue(m_MaxValue).size());
    const double needed = 6.0 * static_cast<double>(chars) + 10.0;
    while (length * m_dTickIncrement / range < needed) {
        // The next step of the 1, 2, 5 series.
        const double power = std::pow(10.0, std::floor(std::log10(m_dTickIncrement) + 1e-9));
        const double multiple = m_dTickIncrement / power;
        m_dTickIncrement = (multiple < 1.5 ? 2.0 : multiple < 3.5 ? 5.0 : 10.0) * power;
    }
}
