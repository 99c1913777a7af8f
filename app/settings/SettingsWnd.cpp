#include "app/settings/SettingsWnd.h"

#include <QAction>
#include <QColorDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "app/PaneToolBar.h"
#include "app/settings/SettingsProperties.h"
#include "core/settings/Settings.h"
#include "platform/gdi/Colour.h"
#include "platform/win/FileDialog.h"
#include "platform/win/MessageBox.h"
#include "ui/mainview/QELView.h"

namespace {

constexpr int kIdRole = Qt::UserRole + 1;
constexpr int kOriginalRole = Qt::UserRole + 2; // the value when the grid was built

CSettingsWnd::ColourPicker& ColourPickerHook()
{
    static CSettingsWnd::ColourPicker picker;
    return picker;
}

const SettingEntry* PropertyOf(const QTreeWidgetItem* item)
{
    return item ? FindSettingEntry(item->data(0, kIdRole).toInt()) : nullptr;
}

QIcon Swatch(std::uint32_t colour)
{
    QPixmap pm(14, 14);
    pm.fill(ToQColor(colour));
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 13, 13);
    return QIcon(pm);
}

// A path with a browse button.
class CFileEditor : public QWidget {
public:
    explicit CFileEditor(QWidget* parent) : QWidget(parent)
    {
        m_pEdit = new QLineEdit(this);
        auto* browse = new QToolButton(this);
        browse->setText(QStringLiteral("..."));
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(m_pEdit, 1);
        layout->addWidget(browse);
        setFocusProxy(m_pEdit);
        connect(browse, &QToolButton::clicked, this, [this] {
            const QString path = CSettingsWnd::PickFile(window(), m_pEdit->text());
            if (!path.isEmpty()) {
                m_pEdit->setText(path);
                m_bPicked = true;
                emit m_pEdit->editingFinished();
            }
        });
    }
    QLineEdit* m_pEdit = nullptr;
    bool m_bPicked = false;
};

class CPropertyDelegate : public QStyledItemDelegate {
public:
    explicit CPropertyDelegate(CSettingsWnd& wnd) : QStyledItemDelegate(&wnd), m_Wnd(wnd) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        const SettingEntry* prop = FindSettingEntry(index.siblingAtColumn(0).data(kIdRole).toInt());
        if (!prop || index.column() != 1)
            return nullptr;
        switch (prop->kind) {
        case SettingKind::Integer:
        case SettingKind::Real: return new QLineEdit(parent);
        case SettingKind::File: {
            auto* editor = new CFileEditor(parent);
            // A picked file is taken at once, as the browse button's choice.
            connect(editor->m_pEdit, &QLineEdit::editingFinished, editor, [this, editor] {
                if (editor->m_bPicked)
                    emit const_cast<CPropertyDelegate*>(this)->commitData(editor);
            });
            return editor;
        }
        case SettingKind::Colour: {
            auto* button = new QPushButton(QObject::tr("Other..."), parent);
            const int nID = prop->nID;
            connect(button, &QPushButton::clicked, button, [this, nID, button] {
                const QColor current = ToQColor(GetSettingColour(*g_pSettings, *FindSettingEntry(nID)));
                const QColor chosen = CSettingsWnd::PickColour(m_Wnd.window(), current);
                if (chosen.isValid())
                    m_Wnd.OnPropertyChanged(nID, chosen);
                emit const_cast<CPropertyDelegate*>(this)->closeEditor(button);
            });
            return button;
        }
        case SettingKind::Bool: return nullptr; // the check box
        }
        return nullptr;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        const QString text = index.data(Qt::DisplayRole).toString();
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            edit->setText(text);
        else if (auto* file = dynamic_cast<CFileEditor*>(editor))
            file->m_pEdit->setText(text);
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        const int nID = index.siblingAtColumn(0).data(kIdRole).toInt();
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            m_Wnd.OnPropertyChanged(nID, edit->text());
        else if (auto* file = dynamic_cast<CFileEditor*>(editor))
            m_Wnd.OnPropertyChanged(nID, file->m_pEdit->text());
    }

private:
    CSettingsWnd& m_Wnd;
};

}

void CSettingsWnd::SetColourPicker(ColourPicker picker)
{
    ColourPickerHook() = std::move(picker);
}

