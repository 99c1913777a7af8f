#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ArchiveTestUtil.h"
#include "core/beam/BeamAnalysis.h"
#include "core/beam/LoadUDL.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/bridge/Linspace.h"
#include "core/bounds/ElementChecks.h"
#include "TestOptions.h"

namespace {

using qeltest::Kind;

void ExpectError(const std::function<void()>& f, const char* message, const std::string& what)
{
    try {
        f();
        ADD_FAILURE() << what << ": no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), message) << what;
    }
}

TEST(Bridge, ConfigurationsBuildTheirSpansAndBeam)
{
    struct Case {
        BridgeConfig config;
        std::vector<double> spans;
    };
    for (const Case& c :
         {Case{BC_ONESPAN, {20.0}}, Case{BC_TWOSPAN, {20.0, 20.0}}, Case{BC_THREESPAN, {15.0, 20.0, 15.0}}}) {
        CBridge b(3, L"B", c.config, 20.0);
        EXPECT_EQ(b.m_vSpans, c.spans);
        std::shared_ptr<CBeam> beam = b.GetBeam();
        ASSERT_TRUE(beam);
        const int n = static_cast<int>(c.spans.size());
        EXPECT_EQ(beam->m_nSpans, n);
        EXPECT_EQ(beam->m_vL, c.spans);
        EXPECT_EQ(beam->m_Length, 20.0 * (c.config == BC_THREESPAN ? 2.5 : n));
        EXPECT_EQ(beam->m_vEI, std::vector<double>(c.spans.size(), 1e11));
        std::vector<double> R;
        for (int i = 0; i <= n; ++i)
            R.insert(R.end(), {-1.0, 0.0});
        EXPECT_EQ(beam->m_vR, R);
        EXPECT_EQ(beam->m_nRestraints, n + 1);
    }
}

TEST(Bridge, DefaultCustomAndCopy)
{
    CBridge d;
    EXPECT_EQ(d.m_ID, 0);
    EXPECT_EQ(d.GetDescription(), L"Bridge");
    EXPECT_EQ(d.m_ElementType, ET_BRIDGE);
    EXPECT_EQ(d.m_Config, BC_ONESPAN);
    EXPECT_EQ(d.m_SpanLength, 0.0);
    EXPECT_TRUE(d.m_vSpans.empty());
    EXPECT_FALSE(d.GetBeam());

    CBridge custom;
    custom.m_Config = BC_CUSTOM;
    custom.m_vSpans = {12.0, 18.0, 9.0};
    custom.SetupBeam();
    EXPECT_EQ(custom.GetBeam()->m_vL, custom.m_vSpans);
    EXPECT_EQ(custom.GetBeam()->m_nRestraints, 4);

    CBridge copy(custom);
    EXPECT_EQ(copy.GetBeam(), custom.GetBeam());
    auto created = CBridge::Create(4, L"C", BC_TWOSPAN, 12.5);
    EXPECT_EQ(created->m_ID, 4);
    EXPECT_EQ(created->GetBeam()->m_Length, 25.0);
}

TEST(Bridge, UnknownConfigurationIsRefused)
{
    for (int code : {0, 5, -1})
        ExpectError([&] { CBridge(1, L"B", static_cast<BridgeConfig>(code), 10.0); }, "Error in bridge config",
                    std::to_string(code));
}

TEST(Bridge, CustomSpanListBeyondTheLimitIsRefused)
{
    // The solver's stiffness matrix is dense, (2n + 2)^2 values: 30000 spans would ask
    // for 29 GB at the first analysis. A list that long comes only from a damaged file.
    CBridge custom(1, L"B", BC_CUSTOM, 10.0);
    custom.m_vSpans.assign(CBridge::MaxSpans, 10.0);
    custom.SetupBeam();
    EXPECT_EQ(custom.GetBeam()->m_nSpans, CBridge::MaxSpans);
    custom.m_vSpans.push_back(10.0);
    ExpectError([&] { custom.SetupBeam(); }, "Error in bridge config", "one span too many");

    const std::string xml = qeltest::SaveTo(Kind::Xml, "item", [] {
        CBridge b(1, L"B", BC_CUSTOM, 10.0);
        b.m_vSpans = {10.0};
        b.SetupBeam();
        return b;
    }());
    std::string many = xml;
    const size_t at = many.find("<count>1</count>", many.find("<m_vSpans"));
    ASSERT_NE(at, std::string::npos);
    std::string items;
    for (int i = 0; i < 30000; ++i)
        items += "<item>10</item>";
    const size_t first = many.find("<item>", at);
    const size_t firstEnd = many.find("</item>", first) + 7;
    many.replace(first, firstEnd - first, items);
    many.replace(at, 16, "<count>30000</count>");
    CBridge back;
    ExpectError([&] { qeltest::LoadFrom(Kind::Xml, many, "item", back); },
                "Bridge 1 \"B\": the number of spans is 30,000; it must be from 1 to 1,000", "file");
}

TEST(Bridge, ItsBeamSolvesAsAContinuousBeam)
{
    // Two 10 m spans under 10 kN/m: 3wL/8, 10wL/8, 3wL/8.
    auto b = CBridge::Create(1, L"B", BC_TWOSPAN, 10.0);
    CLoadUDL u0(0, 10.0), u1(1, 10.0);
    CBeamResults r = CBeamAnalysis(*b->GetBeam(), {&u0, &u1}, qeltest::TestPoints()).Analyse();
    ASSERT_EQ(r.m_vReactions.size(), 3u);
    EXPECT_NEAR(r.m_vReactions[0], 37.5, 1e-6);
    EXPECT_NEAR(r.m_vReactions[1], 125.0, 1e-6);
    EXPECT_NEAR(r.m_vReactions[2], 37.5, 1e-6);
}

void ExpectSpanLengths(const CBridgeSet& s, const std::vector<double>& expected)
{
    ASSERT_EQ(s.m_vBridges.size(), expected.size());
    ASSERT_EQ(s.GetSpanLengths().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(s.GetSpanLengths()[i], expected[i], 1e-9) << i;
        EXPECT_NEAR(s.GetBridge(static_cast<int>(i))->m_SpanLength, expected[i], 1e-9) << i;
    }
}

TEST(BridgeSet, ByCountNamesAndNumbersItsBridges)
{
    CBridgeSet s(2, L"Set", 5, BC_ONESPAN, 10.0, 30.0);
    EXPECT_FALSE(s.m_bByStep);
    EXPECT_EQ(s.m_ElementType, ET_BRIDGESET);
    ExpectSpanLengths(s, {10, 15, 20, 25, 30});
    EXPECT_EQ(s.m_Step, 5.0);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(s.GetBridge(i)->m_ID, i);
    EXPECT_EQ(s.GetBridge(0)->GetDescription(), L"1-span - 10.000 m span");
    EXPECT_EQ(s.GetBridge(4)->GetDescription(), L"1-span - 30.000 m span");
    EXPECT_EQ(s.GetBridgeLengths(), (std::vector<double>{10, 15, 20, 25, 30}));
    EXPECT_EQ(s.GetFirstBeam(), s.GetBridge(0)->GetBeam());

    CBridgeSet two(0, L"Two", 3, BC_TWOSPAN, 12.5, 13.5);
    EXPECT_EQ(two.GetBridge(0)->GetDescription(), L"2-span - 12.500 m span");
    EXPECT_EQ(two.GetBridgeLengths(), (std::vector<double>{25, 26, 27}));
    CBridgeSet three(0, L"Three", 2, BC_THREESPAN, 20.0, 40.0);
    EXPECT_EQ(three.GetBridgeLengths(), (std::vector<double>{50, 100}));
    EXPECT_EQ(three.GetFirstBeam()->m_nSpans, 3);
}

TEST(BridgeSet, ByStepPullsTheEndBackOntoTheLastWholeStep)
{
    CBridgeSet s(1, L"Set", BC_ONESPAN, 10.0, 31.0, 5.0);
    EXPECT_TRUE(s.m_bByStep);
    EXPECT_EQ(s.m_nBridge, 5);
    EXPECT_EQ(s.m_EndL, 30.0);
    ExpectSpanLengths(s, {10, 15, 20, 25, 30});

    // 0.7 / 0.1 is just below 7 in floating point: the last bridge must not be lost.
    CBridgeSet fine(1, L"Fine", BC_TWOSPAN, 10.0, 10.7, 0.1);
    EXPECT_EQ(fine.m_nBridge, 8);
    EXPECT_NEAR(fine.m_EndL, 10.7, 1e-12);
    EXPECT_NEAR(fine.m_Step, 0.1, 1e-12);
    ExpectSpanLengths(fine, {10.0, 10.1, 10.2, 10.3, 10.4, 10.5, 10.6, 10.7});

    // 0.1 + 9999 x 0.1 is 1000.0000000000001 in floating point: the widest set still ends
    // at 1000 m, the longest span any file or dialog takes.
    CBridgeSet widest(1, L"Widest", BC_ONESPAN, 0.1, 1000.0, 0.1);
    EXPECT_EQ(widest.m_nBridge, 10000);
    EXPECT_EQ(widest.m_EndL, 1000.0);
    EXPECT_EQ(widest.m_vSpanLengths.back(), 1000.0);
}

TEST(BridgeSet, OneBridgeSetHoldsOneBridgeOfTheStartLength)
{
    CBridgeSet byCount(0, L"One", 1, BC_ONESPAN, 12.0, 20.0);
    ExpectSpanLengths(byCount, {12.0});
    EXPECT_EQ(byCount.m_Step, 0.0);
    CBridgeSet shortRange(0, L"Short", BC_ONESPAN, 12.0, 14.0, 5.0);
    EXPECT_EQ(shortRange.m_nBridge, 1);
    EXPECT_EQ(shortRange.m_EndL, 12.0);
    ExpectSpanLengths(shortRange, {12.0});
    CBridgeSet equalEnds(0, L"Equal", BC_ONESPAN, 12.0, 12.0, 1.0);
    ExpectSpanLengths(equalEnds, {12.0});
}

TEST(BridgeSet, BadConfigurationsAreRefused)
{
    const double nan = std::nan("");
    struct StepCase {
        const char* name;
        BridgeConfig config;
        double start, end, step;
    };
    for (const StepCase& c :
         {StepCase{"zero step", BC_ONESPAN, 10, 20, 0}, StepCase{"negative step", BC_ONESPAN, 10, 20, -1},
          StepCase{"NaN step", BC_ONESPAN, 10, 20, nan}, StepCase{"infinite step", BC_ONESPAN, 10, 20, INFINITY},
          StepCase{"end below start", BC_ONESPAN, 20, 10, 1}, StepCase{"NaN end", BC_ONESPAN, 10, nan, 1},
          StepCase{"custom", BC_CUSTOM, 10, 20, 5}, StepCase{"code 7", static_cast<BridgeConfig>(7), 10, 20, 5}})
        ExpectError([&] { CBridgeSet(0, L"S", c.config, c.start, c.end, c.step); }, "Error in bridge config", c.name);
    ExpectError([] { CBridgeSet(0, L"S", 0, BC_ONESPAN, 10, 20); }, "Error in bridge config", "no bridges");
    ExpectError([] { CBridgeSet(0, L"S", 3, BC_CUSTOM, 10, 20); }, "Error in bridge config", "custom by count");
    ExpectError([] { CBridgeSet(0, L"S", 3, static_cast<BridgeConfig>(0), 10, 20); }, "Error in bridge config",
                "code 0");
    // A family too large to hold or run is refused before any bridge is built.
    ExpectError([] { CBridgeSet(0, L"S", CBridgeSet::MaxBridges + 1, BC_ONESPAN, 10, 20); }, "Error in bridge config",
                "count above the limit");
    ExpectError([] { CBridgeSet(0, L"S", BC_ONESPAN, 10, 20, 1e-6); }, "Error in bridge config",
                "step giving too many bridges");
    CBridgeSet most(0, L"S", CBridgeSet::MaxBridges, BC_ONESPAN, 10, 20);
    EXPECT_EQ(most.m_vBridges.size(), static_cast<size_t>(CBridgeSet::MaxBridges));
}

TEST(BridgeSet, AccessorsDefaultsAndCopies)
{
    CBridgeSet s(0, L"S", 3, BC_ONESPAN, 10, 20);
    EXPECT_THROW(s.GetBridge(3), std::out_of_range);
    EXPECT_THROW(s.GetBridge(-1), std::out_of_range);
    CBridgeSet copy(s);
    EXPECT_EQ(copy.GetBridge(2), s.GetBridge(2));

    CBridgeSet d;
    EXPECT_EQ(d.m_ID, 0);
    EXPECT_EQ(d.GetDescription(), L"Bridge Set");
    EXPECT_EQ(d.m_nBridge, 0);
    EXPECT_TRUE(d.m_vBridges.empty());
    EXPECT_THROW(d.GetFirstBeam(), std::out_of_range);

    struct Case {
        int code;
        const wchar_t* name;
    };
    for (const Case& c :
         {Case{1, L"1-span"}, Case{2, L"2-span"}, Case{3, L"3-span"}, Case{4, L"X-span"}, Case{0, L"X-span"}}) {
        d.m_Config = static_cast<BridgeConfig>(c.code);
        EXPECT_EQ(d.GetConfigName(), c.name);
    }
}

TEST(Linspace, CountAndStepSequences)
{
    struct Case {
        const char* name;
        std::vector<double> got, expected;
    };
    const std::vector<Case> cases = {
        {"count", Linspace(5, 10, 30), {10, 15, 20, 25, 30}},
        {"descending", Linspace(3, 5, 1), {5, 3, 1}},
        {"tiny spacing", Linspace(3, 1, 1 + 1e-7), {1, 1 + 0.5e-7, 1 + 1e-7}},
        {"count 2", Linspace(2, 0, 1), {0, 1}},
        {"count 1", Linspace(1, 3, 7), {}},
        {"count 0", Linspace(0, 3, 7), {}},
        {"negative count", Linspace(-4, 3, 7), {}},
        {"whole steps", LinspaceStep(0, 10, 2.5), {0, 2.5, 5, 7.5, 10, 10}},
        {"part step", LinspaceStep(0, 11, 2.5), {0, 2.5, 5, 7.5, 10, 11}},
        {"one step", LinspaceStep(0, 2.5, 2.5), {0, 2.5, 2.5}},
        {"shorter than a step", LinspaceStep(0, 1, 2), {1}},
        {"end below start", LinspaceStep(5, 1, 2), {1}},
        {"zero step", LinspaceStep(0, 1, 0), {1}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.got.size(), c.expected.size()) << c.name;
        for (size_t i = 0; i < c.got.size(); ++i)
            EXPECT_NEAR(c.got[i], c.expected[i], 1e-12) << c.name << " " << i;
    }
    // Ends are exact.
    std::vector<double> v = Linspace(8, 10.0, 10.7);
    EXPECT_EQ(v.front(), 10.0);
    EXPECT_EQ(v.back(), 10.7);
}

class BridgeArchive : public ::testing::TestWithParam<Kind> {};

TEST_P(BridgeArchive, BridgesRebuildTheirBeamAfterLoading)
{
    CBridge custom(7, L"Custom \u00e9", BC_CUSTOM, 0.0);
    custom.m_vSpans = {12.0, 18.0};
    custom.SetupBeam();
    custom.m_bIsEditable = false;
    CBridge back = qeltest::RoundTrip(GetParam(), custom);
    EXPECT_EQ(back.m_ID, 7);
    EXPECT_EQ(back.GetDescription(), L"Custom \u00e9");
    EXPECT_FALSE(back.m_bIsEditable);
    EXPECT_EQ(back.m_Config, BC_CUSTOM);
    EXPECT_EQ(back.m_vSpans, (std::vector<double>{12.0, 18.0}));
    ASSERT_TRUE(back.GetBeam());
    EXPECT_EQ(back.GetBeam()->m_Length, 30.0);

    // A stale span list on a two-span bridge is replaced by S, S.
    CBridge two(1, L"Two", BC_TWOSPAN, 20.0);
    two.m_vSpans = {1.0, 2.0, 3.0};
    std::string data = qeltest::SaveTo(GetParam(), "item", two);
    EXPECT_EQ(two.m_vSpans, (std::vector<double>{20.0, 20.0})); // saving rebuilds too
    CBridge loaded;
    qeltest::LoadFrom(GetParam(), data, "item", loaded);
    EXPECT_EQ(loaded.m_vSpans, (std::vector<double>{20.0, 20.0}));
    EXPECT_EQ(loaded.GetBeam()->m_nSpans, 2);
}

TEST_P(BridgeArchive, BridgeSetsRegenerateTheirBridgesAfterLoading)
{
    CBridgeSet s(3, L"Set", BC_THREESPAN, 20.0, 31.0, 5.0);
    CBridgeSet back = qeltest::RoundTrip(GetParam(), s);
    EXPECT_EQ(back.m_ID, 3);
    EXPECT_EQ(back.GetDescription(), L"Set");
    EXPECT_FALSE(back.m_bByStep);
    EXPECT_EQ(back.m_nBridge, 3);
    EXPECT_EQ(back.m_StartL, 20.0);
    EXPECT_EQ(back.m_EndL, 30.0);
    EXPECT_EQ(back.m_Config, BC_THREESPAN);
    EXPECT_EQ(back.m_Step, 5.0);
    ExpectSpanLengths(back, {20, 25, 30});
    EXPECT_EQ(back.GetBridgeLengths(), (std::vector<double>{50, 62.5, 75}));
    EXPECT_EQ(back.GetBridge(1)->GetDescription(), L"3-span - 25.000 m span");
}

TEST_P(BridgeArchive, BridgeThroughAnElementPointer)
{
    std::shared_ptr<CElement> e = CBridge::Create(2, L"Poly", BC_TWOSPAN, 15.0);
    std::shared_ptr<CElement> back = qeltest::RoundTrip(GetParam(), e);
    auto b = std::dynamic_pointer_cast<CBridge>(back);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->GetBeam()->m_Length, 30.0);
}

