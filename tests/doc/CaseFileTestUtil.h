#pragma once
// Reading and writing the bytes of test files.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "app/doc/CaseFile.h"
#include "common/TestEnv.h"
#include "platform/base/CLocale.h"

namespace qeltest {

inline std::string ReadBytes(const std::filesystem::path& p)
{
    std::ifstream is(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(is)), std::istreambuf_iterator<char>());
}

// The text a read of the bytes fails with, "" when it succeeds.
inline std::string ReadError(const std::string& data)
{
    try {
        CaseContents back;
        ReadCaseFileData(data, back);
        return "";
    } catch (const std::exception& e) {
        return e.what();
    }
}

inline void WriteBytes(const std::filesystem::path& p, const std::string& s)
{
    std::ofstream os(p, std::ios::binary | std::ios::trunc);
    os.write(s.data(), static_cast<std::streamsize>(s.size()));
}

// A new folder of one test's own under the temporary root; RemoveTestDir takes it away
// with whatever the test left in it.
inline std::filesystem::path MakeTestDir(const std::string& prefix)
{
    static int s_nDir = 0;
    const std::filesystem::path dir = TempRoot() / (prefix + "-" + std::to_string(++s_nDir));
    std::filesystem::create_directories(dir);
    return dir;
}

inline void RemoveTestDir(const std::filesystem::path& dir)
{
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

// The path as the document takes it.
inline std::wstring W(const std::filesystem::path& p)
{
    return Utf8ToWide(p.string());
}

}
