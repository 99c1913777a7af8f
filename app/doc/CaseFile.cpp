#include "app/doc/CaseFile.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>
#include <string_view>

#include "core/archive/ArchiveImpl.h"
#include "core/archive/Crc32.h"
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
        // Every command and the element pane use each entry.
        if (AnyHole(m_vBridge, m_vBridgeSet, m_vLoadModel, m_vLoadModelEnsemble, m_vRefCollection))
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

void ReadCaseArchive(std::istream& is, CaseContents& contents, bool bBinary)
{
    using boost::serialization::make_nvp;
    try {
        if (bBinary) {
            CBinaryIArchive ar(is);
            ar >> make_nvp("QELConfig", contents);
            // Bytes after the case are damage (a trailer whose word was hit, say): a plain
            // reader would ignore them.
            if (ar.RemainingBytes() != 0)
                throw CCaseFileError("The file is damaged: data follows the end of the case.");
        } else {
            ReadXmlArchive(is, [&](CXmlIArchive& ar) { ar >> make_nvp("QELConfig", contents); });
        }
    } catch (const boost::archive::archive_exception& e) {
        throw CCaseArchiveError(e.what());
    }
}

namespace {

constexpr std::string_view kTrailerWord = "QELCHECK";

void PutLittleEndian(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
}

std::uint64_t GetLittleEndian(std::string_view in, int bytes)
{
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(in[static_cast<size_t>(i)]);
    return value;
}

void ReadFromMemory(std::string_view archive, CaseContents& contents, bool bBinary)
{
    std::istringstream is{std::string(archive)};
    is.imbue(std::locale::classic());
    ReadCaseArchive(is, contents, bBinary);
}

}

std::string MakeCaseFileData(const CaseContents& contents, bool bBinary)
{
    std::ostringstream os;
    os.imbue(std::locale::classic());
    WriteCaseArchive(os, contents, bBinary);
    if (!os)
        throw CCaseArchiveError("output stream error");
    return bBinary ? SealCaseArchive(std::move(os).str()) : std::move(os).str();
}

std::string SealCaseArchive(std::string archive)
{
    const std::uint32_t crc = Crc32(archive);
    const std::uint64_t length = archive.size();
    archive.append(kTrailerWord);
    PutLittleEndian(archive, length, 8);
    PutLittleEndian(archive, crc, 4);
    return archive;
}

void ReadCaseFileData(const std::string& data, CaseContents& contents)
{
    if (data.starts_with("<?xml")) {
        ReadFromMemory(data, contents, false);
        return;
    }
    const std::string_view all(data);
    if (all.size() >= CaseTrailerSize && all.substr(all.size() - CaseTrailerSize).starts_with(kTrailerWord)) {
        const std::string_view trailer = all.substr(all.size() - CaseTrailerSize + kTrailerWord.size());
        const std::uint64_t length = GetLittleEndian(trailer, 8);
        const auto crc = static_cast<std::uint32_t>(GetLittleEndian(trailer.substr(8), 4));
        if (length != all.size() - CaseTrailerSize || crc != Crc32(all.substr(0, all.size() - CaseTrailerSize)))
            throw CCaseFileError("The file is damaged: its contents do not match the check written with it.");
        ReadFromMemory(all.substr(0, all.size() - CaseTrailerSize), contents, true);
        return;
    }
    ReadFromMemory(all, contents, true);
}

namespace {

[[noreturn]] void ThrowFileError(const char* what, int err)
{
    throw CCaseFileError(std::string(what) + ": " + std::strerror(err));
}

}

void SaveCaseFile(const std::wstring& sPath, const CaseContents& contents, bool bBinary)
{
    // The whole file is made in memory first: a failing archive never reaches the disk.
    const std::string data = MakeCaseFileData(contents, bBinary);
    try {
        ReplaceFileContents(WideToPath(sPath), data);
    } catch (const CFileWriteError& e) {
        throw CCaseFileError(e.what());
    }
}

void LoadCaseFile(const std::wstring& sPath, CaseContents& contents)
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
    // The whole file is checked before the archive reads it.
    std::ostringstream bytes;
    bytes << is.rdbuf();
    if (is.bad())
        ThrowFileError("Cannot read the file", errno);
    ReadCaseFileData(std::move(bytes).str(), contents);
}
