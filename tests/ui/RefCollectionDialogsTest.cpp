// "Edit Reference Collection", "Analyse/View Reference Collection", "Compare Critical Envelopes".
#include "UiTestUtil.h"

#include "controls/edit/NumericEdit.h"
#include "core/reference/ReferenceSet.h"
#include "ui/dialogs/ElementList.h"
#include "ui/dialogs/RefCollectionDlgs.h"
#include "IdName.h"

#include <QCheckBox>
#include <QRadioButton>

using namespace uitest;

namespace {
struct RefCollectionFixture : ::testing::Test {
    RefCollectionFixture()
    {
        c.bridgeSets.push_back(std::make_shared<CBridgeSet>(6, L"Medium", 2, BC_THREESPAN, 15.0, 25.0));
        collection = std::make_shared<CReferenceCollection>(20, L"Reference",
                                                            Stepping{.bByStep = true, .step = 0.5, .nSteps = 10});
        collection->m_vBS = {c.bridgeSets[1]};
        collection->m_vLME = {c.ensembles[0]};
    }
    void Fill(CRefCollectionDlg& dlg)
    {
        dlg.SetData(collection);
        dlg.m_vBridgeSets = c.bridgeSets;
        dlg.m_vLMEs = c.ensembles;
    }
    static void SetTick(CElementListBox* pList, int nRow, bool bOn)
    {
        pList->item(nRow)->setCheckState(bOn ? Qt::Checked : Qt::Unchecked);
    }
    SmallCase c;
    std::shared_ptr<CReferenceCollection> collection;
};

QList<bool> Ticks(const CElementListBox* pList)
{
    QList<bool> ticks;
    for (int i = 0; i < pList->count(); ++i)
        ticks << pList->GetCheck(i);
    return ticks;
}
} // namespace

TEST_F(RefCollectionFixture, TicksFollowTheCollectionAndChangeItAtOnce)
{
    CRefCollectionDlg dlg;
    Fill(dlg);
    dlg.Open();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Edit Reference Collection"));
    EXPECT_EQ(Ticks(dlg.m_listBridgeSets), (QList<bool>{false, true, false}));
    EXPECT_EQ(Ticks(dlg.m_listLMEs), (QList<bool>{true, false}));
    Screenshot(dlg, QStringLiteral("EditReferenceCollection"));

    SetTick(dlg.m_listBridgeSets, 2, true);
    ASSERT_EQ(collection->m_vBS.size(), 2u);
    EXPECT_EQ(collection->m_vBS[1], c.bridgeSets[2]);
    SetTick(dlg.m_listBridgeSets, 1, false);
    ASSERT_EQ(collection->m_vBS.size(), 1u);
    EXPECT_EQ(collection->m_vBS[0], c.bridgeSets[2]);
    EXPECT_EQ(dlg.m_listBridgeSets->item(1)->checkState(), Qt::Unchecked); // never the indeterminate mark
    SetTick(dlg.m_listLMEs, 1, true);
    EXPECT_EQ(collection->m_vLME.size(), 2u);
}

TEST_F(RefCollectionFixture, OkWritesNameSteppingAndOverstress)
{
    CRefCollectionDlg dlg;
    Fill(dlg);
    dlg.Open();
    EXPECT_TRUE(Ctrl<QRadioButton>(dlg, IDC_USE_STEP)->isChecked());
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_STEP_SIZE)->text(), QStringLiteral("0.5"));
    EXPECT_FALSE(Ctrl<QCheckBox>(dlg, IDC_CALCULATED)->isEnabled());

    Type(Ctrl<QLineEdit>(dlg, IDC_DESCRIPTION), QStringLiteral("Renamed"));
    Click(Ctrl<QRadioButton>(dlg, IDC_USE_NUM_STEPS));
    Type(Ctrl<QLineEdit>(dlg, IDC_NUM_STEPS), QStringLiteral("12"));
    Click(Ctrl<QCheckBox>(dlg, IDC_USE_OVERSTRESS));
    auto* pFactor = Ctrl<CNumericEdit>(dlg, IDC_OVERSTRESS_FACTOR);
    pFactor->setFocus();
    pFactor->selectAll();
    QTest::keyClicks(pFactor, QStringLiteral("1.6"));
    EXPECT_DOUBLE_EQ(pFactor->m_dValue, 1.6);
    PressOk(dlg);

    ASSERT_EQ(dlg.GetResult(), IDOK);
    EXPECT_EQ(collection->m_Description, L"Renamed");
    EXPECT_FALSE(collection->m_bByStep);
    EXPECT_EQ(collection->m_nStepPoints, 12);
    EXPECT_DOUBLE_EQ(collection->m_StepSize, 0.5); // the other method's value stays
    EXPECT_TRUE(collection->m_bUseOverstress);
    EXPECT_DOUBLE_EQ(collection->m_OverstressFactor, 1.6);
}

