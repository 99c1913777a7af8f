#include "app/ToolbarCustomize.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "app/AppIds.h"
#include "app/CommandTable.h"
#include "app/MainFrame.h"
#include "platform/win/MessageBox.h"

namespace {

const QString kDragFormat = QStringLiteral("application/x-qel-toolbar-button");

// Commands without an icon get an empty one, so that every name in a list starts in line.
QIcon IconOf(const QAction* action)
{
    if (action && !action->icon().isNull())
        return action->icon();
    static const QIcon blank = [] {
        QPixmap p(16, 16);
        p.fill(Qt::transparent);
        return QIcon(p);
    }();
    return blank;
}

QString Q(const std::wstring& s)
{
    return QString::fromStdWString(s);
}

std::string KeyOf(const QObject* bar)
{
    return bar->objectName().toStdString();
}

// The status text of a command, without the tooltip that follows it.
QString DescriptionOf(int nID)
{
    const CCommand* c = FindCommand(nID);
    return c && c->statusTip ? QString::fromWCharArray(c->statusTip).section(QLatin1Char('\n'), 0, 0) : QString();
}

}

QMimeData* MakeButtonDragData(const CButtonDrag& drag)
{
    auto* data = new QMimeData;
    data->setData(kDragFormat, QStringLiteral("%1;%2;%3")
                                   .arg(drag.nID)
                                   .arg(QString::fromStdString(drag.sourceKey))
                                   .arg(drag.nSourceIndex)
                                   .toUtf8());
    return data;
}

std::optional<CButtonDrag> ReadButtonDragData(const QMimeData* data)
{
    if (!data || !data->hasFormat(kDragFormat))
        return std::nullopt;
    const QStringList parts = QString::fromUtf8(data->data(kDragFormat)).split(QLatin1Char(';'));
    if (parts.size() != 3)
        return std::nullopt;
    bool bId = false, bIndex = false;
    CButtonDrag drag{parts[0].toInt(&bId), parts[1].toStdString(), parts[2].toInt(&bIndex)};
    if (!bId || !bIndex || (drag.nID != 0 && !IsToolbarCommand(drag.nID)))
        return std::nullopt;
    return drag;
}

// ---------------------------------------------------------------- the frame's toolbars

CFrameToolbars::CFrameToolbars(CMainFrame& frame) : m_Frame(frame)
{
    m_Model.Load();
    // The standard toolbars, then each of the user slots that holds a toolbar, on a row of
    // their own until the saved window state puts them where the user left them.
    bool bFirstUser = true;
    for (const CToolbarContent& t : m_Model.Toolbars())
        if (t.IsUser()) {
            if (std::exchange(bFirstUser, false))
                m_Frame.addToolBarBreak(Qt::TopToolBarArea);
            OnToolbarCreateNew(t);
        } else {
            MakeToolBar(t);
        }
    m_Model.SetListener([this](CToolbarModel::Change change, const std::string& key) { OnModelChange(change, key); });
}

CFrameToolbars::~CFrameToolbars()
{
    m_Model.SetListener({});
    if (m_pDlg) {
        disconnect(m_pDlg, nullptr, this, nullptr);
        delete m_pDlg.data();
    }
}

QToolBar* CFrameToolbars::GetToolBar(const std::string& key) const
{
    auto it = m_Bars.find(key);
    return it == m_Bars.end() ? nullptr : it->second.pBar;
}

std::vector<QAction*> CFrameToolbars::GetButtonActions(const std::string& key) const
{
    auto it = m_Bars.find(key);
    return it == m_Bars.end() ? std::vector<QAction*>{} : it->second.vButtons;
}

QAction* CFrameToolbars::GetCommandAction(int nID) const
{
    return m_Frame.GetCommandAction(nID);
}

QToolBar* CFrameToolbars::MakeToolBar(const CToolbarContent& content)
{
    auto* bar = new QToolBar(Q(content.sName), &m_Frame);
    bar->setObjectName(QString::fromStdString(content.key));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_Frame.addToolBar(Qt::TopToolBarArea, bar);

    // The customise button: a drop-down at the end of the toolbar whose menu offers
    // "Customize...".
    auto* button = new QToolButton(bar);
    button->setObjectName(QStringLiteral("CustomizeButton"));
    button->setAutoRaise(true);
    button->setArrowType(Qt::DownArrow);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    button->setToolTip(QStringLiteral("Toolbar Options"));
    auto* menu = new QMenu(button);
    if (QAction* customize = GetCommandAction(ID_VIEW_CUSTOMIZE))
        menu->addAction(customize);
    button->setMenu(menu);

    Bar& b = m_Bars[content.key];
    b.pBar = bar;
    b.pCustomize = bar->addWidget(button);
    if (IsCustomizing()) {
        bar->setAcceptDrops(true);
        bar->installEventFilter(this);
    }
    connect(bar, &QToolBar::visibilityChanged, this, [this] {
        if (m_pDlg)
            m_pDlg->UpdateToolbarChecks();
    });
    FillToolBar(content.key);
    return bar;
}

