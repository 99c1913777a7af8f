#pragma once
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/analysis/AnalysisFeedback.h"
#include "core/beam/Beam.h"
#include "core/beam/BeamResults.h"
#include "core/bridge/Bridge.h"
#include "core/loads/LoadModel.h"
#include "platform/base/CLocale.h"


// What the literal and the fast analyses of one position share, written once so that
// the two stay bit-identical.

// The bridge rule (reporting to the feedback) and the model's own update, then the product
// of its four factors (recomputed each time so that a factor changed by the bridge rule
// takes effect).
inline double PrepareModelAt(CLoadModel& lm, const std::shared_ptr<CBridge>& pBridge, const CAnalysisFeedback& feedback)
{
    if (lm.m_bAdjustToBridge)
        lm.AdjustToBridge(pBridge, feedback);
    if (!lm.m_bIsUpdated)
        lm.Update();
    const double F = lm.m_gLiveLoad.value * lm.m_gDLA.value * lm.m_gUnits.value * lm.m_gArbitrary.value;
    lm.m_Gamma = F;
    return F;
}

// A model limited to a range of bridge lengths counts for nothing outside it.
inline bool IsOutsideModelLengths(const CLoadModel& lm, double L)
{
    return (lm.m_bUseMaxL && L > lm.m_maxL) || (lm.m_bUseMinL && L < lm.m_minL);
}

// Results: anything with ZeroResults(type) as CBeamResults has it.
template <class Results>
void ZeroUnappliedEffects(const CLoadModel& lm, bool bOutsideLengths, Results& results)
{
    if (bOutsideLengths) {
        results.ZeroResults(5);
        return;
    }
    if (!lm.m_bAppliesBM)
        results.ZeroResults(0);
    if (!lm.m_bAppliesSF)
        results.ZeroResults(1);
    if (!lm.m_bAppliesR)
        results.ZeroResults(4);
}

// The model's loads at one position as loads on the spans, in this order: uniform loads
// on every span, then the point loads that stand on the beam, then the partial loads cut
// at the supports. Sink: AddUDL(span, w), AddPointLoad(span, P, x), AddPartialUDL(span,
// w, a, c), AddEndSupportLoad(reaction, P), as CFastBeamSolver has them.
template <class Sink>
void BuildPositionLoads(const CLoadModel& lm, const CBeam& beam, double F, double position, Sink& sink)
{
    for (unsigned i = 0; i < lm.m_nUDL; ++i) {
        const double w = F * lm.m_vUDL[i].gamma * lm.m_vUDL[i].magnitude;
        for (int j = 0; j < beam.m_nSpans; ++j)
            sink.AddUDL(j, w);
    }

    for (unsigned i = 0; i < lm.m_nPL; ++i) {
        const CLoadModel::PointLoad& pl = lm.m_vPL[i];
        double x = pl.location;
        if (lm.m_Direction == TD_REVERSE)
            x = -lm.m_Length - x;
        // The width factor scales the axle before the model's factors.
        const double P = F * pl.gamma * lm.GetWidthFactor(pl.magnitude, pl.width);
        double xb = x + position; // made span-local by GetSpanIndex
        const int j = beam.GetSpanIndex(xb);
        if (j >= 0) {
            sink.AddPointLoad(j, P, xb);
            continue;
        }
        // An axle on an end support bears on it alone; one off the beam counts for nothing.
        const int k = beam.GetEndSupportReaction(x + position);
        if (k >= 0)
            sink.AddEndSupportLoad(k, P);
    }

    for (unsigned i = 0; i < lm.m_nPUDL; ++i) {
        double gamma = 0, magnitude = 0, location = 0, cover = 0;
        lm.GetPartialUDL(i, gamma, magnitude, location, cover);
        double s = location + position;
        double c = cover;
        const double w = F * gamma * magnitude;
        // Negated so that a start that is not a number leaves the load out too.
        if (!(s + c >= 1e-6 && s <= beam.m_Length))
            continue;
        double a = 0.0;
        for (int j = 0; j < beam.m_nSpans; ++j) {
            const double b = a + beam.m_vL[j];
            const double aj = a;
            a = b;
            if (s > b)
                continue; // starts after this span
            if (aj > s + c)
                continue; // ended before this span
            if (aj > s) {
                if (s + c > b) { // covers the whole span
                    sink.AddUDL(j, w);
                    continue;
                }
                c -= aj - s; // ends within this span
                s = aj;
            }
            if (std::abs(c) < 1e-6)
                continue;
            if (s + c <= b) {
                sink.AddPartialUDL(j, w, std::max(s - aj, 0.0), c);
                break;
            }
            sink.AddPartialUDL(j, w, std::max(s - aj, 0.0), b - s);
        }
    }
}

// Every moment, shear and reaction of one position is a finite number.
inline bool AllFinite(const CBeamResults& r)
{
    const auto finite = [](const std::vector<double>& v) {
        return std::all_of(v.begin(), v.end(), [](double x) { return std::isfinite(x); });
    };
    if (!finite(r.m_vReactions))
        return false;
    return std::all_of(r.m_vMbrRes.begin(), r.m_vMbrRes.end(),
                       [&](const CMbrResults& m) { return finite(m.M) && finite(m.V); });
}

// Why the results of a model on a bridge are refused rather than shown.
inline std::string NonFiniteResultsText(const CBridge& bridge, const CLoadModel& lm)
{
    return "The results of load model \"" + WideToUtf8(lm.GetDescription()) + "\" on bridge \"" +
           WideToUtf8(bridge.GetDescription()) +
           "\" are not finite numbers: check the bridge's spans and stiffness and the model's loads";
}
