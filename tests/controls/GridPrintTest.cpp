#include "FileSizeLimit.h"
#include "GridTestUtil.h"

#include "platform/win/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

namespace {
struct Printed {
    int page;
    int row;
    int col;
};
std::vector<Printed> g_printed;
int g_page = 0;

class CRecordingPrintCell : public CGridCell {
    DECLARE_DYNCREATE(CRecordingPrintCell)

public:
    BOOL PrintCell(CDC* pDC, int nRow, int nCol, CRect rect) override
    {
        g_printed.push_back({g_page, nRow, nCol});
        return CGridCell::PrintCell(pDC, nRow, nCol, rect);
    }
};
IMPLEMENT_DYNCREATE(CRecordingPrintCell, CGridCell)

class CFooterGrid : public CGridCtrl {
public:
    std::vector<std::pair<UINT, UINT>> footers;
    void PrintFooter(CDC* pDC, CPrintInfo* pInfo) override
    {
        footers.emplace_back(pInfo->m_nCurPage, pInfo->GetMaxPage());
        CGridCtrl::PrintFooter(pDC, pInfo);
    }
};

struct PrintGrid {
    QWidget host;
    CFooterGrid grid;
    explicit PrintGrid(int nRows, int nFixedRows = 1)
    {
        grid.m_pRtcDefault = RUNTIME_CLASS(CRecordingPrintCell);
        grid.SetRowCount(nRows);
        grid.SetColumnCount(3);
        grid.SetFixedRowCount(nFixedRows);
        grid.SetFixedColumnCount(1);
        grid.Create(CRect(0, 0, 300, 200), &host);
        for (int r = 0; r < nRows; ++r) {
            grid.SetRowHeight(r, 20);
            for (int c = 0; c < 3; ++c)
                grid.SetItemText(r, c, (std::to_wstring(r) + L"," + std::to_wstring(c)).c_str());
        }
        for (int c = 0; c < 3; ++c)
            grid.SetColumnWidth(c, 80);
    }
};

// Prints every page to a PDF file; returns the page count the grid asked for.
int PrintToPdf(CGridCtrl& grid, const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    CDC dc;
    EXPECT_TRUE(dc.AttachDevice(&printer, true));
    CPrintInfo info;
    g_printed.clear();
    grid.OnBeginPrinting(&dc, &info);
    const int pages = static_cast<int>(info.GetMaxPage());
    for (int p = 1; p <= pages; ++p) {
        if (p > 1)
            printer.newPage();
        info.m_nCurPage = static_cast<UINT>(p);
        g_page = p;
        grid.OnPrint(&dc, &info);
    }
    grid.OnEndPrinting(&dc, &info);
    dc.DeleteDC();
    return pages;
}

int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString content = QString::fromLatin1(file.readAll());
    return static_cast<int>(content.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}
} // namespace

TEST(GridPrint, TallTablesRepeatTheHeadingsOnEveryPage)
{
    QTemporaryDir dir;
    // First learn how many 20-pixel rows fit the printable height of a page.
    int perPage = 0;
    {
        PrintGrid probe(2);
        PrintToPdf(probe.grid, dir.filePath(QStringLiteral("probe.pdf")));
        perPage = probe.grid.m_nPageHeight / 20;
    }
    ASSERT_GT(perPage, 2);
    // Two full pages and one row on a third.
    const int dataRows = 2 * perPage + 1;
    PrintGrid g(dataRows + 1);
    const QString path = dir.filePath(QStringLiteral("grid.pdf"));
    const int pages = PrintToPdf(g.grid, path);
    EXPECT_EQ(pages, 3);
    EXPECT_EQ(PdfPageCount(path), 3);

    for (int page = 1; page <= 3; ++page) {
        std::set<std::pair<int, int>> cells;
        for (const Printed& p : g_printed)
            if (p.page == page)
                cells.insert({p.row, p.col});
        // The heading row in every column, and the row headings of the page's rows.
        for (int c = 0; c < 3; ++c)
            EXPECT_TRUE(cells.count({0, c})) << "page " << page << " col " << c;
        const int first = 1 + (page - 1) * perPage;
        const int last = page < 3 ? first + perPage - 1 : dataRows;
        for (int r = first; r <= last; ++r)
            for (int c = 0; c < 3; ++c)
                EXPECT_TRUE(cells.count({r, c})) << "page " << page << " row " << r;
        EXPECT_EQ(cells.size(), static_cast<std::size_t>((last - first + 2) * 3)) << "page " << page;
    }
    ASSERT_EQ(g.grid.footers.size(), 3u);
    EXPECT_EQ(g.grid.footers[1], std::make_pair(2u, 3u)); // "Page 2 of 3"
}