QToolBar* CFrameToolbars::OnToolbarCreateNew(const CToolbarContent& content)
{
    // MakeToolBar gives every toolbar its customise button; a user toolbar has no other
    // way to it.
    return MakeToolBar(content);
}

void CFrameToolbars::FillToolBar(const std::string& key)
{
    const CToolbarContent* content = m_Model.Find(key);
    auto it = m_Bars.find(key);
    if (!content || it == m_Bars.end())
        return;
    Bar& b = it->second;
    for (QAction* a : b.vButtons) {
        if (!a)
            continue;
        b.pBar->removeAction(a);
        // Separators belong to the toolbar; commands to the frame, which shows them elsewhere too.
        if (a->parent() == b.pBar)
            delete a;
    }
    b.vButtons.clear();
    for (int nID : content->vButtons) {
        if (nID == 0) {
            b.vButtons.push_back(b.pBar->insertSeparator(b.pCustomize));
        } else if (QAction* a = GetCommandAction(nID)) {
            b.pBar->insertAction(b.pCustomize, a);
            b.vButtons.push_back(a);
        } else {
            b.vButtons.push_back(nullptr);
        }
    }
}

void CFrameToolbars::ApplyButtonImages()
{
    // Each command's own icon comes back when its user image is removed or cannot be shown.
    for (auto it = m_OwnIcons.begin(); it != m_OwnIcons.end();) {
        const int nImage = m_Model.ButtonImage(it->first);
        if (m_UserImages.GetImage(nImage).isNull()) {
            if (QAction* a = GetCommandAction(it->first))
                a->setIcon(it->second);
            it = m_OwnIcons.erase(it);
        } else {
            ++it;
        }
    }
    for (const auto& [nID, nImage] : m_Model.ButtonImages()) {
        QAction* a = GetCommandAction(nID);
        const QPixmap image = m_UserImages.GetImage(nImage);
        if (!a || image.isNull())
            continue;
        m_OwnIcons.emplace(nID, a->icon());
        a->setIcon(QIcon(image));
    }
}

void CFrameToolbars::LoadUserImages(const QString& path)
{
    // Once per run: images already set are kept.
    if (m_UserImages.IsValid() || path.isEmpty())
        return;
    QString sError;
    if (!m_UserImages.Load(path, sError))
        m_Frame.AddStatus(
            (QStringLiteral("The toolbar images of %1 cannot be used: %2").arg(path, sError)).toStdWString());
    ApplyButtonImages();
}

void CFrameToolbars::OnModelChange(CToolbarModel::Change change, const std::string& key)
{
    using Change = CToolbarModel::Change;
    switch (change) {
    case Change::Created:
        // A new toolbar starts a row of its own, where it is seen at once; a widget added to
        // a window already on screen stays hidden until shown.
        if (const CToolbarContent* t = m_Model.Find(key)) {
            m_Frame.addToolBarBreak(Qt::TopToolBarArea);
            OnToolbarCreateNew(*t)->show();
        }
        break;
    case Change::Buttons: FillToolBar(key); break;
    case Change::Renamed:
        if (QToolBar* bar = GetToolBar(key))
            bar->setWindowTitle(Q(m_Model.Find(key)->sName));
        break;
    case Change::Deleted:
        if (auto it = m_Bars.find(key); it != m_Bars.end()) {
            QToolBar* bar = it->second.pBar;
            m_Bars.erase(it);
            m_Frame.removeToolBar(bar);
            delete bar;
        }
        break;
    case Change::Images: ApplyButtonImages(); break;
    }
    // Kept at once: a user's toolbars outlive a crash of the program.
    m_Model.Save();
    if (m_pDlg)
        m_pDlg->Refresh();
}

CToolbarCustomizeDlg* CFrameToolbars::OnViewCustomize()
{
    if (!m_pDlg) {
        m_pDlg = new CToolbarCustomizeDlg(*this, &m_Frame);
        m_pDlg->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_pDlg, &QObject::destroyed, this, [this] { SetCustomizing(false); });
        SetCustomizing(true);
    }
    m_pDlg->show();
    m_pDlg->raise();
    m_pDlg->activateWindow();
    return m_pDlg;
}

