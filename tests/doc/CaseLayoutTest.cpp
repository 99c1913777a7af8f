// Stored results of reference collections: files written by earlier versions of the
// program open and show the same tables, and every result table of a case reopened from
// a file of the current layout equals the one before saving.
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "CaseFileTestUtil.h"
#include "CaseTables.h"
#include "DocTestUtil.h"
#include "app/doc/CaseFile.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "TestOptions.h"

using namespace qeltest;

namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = QEL_FIXTURE_DIR;

std::shared_ptr<CLoadModel> Truck(int id, const wchar_t* name, std::initializer_list<std::pair<double, double>> axles)
{
    auto lm = std::make_shared<CLoadModel>(id, name);
    for (const auto& [w, s] : axles)
        lm->AddPointLoad(w, s, 0.0);
    return lm;
}

// One-, two- and three-span families against two reference ensembles of vehicles of
// different lengths (their reaction histories differ in length), overstress on, compared
// with a proposed vehicle; and a second collection without overstress, not compared.
CaseContents MakeCollectionCase()
{
    CaseContents c;
    c.m_vBridgeSet = {std::make_shared<CBridgeSet>(1, L"One span", BC_ONESPAN, 8.0, 12.0, 4.0),
                      std::make_shared<CBridgeSet>(2, L"Two span", BC_TWOSPAN, 10.0, 10.0, 5.0),
                      std::make_shared<CBridgeSet>(3, L"Three span", BC_THREESPAN, 12.0, 12.0, 4.0)};
    auto t1 = Truck(1, L"Three axle", {{60.0, 0.0}, {120.0, 3.6}, {120.0, 1.2}});
    t1->AddPartialUDL(9.0, 2.0, 6.0);
    auto t2 = Truck(2, L"Two axle", {{50.0, 0.0}, {80.0, 3.0}});
    auto t3 = Truck(3, L"Four axle", {{50.0, 0.0}, {90.0, 4.0}, {90.0, 1.2}, {90.0, 6.0}});
    auto prop = Truck(4, L"Proposed five axle", {{60.0, 0.0}, {110.0, 3.2}, {110.0, 1.3}, {100.0, 5.0}, {100.0, 1.3}});
    c.m_vLoadModel = {t1, t2, t3, prop};
    auto e1 = std::make_shared<CLoadModelEnsemble>(1, L"Family A");
    e1->AddLoadModel(t1);
    e1->AddLoadModel(t2);
    auto e2 = std::make_shared<CLoadModelEnsemble>(2, L"Family B");
    e2->AddLoadModel(t3);
    e2->AddLoadModel(t2);
    c.m_vLoadModelEnsemble = {e1, e2};

    auto rc1 =
        std::make_shared<CReferenceCollection>(1, L"Overstressed", Stepping{.bByStep = true, .step = 2.0, .nSteps = 0});
    rc1->m_vBS = c.m_vBridgeSet;
    rc1->m_vLME = {e1, e2};
    rc1->m_bUseOverstress = true;
    rc1->m_OverstressFactor = 1.4;
    std::atomic<bool> run{true};
    rc1->Calculate(CStopFlagFeedback(run), qeltest::PointsOptions(6));
    rc1->SetProposedLoadModel(prop);
    rc1->CompareProposed(CStopFlagFeedback(run), 1.0, qeltest::PointsOptions(6));

    auto rc2 =
        std::make_shared<CReferenceCollection>(2, L"Live only", Stepping{.bByStep = false, .step = 1.0, .nSteps = 5});
    rc2->m_vBS = {c.m_vBridgeSet[0]};
    rc2->m_vLME = {e1};
    rc2->Calculate(CStopFlagFeedback(run), qeltest::PointsOptions(6));
    c.m_vRefCollection = {rc1, rc2};
    c.m_sCaseRef = L"Layout case";
    return c;
}

class CaseLayoutTest : public DocTest {};

// Run once, with the program whose files these are, to make the fixtures:
//   qel_doc_tests --gtest_filter='*WriteLegacyFixtures' --gtest_also_run_disabled_tests
TEST_F(CaseLayoutTest, DISABLED_WriteLegacyFixtures)
{
    const CaseContents c = MakeCollectionCase();
    fs::create_directories(kFixtures);
    SaveCaseFile(W(kFixtures / "legacy-collection.qel"), c, true);
    SaveCaseFile(W(kFixtures / "legacy-collection-xml.qel"), c, false);
    CaseContents loaded;
    LoadCaseFile(W(kFixtures / "legacy-collection.qel"), loaded);
    WriteBytes(kFixtures / "legacy-collection.tables.txt", CaseTables::Of(loaded));
}

// A file of the earlier layout, binary and XML, opens and shows the tables it showed in
// the program that wrote it.
TEST_F(CaseLayoutTest, AFileOfTheEarlierLayoutShowsItsTables)
{
    const std::string expected = ReadBytes(kFixtures / "legacy-collection.tables.txt");
    ASSERT_FALSE(expected.empty());
    for (const char* name : {"legacy-collection.qel", "legacy-collection-xml.qel"}) {
        SCOPED_TRACE(name);
        CaseContents loaded;
        LoadCaseFile(W(kFixtures / name), loaded);
        ASSERT_EQ(loaded.m_vRefCollection.size(), 2u);
        EXPECT_EQ(loaded.m_vRefCollection[0]->m_nRefSet, 6);
        EXPECT_TRUE(CaseTables::Of(loaded) == expected);
    }
}

}

