// The case's main view: summary of the selected element, axle table, layout, instructions.
#include "GridCellValue.h"
#include "UiTestUtil.h"

#include "controls/grid/GridCellNumeric.h"
#include "controls/grid/GridCtrl.h"
#include "core/settings/Settings.h"
#include "ui/draw/DrawLoadModelCtrl.h"
#include "ui/mainview/QELView.h"

#include "app/ModalAnswer.h"

#include <QFile>
#include <QImage>
#include <QLabel>

using namespace uitest;

namespace {
struct InstructionsSetting {
    explicit InstructionsSetting(bool on) : old(g_pSettings->General.SHOWINSTRUCTIONS)
    {
        g_pSettings->General.SHOWINSTRUCTIONS = on;
    }
    ~InstructionsSetting() { g_pSettings->General.SHOWINSTRUCTIONS = old; }
    bool old;
};

LPARAM Param(const CElement& e)
{
    return reinterpret_cast<LPARAM>(&e);
}
} // namespace

TEST(MainView, SummaryFollowsEveryElementButOnlyALoadModelFillsTheTable)
{
    SmallCase c;
    CQELView view;
    view.resize(900, 600);
    view.show();

    EXPECT_EQ(view.OnShowLoadModel(0, Param(*c.bridges[1])), 0);
    EXPECT_EQ(view.GetSummary(), L"2 - Twenty: Bridge, 2 span(s), span length 20.00 m, total length 40.00 m");
    EXPECT_EQ(view.m_pGrid->GetRowCount(), 0);

    EXPECT_EQ(view.OnShowLoadModel(0, Param(*c.bridgeSets[0])), 0);
    EXPECT_EQ(view.GetSummary(), L"3 - Short: Bridge Set, 3 bridges, 1-span, span lengths 10.00 m to 20.00 m");

    EXPECT_EQ(view.OnShowLoadModel(0, Param(*c.loadModels[0])), 1);
    EXPECT_EQ(view.GetSummary(), L"7 - Truck: Load Model, 2 axle(s), total axle load 200.00 kN, length 4.00 m, "
                                 L"0 uniform and 0 partial uniform load(s)");
    EXPECT_EQ(view.GetTitle(), L"Tolmerin | Truck");
    EXPECT_EQ(view.m_pGrid->GetRowCount(), 4);
    // The view draws its own copy: the case's model is never the one it shows.
    EXPECT_NE(view.m_pDrawCtrl->GetLoadModel(), c.loadModels[0]);

    EXPECT_EQ(view.OnShowLoadModel(0, Param(*c.ensembles[1])), 0);
    EXPECT_EQ(view.GetSummary(), L"12 - All: Load Model Ensemble, 2 load model(s)");
    EXPECT_EQ(view.m_pGrid->GetRowCount(), 4); // the table still shows the truck
    EXPECT_EQ(view.GetTitle(), L"Tolmerin | Truck");

    EXPECT_EQ(view.OnShowLoadModel(0, 0), 0); // after a deletion
    EXPECT_EQ(view.GetSummary(), L"12 - All: Load Model Ensemble, 2 load model(s)");
}

// Axles of 100, 120 and 80 kN at 0, -4 and -10 m: spacings 0 (the first), 4 and 6 m;
// totals 300 kN over 10 m.
TEST(MainView, AxleTableGivesWeightsSpacingsAndTotals)
{
    CQELView view;
    view.FillAxleGrid(MakeVehicle(3, L"Semi", {{100.0, 0.0}, {120.0, -4.0}, {80.0, -10.0}}));
    CGridCtrl& grid = *view.m_pGrid;
    ASSERT_EQ(grid.GetRowCount(), 5);
    ASSERT_EQ(grid.GetColumnCount(), 3);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_EQ(grid.GetFixedColumnCount(), 1);
    EXPECT_EQ(grid.GetItemText(0, 0), L"Axle");
    EXPECT_EQ(grid.GetItemText(0, 1), L"Weight");
    EXPECT_EQ(grid.GetItemText(0, 2), L"Spacing");
    EXPECT_EQ(grid.GetItemText(1, 0), L"Totals");
    EXPECT_EQ(grid.GetItemText(4, 0), L"3");
    const double expected[4][2] = {{300.0, 10.0}, {100.0, 0.0}, {120.0, 4.0}, {80.0, 6.0}};
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 2; ++col)
            EXPECT_DOUBLE_EQ(qeltest::CellValue(&grid, r + 1, col + 1), expected[r][col]) << r << "," << col;

    // No axles: headings and totals of zero. One axle 2 m behind the front: spacing 2, length 0.
    view.FillAxleGrid(std::make_shared<CLoadModel>(4, L"Lane"));
    ASSERT_EQ(grid.GetRowCount(), 2);
    EXPECT_DOUBLE_EQ(qeltest::CellValue(&grid, 1, 1), 0.0);
    EXPECT_DOUBLE_EQ(qeltest::CellValue(&grid, 1, 2), 0.0);
    view.FillAxleGrid(MakeVehicle(5, L"Single", {{50.0, -2.0}}));
    ASSERT_EQ(grid.GetRowCount(), 3);
    EXPECT_DOUBLE_EQ(qeltest::CellValue(&grid, 2, 2), 2.0);
    EXPECT_DOUBLE_EQ(qeltest::CellValue(&grid, 1, 2), 0.0);
}

