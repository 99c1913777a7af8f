#include <QDockWidget>
#include <QListWidget>
#include <QProgressBar>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <ctime>
#include <string>
#include <thread>

#include "AppTestUtil.h"
#include "app/AppIds.h"
#include "app/OutputWnd.h"
#include "app/StatusLog.h"
#include "app/doc/PostingFeedback.h"
#include "core/bridge/Bridge.h"
#include "core/loads/LoadModel.h"
#include "platform/base/Messages.h"

using namespace qeltest;

namespace {

std::chrono::system_clock::time_point LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&tm));
}

std::vector<std::wstring> LogLines(CMainFrame& frame)
{
    std::vector<std::wstring> lines;
    QListWidget* list = frame.GetOutputWnd()->GetList();
    for (int i = 0; i < list->count(); ++i)
        lines.push_back(list->item(i)->text().toStdWString());
    return lines;
}

const unsigned int UWM_ADD_STATUS = RegisterWindowMessage(L"UWM_ADD_STATUS");
const unsigned int UWM_PBAR_UPDATE = RegisterWindowMessage(L"UWM_PBAR_UPDATE");

}

// ---------------------------------------------------------------- the log's rule, headless

namespace {

using Clock = std::chrono::system_clock;
const Clock::time_point kT0 = LocalTime(2026, 12, 9, 14, 5, 0);

std::vector<std::wstring> Lines(const CStatusLog& log)
{
    std::vector<std::wstring> lines;
    for (std::size_t i = 0; i < log.LineCount(); ++i)
        lines.push_back(log.Line(i));
    return lines;
}

}

TEST(StatusLogLines, ThousandsAreGroupedByCommas)
{
    const std::pair<std::uint64_t, const wchar_t*> rows[] = {
        {0, L"0"}, {999, L"999"}, {1000, L"1,000"}, {4321, L"4,321"}, {638896, L"638,896"}, {1234567, L"1,234,567"}};
    for (const auto& [n, text] : rows)
        EXPECT_EQ(CStatusLog::GroupDigits(n), text);
}

// One load model stepped across a bridge: its rule reports the same allowance at every
// position. The line is counted in place, its stamp the time of the latest.
TEST(StatusLogLines, ARepeatedLineIsCountedOnTheLastLineWithTheLatestStamp)
{
    CStatusLog log;
    log.AddPlain(L"Program output information will be displayed here");
    log.Add(kT0, L"Moving Load Analysis called");
    for (int i = 0; i < 4321; ++i)
        log.Add(kT0 + std::chrono::milliseconds(i), L"A36: A36/NAASRA DLA: 0.100");
    // 4,320 ms after the first: 14:05:04.
    EXPECT_EQ(Lines(log), (std::vector<std::wstring>{L"Program output information will be displayed here",
                                                     L"09/12/26 14:05:00| Moving Load Analysis called",
                                                     L"09/12/26 14:05:04| A36: A36/NAASRA DLA: 0.100 (x 4,321)"}));
    // Much later the last line still counts the same text.
    log.Add(kT0 + std::chrono::hours(1), L"A36: A36/NAASRA DLA: 0.100");
    EXPECT_EQ(log.Line(2), L"09/12/26 15:05:00| A36: A36/NAASRA DLA: 0.100 (x 4,322)");
    EXPECT_EQ(log.LineCount(), 3u);
}

// Two models, or two threads, post in turn; a rule with two parts posts two lines at each
// position. Each text keeps one line while it keeps coming.
TEST(StatusLogLines, LinesPostedInTurnAreEachCountedOnTheirOwnLine)
{
    CStatusLog log;
    const std::wstring texts[] = {L"T44: A36 UDL: 14.617", L"T44: A36/NAASRA DLA: 0.300", L"S1600: ABDC DLA: 0.250"};
    for (int i = 0; i < 3000; ++i)
        log.Add(kT0, texts[i % 3]);
    EXPECT_EQ(Lines(log), (std::vector<std::wstring>{L"09/12/26 14:05:00| T44: A36 UDL: 14.617 (x 1,000)",
                                                     L"09/12/26 14:05:00| T44: A36/NAASRA DLA: 0.300 (x 1,000)",
                                                     L"09/12/26 14:05:00| S1600: ABDC DLA: 0.250 (x 1,000)"}));
}

