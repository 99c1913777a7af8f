#include "app/doc/CaseFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>


#include "core/archive/ArchiveImpl.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "platform/base/CLocale.h"
#include "platform/base/FileReplace.h"

template <class Archive>
void CaseContents::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    // Object tracking stores an element held by several lists once, where it is first
    // reached in this order, and shares it again on loading.
    ar & make_nvp("m_vBridge", m_vBridge);
    ar & make_nvp("m_vBridgeSet", m_vBridgeSet);
    ar & make_nvp("m_vLoadModel", m_vLoadModel);
    ar & make_nvp("m_vLoadModelEnsemble", m_vLoadModelEnsemble);
    ar & make_nvp("m_vRefCollection", m_vRefCollection);
    ArchiveWString(ar, "m_sCaseRef", m_sCaseRef);
    ArchiveWString(ar, "m_sCaseNotes", m_sCaseNotes);
    if (Archive::is_loading::value) {
        // Every command and the element pane use each entry: a crafted file must not
        // slip in a hole.
        auto hole = [](const auto& v) { return std::any_of(v.begin(), v.end(), [](const auto& p) { return !p; }); };
        if (hole(m_vBridge) || hole(m_vBridgeSet) || hole(m_vLoadModel) || hole(m_vLoadModelEnsemble) ||
            hole(m_vRefCollection))
            throw CCaseArchiveError("empty element in case");
    }
}

QEL_INSTANTIATE_SERIALIZE(CaseContents);

void WriteCaseArchive(std::ostream& os, const CaseContents& contents, bool bBinary)
{
    using boost::serialization::make_nvp;
    try {
        if (bBinary) {
            boost::archive::binary_oarchive ar(os);
            ar << make_nvp("QELConfig", contents);
        } else {
            // The closing tags are written when the archive is destroyed.
            boost::archive::xml_oarchive ar(os);
            ar << make_nvp("QELConfig", contents);
        }
    } catch (const boost::archive::archive_exception& e) {
        throw CCaseArchiveError(e.what());
    }
}

namespace {

// The binary archive begins with the length of its signature, then the signature. A file
// of another kind would have its first bytes taken for a huge length, and the archive
// library would try to allocate that much before it found out, so the start is checked
// here first.
void CheckBinarySignature(std::istream& is)
{
    const std::string signature = boost::archive::BOOST_ARCHIVE_SIGNATURE();
    const std::size_t length = signature.size();
    std::string expected(reinterpret_cast<const char*>(&length), sizeof length);
    expected += signature;
    std::string start(expected.size(), '\0');
    const std::istream::pos_type pos = is.tellg();
    is.read(start.data(), static_cast<std::streamsize>(start.size()));
    if (!is || start != expected)
        throw boost::archive::archive_exception(boost::archive::archive_exception::invalid_signature);
    is.seekg(pos);
}

}

void ReadCaseArchive(std::istream& is, CaseContents& contents, bool bBinary)
{
    using boost::serialization::make_nvp;
    try {
        if (bBinary) {
            CheckBinarySignature(is);
            boost::archive::binary_iarchive ar(is);
            ar >> make_nvp("QELConfig", contents);
        } else {
            ReadXmlArchive(is, [&](boost::archive::xml_iarchive& ar) { ar >> make_nvp("QELConfig", contents); });
        }
    } catch (const boost::archive::archive_exception& e) {
        throw CCaseArchiveError(e.what());
    }
}

namespace {

[[noreturn]] void ThrowFileError(const char* what, int err)
{
    throw CCaseFileError(std::string(what) + ": " + std::strerror(err));
}

}

void SaveCaseFile(const std::wstring& sPath, const CaseContents& contents, bool bBinary)
{
    // The whole archive is made in memory first: a failing archive never reaches the disk.
    std::ostringstream os;
    os.imbue(std::locale::classic());
    WriteCaseArchive(os, contents, bBinary);
    if (!os)
        throw CCaseArchiveError("output stream error");
    const std::string data = os.str();

    try {
        ReplaceFileContents(WideToPath(sPath), data);
    } catch (const CFileWriteError& e) {
        throw CCaseFileError(e.what());
    }
}

void LoadCaseFile(const std::wstring& sPath, CaseContents& contents, bool bBinary)
{
    const std::filesystem::path path = WideToPath(sPath);
    // Opening a pipe would wait for a writer; a folder or device holds no case.
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec)
        ThrowFileError("Cannot open the file", ec.value());
    if (!std::filesystem::is_regular_file(status))
        throw CCaseFileError("Cannot open the file: not a file");
    std::ifstream is(path, std::ios::in | std::ios::binary);
    if (!is)
        ThrowFileError("Cannot open the file", errno);
    is.imbue(std::locale::classic());
    ReadCaseArchive(is, contents, bBinary);
}