void CFrameToolbars::SetCustomizing(bool bOn)
{
    for (auto& [key, b] : m_Bars) {
        b.pBar->setAcceptDrops(bOn);
        if (bOn)
            b.pBar->installEventFilter(this);
        else
            b.pBar->removeEventFilter(this);
    }
}

void CFrameToolbars::AddCustomizeItem(QMenu* paneMenu) const
{
    if (QAction* customize = GetCommandAction(ID_VIEW_CUSTOMIZE)) {
        paneMenu->addSeparator();
        paneMenu->addAction(customize);
    }
}

bool CFrameToolbars::DropButton(const std::string& key, std::size_t nIndex, const CButtonDrag& drag)
{
    const CToolbarContent* t = m_Model.Find(key);
    if (!t)
        return false;
    if (drag.sourceKey == key && drag.nSourceIndex >= 0 &&
        static_cast<std::size_t>(drag.nSourceIndex) < t->vButtons.size() &&
        t->vButtons[static_cast<std::size_t>(drag.nSourceIndex)] == drag.nID)
        return m_Model.MoveButton(key, static_cast<std::size_t>(drag.nSourceIndex), nIndex);
    return m_Model.InsertButton(key, nIndex, drag.nID);
}

std::size_t CFrameToolbars::DropIndexAt(const std::string& key, const QPoint& pos) const
{
    auto it = m_Bars.find(key);
    if (it == m_Bars.end())
        return 0;
    const Bar& b = it->second;
    const bool bVertical = b.pBar->orientation() == Qt::Vertical;
    for (std::size_t i = 0; i < b.vButtons.size(); ++i) {
        QWidget* w = b.vButtons[i] ? b.pBar->widgetForAction(b.vButtons[i]) : nullptr;
        if (!w || !w->isVisible())
            continue;
        const QPoint centre = w->geometry().center();
        if (bVertical ? pos.y() < centre.y() : pos.x() < centre.x())
            return i;
    }
    return b.vButtons.size();
}

bool CFrameToolbars::eventFilter(QObject* watched, QEvent* e)
{
    const QEvent::Type type = e->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    const std::string key = KeyOf(watched);
    if (!IsCustomizing() || !m_Bars.count(key))
        return false;
    auto* drop = static_cast<QDropEvent*>(e);
    const std::optional<CButtonDrag> drag = ReadButtonDragData(drop->mimeData());
    if (!drag)
        return false;
    if (type != QEvent::Drop) {
        drop->acceptProposedAction();
        return true;
    }
    CallHandlerGuarded([&] { DropButton(key, DropIndexAt(key, drop->position().toPoint()), *drag); });
    // A copy, so that a list the button was dragged from leaves its rows to the model.
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    return true;
}

// ---------------------------------------------------------------- drag sources and targets

QStringList CCommandListWidget::mimeTypes() const
{
    return {kDragFormat};
}

QMimeData* CCommandListWidget::mimeData(const QList<QListWidgetItem*>& items) const
{
    if (items.isEmpty())
        return nullptr;
    return MakeButtonDragData({items.front()->data(Qt::UserRole).toInt(), {}, -1});
}

CButtonListWidget::CButtonListWidget(QWidget* parent, std::function<void(int, const CButtonDrag&)> onDrop)
    : QListWidget(parent), m_OnDrop(std::move(onDrop))
{
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setAcceptDrops(true);
}

QStringList CButtonListWidget::mimeTypes() const
{
    return {kDragFormat};
}

QMimeData* CButtonListWidget::mimeData(const QList<QListWidgetItem*>& items) const
{
    if (items.isEmpty())
        return nullptr;
    return MakeButtonDragData({items.front()->data(Qt::UserRole).toInt(), m_key, row(items.front())});
}

void CButtonListWidget::dragEnterEvent(QDragEnterEvent* e)
{
    if (ReadButtonDragData(e->mimeData()))
        e->acceptProposedAction();
    else
        e->ignore();
}

void CButtonListWidget::dragMoveEvent(QDragMoveEvent* e)
{
    if (ReadButtonDragData(e->mimeData()))
        e->acceptProposedAction();
    else
        e->ignore();
}

void CButtonListWidget::dropEvent(QDropEvent* e)
{
    const std::optional<CButtonDrag> drag = ReadButtonDragData(e->mimeData());
    if (!drag) {
        e->ignore();
        return;
    }
    // Over the lower half of a row, the drop goes after it.
    const QPoint pos = e->position().toPoint();
    const QModelIndex index = indexAt(pos);
    int nRow = count();
    if (index.isValid())
        nRow = index.row() + (pos.y() > visualRect(index).center().y() ? 1 : 0);
    // The list is refilled from the model: Qt must not move or remove rows itself.
    e->setDropAction(Qt::CopyAction);
    e->accept();
    CallHandlerGuarded([&] { m_OnDrop(nRow, *drag); });
}

