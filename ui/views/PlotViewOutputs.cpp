// The graphs of each kind of analysis output.
#include "ui/views/PlotView.h"

#include "ui/views/Outputs.h"

namespace {

template <class T>
std::shared_ptr<T> AtOrNone(const std::vector<std::shared_ptr<T>>& v, int i)
{
    return i >= 0 && static_cast<std::size_t>(i) < v.size() ? v[static_cast<std::size_t>(i)] : nullptr;
}

int Supports(const std::shared_ptr<CBridgeSet>& pSet)
{
    const auto pBeam = pSet && !pSet->m_vBridges.empty() ? pSet->GetFirstBeam() : nullptr;
    return pBeam ? pBeam->m_nRestraints : 0;
}

bool IsOneSpan(const std::shared_ptr<CBridgeSet>& pSet)
{
    return pSet && pSet->m_Config == BC_ONESPAN;
}

} // namespace

void CPlotView::AddBeamLinesAndTitles(const std::shared_ptr<CBridge>& pBridge)
{
    AddBeamLine(0, pBridge);
    SetChartTitles(0, m_sBeamLocation, m_sBMEnvelope);
    AddBeamLine(1, pBridge);
    SetChartTitles(1, m_sBeamLocation, m_sSFEnvelope);
}

void CPlotView::PlotEnvelopesBMSF(const std::shared_ptr<CEnvelopeResults>& pResults, COLORREF minColour,
                                  COLORREF maxColour, int nShowEach)
{
    if (!pResults)
        return;
    const auto pBridge = pResults->GetBridge();
    AddBeamLinesAndTitles(pBridge);
    if (nShowEach) {
        for (const auto& pSingle : pResults->GetSingleResults()) {
            if (!pSingle)
                continue;
            std::vector<double> x, y;
            pSingle->GetResults(x, y, BRT_MOMENT);
            AddSeries(0, x, y, m_clrPlot[CLR_LIGHTLINE], false, 1, true, false);
            pSingle->GetResults(x, y, BRT_SHEAR);
            AddSeries(1, x, y, m_clrPlot[CLR_LIGHTLINE], false, 1, false, false);
            UpdateWindow();
        }
        // Beam lines again, over the single results.
        AddBeamLinesAndTitles(pBridge);
    }
    const std::shared_ptr<CEnvelope> envelopes[2] = {pResults->GetEnvBMD(), pResults->GetEnvSFD()};
    for (unsigned chart = 0; chart < 2; ++chart) {
        const auto& pEnv = envelopes[chart];
        if (!pEnv)
            continue;
        const bool bNegate = chart == 0;
        AddSeries(chart, pEnv->GetStations(true), pEnv->GetValues(true), maxColour, false, 2, bNegate, true);
        AddSeries(chart, pEnv->GetStations(false), pEnv->GetValues(false), minColour, false, 2, bNegate, true);
    }
}

void CPlotView::PlotEnvelopeReactions(const std::shared_ptr<CEnvelopeResults>& pResults, COLORREF minColour,
                                      COLORREF maxColour)
{
    const auto pBridge = pResults ? pResults->GetBridge() : nullptr;
    if (!pBridge)
        return;
    const unsigned n = static_cast<unsigned>(pBridge->m_vSpans.size()) + 1;
    for (unsigned i = 0; i < n; ++i) {
        SetChartTitles(i, m_sLoadPosition, m_sReactionEnvelope);
        AddBeamLine(i, pBridge);
        const auto pEnv = pResults->GetEnvReaction(static_cast<int>(i));
        if (!pEnv)
            continue;
        AddSeries(i, pEnv->GetLoadPositions(), pEnv->GetValues(true), maxColour, false, 2, false, true);
        if (pBridge->m_Config != BC_ONESPAN)
            AddSeries(i, pEnv->GetLoadPositions(), pEnv->GetValues(false), minColour, false, 2, false, true);
    }
}

