// The tables of every output kind, filled from the hand-checkable case of ViewTestUtil.h.
#include "ViewTestUtil.h"

#include "platform/wnd/PaintDC.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <cmath>
#include "TestOptions.h"

using namespace viewtest;

namespace {

class GridViewTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }

    CGridView* Open() { return host.Open(std::make_unique<CGridView>()); }

    // The data row whose cell in col holds value, -1 when none does.
    static int RowWhere(CGridCtrl* grid, int col, double value)
    {
        for (int r = 1; r < grid->GetRowCount(); ++r)
            if (std::fabs(CellValue(grid, r, col) - value) < 1e-9)
                return r;
        return -1;
    }

    static double ColumnMax(CGridCtrl* grid, int col)
    {
        double m = -1e300;
        for (int r = 1; r < grid->GetRowCount(); ++r)
            m = std::max(m, CellValue(grid, r, col));
        return m;
    }

    static double ColumnMin(CGridCtrl* grid, int col)
    {
        double m = 1e300;
        for (int r = 1; r < grid->GetRowCount(); ++r)
            m = std::min(m, CellValue(grid, r, col));
        return m;
    }

    // The grid as its Save writes it, line by line.
    static void SavedLines(CGridCtrl* grid, QStringList& lines)
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("table.csv"));
        ASSERT_TRUE(grid->Save(path.toStdWString().c_str()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        lines = QString::fromLocal8Bit(file.readAll()).split(QStringLiteral("\r\n"));
    }

    MdiHost host;
};

using H = std::vector<std::wstring>;

} // namespace

TEST_F(GridViewTest, SinglePositionTableFollowsTheStaticsOfTheAxleAtMidspan)
{
    CGridView* view = Open();
    auto out = SinglePosition();
    view->SetSinglePositionOutput(true, out);
    CGridCtrl* grid = view->m_pGrid;
    EXPECT_EQ(Headings(grid), (H{L"", L"x Beam (m)", L"Moment (kNm)", L"Shear (kN)"}));
    EXPECT_EQ(view->m_spGridOutput, out);
    std::vector<double> x, m;
    out->GetResults<CBeamResults>()->GetResults(x, m, BRT_MOMENT);
    // Every station of the solver but the two zero stations that close the span's diagrams.
    ASSERT_EQ(grid->GetRowCount(), static_cast<int>(x.size()) - 2 + 1);
    // At the supports the real ends of the span: V = R1 = +50 at x = 0, -R2 = -50 at x = L.
    EXPECT_NEAR(CellValue(grid, 1, 1), 0.0, 1e-12);
    EXPECT_NEAR(CellValue(grid, 1, 3), 50.0, 1e-6);
    EXPECT_NEAR(CellValue(grid, grid->GetRowCount() - 1, 1), kL, 1e-9);
    EXPECT_NEAR(CellValue(grid, grid->GetRowCount() - 1, 3), -50.0, 1e-6);

    // Left of the axle M = R1 x = 50 x and V = 50; the peak P L / 4 = 250 lies under it.
    const int quarter = RowWhere(grid, 1, 2.5);
    ASSERT_GT(quarter, 0);
    EXPECT_NEAR(CellValue(grid, quarter, 2), 125.0, 1e-6);
    EXPECT_NEAR(CellValue(grid, quarter, 3), 50.0, 1e-6);
    EXPECT_NEAR(ColumnMax(grid, 2), 250.0, 1e-6);
    EXPECT_NEAR(ColumnMin(grid, 3), -50.0, 1e-6);
    // Lengths with the settings' 3 decimals, effects with 2, row numbers from 1.
    EXPECT_EQ(CellText(grid, quarter, 1), L"2.500");
    EXPECT_EQ(CellText(grid, quarter, 2), L"125.00");
    EXPECT_EQ(CellText(grid, 1, 0), L"1");
}

