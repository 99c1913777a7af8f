#pragma once
#include <QDir>

class CQELApp;

namespace e2e {
// An engineer's session through the program's windows, ending with File > Exit.
// Saved and exported files go to outDir, pictures of the main window to shotDir.
void RunScenario(CQELApp& app, const QDir& outDir, const QDir& shotDir);
}