TEST_F(RefCollectionFixture, NewCollectionShowsTheFactorWithTheSettingsDecimals)
{
    CRefCollectionDlg dlg;
    dlg.SetData(std::make_shared<CReferenceCollection>());
    dlg.Open();
    EXPECT_FALSE(Ctrl<QCheckBox>(dlg, IDC_USE_OVERSTRESS)->isChecked());
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_OVERSTRESS_FACTOR)->text(), QStringLiteral("1.400"));
    PressCancel(dlg);
    EXPECT_EQ(dlg.GetResult(), IDCANCEL);
}

TEST_F(RefCollectionFixture, RefusesAStepOrOverstressFactorOutOfRange)
{
    const struct {
        int field;
        const char* typed;
        const wchar_t* message;
    } cases[] = {
        {IDC_STEP_SIZE, "0", L"The step is 0 m; it must be from 0.001 m to 1,000 m."},
        {IDC_STEP_SIZE, "1e300", L"The step is 1e+300 m; it must be from 0.001 m to 1,000 m."},
        {IDC_OVERSTRESS_FACTOR, "0", L"The overstress factor is 0; it must be from 0.1 to 10."},
        {IDC_OVERSTRESS_FACTOR, "10.5", L"The overstress factor is 10.5; it must be from 0.1 to 10."},
    };
    for (const auto& c : cases) {
        BoxRecorder boxes;
        CRefCollectionDlg dlg;
        Fill(dlg);
        dlg.Open();
        Type(Ctrl<QLineEdit>(dlg, c.field), QString::fromLatin1(c.typed));
        PressOk(dlg);
        ASSERT_EQ(boxes.texts.size(), 1u) << c.typed;
        EXPECT_EQ(boxes.texts[0], c.message);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_DOUBLE_EQ(collection->m_StepSize, 0.5);
        EXPECT_DOUBLE_EQ(collection->m_OverstressFactor, 1.4);
    }
}

TEST(AnalyzeRefCollectionDlg, FirstCollectionIsChosenAndOkNeedsOne)
{
    std::vector<std::shared_ptr<CReferenceCollection>> collections = {
        std::make_shared<CReferenceCollection>(20, L"First", Stepping{.bByStep = true, .step = 0.5, .nSteps = 10}),
        std::make_shared<CReferenceCollection>(21, L"Second", Stepping{.bByStep = true, .step = 0.5, .nSteps = 10})};
    CAnalyzeRefCollectionDlg analyse;
    analyse.m_vRefCollections = collections;
    analyse.Open();
    EXPECT_EQ(analyse.windowTitle(), QStringLiteral("Analyse Reference Collection"));
    EXPECT_EQ(Rows(analyse.m_listRefCollections), (QStringList{"20 - First", "21 - Second"}));
    EXPECT_EQ(analyse.m_listRefCollections->GetCurSel(), 0);
    Screenshot(analyse, QStringLiteral("AnalyseReferenceCollection"));
    ClickRow(analyse.m_listRefCollections, 1);
    PressOk(analyse);
    ASSERT_EQ(analyse.GetResult(), IDOK);
    EXPECT_EQ(analyse.m_nSelRefCollection, 1);

    CViewRefCollectionDlg view;
    view.m_vRefCollections = collections;
    view.Open();
    EXPECT_EQ(view.windowTitle(), QStringLiteral("View Reference Collection"));
    Screenshot(view, QStringLiteral("ViewReferenceCollection"));
    PressOk(view);
    EXPECT_EQ(view.m_nSelRefCollection, 0);

    CViewRefCollectionDlg none;
    none.Open();
    EXPECT_FALSE(none.GetOkButton()->isEnabled());
}

