#pragma once
// A long result built in code: the envelopes an ensemble run gives on a continuous bridge of
// 1,000 spans of 20 m (the most spans a bridge takes) with the settings' 100 points per span,
// 103,000 stations of which the tables show 101,000. The values have the shape of such
// envelopes (sagging in the spans, hogging over the supports, shear falling across each
// span) and single-station peaks that a drawing must not lose. A real run of that size takes
// many seconds; the views see the same objects.
#include "core/bridge/Bridge.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/outputs/AOMultiMovingLoad.h"

#include <cmath>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace longresult {

constexpr int kSpans = 1000;
constexpr double kSpan = 20.0;      // m
constexpr int kPointsPerSpan = 100; // a span has kPointsPerSpan + 3 stations
constexpr int kPositions = 400;     // load positions of the reaction envelopes

inline std::shared_ptr<CBridge> LongBridge(int nSpans)
{
    auto bridge = std::make_shared<CBridge>(1, std::to_wstring(nSpans) + L" x 20 m", BC_CUSTOM, kSpan);
    bridge->m_vSpans.assign(static_cast<std::size_t>(nSpans), kSpan);
    bridge->MakeBeam();
    return bridge;
}

// Every 997th station stands out of its neighbours: three times the sagging moment, or a
// shear step, as a heavy axle right over it would give.
inline bool IsPeak(std::size_t station)
{
    return station % 997 == 500;
}

// The same shape over fewer spans, for a table small enough to build whole.
inline std::shared_ptr<CAOMultiMovingLoad> LongEnsembleResult(int nSpans = kSpans)
{
    auto bridge = LongBridge(nSpans);
    auto lme = std::make_shared<CLoadModelEnsemble>(1, L"Two vehicles");
    const std::shared_ptr<CLoadModel> models[2] = {std::make_shared<CLoadModel>(1, L"Lane 10 + Axle 100"),
                                                   std::make_shared<CLoadModel>(2, L"Axle 300")};
    for (const auto& lm : models)
        lme->AddLoadModel(lm);

    auto results = std::make_shared<CEnvelopeResults>();
    results->m_pBridge = bridge;
    results->m_pBeam = bridge->GetBeam();
    auto moment = std::make_shared<CEnvelope>(bridge, LET_MOMENT);
    auto shear = std::make_shared<CEnvelope>(bridge, LET_SHEAR);
    const double pi = std::acos(-1.0);
    const double length = nSpans * kSpan;
    for (int s = 0; s < nSpans; ++s) {
        const double x0 = s * kSpan;
        const double scale = 1.0 + 0.3 * std::sin(0.37 * s); // spans loaded unevenly
        const auto& lm = models[static_cast<std::size_t>(s % 2)];
        auto push = [&](double x, double mMax, double mMin, double vMax, double vMin) {
            const std::size_t i = moment->m_vMax.size();
            if (IsPeak(i)) {
                mMax *= 3.0;
                vMin -= 150.0;
            }
            const double xLM = std::fmod(x + 7.0, length);
            moment->m_vMax.emplace_back(mMax, x, xLM, LET_MOMENT, mMax > 0 ? lm : nullptr);
            moment->m_vMin.emplace_back(mMin, x, xLM, LET_MOMENT, mMin < 0 ? lm : nullptr);
            shear->m_vMax.emplace_back(vMax, x, xLM, LET_SHEAR, vMax > 0 ? lm : nullptr);
            shear->m_vMin.emplace_back(vMin, x, xLM, LET_SHEAR, vMin < 0 ? lm : nullptr);
        };
        push(x0, 0, 0, 0, 0); // closing station
        for (int k = 0; k <= kPointsPerSpan; ++k) {
            const double xi = static_cast<double>(k) / kPointsPerSpan;
            const double x = k == kPointsPerSpan ? x0 + kSpan : x0 + xi * kSpan;
            const double sag = 600.0 * scale * std::sin(pi * xi);
            const double hog = -450.0 * scale * (std::cos(2.0 * pi * xi) + 1.0) / 2.0;
            const double v = 160.0 * scale * (0.5 - xi);
            push(x, sag, hog, std::max(0.0, v) + 40.0, std::min(0.0, v) - 40.0);
        }
        push(x0 + kSpan, 0, 0, 0, 0); // closing station
    }
    results->m_pEnvBMD = moment;
    results->m_pEnvSFD = shear;

    // Each support's reaction, largest when the load stands over it.
    for (int j = 0; j <= nSpans; ++j) {
        auto reaction = std::make_shared<CEnvelope>(bridge, LET_REACTION);
        for (int p = 0; p < kPositions; ++p) {
            const double x = length * p / (kPositions - 1);
            const double d = std::fabs(x - j * kSpan) / kSpan;
            const double r = 300.0 * std::exp(-d * d);
            reaction->m_vMax.emplace_back(r + 20.0, j * kSpan, x, LET_REACTION, models[0]);
            reaction->m_vMin.emplace_back(-0.1 * r, j * kSpan, x, LET_REACTION, models[1]);
        }
        results->m_vEnvReaction.push_back(reaction);
    }
    results->m_nReactions = nSpans + 1;
    return std::make_shared<CAOMultiMovingLoad>(results, std::vector<std::shared_ptr<CEnvelopeResults>>(), bridge, lme,
                                                1);
}

} // namespace longresult