// ---------------------------------------------------------------- the dialog

CToolbarCustomizeDlg::CToolbarCustomizeDlg(CFrameToolbars& toolbars, QWidget* parent)
    : QDialog(parent), m_Toolbars(toolbars), m_vCategories(ScanMenuCategories())
{
    setObjectName(QStringLiteral("CustomizeDlg"));
    setWindowTitle(QStringLiteral("Customize"));
    m_AskName = [this](const QString& caption, const std::wstring& proposed) -> std::optional<std::wstring> {
        bool bOk = false;
        const QString name =
            QInputDialog::getText(this, caption, QStringLiteral("Toolbar name:"), QLineEdit::Normal, Q(proposed), &bOk);
        if (!bOk)
            return std::nullopt;
        return name.toStdWString();
    };

    m_pTabs = new QTabWidget(this);
    m_pTabs->addTab(MakeCommandsPage(), QStringLiteral("Commands"));
    m_pTabs->addTab(MakeToolbarsPage(), QStringLiteral("Toolbars"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs, 1);
    layout->addWidget(buttons);

    for (const CCommandCategory& c : m_vCategories)
        m_pCategories->addItem(Q(c.sName));
    m_pCategories->setCurrentRow(0);
    Refresh();
    SelectToolbar("Standard");
}

QWidget* CToolbarCustomizeDlg::MakeCommandsPage()
{
    auto* page = new QWidget(this);
    m_pCategories = new QListWidget(page);
    m_pCategories->setObjectName(QStringLiteral("Categories"));
    m_pCommands = new CCommandListWidget(page);
    m_pCommands->setObjectName(QStringLiteral("Commands"));
    m_pCommands->setDragEnabled(true);
    m_pCommands->setDragDropMode(QAbstractItemView::DragOnly);
    m_pCommands->setDefaultDropAction(Qt::CopyAction);
    m_pCommands->setIconSize(QSize(16, 16));
    m_pToolbarChoice = new QComboBox(page);
    m_pToolbarChoice->setObjectName(QStringLiteral("Toolbar"));
    m_pButtons = new CButtonListWidget(page, [this](int nRow, const CButtonDrag& drag) {
        const std::string key = SelectedToolbar();
        if (m_Toolbars.DropButton(key, static_cast<std::size_t>(nRow), drag)) {
            const auto& v = m_Toolbars.Model().Find(key)->vButtons;
            const auto at = drag.nID == 0 ? v.begin() + std::min<std::ptrdiff_t>(nRow, static_cast<int>(v.size()) - 1)
                                          : std::find(v.begin(), v.end(), drag.nID);
            SelectButtonRow(static_cast<int>(at - v.begin()));
        }
    });
    m_pButtons->setObjectName(QStringLiteral("Buttons"));
    m_pButtons->setIconSize(QSize(16, 16));

    m_pAdd = new QPushButton(QStringLiteral("&Add >>"), page);
    m_pAdd->setObjectName(QStringLiteral("Add"));
    m_pRemove = new QPushButton(QStringLiteral("<< &Remove"), page);
    m_pRemove->setObjectName(QStringLiteral("Remove"));
    m_pUp = new QPushButton(QStringLiteral("Move &Up"), page);
    m_pUp->setObjectName(QStringLiteral("MoveUp"));
    m_pDown = new QPushButton(QStringLiteral("Move &Down"), page);
    m_pDown->setObjectName(QStringLiteral("MoveDown"));
    m_pSeparator = new QPushButton(QStringLiteral("Add &Separator"), page);
    m_pSeparator->setObjectName(QStringLiteral("AddSeparator"));
    m_pImage = new QComboBox(page);
    m_pImage->setObjectName(QStringLiteral("ButtonImage"));
    m_pImage->setIconSize(QSize(16, 16));
    m_pDescription = new QLabel(page);
    m_pDescription->setObjectName(QStringLiteral("Description"));
    m_pDescription->setWordWrap(true);
    m_pDescription->setMinimumHeight(m_pDescription->fontMetrics().lineSpacing() * 2);

    auto* categoriesLabel = new QLabel(QStringLiteral("Ca&tegories:"), page);
    categoriesLabel->setBuddy(m_pCategories);
    auto* commandsLabel = new QLabel(QStringLiteral("Co&mmands:"), page);
    commandsLabel->setBuddy(m_pCommands);
    auto* toolbarLabel = new QLabel(QStringLiteral("&Toolbar:"), page);
    toolbarLabel->setBuddy(m_pToolbarChoice);
    auto* imageLabel = new QLabel(QStringLiteral("Button &image:"), page);
    imageLabel->setBuddy(m_pImage);

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(m_pAdd);
    middle->addWidget(m_pRemove);
    middle->addStretch();

    auto* order = new QHBoxLayout;
    order->addWidget(m_pUp);
    order->addWidget(m_pDown);
    order->addWidget(m_pSeparator);
    auto* image = new QHBoxLayout;
    image->addWidget(imageLabel);
    image->addWidget(m_pImage, 1);
    auto* toolbar = new QHBoxLayout;
    toolbar->addWidget(toolbarLabel);
    toolbar->addWidget(m_pToolbarChoice, 1);

    auto* grid = new QGridLayout(page);
    grid->addWidget(categoriesLabel, 0, 0);
    grid->addWidget(commandsLabel, 0, 1);
    grid->addLayout(toolbar, 0, 3);
    grid->addWidget(m_pCategories, 1, 0);
    grid->addWidget(m_pCommands, 1, 1);
    grid->addLayout(middle, 1, 2);
    grid->addWidget(m_pButtons, 1, 3);
    grid->addWidget(m_pDescription, 2, 0, 2, 2, Qt::AlignTop);
    grid->addLayout(order, 2, 3);
    grid->addLayout(image, 3, 3);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 4);
    grid->setColumnStretch(3, 4);
    grid->setRowStretch(1, 1);
    m_pCategories->setMinimumWidth(130);
    m_pCommands->setMinimumWidth(260);
    m_pButtons->setMinimumWidth(260);
    m_pCommands->setMinimumHeight(300);

    connect(m_pCategories, &QListWidget::currentRowChanged, this, [this] { FillCommands(); });
    connect(m_pCommands, &QListWidget::currentRowChanged, this, [this] { UpdateControls(); });
    connect(m_pCommands, &QListWidget::itemDoubleClicked, this, [this] { OnAddCommand(); });
    connect(m_pButtons, &QListWidget::currentRowChanged, this, [this] { UpdateControls(); });
    connect(m_pToolbarChoice, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_bFilling)
            SelectToolbar(SelectedToolbar());
    });
    connect(m_pAdd, &QPushButton::clicked, this, [this] { CallHandlerGuarded([this] { OnAddCommand(); }); });
    connect(m_pRemove, &QPushButton::clicked, this, [this] { CallHandlerGuarded([this] { OnRemoveButton(); }); });
    connect(m_pUp, &QPushButton::clicked, this, [this] { CallHandlerGuarded([this] { OnMoveButton(-1); }); });
    connect(m_pDown, &QPushButton::clicked, this, [this] { CallHandlerGuarded([this] { OnMoveButton(1); }); });
    connect(m_pSeparator, &QPushButton::clicked, this, [this] { CallHandlerGuarded([this] { OnAddSeparator(); }); });
    connect(m_pImage, &QComboBox::activated, this, [this] { CallHandlerGuarded([this] { OnImageChosen(); }); });
    return page;
}

