#pragma once
// CRC-32 as zip and PNG use it (reflected polynomial 0xEDB88320, start and final xor
// 0xFFFFFFFF): it finds every error of up to 32 adjacent bits and any one changed byte.
#include <array>
#include <cstdint>
#include <string_view>

inline std::uint32_t Crc32(std::string_view data)
{
    static constexpr std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char ch : data)
        crc = table[(crc ^ static_cast<unsigned char>(ch)) & 0xFFu] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}
