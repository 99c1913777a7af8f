#pragma once
#include <vector>

#include "core/beam/MbrResults.h"

// End actions of a fully fixed span: moments anticlockwise positive, shears upward.
// A downward load gives positive Ma, Va, Vb and negative Mb.
struct FixedEndActions {
    double Ma = 0.0;
    double Mb = 0.0;
    double Va = 0.0;
    double Vb = 0.0;
};

struct SpanStations;
struct SpanEffects;

enum LoadType : int {
    LT_UDL = 0,
    LT_PL = 1,
    LT_PUDL = 2,
    LT_MAMB = 3,
};

// One load piece on one span. Positions are measured from the span's left end and a
// downward load has a positive magnitude.
class CLoad {
public:
    virtual ~CLoad() = default;

    virtual FixedEndActions GetFixedEndActions(double L) = 0;
    // Adds the load's simple-span effects at the stations of its span.
    virtual void AddMemberEffects(const SpanStations& s, const SpanEffects& e) = 0;
    // The load's simple-span effects alone at stations x of a span of length L; rotation
    // and deflection are still multiplied by EI. Moment and shear are 0 at the first and
    // last station, which repeat the span's ends.
    CMbrResults GetMemberResults(const std::vector<double>& x, double L);

    int m_nSpan = 0;
    int m_nLoadType = 0;
    double m_Factor = 1.0;
    FixedEndActions m_DefaultFEA;

protected:
    CLoad(int nSpan, int nLoadType) : m_nSpan(nSpan), m_nLoadType(nLoadType) {}

    CLoad(const CLoad&) = default;
    CLoad& operator=(const CLoad&) = default;
};
