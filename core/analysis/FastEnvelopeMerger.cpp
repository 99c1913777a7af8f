#include "core/analysis/FastEnvelopeMerger.h"

#include "core/analysis/FastEnvelopeBuilder.h"
#include "core/beam/FastBeamSolver.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/Envelope.h"
#include "core/envelopes/EnvelopeResults.h"

void CFastEnvelopeMerger::MergeStations(Side& mx, Side& mn, const CFastEnvelopeBuilder& run, int which, int model)
{
    const CFastEnvelopeBuilder::Side& rmx = which == 0 ? run.m_bmMax : run.m_sfMax;
    const CFastEnvelopeBuilder::Side& rmn = which == 0 ? run.m_bmMin : run.m_sfMin;
    const auto entry = [&](const CFastEnvelopeBuilder::Side& side, size_t i, Side& into) {
        const double k = side.index[i];
        const bool hasModel = k != CFastEnvelopeBuilder::kNoModel;
        into.val[i] = side.val[i];
        into.x[i] = run.m_vPositions[hasModel ? static_cast<size_t>(k) : 0];
        into.model[i] = hasModel ? model : -1;
    };
    const size_t n = rmx.val.size();
    if (m_vModels.size() == 1) {
        mx.Resize(n);
        mn.Resize(n);
        for (size_t i = 0; i < n; ++i) {
            entry(rmx, i, mx);
            entry(rmn, i, mn);
        }
        return;
    }
    // The merged entry stays unless the new run's is strictly larger (smaller).
    for (size_t i = 0; i < n && i < mx.val.size(); ++i) {
        if (rmx.val[i] > mx.val[i])
            entry(rmx, i, mx);
        if (rmn.val[i] < mn.val[i])
            entry(rmn, i, mn);
    }
}

void CFastEnvelopeMerger::Merge(const CFastEnvelopeBuilder& run, std::shared_ptr<CLoadModel> pCausing)
{
    m_vModels.push_back(pCausing ? std::move(pCausing) : run.m_pLoadModel);
    const int model = static_cast<int>(m_vModels.size()) - 1;
    m_nAnalyses += static_cast<int>(run.m_nPositions);
    const size_t nPos = run.m_nPositions;
    const size_t nR = run.m_nReactions;

    if (model == 0) {
        m_pBridge = run.m_pBridge;
        m_vX = run.m_pSolver->GetX();
        m_vReactionX = run.m_vReactionX;
        // The envelopes of earlier merges are used again: their buffers stay.
        if (m_vReactions.size() < nR)
            m_vReactions.resize(nR);
        m_nReactions = nR;
        for (size_t r = 0; r < nR; ++r) {
            Reaction& re = m_vReactions[r];
            re.max.Resize(nPos);
            re.min.Resize(nPos);
            for (size_t k = 0; k < nPos; ++k) {
                re.max.val[k] = run.m_vReactionMax[k * nR + r];
                re.min.val[k] = run.m_vReactionMin[k * nR + r];
                re.max.x[k] = re.min.x[k] = run.m_vPositions[k];
                re.max.model[k] = re.min.model[k] = model;
            }
        }
    } else {
        // Paired by position index. The shorter side is padded with zero entries without
        // load model: the merged envelopes at the new run's positions, the new run at the
        // merged load positions of the maximum side as they stood before this merge.
        for (size_t r = 0; r < m_nReactions && r < nR; ++r) {
            Reaction& re = m_vReactions[r];
            const size_t nOld = re.max.val.size();
            if (nOld < nPos) {
                re.max.Resize(nPos);
                re.min.Resize(nPos);
                for (size_t k = nOld; k < nPos; ++k) {
                    re.max.val[k] = re.min.val[k] = 0.0;
                    re.max.x[k] = re.min.x[k] = run.m_vPositions[k];
                    re.max.model[k] = re.min.model[k] = -1;
                }
            }
            for (size_t k = 0; k < re.max.val.size(); ++k) {
                const bool inRun = k < nPos;
                const double xPad = re.max.x[k];
                const double vMax = inRun ? run.m_vReactionMax[k * nR + r] : 0.0;
                const double vMin = inRun ? run.m_vReactionMin[k * nR + r] : 0.0;
                const double x = inRun ? run.m_vPositions[k] : xPad;
                const int m = inRun ? model : -1;
                if (vMax > re.max.val[k]) {
                    re.max.val[k] = vMax;
                    re.max.x[k] = x;
                    re.max.model[k] = m;
                }
                if (vMin < re.min.val[k]) {
                    re.min.val[k] = vMin;
                    re.min.x[k] = x;
                    re.min.model[k] = m;
                }
            }
        }
    }
    MergeStations(m_bmMax, m_bmMin, run, 0, model);
    MergeStations(m_sfMax, m_sfMin, run, 1, model);
}

std::shared_ptr<CEnvelopeResults> CFastEnvelopeMerger::TakeResults()
{
    auto res = std::make_shared<CEnvelopeResults>();
    if (m_vModels.empty())
        return res;

    const auto effect = [&](const Side& s, size_t i, double xBeam, LoadEffectType type) {
        return PointLoadEffect(s.val[i], xBeam, s.x[i], type, s.model[i] >= 0 ? m_vModels[s.model[i]] : nullptr);
    };
    const auto stations = [&](const Side& mx, const Side& mn, LoadEffectType type) {
        auto env = std::make_shared<CEnvelope>(m_pBridge, type);
        env->m_vMax.reserve(m_vX.size());
        env->m_vMin.reserve(m_vX.size());
        for (size_t i = 0; i < m_vX.size(); ++i) {
            env->m_vMax.push_back(effect(mx, i, m_vX[i], type));
            env->m_vMin.push_back(effect(mn, i, m_vX[i], type));
        }
        return env;
    };

    res->m_pBridge = m_pBridge;
    res->m_pBeam = m_pBridge ? m_pBridge->GetBeam() : nullptr;
    res->m_nReactions = static_cast<int>(m_nReactions);
    res->m_nAugments = static_cast<int>(m_vModels.size());
    res->m_nAnalyses = m_nAnalyses;
    res->m_pEnvBMD = stations(m_bmMax, m_bmMin, LET_MOMENT);
    res->m_pEnvSFD = stations(m_sfMax, m_sfMin, LET_SHEAR);
    res->m_vEnvReaction.reserve(m_nReactions);
    for (size_t r = 0; r < m_nReactions; ++r) {
        const Reaction& re = m_vReactions[r];
        auto env = std::make_shared<CEnvelope>(m_pBridge, LET_REACTION);
        env->m_vMax.reserve(re.max.val.size());
        env->m_vMin.reserve(re.min.val.size());
        for (size_t k = 0; k < re.max.val.size(); ++k) {
            env->m_vMax.push_back(effect(re.max, k, m_vReactionX[r], LET_REACTION));
            env->m_vMin.push_back(effect(re.min, k, m_vReactionX[r], LET_REACTION));
        }
        res->m_vEnvReaction.push_back(std::move(env));
    }
    res->UpdateCritical();

    m_vModels.clear();
    m_nReactions = 0;
    m_nAnalyses = 0;
    m_pBridge.reset();
    constexpr size_t kKept = 1 << 18; // entries per reaction side
    if (!m_vReactions.empty() && m_vReactions.front().max.val.capacity() > kKept)
        m_vReactions = {};
    return res;
}