namespace {
struct CompareFixture : ::testing::Test {
    CompareFixture()
    {
        solved =
            std::make_shared<CReferenceCollection>(30, L"Solved", Stepping{.bByStep = true, .step = 0.5, .nSteps = 10});
        for (size_t k = 0; k < 2; ++k) {
            auto set = std::make_shared<CReferenceSet>(false, c.bridgeSets[k], c.ensembles[k], 1.4);
            solved->m_vRefSet.push_back(set);
        }
        auto proposed = std::make_shared<CLoadModelEnsemble>(0, L"Proposed");
        proposed->AddLoadModel(c.loadModels[1]);
        solved->m_vRefSet[1]->m_pPropLME = proposed;
        solved->m_vRefSet[1]->m_bUseLM = true;
        solved->m_vRefSet[1]->m_bIsRatioCalculated = true;
        solved->m_nRefSet = 2;
        unsolved = std::make_shared<CReferenceCollection>(31, L"Unsolved",
                                                          Stepping{.bByStep = true, .step = 0.5, .nSteps = 10});
    }
    SmallCase c;
    std::shared_ptr<CReferenceCollection> solved, unsolved;
};
} // namespace

TEST_F(CompareFixture, ListsFollowTheChosenCollectionAndSet)
{
    BoxRecorder boxes;
    CCompareEnvelopesDlg dlg;
    dlg.m_vRefCollections = {solved, unsolved};
    dlg.Open();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Compare Critical Envelopes"));
    EXPECT_EQ(Rows(dlg.m_listRefSets), (QStringList{"Reference set 1", "Reference set 2"}));
    // Bridges are numbered by their place in the set (the set "Short" has 10, 15, 20 m).
    ASSERT_EQ(dlg.m_listBridges->count(), 3);
    EXPECT_TRUE(dlg.m_listBridges->item(0)->text().startsWith(QStringLiteral("1 - ")));
    EXPECT_TRUE(dlg.m_listBridges->item(2)->text().startsWith(QStringLiteral("3 - ")));
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_REF_BRIDGESET)->text(), QStringLiteral("Short"));
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_REF_LME)->text(), QStringLiteral("Trucks"));
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_REF_PROPOSED)->text(), QStringLiteral("No Proposed vehicle"));
    Screenshot(dlg, QStringLiteral("CompareCriticalEnvelopes"));

    ClickRow(dlg.m_listRefSets, 1);
    EXPECT_EQ(dlg.m_nSelRefSet, 1);
    EXPECT_EQ(dlg.m_listBridges->count(), 3); // "Long": 20, 30, 40 m
    EXPECT_EQ(dlg.m_nSelBridge, 0);
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_REF_BRIDGESET)->text(), QStringLiteral("Long"));
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_REF_PROPOSED)->text(), QStringLiteral("Car")); // load model 0 of the proposed
    ClickRow(dlg.m_listBridges, 2);
    EXPECT_EQ(dlg.m_nSelBridge, 2);
    EXPECT_TRUE(boxes.texts.empty());

    ClickRow(dlg.m_listRefCollections, 1);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], L"This Reference Collection has not been solved - nothing to display.");
    EXPECT_EQ(boxes.types[0] & 0xF0, MB_ICONINFORMATION);
    EXPECT_EQ(dlg.m_listRefSets->count(), 0);
    EXPECT_EQ(dlg.m_listBridges->count(), 0);
    EXPECT_EQ(dlg.m_nSelRefSet, -1);
    EXPECT_EQ(dlg.m_nSelBridge, -1);
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_REF_BRIDGESET)->text(), QStringLiteral("No bridge set"));
    EXPECT_EQ(Ctrl<QLineEdit>(dlg, IDC_REF_LME)->text(), QStringLiteral("No load model ensemble"));
    EXPECT_FALSE(dlg.GetOkButton()->isEnabled()); // no set and no bridge to compare

    ClickRow(dlg.m_listRefCollections, 0);
    ClickRow(dlg.m_listRefSets, 1);
    ClickRow(dlg.m_listBridges, 1);
    PressOk(dlg);
    ASSERT_EQ(dlg.GetResult(), IDOK);
    EXPECT_EQ(dlg.m_nSelRefCollection, 0);
    EXPECT_EQ(dlg.m_nSelRefSet, 1);
    EXPECT_EQ(dlg.m_nSelBridge, 1);
}
