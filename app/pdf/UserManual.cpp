#include "app/pdf/UserManual.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "core/settings/Settings.h"

namespace {

bool IsFile(const std::wstring& sPath)
{
    return !sPath.empty() && QFileInfo(QString::fromStdWString(sPath)).isFile();
}

}

std::wstring ChooseUserManual(const std::wstring& sSetting, const std::wstring& sDefault,
                              const std::vector<std::wstring>& vBundled)
{
    if (IsFile(sSetting))
        return sSetting;
    // A path the user typed that names nothing is theirs to correct: the message says so.
    if (!sSetting.empty() && sSetting != sDefault)
        return sSetting;
    for (const std::wstring& sPath : vBundled)
        if (IsFile(sPath))
            return sPath;
    return sSetting;
}

std::vector<std::wstring> BundledUserManualPaths()
{
    std::vector<std::wstring> paths;
    const QDir exeDir(QCoreApplication::applicationDirPath());
    const QString name = QString::fromWCharArray(kUserManualName);
    paths.push_back(QDir::cleanPath(exeDir.filePath(name)).toStdWString());
#ifdef QEL_MANUAL_RELATIVE_DIR
    paths.push_back(
        QDir::cleanPath(exeDir.filePath(QStringLiteral(QEL_MANUAL_RELATIVE_DIR "/") + name)).toStdWString());
#endif
#ifdef QEL_MANUAL_INSTALL_DIR
    paths.push_back(QDir::cleanPath(QStringLiteral(QEL_MANUAL_INSTALL_DIR "/") + name).toStdWString());
#endif
    return paths;
}

std::wstring UserManualToShow(const std::wstring& sSetting)
{
    CSettings defaults;
    defaults.SetDefaults();
    return ChooseUserManual(sSetting, defaults.General.HELPFILEPATH, BundledUserManualPaths());
}
