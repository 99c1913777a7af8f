#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>

#include "common/FileNames.h"
#include "platform/base/AppData.h"
#include "platform/base/CLocale.h"

TEST(CLocale, FormattingAndParsingIgnoreTheProcessLocale)
{
    const char* old = std::setlocale(LC_ALL, nullptr);
    std::string saved = old ? old : "C";
    // A locale with a decimal comma, where the machine has one.
    bool comma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    EXPECT_EQ(FormatDoubleC("%.9f", 1.5), "1.500000000");
    EXPECT_EQ(FormatDoubleCW("%.3f", -2.25), L"-2.250");
    double v = 0;
    EXPECT_TRUE(ParseDoubleC(std::string_view(" 3.25 "), v));
    EXPECT_DOUBLE_EQ(v, 3.25);
    std::setlocale(LC_ALL, saved.c_str());
    (void)comma;
}

TEST(CLocale, FixedFormatsGiveWhatPrintfGives)
{
    // "%.Nf" takes a shorter road than the other formats; it must not show.
    const double values[] = {0.0,      -0.0,   0.0005,    0.0015,     0.0025,  2.5e-4,     -0.0004999,
                             1.0 / 3,  -2.675, 1234.5675, 1e15 + 0.3, 1e22,    -7.77e-310, 1e300,
                             123456.5, 0.125,  0.375,     99.9995,    -99.9995};
    const char* formats[] = {"%.0f", "%.1f", "%.2f", "%.3f", "%.6f", "%.9f", "%.17f", "%.40f"};
    for (const char* f : formats)
        for (double v : values) {
            char expected[512];
            std::snprintf(expected, sizeof expected, f, v);
            EXPECT_EQ(FormatDoubleC(f, v), expected) << f << " of " << v;
        }
    EXPECT_EQ(FormatDoubleC("%.3f", std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(FormatDoubleC("%.3f", std::nan("")), "nan");
    EXPECT_EQ(FormatDoubleC("%8.3f", 1.5), "   1.500");
    EXPECT_EQ(FormatDoubleC("%.3fm", 1.5), "1.500m");
}

TEST(CLocale, ParseRejectsWhatIsNotOneWholeNumber)
{
    double v = 42;
    // Entered numbers are lengths, loads and factors: infinity and not-a-number are no
    // values an analysis can use, nor is a number beyond the range of a double.
    for (const char* bad :
         {"", " ", "abc", "1.5x", "1,5", "--1", "1e", "nan", "NaN", "inf", "-inf", "infinity", "+INF", "1e400"}) {
        EXPECT_FALSE(ParseDoubleC(std::string_view(bad), v)) << bad;
        EXPECT_EQ(v, 42) << bad;
    }
    EXPECT_TRUE(ParseDoubleC(std::wstring_view(L"+1e3"), v));
    EXPECT_EQ(v, 1000);
    EXPECT_FALSE(ParseDoubleC(std::wstring_view(L"1\u00b75"), v));
}

TEST(CLocale, Utf8RoundTripAndInvalidBytes)
{
    const std::wstring text = L"Br\u00fccke \u03a9 \u65e5\u672c \U0001F309";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(text)), text);
    EXPECT_EQ(WideToUtf8(L"\u00fc"), "\xc3\xbc");
    EXPECT_EQ(Utf8ToWide("a\xff"
                         "b"),
              L"a\uFFFDb");
    EXPECT_EQ(Utf8ToWide("a\xc3"), L"a\uFFFD");   // truncated sequence
    EXPECT_EQ(Utf8ToWide("\xc0\x80"), L"\uFFFD"); // overlong
}

TEST(AppData, FollowsXdgConfigHomeThenHome)
{
    std::string xdg = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
    ::setenv("XDG_CONFIG_HOME", "/tmp/xdg-here", 1);
    EXPECT_EQ(GetAppDataFolder(), std::filesystem::path("/tmp/xdg-here"));
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(GetAppDataFolder(), std::filesystem::path(std::getenv("HOME")) / ".config");
    ::setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
}

// The file system gets the UTF-8 bytes of a name, and the name comes back from them, in
// any script and whatever the process locale says.
TEST(CLocale, PathsHoldTheirNamesAsUtf8)
{
    for (const qeltest::FileNameCase& c : qeltest::kFileNameCases) {
        SCOPED_TRACE(c.label);
        const std::wstring file = std::wstring(c.stem) + L".qel";
        const std::wstring name = std::wstring(L"/tmp/") + c.folder + L"/" + file;
        const std::filesystem::path path = WideToPath(name);
        EXPECT_EQ(path.native(), WideToUtf8(name));
        EXPECT_EQ(PathToWide(path), name);
        EXPECT_EQ(PathToWide(path.filename()), file);
        EXPECT_EQ(PathToWide(path.parent_path().filename()), c.folder);
        EXPECT_EQ(PathToWide(std::filesystem::path(WideToUtf8(name))), name);
    }
    EXPECT_EQ(PathToWide(WideToPath(L"")), L"");
}
