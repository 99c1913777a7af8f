#include "core/analysis/FastEnvelopeBuilder.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "core/analysis/PositionLoads.h"
#include "core/beam/Beam.h"
#include "core/beam/BeamAnalysis.h"
#include "core/beam/FastBeamSolver.h"
#include "core/bounds/Subscript.h"
#include "core/bridge/Bridge.h"
#include "core/envelopes/Envelope.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"

namespace {

bool Solves(const CFastBeamSolver& s, const CBeam& beam, int nPoints)
{
    const CBeam& b = s.GetBeam();
    return b.m_vL == beam.m_vL && b.m_vEI == beam.m_vEI && b.m_vR == beam.m_vR &&
           s.GetStationsPerSpan() == static_cast<size_t>(nPoints) + 3;
}

// The last beam factorised on this thread: an ensemble runs its load models one after
// the other on the same bridge, and they all share it.
std::shared_ptr<CFastBeamSolver> SolverFor(const CBeam& beam, int nPoints)
{
    thread_local std::shared_ptr<CFastBeamSolver> t_pLast;
    // Bounded as the solver bounds it, or a large count would miss the cache every time.
    nPoints = CBeamAnalysis::ClampPointsAlongBeam(nPoints);
    if (t_pLast && Solves(*t_pLast, beam, nPoints))
        return t_pLast;
    t_pLast = std::make_shared<CFastBeamSolver>(beam, nPoints);
    return t_pLast;
}

} // namespace

CFastEnvelopeBuilder::CFastEnvelopeBuilder(std::shared_ptr<CBridge> pBridge, std::shared_ptr<CLoadModel> pLoadModel,
                                           int nPoints)
    : m_pBridge(std::move(pBridge)),
      m_pBeam(m_pBridge->GetBeam()),
      m_pLoadModel(std::move(pLoadModel)),
      m_nPoints(nPoints)
{
    m_nReactions = m_pBeam->m_nRestraints > 0 ? static_cast<size_t>(m_pBeam->m_nRestraints) : 0;
}

// At the first position, where the literal path builds its first solver, so that a beam
// it refuses fails at the same moment and with the same error.
void CFastEnvelopeBuilder::PrepareSolver()
{
    // A count out of bounds never matches: SolverFor bounds it and finds the solver.
    if (!m_pSolver || !Solves(*m_pSolver, *m_pBeam, m_nPoints))
        m_pSolver = SolverFor(*m_pBeam, m_nPoints);
    const size_t n = m_pSolver->GetX().size();
    for (Side* s : {&m_bmMax, &m_bmMin, &m_sfMax, &m_sfMin}) {
        s->val.resize(n);
        s->index.resize(n);
    }
    m_bSolverReady = true;
}

CFastEnvelopeBuilder::CFastEnvelopeBuilder() = default;

CFastEnvelopeBuilder::~CFastEnvelopeBuilder() = default;

void CFastEnvelopeBuilder::Restart(std::shared_ptr<CBridge> pBridge, std::shared_ptr<CLoadModel> pLoadModel,
                                   int nPoints)
{
    m_pBridge = std::move(pBridge);
    m_pBeam = m_pBridge->GetBeam();
    m_pLoadModel = std::move(pLoadModel);
    m_nPoints = nPoints;
    m_nReactions = m_pBeam->m_nRestraints > 0 ? static_cast<size_t>(m_pBeam->m_nRestraints) : 0;
    m_nPositions = 0;
    m_bNonFinite = false;
    m_bSolverReady = false;
    m_vPositions.clear();
    m_vReactionMax.clear();
    m_vReactionMin.clear();
}

void CFastEnvelopeBuilder::Release()
{
    m_pBridge.reset();
    m_pBeam.reset();
    m_pLoadModel.reset();
    constexpr size_t kKept = 1 << 20; // doubles: what thousands of ordinary runs need at most
    if (m_vReactionMax.capacity() > kKept || m_vPositions.capacity() > kKept) {
        m_nPositions = 0;
        m_vPositions = {};
        m_vReactionMax = {};
        m_vReactionMin = {};
    }
}

