#include "platform/win/FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <mutex>

namespace {

std::mutex g_mutex;
FileDialogAnswerer g_answerer;

}

FileDialogAnswerer SetFileDialogAnswerer(FileDialogAnswerer answerer)
{
    std::lock_guard lock(g_mutex);
    std::swap(g_answerer, answerer);
    return answerer;
}

std::optional<std::wstring> RunFileDialog(QWidget* parent, const FileDialogRequest& request)
{
    FileDialogAnswerer answer;
    {
        std::lock_guard lock(g_mutex);
        answer = g_answerer;
    }
    if (request.pSelectedFilter) {
        const std::wstring& all = request.sFilter;
        *request.pSelectedFilter = all.substr(0, all.find(L";;"));
    }
    if (answer)
        return answer(request);

    QFileDialog dlg(parent, QString::fromStdWString(request.sTitle));
    dlg.setNameFilter(QString::fromStdWString(request.sFilter));
    dlg.setDefaultSuffix(QString::fromStdWString(request.sDefaultSuffix));
    if (!request.sDefaultSuffix.empty())
        QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg, [&dlg](const QString& filter) {
            static const QRegularExpression onePattern(QStringLiteral("\\(\\*\\.(\\w+)\\)$"));
            const QRegularExpressionMatch m = onePattern.match(filter.trimmed());
            if (m.hasMatch())
                dlg.setDefaultSuffix(m.captured(1));
        });
    dlg.setAcceptMode(request.bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(request.bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.sInitialName.empty()) {
        const QFileInfo info(QString::fromStdWString(request.sInitialName));
        if (info.isAbsolute())
            dlg.setDirectory(info.absolutePath());
        dlg.selectFile(info.fileName());
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    if (request.pSelectedFilter)
        *request.pSelectedFilter = dlg.selectedNameFilter().toStdWString();
    return dlg.selectedFiles().front().toStdWString();
}
