#include "ui/views/PlotAxis.h"

#include "platform/base/CLocale.h"

#include <algorithm>
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
