// What the checked input archives refuse in a stored load effect, whose load model
// pointer the library followed with any class id a damaged file gave.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ArchiveTestUtil.h"
#include "core/envelopes/PointLoadEffect.h"
#include "core/loads/LoadModel.h"

namespace {

using qeltest::Kind;

// Two effects caused by one load model, and one that no load model caused.
std::vector<PointLoadEffect> Effects()
{
    auto lm = std::make_shared<CLoadModel>(1, L"Truck");
    lm->AddPointLoad(100.0, 0.0, 0.0);
    return {PointLoadEffect(250.0, 5.0, 1.0, LET_MOMENT, lm), PointLoadEffect(-40.0, 7.5, 2.0, LET_SHEAR, lm),
            PointLoadEffect(0.0, 0.0, 0.0, LET_MOMENT, nullptr)};
}

std::string LoadError(Kind kind, const std::string& data)
{
    try {
        std::vector<PointLoadEffect> back;
        qeltest::LoadFrom(kind, data, "item", back);
        return "";
    } catch (const std::exception& e) {
        return e.what();
    }
}

}

TEST(CheckedArchive, LoadEffectsKeepTheirSharedLoadModel)
{
    for (Kind kind : {Kind::Binary, Kind::Xml}) {
        std::vector<PointLoadEffect> back;
        qeltest::LoadFrom(kind, qeltest::SaveTo(kind, "item", Effects()), "item", back);
        ASSERT_EQ(back.size(), 3u) << qeltest::KindName(kind);
        EXPECT_EQ(back[0].pLM, back[1].pLM);
        EXPECT_EQ(back[1].pLM->m_vPL[0].magnitude, 100.0);
        EXPECT_EQ(back[2].pLM, nullptr);
    }
}

TEST(CheckedArchive, ABadClassIdAnywhereInStoredLoadEffectsIsRefused)
{
    const std::string data = qeltest::SaveTo(Kind::Binary, "item", Effects());
    int nRefused = 0;
    for (const std::int16_t id : {std::int16_t(-5000), std::int16_t(-2), std::int16_t(300)}) {
        for (size_t at = 0; at + 2 <= data.size(); ++at) {
            std::string bad = data;
            std::memcpy(bad.data() + at, &id, 2);
            nRefused += LoadError(Kind::Binary, bad) == "invalid class id";
        }
    }
    // At least the load model pointer of each of the three effects, for each id.
    EXPECT_GE(nRefused, 9);

    std::string xml = qeltest::SaveTo(Kind::Xml, "item", Effects());
    const size_t at = xml.find("<px class_id=\"");
    ASSERT_NE(at, std::string::npos) << xml;
    const size_t value = at + std::strlen("<px class_id=\"");
    xml.replace(value, xml.find('"', value) - value, "-5000");
    EXPECT_EQ(LoadError(Kind::Xml, xml), "invalid class id");
}
