// Bridge rules of a load model: what re-shapes the model for the bridge it runs on.
#include "core/loads/LoadModel.h"

#include <algorithm>
#include <cmath>

#include "core/analysis/AnalysisFeedback.h"
#include "core/bounds/Subscript.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "platform/base/CLocale.h"

namespace {

// The design-code numbers of the rules. L is the bridge's span length in metres,
// whatever its arrangement of spans.

// A36 lane load (rule 0), in t/m: w = 1.49 up to L = 30.48 m (100 ft), then
// w = 1.49 - (L - 30.48)/102.28, not below 1.043.
constexpr double kA36FullLoadSpan = 30.48;  // m (100 ft)
constexpr double kA36LaneLoadFall = 102.28; // m of span per t/m the lane load falls
constexpr double kA36MinLaneLoad = 1.043;   // t/m, long spans

// NAASRA additional point load (rule 2): a copy of the first axle one span behind
// it on two spans, 0.875 L behind it on three spans; none on other arrangements.
constexpr double kNAASRATwoSpanOffset = 1.0;     // x L
constexpr double kNAASRAThreeSpanOffset = 0.875; // x L

// A36/NAASRA dynamic load allowance (rule 3): a = 16/(L + 40), L in m, kept within
// [0.1, 0.3], for a model that counts for moment or shear but not for reactions;
// a flat factor of 1.1 otherwise. The factor is 1 + a.
constexpr double kA36ImpactNumerator = 16.0; // m
constexpr double kA36ImpactSpanAdd = 40.0;   // m
constexpr double kA36MinImpact = 0.1;
constexpr double kA36MaxImpact = 0.3;
constexpr double kA36ReactionDLA = 1.1; // factor (1 + 0.1)

// ABDC dynamic load allowance (rule 5), of f = 100/L with L in m: a = 0.2 up to
// f = 1, rising linearly to 0.4 at f = 2.5, 0.4 up to f = 4.5, falling linearly to
// 0.25 at f = 6, then 0.25 (so also for L = 0, where f is infinite). Factor 1 + a.
constexpr double kABDCSpanScale = 100.0; // m: f = kABDCSpanScale / L
constexpr double kABDCRiseStart = 1.0;   // f
constexpr double kABDCRiseEnd = 2.5;     // f
constexpr double kABDCFallStart = 4.5;   // f
constexpr double kABDCFallEnd = 6.0;     // f
constexpr double kABDCLongSpan = 0.2;    // a for f <= kABDCRiseStart
constexpr double kABDCPeak = 0.4;        // a over [kABDCRiseEnd, kABDCFallStart]
constexpr double kABDCShortSpan = 0.25;  // a for f > kABDCFallEnd
constexpr double kABDCRise = 0.2;        // a gained over the rise
constexpr double kABDCFall = 0.15;       // a lost over the fall
constexpr double kABDCRampRun = 1.5;     // f covered by the rise, and by the fall
static_assert(kABDCRiseEnd - kABDCRiseStart == kABDCRampRun && kABDCFallEnd - kABDCFallStart == kABDCRampRun);

// BS5400 HA lane load (rule 7), in kN/m: w = 30 up to L = 30 m, then
// w = 151 (1/L)^0.475, not below 9.
constexpr double kHAFullLoadSpan = 30.0; // m
constexpr double kHACoefficient = 151.0; // kN/m
constexpr double kHAExponent = 0.475;
constexpr double kHAMinLaneLoad = 9.0; // kN/m, long spans

}

// Called on the thread running the analysis, which may be a worker: this writes the
// model, so nothing else may use it during the run (see the class comment).
void CLoadModel::AdjustToBridge(const std::shared_ptr<CBridge>& pBridge, const CAnalysisFeedback& feedback)
{
    switch (m_lmBridge) {
    case BR_A36_UDL: ApplyA36UDL(pBridge, feedback); break;
    case BR_A36_UDL_DLA:
        ApplyA36UDL(pBridge, feedback);
        ApplyA36DLA(pBridge, feedback);
        break;
    case BR_NAASRA_PL: ApplyNAASRAPointLoad(pBridge, feedback); break;
    case BR_A36_DLA: ApplyA36DLA(pBridge, feedback); break;
    case BR_NAASRA_PL_A36_DLA:
        ApplyNAASRAPointLoad(pBridge, feedback);
        ApplyA36DLA(pBridge, feedback);
        break;
    case BR_ABDC_DLA: ApplyABDCDLA(pBridge, feedback); break;
    case BR_NAASRA_PL_ABDC_DLA:
        ApplyNAASRAPointLoad(pBridge, feedback);
        ApplyABDCDLA(pBridge, feedback);
        break;
    case BR_BS5400_UDL: ApplyBS5400UDL(pBridge, feedback); break;
    default: break;
    }
}

void CLoadModel::ApplyA36UDL(const std::shared_ptr<CBridge>& pBridge, const CAnalysisFeedback& feedback)
{
    const double L = pBridge->m_SpanLength;
    double w = kA36LaneLoad;
    if (L > kA36FullLoadSpan) {
        w = kA36LaneLoad - (L - kA36FullLoadSpan) / kA36LaneLoadFall;
        if (w < kA36MinLaneLoad)
            w = kA36MinLaneLoad;
    }
    // One lane load over the whole beam, taken away again under the vehicle.
    if (m_vUDL.empty())
        ThrowInvalidSubscript();
    m_vUDL[0].magnitude = w;
    if (m_vPUDL.empty())
        ThrowInvalidSubscript();
    m_vPUDL[0].magnitude = -w;
    if (feedback.WantsStatus()) // a line per load position: built only when it is shown
        PostStatus(feedback, L"A36 UDL: " + FormatDoubleCW("%.3f", w * kKNPerTonne * m_GammaUDL));
}

