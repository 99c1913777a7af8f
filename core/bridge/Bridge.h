#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/archive/ArchiveFwd.h"
#include "core/beam/Beam.h"
#include "core/bounds/Bounds.h"
#include "core/elements/Element.h"

enum BridgeConfig : int {
    BC_ONESPAN = 1,   // S
    BC_TWOSPAN = 2,   // S, S
    BC_THREESPAN = 3, // 0.75 S, S, 0.75 S
    BC_CUSTOM = 4,    // the stored span list
};

// A continuous-beam bridge: its span arrangement and main span length S, from which
// it builds its beam.
class CBridge : public CElement {
public:
    // Most spans a bridge may have: the solver's stiffness matrix is dense, so a list
    // far longer (only a damaged file has one) would exhaust memory at the first analysis.
    static constexpr int MaxSpans = static_cast<int>(Bounds::SpansPerBridge.hi);

    CBridge();
    CBridge(int number, std::wstring description, BridgeConfig config, double spanLength);
    CBridge(const CBridge&) = default; // the copy shares the beam
    CBridge& operator=(const CBridge&) = default;

    static std::shared_ptr<CBridge> Create(int number, std::wstring description, BridgeConfig config,
                                           double spanLength);

    // Rebuilds the spans and the beam from the configuration; an unknown configuration
    // or more than MaxSpans spans raises "Error in bridge config".
    void SetupBeam();
    void SetSpans(const std::vector<double>& ratios, double spanLength);
    void MakeBeam();

    std::shared_ptr<CBeam> GetBeam() const { return m_pBeam; }

    BridgeConfig m_Config = BC_ONESPAN;
    double m_SpanLength = 0.0;
    std::vector<double> m_vSpans;
    std::shared_ptr<CBeam> m_pBeam;

private:
    QEL_DECLARE_SERIALIZE;
};
