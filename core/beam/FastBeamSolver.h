#pragma once
#include <cstddef>
#include <vector>

#include "core/beam/Beam.h"
#include "core/beam/BeamResults.h"

// Solves one beam for many load arrangements. The stiffness matrix, its elimination,
// the stations and the member matrices depend only on the beam, so they are built once;
// each solve then works in buffers sized at construction and allocates nothing.
//
// Both solvers call the same formulas (BeamFormulas.h) in the same order, so a solve
// gives the very same numbers, bit for bit, as CBeamAnalysis::Analyse with the same loads
// added in the same order.

class CFastBeamSolver {
public:
    // Same checks, errors and bound of nPoints as the CBeamAnalysis constructor.
    CFastBeamSolver(const CBeam& beam, int nPoints);

    // Loads of the next solve, in the order CBeamAnalysis would be given them. Positions
    // are from the span's start; the magnitudes are the final, factored ones.
    void ClearLoads()
    {
        m_nLoads = 0;
        m_EndLoads.Clear();
    }
    void AddUDL(int nSpan, double w) { Push({nSpan, kUDL, w, 0.0, 0.0}); }
    void AddPointLoad(int nSpan, double P, double a) { Push({nSpan, kPL, P, a, 0.0}); }
    void AddPartialUDL(int nSpan, double w, double a, double c) { Push({nSpan, kPUDL, w, a, c}); }
    void AddEndSupportLoad(int nReaction, double P) { m_EndLoads.Add(nReaction, P); }
    size_t GetLoadCount() const { return m_nLoads; }

    // Reactions always; moments and shears unless bMembers is false (the effects along
    // the spans then keep what the previous solve left); rotations and deflections only
    // when asked (the envelopes never read them).
    void Solve(bool bRotationDeflection = true, bool bMembers = true);

    // As CBeamResults::ZeroResults on the last solve: 0 moments, 1 shears, 2 rotations,
    // 3 deflections, 4 rotations and reactions, anything else every effect and reaction.
    void ZeroResults(int type);

    const CBeam& GetBeam() const { return m_Beam; }
    size_t GetSpanCount() const { return m_nSpans; }
    size_t GetStationsPerSpan() const { return m_nStations; }
    // Every station of the beam, span after span, with the repeated span ends kept: the
    // order of CBeamResults::GetResults.
    const std::vector<double>& GetX() const { return m_vX; }
    const std::vector<double>& GetM() const { return m_vM; }
    const std::vector<double>& GetV() const { return m_vV; }
    const std::vector<double>& GetR() const { return m_vRot; }
    const std::vector<double>& GetD() const { return m_vDef; }
    const std::vector<double>& GetReactions() const { return m_vReactions; }

    // The last solve as CBeamAnalysis::Analyse returns it (allocates; for callers that
    // need the full result object).
    CBeamResults MakeBeamResults() const;

private:
    enum Kind : int { kUDL, kPL, kPUDL };
    struct Piece {
        int nSpan;
        int kind;
        double v; // w or P
        double a;
        double c;
    };

    void Push(const Piece& p)
    {
        if (m_nLoads == m_vLoads.size())
            m_vLoads.resize(m_vLoads.empty() ? 16 : 2 * m_vLoads.size());
        m_vLoads[m_nLoads++] = p;
    }
    void SpanResults(size_t i, const double f[4], const double d[4], bool bRotationDeflection);

    CBeam m_Beam;
    EndSupportLoads m_EndLoads;
    size_t m_nSpans = 0;
    size_t m_N = 0;         // degrees of freedom
    unsigned m_nPoints = 0; // segments per span
    size_t m_nStations = 0; // m_nPoints + 3
    std::vector<double> m_vL;
    std::vector<double> m_vEI; // divided by 1e6
    std::vector<double> m_vR;
    std::vector<double> m_K;       // unrestrained stiffness, row-major
    std::vector<double> m_LU;      // restrained stiffness after elimination
    std::vector<double> m_km;      // member matrices, 16 per span
    std::vector<double> m_vXLocal; // stations of each span from its start
    std::vector<double> m_vX2;     // their squares
    std::vector<double> m_vX;      // stations along the beam

    struct Term {
        unsigned row, col;
    };
    struct Row {
        unsigned row, first, last; // its columns are m_vBackCols[first, last)
    };
    bool m_bReduced = true;
    std::vector<Term> m_vForward;
    std::vector<Row> m_vBackward;
    std::vector<unsigned> m_vBackCols;

    std::vector<Piece> m_vLoads;
    size_t m_nLoads = 0;

    std::vector<double> m_fea; // per span, in degree-of-freedom order
    std::vector<double> m_F;
    std::vector<double> m_D;
    std::vector<double> m_vReactions;
    std::vector<double> m_vM;
    std::vector<double> m_vV;
    std::vector<double> m_vRot;
    std::vector<double> m_vDef;
};
