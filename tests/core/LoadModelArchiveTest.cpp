#include <limits>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ArchiveTestUtil.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"

namespace {

using boost::serialization::make_nvp;
using qeltest::Kind;

// Writes a model as a record of the first class version: no m_bAppliesR, no m_Direction.
struct LoadModelV0 {
    CLoadModel* m;
    template <class Archive>
    void serialize(Archive& ar, const unsigned int)
    {
        ar& make_nvp("CElement", static_cast<CElement&>(*m));
        ar& make_nvp("m_Gamma", m->m_Gamma);
        ar& make_nvp("m_vUDL", m->m_vUDL);
        ar& make_nvp("m_vPL", m->m_vPL);
        ar& make_nvp("m_vPUDL", m->m_vPUDL);
        ar& make_nvp("m_gDLA", m->m_gDLA);
        ar& make_nvp("m_gLiveLoad", m->m_gLiveLoad);
        ar& make_nvp("m_gUnits", m->m_gUnits);
        ar& make_nvp("m_gArbitrary", m->m_gArbitrary);
        ar& make_nvp("m_WidthFactor", m->m_WidthFactor);
        ar& make_nvp("m_bAppliesBM", m->m_bAppliesBM);
        ar& make_nvp("m_bAppliesSF", m->m_bAppliesSF);
        ar& make_nvp("m_bUseMinL", m->m_bUseMinL);
        ar& make_nvp("m_bUseMaxL", m->m_bUseMaxL);
        ar& make_nvp("m_minL", m->m_minL);
        ar& make_nvp("m_maxL", m->m_maxL);
        ar& make_nvp("m_GammaPL", m->m_GammaPL);
        ar& make_nvp("m_GammaUDL", m->m_GammaUDL);
        ar& make_nvp("m_GammaPUDL", m->m_GammaPUDL);
        ar& make_nvp("m_bAdjustToBridge", m->m_bAdjustToBridge);
        std::int32_t rule = m->m_lmBridge;
        ar& make_nvp("m_lmBridge", rule);
        ar& make_nvp("m_bIsMoving", m->m_bIsMoving);
        ar& make_nvp("m_PointLoadStart", m->m_PointLoadStart);
    }
};

}

BOOST_CLASS_VERSION(LoadModelV0, 0)
BOOST_CLASS_TRACKING(LoadModelV0, boost::serialization::track_always)

