// The graphs of each kind of analysis output.
#include "ui/views/PlotView.h"

#include "core/settings/Settings.h"
#include "ui/views/Outputs.h"
#include "ui/views/ResultCell.h"
#include "ui/views/Stations.h"

#include <cwctype>

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

// A moment diagram through the stations of nSpans spans, closed at zero at the beam's two
// ends only; the point's models, when it has them, kept in step.
void MomentDiagram(std::vector<double>& x, std::vector<double>& y, std::size_t nSpans, SeriesInfo* pInfo = nullptr)
{
    const std::vector<bool> drop = InteriorClosingStations(x, nSpans);
    x = Without(x, drop);
    y = Without(y, drop);
    if (pInfo && !pInfo->modelOf.empty())
        pInfo->modelOf = Without(pInfo->modelOf, drop);
}

// The model behind each entry of an envelope's side; an entry no model caused has none.
void SetPointModels(SeriesInfo& info, const std::vector<PointLoadEffect>& effects)
{
    info.models.clear();
    info.modelOf.clear();
    info.modelOf.reserve(effects.size());
    const CLoadModel* pLast = nullptr;
    std::uint32_t last = 0;
    for (const auto& e : effects) {
        // Neighbouring entries mostly share their model: its name is looked for once.
        if (e.pLM.get() != pLast || info.modelOf.empty()) {
            info.AddPointModel(e.pLM ? e.GetLoadModelName() : std::wstring());
            pLast = e.pLM.get();
            last = info.modelOf.back();
        } else {
            info.modelOf.push_back(last);
        }
    }
}

std::wstring ModelName(const RatioLoadEffect& e)
{
    if (!e.proposed.pLM)
        return {};
    std::wstring name = e.proposed.GetLoadModelName();
    if (e.reference.pLM)
        name += L" (reference: " + e.reference.GetLoadModelName() + L")";
    return name;
}

std::wstring ModelName(const PointLoadEffect& e)
{
    return e.pLM ? e.GetLoadModelName() : std::wstring();
}

// The load model of an envelope whose entries all come from one model.
std::wstring EnvelopeModel(const std::shared_ptr<CEnvelope>& pEnv)
{
    if (pEnv)
        for (const auto& e : pEnv->m_vMax)
            if (e.pLM)
                return e.GetLoadModelName();
    return {};
}

std::wstring Metres(double x)
{
    return ResultText(x, g_pSettings->General.DecimalPlaces.DISTANCE) + L" m";
}

