// The table of each kind of analysis output. Every loop is bounded by the list it reads: a
// cell that a shorter list lacks stays blank (a later reference set may have fewer bridges,
// a compare index may lie outside the set). A table of load positions keeps to a cell limit.
#include "ui/views/GridView.h"

#include "controls/grid/GridCtrl.h"
#include "core/bounds/Bounds.h"
#include "ui/views/Outputs.h"
#include "ui/views/ResultCell.h"
#include "ui/views/Stations.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

template <class T>
const T* At(const std::vector<T>& v, std::size_t i)
{
    return i < v.size() ? &v[i] : nullptr;
}

template <class T>
T At(const std::vector<T>& v, std::size_t i, T none)
{
    return i < v.size() ? v[i] : none;
}

std::size_t MaxCount(const std::shared_ptr<CEnvelope>& pEnv)
{
    return pEnv ? pEnv->m_vMax.size() : 0;
}

// The load positions a table of nColumns lists: all of them, or when that would pass the
// cell limit every k-th one, the last, and the positions of each envelope's extremes.
std::vector<std::size_t> ShownPositions(std::size_t nPositions, std::size_t nColumns,
                                        const std::vector<std::shared_ptr<CEnvelope>>& envelopes)
{
    std::vector<std::size_t> rows;
    const auto nCells =
        static_cast<std::int64_t>(nPositions) * static_cast<std::int64_t>(std::max<std::size_t>(nColumns, 1));
    if (nCells <= Bounds::MostPositionTableCells) {
        rows.resize(nPositions);
        for (std::size_t i = 0; i < nPositions; ++i)
            rows[i] = i;
        return rows;
    }
    const auto stride =
        static_cast<std::size_t>((nCells + Bounds::MostPositionTableCells - 1) / Bounds::MostPositionTableCells);
    for (std::size_t i = 0; i < nPositions; i += stride)
        rows.push_back(i);
    rows.push_back(nPositions - 1);
    auto extreme = [&](const std::vector<PointLoadEffect>& v, bool bMax) {
        if (v.empty())
            return;
        const auto it =
            std::max_element(v.begin(), v.end(), [bMax](const PointLoadEffect& a, const PointLoadEffect& b) {
                return bMax ? a.val < b.val : a.val > b.val;
            });
        rows.push_back(static_cast<std::size_t>(it - v.begin()));
    };
    // A bridge of hundreds of supports would list a row for each extreme: then the stride alone.
    const bool bExtremes = static_cast<std::int64_t>(2 * envelopes.size() * nColumns) <= Bounds::MostPositionTableCells;
    for (const auto& pEnv : envelopes)
        if (pEnv && bExtremes) {
            extreme(pEnv->m_vMax, true);
            extreme(pEnv->m_vMin, false);
        }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    while (!rows.empty() && rows.back() >= nPositions)
        rows.pop_back();
    return rows;
}

std::vector<std::shared_ptr<CEnvelope>> Reactions(const std::shared_ptr<CEnvelopeResults>& p, int nSupports)
{
    std::vector<std::shared_ptr<CEnvelope>> v;
    for (int j = 0; p && j < nSupports; ++j)
        v.push_back(p->GetEnvReaction(j));
    return v;
}

std::shared_ptr<CEnvelope> Moments(const std::shared_ptr<CEnvelopeResults>& p)
{
    return p ? p->GetEnvBMD() : nullptr;
}

std::shared_ptr<CEnvelope> Shears(const std::shared_ptr<CEnvelopeResults>& p)
{
    return p ? p->GetEnvSFD() : nullptr;
}

std::shared_ptr<CEnvelope> Reaction(const std::shared_ptr<CEnvelopeResults>& p, int i)
{
    return p ? p->GetEnvReaction(i) : nullptr;
}

int Supports(const std::shared_ptr<CBeam>& pBeam)
{
    return pBeam ? std::max(0, pBeam->m_nRestraints) : 0;
}

int Supports(const std::shared_ptr<CEnvelopeResults>& p)
{
    return p ? Supports(p->GetBeam()) : 0;
}

