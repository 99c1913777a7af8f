#include "core/bridge/Bridge.h"

#include <stdexcept>

CBridge::CBridge() : CElement(0, L"Bridge", ET_BRIDGE) {}

CBridge::CBridge(int number, std::wstring description, BridgeConfig config, double spanLength)
    : CElement(number, std::move(description), ET_BRIDGE), m_Config(config), m_SpanLength(spanLength)
{
    SetupBeam();
}

std::shared_ptr<CBridge> CBridge::Create(int number, std::wstring description, BridgeConfig config, double spanLength)
{
    return std::make_shared<CBridge>(number, std::move(description), config, spanLength);
}

void CBridge::SetupBeam()
{
    switch (m_Config) {
    case BC_ONESPAN: SetSpans({1.0}, m_SpanLength); break;
    case BC_TWOSPAN: SetSpans({1.0, 1.0}, m_SpanLength); break;
    case BC_THREESPAN: SetSpans({0.75, 1.0, 0.75}, m_SpanLength); break;
    case BC_CUSTOM: MakeBeam(); break;
    default: throw std::runtime_error("Error in bridge config");
    }
}

void CBridge::SetSpans(const std::vector<double>& ratios, double spanLength)
{
    m_vSpans.clear();
    for (double r : ratios)
        m_vSpans.push_back(r * spanLength);
    MakeBeam();
}

void CBridge::MakeBeam()
{
    if (m_vSpans.size() > static_cast<size_t>(MaxSpans))
        throw std::runtime_error("Error in bridge config");
    auto beam = std::make_shared<CBeam>();
    beam->SetSpanLengths(m_vSpans);
    beam->m_vEI.assign(m_vSpans.size(), 1e11);
    // Every support fixes the translation and reports its reaction; rotations are free.
    for (size_t node = 0; node <= m_vSpans.size(); ++node) {
        beam->m_vR.push_back(-1.0);
        beam->m_vR.push_back(0.0);
    }
    beam->m_nRestraints = static_cast<int>(m_vSpans.size()) + 1;
    m_pBeam = std::move(beam);
}
