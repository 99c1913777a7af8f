#pragma once
#include "ScreenshotFile.h"

#include <QString>
#include <QWidget>

namespace uitest {

inline QString ScreenshotPath(const QString& name)
{
    return qeltest::ScreenshotFile(name + QStringLiteral(".png"));
}

inline void Screenshot(QWidget& w, const QString& name)
{
    w.grab().save(ScreenshotPath(name));
}

}