int Supports(const std::shared_ptr<CBridgeSet>& pSet)
{
    return pSet && !pSet->m_vBridges.empty() ? Supports(pSet->GetFirstBeam()) : 0;
}

// The stations of the envelopes a table shows: every station but the closing ones.
std::vector<std::size_t> ShownStations(const std::shared_ptr<CEnvelopeResults>& p)
{
    const auto pBMD = Moments(p);
    if (!pBMD)
        return {};
    const std::vector<double> x = pBMD->GetStations(true);
    const std::vector<bool> closing = ClosingStations(x, SpanCount(*p));
    std::vector<std::size_t> shown;
    shown.reserve(x.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        if (!closing[i])
            shown.push_back(i);
    return shown;
}

unsigned Bridges(const std::shared_ptr<CBridgeSet>& pSet)
{
    return pSet ? static_cast<unsigned>(std::max(0, pSet->m_nBridge)) : 0;
}

// Calls fill(row, member) for each member of the ensemble that has a row of the table.
template <class Ensemble, class Fill>
void ForEachMemberRow(const std::shared_ptr<Ensemble>& pEnsemble, unsigned nRows, Fill fill)
{
    for (unsigned i = 0; pEnsemble && i < nRows; ++i) {
        const auto* pMember = At(pEnsemble->m_vMembers, i);
        if (!pMember)
            break;
        fill(static_cast<int>(i) + 1, *pMember);
    }
}

// For each support j: "Reaction j - Max", then after (when given), "Reaction j - Min", after.
void AppendReactionHeadings(CGridView::Headings& headings, int nSupports, const std::wstring& after = {})
{
    for (int j = 1; j <= nSupports; ++j) {
        headings.push_back(L"Reaction " + std::to_wstring(j) + L" - Max");
        if (!after.empty())
            headings.push_back(after);
        headings.push_back(L"Reaction " + std::to_wstring(j) + L" - Min");
        if (!after.empty())
            headings.push_back(after);
    }
}

} // namespace

void CGridView::FillBridgeColumns(const std::shared_ptr<CBridgeSet>& pSet)
{
    if (!pSet)
        return;
    const std::vector<double> spans = pSet->GetSpanLengths();
    const std::vector<double> lengths = pSet->GetBridgeLengths();
    for (unsigned i = 0; i + 1 < m_nGridRows; ++i) {
        const int row = static_cast<int>(i) + 1;
        if (const double* span = At(spans, i))
            SetNumber(row, 1, *span, Q_SPAN);
        if (const double* length = At(lengths, i))
            SetNumber(row, 2, *length, Q_LENGTH);
    }
}

void CGridView::FillEnvelopeRows(const std::shared_ptr<CEnvelopeResults>& pResults, int row0, int col0, bool bWithLoad)
{
    const auto pBMD = Moments(pResults);
    const auto pSFD = Shears(pResults);
    if (!pBMD)
        return;
    int row = row0;
    for (const std::size_t i : ShownStations(pResults)) {
        int col = col0;
        auto put = [&](const PointLoadEffect* e, bool bFirst) {
            if (e && bFirst)
                SetNumber(row, col, e->xBeam, Q_LENGTH);
            if (bFirst)
                ++col;
            if (e)
                SetNumber(row, col, e->val, Q_EFFECT);
            ++col;
            if (bWithLoad) {
                if (e)
                    SetNumber(row, col, e->xLoadModel, Q_LENGTH);
                ++col;
            }
        };
        put(At(pBMD->m_vMax, i), true);
        put(At(pBMD->m_vMin, i), false);
        put(pSFD ? At(pSFD->m_vMax, i) : nullptr, false);
        put(pSFD ? At(pSFD->m_vMin, i) : nullptr, false);
        ++row;
    }
}

