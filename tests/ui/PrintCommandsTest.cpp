// File > Print and Print Preview, Edit > Copy and Select All, through the program's own
// main frame, on whichever window is active: the case window, a table or a graph.
#include "ViewTestUtil.h"

#include "app/AppIds.h"
#include "app/AppTestUtil.h"
#include "app/ChildFrame.h"
#include "app/ModalAnswer.h"
#include "app/tree/ElementView.h"
#include "app/tree/ViewTree.h"
#include "platform/print/AppPrinter.h"
#include "ui/mainview/QELView.h"

#include <QPainter>
#include <QClipboard>
#include <QGuiApplication>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>

using namespace viewtest;

namespace {

class PrintCommands : public qeltest::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        Start();
        ASSERT_TRUE(dir.isValid());
        caseWindow = Frame().GetActiveChild();
        ASSERT_NE(caseWindow, nullptr);
        ASSERT_TRUE(caseWindow->IsCaseWindow());
    }

    void TearDown() override
    {
        // The views go before the windows that hold them.
        views.clear();
        qeltest::ProcessEvents();
        AppFixture::TearDown();
    }

    template <class View>
    View* Open(const std::wstring& title)
    {
        auto view = std::make_unique<View>();
        View* p = view.get();
        EXPECT_TRUE(view->CreateView(Frame().GetMdiArea()));
        QWidget* w = view->GetSafeHwnd();
        w->setProperty("viewKind", view->GetViewKind());
        frames[p] = Frame().AddChildFrame(app->GetDocument(), w, false, title);
        view->OnInitialUpdate();
        views.push_back(std::move(view));
        return p;
    }

    void Activate(CChildFrame* f)
    {
        Frame().GetMdiArea()->setActiveSubWindow(f);
        qeltest::ProcessEvents();
        ASSERT_EQ(Frame().GetActiveChild(), f);
    }

    // File > Print, answering the print dialog with its Print button; the program's
    // printer writes a PDF file.
    QString PrintToFile(const QString& name)
    {
        const QString path = dir.filePath(name);
        QPrinter* printer = GetAppPrinter();
        EXPECT_NE(printer, nullptr);
        if (!printer)
            return path;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        qeltest::ModalAnswer answer([](QDialog& dlg) { dlg.accept(); });
        EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_PRINT));
        EXPECT_TRUE(answer.Answered()) << "no print dialog";
        return path;
    }

    bool Enabled(int nID)
    {
        Frame().UpdateCommandUI();
        QAction* a = Frame().GetCommandAction(nID);
        return a && a->isEnabled();
    }

    QTemporaryDir dir;
    CChildFrame* caseWindow = nullptr;
    std::vector<std::unique_ptr<CQELViewBase>> views;
    std::map<const void*, CChildFrame*> frames;
};

struct Pdf {
    explicit Pdf(const QString& path) { EXPECT_EQ(doc.load(path), QPdfDocument::Error::None) << path.toStdString(); }
    QString Text(int page) { return doc.getAllText(page).text(); }
    QPdfDocument doc;
};

// Rows of equal height fill whole pages; the rest goes on one more page.
int TablePages(const CGridView& view)
{
    const CGridCtrl& grid = *view.m_pGrid;
    const int perPage = grid.m_nPageHeight / grid.GetRowHeight(1);
    const int dataRows = grid.GetRowCount() - 1;
    return perPage > 0 ? (dataRows + perPage - 1) / perPage : 0;
}

} // namespace

