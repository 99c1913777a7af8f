#pragma once
// The main window's toolbars as the user arranges them: "Standard", "Insert" and up to ten
// user toolbars built from the toolbar model, each ending in a customise button that offers
// "Customize..."; and the customise dialog, a view of the model in which commands, listed
// by menu, are added or dragged to toolbars and user toolbars are made, renamed and deleted.
#include <QDialog>
#include <QIcon>
#include <QListWidget>
#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/ToolbarImages.h"
#include "app/ToolbarModel.h"

class CMainFrame;
class CToolbarCustomizeDlg;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QMimeData;
class QPushButton;
class QTabWidget;
class QToolBar;

// What a dragged command carries: the command, and the toolbar and place it comes from
// when it is a button being moved.
struct CButtonDrag {
    int nID = 0;
    std::string sourceKey;
    int nSourceIndex = -1;
};
QMimeData* MakeButtonDragData(const CButtonDrag& drag);
std::optional<CButtonDrag> ReadButtonDragData(const QMimeData* data);

class CFrameToolbars : public QObject {
public:
    // The standard and user toolbars as the profile keeps them, on the frame.
    explicit CFrameToolbars(CMainFrame& frame);
    ~CFrameToolbars() override;

    CToolbarModel& Model() { return m_Model; }
    QToolBar* GetToolBar(const std::string& key) const;
    // The toolbar's command buttons and separators, in the model's order.
    std::vector<QAction*> GetButtonActions(const std::string& key) const;
    QAction* GetCommandAction(int nID) const;

    // The images of "UserImages.bmp", when it is found and reads; a missing file is no
    // error, a damaged one gets a line in the status log.
    void LoadUserImages(const QString& path);
    const CToolBarImages& UserImages() const { return m_UserImages; }

    // "Customize..." (command 126): the dialog, made on first use, shown and raised. While
    // it is open the toolbars take commands dropped on them.
    CToolbarCustomizeDlg* OnViewCustomize();
    CToolbarCustomizeDlg* GetCustomizeDlg() const { return m_pDlg; }
    bool IsCustomizing() const { return m_pDlg != nullptr; }
    // The pane menu (the context menu of the toolbars and docks) ends with "Customize...".
    void AddCustomizeItem(QMenu* paneMenu) const;

    // A dragged command put at nIndex of a toolbar: moved when it comes from that toolbar,
    // else added.
    bool DropButton(const std::string& key, std::size_t nIndex, const CButtonDrag& drag);
    // The place in the toolbar's buttons that a drop at pos (toolbar coordinates) goes to.
    std::size_t DropIndexAt(const std::string& key, const QPoint& pos) const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The framework's new-user-toolbar step: the toolbar is made, then given its
    // customise button.
    QToolBar* OnToolbarCreateNew(const CToolbarContent& content);
    QToolBar* MakeToolBar(const CToolbarContent& content);
    void FillToolBar(const std::string& key);
    void ApplyButtonImages();
    void OnModelChange(CToolbarModel::Change change, const std::string& key);
    void SetCustomizing(bool bOn);

    struct Bar {
        QToolBar* pBar = nullptr;
        QAction* pCustomize = nullptr; // the customise button's place, always last
        std::vector<QAction*> vButtons;
    };

    CMainFrame& m_Frame;
    CToolbarModel m_Model;
    CToolBarImages m_UserImages;
    std::map<std::string, Bar> m_Bars;
    std::map<int, QIcon> m_OwnIcons; // the icon a command had before a user image replaced it
    QPointer<CToolbarCustomizeDlg> m_pDlg;
};

// The commands list: a command is dragged from it.
class CCommandListWidget : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
};

// A toolbar's buttons: commands are dropped on it, and its own buttons dragged within it.
class CButtonListWidget : public QListWidget {
public:
    CButtonListWidget(QWidget* parent, std::function<void(int nRow, const CButtonDrag&)> onDrop);
    std::string m_key; // the toolbar shown

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    std::function<void(int, const CButtonDrag&)> m_OnDrop;
};

// "Customize": page "Commands" (categories, their commands, the chosen toolbar's buttons)
// and page "Toolbars" (show, new, rename, delete, reset). Every change goes to the toolbars
// at once; the dialog stays open beside the window until it is closed.
class CToolbarCustomizeDlg : public QDialog {
public:
    // Asks for a toolbar name (caption, proposed name); nothing when cancelled.
    using NameAsker = std::function<std::optional<std::wstring>(const QString& caption, const std::wstring& proposed)>;

    explicit CToolbarCustomizeDlg(CFrameToolbars& toolbars, QWidget* parent);

    // Tests answer the name question instead of a person.
    void SetNameAsker(NameAsker asker) { m_AskName = std::move(asker); }

    // The lists again from the model, keeping what is chosen.
    void Refresh();
    // The ticks of the toolbars shown.
    void UpdateToolbarChecks();
    void SelectToolbar(const std::string& key);
    std::string SelectedToolbar() const;
    // Commands page.
    void SelectCategory(const std::wstring& sName);
    void SelectCommand(int nID);
    int SelectedCommand() const;
    int SelectedButtonRow() const;
    void SelectButtonRow(int nRow);

    void OnAddCommand();
    void OnRemoveButton();
    void OnMoveButton(int nStep);
    void OnAddSeparator();
    void OnImageChosen();
    void OnNewToolbar();
    void OnRenameToolbar();
    void OnDeleteToolbar();
    void OnResetToolbar();
    void OnResetAll();

private:
    QWidget* MakeCommandsPage();
    QWidget* MakeToolbarsPage();
    void FillCommands();
    void FillButtons();
    void UpdateControls();
    void ShowError(const std::wstring& sText);

    CFrameToolbars& m_Toolbars;
    std::vector<CCommandCategory> m_vCategories;
    NameAsker m_AskName;
    bool m_bFilling = false;

    QTabWidget* m_pTabs = nullptr;
    QListWidget* m_pCategories = nullptr;
    CCommandListWidget* m_pCommands = nullptr;
    QComboBox* m_pToolbarChoice = nullptr;
    CButtonListWidget* m_pButtons = nullptr;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pRemove = nullptr;
    QPushButton* m_pUp = nullptr;
    QPushButton* m_pDown = nullptr;
    QPushButton* m_pSeparator = nullptr;
    QComboBox* m_pImage = nullptr;
    QLabel* m_pDescription = nullptr;
    QListWidget* m_pToolbarList = nullptr;
    QPushButton* m_pNew = nullptr;
    QPushButton* m_pRename = nullptr;
    QPushButton* m_pDelete = nullptr;
    QPushButton* m_pReset = nullptr;
    QPushButton* m_pResetAll = nullptr;
};
