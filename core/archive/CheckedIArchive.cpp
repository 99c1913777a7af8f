#include "core/archive/CheckedIArchive.h"

#include "core/archive/ArchiveError.h"

#include <algorithm>
#include <cstring>

#include <boost/serialization/void_cast.hpp>

#include <boost/archive/detail/archive_serializer_map.hpp>
#include <boost/archive/impl/archive_serializer_map.ipp>
#include <boost/archive/impl/basic_binary_iarchive.ipp>
#include <boost/archive/impl/basic_binary_iprimitive.ipp>
#include <boost/archive/impl/basic_xml_grammar.hpp>
#include <boost/archive/impl/basic_xml_iarchive.ipp>
#include <boost/archive/impl/xml_iarchive_impl.ipp>

namespace boost::archive {
template class detail::archive_serializer_map<CBinaryIArchive>;
template class basic_binary_iprimitive<CBinaryIArchive, std::istream::char_type, std::istream::traits_type>;
template class basic_binary_iarchive<CBinaryIArchive>;
template class binary_iarchive_impl<CBinaryIArchive, std::istream::char_type, std::istream::traits_type>;
template class detail::archive_serializer_map<CXmlIArchive>;
template class basic_xml_iarchive<CXmlIArchive>;
template class xml_iarchive_impl<CXmlIArchive>;
}

namespace {

using boost::archive::archive_exception;

[[noreturn]] void Refuse(const char* what)
{
    ThrowArchiveError(what);
}

}

// ---------------------------------------------------------------- checks

CInputChecks::CInputChecks(std::istream& is) : m_pBuf(is.rdbuf())
{
    const std::streampos here = m_pBuf->pubseekoff(0, std::ios::cur, std::ios::in);
    const std::streampos end = m_pBuf->pubseekoff(0, std::ios::end, std::ios::in);
    if (here == std::streampos(-1) || end == std::streampos(-1))
        throw archive_exception(archive_exception::input_stream_error);
    m_pBuf->pubseekpos(here, std::ios::in);
    m_nEnd = static_cast<std::size_t>(std::streamoff(end));
}

std::size_t CInputChecks::RemainingBytes() const
{
    const std::streampos here = m_pBuf->pubseekoff(0, std::ios::cur, std::ios::in);
    if (here == std::streampos(-1))
        throw archive_exception(archive_exception::input_stream_error);
    const auto pos = static_cast<std::size_t>(std::streamoff(here));
    return pos < m_nEnd ? m_nEnd - pos : 0;
}

// Every entry of the lists these files hold takes at least one byte (a binary number or
// pointer record, an XML tag), so a count above what is left cannot be true.
void CInputChecks::CheckListCount(std::size_t count, std::size_t bytesPerEntry) const
{
    if (count > RemainingBytes() / std::max<std::size_t>(bytesPerEntry, 1))
        Refuse("list too long");
}

void CInputChecks::CheckClassId(int cid) const
{
    // The library reads "no pointer" (-1) before it looks at its table.
    if (cid == -1)
        return;
    if (cid >= 0 && static_cast<std::size_t>(cid) < m_Classes.size())
        return;
    // The next id is a class met for the first time through a pointer to a polymorphic
    // base: the library reads its name next. For any other pointer the library would
    // index its table with the id as it stands.
    const PointerSerializer* pDeclared = m_vPending.empty() ? nullptr : m_vPending.back().pDeclared;
    const bool bByName = !m_vPending.empty() && (!pDeclared || pDeclared->get_basic_serializer().is_polymorphic());
    if (static_cast<std::size_t>(cid) == m_Classes.size() && bByName)
        return;
    Refuse("invalid class id");
}

void CInputChecks::CheckClassName(const char* name, bool bKnown) const
{
    // An unknown name is the library's own error (unregistered class).
    if (!bKnown)
        throw archive_exception(archive_exception::unregistered_class, name);
    // A class that has its id already would be registered again under the new one.
    const boost::serialization::extended_type_info* eti = boost::serialization::extended_type_info::find(name);
    for (const Serializer* bis : m_Classes)
        if (bis->get_eti() == *eti)
            Refuse("class stored twice");
}

void CInputChecks::NoteObject(void* pObject, const Serializer& bis)
{
    m_JustMade = {};
    // The first object a pointer's load reads is the object the pointer made.
    if (!m_vPending.empty() && !m_vPending.back().pObject) {
        m_vPending.back().pObject = pObject;
        m_vPending.back().pClass = &bis;
    }
}

