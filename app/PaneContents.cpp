#include "app/PaneContents.h"

#include "app/pdf/PdfPane.h"
#include "app/pdf/UserManual.h"
#include "app/settings/SettingsWnd.h"
#include "app/tree/ElementView.h"
#include "ui/mainview/QELView.h"

#include <QString>
#include <QWidget>

QWidget* CreateCaseMainView(CQELDoc&, QWidget* parent)
{
    auto* view = new CQELView(parent);
    view->setObjectName(QStringLiteral("CaseMainView"));
    return view;
}

QWidget* CreateElementPaneContent(QWidget* parent)
{
    return new CElementView(parent);
}

QWidget* CreateSettingsPaneContent(QWidget* parent)
{
    return new CSettingsWnd(parent);
}

QWidget* CreatePdfPaneContent(QWidget* parent)
{
    return new CPdfPane(parent);
}

bool LoadUserManual(QWidget* pPdfPaneContent, const std::wstring& sSetting)
{
    auto* pane = qobject_cast<CPdfPane*>(pPdfPaneContent);
    return pane && pane->LoadFile(UserManualToShow(sSetting));
}