// Two continuous spans of 20 m, 100 kN at the middle of the first. By the three-moment
// equation the support moment is M_B = -3 P L / 32 = -3 x 100 x 20 / 32 = -187.5 kNm; then
// R_A = P / 2 + M_B / L = 40.625 kN, R_C = M_B / L = -9.375 kN, R_B = P - R_A - R_C = 68.75 kN.
// Shear (forces left of the section, upwards positive): R_A - P = -59.375 kN just left of B,
// -59.375 + R_B = +9.375 kN just right of it.
TEST_F(GridViewTest, AnInteriorSupportShowsItsMomentNotAFalseZero)
{
    CGridView* view = Open();
    view->SetSinglePositionOutput(true, TwoSpansLoadedInTheFirst());
    CGridCtrl* grid = view->m_pGrid;

    std::vector<int> atB;
    for (int r = 1; r < grid->GetRowCount(); ++r)
        if (std::fabs(CellValue(grid, r, 1) - 20.0) < 1e-9)
            atB.push_back(r);
    // The end of span 1 and the start of span 2: one moment, the shear either side.
    ASSERT_EQ(atB.size(), 2u);
    EXPECT_EQ(atB[1], atB[0] + 1);
    for (int r : atB) {
        EXPECT_NEAR(CellValue(grid, r, 2), -187.5, 1e-6) << r;
        EXPECT_EQ(CellText(grid, r, 2), L"-187.50");
    }
    EXPECT_NEAR(CellValue(grid, atB[0], 3), -59.375, 1e-6);
    EXPECT_NEAR(CellValue(grid, atB[1], 3), 9.375, 1e-6);
    // The beam's ends: the real first and last stations, no zero shear rows.
    const int last = grid->GetRowCount() - 1;
    EXPECT_NEAR(CellValue(grid, 1, 3), 40.625, 1e-6);
    EXPECT_NEAR(CellValue(grid, last, 1), 40.0, 1e-9);
    EXPECT_NEAR(CellValue(grid, last, 3), 9.375, 1e-6);
    // Under the load: M = R_A a = 40.625 x 10 = 406.25 kNm.
    EXPECT_NEAR(CellValue(grid, RowWhere(grid, 1, 10.0), 2), 406.25, 1e-6);

    // The same in a file: one line per row, no "0.00" moment at x = 20.
    QStringList lines;
    ASSERT_NO_FATAL_FAILURE(SavedLines(grid, lines));
    int matching = 0;
    for (const QString& line : lines) {
        const QStringList cells = line.split(QLatin1Char(';'));
        if (cells.size() == 4 && cells[1] == QStringLiteral("20.000")) {
            ++matching;
            EXPECT_EQ(cells[2], QStringLiteral("-187.50"));
        }
    }
    EXPECT_EQ(matching, 2);
}

// Envelopes over the same two spans: the tables keep the support moment too.
TEST_F(GridViewTest, EnvelopeTablesLeaveOutTheClosingStations)
{
    auto bridge = CBridge::Create(1, L"2 x 20", BC_TWOSPAN, 20.0);
    auto out = MovingLoad(false, bridge);
    CGridView* view = Open();
    view->SetMovingLoadOutput(0, true, out);
    CGridCtrl* grid = view->m_pGrid;
    const auto bmd = out->GetResults<CEnvelopeResults>()->GetEnvBMD();
    // Two spans, each with two closing stations.
    ASSERT_EQ(grid->GetRowCount(), static_cast<int>(bmd->m_vMax.size()) - 4 + 1);
    int atB = 0;
    for (int r = 1; r < grid->GetRowCount(); ++r)
        if (std::fabs(CellValue(grid, r, 1) - 20.0) < 1e-9) {
            ++atB;
            // Some position of the axle hogs the support: its minimum moment is below zero.
            EXPECT_LT(CellValue(grid, r, 4), -1.0) << r;
        }
    EXPECT_EQ(atB, 2);
}

TEST_F(GridViewTest, SinglePositionReactionsAreOneRowHeadedValue)
{
    CGridView* view = Open();
    // Axle at a = 2.5: R1 = P (L - a) / L = 75, R2 = P a / L = 25.
    view->SetSinglePositionOutput(false, SinglePosition(2.5));
    CGridCtrl* grid = view->m_pGrid;
    EXPECT_EQ(Headings(grid), (H{L"", L"Reaction - 1", L"Reaction - 2"}));
    ASSERT_EQ(grid->GetRowCount(), 2);
    EXPECT_EQ(CellText(grid, 1, 0), L"Value");
    EXPECT_NEAR(CellValue(grid, 1, 1), 75.0, 1e-6);
    EXPECT_NEAR(CellValue(grid, 1, 2), 25.0, 1e-6);
}

