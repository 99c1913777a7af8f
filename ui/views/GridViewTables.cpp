// The table of each kind of analysis output, each given as the cells of its row i, which
// the grid asks for as it builds a row. Every read is bounded by the list it reads: a cell
// that a shorter list lacks stays blank (a later reference set may have fewer bridges, a
// compare index may lie outside the set). A table of load positions keeps to a cell limit.
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

// Span and bridge length of bridge i of a set, in columns 1 and 2.
struct BridgeColumns {
    explicit BridgeColumns(const std::shared_ptr<CBridgeSet>& pSet)
        : spans(pSet ? pSet->GetSpanLengths() : std::vector<double>()),
          lengths(pSet ? pSet->GetBridgeLengths() : std::vector<double>())
    {
    }
    void Write(std::size_t i, CGridView::CRowCells& cells) const
    {
        if (const double* span = At(spans, i))
            cells.Number(1, *span, CGridView::Q_SPAN);
        if (const double* length = At(lengths, i))
            cells.Number(2, *length, CGridView::Q_LENGTH);
    }
    std::vector<double> spans;
    std::vector<double> lengths;
};

// The envelopes of one station from column col0: x Beam, then the value (and with
// bWithLoad the load model's position) of the moment maximum and minimum and the shear
// maximum and minimum (9 cells, else 5).
struct EnvelopeColumns {
    explicit EnvelopeColumns(const std::shared_ptr<CEnvelopeResults>& pResults)
        : pBMD(Moments(pResults)), pSFD(Shears(pResults))
    {
    }
    void Write(std::size_t i, int col0, bool bWithLoad, CGridView::CRowCells& cells) const
    {
        if (!pBMD)
            return;
        int col = col0;
        auto put = [&](const PointLoadEffect* e, bool bFirst) {
            if (e && bFirst)
                cells.Number(col, e->xBeam, CGridView::Q_LENGTH);
            if (bFirst)
                ++col;
            if (e)
                cells.Number(col, e->val, CGridView::Q_EFFECT);
            ++col;
            if (bWithLoad) {
                if (e)
                    cells.Number(col, e->xLoadModel, CGridView::Q_LENGTH);
                ++col;
            }
        };
        put(At(pBMD->m_vMax, i), true);
        put(At(pBMD->m_vMin, i), false);
        put(pSFD ? At(pSFD->m_vMax, i) : nullptr, false);
        put(pSFD ? At(pSFD->m_vMin, i) : nullptr, false);
    }
    std::shared_ptr<CEnvelope> pBMD;
    std::shared_ptr<CEnvelope> pSFD;
};

// The reactions at one load position from column col0: where the load model stood (by
// reaction envelope 0), then the maximum and minimum of each support.
struct ReactionColumns {
    explicit ReactionColumns(const std::shared_ptr<CEnvelopeResults>& pResults)
        : envelopes(Reactions(pResults, Supports(pResults)))
    {
    }
    void Write(std::size_t i, int col0, CGridView::CRowCells& cells) const
    {
        if (envelopes.empty() || !envelopes[0])
            return;
        if (const PointLoadEffect* e = At(envelopes[0]->m_vMax, i))
            cells.Number(col0, e->xLoadModel, CGridView::Q_LENGTH);
        for (std::size_t j = 0; j < envelopes.size(); ++j) {
            const auto& pEnv = envelopes[j];
            if (!pEnv)
                continue;
            const int col = col0 + 1 + 2 * static_cast<int>(j);
            if (const PointLoadEffect* e = At(pEnv->m_vMax, i))
                cells.Number(col, e->val, CGridView::Q_EFFECT);
            if (const PointLoadEffect* e = At(pEnv->m_vMin, i))
                cells.Number(col + 1, e->val, CGridView::Q_EFFECT);
        }
    }
    std::vector<std::shared_ptr<CEnvelope>> envelopes;
};

