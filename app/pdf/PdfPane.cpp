#include "app/pdf/PdfPane.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPdfDocument>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

#include "app/PaneToolBar.h"
#include "platform/win/FileDialog.h"
#include "platform/win/MessageBox.h"

namespace {
constexpr int kPageGap = 6; // px between pages and at the edges
}

// The library's own page view keeps a render thread it never frees; pages are drawn here
// on demand instead, which is all a manual needs.
CPdfPane::CPdfPane(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PdfPane"));
    m_pToolBar = MakePaneToolBar(this, ID_FILE_OPEN);
    // The pane's own Open: the main window's File > Open opens cases, not manuals.
    AddPaneCommand(m_pToolBar, ID_FILE_OPEN, QStyle::SP_DialogOpenButton, tr("Open..."),
                   tr("Open a PDF file in this pane"), [this] { CallHandlerGuarded([this] { OnFileOpen(); }); });

    m_pDocument = new QPdfDocument(this);
    m_pPages = new QWidget();
    m_pPages->setObjectName(QStringLiteral("1081"));
    m_pPages->setBackgroundRole(QPalette::Dark);
    m_pPages->setAutoFillBackground(true);
    m_pPageLayout = new QVBoxLayout(m_pPages);
    m_pPageLayout->setContentsMargins(kPageGap, kPageGap, kPageGap, kPageGap);
    m_pPageLayout->setSpacing(kPageGap);
    m_pPageLayout->addStretch(1);
    m_pScroll = new QScrollArea(this);
    m_pScroll->setWidgetResizable(true);
    m_pScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pScroll->setWidget(m_pPages);
    m_pScroll->viewport()->installEventFilter(this);

    // A resize redraws the pages once it has settled.
    m_pRenderTimer = new QTimer(this);
    m_pRenderTimer->setSingleShot(true);
    m_pRenderTimer->setInterval(150);
    connect(m_pRenderTimer, &QTimer::timeout, this, [this] { CallHandlerGuarded([this] { RenderPages(); }); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pToolBar);
    layout->addWidget(m_pScroll, 1);
}

bool CPdfPane::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_pScroll->viewport() && e->type() == QEvent::Resize && m_pDocument->pageCount() > 0 &&
        m_pScroll->viewport()->width() != m_nRenderedWidth)
        m_pRenderTimer->start();
    return QWidget::eventFilter(watched, e);
}

int CPdfPane::ShownPages() const
{
    return m_pPageLayout->count() - 1;
}

void CPdfPane::RenderPages()
{
    while (m_pPageLayout->count() > 1) {
        QLayoutItem* item = m_pPageLayout->takeAt(0);
        delete item->widget();
        delete item;
    }
    m_nRenderedWidth = m_pScroll->viewport()->width();
    const int width = std::max(50, m_nRenderedWidth - 2 * kPageGap);
    const qreal ratio = devicePixelRatioF();
    for (int i = 0; i < m_pDocument->pageCount(); ++i) {
        const QSizeF points = m_pDocument->pagePointSize(i);
        if (points.width() <= 0 || points.height() <= 0)
            continue;
        const QSize size(width, static_cast<int>(std::lround(width * points.height() / points.width())));
        // Pages come without paper: put them on white.
        const QImage drawn = m_pDocument->render(i, size * ratio);
        QImage image(drawn.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter(&image).drawImage(0, 0, drawn);
        image.setDevicePixelRatio(ratio);
        auto* page = new QLabel(m_pPages);
        page->setPixmap(QPixmap::fromImage(image));
        page->setAlignment(Qt::AlignHCenter);
        m_pPageLayout->insertWidget(m_pPageLayout->count() - 1, page);
    }
    m_pScroll->verticalScrollBar()->setValue(0);
}

bool CPdfPane::LoadFile(const std::wstring& sPath)
{
    if (sPath.empty())
        return false;
    const bool bLoaded =
        m_pDocument->load(QString::fromStdWString(sPath)) == QPdfDocument::Error::None && m_pDocument->pageCount() > 0;
    RenderPages();
    return bLoaded;
}

void CPdfPane::OnFileOpen()
{
    FileDialogRequest request;
    request.sTitle = L"Please Select pdf File";
    request.sFilter = L"Acrobat Files (*.pdf)";
    const std::optional<std::wstring> path = RunFileDialog(this, request);
    if (!path)
        return;
    const QString name = QString::fromStdWString(*path);
    if (name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        LoadFile(*path);
}
