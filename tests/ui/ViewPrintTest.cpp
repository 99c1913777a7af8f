// Printing the views to PDF files and reading the pages back.
#include "ViewTestUtil.h"

#include "platform/print/PrintDriver.h"
#include "platform/wnd/PaintDC.h"

#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>

using namespace viewtest;

namespace {

struct Pdf {
    explicit Pdf(const QString& path) { EXPECT_EQ(doc.load(path), QPdfDocument::Error::None); }
    int Pages() const { return doc.pageCount(); }
    void SavePage(int page, const QString& name)
    {
        const QSizeF size = doc.pagePointSize(page) * 1.5;
        // Rendered pages have no paper: put them on white so the picture can be read.
        const QImage drawn = doc.render(page, size.toSize());
        QImage paper(drawn.size(), QImage::Format_RGB32);
        paper.fill(Qt::white);
        QPainter(&paper).drawImage(0, 0, drawn);
        paper.save(ScreenshotPath(name));
    }
    QString Text(int page) { return doc.getAllText(page).text(); }
    QPdfDocument doc;
};

// Records the bands the print base hands to its header and footer.
class CBandsView : public CQELViewPrintBase {
public:
    void OnDraw(CDC*) override {}
    void PrintHeader(CDC* pDC, CPrintInfo* pInfo) override
    {
        header = pInfo->m_rectDraw;
        CQELViewPrintBase::PrintHeader(pDC, pInfo);
    }
    void PrintFooter(CDC* pDC, CPrintInfo* pInfo) override
    {
        footer = pInfo->m_rectDraw;
        pages.push_back({pInfo->m_nCurPage, pInfo->GetMaxPage()});
        CQELViewPrintBase::PrintFooter(pDC, pInfo);
    }
    CRect header, footer;
    std::vector<std::pair<UINT, UINT>> pages;
};

} // namespace

TEST(ViewPrint, ATallTableRepeatsItsHeadingsAndFooterOnEveryPage)
{
    QTemporaryDir dir;
    MdiHost host;
    CGridView* view = host.Open(std::make_unique<CGridView>());
    view->SetMovingLoadOutput(0, true, MovingLoad()); // one row per beam station
    const QString path = dir.filePath(QStringLiteral("table.pdf"));
    const int printed = qelprint::PrintToPdf(*view, path);

    // Rows of equal height: whole rows per page, the rest on one more page.
    CGridCtrl* grid = view->m_pGrid;
    const int dataRows = grid->GetRowCount() - 1;
    const int perPage = grid->m_nPageHeight / grid->GetRowHeight(1);
    ASSERT_GT(perPage, 0);
    const int pages = (dataRows + perPage - 1) / perPage;
    ASSERT_GT(pages, 1) << "the table must need more than one page";
    EXPECT_EQ(printed, pages);
    Pdf pdf(path);
    ASSERT_EQ(pdf.Pages(), pages);
    for (int p = 0; p < pages; ++p) {
        const QString text = pdf.Text(p);
        SCOPED_TRACE(p);
        EXPECT_TRUE(text.contains(QStringLiteral("BMD - Max")));
        EXPECT_TRUE(text.contains(QStringLiteral("Pellomar QEL"))) << text.left(400).toStdString();
        EXPECT_TRUE(text.contains(QString::fromStdWString(L"Moving Load Envelopes: BM & SF")));
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages)));
    }
    pdf.SavePage(0, QStringLiteral("print-table-page1"));
    pdf.SavePage(pages - 1, QStringLiteral("print-table-last"));
    // The page's first row number follows on from the last page.
    EXPECT_TRUE(pdf.Text(1).contains(QString::number(perPage + 1)));
}

TEST(ViewPrint, AViewNotYetFilledPrintsWithoutFault)
{
    QTemporaryDir dir;
    MdiHost host;
    CGridView* grid = host.Open(std::make_unique<CGridView>());
    EXPECT_LE(qelprint::PrintToPdf(*grid, dir.filePath(QStringLiteral("grid.pdf"))), 1);
    CPlotView* plot = host.Open(std::make_unique<CPlotView>());
    EXPECT_EQ(qelprint::PrintToPdf(*plot, dir.filePath(QStringLiteral("plot.pdf"))), 0); // no chart, no page
}

