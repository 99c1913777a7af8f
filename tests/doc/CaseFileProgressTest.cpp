// An open or a save that runs long reports its progress and lets the windows paint; a
// short one shows nothing.
#include <algorithm>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "CaseFileTestUtil.h"
#include "DocTestUtil.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "platform/base/Messages.h"
#include "TestOptions.h"

using namespace qeltest;

namespace {

class CaseFileProgressTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        m_Dir = MakeTestDir("progress");
        SetMainWindowMessageSink([this](CPostedMessage&& m) {
            if (m.message == RegisterWindowMessage(L"UWM_PBAR_UPDATE"))
                m_vSteps.push_back(static_cast<int>(m.wParam));
        });
    }
    void TearDown() override
    {
        SetMainWindowMessageSink(nullptr);
        CQELDoc::s_nFileProgressAfterMs = m_nProgressAfterMs;
        RemoveTestDir(m_Dir);
        DocTest::TearDown();
    }
    static void Fill(CQELDoc& doc)
    {
        auto lm = std::make_shared<CLoadModel>(1, L"Truck");
        lm->AddPointLoad(100.0, 0.0, 0.0);
        lm->AddPointLoad(100.0, 4.0, 0.0);
        auto lme = std::make_shared<CLoadModelEnsemble>(1, L"Family");
        lme->AddLoadModel(lm);
        auto set = std::make_shared<CBridgeSet>(1, L"Set", BC_TWOSPAN, 5.0, 40.0, 5.0);
        auto rc = std::make_shared<CReferenceCollection>(1, L"RC", Stepping{.bByStep = true, .step = 0.1, .nSteps = 0});
        rc->m_vBS = {set};
        rc->m_vLME = {lme};
        rc->Calculate(CAnalysisFeedback::None(), qeltest::PointsOptions(20));
        doc.m_vLoadModel = {lm};
        doc.m_vLoadModelEnsemble = {lme};
        doc.m_vBridgeSet = {set};
        doc.m_vRefCollection = {rc};
    }

    std::filesystem::path m_Dir;
    std::vector<int> m_vSteps;
    const std::uint64_t m_nProgressAfterMs = CQELDoc::s_nFileProgressAfterMs;
};

TEST_F(CaseFileProgressTest, ALongOpenOrSaveCountsItsPercentAndLetsTheWindowsPaint)
{
    CQELDoc::s_nFileProgressAfterMs = 0;
    for (bool bBinary : {true, false}) {
        SCOPED_TRACE(bBinary ? "binary" : "xml");
        g_pSettings->Edit([bBinary](CSettings& s) { s.General.USEBINARYFILEFORMAT = bBinary; });
        const std::wstring path = W(m_Dir / (bBinary ? "a.qel" : "a-xml.qel"));
        CQELDoc doc;
        Fill(doc);
        bool bBusyWhilePainting = true, bCommandsOff = true;
        m_Windows.m_OnPaint = [&] {
            bBusyWhilePainting = bBusyWhilePainting && doc.IsFileBusy();
            bCommandsOff = bCommandsOff && !doc.OnUpdateElementCommand() && !doc.Serialize(path, true);
        };
        for (bool bStoring : {true, false}) {
            m_Windows.m_vLongFileTask.clear();
            m_Windows.m_vProgressRanges.clear();
            m_Windows.m_nPaints = 0;
            m_vSteps.clear();
            ASSERT_TRUE(doc.Serialize(path, bStoring));
            EXPECT_FALSE(doc.IsFileBusy());
            EXPECT_EQ(m_Windows.m_vLongFileTask, (std::vector<bool>{true, false}));
            ASSERT_EQ(m_Windows.m_vProgressRanges.size(), 1u);
            EXPECT_EQ(m_Windows.m_vProgressRanges[0], std::make_pair(0, 100));
            EXPECT_GE(m_Windows.m_nPaints, 1);
            // Steps of one percent, at most a hundred, and the bar emptied at the end.
            ASSERT_GE(m_vSteps.size(), 2u);
            EXPECT_LE(m_vSteps.size(), 101u);
            EXPECT_EQ(m_vSteps.back(), 0);
            m_vSteps.pop_back();
            EXPECT_EQ(std::count(m_vSteps.begin(), m_vSteps.end(), 1), static_cast<long>(m_vSteps.size()));
        }
        EXPECT_TRUE(bBusyWhilePainting);
        EXPECT_TRUE(bCommandsOff);
        EXPECT_TRUE(m_Windows.m_vErrors.empty());
        EXPECT_EQ(doc.m_vRefCollection.size(), 1u);
        m_Windows.m_OnPaint = nullptr;
    }
}

TEST_F(CaseFileProgressTest, AShortOneShowsNothing)
{
    const std::wstring path = W(m_Dir / "b.qel");
    CQELDoc doc;
    doc.m_vLoadModel = {std::make_shared<CLoadModel>(1, L"Truck")};
    ASSERT_TRUE(doc.Serialize(path, true));
    ASSERT_TRUE(doc.Serialize(path, false));
    EXPECT_TRUE(m_Windows.m_vLongFileTask.empty());
    EXPECT_TRUE(m_Windows.m_vProgressRanges.empty());
    EXPECT_EQ(m_Windows.m_nPaints, 0);
    EXPECT_TRUE(m_vSteps.empty());
}

}
