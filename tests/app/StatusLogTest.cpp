#include <QListWidget>
#include <QProgressBar>
#include <atomic>
#include <chrono>
#include <ctime>
#include <string>
#include <thread>

#include "AppTestUtil.h"
#include "app/OutputWnd.h"
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
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    ASSERT_EQ(list->count(), before + kLines);
    EXPECT_TRUE(list->item(list->count() - 1)->text().endsWith(QStringLiteral("A14: position 4999")));
    EXPECT_TRUE(list->viewport()->rect().intersects(list->visualItemRect(list->item(list->count() - 1))));
    EXPECT_TRUE(list->selectedItems().isEmpty());
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
