#pragma once
// CRC-32 as zip and PNG use it (reflected polynomial 0xEDB88320, start and final xor
// 0xFFFFFFFF): it finds every error of up to 32 adjacent bits and any one changed byte.
// Eight bytes a step (slicing by eight): a big case is checked as fast as the disk reads it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace crc32_detail {

using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Tables MakeTables()
{
    Tables t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][n] = c;
    }
    for (std::uint32_t n = 0; n < 256; ++n)
        for (std::size_t k = 1; k < 8; ++k)
            t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFFu];
    return t;
}

inline constexpr Tables kTables = MakeTables();

}

// A CRC-32 computed over data that arrives in pieces.
class CCrc32 {
public:
    void Add(std::string_view data)
    {
        const auto& t = crc32_detail::kTables;
        std::uint32_t c = m_State;
        const auto* p = reinterpret_cast<const unsigned char*>(data.data());
        std::size_t n = data.size();
        for (; n >= 8; n -= 8, p += 8) {
            const std::uint32_t lo = c ^ (std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                                          std::uint32_t(p[3]) << 24);
            c = t[7][lo & 0xFFu] ^ t[6][(lo >> 8) & 0xFFu] ^ t[5][(lo >> 16) & 0xFFu] ^ t[4][lo >> 24] ^ t[3][p[4]] ^
                t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
        }
        for (; n > 0; --n, ++p)
            c = t[0][(c ^ *p) & 0xFFu] ^ (c >> 8);
        m_State = c;
    }
    std::uint32_t Value() const { return m_State ^ 0xFFFFFFFFu; }

private:
    std::uint32_t m_State = 0xFFFFFFFFu;
};

inline std::uint32_t Crc32(std::string_view data)
{
    CCrc32 crc;
    crc.Add(data);
    return crc.Value();
}
