#include <gtest/gtest.h>

#include <atomic>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

#include "common/TestEnv.h"
#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/ParallelRuns.h"
#include "core/beam/BeamAnalysis.h"
#include "core/settings/SettingEntries.h"
#include "core/settings/Settings.h"
#include "platform/base/CLocale.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& p)
{
    std::ifstream is(p, std::ios::binary);
    std::ostringstream ss;
    ss << is.rdbuf();
    return ss.str();
}

void WriteFile(const fs::path& p, const std::string& text)
{
    std::ofstream os(p, std::ios::binary | std::ios::trunc);
    os << text;
}

std::wstring W(const fs::path& p)
{
    return Utf8ToWide(p.string());
}

// Every simple item of a settings file ("value" is HELPFILEPATH's text), in file order.
std::vector<std::pair<std::string, std::string>> Leaves(const std::string& xml)
{
    static const std::regex leaf(R"(<(\w+)>([^<]*)</\1>)");
    std::vector<std::pair<std::string, std::string>> out;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), leaf); it != std::sregex_iterator(); ++it)
        out.emplace_back((*it)[1], (*it)[2]);
    return out;
}

std::string ReplaceLeaf(std::string xml, const std::string& tag, const std::string& value)
{
    const std::string open = "<" + tag + ">";
    const size_t b = xml.find(open);
    const size_t e = xml.find("</" + tag + ">", b);
    if (b == std::string::npos || e == std::string::npos)
        ADD_FAILURE() << "no item " << tag;
    else
        xml.replace(b + open.size(), e - b - open.size(), value);
    return xml;
}

// A valid value different from the default in every field.
void FillNonDefault(CSettings& s)
{
    auto& g = s.General;
    g.HELPFILEPATH = L"/srv/manuals/qel.pdf";
    g.USEBINARYFILEFORMAT = false;
    g.SHOWINSTRUCTIONS = false;
    g.LoadModel = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112, 0x131415, 0x161718};
    g.DecimalPlaces = {4, 5, 6, 7, 8};
    g.Output = {false, false, false, false};
    auto& a = s.Analysis;
    a.NPOINTS_ALONG_BEAM = 150;
    a.NO_AXLE_SPACINGS = 12;
    a.Stepping = {true, 0.25, 40};
    auto& p = s.Plot;
    p.RATIOLIMIT_FULLSPEED = false;
    p.RATIOLIMIT_SLOWDOWN = false;
    p.LINEWIDTH = 3;
    p.DATATIPDELAY = 1500;
    p.Gap = {11, 12, 13, 14, 6};
    p.Colours = {0x202122, 0x232425, 0x262728, 0x292A2B, 0x2C2D2E, 0x2F3031,
                 0x323334, 0x353637, 0x38393A, 0x3B3C3D, 0x3E3F40, 0x414243};
}

// The global object is shared by every test of this program: each test puts it back.
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Dir = qeltest::TempRoot() /
                ("settings-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_Dir);
        fs::create_directories(m_Dir);
        m_File = m_Dir / "QEL" / "QEL.xml";
    }
    void TearDown() override { g_pSettings->Assign(m_Before); }

    bool Save(const fs::path& p) { return CSettings::Save(W(p), m_Message); }
    bool Load(const fs::path& p) { return CSettings::Load(W(p), m_Message); }

    // The global object as the file shows it.
    std::string SavedText()
    {
        const fs::path probe = m_Dir / "probe.xml";
        std::wstring msg;
        EXPECT_TRUE(CSettings::Save(W(probe), msg)) << WideToUtf8(msg);
        return ReadFile(probe);
    }

    std::string DefaultsText()
    {
        g_pSettings->SetDefaults();
        return SavedText();
    }

    std::string FilledText()
    {
        g_pSettings->Edit(FillNonDefault);
        return SavedText();
    }

    const CSettings m_Before = g_pSettings->GetCopy();
    fs::path m_Dir;
    fs::path m_File;
    std::wstring m_Message;
};