std::vector<double> CPlotView::GetProposedDLAs(const std::shared_ptr<CReferenceSet>& pRefSet) const
{
    const auto pLME = pRefSet ? pRefSet->GetPropLME() : nullptr;
    if (!pLME || pLME->m_vLoadModel.empty() || !pLME->m_vLoadModel.front())
        return {};
    return pLME->m_vLoadModel.front()->GetDLAs(pRefSet->GetBridgeSet());
}

void CPlotView::AddRatioLimitLines(unsigned index, const std::vector<double>& x, const std::vector<double>& dla)
{
    if (m_bRatioLimitFullSpeed)
        AddSeries(index, x, std::vector<double>(x.size(), 1.0), m_clrPlot[CLR_FULLSPEED], false, 2, false, true);
    if (m_bRatioLimitSlowDown)
        AddSeries(index, x, dla, m_clrPlot[CLR_SLOWDOWN], false, 2, false, true);
}

void CPlotView::OutputSinglePositionBMSF(std::shared_ptr<CAOSinglePosition> pOutput)
{
    const auto pResults = pOutput ? pOutput->GetResults<CBeamResults>() : nullptr;
    if (!pResults)
        return;
    const auto pBeam = pResults->GetBeam();
    const double length = pBeam ? pBeam->m_Length : 0.0;
    const struct {
        BeamResultsType type;
        const std::wstring& yTitle;
        bool bNegate;
    } charts[2] = {{BRT_MOMENT, m_sBendingMoment, true}, {BRT_SHEAR, m_sShearForce, false}};
    for (unsigned k = 0; k < 2; ++k) {
        SetChartTitles(k, m_sBeamLocation, charts[k].yTitle);
        std::vector<double> x, y;
        pResults->GetResults(x, y, charts[k].type);
        AddSeries(k, x, y, m_clrPlot[CLR_LINEMAX], false, 2, charts[k].bNegate, true);
        AddSeries(k, {0.0, length}, {0.0, 0.0}, m_clrPlot[CLR_BEAM], false, 4, false, true);
    }
}

void CPlotView::OutputSinglePositionReactions(std::shared_ptr<CAOSinglePosition>)
{
}

void CPlotView::OutputMovingLoadBMSF(std::shared_ptr<CEnvelopeResults> pResults, int nShowEach)
{
    PlotEnvelopesBMSF(pResults, m_clrPlot[CLR_LINEMIN], m_clrPlot[CLR_LINEMAX], nShowEach);
}

void CPlotView::OutputMovingLoadReactions(std::shared_ptr<CEnvelopeResults> pResults)
{
    PlotEnvelopeReactions(pResults, m_clrPlot[CLR_LINEMIN], m_clrPlot[CLR_LINEMAX]);
}

void CPlotView::OutputMultiMovingLoadBMSF(std::shared_ptr<CAOMultiMovingLoad> pOutput, int nShowEach)
{
    const auto pResults = pOutput ? pOutput->GetResults<CEnvelopeResults>() : nullptr;
    if (nShowEach && pResults) {
        AddBeamLinesAndTitles(pResults->GetBridge());
        for (const auto& pModel : pOutput->GetModelResults()) {
            if (!pModel)
                continue;
            const std::shared_ptr<CEnvelope> envelopes[2] = {pModel->GetEnvBMD(), pModel->GetEnvSFD()};
            for (unsigned chart = 0; chart < 2; ++chart)
                if (const auto& pEnv = envelopes[chart])
                    for (bool bMax : {true, false})
                        AddSeries(chart, pEnv->GetStations(bMax), pEnv->GetValues(bMax), m_clrPlot[CLR_LIGHTLINE],
                                  false, 1, chart == 0, true);
            UpdateWindow();
        }
    }
    OutputMovingLoadBMSF(pResults, 0);
}

