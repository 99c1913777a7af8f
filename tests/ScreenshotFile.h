#pragma once
// Pictures the tests take of windows and printed pages go to the build folder's screenshots,
// for a person to look at.
#include <QCoreApplication>
#include <QDir>
#include <QString>

namespace qeltest {

// The path of the picture file of that name (extension included); its folder is made.
inline QString ScreenshotFile(const QString& fileName)
{
#ifdef QEL_SCREENSHOT_DIR
    const QString dir = QStringLiteral(QEL_SCREENSHOT_DIR);
#else
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
#endif
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + fileName;
}

} // namespace qeltest