TEST_F(GridViewTest, MovingLoadEnvelopeTable)
{
    CGridView* view = Open();
    auto out = MovingLoad();
    view->SetMovingLoadOutput(1, true, out); // the show-each flag changes nothing in a table
    CGridCtrl* grid = view->m_pGrid;
    EXPECT_EQ(Headings(grid), (H{L"", L"x Beam", L"BMD - Max", L"x Load Model", L"BMD - Min", L"x Load Model",
                                 L"SFD - Max", L"x Load Model", L"SFD - Min", L"x Load Model"}));
    const auto bmd = out->GetResults<CEnvelopeResults>()->GetEnvBMD();
    // Every station but the two zero stations that close the span's diagrams.
    ASSERT_EQ(grid->GetRowCount(), static_cast<int>(bmd->m_vMax.size()) - 2 + 1);

    // The largest moment, P L / 4 = 250 at midspan with the axle there.
    const int peak = RowWhere(grid, 2, ColumnMax(grid, 2));
    EXPECT_NEAR(CellValue(grid, peak, 2), 250.0, 1e-6);
    EXPECT_NEAR(CellValue(grid, peak, 1), 5.0, 1e-9);
    EXPECT_NEAR(CellValue(grid, peak, 3), 5.0, 1e-9);
    // No load lifts a simple span: the minimum moment is 0 everywhere.
    EXPECT_NEAR(ColumnMin(grid, 4), 0.0, 1e-9);
    EXPECT_NEAR(ColumnMax(grid, 4), 0.0, 1e-9);
    // End shear one step in: P (L - s) / L = 95, and -95 at the other end.
    EXPECT_NEAR(ColumnMax(grid, 6), 95.0, 1e-6);
    EXPECT_NEAR(ColumnMin(grid, 8), -95.0, 1e-6);
    EXPECT_FALSE(grid->IsCellEditable(1, 2));
}

TEST_F(GridViewTest, MovingLoadReactionTable)
{
    CGridView* view = Open();
    view->SetMovingLoadOutput(0, false, MovingLoad());
    CGridCtrl* grid = view->m_pGrid;
    // Two supports: 2 S + 1 = 5 data columns.
    EXPECT_EQ(Headings(grid), (H{L"", L"x Load Model", L"Reaction 1 - Max", L"Reaction 1 - Min", L"Reaction 2 - Max",
                                 L"Reaction 2 - Min"}));
    // Positions from -s (off the beam) to L in steps of s: (L + s) / s + 1 = 22 rows.
    ASSERT_EQ(grid->GetRowCount(), 22 + 1);
    EXPECT_NEAR(CellValue(grid, 1, 1), -0.5, 1e-9);
    EXPECT_NEAR(CellValue(grid, 22, 1), 10.0, 1e-9);
    const int row = RowWhere(grid, 1, 2.5);
    ASSERT_GT(row, 0);
    EXPECT_NEAR(CellValue(grid, row, 2), 75.0, 1e-6);
    EXPECT_NEAR(CellValue(grid, row, 4), 25.0, 1e-6);
    // At position 0 the axle stands on the left support and bears on it alone: P.
    EXPECT_NEAR(ColumnMax(grid, 2), 100.0, 1e-6);
}

TEST_F(GridViewTest, MultiMovingLoadTablesNameTheGoverningLoadModel)
{
    auto out = MultiMovingLoad();
    CGridView* view = Open();
    view->SetMultiMovingLoadOutput(1, true, out);
    CGridCtrl* grid = view->m_pGrid;
    EXPECT_EQ(Headings(grid), (H{L"", L"x Beam", L"BMD - Max", L"Load Model", L"BMD - Min", L"Load Model", L"SFD - Max",
                                 L"Load Model", L"SFD - Min", L"Load Model"}));
    const int peak = RowWhere(grid, 2, ColumnMax(grid, 2));
    EXPECT_NEAR(CellValue(grid, peak, 2), 250.0, 1e-6); // the 100 kN axle governs
    EXPECT_NEAR(CellValue(grid, peak, 1), 5.0, 1e-9);
    EXPECT_EQ(CellText(grid, peak, 3), L"Axle 100");
    EXPECT_EQ(dynamic_cast<CGridCellNumeric*>(grid->GetCell(peak, 3)), nullptr); // a text cell
    EXPECT_EQ(grid->GetCell(peak, 3)->GetFormat(), 0x8824u);

    CGridView* reactions = Open();
    reactions->SetMultiMovingLoadOutput(0, false, out);
    grid = reactions->m_pGrid;
    // Two supports: 4 S + 1 = 9 data columns.
    EXPECT_EQ(Headings(grid),
              (H{L"", L"x Load Model", L"Reaction 1 - Max", L"Critical LM", L"Reaction 1 - Min", L"Critical LM",
                 L"Reaction 2 - Max", L"Critical LM", L"Reaction 2 - Min", L"Critical LM"}));
    ASSERT_EQ(grid->GetRowCount(), 22 + 1);
    EXPECT_EQ(CellText(grid, 1, 1), L"Point 1");
    EXPECT_EQ(CellText(grid, 22, 1), L"Point 22");
    const int top = RowWhere(grid, 2, ColumnMax(grid, 2));
    EXPECT_NEAR(CellValue(grid, top, 2), 100.0, 1e-6); // the axle on the support
    EXPECT_EQ(CellText(grid, top, 3), L"Axle 100");
}