// 1000 x 600 with the default gaps (top 10, left 10, right 10, between 5):
//   h = 0.4 * 600 = 240; width shared 1000 - 25 = 975: sketch 0.75 * 975 = 731.25 -> 731,
//   table 244. With the instructions on the pair sits at the top gap; without, 40 % of
//   the free height 360 lies above it: 144.
TEST(MainView, LayoutAndInstructionsFollowTheSetting)
{
    SmallCase c;
    for (bool on : {true, false}) {
        InstructionsSetting setting(on);
        CQELView view;
        view.resize(1000, 600);
        view.show();
        view.OnShowLoadModel(0, Param(*c.loadModels[0]));
        QApplication::processEvents();
        const QRect sketch = view.m_pDrawCtrl->GetSafeHwnd()->geometry();
        const QRect table = view.m_pGrid->GetSafeHwnd()->geometry();
        const int top = on ? 10 : 144;
        EXPECT_EQ(sketch, QRect(10, top, 731, 240)) << on;
        EXPECT_EQ(table, QRect(746, top, 244, 240)) << on;

        const QImage image = view.grab().toImage();
        // The instructions fill the bottom left corner, below the summary line.
        int dark = 0;
        for (int y = 420; y < 600; ++y)
            for (int x = 0; x < 500; ++x)
                dark += image.pixelColor(x, y).lightness() < 128;
        if (on) {
            EXPECT_GT(dark, 500);
            Screenshot(view, QStringLiteral("MainView"));
        } else {
            EXPECT_EQ(dark, 0);
        }
    }

    // Turning the instructions off in a shown view moves the pair down at once.
    InstructionsSetting on(true);
    CQELView view;
    view.resize(1000, 600);
    view.show();
    QApplication::processEvents();
    g_pSettings->General.SHOWINSTRUCTIONS = false;
    view.OnSettingsChanged();
    EXPECT_EQ(view.m_pDrawCtrl->GetSafeHwnd()->geometry().top(), 144);

    EXPECT_EQ(CQELView::InstructionLines().size(), 15);
    EXPECT_EQ(CQELView::InstructionLines().front(), QStringLiteral("Routine Useage Instructions:"));
}

// The window picture the print preview takes: what the view shows, pixel for pixel.
TEST(MainView, PrintWindowBitmapHoldsTheViewAsShown)
{
    SmallCase c;
    CQELView view;
    view.resize(900, 600);
    view.show();
    view.OnShowLoadModel(0, Param(*c.loadModels[0]));
    QApplication::processEvents();

    CDC* pMemDC = nullptr;
    CBitmap* pBitmap = nullptr;
    view.PrintWindowBitmap(&pMemDC, &pBitmap);
    ASSERT_NE(pMemDC, nullptr);
    ASSERT_NE(pBitmap, nullptr);
    EXPECT_EQ(pMemDC->GetCurrentBitmap(), pBitmap);
    const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(pBitmap->GetImage(), shown);
    // The client rectangle in tenths of a millimetre, y upwards: 900 px at 96 px per inch
    // is 9.375 in = 2381 tenths; 600 px is 6.25 in = 1587.5 tenths.
    EXPECT_EQ(view.m_rcClient.left, 0);
    EXPECT_EQ(view.m_rcClient.top, 0);
    EXPECT_NEAR(view.m_rcClient.right, 2381, 1);
    EXPECT_NEAR(view.m_rcClient.bottom, -1588, 1);
    delete pMemDC;
    delete pBitmap;

    // Nowhere to put them: nothing is made.
    CBitmap* pUntouched = nullptr;
    EXPECT_EQ(view.PrintWindowBitmap(nullptr, &pUntouched), nullptr);
    EXPECT_EQ(pUntouched, nullptr);
}

// Print Preview pictures the view first, keeps a bitmap file of it while the preview is
// open, and lets go of all of it when the preview closes.
TEST(MainView, ThePreviewCapturesTheWindowAndLetsGoAfterwards)
{
    SmallCase c;
    CQELView view;
    view.resize(640, 400);
    view.show();
    view.OnShowLoadModel(0, Param(*c.loadModels[0]));
    QApplication::processEvents();

    QString bitmapFile;
    QByteArray head;
    bool bCaptured = false;
    qeltest::ModalAnswer answer([&](QDialog& dlg) {
        bitmapFile = view.GetPreviewBitmapPath();
        bCaptured = view.m_hDIB != nullptr;
        QFile file(bitmapFile);
        if (file.open(QIODevice::ReadOnly))
            head = file.read(2);
        dlg.reject();
    });
    view.OnFilePrintPreview();
    ASSERT_TRUE(answer.Answered());
    EXPECT_TRUE(bCaptured);
    ASSERT_FALSE(bitmapFile.isEmpty());
    // The file was a bitmap while the preview was open, and is gone now.
    EXPECT_EQ(head, QByteArray("BM"));
    EXPECT_FALSE(QFile::exists(bitmapFile));
    EXPECT_EQ(view.m_hDIB, nullptr);
    EXPECT_EQ(view.m_pMemDC, nullptr);
    EXPECT_EQ(view.m_pBitmap, nullptr);
    EXPECT_TRUE(view.GetPreviewBitmapPath().isEmpty());
}
