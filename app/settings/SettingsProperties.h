#pragma once
// The settings pane's properties as data: id, group, label, kind, description and the
// field of CSettings each edits, with the checks a typed value must pass before it is
// stored. Writes go through CSettings::Edit, so a running analysis, which took its own
// copy at launch, never sees half a change.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

class CSettings;
struct SettingBound;

enum class SettingKind { Bool, Integer, Real, Colour, File };

struct SettingProperty {
    int nID;
    const wchar_t* sGroup;
    const wchar_t* sSubgroup; // none for a property directly in its group
    const wchar_t* sLabel;
    SettingKind kind;
    const wchar_t* sDescription;
    // The field: bool, int, double, std::uint32_t (0x00BBGGRR) or std::wstring by kind.
    void* (*pField)(CSettings&);
};

// Every property in grid order ("General", "Analysis", "Plots").
std::span<const SettingProperty> GetSettingProperties();
const SettingProperty* FindSettingProperty(int nID);

// The value in force as the grid shows it.
std::wstring FormatSettingValue(const CSettings& settings, const SettingProperty& prop);
bool GetSettingBool(const CSettings& settings, const SettingProperty& prop);
std::uint32_t GetSettingColour(const CSettings& settings, const SettingProperty& prop);

// A typed number (Integer or Real): stored only when the whole text is a number of the
// property's kind that passes its check; returns whether it was stored. Whole numbers
// take no sign and no fraction.
// A refused text puts the reason, with the range, into *pRefusal when given.
bool StoreSettingText(CSettings& settings, int nID, const std::wstring& text, std::wstring* pRefusal = nullptr);
// The range of a number (Integer or Real), from the settings' one table of bounds; none
// for the other kinds.
const SettingBound* GetSettingBound(const SettingProperty& prop);
// "1 to 10" (units where the value has them).
std::wstring SettingRange(const SettingProperty& prop);
// Bools, colours and the file path are stored as given.
bool StoreSettingBool(CSettings& settings, int nID, bool bValue);
bool StoreSettingColour(CSettings& settings, int nID, std::uint32_t colour);
bool StoreSettingFile(CSettings& settings, int nID, const std::wstring& path);

// A whole number without sign, or none.
std::optional<long long> ParseWholeNumber(const std::wstring& text);

inline constexpr const wchar_t* kResetAllQuestion =
    L"Are you sure you want to reset all\nprogram settings to their default values?";
