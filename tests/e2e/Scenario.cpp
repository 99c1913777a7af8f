#include "Scenario.h"

#include <QApplication>
#include <QFile>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QCompleter>
#include <QCoreApplication>
#include <QDockWidget>
#include <QPdfDocument>
#include <QPlainTextEdit>
#include <QSet>
#include <QSplitter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <limits>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "Driver.h"
#include "core/analysis/ParallelRuns.h"
#include "app/AppIds.h"
#include "app/ChildFrame.h"
#include "app/LockKeyPanes.h"
#include "app/TabGroups.h"
#include "app/pdf/PdfPane.h"
#include "controls/chart/ChartAxis.h"
#include "controls/chart/ChartCtrl.h"
#include "controls/grid/GridCtrl.h"
#include "controls/tip/MessageTip.h"
#include "ui/lmsheet/PropSheetLM.h"
#include "app/MainFrame.h"
#include "app/OutputWnd.h"
#include "app/QELApp.h"
#include "app/ToolbarCustomize.h"
#include "app/doc/QELDoc.h"
#include "app/settings/SettingsWnd.h"
#include "app/tree/ElementView.h"
#include "app/tree/ViewTree.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "core/settings/Settings.h"
#include "IdName.h"

namespace e2e {

namespace {

QString Text(const std::wstring& s)
{
    return QString::fromStdWString(s);
}

// The case as lines: each list in order, every element with its id and description, the
// members of each ensemble.
QStringList ElementList(const CQELDoc& doc)
{
    QStringList lines;
    for (const auto& b : doc.m_vBridge)
        lines
            << QStringLiteral("bridge %1 %2 spans %3").arg(b->m_ID).arg(Text(b->m_Description)).arg(b->m_vSpans.size());
    for (const auto& s : doc.m_vBridgeSet)
        lines << QStringLiteral("bridge set %1 %2").arg(s->m_ID).arg(Text(s->m_Description));
    for (const auto& m : doc.m_vLoadModel)
        lines << QStringLiteral("load model %1 %2").arg(m->m_ID).arg(Text(m->m_Description));
    for (const auto& e : doc.m_vLoadModelEnsemble) {
        lines << QStringLiteral("ensemble %1 %2").arg(e->m_ID).arg(Text(e->m_Description));
        for (const auto& m : e->m_vLoadModel)
            lines << QStringLiteral("  member %1").arg(Text(m->m_Description));
    }
    for (const auto& r : doc.m_vRefCollection)
        lines << QStringLiteral("reference collection %1 %2").arg(r->m_ID).arg(Text(r->m_Description));
    return lines;
}

// What the element pane shows, item by item.
QStringList TreeTexts(Driver& d)
{
    QStringList texts;
    auto* pane = qobject_cast<CElementView*>(d.Frame().GetPaneContent(ID_PANE_ELEMENTS));
    if (!pane)
        return texts;
    for (QTreeWidgetItemIterator it(pane->Tree()); *it; ++it) {
        int depth = 0;
        for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent())
            ++depth;
        texts << QString(depth * 2, QLatin1Char(' ')) + (*it)->text(0);
    }
    return texts;
}

CQELDoc& Doc(Driver& d)
{
    CQELDoc* doc = d.App().GetDocument();
    if (!doc)
        throw Abort("no case is open");
    return *doc;
}

void CheckSameLines(const QStringList& actual, const QStringList& expected, const QString& what)
{
    if (actual == expected)
        return;
    Fail(QStringLiteral("%1 differ:\n  now:    %2\n  before: %3")
             .arg(what, actual.join(QStringLiteral(" | ")), expected.join(QStringLiteral(" | "))));
}

// The file dialog of Save As and Open: the name typed into its name field, then its
// Save or Open button.
Script TypeFileName(const QString& path)
{
    return [path](QWidget& w) {
        auto* edit = w.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* buttons = w.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        if (!Check(edit && buttons, QStringLiteral("the file dialog has its name field and buttons")))
            return;
        // The name field's completion list would take keys meant for the field, depending on
        // what the folder holds at that moment; the driver types without it.
        edit->setCompleter(nullptr);
        Type(edit, path);
        Check(edit->text() == path, QStringLiteral("the file dialog's name field reads %1").arg(edit->text()));
        QAbstractButton* accept = buttons->button(QDialogButtonBox::Save);
        if (!accept)
            accept = buttons->button(QDialogButtonBox::Open);
        Click(accept);
    };
}


// The case's result windows whose title contains the text, in the order they opened.
std::vector<CChildFrame*> ResultWindows(Driver& d, const QString& title)
{
    std::vector<CChildFrame*> found;
    for (CChildFrame* f : d.Frame().GetChildFrames(d.App().GetDocument()))
        if (!f->IsCaseWindow() && f->windowTitle().contains(title))
            found.push_back(f);
    return found;
}

int ResultWindowCount(Driver& d)
{
    return static_cast<int>(ResultWindows(d, QString()).size());
}

// A number as a table shows it (the settings' decimals, maybe grouped).
double CellNumber(const CGridCtrl& grid, int row, int col)
{
    QString text = QString::fromStdWString(grid.GetItemText(row, col)).trimmed();
    text.remove(QLatin1Char(','));
    bool bOk = false;
    const double v = text.toDouble(&bOk);
    return bOk ? v : std::nan("");
}

int ColumnOf(const CGridCtrl& grid, const QString& heading)
{
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        if (QString::fromStdWString(grid.GetItemText(0, c)).trimmed() == heading)
            return c;
    Fail(QStringLiteral("no column '%1' in the table").arg(heading));
    return -1;
}

// The largest number of a column, over the table's rows.
double ColumnMax(const CGridCtrl& grid, const QString& heading)
{
    const int c = ColumnOf(grid, heading);
    double best = -std::numeric_limits<double>::infinity();
    for (int r = 1; c >= 0 && r < grid.GetRowCount(); ++r)
        if (const double v = CellNumber(grid, r, c); !std::isnan(v))
            best = std::max(best, v);
    return best;
}

// The value of column `heading` in the row whose column `keyHeading` is key.
double ValueAt(const CGridCtrl& grid, const QString& keyHeading, double key, const QString& heading)
{
    const int k = ColumnOf(grid, keyHeading);
    const int c = ColumnOf(grid, heading);
    for (int r = 1; k >= 0 && c >= 0 && r < grid.GetRowCount(); ++r)
        if (std::fabs(CellNumber(grid, r, k) - key) < 1e-6)
            return CellNumber(grid, r, c);
    Fail(QStringLiteral("no row with %1 = %2").arg(keyHeading).arg(key));
    return std::nan("");
}

// Chooses a row of a dialog's element list with the mouse.
void ChooseRow(QListWidget* list, int row)
{
    if (!list || !Check(row < list->count(), QStringLiteral("list %1 has row %2").arg(list->objectName()).arg(row)))
        return;
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// Types a number into a cell of a grid as a user does: a click on the cell, the keys, Return.
void TypeIntoCell(CGridCtrl& grid, int row, int col, const QString& text)
{
    CRect rect;
    if (!Check(grid.GetCellRect(row, col, &rect), QStringLiteral("cell %1,%2 is in view").arg(row).arg(col)))
        return;
    QWidget* client = grid.GetClientWidget();
    QTest::mouseClick(client, Qt::LeftButton, {}, QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
    QTest::keyClicks(QApplication::focusWidget() ? QApplication::focusWidget() : client, text.left(1));
    QTest::qWait(20);
    QWidget* editor = QApplication::focusWidget();
    if (!Check(editor && editor != client, QStringLiteral("typing opens the cell's editor")))
        return;
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(20);
}

// Brings a result window forward with a click on its tab, as a user does.
void ShowWindow(Driver& d, CChildFrame* window)
{
    QMdiArea* area = d.Frame().GetMdiArea();
    auto* tabs = area->findChild<QTabBar*>();
    const int index = static_cast<int>(area->subWindowList().indexOf(window));
    if (!tabs || index < 0 || index >= tabs->count()) {
        Fail(QStringLiteral("no tab for %1").arg(window->windowTitle()));
        return;
    }
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    QTest::qWait(50);
    Check(area->activeSubWindow() == window, QStringLiteral("a click on its tab shows %1").arg(window->windowTitle()));
}

std::vector<CChartCtrl*> Charts(QWidget* view)
{
    std::vector<CChartCtrl*> charts;
    for (QWidget* w : view->findChildren<QWidget*>())
        if (auto* chart = dynamic_cast<CChartCtrl*>(CWnd::FromHandle(w)))
            if (std::find(charts.begin(), charts.end(), chart) == charts.end())
                charts.push_back(chart);
    return charts;
}

// The standard print window: "Print to File (PDF)", the file's name, then Print.
Script PrintToPdf(const QString& path)
{
    return [path](QWidget& dlg) {
        auto* printers = dlg.findChild<QComboBox*>(QStringLiteral("printers"));
        auto* fileName = dlg.findChild<QLineEdit*>(QStringLiteral("filename"));
        if (!Check(printers && fileName, QStringLiteral("the print window has its printer list and file name")))
            return;
        const int pdf = printers->findText(QStringLiteral("Print to File (PDF)"));
        if (!Check(pdf >= 0, QStringLiteral("the print window offers Print to File (PDF)")))
            return;
        printers->setFocus();
        printers->setCurrentIndex(pdf);
        Type(fileName, path);
        auto* buttons = dlg.findChild<QDialogButtonBox*>();
        QAbstractButton* print = buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr;
        if (Check(print != nullptr, QStringLiteral("the print window has its Print button")))
            Click(print);
    };
}

Script PressOk()
{
    return [](QWidget& w) { Press(w, QStringLiteral("OK")); };
}

int RowOf(QListWidget* list, const QString& text)
{
    for (int i = 0; list && i < list->count(); ++i)
        if (list->item(i)->text().contains(text))
            return i;
    Fail(QStringLiteral("no row '%1' in list %2").arg(text, list ? list->objectName() : QString()));
    return 0;
}

// Ticks a row of a check list: a click on the row, then the space bar.
void TickRow(QListWidget* list, const QString& text)
{
    if (!list)
        return;
    const int row = RowOf(list, text);
    ChooseRow(list, row);
    if (list->item(row)->checkState() != Qt::Checked)
        QTest::keyClick(list, Qt::Key_Space);
    Check(list->item(row)->checkState() == Qt::Checked, QStringLiteral("'%1' is ticked").arg(text));
}

Script Answer(bool bYes)
{
    return [bYes](QWidget& w) { Press(w, bYes ? QStringLiteral("&Yes") : QStringLiteral("&No")); };
}

// An element pane item whose text starts with the text, its category opened; none is a
// failure.
QTreeWidgetItem* TreeItem(Driver& d, const QString& text)
{
    auto* pane = qobject_cast<CElementView*>(d.Frame().GetPaneContent(ID_PANE_ELEMENTS));
    if (!pane) {
        Fail(QStringLiteral("no element pane"));
        return nullptr;
    }
    for (QTreeWidgetItemIterator it(pane->Tree()); *it; ++it)
        if ((*it)->text(0).startsWith(text)) {
            pane->Tree()->scrollToItem(*it);
            return *it;
        }
    Fail(QStringLiteral("no item '%1' in the element pane").arg(text));
    return nullptr;
}

// A click, or a double click, on an element pane item, as a user does.
void ClickTreeItem(Driver& d, const QString& text, bool bDouble)
{
    QTreeWidgetItem* item = TreeItem(d, text);
    if (!item)
        return;
    QTreeWidget* tree = item->treeWidget();
    const QPoint at = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    if (bDouble)
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::qWait(50);
}

// Pictures of the result windows open now, named after their titles without the window
// number ("window-mla-envelopes-plot", then "-2" for the second of a name).
void PictureResultWindows(Driver& d, const QString& prefix = QString())
{
    QSet<QString> names;
    for (CChildFrame* w : ResultWindows(d, QString())) {
        ShowWindow(d, w);
        QString name = QStringLiteral("window-") + prefix + Slug(w->windowTitle().section(QStringLiteral(" - "), 1));
        for (int n = 2; names.contains(name); ++n)
            name = name.section(QLatin1Char('~'), 0, 0) + QStringLiteral("~%1").arg(n);
        names.insert(name);
        Picture(*w, QString(name).replace(QLatin1Char('~'), QLatin1Char('-')));
    }
}

class Scenario {
public:
    explicit Scenario(Driver& d) : d(d) {}
    void Run();

private:
    void Start();
    void NewCaseWithBridgeAndVehicle();
    void AddVehicle();
    void SinglePosition();
    void MovingLoad();
    void ExportResults();
    void ZoomAndClickGraph();
    void InsertStandardElements();
    void SaveAndReopen();
    void SetBinaryFiles(bool bBinary);
    void BridgeRange();
    void EnsembleMovingLoad();
    bool RunEnsemble(bool bStopMidway);
    void ReferenceCollection();
    void CriticalRatios();
    void OtherResultWindows();
    void DialogsByKeyboardAndPointer();
    void WaitForAnalysis(const QString& what);
    void ElementDialogs();
    void ToolDialogs();
    void ResultPictures();
    void TabGroupsAndLockKeys();
    void PanesAndManual();
    void CustomizeToolbars();
    void MenuItemOverAToolbarButton();
    void Quit();

    Driver& d;
};

void Scenario::Start()
{
    CMainFrame& frame = d.Frame();
    if (!QTest::qWaitForWindowExposed(&frame, 10000))
        throw Abort("the main window never showed");
    frame.activateWindow();
    Check(QTest::qWaitForWindowActive(&frame, 5000), QStringLiteral("the main window is active"));
    Check(frame.isMaximized(), QStringLiteral("the main window starts maximised"));
    // With no window manager on the virtual server a maximised window keeps its size;
    // the screen is given to it as a window manager would.
    if (QScreen* screen = frame.screen())
        frame.setGeometry(screen->availableGeometry());
    Check(frame.windowTitle().endsWith(QStringLiteral("Pellomar QEL")),
          QStringLiteral("title: ") + frame.windowTitle());
    d.Shot(QStringLiteral("01-start"));
}

void Scenario::NewCaseWithBridgeAndVehicle()
{
    d.Menu({QStringLiteral("&File"), QStringLiteral("&New")});
    Check(Doc(d).m_vBridge.empty() && Doc(d).m_vLoadModel.empty(), QStringLiteral("File > New gives an empty case"));

    // Ctrl+B: the new bridge's dialog opens on the default, "20 m single span".
    d.OnModal(QStringLiteral("Define Bridge"), [](QWidget& dlg) {
        auto* description = Find<QLineEdit>(dlg, IdName(IDC_DESCRIPTION));
        Check(description && description->text() == QStringLiteral("20 m single span"),
              QStringLiteral("the new bridge is offered as '20 m single span'"));
        Press(dlg, QStringLiteral("1"));
    });
    d.Key(Qt::Key_B, Qt::ControlModifier);
    d.ExpectAnswered(QStringLiteral("Add Bridge"));
    if (Check(Doc(d).m_vBridge.size() == 1, QStringLiteral("one bridge after Add Bridge"))) {
        const CBridge& b = *Doc(d).m_vBridge.front();
        Check(b.m_vSpans.size() == 1 && b.m_vSpans.front() == 20.0, QStringLiteral("the bridge is one span of 20 m"));
    }
    d.Shot(QStringLiteral("02-bridge"));
}


void Scenario::AddVehicle()
{
    // Ctrl+L: the load model sheet; one axle of 100 kN typed into the Vehicle page.
    d.OnModal(QStringLiteral("Load Model Definition"), [](QWidget& sheet) {
        Type(Find<QLineEdit>(sheet, IdName(IDC_DESCRIPTION)), QStringLiteral("100 kN axle"));
        auto* lmSheet = dynamic_cast<CPropSheetLM*>(&sheet);
        if (!Check(lmSheet != nullptr, QStringLiteral("Ctrl+L opens the load model sheet")))
            return;
        // The pages are chosen from the list beside them.
        QListWidget* pages = lmSheet->PageList();
        const auto vehicle = pages->findItems(QStringLiteral("Vehicle"), Qt::MatchExactly);
        if (!Check(!vehicle.isEmpty(), QStringLiteral("the sheet has a Vehicle page")))
            return;
        ChooseRow(pages, pages->row(vehicle.front()));
        CGridCtrl* pGrid = &lmSheet->m_pageVehicle.m_Grid;
        if (!Check(pGrid != nullptr, QStringLiteral("the Vehicle page has its axle table")))
            return;
        TypeIntoCell(*pGrid, 1, 1, QStringLiteral("100"));
        Press(sheet, QStringLiteral("OK"));
    });
    d.Key(Qt::Key_L, Qt::ControlModifier);
    d.ExpectAnswered(QStringLiteral("Add Load Model"));
    if (Check(Doc(d).m_vLoadModel.size() == 1, QStringLiteral("one load model after Add Load Model"))) {
        const CLoadModel& lm = *Doc(d).m_vLoadModel.front();
        Check(lm.m_Description == L"100 kN axle", QStringLiteral("the load model is named '100 kN axle'"));
        Check(lm.m_vPL.size() == 1 && lm.m_vPL.front().magnitude == 100.0,
              QStringLiteral("the load model is one axle of 100 kN"));
    }
    d.Shot(QStringLiteral("03-vehicle"));
}

void Scenario::SinglePosition()
{
    const int before = ResultWindowCount(d);
    d.OnModal(QStringLiteral("Single Position Analysis"), [](QWidget& dlg) {
        ChooseRow(Find<QListWidget>(dlg, IdName(IDC_LIST_BRIDGES)), 0);
        ChooseRow(Find<QListWidget>(dlg, IdName(IDC_LIST_LOADMODELS)), 0);
        Type(Find<QLineEdit>(dlg, IdName(IDC_LOCATION)), QStringLiteral("10"));
        Press(dlg, QStringLiteral("1"));
    });
    d.Menu({QStringLiteral("&Analysis"), QStringLiteral("&Single Position")});
    d.ExpectAnswered(QStringLiteral("Single Position"));
    const auto grids = ResultWindows(d, QStringLiteral("Single Position Results - Grid"));
    Check(ResultWindowCount(d) > before, QStringLiteral("Single Position opens result windows"));
    if (Check(!grids.empty(), QStringLiteral("Single Position opens a table"))) {
        if (CGridCtrl* grid = CChildFrame::GetViewGrid(grids.front()->GetView())) {
            // 100 kN at midspan of a 20 m simple span: M = PL/4 = 100 x 20 / 4 = 500 kNm.
            const int c = ColumnOf(*grid, QStringLiteral("Moment (kNm)"));
            double best = 0;
            for (int r = 1; c >= 0 && r < grid->GetRowCount(); ++r)
                best = std::max(best, CellNumber(*grid, r, c));
            CheckNear(best, 500.0, 0.01, QStringLiteral("single position midspan moment"));
        }
    }
    d.Shot(QStringLiteral("04-single-position"));
}

void Scenario::MovingLoad()
{
    const int before = ResultWindowCount(d);
    d.OnModal(QStringLiteral("Moving Load Analysis"), [](QWidget& dlg) {
        Click(Find<QRadioButton>(dlg, IdName(IDC_USE_LOADMODEL)));
        ChooseRow(Find<QListWidget>(dlg, IdName(IDC_LIST_LOADMODELS)), 0);
        ChooseRow(Find<QListWidget>(dlg, IdName(IDC_LIST_BRIDGES)), 0);
        Click(Find<QRadioButton>(dlg, IdName(IDC_USE_STEP)));
        Type(Find<QLineEdit>(dlg, IdName(IDC_STEP_SIZE)), QStringLiteral("1"));
        Press(dlg, QStringLiteral("1"));
    });
    d.Menu({QStringLiteral("&Analysis"), QStringLiteral("&Moving Load")});
    d.ExpectAnswered(QStringLiteral("Moving Load"));
    Check(ResultWindowCount(d) >= before + 4, QStringLiteral("Moving Load opens its four windows"));
    const auto grids = ResultWindows(d, QStringLiteral("MLA Envelopes - Grid"));
    if (Check(grids.size() == 2, QStringLiteral("two MLA Envelopes tables"))) {
        CGridCtrl* bmsf = CChildFrame::GetViewGrid(grids[0]->GetView());
        CGridCtrl* reactions = CChildFrame::GetViewGrid(grids[1]->GetView());
        if (bmsf && reactions) {
            // One 100 kN axle stepped 1 m at a time over 20 m; it stands at midspan at one
            // step: M = PL/4 = 100 x 20 / 4 = 500 kNm.
            CheckNear(ValueAt(*bmsf, QStringLiteral("x Beam"), 10.0, QStringLiteral("BMD - Max")), 500.0, 0.01,
                      QStringLiteral("MLA midspan moment"));
            CheckNear(ColumnMax(*bmsf, QStringLiteral("BMD - Max")), 500.0, 0.01, QStringLiteral("MLA largest moment"));
            // At one step the axle stands on each end support and bears on it alone:
            // R = P = 100 kN at either end.
            CheckNear(ColumnMax(*reactions, QStringLiteral("Reaction 1 - Max")), 100.0, 0.01,
                      QStringLiteral("MLA left end reaction"));
            CheckNear(ColumnMax(*reactions, QStringLiteral("Reaction 2 - Max")), 100.0, 0.01,
                      QStringLiteral("MLA right end reaction"));
            // Shear next to the support, with the axle one step (s = 1 m) in:
            // V = P(L - s)/L = 100 x 19 / 20 = 95 kN; on the support it causes no shear.
            CheckNear(ColumnMax(*bmsf, QStringLiteral("SFD - Max")), 95.0, 0.01, QStringLiteral("MLA largest shear"));
        }
        grids[0]->showMaximized();
        d.Frame().GetMdiArea()->setActiveSubWindow(grids[0]);
    }
    d.Shot(QStringLiteral("05-mla-table"));
    if (grids.size() == 2) {
        // The reactions: 100 kN at each end, with the axle standing on that support.
        ShowWindow(d, grids[1]);
        d.Shot(QStringLiteral("05-mla-reactions"));
    }
}

void Scenario::ExportResults()
{
    const auto grids = ResultWindows(d, QStringLiteral("MLA Envelopes - Grid"));
    const auto plots = ResultWindows(d, QStringLiteral("MLA Envelopes - Plot"));
    if (!Check(!grids.empty() && !plots.empty(), QStringLiteral("the MLA windows are open to export")))
        return;
    struct Export {
        CChildFrame* window;
        int key;
        QString title;
        QString file;
        QString kind;
        QString done;
    };
    const Export exports[] = {
        {grids.front(), Qt::Key_G, QStringLiteral("QFileDialog"), QStringLiteral("mla-table.csv"),
         QStringLiteral("csv"), QStringLiteral("Grid succesfully saved.")},
        {plots.front(), Qt::Key_I, QStringLiteral("QFileDialog"), QStringLiteral("mla-graph.bmp"),
         QStringLiteral("image"), QStringLiteral("Image succesfully saved.")},
        {grids.front(), Qt::Key_P, QStringLiteral("Print"), QStringLiteral("mla-table.pdf"),
         QStringLiteral("pdf-table"), QString()},
        {plots.front(), Qt::Key_P, QStringLiteral("Print"), QStringLiteral("mla-graph.pdf"),
         QStringLiteral("pdf-graph"), QString()},
    };
    for (const Export& e : exports) {
        ShowWindow(d, e.window);
        const QString path = d.OutDir().filePath(e.file);
        QFile::remove(path);
        d.OnModal(e.title, e.key == Qt::Key_P ? PrintToPdf(path) : TypeFileName(path));
        if (!e.done.isEmpty())
            d.OnModal(e.done, PressOk());
        d.Key(e.key, Qt::ControlModifier);
        d.ExpectAnswered(QStringLiteral("export of ") + e.file);
        if (Check(QFile::exists(path), QStringLiteral("%1 is written").arg(e.file)))
            d.RecordExport(e.kind, e.file);
    }
}

void Scenario::ZoomAndClickGraph()
{
    const auto plots = ResultWindows(d, QStringLiteral("MLA Envelopes - Plot"));
    if (plots.empty())
        return;
    ShowWindow(d, plots.front());
    const auto charts = Charts(plots.front()->GetView());
    if (!Check(charts.size() == 2, QStringLiteral("the MLA graph holds a moment and a shear chart")))
        return;
    CChartCtrl& chart = *charts.front();
    QWidget* client = chart.GetClientWidget();
    CChartAxis* bottom = chart.GetAxis(CChartCtrl::BottomAxis);
    CChartAxis* left = chart.GetAxis(CChartCtrl::LeftAxis);
    if (!Check(bottom && left, QStringLiteral("the moment chart has its axes")))
        return;

    // A click on the envelope's peak, 500 kNm at 10 m, shows its values in a tip; the graph
    // draws sagging moments below its axis.
    const QPoint peak(bottom->GetPosition(10.0), left->GetPosition(-500.0));
    QTest::mouseClick(client, Qt::LeftButton, {}, peak);
    QTest::qWait(100);
    bool bTip = false;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && dynamic_cast<CMessageTip*>(CWnd::FromHandle(w)))
            bTip = true;
    Check(bTip, QStringLiteral("a click on a point of the graph shows its tip"));
    d.Shot(QStringLiteral("06-graph-point"));

    // A drag over the middle of the chart zooms into it: midspan moves on the screen.
    const int before = bottom->GetPosition(10.0);
    const QRect area = client->rect();
    const QPoint from(area.left() + area.width() / 3, area.top() + area.height() / 4);
    const QPoint to(area.left() + area.width() * 2 / 3, area.top() + area.height() * 3 / 4);
    QTest::mousePress(client, Qt::LeftButton, {}, from);
    QTest::mouseMove(client, (from + to) / 2);
    QTest::mouseMove(client, to);
    QTest::mouseRelease(client, Qt::LeftButton, {}, to);
    QTest::qWait(100);
    Check(bottom->GetPosition(10.0) != before, QStringLiteral("a drag on the graph zooms it"));
    d.Shot(QStringLiteral("07-graph-zoomed"));

    // A double click puts the whole envelope back.
    QTest::mouseDClick(client, Qt::LeftButton, {}, area.center());
    QTest::qWait(100);
    Check(bottom->GetPosition(10.0) == before, QStringLiteral("a double click on the graph undoes the zoom"));
}

void Scenario::InsertStandardElements()
{
    // The 1:1:50 m two-span family: 50 bridges of 2 x 1 m to 2 x 50 m, no dialog.
    d.Menu({QStringLiteral("&Insert"), QStringLiteral("&Bridges"), QStringLiteral("2-Span")});
    bool bFound = false;
    for (const auto& s : Doc(d).m_vBridgeSet)
        if (s->m_Description == L"1:1:50m 2-span") {
            bFound = true;
            Check(s->m_vBridges.size() == 50, QStringLiteral("the 2-span family holds 50 bridges"));
        }
    Check(bFound, QStringLiteral("Insert > Bridges > 2-Span adds '1:1:50m 2-span'"));

    // The NAASRA 1976 family through its parameters window, left at its opening values.
    d.OnModal(QStringLiteral("LME Parameters"), [](QWidget& dlg) { Press(dlg, QStringLiteral("1")); });
    d.Menu({QStringLiteral("&Insert"), QStringLiteral("NAASRA 197&6"), QStringLiteral("All Standard NAASRA 1976")});
    d.ExpectAnswered(QStringLiteral("Insert NAASRA 1976"));
    bFound = false;
    for (const auto& e : Doc(d).m_vLoadModelEnsemble)
        if (e->m_Description == L"NAASRA 1976") {
            bFound = true;
            // A14, the T44 trucks over the axle spacings, and the three L44 lane loads.
            Check(e->m_vLoadModel.size() >= 5, QStringLiteral("NAASRA 1976 holds its vehicles and lane loads"));
        }
    Check(bFound, QStringLiteral("the NAASRA 1976 family is in the case"));
    const QStringList tree = TreeTexts(d);
    Check(tree.filter(QStringLiteral("NAASRA 1976")).size() >= 1, QStringLiteral("the element pane shows NAASRA 1976"));
    Check(tree.filter(QStringLiteral("1:1:50m 2-span")).size() >= 1,
          QStringLiteral("the element pane shows the 2-span family"));
    // The pane's Expand/Collapse button opens every category.
    if (auto* pane = qobject_cast<CElementView*>(d.Frame().GetPaneContent(ID_PANE_ELEMENTS))) {
        QAction* expand = pane->ToolBar()->actions().value(0);
        if (QWidget* button = expand ? pane->ToolBar()->widgetForAction(expand) : nullptr)
            QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        Check(pane->Tree()->topLevelItemCount() > 0 && pane->Tree()->topLevelItem(0)->isExpanded(),
              QStringLiteral("Expand/Collapse opens the element tree"));
    }
    d.Shot(QStringLiteral("03-case-tree"));
}

void Scenario::SetBinaryFiles(bool bBinary)
{
    // Tools > Options, then the "Binary File" row of the Settings pane, ticked or cleared
    // with the space bar as a keyboard user does.
    d.Menu({QStringLiteral("&Tools"), QStringLiteral("Options")});
    auto* pane = qobject_cast<CSettingsWnd*>(d.Frame().GetPaneContent(ID_PANE_SETTINGS));
    if (!pane)
        throw Abort("Tools > Options shows no Settings pane");
    QTreeWidget* grid = pane->Grid();
    const auto found = grid->findItems(QStringLiteral("Binary File"), Qt::MatchExactly | Qt::MatchRecursive, 0);
    if (found.isEmpty())
        throw Abort("the Settings pane has no 'Binary File' row");
    QTreeWidgetItem* item = found.front();
    grid->scrollToItem(item);
    if ((item->checkState(1) == Qt::Checked) != bBinary) {
        grid->setFocus();
        grid->setCurrentItem(item, 1);
        QTest::keyClick(grid, Qt::Key_Space);
    }
    Check(g_pSettings->General.USEBINARYFILEFORMAT == bBinary,
          QStringLiteral("the Settings pane sets 'Binary File' to %1").arg(bBinary));
}

void Scenario::WaitForAnalysis(const QString& what)
{
    // A stopped run is pending until its completion arrives; the commands wait for it too.
    d.WaitFor([this] { return !Doc(d).IsAnalysisRunning() && !Doc(d).IsWorkerPending(); }, 120000, what);
    QTest::qWait(100);
}

void Scenario::BridgeRange()
{
    const int before = ResultWindowCount(d);
    d.OnModal(QStringLiteral("Bridge Range Analysis"), [](QWidget& dlg) {
        auto* sets = Find<QListWidget>(dlg, IdName(IDC_LIST_BRIDGESETS));
        ChooseRow(sets, RowOf(sets, QStringLiteral("1:1:50m 2-span")));
        auto* models = Find<QListWidget>(dlg, IdName(IDC_LIST_LOADMODELS));
        ChooseRow(models, RowOf(models, QStringLiteral("100 kN axle")));
        Click(Find<QRadioButton>(dlg, IdName(IDC_USE_STEP)));
        Type(Find<QLineEdit>(dlg, IdName(IDC_STEP_SIZE)), QStringLiteral("0.5"));
        Press(dlg, QStringLiteral("1"));
    });
    d.Menu({QStringLiteral("&Analysis"), QStringLiteral("&Bridge Range")});
    d.ExpectAnswered(QStringLiteral("Bridge Range"));
    WaitForAnalysis(QStringLiteral("the bridge range"));
    Check(ResultWindowCount(d) >= before + 4, QStringLiteral("the bridge range opens its four windows"));
    const auto grids = ResultWindows(d, QStringLiteral("Critical Values - Grid"));
    if (Check(grids.size() == 2, QStringLiteral("two Critical Values tables"))) {
        if (CGridCtrl* reactions = CChildFrame::GetViewGrid(grids[1]->GetView())) {
            // The axle stands on the middle support of every two-span bridge at one step
            // (the spans are whole multiples of 0.5 m): that support then takes all of it,
            // R2 = P = 100 kN, and no position gives it more.
            const int c = ColumnOf(*reactions, QStringLiteral("Reaction 2 - Max"));
            int rows = 0;
            for (int r = 1; c >= 0 && r < reactions->GetRowCount(); ++r, ++rows)
                CheckNear(CellNumber(*reactions, r, c), 100.0, 0.01,
                          QStringLiteral("middle support reaction of bridge %1").arg(r));
            Check(rows == 50, QStringLiteral("a row for each of the 50 bridges (%1)").arg(rows));
        }
        ShowWindow(d, grids[1]);
    }
    d.Shot(QStringLiteral("08-bridge-range"));
}

bool Scenario::RunEnsemble(bool bStopMidway)
{
    // The run to be stopped steps finely on one thread, so that it lasts long enough to be
    // stopped even with every core at work for it.
    const int nThreads = GetAnalysisThreads();
    if (bStopMidway)
        SetAnalysisThreads(1);
    const QString step = bStopMidway ? QStringLiteral("0.001") : QStringLiteral("0.005");
    d.OnModal(QStringLiteral("Moving Load Analysis"), [step](QWidget& dlg) {
        Click(Find<QRadioButton>(dlg, IdName(IDC_USE_LME)));
        auto* lmes = Find<QListWidget>(dlg, IdName(IDC_LIST_LMES));
        ChooseRow(lmes, RowOf(lmes, QStringLiteral("NAASRA 1976")));
        auto* bridges = Find<QListWidget>(dlg, IdName(IDC_LIST_BRIDGES));
        ChooseRow(bridges, RowOf(bridges, QStringLiteral("20 m single span")));
        Click(Find<QRadioButton>(dlg, IdName(IDC_USE_STEP)));
        Type(Find<QLineEdit>(dlg, IdName(IDC_STEP_SIZE)), step);
        Press(dlg, QStringLiteral("1"));
    });
    d.Menu({QStringLiteral("&Analysis"), QStringLiteral("&Moving Load")});
    d.ExpectAnswered(QStringLiteral("Moving Load of NAASRA 1976"));
    bool bStopped = false;
    if (bStopMidway && Doc(d).IsAnalysisRunning()) {
        // Stop straight after the launch: the worker has started on its first load models
        // and the window answers at once.
        QAction* stop = d.Frame().GetCommandAction(32951);
        Check(stop && stop->isEnabled(), QStringLiteral("Stop Analysis is enabled during the run"));
        d.Key(Qt::Key_F9);
        Check(!Doc(d).IsAnalysisRunning(), QStringLiteral("F9 stops the run"));
        d.Shot(QStringLiteral("09-ensemble-stopped"));
        bStopped = true;
    } else if (bStopMidway) {
        // A machine fast enough ends the run before a key can reach it; the document's own
        // tests hold a worker to stop it.
        Log(QStringLiteral("the ensemble run ended before Stop could be pressed"));
    }
    WaitForAnalysis(QStringLiteral("the ensemble moving load"));
    SetAnalysisThreads(nThreads);
    QAction* stop = d.Frame().GetCommandAction(32951);
    Check(stop && !stop->isEnabled(), QStringLiteral("Stop Analysis is disabled once the run ends"));
    return bStopped;
}

void Scenario::EnsembleMovingLoad()
{
    if (RunEnsemble(true)) {
        Check(ResultWindows(d, QStringLiteral("Multi MLA Envelopes")).empty(),
              QStringLiteral("a stopped ensemble run opens no result windows"));
        const QString log = d.Frame().GetOutputWnd() ? d.Frame().GetOutputWnd()->GetList()->AllText() : QString();
        Check(log.contains(QStringLiteral("Analysis execution stopped")),
              QStringLiteral("the log says the run stopped"));
    }
    for (CChildFrame* f : ResultWindows(d, QStringLiteral("Multi MLA Envelopes")))
        f->close(); // the repeated run counts its own windows
    Driver::Wait(100);

    RunEnsemble(false);
    const auto grids = ResultWindows(d, QStringLiteral("Multi MLA Envelopes - Grid"));
    if (Check(grids.size() == 2, QStringLiteral("the repeated ensemble run opens its two tables"))) {
        if (CGridCtrl* bmsf = CChildFrame::GetViewGrid(grids[0]->GetView()))
            // Every NAASRA 1976 vehicle outweighs the single 100 kN axle, whose 500 kNm
            // the ensemble's envelope must at least reach at midspan.
            Check(ValueAt(*bmsf, QStringLiteral("x Beam"), 10.0, QStringLiteral("BMD - Max")) > 500.0,
                  QStringLiteral("the ensemble's midspan moment exceeds that of one 100 kN axle"));
        ShowWindow(d, grids[0]);
    }
    d.Shot(QStringLiteral("10-ensemble-table"));
}

void Scenario::ReferenceCollection()
{
    d.OnModal(QStringLiteral("Edit Reference Collection"), [](QWidget& dlg) {
        Type(Find<QLineEdit>(dlg, IdName(IDC_DESCRIPTION)), QStringLiteral("NAASRA 1976 on two spans"));
        TickRow(Find<QListWidget>(dlg, IdName(IDC_LIST_BRIDGESETS)), QStringLiteral("1:1:50m 2-span"));
        TickRow(Find<QListWidget>(dlg, IdName(IDC_LIST_LMES)), QStringLiteral("NAASRA 1976"));
        // Metre steps: the collection keeps every envelope it computes in the case file,
        // and the fine steps of the runs before would make that file hundreds of megabytes.
        Click(Find<QRadioButton>(dlg, IdName(IDC_USE_STEP)));
        Type(Find<QLineEdit>(dlg, IdName(IDC_STEP_SIZE)), QStringLiteral("1"));
        Press(dlg, QStringLiteral("1"));
    });
    d.Key(Qt::Key_R, Qt::ControlModifier);
    d.ExpectAnswered(QStringLiteral("Add Reference Collection"));
    if (!Check(Doc(d).m_vRefCollection.size() == 1, QStringLiteral("one reference collection after Ctrl+R")))
        throw Abort("no reference collection");

    // The case as it stands, before its collection is computed, is the example case of the
    // repository (examples/): small, since no results are kept yet.
    const QString example = d.OutDir().filePath(QStringLiteral("example.qel"));
    QFile::remove(example);
    d.OnModal(QStringLiteral("Save As"), TypeFileName(example));
    d.Menu({QStringLiteral("&File"), QStringLiteral("Save &As...")});
    d.ExpectAnswered(QStringLiteral("Save As example"));
    Check(QFile::exists(example), QStringLiteral("the example case is written"));

    // F4: computed, then shown.
    const int before = ResultWindowCount(d);
    d.OnModal(QStringLiteral("Analyse Reference Collection"), [](QWidget& dlg) {
        ChooseRow(Find<QListWidget>(dlg, IdName(IDC_LIST_REFCOLLECTIONS)), 0);
        Press(dlg, QStringLiteral("1"));
    });
    d.OnModal(QStringLiteral("Display grids/plots for the analysis?"), Answer(true));
    d.Key(Qt::Key_F4);
    WaitForAnalysis(QStringLiteral("the reference collection"));
    d.ExpectAnswered(QStringLiteral("Reference Collection (F4)"));
    Check(Doc(d).m_vRefCollection.front()->m_bIsCalculated, QStringLiteral("the collection is calculated"));
    Check(!ResultWindows(d, QStringLiteral("Reference Values")).empty() && ResultWindowCount(d) > before,
          QStringLiteral("the collection's reference values are shown"));
    d.Shot(QStringLiteral("11-reference-values"));
}

void Scenario::CriticalRatios()
{
    // F5: the 100 kN axle proposed against the collection.
    d.OnModal(QStringLiteral("Make Critical Ratios"), [](QWidget& dlg) {
        Click(Find<QRadioButton>(dlg, IdName(IDC_USE_LOADMODEL)));
        auto* models = Find<QListWidget>(dlg, IdName(IDC_LIST_LOADMODELS));
        ChooseRow(models, RowOf(models, QStringLiteral("100 kN axle")));
        ChooseRow(Find<QListWidget>(dlg, IdName(IDC_LIST_REFCOLLECTIONS)), 0);
        Press(dlg, QStringLiteral("1"));
    });
    d.OnModal(QStringLiteral("Display grids/plots for the analysis?"), Answer(true));
    d.Key(Qt::Key_F5);
    WaitForAnalysis(QStringLiteral("the critical ratios"));
    d.ExpectAnswered(QStringLiteral("Critical Ratios (F5)"));
    Check(Doc(d).m_vRefCollection.front()->m_bIsCompared, QStringLiteral("the collection holds critical ratios"));
    const auto ratios = ResultWindows(d, QStringLiteral("Critical Ratios - Plot"));
    if (Check(!ratios.empty(), QStringLiteral("the critical ratios are shown")))
        ShowWindow(d, ratios.front());
    d.Shot(QStringLiteral("12-critical-ratios"));
}

void Scenario::OtherResultWindows()
{
    // The result kinds not yet opened: the enhanced grid and the compared envelopes.
    d.OnModal(QStringLiteral("View Reference Collection"), [](QWidget& dlg) {
        ChooseRow(Find<QListWidget>(dlg, IdName(IDC_LIST_REFCOLLECTIONS)), 0);
        Press(dlg, QStringLiteral("1"));
    });
    d.Key(Qt::Key_G, Qt::AltModifier);
    d.ExpectAnswered(QStringLiteral("Enhanced Critical Ratios Grid"));
    Check(!ResultWindows(d, QStringLiteral("Critical Ratios Grid")).empty(), QStringLiteral("the enhanced grid opens"));

    d.OnModal(QStringLiteral("Compare Critical Envelopes"), [](QWidget& dlg) {
        ChooseRow(Find<QListWidget>(dlg, IdName(IDC_LIST_REFCOLLECTIONS)), 0);
        ChooseRow(Find<QListWidget>(dlg, IdName(IDC_LIST_REFSETS)), 0);
        auto* bridges = Find<QListWidget>(dlg, IdName(IDC_LIST_BRIDGES));
        ChooseRow(bridges, bridges ? bridges->count() - 1 : 0);
        Press(dlg, QStringLiteral("1"));
    });
    d.Menu({QStringLiteral("&View"), QStringLiteral("&Compare Critical Envelopes")});
    d.ExpectAnswered(QStringLiteral("Compare Critical Envelopes"));
    Check(!ResultWindows(d, QStringLiteral("Compare Envelopes")).empty(),
          QStringLiteral("the compared envelopes open"));

    // Every kind shown again from the View menu opens new windows.
    for (const QString& item : {QStringLiteral("Single &Position Results"), QStringLiteral("&Moving Load Results"),
                                QStringLiteral("&Bridge Range Results")}) {
        const int before = ResultWindowCount(d);
        d.Menu({QStringLiteral("&View"), item});
        Check(ResultWindowCount(d) > before, item + QStringLiteral(" opens its windows again"));
    }
    d.Shot(QStringLiteral("13-all-results"));
    // Window > Close All Tabs leaves the case window.
    d.Menu({QStringLiteral("&Window"), QStringLiteral("Close &All Tabs")});
    Check(ResultWindowCount(d) == 0, QStringLiteral("Close All Tabs closes every result window"));
}

// The dialogs of the elements as the element pane opens them, pictured for the user
// manual; the case information is filled in, the others are left as they were.
void Scenario::ElementDialogs()
{
    d.OnModal(QStringLiteral("Case Information"), [](QWidget& dlg) {
        Type(Find<QLineEdit>(dlg, IdName(IDC_CASE_REF)), QStringLiteral("NAASRA 1976 against a 100 kN axle"));
        if (auto* notes = Find<QPlainTextEdit>(dlg, IdName(IDC_CASE_NOTES))) {
            notes->setFocus();
            QTest::keyClicks(notes, QStringLiteral("Two-span bridges of 1 m to 50 m."));
        }
        Press(dlg, QStringLiteral("1"));
    });
    d.Menu({QStringLiteral("&Configuration"), QStringLiteral("Case Data")});
    d.ExpectAnswered(QStringLiteral("Case Data"));
    Check(Doc(d).m_sCaseRef == L"NAASRA 1976 against a 100 kN axle", QStringLiteral("the case reference is kept"));

    // Vehicles of the standard family, page by page: a truck's axles, a lane load's loads.
    const auto pictureSheet = [](const QString& prefix, const QStringList& only) {
        return [prefix, only](QWidget& sheet) {
            auto* lmSheet = dynamic_cast<CPropSheetLM*>(&sheet);
            if (!Check(lmSheet != nullptr, QStringLiteral("a double click on a vehicle opens its sheet")))
                return;
            QListWidget* pages = lmSheet->PageList();
            for (int i = 0; i < pages->count(); ++i) {
                if (!only.isEmpty() && !only.contains(pages->item(i)->text()))
                    continue;
                ChooseRow(pages, i);
                Picture(sheet, prefix + Slug(pages->item(i)->text()));
            }
            Press(sheet, QStringLiteral("Cancel"));
        };
    };
    d.OnModal(QStringLiteral("Load Model Definition"), pictureSheet(QStringLiteral("dialog-load-model-"), {}));
    ClickTreeItem(d, QStringLiteral("T44 truck"), true);
    d.ExpectAnswered(QStringLiteral("T44 truck"));
    d.OnModal(QStringLiteral("Load Model Definition"),
              pictureSheet(QStringLiteral("dialog-lane-load-"),
                           {QStringLiteral("Overview"), QStringLiteral("UDLs"), QStringLiteral("Partial UDLs")}));
    ClickTreeItem(d, QStringLiteral("T44 Lane load - M"), true);
    d.ExpectAnswered(QStringLiteral("T44 Lane load"));

    // A new ensemble with the axle moved into it, then dropped.
    d.OnModal(QStringLiteral("Load Model Ensemble Definition"), [](QWidget& dlg) {
        Type(Find<QLineEdit>(dlg, IdName(IDC_DESCRIPTION)), QStringLiteral("Axles"));
        ChooseRow(Find<QListWidget>(dlg, IdName(IDC_LIST_AVAILABLE)), 0);
        Press(dlg, QStringLiteral("Add >>"));
        auto* included = Find<QListWidget>(dlg, IdName(IDC_LIST_INCLUDED));
        Check(included && included->count() == 1, QStringLiteral("Add >> moves the axle into the ensemble"));
        Picture(dlg, QStringLiteral("dialog-load-model-ensemble-definition"));
        Press(dlg, QStringLiteral("2"));
    });
    // From the menu: the element pane, which has the focus, takes Ctrl+E for itself.
    d.Menu({QStringLiteral("&Configuration"), QStringLiteral("Add Load Model &Ensemble")});
    d.ExpectAnswered(QStringLiteral("Add Load Model Ensemble"));

    d.OnModal(QStringLiteral("Add Bridge Set"), [](QWidget& dlg) { Press(dlg, QStringLiteral("2")); });
    ClickTreeItem(d, QStringLiteral("1:1:50m 2-span"), true);
    d.ExpectAnswered(QStringLiteral("2-span bridge set"));

    // A vehicle chosen in the element pane is drawn in the case window.
    ClickTreeItem(d, QStringLiteral("T44 truck"), false);
    if (auto* pane = d.Frame().GetPane(ID_PANE_ELEMENTS))
        Picture(*pane, QStringLiteral("pane-elements"));
    for (CChildFrame* f : d.Frame().GetChildFrames(&Doc(d)))
        if (f->IsCaseWindow())
            Picture(*f, QStringLiteral("window-case"));
    d.Shot(QStringLiteral("14-main-view"));
}

// Output options and the tools' dialogs, pictured; nothing is changed.
void Scenario::ToolDialogs()
{
    d.OnModal(QStringLiteral("Output options"), PressOk());
    d.Key(Qt::Key_O, Qt::AltModifier);
    d.ExpectAnswered(QStringLiteral("Output options"));
    struct Tool {
        const char* item;
        const char* caption;
    };
    for (const Tool& t : {Tool{"Filter LME", "Filter Load Model Ensemble"},
                          Tool{"&Generate LME from LM", "Generate LME from Load Model"},
                          Tool{"Generate &Bidirectional LME", "Generate Bidirectional LME"}}) {
        d.OnModal(QString::fromLatin1(t.caption), [](QWidget& dlg) {
            // The first load model chosen, where the dialog offers load models.
            if (auto* models = dlg.findChild<QListWidget*>(IdName(IDC_LIST_LOADMODELS)); models && models->isEnabled())
                ChooseRow(models, 0);
            Press(dlg, QStringLiteral("2"));
        });
        d.Menu({QStringLiteral("&Tools"), QString::fromLatin1(t.item)});
        d.ExpectAnswered(QString::fromLatin1(t.item));
    }
    d.OnModal(QStringLiteral("About QEL"), PressOk());
    d.Menu({QStringLiteral("&Help"), QStringLiteral("&About QEL...")});
    d.ExpectAnswered(QStringLiteral("About QEL"));
}

// One picture of each kind of result window, each kind shown again from the View menu.
void Scenario::ResultPictures()
{
    struct Kind {
        QString item;
        QString dialog; // the collection chooser the command asks first, if any
        QString prefix;
    };
    const Kind kinds[] = {
        {QStringLiteral("Single &Position Results"), QString(), QString()},
        {QStringLiteral("&Moving Load Results"), QString(), QString()},
        {QStringLiteral("&Bridge Range Results"), QString(), QString()},
        {QStringLiteral("Reference Collection &Values"), QStringLiteral("View Reference Collection"), QString()},
        {QStringLiteral("Reference Collection &Ratios"), QStringLiteral("View Reference Collection"), QString()},
        {QStringLiteral("&Enhanced Critical Ratios Grid"), QStringLiteral("View Reference Collection"),
         QStringLiteral("enhanced-")},
    };
    for (const Kind& k : kinds) {
        d.Menu({QStringLiteral("&Window"), QStringLiteral("Close &All Tabs")});
        if (!k.dialog.isEmpty())
            d.OnModal(k.dialog, [](QWidget& dlg) {
                ChooseRow(Find<QListWidget>(dlg, IdName(IDC_LIST_REFCOLLECTIONS)), 0);
                Press(dlg, QStringLiteral("1"));
            });
        d.Menu({QStringLiteral("&View"), k.item});
        d.ExpectAnswered(k.item);
        Check(ResultWindowCount(d) > 0, k.item + QStringLiteral(" opens its windows"));
        PictureResultWindows(d, k.prefix);
    }
    d.Menu({QStringLiteral("&Window"), QStringLiteral("Close &All Tabs")});
    d.OnModal(QStringLiteral("Compare Critical Envelopes"), [](QWidget& dlg) {
        ChooseRow(Find<QListWidget>(dlg, IdName(IDC_LIST_REFCOLLECTIONS)), 0);
        ChooseRow(Find<QListWidget>(dlg, IdName(IDC_LIST_REFSETS)), 0);
        auto* bridges = Find<QListWidget>(dlg, IdName(IDC_LIST_BRIDGES));
        ChooseRow(bridges, bridges ? bridges->count() / 2 : 0);
        Press(dlg, QStringLiteral("1"));
    });
    d.Menu({QStringLiteral("&View"), QStringLiteral("&Compare Critical Envelopes")});
    d.ExpectAnswered(QStringLiteral("Compare Critical Envelopes again"));
    PictureResultWindows(d);
    d.Menu({QStringLiteral("&Window"), QStringLiteral("Close &All Tabs")});
}

// A table beside the graphs in a tab group of its own, and the caps lock light in the
// status bar as the keyboard of the X server has it.
void Scenario::TabGroupsAndLockKeys()
{
    d.Menu({QStringLiteral("&View"), QStringLiteral("&Moving Load Results")});
    const auto grids = ResultWindows(d, QStringLiteral("MLA Envelopes - Grid"));
    if (!Check(!grids.empty(), QStringLiteral("Moving Load Results opens its tables")))
        return;
    CTabGroups& groups = *d.Frame().GetTabGroups();
    ShowWindow(d, grids.front());
    d.Menu({QStringLiteral("&Window"), QStringLiteral("New &Vertical Tab Group")});
    Check(groups.GroupCount() == 2, QStringLiteral("New Vertical Tab Group makes a second group"));
    Check(groups.GroupOf(grids.front()) == 1, QStringLiteral("the table stands in the new group"));
    Check(d.Frame().GetActiveChild() == grids.front(), QStringLiteral("the moved table is the active window"));
    Check(groups.Splitter()->orientation() == Qt::Horizontal, QStringLiteral("the groups stand side by side"));

    // Caps lock pressed on the keyboard lights its pane; pressed again, the pane goes blank.
    CLockKeyPanes& lockKeys = *d.Frame().GetLockKeyPanes();
    Check(lockKeys.GetText(CLockKeyPanes::PANE_CAPS).isEmpty(), QStringLiteral("caps lock is off at first"));
    XKey(d.Frame(), QStringLiteral("Caps_Lock"));
    d.WaitFor([&] { return lockKeys.GetText(CLockKeyPanes::PANE_CAPS) == QStringLiteral("CAP"); }, 3000,
              QStringLiteral("the status bar shows CAP"));
    d.Shot(QStringLiteral("tab-groups"));
    XKey(d.Frame(), QStringLiteral("Caps_Lock"));
    d.WaitFor([&] { return lockKeys.GetText(CLockKeyPanes::PANE_CAPS).isEmpty(); }, 3000,
              QStringLiteral("CAP goes out with caps lock"));

    // Back into one group: the later steps find every window in it.
    d.Menu({QStringLiteral("&Window"), QStringLiteral("Move to P&revious Tab Group")});
    d.WaitFor([&] { return groups.GroupCount() == 1; }, 3000, QStringLiteral("the emptied group goes"));
    d.Menu({QStringLiteral("&Window"), QStringLiteral("Close &All Tabs")});
}

// The settings and diagnostics panes, and Help > PDF Help: the manual that comes with the
// program opens in its pane, with no message, when the setting still names the default.
void Scenario::PanesAndManual()
{
    d.Menu({QStringLiteral("&Tools"), QStringLiteral("Options")});
    if (QDockWidget* settings = d.Frame().GetPane(ID_PANE_SETTINGS))
        Picture(*settings, QStringLiteral("pane-settings"));
    if (QDockWidget* output = d.Frame().GetPane(ID_PANE_OUTPUT))
        Picture(*output, QStringLiteral("pane-diagnostics"));
    // The manual's pane takes the right side to itself, as when it is first opened.
    if (QDockWidget* settings = d.Frame().GetPane(ID_PANE_SETTINGS))
        settings->close();

    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("QEL User Manual.pdf"));
    Check(QFile::exists(beside), QStringLiteral("the manual lies beside the program: ") + beside);
    Check(!QFile::exists(QString::fromStdWString(g_pSettings->General.HELPFILEPATH)),
          QStringLiteral("the setting names the default place, where no manual lies"));
    d.Menu({QStringLiteral("&Help"), QStringLiteral("PDF Help")});
    // A message box would be open now, inside the command; none may be.
    Check(QApplication::activeModalWidget() == nullptr, QStringLiteral("PDF Help shows no message"));
    auto* pane = qobject_cast<CPdfPane*>(d.Frame().GetPaneContent(ID_PANE_PDFHELP));
    // The pages are drawn again once the new pane has settled to its width.
    Driver::Wait(600);
    if (Check(pane != nullptr, QStringLiteral("PDF Help opens the manual pane"))) {
        Check(pane->Document()->metaData(QPdfDocument::MetaDataField::Title).toString() ==
                  QStringLiteral("QEL User Manual"),
              QStringLiteral("the pane shows the QEL User Manual"));
        Check(pane->Document()->pageCount() >= 20 && pane->ShownPages() == pane->Document()->pageCount(),
              QStringLiteral("the pane shows every page of the manual (%1 of %2)")
                  .arg(pane->ShownPages())
                  .arg(pane->Document()->pageCount()));
    }
    d.Shot(QStringLiteral("15-user-manual"));
    if (QDockWidget* help = d.Frame().GetPane(ID_PANE_PDFHELP)) {
        Picture(*help, QStringLiteral("pane-pdf-help"));
        help->close();
    }
}

// View > Customize...: a toolbar of the user's own with a command on it, pictured with the
// dialog beside the window, then deleted again so that later pictures stay as they were.
void Scenario::CustomizeToolbars()
{
    d.Menu({QStringLiteral("&View"), QStringLiteral("Customize...")});
    CToolbarCustomizeDlg* dlg = d.Frame().GetToolbars().GetCustomizeDlg();
    if (!Check(dlg && dlg->isVisible(), QStringLiteral("View > Customize... opens the Customize dialog")))
        return;
    Check(QTest::qWaitForWindowExposed(dlg, 5000), QStringLiteral("the Customize dialog is on screen"));
    auto* tabs = Find<QTabWidget>(*dlg, QString());
    if (!tabs)
        return;

    tabs->setCurrentIndex(1);
    d.OnModal(QStringLiteral("New Toolbar"), [](QWidget& w) {
        Type(w.findChild<QLineEdit*>(), QStringLiteral("My Checks"));
        Press(w, QStringLiteral("OK"));
    });
    Click(Find<QPushButton>(*dlg, QStringLiteral("New")));
    d.ExpectAnswered(QStringLiteral("New Toolbar"));
    QToolBar* bar = d.Frame().GetToolBar("UserToolbar1");
    if (!Check(bar != nullptr && bar->windowTitle() == QStringLiteral("My Checks"),
               QStringLiteral("New makes the toolbar 'My Checks'")))
        return;

    tabs->setCurrentIndex(0);
    auto* categories = Find<QListWidget>(*dlg, QStringLiteral("Categories"));
    ChooseRow(categories, RowOf(categories, QStringLiteral("Analysis")));
    auto* commands = Find<QListWidget>(*dlg, QStringLiteral("Commands"));
    ChooseRow(commands, RowOf(commands, QStringLiteral("Critical Ratios")));
    Click(Find<QPushButton>(*dlg, QStringLiteral("Add")));
    ChooseRow(commands, RowOf(commands, QStringLiteral("Single Position")));
    Click(Find<QPushButton>(*dlg, QStringLiteral("Add")));
    const auto shows = [&](int nID) {
        QWidget* button = bar->widgetForAction(d.Frame().GetCommandAction(nID));
        return button && button->isVisible();
    };
    d.WaitFor([&] { return shows(32809) && shows(32773); }, 5000,
              QStringLiteral("the new toolbar shows the two commands added to it"));
    Picture(*dlg, QStringLiteral("dialog-customize"));
    d.Shot(QStringLiteral("16-customize"));
    PictureOfScreen(d.Frame(), QStringLiteral("16-customize-screen"));

    tabs->setCurrentIndex(1);
    d.OnModal(QStringLiteral("Delete the toolbar"), Answer(true));
    Click(Find<QPushButton>(*dlg, QStringLiteral("Delete")));
    d.ExpectAnswered(QStringLiteral("Delete the toolbar"));
    Check(d.Frame().GetToolBar("UserToolbar1") == nullptr, QStringLiteral("Delete removes the toolbar"));
    QPointer<CToolbarCustomizeDlg> guard(dlg);
    if (auto* box = dlg->findChild<QDialogButtonBox*>())
        Click(box->button(QDialogButtonBox::Close));
    d.WaitFor([&] { return !guard || !guard->isVisible(); }, 5000, QStringLiteral("Close ends the Customize dialog"));
}

void Scenario::MenuItemOverAToolbarButton()
{
    // "PDF Help" opens over the toolbar. It is clicked, and clicked again while its command
    // still holds the window (the manual loading), with the real pointer: the second click,
    // made on the menu the user still sees, reaches nothing beneath it.
    CMainFrame& frame = d.Frame();
    if (QDockWidget* help = frame.GetPane(ID_PANE_PDFHELP))
        help->close();
    QMenuBar* bar = frame.menuBar();
    QAction* top = nullptr;
    for (QAction* a : bar->actions())
        if (a->text() == QStringLiteral("&Help"))
            top = a;
    QMenu* menu = top ? top->menu() : nullptr;
    QAction* pdf = nullptr;
    for (QAction* a : menu ? menu->actions() : QList<QAction*>())
        if (a->text() == QStringLiteral("PDF Help"))
            pdf = a;
    if (!Check(menu && pdf, QStringLiteral("Help > PDF Help is in the menu bar")))
        return;

    XMoveTo(bar, bar->actionGeometry(top).center());
    Xdo({QStringLiteral("click"), QStringLiteral("1")});
    if (!d.WaitFor([menu] { return menu->isVisible(); }, 5000, QStringLiteral("the Help menu opens")))
        return;
    // The toolbar button that the item covers, and a point on both.
    const QRect item(menu->mapToGlobal(menu->actionGeometry(pdf).topLeft()), menu->actionGeometry(pdf).size());
    QToolButton* beneath = nullptr;
    QRect overlap;
    for (QToolBar* toolbar : frame.findChildren<QToolBar*>())
        for (QToolButton* b : toolbar->findChildren<QToolButton*>()) {
            const QRect r = QRect(b->mapToGlobal(QPoint(0, 0)), b->size()).intersected(item);
            if (b->isVisible() && b->defaultAction() && r.width() * r.height() > overlap.width() * overlap.height()) {
                beneath = b;
                overlap = r;
            }
        }
    if (!Check(beneath != nullptr, QStringLiteral("\"PDF Help\" lies over a toolbar button"))) {
        menu->close();
        return;
    }
    Log(QStringLiteral("\"PDF Help\" lies over \"%1\"").arg(beneath->defaultAction()->text()));
    int nBeneath = 0;
    const QMetaObject::Connection counted =
        QObject::connect(beneath->defaultAction(), &QAction::triggered, [&nBeneath] { ++nBeneath; });

    // The second click comes while the command runs: the command waits for it here, as a
    // slow disk would keep it loading.
    QProcess clicks;
    const QMetaObject::Connection held =
        QObject::connect(pdf, &QAction::triggered, [&clicks] { clicks.waitForFinished(10000); });
    const QPoint at = overlap.center();
    clicks.start(QStringLiteral("xdotool"),
                 {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                  QStringLiteral("click"), QStringLiteral("1"), QStringLiteral("sleep"), QStringLiteral("0.5"),
                  QStringLiteral("click"), QStringLiteral("1")});
    d.WaitFor([&] { return clicks.state() == QProcess::NotRunning && frame.GetPane(ID_PANE_PDFHELP); }, 20000,
              QStringLiteral("the clicks are made and the manual's pane opens"));
    Driver::Wait(500);
    QObject::disconnect(held);
    QObject::disconnect(counted);
    Check(clicks.exitStatus() == QProcess::NormalExit && clicks.exitCode() == 0,
          QStringLiteral("xdotool clicked: ") + QString::fromLocal8Bit(clicks.readAllStandardError()));
    Check(frame.GetPane(ID_PANE_PDFHELP) && frame.GetPane(ID_PANE_PDFHELP)->isVisible(),
          QStringLiteral("the first click opened the manual's pane"));
    Check(nBeneath == 0, QStringLiteral("the click on the menu reached \"%1\" beneath it %2 time(s)")
                             .arg(beneath->defaultAction()->text())
                             .arg(nBeneath));
    Check(QApplication::activeModalWidget() == nullptr, QStringLiteral("no dialog opened under the menu"));
    if (QDockWidget* help = frame.GetPane(ID_PANE_PDFHELP))
        help->close();
}

namespace {
CGridCtrl* GridIn(QWidget& dlg)
{
    for (QWidget* w : dlg.findChildren<QWidget*>())
        if (auto* grid = dynamic_cast<CGridCtrl*>(CWnd::FromHandle(w));
            grid && grid->GetSafeHwnd() == w && w->isVisible())
            return grid;
    return nullptr;
}

// Cancel, or the one button of a dialog that has no Cancel.
QPushButton* CancelOf(QWidget& dlg)
{
    for (auto* box : dlg.findChildren<QDialogButtonBox*>())
        if (QPushButton* b = box->button(QDialogButtonBox::Cancel))
            return b;
    for (auto* box : dlg.findChildren<QDialogButtonBox*>())
        if (QPushButton* b = box->button(QDialogButtonBox::Ok))
            return b;
    return nullptr;
}
} // namespace

void Scenario::DialogsByKeyboardAndPointer()
{
    // Each dialog twice, with real keys and a real pointer through the X server: Escape,
    // pressed on whatever has the focus (a grid clicked into, where there is one), closes
    // it; then a click where Cancel stands closes it, whatever the pointer passed over on
    // its way (a clipped grid heading shows a tip that takes the mouse).
    struct Dialog {
        QStringList menu;
        QString caption;
    };
    const auto M = [](const char* top, const char* item) {
        return QStringList{QString::fromLatin1(top), QString::fromLatin1(item)};
    };
    const Dialog dialogs[] = {
        {M("&Configuration", "Case Data"), QStringLiteral("Case Information")},
        {M("&Configuration", "Add &Bridge"), QStringLiteral("Define Bridge")},
        {M("&Configuration", "Add Bridge &Set"), QStringLiteral("Add Bridge Set")},
        {M("&Configuration", "Add &Load Model"), QStringLiteral("Load Model Definition")},
        {M("&Configuration", "Add Load Model &Ensemble"), QStringLiteral("Load Model Ensemble Definition")},
        {M("&Configuration", "Add &Reference Collection"), QStringLiteral("Edit Reference Collection")},
        {M("&Analysis", "&Single Position"), QStringLiteral("Single Position Analysis")},
        {M("&Analysis", "&Moving Load"), QStringLiteral("Moving Load Analysis")},
        {M("&Analysis", "&Bridge Range"), QStringLiteral("Bridge Range Analysis")},
        {M("&Analysis", "Reference &Collection"), QStringLiteral("Analyse Reference Collection")},
        {M("&Analysis", "Critical &Ratios"), QStringLiteral("Make Critical Ratios")},
        {M("&View", "&Output options"), QStringLiteral("Output options")},
        {M("&View", "&Compare Critical Envelopes"), QStringLiteral("Compare Critical Envelopes")},
        {M("&View", "&Enhanced Critical Ratios Grid"), QStringLiteral("View Reference Collection")},
        {M("&Tools", "Filter LME"), QStringLiteral("Filter Load Model Ensemble")},
        {M("&Tools", "&Generate LME from LM"), QStringLiteral("Generate LME from Load Model")},
        {M("&Tools", "Generate &Bidirectional LME"), QStringLiteral("Generate Bidirectional LME")},
        {M("&Help", "&About QEL..."), QStringLiteral("About QEL")},
    };
    const QStringList before = ElementList(Doc(d));
    for (const Dialog& dialog : dialogs) {
        const QString caption = dialog.caption;
        d.OnModal(caption, [this, caption](QWidget& dlg) {
            if (CGridCtrl* grid = GridIn(dlg)) {
                XClick(grid->GetClientWidget());
                d.WaitFor([grid] { return QApplication::focusWidget() == grid->GetSafeHwnd(); }, 3000,
                          QStringLiteral("a click on the grid of %1 gives it the focus").arg(caption));
            }
            XKey(dlg, QStringLiteral("Escape"));
            d.WaitFor([&dlg] { return !dlg.isVisible(); }, 3000, QStringLiteral("Escape closes %1").arg(caption));
        });
        d.Menu(dialog.menu);
        d.ExpectAnswered(QStringLiteral("Escape on ") + caption);

        d.OnModal(caption, [this, caption](QWidget& dlg) {
            if (CGridCtrl* grid = GridIn(dlg)) {
                dlg.resize(dlg.minimumSizeHint());
                Driver::Wait(100);
                for (int col = 0; col < grid->GetColumnCount(); ++col) {
                    CRect r;
                    if (grid->GetCellRect(0, col, &r))
                        XMoveTo(grid->GetClientWidget(), QPoint(r.left + 4, r.top + 4));
                    Driver::Wait(20);
                }
                Check(CWnd::GetCapture() != nullptr,
                      QStringLiteral("a clipped heading of %1 shows its tip").arg(caption));
                PictureOfScreen(dlg, QStringLiteral("heading-tip-") + Slug(caption));
            }
            XClick(CancelOf(dlg));
            d.WaitFor([&dlg] { return !dlg.isVisible(); }, 3000,
                      QStringLiteral("a click on Cancel closes %1").arg(caption));
        });
        d.Menu(dialog.menu);
        d.ExpectAnswered(QStringLiteral("Cancel of ") + caption);
    }
    Check(ElementList(Doc(d)) == before, QStringLiteral("dialogs closed with Escape or Cancel change nothing"));
}

void Scenario::SaveAndReopen()
{
    CQELDoc& doc = Doc(d);
    const QStringList before = ElementList(doc);
    const QStringList treeBefore = TreeTexts(d);
    const QString binPath = d.OutDir().filePath(QStringLiteral("case-binary.qel"));
    const QString xmlPath = d.OutDir().filePath(QStringLiteral("case-xml.qel"));
    QFile::remove(binPath);
    QFile::remove(xmlPath);

    SetBinaryFiles(true);
    d.OnModal(QStringLiteral("Save As"), TypeFileName(binPath));
    d.Menu({QStringLiteral("&File"), QStringLiteral("Save &As...")});
    d.ExpectAnswered(QStringLiteral("Save As binary"));
    Check(QFile::exists(binPath), QStringLiteral("the binary case file is written"));
    Check(!Doc(d).IsModified(), QStringLiteral("a saved case is not modified"));

    SetBinaryFiles(false);
    d.OnModal(QStringLiteral("Save As"), TypeFileName(xmlPath));
    d.Menu({QStringLiteral("&File"), QStringLiteral("Save &As...")});
    d.ExpectAnswered(QStringLiteral("Save As XML"));
    QFile xml(xmlPath);
    Check(xml.open(QIODevice::ReadOnly) && xml.read(5) == "<?xml", QStringLiteral("the XML case file begins '<?xml'"));
    QFile bin(binPath);
    Check(bin.open(QIODevice::ReadOnly) && !bin.read(5).startsWith("<?xml"),
          QStringLiteral("the binary file is not XML"));

    // Close: a new case replaces the saved one without a question.
    d.Menu({QStringLiteral("&File"), QStringLiteral("&New")});
    Check(Doc(d).m_vBridgeSet.empty(), QStringLiteral("the new case is empty"));

    struct Reopen {
        QString path;
        bool bBinary;
    };
    for (const Reopen& r : {Reopen{xmlPath, false}, Reopen{binPath, true}}) {
        SetBinaryFiles(r.bBinary);
        d.OnModal(QStringLiteral("Open"), TypeFileName(r.path));
        d.Menu({QStringLiteral("&File"), QStringLiteral("&Open...")});
        d.ExpectAnswered(QStringLiteral("Open ") + r.path);
        if (!Check(Doc(d).GetPathName() == r.path.toStdWString(), QStringLiteral("the case opened is ") + r.path))
            continue;
        CheckSameLines(ElementList(Doc(d)), before, QStringLiteral("elements of ") + r.path);
        CheckSameLines(TreeTexts(d), treeBefore, QStringLiteral("element pane of ") + r.path);
    }
    d.Shot(QStringLiteral("04-reopened"));
}

void Scenario::Quit()
{
    // File > Exit: the case is saved, so no question comes; the program ends.
    d.Menu({QStringLiteral("&File"), QStringLiteral("E&xit")});
}

void Scenario::Run()
{
    struct Step {
        const char* name;
        void (Scenario::*run)();
    };
    static constexpr Step kSteps[] = {
        {"start", &Scenario::Start},
        {"new case with a bridge and a vehicle", &Scenario::NewCaseWithBridgeAndVehicle},
        {"add a vehicle", &Scenario::AddVehicle},
        {"single position", &Scenario::SinglePosition},
        {"moving load", &Scenario::MovingLoad},
        {"export results", &Scenario::ExportResults},
        {"zoom and click a graph", &Scenario::ZoomAndClickGraph},
        {"insert standard elements", &Scenario::InsertStandardElements},
        {"bridge range", &Scenario::BridgeRange},
        {"ensemble moving load", &Scenario::EnsembleMovingLoad},
        {"reference collection", &Scenario::ReferenceCollection},
        {"critical ratios", &Scenario::CriticalRatios},
        {"other result windows", &Scenario::OtherResultWindows},
        {"element dialogs", &Scenario::ElementDialogs},
        {"tool dialogs", &Scenario::ToolDialogs},
        {"result pictures", &Scenario::ResultPictures},
        {"tab groups and lock keys", &Scenario::TabGroupsAndLockKeys},
        {"panes and the user manual", &Scenario::PanesAndManual},
        {"customise the toolbars", &Scenario::CustomizeToolbars},
        {"a menu item over a toolbar button", &Scenario::MenuItemOverAToolbarButton},
        {"dialogs by keyboard and pointer", &Scenario::DialogsByKeyboardAndPointer},
        {"save and reopen", &Scenario::SaveAndReopen},
        {"quit", &Scenario::Quit},
    };
    // QEL_E2E_ONLY="step,step": those steps alone, between the start and the quit (a
    // developer's short run; a step may need what earlier ones made).
    const QStringList only = qEnvironmentVariable("QEL_E2E_ONLY").split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const Step& step : kSteps) {
        const QString name = QString::fromLatin1(step.name);
        if (!only.isEmpty() && !only.contains(name) && step.run != &Scenario::Start && step.run != &Scenario::Quit)
            continue;
        BeginStep(name);
        (this->*step.run)();
    }
}

}

void RunScenario(CQELApp& app, const QDir& outDir, const QDir& shotDir)
{
    Driver d(app, outDir, shotDir);
    try {
        Scenario(d).Run();
    } catch (const std::exception& e) {
        Fail(QStringLiteral("scenario ended early: %1").arg(QString::fromUtf8(e.what())));
    }
    // A run that went wrong still ends the program, without keeping the case.
    CMainFrame* frame = app.GetMainFrame();
    if (frame && frame->isVisible()) {
        Fail(QStringLiteral("the program is still running after the scenario"));
        if (CQELDoc* doc = app.GetDocument())
            doc->SetModifiedFlag(false);
        frame->close();
    }
    Log(QStringLiteral("scenario done, %1 failure(s)").arg(FailureCount()));
    BeginStep(QStringLiteral("closing the program"));
}

}