// Member i of an ensemble, none past its end (a later reference set may have fewer bridges).
template <class Ensemble>
const auto* Member(const std::shared_ptr<Ensemble>& pEnsemble, std::size_t i)
{
    return pEnsemble ? At(pEnsemble->m_vMembers, i) : nullptr;
}

} // namespace

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
    const auto n = static_cast<unsigned>(x.size());
    StartTable(
        n, 3, m_saSinglePosBMSF,
        [x = std::move(x), moment = std::move(moment), shear = std::move(shear)](std::size_t i, CRowCells& cells) {
            cells.Number(1, x[i], Q_LENGTH);
            if (const double* m = At(moment, i))
                cells.Number(2, *m, Q_EFFECT);
            if (const double* v = At(shear, i))
                cells.Number(3, *v, Q_EFFECT);
        });
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
    const auto n = static_cast<unsigned>(reactions.size());
    StartTable(1, n, headings, [reactions = std::move(reactions)](std::size_t, CRowCells& cells) {
        cells.Heading(L"Value");
        for (std::size_t j = 0; j < reactions.size(); ++j)
            cells.Number(static_cast<int>(j) + 1, reactions[j], Q_EFFECT);
    });
    AutoFit();
}

void CGridView::OutputMovingLoadBMSF(std::shared_ptr<CEnvelopeResults> pResults, int)
{
    std::vector<std::size_t> stations = ShownStations(pResults);
    const auto n = static_cast<unsigned>(stations.size());
    StartTable(n, 9, m_saMovingLoadBMSF,
               [columns = EnvelopeColumns(pResults), stations = std::move(stations)](std::size_t r, CRowCells& cells) {
                   columns.Write(stations[r], 1, true, cells);
               });
    AutoFit();
}

void CGridView::OutputMovingLoadReactions(std::shared_ptr<CEnvelopeResults> pResults)
{
    const int nSupports = Supports(pResults);
    Headings headings{m_saMovingLoadReactions[1]};
    AppendReactionHeadings(headings, nSupports);
    const unsigned nCols = static_cast<unsigned>(2 * nSupports + 1);
    const auto positions = ShownPositions(MaxCount(Reaction(pResults, 0)), nCols, Reactions(pResults, nSupports));
    StartPositionTable(positions, nCols, headings,
                       [columns = ReactionColumns(pResults), positions](std::size_t r, CRowCells& cells) {
                           columns.Write(positions[r], 1, cells);
                       });
    AutoFit();
}

void CGridView::OutputMultiMovingLoadBMSF(std::shared_ptr<CAOMultiMovingLoad> pOutput, int)
{
    const auto pResults = pOutput ? pOutput->GetResults<CEnvelopeResults>() : nullptr;
    std::vector<std::size_t> stations = ShownStations(pResults);
    const auto n = static_cast<unsigned>(stations.size());
    StartTable(n, 9, m_saMultiMLBMSF,
               [pBMD = Moments(pResults), pSFD = Shears(pResults), stations = std::move(stations)](std::size_t r,
                                                                                                   CRowCells& cells) {
                   const std::size_t i = stations[r];
                   cells.Number(1, pBMD->m_vMax[i].xBeam, Q_LENGTH);
                   const PointLoadEffect* effects[4] = {&pBMD->m_vMax[i], At(pBMD->m_vMin, i),
                                                        pSFD ? At(pSFD->m_vMax, i) : nullptr,
                                                        pSFD ? At(pSFD->m_vMin, i) : nullptr};
                   for (int k = 0; k < 4; ++k) {
                       if (!effects[k])
                           continue;
                       cells.Number(2 + 2 * k, effects[k]->val, Q_EFFECT);
                       cells.Text(3 + 2 * k, GetLoadModelName(*effects[k]));
                   }
               });
    AutoFit();
}

void CGridView::OutputMultiMovingLoadReactions(std::shared_ptr<CAOMultiMovingLoad> pOutput, int)
{
    const auto pResults = pOutput ? pOutput->GetResults<CEnvelopeResults>() : nullptr;
    const int nSupports = Supports(pResults);
    const unsigned nCols = static_cast<unsigned>(4 * nSupports + 1);
    auto envelopes = Reactions(pResults, nSupports);
    const auto positions = ShownPositions(MaxCount(Reaction(pResults, 0)), nCols, envelopes);
    Headings headings{m_saMultiMLReactions[2]};
    AppendReactionHeadings(headings, nSupports, L"Critical LM");
    StartPositionTable(positions, nCols, headings,
                       [envelopes = std::move(envelopes), positions](std::size_t r, CRowCells& cells) {
                           const std::size_t i = positions[r];
                           cells.Text(1, L"Point " + std::to_wstring(i + 1));
                           for (std::size_t j = 0; j < envelopes.size(); ++j) {
                               const auto& pEnv = envelopes[j];
                               if (!pEnv)
                                   continue;
                               const int col = 4 * static_cast<int>(j) + 2;
                               if (const PointLoadEffect* e = At(pEnv->m_vMax, i)) {
                                   cells.Number(col, e->val, Q_EFFECT);
                                   cells.Text(col + 1, GetLoadModelName(*e));
                               }
                               if (const PointLoadEffect* e = At(pEnv->m_vMin, i)) {
                                   cells.Number(col + 2, e->val, Q_EFFECT);
                                   cells.Text(col + 3, GetLoadModelName(*e));
                               }
                           }
                       });
    AutoFit();
}

