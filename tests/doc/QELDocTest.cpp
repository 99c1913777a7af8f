#include <memory>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DocTestUtil.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"

using namespace qeltest;
using ::testing::ElementsAre;

namespace {

std::shared_ptr<CLoadModel> MakeLM(int id, const wchar_t* name, double axle)
{
    auto p = std::make_shared<CLoadModel>(id, name);
    p->AddPointLoad(axle, 0.0, 0.0);
    return p;
}

class QELDocTest : public DocTest {
protected:
    std::vector<int> Ids(const auto& list)
    {
        std::vector<int> ids;
        for (const auto& p : list)
            ids.push_back(p->m_ID);
        return ids;
    }
};

TEST_F(QELDocTest, ResetTakesOutputOptionsAndSteppingFromTheSettings)
{
    g_pSettings->Edit([](CSettings& s) {
        s.Analysis.Stepping.BYSTEP = true;
        s.Analysis.Stepping.STEPSIZE = 0.25;
        s.Analysis.Stepping.NSTEPS = 7;
        s.General.Output.BMSF = false;
        s.General.Output.R = true;
        s.General.Output.GRAPHS = false;
        s.General.Output.TABLES = true;
    });
    CQELDoc doc;
    EXPECT_TRUE(doc.m_DefStepping.bByStep);
    EXPECT_EQ(doc.m_DefStepping.step, 0.25);
    EXPECT_EQ(doc.m_DefStepping.nSteps, 7);
    EXPECT_FALSE(doc.m_bOutBMSF);
    EXPECT_TRUE(doc.m_bOutReactions);
    EXPECT_FALSE(doc.m_bOutGraphs);
    EXPECT_TRUE(doc.m_bOutTables);

    // A reset clears what a run or a command left behind, but never the lists.
    doc.m_nWindowCount = 3;
    doc.m_nNextID[2] = 5;
    doc.m_dCritRatioParam = 2.0;
    doc.m_bCritRatiosPending = true;
    doc.m_spPendingRefCollection = std::make_shared<CReferenceCollection>();
    doc.m_sCaseRef = L"ref";
    doc.m_vLoadModel.push_back(MakeLM(1, L"LM", 10.0));
    doc.ResetData();
    EXPECT_EQ(doc.m_nWindowCount, 0);
    EXPECT_EQ(doc.m_nNextID[2], 0);
    EXPECT_EQ(doc.m_dCritRatioParam, 1.0);
    EXPECT_FALSE(doc.IsAnalysisRunning());
    EXPECT_FALSE(doc.m_bCritRatiosPending);
    EXPECT_FALSE(doc.m_spPendingRefCollection);
    EXPECT_TRUE(doc.m_sCaseRef.empty());
    EXPECT_EQ(doc.m_vLoadModel.size(), 1u);
}

TEST_F(QELDocTest, NewDocumentLogsResetsAndRebuildsTheTreeAndClosingLogsThePath)
{
    CQELDoc doc;
    doc.m_sCaseNotes = L"old";
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_THAT(m_Windows.m_vLog, ElementsAre(L"Opening a New document"));
    EXPECT_TRUE(doc.m_sCaseNotes.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_THAT(m_Windows.m_Tree.m_vCalls, ElementsAre("RedrawOff", "Clear", "Populate", "RedrawOn", "Invalidate"));

    doc.SetPathName(L"/cases/bridge 7.qel");
    doc.OnCloseDocument();
    EXPECT_THAT(m_Windows.m_vLog, ElementsAre(L"Opening a New document", L"Closing: /cases/bridge 7.qel"));
}

TEST_F(QELDocTest, CaseDataIsCopiedBackOnlyOnOk)
{
    CQELDoc doc;
    doc.m_sCaseRef = L"R1";
    doc.m_sCaseNotes = L"N1";
    m_Dialogs.config = [](ScriptedConfigDlg& d) {
        EXPECT_EQ(d.m_sCaseRef, L"R1");
        EXPECT_EQ(d.m_sCaseNotes, L"N1");
        d.m_sCaseRef = L"R2";
        d.m_sCaseNotes = L"line 1\r\nline 2";
        return DLG_IDCANCEL;
    };
    doc.OnCaseData();
    EXPECT_EQ(doc.m_sCaseRef, L"R1");
    EXPECT_FALSE(doc.IsModified());

    auto edit = m_Dialogs.config;
    m_Dialogs.config = [edit](ScriptedConfigDlg& d) { return edit(d), DLG_IDOK; };
    doc.OnCaseData();
    EXPECT_EQ(doc.m_sCaseRef, L"R2");
    EXPECT_EQ(doc.m_sCaseNotes, L"line 1\r\nline 2");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(QELDocTest, AddBridgeOffersTheDefaultsAndTakesTheDialogsBridge)
{
    CQELDoc doc;
    int result = DLG_IDCANCEL;
    m_Dialogs.bridge = [&](ScriptedBridgeDlg& d) {
        const CBridge& b = *d.m_spBridge;
        EXPECT_EQ(b.m_ID, 1);
        EXPECT_EQ(b.m_Description, L"20 m single span");
        EXPECT_EQ(b.m_Config, BC_ONESPAN);
        EXPECT_EQ(b.m_SpanLength, 20.0);
        // On OK the dialog makes a bridge of its own from the fields.
        d.m_spBridge = std::make_shared<CBridge>(b.m_ID, L"Three spans", BC_THREESPAN, 40.0);
        return result;
    };
    doc.OnAddBridge();
    EXPECT_TRUE(doc.m_vBridge.empty());
    EXPECT_EQ(doc.m_nNextID[CQELDoc::NEXTID_BRIDGE], 0);
    EXPECT_TRUE(m_Windows.m_Tree.m_vCalls.empty());
    EXPECT_FALSE(doc.IsModified());

    result = DLG_IDOK;
    doc.OnAddBridge(); // the cancelled attempt offered id 1, and so does this one
    ASSERT_EQ(doc.m_vBridge.size(), 1u);
    const CBridge& b = *doc.m_vBridge[0];
    EXPECT_EQ(b.m_ID, 1);
    EXPECT_EQ(b.m_Description, L"Three spans");
    EXPECT_EQ(b.m_Config, BC_THREESPAN);
    // 0.75 S, S, 0.75 S with S = 40 m
    EXPECT_THAT(b.m_vSpans, ElementsAre(30.0, 40.0, 30.0));
    EXPECT_EQ(doc.m_nNextID[CQELDoc::NEXTID_BRIDGE], 1);
    EXPECT_THAT(m_Windows.m_Tree.m_vCalls, ElementsAre("AddBridge"));
    EXPECT_EQ(m_Windows.m_Tree.m_vAdded[0], doc.m_vBridge[0].get());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(QELDocTest, AddBridgeSetOffersTheDefaults)
{
    CQELDoc doc;
    m_Dialogs.bridgeSet = [](ScriptedBridgeSetDlg& d) {
        const CBridgeSet& s = *d.m_spBridgeSet;
        EXPECT_EQ(s.m_ID, 1);
        EXPECT_EQ(s.m_Description, L"1-50m 2-span Bridges");
        EXPECT_EQ(s.m_Config, BC_TWOSPAN);
        EXPECT_EQ(s.m_StartL, 1.0);
        EXPECT_EQ(s.m_EndL, 50.0);
        EXPECT_EQ(s.m_Step, 1.0);
        EXPECT_EQ(s.m_nBridge, 50); // 1, 2, ..., 50 m
        return DLG_IDOK;
    };
    doc.OnAddBridgeSet();
    ASSERT_EQ(doc.m_vBridgeSet.size(), 1u);
    EXPECT_EQ(doc.m_nNextID[CQELDoc::NEXTID_BRIDGESET], 1);
    EXPECT_THAT(m_Windows.m_Tree.m_vCalls, ElementsAre("AddBridgeSet"));
}

TEST_F(QELDocTest, AddLoadModelKeepsTheModelTheSheetEdited)
{
    CQELDoc doc;
    std::shared_ptr<CLoadModel> given;
    m_Dialogs.loadModel = [&](ScriptedPropSheetLM& s) {
        given = s.m_pLoadModel;
        EXPECT_EQ(given->m_ID, 1);
        EXPECT_EQ(given->m_Description, L"Load model");
        given->m_Description = L"Truck";
        given->AddPointLoad(100.0, 0.0, 0.0);
        return DLG_IDOK;
    };
    doc.OnAddLoadModel();
    ASSERT_EQ(doc.m_vLoadModel.size(), 1u);
    EXPECT_EQ(doc.m_vLoadModel[0], given);
    EXPECT_EQ(doc.m_vLoadModel[0]->m_nPL, 1u);
    EXPECT_EQ(doc.m_nNextID[CQELDoc::NEXTID_LOADMODEL], 1);
    EXPECT_THAT(m_Windows.m_Tree.m_vCalls, ElementsAre("AddLoadModel"));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(QELDocTest, AddEnsembleHandsOverTheCaseLoadModelsAndTakesTheDescription)
{
    CQELDoc doc;
    doc.AddLoadModel(MakeLM(1, L"A", 10.0));
    doc.AddLoadModel(MakeLM(2, L"B", 20.0));
    m_Dialogs.lme = [&](ScriptedLMEDlg& d) {
        EXPECT_EQ(d.m_sDescription, L"Load model ensemble");
        EXPECT_EQ(d.m_nID, 1);
        EXPECT_EQ(d.m_vLoadModels, doc.m_vLoadModel);
        d.m_pLME->AddLoadModel(d.m_vLoadModels[1]);
        d.m_sDescription = L"Trucks";
        return DLG_IDOK;
    };
    doc.OnAddLoadModelEnsemble();
    ASSERT_EQ(doc.m_vLoadModelEnsemble.size(), 1u);
    const CLoadModelEnsemble& e = *doc.m_vLoadModelEnsemble[0];
    EXPECT_EQ(e.m_Description, L"Trucks");
    ASSERT_EQ(e.m_vLoadModel.size(), 1u);
    EXPECT_EQ(e.m_vLoadModel[0], doc.m_vLoadModel[1]); // shared, not copied
    EXPECT_EQ(doc.m_nNextID[CQELDoc::NEXTID_LME], 1);
    EXPECT_THAT(m_Windows.m_Tree.m_vCalls, ElementsAre("AddLoadModelEnsemble"));
}

TEST_F(QELDocTest, AddRefCollectionTakesTheCaseSteppingDefaultsAndLists)
{
    CQELDoc doc;
    doc.m_DefStepping.bByStep = true;
    doc.m_DefStepping.nSteps = 12;
    doc.m_DefStepping.step = 0.75;
    doc.m_vBridgeSet.push_back(std::make_shared<CBridgeSet>(1, L"BS", BC_ONESPAN, 10.0, 20.0, 5.0));
    doc.AddLoadModelEnsemble(std::make_shared<CLoadModelEnsemble>(1, L"E"));
    m_Dialogs.refCollection = [&](ScriptedRefCollectionDlg& d) {
        const CReferenceCollection& c = *d.m_spRefCollection;
        EXPECT_EQ(c.m_ID, 1);
        EXPECT_EQ(c.m_Description, L"Ref collection");
        EXPECT_TRUE(c.m_bByStep);
        EXPECT_EQ(c.m_nStepPoints, 12);
        EXPECT_EQ(c.m_StepSize, 0.75);
        EXPECT_EQ(d.m_vBridgeSets, doc.m_vBridgeSet);
        EXPECT_EQ(d.m_vLMEs, doc.m_vLoadModelEnsemble);
        return DLG_IDOK;
    };
    doc.OnAddRefCollection();
    ASSERT_EQ(doc.m_vRefCollection.size(), 1u);
    EXPECT_EQ(doc.m_nNextID[CQELDoc::NEXTID_REFCOLL], 1);
    EXPECT_THAT(m_Windows.m_Tree.m_vCalls, ElementsAre("AddRefCollection"));
}

TEST_F(QELDocTest, AddingAReadyMadeElementKeepsItsIdAndIgnoresAnEmptyOne)
{
    CQELDoc doc;
    doc.AddLoadModel(nullptr);
    doc.AddLoadModelEnsemble(nullptr);
    EXPECT_TRUE(doc.m_vLoadModel.empty());
    EXPECT_FALSE(doc.IsModified());
    doc.AddLoadModel(MakeLM(9, L"Pasted", 1.0));
    EXPECT_EQ(doc.m_vLoadModel[0]->m_ID, 9);
    EXPECT_EQ(doc.m_nNextID[CQELDoc::NEXTID_LOADMODEL], 1);
    EXPECT_TRUE(m_Windows.m_Tree.m_vCalls.empty());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(QELDocTest, EditingALoadModelWorksOnACopyAndUpdatesEveryHolderOnOk)
{
    CQELDoc doc;
    auto lm = MakeLM(1, L"Truck", 100.0);
    doc.AddLoadModel(lm);
    auto lme = std::make_shared<CLoadModelEnsemble>(1, L"E");
    lme->AddLoadModel(lm);
    doc.AddLoadModelEnsemble(lme);
    doc.SetModifiedFlag(false);

    int result = DLG_IDCANCEL;
    m_Dialogs.loadModel = [&](ScriptedPropSheetLM& s) {
        EXPECT_NE(s.m_pLoadModel, lm);
        s.m_pLoadModel->m_Description = L"Heavy truck";
        s.m_pLoadModel->SetPointLoad(0, 1.0, 150.0, 0.0, 0.0);
        EXPECT_EQ(lm->m_Description, L"Truck"); // the case is untouched while the sheet is open
        return result;
    };
    doc.EditLoadModel(false, lm);
    EXPECT_EQ(lm->m_Description, L"Truck");
    EXPECT_EQ(lm->m_vPL[0].magnitude, 100.0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(m_Windows.m_MainView.m_vFilled.empty());

    result = DLG_IDOK;
    doc.EditLoadModel(true, lm);
    EXPECT_EQ(doc.m_vLoadModel[0], lm); // edited in place
    EXPECT_EQ(lme->GetLoadModel(0)->m_Description, L"Heavy truck");
    EXPECT_EQ(lme->GetLoadModel(0)->m_vPL[0].magnitude, 150.0);
    EXPECT_THAT(m_Windows.m_MainView.m_vFilled, ElementsAre(lm.get()));
    EXPECT_EQ(m_Windows.m_Tree.Count("Populate"), 1);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(QELDocTest, ANonEditableElementOpensButOkChangesNothing)
{
    CQELDoc doc;
    auto lm = MakeLM(1, L"Standard", 100.0);
    lm->m_bIsEditable = false;
    doc.AddLoadModel(lm);
    auto bridge = std::make_shared<CBridge>(1, L"B", BC_ONESPAN, 20.0);
    bridge->m_bIsEditable = false;
    doc.m_vBridge.push_back(bridge);
    doc.SetModifiedFlag(false);

    bool opened = false;
    m_Dialogs.loadModel = [&](ScriptedPropSheetLM& s) {
        opened = true;
        s.m_pLoadModel->m_Description = L"Changed";
        return DLG_IDOK;
    };
    m_Dialogs.bridge = [](ScriptedBridgeDlg& d) {
        d.m_spBridge = std::make_shared<CBridge>(1, L"Changed", BC_TWOSPAN, 30.0);
        return DLG_IDOK;
    };
    doc.EditLoadModel(true, lm);
    doc.EditBridge(true, bridge);
    EXPECT_TRUE(opened);
    EXPECT_EQ(lm->m_Description, L"Standard");
    EXPECT_EQ(bridge->m_Description, L"B");
    EXPECT_EQ(bridge->m_SpanLength, 20.0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(m_Windows.m_Tree.m_vCalls.empty());
}

TEST_F(QELDocTest, EditedBridgeAndBridgeSetReplaceTheStoredFieldsInPlace)
{
    CQELDoc doc;
    auto bridge = std::make_shared<CBridge>(1, L"B", BC_ONESPAN, 20.0);
    auto set = std::make_shared<CBridgeSet>(1, L"S", BC_ONESPAN, 10.0, 20.0, 5.0);
    doc.m_vBridge.push_back(bridge);
    doc.m_vBridgeSet.push_back(set);
    m_Dialogs.bridge = [&](ScriptedBridgeDlg& d) {
        EXPECT_NE(d.m_spBridge, bridge);
        EXPECT_EQ(d.m_spBridge->m_SpanLength, 20.0);
        d.m_spBridge = std::make_shared<CBridge>(1, L"B2", BC_TWOSPAN, 25.0);
        return DLG_IDOK;
    };
    m_Dialogs.bridgeSet = [&](ScriptedBridgeSetDlg& d) {
        EXPECT_NE(d.m_spBridgeSet, set);
        d.m_spBridgeSet = std::make_shared<CBridgeSet>(1, L"S2", 3, BC_TWOSPAN, 10.0, 30.0);
        return DLG_IDOK;
    };
    doc.EditBridge(false, bridge);
    doc.EditBridgeSet(false, set);
    EXPECT_EQ(doc.m_vBridge[0], bridge);
    EXPECT_EQ(bridge->m_Description, L"B2");
    EXPECT_THAT(bridge->m_vSpans, ElementsAre(25.0, 25.0));
    EXPECT_EQ(doc.m_vBridgeSet[0], set);
    EXPECT_EQ(set->m_Description, L"S2");
    EXPECT_EQ(set->m_nBridge, 3);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(QELDocTest, EditingAnEnsembleWorksOnACopyAndStoresTheDialogsDescription)
{
    CQELDoc doc;
    auto a = MakeLM(1, L"A", 10.0);
    auto b = MakeLM(2, L"B", 20.0);
    doc.AddLoadModel(a);
    doc.AddLoadModel(b);
    auto lme = std::make_shared<CLoadModelEnsemble>(1, L"E");
    lme->AddLoadModel(a);
    doc.AddLoadModelEnsemble(lme);
    int result = DLG_IDCANCEL;
    m_Dialogs.lme = [&](ScriptedLMEDlg& d) {
        EXPECT_NE(d.m_pLME, lme);
        EXPECT_EQ(d.m_sDescription, L"E");
        EXPECT_EQ(d.m_nID, 1);
        d.m_pLME->AddLoadModel(b);
        d.m_sDescription = L"E2";
        return result;
    };
    doc.EditLoadModelEnsemble(false, lme);
    EXPECT_EQ(lme->m_nLoadModels, 1);
    EXPECT_EQ(lme->m_Description, L"E");

    result = DLG_IDOK;
    doc.EditLoadModelEnsemble(false, lme);
    EXPECT_EQ(lme->m_Description, L"E2");
    ASSERT_EQ(lme->m_nLoadModels, 2);
    EXPECT_EQ(lme->GetLoadModel(1), b);
}

class RefCollectionEditTest : public QELDocTest {
protected:
    void SetUp() override
    {
        QELDocTest::SetUp();
        m_pSet = std::make_shared<CBridgeSet>(1, L"S", BC_ONESPAN, 10.0, 20.0, 5.0);
        m_pLME = std::make_shared<CLoadModelEnsemble>(1, L"E");
        m_pRC = std::make_shared<CReferenceCollection>(1, L"RC", Stepping{.bByStep = false, .step = 1.0, .nSteps = 10});
        m_pRC->m_vBS.push_back(m_pSet);
        m_pRC->m_vLME.push_back(m_pLME);
        // Solved: one reference set of results.
        m_pRC->m_vRefSet.push_back(std::make_shared<CReferenceSet>());
        m_pRC->m_nRefSet = 1;
        m_pRC->m_bIsCalculated = true;
        m_Doc.m_vRefCollection.push_back(m_pRC);
    }
    CQELDoc m_Doc;
    std::shared_ptr<CBridgeSet> m_pSet;
    std::shared_ptr<CLoadModelEnsemble> m_pLME;
    std::shared_ptr<CReferenceCollection> m_pRC;
};

TEST_F(RefCollectionEditTest, ChangingASolvedCollectionAsksAndNoKeepsIt)
{
    m_Dialogs.refCollection = [](ScriptedRefCollectionDlg& d) {
        d.m_spRefCollection->m_OverstressFactor = 1.6;
        d.m_spRefCollection->m_Description = L"RC2";
        return DLG_IDOK;
    };
    m_Windows.m_bAnswerYes = false;
    m_Doc.EditRefCollection(false, m_pRC);
    EXPECT_THAT(m_Windows.m_vQuestions,
                ElementsAre(L"These edits will invalidate the stored results (which will be removed) - continue?"));
    EXPECT_EQ(m_pRC->m_Description, L"RC");
    EXPECT_EQ(m_pRC->m_OverstressFactor, 1.4);
    EXPECT_TRUE(m_pRC->m_bIsCalculated);
    EXPECT_EQ(m_pRC->m_nRefSet, 1);
    EXPECT_FALSE(m_Doc.IsModified());

    m_Windows.m_bAnswerYes = true;
    m_Doc.EditRefCollection(true, m_pRC);
    EXPECT_EQ(m_Doc.m_vRefCollection[0], m_pRC);
    EXPECT_EQ(m_pRC->m_Description, L"RC2");
    EXPECT_EQ(m_pRC->m_OverstressFactor, 1.6);
    EXPECT_FALSE(m_pRC->m_bIsCalculated);
    EXPECT_EQ(m_pRC->m_nRefSet, 0);
    EXPECT_TRUE(m_pRC->m_vRefSet.empty());
    EXPECT_EQ(m_Windows.m_Tree.Count("Populate"), 1);
    EXPECT_TRUE(m_Doc.IsModified());
}

TEST_F(RefCollectionEditTest, ARenameOfASolvedCollectionKeepsItsResultsWithoutAsking)
{
    // The name is no input of the calculation.
    m_Dialogs.refCollection = [](ScriptedRefCollectionDlg& d) {
        d.m_spRefCollection->m_Description = L"Renamed";
        return DLG_IDOK;
    };
    m_Doc.EditRefCollection(false, m_pRC);
    EXPECT_TRUE(m_Windows.m_vQuestions.empty());
    EXPECT_EQ(m_pRC->m_Description, L"Renamed");
    EXPECT_TRUE(m_pRC->m_bIsCalculated);
    EXPECT_EQ(m_pRC->m_nRefSet, 1);
}

TEST_F(RefCollectionEditTest, AnUnsolvedCollectionIsChangedWithoutAskingAndCancelKeepsIt)
{
    m_pRC->ClearResults();
    m_Dialogs.refCollection = [](ScriptedRefCollectionDlg& d) {
        d.m_spRefCollection->m_vBS.clear();
        return DLG_IDCANCEL;
    };
    m_Doc.EditRefCollection(false, m_pRC);
    EXPECT_EQ(m_pRC->m_vBS.size(), 1u);

    m_Dialogs.refCollection = [](ScriptedRefCollectionDlg& d) {
        d.m_spRefCollection->m_vBS.clear();
        return DLG_IDOK;
    };
    m_Doc.EditRefCollection(false, m_pRC);
    EXPECT_TRUE(m_Windows.m_vQuestions.empty());
    EXPECT_TRUE(m_pRC->m_vBS.empty());
}

TEST_F(QELDocTest, DeletingRenumbersTheListButLeavesTheCounter)
{
    CQELDoc doc;
    m_Dialogs.bridge = [](ScriptedBridgeDlg&) { return DLG_IDOK; };
    for (int i = 0; i < 3; ++i)
        doc.OnAddBridge();
    ASSERT_EQ(Ids(doc.m_vBridge), (std::vector<int>{1, 2, 3}));
    auto second = doc.m_vBridge[1];
    auto third = doc.m_vBridge[2];
    doc.SetModifiedFlag(false);

    EXPECT_TRUE(doc.DeleteElement(doc.m_vBridge[0]));
    EXPECT_EQ(doc.m_vBridge, (std::vector<std::shared_ptr<CBridge>>{second, third}));
    EXPECT_EQ(Ids(doc.m_vBridge), (std::vector<int>{1, 2}));
    EXPECT_EQ(doc.m_nNextID[CQELDoc::NEXTID_BRIDGE], 3);
    EXPECT_TRUE(doc.IsModified());

    doc.OnAddBridge();
    EXPECT_EQ(Ids(doc.m_vBridge), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(m_Windows.m_Tree.Count("Clear"), 0); // deletion leaves the pane to itself
}

TEST_F(QELDocTest, DeletionFindsTheObjectNotAnElementOfTheSameId)
{
    CQELDoc doc;
    doc.m_vBridge.push_back(std::make_shared<CBridge>(1, L"In case", BC_ONESPAN, 20.0));
    auto stranger = std::make_shared<CBridge>(*doc.m_vBridge[0]); // equal id and fields
    EXPECT_FALSE(doc.DeleteElement(stranger));
    EXPECT_EQ(doc.m_vBridge.size(), 1u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_THAT(m_Windows.m_vLog, ElementsAre(L"Called delete on: In case"));
}

TEST_F(QELDocTest, DeletionByTypeCode)
{
    CQELDoc doc;
    auto set = std::make_shared<CBridgeSet>(1, L"S", BC_ONESPAN, 10.0, 20.0, 5.0);
    auto lme = std::make_shared<CLoadModelEnsemble>(1, L"E");
    auto rc = std::make_shared<CReferenceCollection>(1, L"RC", Stepping{.bByStep = false, .step = 1.0, .nSteps = 10});
    rc->m_vBS.push_back(set);
    doc.m_vBridgeSet.push_back(set);
    doc.m_vLoadModelEnsemble.push_back(lme);
    doc.m_vRefCollection.push_back(rc);

    EXPECT_TRUE(doc.DeleteElement(set));
    EXPECT_TRUE(doc.DeleteElement(lme));
    EXPECT_TRUE(doc.DeleteElement(rc));
    EXPECT_TRUE(doc.m_vBridgeSet.empty());
    EXPECT_TRUE(doc.m_vLoadModelEnsemble.empty());
    EXPECT_TRUE(doc.m_vRefCollection.empty());
    EXPECT_EQ(rc->m_vBS[0], set); // a collection keeps what it shares

    // A code no list holds removes nothing.
    auto odd = std::make_shared<CBridge>(1, L"Odd", BC_ONESPAN, 20.0);
    doc.m_vBridge.push_back(odd);
    odd->m_ElementType = ET_UNUSED15;
    EXPECT_FALSE(doc.DeleteElement(odd));
    EXPECT_EQ(doc.m_vBridge.size(), 1u);
    EXPECT_FALSE(doc.DeleteElement(nullptr));
}

TEST_F(QELDocTest, DeletingALoadModelOfTheListLeavesTheEnsemblesAlone)
{
    CQELDoc doc;
    auto lm = MakeLM(1, L"A", 10.0);
    doc.AddLoadModel(lm);
    auto lme = std::make_shared<CLoadModelEnsemble>(1, L"E");
    lme->AddLoadModel(lm);
    doc.AddLoadModelEnsemble(lme);
    EXPECT_TRUE(doc.DeleteElement(lm));
    EXPECT_TRUE(doc.m_vLoadModel.empty());
    EXPECT_EQ(lme->m_nLoadModels, 1);
}

TEST_F(QELDocTest, DeletingALoadModelShownUnderEnsemblesRemovesItFromTheFirstOnly)
{
    CQELDoc doc;
    auto a = MakeLM(1, L"A", 10.0);
    auto b = MakeLM(2, L"B", 20.0);
    auto e1 = std::make_shared<CLoadModelEnsemble>(1, L"E1");
    auto e2 = std::make_shared<CLoadModelEnsemble>(2, L"E2");
    e1->AddLoadModel(a);
    e1->AddLoadModel(b);
    e1->AddLoadModel(b);
    e2->AddLoadModel(b);
    doc.AddLoadModelEnsemble(e1);
    doc.AddLoadModelEnsemble(e2);
    doc.SetModifiedFlag(false);

    EXPECT_TRUE(doc.DeleteElement(b));
    ASSERT_EQ(e1->m_nLoadModels, 2); // only its first entry of b
    EXPECT_EQ(e1->GetLoadModel(0), a);
    EXPECT_EQ(e1->GetLoadModel(1), b);
    EXPECT_EQ(e2->m_nLoadModels, 1);
    EXPECT_TRUE(doc.IsModified());

    EXPECT_FALSE(doc.DeleteElement(MakeLM(3, L"Nowhere", 1.0)));
}

TEST_F(QELDocTest, ResultWindowsCountAcrossPlotsAndGrids)
{
    CQELDoc doc;
    CDocPlotView* p = doc.OpenPlotView(L"Moving Load", 2, 1);
    ASSERT_NE(p, nullptr);
    CDocGridView* g = doc.OpenGridView(L"Table");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(m_Windows.m_vPlots[0]->m_sTitle, L"1 - Moving Load");
    EXPECT_EQ(m_Windows.m_vPlots[0]->m_nRows, 2);
    EXPECT_EQ(m_Windows.m_vPlots[0]->m_nCols, 1);
    EXPECT_EQ(m_Windows.m_vGrids[0]->m_sTitle, L"2 - Table");
    EXPECT_EQ(doc.m_nWindowCount, 2);

    // A window that cannot be made is not counted.
    m_Windows.m_bCanCreate = false;
    EXPECT_EQ(doc.OpenGridView(L"None"), nullptr);
    EXPECT_EQ(doc.OpenPlotView(L"None", 1, 1), nullptr);
    EXPECT_EQ(doc.m_nWindowCount, 2);
}

TEST_F(QELDocTest, PlotLayoutForACount)
{
    struct Case {
        int n;
        int rows;
        int cols;
    };
    for (const Case c : {Case{1, 1, 1}, Case{3, 3, 1}, Case{4, 2, 2}, Case{5, -1, -1}, Case{0, -1, -1}}) {
        SCOPED_TRACE(c.n);
        CQELDoc doc;
        m_Windows.m_vPlots.clear();
        CDocPlotView* p = doc.OpenPlotViewForCount(L"Reactions", c.n);
        if (c.rows < 0) {
            EXPECT_EQ(p, nullptr);
            EXPECT_TRUE(m_Windows.m_vPlots.empty());
            EXPECT_EQ(doc.m_nWindowCount, 0);
            continue;
        }
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(m_Windows.m_vPlots[0]->m_nRows, c.rows);
        EXPECT_EQ(m_Windows.m_vPlots[0]->m_nCols, c.cols);
    }
}

TEST_F(QELDocTest, WithoutTheElementPaneOrMainViewCommandsStillWork)
{
    m_Windows.m_bHasTree = false;
    m_Windows.m_bHasMainView = false;
    CQELDoc doc;
    m_Dialogs.loadModel = [](ScriptedPropSheetLM&) { return DLG_IDOK; };
    doc.OnAddLoadModel();
    doc.EditLoadModel(true, doc.m_vLoadModel.at(0));
    doc.RefreshElementView();
    EXPECT_EQ(doc.m_vLoadModel.size(), 1u);
    EXPECT_EQ(doc.GetMainView(), nullptr);
}

TEST_F(QELDocTest, GetDocIsTheActiveChildsDocument)
{
    CQELDoc doc;
    EXPECT_EQ(CQELDoc::GetDoc(), nullptr);
    m_Windows.m_pActiveDoc = &doc;
    EXPECT_EQ(CQELDoc::GetDoc(), &doc);
    SetDocHost({});
    EXPECT_EQ(CQELDoc::GetDoc(), nullptr);
}

}
