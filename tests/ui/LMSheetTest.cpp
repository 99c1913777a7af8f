#include "LMEditorTestUtil.h"

#include "core/analysis/SinglePosAnalysis.h"
#include "core/beam/BeamResults.h"
#include "core/bridge/Bridge.h"
#include "core/loads/LoadModel.h"
#include "ui/lmsheet/PropSheetLM.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include "TestOptions.h"

using namespace lmtest;

namespace {

void ExpectSameModel(const CLoadModel& a, const CLoadModel& b)
{
    EXPECT_EQ(a.m_Description, b.m_Description);
    EXPECT_EQ(a.m_Direction, b.m_Direction);
    EXPECT_EQ(a.m_bIsMoving, b.m_bIsMoving);
    ASSERT_EQ(a.m_vPL.size(), b.m_vPL.size());
    for (std::size_t i = 0; i < a.m_vPL.size(); ++i) {
        EXPECT_EQ(a.m_vPL[i].magnitude, b.m_vPL[i].magnitude) << "axle " << i;
        EXPECT_EQ(a.m_vPL[i].location, b.m_vPL[i].location) << "axle " << i;
        EXPECT_EQ(a.m_vPL[i].width, b.m_vPL[i].width) << "axle " << i;
        EXPECT_EQ(a.m_vPL[i].gamma, b.m_vPL[i].gamma) << "axle " << i;
    }
    ASSERT_EQ(a.m_vUDL.size(), b.m_vUDL.size());
    for (std::size_t i = 0; i < a.m_vUDL.size(); ++i) {
        EXPECT_EQ(a.m_vUDL[i].magnitude, b.m_vUDL[i].magnitude);
        EXPECT_EQ(a.m_vUDL[i].gamma, b.m_vUDL[i].gamma);
    }
    ASSERT_EQ(a.m_vPUDL.size(), b.m_vPUDL.size());
    for (std::size_t i = 0; i < a.m_vPUDL.size(); ++i) {
        EXPECT_EQ(a.m_vPUDL[i].magnitude, b.m_vPUDL[i].magnitude);
        EXPECT_EQ(a.m_vPUDL[i].location, b.m_vPUDL[i].location);
        EXPECT_EQ(a.m_vPUDL[i].cover, b.m_vPUDL[i].cover);
        EXPECT_EQ(a.m_vPUDL[i].gamma, b.m_vPUDL[i].gamma);
    }
    EXPECT_EQ(a.m_GammaPL, b.m_GammaPL);
    EXPECT_EQ(a.m_GammaUDL, b.m_GammaUDL);
    EXPECT_EQ(a.m_GammaPUDL, b.m_GammaPUDL);
    EXPECT_EQ(a.m_gDLA.value, b.m_gDLA.value);
    EXPECT_EQ(a.m_Gamma, b.m_Gamma);
    EXPECT_EQ(a.m_WidthFactor, b.m_WidthFactor);
    EXPECT_EQ(a.m_bAdjustToBridge, b.m_bAdjustToBridge);
    EXPECT_EQ(a.m_lmBridge, b.m_lmBridge);
    EXPECT_EQ(a.m_bUseMinL, b.m_bUseMinL);
    EXPECT_EQ(a.m_bUseMaxL, b.m_bUseMaxL);
    EXPECT_EQ(a.m_minL, b.m_minL);
    EXPECT_EQ(a.m_maxL, b.m_maxL);
    EXPECT_EQ(a.m_bAppliesBM, b.m_bAppliesBM);
    EXPECT_EQ(a.m_bAppliesSF, b.m_bAppliesSF);
    EXPECT_EQ(a.m_bAppliesR, b.m_bAppliesR);
}

// A two-axle truck: 100 kN at the front, 50 kN 3 m behind, both 2 m wide.
std::shared_ptr<CLoadModel> Truck()
{
    auto lm = std::make_shared<CLoadModel>(7, L"Truck A");
    lm->AddPointLoad(100.0, 0.0, 2.0);
    lm->AddPointLoad(50.0, -3.0, 2.0);
    return lm;
}

// Axles at 0, -3.2 and -8.4 (length 8.4), travelling in reverse.
std::shared_ptr<CLoadModel> ReversedTridem()
{
    auto lm = std::make_shared<CLoadModel>(3, L"Reversed");
    lm->AddPointLoad(60.0, 0.0, 2.0);
    lm->AddPointLoad(80.0, -3.2, 2.0);
    lm->AddPointLoad(80.0, -8.4, 2.0);
    lm->m_Direction = TD_REVERSE;
    lm->Update();
    return lm;
}

// The sheet shown on a model, as the user sees it.
struct SheetFixture {
    EnglishLocale locale;
    std::shared_ptr<CLoadModel> lm;
    CPropSheetLM sheet;