TEST_P(BridgeArchive, WrongKindAndTruncationAreErrors)
{
    CBridge b(1, L"B", BC_ONESPAN, 10.0);
    std::string data = qeltest::SaveTo(GetParam(), "item", b);
    CBridgeSet asSet;
    EXPECT_THROW(qeltest::LoadFrom(GetParam(), data, "item", asSet), boost::archive::archive_exception);
    CBridgeSet s(0, L"S", 4, BC_ONESPAN, 10, 20);
    std::string setData = qeltest::SaveTo(GetParam(), "item", s);
    for (size_t cut : {setData.size() / 2, setData.size() - 12}) {
        CBridgeSet t;
        EXPECT_ANY_THROW(qeltest::LoadFrom(GetParam(), setData.substr(0, cut), "item", t)) << cut;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, BridgeArchive, ::testing::Values(Kind::Binary, Kind::Xml),
                         [](const auto& info) { return std::string(qeltest::KindName(info.param)); });

std::string Replace(std::string s, const std::string& from, const std::string& to)
{
    const size_t at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        s.replace(at, from.size(), to);
    return s;
}

TEST(BridgeArchiveXml, ItemsInOrderAndBadStoredValues)
{
    CBridge b(1, L"B", BC_TWOSPAN, 10.0);
    std::string xml = qeltest::SaveTo(Kind::Xml, "item", b);
    size_t pos = 0;
    for (const char* item : {"<CElement", "<m_Config>2</m_Config>", "<m_SpanLength>", "<m_vSpans"}) {
        pos = xml.find(item, pos);
        ASSERT_NE(pos, std::string::npos) << item << "\n" << xml;
    }
    EXPECT_EQ(xml.find("m_pBeam"), std::string::npos);
    CBridge loaded;
    ExpectError([&] { qeltest::LoadFrom(Kind::Xml, Replace(xml, "<m_Config>2<", "<m_Config>9<"), "item", loaded); },
                "Bridge 1 \"B\": the span arrangement is 9, which is no known choice", "bridge code 9");

    CBridgeSet s(0, L"S", 5, BC_ONESPAN, 10, 30);
    std::string sx = qeltest::SaveTo(Kind::Xml, "item", s);
    pos = 0;
    for (const char* item :
         {"<CElement", "<m_StartL>", "<m_EndL>", "<m_nBridge>5</m_nBridge>", "<m_Config>1</m_Config>"}) {
        pos = sx.find(item, pos);
        ASSERT_NE(pos, std::string::npos) << item << "\n" << sx;
    }
    for (const char* hidden : {"m_vBridges", "m_bByStep", "m_Step", "m_vBridgeLengths", "m_vSpanLengths"})
        EXPECT_EQ(sx.find(hidden), std::string::npos) << hidden;
    for (const char* count : {"<m_nBridge>0<", "<m_nBridge>-3<", "<m_nBridge>2147483647<"}) {
        CBridgeSet t;
        EXPECT_THROW(qeltest::LoadFrom(Kind::Xml, Replace(sx, "<m_nBridge>5<", count), "item", t), CElementValueError)
            << count;
    }
    CBridgeSet t;
    ExpectError([&] { qeltest::LoadFrom(Kind::Xml, Replace(sx, "<m_Config>1<", "<m_Config>4<"), "item", t); },
                "Bridge set 0 \"S\": the span arrangement is 4, which is no known choice", "custom set");
}

}
