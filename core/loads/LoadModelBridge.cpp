// Bridge rules of a load model: what re-shapes the model for the bridge it runs on.
#include "core/loads/LoadModel.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "platform/base/CLocale.h"
#include "platform/base/Messages.h"

namespace {

[[noreturn]] void ThrowSubscript()
{
    throw std::out_of_range("invalid vector<T> subscript");
}

}

// Called on the thread running the analysis, which may be a worker: this writes the
// model, so nothing else may use it during the run (see the class comment).
void CLoadModel::AdjustToBridge(const std::shared_ptr<CBridge>& pBridge)
{
    switch (m_lmBridge) {
    case BR_A36_UDL:
        ApplyA36UDL(pBridge);
        break;
    case BR_A36_UDL_DLA:
        ApplyA36UDL(pBridge);
        ApplyA36DLA(pBridge);
        break;
    case BR_NAASRA_PL:
        ApplyNAASRAPointLoad(pBridge);
        break;
    case BR_A36_DLA:
        ApplyA36DLA(pBridge);
        break;
    case BR_NAASRA_PL_A36_DLA:
        ApplyNAASRAPointLoad(pBridge);
        ApplyA36DLA(pBridge);
        break;
    case BR_ABDC_DLA:
        ApplyABDCDLA(pBridge);
        break;
    case BR_NAASRA_PL_ABDC_DLA:
        ApplyNAASRAPointLoad(pBridge);
        ApplyABDCDLA(pBridge);
        break;
    case BR_BS5400_UDL:
        ApplyBS5400UDL(pBridge);
        break;
    default:
        break;
    }
}

void CLoadModel::ApplyA36UDL(const std::shared_ptr<CBridge>& pBridge)
{
    const double L = pBridge->m_SpanLength;
    double w = 1.49;
    if (L > 30.48) {
        w = 1.49 - (L - 30.48) / 102.28;
        if (w < 1.043)
            w = 1.043;
    }
    // One lane load over the whole beam, taken away again under the vehicle.
    if (m_vUDL.empty())
        ThrowSubscript();
    m_vUDL[0].magnitude = w;
    if (m_vPUDL.empty())
        ThrowSubscript();
    m_vPUDL[0].magnitude = -w;
    if (HasMainWindowMessageSink()) // a line per load position: built only when it is shown
        PostStatus(L"A36 UDL: " + FormatDoubleCW("%.3f", w * 9.81 * m_GammaUDL));
}

void CLoadModel::ApplyNAASRAPointLoad(const std::shared_ptr<CBridge>& pBridge)
{
    // Drop the extra load of an earlier run.
    if (m_vPL.size() > 1)
        m_vPL.resize(1);
    SyncCounts();
    if (m_bAppliesR)
        return;
    if (m_vPL.empty())
        ThrowSubscript();
    PointLoad extra = m_vPL[0];
    const double L = pBridge->m_SpanLength;
    bool add = true;
    if (pBridge->m_Config == BC_TWOSPAN)
        extra.location += L;
    else if (pBridge->m_Config == BC_THREESPAN)
        extra.location += 0.875 * L;
    else
        add = false;
    if (add) {
        m_vPL.push_back(extra);
        SyncCounts();
    }
    if (m_bIsUpdated)
        Update();
    PostStatus(L"NAASRA additional point load added");
}

void CLoadModel::ApplyA36DLA(const std::shared_ptr<CBridge>& pBridge)
{
    const double D = GetA36DLA(pBridge);
    m_gDLA.value = D;
    if (HasMainWindowMessageSink()) // a line per load position: built only when it is shown
        PostStatus(L"A36/NAASRA DLA: " + FormatDoubleCW("%.3f", D - 1.0));
}

void CLoadModel::ApplyABDCDLA(const std::shared_ptr<CBridge>& pBridge)
{
    const double D = GetABDCDLA(pBridge);
    m_gDLA.value = D;
    if (HasMainWindowMessageSink()) // a line per load position: built only when it is shown
        PostStatus(L"ABDC DLA: " + FormatDoubleCW("%.3f", D - 1.0));
}

void CLoadModel::ApplyBS5400UDL(const std::shared_ptr<CBridge>& pBridge)
{
    const double L = pBridge->m_SpanLength;
    double w = 30.0;
    if (L > 30.0) {
        w = 151.0 * std::pow(1.0 / L, 0.475);
        if (w < 9.0)
            w = 9.0;
    }
    if (m_vUDL.empty())
        ThrowSubscript();
    // A partial load that takes this lane load away (the HB zone of an HA + HB
    // vehicle) follows it, so that the zone never carries a net uplift.
    const double old = m_vUDL[0].magnitude;
    if (!m_vPUDL.empty() && std::fabs(m_vPUDL[0].magnitude + old) <= 1e-9 * std::max(1.0, std::fabs(old)))
        m_vPUDL[0].magnitude = -w;
    m_vUDL[0].magnitude = w;
    if (HasMainWindowMessageSink()) // a line per load position: built only when it is shown
        PostStatus(L"BS5400 UDL: " + FormatDoubleCW("%.3f", w));
}

double CLoadModel::GetA36DLA(const std::shared_ptr<CBridge>& pBridge) const
{
    if ((m_bAppliesBM || m_bAppliesSF) && !m_bAppliesR) {
        double f = 16.0 / (pBridge->m_SpanLength + 40.0);
        if (f < 0.1)
            f = 0.1;
        else if (f > 0.3)
            f = 0.3;
        return 1.0 + f;
    }
    return 1.1;
}

double CLoadModel::GetABDCDLA(const std::shared_ptr<CBridge>& pBridge) const
{
    const double f = 100.0 / pBridge->m_SpanLength; // +inf for L = 0: the last branch
    double a = 0.25;
    if (f <= 1.0)
        a = 0.2;
    else if (f <= 2.5)
        a = 0.2 + (f - 1.0) * (0.2 / 1.5);
    else if (f <= 4.5)
        a = 0.4;
    else if (f <= 6.0)
        a = 0.4 - (f - 4.5) * (0.15 / 1.5);
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
        case BR_NAASRA_PL_A36_DLA:
            v.push_back(GetA36DLA(pBridgeSet->GetBridge(i)));
            break;
        case BR_ABDC_DLA:
        case BR_NAASRA_PL_ABDC_DLA:
            v.push_back(GetABDCDLA(pBridgeSet->GetBridge(i)));
            break;
        default:
            v.push_back(m_gDLA.value);
            break;
        }
    }
    return v;
}
