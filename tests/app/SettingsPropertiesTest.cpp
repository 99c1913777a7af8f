#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "app/doc/QELDoc.h"
#include "app/settings/SettingsProperties.h"
#include "common/TestEnv.h"
#include "core/settings/SettingBounds.h"
#include "core/settings/Settings.h"

namespace {

class SettingsPropertiesTest : public ::testing::Test {
protected:
    void SetUp() override { g_pSettings->SetDefaults(); }
    void TearDown() override { g_pSettings->SetDefaults(); }
    static int Int(int nID) { return *static_cast<int*>(FindSettingProperty(nID)->pField(*g_pSettings)); }
};

TEST_F(SettingsPropertiesTest, TableHoldsEveryIdOnceWithTextAndField)
{
    std::set<int> ids;
    for (const SettingProperty& p : GetSettingProperties()) {
        EXPECT_TRUE(ids.insert(p.nID).second) << p.nID;
        EXPECT_TRUE(p.sLabel && *p.sLabel && p.sDescription && *p.sDescription) << p.nID;
        EXPECT_NE(p.pField(*g_pSettings), nullptr);
    }
    // 1000-1019 general, 1100-1104 analysis, 1200-1208 plot, 1300-1311 colours.
    EXPECT_EQ(ids.size(), 20u + 5u + 9u + 12u);
    EXPECT_EQ(std::wstring(FindSettingProperty(1001)->sDescription),
              L"Set to true to use a binary file format which is smaller \t\tand quicker to load than the XML format "
              L"used when this \t\tsetting is false. (Note that XML format is useful for finding \t\tproblems "
              L"though).");
    // The table's fields are the settings the labels name.
    EXPECT_EQ(FindSettingProperty(1100)->pField(*g_pSettings), &g_pSettings->Analysis.NPOINTS_ALONG_BEAM);
    EXPECT_EQ(FindSettingProperty(1311)->pField(*g_pSettings), &g_pSettings->Plot.Colours.CLR_SLOWDOWN);
    EXPECT_EQ(FindSettingProperty(1000)->pField(*g_pSettings), &g_pSettings->General.HELPFILEPATH);
}

TEST_F(SettingsPropertiesTest, WholeNumbersAreStoredOnlyInsideTheirBounds)
{
    const struct {
        int nID;
        const wchar_t* text;
        bool stored;
    } cases[] = {
        // Points per span: more than 20, at most what the solver takes.
        {1100, L"20", false},
        {1100, L"21", true},
        {1100, L"10000", true},
        {1100, L"10001", false},
        // 65557 is 21 in its low 16 bits: it must not slip through as 21.
        {1100, L"65557", false},
        {1100, L"-3", false},
        {1100, L"21.5", false},
        {1100, L"", false},
        {1100, L" 50 ", true},
        {1100, L"99999999999999999999", false},
        {1101, L"2", false},
        {1101, L"3", true},
        {1101, L"1000", true},
        {1101, L"1001", false},
        {1104, L"0", false},
        {1104, L"1", true},
        {1104, L"10000", true},
        {1104, L"10001", false},
        {1202, L"0", false},
        {1202, L"1", true},
        {1202, L"20", true},
        {1202, L"21", false},
        {1203, L"500", false},
        {1203, L"501", true},
        {1203, L"60000", true},
        {1203, L"60001", false},
        {1011, L"0", false},
        {1011, L"-3", false},
        {1011, L"1", true},
        {1011, L"10", true},
        {1011, L"11", false},
        {1015, L"0", false},
        {1015, L"4", true},
        {1204, L"0", false},
        {1204, L"1", true},
        {1204, L"200", true},
        {1204, L"201", false},
        {1208, L"0", false},
        {1208, L"-1", false},
        {1208, L"1", true},
    };
    for (const auto& c : cases) {
        g_pSettings->SetDefaults();
        const int before = Int(c.nID);
        const bool stored = StoreSettingText(*g_pSettings, c.nID, c.text);
        EXPECT_EQ(stored, c.stored) << c.nID << " '" << std::string(c.text, c.text + wcslen(c.text)) << "'";
        if (stored)
            EXPECT_EQ(Int(c.nID), std::stoi(c.text)) << c.nID;
        else
            EXPECT_EQ(Int(c.nID), before) << c.nID;
    }
}

TEST_F(SettingsPropertiesTest, EveryWholeNumberPropertyHoldsItsEdgesAndRefusesWhatLiesBeyond)
{
    for (const SettingProperty& p : GetSettingProperties()) {
        if (p.kind != SettingKind::Integer)
            continue;
        SCOPED_TRACE(p.nID);
        const SettingBound* bound = GetSettingBound(p);
        ASSERT_NE(bound, nullptr); // every number the pane takes has its one range
        const int nMin = static_cast<int>(bound->whole.lo), nMax = static_cast<int>(bound->whole.hi);
        ASSERT_GE(nMin, 1); // no property takes 0 or less
        ASSERT_LT(nMax, 65557);
        for (const int v : {nMin, nMax, nMin + 1, nMax - 1}) {
            EXPECT_TRUE(StoreSettingText(*g_pSettings, p.nID, std::to_wstring(v)));
            EXPECT_EQ(Int(p.nID), v);
        }
        for (const wchar_t* text : {L"-1", L"65557", L"1e2", L"0x10", L"+5"})
            EXPECT_FALSE(StoreSettingText(*g_pSettings, p.nID, text)) << std::wstring(text).size();
        EXPECT_FALSE(StoreSettingText(*g_pSettings, p.nID, std::to_wstring(nMin - 1)));
        EXPECT_FALSE(StoreSettingText(*g_pSettings, p.nID, std::to_wstring(nMax + 1)));
        EXPECT_EQ(Int(p.nID), nMax - 1);
    }
}

TEST_F(SettingsPropertiesTest, StepSizeIsAMillimetreToAKilometre)
{
    EXPECT_FALSE(StoreSettingText(*g_pSettings, 1103, L"0.000999"));
    EXPECT_FALSE(StoreSettingText(*g_pSettings, 1103, L"1000.001"));
    EXPECT_FALSE(StoreSettingText(*g_pSettings, 1103, L"1e300"));
    EXPECT_FALSE(StoreSettingText(*g_pSettings, 1103, L"-1"));
    EXPECT_FALSE(StoreSettingText(*g_pSettings, 1103, L"nan"));
    EXPECT_FALSE(StoreSettingText(*g_pSettings, 1103, L"inf"));
    EXPECT_FALSE(StoreSettingText(*g_pSettings, 1103, L"0.5m"));
    EXPECT_EQ(g_pSettings->Analysis.Stepping.STEPSIZE, 0.5);
    EXPECT_TRUE(StoreSettingText(*g_pSettings, 1103, L"0.0011"));
    EXPECT_EQ(g_pSettings->Analysis.Stepping.STEPSIZE, 0.0011);
}

TEST_F(SettingsPropertiesTest, BoolsColoursAndPathAreStoredAsGivenAndOnlyOnTheirKind)
{
    EXPECT_TRUE(StoreSettingBool(*g_pSettings, 1016, false));
    EXPECT_FALSE(g_pSettings->General.Output.BMSF);
    EXPECT_TRUE(StoreSettingColour(*g_pSettings, 1305, 0x123456));
    EXPECT_EQ(g_pSettings->Plot.Colours.CLR_LINEMAX, 0x123456u);
    EXPECT_TRUE(StoreSettingFile(*g_pSettings, 1000, L""));
    EXPECT_EQ(g_pSettings->General.HELPFILEPATH, L"");
    // A value of the wrong kind never lands in a field of another type.
    EXPECT_FALSE(StoreSettingBool(*g_pSettings, 1100, true));
    EXPECT_FALSE(StoreSettingText(*g_pSettings, 1001, L"1"));
    EXPECT_FALSE(StoreSettingColour(*g_pSettings, 1000, 1));
    EXPECT_EQ(g_pSettings->Analysis.NPOINTS_ALONG_BEAM, 100);
    EXPECT_EQ(FormatSettingValue(*g_pSettings, *FindSettingProperty(1305)), L"RGB(86, 52, 18)");
}

TEST_F(SettingsPropertiesTest, BinaryFileOffMakesTheNextCaseAnXmlArchive)
{
    ASSERT_TRUE(StoreSettingBool(*g_pSettings, 1001, false));
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
