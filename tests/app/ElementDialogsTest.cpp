// The element commands of the running program open the program's own dialogs: what is
// typed reaches the case on OK, Cancel leaves it alone.
#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "AppTestUtil.h"
#include "ModalAnswer.h"
#include "app/AppIds.h"
#include "app/doc/QELDoc.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"

using namespace qeltest;

using ElementDialogs = AppFixture;

TEST_F(ElementDialogs, AddBridgeTakesTheTypedBridgeOnOkAndNothingOnCancel)
{
    for (const bool bOk : {true, false}) {
        SCOPED_TRACE(bOk ? "OK" : "Cancel");
        Start();
        CQELDoc& doc = *app->GetDocument();
        QString shownId, shownSpan;
        ModalAnswer answer([&](QDialog& dlg) {
            EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Define Bridge"));
            EXPECT_EQ(dlg.parentWidget(), &Frame());
            shownId = Ctrl<QLineEdit>(dlg, 1015)->text();
            shownSpan = Ctrl<QLineEdit>(dlg, 1016)->text();
            SaveScreenshot(&dlg, "app-define-bridge.png");
            Type(Ctrl<QLineEdit>(dlg, 1008), QStringLiteral("Culvert"));
            Ctrl<QRadioButton>(dlg, 1018)->click(); // "Two span"
            Type(Ctrl<QLineEdit>(dlg, 1016), QStringLiteral("12.5"));
            Press(dlg, bOk ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        });

        ASSERT_TRUE(Frame().ExecuteCommand(ID_ADD_BRIDGE));

        ASSERT_TRUE(answer.Answered()) << "no dialog opened";
        // The document's new bridge is what the dialog showed.
        EXPECT_EQ(shownId, QStringLiteral("1"));
        EXPECT_EQ(shownSpan, QStringLiteral("20"));
        EXPECT_EQ(doc.IsModified(), bOk);
        EXPECT_EQ(doc.m_nNextID[CQELDoc::NEXTID_BRIDGE], bOk ? 1 : 0);
        if (!bOk) {
            EXPECT_TRUE(doc.m_vBridge.empty());
        } else {
            ASSERT_EQ(doc.m_vBridge.size(), 1u);
            const CBridge& b = *doc.m_vBridge[0];
            EXPECT_EQ(b.m_ID, 1);
            EXPECT_EQ(b.GetDescription(), L"Culvert");
            EXPECT_EQ(b.m_Config, BC_TWOSPAN);
            // Two equal spans of the typed length.
            EXPECT_EQ(b.m_vSpans, (std::vector<double>{12.5, 12.5}));
        }
        Quit();
    }
}

TEST_F(ElementDialogs, ARefusedSpanKeepsTheDialogOpenUntilItIsMended)
{
    Start();
    CQELDoc& doc = *app->GetDocument();
    bool bOpenAfterRefusal = false;
    ModalAnswer answer([&](QDialog& dlg) {
        Type(Ctrl<QLineEdit>(dlg, 1016), QStringLiteral("0"));
        Press(dlg, QDialogButtonBox::Ok);
        bOpenAfterRefusal = dlg.isVisible();
        Type(Ctrl<QLineEdit>(dlg, 1016), QStringLiteral("30"));
        Press(dlg, QDialogButtonBox::Ok);
    });

    ASSERT_TRUE(Frame().ExecuteCommand(ID_ADD_BRIDGE));

    ASSERT_TRUE(answer.Answered());
    EXPECT_TRUE(bOpenAfterRefusal);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"The span length must be greater than zero.");
    EXPECT_EQ(boxes[0].caption, L"QEL");
    ASSERT_EQ(doc.m_vBridge.size(), 1u);
    EXPECT_EQ(doc.m_vBridge[0]->m_vSpans, (std::vector<double>{30.0}));
}

