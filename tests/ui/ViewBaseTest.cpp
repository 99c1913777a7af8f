// The output interface shared by both views: which output operation a Set<Kind>Output
// calls with what, the title it composes, and the title line it paints.
#include "ViewTestUtil.h"

#include "core/settings/Settings.h"
#include "platform/gdi/Colour.h"

#include <QImage>
#include <functional>

using namespace viewtest;

namespace {

// Records the output operation called, with the object and flag it received.
class CRecordingView : public CQELViewBase {
public:
    CRecordingView() : CQELViewBase(VIEW_PLOT) {}

    std::string called;
    const void* received = nullptr;
    int flag = -1;

    void OutputSinglePositionBMSF(std::shared_ptr<CAOSinglePosition> p) override
    {
        Record("SinglePositionBMSF", p.get());
    }
    void OutputSinglePositionReactions(std::shared_ptr<CAOSinglePosition> p) override
    {
        Record("SinglePositionReactions", p.get());
    }
    void OutputMovingLoadBMSF(std::shared_ptr<CEnvelopeResults> p, int n) override
    {
        Record("MovingLoadBMSF", p.get(), n);
    }
    void OutputMovingLoadReactions(std::shared_ptr<CEnvelopeResults> p) override
    {
        Record("MovingLoadReactions", p.get());
    }
    void OutputMultiMovingLoadBMSF(std::shared_ptr<CAOMultiMovingLoad> p, int n) override
    {
        Record("MultiMovingLoadBMSF", p.get(), n);
    }
    void OutputMultiMovingLoadReactions(std::shared_ptr<CAOMultiMovingLoad> p, int n) override
    {
        Record("MultiMovingLoadReactions", p.get(), n);
    }
    void OutputBridgeRangeBMSF(std::shared_ptr<CCriticalValueEnsemble> p) override
    {
        Record("BridgeRangeBMSF", p.get());
    }
    void OutputBridgeRangeReactions(std::shared_ptr<CCriticalValueEnsemble> p) override
    {
        Record("BridgeRangeReactions", p.get());
    }
    void OutputRefSetBMSF(std::shared_ptr<CReferenceSet> p) override { Record("RefSetBMSF", p.get()); }
    void OutputRefSetReactions(std::shared_ptr<CReferenceSet> p) override { Record("RefSetReactions", p.get()); }
    void OutputCompareEnvelopesBMSF(std::shared_ptr<CAOCompareRefSetEnvs> p) override
    {
        Record("CompareEnvelopesBMSF", p.get());
    }
    void OutputCompareEnvelopesReactions(std::shared_ptr<CAOCompareRefSetEnvs> p) override
    {
        Record("CompareEnvelopesReactions", p.get());
    }
    void OutputCriticalRatiosBMSF(std::shared_ptr<CAOCriticalRatios> p) override
    {
        Record("CriticalRatiosBMSF", p.get());
    }
    void OutputCriticalRatiosReactions(std::shared_ptr<CAOCriticalRatios> p) override
    {
        Record("CriticalRatiosReactions", p.get());
    }

private:
    void Record(const char* name, const void* p, int n = -1)
    {
        called = name;
        received = p;
        flag = n;
    }
};

} // namespace