TEST(Settings, DefaultsAreTheDocumentedValues)
{
    EXPECT_EQ(g_pSettings, &CSettings::Instance());
    CSettings s;
    EXPECT_EQ(s.m_Version, 1);
    EXPECT_EQ(s.General.HELPFILEPATH, L"");
    s.Analysis.NPOINTS_ALONG_BEAM = 7;
    s.SetDefaults();

    const auto& g = s.General;
    EXPECT_EQ(g.HELPFILEPATH, Utf8ToWide(std::getenv("XDG_CONFIG_HOME")) + L"/QEL/QEL User Manual.pdf");
    EXPECT_TRUE(g.USEBINARYFILEFORMAT);
    EXPECT_TRUE(g.SHOWINSTRUCTIONS);
    const auto& lm = g.LoadModel;
    EXPECT_EQ(std::vector<std::uint32_t>({lm.CLR_LM_BGRND, lm.CLR_LM_BASELINE, lm.CLR_LM_GRIDLINE, lm.CLR_LM_TEXT,
                                          lm.CLR_LM_PL, lm.CLR_LM_UDL, lm.CLR_LM_PUDL, lm.CLR_LM_WHEEL}),
              std::vector<std::uint32_t>({0xFFFFFF, 0, 0xE0E0E0, 0, 0x0000FF, 0x00FF00, 0xFF0000, 0}));
    const auto& dp = g.DecimalPlaces;
    EXPECT_EQ(std::vector<int>({dp.FACTOR, dp.DISTANCE, dp.SPAN, dp.GVW, dp.VEHLENGTH}),
              std::vector<int>({3, 3, 2, 2, 2}));
    EXPECT_TRUE(g.Output.BMSF && g.Output.R && g.Output.GRAPHS && g.Output.TABLES);

    EXPECT_EQ(s.Analysis.NPOINTS_ALONG_BEAM, 100);
    EXPECT_EQ(s.Analysis.NO_AXLE_SPACINGS, 10);
    EXPECT_FALSE(s.Analysis.Stepping.BYSTEP);
    EXPECT_EQ(s.Analysis.Stepping.STEPSIZE, 0.5);
    EXPECT_EQ(s.Analysis.Stepping.NSTEPS, 20);

    const auto& p = s.Plot;
    EXPECT_TRUE(p.RATIOLIMIT_FULLSPEED && p.RATIOLIMIT_SLOWDOWN);
    EXPECT_EQ(p.LINEWIDTH, 2);
    EXPECT_EQ(p.DATATIPDELAY, 3000);
    EXPECT_EQ(std::vector<int>({p.Gap.TOP, p.Gap.BTM, p.Gap.LEFT, p.Gap.RIGHT, p.Gap.BETWN}),
              std::vector<int>({10, 10, 10, 10, 5}));
    const auto& c = p.Colours;
    // RGB(r,g,b) = r | g << 8 | b << 16: orange RGB(255,140,0), RGB(51,255,153).
    EXPECT_EQ(std::vector<std::uint32_t>({c.CLR_BACKGRND, c.CLR_BORDER, c.CLR_GRID, c.CLR_TEXT, c.CLR_LINEMIN,
                                          c.CLR_LINEMAX, c.CLR_BEAM, c.CLR_LIGHTLINE, c.CLR_PROPMIN, c.CLR_PROPMAX,
                                          c.CLR_FULLSPEED, c.CLR_SLOWDOWN}),
              std::vector<std::uint32_t>({0xFFFFFF, 0xFFFFFF, 0xA0A0A0, 0, 0xFF0000, 0x0000FF, 0, 0xA0A0A0,
                                          51 | 255 << 8 | 153 << 16, 51 | 255 << 8 | 153 << 16, 255 | 140 << 8,
                                          255 | 140 << 8}));
    EXPECT_EQ(s.m_Version, 1);
}