    explicit SheetFixture(std::shared_ptr<CLoadModel> pModel) : lm(std::move(pModel))
    {
        sheet.SetLoadModel(lm);
        sheet.resize(720, 480);
        sheet.Open();
        Activate(&sheet);
    }
    // A click on the page's name in the list.
    void Show(int nPage)
    {
        sheet.PageList()->setCurrentRow(nPage);
        Flush();
    }
    void ChooseRule(const QString& sRule)
    {
        QComboBox* pCombo = sheet.m_pageApplicable.m_cbRules;
        const int nItem = pCombo->findText(sRule);
        pCombo->setCurrentIndex(nItem);
        emit pCombo->activated(nItem);
    }
};

double MaxAbsMoment(const CBeamResults& results)
{
    std::vector<double> x, m;
    results.GetResults(x, m, BRT_MOMENT);
    double dMax = 0.0;
    for (double v : m)
        dMax = std::max(dMax, std::fabs(v));
    return dMax;
}

} // namespace

TEST(PropSheetLM, SixPagesInOrderUnderTheCaption)
{
    SheetFixture f(Truck());
    EXPECT_EQ(f.sheet.windowTitle(), QStringLiteral("Load Model Definition"));
    const char* captions[] = {"Overview", "Vehicle", "UDLs", "Partial UDLs", "Factors", "Applicability"};
    const int templates[] = {319, 320, 321, 324, 322, 323};
    ASSERT_EQ(f.sheet.GetPageCount(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(f.sheet.PageList()->item(i)->text(), QString::fromLatin1(captions[i]));
        EXPECT_EQ(f.sheet.GetPage(i)->GetTemplateId(), templates[i]);
    }
    EXPECT_EQ(f.sheet.PageList()->width(), 150);
    for (int i = 0; i < 6; ++i) {
        f.Show(i);
        SaveScreenshot(&f.sheet, QStringLiteral("lmsheet_%1").arg(i + 1));
    }
}

TEST(PropSheetLM, EditsThroughEveryPageReachTheModel)
{
    SheetFixture f(Truck());
    CPropSheetLM& s = f.sheet;

    TypeIntoField(s.m_pageOverview.m_edDescription, QStringLiteral("Truck B"));
    EXPECT_EQ(f.lm->m_Description, L"Truck B");

    f.Show(1);
    CPropPageLMVehicle& veh = s.m_pageVehicle;
    TypeIntoCell(veh.m_Grid, 1, 1, QStringLiteral("120"));
    TypeIntoCell(veh.m_Grid, 2, 2, QStringLiteral("4.5"));
    // The rear axle now stands its new spacing behind the front one: 0 - 4.5.
    EXPECT_DOUBLE_EQ(f.lm->m_vPL[0].magnitude, 120.0);
    EXPECT_DOUBLE_EQ(f.lm->m_vPL[1].location, -4.5);
    EXPECT_DOUBLE_EQ(veh.m_dTotalWeight, 170.0);
    EXPECT_DOUBLE_EQ(veh.m_dTotalLength, 4.5);
    // A factor typed and then the page left at once.
    TypeIntoField(veh.m_pFactorEdit, QStringLiteral("1.2"));

    f.Show(2);
    EXPECT_DOUBLE_EQ(f.lm->m_GammaPL, 1.2);
    for (const auto& pl : f.lm->m_vPL)
        EXPECT_DOUBLE_EQ(pl.gamma, 1.2);
    // The model has no uniform load: typing into the one empty row makes the first.
    EXPECT_EQ(s.m_pageUDLs.m_Grid.GetRowCount(), 2);
    TypeIntoCell(s.m_pageUDLs.m_Grid, 1, 1, QStringLiteral("9"));
    ASSERT_EQ(f.lm->m_vUDL.size(), 1u);
    EXPECT_DOUBLE_EQ(f.lm->m_vUDL[0].magnitude, 9.0);
    TypeIntoField(s.m_pageUDLs.m_pFactorEdit, QStringLiteral("1.5"));

    f.Show(3);
    EXPECT_DOUBLE_EQ(f.lm->m_GammaUDL, 1.5);
    EXPECT_DOUBLE_EQ(f.lm->m_vUDL[0].gamma, 1.5);
    CGridCtrl& pudl = s.m_pagePartialUDLs.m_Grid;
    TypeIntoCell(pudl, 1, 1, QStringLiteral("-9"));
    TypeIntoCell(pudl, 1, 2, QStringLiteral("-4.5"));
    TypeIntoCell(pudl, 1, 3, QStringLiteral("4.5"));
    ASSERT_EQ(f.lm->m_vPUDL.size(), 1u);
    EXPECT_DOUBLE_EQ(f.lm->m_vPUDL[0].magnitude, -9.0);
    EXPECT_DOUBLE_EQ(f.lm->m_vPUDL[0].location, -4.5);
    EXPECT_DOUBLE_EQ(f.lm->m_vPUDL[0].cover, 4.5);

    f.Show(4);
    // DLA 1.3 with the other three at 1.0: overall 1.3 x 1 x 1 x 1.
    TypeIntoCell(s.m_pageFactors.m_Grid, 1, CPropPageLMFactors::kValueColumn, QStringLiteral("1.3"));
    EXPECT_DOUBLE_EQ(f.lm->m_gDLA.value, 1.3);
    EXPECT_DOUBLE_EQ(f.lm->m_Gamma, 1.3);
    EXPECT_EQ(s.m_pageFactors.m_edGamma->text(), QStringLiteral("1.3"));
    s.m_pageFactors.m_cbWidthFactor->setCurrentIndex(1);
    emit s.m_pageFactors.m_cbWidthFactor->activated(1);
    EXPECT_EQ(f.lm->m_WidthFactor, 1);

    f.Show(5);
    CPropPageLMApplicable& app = s.m_pageApplicable;
    app.m_chkUseMaxL->click();
    EXPECT_TRUE(app.m_edMaxL->isEnabled());
    TypeIntoField(app.m_edMaxL, QStringLiteral("50"));
    app.m_chkR->click();
    f.ChooseRule(QStringLiteral("A36/NAASRA DLA"));
    // OK straight after typing: the typed length still counts.
    s.accept();
    EXPECT_EQ(s.result(), QDialog::Accepted);
    EXPECT_TRUE(f.lm->m_bUseMaxL);
    EXPECT_DOUBLE_EQ(f.lm->m_maxL, 50.0);
    EXPECT_FALSE(f.lm->m_bAppliesR);
    EXPECT_TRUE(f.lm->m_bAdjustToBridge);
    EXPECT_EQ(f.lm->m_lmBridge, BR_A36_DLA);
    EXPECT_EQ(f.lm->m_vPL.size(), 2u);
}

TEST(PropSheetLM, LeavingAPageEndsACellEditStillOpen)
{
    SheetFixture f(Truck());
    f.Show(4);
    CGridCtrl& g = f.sheet.m_pageFactors.m_Grid;
    g.SetFocus();
    g.SetFocusCell(2, CPropPageLMFactors::kValueColumn);
    QTest::keyClick(g.GetSafeHwnd(), '2');
    Flush();
    ASSERT_NE(GridEditor(g), nullptr);
    f.sheet.m_pageFactors.OnKillActive();
    EXPECT_EQ(GridEditor(g), nullptr);
    EXPECT_DOUBLE_EQ(f.lm->m_gLiveLoad.value, 2.0);
    EXPECT_DOUBLE_EQ(f.lm->m_Gamma, 2.0);
}

TEST(PropSheetLM, CancelPutsTheModelBack)
{
    auto lm = Truck();
    const CLoadModel before = *lm;
    SheetFixture f(lm);
    f.Show(1);
    TypeIntoCell(f.sheet.m_pageVehicle.m_Grid, 1, 1, QStringLiteral("999"));
    TypeIntoCell(f.sheet.m_pageVehicle.m_Grid, 2, 2, QStringLiteral("7"));
    f.Show(5);
    f.ChooseRule(QStringLiteral("BS5400 UDL"));
    ASSERT_DOUBLE_EQ(f.lm->m_vPL[0].magnitude, 999.0);
    f.sheet.reject();
    ExpectSameModel(*f.lm, before);
    EXPECT_EQ(f.lm->m_bIsUpdated, before.m_bIsUpdated);
}

TEST(PropSheetLM, ReverseModelShowsItsAxlesAsItTravelsAndPassesThroughUnchanged)
{
    // Axles at 0, -3.2 and -8.4 and a partial load over [-6, -4]: length 8.4. Reversed, a
    // location x travels at -8.4 - x: the axles at -8.4, -5.2 and 0, the partial load over
    // [-4.4, -2.4].
    auto lm = ReversedTridem();
    lm->AddPartialUDL(-5.0, -6.0, 2.0);
    lm->Update();
    const CLoadModel before = *lm;

    SheetFixture f(lm);
    for (int i = 1; i < 6; ++i)
        f.Show(i);
    const CPropPageLMVehicle& veh = f.sheet.m_pageVehicle;
    EXPECT_NEAR(veh.m_dFrontLocation, -8.4, 1e-12);
    ASSERT_EQ(veh.m_vSpacing.size(), 3u);
    EXPECT_NEAR(veh.m_vSpacing[0], 0.0, 1e-12);
    EXPECT_NEAR(veh.m_vSpacing[1], -3.2, 1e-12);
    EXPECT_NEAR(veh.m_vSpacing[2], -5.2, 1e-12);
    EXPECT_EQ(f.sheet.m_pagePartialUDLs.m_Grid.GetItemText(1, 2), L"-4.40");
    f.sheet.accept();
    ExpectSameModel(*lm, before);
}

TEST(PropSheetLM, ReverseModelSpacingEditIsWrittenBackMirrored)
{
    auto lm = ReversedTridem();
    SheetFixture f(lm);
    f.Show(1);
    // Shown: -8.4, -5.2, 0. Spacing of the second axle -3.2 -> -4: it travels at
    // -8.4 + 4 = -4.4, the third keeps its 5.2 behind it at 0.8. Stored = -8.4 - shown:
    // 0, -4.0, -9.2: the first two axles now 4 m apart, the last two still 5.2 m.
    TypeIntoCell(f.sheet.m_pageVehicle.m_Grid, 2, 2, QStringLiteral("-4"));
    f.sheet.accept();
    ASSERT_EQ(lm->m_vPL.size(), 3u);
    EXPECT_NEAR(lm->m_vPL[0].location, 0.0, 1e-9);
    EXPECT_NEAR(lm->m_vPL[1].location, -4.0, 1e-9);
    EXPECT_NEAR(lm->m_vPL[2].location, -9.2, 1e-9);
    EXPECT_FALSE(lm->m_bIsUpdated); // the next analysis finds the new extent
}

TEST(PropSheetLM, RuleChoiceSetsTheRuleAndWhetherItApplies)
{
    struct Case {
        const char* name;
        BridgeRule rule;
    };
    const Case cases[] = {
        {"None", BR_NONE},
        {"A36 UDL variation", BR_A36_UDL},
        {"A36 UDL variation + DLA", BR_A36_UDL_DLA},
        {"A36/NAASRA DLA", BR_A36_DLA},
        {"NAASRA/ABDC Point Loads", BR_NAASRA_PL},
        {"NAASRA Point Loads + DLA", BR_NAASRA_PL_A36_DLA},
        {"ABDC DLA", BR_ABDC_DLA},
        {"ABDC Points Loads + DLA", BR_NAASRA_PL_ABDC_DLA},
        {"BS5400 UDL", BR_BS5400_UDL},
    };
    SheetFixture f(Truck());
    f.Show(5);
    for (const Case& c : cases) {
        f.ChooseRule(QString::fromLatin1(c.name));
        EXPECT_EQ(f.lm->m_lmBridge, c.rule) << c.name;
        EXPECT_EQ(f.lm->m_bAdjustToBridge, c.rule != BR_NONE) << c.name;
    }
    // A model whose rule is on opens with that rule shown.
    f.ChooseRule(QStringLiteral("ABDC DLA"));
    f.sheet.accept();
    SheetFixture g(f.lm);
    g.Show(5);
    EXPECT_EQ(g.sheet.m_pageApplicable.m_cbRules->currentText(), QStringLiteral("ABDC DLA"));
}

TEST(PropSheetLM, ChosenRuleTakesEffectInAnAnalysis)
{
    // A lane load of 10 kN/m on one 30 m span: midspan moment wL^2/8 = 10 x 900 / 8 = 1125
    // kNm. The BS5400 UDL rule sets w = 30 kN/m for L <= 30 m: 30 x 900 / 8 = 3375 kNm.
    auto lm = std::make_shared<CLoadModel>(1, L"Lane");
    lm->AddUDL(10.0);
    const auto bridge = CBridge::Create(1, L"30 m", BC_ONESPAN, 30.0);
    {
        auto copy = std::make_shared<CLoadModel>(*lm);
        CSinglePosAnalysis plain(bridge, copy, qeltest::TestOptions());
        EXPECT_NEAR(MaxAbsMoment(*plain.Analyse(0.0, CAnalysisFeedback::None())), 1125.0, 1e-6);
    }
    SheetFixture f(lm);
    f.Show(5);
    f.ChooseRule(QStringLiteral("BS5400 UDL"));
    f.sheet.accept();
    CSinglePosAnalysis adjusted(bridge, lm, qeltest::TestOptions());
    EXPECT_NEAR(MaxAbsMoment(*adjusted.Analyse(0.0, CAnalysisFeedback::None())), 3375.0, 1e-6);
}

TEST(PropSheetLM, LaneLoadOpensStationaryAndRadiosSetMotionAndDirection)
{
    auto lm = std::make_shared<CLoadModel>(1, L"Lane");
    lm->AddUDL(10.0);
    SheetFixture f(lm);
    CPropPageLMOverview& ov = f.sheet.m_pageOverview;
    EXPECT_FALSE(lm->m_bIsMoving);
    EXPECT_TRUE(ov.m_rbStationary->isChecked());
    EXPECT_TRUE(ov.m_rbPositive->isChecked());
    EXPECT_EQ(ov.m_edID->text(), QStringLiteral("1"));
    EXPECT_FALSE(ov.m_edID->isEnabled());
    ov.m_rbMoving->click();
    ov.m_rbNegative->click();
    EXPECT_TRUE(lm->m_bIsMoving);
    EXPECT_EQ(lm->m_Direction, TD_REVERSE);
    ov.m_rbPositive->click();
    EXPECT_EQ(lm->m_Direction, TD_FORWARD);
}

TEST(PropSheetLM, UntickedLengthLimitsStoreTheirDefaults)
{
    auto lm = Truck();
    lm->m_bUseMinL = true;
    lm->m_minL = 12.0;
    lm->m_bUseMaxL = true;
    lm->m_maxL = 40.0;
    SheetFixture f(lm);
    f.Show(5);
    CPropPageLMApplicable& app = f.sheet.m_pageApplicable;
    EXPECT_TRUE(app.m_chkUseMinL->isChecked());
    EXPECT_DOUBLE_EQ(app.m_edMaxL->m_dValue, 40.0);
    app.m_chkUseMinL->click();
    app.m_chkUseMaxL->click();
    EXPECT_FALSE(app.m_edMinL->isEnabled());
    EXPECT_FALSE(app.m_stMaxUnit->isEnabled());
    f.Show(0);
    EXPECT_FALSE(lm->m_bUseMinL);
    EXPECT_EQ(lm->m_minL, 0.0);
    EXPECT_FALSE(lm->m_bUseMaxL);
    EXPECT_EQ(lm->m_maxL, 10000.0);
}

TEST(PropSheetLM, VehicleRowsAppendDeleteAndZeroAxlesGoOnOK)
{
    SheetFixture f(Truck());
    f.Show(1);
    CPropPageLMVehicle& veh = f.sheet.m_pageVehicle;
    // Tab past the last cell appends a row and a zero axle 0 m behind the last.
    TypeIntoCell(veh.m_Grid, 2, 3, QStringLiteral("2"), true);
    EXPECT_EQ(veh.m_Grid.GetRowCount(), 4);
    EXPECT_EQ(veh.m_Grid.GetItemText(3, 0), L"3");
    ASSERT_EQ(f.lm->m_vPL.size(), 3u);
    TypeIntoCell(veh.m_Grid, 3, 2, QStringLiteral("1.5"));
    EXPECT_DOUBLE_EQ(f.lm->m_vPL[2].location, -4.5); // -3 - 1.5
    EXPECT_DOUBLE_EQ(f.lm->m_vPL[2].magnitude, 0.0);

    // Deleting the first axle from the row's menu: the model loses it, the rows renumber.
    {
        BoxScript boxes({IDYES});
        MenuScript menu(ID_GRID_DELETEROW);
        NM_GRIDVIEW click{{veh.m_Grid.GetSafeHwnd(), 100, NM_RCLICK}, 1, 1};
        veh.OnNotify(100, &click.hdr);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, L"Delete row 1?");
        EXPECT_TRUE(menu.offered[0].bEnabled);
    }
    ASSERT_EQ(f.lm->m_vPL.size(), 2u);
    EXPECT_DOUBLE_EQ(f.lm->m_vPL[0].magnitude, 50.0);
    EXPECT_EQ(veh.m_Grid.GetRowCount(), 3);
    EXPECT_EQ(veh.m_Grid.GetItemText(2, 0), L"2");
    EXPECT_DOUBLE_EQ(veh.m_dTotalLength, 1.5);

    f.sheet.accept();
    // The zero axle goes when the sheet is confirmed.
    ASSERT_EQ(f.lm->m_vPL.size(), 1u);
    EXPECT_DOUBLE_EQ(f.lm->m_vPL[0].magnitude, 50.0);
}

