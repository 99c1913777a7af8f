#pragma once
// Stream buffers that carry a case archive between the archive library and the file a
// piece at a time, computing the check of the bytes as they pass, so that neither the
// file nor the archive is ever held whole in memory.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <streambuf>
#include <vector>

#include "core/archive/Crc32.h"

// Reads bytes [0, length) of a source in pieces. The archive readers ask where they are
// and where the input ends (seeking to the end and back, which here moves nothing); any
// other seek is refused.
class CCaseReadBuf : public std::streambuf {
public:
    // Fills up to n bytes at p with the next bytes, returns how many (0 at its end); throws
    // on a read error.
    using Source = std::function<std::size_t(char* p, std::size_t n)>;
    // Bytes loaded so far.
    using Progress = std::function<void(std::uint64_t nDone)>;

    CCaseReadBuf(Source source, std::uint64_t length, Progress progress = {});

    // The CRC-32 of the bytes loaded so far.
    std::uint32_t Crc() const { return m_Crc.Value(); }
    // Loads whatever is left, for the check; false when the source ended early.
    bool LoadRest();

protected:
    int_type underflow() override;
    pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode which) override;
    pos_type seekpos(pos_type pos, std::ios_base::openmode which) override;

private:
    bool Load();
    std::uint64_t Position() const { return m_nLoaded - static_cast<std::uint64_t>(egptr() - gptr()); }

    Source m_Source;
    Progress m_Progress;
    std::uint64_t m_nLength;
    std::uint64_t m_nLoaded = 0;
    bool m_bShort = false;
    CCrc32 m_Crc;
    std::vector<char> m_Buf;
};

// Writes bytes to a sink in pieces.
class CCaseWriteBuf : public std::streambuf {
public:
    // Takes n bytes at p; throws on a write error.
    using Sink = std::function<void(const char* p, std::size_t n)>;
    using Progress = std::function<void(std::uint64_t nDone)>;

    explicit CCaseWriteBuf(Sink sink, Progress progress = {});

    // Hands on what is buffered; rethrows what the sink threw, here or in an earlier write
    // (the archive library only sees that a write failed).
    void Finish();
    std::uint64_t Written() const { return m_nWritten + static_cast<std::uint64_t>(pptr() - pbase()); }
    std::uint32_t Crc() const { return m_Crc.Value(); }

protected:
    int_type overflow(int_type ch) override;
    int sync() override;

private:
    bool Flush();

    Sink m_Sink;
    Progress m_Progress;
    std::uint64_t m_nWritten = 0;
    CCrc32 m_Crc;
    std::exception_ptr m_Error;
    std::vector<char> m_Buf;
};
