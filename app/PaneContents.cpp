#include "app/PaneContents.h"

#include "app/pdf/PdfPane.h"
#include "app/settings/SettingsWnd.h"
#include "app/tree/ElementView.h"

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

QWidget* CreateElementPaneContent(QWidget* parent) { return new CElementView(parent); }

QWidget* CreateSettingsPaneContent(QWidget* parent) { return new CSettingsWnd(parent); }

QWidget* CreatePdfPaneContent(QWidget* parent) { return new CPdfPane(parent); }

bool LoadUserManual(QWidget* pPdfPaneContent, const std::wstring& sPath)
{
    auto* pane = qobject_cast<CPdfPane*>(pPdfPaneContent);
    return pane && pane->LoadFile(sPath);
}
