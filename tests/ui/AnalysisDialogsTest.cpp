// "Single Position Analysis", "Moving Load Analysis", "Bridge Range Analysis", "Output options".
#include "UiTestUtil.h"

#include "ui/dialogs/AnalysisDlgs.h"
#include "ui/dialogs/ElementList.h"
#include "IdName.h"

#include <QCheckBox>
#include <QRadioButton>

using namespace uitest;

TEST(SinglePositionDlg, FirstRowsAreChosenUntilTheUserClicksAnother)
{
    SmallCase c;
    CSinglePositionDlg dlg;
    dlg.m_vBridges = c.bridges;
    dlg.m_vLoadModels = c.loadModels;
    dlg.Open();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Single Position Analysis"));
    EXPECT_EQ(Rows(dlg.m_listBridges), (QStringList{"1 - Ten", "2 - Twenty", "5 - Thirty"}));
    EXPECT_EQ(Rows(dlg.m_listLoadModels), (QStringList{"7 - Truck", "9 - Car"}));
    EXPECT_EQ(dlg.m_listBridges->GetCurSel(), 0);
    EXPECT_EQ(dlg.m_listLoadModels->GetCurSel(), 0);
    Screenshot(dlg, QStringLiteral("SinglePositionAnalysis"));

    ClickRow(dlg.m_listBridges, 2);
    ClickRow(dlg.m_listLoadModels, 1);
    Type(Ctrl<QLineEdit>(dlg, IDC_LOCATION), QStringLiteral("12.5"));
    PressOk(dlg);
    ASSERT_EQ(dlg.GetResult(), IDOK);
    EXPECT_EQ(dlg.m_nSelBridge, 2);
    EXPECT_EQ(dlg.m_nSelLoadModel, 1);
    EXPECT_DOUBLE_EQ(dlg.m_dLocation, 12.5);

    CSinglePositionDlg untouched;
    untouched.m_vBridges = c.bridges;
    untouched.m_vLoadModels = c.loadModels;
    untouched.Open();
    PressOk(untouched);
    ASSERT_EQ(untouched.GetResult(), IDOK);
    EXPECT_EQ(untouched.m_nSelBridge, 0);
    EXPECT_EQ(untouched.m_nSelLoadModel, 0);
}

TEST(SinglePositionDlg, OkStaysOffWhileAListIsEmpty)
{
    SmallCase c;
    for (bool noBridges : {true, false}) {
        CSinglePositionDlg dlg;
        if (!noBridges)
            dlg.m_vBridges = c.bridges;
        else
            dlg.m_vLoadModels = c.loadModels;
        dlg.Open();
        EXPECT_FALSE(dlg.GetOkButton()->isEnabled()) << noBridges;
        PressOk(dlg);
        EXPECT_TRUE(dlg.isVisible());
    }
}

namespace {
struct MovingLoadFixture : ::testing::Test {
    void Fill(CMovingLoadDlg& dlg, bool bByStep, double step, int steps)
    {
        dlg.m_vBridges = c.bridges;
        dlg.m_vLoadModels = c.loadModels;
        dlg.m_vLMEs = c.ensembles;
        dlg.m_Stepping.bByStep = bByStep;
        dlg.m_Stepping.step = step;
        dlg.m_Stepping.nSteps = steps;
    }
    SmallCase c;
};
} // namespace