TEST(ViewPrint, APlotPrintsOneChartPerPage)
{
    QTemporaryDir dir;
    MdiHost host;
    CPlotView* one = host.Open(std::make_unique<CPlotView>());
    one->SetLayout(1, 1);
    one->SetChartTitles(0, L"Along", L"Up");
    const QString onePath = dir.filePath(QStringLiteral("one.pdf"));
    EXPECT_EQ(qelprint::PrintToPdf(*one, onePath), 1);
    EXPECT_EQ(Pdf(onePath).Pages(), 1);

    // A filled graph, for a person to look at.
    CPlotView* filled = host.Open(std::make_unique<CPlotView>());
    filled->SetLayout(2, 1);
    filled->SetMovingLoadOutput(0, true, MovingLoad());
    const QString filledPath = dir.filePath(QStringLiteral("filled.pdf"));
    EXPECT_EQ(qelprint::PrintToPdf(*filled, filledPath), 2);
    Pdf(filledPath).SavePage(0, QStringLiteral("print-plot-page1"));

    CPlotView* four = host.Open(std::make_unique<CPlotView>());
    four->SetLayout(2, 2);
    for (unsigned k = 0; k < 4; ++k)
        four->SetChartTitles(k, L"Chart x" + std::to_wstring(k), L"Chart y" + std::to_wstring(k));
    const QString path = dir.filePath(QStringLiteral("four.pdf"));
    EXPECT_EQ(qelprint::PrintToPdf(*four, path), 4);
    Pdf pdf(path);
    ASSERT_EQ(pdf.Pages(), 4);
    for (int p = 0; p < 4; ++p) {
        const QString text = pdf.Text(p);
        SCOPED_TRACE(p);
        EXPECT_TRUE(text.contains(QStringLiteral("Chart x%1").arg(p)));
        for (int other = 0; other < 4; ++other) {
            if (other != p) {
                EXPECT_FALSE(text.contains(QStringLiteral("Chart x%1").arg(other)));
            }
        }
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of 4").arg(p + 1)));
        EXPECT_TRUE(text.contains(QStringLiteral("View Title")));
        EXPECT_TRUE(text.contains(QStringLiteral("Pellomar QEL")));
    }
    // The window draws its charts again after the job.
    CRect plot = four->m_vCharts[0]->GetPlottingRect();
    CRect client;
    four->m_vCharts[0]->GetClientRect(&client);
    EXPECT_LE(plot.right, client.right);
}

TEST(ViewPrint, HeaderAndFooterBandsOfThePrintBase)
{
    QTemporaryDir dir;
    CBandsView view;
    ASSERT_TRUE(view.CreateView(nullptr));
    view.m_sTitle = L"";
    const QString path = dir.filePath(QStringLiteral("bands.pdf"));
    // The page count stays unknown: one page is printed.
    EXPECT_EQ(qelprint::PrintToPdf(view, path), 1);
    // Both bands two lines high, the page width less 4 + 4 average characters.
    const int width = view.m_nPageWidth - 8 * view.m_nCharWidth;
    EXPECT_GT(view.m_nCharWidth, 0);
    EXPECT_EQ(view.header, CRect(0, 0, width, 2 * view.m_nLineHeight));
    EXPECT_EQ(view.footer, CRect(0, 0, width, 2 * view.m_nLineHeight));
    ASSERT_EQ(view.pages.size(), 1u);
    Pdf pdf(path);
    const QString text = pdf.Text(0);
    EXPECT_TRUE(text.contains(QStringLiteral("Pellomar QEL")));
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1 of 65535"))) << text.toStdString();
}

TEST(ViewPrint, ALogicalUnitIsThreeQuartersOfAPixelOfTheScreen)
{
    // A printer of the screen's resolution: the page is 3/4 of its pixels each way.
    CBandsView view;
    ASSERT_TRUE(view.CreateView(nullptr));
    QImage page(800, 600, QImage::Format_RGB32);
    CClientDC screen(&view);
    const int dpi = screen.GetDeviceCaps(LOGPIXELSX);
    page.setDotsPerMeterX(qRound(dpi / 0.0254));
    page.setDotsPerMeterY(qRound(dpi / 0.0254));
    CDC dc;
    ASSERT_TRUE(dc.AttachDevice(&page, true));
    CPrintInfo info;
    view.OnBeginPrinting(&dc, &info);
    EXPECT_EQ(view.m_nPageWidth, 600);
    EXPECT_EQ(view.m_nPageHeight, 450);
    EXPECT_EQ(view.m_nPrinterWidth, 800);
    view.OnEndPrinting(&dc, &info);
}

TEST(ViewPrint, ThePreviewDrawsTheSamePages)
{
    MdiHost host;
    CPlotView* view = host.Open(std::make_unique<CPlotView>());
    view->SetLayout(2, 1);
    QPrinter printer(QPrinter::HighResolution);
    qelprint::SetUpPrinter(printer);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    std::unique_ptr<QPrintPreviewDialog> preview(qelprint::MakePreviewDialog(*view, printer, host.area));
    int painted = 0;
    QObject::connect(preview.get(), &QPrintPreviewDialog::paintRequested, [&](QPrinter*) { ++painted; });
    preview->show();
    QTest::qWait(50);
    EXPECT_GE(painted, 1);
    preview->close();
}
