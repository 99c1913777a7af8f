#include "core/analysis/SinglePosAnalysis.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/beam/Beam.h"
#include "core/beam/BeamAnalysis.h"
#include "core/beam/BeamResults.h"
#include "core/beam/LoadPL.h"
#include "core/beam/LoadPUDL.h"
#include "core/beam/LoadUDL.h"
#include "core/bridge/Bridge.h"
#include "core/loads/LoadModel.h"

CSinglePosAnalysis::CSinglePosAnalysis(std::shared_ptr<CBridge> pBridge, std::shared_ptr<CLoadModel> pLoadModel)
    : m_pBridge(std::move(pBridge)), m_pLoadModel(std::move(pLoadModel))
{
    // A bridge made by the default constructor has no beam until it is set up.
    if (!m_pBridge || !m_pBridge->GetBeam() || !m_pLoadModel)
        throw std::invalid_argument("Single position analysis needs a bridge with its beam and a load model");
    m_pBeam = m_pBridge->GetBeam();
}

CSinglePosAnalysis::~CSinglePosAnalysis() = default;

std::shared_ptr<CBeamResults> CSinglePosAnalysis::Analyse(double position)
{
    CLoadModel& lm = *m_pLoadModel;
    if (lm.m_bAdjustToBridge)
        lm.AdjustToBridge(m_pBridge);
    if (!lm.m_bIsUpdated)
        lm.Update();

    // Recomputed here so that a factor changed by the bridge rule takes effect.
    const double F = lm.m_gLiveLoad.value * lm.m_gDLA.value * lm.m_gUnits.value * lm.m_gArbitrary.value;
    lm.m_Gamma = F;

    m_vLoads.clear();
    MakeUDLLoads(F);
    MakePointLoads(F, position);
    MakePartialLoads(F, position);

    m_vLoadPtrs.clear();
    for (const auto& p : m_vLoads)
        m_vLoadPtrs.push_back(p.get());
    auto results = std::make_shared<CBeamResults>(CBeamAnalysis(*m_pBeam, m_vLoadPtrs).Analyse());

    ZeroUnappliedEffects(*results);
    m_vLoads.clear();
    return results;
}

void CSinglePosAnalysis::MakeUDLLoads(double F)
{
    const CLoadModel& lm = *m_pLoadModel;
    for (unsigned i = 0; i < lm.m_nUDL; ++i) {
        const double w = F * lm.m_vUDL[i].gamma * lm.m_vUDL[i].magnitude;
        for (int j = 0; j < m_pBeam->m_nSpans; ++j)
            m_vLoads.push_back(std::make_unique<CLoadUDL>(j, w));
    }
}

void CSinglePosAnalysis::MakePointLoads(double F, double position)
{
    const CLoadModel& lm = *m_pLoadModel;
    for (unsigned i = 0; i < lm.m_nPL; ++i) {
        const CLoadModel::PointLoad& pl = lm.m_vPL[i];
        double x = pl.location;
        if (lm.m_Direction == TD_REVERSE)
            x = -lm.m_Length - x;
        // The width factor scales the axle before the model's factors.
        const double P = F * pl.gamma * lm.GetWidthFactor(pl.magnitude, pl.width);
        double xb = x + position;
        const int j = m_pBeam->GetSpanIndex(xb);
        if (j < 0)
            continue; // on or within 1 mm of a beam end, or off the beam
        m_vLoads.push_back(std::make_unique<CLoadPL>(j, P, xb));
    }
}

void CSinglePosAnalysis::MakePartialLoads(double F, double position)
{
    const CLoadModel& lm = *m_pLoadModel;
    const CBeam& beam = *m_pBeam;
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
                    m_vLoads.push_back(std::make_unique<CLoadUDL>(j, w));
                    continue;
                }
                c -= aj - s; // ends within this span
                s = aj;
            }
            if (std::abs(c) < 1e-6)
                continue;
            if (s + c <= b) {
                m_vLoads.push_back(std::make_unique<CLoadPUDL>(j, w, std::max(s - aj, 0.0), c));
                break;
            }
            m_vLoads.push_back(std::make_unique<CLoadPUDL>(j, w, std::max(s - aj, 0.0), b - s));
        }
    }
}

void CSinglePosAnalysis::ZeroUnappliedEffects(CBeamResults& results) const
{
    const CLoadModel& lm = *m_pLoadModel;
    const double L = m_pBeam->m_Length;
    if ((lm.m_bUseMaxL && L > lm.m_maxL) || (lm.m_bUseMinL && L < lm.m_minL)) {
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
