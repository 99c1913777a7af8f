#pragma once
// The input archives of the case file and the settings file. They read exactly what the
// library's binary and XML input archives read, but refuse as an archive error what
// those trust from a damaged or crafted file:
// - a class id that is neither a class registered so far nor, for a pointer to a
//   polymorphic class, the next one (the library indexes its class table with it);
// - a stored class name longer than a class name can be, or naming a class that
//   already has its id;
// - a pointer whose object is of a class unrelated to the pointer's, or that refers
//   back to an object not made through a pointer (it would be owned twice);
// - a text or list longer than what is left of the input (the library sizes them from
//   the stored length before it reads them);
// - an XML closing tag not equal to the name expected (the library compares it past
//   the end of the shorter name).
// When a load fails half way, the object the failing pointer had made is destroyed
// instead of leaking; objects already handed to shared pointers stay with them.
//
// Included by archive translation units only (through ArchiveImpl.h).

#include <cstddef>
#include <istream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <boost/archive/archive_exception.hpp>
#include <boost/archive/basic_archive.hpp>
#include <boost/archive/binary_iarchive_impl.hpp>
#include <boost/archive/detail/archive_serializer_map.hpp>
#include <boost/archive/detail/basic_iserializer.hpp>
#include <boost/archive/detail/basic_pointer_iserializer.hpp>
#include <boost/archive/detail/register_archive.hpp>
#include <boost/archive/xml_iarchive.hpp>
#include <boost/serialization/array_optimization.hpp>
#include <boost/serialization/extended_type_info.hpp>

// What the checks need of both archive kinds, kept apart from the library's classes.
class CInputChecks {
public:
    // A list of count entries needs at least count * bytesPerEntry more bytes of input.
    void CheckListCount(std::size_t count, std::size_t bytesPerEntry) const;
    // Bytes of input not yet read.
    std::size_t RemainingBytes() const;

protected:
    explicit CInputChecks(std::istream& is);

    using Serializer = boost::archive::detail::basic_iserializer;
    using PointerSerializer = boost::archive::detail::basic_pointer_iserializer;

    void NoteClass(const Serializer& bis) { m_Classes.insert(&bis); }
    void CheckClassId(int cid) const;
    // bKnown: the archive can make objects of the named class.
    void CheckClassName(const char* name, bool bKnown) const;
    void NoteObject(void* pObject, const Serializer& bis);
    void BeginPointer(const PointerSerializer* pDeclared)
    {
        m_JustMade = {};
        m_vPending.push_back({pDeclared});
    }
    // After the library's pointer load: checks what it gave, or on failure (bFailed)
    // destroys the object it had begun.
    void EndPointer(void* pObject, const PointerSerializer* pLoaded, bool bFailed);
    // After an XML closing tag was read (or failed to be). The tag that closes a pointer
    // comes before the shared pointer takes the object: when it fails, the object would
    // have no owner.
    void EndTag(bool bFailed);

private:
    struct Pending {
        const PointerSerializer* pDeclared = nullptr; // the pointer's own class (none: abstract)
        void* pObject = nullptr;                      // the object it made, once its load began
        const Serializer* pClass = nullptr;           // that object's class
    };

    std::streambuf* m_pBuf;
    std::size_t m_nEnd = 0;
    // Mirrors the library's class table: a class gets the next id the first time it is
    // loaded, as an object or through a pointer.
    std::set<const Serializer*> m_Classes;
    std::vector<Pending> m_vPending;
    Pending m_JustMade; // the object the last pointer load made, until the next item
    // Objects made through pointers, by address, with their class.
    std::map<const void*, const Serializer*> m_PointerObjects;
};

// The library's pointer load, object load and class registration, each seen first by the
// checks. Base is the library's archive implementation of the final class Final.
template <class Final, class Base>
class CCheckedIArchive : public Base, public CInputChecks {
public:
    const boost::archive::detail::basic_pointer_iserializer*
    load_pointer(void*& t, const boost::archive::detail::basic_pointer_iserializer* bpis,
                 const boost::archive::detail::basic_pointer_iserializer* (*finder)(
                     const boost::serialization::extended_type_info&))
    {
        t = nullptr;
        BeginPointer(bpis);
        const boost::archive::detail::basic_pointer_iserializer* loaded = nullptr;
        try {
            loaded = Base::load_pointer(t, bpis, finder);
        } catch (...) {
            EndPointer(t, nullptr, true);
            throw;
        }
        EndPointer(t, loaded, false);
        return loaded;
    }

    void load_object(void* t, const boost::archive::detail::basic_iserializer& bis)
    {
        NoteClass(bis);
        NoteObject(t, bis);
        Base::load_object(t, bis);
    }

    void register_basic_serializer(const boost::archive::detail::basic_iserializer& bis)
    {
        NoteClass(bis);
        Base::register_basic_serializer(bis);
    }

protected:
    template <class... Args>
    CCheckedIArchive(std::istream& is, Args&&... args) : Base(std::forward<Args>(args)...), CInputChecks(is)
    {
    }

    // A class name read for a new class id.
    void CheckClassName(const char* name) const
    {
        const boost::serialization::extended_type_info* eti = boost::serialization::extended_type_info::find(name);
        CInputChecks::CheckClassName(
            name, eti && boost::archive::detail::archive_serializer_map<Final>::find(*eti) != nullptr);
    }
};

class CBinaryIArchive;
using CBinaryIArchiveImpl =
    boost::archive::binary_iarchive_impl<CBinaryIArchive, std::istream::char_type, std::istream::traits_type>;

class CBinaryIArchive : public CCheckedIArchive<CBinaryIArchive, CBinaryIArchiveImpl> {
    using Impl = CBinaryIArchiveImpl;

public:
    explicit CBinaryIArchive(std::istream& is);

    // The library's dispatch reaches these through the final class.
    template <class T>
    void load_override(T& t)
    {
        Impl::load_override(t);
    }
    void load_override(boost::archive::class_id_type& t);
    void load_override(boost::archive::class_name_type& t);

    template <class T>
    void load(T& t)
    {
        Impl::load(t);
    }
    void load(std::string& s);
    void load(std::wstring& s);
    // One byte, which must be 0 or 1 (any other is no bool at all).
    void load(bool& b);
};

class CXmlIArchive : public CCheckedIArchive<CXmlIArchive, boost::archive::xml_iarchive_impl<CXmlIArchive>> {
    using Impl = boost::archive::xml_iarchive_impl<CXmlIArchive>;

public:
    // Reads the header. The closing tag is left to the reader (ReadXmlArchive): the
    // library would read it in its destructor, which cannot report a bad one.
    explicit CXmlIArchive(std::istream& is);

    template <class T>
    void load_override(T& t)
    {
        Impl::load_override(t);
    }
    void load_override(boost::archive::class_id_type& t);
    void load_override(boost::archive::class_name_type& t);

    void load_end(const char* name);

private:
    void init();
};

BOOST_SERIALIZATION_REGISTER_ARCHIVE(CBinaryIArchive)
// Lists of numbers are one block of bytes, as the library's binary archives write them.
BOOST_SERIALIZATION_USE_ARRAY_OPTIMIZATION(CBinaryIArchive)
BOOST_SERIALIZATION_REGISTER_ARCHIVE(CXmlIArchive)