void CGridView::FillReactionRows(const std::shared_ptr<CEnvelopeResults>& pResults, int row0, int col0,
                                 const std::vector<std::size_t>& positions)
{
    const auto pFirst = Reaction(pResults, 0);
    if (!pFirst)
        return;
    for (std::size_t r = 0; r < positions.size(); ++r)
        if (const PointLoadEffect* e = At(pFirst->m_vMax, positions[r]))
            SetNumber(row0 + static_cast<int>(r), col0, e->xLoadModel, Q_LENGTH);
    const int nSupports = Supports(pResults);
    for (int j = 0; j < nSupports; ++j) {
        const auto pEnv = Reaction(pResults, j);
        if (!pEnv)
            continue;
        for (std::size_t r = 0; r < positions.size(); ++r) {
            const std::size_t i = positions[r];
            const int row = row0 + static_cast<int>(r);
            if (const PointLoadEffect* e = At(pEnv->m_vMax, i))
                SetNumber(row, col0 + 1 + 2 * j, e->val, Q_EFFECT);
            if (const PointLoadEffect* e = At(pEnv->m_vMin, i))
                SetNumber(row, col0 + 2 + 2 * j, e->val, Q_EFFECT);
        }
    }
}

void CGridView::OutputSinglePositionBMSF(std::shared_ptr<CAOSinglePosition> pOutput)
{
    m_spGridOutput = pOutput;
    std::vector<double> x, moment, shear;
    if (const auto pResults = pOutput ? pOutput->GetResults<CBeamResults>() : nullptr) {
        pResults->GetResults(x, shear, BRT_SHEAR);
        pResults->GetResults(x, moment, BRT_MOMENT);
        const std::vector<bool> closing = ClosingStations(*pResults);
        x = Without(x, closing);
        moment = Without(moment, closing);
        shear = Without(shear, closing);
    }
    StartTable(static_cast<unsigned>(x.size()), 3, m_saSinglePosBMSF);
    for (std::size_t i = 0; i < x.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        SetNumber(row, 1, x[i], Q_LENGTH);
        if (const double* m = At(moment, i))
            SetNumber(row, 2, *m, Q_EFFECT);
        if (const double* v = At(shear, i))
            SetNumber(row, 3, *v, Q_EFFECT);
    }
    AutoFit();
}

void CGridView::OutputSinglePositionReactions(std::shared_ptr<CAOSinglePosition> pOutput)
{
    m_spGridOutput = pOutput;
    std::vector<double> reactions;
    if (const auto pResults = pOutput ? pOutput->GetResults<CBeamResults>() : nullptr)
        reactions = pResults->GetReactions();
    Headings headings;
    for (std::size_t j = 1; j <= reactions.size(); ++j)
        headings.push_back(L"Reaction - " + std::to_wstring(j));
    StartTable(1, static_cast<unsigned>(reactions.size()), headings);
    m_pGrid->SetItemText(1, 0, L"Value");
    for (std::size_t j = 0; j < reactions.size(); ++j)
        SetNumber(1, static_cast<int>(j) + 1, reactions[j], Q_EFFECT);
    AutoFit();
}

void CGridView::OutputMovingLoadBMSF(std::shared_ptr<CEnvelopeResults> pResults, int)
{
    StartTable(static_cast<unsigned>(ShownStations(pResults).size()), 9, m_saMovingLoadBMSF);
    FillEnvelopeRows(pResults, 1, 1, true);
    AutoFit();
}

void CGridView::OutputMovingLoadReactions(std::shared_ptr<CEnvelopeResults> pResults)
{
    const int nSupports = Supports(pResults);
    Headings headings{m_saMovingLoadReactions[1]};
    AppendReactionHeadings(headings, nSupports);
    const unsigned nCols = static_cast<unsigned>(2 * nSupports + 1);
    const auto positions = ShownPositions(MaxCount(Reaction(pResults, 0)), nCols, Reactions(pResults, nSupports));
    StartPositionTable(positions, nCols, headings);
    FillReactionRows(pResults, 1, 1, positions);
    AutoFit();
}

