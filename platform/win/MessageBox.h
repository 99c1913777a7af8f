#pragma once
// The program's one message-box service: boxes captioned "QEL". Tests install an
// answerer, so no modal box ever blocks a test.
#include <functional>
#include <string>

#include "platform/win/WinDef.h"

class QWidget;

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Answers a box instead of showing it: gets the text, the caption and the MB_ flags,
// returns the button (IDOK, IDYES...).
using MessageBoxAnswerer = std::function<int(const std::wstring& text, const std::wstring& caption, UINT type)>;

// Installs an answerer (an empty one restores the real boxes); returns the previous one.
MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer);

int MessageBox(QWidget* parent, const std::wstring& text, const std::wstring& caption, UINT type);
// Captioned "QEL", owned by the active window.
int AfxMessageBox(const std::wstring& text, UINT type = MB_OK);

// The short warning sound of refused input (a keystroke a field will not take). Tests install
// a listener to hear it instead; an empty one restores the sound. Returns the previous one.
using BeepListener = std::function<void(UINT type)>;
BeepListener SetBeepListener(BeepListener listener);
void MessageBeep(UINT type);

// Runs an event handler; an exception that would leave it is shown as an error box
// instead, since nothing may be thrown through the event loop.
template <class F>
void CallHandlerGuarded(F&& handler);

void ReportHandlerException(const char* what) noexcept;

template <class F>
void CallHandlerGuarded(F&& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        ReportHandlerException(e.what());
    } catch (...) {
        ReportHandlerException(nullptr);
    }
}