QWidget* CToolbarCustomizeDlg::MakeToolbarsPage()
{
    auto* page = new QWidget(this);
    m_pToolbarList = new QListWidget(page);
    m_pToolbarList->setObjectName(QStringLiteral("Toolbars"));
    auto* label = new QLabel(QStringLiteral("T&oolbars:"), page);
    label->setBuddy(m_pToolbarList);
    m_pNew = new QPushButton(QStringLiteral("&New..."), page);
    m_pNew->setObjectName(QStringLiteral("New"));
    m_pRename = new QPushButton(QStringLiteral("Rena&me..."), page);
    m_pRename->setObjectName(QStringLiteral("Rename"));
    m_pDelete = new QPushButton(QStringLiteral("&Delete"), page);
    m_pDelete->setObjectName(QStringLiteral("Delete"));
    m_pReset = new QPushButton(QStringLiteral("&Reset"), page);
    m_pReset->setObjectName(QStringLiteral("Reset"));
    m_pResetAll = new QPushButton(QStringLiteral("Reset &All"), page);
    m_pResetAll->setObjectName(QStringLiteral("ResetAll"));
    auto* note = new QLabel(QStringLiteral("A ticked toolbar is shown. Up to %1 toolbars of your own can be made; "
                                           "drag commands from the Commands page onto any toolbar.")
                                .arg(CToolbarModel::kUserSlots),
                            page);
    note->setWordWrap(true);

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {m_pNew, m_pRename, m_pDelete, m_pReset, m_pResetAll})
        side->addWidget(b);
    side->addStretch();
    auto* grid = new QGridLayout(page);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_pToolbarList, 1, 0);
    grid->addLayout(side, 1, 1);
    grid->addWidget(note, 2, 0, 1, 2);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);

    connect(m_pToolbarList, &QListWidget::currentRowChanged, this, [this](int nRow) {
        if (!m_bFilling && nRow >= 0)
            SelectToolbar(m_pToolbarList->item(nRow)->data(Qt::UserRole).toString().toStdString());
    });
    connect(m_pToolbarList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (m_bFilling)
            return;
        if (QToolBar* bar = m_Toolbars.GetToolBar(item->data(Qt::UserRole).toString().toStdString()))
            bar->setVisible(item->checkState() == Qt::Checked);
    });
    connect(m_pNew, &QPushButton::clicked, this, [this] { CallHandlerGuarded([this] { OnNewToolbar(); }); });
    connect(m_pRename, &QPushButton::clicked, this, [this] { CallHandlerGuarded([this] { OnRenameToolbar(); }); });
    connect(m_pDelete, &QPushButton::clicked, this, [this] { CallHandlerGuarded([this] { OnDeleteToolbar(); }); });
    connect(m_pReset, &QPushButton::clicked, this, [this] { CallHandlerGuarded([this] { OnResetToolbar(); }); });
    connect(m_pResetAll, &QPushButton::clicked, this, [this] { CallHandlerGuarded([this] { OnResetAll(); }); });
    return page;
}