TEST(PropSheetLM, FrontLocationLaysTheAxlesOutFromIt)
{
    // Front axle moved to 2.0: with spacings 0 and 3 the axles stand at 2.0 and -1.0.
    SheetFixture f(Truck());
    f.Show(1);
    CPropPageLMVehicle& veh = f.sheet.m_pageVehicle;
    TypeIntoField(veh.m_pFrontEdit, QStringLiteral("2"));
    f.Show(2);
    EXPECT_DOUBLE_EQ(f.lm->m_PointLoadStart, 2.0);
    EXPECT_DOUBLE_EQ(f.lm->m_vPL[0].location, 2.0);
    EXPECT_DOUBLE_EQ(f.lm->m_vPL[1].location, -1.0);
    EXPECT_DOUBLE_EQ(veh.m_vSpacing[1], 3.0);

    auto locked = Truck();
    locked->m_bIsEditable = false;
    SheetFixture g(locked);
    g.Show(1);
    EXPECT_FALSE(g.sheet.m_pageVehicle.m_pFrontEdit->isEnabled());
    EXPECT_FALSE(g.sheet.m_pageVehicle.m_Grid.IsWindowEnabled());
    EXPECT_FALSE(g.sheet.m_pageVehicle.m_pTotalWeightEdit->isEnabled());
}

TEST(PropSheetLM, DeletingARowWithoutALoadIsRefusedAndTheGridShowsTheModel)
{
    auto lm = std::make_shared<CLoadModel>(2, L"Empty");
    lm->AddUDL(5.0);
    SheetFixture f(lm);
    f.Show(1);
    CPropPageLMVehicle& veh = f.sheet.m_pageVehicle;
    ASSERT_EQ(veh.m_Grid.GetRowCount(), 2); // one empty row for the first axle
    BoxScript boxes({IDYES});
    EXPECT_FALSE(veh.DeleteRow(1));
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, L"Load could not be removed");
    EXPECT_EQ(boxes.shown[1].type, MB_OK | MB_ICONERROR);
    EXPECT_EQ(veh.m_Grid.GetRowCount(), 2);
    EXPECT_EQ(veh.m_Grid.GetItemText(1, 0), L"1");
}

TEST(PropSheetLM, PageWithoutAModelRefusesToInitialise)
{
    CPropSheetLM sheet;
    for (int i = 0; i < sheet.GetPageCount(); ++i)
        EXPECT_FALSE(sheet.GetPage(i)->Initialise()) << i;
}
