#include "platform/base/FileReplace.h"

#include <cerrno>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void ThrowFileError(const char* what, int err)
{
    throw CFileWriteError(std::string(what) + ": " + std::strerror(err));
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

}

void WriteAllToFile(int fd, std::string_view data)
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

namespace {

std::filesystem::path FolderOf(const std::filesystem::path& target)
{
    return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

// Temporary files beside the target are named ".<start of its name>.<number>.tmp". The
// name must fit where the target's own name only just fits: keep a short start of that,
// cut before a UTF-8 continuation byte.
std::string TempNameStart(const std::filesystem::path& target)
{
    std::string base = target.filename().string();
    if (base.size() > 64) {
        size_t cut = 64;
        while (cut > 0 && (static_cast<unsigned char>(base[cut]) & 0xC0) == 0x80)
            --cut;
        base.resize(cut);
    }
    return "." + base + ".";
}

// A save killed between writing its temporary file and renaming it leaves that file
// behind for good; the next save of the same file clears them away.
void RemoveStaleTemps(const std::filesystem::path& target)
{
    namespace fs = std::filesystem;
    const std::string start = TempNameStart(target);
    std::error_code ec;
    for (fs::directory_iterator it(FolderOf(target), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= start.size() + 4 || !name.starts_with(start) || !name.ends_with(".tmp"))
            continue;
        const std::string number = name.substr(start.size(), name.size() - start.size() - 4);
        if (number.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::error_code ignored;
        if (it->is_regular_file(ignored))
            fs::remove(it->path(), ignored);
    }
}

// A fresh temporary file beside the target.
int CreateUniqueTemp(const std::filesystem::path& target, std::filesystem::path& tmp)
{
    const std::filesystem::path dir = FolderOf(target);
    const std::string start = TempNameStart(target);
    std::random_device rd;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        std::string name = start;
        name.append(std::to_string(rd() % 1000000)).append(".tmp");
        tmp = dir / name;
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    return fd;
}

}

void ReplaceFileContents(const std::filesystem::path& targetPath, std::string_view data,
                         const std::filesystem::path& tmpPath)
{
    ReplaceFileContents(
        targetPath, [data](int fd) { WriteAllToFile(fd, data); }, tmpPath);
}

void ReplaceFileContents(const std::filesystem::path& targetPath, const std::function<void(int fd)>& write,
                         const std::filesystem::path& tmpPath)
{
    namespace fs = std::filesystem;
    fs::path target = targetPath;
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec)
            target = resolved;
    }

    fs::path tmp = tmpPath;
    const int fd = tmp.empty() ? CreateUniqueTemp(target, tmp)
                               : ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        ThrowFileError("Cannot create a file in the folder", errno);

    CFileHandle file(fd);
    try {
        struct stat st {};
        if (::stat(target.c_str(), &st) == 0)
            ::fchmod(file.Get(), st.st_mode & 07777); // the old file's access stays
        write(file.Get());
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
    if (tmpPath.empty())
        RemoveStaleTemps(target);
    // The new name itself is on the disk once the folder is.
    const fs::path dir = FolderOf(target);
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

int CheckReplaceable(const std::filesystem::path& target)
{
    namespace fs = std::filesystem;
    if (target.empty())
        return ENOENT;
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::exists(status)) {
        if (fs::is_directory(status))
            return EISDIR;
        if (!fs::is_regular_file(status))
            return EINVAL;
        if (::access(target.c_str(), W_OK) != 0)
            return EACCES;
    }
    const fs::path dir = FolderOf(target);
    const fs::file_status dirStatus = fs::status(dir, ec);
    if (!fs::exists(dirStatus))
        return ENOENT;
    if (!fs::is_directory(dirStatus))
        return ENOTDIR;
    if (::access(dir.c_str(), W_OK | X_OK) != 0)
        return EACCES;
    return 0;
}
