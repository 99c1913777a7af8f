#pragma once
// The settings pane's rows are the entries of the settings table (core/settings/
// SettingEntries.h), found by their id; here, how a row shows its value and the checks a
// typed value must pass before it is stored. Writes go through CSettings::Edit, so a
// running analysis, which took its own copy at launch, never sees half a change.
#include <cstdint>
#include <optional>
#include <string>

#include "core/settings/SettingEntries.h"

class CSettings;

// The value in force as the grid shows it.
std::wstring FormatSettingValue(const CSettings& settings, const SettingEntry& entry);
bool GetSettingBool(const CSettings& settings, const SettingEntry& entry);
std::uint32_t GetSettingColour(const CSettings& settings, const SettingEntry& entry);

// A typed number (Integer or Real): stored only when the whole text is a number of the
// entry's kind that lies in its range; returns whether it was stored. Whole numbers
// take no sign and no fraction.
// A refused text puts the reason, with the range, into *pRefusal when given.
bool StoreSettingText(CSettings& settings, int nID, const std::wstring& text, std::wstring* pRefusal = nullptr);
// "1 to 10" (units where the value has them); empty for a bool, a colour or the path.
std::wstring SettingRange(const SettingEntry& entry);
// Bools, colours and the file path are stored as given.
bool StoreSettingBool(CSettings& settings, int nID, bool bValue);
bool StoreSettingColour(CSettings& settings, int nID, std::uint32_t colour);
bool StoreSettingFile(CSettings& settings, int nID, const std::wstring& path);

// A whole number without sign, or none.
std::optional<long long> ParseWholeNumber(const std::wstring& text);

inline constexpr const wchar_t* kResetAllQuestion =
    L"Are you sure you want to reset all\nprogram settings to their default values?";