void CPlotView::OutputMultiMovingLoadReactions(std::shared_ptr<CAOMultiMovingLoad> pOutput, int nShowEach)
{
    const auto pResults = pOutput ? pOutput->GetResults<CEnvelopeResults>() : nullptr;
    const auto pBridge = pResults ? pResults->GetBridge() : nullptr;
    if (nShowEach && pBridge) {
        const int n = static_cast<int>(pBridge->m_vSpans.size()) + 1;
        for (const auto& pModel : pOutput->GetModelResults()) {
            if (!pModel)
                continue;
            for (int i = 0; i < n; ++i) {
                const unsigned chart = static_cast<unsigned>(i);
                AddBeamLine(chart, pBridge);
                if (const auto pEnv = pModel->GetEnvReaction(i)) {
                    AddSeries(chart, pEnv->GetLoadPositions(), pEnv->GetValues(true), m_clrPlot[CLR_LIGHTLINE],
                              false, 1, false, true);
                    if (pBridge->m_Config != BC_ONESPAN)
                        AddSeries(chart, pEnv->GetLoadPositions(), pEnv->GetValues(false),
                                  m_clrPlot[CLR_LIGHTLINE], false, 1, false, true);
                }
                UpdateWindow();
            }
        }
    }
    OutputMovingLoadReactions(pResults);
}

template <class Ensemble>
void CPlotView::PlotCriticalBMSF(const std::shared_ptr<Ensemble>& pEnsemble, const std::wstring& yMoment,
                                 const std::wstring& yShear, const std::vector<double>* pDLA)
{
    if (!pEnsemble)
        return;
    const auto pSet = pEnsemble->GetBridgeSet();
    const std::vector<double> x = pSet ? pSet->GetSpanLengths() : std::vector<double>();
    std::vector<double> vMax, vMin;
    SetChartTitles(0, m_sBridgeSpan, yMoment);
    pEnsemble->GetMomentValues(vMax, vMin);
    AddSeries(0, x, vMax, m_clrPlot[CLR_LINEMAX], true, 2, false, true);
    // A single span has no hogging moment.
    if (!IsOneSpan(pSet))
        AddSeries(0, x, vMin, m_clrPlot[CLR_LINEMIN], true, 2, false, true);
    if (pDLA)
        AddRatioLimitLines(0, x, *pDLA);
    SetChartTitles(1, m_sBridgeSpan, yShear);
    pEnsemble->GetShearValues(vMax, vMin);
    AddSeries(1, x, vMax, m_clrPlot[CLR_LINEMAX], true, 2, false, true);
    AddSeries(1, x, vMin, m_clrPlot[CLR_LINEMIN], true, 2, false, true);
    if (pDLA)
        AddRatioLimitLines(1, x, *pDLA);
}

template <class Ensemble>
void CPlotView::PlotCriticalReactions(const std::shared_ptr<Ensemble>& pEnsemble, const std::wstring& yTitle,
                                      const std::vector<double>* pDLA)
{
    if (!pEnsemble)
        return;
    const auto pSet = pEnsemble->GetBridgeSet();
    const std::vector<double> x = pSet ? pSet->GetSpanLengths() : std::vector<double>();
    const int n = Supports(pSet);
    for (int i = 0; i < n; ++i) {
        // A member with fewer supports than the first bridge has no pair i.
        bool bEveryMember = true;
        for (const auto& member : pEnsemble->m_vMembers)
            bEveryMember = bEveryMember && static_cast<std::size_t>(i) < member.m_vReactionPairs.size();
        const unsigned chart = static_cast<unsigned>(i);
        SetChartTitles(chart, m_sBridgeSpan, yTitle);
        if (bEveryMember) {
            std::vector<double> vMax, vMin;
            pEnsemble->GetReactionValues(i, vMax, vMin);
            AddSeries(chart, x, vMax, m_clrPlot[CLR_LINEMAX], true, 2, false, true);
            if (!IsOneSpan(pSet))
                AddSeries(chart, x, vMin, m_clrPlot[CLR_LINEMIN], true, 2, false, true);
        }
        if (pDLA)
            AddRatioLimitLines(chart, x, *pDLA);
    }
}