TEST(Settings, ManualPathFollowsTheApplicationDataFolder)
{
    const std::string xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string home = std::getenv("HOME");
    const struct {
        const char* xdg; // null: unset
        std::string expected;
    } cases[] = {
        {"/cfg/u", "/cfg/u/QEL/QEL User Manual.pdf"},
        {"/cfg/u/", "/cfg/u/QEL/QEL User Manual.pdf"},
        {nullptr, home + "/.config/QEL/QEL User Manual.pdf"},
    };
    for (const auto& c : cases) {
        if (c.xdg)
            ::setenv("XDG_CONFIG_HOME", c.xdg, 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        CSettings s;
        s.SetDefaults();
        EXPECT_EQ(WideToUtf8(s.General.HELPFILEPATH), c.expected) << (c.xdg ? c.xdg : "(unset)");
    }
    ::setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
}

TEST(Settings, ArchiveErrorsAreToldInTheUsersWords)
{
    const std::pair<const char*, const char*> cases[] = {
        {"input stream error", "it ends early or holds a value that cannot be read"},
        {"XML start/end tag mismatch - LINEWIDTH", "its XML is not in the form QEL writes"},
        {"unregistered class", "it holds an element of a kind QEL does not know"},
        {"invalid signature", "it does not begin as a case file does"},
        {"", "its contents are not in the form QEL writes"},
    };
    for (const auto& [text, reason] : cases)
        EXPECT_EQ(ArchiveErrorReason(text), reason) << '"' << text << '"';
}

// Only the whole text names a hint: the library's texts are compared as they stand.
TEST(Settings, ArchiveErrorHintsMatchTheWholeText)
{
    const std::pair<const char*, const char*> cases[] = {
        {"coding error", "(Boost.Serialization library problem)"},
        {"unrecognized XML syntax", "(name-value-pair name contains illegal chars including whitespace?)"},
        {"unregistered class", "(missing BOOST_CLASS_EXPORT(SubClass) macro?)"},
        {"unregistered void cast", "(missing ar & BOOST_SERIALIZATION_BASE_OBJECT_NVP(BaseClass) statement?)"},
        {"stream error", "(asymmetric serialization, including attempt to load empty archive?)"},
        {"stream error ", "(no local interpretation)"},
        {"input stream error", "(no local interpretation)"},
        {"", "(no local interpretation)"},
    };
    for (const auto& [text, hint] : cases)
        EXPECT_EQ(GetArchiveErrorHint(text), hint) << '"' << text << '"';
    EXPECT_EQ(ArchiveErrorDetail("stream error"),
              L"Boost reports: stream error\nPossibly: (asymmetric serialization, including attempt to load empty "
              L"archive?)");
}

TEST_F(SettingsFile, FileHoldsEveryItemInOrder)
{
    const std::string xml = DefaultsText();
    const std::vector<std::string> expected = {"m_Version",
                                               "value",
                                               "USEBINARYFILEFORMAT",
                                               "SHOWINSTRUCTIONS",
                                               "CLR_LM_BGRND",
                                               "CLR_LM_BASELINE",
                                               "CLR_LM_GRIDLINE",
                                               "CLR_LM_TEXT",
                                               "CLR_LM_PL",
                                               "CLR_LM_UDL",
                                               "CLR_LM_PUDL",
                                               "CLR_LM_WHEEL",
                                               "FACTOR",
                                               "DISTANCE",
                                               "SPAN",
                                               "GVW",
                                               "VEHLENGTH",
                                               "BMSF",
                                               "R",
                                               "GRAPHS",
                                               "TABLES",
                                               "NPOINTS_ALONG_BEAM",
                                               "NO_AXLE_SPACINGS",
                                               "BYSTEP",
                                               "STEPSIZE",
                                               "NSTEPS",
                                               "RATIOLIMIT_FULLSPEED",
                                               "RATIOLIMIT_SLOWDOWN",
                                               "LINEWIDTH",
                                               "DATATIPDELAY",
                                               "TOP",
                                               "BTM",
                                               "LEFT",
                                               "RIGHT",
                                               "BETWN",
                                               "CLR_BACKGRND",
                                               "CLR_BORDER",
                                               "CLR_GRID",
                                               "CLR_TEXT",
                                               "CLR_LINEMIN",
                                               "CLR_LINEMAX",
                                               "CLR_BEAM",
                                               "CLR_LIGHTLINE",
                                               "CLR_PROPMIN",
                                               "CLR_PROPMAX",
                                               "CLR_FULLSPEED",
                                               "CLR_SLOWDOWN"};
    std::vector<std::string> names;
    for (const auto& [name, value] : Leaves(xml))
        names.push_back(name);
    EXPECT_EQ(names, expected);

    // The groups are class items in this order, between the leaves that belong to them.
    size_t pos = 0;
    for (const char* group : {"<General ", "<HELPFILEPATH ", "<LoadModel ", "<DecimalPlaces ", "<Output ", "<Analysis ",
                              "<Stepping ", "<Plot ", "<Gap ", "<Colours "}) {
        const size_t at = xml.find(group, pos);
        ASSERT_NE(at, std::string::npos) << group << "\n" << xml;
        EXPECT_NE(xml.find("version=\"0\"", at), std::string::npos);
        pos = at;
    }
    EXPECT_LT(xml.find("<USEBINARYFILEFORMAT>"), xml.find("<LoadModel "));
    EXPECT_LT(xml.find("<NO_AXLE_SPACINGS>"), xml.find("<Stepping "));
    EXPECT_LT(xml.find("<DATATIPDELAY>"), xml.find("<Gap "));

    EXPECT_NE(xml.find("<m_Version>1</m_Version>"), std::string::npos);
    const size_t step = xml.find("<STEPSIZE>") + 10;
    EXPECT_EQ(std::stod(xml.substr(step, xml.find('<', step) - step)), 0.5);
    EXPECT_NE(xml.find("<CLR_PROPMIN>10092339</CLR_PROPMIN>"), std::string::npos);  // 0x99FF33
    EXPECT_NE(xml.find("<CLR_FULLSPEED>36095</CLR_FULLSPEED>"), std::string::npos); // 0x008CFF
}

TEST_F(SettingsFile, EveryFieldSurvivesSaveAndLoad)
{
    const std::string defaults = DefaultsText();
    const std::string filled = FilledText();
    const auto d = Leaves(defaults), f = Leaves(filled);
    ASSERT_EQ(d.size(), f.size());
    for (size_t i = 1; i < d.size(); ++i) // all but m_Version
        EXPECT_NE(d[i].second, f[i].second) << "the fixture leaves " << d[i].first << " at its default";

    ASSERT_TRUE(Save(m_File)) << WideToUtf8(m_Message);
    g_pSettings->SetDefaults();
    ASSERT_TRUE(Load(m_File)) << WideToUtf8(m_Message);
    EXPECT_EQ(m_Message, L"");
    EXPECT_EQ(Leaves(SavedText()), f);
    EXPECT_EQ(g_pSettings->Analysis.Stepping.STEPSIZE, 0.25);
    EXPECT_EQ(g_pSettings->Plot.Colours.CLR_SLOWDOWN, 0x414243u);
    EXPECT_EQ(g_pSettings->General.HELPFILEPATH, L"/srv/manuals/qel.pdf");
    EXPECT_FALSE(fs::exists(m_File.string() + ".tmp"));
}

TEST_F(SettingsFile, VersionInTheFileIsIgnored)
{
    fs::create_directories(m_File.parent_path());
    WriteFile(m_File, ReplaceLeaf(FilledText(), "m_Version", "7"));
    g_pSettings->SetDefaults();
    ASSERT_TRUE(Load(m_File)) << WideToUtf8(m_Message);
    EXPECT_EQ(g_pSettings->m_Version, 1);
    EXPECT_EQ(g_pSettings->Analysis.NPOINTS_ALONG_BEAM, 150);
    EXPECT_NE(SavedText().find("<m_Version>1</m_Version>"), std::string::npos);
}

TEST_F(SettingsFile, UnreadableFileGivesTheMessageAndAllDefaults)
{
    const std::string defaults = DefaultsText();
    const std::string good = FilledText();
    const size_t plot = good.find("<Plot ");
    const size_t end = good.find("</boost_serialization>");
    ASSERT_NE(plot, std::string::npos);
    const struct {
        const char* name;
        std::string content; // written as the file unless the case makes its own path
    } cases[] = {
        {"missing file", ""},
        {"folder instead of a file", ""},
        {"empty file", ""},
        {"not XML", "settings\n"},
        {"cut in half", good.substr(0, good.size() / 2)},
        {"cut before the closing tag", good.substr(0, end)},
        {"without Plot", good.substr(0, plot) + good.substr(end)},
        {"an item after Plot", good.substr(0, end) + "<m_Extra>1</m_Extra>\n" + good.substr(end)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = m_Dir / (std::string(c.name) + ".xml");
        if (c.name == std::string("folder instead of a file"))
            fs::create_directories(file);
        else if (c.name != std::string("missing file"))
            WriteFile(file, c.content);
        g_pSettings->Edit(FillNonDefault);

        EXPECT_FALSE(Load(file));
        const std::string msg = WideToUtf8(m_Message);
        const std::string head = "Problem loading Program Settings file.\n";
        const std::string tail = "\nUsing default values instead.\n";
        ASSERT_EQ(msg.rfind(head, 0), 0u) << msg;
        ASSERT_GE(msg.size(), head.size() + tail.size());
        EXPECT_EQ(msg.substr(msg.size() - tail.size()), tail) << msg;
        const std::string said = msg.substr(head.size(), msg.size() - head.size() - tail.size());
        if (c.name == std::string("missing file") || c.name == std::string("folder instead of a file")) {
            EXPECT_EQ(said, "The file cannot be opened.\nBoost reports: stream error\nPossibly: (asymmetric "
                            "serialization, including attempt to load empty archive?)");
        } else {
            // What the user can act on first; the library's words only as the detail.
            EXPECT_EQ(said.rfind("The file is damaged or was not written by QEL: ", 0), 0u) << said;
            EXPECT_NE(said.find(".\nBoost reports: "), std::string::npos) << said;
            EXPECT_NE(said.find("\nPossibly: ("), std::string::npos) << said;
        }

        EXPECT_EQ(SavedText(), defaults);
    }
}

TEST_F(SettingsFile, ValueOutsideTheLimitsFallsBackToItsDefault)
{
    const std::string defaults = DefaultsText();
    const std::string filled = FilledText();
    const auto d = Leaves(defaults), f = Leaves(filled);
    const struct {
        const char* tag;
        const char* value;
        bool kept;
    } cases[] = {
        {"NPOINTS_ALONG_BEAM", "20", false},
        {"NPOINTS_ALONG_BEAM", "21", true},
        // Stations are allocated per span and analysis: a huge count would exhaust memory.
        {"NPOINTS_ALONG_BEAM", "10000", true},
        {"NPOINTS_ALONG_BEAM", "10001", false},
        {"NPOINTS_ALONG_BEAM", "2147483647", false},
        {"NO_AXLE_SPACINGS", "2", false},
        {"NO_AXLE_SPACINGS", "3", true},
        {"NSTEPS", "0", false},
        {"NSTEPS", "-4", false},
        {"NSTEPS", "1", true},
        {"STEPSIZE", "1.00000000000000002e-03", true},
        {"STEPSIZE", "-0.5", false},
        {"STEPSIZE", "2.00000000000000004e-03", true},
        {"STEPSIZE", "9.99999999999999912e-04", false},
        {"STEPSIZE", "1.00000000000000000e+03", true},
        {"STEPSIZE", "1000.0000000000001", false},
        // Texts no number reads: each falls back alone instead of failing the whole file.
        {"STEPSIZE", "nan", false},
        {"STEPSIZE", "inf", false},
        {"STEPSIZE", "-inf", false},
        {"STEPSIZE", "1e300", false},
        {"STEPSIZE", "1e-300", false},
        {"STEPSIZE", "1e999", false},
        {"STEPSIZE", "", false},
        {"NPOINTS_ALONG_BEAM", "many", false},
        {"NPOINTS_ALONG_BEAM", "99999999999", false},
        {"NSTEPS", "1.5", false},
        {"CLR_GRID", "-1", false},
        {"CLR_GRID", "16777216", false},
        {"CLR_GRID", "16777215", true},
        {"CLR_GRID", "4294967296", false},
        {"LINEWIDTH", "0", false},
        {"LINEWIDTH", "-1", false},
        {"LINEWIDTH", "20", true},
        {"LINEWIDTH", "21", false},
        {"FACTOR", "10", true},
        {"FACTOR", "11", false},
        {"TOP", "200", true},
        {"TOP", "201", false},
        {"DATATIPDELAY", "500", false},
        {"DATATIPDELAY", "501", true},
        {"FACTOR", "0", false},
        {"DISTANCE", "0", false},
        {"SPAN", "0", false},
        {"GVW", "0", false},
        {"VEHLENGTH", "0", false},
        {"VEHLENGTH", "1", true},
        {"TOP", "0", false},
        {"BTM", "-3", false},
        {"LEFT", "0", false},
        {"RIGHT", "0", false},
        {"BETWN", "0", false},
        {"BETWN", "1", true},
    };
    fs::create_directories(m_File.parent_path());
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.tag) + " = " + c.value);
        WriteFile(m_File, ReplaceLeaf(filled, c.tag, c.value));
        g_pSettings->SetDefaults();
        ASSERT_TRUE(Load(m_File)) << WideToUtf8(m_Message);
        // The status log names the one setting put back.
        if (c.kept)
            EXPECT_EQ(m_Message, L"");
        else
            EXPECT_NE(
                WideToUtf8(m_Message).find(std::string(c.tag) + " was not a number in its range; its default is used."),
                std::string::npos)
                << WideToUtf8(m_Message);
        const auto got = Leaves(SavedText());
        ASSERT_EQ(got.size(), f.size());
        for (size_t i = 0; i < got.size(); ++i) {
            if (got[i].first != c.tag)
                EXPECT_EQ(got[i].second, f[i].second) << got[i].first;
            else
                EXPECT_EQ(got[i].second, c.kept ? std::string(c.value) : d[i].second);
        }
    }
}

