#include <QApplication>
#include <exception>

#include "app/QELApp.h"
#include "platform/win/MessageBox.h"

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orrinvale"));
    QApplication::setApplicationName(QStringLiteral("QEL"));

    CQELApp app;
    int code = 1;
    // Start-up and shut-down run outside the event loop's guards: a failure there is shown,
    // never a crash.
    CallHandlerGuarded([&] {
        QStringList args = QApplication::arguments();
        args.removeFirst();
        if (!app.InitInstance(args)) {
            app.ExitInstance();
            return;
        }
        code = QApplication::exec();
        const int exitCode = app.ExitInstance();
        if (code == 0)
            code = exitCode;
    });
    return code;
}