void CPlotView::OutputBridgeRangeBMSF(std::shared_ptr<CCriticalValueEnsemble> pEnsemble)
{
    PlotCriticalBMSF(pEnsemble, m_sCritBMEnvelope, m_sCritSFEnvelope, nullptr);
}

void CPlotView::OutputBridgeRangeReactions(std::shared_ptr<CCriticalValueEnsemble> pEnsemble)
{
    PlotCriticalReactions(pEnsemble, m_sCritReactionEnvelope, nullptr);
}

void CPlotView::OutputRefSetBMSF(std::shared_ptr<CReferenceSet> pRefSet)
{
    PlotCriticalBMSF(pRefSet ? pRefSet->GetRefCritEnsemble() : nullptr, m_sCritBM, m_sCritSF, nullptr);
}

void CPlotView::OutputRefSetReactions(std::shared_ptr<CReferenceSet> pRefSet)
{
    PlotCriticalReactions(pRefSet ? pRefSet->GetRefCritEnsemble() : nullptr, m_sReaction, nullptr);
}

namespace {

// Envelope results k of the reference and proposed critical ensembles; none outside the lists.
std::pair<std::shared_ptr<CEnvelopeResults>, std::shared_ptr<CEnvelopeResults>>
CompareResults(const std::shared_ptr<CAOCompareRefSetEnvs>& pOutput)
{
    const auto pRefSet = pOutput ? pOutput->GetReferenceSet<CReferenceSet>() : nullptr;
    if (!pRefSet)
        return {};
    const int k = pOutput->GetIndex();
    const auto pRef = pRefSet->GetRefCritEnsemble();
    const auto pProp = pRefSet->GetPropCritEnsemble();
    return {pRef ? AtOrNone(pRef->m_vEnvResults, k) : nullptr, pProp ? AtOrNone(pProp->m_vEnvResults, k) : nullptr};
}

} // namespace

void CPlotView::OutputCompareEnvelopesBMSF(std::shared_ptr<CAOCompareRefSetEnvs> pOutput)
{
    const auto [pRef, pProp] = CompareResults(pOutput);
    PlotEnvelopesBMSF(pRef, m_clrPlot[CLR_LINEMIN], m_clrPlot[CLR_LINEMAX], 0);
    PlotEnvelopesBMSF(pProp, m_clrPlot[CLR_PROPMIN], m_clrPlot[CLR_PROPMAX], 0);
}

void CPlotView::OutputCompareEnvelopesReactions(std::shared_ptr<CAOCompareRefSetEnvs> pOutput)
{
    const auto [pRef, pProp] = CompareResults(pOutput);
    PlotEnvelopeReactions(pRef, m_clrPlot[CLR_LINEMIN], m_clrPlot[CLR_LINEMAX]);
    PlotEnvelopeReactions(pProp, m_clrPlot[CLR_PROPMIN], m_clrPlot[CLR_PROPMAX]);
}

void CPlotView::OutputCriticalRatiosBMSF(std::shared_ptr<CAOCriticalRatios> pOutput)
{
    const auto pRatios = pOutput ? pOutput->GetReferenceSet<CCriticalRatioEnsemble>() : nullptr;
    const std::vector<double> dla = GetProposedDLAs(pOutput ? pOutput->GetResults<CReferenceSet>() : nullptr);
    PlotCriticalBMSF(pRatios, m_sRatioBM, m_sRatioSF, &dla);
}

void CPlotView::OutputCriticalRatiosReactions(std::shared_ptr<CAOCriticalRatios> pOutput)
{
    const auto pRatios = pOutput ? pOutput->GetReferenceSet<CCriticalRatioEnsemble>() : nullptr;
    const std::vector<double> dla = GetProposedDLAs(pOutput ? pOutput->GetResults<CReferenceSet>() : nullptr);
    PlotCriticalReactions(pRatios, m_sRatioReaction, &dla);
}