QColor CSettingsWnd::PickColour(QWidget* parent, const QColor& current)
{
    if (ColourPickerHook())
        return ColourPickerHook()(parent, current);
    return QColorDialog::getColor(current, parent);
}

QString CSettingsWnd::PickFile(QWidget* parent, const QString& current)
{
    FileDialogRequest request;
    request.sFilter = L"PDF Files (*.pdf)";
    request.sDefaultSuffix = L"pdf";
    request.sInitialName = current.toStdWString();
    const std::optional<std::wstring> path = RunFileDialog(parent, request);
    return path ? QString::fromStdWString(*path) : QString();
}

CSettingsWnd::CSettingsWnd(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SettingsWnd"));
    m_pToolBar = MakePaneToolBar(this, 198);
    auto addCommand = [this](int nID, QStyle::StandardPixmap icon, const QString& tip, const QString& status) {
        return AddPaneCommand(m_pToolBar, nID, icon, tip, status, [this, nID] { OnCommand(nID); });
    };
    m_pExpand = addCommand(ID_EXPAND, QStyle::SP_ToolBarVerticalExtensionButton, tr("Expand/Collapse"),
                           tr("Toggle expand or collapse all properties"));
    m_pExpand->setCheckable(true);
    m_pSortAlpha = addCommand(ID_SORTALPHA, QStyle::SP_FileDialogListView, tr("Sort Alphabetically"),
                              tr("Arrange in alphabetical order instead"));
    m_pSortAlpha->setCheckable(true);
    addCommand(ID_RESET_ALL, QStyle::SP_BrowserReload, tr("Reset All"), tr("Reset all settings to defaults values"));

    m_pGrid = new QTreeWidget(this);
    m_pGrid->setObjectName(QStringLiteral("2"));
    m_pGrid->setProperty("ctrlId", 2);
    m_pGrid->setColumnCount(2);
    m_pGrid->setHeaderHidden(true);
    m_pGrid->setRootIsDecorated(true);
    m_pGrid->setUniformRowHeights(true);
    m_pGrid->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked |
                             QAbstractItemView::EditKeyPressed);
    m_pGrid->setItemDelegate(new CPropertyDelegate(*this));
    m_pGrid->header()->setStretchLastSection(true);
    m_pGrid->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_pGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pGrid->viewport()->installEventFilter(this);

    m_pDescription = new QLabel(this);
    m_pDescription->setWordWrap(true);
    m_pDescription->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_pDescription->setFrameShape(QFrame::StyledPanel);
    m_pDescription->setMargin(4);
    // Room for five lines of description.
    m_pDescription->setMinimumHeight(fontMetrics().lineSpacing() * 5 + 10);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pToolBar);
    layout->addWidget(m_pGrid, 1);
    layout->addWidget(m_pDescription);
    setFocusProxy(m_pGrid);
    // A dock opens at its content's minimum: room for the longest label and a value beside it.
    setMinimumWidth(MinimumReadableWidth());

    connect(m_pGrid, &QTreeWidget::itemChanged, this, &CSettingsWnd::OnItemChanged);
    connect(m_pGrid, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { ShowDescription(current); });
    // A click on a label edits its value.
    connect(m_pGrid, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int column) {
        const SettingEntry* prop = PropertyOf(item);
        if (column == 0 && prop && prop->kind != SettingKind::Bool)
            m_pGrid->editItem(item, 1);
    });
    InitPropList();
}

QTreeWidgetItem* CSettingsWnd::AddProperty(QTreeWidgetItem* parent, const SettingEntry& prop)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_pGrid);
    item->setText(0, QString::fromWCharArray(prop.sLabel));
    item->setData(0, kIdRole, prop.nID);
    item->setToolTip(0, QString::fromWCharArray(prop.sDescription).simplified());
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (prop.kind == SettingKind::Bool)
        flags |= Qt::ItemIsUserCheckable;
    else
        flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    item->setData(0, kOriginalRole, QString::fromStdWString(FormatSettingValue(*g_pSettings, prop)));
    ShowValue(item);
    return item;
}