void CGridView::OutputMultiMovingLoadBMSF(std::shared_ptr<CAOMultiMovingLoad> pOutput, int)
{
    const auto pResults = pOutput ? pOutput->GetResults<CEnvelopeResults>() : nullptr;
    const auto pBMD = Moments(pResults);
    const auto pSFD = Shears(pResults);
    const std::vector<std::size_t> stations = ShownStations(pResults);
    StartTable(static_cast<unsigned>(stations.size()), 9, m_saMultiMLBMSF);
    for (std::size_t r = 0; r < stations.size(); ++r) {
        const std::size_t i = stations[r];
        const int row = static_cast<int>(r) + 1;
        SetNumber(row, 1, pBMD->m_vMax[i].xBeam, Q_LENGTH);
        const PointLoadEffect* effects[4] = {&pBMD->m_vMax[i], At(pBMD->m_vMin, i),
                                             pSFD ? At(pSFD->m_vMax, i) : nullptr,
                                             pSFD ? At(pSFD->m_vMin, i) : nullptr};
        for (int k = 0; k < 4; ++k) {
            if (!effects[k])
                continue;
            SetNumber(row, 2 + 2 * k, effects[k]->val, Q_EFFECT);
            SetTextCell(row, 3 + 2 * k, GetLoadModelName(*effects[k]));
        }
    }
    AutoFit();
}

void CGridView::OutputMultiMovingLoadReactions(std::shared_ptr<CAOMultiMovingLoad> pOutput, int)
{
    const auto pResults = pOutput ? pOutput->GetResults<CEnvelopeResults>() : nullptr;
    const int nSupports = Supports(pResults);
    const unsigned nCols = static_cast<unsigned>(4 * nSupports + 1);
    const auto positions = ShownPositions(MaxCount(Reaction(pResults, 0)), nCols, Reactions(pResults, nSupports));
    Headings headings{m_saMultiMLReactions[2]};
    AppendReactionHeadings(headings, nSupports, L"Critical LM");
    StartPositionTable(positions, nCols, headings);
    for (std::size_t r = 0; r < positions.size(); ++r)
        SetTextCell(static_cast<int>(r) + 1, 1, L"Point " + std::to_wstring(positions[r] + 1));
    for (int j = 1; j <= nSupports; ++j) {
        const auto pEnv = Reaction(pResults, j - 1);
        if (!pEnv)
            continue;
        for (std::size_t r = 0; r < positions.size(); ++r) {
            const std::size_t i = positions[r];
            const int row = static_cast<int>(r) + 1;
            if (const PointLoadEffect* e = At(pEnv->m_vMax, i)) {
                SetNumber(row, 4 * j - 2, e->val, Q_EFFECT);
                SetTextCell(row, 4 * j - 1, GetLoadModelName(*e));
            }
            if (const PointLoadEffect* e = At(pEnv->m_vMin, i)) {
                SetNumber(row, 4 * j, e->val, Q_EFFECT);
                SetTextCell(row, 4 * j + 1, GetLoadModelName(*e));
            }
        }
    }
    AutoFit();
}

void CGridView::OutputBridgeRangeBMSF(std::shared_ptr<CCriticalValueEnsemble> pEnsemble)
{
    const auto pSet = pEnsemble ? pEnsemble->GetBridgeSet() : nullptr;
    StartTable(Bridges(pSet), 14, m_saBridgeRangeBMSF);
    FillBridgeColumns(pSet);
    ForEachMemberRow(pEnsemble, m_nGridRows - 1, [this](int row, const CCriticalValueResults& member) {
        int col = 3;
        for (const auto& pair : {member.GetMomentPair(), member.GetShearPair()})
            for (const PointLoadEffect* e : {&pair.max, &pair.min}) {
                SetNumber(row, col++, e->val, Q_EFFECT);
                SetNumber(row, col++, e->xBeam, Q_LENGTH);
                SetNumber(row, col++, e->xLoadModel, Q_LENGTH);
            }
    });
    AutoFit();
}