TEST_F(SettingsFile, SaveCreatesTheMissingFolder)
{
    const fs::path file = m_Dir / "new" / "QEL" / "QEL.xml";
    FilledText();
    ASSERT_TRUE(Save(file)) << WideToUtf8(m_Message);
    g_pSettings->SetDefaults();
    EXPECT_TRUE(Load(file)) << WideToUtf8(m_Message);
    EXPECT_EQ(g_pSettings->Analysis.NPOINTS_ALONG_BEAM, 150);
    EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(file.parent_path()), {}), std::vector<fs::path>{file});
}

void ExpectSaveMessage(const std::wstring& message)
{
    const std::string msg = WideToUtf8(message);
    EXPECT_EQ(msg.rfind("Problem saving file.\nThe settings file could not be written.\nBoost reports: ", 0), 0u)
        << msg;
    EXPECT_EQ(msg.back(), '\n');
}

// Run in a child process: exit 0 when the save failed with the save message.
void SaveWithSmallFileLimit(const std::wstring& path)
{
    const rlimit limit{512, 512};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::signal(SIGXFSZ, SIG_IGN);
    std::wstring msg;
    const bool ok = CSettings::Save(path, msg);
    std::_Exit(ok ? 1
               : WideToUtf8(msg).rfind(
                     "Problem saving file.\nThe settings file could not be written.\nBoost reports: output stream "
                     "error\nPossibly: (no local interpretation)\n",
                     0) == 0
                   ? 0
                   : 2);
}