void CLoadModel::ApplyNAASRAPointLoad(const std::shared_ptr<CBridge>& pBridge, const CAnalysisFeedback& feedback)
{
    // Drop the extra load of an earlier run.
    if (m_vPL.size() > 1)
        m_vPL.resize(1);
    SyncCounts();
    if (m_bAppliesR)
        return;
    if (m_vPL.empty())
        ThrowInvalidSubscript();
    PointLoad extra = m_vPL[0];
    const double L = pBridge->m_SpanLength;
    bool add = true;
    if (pBridge->m_Config == BC_TWOSPAN)
        extra.location += kNAASRATwoSpanOffset * L;
    else if (pBridge->m_Config == BC_THREESPAN)
        extra.location += kNAASRAThreeSpanOffset * L;
    else
        add = false;
    if (add) {
        m_vPL.push_back(extra);
        SyncCounts();
    }
    if (m_bIsUpdated)
        Update();
    PostStatus(feedback, L"NAASRA additional point load added");
}

void CLoadModel::ApplyA36DLA(const std::shared_ptr<CBridge>& pBridge, const CAnalysisFeedback& feedback)
{
    const double D = GetA36DLA(pBridge);
    m_gDLA.value = D;
    if (feedback.WantsStatus()) // a line per load position: built only when it is shown
        PostStatus(feedback, L"A36/NAASRA DLA: " + FormatDoubleCW("%.3f", D - 1.0));
}

void CLoadModel::ApplyABDCDLA(const std::shared_ptr<CBridge>& pBridge, const CAnalysisFeedback& feedback)
{
    const double D = GetABDCDLA(pBridge);
    m_gDLA.value = D;
    if (feedback.WantsStatus()) // a line per load position: built only when it is shown
        PostStatus(feedback, L"ABDC DLA: " + FormatDoubleCW("%.3f", D - 1.0));
}

void CLoadModel::ApplyBS5400UDL(const std::shared_ptr<CBridge>& pBridge, const CAnalysisFeedback& feedback)
{
    const double L = pBridge->m_SpanLength;
    double w = kHALaneLoad;
    if (L > kHAFullLoadSpan) {
        w = kHACoefficient * std::pow(1.0 / L, kHAExponent);
        if (w < kHAMinLaneLoad)
            w = kHAMinLaneLoad;
    }
    if (m_vUDL.empty())
        ThrowInvalidSubscript();
    // A partial load that takes this lane load away (the HB zone of an HA + HB
    // vehicle) follows it, so that the zone never carries a net uplift.
    const double old = m_vUDL[0].magnitude;
    if (!m_vPUDL.empty() && std::fabs(m_vPUDL[0].magnitude + old) <= 1e-9 * std::max(1.0, std::fabs(old)))
        m_vPUDL[0].magnitude = -w;
    m_vUDL[0].magnitude = w;
    if (feedback.WantsStatus()) // a line per load position: built only when it is shown
        PostStatus(feedback, L"BS5400 UDL: " + FormatDoubleCW("%.3f", w));
}

double CLoadModel::GetA36DLA(const std::shared_ptr<CBridge>& pBridge) const
{
    if ((m_bAppliesBM || m_bAppliesSF) && !m_bAppliesR) {
        double f = kA36ImpactNumerator / (pBridge->m_SpanLength + kA36ImpactSpanAdd);
        if (f < kA36MinImpact)
            f = kA36MinImpact;
        else if (f > kA36MaxImpact)
            f = kA36MaxImpact;
        return 1.0 + f;
    }
    return kA36ReactionDLA;
}

double CLoadModel::GetABDCDLA(const std::shared_ptr<CBridge>& pBridge) const
{
    const double f = kABDCSpanScale / pBridge->m_SpanLength; // +inf for L = 0: the last branch
    double a = kABDCShortSpan;
    if (f <= kABDCRiseStart)
        a = kABDCLongSpan;
    else if (f <= kABDCRiseEnd)
        a = kABDCLongSpan + (f - kABDCRiseStart) * (kABDCRise / kABDCRampRun);
    else if (f <= kABDCFallStart)
        a = kABDCPeak;
    else if (f <= kABDCFallEnd)
        a = kABDCPeak - (f - kABDCFallStart) * (kABDCFall / kABDCRampRun);
    return 1.0 + a;
}

std::vector<double> CLoadModel::GetDLAs(std::shared_ptr<CBridgeSet> pBridgeSet) const
{
    std::vector<double> v;
    const int n = pBridgeSet->m_nBridge;
    v.reserve(n > 0 ? static_cast<size_t>(n) : 0);
    for (int i = 0; i < n; ++i) {
        switch (m_lmBridge) {
        case BR_A36_UDL_DLA:
        case BR_A36_DLA:
        case BR_NAASRA_PL_A36_DLA: v.push_back(GetA36DLA(pBridgeSet->GetBridge(i))); break;
        case BR_ABDC_DLA:
        case BR_NAASRA_PL_ABDC_DLA: v.push_back(GetABDCDLA(pBridgeSet->GetBridge(i))); break;
        default: v.push_back(m_gDLA.value); break;
        }
    }
    return v;
}