void CToolbarCustomizeDlg::Refresh()
{
    const std::string key = SelectedToolbar();
    {
        m_bFilling = true;
        const QSignalBlocker blockChoice(m_pToolbarChoice);
        const QSignalBlocker blockList(m_pToolbarList);
        m_pToolbarChoice->clear();
        m_pToolbarList->clear();
        for (const CToolbarContent& t : m_Toolbars.Model().Toolbars()) {
            const QString k = QString::fromStdString(t.key);
            m_pToolbarChoice->addItem(Q(t.sName), k);
            auto* item = new QListWidgetItem(Q(t.sName), m_pToolbarList);
            item->setData(Qt::UserRole, k);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        }
        m_bFilling = false;
    }
    UpdateToolbarChecks();
    SelectToolbar(m_Toolbars.Model().Find(key) ? key : "Standard");

    // The images may have come since the dialog was made.
    const CToolBarImages& images = m_Toolbars.UserImages();
    if (m_pImage->count() != images.GetCount() + 1) {
        const QSignalBlocker block(m_pImage);
        m_pImage->clear();
        m_pImage->addItem(QStringLiteral("(its own image)"), -1);
        for (int i = 0; i < images.GetCount(); ++i)
            m_pImage->addItem(QIcon(images.GetImage(i)), QStringLiteral("Image %1").arg(i + 1), i);
        m_pImage->setToolTip(images.IsValid()
                                 ? QStringLiteral("An image of %1 for the chosen button").arg(images.GetPath())
                                 : QStringLiteral("No images: put UserImages.bmp in the working folder or beside "
                                                  "the program and start it again."));
    }
    UpdateControls();
}

void CToolbarCustomizeDlg::UpdateToolbarChecks()
{
    // Only the ticks: this runs inside the list's own signal when a tick hides a toolbar.
    m_bFilling = true;
    {
        const QSignalBlocker block(m_pToolbarList);
        for (int i = 0; i < m_pToolbarList->count(); ++i) {
            QListWidgetItem* item = m_pToolbarList->item(i);
            const QToolBar* bar = m_Toolbars.GetToolBar(item->data(Qt::UserRole).toString().toStdString());
            item->setCheckState(bar && !bar->isHidden() ? Qt::Checked : Qt::Unchecked);
        }
    }
    m_bFilling = false;
}

std::string CToolbarCustomizeDlg::SelectedToolbar() const
{
    return m_pToolbarChoice->currentData().toString().toStdString();
}

void CToolbarCustomizeDlg::SelectToolbar(const std::string& key)
{
    const QString k = QString::fromStdString(key);
    m_bFilling = true;
    {
        const QSignalBlocker blockChoice(m_pToolbarChoice);
        const QSignalBlocker blockList(m_pToolbarList);
        m_pToolbarChoice->setCurrentIndex(m_pToolbarChoice->findData(k));
        for (int i = 0; i < m_pToolbarList->count(); ++i)
            if (m_pToolbarList->item(i)->data(Qt::UserRole).toString() == k)
                m_pToolbarList->setCurrentRow(i);
    }
    m_bFilling = false;
    FillButtons();
}

