#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "ArchiveTestUtil.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"

namespace {

using qeltest::Kind;

std::shared_ptr<CLoadModel> Model(int id)
{
    auto lm = std::make_shared<CLoadModel>(id, L"LM" + std::to_wstring(id));
    lm->AddPointLoad(100.0 * id, 0, 2);
    return lm;
}

TEST(LoadModelEnsemble, NewEnsemble)
{
    CLoadModelEnsemble e;
    EXPECT_EQ(e.GetDescription(), L"LoadModelEnsemble");
    EXPECT_EQ(e.m_ElementType, ET_LOADMODELENSEMBLE);
    EXPECT_TRUE(e.m_bIsEditable);
    EXPECT_EQ(e.m_nLoadModels, 0);
    CLoadModelEnsemble n(3, L"Vehicles");
    EXPECT_EQ(n.m_ID, 3);
    EXPECT_EQ(n.GetDescription(), L"Vehicles");
}

TEST(LoadModelEnsemble, MembersAreSharedNotCopied)
{
    auto doc = Model(1);
    CLoadModelEnsemble e;
    e.AddLoadModel(doc);
    e.AddLoadModel(doc);
    EXPECT_EQ(e.m_nLoadModels, 2);
    EXPECT_EQ(e.GetLoadModel(0), e.GetLoadModel(1));
    doc->m_Description = L"edited";
    EXPECT_EQ(e.GetLoadModel(1)->GetDescription(), L"edited");
    e.RemoveLoadModel(0);
    EXPECT_EQ(e.m_nLoadModels, 1);
    EXPECT_EQ(e.GetLoadModel(0), doc);
    e.RemoveLoadModel(1); // ignored
    EXPECT_EQ(e.m_nLoadModels, 1);
    e.RemoveLoadModel(0);
    EXPECT_EQ(doc.use_count(), 1);
}

TEST(LoadModelEnsemble, AddEnsembleAppendsTheOthersMembersInOrder)
{
    CLoadModelEnsemble e, empty, three;
    auto first = Model(9);
    e.AddLoadModel(first);
    e.AddEnsemble(empty);
    EXPECT_EQ(e.m_nLoadModels, 1);
    std::vector<std::shared_ptr<CLoadModel>> models = {Model(1), Model(2), Model(3)};
    for (const auto& m : models)
        three.AddLoadModel(m);
    e.AddEnsemble(three);
    ASSERT_EQ(e.m_nLoadModels, 4);
    EXPECT_EQ(e.GetLoadModel(0), first);
    for (unsigned i = 0; i < 3; ++i)
        EXPECT_EQ(e.GetLoadModel(i + 1), models[i]);
    EXPECT_EQ(three.m_nLoadModels, 3);

    // Of itself: the list as it stood, once.
    three.AddEnsemble(three);
    ASSERT_EQ(three.m_nLoadModels, 6);
    for (unsigned i = 0; i < 6; ++i)
        EXPECT_EQ(three.GetLoadModel(i), models[i % 3]);
}

TEST(LoadModelEnsemble, ClearedEnsembleHasNoMemberZero)
{
    CLoadModelEnsemble e;
    e.AddLoadModel(Model(1));
    e.Clear();
    EXPECT_EQ(e.m_nLoadModels, 0);
    try {
        e.GetLoadModel(0);
        FAIL() << "no throw";
    } catch (const std::out_of_range& ex) {
        EXPECT_STREQ(ex.what(), "invalid vector<T> subscript");
    }
}

// What a case file holds: the document's models and its ensembles that share them.
struct CaseLists {
    std::vector<std::shared_ptr<CLoadModel>> lms;
    std::vector<std::shared_ptr<CLoadModelEnsemble>> lmes;
    template <class Archive>
    void serialize(Archive& ar, const unsigned int)
    {
        ar& boost::serialization::make_nvp("m_vLoadModel", lms);
        ar& boost::serialization::make_nvp("m_vLoadModelEnsemble", lmes);
    }
};

class LoadModelEnsembleArchive : public ::testing::TestWithParam<Kind> {};

TEST_P(LoadModelEnsembleArchive, SharedModelIsStoredOnceAndSharedAgain)
{
    CaseLists c;
    c.lms = {Model(1), Model(2)};
    auto a = std::make_shared<CLoadModelEnsemble>(1, L"A");
    auto b = std::make_shared<CLoadModelEnsemble>(2, L"B");
    a->AddLoadModel(c.lms[0]);
    a->AddLoadModel(c.lms[1]);
    b->AddLoadModel(c.lms[0]);
    b->AddLoadModel(Model(3)); // held only by the ensemble
    c.lmes = {a, b};

    std::string data = qeltest::SaveTo(GetParam(), "QELConfig", c);
    if (GetParam() == Kind::Xml) { // one full record of model 1, references elsewhere
        ASSERT_NE(data.find("<value>LM1</value>"), std::string::npos);
        EXPECT_EQ(data.find("<value>LM1</value>"), data.rfind("<value>LM1</value>"));
    }

    CaseLists back;
    qeltest::LoadFrom(GetParam(), data, "QELConfig", back);
    ASSERT_EQ(back.lms.size(), 2u);
    ASSERT_EQ(back.lmes.size(), 2u);
    const auto& ba = *back.lmes[0];
    const auto& bb = *back.lmes[1];
    EXPECT_EQ(ba.GetDescription(), L"A");
    ASSERT_EQ(ba.m_nLoadModels, 2);
    ASSERT_EQ(bb.m_nLoadModels, 2);
    EXPECT_EQ(ba.GetLoadModel(0), back.lms[0]);
    EXPECT_EQ(bb.GetLoadModel(0), back.lms[0]);
    EXPECT_EQ(ba.GetLoadModel(1), back.lms[1]);
    EXPECT_EQ(back.lms[0].use_count(), 3); // one object held three times
    EXPECT_EQ(bb.GetLoadModel(1)->GetDescription(), L"LM3");
    EXPECT_EQ(bb.GetLoadModel(1)->m_vPL[0].magnitude, 300);
}

TEST_P(LoadModelEnsembleArchive, EmptyMemberOrTruncationIsAnError)
{
    CLoadModelEnsemble e(1, L"E");
    e.AddLoadModel(Model(1));
    e.m_vLoadModel.push_back(nullptr);
    std::string data = qeltest::SaveTo(GetParam(), "item", e);
    CLoadModelEnsemble back;
    EXPECT_THROW(qeltest::LoadFrom(GetParam(), data, "item", back), boost::archive::archive_exception);

    e.m_vLoadModel.pop_back();
    data = qeltest::SaveTo(GetParam(), "item", e);
    EXPECT_EQ(e.m_nLoadModels, 1); // saving re-counts
    for (size_t cut : {size_t(10), data.size() / 2, data.size() - 25}) {
        CLoadModelEnsemble t;
        EXPECT_ANY_THROW(qeltest::LoadFrom(GetParam(), data.substr(0, cut), "item", t)) << cut;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, LoadModelEnsembleArchive, ::testing::Values(Kind::Binary, Kind::Xml),
                         [](const auto& info) { return std::string(qeltest::KindName(info.param)); });

}