std::wstring Named(const std::wstring& who, const std::wstring& side)
{
    if (who.empty())
        return side;
    std::wstring lower = side;
    if (!lower.empty())
        lower[0] = static_cast<wchar_t>(std::towlower(lower[0]));
    return who + L" " + lower;
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
                                  COLORREF maxColour, int nShowEach, const std::wstring& who)
{
    if (!pResults)
        return;
    const auto pBridge = pResults->GetBridge();
    const std::size_t nSpans = SpanCount(*pResults);
    AddBeamLinesAndTitles(pBridge);
    if (nShowEach) {
        const std::wstring model = EnvelopeModel(pResults->GetEnvBMD());
        const auto pFirst = pResults->GetEnvReaction(0);
        const std::vector<double> positions = pFirst ? pFirst->GetLoadPositions() : std::vector<double>();
        const auto singles = pResults->GetSingleResults();
        for (std::size_t k = 0; k < singles.size(); ++k) {
            const auto& pSingle = singles[k];
            if (!pSingle)
                continue;
            SeriesInfo info{m_sEachPosition, SeriesInfo::X_LOCATION, SeriesInfo::Q_MOMENT, {}, false};
            if (!model.empty())
                info.models = {k < positions.size() ? model + L" at " + Metres(positions[k]) : model};
            std::vector<double> x, y;
            pSingle->GetResults(x, y, BRT_MOMENT);
            MomentDiagram(x, y, pSingle->m_vMbrRes.size());
            AddSeries(0, x, y, m_clrPlot[CLR_LIGHTLINE], false, 1, true, false, info);
            pSingle->GetResults(x, y, BRT_SHEAR);
            info.quantity = SeriesInfo::Q_SHEAR;
            AddSeries(1, x, y, m_clrPlot[CLR_LIGHTLINE], false, 1, false, false, info);
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
        const bool bMoment = chart == 0;
        for (bool bMax : {true, false}) {
            std::vector<double> x = pEnv->GetStations(bMax);
            std::vector<double> y = pEnv->GetValues(bMax);
            SeriesInfo info{Named(who, bMax ? m_sMaximum : m_sMinimum), SeriesInfo::X_LOCATION,
                            bMoment ? SeriesInfo::Q_MOMENT : SeriesInfo::Q_SHEAR};
            SetPointModels(info, bMax ? pEnv->m_vMax : pEnv->m_vMin);
            if (bMoment)
                MomentDiagram(x, y, nSpans, &info);
            AddSeries(chart, x, y, bMax ? maxColour : minColour, false, 2, bMoment, true, std::move(info));
        }
    }
}

void CPlotView::PlotEnvelopeReactions(const std::shared_ptr<CEnvelopeResults>& pResults, COLORREF minColour,
                                      COLORREF maxColour, const std::wstring& who)
{
    const auto pBridge = pResults ? pResults->GetBridge() : nullptr;
    if (!pBridge)
        return;
    const unsigned n = static_cast<unsigned>(pBridge->m_vSpans.size()) + 1;
    for (unsigned i = 0; i < n; ++i) {
        SetChartTitles(i, m_sLoadPosition, m_sReactionEnvelope);
        SetChartName(i, L"Reaction " + std::to_wstring(i + 1));
        AddBeamLine(i, pBridge);
        const auto pEnv = pResults->GetEnvReaction(static_cast<int>(i));
        if (!pEnv)
            continue;
        for (bool bMax : {true, false}) {
            if (!bMax && pBridge->m_Config == BC_ONESPAN)
                continue;
            SeriesInfo info{Named(who, bMax ? m_sMaximum : m_sMinimum), SeriesInfo::X_LOCATION, SeriesInfo::Q_REACTION};
            SetPointModels(info, bMax ? pEnv->m_vMax : pEnv->m_vMin);
            AddSeries(i, pEnv->GetLoadPositions(), pEnv->GetValues(bMax), bMax ? maxColour : minColour, false, 2, false,
                      true, std::move(info));
        }
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
        AddSeries(index, x, std::vector<double>(x.size(), 1.0), m_clrPlot[CLR_FULLSPEED], false, 2, false, true,
                  {m_sFullSpeed, SeriesInfo::X_SPAN, SeriesInfo::Q_RATIO, {}, false});
    if (m_bRatioLimitSlowDown)
        AddSeries(index, x, dla, m_clrPlot[CLR_SLOWDOWN], false, 2, false, true,
                  {m_sSlowDown, SeriesInfo::X_SPAN, SeriesInfo::Q_RATIO, {}, false});
}

void CPlotView::OutputSinglePositionBMSF(std::shared_ptr<CAOSinglePosition> pOutput)
{
    const auto pResults = pOutput ? pOutput->GetResults<CBeamResults>() : nullptr;
    if (!pResults)
        return;
    const auto pBeam = pResults->GetBeam();
    const double length = pBeam ? pBeam->m_Length : 0.0;
    const auto pModel = pOutput->GetLoadModel();
    const std::wstring model = pModel ? pModel->m_Description : std::wstring();
    const struct {
        BeamResultsType type;
        const std::wstring& yTitle;
        bool bNegate;
        SeriesInfo::Quantity quantity;
    } charts[2] = {{BRT_MOMENT, m_sBendingMoment, true, SeriesInfo::Q_MOMENT},
                   {BRT_SHEAR, m_sShearForce, false, SeriesInfo::Q_SHEAR}};
    for (unsigned k = 0; k < 2; ++k) {
        SetChartTitles(k, m_sBeamLocation, charts[k].yTitle);
        std::vector<double> x, y;
        pResults->GetResults(x, y, charts[k].type);
        if (charts[k].type == BRT_MOMENT)
            MomentDiagram(x, y, pResults->m_vMbrRes.size());
        SeriesInfo info{model, SeriesInfo::X_LOCATION, charts[k].quantity, {}, false};
        if (!model.empty())
            info.models = {model};
        AddSeries(k, x, y, m_clrPlot[CLR_LINEMAX], false, 2, charts[k].bNegate, true, std::move(info));
        AddSeries(k, {0.0, length}, {0.0, 0.0}, m_clrPlot[CLR_BEAM], false, 4, false, true);
    }
}

void CPlotView::OutputSinglePositionReactions(std::shared_ptr<CAOSinglePosition>) {}

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
        const std::size_t nSpans = SpanCount(*pResults);
        for (const auto& pModel : pOutput->GetModelResults()) {
            if (!pModel)
                continue;
            const std::shared_ptr<CEnvelope> envelopes[2] = {pModel->GetEnvBMD(), pModel->GetEnvSFD()};
            const std::wstring model = EnvelopeModel(envelopes[0]);
            for (unsigned chart = 0; chart < 2; ++chart)
                if (const auto& pEnv = envelopes[chart])
                    for (bool bMax : {true, false}) {
                        std::vector<double> x = pEnv->GetStations(bMax);
                        std::vector<double> y = pEnv->GetValues(bMax);
                        if (chart == 0)
                            MomentDiagram(x, y, nSpans);
                        SeriesInfo info{model,
                                        SeriesInfo::X_LOCATION,
                                        chart == 0 ? SeriesInfo::Q_MOMENT : SeriesInfo::Q_SHEAR,
                                        {},
                                        false};
                        if (!model.empty())
                            info.models = {model};
                        AddSeries(chart, x, y, m_clrPlot[CLR_LIGHTLINE], false, 1, chart == 0, true, std::move(info));
                    }
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
                    const std::wstring model = EnvelopeModel(pEnv);
                    SeriesInfo info{model, SeriesInfo::X_LOCATION, SeriesInfo::Q_REACTION, {}, false};
                    if (!model.empty())
                        info.models = {model};
                    AddSeries(chart, pEnv->GetLoadPositions(), pEnv->GetValues(true), m_clrPlot[CLR_LIGHTLINE], false,
                              1, false, true, info);
                    if (pBridge->m_Config != BC_ONESPAN)
                        AddSeries(chart, pEnv->GetLoadPositions(), pEnv->GetValues(false), m_clrPlot[CLR_LIGHTLINE],
                                  false, 1, false, true, info);
                }
                UpdateWindow();
            }
        }
    }
    OutputMovingLoadReactions(pResults);
}