TEST_F(SettingsFile, FailedSaveKeepsTheOldFile)
{
    const std::string old = FilledText();
    ASSERT_TRUE(Save(m_File));
    g_pSettings->SetDefaults();

    // The new file cannot be made.
    fs::create_directories(m_File.string() + ".tmp/x");
    EXPECT_FALSE(Save(m_File));
    ExpectSaveMessage(m_Message);
    EXPECT_EQ(ReadFile(m_File), old);
    fs::remove_all(m_File.string() + ".tmp");

    // The disk fills up while the file is written: the write fails only when the
    // archive's buffered text reaches the file, after its last item.
    GTEST_FLAG_SET(death_test_style, "fast"); // the child works on this test's folder
    const std::wstring path = W(m_File);
    EXPECT_EXIT(SaveWithSmallFileLimit(path), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadFile(m_File), old);
    EXPECT_FALSE(fs::exists(m_File.string() + ".tmp"));

    // The folder cannot be made: a file stands in its place.
    WriteFile(m_Dir / "blocked", "x");
    EXPECT_FALSE(Save(m_Dir / "blocked" / "QEL" / "QEL.xml"));
    ExpectSaveMessage(m_Message);
}

TEST_F(SettingsFile, NonAsciiTextRoundTripsWhateverTheLocale)
{
    const std::wstring manual = L"/daten/Br\u00fccke \u03a9 \u65e5\u672c/QEL User Manual.pdf";
    const fs::path file = m_Dir / "Br\u00fccke \u03a9" / "QEL" / "QEL.xml";
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    for (const auto& [saveLocale, loadLocale] : {std::pair{"C", "C.UTF-8"}, std::pair{"C.UTF-8", "C"}}) {
        SCOPED_TRACE(std::string(saveLocale) + " -> " + loadLocale);
        std::setlocale(LC_ALL, saveLocale);
        g_pSettings->Edit([&](CSettings& s) { s.General.HELPFILEPATH = manual; });
        const bool savedOk = Save(file);
        std::setlocale(LC_ALL, loadLocale);
        g_pSettings->SetDefaults();
        const bool loadedOk = Load(file);
        std::setlocale(LC_ALL, saved.c_str());
        ASSERT_TRUE(savedOk && loadedOk) << WideToUtf8(m_Message);
        EXPECT_EQ(g_pSettings->General.HELPFILEPATH, manual);
        EXPECT_NE(ReadFile(file).find("<value>/daten/Br\xc3\xbc"
                                      "cke \xce\xa9 \xe6\x97\xa5\xe6\x9c\xac/QEL User Manual.pdf</value>"),
                  std::string::npos);
    }
}

