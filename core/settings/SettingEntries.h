#pragma once
// The table of settings (SettingsTable.h) as data: one entry per setting, with its range
// and its row in the settings pane. The settings reader puts a field that lies outside its
// range back to its default; the settings pane shows the rows and refuses a typed value
// outside the range, naming it.
#include <cstdint>
#include <span>
#include <string>
#include <type_traits>

#include "core/bounds/Bounds.h"

class CSettings;

enum class SettingKind { Bool, Integer, Real, Colour, File };

// A field's kind by its type: bool, int, double, std::uint32_t (0x00BBGGRR), std::wstring.
template <class T>
constexpr SettingKind SettingKindOf()
{
    if constexpr (std::is_same_v<T, bool>)
        return SettingKind::Bool;
    else if constexpr (std::is_same_v<T, int>)
        return SettingKind::Integer;
    else if constexpr (std::is_same_v<T, double>)
        return SettingKind::Real;
    else if constexpr (std::is_same_v<T, std::uint32_t>)
        return SettingKind::Colour;
    else {
        static_assert(std::is_same_v<T, std::wstring>, "a setting is a bool, int, double, colour or path");
        return SettingKind::File;
    }
}

struct SettingEntry {
    // The field's path, as the status log names a field put back: "Analysis.NPOINTS_ALONG_BEAM".
    const wchar_t* sName;
    SettingKind kind;
    // The field in the given settings, of the type its kind names.
    void* (*pField)(CSettings&);
    IntBound whole; // Integer and Colour
    RealBound real; // Real
    // The pane's row: its id, its group's and subgroup's captions (no subgroup for a row
    // directly in its group), label and description.
    int nID;
    const wchar_t* sGroup;
    const wchar_t* sSubgroup;
    const wchar_t* sLabel;
    const wchar_t* sDescription;
};

// Every setting, in the order of the settings file and of the pane.
std::span<const SettingEntry> GetSettingEntries();
// By the pane's id, or none.
const SettingEntry* FindSettingEntry(int nID);
// By the field's address in the given settings, or none.
const SettingEntry* FindSettingEntry(const CSettings& settings, const void* pField);
// The entry of a field of the settings behind g_pSettings:
// SettingOf(g_pSettings->Analysis.NPOINTS_ALONG_BEAM).nID is its row in the pane.
// Throws std::invalid_argument for anything else.
const SettingEntry& SettingOfField(const void* pField, SettingKind kind);
template <class T>
const SettingEntry& SettingOf(const T& field)
{
    return SettingOfField(&field, SettingKindOf<T>());
}

// Numbers and colours have a range; bools and the path do not.
bool HasSettingRange(const SettingEntry& entry);
// Whether the entry's field holds a value in its range (always, for one without a range).
bool InSettingRange(const SettingEntry& entry, const CSettings& settings);
// The entry's field in to takes its value in from.
void CopySetting(const SettingEntry& entry, const CSettings& from, CSettings& to);