void CGridView::OutputBridgeRangeReactions(std::shared_ptr<CCriticalValueEnsemble> pEnsemble)
{
    const auto pSet = pEnsemble ? pEnsemble->GetBridgeSet() : nullptr;
    const int nSupports = Supports(pSet);
    Headings headings{m_saBridgeReactions[0], m_saBridgeReactions[1]};
    AppendReactionHeadings(headings, nSupports, m_saBridgeReactions[4]);
    StartTable(Bridges(pSet), static_cast<unsigned>(4 * nSupports + 2), headings);
    FillBridgeColumns(pSet);
    ForEachMemberRow(pEnsemble, m_nGridRows - 1, [this, nSupports](int row, const CCriticalValueResults& member) {
        for (int j = 0; j < nSupports; ++j) {
            const auto* pPair = At(member.m_vReactionPairs, static_cast<std::size_t>(j));
            if (!pPair)
                break;
            SetNumber(row, 3 + 4 * j, pPair->max.val, Q_EFFECT);
            SetNumber(row, 4 + 4 * j, pPair->max.xLoadModel, Q_LENGTH);
            SetNumber(row, 5 + 4 * j, pPair->min.val, Q_EFFECT);
            SetNumber(row, 6 + 4 * j, pPair->min.xLoadModel, Q_LENGTH);
        }
    });
    AutoFit();
}

template <class Ensemble>
void CGridView::FillCriticalTable(const std::shared_ptr<Ensemble>& pEnsemble, Quantity quantity)
{
    const auto pSet = pEnsemble ? pEnsemble->GetBridgeSet() : nullptr;
    StartTable(Bridges(pSet), 6, m_saBridgeValues);
    FillBridgeColumns(pSet);
    ForEachMemberRow(pEnsemble, m_nGridRows - 1, [&](int row, const auto& member) {
        int col = 3;
        for (const auto& pair : {member.GetMomentPair(), member.GetShearPair()}) {
            SetEffect(row, col++, pair.max, quantity);
            SetEffect(row, col++, pair.min, quantity);
        }
    });
    AutoFit();
}

template <class Ensemble>
void CGridView::FillCriticalReactionTable(const std::shared_ptr<Ensemble>& pEnsemble, Quantity quantity)
{
    const auto pSet = pEnsemble ? pEnsemble->GetBridgeSet() : nullptr;
    const int nSupports = Supports(pSet);
    Headings headings{m_saBridgeReactions[0], m_saBridgeReactions[1]};
    AppendReactionHeadings(headings, nSupports);
    StartTable(Bridges(pSet), static_cast<unsigned>(2 * nSupports + 2), headings);
    FillBridgeColumns(pSet);
    // A member with fewer supports than the first bridge leaves its cells blank.
    ForEachMemberRow(pEnsemble, m_nGridRows - 1, [&](int row, const auto& member) {
        for (int j = 0; j < nSupports; ++j)
            if (const auto* pPair = At(member.m_vReactionPairs, static_cast<std::size_t>(j))) {
                SetEffect(row, 3 + 2 * j, pPair->max, quantity);
                SetEffect(row, 4 + 2 * j, pPair->min, quantity);
            }
    });
    AutoFit();
}

void CGridView::OutputRefSetBMSF(std::shared_ptr<CReferenceSet> pRefSet)
{
    FillCriticalTable(pRefSet ? pRefSet->GetRefCritEnsemble() : nullptr, Q_EFFECT);
}

void CGridView::OutputRefSetReactions(std::shared_ptr<CReferenceSet> pRefSet)
{
    FillCriticalReactionTable(pRefSet ? pRefSet->GetRefCritEnsemble() : nullptr, Q_EFFECT);
}

namespace {

struct CompareInputs {
    std::shared_ptr<CEnvelopeResults> pRef;
    std::shared_ptr<CEnvelopeResults> pProp;
    std::shared_ptr<CBridge> pBridge;
};

// Envelope results k of the reference and the proposed critical ensembles; none for an
// index outside the lists.
CompareInputs CompareResults(const std::shared_ptr<CAOCompareRefSetEnvs>& pOutput)
{
    CompareInputs in;
    const auto pRefSet = pOutput ? pOutput->GetReferenceSet<CReferenceSet>() : nullptr;
    if (!pRefSet || pOutput->GetIndex() < 0)
        return in;
    const auto k = static_cast<std::size_t>(pOutput->GetIndex());
    if (const auto pRef = pRefSet->GetRefCritEnsemble())
        in.pRef = At(pRef->m_vEnvResults, k, std::shared_ptr<CEnvelopeResults>());
    if (const auto pProp = pRefSet->GetPropCritEnsemble())
        in.pProp = At(pProp->m_vEnvResults, k, std::shared_ptr<CEnvelopeResults>());
    if (const auto pSet = pRefSet->GetBridgeSet())
        in.pBridge = At(pSet->m_vBridges, k, std::shared_ptr<CBridge>());
    return in;
}

} // namespace