TEST_F(MovingLoadFixture, EnsembleChoiceStepsAndEachResultReachTheCaller)
{
    CMovingLoadDlg dlg;
    Fill(dlg, true, 0.5, 20);
    dlg.m_bUseLoadModel = false; // the dialog opens on one load model whatever this says
    dlg.Open();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Moving Load Analysis"));
    EXPECT_TRUE(Ctrl<QRadioButton>(dlg, IDC_USE_LOADMODEL)->isChecked());
    EXPECT_FALSE(dlg.m_listLMEs->isEnabled());
    EXPECT_TRUE(Ctrl<QRadioButton>(dlg, IDC_USE_STEP)->isChecked());
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_STEP_SIZE)->text(), QStringLiteral("0.5"));
    Screenshot(dlg, QStringLiteral("MovingLoadAnalysis"));

    Click(dlg.m_radioUseLME);
    EXPECT_FALSE(dlg.m_bUseLoadModel);
    EXPECT_TRUE(dlg.m_listLMEs->isEnabled());
    EXPECT_FALSE(dlg.m_listLoadModels->isEnabled());
    EXPECT_EQ(dlg.m_listLoadModels->GetCurSel(), -1);
    EXPECT_EQ(dlg.m_listLMEs->GetCurSel(), 0);
    EXPECT_EQ(dlg.m_nSelLME, 0);
    ClickRow(dlg.m_listLMEs, 1);
    ClickRow(dlg.m_listBridges, 1);

    Click(dlg.m_checkShowEach);
    Click(dlg.m_checkShowEach);
    EXPECT_FALSE(dlg.m_bShowEachResult);
    Click(dlg.m_checkShowEach);

    Click(Ctrl<QRadioButton>(dlg, IDC_USE_NUM_STEPS));
    Type(Ctrl<QLineEdit>(dlg, IDC_NUM_STEPS), QStringLiteral("40"));
    PressOk(dlg);
    ASSERT_EQ(dlg.GetResult(), IDOK);
    EXPECT_FALSE(dlg.m_bUseLoadModel);
    EXPECT_EQ(dlg.m_nSelLME, 1);
    EXPECT_EQ(dlg.m_nSelBridge, 1);
    EXPECT_TRUE(dlg.m_bShowEachResult);
    EXPECT_FALSE(dlg.m_Stepping.bByStep);
    EXPECT_EQ(dlg.m_Stepping.nSteps, 40);
    EXPECT_DOUBLE_EQ(dlg.m_Stepping.step, 0.5);

    // The caller keeps the stepping as its default: the next dialog opens on it.
    CMovingLoadDlg next;
    Fill(next, dlg.m_Stepping.bByStep, dlg.m_Stepping.step, dlg.m_Stepping.nSteps);
    next.Open();
    EXPECT_TRUE(Ctrl<QRadioButton>(next, IDC_USE_NUM_STEPS)->isChecked());
    EXPECT_EQ(Ctrl<QLineEdit>(next, IDC_NUM_STEPS)->text(), QStringLiteral("40"));
    EXPECT_TRUE(Ctrl(next, IDC_NUM_STEPS)->isEnabled());
    EXPECT_FALSE(Ctrl(next, IDC_STEP_SIZE)->isEnabled());
}

TEST_F(MovingLoadFixture, OkFollowsTheListTheChosenKindNeeds)
{
    CMovingLoadDlg dlg;
    Fill(dlg, true, 0.5, 20);
    dlg.m_vLoadModels.clear();
    dlg.Open();
    EXPECT_FALSE(dlg.GetOkButton()->isEnabled());
    Click(dlg.m_radioUseLME);
    EXPECT_TRUE(dlg.GetOkButton()->isEnabled());

    CMovingLoadDlg noBridges;
    Fill(noBridges, true, 0.5, 20);
    noBridges.m_vBridges.clear();
    noBridges.Open();
    EXPECT_FALSE(noBridges.GetOkButton()->isEnabled());
}