std::atomic<int> CFastEnvelopeBuilder::s_widestFold{2};

void CFastEnvelopeBuilder::LimitVectorWidth(int widest)
{
    s_widestFold = widest;
}

void CFastEnvelopeBuilder::Reserve(size_t nPositions)
{
    m_vPositions.reserve(nPositions);
    m_vReactionMax.reserve(nPositions * m_nReactions);
    m_vReactionMin.reserve(nPositions * m_nReactions);
}

void CFastEnvelopeBuilder::AnalyseAt(double p, const CAnalysisFeedback& feedback)
{
    CLoadModel& lm = *m_pLoadModel;
    const double F = PrepareModelAt(lm, m_pBridge, feedback);

    if (!m_bSolverReady)
        PrepareSolver();
    CFastBeamSolver& s = *m_pSolver;
    s.ClearLoads();
    BuildPositionLoads(lm, *m_pBeam, F, p, s);
    const bool bNone = IsOutsideModelLengths(lm, m_pBeam->m_Length);
    const bool bZeroM = bNone || !lm.m_bAppliesBM;
    const bool bZeroV = bNone || !lm.m_bAppliesSF;
    // A model that counts for neither moment nor shear needs only the reactions; the
    // effects along the spans are zeroed below.
    s.Solve(false, !(bZeroM && bZeroV));
    ZeroUnappliedEffects(lm, bNone, s);

    const std::vector<double>& r = s.GetReactions();
    if (r.size() < m_nReactions)
        ThrowInvalidSubscript();
    const double k = static_cast<double>(m_nPositions); // index of this position
    if (m_nPositions == 0) {
        m_vReactionX.resize(m_nReactions);
        for (size_t i = 0; i < m_nReactions; ++i)
            m_vReactionX[i] = m_pBeam->GetReactionPosition(static_cast<int>(i));
        Start(m_bmMax, m_bmMin, s.GetM());
        Start(m_sfMax, m_sfMin, s.GetV());
    } else {
        // Zeros change nothing once the first position is in: the maxima are not below
        // 0 and the minima not above.
        if (!bZeroM)
            Fold(m_bmMax, m_bmMin, s.GetM(), k);
        if (!bZeroV)
            Fold(m_sfMax, m_sfMin, s.GetV(), k);
    }
    ++m_nPositions;
    m_vPositions.push_back(p);
    // Stored floored at zero, where a not-a-number would read as 0: noted here instead.
    bool finite = true;
    for (size_t i = 0; i < m_nReactions; ++i) {
        const double ri = r[i];
        finite = finite && std::isfinite(ri);
        m_vReactionMax.push_back(ri > 0.0 ? ri : 0.0);
        m_vReactionMin.push_back(ri < 0.0 ? ri : 0.0);
    }
    m_bNonFinite = m_bNonFinite || !finite;
}

bool CFastEnvelopeBuilder::AllFinite() const
{
    if (m_bNonFinite)
        return false;
    const auto finite = [](const std::vector<double>& v) {
        return std::all_of(v.begin(), v.end(), [](double x) { return std::isfinite(x); });
    };
    return finite(m_bmMax.val) && finite(m_bmMin.val) && finite(m_sfMax.val) && finite(m_sfMin.val);
}

// The envelopes after the first position: its own effects (the literal path's first
// content) folded with themselves, which leaves on each side the effect where it reaches
// that side and a zero entry without load model where it does not. Not-a-number stays.
void CFastEnvelopeBuilder::Start(Side& mx, Side& mn, const std::vector<double>& v)
{
    for (size_t i = 0; i < v.size(); ++i) {
        const double val = v[i];
        const bool zeroMax = (val >= 0.0 ? val : 0.0) > val;
        mx.val[i] = zeroMax ? 0.0 : val;
        mx.index[i] = zeroMax ? kNoModel : 0.0;
        const bool zeroMin = (val <= 0.0 ? val : 0.0) < val;
        mn.val[i] = zeroMin ? 0.0 : val;
        mn.index[i] = zeroMin ? kNoModel : 0.0;
    }
}

