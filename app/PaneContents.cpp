#include "app/PaneContents.h"

#include "app/CaseMainView.h"

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
    auto* view = new CCaseMainView(parent);
    view->setObjectName(QStringLiteral("CaseMainView"));
    return view;
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