TEST_F(GridViewTest, BridgeRangeTablesListEveryBridge)
{
    auto out = BridgeRange();
    CGridView* view = Open();
    view->SetBridgeRangeOutput(true, out);
    CGridCtrl* grid = view->m_pGrid;
    EXPECT_EQ(Headings(grid).size(), 15u);
    EXPECT_EQ(Headings(grid)[3], L"BMD - Max");
    ASSERT_EQ(grid->GetRowCount(), 3);
    // Per bridge L = 10, 20: M = P L / 4 at x = L / 2, end shear P (L - s) / L.
    const double L[2] = {10.0, 20.0};
    for (int i = 0; i < 2; ++i) {
        const int r = i + 1;
        EXPECT_NEAR(CellValue(grid, r, 1), L[i], 1e-9);
        EXPECT_NEAR(CellValue(grid, r, 2), L[i], 1e-9);
        EXPECT_NEAR(CellValue(grid, r, 3), kP * L[i] / 4, 1e-6);
        EXPECT_NEAR(CellValue(grid, r, 4), L[i] / 2, 1e-9);
        EXPECT_NEAR(CellValue(grid, r, 5), L[i] / 2, 1e-9);
        EXPECT_NEAR(CellValue(grid, r, 9), kP * (L[i] - kStep) / L[i], 1e-6);
        EXPECT_NEAR(CellValue(grid, r, 12), -kP * (L[i] - kStep) / L[i], 1e-6);
    }
    EXPECT_EQ(CellText(grid, 1, 1), L"10.00"); // spans with the settings' 2 decimals

    CGridView* reactions = Open();
    reactions->SetBridgeRangeOutput(false, out);
    grid = reactions->m_pGrid;
    // Two supports: 4 S + 2 = 10 data columns.
    EXPECT_EQ(Headings(grid),
              (H{L"", L"Bridge Span", L"Bridge Length", L"Reaction 1 - Max", L"x Load Model", L"Reaction 1 - Min",
                 L"x Load Model", L"Reaction 2 - Max", L"x Load Model", L"Reaction 2 - Min", L"x Load Model"}));
    // Each end reaction is largest, P, with the axle standing on that support.
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(CellValue(grid, i + 1, 3), kP, 1e-6);
        EXPECT_NEAR(CellValue(grid, i + 1, 4), 0.0, 1e-9);
        EXPECT_NEAR(CellValue(grid, i + 1, 7), kP, 1e-6);
        EXPECT_NEAR(CellValue(grid, i + 1, 8), L[i], 1e-9);
    }
}

