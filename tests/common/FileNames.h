#pragma once
// Folder and file names a user may give: letters of several scripts, a character outside
// the basic plane, and the blanks, quotes and ampersand that shells, menus and file
// formats treat apart.
#include <ostream>

namespace qeltest {

struct FileNameCase {
    const char* label; // the test's name
    const wchar_t* folder;
    const wchar_t* stem; // the file name without its extension
};

inline constexpr FileNameCase kFileNameCases[] = {
    {"GermanUmlauts", L"Prüfstände Äußeres", L"Brücke über die Öse"},
    {"Greek", L"Γέφυρες", L"φορτίο Ωμέγα"},
    {"Chinese", L"桥梁 检验", L"荷载试验"},
    {"Emoji", L"🚚 Lasten", L"bridge 🌉"},
    {"BlankAndQuote", L"Joe's \"old\" cases", L"it's a \"case\" & more"},
};

// A failed case names its row, not the bytes of its texts.
inline void PrintTo(const FileNameCase& c, std::ostream* os)
{
    *os << c.label;
}

}
