#include "app/doc/CaseFile.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <locale>
#include <optional>
#include <sstream>
#include <string_view>
#include <unordered_set>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/doc/CaseStreams.h"

#include "core/archive/ArchiveImpl.h"
#include "core/archive/Crc32.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"
#include "platform/base/CLocale.h"
#include "platform/base/FileReplace.h"

template <class Archive>
void CaseContents::serialize(Archive& ar, const unsigned int)
{
    using boost::serialization::make_nvp;
    // Object tracking stores an element held by several lists once, where it is first
    // reached in this order, and shares it again on loading.
    ar& make_nvp("m_vBridge", m_vBridge);
    ar& make_nvp("m_vBridgeSet", m_vBridgeSet);
    ar& make_nvp("m_vLoadModel", m_vLoadModel);
    ar& make_nvp("m_vLoadModelEnsemble", m_vLoadModelEnsemble);
    ar& make_nvp("m_vRefCollection", m_vRefCollection);
    ArchiveWString(ar, "m_sCaseRef", m_sCaseRef);
    ArchiveWString(ar, "m_sCaseNotes", m_sCaseNotes);
    if (Archive::is_loading::value) {
        // Every command and the element pane use each entry.
        if (AnyHole(m_vBridge, m_vBridgeSet, m_vLoadModel, m_vLoadModelEnsemble, m_vRefCollection))
            throw CCaseArchiveError("empty element in case");
    }
}

QEL_INSTANTIATE_SERIALIZE(CaseContents);

