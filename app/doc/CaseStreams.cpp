#include "app/doc/CaseStreams.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

constexpr std::size_t kPiece = 256 * 1024;
// Bytes kept before a new piece, so that a reader can put back what it just read.
constexpr std::size_t kPutBack = 16;

}

CCaseReadBuf::CCaseReadBuf(Source source, std::uint64_t length, Progress progress)
    : m_Source(std::move(source)), m_Progress(std::move(progress)), m_nLength(length), m_Buf(kPutBack + kPiece)
{
    setg(m_Buf.data(), m_Buf.data(), m_Buf.data());
}

bool CCaseReadBuf::Load()
{
    if (m_bShort || m_nLoaded >= m_nLength)
        return false;
    const std::size_t keep = std::min(kPutBack, static_cast<std::size_t>(gptr() - eback()));
    std::memmove(m_Buf.data(), gptr() - keep, keep);
    char* const start = m_Buf.data() + keep;
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, m_nLength - m_nLoaded));
    std::size_t got = 0;
    while (got < want) {
        const std::size_t n = m_Source(start + got, want - got);
        if (n == 0) {
            m_bShort = true;
            break;
        }
        got += n;
    }
    m_Crc.Add(std::string_view(start, got));
    m_nLoaded += got;
    setg(m_Buf.data(), start, start + got);
    if (m_Progress)
        m_Progress(m_nLoaded);
    return got > 0;
}

CCaseReadBuf::int_type CCaseReadBuf::underflow()
{
    if (gptr() < egptr() || Load())
        return traits_type::to_int_type(*gptr());
    return traits_type::eof();
}

bool CCaseReadBuf::LoadRest()
{
    while (Load())
        setg(eback(), egptr(), egptr());
    return !m_bShort && m_nLoaded == m_nLength;
}

CCaseReadBuf::pos_type CCaseReadBuf::seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode which)
{
    if (!(which & std::ios_base::in) || off != 0)
        return pos_type(off_type(-1));
    if (dir == std::ios_base::cur)
        return pos_type(off_type(Position()));
    if (dir == std::ios_base::end)
        return pos_type(off_type(m_nLength));
    return seekpos(pos_type(off), which);
}

CCaseReadBuf::pos_type CCaseReadBuf::seekpos(pos_type pos, std::ios_base::openmode which)
{
    // Within what is loaded: the check covers every byte once, whatever is read again.
    const auto target = static_cast<std::uint64_t>(off_type(pos));
    const std::uint64_t start = m_nLoaded - static_cast<std::uint64_t>(egptr() - eback());
    if (!(which & std::ios_base::in) || off_type(pos) < 0 || target < start || target > m_nLoaded)
        return pos_type(off_type(-1));
    setg(eback(), eback() + (target - start), egptr());
    return pos;
}

CCaseWriteBuf::CCaseWriteBuf(Sink sink, Progress progress)
    : m_Sink(std::move(sink)), m_Progress(std::move(progress)), m_Buf(kPiece)
{
    setp(m_Buf.data(), m_Buf.data() + m_Buf.size());
}

bool CCaseWriteBuf::Flush()
{
    if (m_Error)
        return false;
    const auto n = static_cast<std::size_t>(pptr() - pbase());
    try {
        m_Sink(pbase(), n);
    } catch (...) {
        m_Error = std::current_exception();
        return false;
    }
    m_Crc.Add(std::string_view(pbase(), n));
    m_nWritten += n;
    setp(m_Buf.data(), m_Buf.data() + m_Buf.size());
    if (m_Progress)
        m_Progress(m_nWritten);
    return true;
}

CCaseWriteBuf::int_type CCaseWriteBuf::overflow(int_type ch)
{
    if (!Flush())
        return traits_type::eof();
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return traits_type::not_eof(ch);
    *pptr() = traits_type::to_char_type(ch);
    pbump(1);
    return ch;
}

int CCaseWriteBuf::sync()
{
    return Flush() ? 0 : -1;
}

void CCaseWriteBuf::Finish()
{
    Flush();
    if (m_Error)
        std::rethrow_exception(m_Error);
}