namespace {

double ValueOf(const PointLoadEffect& e)
{
    return e.val;
}

double ValueOf(const RatioLoadEffect& e)
{
    return e.ratio;
}

bool HasValue(const PointLoadEffect&)
{
    return true;
}

// A ratio against a zero reference has no value and no point.
bool HasValue(const RatioLoadEffect& e)
{
    return e.IsDefined();
}

// One side of a critical pair over the bridges of a set: span, value and load model of the
// bridges whose value exists.
struct CriticalSide {
    std::vector<double> x, y;
    SeriesInfo info; // the points' models; the rest is the caller's

    SeriesInfo Info(const std::wstring& name, SeriesInfo::Quantity quantity) const
    {
        SeriesInfo out = info;
        out.name = name;
        out.xAxis = SeriesInfo::X_SPAN;
        out.quantity = quantity;
        return out;
    }
};

template <class Member, class GetPair>
CriticalSide SideOf(const std::vector<Member>& members, const std::vector<double>& spans, GetPair getPair, bool bMax)
{
    CriticalSide side;
    for (std::size_t i = 0; i < members.size() && i < spans.size(); ++i) {
        const auto* pPair = getPair(members[i]);
        if (!pPair)
            continue;
        const auto& e = bMax ? pPair->max : pPair->min;
        if (!HasValue(e))
            continue;
        side.x.push_back(spans[i]);
        side.y.push_back(ValueOf(e));
        side.info.AddPointModel(ModelName(e));
    }
    return side;
}

} // namespace