TEST(ViewBase, EachSetOutputTitlesTheViewAndCallsItsOutputOperation)
{
    auto single = SinglePosition();
    auto moving = MovingLoad();
    auto multi = MultiMovingLoad();
    auto range = BridgeRange();
    auto coll = Collection({TwoLengths()});
    auto refSet = coll->GetRefSet(0);
    auto refOut = std::make_shared<CAOReferenceSet>(refSet, false);
    auto compare = std::make_shared<CAOCompareRefSetEnvs>(false, 0, refSet);
    auto ratios = std::make_shared<CAOCriticalRatios>(coll->GetCriticalRatioEnsembles()[0], coll, refSet);

    struct Case {
        std::function<void(CQELViewBase&)> set;
        std::shared_ptr<CAnalysisOutput> output;
        const void* wantReceived;
        std::string wantCalled;
        int wantFlag;
        std::wstring wantTitle;
        int wantResultType;
    };
    const Case cases[] = {
        {[&](CQELViewBase& v) { v.SetSinglePositionOutput(false, single); }, single, single.get(),
         "SinglePositionReactions", -1, L"Single Position Analysis: Reactions | ", 1},
        {[&](CQELViewBase& v) { v.SetMovingLoadOutput(1, true, moving); }, moving,
         moving->GetResults<CEnvelopeResults>().get(), "MovingLoadBMSF", 1, L"Moving Load Envelopes: BM & SF | ", 0},
        {[&](CQELViewBase& v) { v.SetMovingLoadOutput(1, false, moving); }, moving,
         moving->GetResults<CEnvelopeResults>().get(), "MovingLoadReactions", -1,
         L"Moving Load Envelopes: Reactions | ", 1},
        {[&](CQELViewBase& v) { v.SetMultiMovingLoadOutput(1, false, multi); }, multi, multi.get(),
         "MultiMovingLoadReactions", 1, L"Multi Moving Load Envelopes: Reactions | ", 1},
        {[&](CQELViewBase& v) { v.SetBridgeRangeOutput(true, range); }, range,
         range->GetResults<CCriticalValueEnsemble>().get(), "BridgeRangeBMSF", -1, L"Reference Values: BM & SF | ", 0},
        {[&](CQELViewBase& v) { v.SetRefSetOutput(false, refOut); }, refOut, refSet.get(), "RefSetReactions", -1,
         L"Reference Set Values: Reactions | ", 1},
        {[&](CQELViewBase& v) { v.SetCompareEnvelopesOutput(true, compare); }, compare, compare.get(),
         "CompareEnvelopesBMSF", -1, L"Compare Envelopes: BM & SF | ", 0},
        {[&](CQELViewBase& v) { v.SetCriticalRatiosOutput(false, ratios); }, ratios, ratios.get(),
         "CriticalRatiosReactions", -1, L"Critical Ratios: Reactions | ", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wantCalled);
        CRecordingView view;
        EXPECT_EQ(view.m_sTitle, L"View Title");
        c.set(view);
        EXPECT_EQ(view.called, c.wantCalled);
        EXPECT_EQ(view.received, c.wantReceived);
        EXPECT_EQ(view.flag, c.wantFlag);
        EXPECT_EQ(view.m_sTitle, c.wantTitle + c.output->Describe());
        EXPECT_EQ(view.m_nResultType, c.wantResultType);
        EXPECT_EQ(view.m_spOutput, c.output);
    }
}

TEST(ViewBase, TheViewKindTellsTablesFromGraphs)
{
    EXPECT_EQ(CGridView().GetViewKind(), CQELViewBase::VIEW_GRID);
    EXPECT_EQ(CPlotView().GetViewKind(), CQELViewBase::VIEW_PLOT);
    EXPECT_EQ(CQELViewBase::VIEW_GRID, 1);
    EXPECT_EQ(CQELViewBase::VIEW_PLOT, 0);
}