// The user runs the same analysis again a minute later: its lines follow the first run's
// timing rather than being counted above it.
TEST(StatusLogLines, ATextOfAnEarlierMomentStartsALineOfItsOwn)
{
    CStatusLog log;
    log.Add(kT0, L"Moving Load Analysis called");
    log.Add(kT0, L"Elapsed time: 12 ms");
    log.Add(kT0 + CStatusLog::kRecentTime, L"Moving Load Analysis called");
    log.Add(kT0 + CStatusLog::kRecentTime, L"Elapsed time: 11 ms");
    EXPECT_EQ(Lines(log),
              (std::vector<std::wstring>{
                  L"09/12/26 14:05:00| Moving Load Analysis called", L"09/12/26 14:05:00| Elapsed time: 12 ms",
                  L"09/12/26 14:05:02| Moving Load Analysis called", L"09/12/26 14:05:02| Elapsed time: 11 ms"}));
    // Past the last few lines a text is not looked for, however recent.
    CStatusLog many;
    for (std::size_t i = 0; i <= CStatusLog::kRecentLines; ++i)
        many.Add(kT0, L"line " + std::to_wstring(i));
    many.Add(kT0, L"line 0");
    EXPECT_EQ(many.LineCount(), CStatusLog::kRecentLines + 2);
    EXPECT_EQ(many.Line(many.LineCount() - 1), L"09/12/26 14:05:00| line 0");
}

TEST(StatusLogLines, PastTheBoundTheOldestLinesGoWithOneNoteSayingHowMany)
{
    struct Row {
        std::size_t nMax;
        int nAdded;
        const wchar_t* note;  // first line
        const wchar_t* first; // the oldest line kept
    };
    // At most nMax lines, the note among them: once lines go, nMax - 1 added lines stay.
    const Row rows[] = {
        {10, 10, nullptr, L"line 0"},
        {10, 11, L"(2 earlier lines dropped)", L"line 2"},
        {3, 4, L"(2 earlier lines dropped)", L"line 2"},
        {10, 25, L"(16 earlier lines dropped)", L"line 16"},
        {CStatusLog::kMaxLines, 638896, L"(628,897 earlier lines dropped)", L"line 628897"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.nAdded);
        CStatusLog log(r.nMax);
        for (int i = 0; i < r.nAdded; ++i)
            log.Add(kT0, L"line " + std::to_wstring(i));
        ASSERT_LE(log.LineCount(), r.nMax);
        std::size_t at = 0;
        if (r.note) {
            EXPECT_EQ(log.Line(at), r.note);
            ++at;
        }
        EXPECT_EQ(log.Line(at), std::wstring(L"09/12/26 14:05:00| ") + r.first);
        EXPECT_EQ(log.Line(log.LineCount() - 1), L"09/12/26 14:05:00| line " + std::to_wstring(r.nAdded - 1));
    }
}

TEST(StatusLogLines, ClearEmptiesTheLogAndItsNote)
{
    CStatusLog log(5);
    for (int i = 0; i < 20; ++i)
        log.Add(kT0, L"line " + std::to_wstring(i));
    const auto generation = log.Generation();
    log.Clear();
    EXPECT_EQ(log.LineCount(), 0u);
    EXPECT_EQ(log.DroppedLines(), 0u);
    EXPECT_NE(log.Generation(), generation);
    log.Add(kT0, L"line 0");
    EXPECT_EQ(Lines(log), std::vector<std::wstring>{L"09/12/26 14:05:00| line 0"});
}

// ---------------------------------------------------------------- the log in the main frame

using StatusLog = AppFixture;

TEST_F(StatusLog, ALineCarriesDayMonthTwoDigitYearAnd24HourTimeBeforeABar)
{
    Start();
    Frame().SetStatusClock([] { return LocalTime(2026, 12, 9, 14, 5, 0); });
    Frame().AddStatus(L"Moving Load Analysis called");
    const auto lines = LogLines(Frame());
    EXPECT_EQ(lines.front(), L"Program output information will be displayed here");
    EXPECT_EQ(lines.back(), L"09/12/26 14:05:00| Moving Load Analysis called");
    // The line is shown, and nothing stays selected.
    EXPECT_TRUE(Frame().GetOutputWnd()->GetList()->selectedItems().isEmpty());

    EXPECT_EQ(FormatStatusLine(LocalTime(2027, 1, 2, 3, 4, 5), L""), L"02/01/27 03:04:05| ");
}