// Position k folded in: a stored entry is replaced only by a strictly larger (smaller)
// value. After the first position a maximum is never below 0 (a minimum never above),
// so comparing the value itself is the same as comparing it floored at 0, and an entry
// that is replaced is always caused by the load model.
namespace {

struct FoldLanes {
    const double* in;
    double* maxVal;
    double* maxIdx;
    double* minVal;
    double* minIdx;
};

// Stations from i on, one at a time.
void FoldTail(const FoldLanes& f, size_t i, size_t n, double k)
{
    for (; i < n; ++i) {
        const double val = f.in[i];
        if (val > f.maxVal[i]) {
            f.maxVal[i] = val;
            f.maxIdx[i] = k;
        }
        if (val < f.minVal[i]) {
            f.minVal[i] = val;
            f.minIdx[i] = k;
        }
    }
}

// Which stations change is unpredictable, so the choice is made with masks, several
// stations at a time; the comparisons are ordered (false for not-a-number) as above.
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx512f"))) size_t FoldAvx512(const FoldLanes& f, size_t n, double k)
{
    // Masked stores: an entry's value and position are written only where it changes.
    const double* __restrict in = f.in;
    double* __restrict maxVal = f.maxVal;
    double* __restrict maxIdx = f.maxIdx;
    double* __restrict minVal = f.minVal;
    double* __restrict minIdx = f.minIdx;
    const __m512d idx = _mm512_set1_pd(k);
    for (size_t i = 0; i < n; i += 8) {
        // The last stations through a partial mask rather than one by one.
        const __mmask8 lanes = n - i >= 8 ? __mmask8(0xFF) : __mmask8((1u << (n - i)) - 1u);
        const __m512d val = _mm512_maskz_loadu_pd(lanes, in + i);
        const __mmask8 takeMax =
            _mm512_mask_cmp_pd_mask(lanes, val, _mm512_maskz_loadu_pd(lanes, maxVal + i), _CMP_GT_OQ);
        const __mmask8 takeMin =
            _mm512_mask_cmp_pd_mask(lanes, val, _mm512_maskz_loadu_pd(lanes, minVal + i), _CMP_LT_OQ);
        _mm512_mask_storeu_pd(maxVal + i, takeMax, val);
        _mm512_mask_storeu_pd(maxIdx + i, takeMax, idx);
        _mm512_mask_storeu_pd(minVal + i, takeMin, val);
        _mm512_mask_storeu_pd(minIdx + i, takeMin, idx);
    }
    return n;
}

bool HasAvx512()
{
    static const bool has = __builtin_cpu_supports("avx512f");
    return has;
}
#endif

#if defined(__SSE2__)
size_t FoldSse2(const FoldLanes& f, size_t n, double k)
{
    const __m128d idx = _mm_set1_pd(k);
    const auto pick = [](__m128d mask, __m128d a, __m128d b) {
        return _mm_or_pd(_mm_and_pd(mask, a), _mm_andnot_pd(mask, b));
    };
    size_t i = 0;
    for (; i + 2 <= n; i += 2) {
        const __m128d val = _mm_loadu_pd(f.in + i);
        const __m128d mxv = _mm_loadu_pd(f.maxVal + i);
        const __m128d takeMax = _mm_cmpgt_pd(val, mxv);
        _mm_storeu_pd(f.maxVal + i, pick(takeMax, val, mxv));
        _mm_storeu_pd(f.maxIdx + i, pick(takeMax, idx, _mm_loadu_pd(f.maxIdx + i)));
        const __m128d mnv = _mm_loadu_pd(f.minVal + i);
        const __m128d takeMin = _mm_cmplt_pd(val, mnv);
        _mm_storeu_pd(f.minVal + i, pick(takeMin, val, mnv));
        _mm_storeu_pd(f.minIdx + i, pick(takeMin, idx, _mm_loadu_pd(f.minIdx + i)));
    }
    return i;
}
#endif

} // namespace