// A reader on another thread sees each edit whole or not at all.
TEST(Settings, CopiesAreConsistentWhileTheSettingsAreEdited)
{
    CSettings s;
    s.Edit([](CSettings& t) {
        t.Analysis.NPOINTS_ALONG_BEAM = t.Analysis.Stepping.NSTEPS = t.Plot.LINEWIDTH = t.General.DecimalPlaces.GVW =
            20;
    });
    std::atomic<bool> done = false;
    std::atomic<int> last = 20;
    std::thread writer([&] {
        for (int k = 21; !done; ++k) {
            s.Edit([k](CSettings& t) {
                t.Analysis.NPOINTS_ALONG_BEAM = k;
                t.Analysis.Stepping.NSTEPS = k;
                t.Plot.LINEWIDTH = k;
                t.General.DecimalPlaces.GVW = k;
            });
            last = k;
        }
    });
    while (last == 20)
        std::this_thread::yield();
    int torn = 0;
    for (int i = 0; i < 500000; ++i) {
        const CSettings::Analysis_Config a = s.GetAnalysisCopy();
        torn += a.NPOINTS_ALONG_BEAM != a.Stepping.NSTEPS;
        const CSettings c = s.GetCopy();
        torn += c.Analysis.NPOINTS_ALONG_BEAM != c.Plot.LINEWIDTH || c.Plot.LINEWIDTH != c.General.DecimalPlaces.GVW;
    }
    done = true;
    writer.join();
    EXPECT_EQ(torn, 0);

    CSettings other;
    other.Assign(s);
    EXPECT_EQ(other.Plot.LINEWIDTH, last);
}

