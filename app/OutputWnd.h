#pragma once
// The output pane ("Diagnostics"): its list is the status log.
#include <QListWidget>
#include <QWidget>
#include <string>

class QMenu;

class COutputList : public QListWidget {
    Q_OBJECT
public:
    enum : int { ID_EDIT_COPY = 57634, ID_EDIT_CLEAR = 57632, ID_VIEW_OUTPUTWND = 149 };

    explicit COutputList(QWidget* parent = nullptr);

    // Context menu 182: Copy, Clear, separator, Hide; actions carry their command ids.
    QMenu* BuildContextMenu(QWidget* parent);
    // Every line, each followed by "\r\n", as one text on the clipboard.
    void OnEditCopy();
    void OnEditClear();
    // Hides the pane that holds the list.
    void OnViewOutput();
    QString AllText() const;

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;
};

class COutputWnd : public QWidget {
    Q_OBJECT
public:
    explicit COutputWnd(QWidget* parent = nullptr);

    COutputList* GetList() const { return m_pList; }
    // Adds a line at the end and scrolls it into view; nothing stays selected.
    void AddLine(const std::wstring& sLine);
    // The status log takes the application's regular font again (after a change of the
    // desktop's fonts or of the look).
    void UpdateFonts();

private:
    COutputList* m_pList;
    bool m_bScrollPending = false;
};
