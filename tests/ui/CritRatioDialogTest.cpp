// "Make Critical Ratios".
#include "UiTestUtil.h"

#include "controls/edit/NumericEdit.h"
#include "ui/dialogs/CritRatioRefCollDlg.h"
#include "ui/dialogs/ElementList.h"
#include "IdName.h"

#include <QRadioButton>

using namespace uitest;

namespace {
struct CritRatioFixture : ::testing::Test {
    void Fill(CCritRatioRefCollDlg& dlg)
    {
        dlg.m_vLoadModels = c.loadModels;
        dlg.m_vLoadModelEnsembles = c.ensembles;
        dlg.m_vRefCollections = collections;
    }
    SmallCase c;
    std::vector<std::shared_ptr<CReferenceCollection>> collections = {
        std::make_shared<CReferenceCollection>(20, L"First", Stepping{.bByStep = true, .step = 0.5, .nSteps = 10}),
        std::make_shared<CReferenceCollection>(21, L"Second", Stepping{.bByStep = true, .step = 0.5, .nSteps = 10})};
};
} // namespace

TEST_F(CritRatioFixture, OkAtOnceGivesTheFirstLoadModelAndTheCallersMultiplier)
{
    CCritRatioRefCollDlg dlg;
    Fill(dlg);
    dlg.Open();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Make Critical Ratios"));
    EXPECT_TRUE(dlg.m_radioUseLoadModel->isChecked());
    EXPECT_FALSE(dlg.m_lbLoadModelEnsembles->isEnabled());
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_MULTIPLIER)->text(),
              QStringLiteral("1.000")); // the factor decimals of the settings
    Screenshot(dlg, QStringLiteral("MakeCriticalRatios"));
    PressOk(dlg);
    ASSERT_EQ(dlg.GetResult(), IDOK);
    EXPECT_TRUE(dlg.m_bUseLoadModel);
    EXPECT_EQ(dlg.m_nLoadModel, 0);
    EXPECT_EQ(dlg.m_nLoadModelEnsemble, 0);
    EXPECT_EQ(dlg.m_nRefCollection, 0);
    EXPECT_DOUBLE_EQ(dlg.m_dMultiplier, 1.0);
}

TEST_F(CritRatioFixture, EnsembleCollectionAndTypedMultiplierReachTheCaller)
{
    CCritRatioRefCollDlg dlg;
    Fill(dlg);
    dlg.m_dMultiplier = 1.25;
    dlg.Open();
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_MULTIPLIER)->text(), QStringLiteral("1.250"));
    Click(dlg.m_radioUseLME);
    EXPECT_EQ(dlg.m_lbLoadModels->GetCurSel(), -1);
    EXPECT_EQ(dlg.m_lbLoadModelEnsembles->GetCurSel(), 0);
    ClickRow(dlg.m_lbLoadModelEnsembles, 1);
    ClickRow(dlg.m_lbRefCollections, 1);
    auto* pMultiplier = Ctrl<CNumericEdit>(dlg, IDC_MULTIPLIER);
    pMultiplier->setFocus();
    pMultiplier->selectAll();
    QTest::keyClicks(pMultiplier, QStringLiteral("1.1"));
    EXPECT_DOUBLE_EQ(dlg.m_dMultiplier, 1.1); // follows the typing
    PressOk(dlg);
    ASSERT_EQ(dlg.GetResult(), IDOK);
    EXPECT_FALSE(dlg.m_bUseLoadModel);
    EXPECT_EQ(dlg.m_nLoadModelEnsemble, 1);
    EXPECT_EQ(dlg.m_nRefCollection, 1);
    EXPECT_DOUBLE_EQ(dlg.m_dMultiplier, 1.1);
}

TEST_F(CritRatioFixture, OkStaysOffWithoutACollectionOrTheChosenKind)
{
    CCritRatioRefCollDlg noCollection;
    Fill(noCollection);
    noCollection.m_vRefCollections.clear();
    noCollection.Open();
    EXPECT_FALSE(noCollection.GetOkButton()->isEnabled());

    CCritRatioRefCollDlg noEnsembles;
    Fill(noEnsembles);
    noEnsembles.m_vLoadModelEnsembles.clear();
    noEnsembles.Open();
    EXPECT_TRUE(noEnsembles.GetOkButton()->isEnabled());
    Click(noEnsembles.m_radioUseLME);
    EXPECT_FALSE(noEnsembles.GetOkButton()->isEnabled());
    Click(noEnsembles.m_radioUseLoadModel);
    EXPECT_TRUE(noEnsembles.GetOkButton()->isEnabled());

    CCritRatioRefCollDlg cancelled;
    Fill(cancelled);
    cancelled.Open();
    Click(cancelled.m_radioUseLME);
    PressCancel(cancelled);
    EXPECT_EQ(cancelled.GetResult(), IDCANCEL);
}