void CGridView::OutputCompareEnvelopesBMSF(std::shared_ptr<CAOCompareRefSetEnvs> pOutput)
{
    const CompareInputs in = CompareResults(pOutput);
    const std::vector<std::size_t> refStations = ShownStations(in.pRef);
    const std::vector<std::size_t> propStations = ShownStations(in.pProp);
    const std::size_t nRows = in.pRef ? std::max(refStations.size(), propStations.size()) : 0;
    StartTable(static_cast<unsigned>(nRows), 9, m_saCompareBMSF);
    FillEnvelopeRows(in.pRef, 1, 1, false);
    const auto pBMD = Moments(in.pProp);
    const auto pSFD = Shears(in.pProp);
    for (std::size_t r = 0; pBMD && r < std::min(nRows, propStations.size()); ++r) {
        const std::size_t i = propStations[r];
        const int row = static_cast<int>(r) + 1;
        const PointLoadEffect* effects[4] = {At(pBMD->m_vMax, i), At(pBMD->m_vMin, i),
                                             pSFD ? At(pSFD->m_vMax, i) : nullptr,
                                             pSFD ? At(pSFD->m_vMin, i) : nullptr};
        for (int k = 0; k < 4; ++k)
            if (effects[k])
                SetNumber(row, 6 + k, effects[k]->val, Q_EFFECT);
    }
    AutoFit();
}

void CGridView::OutputCompareEnvelopesReactions(std::shared_ptr<CAOCompareRefSetEnvs> pOutput)
{
    const CompareInputs in = CompareResults(pOutput);
    const int nSupports = in.pBridge ? Supports(in.pBridge->GetBeam()) : 0;
    const std::size_t nRows = in.pRef ? std::max(MaxCount(Reaction(in.pRef, 0)), MaxCount(Reaction(in.pProp, 0))) : 0;
    Headings headings;
    for (const wchar_t* prefix : {L"Ref ", L"Prop "}) {
        headings.push_back(prefix + m_saCompareReactions[1]);
        AppendReactionHeadings(headings, nSupports);
    }
    const unsigned nCols = static_cast<unsigned>(4 * nSupports + 2);
    auto envelopes = Reactions(in.pRef, nSupports);
    for (auto& pEnv : Reactions(in.pProp, nSupports))
        envelopes.push_back(std::move(pEnv));
    const auto positions = ShownPositions(nRows, nCols, envelopes);
    StartPositionTable(positions, nCols, headings);
    FillReactionRows(in.pRef, 1, 1, positions);
    FillReactionRows(in.pProp, 1, 2 * nSupports + 2, positions);
    AutoFit();
}

void CGridView::OutputCriticalRatiosBMSF(std::shared_ptr<CAOCriticalRatios> pOutput)
{
    FillCriticalTable(pOutput ? pOutput->GetReferenceSet<CCriticalRatioEnsemble>() : nullptr, Q_RATIO);
}

void CGridView::OutputCriticalRatiosReactions(std::shared_ptr<CAOCriticalRatios> pOutput)
{
    FillCriticalReactionTable(pOutput ? pOutput->GetReferenceSet<CCriticalRatioEnsemble>() : nullptr, Q_RATIO);
}

