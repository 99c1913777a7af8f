#pragma once
// The keyboard's lock lights (caps lock, num lock, scroll lock) as the platform tells
// them. On X11 they are the keyboard extension's indicator state; a platform that tells
// nothing (offscreen, Wayland) gives no state.
#include <memory>
#include <optional>

struct LockKeyState {
    bool bCapsLock = false;
    bool bNumLock = false;
    bool bScrollLock = false;
    bool operator==(const LockKeyState&) const = default;
};

class CLockKeyReader {
public:
    virtual ~CLockKeyReader() = default;
    // None when the platform gives no state.
    virtual std::optional<LockKeyState> Read() = 0;
};

// The reader of the platform the application runs on.
std::unique_ptr<CLockKeyReader> MakePlatformLockKeyReader();
