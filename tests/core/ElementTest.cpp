#include <gtest/gtest.h>

#include <clocale>
#include <memory>

#include "ArchiveTestUtil.h"
#include "core/elements/Element.h"

namespace {

// The smallest element kind: what every real kind does in its constructor.
class TestElement : public CElement {
public:
    TestElement() : CElement(0, L"Test", ET_LOADMODEL) {}
    TestElement(int id, std::wstring d, ElementType t) : CElement(id, std::move(d), t) {}

    template <class Archive>
    void serialize(Archive& ar, const unsigned int)
    {
        ar& boost::serialization::make_nvp("CElement", boost::serialization::base_object<CElement>(*this));
    }
};

using qeltest::Kind;

class ElementArchive : public ::testing::TestWithParam<Kind> {};

TEST_P(ElementArchive, BaseFieldsRoundTripIncludingNonAsciiAndEmptyText)
{
    for (const std::wstring& text : {std::wstring(L"Br\u00fccke \u03a9 \u65e5\u672c"), std::wstring()}) {
        TestElement e(7, text, ET_LOADMODEL);
        e.m_bIsEditable = false;
        TestElement back = qeltest::RoundTrip(GetParam(), e);
        EXPECT_EQ(back.m_ID, 7);
        EXPECT_EQ(back.GetDescription(), text);
        EXPECT_EQ(back.m_ElementType, ET_LOADMODEL);
        EXPECT_FALSE(back.m_bIsEditable);
    }
}

TEST_P(ElementArchive, WideTextDoesNotDependOnTheProcessLocale)
{
    const std::wstring text = L"Br\u00fccke \u03a9 \u65e5\u672c";
    const char* old = std::setlocale(LC_ALL, nullptr);
    std::string saved = old ? old : "C";
    std::setlocale(LC_ALL, "C");
    TestElement e(1, text, ET_LOADMODEL);
    std::string data = qeltest::SaveTo(GetParam(), "item", e);
    std::setlocale(LC_ALL, "C.UTF-8");
    TestElement back;
    qeltest::LoadFrom(GetParam(), data, "item", back);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(back.GetDescription(), text);
}

TEST_P(ElementArchive, StoredKindMustMatchTheClassLoadingIt)
{
    TestElement bridge(1, L"B", ET_BRIDGE);
    std::string data = qeltest::SaveTo(GetParam(), "item", bridge);
    TestElement asLoadModel; // a load model's default kind
    EXPECT_THROW(qeltest::LoadFrom(GetParam(), data, "item", asLoadModel), boost::archive::archive_exception);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ElementArchive, ::testing::Values(Kind::Binary, Kind::Xml),
                         [](const auto& info) { return std::string(qeltest::KindName(info.param)); });

TEST(ElementXml, DescriptionIsAClassItemHoldingValue)
{
    TestElement e(3, L"Span <A&B>", ET_LOADMODEL);
    std::string xml = qeltest::SaveTo(Kind::Xml, "item", e);
    EXPECT_NE(xml.find("<m_ElementType>13</m_ElementType>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<value>Span &lt;A&amp;B&gt;</value>"), std::string::npos) << xml;
    EXPECT_LT(xml.find("m_ElementType"), xml.find("m_Description"));
    EXPECT_LT(xml.find("m_Description"), xml.find("<m_ID>"));
    EXPECT_LT(xml.find("<m_ID>"), xml.find("m_bIsEditable"));
}

TEST(ElementArchiveErrors, TruncatedArchiveThrowsInsteadOfCrashing)
{
    TestElement e(3, L"A long enough description", ET_LOADMODEL);
    for (Kind k : {Kind::Binary, Kind::Xml}) {
        std::string data = qeltest::SaveTo(k, "item", e);
        for (size_t cut : {size_t(0), data.size() / 3, data.size() / 2, data.size() - 20}) {
            TestElement back;
            EXPECT_ANY_THROW(qeltest::LoadFrom(k, data.substr(0, cut), "item", back))
                << qeltest::KindName(k) << " " << cut;
        }
    }
}

TEST(Element, DestroyingThroughTheBaseDestroysTheKind)
{
    static int destroyed = 0;
    struct Counted : CElement {
        Counted() : CElement(1, L"C", ET_BRIDGE) {}
        ~Counted() override { ++destroyed; }
    };
    std::unique_ptr<CElement> p = std::make_unique<Counted>();
    p.reset();
    EXPECT_EQ(destroyed, 1);
}

}

TEST(ElementArchiveErrors, XmlWithJunkAfterTheRootThrows)
{
    TestElement e(3, L"X", ET_LOADMODEL);
    std::string xml = qeltest::SaveTo(Kind::Xml, "item", e);
    std::string padded = xml;
    padded.insert(padded.rfind("</boost_serialization>"), "<extra>1</extra>");
    TestElement back;
    EXPECT_THROW(qeltest::LoadFrom(Kind::Xml, padded, "item", back), boost::archive::archive_exception);
}