namespace {

// The larger defined ratio of the pairs (the shear pair, or the reaction pairs of the given
// supports); none when every one of them is undefined.
std::optional<double> GoverningOf(const CCriticalRatioResults& member, const std::vector<int>& supports, bool bShear)
{
    std::optional<double> best;
    auto take = [&](const CriticalPair<RatioLoadEffect>& pair) {
        for (const RatioLoadEffect* e : {&pair.max, &pair.min})
            if (e->IsDefined() && (!best || e->ratio > *best))
                best = e->ratio;
    };
    if (bShear)
        take(member.GetShearPair());
    for (int j : supports)
        if (const auto* pPair = At(member.m_vReactionPairs, static_cast<std::size_t>(j)))
            take(*pPair);
    return best;
}

// The abutments and the piers of the standard arrangements, as the summary counts them.
std::vector<int> EndSupports(BridgeConfig config)
{
    const int last = (config == BC_ONESPAN || config == BC_TWOSPAN || config == BC_THREESPAN) ? config : 0;
    return last ? std::vector<int>{0, last} : std::vector<int>{0};
}

std::vector<int> InteriorSupports(BridgeConfig config)
{
    if (config == BC_TWOSPAN)
        return {1};
    if (config == BC_THREESPAN)
        return {1, 2};
    return {};
}

} // namespace

void CGridView::FillEnhancedGridOutput(std::shared_ptr<CAOEnhanced> pOutput)
{
    m_spOutput = pOutput;
    const auto pCollection = pOutput ? pOutput->GetReferenceSet<CReferenceCollection>() : nullptr;
    const auto ensembles =
        pCollection ? pCollection->GetCriticalRatioEnsembles() : std::vector<std::shared_ptr<CCriticalRatioEnsemble>>();
    m_sTitle = L"Enhanced Grid Output |" + (pOutput ? pOutput->Describe() : std::wstring());

    // No reference set gives an empty table with its first heading.
    const auto pFirstSet = !ensembles.empty() && ensembles[0] ? ensembles[0]->GetBridgeSet() : nullptr;
    CreateGrid(Bridges(pFirstSet), 1);
    m_pGrid->SetItemText(0, 1, m_saBridgeColumns[0].c_str());
    const unsigned nRows = m_nGridRows - 1;
    const std::vector<double> spans = pFirstSet ? pFirstSet->GetSpanLengths() : std::vector<double>();
    for (unsigned i = 0; i < nRows; ++i) {
        const int row = static_cast<int>(i) + 1;
        SetRowNumber(row);
        SetResultCell(row, 1);
        if (const double* span = At(spans, i))
            SetNumber(row, 1, *span, Q_SPAN);
    }

    int col = 2;
    for (const auto& pEnsemble : ensembles) {
        if (!pEnsemble)
            continue;
        const auto pSet = pEnsemble->GetBridgeSet();
        const BridgeConfig config = pSet ? pSet->m_Config : BC_ONESPAN;
        const bool bOneSpan = config == BC_ONESPAN;
        const Headings& headings = bOneSpan ? m_saSummaryEffects : m_saSummaryEffectsPier;
        const int width = static_cast<int>(headings.size());
        m_nGridCols += static_cast<unsigned>(width);
        m_pGrid->SetColumnCount(static_cast<int>(m_nGridCols));
        for (int k = 0; k < width; ++k) {
            SetHeading(col + k, headings[static_cast<std::size_t>(k)]);
            for (unsigned i = 0; i < nRows; ++i)
                SetResultCell(static_cast<int>(i) + 1, col + k);
        }
        const std::vector<int> ends = EndSupports(config);
        const std::vector<int> piers = InteriorSupports(config);
        ForEachMemberRow(pEnsemble, nRows, [&](int row, const CCriticalRatioResults& member) {
            // Sag and hog are the moment ratios as they stand; the others are the larger
            // ratio of their effects (shear, the end supports, the interior supports).
            // An arrangement without piers the summary knows leaves the pier cell blank.
            int c = col;
            const auto put = [&](const std::optional<double>& ratio) {
                if (ratio)
                    SetNumber(row, c, *ratio, Q_RATIO);
                else
                    SetNotAvailable(row, c);
                ++c;
            };
            const auto moment = member.GetMomentPair();
            SetEffect(row, c++, moment.max, Q_RATIO);
            if (!bOneSpan)
                SetEffect(row, c++, moment.min, Q_RATIO);
            put(GoverningOf(member, {}, true));
            put(GoverningOf(member, ends, false));
            if (!bOneSpan && !piers.empty())
                put(GoverningOf(member, piers, false));
        });
        col += width;
    }
    AutoFit();
}