// The options of a run the program starts: the points per span bounded as every solver
// bounds them, whatever an edit left in the field, and the process's thread count.
TEST(Settings, AnalysisOptionsTakeTheBoundedPointsAndTheProgramsThreads)
{
    const struct {
        int field;
        int points;
    } cases[] = {{100, 100},
                 {21, 21},
                 {0, 1},
                 {-5, 1},
                 {CBeamAnalysis::MaxPointsAlongBeam + 1, CBeamAnalysis::MaxPointsAlongBeam}};
    const CAnalysisThreadsScope threads(3);
    for (const auto& c : cases) {
        CSettings s;
        s.Edit([&](CSettings& t) { t.Analysis.NPOINTS_ALONG_BEAM = c.field; });
        const AnalysisOptions o = AnalysisOptionsFromSettings(s);
        EXPECT_EQ(o.nPointsPerSpan, c.points) << c.field;
        EXPECT_EQ(o.path, AnalysisPath::Fast);
        EXPECT_EQ(o.nThreads, 3);
    }
}

// Each bounded field has one row, named by its path, and its default lies in its range:
// a range that left out the default would put a reset file's value back to one it refuses.
TEST(Settings, EveryBoundedFieldHoldsItsDefault)
{
    CSettings defaults;
    std::set<std::wstring> names;
    for (const SettingEntry& b : GetSettingEntries()) {
        if (!HasSettingRange(b))
            continue;
        EXPECT_TRUE(names.insert(b.sName).second) << WideToUtf8(b.sName);
        EXPECT_TRUE(InSettingRange(b, defaults)) << WideToUtf8(b.sName);
        EXPECT_EQ(FindSettingEntry(defaults, b.pField(defaults)), &b) << WideToUtf8(b.sName);
    }
    EXPECT_EQ(names.count(L"Analysis.NPOINTS_ALONG_BEAM"), 1u);
    EXPECT_EQ(names.count(L"Plot.Colours.CLR_SLOWDOWN"), 1u);
}

}
