// The element commands of the running program open the program's own dialogs: what is
// typed reaches the case on OK, Cancel leaves it alone.
#include <QCheckBox>
#include <QMouseEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "AppTestUtil.h"
#include "ModalAnswer.h"
#include "app/AppIds.h"
#include "app/ChildFrame.h"
#include "app/doc/QELDoc.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "ui/mainview/QELView.h"
#include "IdName.h"

using namespace qeltest;

namespace {

// What a double click delivers: press, release, press, double click, release.
void DoubleClick(QWidget* pWidget, const QPoint& at)
{
    QTest::mousePress(pWidget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(pWidget, Qt::LeftButton, {}, at);
    QTest::mousePress(pWidget, Qt::LeftButton, {}, at);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, pWidget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(pWidget, &dbl);
    QTest::mouseRelease(pWidget, Qt::LeftButton, {}, at);
}

}

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
            shownId = Ctrl<QLineEdit>(dlg, IDC_ITEM_ID)->text();
            shownSpan = Ctrl<QLineEdit>(dlg, IDC_SPAN_LENGTH)->text();
            SaveScreenshot(&dlg, "app-define-bridge.png");
            Type(Ctrl<QLineEdit>(dlg, IDC_DESCRIPTION), QStringLiteral("Culvert"));
            Ctrl<QRadioButton>(dlg, IDC_CONFIG_TWO_SPAN)->click(); // "Two span"
            Type(Ctrl<QLineEdit>(dlg, IDC_SPAN_LENGTH), QStringLiteral("12.5"));
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
        Type(Ctrl<QLineEdit>(dlg, IDC_SPAN_LENGTH), QStringLiteral("0"));
        Press(dlg, QDialogButtonBox::Ok);
        bOpenAfterRefusal = dlg.isVisible();
        Type(Ctrl<QLineEdit>(dlg, IDC_SPAN_LENGTH), QStringLiteral("30"));
        Press(dlg, QDialogButtonBox::Ok);
    });

    ASSERT_TRUE(Frame().ExecuteCommand(ID_ADD_BRIDGE));

    ASSERT_TRUE(answer.Answered());
    EXPECT_TRUE(bOpenAfterRefusal);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"The span length is 0 m; it must be from 0.1 m to 1,000 m.");
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
        Type(Ctrl<QLineEdit>(dlg, IDC_CASE_REF), QStringLiteral("Mill Lane viaduct"));
        Ctrl<QPlainTextEdit>(dlg, IDC_CASE_NOTES)->setPlainText(QStringLiteral("Spans checked\nfor the 44 t vehicle"));
        Press(dlg, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(Frame().ExecuteCommand(ID_CASE_DATA));
    ASSERT_TRUE(caseData.Answered());
    EXPECT_EQ(doc.m_sCaseRef, L"Mill Lane viaduct");
    EXPECT_EQ(doc.m_sCaseNotes, L"Spans checked\nfor the 44 t vehicle");
    EXPECT_TRUE(doc.IsModified());

    ModalAnswer bridgeSet([&](QDialog& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Add Bridge Set"));
        Type(Ctrl<QLineEdit>(dlg, IDC_DESCRIPTION), QStringLiteral("Two spans 10-40 m"));
        Type(Ctrl<QLineEdit>(dlg, IDC_START_LENGTH), QStringLiteral("10"));
        Type(Ctrl<QLineEdit>(dlg, IDC_END_LENGTH), QStringLiteral("40"));
        Ctrl<QRadioButton>(dlg, IDC_BY_NUMBER)->click(); // "By number:"
        Type(Ctrl<QLineEdit>(dlg, IDC_RANGE_NUMBER), QStringLiteral("4"));
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
        auto* sets = Ctrl<QListWidget>(dlg, IDC_LIST_BRIDGESETS);
        auto* lmes = Ctrl<QListWidget>(dlg, IDC_LIST_LMES);
        ASSERT_EQ(sets->count(), 1);
        ASSERT_EQ(lmes->count(), 1);
        EXPECT_EQ(sets->item(0)->text(), QStringLiteral("1 - Two spans 10-40 m"));
        EXPECT_EQ(lmes->item(0)->text(), QStringLiteral("1 - Heavy vehicles"));
        sets->item(0)->setCheckState(Qt::Checked);
        lmes->item(0)->setCheckState(Qt::Checked);
        Type(Ctrl<QLineEdit>(dlg, IDC_DESCRIPTION), QStringLiteral("Reference A"));
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

TEST_F(ElementDialogs, AddLoadModelTakesTheSheetsModelOnOkAndNothingOnCancel)
{
    for (const bool bOk : {true, false}) {
        SCOPED_TRACE(bOk ? "OK" : "Cancel");
        Start();
        CQELDoc& doc = *app->GetDocument();
        ModalAnswer answer([&](QDialog& dlg) {
            EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Load Model Definition"));
            Type(Ctrl<QLineEdit>(dlg, IDC_DESCRIPTION), QStringLiteral("Tipper"));
            SaveScreenshot(&dlg, "app-load-model-definition.png");
            Press(dlg, bOk ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
        });

        ASSERT_TRUE(Frame().ExecuteCommand(ID_ADD_LOADMODEL));

        ASSERT_TRUE(answer.Answered()) << "no sheet opened";
        EXPECT_EQ(doc.IsModified(), bOk);
        EXPECT_EQ(doc.m_nNextID[CQELDoc::NEXTID_LOADMODEL], bOk ? 1 : 0);
        ASSERT_EQ(doc.m_vLoadModel.size(), bOk ? 1u : 0u);
        if (bOk) {
            EXPECT_EQ(doc.m_vLoadModel[0]->m_ID, 1);
            EXPECT_EQ(doc.m_vLoadModel[0]->GetDescription(), L"Tipper");
        }
        Quit();
    }
}

TEST_F(ElementDialogs, AnEditedLoadModelIsShownAgainInTheMainView)
{
    Start();
    CQELDoc& doc = *app->GetDocument();
    auto pModel = std::make_shared<CLoadModel>(1, L"Tipper");
    pModel->AddPointLoad(60.0, 0.0, 0.0);
    pModel->AddPointLoad(90.0, -3.6, 0.0);
    doc.AddLoadModel(pModel);
    ModalAnswer answer([&](QDialog& dlg) {
        Type(Ctrl<QLineEdit>(dlg, IDC_DESCRIPTION), QStringLiteral("Tipper 15 t"));
        Press(dlg, QDialogButtonBox::Ok);
    });

    doc.EditLoadModel(true, pModel);

    ASSERT_TRUE(answer.Answered());
    EXPECT_EQ(pModel->GetDescription(), L"Tipper 15 t");
    CChildFrame* pCase = Frame().GetChildFrames(&doc).at(0);
    auto* pView = qobject_cast<CQELView*>(pCase->GetView());
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->GetTitle(), L"Tolmerin | Tipper 15 t");
    EXPECT_EQ(pCase->windowTitle(), QStringLiteral("QEL_config1")); // the case's, as the frame was given
}

TEST_F(ElementDialogs, AddEnsembleTakesTheChosenModelsAndOpensAModelOverItself)
{
    Start();
    CQELDoc& doc = *app->GetDocument();
    doc.AddLoadModel(std::make_shared<CLoadModel>(1, L"Tipper"));
    doc.AddLoadModel(std::make_shared<CLoadModel>(2, L"Crane"));
    std::unique_ptr<ModalAnswer> nested;
    QWidget* pNestedParent = nullptr;
    ModalAnswer answer([&](QDialog& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Load Model Ensemble Definition"));
        auto* available = Ctrl<QListWidget>(dlg, IDC_LIST_AVAILABLE);
        auto* included = Ctrl<QListWidget>(dlg, IDC_LIST_INCLUDED);
        ASSERT_EQ(available->count(), 2);
        available->setCurrentRow(1);
        for (QPushButton* b : dlg.findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("Add >>"))
                b->click();
        ASSERT_EQ(included->count(), 1);
        Type(Ctrl<QLineEdit>(dlg, IDC_DESCRIPTION), QStringLiteral("Site traffic"));

        // A double click opens the model's own sheet over this dialog.
        nested = std::make_unique<ModalAnswer>([&](QDialog& sheet) {
            EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Load Model Definition"));
            pNestedParent = sheet.parentWidget();
            Type(Ctrl<QLineEdit>(sheet, IDC_DESCRIPTION), QStringLiteral("Mobile crane"));
            Press(sheet, QDialogButtonBox::Ok);
        });
        const QRect r = included->visualItemRect(included->item(0));
        DoubleClick(included->viewport(), r.center());
        EXPECT_TRUE(nested->Answered()) << "no sheet opened on the double click";
        EXPECT_EQ(included->item(0)->text(), QStringLiteral("2 - Mobile crane"));
        Press(dlg, QDialogButtonBox::Ok);
    });

    ASSERT_TRUE(Frame().ExecuteCommand(ID_ADD_LOADMODELENSEMBLE));

    ASSERT_TRUE(answer.Answered());
    EXPECT_EQ(pNestedParent, answer.Dialog());
    ASSERT_EQ(doc.m_vLoadModelEnsemble.size(), 1u);
    const CLoadModelEnsemble& lme = *doc.m_vLoadModelEnsemble[0];
    EXPECT_EQ(lme.m_ID, 1);
    EXPECT_EQ(lme.GetDescription(), L"Site traffic");
    ASSERT_EQ(lme.m_vLoadModel.size(), 1u);
    // The case's own model, renamed in place.
    EXPECT_EQ(lme.m_vLoadModel[0], doc.m_vLoadModel[1]);
    EXPECT_EQ(doc.m_vLoadModel[1]->GetDescription(), L"Mobile crane");
}
