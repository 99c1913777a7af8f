#pragma once
// The "PDF Help" pane: the user manual in the built-in PDF viewer.
#include <QWidget>
#include <string>

class QPdfDocument;
class QPdfView;
class QToolBar;

class CPdfPane : public QWidget {
    Q_OBJECT
public:
    enum : int { ID_FILE_OPEN = 57601 };

    explicit CPdfPane(QWidget* parent = nullptr);

    // True when the file was loaded and is shown.
    bool LoadFile(const std::wstring& sPath);
    // Asks for a PDF file and shows it; other names are ignored without a word.
    void OnFileOpen();

    QPdfDocument* Document() const { return m_pDocument; }
    QPdfView* View() const { return m_pView; }

private:
    QToolBar* m_pToolBar = nullptr;
    QPdfDocument* m_pDocument = nullptr;
    QPdfView* m_pView = nullptr;
};
