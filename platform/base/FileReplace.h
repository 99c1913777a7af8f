#pragma once
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

class CFileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Replaces a file's contents so that a failure leaves the old file exactly as it was: the
// data goes to a temporary file in the same folder, reaches the disk, and is then renamed
// over the file. A link is followed (the file it names is replaced) and the old file's
// access rights stay. tmpPath names the temporary file; empty picks a fresh name beside
// the file; a fresh one also clears away the ones that earlier saves, killed before their
// rename, left there. Throws CFileWriteError ("<what>: <system text>") and removes the
// temporary file.
void ReplaceFileContents(const std::filesystem::path& target, std::string_view data,
                         const std::filesystem::path& tmpPath = {});
// The same with the data written as it is made: write gets the temporary file's
// descriptor and writes everything with WriteAllToFile (or throws).
void ReplaceFileContents(const std::filesystem::path& target, const std::function<void(int fd)>& write,
                         const std::filesystem::path& tmpPath = {});
// Writes all of data, or throws CFileWriteError.
void WriteAllToFile(int fd, std::string_view data);

// Why ReplaceFileContents would fail before writing anything, for callers that report an
// unusable name apart from a failed write: 0 when it can be tried, else an errno value:
// ENOENT or ENOTDIR (no such folder), EACCES (no write access), EISDIR (a folder), EINVAL (a
// device, pipe or socket, which is never renamed over).
int CheckReplaceable(const std::filesystem::path& target);