void CSettingsWnd::InitPropList()
{
    ++m_nBuilding;
    m_pGrid->setUpdatesEnabled(false);
    m_pGrid->clear();
    if (m_bAlphabetical) {
        std::vector<const SettingEntry*> sorted;
        for (const SettingEntry& prop : GetSettingEntries())
            sorted.push_back(&prop);
        std::stable_sort(sorted.begin(), sorted.end(), [](const SettingEntry* a, const SettingEntry* b) {
            return QString::fromWCharArray(a->sLabel).compare(QString::fromWCharArray(b->sLabel), Qt::CaseInsensitive) <
                   0;
        });
        for (const SettingEntry* prop : sorted)
            AddProperty(nullptr, *prop);
    } else {
        std::map<std::wstring, QTreeWidgetItem*> groups;
        auto groupItem = [&](QTreeWidgetItem* parent, const std::wstring& key, const wchar_t* text) {
            QTreeWidgetItem*& g = groups[key];
            if (!g) {
                g = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_pGrid);
                g->setText(0, QString::fromWCharArray(text));
                QFont font = g->font(0);
                font.setBold(true);
                g->setFont(0, font);
                g->setFlags(Qt::ItemIsEnabled);
                g->setFirstColumnSpanned(true);
            }
            return g;
        };
        for (const SettingEntry& prop : GetSettingEntries()) {
            QTreeWidgetItem* parent = groupItem(nullptr, prop.sGroup, prop.sGroup);
            if (prop.sSubgroup)
                parent = groupItem(parent, std::wstring(prop.sGroup) + L"/" + prop.sSubgroup, prop.sSubgroup);
            AddProperty(parent, prop);
        }
    }
    ApplyExpansion();
    FitLabelColumn();
    m_pGrid->setUpdatesEnabled(true);
    m_pExpand->setChecked(m_bExpand);
    m_pSortAlpha->setChecked(m_bAlphabetical);
    ShowDescription(m_pGrid->currentItem());
    --m_nBuilding;
}

bool CSettingsWnd::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_pGrid->viewport() && e->type() == QEvent::Resize)
        FitLabelColumn();
    return QWidget::eventFilter(watched, e);
}

int CSettingsWnd::MinimumReadableWidth() const
{
    const QFontMetrics fm(m_pGrid->font());
    int widest = 0;
    for (const SettingEntry& prop : GetSettingEntries())
        widest = std::max(widest, fm.horizontalAdvance(QString::fromWCharArray(prop.sLabel)));
    // Two levels of groups, the label, then a value as wide as a colour's "RGB(255, 255, 255)".
    const int value = fm.horizontalAdvance(QStringLiteral("RGB(255, 255, 255)")) + 28;
    return 3 * m_pGrid->indentation() + widest + 16 + value + m_pGrid->frameWidth() * 2 + 8;
}

void CSettingsWnd::FitLabelColumn()
{
    // Labels as wide as they need, but never more than three fifths: the values stay in view.
    int widest = 0;
    for (QTreeWidgetItemIterator it(m_pGrid); *it; ++it) {
        int depth = 1;
        for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent())
            ++depth;
        const QFontMetrics fm((*it)->font(0));
        widest = std::max(widest, depth * m_pGrid->indentation() + fm.horizontalAdvance((*it)->text(0)) + 8);
    }
    const int room = m_pGrid->viewport()->width() * 3 / 5;
    m_pGrid->setColumnWidth(0, std::max(40, std::min(widest, room)));
}

void CSettingsWnd::ApplyExpansion()
{
    if (m_bExpand)
        m_pGrid->expandAll();
    else
        m_pGrid->collapseAll();
}

void CSettingsWnd::ShowValue(QTreeWidgetItem* item)
{
    const SettingEntry* prop = PropertyOf(item);
    if (!prop)
        return;
    ++m_nBuilding;
    const QString text = QString::fromStdWString(FormatSettingValue(*g_pSettings, *prop));
    item->setText(1, text);
    if (prop->kind == SettingKind::Bool)
        item->setCheckState(1, GetSettingBool(*g_pSettings, *prop) ? Qt::Checked : Qt::Unchecked);
    else if (prop->kind == SettingKind::Colour)
        item->setIcon(1, Swatch(GetSettingColour(*g_pSettings, *prop)));
    QFont font = item->font(1);
    font.setBold(text != item->data(0, kOriginalRole).toString());
    item->setFont(1, font);
    --m_nBuilding;
}

void CSettingsWnd::OnItemChanged(QTreeWidgetItem* item, int column)
{
    const SettingEntry* prop = PropertyOf(item);
    if (m_nBuilding || column != 1 || !prop || prop->kind != SettingKind::Bool)
        return;
    OnPropertyChanged(prop->nID, item->checkState(1) == Qt::Checked);
}

