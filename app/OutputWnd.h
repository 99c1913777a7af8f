#pragma once
// The output pane ("Diagnostics"): its list is the status log.
#include <QListWidget>
#include <QWidget>
#include <string>

class COutputList : public QListWidget {
    Q_OBJECT
public:
    explicit COutputList(QWidget* parent = nullptr);
};

class COutputWnd : public QWidget {
    Q_OBJECT
public:
    explicit COutputWnd(QWidget* parent = nullptr);

    COutputList* GetList() const { return m_pList; }
    // Adds a line at the end and scrolls it into view; nothing stays selected.
    void AddLine(const std::wstring& sLine);

private:
    COutputList* m_pList;
};