template <class Ensemble>
void CPlotView::PlotCriticalBMSF(const std::shared_ptr<Ensemble>& pEnsemble, const std::wstring& yMoment,
                                 const std::wstring& yShear, const std::vector<double>* pDLA)
{
    if (!pEnsemble)
        return;
    const auto pSet = pEnsemble->GetBridgeSet();
    const std::vector<double> x = pSet ? pSet->GetSpanLengths() : std::vector<double>();
    const bool bRatios = pDLA != nullptr;
    const SeriesInfo::Quantity quantities[2] = {bRatios ? SeriesInfo::Q_RATIO : SeriesInfo::Q_MOMENT,
                                                bRatios ? SeriesInfo::Q_RATIO : SeriesInfo::Q_SHEAR};
    const std::wstring* yTitles[2] = {&yMoment, &yShear};
    for (unsigned chart = 0; chart < 2; ++chart) {
        SetChartTitles(chart, m_sBridgeSpan, *yTitles[chart]);
        for (bool bMax : {true, false}) {
            // A single span has no hogging moment.
            if (chart == 0 && !bMax && IsOneSpan(pSet))
                continue;
            const CriticalSide side = SideOf(
                pEnsemble->m_vMembers, x, [chart](const auto& m) { return chart == 0 ? &m.m_BMPair : &m.m_SFPair; },
                bMax);
            if (side.x.empty() && !x.empty())
                continue; // every ratio of this side undefined: nothing to draw or name
            AddSeries(chart, side.x, side.y, m_clrPlot[bMax ? CLR_LINEMAX : CLR_LINEMIN], true, 2, false, true,
                      side.Info(bMax ? m_sMaximum : m_sMinimum, quantities[chart]));
        }
        if (pDLA)
            AddRatioLimitLines(chart, x, *pDLA);
    }
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
    const SeriesInfo::Quantity quantity = pDLA ? SeriesInfo::Q_RATIO : SeriesInfo::Q_REACTION;
    for (int i = 0; i < n; ++i) {
        // A member with fewer supports than the first bridge has no pair i.
        bool bEveryMember = true;
        for (const auto& member : pEnsemble->m_vMembers)
            bEveryMember = bEveryMember && static_cast<std::size_t>(i) < member.m_vReactionPairs.size();
        const unsigned chart = static_cast<unsigned>(i);
        SetChartTitles(chart, m_sBridgeSpan, yTitle);
        SetChartName(chart, L"Reaction " + std::to_wstring(i + 1));
        if (bEveryMember) {
            for (bool bMax : {true, false}) {
                if (!bMax && IsOneSpan(pSet))
                    continue;
                const CriticalSide side = SideOf(
                    pEnsemble->m_vMembers, x,
                    [i](const auto& m) { return &m.m_vReactionPairs[static_cast<std::size_t>(i)]; }, bMax);
                if (side.x.empty() && !x.empty())
                    continue;
                AddSeries(chart, side.x, side.y, m_clrPlot[bMax ? CLR_LINEMAX : CLR_LINEMIN], true, 2, false, true,
                          side.Info(bMax ? m_sMaximum : m_sMinimum, quantity));
            }
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
    PlotEnvelopesBMSF(pRef, m_clrPlot[CLR_LINEMIN], m_clrPlot[CLR_LINEMAX], 0, L"Reference");
    PlotEnvelopesBMSF(pProp, m_clrPlot[CLR_PROPMIN], m_clrPlot[CLR_PROPMAX], 0, L"Proposed");
}

void CPlotView::OutputCompareEnvelopesReactions(std::shared_ptr<CAOCompareRefSetEnvs> pOutput)
{
    const auto [pRef, pProp] = CompareResults(pOutput);
    PlotEnvelopeReactions(pRef, m_clrPlot[CLR_LINEMIN], m_clrPlot[CLR_LINEMAX], L"Reference");
    PlotEnvelopeReactions(pProp, m_clrPlot[CLR_PROPMIN], m_clrPlot[CLR_PROPMAX], L"Proposed");
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