TEST_F(PrintCommands, PrintWritesThePagesOfTheActiveWindow)
{
    CGridView* table = Open<CGridView>(L"1 - MLA Envelopes - Grid");
    table->SetMovingLoadOutput(0, true, MovingLoad());
    CPlotView* graph = Open<CPlotView>(L"2 - MLA Envelopes - Plot");
    graph->SetLayout(2, 1); // bending moment and shear: one chart per printed page
    graph->SetMovingLoadOutput(0, true, MovingLoad());

    struct Case {
        const char* name;
        CChildFrame* window;
        std::wstring title; // the head of the header's title
        QString body;       // a text only this window prints
    };
    auto* mainView = qobject_cast<CQELView*>(caseWindow->GetView());
    ASSERT_NE(mainView, nullptr);
    const Case cases[] = {
        {"case window", caseWindow, L"Tolmerin", QStringLiteral("Nothing here yet!")},
        {"table", frames[table], L"Moving Load Envelopes: BM & SF", QStringLiteral("BMD - Max")},
        {"graph", frames[graph], L"Moving Load Envelopes: BM & SF", QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Activate(c.window);
        const QString path = PrintToFile(QString::fromLatin1(c.name) + QStringLiteral(".pdf"));
        // The table's page count is known only once its job has measured the page.
        const int pages = c.window == caseWindow ? 1 : c.window == frames[graph] ? 2 : TablePages(*table);
        ASSERT_GT(pages, 0);
        Pdf pdf(path);
        ASSERT_EQ(pdf.doc.pageCount(), pages);
        for (int p = 0; p < pages; ++p) {
            SCOPED_TRACE(p);
            const QString text = pdf.Text(p);
            EXPECT_TRUE(text.contains(QString::fromStdWString(c.title))) << text.left(300).toStdString();
            EXPECT_TRUE(text.contains(QStringLiteral("Pellomar QEL")));
            EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages)));
            if (!c.body.isEmpty()) {
                EXPECT_TRUE(text.contains(c.body));
            }
        }
        // Landscape, as every view prints.
        const QSizeF size = pdf.doc.pagePointSize(0);
        EXPECT_GT(size.width(), size.height());
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PrintCommands, TheCaseWindowPrintsTheModelItShowsInItsTitle)
{
    auto* mainView = qobject_cast<CQELView*>(caseWindow->GetView());
    ASSERT_NE(mainView, nullptr);
    mainView->FillAxleGrid(Axle(kP, L"Axle 100"));
    Pdf pdf(PrintToFile(QStringLiteral("model.pdf")));
    ASSERT_EQ(pdf.doc.pageCount(), 1);
    const QString text = pdf.Text(0);
    EXPECT_TRUE(text.contains(QStringLiteral("Tolmerin | Axle 100"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1 of 1")));
    const QSizeF size = pdf.doc.pagePointSize(0) * 1.5;
    const QImage drawn = pdf.doc.render(0, size.toSize());
    QImage paper(drawn.size(), QImage::Format_RGB32); // the page on white, to be read
    paper.fill(Qt::white);
    QPainter(&paper).drawImage(0, 0, drawn);
    paper.save(ScreenshotPath(QStringLiteral("print-case-window")));
}

TEST_F(PrintCommands, CancellingThePrintDialogWritesNothing)
{
    const QString path = dir.filePath(QStringLiteral("cancelled.pdf"));
    GetAppPrinter()->setOutputFormat(QPrinter::PdfFormat);
    GetAppPrinter()->setOutputFileName(path);
    qeltest::ModalAnswer answer([](QDialog& dlg) { dlg.reject(); });
    EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_PRINT));
    EXPECT_TRUE(answer.Answered());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PrintCommands, PreviewShowsTheActiveWindowsPages)
{
    CPlotView* graph = Open<CPlotView>(L"Plot");
    graph->SetLayout(2, 1);
    graph->SetMovingLoadOutput(0, true, MovingLoad());
    const std::pair<CChildFrame*, int> cases[] = {{caseWindow, 1}, {frames[graph], 2}};
    for (const auto& [window, pages] : cases) {
        Activate(window);
        int shown = -1;
        qeltest::ModalAnswer answer([&shown](QDialog& dlg) {
            ASSERT_NE(qobject_cast<QPrintPreviewDialog*>(&dlg), nullptr);
            if (auto* preview = dlg.findChild<QPrintPreviewWidget*>())
                shown = preview->pageCount();
            dlg.grab().save(ScreenshotPath(QStringLiteral("print-preview-%1").arg(shown)));
            dlg.reject();
        });
        EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_PRINT_PREVIEW));
        EXPECT_TRUE(answer.Answered());
        EXPECT_EQ(shown, pages);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PrintCommands, CommandsNeedAWindowThatCanDoThem)
{
    CGridView* table = Open<CGridView>(L"Grid");
    CPlotView* graph = Open<CPlotView>(L"Plot");
    struct Case {
        const char* name;
        CChildFrame* window;
        bool print, edit;
    };
    const Case cases[] = {{"case window", caseWindow, true, false},
                          {"empty table", frames[table], true, true},
                          {"graph", frames[graph], true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Activate(c.window);
        EXPECT_EQ(Enabled(ID_FILE_PRINT), c.print);
        EXPECT_EQ(Enabled(ID_FILE_PRINT_PREVIEW), c.print);
        EXPECT_EQ(Enabled(ID_EDIT_COPY), c.edit);
        EXPECT_EQ(Enabled(ID_EDIT_SELECT_ALL), c.edit);
    }
    // A table before its first output has no grid yet: nothing to select or copy.
    Activate(frames[table]);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    EXPECT_TRUE(Frame().ExecuteCommand(ID_EDIT_SELECT_ALL));
    EXPECT_TRUE(Frame().ExecuteCommand(ID_EDIT_COPY));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    EXPECT_TRUE(boxes.empty());

    // Without any window of a case nothing prints.
    views.clear();
    Frame().GetMdiArea()->closeAllSubWindows();
    qeltest::ProcessEvents();
    ASSERT_EQ(Frame().GetActiveChild(), nullptr);
    for (int nID : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_EDIT_COPY, ID_EDIT_SELECT_ALL}) {
        EXPECT_FALSE(Enabled(nID)) << nID;
        EXPECT_FALSE(Frame().ExecuteCommand(nID)) << nID;
    }
}

