#pragma once
#include <cstddef>
#include <vector>

#include "core/archive/ArchiveFwd.h"

// A continuous beam: spans left to right on n+1 nodes, two degrees of freedom per
// node (2i translation, 2i+1 rotation). A restraint value below zero fixes its degree
// of freedom (-1.0 exactly also reports the reaction), above zero is a spring, 0 free.
class CBeam {
public:
    CBeam() = default;
    virtual ~CBeam() = default;
    CBeam(const CBeam&) = default;
    CBeam& operator=(const CBeam&) = default;

    void SetSpanLengths(const std::vector<double>& vL);

    std::vector<double> GetL() const { return m_vL; }
    std::vector<double> GetEI() const { return m_vEI; }
    std::vector<double> GetR() const { return m_vR; }

    // Span holding beam position x (x becomes the position within that span), or -1
    // within 1 mm of either end or off the beam. A point on an interior support
    // belongs to the span on its left.
    int GetSpanIndex(double& x) const;

    // Reaction index of the end support standing within 1 mm of beam position x, or -1
    // (no end there, or that end's translation is not a reported fixed restraint).
    int GetEndSupportReaction(double x) const;

    // Position along the beam of the support carrying reaction k (0-based).
    double GetReactionPosition(int k) const;

    // For each span: 1 m after its start and 1 m before its end, in beam coordinates.
    std::vector<double> GetNearSupportPoints() const;

    int m_nSpans = 0;
    int m_nRestraints = 0;
    double m_Length = 0.0;
    std::vector<double> m_vL;
    std::vector<double> m_vEI;
    std::vector<double> m_vR;

private:
    QEL_DECLARE_SERIALIZE;
};

// Point loads standing on an end support: they go straight into that support's reaction
// and have no effect along the spans. Summed in the order they come and added once after
// the solve, so that every solver gives the same reactions bit for bit.
struct EndSupportLoads {
    int index[2] = {-1, -1};
    double sum[2] = {0.0, 0.0};

    void Clear() { *this = EndSupportLoads{}; }
    void Add(int reaction, double P)
    {
        const int slot = (index[0] < 0 || index[0] == reaction) ? 0 : 1;
        index[slot] = reaction;
        sum[slot] += P;
    }
    void AddTo(std::vector<double>& reactions) const
    {
        for (int s = 0; s < 2; ++s)
            if (index[s] >= 0 && static_cast<std::size_t>(index[s]) < reactions.size())
                reactions[static_cast<std::size_t>(index[s])] += sum[s];
    }
};
