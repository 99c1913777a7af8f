#pragma once
#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QWidget>

namespace uitest {

// Saves a picture of the widget beside the test executable, in screenshots/.
inline void Screenshot(QWidget& w, const QString& name)
{
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    QDir().mkpath(dir);
    w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}