// Position k folded in: a stored entry is replaced only by a strictly larger (smaller)
// value. After the first position a maximum is never below 0 (a minimum never above),
// so comparing the value itself is the same as comparing it floored at 0, and an entry
// that is replaced is always caused by the load model.
void CFastEnvelopeBuilder::Fold(Side& mx, Side& mn, const std::vector<double>& v, double k)
{
    const FoldLanes f{v.data(), mx.val.data(), mx.index.data(), mn.val.data(), mn.index.data()};
    const size_t n = v.size();
    const int widest = s_widestFold.load(std::memory_order_relaxed);
    size_t i = 0;
#if defined(__x86_64__) && defined(__GNUC__)
    if (widest >= 2 && HasAvx512())
        i = FoldAvx512(f, n, k);
#endif
#if defined(__SSE2__)
    if (i == 0 && widest >= 1)
        i = FoldSse2(f, n, k);
#endif
    FoldTail(f, i, n, k);
}

std::shared_ptr<CEnvelopeResults> CFastEnvelopeBuilder::TakeResults()
{
    auto res = std::make_shared<CEnvelopeResults>(m_pBridge);
    if (m_nPositions == 0)
        return res;

    const std::vector<double>& X = m_pSolver->GetX(); // the stations of CBeamResults::GetResults
    const auto makeStations = [&](CEnvelope& env, const Side& mx, const Side& mn, LoadEffectType type) {
        const auto entry = [&](const Side& side, size_t i) {
            const double k = side.index[i];
            const bool hasModel = k != kNoModel;
            const double x = m_vPositions[hasModel ? static_cast<size_t>(k) : 0];
            return PointLoadEffect(side.val[i], X[i], x, type, hasModel ? m_pLoadModel : nullptr);
        };
        env.m_vMax.reserve(X.size());
        env.m_vMin.reserve(X.size());
        for (size_t i = 0; i < X.size(); ++i) {
            env.m_vMax.push_back(entry(mx, i));
            env.m_vMin.push_back(entry(mn, i));
        }
    };

    res->m_pBeam = m_pBridge->GetBeam();
    res->m_nReactions = static_cast<int>(m_nReactions);
    res->m_nBeamResults = static_cast<int>(m_nPositions);
    res->m_nAnalyses = static_cast<int>(m_nPositions);
    res->m_pEnvBMD = std::make_shared<CEnvelope>(m_pBridge, LET_MOMENT);
    res->m_pEnvSFD = std::make_shared<CEnvelope>(m_pBridge, LET_SHEAR);
    makeStations(*res->m_pEnvBMD, m_bmMax, m_bmMin, LET_MOMENT);
    makeStations(*res->m_pEnvSFD, m_sfMax, m_sfMin, LET_SHEAR);
    res->m_vEnvReaction.clear();
    for (size_t i = 0; i < m_nReactions; ++i) {
        auto env = std::make_shared<CEnvelope>(m_pBridge, LET_REACTION);
        env->m_vMax.reserve(m_nPositions);
        env->m_vMin.reserve(m_nPositions);
        for (size_t k = 0; k < m_nPositions; ++k) {
            const double x = m_vPositions[k];
            env->m_vMax.emplace_back(m_vReactionMax[k * m_nReactions + i], m_vReactionX[i], x, LET_REACTION,
                                     m_pLoadModel);
            env->m_vMin.emplace_back(m_vReactionMin[k * m_nReactions + i], m_vReactionX[i], x, LET_REACTION,
                                     m_pLoadModel);
        }
        res->m_vEnvReaction.push_back(std::move(env));
    }
    res->UpdateCritical();

    // Spent: the buffers are released now rather than with the builder.
    m_nPositions = 0;
    m_vPositions = {};
    m_vReactionMax = {};
    m_vReactionMin = {};
    return res;
}
