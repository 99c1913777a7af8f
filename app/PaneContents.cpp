#include "app/PaneContents.h"

#include <QFile>
#include <QPalette>
#include <QString>
#include <QWidget>

namespace {

QWidget* EmptyContent(QWidget* parent, const char* name)
{
    auto* w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

}

QWidget* CreateCaseMainView(CQELDoc&, QWidget* parent)
{
    QWidget* w = EmptyContent(parent, "CaseMainView");
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, Qt::white);
    w->setPalette(p);
    return w;
}

QWidget* CreateElementPaneContent(QWidget* parent) { return EmptyContent(parent, "ElementPaneContent"); }

QWidget* CreateSettingsPaneContent(QWidget* parent) { return EmptyContent(parent, "SettingsPaneContent"); }

QWidget* CreatePdfPaneContent(QWidget* parent) { return EmptyContent(parent, "PdfPaneContent"); }

bool LoadUserManual(QWidget*, const std::wstring& sPath)
{
    // Until the pane has a viewer, a manual that can be read counts as loaded.
    QFile file(QString::fromStdWString(sPath));
    return !sPath.empty() && file.open(QIODevice::ReadOnly);
}
