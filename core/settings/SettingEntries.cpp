#include "core/settings/SettingEntries.h"

#include <stdexcept>
#include <string_view>

#include "core/settings/Settings.h"

namespace {

struct NoRange {};
constexpr NoRange kNoRange;
constexpr IntBound kColourRange{0, 0xFFFFFF};
constexpr IntBound kNoWhole{0, 0};
constexpr RealBound kNoReal{0.0, 0.0, L""};

struct SettingGroup {
    std::wstring_view sPath; // "General.LoadModel"
    const wchar_t* sCaption;
};

#define QEL_GROUP_ROW(group, caption) SettingGroup{L"" #group, caption},
#define QEL_NO_ROW(...)
constexpr SettingGroup kGroups[] = {QEL_SETTINGS(QEL_GROUP_ROW, QEL_NO_ROW)};

// A group without a caption stops the table from compiling: the lookup is made while it compiles.
constexpr const wchar_t* Caption(std::wstring_view sPath)
{
    for (const SettingGroup& g : kGroups)
        if (g.sPath == sPath)
            return g.sCaption;
    throw std::logic_error("a group of settings without a caption");
}

constexpr const wchar_t* GroupCaption(std::wstring_view sPath)
{
    return Caption(sPath.substr(0, sPath.find(L'.')));
}

constexpr const wchar_t* SubgroupCaption(std::wstring_view sPath)
{
    return sPath.find(L'.') == std::wstring_view::npos ? nullptr : Caption(sPath);
}

// The range must suit the type: a whole range for an int or a colour, a real one for a double.
template <class T, class Range>
constexpr SettingEntry MakeEntry(const wchar_t* sName, void* (*pField)(CSettings&), Range range, int nID,
                                 std::wstring_view sGroupPath, const wchar_t* sLabel, const wchar_t* sDescription)
{
    constexpr SettingKind kind = SettingKindOf<T>();
    SettingEntry e{.sName = sName,
                   .kind = kind,
                   .pField = pField,
                   .whole = kNoWhole,
                   .real = kNoReal,
                   .nID = nID,
                   .sGroup = GroupCaption(sGroupPath),
                   .sSubgroup = SubgroupCaption(sGroupPath),
                   .sLabel = sLabel,
                   .sDescription = sDescription};
    if constexpr (std::is_same_v<Range, IntBound>) {
        static_assert(kind == SettingKind::Integer || kind == SettingKind::Colour);
        e.whole = range;
    } else if constexpr (std::is_same_v<Range, RealBound>) {
        static_assert(kind == SettingKind::Real);
        e.real = range;
    } else {
        static_assert(std::is_same_v<Range, NoRange> && (kind == SettingKind::Bool || kind == SettingKind::File));
    }
    return e;
}

#define QEL_SETTING_ROW(group, type, NAME, def, range, id, label, description)                                   \
    MakeEntry<type>(                                                                                             \
        L"" #group "." #NAME, [](CSettings& s) -> void* { return &s.group.NAME; }, range, id, L"" #group, label, \
        description),
constexpr SettingEntry kEntries[] = {QEL_SETTINGS(QEL_NO_ROW, QEL_SETTING_ROW)};

#undef QEL_GROUP_ROW
#undef QEL_NO_ROW
#undef QEL_SETTING_ROW

template <class T>
const T& Value(const SettingEntry& entry, const CSettings& settings)
{
    return *static_cast<const T*>(entry.pField(const_cast<CSettings&>(settings)));
}

template <class T>
void Copy(const SettingEntry& entry, const CSettings& from, CSettings& to)
{
    *static_cast<T*>(entry.pField(to)) = Value<T>(entry, from);
}

} // namespace

std::span<const SettingEntry> GetSettingEntries()
{
    return kEntries;
}

const SettingEntry* FindSettingEntry(int nID)
{
    for (const SettingEntry& e : kEntries)
        if (e.nID == nID)
            return &e;
    return nullptr;
}

const SettingEntry* FindSettingEntry(const CSettings& settings, const void* pField)
{
    for (const SettingEntry& e : kEntries)
        if (e.pField(const_cast<CSettings&>(settings)) == pField)
            return &e;
    return nullptr;
}

const SettingEntry& SettingOfField(const void* pField, SettingKind kind)
{
    // A group begins where its first field does: the kind tells them apart.
    const SettingEntry* entry = FindSettingEntry(*g_pSettings, pField);
    if (!entry || entry->kind != kind)
        throw std::invalid_argument("not a field of the program settings");
    return *entry;
}

bool HasSettingRange(const SettingEntry& entry)
{
    return entry.kind == SettingKind::Integer || entry.kind == SettingKind::Real || entry.kind == SettingKind::Colour;
}

bool InSettingRange(const SettingEntry& entry, const CSettings& settings)
{
    switch (entry.kind) {
    case SettingKind::Integer: return InBound(entry.whole, Value<int>(entry, settings));
    case SettingKind::Colour: return InBound(entry.whole, Value<std::uint32_t>(entry, settings));
    case SettingKind::Real: return InBound(entry.real, Value<double>(entry, settings));
    case SettingKind::Bool:
    case SettingKind::File: return true;
    }
    return false;
}

void CopySetting(const SettingEntry& entry, const CSettings& from, CSettings& to)
{
    switch (entry.kind) {
    case SettingKind::Bool: Copy<bool>(entry, from, to); break;
    case SettingKind::Integer: Copy<int>(entry, from, to); break;
    case SettingKind::Real: Copy<double>(entry, from, to); break;
    case SettingKind::Colour: Copy<std::uint32_t>(entry, from, to); break;
    case SettingKind::File: Copy<std::wstring>(entry, from, to); break;
    }
}
