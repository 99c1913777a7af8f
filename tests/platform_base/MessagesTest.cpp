#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/base/Messages.h"

unsigned int OtherUnitAddStatusMessage();

namespace {

const unsigned int UWM_ADD_STATUS = RegisterWindowMessage(L"UWM_ADD_STATUS");

// Records what reaches the main window, from any thread; uninstalls itself.
class RecordingSink {
public:
    RecordingSink()
    {
        SetMainWindowMessageSink([this](CPostedMessage&& m) {
            std::lock_guard lock(m_mutex);
            m_messages.push_back(std::move(m));
        });
    }
    ~RecordingSink() { SetMainWindowMessageSink(nullptr); }

    std::vector<CPostedMessage> Take()
    {
        std::lock_guard lock(m_mutex);
        return std::move(m_messages);
    }

private:
    std::mutex m_mutex;
    std::vector<CPostedMessage> m_messages;
};

struct CountedPayload {
    explicit CountedPayload(std::atomic<int>* d) : destroyed(d) {}
    CountedPayload(CountedPayload&& o) noexcept : destroyed(std::exchange(o.destroyed, nullptr)) {}
    ~CountedPayload()
    {
        if (destroyed)
            ++*destroyed;
    }
    std::atomic<int>* destroyed;
};

TEST(RegisteredMessages, OneNameOneNumberAcrossUnitsAndThreads)
{
    EXPECT_EQ(OtherUnitAddStatusMessage(), UWM_ADD_STATUS);
    EXPECT_EQ(RegisterWindowMessage(L"UWM_ADD_STATUS"), UWM_ADD_STATUS);
    EXPECT_GE(UWM_ADD_STATUS, 0xC000u);
    EXPECT_LE(UWM_ADD_STATUS, 0xFFFFu);

    const std::vector<std::wstring> names = {L"UWM_PBAR_UPDATE",  L"UWM_TF_MULTIML",    L"UWM_TF_BRIDGERANGE",
                                             L"UWM_TF_REFVALUES", L"UWM_TF_CRITRATIOS", L"WM_DD_DRAGENTER"};
    // Threads race to register the same names: each name must still get exactly one number.
    std::vector<std::vector<unsigned int>> got(8);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < got.size(); ++t)
        threads.emplace_back([&, t] {
            for (const auto& n : names)
                got[t].push_back(RegisterWindowMessage(n));
        });
    for (auto& th : threads)
        th.join();
    for (const auto& g : got)
        EXPECT_EQ(g, got[0]);
    std::set<unsigned int> distinct(got[0].begin(), got[0].end());
    distinct.insert(UWM_ADD_STATUS);
    EXPECT_EQ(distinct.size(), names.size() + 1);
    EXPECT_EQ(WM_ELEMENTSELECTED, 0x8001u);
    EXPECT_FALSE(distinct.count(WM_ELEMENTSELECTED));
}

TEST(RegisteredMessages, PostWithOneUnitsCopyIsRecognisedByAnothersCopy)
{
    RecordingSink sink;
    EXPECT_TRUE(PostMainWindowMessage(OtherUnitAddStatusMessage(), 0, 0, MakePayload(std::wstring(L"hello"))));
    auto got = sink.Take();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].message, UWM_ADD_STATUS);
    ASSERT_NE(got[0].Payload<std::wstring>(), nullptr);
    EXPECT_EQ(*got[0].Payload<std::wstring>(), L"hello");
    EXPECT_EQ(got[0].Payload<int>(), nullptr); // asking for the wrong type gives nothing
}

TEST(RegisteredMessages, WithoutASinkAPostIsDroppedAndItsPayloadFreed)
{
    std::atomic<int> destroyed = 0;
    EXPECT_FALSE(PostMainWindowMessage(UWM_ADD_STATUS, 0, 0, MakePayload(CountedPayload(&destroyed))));
    EXPECT_EQ(destroyed, 1);

    {
        RecordingSink sink;
        EXPECT_TRUE(PostMainWindowMessage(UWM_ADD_STATUS, 0, 0, MakePayload(CountedPayload(&destroyed))));
        EXPECT_EQ(destroyed, 1); // the receiver owns it now
        auto got = sink.Take();
        ASSERT_EQ(got.size(), 1u);
        got.clear();
        EXPECT_EQ(destroyed, 2);
    }
    EXPECT_FALSE(PostMainWindowMessage(UWM_ADD_STATUS, 0, 0)); // the sink is gone again
}

TEST(RegisteredMessages, WorkerPostsArriveInOrderEachOnce)
{
    RecordingSink sink;
    constexpr int kPerThread = 500;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < kPerThread; ++i)
                PostMainWindowMessage(UWM_ADD_STATUS, static_cast<std::uintptr_t>(t), i,
                                      MakePayload(std::to_wstring(t) + L":" + std::to_wstring(i)));
        });
    for (auto& th : threads)
        th.join();
    auto got = sink.Take();
    ASSERT_EQ(got.size(), 4u * kPerThread);
    std::vector<std::intptr_t> next(4, 0);
    for (const auto& m : got) {
        ASSERT_LT(m.wParam, 4u);
        // Each thread's posts come in the order it made them, none lost or doubled.
        EXPECT_EQ(m.lParam, next[m.wParam]);
        EXPECT_EQ(*m.Payload<std::wstring>(), std::to_wstring(m.wParam) + L":" + std::to_wstring(m.lParam));
        ++next[m.wParam];
    }
}

TEST(RegisteredMessages, RemovingTheSinkWaitsForPostsUnderWay)
{
    std::atomic<bool> inSink = false, release = false;
    std::atomic<int> calls = 0;
    SetMainWindowMessageSink([&](CPostedMessage&&) {
        ++calls;
        inSink = true;
        while (!release)
            std::this_thread::yield();
    });
    std::thread poster([] { PostMainWindowMessage(UWM_ADD_STATUS, 0, 0); });
    while (!inSink)
        std::this_thread::yield();
    std::atomic<bool> removed = false;
    std::thread remover([&] {
        SetMainWindowMessageSink(nullptr);
        removed = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(removed); // the sink is still running
    release = true;
    poster.join();
    remover.join();
    EXPECT_TRUE(removed);
    EXPECT_FALSE(PostMainWindowMessage(UWM_ADD_STATUS, 0, 0));
    EXPECT_EQ(calls, 1);
}

}
