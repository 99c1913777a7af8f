#pragma once
// The "Settings" pane: a property grid over every program setting, with its toolbar
// (expand/collapse, alphabetical order, reset all). A changed value is checked and, when
// it passes, written into the settings at once; a refused one shows the value in force.
#include <QColor>
#include <QWidget>
#include <algorithm>
#include <functional>

class QAction;
class QLabel;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
struct SettingEntry;

class CSettingsWnd : public QWidget {
    Q_OBJECT
public:
    enum : int { ID_EXPAND = 154, ID_SORTALPHA = 151, ID_RESET_ALL = 197 };

    explicit CSettingsWnd(QWidget* parent = nullptr);

    // Wide enough for the labels and their values side by side.
    QSize sizeHint() const override { return {std::max(340, minimumWidth()), 480}; }

    // Rebuilds the grid from the settings in force.
    void InitPropList();
    void OnCommand(int nID);

    QTreeWidget* Grid() const { return m_pGrid; }
    QToolBar* ToolBar() const { return m_pToolBar; }
    QLabel* DescriptionArea() const { return m_pDescription; }
    QTreeWidgetItem* FindProperty(int nID) const;
    // The value column's text of a property, and whether it shows as modified (bold).
    QString ValueText(int nID) const;
    bool IsShownModified(int nID) const;

    // A value the user gave a property: stored when it passes its check; the cell then
    // shows the value in force either way. Returns whether it was stored.
    bool OnPropertyChanged(int nID, const QString& text);
    bool OnPropertyChanged(int nID, bool bValue);
    bool OnPropertyChanged(int nID, const QColor& colour);

    // Tests answer the colour picker instead of the standard dialog; an invalid colour is
    // Cancel. The file picker is the program's file dialog (empty text: Cancel).
    using ColourPicker = std::function<QColor(QWidget* parent, const QColor& current)>;
    static void SetColourPicker(ColourPicker picker);
    static QColor PickColour(QWidget* parent, const QColor& current);
    static QString PickFile(QWidget* parent, const QString& current);

signals:
    // A value was stored or every default restored.
    void settingsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Stores an edit (exceptions caught), shows the row again and tells the views.
    template <class Store>
    bool Commit(int nID, Store store);
    void NotifySettingsChanged();
    void FitLabelColumn();
    QTreeWidgetItem* AddProperty(QTreeWidgetItem* parent, const SettingEntry& prop);
    void ShowValue(QTreeWidgetItem* item);
    void OnItemChanged(QTreeWidgetItem* item, int column);
    void ShowDescription(QTreeWidgetItem* item);
    // Why a typed value was refused, with its range, in the description area.
    void ShowRefusal(const QString& sWhy);
    int MinimumReadableWidth() const;
    void ApplyExpansion();

    QToolBar* m_pToolBar = nullptr;
    QAction* m_pExpand = nullptr;
    QAction* m_pSortAlpha = nullptr;
    QTreeWidget* m_pGrid = nullptr;
    QLabel* m_pDescription = nullptr;
    bool m_bExpand = true;
    bool m_bAlphabetical = false;
    int m_nBuilding = 0;
};
