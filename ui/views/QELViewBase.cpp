#include "ui/views/QELViewBase.h"

#include "ui/views/Outputs.h"
#include "core/settings/Settings.h"
#include "platform/wnd/PaintDC.h"

#include <algorithm>

CQELViewBase::CQELViewBase(ViewKind kind) : m_nViewKind(kind)
{
    const CSettings::Plot_Config::Plot_Gap& gap = g_pSettings->Plot.Gap;
    m_nGapTop = gap.TOP;
    m_nGapBottom = gap.BTM;
    m_nGapLeft = gap.LEFT;
    m_nGapRight = gap.RIGHT;
    m_nGapBetween = gap.BETWN;
    m_sTitle = L"View Title";
}

CQELViewBase::~CQELViewBase() = default;

void CQELViewBase::TakeOutput(std::shared_ptr<CAnalysisOutput> pOutput, bool bBMSF, const wchar_t* szPrefix)
{
    m_spOutput = std::move(pOutput);
    m_nResultType = bBMSF ? 0 : 1;
    m_sTitle = std::wstring(szPrefix) + (bBMSF ? L"BM & SF | " : L"Reactions | ") +
               (m_spOutput ? m_spOutput->Describe() : std::wstring());
}

void CQELViewBase::SetSinglePositionOutput(bool bBMSF, std::shared_ptr<CAOSinglePosition> pOutput)
{
    TakeOutput(pOutput, bBMSF, L"Single Position Analysis: ");
    if (bBMSF)
        OutputSinglePositionBMSF(pOutput);
    else
        OutputSinglePositionReactions(pOutput);
    UpdateWindow();
}

void CQELViewBase::SetMovingLoadOutput(int nShowEach, bool bBMSF, std::shared_ptr<CAOMovingLoad> pOutput)
{
    TakeOutput(pOutput, bBMSF, L"Moving Load Envelopes: ");
    auto pResults = pOutput ? pOutput->GetResults<CEnvelopeResults>() : nullptr;
    if (bBMSF)
        OutputMovingLoadBMSF(pResults, nShowEach);
    else
        OutputMovingLoadReactions(pResults);
    UpdateWindow();
}

void CQELViewBase::SetMultiMovingLoadOutput(int nShowEach, bool bBMSF, std::shared_ptr<CAOMultiMovingLoad> pOutput)
{
    TakeOutput(pOutput, bBMSF, L"Multi Moving Load Envelopes: ");
    if (bBMSF)
        OutputMultiMovingLoadBMSF(pOutput, nShowEach);
    else
        OutputMultiMovingLoadReactions(pOutput, nShowEach);
    UpdateWindow();
}

void CQELViewBase::SetBridgeRangeOutput(bool bBMSF, std::shared_ptr<CAOBridgeRange> pOutput)
{
    TakeOutput(pOutput, bBMSF, L"Reference Values: ");
    auto pEnsemble = pOutput ? pOutput->GetResults<CCriticalValueEnsemble>() : nullptr;
    if (bBMSF)
        OutputBridgeRangeBMSF(pEnsemble);
    else
        OutputBridgeRangeReactions(pEnsemble);
    UpdateWindow();
}

void CQELViewBase::SetRefSetOutput(bool bBMSF, std::shared_ptr<CAOReferenceSet> pOutput)
{
    TakeOutput(pOutput, bBMSF, L"Reference Set Values: ");
    auto pRefSet = pOutput ? pOutput->GetReferenceSet<CReferenceSet>() : nullptr;
    if (bBMSF)
        OutputRefSetBMSF(pRefSet);
    else
        OutputRefSetReactions(pRefSet);
    UpdateWindow();
}

void CQELViewBase::SetCompareEnvelopesOutput(bool bBMSF, std::shared_ptr<CAOCompareRefSetEnvs> pOutput)
{
    TakeOutput(pOutput, bBMSF, L"Compare Envelopes: ");
    if (bBMSF)
        OutputCompareEnvelopesBMSF(pOutput);
    else
        OutputCompareEnvelopesReactions(pOutput);
    UpdateWindow();
}

void CQELViewBase::SetCriticalRatiosOutput(bool bBMSF, std::shared_ptr<CAOCriticalRatios> pOutput)
{
    TakeOutput(pOutput, bBMSF, L"Critical Ratios: ");
    if (bBMSF)
        OutputCriticalRatiosBMSF(pOutput);
    else
        OutputCriticalRatiosReactions(pOutput);
    UpdateWindow();
}

namespace {
CQELViewBase::ActiveCaseTest& TheActiveCaseTest()
{
    static CQELViewBase::ActiveCaseTest test;
    return test;
}
} // namespace

void CQELViewBase::SetActiveCaseTest(ActiveCaseTest test)
{
    TheActiveCaseTest() = std::move(test);
}

void CQELViewBase::OnDraw(CDC* pDC)
{
    if (const ActiveCaseTest& hasCase = TheActiveCaseTest(); hasCase && !hasCase())
        return;
    CRect client;
    GetClientRect(&client);
    CBrush face(GetSysColor(COLOR_3DFACE));
    pDC->FillRect(&client, &face);

    CFont bold;
    MakeTitleFont(bold);
    CFont* pOldFont = pDC->SelectObject(&bold);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect text = TitleRect();
    text.bottom = text.top + m_nTitleHeight;
    pDC->DrawText(m_sTitle, &text, TitleFormat());
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void CQELViewBase::MakeTitleFont(CFont& font)
{
    LOGFONT lf{};
    GetMessageFont(&lf);
    lf.lfWeight = 700;
    font.CreateFontIndirect(&lf);
}

CRect CQELViewBase::TitleRect()
{
    CRect client;
    GetClientRect(&client);
    return {m_nGapLeft, m_nGapTop, std::max(client.right - m_nGapRight, m_nGapLeft + 1), m_nGapTop};
}

UINT CQELViewBase::TitleFormat() const
{
    // A title wider than the view goes on over further lines rather than off its edge.
    return DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;
}

CSize CQELViewBase::MeasureText(const std::wstring& text, CFont* pFont)
{
    CClientDC dc(this);
    CGdiObject* pOld =
        pFont ? static_cast<CGdiObject*>(dc.SelectObject(pFont)) : dc.SelectStockObject(DEFAULT_GUI_FONT);
    const CSize extent = dc.GetTextExtent(text);
    if (pOld)
        dc.SelectGdiObject(pOld);
    return extent;
}

int CQELViewBase::TitleTextHeight()
{
    const int nOneLine = MeasureText(m_sTitle, nullptr).cy;
    if (m_sTitle.empty() || !GetSafeHwnd())
        return nOneLine;
    CClientDC dc(this);
    CFont bold;
    MakeTitleFont(bold);
    CFont* pOld = dc.SelectObject(&bold);
    CRect text = TitleRect();
    const int nHeight = dc.DrawText(m_sTitle, &text, TitleFormat() | DT_CALCRECT);
    dc.SelectObject(pOld);
    return std::max(nOneLine, nHeight);
}

void CQELViewBase::RecalcLayout()
{
    m_nTitleHeight = m_nGapTop + TitleTextHeight();
}

void CQELViewBase::OnSize(UINT nType, int cx, int cy)
{
    CQELViewPrintBase::OnSize(nType, cx, cy);
    RecalcLayout();
    InvalidateRect(nullptr, FALSE);
}
