// The real program, started as `qel` starts, with a scenario that drives its windows.
// The exit status is the program's own, or 3 when the scenario found faults.
#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "Driver.h"
#include "Scenario.h"
#include "app/AppMain.h"
#include "app/QELApp.h"

int main(int argc, char** argv)
{
    const char* out = std::getenv("QEL_E2E_OUT");
    const char* shots = std::getenv("QEL_E2E_SHOTS");
    const QDir outDir(QString::fromLocal8Bit(out ? out : "e2e-out"));
    const QDir shotDir(shots ? QString::fromLocal8Bit(shots) : outDir.filePath(QStringLiteral("screenshots")));
    const int code = RunQELApplication(argc, argv, [&](CQELApp& app) {
        // A scenario stuck in a window nobody answers ends at its step's budget, naming it.
        e2e::StartStepWatchdog();
        QTimer::singleShot(0, [&app, &outDir, &shotDir] { e2e::RunScenario(app, outDir, shotDir); });
    });
    if (e2e::FailureCount() > 0) {
        std::printf("e2e: %d failure(s); the program's exit status was %d\n", e2e::FailureCount(), code);
        return 3;
    }
    return code;
}