void CSettingsWnd::ShowDescription(QTreeWidgetItem* item)
{
    const SettingEntry* prop = PropertyOf(item);
    if (!prop) {
        m_pDescription->setText(item ? QStringLiteral("<b>%1</b>").arg(item->text(0).toHtmlEscaped()) : QString());
        return;
    }
    // The texts carry tab runs where their lines were wrapped; the area wraps by itself.
    m_pDescription->setText(QStringLiteral("<b>%1</b><br>%2")
                                .arg(QString::fromWCharArray(prop->sLabel).toHtmlEscaped(),
                                     QString::fromWCharArray(prop->sDescription).simplified().toHtmlEscaped()));
}

void CSettingsWnd::ShowRefusal(const QString& sWhy)
{
    // The value cell goes back to the value in force; the description area says why.
    m_pDescription->setText(QStringLiteral("<b>%1</b><br><span style=\"color:#b00000\">%2</span>")
                                .arg(tr("Value not accepted"), sWhy.toHtmlEscaped()));
}

// The row shows the value the settings hold afterwards, whether the edit was taken or not.
template <class Store>
bool CSettingsWnd::Commit(int nID, Store store)
{
    bool bStored = false;
    CallHandlerGuarded([&] { bStored = store(); });
    ShowValue(FindProperty(nID));
    if (bStored)
        NotifySettingsChanged();
    return bStored;
}

bool CSettingsWnd::OnPropertyChanged(int nID, const QString& text)
{
    const SettingEntry* prop = FindSettingEntry(nID);
    return Commit(nID, [&] {
        if (!prop)
            return false;
        if (prop->kind == SettingKind::File)
            return StoreSettingFile(*g_pSettings, nID, text.toStdWString());
        QString typed = text.trimmed();
        // What the user sees follows the locale; the check reads the C locale.
        if (prop->kind == SettingKind::Real) {
            bool ok = false;
            const double value = QLocale().toDouble(typed, &ok);
            if (ok)
                typed = QString::number(value, 'g', 17);
        }
        std::wstring sRefusal;
        const bool bStored = StoreSettingText(*g_pSettings, nID, typed.toStdWString(), &sRefusal);
        if (!bStored && !sRefusal.empty())
            ShowRefusal(QString::fromStdWString(sRefusal));
        return bStored;
    });
}

bool CSettingsWnd::OnPropertyChanged(int nID, bool bValue)
{
    return Commit(nID, [&] { return StoreSettingBool(*g_pSettings, nID, bValue); });
}

bool CSettingsWnd::OnPropertyChanged(int nID, const QColor& colour)
{
    return Commit(nID, [&] { return StoreSettingColour(*g_pSettings, nID, FromQColor(colour)); });
}

void CSettingsWnd::NotifySettingsChanged()
{
    emit settingsChanged();
    // The main view lays itself out from the settings: it shows a change at once.
    for (CQELView* view : window()->findChildren<CQELView*>())
        view->OnSettingsChanged();
}

void CSettingsWnd::OnCommand(int nID)
{
    CallHandlerGuarded([&] {
        switch (nID) {
        case ID_EXPAND:
            m_bExpand = !m_bExpand;
            ApplyExpansion();
            FitLabelColumn();
            m_pExpand->setChecked(m_bExpand);
            break;
        case ID_SORTALPHA:
            m_bAlphabetical = !m_bAlphabetical;
            InitPropList();
            break;
        case ID_RESET_ALL:
            if (AfxMessageBox(kResetAllQuestion, MB_YESNO | MB_ICONERROR) == IDYES) {
                g_pSettings->SetDefaults();
                InitPropList();
                NotifySettingsChanged();
            }
            break;
        default: break;
        }
    });
}

QTreeWidgetItem* CSettingsWnd::FindProperty(int nID) const
{
    for (QTreeWidgetItemIterator it(m_pGrid); *it; ++it)
        if ((*it)->data(0, kIdRole).toInt() == nID && PropertyOf(*it))
            return *it;
    return nullptr;
}

QString CSettingsWnd::ValueText(int nID) const
{
    QTreeWidgetItem* item = FindProperty(nID);
    return item ? item->text(1) : QString();
}

bool CSettingsWnd::IsShownModified(int nID) const
{
    QTreeWidgetItem* item = FindProperty(nID);
    return item && item->font(1).bold();
}