void CInputChecks::EndPointer(void* pObject, const PointerSerializer* pLoaded, bool bFailed)
{
    const Pending made = m_vPending.back();
    m_vPending.pop_back();
    m_JustMade = {};
    if (bFailed) {
        if (made.pObject)
            made.pClass->destroy(made.pObject);
        return;
    }
    if (!pObject)
        return;
    const Serializer& loaded = pLoaded->get_basic_serializer();
    // The object must be what the pointer can point to: its own class or one derived
    // from it (the library would find out too, but only after leaking a new object).
    const bool bFits = !made.pDeclared || pLoaded == made.pDeclared ||
                       boost::serialization::void_upcast(
                           loaded.get_eti(), made.pDeclared->get_basic_serializer().get_eti(), pObject) != nullptr;
    if (made.pObject) {
        if (!bFits || made.pClass != &loaded || made.pObject != pObject) {
            made.pClass->destroy(made.pObject);
            Refuse("pointer to an object of another class");
        }
        m_PointerObjects[pObject] = &loaded;
        m_JustMade = made;
        return;
    }
    // A reference to an object read before: it must have been made through a pointer
    // and be of the class the reference names, or two owners would free it.
    const auto it = m_PointerObjects.find(pObject);
    if (!bFits || it == m_PointerObjects.end() || it->second != &loaded)
        Refuse("pointer to an object of another class");
}

void CInputChecks::EndTag(bool bFailed)
{
    if (bFailed && m_JustMade.pObject) {
        m_PointerObjects.erase(m_JustMade.pObject);
        m_JustMade.pClass->destroy(m_JustMade.pObject);
    }
    m_JustMade = {};
}

// ---------------------------------------------------------------- binary

CBinaryIArchive::CBinaryIArchive(std::istream& is) : CCheckedIArchive(is, is, 0)
{
    // The library reads the version byte after the signature without asking whether
    // there is one; with the signature in place there is.
    if (RemainingBytes() < sizeof(std::size_t) + std::strlen(boost::archive::BOOST_ARCHIVE_SIGNATURE()) + 1)
        throw archive_exception(archive_exception::invalid_signature);
    init(0);
}

void CBinaryIArchive::load_override(boost::archive::class_id_type& t)
{
    Impl::load_override(t);
    CheckClassId(t);
}

void CBinaryIArchive::load_override(boost::archive::class_name_type& t)
{
    std::size_t length = 0;
    load(length);
    if (length > BOOST_SERIALIZATION_MAX_KEY_SIZE - 1)
        throw archive_exception(archive_exception::invalid_class_name);
    if (length > 0)
        load_binary(t.t, length);
    t.t[length] = '\0';
    CheckClassName(t);
}

void CBinaryIArchive::load(std::string& s)
{
    std::size_t length = 0;
    load(length);
    CheckListCount(length, 1);
    s.resize(length);
    if (length > 0)
        load_binary(s.data(), length);
}

void CBinaryIArchive::load(std::wstring& s)
{
    std::size_t length = 0;
    load(length);
    CheckListCount(length, sizeof(wchar_t));
    s.resize(length);
    if (length > 0)
        load_binary(s.data(), length * sizeof(wchar_t));
}

void CBinaryIArchive::load(bool& b)
{
    unsigned char byte = 0;
    load_binary(&byte, 1);
    if (byte > 1)
        Refuse("invalid flag");
    b = byte != 0;
}

// ---------------------------------------------------------------- XML

CXmlIArchive::CXmlIArchive(std::istream& is) : CCheckedIArchive(is, is, boost::archive::no_header)
{
    init();
}

void CXmlIArchive::init()
{
    gimpl->init(get_is());
    // The library takes the header's version as it stands, also one no archive has.
    if (gimpl->rv.version > boost::archive::BOOST_ARCHIVE_VERSION())
        throw archive_exception(archive_exception::unsupported_version);
    set_library_version(boost::serialization::library_version_type(gimpl->rv.version));
}

void CXmlIArchive::load_override(boost::archive::class_id_type& t)
{
    Impl::load_override(t);
    CheckClassId(t);
}

void CXmlIArchive::load_override(boost::archive::class_name_type& t)
{
    Impl::load_override(t);
    CheckClassName(t);
}

void CXmlIArchive::load_end(const char* name)
{
    if (!name)
        return;
    bool bRead = false;
    try {
        bRead = gimpl->parse_end_tag(get_is());
    } catch (...) {
        EndTag(true);
        throw;
    }
    const bool bMatches = bRead && gimpl->rv.object_name == name;
    EndTag(!bMatches);
    if (!bRead)
        throw archive_exception(archive_exception::input_stream_error);
    if (!bMatches)
        throw boost::archive::xml_archive_exception(boost::archive::xml_archive_exception::xml_archive_tag_mismatch,
                                                    name);
}