TEST_F(GridViewTest, ReferenceSetAndCriticalRatioTables)
{
    auto coll = Collection({TwoLengths()});
    auto refSet = coll->GetRefSet(0);
    const double L[2] = {10.0, 20.0};

    struct Case {
        const char* name;
        std::function<void(CGridView*)> fill;
        bool bBMSF;
        double scale; // reference values, or the ratio 2 of the proposed 200 kN axle
    };
    const Case cases[] = {
        {"reference set BM & SF",
         [&](CGridView* v) { v->SetRefSetOutput(true, std::make_shared<CAOReferenceSet>(refSet, false)); }, true, 1.0},
        {"reference set reactions",
         [&](CGridView* v) { v->SetRefSetOutput(false, std::make_shared<CAOReferenceSet>(refSet, false)); }, false,
         1.0},
        {"critical ratios BM & SF",
         [&](CGridView* v) {
             v->SetCriticalRatiosOutput(
                 true, std::make_shared<CAOCriticalRatios>(coll->GetCriticalRatioEnsembles()[0], coll, refSet));
         },
         true, 0.0},
        {"critical ratios reactions",
         [&](CGridView* v) {
             v->SetCriticalRatiosOutput(
                 false, std::make_shared<CAOCriticalRatios>(coll->GetCriticalRatioEnsembles()[0], coll, refSet));
         },
         false, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridView* view = Open();
        c.fill(view);
        CGridCtrl* grid = view->m_pGrid;
        if (c.bBMSF)
            EXPECT_EQ(Headings(grid), (H{L"", L"Bridge Span", L"Bridge Length", L"BMD - Max", L"BMD - Min",
                                         L"SFD - Max", L"SFD - Min"}));
        else // two supports: 2 S + 2 = 6 data columns
            EXPECT_EQ(Headings(grid), (H{L"", L"Bridge Span", L"Bridge Length", L"Reaction 1 - Max",
                                         L"Reaction 1 - Min", L"Reaction 2 - Max", L"Reaction 2 - Min"}));
        ASSERT_EQ(grid->GetRowCount(), 3);
        for (int i = 0; i < 2; ++i) {
            const int r = i + 1;
            EXPECT_NEAR(CellValue(grid, r, 1), L[i], 1e-9);
            const double endShear = kP * (L[i] - kStep) / L[i];
            // The largest end reaction is P, with the axle standing on the support.
            const double first = c.bBMSF ? kP * L[i] / 4 : kP;
            if (c.scale > 0) {
                EXPECT_NEAR(CellValue(grid, r, 3), first, 1e-6);
                if (c.bBMSF) {
                    EXPECT_NEAR(CellValue(grid, r, 6), -endShear, 1e-6);
                }
            } else {
                EXPECT_NEAR(CellValue(grid, r, 3), 2.0, 1e-9);
                EXPECT_EQ(CellText(grid, r, 3), L"2.000"); // ratios with the settings' 3 decimals
                if (c.bBMSF) {
                    EXPECT_NEAR(CellValue(grid, r, 6), 2.0, 1e-9);
                }
            }
        }
    }
}

// Two-span bridges: the interior reaction is never negative under one axle and is 0 with
// the axle off the bridge or on an end support, so its reference minimum is 0 and the
// ratio against it is undefined. Every other effect of the 200 kN axle is twice the
// 100 kN one's: ratio 2.
TEST_F(GridViewTest, ARatioAgainstAZeroReferenceIsNotAvailable)
{
    auto coll = Collection({TwoLengths(BC_TWOSPAN)});
    auto out = std::make_shared<CAOCriticalRatios>(coll->GetCriticalRatioEnsembles()[0], coll, coll->GetRefSet(0));
    CGridView* view = Open();
    view->SetCriticalRatiosOutput(false, out);
    CGridCtrl* grid = view->m_pGrid;
    ASSERT_EQ(Headings(grid), (H{L"", L"Bridge Span", L"Bridge Length", L"Reaction 1 - Max", L"Reaction 1 - Min",
                                 L"Reaction 2 - Max", L"Reaction 2 - Min", L"Reaction 3 - Max", L"Reaction 3 - Min"}));
    ASSERT_EQ(grid->GetRowCount(), 3);
    for (int r = 1; r <= 2; ++r) {
        EXPECT_EQ(CellText(grid, r, 6), L"n/a") << r;
        for (int c : {3, 4, 5, 7, 8})
            EXPECT_EQ(CellText(grid, r, c), L"2.000") << r << "," << c;
    }

    QStringList lines;
    ASSERT_NO_FATAL_FAILURE(SavedLines(grid, lines));
    ASSERT_GT(lines.size(), 3);
    const QStringList cells = lines[2].split(QLatin1Char(';'));
    ASSERT_EQ(cells.size(), 9);
    EXPECT_EQ(cells[6], QString());
    EXPECT_EQ(cells[5], QStringLiteral("2.000"));

    // The summary's pier ratio takes the defined side of the pair: 2.
    CGridView* summary = Open();
    summary->FillEnhancedGridOutput(std::make_shared<CAOEnhanced>(coll));
    EXPECT_EQ(Headings(summary->m_pGrid).back(), L"Pier");
    EXPECT_EQ(CellText(summary->m_pGrid, 1, 6), L"2.000");
}

TEST_F(GridViewTest, CompareEnvelopesShowsReferenceAndProposedSideBySide)
{
    auto coll = Collection({TwoLengths()});
    auto refSet = coll->GetRefSet(0);
    // Bridge 1 is the 20 m span: reference M = 500, proposed (200 kN) 1000 kNm.
    CGridView* view = Open();
    view->SetCompareEnvelopesOutput(true, std::make_shared<CAOCompareRefSetEnvs>(false, 1, refSet));
    CGridCtrl* grid = view->m_pGrid;
    EXPECT_EQ(Headings(grid), (H{L"", L"x Beam", L"Ref BMD - Max", L"Ref BMD - Min", L"Ref SFD - Max", L"Ref SFD - Min",
                                 L"Prop BMD - Max", L"Prop BMD - Min", L"Prop SFD - Max", L"Prop SFD - Min"}));
    EXPECT_NEAR(ColumnMax(grid, 2), 500.0, 1e-6);
    EXPECT_NEAR(ColumnMax(grid, 6), 1000.0, 1e-6);
    EXPECT_NEAR(CellValue(grid, RowWhere(grid, 2, ColumnMax(grid, 2)), 1), 10.0, 1e-9);

    CGridView* reactions = Open();
    reactions->SetCompareEnvelopesOutput(false, std::make_shared<CAOCompareRefSetEnvs>(false, 1, refSet));
    grid = reactions->m_pGrid;
    EXPECT_EQ(Headings(grid), (H{L"", L"Ref x Load Model", L"Reaction 1 - Max", L"Reaction 1 - Min",
                                 L"Reaction 2 - Max", L"Reaction 2 - Min", L"Prop x Load Model", L"Reaction 1 - Max",
                                 L"Reaction 1 - Min", L"Reaction 2 - Max", L"Reaction 2 - Min"}));
    // R1 max = P with the axle on the support: 100, and 200 under the 200 kN axle.
    EXPECT_NEAR(ColumnMax(grid, 2), 100.0, 1e-6);
    EXPECT_NEAR(ColumnMax(grid, 7), 200.0, 1e-6);
}

// Bounded loops: an index outside the set shows the headings only, no error.
TEST_F(GridViewTest, CompareIndexOutsideTheSetGivesTheHeadingsOnly)
{
    auto refSet = Collection({TwoLengths()})->GetRefSet(0);
    for (int index : {2, -1}) {
        for (bool bBMSF : {true, false}) {
            CGridView* view = Open();
            view->SetCompareEnvelopesOutput(bBMSF, std::make_shared<CAOCompareRefSetEnvs>(false, index, refSet));
            CGridCtrl* grid = view->m_pGrid;
            EXPECT_EQ(grid->GetRowCount(), 1) << index;
            EXPECT_EQ(CellText(grid, 0, 1), bBMSF ? L"x Beam" : L"Ref x Load Model");
            // Laid out under the title even with no data rows.
            CRect rc;
            grid->GetWindowRect(&rc);
            EXPECT_GT(rc.Height(), 0);
        }
    }
}

TEST_F(GridViewTest, EnhancedTableAddsABlockPerReferenceSet)
{
    // Set 0: one-span 10 and 20 m (3 columns); set 1: one two-span bridge (5 columns, one
    // bridge only, so its second row stays blank).
    auto twoSpan = std::make_shared<CBridgeSet>(2, L"Two spans 10", BC_TWOSPAN, 10.0, 10.0, 10.0);
    auto coll = Collection({TwoLengths(), twoSpan});
    auto out = std::make_shared<CAOEnhanced>(coll);
    CGridView* view = Open();
    view->FillEnhancedGridOutput(out);
    CGridCtrl* grid = view->m_pGrid;
    EXPECT_EQ(view->m_sTitle, L"Enhanced Grid Output |" + out->Describe());
    EXPECT_EQ(Headings(grid), (H{L"", L"Bridge Span", L"Moment", L"Shear", L"Abutment", L"Moment - Sag",
                                 L"Moment - Hog", L"Shear", L"Abutment", L"Pier"}));
    ASSERT_EQ(grid->GetRowCount(), 3);
    EXPECT_NEAR(CellValue(grid, 2, 1), 20.0, 1e-9);
    for (int c : {2, 3, 4, 5, 7, 8})
        EXPECT_NEAR(CellValue(grid, 1, c), 2.0, 1e-9) << c;
    for (int c = 5; c <= 9; ++c)
        EXPECT_EQ(CellText(grid, 2, c), L"") << c;
    view->GetSafeHwnd()->grab().save(ScreenshotPath(QStringLiteral("grid-view-enhanced")));
}

TEST_F(GridViewTest, EnhancedTableWithoutReferenceSetsIsEmpty)
{
    auto coll =
        std::make_shared<CReferenceCollection>(1, L"Empty", Stepping{.bByStep = true, .step = kStep, .nSteps = 0});
    CGridView* view = Open();
    view->FillEnhancedGridOutput(std::make_shared<CAOEnhanced>(coll));
    EXPECT_EQ(view->m_pGrid->GetRowCount(), 1);
}

TEST_F(GridViewTest, GridFillsTheViewBelowTheTitleAndStretchesWithIt)
{
    CGridView* view = Open();
    view->SetMovingLoadOutput(0, false, MovingLoad());
    CGridCtrl* grid = view->m_pGrid;
    auto check = [&] {
        CRect client, rc;
        view->GetClientRect(&client);
        grid->GetWindowRect(&rc);
        view->ScreenToClient(&rc);
        const int titleText = view->MeasureText(view->m_sTitle, nullptr).cy;
        EXPECT_EQ(rc.top, titleText + 2 * view->m_nGapTop);
        EXPECT_EQ(rc.bottom, client.bottom);
        EXPECT_EQ(rc.Width(), client.Width());
    };
    check();
    view->GetSafeHwnd()->parentWidget()->resize(900, 420);
    QTest::qWait(1);
    check();
    CRect gridClient;
    grid->GetClientRect(&gridClient);
    int total = 0;
    for (int c = 0; c < grid->GetColumnCount(); ++c)
        total += grid->GetColumnWidth(c);
    EXPECT_EQ(total, gridClient.Width());

    // Narrower than the table: the columns keep their headings whole and the grid scrolls.
    view->GetSafeHwnd()->parentWidget()->resize(260, 420);
    QTest::qWait(1);
    CClientDC dc(grid);
    for (int c = 1; c < grid->GetColumnCount(); ++c)
        EXPECT_GE(grid->GetColumnWidth(c), grid->GetCell(0, c)->GetCellExtent(&dc).cx) << c;
    // The row numbers take the width of their longest number only.
    EXPECT_EQ(grid->GetColumnWidth(0), grid->GetCell(22, 0)->GetCellExtent(&dc).cx);
    EXPECT_TRUE(grid->IsScrollBarShown(SB_HORZ));
}

// Tables show the user's number format; the CSV file and the clipboard get '.' decimals
// without grouping, as a spreadsheet reading "sep=;" needs in any locale.
TEST_F(GridViewTest, CsvAndClipboardUseAPointWhateverTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto refSet = Collection({TwoLengths()})->GetRefSet(0);
    CGridView* view = Open();
    view->SetCompareEnvelopesOutput(true, std::make_shared<CAOCompareRefSetEnvs>(false, 1, refSet));
    CGridCtrl* grid = view->m_pGrid;
    const int peak = RowWhere(grid, 6, 1000.0); // proposed 200 kN axle on 20 m: P L / 4
    ASSERT_GT(peak, 0);
    EXPECT_EQ(CellText(grid, peak, 6), L"1.000,00");
    EXPECT_EQ(CellText(grid, peak, 1), L"10,000");

    QStringList lines;
    ASSERT_NO_FATAL_FAILURE(SavedLines(grid, lines));
    ASSERT_GT(lines.size(), peak + 1);
    EXPECT_EQ(lines[0], QStringLiteral("sep=;"));
    const QStringList cells = lines[peak + 1].split(QLatin1Char(';'));
    ASSERT_EQ(cells.size(), 10);
    EXPECT_EQ(cells[1], QStringLiteral("10.000"));
    EXPECT_EQ(cells[6], QStringLiteral("1000.00"));
    EXPECT_EQ(lines[1].split(QLatin1Char(';'))[6], QStringLiteral("Prop BMD - Max"));

    grid->SetSelectedRange(peak, 1, peak, 6);
    std::string copied;
    ASSERT_TRUE(grid->CopyTextFromGrid(copied));
    EXPECT_EQ(copied.substr(0, 6), "10.000");
    EXPECT_NE(copied.find("\t1000.00"), std::string::npos);
    QLocale::setDefault(QLocale::c());
}
