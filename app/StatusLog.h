#pragma once
// The lines of the status log, kept readable and bounded whatever posts to it.
//
// A bridge rule posts a line at every load position: one long run used to add hundreds of
// thousands of identical lines, and an afternoon's runs gigabytes. Here a text that comes
// again is counted on the line it already has ("... (x 4,321)", the stamp moved to the
// latest time) instead of being added, and past the bound the oldest lines go, one note at
// the top saying how many. Plain C++: the output pane only shows what this holds.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

// "%d/%m/%y %H:%M:%S| " in local time, then the text.
std::wstring FormatStatusLine(std::chrono::system_clock::time_point when, const std::wstring& sText);

class CStatusLog {
public:
    using TimePoint = std::chrono::system_clock::time_point;

    // Lines kept, the note on dropped lines included.
    static constexpr std::size_t kMaxLines = 10000;
    // Several load models (or threads) post their lines in turn. A text equal to one of the
    // last few lines is counted there while that line is still coming, that is, when it
    // was last seen a moment ago; later it starts a line of its own, so lines that the user's
    // own actions repeat keep their order. The last line counts a repeat whenever it comes.
    static constexpr std::size_t kRecentLines = 32;
    static constexpr std::chrono::seconds kRecentTime{2};

    explicit CStatusLog(std::size_t nMaxLines = kMaxLines);

    // A line stamped with the time, as if added nTimes over.
    void Add(TimePoint when, const std::wstring& sText, std::uint64_t nTimes = 1);
    // A line without a stamp (the pane's greeting).
    void AddPlain(const std::wstring& sText);
    // Every line goes, the note on dropped lines too.
    void Clear();

    // What is shown, in order: the note first when lines were dropped.
    std::size_t LineCount() const { return m_Entries.size() + (m_nDropped > 0 ? 1 : 0); }
    std::wstring Line(std::size_t i) const;
    std::uint64_t DroppedLines() const { return m_nDropped; }
    std::wstring DroppedNote() const;

    // A view keeps in step through serial numbers: each line gets the next one when it is
    // added, and keeps it while its count or stamp changes.
    std::uint64_t FirstSerial() const { return m_nNextSerial - m_Entries.size(); }
    std::uint64_t EndSerial() const { return m_nNextSerial; }
    std::wstring LineOfSerial(std::uint64_t serial) const;
    // Rises at every Clear: a view then starts again.
    std::uint64_t Generation() const { return m_nGeneration; }
    // The lowest serial whose line changed since the last call (EndSerial() when none did).
    std::uint64_t TakeFirstChanged();

    // "4,321".
    static std::wstring GroupDigits(std::uint64_t n);

private:
    struct Entry {
        std::wstring stamp;
        std::wstring text;
        TimePoint last;
        std::uint64_t count = 1;
        bool bStamped = true;
    };
    std::wstring LineOf(const Entry& e) const;
    void Append(Entry e);
    // Within one second every line carries the same stamp: made once.
    const std::wstring& StampOf(TimePoint when);

    std::size_t m_nMaxLines;
    std::deque<Entry> m_Entries;
    std::uint64_t m_nDropped = 0;
    std::uint64_t m_nNextSerial = 0;
    std::uint64_t m_nFirstChanged = UINT64_MAX;
    std::uint64_t m_nGeneration = 0;
    std::int64_t m_nStampSecond = -1;
    std::wstring m_sStamp;
};