namespace {

// The legacy writer makes the very files the earlier program made: what the comparisons
// and the older-file tests write stands for the files users have.
TEST_F(CaseLayoutTest, TheLegacyWriterMakesTheEarlierProgramsFiles)
{
    for (bool bBinary : {true, false}) {
        const fs::path path = kFixtures / (bBinary ? "legacy-collection.qel" : "legacy-collection-xml.qel");
        SCOPED_TRACE(path.filename().string());
        CaseContents loaded;
        LoadCaseFile(W(path), loaded);
        EXPECT_TRUE(MakeCaseFileData(loaded, bBinary, true) == ReadBytes(path));
    }
}

}

namespace {

class CaseLayoutKinds : public CaseLayoutTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        CaseLayoutTest::SetUp();
        m_Dir = MakeTestDir("layout");
    }
    void TearDown() override
    {
        RemoveTestDir(m_Dir);
        CaseLayoutTest::TearDown();
    }
    CaseContents Reopened(const CaseContents& c, bool bLegacy = false)
    {
        const fs::path path = m_Dir / "case.qel";
        SaveCaseFile(W(path), c, GetParam(), {}, bLegacy);
        CaseContents back;
        LoadCaseFile(W(path), back);
        return back;
    }
    fs::path m_Dir;
};

// Every table of both collections, live, overstress, reference (made again from them)
// and proposed, and the ratios of the stored proposed results, equal those before saving.
TEST_P(CaseLayoutKinds, EveryTableOfAReopenedCollectionEqualsTheOneBeforeSaving)
{
    const CaseContents before = MakeCollectionCase();
    CaseContents after = Reopened(before);
    EXPECT_TRUE(CaseTables::Of(after) == CaseTables::Of(before));
    // And again from the reopened case: nothing drifts.
    EXPECT_TRUE(CaseTables::Of(Reopened(after)) == CaseTables::Of(before));
}

// Saved again, it holds no reference results that can be made again: those of the
// overstressed sets were found to be what combining gives.
TEST_P(CaseLayoutKinds, AFileOfTheEarlierLayoutSavedAgainKeepsItsTables)
{
    const std::string expected = ReadBytes(kFixtures / "legacy-collection.tables.txt");
    CaseContents legacy;
    LoadCaseFile(W(kFixtures / (GetParam() ? "legacy-collection.qel" : "legacy-collection-xml.qel")), legacy);
    for (const auto& rs : legacy.m_vRefCollection[0]->m_vRefSet)
        EXPECT_TRUE(rs->m_bRefCombined);
    EXPECT_TRUE(CaseTables::Of(Reopened(legacy)) == expected);
    EXPECT_EQ(MakeCaseFileData(legacy, false).find("<m_vRefCritEnv"), std::string::npos);
}

// A file of the earlier layout whose stored reference results are not what combining
// gives (one value differs) keeps them as they are, also saved again.
TEST_P(CaseLayoutKinds, StoredReferenceResultsThatCombiningDoesNotGiveAreKept)
{
    CaseContents legacy;
    LoadCaseFile(W(kFixtures / "legacy-collection.qel"), legacy);
    legacy.m_vRefCollection[0]->m_vRefSet[1]->m_vRefCritEnv[0]->m_pEnvBMD->m_vMax[2].val += 0.5;
    const std::string expected = CaseTables::Of(legacy);
    CaseContents back;
    ReadCaseFileData(MakeCaseFileData(legacy, GetParam(), true), back);
    const auto& sets = back.m_vRefCollection[0]->m_vRefSet;
    EXPECT_TRUE(sets[0]->m_bRefCombined);
    EXPECT_FALSE(sets[1]->m_bRefCombined);
    EXPECT_TRUE(CaseTables::Of(Reopened(back)) == expected);
}

