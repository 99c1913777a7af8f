#include "app/pdf/PdfPane.h"

#include <QAction>
#include <QPdfDocument>
#include <QPdfView>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "platform/win/FileDialog.h"
#include "platform/win/MessageBox.h"

CPdfPane::CPdfPane(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PdfPane"));
    m_pToolBar = new QToolBar(this);
    m_pToolBar->setMovable(false);
    m_pToolBar->setIconSize(QSize(16, 16));
    // The pane's own Open: the main window's File > Open opens cases, not manuals.
    QAction* open = m_pToolBar->addAction(style()->standardIcon(QStyle::SP_DialogOpenButton), tr("Open..."));
    open->setData(ID_FILE_OPEN);
    open->setToolTip(tr("Open a PDF file in this pane"));
    connect(open, &QAction::triggered, this, [this] { CallHandlerGuarded([this] { OnFileOpen(); }); });

    m_pDocument = new QPdfDocument(this);
    m_pView = new QPdfView(this);
    m_pView->setObjectName(QStringLiteral("1081"));
    m_pView->setDocument(m_pDocument);
    m_pView->setPageMode(QPdfView::PageMode::MultiPage);
    m_pView->setZoomMode(QPdfView::ZoomMode::FitToWidth);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pToolBar);
    layout->addWidget(m_pView, 1);
}

bool CPdfPane::LoadFile(const std::wstring& sPath)
{
    if (sPath.empty())
        return false;
    return m_pDocument->load(QString::fromStdWString(sPath)) == QPdfDocument::Error::None &&
           m_pDocument->pageCount() > 0;
}

void CPdfPane::OnFileOpen()
{
    FileDialogRequest request;
    request.sTitle = L"Please Select pdf File";
    request.sFilter = L"PDF Files (*.pdf)";
    const std::optional<std::wstring> path = RunFileDialog(this, request);
    if (!path)
        return;
    const QString name = QString::fromStdWString(*path);
    if (name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        LoadFile(*path);
}
