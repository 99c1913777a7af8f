// The program's dialogs, as the document runs them: a dialog answered with OK and nothing
// touched hands back every value the document put in. A field that the shell forgot to
// copy into the dialog, or back out of it, comes back as the dialog's default instead.
#include "AppTestUtil.h"
#include "ModalAnswer.h"
#include "app/doc/AnalysisDialogs.h"
#include "app/doc/DocHost.h"
#include "app/doc/LMEParametersDlgInterface.h"
#include "doc/AnalysisTestUtil.h"

using namespace qeltest;

namespace {

using DialogData = AppFixture;

// Runs the dialog the document would run, answering OK untouched; the caption shows that
// the program's own dialog came up.
template <class Interface>
void AnswerOk(Interface& dlg, const char* caption)
{
    ModalAnswer answer([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QString::fromLatin1(caption));
        Press(d, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(dlg.DoModal(), DLG_IDOK);
    EXPECT_TRUE(answer.Answered());
}

TEST_F(DialogData, EveryValueTheDocumentGivesComesBackOnOk)
{
    Start();
    CDocDialogs& element = *GetDocHost().pDialogs;
    CDocAnalysisDialogs& analysis = *GetDocHost().pAnalysisDialogs;
    const auto pBridge = Span(10.0);
    const auto pSet = SpanRange(10.0, 20.0, 10.0);
    const auto pModel = Axle();
    const auto pLME = EnsembleOf({Axle()});
    const auto pCollection = Collection({pSet}, {pLME});

    struct Case {
        const char* caption;
        std::function<void(const char*)> run;
    };
    const std::vector<Case> cases = {
        {"Case Information",
         [&](const char* caption) {
             auto dlg = element.MakeConfigDlg();
             dlg->m_sCaseRef = L"B-12/3";
             dlg->m_sCaseNotes = L"Two spans\nwidened 1998";
             AnswerOk(*dlg, caption);
             EXPECT_EQ(dlg->m_sCaseRef, L"B-12/3");
             EXPECT_EQ(dlg->m_sCaseNotes, L"Two spans\nwidened 1998");
         }},
        // Each flag differs from its neighbours and from the dialog's default (all off).
        {"Output options",
         [&](const char* caption) {
             auto dlg = analysis.MakeOutputOptionsDlg();
             dlg->m_bBMSF = true;
             dlg->m_bReactions = false;
             dlg->m_bGraphs = false;
             dlg->m_bTables = true;
             AnswerOk(*dlg, caption);
             EXPECT_TRUE(dlg->m_bBMSF);
             EXPECT_FALSE(dlg->m_bReactions);
             EXPECT_FALSE(dlg->m_bGraphs);
             EXPECT_TRUE(dlg->m_bTables);
         }},
        // Every value away from the opening one: a spacing family by step of 0.5 m, a
        // DAF of 1.25 (kept in its field; the dialog always opens on the load model's own
        // DAF) and 30 HB units.
        {"LME Parameters",
         [&](const char* caption) {
             auto dlg = element.MakeLMEParametersDlg();
             dlg->m_bVariableAxle = true;
             dlg->m_bBS5400 = true;
             dlg->m_bByStep = true;
             dlg->m_dStep = 0.5;
             dlg->m_nSteps = 7;
             dlg->m_dDAF = 1.25;
             dlg->m_nHBUnits = 30;
             AnswerOk(*dlg, caption);
             EXPECT_TRUE(dlg->m_bByStep);
             EXPECT_DOUBLE_EQ(dlg->m_dStep, 0.5);
             EXPECT_EQ(dlg->m_nSteps, 7);
             EXPECT_DOUBLE_EQ(dlg->m_dDAF, 1.25);
             EXPECT_EQ(dlg->m_nHBUnits, 30);
         }},
        // The stepping is the document's default going in and its next default coming out.
        {"Moving Load Analysis",
         [&](const char* caption) {
             auto dlg = analysis.MakeMovingLoadDlg();
             dlg->m_vBridges = {pBridge};
             dlg->m_vLoadModels = {pModel};
             dlg->m_vLMEs = {pLME};
             dlg->m_Stepping.bByStep = false;
             dlg->m_Stepping.step = 0.25;
             dlg->m_Stepping.nSteps = 30;
             AnswerOk(*dlg, caption);
             EXPECT_FALSE(dlg->m_Stepping.bByStep);
             EXPECT_DOUBLE_EQ(dlg->m_Stepping.step, 0.25);
             EXPECT_EQ(dlg->m_Stepping.nSteps, 30);
             EXPECT_EQ(dlg->m_vLMEs, LMEList{pLME});
         }},
        {"Bridge Range Analysis",
         [&](const char* caption) {
             auto dlg = analysis.MakeBridgeRangeDlg();
             dlg->m_vBridgeSets = {pSet};
             dlg->m_vLoadModels = {pModel};
             dlg->m_Stepping.bByStep = true;
             dlg->m_Stepping.step = 0.75;
             dlg->m_Stepping.nSteps = 12;
             AnswerOk(*dlg, caption);
             EXPECT_TRUE(dlg->m_Stepping.bByStep);
             EXPECT_DOUBLE_EQ(dlg->m_Stepping.step, 0.75);
             EXPECT_EQ(dlg->m_Stepping.nSteps, 12);
             EXPECT_EQ(dlg->m_vBridgeSets, BridgeSetList{pSet});
         }},
        {"Make Critical Ratios",
         [&](const char* caption) {
             auto dlg = analysis.MakeCritRatioRefCollDlg();
             dlg->m_vLoadModels = {pModel};
             dlg->m_vLoadModelEnsembles = {pLME};
             dlg->m_vRefCollections = {pCollection};
             dlg->m_dMultiplier = 1.5;
             AnswerOk(*dlg, caption);
             EXPECT_DOUBLE_EQ(dlg->m_dMultiplier, 1.5);
             EXPECT_TRUE(dlg->m_bUseLoadModel);
             EXPECT_EQ(dlg->m_vRefCollections, RefCollectionList{pCollection});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        c.run(c.caption);
    }
}

}