// A new view paints its title in bold at (left margin, top margin) over the face colour;
// the margins come from the settings when the view is made.
TEST(ViewBase, TheTitleStandsAtTheMarginsFromTheSettings)
{
    CSettings& settings = *g_pSettings;
    const CSettings::Plot_Config::Plot_Gap saved = settings.Plot.Gap;
    settings.Plot.Gap.TOP = 25;
    settings.Plot.Gap.LEFT = 40;
    CRecordingView view;
    settings.Plot.Gap = saved;
    ASSERT_TRUE(view.CreateView(nullptr, CRect(0, 0, 400, 120)));
    view.RecalcLayout();
    const int textHeight = view.MeasureText(L"View Title", nullptr).cy;
    EXPECT_EQ(view.m_nTitleHeight, 25 + textHeight);

    const QImage image = view.GetClientWidget()->grab().toImage();
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    CRect ink(400, 120, 0, 0); // bounding box of the pixels that are not the face colour
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (FromQRgb(image.pixel(x, y)) != face) {
                ink.left = std::min<LONG>(ink.left, x);
                ink.top = std::min<LONG>(ink.top, y);
                ink.right = std::max<LONG>(ink.right, x + 1);
                ink.bottom = std::max<LONG>(ink.bottom, y + 1);
            }
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_GE(ink.left, 40);
    EXPECT_LE(ink.left, 42); // a letter's side bearing
    EXPECT_GE(ink.top, 25);
    EXPECT_LE(ink.bottom, 25 + 2 * textHeight);
    // Bold: wider than the same text in the regular font.
    EXPECT_GT(ink.Width(), view.MeasureText(L"View Title", nullptr).cx - 3);
}

// A title wider than the view (a long heading of bridge, ensemble and vehicle) goes on over
// a second line within the margins, and the view's contents move down below it.
TEST(ViewBase, ATitleWiderThanTheViewWrapsWithinTheMargins)
{
    CRecordingView view;
    ASSERT_TRUE(view.CreateView(nullptr, CRect(0, 0, 300, 120)));
    view.m_sTitle = L"Critical Ratios: BM & SF | Reference: NAASRA 1976 on two spans | Multiplier: 1.00";
    view.RecalcLayout();
    const int line = view.MeasureText(L"View Title", nullptr).cy;
    EXPECT_GE(view.m_nTitleHeight, view.m_nGapTop + 2 * line);

    const QImage image = view.GetClientWidget()->grab().toImage();
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    int right = 0;
    int bottom = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (FromQRgb(image.pixel(x, y)) != face) {
                right = std::max(right, x + 1);
                bottom = std::max(bottom, y + 1);
            }
    EXPECT_LE(right, 300 - view.m_nGapRight) << "the title runs past the right margin";
    EXPECT_GT(bottom, view.m_nGapTop + line) << "no second line";
    EXPECT_LE(bottom, view.m_nTitleHeight + 2);
}

TEST(ViewBase, EditCommandsReachTheGridOnceItHasAWindow)
{
    MdiHost host;
    CGridView* view = host.Open(std::make_unique<CGridView>());
    constexpr UINT kSelectAll = 0xE12A;
    EXPECT_FALSE(view->OnCmdMsg(kSelectAll));
    view->SetSinglePositionOutput(false, SinglePosition());
    EXPECT_TRUE(view->OnCmdMsg(kSelectAll));
    // The one data row of two reactions, headings left out.
    EXPECT_EQ(view->m_pGrid->GetSelectedCount(), 2);
}

// A view paints only while the main window's active child belongs to a case.
TEST(ViewBase, NothingIsPaintedWithoutAnActiveCase)
{
    CRecordingView view;
    ASSERT_TRUE(view.CreateView(nullptr, CRect(0, 0, 200, 80)));
    view.RecalcLayout();
    const auto paint = [&] {
        CDC dc;
        CBitmap bitmap;
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, 200, 80);
        bitmap.GetImage().fill(QColor(255, 0, 255));
        dc.SelectObject(&bitmap);
        view.OnDraw(&dc);
        dc.SelectObject(static_cast<CBitmap*>(nullptr));
        return FromQRgb(bitmap.GetImage().pixel(199, 79));
    };
    bool bActiveCase = false;
    CQELViewBase::SetActiveCaseTest([&] { return bActiveCase; });
    EXPECT_EQ(paint(), RGB(255, 0, 255));
    bActiveCase = true;
    EXPECT_EQ(paint(), GetSysColor(COLOR_3DFACE));
    // Outside the program no test is installed: the view paints.
    CQELViewBase::SetActiveCaseTest(nullptr);
    EXPECT_EQ(paint(), GetSysColor(COLOR_3DFACE));
}
