#pragma once
// Registered messages and posting to the application's main window.
//
// A message name is registered once per process and always maps to the same number, so
// every unit may keep its own copy:
//     static const unsigned int UWM_ADD_STATUS = RegisterWindowMessage(L"UWM_ADD_STATUS");
//
// Worker threads never touch a window: they post to the main window through the sink
// that the application installs (tests install a recorder). A message carries what it
// owns in its payload; whoever ends up holding the message frees it, so a post that no
// sink takes is dropped without a leak.

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>

inline constexpr unsigned int WM_APP = 0x8000;
// Sent by the element pane to the main window's descendants when the selection changes;
// lParam: the selected element, borrowed for the call, or 0.
inline constexpr unsigned int WM_ELEMENTSELECTED = WM_APP + 1;

// Registered numbers lie in 0xC000..0xFFFF, as the system's own do.
// Thread-safe; throws std::length_error when the range is used up.
unsigned int RegisterWindowMessage(std::wstring_view name);

// What a posted message owns (a status text, a worker's parameter block).
class CMessagePayload {
public:
    virtual ~CMessagePayload() = default;
};

template <class T>
class CPayload final : public CMessagePayload {
public:
    explicit CPayload(T value) : m_Value(std::move(value)) {}
    T m_Value;
};

template <class T>
std::unique_ptr<CMessagePayload> MakePayload(T value)
{
    return std::make_unique<CPayload<T>>(std::move(value));
}

struct CPostedMessage {
    unsigned int message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::unique_ptr<CMessagePayload> payload;

    // The payload as a T, or nullptr when there is none of that type.
    template <class T>
    T* Payload() const
    {
        auto* p = dynamic_cast<CPayload<T>*>(payload.get());
        return p ? &p->m_Value : nullptr;
    }
};

// Receives every posted message on the posting thread, one call at a time; it must only
// hand the message on (queue it) and must neither block on the user interface nor install
// a sink itself.
using MessageSink = std::function<void(CPostedMessage&&)>;

// Installs the sink (an empty one removes it). When this returns, the previous sink is no
// longer running and will not be called again.
void SetMainWindowMessageSink(MessageSink sink);

// Posts to the main window; returns false when no sink is installed (the message and its
// payload are then freed here). Never waits for the receiver.
bool PostMainWindowMessage(CPostedMessage message);

// Whether a sink is installed: a sender whose text costs something to build may skip it
// when nothing would receive it.
bool HasMainWindowMessageSink();

inline bool PostMainWindowMessage(unsigned int message, std::uintptr_t wParam, std::intptr_t lParam,
                                  std::unique_ptr<CMessagePayload> payload = nullptr)
{
    CPostedMessage m;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.payload = std::move(payload);
    return PostMainWindowMessage(std::move(m));
}
