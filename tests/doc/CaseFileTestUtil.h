#pragma once
// Reading and writing the bytes of test files.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/base/CLocale.h"

namespace qeltest {

inline std::string ReadBytes(const std::filesystem::path& p)
{
    std::ifstream is(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(is)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& p, const std::string& s)
{
    std::ofstream os(p, std::ios::binary | std::ios::trunc);
    os.write(s.data(), static_cast<std::streamsize>(s.size()));
}

// The path as the document takes it.
inline std::wstring W(const std::filesystem::path& p) { return Utf8ToWide(p.string()); }

}
