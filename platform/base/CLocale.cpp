#include "platform/base/CLocale.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <locale.h>
#include <vector>

namespace {

locale_t CLocaleHandle()
{
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

// Switches this thread to the C locale for the lifetime of the guard.
class CLocaleGuard {
public:
    CLocaleGuard() : m_old(uselocale(CLocaleHandle())) {}
    ~CLocaleGuard() { uselocale(m_old); }
    CLocaleGuard(const CLocaleGuard&) = delete;
    CLocaleGuard& operator=(const CLocaleGuard&) = delete;

private:
    locale_t m_old;
};

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r' || s.front() == '\n'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// The precision of a format that is exactly "%.<digits>f", or -1.
int FixedPrecision(const char* format)
{
    if (format[0] != '%' || format[1] != '.')
        return -1;
    int p = 0;
    const char* c = format + 2;
    if (*c < '0' || *c > '9')
        return -1;
    for (; *c >= '0' && *c <= '9' && p < 100; ++c)
        p = p * 10 + (*c - '0');
    return c[0] == 'f' && c[1] == '\0' ? p : -1;
}

}

std::string FormatDoubleC(const char* format, double value)
{
    // The common "%.Nf" directly: to_chars gives what printf gives in the C locale, and
    // the status lines of long analyses format one number per load position.
    if (const int precision = FixedPrecision(format); precision >= 0 && std::isfinite(value)) {
        char buf[400];
        auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, precision);
        if (ec == std::errc())
            return std::string(buf, end);
    }
    CLocaleGuard guard;
    char buf[128];
    int n = std::snprintf(buf, sizeof buf, format, value);
    if (n < 0)
        return {};
    if (static_cast<size_t>(n) < sizeof buf)
        return std::string(buf, static_cast<size_t>(n));
    std::vector<char> big(static_cast<size_t>(n) + 1);
    std::snprintf(big.data(), big.size(), format, value);
    return std::string(big.data(), static_cast<size_t>(n));
}

std::wstring FormatDoubleCW(const char* format, double value)
{
    std::string s = FormatDoubleC(format, value);
    return std::wstring(s.begin(), s.end());
}

bool ParseDoubleC(std::string_view text, double& value)
{
    text = Trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    double v = 0.0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool ParseDoubleC(std::wstring_view text, double& value)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text) {
        if (c < 0 || c > 0x7F)
            return false;
        narrow.push_back(static_cast<char>(c));
    }
    return ParseDoubleC(std::string_view(narrow), value);
}

std::string WideToUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
                char32_t lo = static_cast<char32_t>(text[i + 1]);
                if (lo >= 0xDC00 && lo <= 0xDFFF) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
                    ++i;
                }
            }
        }
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::wstring Utf8ToWide(std::string_view text)
{
    std::wstring out;
    out.reserve(text.size());
    auto put = [&out](char32_t c) {
        if constexpr (sizeof(wchar_t) == 2) {
            if (c >= 0x10000) {
                c -= 0x10000;
                out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
                out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
                return;
            }
        }
        out.push_back(static_cast<wchar_t>(c));
    };
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t c = 0;
        if (b < 0x80) {
            put(b);
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1;
            c = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            c = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            c = b & 0x07;
        } else {
            put(0xFFFD);
            ++i;
            continue;
        }
        if (i + static_cast<size_t>(extra) >= n) {
            put(0xFFFD);
            break;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            unsigned char cb = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            if ((cb & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (cb & 0x3F);
        }
        if (!ok) {
            put(0xFFFD);
            ++i;
            continue;
        }
        static constexpr char32_t minimum[4] = {0, 0x80, 0x800, 0x10000};
        if (c < minimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        put(c);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

std::filesystem::path WideToPath(std::wstring_view sPath)
{
    const std::string utf8 = WideToUtf8(sPath);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::wstring PathToWide(const std::filesystem::path& path)
{
    const std::u8string utf8 = path.u8string();
    return Utf8ToWide(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}
