#pragma once
// The archives a case is written with: the library's binary and XML output archives,
// which can also write a case as the program wrote it before results were stored
// compactly (CaseLayout::Legacy: the class versions of then and the layouts they name),
// so that files of that layout can be made for comparisons and tests.
//
// Included by archive translation units only (through ArchiveImpl.h).

#include <ostream>
#include <type_traits>
#include <utility>

#include <boost/archive/basic_archive.hpp>
#include <boost/archive/binary_oarchive_impl.hpp>
#include <boost/archive/detail/basic_oserializer.hpp>
#include <boost/archive/detail/basic_pointer_oserializer.hpp>
#include <boost/archive/detail/register_archive.hpp>
#include <boost/archive/xml_oarchive.hpp>
#include <boost/serialization/array_optimization.hpp>
#include <boost/serialization/extended_type_info.hpp>

enum class CaseLayout { Current, Legacy };

// The version a class had before results were stored compactly, for each class whose
// version changed since; any other class keeps its own.
unsigned int LegacyClassVersion(const boost::serialization::extended_type_info& eti, unsigned int version);

template <class Final, class Base>
class CCaseOArchive : public Base {
public:
    bool WritesLegacy() const { return m_Layout == CaseLayout::Legacy; }

    // The library writes a class's version right after the class first meets it here.
    void save_object(const void* x, const boost::archive::detail::basic_oserializer& bos)
    {
        m_pClass = &bos;
        Base::save_object(x, bos);
    }
    void save_pointer(const void* t, const boost::archive::detail::basic_pointer_oserializer* bpos)
    {
        m_pClass = &bpos->get_basic_serializer();
        Base::save_pointer(t, bpos);
    }

    template <class T>
    void save_override(const T& t)
    {
        Base::save_override(t);
    }
    void save_override(const boost::archive::version_type& t)
    {
        const boost::archive::version_type v(WritesLegacy() && m_pClass ? LegacyClassVersion(m_pClass->get_eti(), t)
                                                                        : static_cast<unsigned int>(t));
        Base::save_override(v);
    }

protected:
    template <class... Args>
    explicit CCaseOArchive(CaseLayout layout, Args&&... args) : Base(std::forward<Args>(args)...), m_Layout(layout)
    {
    }

private:
    CaseLayout m_Layout;
    const boost::archive::detail::basic_oserializer* m_pClass = nullptr;
};

class CBinaryOArchive;
using CBinaryOArchiveImpl =
    boost::archive::binary_oarchive_impl<CBinaryOArchive, std::ostream::char_type, std::ostream::traits_type>;

class CBinaryOArchive : public CCaseOArchive<CBinaryOArchive, CBinaryOArchiveImpl> {
public:
    explicit CBinaryOArchive(std::ostream& os, CaseLayout layout = CaseLayout::Current);
};

class CXmlOArchive : public CCaseOArchive<CXmlOArchive, boost::archive::xml_oarchive_impl<CXmlOArchive>> {
public:
    // The closing tag is written when the archive is destroyed: here, while the archive is
    // whole (the library's own destructor would write it through a part already gone).
    explicit CXmlOArchive(std::ostream& os, CaseLayout layout = CaseLayout::Current);
    ~CXmlOArchive() override;
};

// Archives that write XML.
template <class Archive>
inline constexpr bool kIsXmlOArchive =
    std::is_same_v<Archive, CXmlOArchive> || std::is_same_v<Archive, boost::archive::xml_oarchive>;

// Whether ar writes the layout of before compact results; false for any other archive.
template <class Archive>
bool WritesLegacyLayout(const Archive& ar)
{
    if constexpr (requires { ar.WritesLegacy(); })
        return ar.WritesLegacy();
    else
        return false;
}

BOOST_SERIALIZATION_REGISTER_ARCHIVE(CBinaryOArchive)
// Lists of numbers are one block of bytes, as the library's binary archives write them.
BOOST_SERIALIZATION_USE_ARRAY_OPTIMIZATION(CBinaryOArchive)
BOOST_SERIALIZATION_REGISTER_ARCHIVE(CXmlOArchive)
