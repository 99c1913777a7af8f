// A long open or save in the program's window: the bar shows how far it has come, the
// window keeps painting and handling what is posted to it, and neither a command nor
// closing the window can touch the case until it has ended.
#include <QCursor>
#include <QGuiApplication>
#include <QProgressBar>
#include <QTimer>
#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "app/AppIds.h"
#include "core/analysis/AnalysisFeedback.h"
#include "app/doc/QELDoc.h"
#include "common/TestEnv.h"
#include "core/bridge/BridgeSet.h"
#include "core/library/LMEFactory.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "TestOptions.h"

using namespace qeltest;

namespace {

// What a timer that fires while the file runs finds.
struct DuringFile {
    int nFired = 0;
    bool bBusy = false;
    bool bSaveEnabled = true;
    bool bClosed = true;
    bool bWaitCursor = false;
    int nMaxProgress = 0;
};

class CaseFileProgress : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        CQELDoc::s_nFileProgressAfterMs = 0;
    }
    void TearDown() override
    {
        CQELDoc::s_nFileProgressAfterMs = m_nProgressAfterMs;
        AppFixture::TearDown();
    }
    const std::uint64_t m_nProgressAfterMs = CQELDoc::s_nFileProgressAfterMs;

    // One-span bridges of 1 to 30 m against a standard family with overstress, in 0.1 m
    // steps: a few megabytes of stored results.
    static void FillCollection(CQELDoc& doc)
    {
        CLMEFactory factory;
        auto lme = factory.GetNAASRA1976(false, 4);
        lme->m_ID = 1;
        auto set = std::make_shared<CBridgeSet>(1, L"1:1:30", BC_ONESPAN, 1.0, 30.0, 1.0);
        auto rc =
            std::make_shared<CReferenceCollection>(1, L"Big", Stepping{.bByStep = true, .step = 0.1, .nSteps = 0});
        rc->m_vBS = {set};
        rc->m_vLME = {lme};
        rc->m_bUseOverstress = true;
        rc->Calculate(CAnalysisFeedback::None(), qeltest::TestOptions());
        doc.m_vBridgeSet = {set};
        doc.m_vLoadModelEnsemble = {lme};
        doc.m_vRefCollection = {rc};
        doc.SetModifiedFlag();
    }

    // Arms a timer that looks at the window each time it fires, until the file has ended.
    void Watch(DuringFile& seen)
    {
        auto* timer = new QTimer(&Frame());
        QObject::connect(timer, &QTimer::timeout, &Frame(), [this, &seen, timer] {
            CQELDoc* doc = app->GetDocument();
            if (!doc || !doc->IsFileBusy()) {
                if (seen.nFired > 0)
                    timer->deleteLater();
                return;
            }
            if (++seen.nFired == 1) {
                seen.bBusy = true;
                seen.bSaveEnabled = Frame().ExecuteCommand(ID_FILE_SAVE);
                seen.bClosed = Frame().close();
                seen.bWaitCursor =
                    QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
            }
            seen.nMaxProgress = std::max(seen.nMaxProgress, Frame().GetProgressPos());
            if (seen.nFired == 3)
                SaveScreenshot(&Frame(), "case-file-progress.png");
        });
        timer->start(0);
    }
};

}

TEST_F(CaseFileProgress, ALongSaveAndOpenShowTheirProgressAndKeepTheWindowPaintingButUntouchable)
{
    for (bool bBinary : {true, false}) {
        SCOPED_TRACE(bBinary ? "binary" : "XML");
        g_pSettings->Edit([bBinary](CSettings& s) { s.General.USEBINARYFILEFORMAT = bBinary; });
        Start();
        FillCollection(*app->GetDocument());
        ProcessEvents(); // the bar starts empty: what it shows comes from the file
        ASSERT_EQ(Frame().GetProgressPos(), 0);
        const std::wstring path = (TempRoot() / (bBinary ? "long.qel" : "long-xml.qel")).wstring();
        app->GetDocument()->SetPathName(path);

        DuringFile save;
        Watch(save);
        ASSERT_TRUE(app->OnFileSave());
        EXPECT_GT(save.nFired, 0);
        EXPECT_TRUE(save.bBusy);
        EXPECT_FALSE(save.bSaveEnabled);
        EXPECT_FALSE(save.bClosed);
        EXPECT_TRUE(save.bWaitCursor);
        EXPECT_GT(save.nMaxProgress, 0);
        EXPECT_FALSE(app->GetDocument()->IsModified());

        DuringFile open;
        Watch(open);
        ASSERT_NE(app->OpenDocumentFile(path), nullptr);
        EXPECT_GT(open.nFired, 0);
        EXPECT_FALSE(open.bClosed);
        EXPECT_GT(open.nMaxProgress, 0);
        ASSERT_EQ(app->GetDocument()->m_vRefCollection.size(), 1u);
        EXPECT_EQ(app->GetDocument()->m_vRefCollection[0]->m_nRefSet, 1);

        // Once it has ended the bar is empty, the cursor plain, and the window closes.
        ProcessEvents();
        EXPECT_EQ(Frame().GetProgressPos(), 0);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(boxes.empty());
        Quit();
    }
}
