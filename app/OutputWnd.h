#pragma once
// The output pane ("Diagnostics"): its list shows the status log, which the main frame
// keeps (CStatusLog); the list only follows it.
#include <QListWidget>
#include <QWidget>
#include <cstdint>

#include "platform/wnd/DeferredCall.h"

class CStatusLog;
class QMenu;

class COutputList : public QListWidget {
    Q_OBJECT
public:
    enum : int { ID_EDIT_COPY = 57634, ID_EDIT_CLEAR = 57632, ID_VIEW_OUTPUTWND = 149 };

    COutputList(CStatusLog& log, QWidget* parent = nullptr);

    // Context menu 182: Copy, Clear, separator, Hide; actions carry their command ids.
    QMenu* BuildContextMenu(QWidget* parent);
    // Every line, each followed by "\r\n", as one text on the clipboard.
    void OnEditCopy();
    // Empties the log, not only the list.
    void OnEditClear();
    // Hides the pane that holds the list.
    void OnViewOutput();
    QString AllText() const;

    // Brings the list in step with the log soon: lines that come in a burst are shown
    // together, and the last of them scrolled into view once.
    void ScheduleSync();
    // At once; nothing stays selected.
    void Sync();

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    CStatusLog& m_Log;
    // The log's lines that the list shows: serials [m_nFirst, m_nEnd), after the note on
    // dropped lines when it shows one.
    std::uint64_t m_nGeneration = 0;
    std::uint64_t m_nFirst = 0;
    std::uint64_t m_nEnd = 0;
    bool m_bNote = false;
    CDeferredCall m_Sync{this, [this] { Sync(); }};
};

class COutputWnd : public QWidget {
    Q_OBJECT
public:
    // Adds the pane's greeting to the log.
    COutputWnd(CStatusLog& log, QWidget* parent = nullptr);

    COutputList* GetList() const { return m_pList; }
    // The status log takes the application's regular font again (after a change of the
    // desktop's fonts or of the look).
    void UpdateFonts();

private:
    COutputList* m_pList;
};