TEST(GridPrint, ARowTallerThanAPageIsPrintedClippedToItsPage)
{
    QTemporaryDir dir;
    int pageHeight = 0;
    {
        PrintGrid probe(2);
        PrintToPdf(probe.grid, dir.filePath(QStringLiteral("probe.pdf")));
        pageHeight = probe.grid.m_nPageHeight;
    }
    ASSERT_GT(pageHeight, 40);
    // Rows 1 and 3 are 20 high; row 2 twice the page. Row 2 cannot share a page: page 1 holds
    // row 1, page 2 row 2 (cut at the page's bottom), page 3 row 3.
    PrintGrid g(4);
    g.grid.SetRowHeight(2, 2 * pageHeight);
    g.grid.SetItemText(2, 1, L"tall row");
    const QString path = dir.filePath(QStringLiteral("tall.pdf"));
    ASSERT_EQ(PrintToPdf(g.grid, path), 3);
    std::set<std::pair<int, int>> onPage2;
    for (const Printed& p : g_printed)
        if (p.page == 2)
            onPage2.insert({p.row, p.col});
    for (int c = 0; c < 3; ++c)
        EXPECT_TRUE(onPage2.count({2, c})) << "column " << c;

    QPdfDocument pdf;
    ASSERT_EQ(pdf.load(path), QPdfDocument::Error::None);
    ASSERT_EQ(pdf.pageCount(), 3);
    EXPECT_TRUE(pdf.getAllText(0).text().contains(QStringLiteral("1,1")));
    const QString page2 = pdf.getAllText(1).text();
    EXPECT_TRUE(page2.contains(QStringLiteral("tall row"))) << page2.toStdString();
    EXPECT_TRUE(page2.contains(QStringLiteral("2,0"))) << page2.toStdString(); // its row heading
    EXPECT_FALSE(page2.contains(QStringLiteral("3,1"))) << page2.toStdString();
    EXPECT_TRUE(pdf.getAllText(2).text().contains(QStringLiteral("3,1")));
    // The cut page, to look at.
    const QSizeF points = pdf.pagePointSize(1);
    qeltest::SaveScreenshot(pdf.render(1, QSize(static_cast<int>(points.width()), static_cast<int>(points.height()))),
                            "grid-tall-row-page.png");
}

TEST(GridPrint, RowsNotBuiltYetArePrintedWithoutBeingKept)
{
    QTemporaryDir dir;
    QWidget host;
    CGridCtrl grid;
    grid.SetRowCount(1);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    const int nRows = 150;
    grid.SetRowFiller(1, [&grid](int row) {
        for (int col = 0; col < 3; ++col)
            grid.SetItemText(row, col, (L"R" + std::to_wstring(row) + L"x" + std::to_wstring(col)).c_str());
    });
    grid.SetRowCount(1 + nRows);
    grid.Create(CRect(0, 0, 300, 200), &host);
    const QString path = dir.filePath(QStringLiteral("lazy.pdf"));
    const int pages = PrintToPdf(grid, path);
    ASSERT_GT(pages, 1);
    EXPECT_EQ(grid.GetBuiltRowCount(), 1);

    QPdfDocument pdf;
    ASSERT_EQ(pdf.load(path), QPdfDocument::Error::None);
    QString text;
    for (int page = 0; page < pdf.pageCount(); ++page)
        text += pdf.getAllText(page).text() + QLatin1Char('\n');
    for (int row = 1; row <= nRows; ++row)
        for (int col = 0; col < 3; ++col)
            EXPECT_TRUE(text.contains(QStringLiteral("R%1x%2").arg(row).arg(col))) << row << "," << col;
}

TEST(GridPrint, AGridWithOnlyHeadingsIsOnePage)
{
    QTemporaryDir dir;
    PrintGrid g(1);
    const QString path = dir.filePath(QStringLiteral("empty.pdf"));
    EXPECT_EQ(PrintToPdf(g.grid, path), 1);
    EXPECT_EQ(PdfPageCount(path), 1);
    // The whole table width fills the paper: the logical page is the table plus the margins.
    EXPECT_EQ(g.grid.m_LogicalPageSize.cx, 240 + 8 * g.grid.m_CharSize.cx);
}

TEST(GridPrint, NoDeviceNoEffect)
{
    PrintGrid g(3);
    CPrintInfo info;
    g.grid.OnBeginPrinting(nullptr, &info);
    g.grid.OnPrint(nullptr, &info);
    EXPECT_EQ(info.GetMaxPage(), 0xFFFFu);
    EXPECT_TRUE(g.grid.footers.empty());
}

// --- CSV ---------------------------------------------------------------------------------------------

namespace {
QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void Fill(CGridCtrl& grid, int nRows, int nCols, int nFixedRows, const std::vector<const wchar_t*>& texts)
{
    grid.SetRowCount(nRows);
    grid.SetColumnCount(nCols);
    grid.SetFixedRowCount(nFixedRows);
    std::size_t i = 0;
    for (int r = 0; r < nRows; ++r)
        for (int c = 0; c < nCols; ++c)
            if (i < texts.size())
                grid.SetItemText(r, c, texts[i++]);
}
} // namespace

