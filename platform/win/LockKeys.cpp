#include "platform/win/LockKeys.h"

#include <QGuiApplication>

// Xlib defines names such as None, Bool and Status as macros: its headers come after Qt's.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace {

class CNoLockKeyReader final : public CLockKeyReader {
public:
    std::optional<LockKeyState> Read() override { return std::nullopt; }
};

// The lights are found by their names in the keyboard map once; each reading is then one
// request for the state of all of them.
class CXkbLockKeyReader final : public CLockKeyReader {
public:
    explicit CXkbLockKeyReader(Display* pDisplay) : m_pDisplay(pDisplay)
    {
        const char* const names[] = {"Caps Lock", "Num Lock", "Scroll Lock"};
        for (int i = 0; i < 3; ++i) {
            const Atom atom = XInternAtom(pDisplay, names[i], True);
            int index = -1;
            if (atom != None && XkbGetNamedIndicator(pDisplay, atom, &index, nullptr, nullptr, nullptr) && index >= 0 &&
                index < 32)
                m_nBit[i] = index;
        }
    }

    std::optional<LockKeyState> Read() override
    {
        unsigned int state = 0;
        if (XkbGetIndicatorState(m_pDisplay, XkbUseCoreKbd, &state) != Success)
            return std::nullopt;
        const auto on = [&](int i) { return m_nBit[i] >= 0 && ((state >> m_nBit[i]) & 1u) != 0; };
        return LockKeyState{on(0), on(1), on(2)};
    }

private:
    Display* m_pDisplay;
    int m_nBit[3] = {-1, -1, -1};
};

}

std::unique_ptr<CLockKeyReader> MakePlatformLockKeyReader()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* pDisplay = x11 ? x11->display() : nullptr;
    int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!pDisplay || !XkbQueryExtension(pDisplay, &opcode, &event, &error, &major, &minor))
        return std::make_unique<CNoLockKeyReader>();
    return std::make_unique<CXkbLockKeyReader>(pDisplay);
}
