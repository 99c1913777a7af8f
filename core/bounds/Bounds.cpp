#include "core/bounds/Bounds.h"

#include <cstdio>
#include <string_view>

#include "platform/base/CLocale.h"

namespace {

// Groups the digits before the point in threes: "10000.5" -> "10,000.5".
std::wstring Grouped(std::wstring_view s)
{
    std::size_t start = (!s.empty() && s[0] == L'-') ? 1 : 0;
    std::size_t end = s.find_first_not_of(L"0123456789", start);
    if (end == std::wstring_view::npos)
        end = s.size();
    std::wstring out(s.substr(0, start));
    for (std::size_t i = start; i < end; ++i) {
        out.push_back(s[i]);
        const std::size_t left = end - i - 1;
        if (left > 0 && left % 3 == 0)
            out.push_back(L',');
    }
    out.append(s.substr(end));
    return out;
}

std::wstring WithUnit(std::wstring number, const wchar_t* unit)
{
    if (unit && *unit)
        number += std::wstring(L" ") + unit;
    return number;
}

}

std::wstring BoundNumber(double v)
{
    if (std::isnan(v))
        return L"not a number";
    if (std::isinf(v))
        return v > 0 ? L"infinite" : L"minus infinite";
    const std::wstring s = FormatDoubleCW("%.12g", v);
    // An exponent stays as printed.
    if (s.find_first_of(L"eE") != std::wstring::npos)
        return s;
    return Grouped(s);
}

std::wstring BoundText(const RealBound& b)
{
    return WithUnit(BoundNumber(b.lo), b.unit) + L" to " + WithUnit(BoundNumber(b.hi), b.unit);
}

std::wstring BoundText(const IntBound& b)
{
    return Grouped(std::to_wstring(b.lo)) + L" to " + Grouped(std::to_wstring(b.hi));
}

std::wstring BoundRefusal(const RealBound& b, double v, const std::wstring& sWhat)
{
    if (InBound(b, v))
        return {};
    if (!std::isfinite(v))
        return sWhat + L" is not a number; it must be from " + BoundText(b);
    return sWhat + L" is " + WithUnit(BoundNumber(v), b.unit) + L"; it must be from " + BoundText(b);
}

std::wstring BoundRefusal(const IntBound& b, std::int64_t v, const std::wstring& sWhat)
{
    if (InBound(b, v))
        return {};
    return sWhat + L" is " + Grouped(std::to_wstring(v)) + L"; it must be from " + BoundText(b);
}
