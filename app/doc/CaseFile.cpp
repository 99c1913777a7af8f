#include "app/doc/CaseFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <locale>
#include <random>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/archive/ArchiveImpl.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "platform/base/CLocale.h"

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

std::filesystem::path ToPath(const std::wstring& sPath) { return std::filesystem::path(WideToUtf8(sPath)); }

[[noreturn]] void ThrowFileError(const char* what, int err)
{
    throw CCaseFileError(std::string(what) + ": " + std::strerror(err));
}

// A file descriptor closed on every way out; Close reports the error of a close that
// fails, which on some file systems is the first news of a failed write.
class CFileHandle {
public:
    explicit CFileHandle(int fd) : m_fd(fd) {}
    ~CFileHandle()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    int Get() const { return m_fd; }
    int Close()
    {
        const int r = ::close(m_fd);
        m_fd = -1;
        return r;
    }

private:
    int m_fd;
};

void WriteAll(int fd, const std::string& data)
{
    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowFileError("Cannot write the file", errno);
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
}

}

void SaveCaseFile(const std::wstring& sPath, const CaseContents& contents, bool bBinary)
{
    namespace fs = std::filesystem;
    fs::path target = ToPath(sPath);
    std::error_code ec;
    // Saving through a link replaces the file it names and keeps the link.
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec)
            target = resolved;
    }

    // The whole archive is made in memory first: a failing archive never reaches the disk.
    std::ostringstream os;
    os.imbue(std::locale::classic());
    WriteCaseArchive(os, contents, bBinary);
    if (!os)
        throw CCaseArchiveError("output stream error");
    const std::string data = os.str();

    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::random_device rd;
    fs::path tmp;
    int fd = -1;
    // The temporary name must fit where the case's own name only just fits: keep a short
    // start of it, cut before a UTF-8 continuation byte.
    std::string base = target.filename().string();
    if (base.size() > 64) {
        size_t cut = 64;
        while (cut > 0 && (static_cast<unsigned char>(base[cut]) & 0xC0) == 0x80)
            --cut;
        base.resize(cut);
    }
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        std::string name(1, '.');
        name.append(base).append(1, '.').append(std::to_string(rd() % 1000000)).append(".tmp");
        tmp = dir / name;
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        ThrowFileError("Cannot create a file in the folder", errno);

    CFileHandle file(fd);
    try {
        struct stat st {};
        if (::stat(target.c_str(), &st) == 0)
            ::fchmod(file.Get(), st.st_mode & 07777); // the old file's access stays
        WriteAll(file.Get(), data);
        if (::fsync(file.Get()) != 0)
            ThrowFileError("Cannot write the file", errno);
        if (file.Close() != 0)
            ThrowFileError("Cannot write the file", errno);
        if (::rename(tmp.c_str(), target.c_str()) != 0)
            ThrowFileError("Cannot replace the file", errno);
    } catch (...) {
        ::unlink(tmp.c_str());
        throw;
    }
    // The new name itself is on the disk once the folder is.
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

void LoadCaseFile(const std::wstring& sPath, CaseContents& contents, bool bBinary)
{
    const std::filesystem::path path = ToPath(sPath);
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
