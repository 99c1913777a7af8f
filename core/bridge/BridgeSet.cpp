#include "core/bridge/BridgeSet.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/bounds/Subscript.h"
#include "core/bridge/Linspace.h"
#include "platform/base/CLocale.h"

CBridgeSet::CBridgeSet() : CElement(0, L"Bridge Set", ET_BRIDGESET) {}

CBridgeSet::CBridgeSet(int number, std::wstring description, int nBridge, BridgeConfig config, double startL,
                       double endL)
    : CElement(number, std::move(description), ET_BRIDGESET),
      m_Config(config),
      m_bByStep(false),
      m_nBridge(nBridge),
      m_StartL(startL),
      m_EndL(endL)
{
    GenerateBridges();
}

CBridgeSet::CBridgeSet(int number, std::wstring description, BridgeConfig config, double start, double end, double step)
    : CElement(number, std::move(description), ET_BRIDGESET), m_Config(config), m_bByStep(true), m_StartL(start)
{
    if (!std::isfinite(step) || !(step > 0.0) || !std::isfinite(start) || !std::isfinite(end) || !(end >= start))
        throw std::runtime_error("Error in bridge config");
    // The allowance keeps a range that is a whole number of steps, such as 10 to 10.7
    // by 0.1, from losing its last bridge to rounding.
    const double k = std::floor((end - start) / step + 1e-9);
    if (!(k < MaxBridges))
        throw std::runtime_error("Error in bridge config");
    m_nBridge = static_cast<int>(k) + 1;
    // A last step that lands on the end only to rounding ends there: 0.1 to 1000 by 0.1
    // ends at 1000, not at 1000.0000000000001, which no file or dialog accepts.
    m_EndL = std::min(start + k * step, end);
    GenerateBridges();
}

void CBridgeSet::GenerateBridges()
{
    m_vBridges.clear();
    m_vBridgeLengths.clear();
    if (m_nBridge < 1 || m_nBridge > MaxBridges)
        throw std::runtime_error("Error in bridge config");
    // A custom set would give every bridge an empty span list: nothing to analyse.
    if (m_Config == BC_CUSTOM)
        throw std::runtime_error("Error in bridge config");
    if (m_nBridge == 1) {
        m_vSpanLengths = {m_StartL};
        m_Step = 0.0;
    } else {
        m_vSpanLengths = Linspace(m_nBridge, m_StartL, m_EndL);
        m_Step = (m_EndL - m_StartL) / (m_nBridge - 1);
    }
    m_vBridges.reserve(m_vSpanLengths.size());
    m_vBridgeLengths.reserve(m_vSpanLengths.size());
    for (size_t i = 0; i < m_vSpanLengths.size(); ++i) {
        const std::wstring description = GetConfigName() + L" - " + FormatDoubleCW("%.3f m span", m_vSpanLengths[i]);
        auto bridge = CBridge::Create(static_cast<int>(i), description, m_Config, m_vSpanLengths[i]);
        m_vBridgeLengths.push_back(bridge->GetBeam()->m_Length);
        m_vBridges.push_back(std::move(bridge));
    }
}

std::shared_ptr<CBridge> CBridgeSet::GetBridge(int i) const
{
    if (i < 0 || static_cast<size_t>(i) >= m_vBridges.size())
        ThrowInvalidSubscript();
    return m_vBridges[static_cast<size_t>(i)];
}

std::shared_ptr<CBeam> CBridgeSet::GetFirstBeam() const
{
    return GetBridge(0)->GetBeam();
}

std::wstring CBridgeSet::GetConfigName() const
{
    switch (m_Config) {
    case BC_ONESPAN: return L"1-span";
    case BC_TWOSPAN: return L"2-span";
    case BC_THREESPAN: return L"3-span";
    default: return L"X-span";
    }
}
