#pragma once
#include <filesystem>
#include <string>
#include <string_view>

// Conversions inside the program use the C locale, whatever the process locale is
// (Qt sets it from the environment, so the global locale cannot be trusted).

// printf-style formatting of one double in the C locale, e.g. FormatDoubleC("%.9f", v).
std::string FormatDoubleC(const char* format, double value);
std::wstring FormatDoubleCW(const char* format, double value);

// Parses the whole text (surrounding blanks allowed) as a finite number in the C locale.
bool ParseDoubleC(std::string_view text, double& value);
bool ParseDoubleC(std::wstring_view text, double& value);

// UTF-8 <-> wide text, independent of the locale. Invalid UTF-8 bytes become U+FFFD.
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

// File and folder names to and from wide text, always through UTF-8. Every path the program
// makes from text goes through these: std::filesystem converts wide text through the C++
// global locale, which is "C", and throws on the first letter outside ASCII.
std::filesystem::path WideToPath(std::wstring_view sPath);
std::wstring PathToWide(const std::filesystem::path& path);
