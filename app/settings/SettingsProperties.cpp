#include "app/settings/SettingsProperties.h"

#include "core/bounds/Bounds.h"
#include "core/settings/Settings.h"
#include "platform/base/CLocale.h"

namespace {

template <class T>
T& Field(CSettings& s, const SettingEntry& entry)
{
    return *static_cast<T*>(entry.pField(s));
}

template <class T>
const T& Field(const CSettings& s, const SettingEntry& entry)
{
    return *static_cast<const T*>(entry.pField(const_cast<CSettings&>(s)));
}

template <class T>
bool Store(CSettings& settings, int nID, SettingKind kind, const T& value)
{
    const SettingEntry* entry = FindSettingEntry(nID);
    if (!entry || entry->kind != kind)
        return false;
    settings.Edit([&](CSettings& s) { Field<T>(s, *entry) = value; });
    return true;
}

}

bool GetSettingBool(const CSettings& settings, const SettingEntry& entry)
{
    return Field<bool>(settings, entry);
}

std::uint32_t GetSettingColour(const CSettings& settings, const SettingEntry& entry)
{
    return Field<std::uint32_t>(settings, entry);
}

std::wstring FormatSettingValue(const CSettings& settings, const SettingEntry& entry)
{
    switch (entry.kind) {
    case SettingKind::Bool: return Field<bool>(settings, entry) ? L"True" : L"False";
    case SettingKind::Integer: return std::to_wstring(Field<int>(settings, entry));
    case SettingKind::Real: return FormatDoubleCW("%g", Field<double>(settings, entry));
    case SettingKind::Colour: {
        const std::uint32_t c = Field<std::uint32_t>(settings, entry);
        return L"RGB(" + std::to_wstring(c & 0xFF) + L", " + std::to_wstring((c >> 8) & 0xFF) + L", " +
               std::to_wstring((c >> 16) & 0xFF) + L")";
    }
    case SettingKind::File: return Field<std::wstring>(settings, entry);
    }
    return {};
}

std::optional<long long> ParseWholeNumber(const std::wstring& text)
{
    std::size_t first = text.find_first_not_of(L" \t");
    std::size_t last = text.find_last_not_of(L" \t");
    if (first == std::wstring::npos)
        return std::nullopt;
    long long value = 0;
    for (std::size_t i = first; i <= last; ++i) {
        const wchar_t c = text[i];
        if (c < L'0' || c > L'9')
            return std::nullopt;
        // Anything past ten digits is out of every bound anyway; stop before it overflows.
        if (value > 9'999'999'999LL)
            return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    return value;
}

std::wstring SettingRange(const SettingEntry& entry)
{
    switch (entry.kind) {
    case SettingKind::Integer: return BoundText(entry.whole);
    case SettingKind::Real: return BoundText(entry.real);
    default: return {};
    }
}

bool StoreSettingText(CSettings& settings, int nID, const std::wstring& text, std::wstring* pRefusal)
{
    const SettingEntry* entry = FindSettingEntry(nID);
    if (!entry || (entry->kind != SettingKind::Integer && entry->kind != SettingKind::Real))
        return false;
    const auto refuse = [&](const std::wstring& why) {
        if (pRefusal)
            *pRefusal = why;
        return false;
    };
    const std::wstring sLabel = entry->sLabel;
    if (entry->kind == SettingKind::Real) {
        double value = 0.0;
        if (!ParseDoubleC(text, value))
            return refuse(sLabel + L" must be a number from " + SettingRange(*entry) + L".");
        if (!InBound(entry->real, value))
            return refuse(BoundRefusal(entry->real, value, sLabel) + L".");
        settings.Edit([&](CSettings& s) { Field<double>(s, *entry) = value; });
        return true;
    }
    const std::optional<long long> value = ParseWholeNumber(text);
    if (!value || !InBound(entry->whole, *value))
        return refuse(sLabel + L" must be a whole number from " + SettingRange(*entry) + L".");
    settings.Edit([&](CSettings& s) { Field<int>(s, *entry) = static_cast<int>(*value); });
    return true;
}

bool StoreSettingBool(CSettings& settings, int nID, bool bValue)
{
    return Store(settings, nID, SettingKind::Bool, bValue);
}

bool StoreSettingColour(CSettings& settings, int nID, std::uint32_t colour)
{
    return Store(settings, nID, SettingKind::Colour, colour & 0x00FFFFFFu);
}

bool StoreSettingFile(CSettings& settings, int nID, const std::wstring& path)
{
    return Store(settings, nID, SettingKind::File, path);
}
