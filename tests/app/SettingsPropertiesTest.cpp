#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "app/doc/QELDoc.h"
#include "app/settings/SettingsProperties.h"
#include "common/TestEnv.h"
#include "core/settings/SettingEntries.h"
#include "core/settings/Settings.h"

namespace {

class SettingsPropertiesTest : public ::testing::Test {
protected:
    // The settings whose fields name the pane's rows.
    CSettings& S = *g_pSettings;
    void SetUp() override { g_pSettings->SetDefaults(); }
    void TearDown() override { g_pSettings->SetDefaults(); }
};

// The pane's row of a field of the settings.
template <class T>
int Row(const T& field)
{
    return SettingOf(field).nID;
}

TEST_F(SettingsPropertiesTest, TableHoldsEveryIdOnceWithTextAndField)
{
    std::set<int> ids;
    for (const SettingEntry& p : GetSettingEntries()) {
        EXPECT_TRUE(ids.insert(p.nID).second) << p.nID;
        EXPECT_TRUE(p.sLabel && *p.sLabel && p.sDescription && *p.sDescription) << p.nID;
        EXPECT_NE(p.pField(*g_pSettings), nullptr);
    }
    // 1000-1019 general, 1100-1104 analysis, 1200-1208 plot, 1300-1311 colours.
    EXPECT_EQ(ids.size(), 20u + 5u + 9u + 12u);
    EXPECT_EQ(std::wstring(SettingOf(S.General.USEBINARYFILEFORMAT).sDescription),
              L"Set to true to use a binary file format which is smaller \t\tand quicker to load than the XML format "
              L"used when this \t\tsetting is false. (Note that XML format is useful for finding \t\tproblems "
              L"though).");
    // The table's fields are the settings the labels name.
    EXPECT_EQ(Row(S.Analysis.NPOINTS_ALONG_BEAM), 1100);
    EXPECT_EQ(Row(S.Plot.Colours.CLR_SLOWDOWN), 1311);
    EXPECT_EQ(Row(S.General.HELPFILEPATH), 1000);
}

TEST_F(SettingsPropertiesTest, WholeNumbersAreStoredOnlyInsideTheirBounds)
{
    const struct {
        int* field;
        const wchar_t* text;
        bool stored;
    } cases[] = {
        // Points per span: more than 20, at most what the solver takes.
        {&S.Analysis.NPOINTS_ALONG_BEAM, L"20", false},
        {&S.Analysis.NPOINTS_ALONG_BEAM, L"21", true},
        {&S.Analysis.NPOINTS_ALONG_BEAM, L"10000", true},
        {&S.Analysis.NPOINTS_ALONG_BEAM, L"10001", false},
        // 65557 is 21 in its low 16 bits: it must not slip through as 21.
        {&S.Analysis.NPOINTS_ALONG_BEAM, L"65557", false},
        {&S.Analysis.NPOINTS_ALONG_BEAM, L"-3", false},
        {&S.Analysis.NPOINTS_ALONG_BEAM, L"21.5", false},
        {&S.Analysis.NPOINTS_ALONG_BEAM, L"", false},
        {&S.Analysis.NPOINTS_ALONG_BEAM, L" 50 ", true},
        {&S.Analysis.NPOINTS_ALONG_BEAM, L"99999999999999999999", false},
        {&S.Analysis.NO_AXLE_SPACINGS, L"2", false},
        {&S.Analysis.NO_AXLE_SPACINGS, L"3", true},
        {&S.Analysis.NO_AXLE_SPACINGS, L"1000", true},
        {&S.Analysis.NO_AXLE_SPACINGS, L"1001", false},
        {&S.Analysis.Stepping.NSTEPS, L"0", false},
        {&S.Analysis.Stepping.NSTEPS, L"1", true},
        {&S.Analysis.Stepping.NSTEPS, L"10000", true},
        {&S.Analysis.Stepping.NSTEPS, L"10001", false},
        {&S.Plot.LINEWIDTH, L"0", false},
        {&S.Plot.LINEWIDTH, L"1", true},
        {&S.Plot.LINEWIDTH, L"20", true},
        {&S.Plot.LINEWIDTH, L"21", false},
        {&S.Plot.DATATIPDELAY, L"500", false},
        {&S.Plot.DATATIPDELAY, L"501", true},
        {&S.Plot.DATATIPDELAY, L"60000", true},
        {&S.Plot.DATATIPDELAY, L"60001", false},
        {&S.General.DecimalPlaces.FACTOR, L"0", false},
        {&S.General.DecimalPlaces.FACTOR, L"-3", false},
        {&S.General.DecimalPlaces.FACTOR, L"1", true},
        {&S.General.DecimalPlaces.FACTOR, L"10", true},
        {&S.General.DecimalPlaces.FACTOR, L"11", false},
        {&S.General.DecimalPlaces.VEHLENGTH, L"0", false},
        {&S.General.DecimalPlaces.VEHLENGTH, L"4", true},
        {&S.Plot.Gap.TOP, L"0", false},
        {&S.Plot.Gap.TOP, L"1", true},
        {&S.Plot.Gap.TOP, L"200", true},
        {&S.Plot.Gap.TOP, L"201", false},
        {&S.Plot.Gap.BETWN, L"0", false},
        {&S.Plot.Gap.BETWN, L"-1", false},
        {&S.Plot.Gap.BETWN, L"1", true},
    };
    for (const auto& c : cases) {
        g_pSettings->SetDefaults();
        const int before = *c.field;
        const int nID = Row(*c.field);
        const bool stored = StoreSettingText(*g_pSettings, nID, c.text);
        EXPECT_EQ(stored, c.stored) << nID << " '" << std::string(c.text, c.text + wcslen(c.text)) << "'";
        if (stored)
            EXPECT_EQ(*c.field, std::stoi(c.text)) << nID;
        else
            EXPECT_EQ(*c.field, before) << nID;
    }
}

TEST_F(SettingsPropertiesTest, EveryWholeNumberPropertyHoldsItsEdgesAndRefusesWhatLiesBeyond)
{
    for (const SettingEntry& p : GetSettingEntries()) {
        if (p.kind != SettingKind::Integer)
            continue;
        SCOPED_TRACE(p.nID);
        ASSERT_TRUE(HasSettingRange(p)); // every number the pane takes has its one range
        const int nMin = static_cast<int>(p.whole.lo), nMax = static_cast<int>(p.whole.hi);
        const int& value = *static_cast<int*>(p.pField(*g_pSettings));
        ASSERT_GE(nMin, 1); // no property takes 0 or less
        ASSERT_LT(nMax, 65557);
        for (const int v : {nMin, nMax, nMin + 1, nMax - 1}) {
            EXPECT_TRUE(StoreSettingText(*g_pSettings, p.nID, std::to_wstring(v)));
            EXPECT_EQ(value, v);
        }
        for (const wchar_t* text : {L"-1", L"65557", L"1e2", L"0x10", L"+5"})
            EXPECT_FALSE(StoreSettingText(*g_pSettings, p.nID, text)) << std::wstring(text).size();
        EXPECT_FALSE(StoreSettingText(*g_pSettings, p.nID, std::to_wstring(nMin - 1)));
        EXPECT_FALSE(StoreSettingText(*g_pSettings, p.nID, std::to_wstring(nMax + 1)));
        EXPECT_EQ(value, nMax - 1);
    }
}

TEST_F(SettingsPropertiesTest, StepSizeIsAMillimetreToAKilometre)
{
    EXPECT_FALSE(StoreSettingText(*g_pSettings, Row(S.Analysis.Stepping.STEPSIZE), L"0.000999"));
    EXPECT_FALSE(StoreSettingText(*g_pSettings, Row(S.Analysis.Stepping.STEPSIZE), L"1000.001"));
    EXPECT_FALSE(StoreSettingText(*g_pSettings, Row(S.Analysis.Stepping.STEPSIZE), L"1e300"));
    EXPECT_FALSE(StoreSettingText(*g_pSettings, Row(S.Analysis.Stepping.STEPSIZE), L"-1"));
    EXPECT_FALSE(StoreSettingText(*g_pSettings, Row(S.Analysis.Stepping.STEPSIZE), L"nan"));
    EXPECT_FALSE(StoreSettingText(*g_pSettings, Row(S.Analysis.Stepping.STEPSIZE), L"inf"));
    EXPECT_FALSE(StoreSettingText(*g_pSettings, Row(S.Analysis.Stepping.STEPSIZE), L"0.5m"));
    EXPECT_EQ(g_pSettings->Analysis.Stepping.STEPSIZE, 0.5);
    EXPECT_TRUE(StoreSettingText(*g_pSettings, Row(S.Analysis.Stepping.STEPSIZE), L"0.0011"));
    EXPECT_EQ(g_pSettings->Analysis.Stepping.STEPSIZE, 0.0011);
}

TEST_F(SettingsPropertiesTest, BoolsColoursAndPathAreStoredAsGivenAndOnlyOnTheirKind)
{
    EXPECT_TRUE(StoreSettingBool(*g_pSettings, Row(S.General.Output.BMSF), false));
    EXPECT_FALSE(g_pSettings->General.Output.BMSF);
    EXPECT_TRUE(StoreSettingColour(*g_pSettings, Row(S.Plot.Colours.CLR_LINEMAX), 0x123456));
    EXPECT_EQ(g_pSettings->Plot.Colours.CLR_LINEMAX, 0x123456u);
    EXPECT_TRUE(StoreSettingFile(*g_pSettings, Row(S.General.HELPFILEPATH), L""));
    EXPECT_EQ(g_pSettings->General.HELPFILEPATH, L"");
    // A value of the wrong kind never lands in a field of another type.
    EXPECT_FALSE(StoreSettingBool(*g_pSettings, Row(S.Analysis.NPOINTS_ALONG_BEAM), true));
    EXPECT_FALSE(StoreSettingText(*g_pSettings, Row(S.General.USEBINARYFILEFORMAT), L"1"));
    EXPECT_FALSE(StoreSettingColour(*g_pSettings, Row(S.General.HELPFILEPATH), 1));
    EXPECT_EQ(g_pSettings->Analysis.NPOINTS_ALONG_BEAM, 100);
    EXPECT_EQ(FormatSettingValue(*g_pSettings, SettingOf(S.Plot.Colours.CLR_LINEMAX)), L"RGB(86, 52, 18)");
}

TEST_F(SettingsPropertiesTest, BinaryFileOffMakesTheNextCaseAnXmlArchive)
{
    ASSERT_TRUE(StoreSettingBool(*g_pSettings, Row(S.General.USEBINARYFILEFORMAT), false));
    CQELDoc doc;
    const auto path = qeltest::TempRoot() / "xml-case.qel";
    ASSERT_TRUE(doc.OnSaveDocument(path.wstring()));
    std::ifstream in(path, std::ios::binary);
    std::string head(5, '\0');
    in.read(head.data(), 5);
    EXPECT_EQ(head, "<?xml");
    CQELDoc reread;
    EXPECT_TRUE(reread.OnOpenDocument(path.wstring()));
}

}