namespace {

CLoadModel Sample()
{
    CLoadModel lm(4, L"Semi-trailer \u00e9");
    lm.AddUDL(9.0);
    lm.AddPointLoad(48, 0, 2.5);
    lm.AddPointLoad(80, -3.7, 1.8);
    lm.AddPointLoad(80, -4.9, 1.8);
    lm.AddPartialUDL(-9.0, -4.9, 4.9);
    lm.SetGammaUDL(1.2);
    lm.SetGammaPUDL(1.3);
    lm.SetPointLoad(1, 1.4, 80, -3.7, 1.8);
    lm.m_gDLA.value = 1.3;
    lm.m_gLiveLoad.value = 1.5;
    lm.m_gUnits.value = 9.81;
    lm.m_gArbitrary.value = 0.5;
    lm.m_gArbitrary.desc = L"My factor";
    lm.m_WidthFactor = 2;
    lm.m_GammaPL = 1.4;
    lm.m_bAdjustToBridge = true;
    lm.m_lmBridge = BR_NAASRA_PL_ABDC_DLA;
    lm.m_bAppliesBM = false;
    lm.m_bAppliesSF = true;
    lm.m_bAppliesR = false;
    lm.m_bUseMinL = true;
    lm.m_bUseMaxL = true;
    lm.m_minL = 5;
    lm.m_maxL = 60;
    lm.m_Direction = TD_REVERSE;
    lm.m_PointLoadStart = 1.25;
    return lm;
}

void ExpectSameLoadsAndFields(const CLoadModel& a, const CLoadModel& b)
{
    EXPECT_EQ(a.m_ID, b.m_ID);
    EXPECT_EQ(a.GetDescription(), b.GetDescription());
    ASSERT_EQ(a.m_vUDL.size(), b.m_vUDL.size());
    ASSERT_EQ(a.m_vPL.size(), b.m_vPL.size());
    ASSERT_EQ(a.m_vPUDL.size(), b.m_vPUDL.size());
    for (size_t i = 0; i < a.m_vUDL.size(); ++i) {
        EXPECT_EQ(a.m_vUDL[i].gamma, b.m_vUDL[i].gamma);
        EXPECT_EQ(a.m_vUDL[i].magnitude, b.m_vUDL[i].magnitude);
    }
    for (size_t i = 0; i < a.m_vPL.size(); ++i) {
        EXPECT_EQ(a.m_vPL[i].gamma, b.m_vPL[i].gamma);
        EXPECT_EQ(a.m_vPL[i].magnitude, b.m_vPL[i].magnitude);
        EXPECT_EQ(a.m_vPL[i].location, b.m_vPL[i].location);
        EXPECT_EQ(a.m_vPL[i].width, b.m_vPL[i].width);
    }
    for (size_t i = 0; i < a.m_vPUDL.size(); ++i) {
        EXPECT_EQ(a.m_vPUDL[i].gamma, b.m_vPUDL[i].gamma);
        EXPECT_EQ(a.m_vPUDL[i].magnitude, b.m_vPUDL[i].magnitude);
        EXPECT_EQ(a.m_vPUDL[i].location, b.m_vPUDL[i].location);
        EXPECT_EQ(a.m_vPUDL[i].cover, b.m_vPUDL[i].cover);
    }
    for (int f = 0; f < 4; ++f) {
        EXPECT_EQ(a.GetFactor(f).desc, b.GetFactor(f).desc);
        EXPECT_EQ(a.GetFactor(f).value, b.GetFactor(f).value);
        EXPECT_EQ(a.GetFactor(f).type, b.GetFactor(f).type);
    }
    EXPECT_EQ(a.m_WidthFactor, b.m_WidthFactor);
    EXPECT_EQ(a.m_bAppliesBM, b.m_bAppliesBM);
    EXPECT_EQ(a.m_bAppliesSF, b.m_bAppliesSF);
    EXPECT_EQ(a.m_bUseMinL, b.m_bUseMinL);
    EXPECT_EQ(a.m_bUseMaxL, b.m_bUseMaxL);
    EXPECT_EQ(a.m_minL, b.m_minL);
    EXPECT_EQ(a.m_maxL, b.m_maxL);
    EXPECT_EQ(a.m_GammaPL, b.m_GammaPL);
    EXPECT_EQ(a.m_GammaUDL, b.m_GammaUDL);
    EXPECT_EQ(a.m_GammaPUDL, b.m_GammaPUDL);
    EXPECT_EQ(a.m_bAdjustToBridge, b.m_bAdjustToBridge);
    EXPECT_EQ(a.m_lmBridge, b.m_lmBridge);
    EXPECT_EQ(a.m_bIsMoving, b.m_bIsMoving);
    EXPECT_EQ(a.m_PointLoadStart, b.m_PointLoadStart);
}

class LoadModelArchive : public ::testing::TestWithParam<Kind> {};

TEST_P(LoadModelArchive, EveryFieldRoundTripsAndTheLoadedModelIsUpdated)
{
    CLoadModel lm = Sample();
    lm.m_Gamma = 123; // stale: saving recomputes it
    std::string data = qeltest::SaveTo(GetParam(), "item", lm);
    // Saving recomputed the model in memory and updated it.
    EXPECT_DOUBLE_EQ(lm.m_Gamma, 1.3 * 1.5 * 9.81 * 0.5);
    EXPECT_TRUE(lm.m_bIsUpdated);
    EXPECT_DOUBLE_EQ(lm.m_Length, 4.9);

    CLoadModel back;
    qeltest::LoadFrom(GetParam(), data, "item", back);
    ExpectSameLoadsAndFields(lm, back);
    EXPECT_FALSE(back.m_bAppliesR);
    EXPECT_EQ(back.m_Direction, TD_REVERSE);
    EXPECT_DOUBLE_EQ(back.m_Gamma, 1.3 * 1.5 * 9.81 * 0.5);
    EXPECT_TRUE(back.m_bIsUpdated);
    EXPECT_DOUBLE_EQ(back.m_Length, 4.9);
    EXPECT_EQ(back.m_nLoads, 5u);
    EXPECT_EQ(back.m_nPL, 3u);
}

TEST_P(LoadModelArchive, LoadingShiftsAModelSavedBeforeItsUpdate)
{
    // Saved as entered (front axle 2 m ahead of the reference point), loaded shifted.
    std::string data;
    {
        CLoadModel lm;
        lm.AddPointLoad(100, 2, 2);
        lm.AddPointLoad(100, -1, 2);
        data = qeltest::SaveTo(GetParam(), "item", lm);
    }
    CLoadModel back;
    qeltest::LoadFrom(GetParam(), data, "item", back);
    EXPECT_EQ(back.m_vPL[0].location, 0);
    EXPECT_EQ(back.m_vPL[1].location, -3);
    EXPECT_EQ(back.m_Length, 3);
}

TEST_P(LoadModelArchive, FirstVersionRecordsLoadWithTheDefaults)
{
    CLoadModel lm = Sample(); // does not apply to reactions, reversed
    LoadModelV0 v0{&lm};
    std::string data = qeltest::SaveTo(GetParam(), "item", v0);
    CLoadModel back;
    back.m_bAppliesR = false;
    back.m_Direction = TD_REVERSE;
    qeltest::LoadFrom(GetParam(), data, "item", back);
    ExpectSameLoadsAndFields(lm, back);
    EXPECT_TRUE(back.m_bAppliesR);
    EXPECT_EQ(back.m_Direction, TD_FORWARD);
}

TEST_P(LoadModelArchive, TruncatedOrForeignArchivesThrow)
{
    std::string data = qeltest::SaveTo(GetParam(), "item", Sample());
    for (size_t cut : {size_t(0), size_t(40), data.size() / 2, data.size() - 30}) {
        CLoadModel back;
        EXPECT_ANY_THROW(qeltest::LoadFrom(GetParam(), data.substr(0, cut), "item", back)) << cut;
    }
    CLoadModelEnsemble lme(1, L"E");
    std::string other = qeltest::SaveTo(GetParam(), "item", lme);
    CLoadModel back;
    EXPECT_THROW(qeltest::LoadFrom(GetParam(), other, "item", back), boost::archive::archive_exception);
}

// A file holding NaN or an infinity in a load would carry it into every result.
INSTANTIATE_TEST_SUITE_P(Kinds, LoadModelArchive, ::testing::Values(Kind::Binary, Kind::Xml),
                         [](const auto& info) { return std::string(qeltest::KindName(info.param)); });

TEST(LoadModelXml, ItemsInTheirArchiveOrder)
{
    CLoadModel lm = Sample();
    std::string xml = qeltest::SaveTo(Kind::Xml, "item", lm);
    auto pos = [&](const std::string& tag) { return std::min(xml.find("<" + tag + ">"), xml.find("<" + tag + " ")); };
    auto inOrder = [&](std::vector<std::string> tags) {
        for (size_t i = 0; i + 1 < tags.size(); ++i) {
            ASSERT_NE(pos(tags[i]), std::string::npos) << tags[i];
            EXPECT_LT(pos(tags[i]), pos(tags[i + 1])) << tags[i] << " before " << tags[i + 1];
        }
    };
    inOrder({"m_Gamma",           "m_vUDL",       "m_vPL",         "m_vPUDL",          "m_gDLA",       "m_gLiveLoad",
             "m_gUnits",          "m_gArbitrary", "m_WidthFactor", "m_bAppliesBM",     "m_bAppliesSF", "m_bUseMinL",
             "m_bUseMaxL",        "m_minL",       "m_maxL",        "m_GammaPL",        "m_GammaUDL",   "m_GammaPUDL",
             "m_bAdjustToBridge", "m_lmBridge",   "m_bIsMoving",   "m_PointLoadStart", "m_bAppliesR",  "m_Direction"});
    EXPECT_NE(xml.find("<m_lmBridge>6</m_lmBridge>"), std::string::npos);
    EXPECT_NE(xml.find("<m_Direction>1</m_Direction>"), std::string::npos);
    // A partial load: magnitude, location, cover, gamma.
    const std::string pudl = xml.substr(pos("m_vPUDL"));
    EXPECT_LT(pudl.find("<magnitude>"), pudl.find("<location>"));
    EXPECT_LT(pudl.find("<location>"), pudl.find("<cover>"));
    EXPECT_LT(pudl.find("<cover>"), pudl.find("<gamma>"));
    // A point load: magnitude, location, gamma, width.
    const std::string pl = xml.substr(pos("m_vPL"));
    EXPECT_LT(pl.find("<location>"), pl.find("<gamma>"));
    EXPECT_LT(pl.find("<gamma>"), pl.find("<width>"));
    // A factor: desc (a wide string item), value, type.
    const std::string f = xml.substr(pos("m_gArbitrary"));
    const size_t descEnd = f.find("</desc>");
    EXPECT_LT(f.find("<value>My factor</value>"), descEnd);
    EXPECT_LT(descEnd, f.find("<value>", descEnd));
    EXPECT_LT(f.find("<value>", descEnd), f.find("<type>3</type>"));
}

}