// Delivers what was posted: a burst is taken in slices, between which the window paints.
void DeliverPosted(CMainFrame& frame, const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done() && std::chrono::steady_clock::now() < deadline)
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    (void)frame;
}

// A bridge rule posts a line at every load position; scrolled after each line, a run of a
// few thousand positions kept the window busy for minutes. The burst still ends in view.
TEST_F(StatusLog, ABurstOfPostedLinesEndsWithTheLastInViewAndNoneSelected)
{
    Start();
    QListWidget* list = Frame().GetOutputWnd()->GetList();
    list->parentWidget()->show();
    const int before = list->count();
    constexpr int kLines = 5000;
    for (int i = 0; i < kLines; ++i)
        PostMainWindowMessage(UWM_ADD_STATUS, 0, 0, MakePayload(L"A14: position " + std::to_wstring(i)));
    DeliverPosted(Frame(), [&] { return list->count() >= before + kLines; });
    ASSERT_EQ(list->count(), before + kLines);
    EXPECT_TRUE(list->item(list->count() - 1)->text().endsWith(QStringLiteral("A14: position 4999")));
    EXPECT_TRUE(list->viewport()->rect().intersects(list->visualItemRect(list->item(list->count() - 1))));
    EXPECT_TRUE(list->selectedItems().isEmpty());
}

// Two load models run on two threads across two bridges, their rule reporting the dynamic
// load allowance at each of 20,000 positions: 16 / (L + 40) is 0.32 for L = 10 m, held to
// 0.3, and 0.16 for L = 60 m. Each model leaves one counted line per bridge.
TEST_F(StatusLog, ARunWhoseBridgeRulePostsAtEveryPositionLeavesOneCountedLinePerValue)
{
    Start();
    QListWidget* list = Frame().GetOutputWnd()->GetList();
    const int before = list->count();
    constexpr int kPositions = 20000;
    const auto run = [](const wchar_t* name) {
        CLoadModel lm(1, name);
        lm.AddPointLoad(100.0, 0.0, 0.0);
        lm.m_bAppliesR = false;
        lm.m_bAdjustToBridge = true;
        lm.m_lmBridge = BR_A36_DLA;
        const CPostingFeedback toWindow(nullptr); // as a run of the program reports
        for (double L : {10.0, 60.0}) {
            const auto bridge = std::make_shared<CBridge>(1, L"Bridge", BC_ONESPAN, L);
            for (int i = 0; i < kPositions; ++i)
                lm.AdjustToBridge(bridge, toWindow);
        }
    };
    std::thread first(run, L"T44");
    std::thread second(run, L"S1600");
    first.join();
    second.join();
    const auto expected = [](const char* model, const char* dla) {
        return QStringLiteral("| %1: A36/NAASRA DLA: %2 (x 20,000)").arg(QLatin1String(model), QLatin1String(dla));
    };
    const QStringList wanted = {expected("T44", "0.300"), expected("S1600", "0.300"), expected("T44", "0.160"),
                                expected("S1600", "0.160")};
    const auto shown = [&] {
        QStringList lines;
        for (int i = before; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    };
    DeliverPosted(Frame(), [&] {
        const QStringList lines = shown();
        return std::all_of(wanted.begin(), wanted.end(), [&](const QString& w) {
            return std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.endsWith(w); });
        });
    });
    const QStringList lines = shown();
    EXPECT_EQ(lines.size(), 4) << lines.join(QLatin1Char('\n')).toStdString();
    for (const QString& w : wanted)
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.endsWith(w); }))
            << w.toStdString();
    // Each model's lines in the order they came.
    for (const char* model : {"T44", "S1600"}) {
        const auto at = [&](const char* dla) {
            const QString w = expected(model, dla);
            return std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.endsWith(w); }) -
                   lines.begin();
        };
        EXPECT_LT(at("0.300"), at("0.160")) << model;
    }
    Frame().resize(900, 600);
    ProcessEvents();
    SaveScreenshot(Frame().GetPane(ID_PANE_OUTPUT), "status-log-counted.png");
}