void WriteCaseArchive(std::ostream& os, const CaseContents& contents, bool bBinary, bool bLegacy)
{
    using boost::serialization::make_nvp;
    const CaseLayout layout = bLegacy ? CaseLayout::Legacy : CaseLayout::Current;
    try {
        if (bBinary) {
            CBinaryOArchive ar(os, layout);
            ar << make_nvp("QELConfig", contents);
        } else {
            // The closing tags are written when the archive is destroyed.
            CXmlOArchive ar(os, layout);
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
constexpr std::string_view kXmlStart = "<?xml";

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

std::string Trailer(std::uint64_t length, std::uint32_t crc)
{
    std::string t(kTrailerWord);
    PutLittleEndian(t, length, 8);
    PutLittleEndian(t, crc, 4);
    return t;
}

[[noreturn]] void ThrowDamaged()
{
    throw CCaseFileError("The file is damaged: its contents do not match the check written with it.");
}

// Reads a case of size bytes from source, given its first bytes (head) and its last
// CaseTrailerSize bytes or fewer (tail). The check of a binary file is verified after the
// archive is read; when reading fails, the rest is checked too, so that damage is
// reported as damage rather than as whatever the damaged bytes made of the archive.
void ReadCase(CCaseReadBuf::Source source, std::uint64_t size, std::string_view head, std::string_view tail,
              CaseContents& contents, const CaseProgress& progress)
{
    const bool bXml = head.starts_with(kXmlStart);
    std::uint64_t length = size;
    std::optional<std::uint32_t> crc;
    if (!bXml && tail.size() == CaseTrailerSize && tail.starts_with(kTrailerWord)) {
        const std::string_view fields = tail.substr(kTrailerWord.size());
        if (GetLittleEndian(fields, 8) != size - CaseTrailerSize)
            ThrowDamaged();
        crc = static_cast<std::uint32_t>(GetLittleEndian(fields.substr(8), 4));
        length = size - CaseTrailerSize;
    }
    CCaseReadBuf::Progress onLoad;
    if (progress)
        onLoad = [&progress, length](std::uint64_t nDone) { progress(nDone, length); };
    CCaseReadBuf buf(std::move(source), length, std::move(onLoad));
    std::istream is(&buf);
    is.imbue(std::locale::classic());
    const auto checkFails = [&] { return crc && (!buf.LoadRest() || buf.Crc() != *crc); };
    try {
        ReadCaseArchive(is, contents, !bXml);
    } catch (const std::exception&) {
        if (checkFails())
            ThrowDamaged();
        throw;
    }
    if (checkFails())
        ThrowDamaged();
}

}

std::string MakeCaseFileData(const CaseContents& contents, bool bBinary, bool bLegacy)
{
    std::ostringstream os;
    os.imbue(std::locale::classic());
    WriteCaseArchive(os, contents, bBinary, bLegacy);
    if (!os)
        throw CCaseArchiveError("output stream error");
    return bBinary ? SealCaseArchive(std::move(os).str()) : std::move(os).str();
}

std::string SealCaseArchive(std::string archive)
{
    archive += Trailer(archive.size(), Crc32(archive));
    return archive;
}

void ReadCaseFileData(const std::string& data, CaseContents& contents)
{
    const std::string_view all(data);
    std::size_t pos = 0;
    CCaseReadBuf::Source source = [all, pos](char* p, std::size_t n) mutable {
        const std::size_t k = std::min(n, all.size() - pos);
        std::memcpy(p, all.data() + pos, k);
        pos += k;
        return k;
    };
    const std::string_view tail = all.size() >= CaseTrailerSize ? all.substr(all.size() - CaseTrailerSize) : all;
    ReadCase(std::move(source), all.size(), all.substr(0, kXmlStart.size()), tail, contents, {});
}

namespace {

[[noreturn]] void ThrowFileError(const char* what, int err)
{
    throw CCaseFileError(std::string(what) + ": " + std::strerror(err));
}

// A file descriptor closed on every way out.
class CReadFile {
public:
    explicit CReadFile(const std::filesystem::path& path) : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~CReadFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CReadFile(const CReadFile&) = delete;
    CReadFile& operator=(const CReadFile&) = delete;

    int Get() const { return m_fd; }
    // Up to n bytes at offset, fewer only at the end of the file.
    std::string ReadAt(std::uint64_t offset, std::size_t n) const
    {
        std::string s(n, '\0');
        std::size_t got = 0;
        while (got < n) {
            const ssize_t r = ::pread(m_fd, s.data() + got, n - got, static_cast<off_t>(offset + got));
            if (r < 0 && errno == EINTR)
                continue;
            if (r < 0)
                ThrowFileError("Cannot read the file", errno);
            if (r == 0)
                break;
            got += static_cast<std::size_t>(r);
        }
        s.resize(got);
        return s;
    }

private:
    int m_fd;
};

}

void SaveCaseFile(const std::wstring& sPath, const CaseContents& contents, bool bBinary, const CaseProgress& progress,
                  bool bLegacy)
{
    CCaseWriteBuf::Progress onWrite;
    if (progress) {
        const std::uint64_t total = EstimateCaseFileBytes(contents, bBinary);
        onWrite = [&progress, total](std::uint64_t nDone) { progress(nDone, std::max(total, nDone)); };
    }
    try {
        ReplaceFileContents(WideToPath(sPath), [&](int fd) {
            CCaseWriteBuf buf([fd](const char* p, std::size_t n) { WriteAllToFile(fd, std::string_view(p, n)); },
                              std::move(onWrite));
            std::ostream os(&buf);
            os.imbue(std::locale::classic());
            try {
                WriteCaseArchive(os, contents, bBinary, bLegacy);
            } catch (...) {
                // A failed write of the file is what made the archive fail: say so.
                buf.Finish();
                throw;
            }
            buf.Finish();
            if (!os)
                throw CCaseArchiveError("output stream error");
            if (bBinary)
                WriteAllToFile(fd, Trailer(buf.Written(), buf.Crc()));
        });
    } catch (const CFileWriteError& e) {
        throw CCaseFileError(e.what());
    }
}

void LoadCaseFile(const std::wstring& sPath, CaseContents& contents, const CaseProgress& progress)
{
    const std::filesystem::path path = WideToPath(sPath);
    // Opening a pipe would wait for a writer; a folder or device holds no case.
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec)
        ThrowFileError("Cannot open the file", ec.value());
    if (!std::filesystem::is_regular_file(status))
        throw CCaseFileError("Cannot open the file: not a file");
    const CReadFile file(path);
    if (file.Get() < 0)
        ThrowFileError("Cannot open the file", errno);
    struct stat st {};
    if (::fstat(file.Get(), &st) != 0)
        ThrowFileError("Cannot read the file", errno);
    const auto size = static_cast<std::uint64_t>(st.st_size);
    const std::string head = file.ReadAt(0, kXmlStart.size());
    const std::string tail = size >= CaseTrailerSize ? file.ReadAt(size - CaseTrailerSize, CaseTrailerSize) : "";
    const int fd = file.Get();
    CCaseReadBuf::Source source = [fd](char* p, std::size_t n) -> std::size_t {
        for (;;) {
            const ssize_t r = ::read(fd, p, n);
            if (r >= 0)
                return static_cast<std::size_t>(r);
            if (errno != EINTR)
                ThrowFileError("Cannot read the file", errno);
        }
    };
    ReadCase(std::move(source), size, head, tail, contents, progress);
}

std::uint64_t EstimateCaseFileBytes(const CaseContents& contents, bool bBinary)
{
    // The stored results are nearly all of a big case: count their entries, each
    // results once, and not the reference results that are made again on reading.
    std::unordered_set<const CEnvelopeResults*> seen;
    std::uint64_t nEntries = 0;
    const auto count = [&](const CReferenceSet::EnvVector& list) {
        for (const auto& r : list) {
            if (!r || !seen.insert(r.get()).second || !r->HasEnvelopes())
                continue;
            for (const CEnvelope* env : {r->m_pEnvBMD.get(), r->m_pEnvSFD.get()})
                nEntries += env->m_vMax.size() + env->m_vMin.size();
            for (const auto& env : r->m_vEnvReaction)
                if (env)
                    nEntries += env->m_vMax.size() + env->m_vMin.size();
        }
    };
    for (const auto& rc : contents.m_vRefCollection) {
        if (!rc)
            continue;
        for (const auto& rs : rc->m_vRefSet) {
            if (!rs)
                continue;
            count(rs->m_vOverstressCritEnv);
            count(rs->m_vLiveLoadCritEnv);
            if (!rs->m_bRefCombined)
                count(rs->m_vRefCritEnv);
            count(rs->m_vPropCritEnv);
        }
    }
    // What an entry takes on average in a big case: its value, its share of the load
    // positions the station envelopes keep, of the lists and of the texts between them.
    return 64 * 1024 + nEntries * (bBinary ? 11 : 25);
}