void CToolbarCustomizeDlg::FillButtons()
{
    const std::string key = SelectedToolbar();
    const bool bSame = m_pButtons->m_key == key;
    const int nRow = bSame ? m_pButtons->currentRow() : -1;
    const QSignalBlocker block(m_pButtons);
    m_pButtons->clear();
    m_pButtons->m_key = key;
    if (const CToolbarContent* t = m_Toolbars.Model().Find(key))
        for (int nID : t->vButtons) {
            auto* item = new QListWidgetItem(m_pButtons);
            item->setData(Qt::UserRole, nID);
            if (nID == 0) {
                item->setText(QStringLiteral("Separator"));
                item->setIcon(IconOf(nullptr));
                QFont f = item->font();
                f.setItalic(true);
                item->setFont(f);
                item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
            } else {
                item->setText(Q(CommandDisplayName(nID)));
                item->setIcon(IconOf(m_Toolbars.GetCommandAction(nID)));
            }
        }
    m_pButtons->setCurrentRow(std::min(nRow, m_pButtons->count() - 1));
    UpdateControls();
}

void CToolbarCustomizeDlg::FillCommands()
{
    const int nCategory = m_pCategories->currentRow();
    m_pCommands->clear();
    if (nCategory >= 0 && nCategory < static_cast<int>(m_vCategories.size()))
        for (int nID : m_vCategories[static_cast<std::size_t>(nCategory)].vCommands) {
            auto* item = new QListWidgetItem(Q(CommandDisplayName(nID)), m_pCommands);
            item->setData(Qt::UserRole, nID);
            item->setToolTip(DescriptionOf(nID));
            item->setIcon(IconOf(m_Toolbars.GetCommandAction(nID)));
        }
    UpdateControls();
}

void CToolbarCustomizeDlg::SelectCategory(const std::wstring& sName)
{
    for (std::size_t i = 0; i < m_vCategories.size(); ++i)
        if (m_vCategories[i].sName == sName)
            m_pCategories->setCurrentRow(static_cast<int>(i));
}

void CToolbarCustomizeDlg::SelectCommand(int nID)
{
    for (int i = 0; i < m_pCommands->count(); ++i)
        if (m_pCommands->item(i)->data(Qt::UserRole).toInt() == nID)
            m_pCommands->setCurrentRow(i);
}