// Lines that all differ (a long afternoon's runs): the pane holds the newest, as many as
// the bound allows, under one note saying how many went, and the copy holds the same.
TEST_F(StatusLog, ThePaneHoldsAtMostTheBoundOfLinesUnderANoteOnTheDropped)
{
    Start();
    QListWidget* list = Frame().GetOutputWnd()->GetList();
    const int before = list->count(); // the greeting and the start's own lines
    constexpr int kLines = 25000;
    std::thread worker([] {
        for (int i = 0; i < kLines; ++i)
            PostMainWindowMessage(UWM_ADD_STATUS, 0, 0, MakePayload(L"line " + std::to_wstring(i)));
    });
    worker.join();
    DeliverPosted(Frame(),
                  [&] { return list->count() > 0 && list->item(list->count() - 1)->text().endsWith("line 24999"); });
    ASSERT_EQ(list->count(), static_cast<int>(CStatusLog::kMaxLines));
    const int dropped = before + kLines - (static_cast<int>(CStatusLog::kMaxLines) - 1);
    EXPECT_EQ(
        list->item(0)->text(),
        QStringLiteral("(%1 earlier lines dropped)").arg(QString::fromStdWString(CStatusLog::GroupDigits(dropped))));
    EXPECT_TRUE(list->item(1)->text().endsWith(QStringLiteral("| line %1").arg(dropped - before)));
    for (int i = 0; i < list->count(); ++i)
        ASSERT_EQ(list->item(i)->text().toStdWString(), Frame().GetStatusLog().Line(static_cast<std::size_t>(i))) << i;
    const QString copied = Frame().GetOutputWnd()->GetList()->AllText();
    EXPECT_EQ(copied.count(QStringLiteral("\r\n")), list->count());
}

TEST_F(StatusLog, ProgressIsStepsOverTheRangeTruncatedAndClampedToZeroToHundred)
{
    Start();
    CMainFrame& f = Frame();
    struct Row {
        const char* name;
        int min, max;
        int steps; // messages with wParam 1 after a reset
        int percent;
    };
    const Row rows[] = {
        {"5 of 20: 5 x 100 / 20", 0, 20, 5, 25},
        {"reset", 0, 20, 0, 0},
        {"1 of 3: 100 / 3 = 33.3, truncated", 0, 3, 1, 33},
        {"empty range shows 0", 0, 0, 1, 0},
        {"25 of 20: 125 clamped", 0, 20, 25, 100},
        {"range 10 to 30: 5 x 100 / 20", 10, 30, 5, 25},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        f.m_nProgressMin = r.min;
        f.m_nProgressMax = r.max;
        PostMainWindowMessage(UWM_PBAR_UPDATE, 0, 0);
        for (int i = 0; i < r.steps; ++i)
            PostMainWindowMessage(UWM_PBAR_UPDATE, 1, 0);
        ProcessEvents();
        EXPECT_EQ(f.GetProgressPos(), r.percent);
        EXPECT_EQ(f.findChild<QProgressBar*>(QStringLiteral("StatusProgress"))->value(), r.percent);
    }
}

TEST_F(StatusLog, LinesPostedByAWorkerArriveOnceEachAndInOrderOnTheUserInterfaceThread)
{
    Start();
    const size_t before = LogLines(Frame()).size();
    constexpr int kLines = 1000;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < kLines; ++i)
            PostMainWindowMessage(UWM_ADD_STATUS, 0, 0, MakePayload(L"line " + std::to_wstring(i)));
        // A status message without its text is ignored.
        PostMainWindowMessage(UWM_ADD_STATUS, 0, 0);
        done = true;
    });
    // The user-interface thread keeps working while the worker posts.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while ((!done || LogLines(Frame()).size() < before + kLines) && std::chrono::steady_clock::now() < deadline)
        QCoreApplication::processEvents();
    worker.join();
    ProcessEvents();

    const auto lines = LogLines(Frame());
    ASSERT_EQ(lines.size(), before + kLines);
    for (int i = 0; i < kLines; ++i) {
        const std::wstring& line = lines[before + static_cast<size_t>(i)];
        const std::wstring expected = L"| line " + std::to_wstring(i);
        ASSERT_EQ(line.substr(line.size() - expected.size()), expected) << "line " << i;
    }
}

TEST_F(StatusLog, MessagesPostedAfterTheMainWindowIsGoneAreDroppedAndFreed)
{
    Start();
    PostMainWindowMessage(UWM_ADD_STATUS, 0, 0, MakePayload(std::wstring(L"queued while closing")));
    Quit();
    // No window takes it now: the post reports that, and the sanitizer build sees no leak.
    EXPECT_FALSE(PostMainWindowMessage(UWM_ADD_STATUS, 0, 0, MakePayload(std::wstring(L"too late"))));
}