TEST_F(ElementDialogs, CaseDataBridgeSetAndReferenceCollectionReachTheCase)
{
    Start();
    CQELDoc& doc = *app->GetDocument();

    ModalAnswer caseData([&](QDialog& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Case Information"));
        Type(Ctrl<QLineEdit>(dlg, 1063), QStringLiteral("Mill Lane viaduct"));
        Ctrl<QPlainTextEdit>(dlg, 1064)->setPlainText(QStringLiteral("Spans checked\nfor the 44 t vehicle"));
        Press(dlg, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Frame().ExecuteCommand(ID_CASE_DATA));
    ASSERT_TRUE(caseData.Answered());
    EXPECT_EQ(doc.m_sCaseRef, L"Mill Lane viaduct");
    EXPECT_EQ(doc.m_sCaseNotes, L"Spans checked\nfor the 44 t vehicle");
    EXPECT_TRUE(doc.IsModified());

    ModalAnswer bridgeSet([&](QDialog& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Add Bridge Set"));
        Type(Ctrl<QLineEdit>(dlg, 1008), QStringLiteral("Two spans 10-40 m"));
        Type(Ctrl<QLineEdit>(dlg, 1024), QStringLiteral("10"));
        Type(Ctrl<QLineEdit>(dlg, 1022), QStringLiteral("40"));
        Ctrl<QRadioButton>(dlg, 1021)->click(); // "By number:"
        Type(Ctrl<QLineEdit>(dlg, 1010), QStringLiteral("4"));
        Press(dlg, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Frame().ExecuteCommand(ID_ADD_BRIDGESET));
    ASSERT_TRUE(bridgeSet.Answered());
    ASSERT_EQ(doc.m_vBridgeSet.size(), 1u);
    const std::shared_ptr<CBridgeSet> pSet = doc.m_vBridgeSet[0];
    EXPECT_EQ(pSet->GetDescription(), L"Two spans 10-40 m");
    EXPECT_FALSE(pSet->m_bByStep);
    // Four spans from 10 to 40 m are 10 m apart; each two-span bridge is twice its span long.
    EXPECT_EQ(pSet->GetBridgeLengths(), (std::vector<double>{20.0, 40.0, 60.0, 80.0}));

    // The collection chooses from the case's sets and ensembles.
    auto pLME = std::make_shared<CLoadModelEnsemble>(1, L"Heavy vehicles");
    doc.AddLoadModelEnsemble(pLME);
    ModalAnswer collection([&](QDialog& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Edit Reference Collection"));
        auto* sets = Ctrl<QListWidget>(dlg, 1026);
        auto* lmes = Ctrl<QListWidget>(dlg, 1027);
        ASSERT_EQ(sets->count(), 1);
        ASSERT_EQ(lmes->count(), 1);
        EXPECT_EQ(sets->item(0)->text(), QStringLiteral("1 - Two spans 10-40 m"));
        EXPECT_EQ(lmes->item(0)->text(), QStringLiteral("1 - Heavy vehicles"));
        sets->item(0)->setCheckState(Qt::Checked);
        lmes->item(0)->setCheckState(Qt::Checked);
        Type(Ctrl<QLineEdit>(dlg, 1008), QStringLiteral("Reference A"));
        SaveScreenshot(&dlg, "app-edit-reference-collection.png");
        Press(dlg, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Frame().ExecuteCommand(ID_ADD_REFCOLLECTION));
    ASSERT_TRUE(collection.Answered());
    ASSERT_EQ(doc.m_vRefCollection.size(), 1u);
    const CReferenceCollection& rc = *doc.m_vRefCollection[0];
    EXPECT_EQ(rc.GetDescription(), L"Reference A");
    ASSERT_EQ(rc.m_vBS.size(), 1u);
    ASSERT_EQ(rc.m_vLME.size(), 1u);
    // The very elements of the case, not copies.
    EXPECT_EQ(rc.m_vBS[0], pSet);
    EXPECT_EQ(rc.m_vLME[0], pLME);
}

TEST_F(ElementDialogs, LoadModelCommandsLeaveTheCaseAloneUntilTheirEditorsAreThere)
{
    Start();
    CQELDoc& doc = *app->GetDocument();
    for (const int nID : {ID_ADD_LOADMODEL, ID_ADD_LOADMODELENSEMBLE}) {
        ASSERT_TRUE(Frame().ExecuteCommand(nID)) << nID;
        EXPECT_TRUE(doc.m_vLoadModel.empty());
        EXPECT_TRUE(doc.m_vLoadModelEnsemble.empty());
        EXPECT_FALSE(doc.IsModified());
    }
}
