#pragma once
// The range of every bounded setting, in one table: the settings reader puts a field that
// lies outside its range back to its default, and the settings pane refuses a typed value
// outside it and names the range. A new bounded setting is one row here.
#include <cstdint>
#include <span>

#include "core/bounds/Bounds.h"

class CSettings;

struct SettingBound {
    enum class Kind { Int, Colour, Real }; // int, std::uint32_t (0x00BBGGRR), double
    // As the status log names a field put back: "Analysis.NPOINTS_ALONG_BEAM".
    const wchar_t* sName;
    Kind kind;
    // The field in the given settings, of the type its kind names.
    void* (*pField)(CSettings&);
    IntBound whole; // Int and Colour
    RealBound real; // Real
};

// Every bounded field, in the order of the settings file.
std::span<const SettingBound> GetSettingBounds();

// The row of the field that field(s) returns for any settings s, or none.
const SettingBound* FindSettingBound(void* (*field)(CSettings&));

// Whether the field of this row holds a value in its range.
bool InSettingBound(const SettingBound& bound, CSettings& settings);