void CGridView::OutputBridgeRangeBMSF(std::shared_ptr<CCriticalValueEnsemble> pEnsemble)
{
    const auto pSet = pEnsemble ? pEnsemble->GetBridgeSet() : nullptr;
    StartTable(Bridges(pSet), 14, m_saBridgeRangeBMSF,
               [bridges = BridgeColumns(pSet), pEnsemble](std::size_t i, CRowCells& cells) {
                   bridges.Write(i, cells);
                   const CCriticalValueResults* pMember = Member(pEnsemble, i);
                   if (!pMember)
                       return;
                   int col = 3;
                   for (const auto& pair : {pMember->GetMomentPair(), pMember->GetShearPair()})
                       for (const PointLoadEffect* e : {&pair.max, &pair.min}) {
                           cells.Number(col++, e->val, Q_EFFECT);
                           cells.Number(col++, e->xBeam, Q_LENGTH);
                           cells.Number(col++, e->xLoadModel, Q_LENGTH);
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
    StartTable(Bridges(pSet), static_cast<unsigned>(4 * nSupports + 2), headings,
               [bridges = BridgeColumns(pSet), pEnsemble, nSupports](std::size_t i, CRowCells& cells) {
                   bridges.Write(i, cells);
                   const CCriticalValueResults* pMember = Member(pEnsemble, i);
                   for (int j = 0; pMember && j < nSupports; ++j) {
                       const auto* pPair = At(pMember->m_vReactionPairs, static_cast<std::size_t>(j));
                       if (!pPair)
                           break;
                       cells.Number(3 + 4 * j, pPair->max.val, Q_EFFECT);
                       cells.Number(4 + 4 * j, pPair->max.xLoadModel, Q_LENGTH);
                       cells.Number(5 + 4 * j, pPair->min.val, Q_EFFECT);
                       cells.Number(6 + 4 * j, pPair->min.xLoadModel, Q_LENGTH);
                   }
               });
    AutoFit();
}

template <class Ensemble>
void CGridView::FillCriticalTable(const std::shared_ptr<Ensemble>& pEnsemble, Quantity quantity)
{
    const auto pSet = pEnsemble ? pEnsemble->GetBridgeSet() : nullptr;
    StartTable(Bridges(pSet), 6, m_saBridgeValues,
               [bridges = BridgeColumns(pSet), pEnsemble, quantity](std::size_t i, CRowCells& cells) {
                   bridges.Write(i, cells);
                   const auto* pMember = Member(pEnsemble, i);
                   if (!pMember)
                       return;
                   int col = 3;
                   for (const auto& pair : {pMember->GetMomentPair(), pMember->GetShearPair()}) {
                       cells.Effect(col++, pair.max, quantity);
                       cells.Effect(col++, pair.min, quantity);
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
    // A member with fewer supports than the first bridge leaves its cells blank.
    StartTable(Bridges(pSet), static_cast<unsigned>(2 * nSupports + 2), headings,
               [bridges = BridgeColumns(pSet), pEnsemble, quantity, nSupports](std::size_t i, CRowCells& cells) {
                   bridges.Write(i, cells);
                   const auto* pMember = Member(pEnsemble, i);
                   for (int j = 0; pMember && j < nSupports; ++j)
                       if (const auto* pPair = At(pMember->m_vReactionPairs, static_cast<std::size_t>(j))) {
                           cells.Effect(3 + 2 * j, pPair->max, quantity);
                           cells.Effect(4 + 2 * j, pPair->min, quantity);
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
    std::vector<std::size_t> refStations = ShownStations(in.pRef);
    std::vector<std::size_t> propStations = ShownStations(in.pProp);
    const std::size_t nRows = in.pRef ? std::max(refStations.size(), propStations.size()) : 0;
    StartTable(static_cast<unsigned>(nRows), 9, m_saCompareBMSF,
               [ref = EnvelopeColumns(in.pRef), prop = EnvelopeColumns(in.pProp), refStations = std::move(refStations),
                propStations = std::move(propStations)](std::size_t r, CRowCells& cells) {
                   if (r < refStations.size())
                       ref.Write(refStations[r], 1, false, cells);
                   if (!prop.pBMD || r >= propStations.size())
                       return;
                   const std::size_t i = propStations[r];
                   const PointLoadEffect* effects[4] = {At(prop.pBMD->m_vMax, i), At(prop.pBMD->m_vMin, i),
                                                        prop.pSFD ? At(prop.pSFD->m_vMax, i) : nullptr,
                                                        prop.pSFD ? At(prop.pSFD->m_vMin, i) : nullptr};
                   for (int k = 0; k < 4; ++k)
                       if (effects[k])
                           cells.Number(6 + k, effects[k]->val, Q_EFFECT);
               });
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
    StartPositionTable(positions, nCols, headings,
                       [ref = ReactionColumns(in.pRef), prop = ReactionColumns(in.pProp), positions,
                        propCol = 2 * nSupports + 2](std::size_t r, CRowCells& cells) {
                           ref.Write(positions[r], 1, cells);
                           prop.Write(positions[r], propCol, cells);
                       });
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

    // One block of columns per reference set, the span in column 1 before them.
    struct Block {
        std::shared_ptr<CCriticalRatioEnsemble> pEnsemble;
        bool bOneSpan;
        std::vector<int> ends;
        std::vector<int> piers;
        int col;
    };
    std::vector<Block> blocks;
    int nCols = 1;
    for (const auto& pEnsemble : ensembles) {
        if (!pEnsemble)
            continue;
        const auto pSet = pEnsemble->GetBridgeSet();
        const BridgeConfig config = pSet ? pSet->m_Config : BC_ONESPAN;
        const bool bOneSpan = config == BC_ONESPAN;
        blocks.push_back({pEnsemble, bOneSpan, EndSupports(config), InteriorSupports(config), nCols + 1});
        nCols += static_cast<int>((bOneSpan ? m_saSummaryEffects : m_saSummaryEffectsPier).size());
    }

    // No reference set gives an empty table with its first heading.
    const auto pFirstSet = !ensembles.empty() && ensembles[0] ? ensembles[0]->GetBridgeSet() : nullptr;
    m_Rows = [spans = pFirstSet ? pFirstSet->GetSpanLengths() : std::vector<double>(), blocks](std::size_t i,
                                                                                               CRowCells& cells) {
        if (const double* span = At(spans, i))
            cells.Number(1, *span, Q_SPAN);
        for (const Block& block : blocks) {
            const CCriticalRatioResults* pMember = Member(block.pEnsemble, i);
            if (!pMember)
                continue;
            // Sag and hog are the moment ratios as they stand; the others are the larger
            // ratio of their effects (shear, the end supports, the interior supports).
            // An arrangement without piers the summary knows leaves the pier cell blank.
            int c = block.col;
            const auto put = [&](const std::optional<double>& ratio) {
                if (ratio)
                    cells.Number(c, *ratio, Q_RATIO);
                else
                    cells.NotAvailable(c);
                ++c;
            };
            const auto moment = pMember->GetMomentPair();
            cells.Effect(c++, moment.max, Q_RATIO);
            if (!block.bOneSpan)
                cells.Effect(c++, moment.min, Q_RATIO);
            put(GoverningOf(*pMember, {}, true));
            put(GoverningOf(*pMember, block.ends, false));
            if (!block.bOneSpan && !block.piers.empty())
                put(GoverningOf(*pMember, block.piers, false));
        }
    };
    CreateGrid(Bridges(pFirstSet), static_cast<unsigned>(nCols));
    m_pGrid->SetItemText(0, 1, m_saBridgeColumns[0].c_str());
    for (const Block& block : blocks) {
        const Headings& headings = block.bOneSpan ? m_saSummaryEffects : m_saSummaryEffectsPier;
        for (std::size_t k = 0; k < headings.size(); ++k)
            SetHeading(block.col + static_cast<int>(k), headings[k]);
    }
    FinishRows();
    AutoFit();
}