TEST_F(MovingLoadFixture, RefusesSteppingThatNeverAdvances)
{
    const struct {
        bool byStep;
        const char* typed;
        const wchar_t* message;
    } cases[] = {
        {true, "0", L"The step is 0 m; it must be from 0.001 m to 1,000 m."},
        {true, "-0.5", L"The step is -0.5 m; it must be from 0.001 m to 1,000 m."},
        {true, "0.000999", L"The step is 0.000999 m; it must be from 0.001 m to 1,000 m."},
        {true, "1e300", L"The step is 1e+300 m; it must be from 0.001 m to 1,000 m."},
        {true, "nan", L"Please enter a number."},
        {false, "0", L"The number is 0; it must be from 1 to 100,000."},
        {false, "100001", L"The number is 100,001; it must be from 1 to 100,000."},
        {false, "ten", L"Please enter an integer."},
    };
    for (const auto& k : cases) {
        BoxRecorder boxes;
        CMovingLoadDlg dlg;
        Fill(dlg, k.byStep, 0.5, 20);
        dlg.Open();
        Type(Ctrl<QLineEdit>(dlg, k.byStep ? IDC_STEP_SIZE : IDC_NUM_STEPS), QString::fromLatin1(k.typed));
        PressOk(dlg);
        ASSERT_EQ(boxes.texts.size(), 1u) << k.typed;
        EXPECT_EQ(boxes.texts[0], k.message);
        EXPECT_TRUE(dlg.isVisible());
    }
}

TEST(BridgeRangeDlg, ChosenSetModelAndSteppingReachTheCaller)
{
    SmallCase c;
    CBridgeRangeDlg dlg;
    dlg.m_vBridgeSets = c.bridgeSets;
    dlg.m_vLoadModels = c.loadModels;
    dlg.m_Stepping.bByStep = false;
    dlg.m_Stepping.nSteps = 20;
    dlg.m_Stepping.step = 0.5;
    dlg.Open();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Bridge Range Analysis"));
    EXPECT_EQ(Rows(dlg.m_listBridgeSets), (QStringList{"3 - Short", "4 - Long"}));
    EXPECT_TRUE(Ctrl<QRadioButton>(dlg, IDC_USE_NUM_STEPS)->isChecked());
    Screenshot(dlg, QStringLiteral("BridgeRangeAnalysis"));

    ClickRow(dlg.m_listBridgeSets, 1);
    ClickRow(dlg.m_listLoadModels, 1);
    Click(Ctrl<QRadioButton>(dlg, IDC_USE_STEP));
    Type(Ctrl<QLineEdit>(dlg, IDC_STEP_SIZE), QStringLiteral("0.25"));
    PressOk(dlg);
    ASSERT_EQ(dlg.GetResult(), IDOK);
    EXPECT_EQ(dlg.m_nSelBridgeSet, 1);
    EXPECT_EQ(dlg.m_nSelLoadModel, 1);
    EXPECT_TRUE(dlg.m_Stepping.bByStep);
    EXPECT_DOUBLE_EQ(dlg.m_Stepping.step, 0.25);
    EXPECT_EQ(dlg.m_Stepping.nSteps, 20);

    CBridgeRangeDlg empty;
    empty.m_vLoadModels = c.loadModels;
    empty.Open();
    EXPECT_FALSE(empty.GetOkButton()->isEnabled());
}

TEST(OutputOptionsDlg, OpensWithTheCallersFlagsAndTogglesThem)
{
    COutputOptionsDlg dlg;
    dlg.m_bBMSF = true;
    dlg.m_bTables = true;
    dlg.Open();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Output options"));
    EXPECT_TRUE(Ctrl<QCheckBox>(dlg, IDC_OUT_BMSF)->isChecked());
    EXPECT_FALSE(Ctrl<QCheckBox>(dlg, IDC_OUT_REACTIONS)->isChecked());
    EXPECT_FALSE(Ctrl<QCheckBox>(dlg, IDC_OUT_GRAPHS)->isChecked());
    EXPECT_TRUE(Ctrl<QCheckBox>(dlg, IDC_OUT_TABLES)->isChecked());
    Screenshot(dlg, QStringLiteral("OutputOptions"));
    Click(Ctrl<QCheckBox>(dlg, IDC_OUT_BMSF));
    Click(Ctrl<QCheckBox>(dlg, IDC_OUT_GRAPHS));
    PressOk(dlg);
    ASSERT_EQ(dlg.GetResult(), IDOK);
    EXPECT_FALSE(dlg.m_bBMSF);
    EXPECT_FALSE(dlg.m_bReactions);
    EXPECT_TRUE(dlg.m_bGraphs);
    EXPECT_TRUE(dlg.m_bTables);
}