int CToolbarCustomizeDlg::SelectedCommand() const
{
    const QListWidgetItem* item = m_pCommands->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

int CToolbarCustomizeDlg::SelectedButtonRow() const
{
    return m_pButtons->currentRow();
}

void CToolbarCustomizeDlg::SelectButtonRow(int nRow)
{
    m_pButtons->setCurrentRow(nRow);
    UpdateControls();
}

void CToolbarCustomizeDlg::UpdateControls()
{
    const CToolbarModel& model = m_Toolbars.Model();
    const CToolbarContent* t = model.Find(SelectedToolbar());
    const int nRow = m_pButtons->currentRow();
    const int nButtons = m_pButtons->count();
    const int nButtonID = nRow >= 0 ? m_pButtons->item(nRow)->data(Qt::UserRole).toInt() : 0;
    m_pAdd->setEnabled(t && SelectedCommand() != 0);
    m_pRemove->setEnabled(t && nRow >= 0);
    m_pUp->setEnabled(t && nRow > 0);
    m_pDown->setEnabled(t && nRow >= 0 && nRow + 1 < nButtons);
    m_pSeparator->setEnabled(t != nullptr);
    {
        const QSignalBlocker block(m_pImage);
        m_pImage->setEnabled(nButtonID != 0 && m_Toolbars.UserImages().IsValid());
        m_pImage->setCurrentIndex(std::max(0, m_pImage->findData(nButtonID ? model.ButtonImage(nButtonID) : -1)));
    }
    const int nDescribed = m_pCommands->hasFocus() || nButtonID == 0 ? SelectedCommand() : nButtonID;
    m_pDescription->setText(nDescribed ? DescriptionOf(nDescribed) : QString());

    m_pNew->setEnabled(model.HasFreeSlot());
    m_pRename->setEnabled(t && t->IsUser());
    m_pDelete->setEnabled(t && t->IsUser());
    m_pReset->setEnabled(t && !t->IsUser() && !model.IsDefault(t->key));
}

void CToolbarCustomizeDlg::ShowError(const std::wstring& sText)
{
    AfxMessageBox(sText, MB_OK | MB_ICONWARNING);
}

void CToolbarCustomizeDlg::OnAddCommand()
{
    const std::string key = SelectedToolbar();
    const int nID = SelectedCommand();
    const int nRow = m_pButtons->currentRow();
    const std::size_t at = nRow >= 0 ? static_cast<std::size_t>(nRow) + 1 : m_pButtons->count();
    if (nID == 0 || !m_Toolbars.Model().InsertButton(key, at, nID))
        return;
    const auto& v = m_Toolbars.Model().Find(key)->vButtons;
    SelectButtonRow(static_cast<int>(std::find(v.begin(), v.end(), nID) - v.begin()));
}

void CToolbarCustomizeDlg::OnRemoveButton()
{
    const int nRow = m_pButtons->currentRow();
    if (nRow >= 0)
        m_Toolbars.Model().RemoveButton(SelectedToolbar(), static_cast<std::size_t>(nRow));
}

void CToolbarCustomizeDlg::OnMoveButton(int nStep)
{
    const int nRow = m_pButtons->currentRow();
    const int nTarget = nRow + nStep;
    if (nRow < 0 || nTarget < 0 || nTarget >= m_pButtons->count())
        return;
    // The place is counted before the move: one further down means two places on.
    const std::size_t to = static_cast<std::size_t>(nStep < 0 ? nTarget : nTarget + 1);
    if (m_Toolbars.Model().MoveButton(SelectedToolbar(), static_cast<std::size_t>(nRow), to))
        SelectButtonRow(nTarget);
}

void CToolbarCustomizeDlg::OnAddSeparator()
{
    const int nRow = m_pButtons->currentRow();
    const std::size_t at = nRow >= 0 ? static_cast<std::size_t>(nRow) + 1 : m_pButtons->count();
    if (m_Toolbars.Model().InsertButton(SelectedToolbar(), at, 0))
        SelectButtonRow(static_cast<int>(at));
}

void CToolbarCustomizeDlg::OnImageChosen()
{
    const int nRow = m_pButtons->currentRow();
    if (nRow < 0)
        return;
    const int nID = m_pButtons->item(nRow)->data(Qt::UserRole).toInt();
    m_Toolbars.Model().SetButtonImage(nID, m_pImage->currentData().toInt());
}

void CToolbarCustomizeDlg::OnNewToolbar()
{
    CToolbarModel& model = m_Toolbars.Model();
    const std::optional<std::wstring> name = m_AskName(QStringLiteral("New Toolbar"), model.NextUserName());
    if (!name)
        return;
    std::wstring sError;
    const std::string key = model.NewUserToolbar(*name, sError);
    if (key.empty()) {
        ShowError(sError);
        return;
    }
    SelectToolbar(key);
    UpdateControls();
}

void CToolbarCustomizeDlg::OnRenameToolbar()
{
    const std::string key = SelectedToolbar();
    const CToolbarContent* t = m_Toolbars.Model().Find(key);
    if (!t || !t->IsUser())
        return;
    const std::optional<std::wstring> name = m_AskName(QStringLiteral("Rename Toolbar"), t->sName);
    std::wstring sError;
    if (name && !m_Toolbars.Model().Rename(key, *name, sError))
        ShowError(sError);
}

void CToolbarCustomizeDlg::OnDeleteToolbar()
{
    const std::string key = SelectedToolbar();
    const CToolbarContent* t = m_Toolbars.Model().Find(key);
    if (!t || !t->IsUser())
        return;
    if (AfxMessageBox(L"Delete the toolbar \"" + t->sName + L"\"?", MB_YESNO | MB_ICONQUESTION) == IDYES)
        m_Toolbars.Model().Delete(key);
}

void CToolbarCustomizeDlg::OnResetToolbar()
{
    const std::string key = SelectedToolbar();
    const CToolbarContent* t = m_Toolbars.Model().Find(key);
    if (!t || t->IsUser())
        return;
    if (AfxMessageBox(L"Reset the changes made to the \"" + t->sName + L"\" toolbar?", MB_YESNO | MB_ICONQUESTION) ==
        IDYES)
        m_Toolbars.Model().Reset(key);
}

void CToolbarCustomizeDlg::OnResetAll()
{
    if (AfxMessageBox(L"Reset the changes made to the \"Standard\" and \"Insert\" toolbars and take the user images "
                      L"off every button? The toolbars you made stay as they are.",
                      MB_YESNO | MB_ICONQUESTION) == IDYES)
        m_Toolbars.Model().ResetAll();
}
