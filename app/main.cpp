#include <QApplication>

#include "app/QELApp.h"

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orrinvale"));
    QApplication::setApplicationName(QStringLiteral("QEL"));

    CQELApp app;
    QStringList args = QApplication::arguments();
    args.removeFirst();
    if (!app.InitInstance(args)) {
        app.ExitInstance();
        return 1;
    }
    const int code = QApplication::exec();
    const int exitCode = app.ExitInstance();
    return code != 0 ? code : exitCode;
}
