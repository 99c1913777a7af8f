#include "platform/win/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QtGlobal>
#include <QString>
#include <exception>
#include <mutex>

#include "platform/base/CLocale.h"

namespace {

std::mutex g_mutex;
MessageBoxAnswerer g_answerer;

MessageBoxAnswerer CurrentAnswerer()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_answerer;
}

QString ToQt(const std::wstring& s)
{
    return QString::fromStdWString(s);
}

}

namespace {
BeepListener g_beepListener;
}

BeepListener SetBeepListener(BeepListener listener)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    std::swap(g_beepListener, listener);
    return listener;
}

void MessageBeep(UINT type)
{
    BeepListener listener;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        listener = g_beepListener;
    }
    if (listener)
        listener(type);
    else
        QApplication::beep();
}

MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    std::swap(g_answerer, answerer);
    return answerer;
}

int MessageBox(QWidget* parent, const std::wstring& text, const std::wstring& caption, UINT type)
{
    if (MessageBoxAnswerer answer = CurrentAnswerer())
        return answer(text, caption, type);

    QMessageBox box(parent);
    box.setWindowTitle(ToQt(caption));
    box.setText(ToQt(text));
    switch (type & 0xF0) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    switch (type & 0x0F) {
    case MB_OKCANCEL: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MB_YESNOCANCEL: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
    case MB_YESNO: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDCANCEL;
    }
}

int AfxMessageBox(const std::wstring& text, UINT type)
{
    return MessageBox(QApplication::activeWindow(), text, L"QEL", type);
}

void ReportHandlerException(const char* what) noexcept
{
    // A box runs its own event loop, in which the failing handler may run and fail again
    // (a paint of the window beneath, a timer): those repeats are logged, not boxed.
    static bool s_bBoxUp = false;
    if (s_bBoxUp) {
        qWarning("QEL: %s", what ? what : "Unknown error");
        return;
    }
    s_bBoxUp = true;
    try {
        const std::wstring text = what ? Utf8ToWide(what) : std::wstring(L"Unknown error");
        AfxMessageBox(text, MB_OK | MB_ICONERROR);
    } catch (...) {
        // Nothing more can be done without throwing through the event loop.
    }
    s_bBoxUp = false;
}