// What can be made again is not stored: the reference results of an overstressed set, and
// the proposed results more than once for a bridge set; a reopened case shares them as
// the calculated one did.
TEST_P(CaseLayoutKinds, DerivedAndSharedResultsAreStoredOnce)
{
    const CaseContents before = MakeCollectionCase();
    const CaseContents after = Reopened(before);
    const auto& sets = after.m_vRefCollection[0]->m_vRefSet;
    ASSERT_EQ(sets.size(), 6u);
    for (size_t k = 0; k < 3; ++k) {
        // Ensemble-major: set k and set k + 3 are one bridge set against two families.
        EXPECT_EQ(sets[k]->m_vPropCritEnv, sets[k + 3]->m_vPropCritEnv);
        EXPECT_TRUE(sets[k]->m_bRefCombined);
    }
    const auto& live = after.m_vRefCollection[1]->m_vRefSet[0];
    EXPECT_EQ(live->m_vRefCritEnv, live->m_vLiveLoadCritEnv);

    const std::string compact = MakeCaseFileData(before, GetParam());
    const std::string legacy = MakeCaseFileData(before, GetParam(), true);
    EXPECT_LT(compact.size() * 2, legacy.size());
    if (!GetParam()) {
        EXPECT_EQ(compact.find("<m_vRefCritEnv"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, CaseLayoutKinds, ::testing::Values(true, false),
                         [](const auto& info) { return std::string(info.param ? "binary" : "xml"); });

}

namespace {

// One bridge under one truck with overstress, compared with a second truck: a compact
// file of a few kilobytes that holds every kind of stored list.
CaseContents TinyCollectionCase()
{
    CaseContents c;
    c.m_vBridgeSet = {std::make_shared<CBridgeSet>(1, L"Two span", BC_TWOSPAN, 10.0, 10.0, 5.0)};
    auto t1 = Truck(1, L"Truck", {{60.0, 0.0}, {120.0, 3.6}});
    auto t2 = Truck(2, L"Proposed", {{80.0, 0.0}, {80.0, 1.2}, {80.0, 4.0}});
    c.m_vLoadModel = {t1, t2};
    auto e1 = std::make_shared<CLoadModelEnsemble>(1, L"Family");
    e1->AddLoadModel(t1);
    c.m_vLoadModelEnsemble = {e1};
    auto rc = std::make_shared<CReferenceCollection>(1, L"RC", Stepping{.bByStep = true, .step = 2.0, .nSteps = 0});
    rc->m_vBS = c.m_vBridgeSet;
    rc->m_vLME = {e1};
    rc->m_bUseOverstress = true;
    std::atomic<bool> run{true};
    rc->Calculate(CStopFlagFeedback(run), qeltest::PointsOptions(4));
    rc->SetProposedLoadModel(t2);
    rc->CompareProposed(CStopFlagFeedback(run), 1.0, qeltest::PointsOptions(4));
    c.m_vRefCollection = {rc};
    return c;
}


TEST_F(CaseLayoutTest, EveryChangedBitOfACompactBinaryCaseIsRefusedAsDamage)
{
    const std::string good = MakeCaseFileData(TinyCollectionCase(), true);
    ASSERT_EQ(ReadError(good), "");
    // One bit of every byte, a different one from byte to byte.
    for (size_t i = 0; i < good.size(); ++i) {
        std::string bad = good;
        bad[i] ^= static_cast<char>(1 << (i % 8));
        ASSERT_TRUE(ReadError(bad).starts_with("The file is damaged: ")) << "byte " << i;
    }
}

// Stored lists of a compact XML case that do not fit together, or numbers that are none.
TEST_F(CaseLayoutTest, CraftedListsOfACompactXmlCaseAreRefused)
{
    const std::string good = MakeCaseFileData(TinyCollectionCase(), false);
    ASSERT_EQ(ReadError(good), "");
    // The text of the first item named tag in the first bending envelope, and where it starts.
    const size_t results = good.find("<m_EnvBMD");
    ASSERT_NE(results, std::string::npos);
    const auto text = [&](const std::string& tag) {
        size_t start = good.find("<" + tag + ">", results) + tag.size() + 2;
        // For a list of numbers, the first that holds some.
        while (tag != "type" && good[start] == '<')
            start = good.find("<" + tag + ">", start) + tag.size() + 2;
        return std::make_pair(start, good.substr(start, good.find('<', start) - start));
    };
    struct Row {
        const char* what;
        std::string tag;
        std::function<std::string(const std::string&)> edit;
        const char* error;
    };
    const Row rows[] = {
        {"a value that is no number", "val", [](const std::string& t) { return "x" + t; }, "invalid number"},
        {"a value that is not finite", "val", [](const std::string&) { return "inf"; }, "invalid number"},
        {"one value too few", "val", [](const std::string& t) { return t.substr(0, t.rfind(' ')); },
         "inconsistent envelope results"},
        {"one entry more than the values", "count",
         [](const std::string& t) { return std::to_string(std::stoi(t) + 1); }, "inconsistent envelope results"},
        {"a load model past the table", "pLM", [](const std::string& t) { return t.substr(0, t.find(' ')) + " 99"; },
         "inconsistent envelope results"},
        {"load models for more entries than there are", "pLM",
         [](const std::string& t) { return "4000000000 " + t.substr(t.find(' ') + 1); },
         "inconsistent envelope results"},
        {"a load position past the reaction histories'", "xLoadModelAt",
         [](const std::string& t) { return "4000000" + t.substr(t.find(' ')); }, "inconsistent envelope results"},
        {"an unknown kind of effect", "type", [](const std::string&) { return "3"; }, "unknown load-effect type"},
        {"reference results from nowhere", "m_RefFrom", [](const std::string&) { return "7"; },
         "inconsistent reference set"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const auto [start, t] = text(r.tag);
        ASSERT_NE(start, std::string::npos);
        std::string bad = good;
        bad.replace(start, t.size(), r.edit(t));
        EXPECT_EQ(ReadError(bad), r.error) << t << " -> " << r.edit(t);
    }
}

}
