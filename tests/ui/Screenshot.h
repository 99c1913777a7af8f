#pragma once
#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QWidget>

namespace uitest {

// Pictures of the windows and printed pages, in the build folder for a person to look at.
inline QString ScreenshotPath(const QString& name)
{
#ifdef QEL_SCREENSHOT_DIR
    const QString dir = QStringLiteral(QEL_SCREENSHOT_DIR);
#else
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
#endif
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name + QStringLiteral(".png");
}

inline void Screenshot(QWidget& w, const QString& name)
{
    w.grab().save(ScreenshotPath(name));
}

}