TEST_F(PrintCommands, CopyAndSelectAllActOnTheTableButLeaveTheTreesCopyKeyAlone)
{
    CGridView* table = Open<CGridView>(L"Grid");
    table->SetMovingLoadOutput(0, true, MovingLoad());
    Activate(frames[table]);
    QClipboard* clipboard = QGuiApplication::clipboard();

    clipboard->setText(QStringLiteral("before"));
    EXPECT_TRUE(Frame().ExecuteCommand(ID_EDIT_SELECT_ALL));
    EXPECT_TRUE(Frame().ExecuteCommand(ID_EDIT_COPY));
    const QString copied = clipboard->text();
    // Midspan moment of a 100 kN axle on a 10 m span: P L / 4 = 250 kNm.
    EXPECT_TRUE(copied.contains(QStringLiteral("250"))) << copied.left(300).toStdString();
    // Every row below the headings, one line each.
    const CGridCtrl& grid = *table->m_pGrid;
    EXPECT_EQ(copied.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), grid.GetRowCount() - grid.GetFixedRowCount());

    // Ctrl+C in the element tree is the tree's own command, not the table's copy.
    auto* pane = qobject_cast<CElementView*>(Frame().GetPaneContent(ID_PANE_ELEMENTS));
    ASSERT_NE(pane, nullptr);
    CViewTree* tree = pane->Tree();
    // The main window's shortcuts work only in the active window.
    Frame().activateWindow();
    QApplication::setActiveWindow(&Frame());
    ASSERT_EQ(QApplication::activeWindow(), &Frame());
    tree->setFocus();
    clipboard->setText(QStringLiteral("before"));
    QTest::keyClick(tree, Qt::Key_C, Qt::ControlModifier);
    qeltest::ProcessEvents();
    EXPECT_NE(clipboard->text(), copied);
}
