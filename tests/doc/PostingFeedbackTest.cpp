#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/doc/PostingFeedback.h"
#include "platform/base/Messages.h"

namespace {

struct Posted {
    unsigned int message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    std::wstring text;
};

// What reaches the main window while it lives.
class Window {
public:
    Window()
    {
        SetMainWindowMessageSink([this](CPostedMessage&& m) {
            std::lock_guard lock(m_mutex);
            const std::wstring* text = m.Payload<std::wstring>();
            m_posted.push_back({m.message, m.wParam, m.lParam, text ? *text : std::wstring()});
        });
    }
    ~Window() { SetMainWindowMessageSink(nullptr); }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    std::vector<Posted> Take()
    {
        std::lock_guard lock(m_mutex);
        return std::exchange(m_posted, {});
    }

private:
    std::mutex m_mutex;
    std::vector<Posted> m_posted;
};

const unsigned int kProgress = RegisterWindowMessage(L"UWM_PBAR_UPDATE");
const unsigned int kStatus = RegisterWindowMessage(L"UWM_ADD_STATUS");

} // namespace

// The window sees what the core used to post itself: a progress step is UWM_PBAR_UPDATE
// (1, 0), a status line UWM_ADD_STATUS carrying its text.
TEST(PostingFeedback, PostsProgressAndStatusAsTheWindowExpects)
{
    const CPostingFeedback feedback(nullptr);
    EXPECT_FALSE(feedback.WantsStatus()); // nobody would show a line
    {
        Window window;
        EXPECT_TRUE(feedback.WantsStatus());
        feedback.Progress(2);
        feedback.Status(L"T44: A36/NAASRA DLA: 0.300");
        const std::vector<Posted> got = window.Take();
        ASSERT_EQ(got.size(), 3u);
        for (int i : {0, 1}) {
            EXPECT_EQ(got[i].message, kProgress);
            EXPECT_EQ(got[i].wParam, 1u);
            EXPECT_EQ(got[i].lParam, 0);
        }
        EXPECT_EQ(got[2].message, kStatus);
        EXPECT_EQ(got[2].wParam, 0u);
        EXPECT_EQ(got[2].text, L"T44: A36/NAASRA DLA: 0.300");
    }
    EXPECT_FALSE(feedback.WantsStatus());
}

TEST(PostingFeedback, StopsWhenTheRunsFlagIsLowered)
{
    EXPECT_FALSE(CPostingFeedback(nullptr).StopRequested());
    std::atomic<bool> running = true;
    const CPostingFeedback feedback(&running);
    EXPECT_FALSE(feedback.StopRequested());
    running = false;
    EXPECT_TRUE(feedback.StopRequested());
}

// The threads of one run report through one feedback at once: every line arrives, each
// thread's in its own order.
TEST(PostingFeedback, ThreadsOfOneRunPostThroughItAtOnce)
{
    Window window;
    const CPostingFeedback feedback(nullptr);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&feedback, t] {
            for (int i = 0; i < 250; ++i) {
                feedback.Status(std::to_wstring(t) + L":" + std::to_wstring(i));
                feedback.Progress(1);
            }
        });
    for (auto& th : threads)
        th.join();
    std::vector<int> next(4, 0);
    int progress = 0;
    for (const Posted& p : window.Take()) {
        if (p.message == kProgress) {
            ++progress;
            continue;
        }
        const int t = std::stoi(p.text);
        EXPECT_EQ(p.text, std::to_wstring(t) + L":" + std::to_wstring(next[t]++));
    }
    EXPECT_EQ(next, std::vector<int>(4, 250));
    EXPECT_EQ(progress, 1000);
}
