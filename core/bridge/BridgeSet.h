#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/archive/ArchiveFwd.h"
#include "core/bridge/Bridge.h"
#include "core/elements/Element.h"

// A family of bridges of one arrangement whose span lengths run evenly from m_StartL
// to m_EndL. The bridges are generated, never stored.
class CBridgeSet : public CElement {
public:
    // Largest family the program builds: each bridge is a beam in memory and a full
    // analysis run, and a crafted count must not exhaust either.
    static constexpr int MaxBridges = static_cast<int>(Bounds::BridgesPerSet.hi);

    CBridgeSet();
    // By count; a count below one or above MaxBridges raises "Error in bridge config".
    CBridgeSet(int number, std::wstring description, int nBridge, BridgeConfig config, double startL, double endL);
    // By step; the end is pulled back onto the last whole step. A step that is not a
    // finite positive length, an end below the start, or more than MaxBridges bridges
    // raises "Error in bridge config".
    CBridgeSet(int number, std::wstring description, BridgeConfig config, double start, double end, double step);
    CBridgeSet(const CBridgeSet&) = default; // the copy shares the generated bridges
    CBridgeSet& operator=(const CBridgeSet&) = default;

    void GenerateBridges();

    std::shared_ptr<CBridge> GetBridge(int i) const;
    std::shared_ptr<CBeam> GetFirstBeam() const;
    std::vector<double> GetSpanLengths() const { return m_vSpanLengths; }
    std::vector<double> GetBridgeLengths() const { return m_vBridgeLengths; }
    std::wstring GetConfigName() const;

    std::vector<std::shared_ptr<CBridge>> m_vBridges;
    BridgeConfig m_Config = static_cast<BridgeConfig>(0);
    bool m_bByStep = false;
    int m_nBridge = 0;
    double m_StartL = 0.0;
    double m_EndL = 0.0;
    double m_Step = 0.0;
    std::vector<double> m_vBridgeLengths;
    std::vector<double> m_vSpanLengths;

private:
    QEL_DECLARE_SERIALIZE;
};
