#pragma once
// The "PDF Help" pane: the user manual, its pages drawn by the PDF library one under the
// other and fitted to the pane's width.
#include <QWidget>
#include <string>

class QPdfDocument;
class QScrollArea;
class QTimer;
class QToolBar;
class QVBoxLayout;

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
    // Pages drawn at present.
    int ShownPages() const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void RenderPages();

    QToolBar* m_pToolBar = nullptr;
    QPdfDocument* m_pDocument = nullptr;
    QScrollArea* m_pScroll = nullptr;
    QWidget* m_pPages = nullptr;
    QVBoxLayout* m_pPageLayout = nullptr;
    QTimer* m_pRenderTimer = nullptr;
    int m_nRenderedWidth = 0;
};
