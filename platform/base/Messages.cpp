#include "platform/base/Messages.h"

#include <atomic>
#include <map>
#include <mutex>
#include <shared_mutex>
#include <stdexcept>
#include <string>

namespace {

constexpr unsigned int kFirstRegistered = 0xC000;
constexpr unsigned int kLastRegistered = 0xFFFF;

struct Registry {
    std::mutex mutex;
    std::map<std::wstring, unsigned int, std::less<>> numbers;
    unsigned int next = kFirstRegistered;
};

// Function statics, so that registrations made during static initialisation of other
// units find the registry constructed.
Registry& TheRegistry()
{
    static Registry r;
    return r;
}

struct SinkSlot {
    // Read before the lock: with no sink (analyses run without a window) the posts of
    // many threads never meet on the lock.
    std::atomic<bool> present{false};
    std::shared_mutex mutex;
    std::mutex call; // one call at a time: a sink need not be written for several threads
    MessageSink sink;
};

SinkSlot& TheSink()
{
    static SinkSlot s;
    return s;
}

}

unsigned int RegisterWindowMessage(std::wstring_view name)
{
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    if (auto it = r.numbers.find(name); it != r.numbers.end())
        return it->second;
    if (r.next > kLastRegistered)
        throw std::length_error("no registered message numbers left");
    unsigned int n = r.next++;
    r.numbers.emplace(std::wstring(name), n);
    return n;
}

void SetMainWindowMessageSink(MessageSink sink)
{
    SinkSlot& s = TheSink();
    MessageSink old;
    {
        std::unique_lock lock(s.mutex);
        old = std::exchange(s.sink, std::move(sink));
        s.present.store(static_cast<bool>(s.sink), std::memory_order_release);
    }
    // The old sink (and what it captured) is destroyed outside the lock.
}

bool HasMainWindowMessageSink()
{
    return TheSink().present.load(std::memory_order_acquire);
}

bool PostMainWindowMessage(CPostedMessage message)
{
    SinkSlot& s = TheSink();
    if (!s.present.load(std::memory_order_acquire))
        return false;
    // Shared: installing waits for the posts under way.
    std::shared_lock lock(s.mutex);
    if (!s.sink)
        return false;
    std::lock_guard call(s.call);
    s.sink(std::move(message));
    return true;
}
