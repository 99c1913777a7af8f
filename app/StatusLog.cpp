#include "app/StatusLog.h"

#include <algorithm>
#include <ctime>
#include <iterator>

std::wstring FormatStatusLine(std::chrono::system_clock::time_point when, const std::wstring& sText)
{
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    wchar_t stamp[128];
    const size_t n = std::wcsftime(stamp, std::size(stamp), L"%d/%m/%y %H:%M:%S| ", &local);
    return std::wstring(stamp, n) + sText;
}

CStatusLog::CStatusLog(std::size_t nMaxLines) : m_nMaxLines(std::max<std::size_t>(nMaxLines, 2)) {}

std::wstring CStatusLog::GroupDigits(std::uint64_t n)
{
    std::wstring digits = std::to_wstring(n);
    for (std::size_t i = digits.size(); i > 3; i -= 3)
        digits.insert(i - 3, 1, L',');
    return digits;
}

std::wstring CStatusLog::LineOf(const Entry& e) const
{
    std::wstring line = e.stamp + e.text;
    if (e.count > 1)
        line += L" (x " + GroupDigits(e.count) + L")";
    return line;
}

std::wstring CStatusLog::DroppedNote() const
{
    // The first drop takes two lines, one of them for the note: never one alone.
    return L"(" + GroupDigits(m_nDropped) + L" earlier lines dropped)";
}

std::wstring CStatusLog::Line(std::size_t i) const
{
    if (m_nDropped > 0) {
        if (i == 0)
            return DroppedNote();
        --i;
    }
    return i < m_Entries.size() ? LineOf(m_Entries[i]) : std::wstring();
}

std::wstring CStatusLog::LineOfSerial(std::uint64_t serial) const
{
    if (serial < FirstSerial() || serial >= EndSerial())
        return {};
    return LineOf(m_Entries[static_cast<std::size_t>(serial - FirstSerial())]);
}

std::uint64_t CStatusLog::TakeFirstChanged()
{
    const std::uint64_t first = std::min(m_nFirstChanged, m_nNextSerial);
    m_nFirstChanged = UINT64_MAX;
    return first;
}

void CStatusLog::Add(TimePoint when, const std::wstring& sText, std::uint64_t nTimes)
{
    if (nTimes == 0)
        return;
    const std::size_t n = m_Entries.size();
    const std::size_t nLook = std::min(n, kRecentLines);
    for (std::size_t k = 0; k < nLook; ++k) {
        Entry& e = m_Entries[n - 1 - k];
        if (!e.bStamped || e.text != sText)
            continue;
        if (k > 0 && when - e.last >= kRecentTime)
            break; // a text of the past: a line of its own
        e.count += nTimes;
        // The stamp says when the line last came.
        e.stamp = StampOf(when);
        e.last = when;
        m_nFirstChanged = std::min(m_nFirstChanged, m_nNextSerial - 1 - k);
        return;
    }
    Append(Entry{StampOf(when), sText, when, nTimes, true});
}

const std::wstring& CStatusLog::StampOf(TimePoint when)
{
    const std::int64_t second = std::chrono::system_clock::to_time_t(when);
    if (second != m_nStampSecond) {
        m_sStamp = FormatStatusLine(when, std::wstring());
        m_nStampSecond = second;
    }
    return m_sStamp;
}

void CStatusLog::AddPlain(const std::wstring& sText)
{
    Append(Entry{std::wstring(), sText, TimePoint(), 1, false});
}

void CStatusLog::Append(Entry e)
{
    m_Entries.push_back(std::move(e));
    ++m_nNextSerial;
    while (LineCount() > m_nMaxLines) {
        m_Entries.pop_front();
        ++m_nDropped;
    }
}

void CStatusLog::Clear()
{
    m_Entries.clear();
    m_nDropped = 0;
    m_nFirstChanged = UINT64_MAX;
    ++m_nGeneration;
}