TEST(GridCsv, RowsJoinedBySemicolonsAfterTheSeparatorLine)
{
    QTemporaryDir dir;
    struct Case {
        int rows, cols, fixedRows;
        std::vector<const wchar_t*> texts;
        const char* expected;
    };
    const Case cases[] = {
        {5,
         2,
         2,
         {L"a", L"b", L"c", L"d", L"1", L"2", L"3", L"4", L"5", L"6"},
         "sep=;\r\na;b\r\nc;d\r\n1;2\r\n3;4\r\n5;6\r\n"},
        {3, 1, 1, {L"x", L"y", L"z"}, "sep=;\r\nx\r\ny\r\nz\r\n"},
        {0, 3, 0, {}, "sep=;\r\n"},
        {3, 0, 0, {}, "sep=;\r\n"},
        // A cell holding the separator or a quote is quoted, its quotes doubled.
        {2, 2, 0, {L"a;b", L"c", L"", L"say \"hi\""}, "sep=;\r\n\"a;b\";c\r\n;\"say \"\"hi\"\"\"\r\n"},
    };
    int n = 0;
    for (const Case& c : cases) {
        CGridCtrl grid;
        Fill(grid, c.rows, c.cols, c.fixedRows, c.texts);
        const QString path = dir.filePath(QStringLiteral("t%1.csv").arg(n++));
        EXPECT_TRUE(grid.Save(path.toStdWString().c_str()));
        EXPECT_EQ(ReadAll(path), QByteArray(c.expected)) << n;
    }
}

TEST(GridCsv, FileErrorsAreReportedAndAnswerFalse)
{
    std::vector<std::wstring> boxes;
    const auto previous = SetMessageBoxAnswerer([&boxes](const std::wstring& text, const std::wstring& caption, UINT) {
        boxes.push_back(text);
        EXPECT_EQ(caption, L"QEL");
        return IDOK;
    });
    CGridCtrl grid;
    Fill(grid, 2, 2, 0, {L"a", L"b", L"c", L"d"});
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/t.csv"));
    EXPECT_FALSE(grid.Save(missing.toStdWString().c_str()));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(L"t.csv"), std::wstring::npos);

    // A device is never written over (nor renamed over): refused like a name that cannot be opened.
    if (QFile::exists(QStringLiteral("/dev/full"))) {
        EXPECT_FALSE(grid.Save(L"/dev/full"));
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[1], L"An unexpected error occurred while accessing /dev/full.");
    }

    // A write that fails (the disk full) reports so and leaves the old file's bytes.
    const QString existing = dir.filePath(QStringLiteral("old.csv"));
    {
        QFile old(existing);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
    }
    Fill(grid, 20, 2, 0, {});
    {
        qeltest::FileSizeLimit limit(16); // the new file needs more than 16 bytes
        EXPECT_FALSE(grid.Save(existing.toStdWString().c_str()));
    }
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2], L"Unable to save grid list");
    EXPECT_EQ(ReadAll(existing), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("old.csv")});
    SetMessageBoxAnswerer(previous);
}

TEST(GridCsv, ASpreadsheetReaderGetsEveryCellBack)
{
    // Python's csv module, told the separator ';', stands for the spreadsheet.
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    ASSERT_FALSE(python.isEmpty()) << "python3 is needed (scripts/deps.sh installs it)";
    const std::vector<const wchar_t*> texts = {
        L"x Beam (m)", L"a;b", L"say \"hi\"", L"two\nlines", L"cr\rlf\r\nend", L"", L"\"", L";", L"12.5",
    };
    CGridCtrl grid;
    Fill(grid, 3, 3, 1, texts);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cells.csv"));
    ASSERT_TRUE(grid.Save(path.toStdWString().c_str()));

    const char* script = "import csv, json, sys\n"
                         "with open(sys.argv[1], newline='') as f:\n"
                         "    assert f.readline() == 'sep=;\\r\\n'\n"
                         "    print(json.dumps(list(csv.reader(f, delimiter=';'))))\n";
    QProcess process;
    process.start(python, {QStringLiteral("-c"), QString::fromUtf8(script), path});
    ASSERT_TRUE(process.waitForFinished(20000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(process.readAllStandardOutput()).array();
    ASSERT_EQ(rows.size(), 3);
    std::size_t i = 0;
    for (const QJsonValue& row : rows) {
        ASSERT_EQ(row.toArray().size(), 3);
        for (const QJsonValue& cell : row.toArray())
            EXPECT_EQ(cell.toString().toStdWString(), texts[i++]);
    }
}
