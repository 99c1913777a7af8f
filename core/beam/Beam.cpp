#include "core/beam/Beam.h"

#include <algorithm>

#include "core/bounds/Subscript.h"

void CBeam::SetSpanLengths(const std::vector<double>& vL)
{
    m_vL = vL;
    m_nSpans = static_cast<int>(m_vL.size());
    m_Length = 0.0;
    for (double L : m_vL)
        m_Length += L;
}

int CBeam::GetSpanIndex(double& x) const
{
    // Written so that a position that is not a number is off the beam too.
    if (!(x >= 0.001 && x <= m_Length - 0.001) || m_vL.empty())
        return -1;
    size_t i = 0;
    double s = 0.0;
    // The bound only matters for a beam whose stored length disagrees with its spans.
    while (i + 1 < m_vL.size() && x > s + m_vL[i]) {
        s += m_vL[i];
        ++i;
    }
    // The running sum rounds: a point on the support at the span's right end can come out
    // one step past the span, where a load bears on nothing and never reaches a support.
    x = std::clamp(x - s, 0.0, m_vL[i]);
    return static_cast<int>(i);
}

int CBeam::GetEndSupportReaction(double x) const
{
    constexpr double kOnEnd = 0.001; // the tolerance GetSpanIndex leaves off the beam
    if (m_vL.empty())
        return -1;
    size_t dof = 0;
    if (x > -kOnEnd && x < kOnEnd)
        dof = 0;
    else if (x > m_Length - kOnEnd && x < m_Length + kOnEnd)
        dof = 2 * m_vL.size();
    else
        return -1;
    if (dof >= m_vR.size() || m_vR[dof] != -1.0)
        return -1;
    int k = 0;
    for (size_t j = 0; j < dof; ++j)
        k += m_vR[j] == -1.0 ? 1 : 0;
    return k;
}

double CBeam::GetReactionPosition(int k) const
{
    if (m_vR.empty())
        return 0.0;
    int found = -1;
    size_t j = 0;
    for (; j < m_vR.size(); ++j) {
        if (m_vR[j] == -1.0 && ++found == k)
            break;
    }
    if (k < 0 || j == m_vR.size())
        ThrowInvalidSubscript();
    if (j < 2)
        return 0.0;
    const size_t node = j / 2;
    double pos = 0.0;
    for (size_t i = 0; i < node && i < m_vL.size(); ++i)
        pos += m_vL[i];
    return pos;
}

std::vector<double> CBeam::GetNearSupportPoints() const
{
    std::vector<double> points;
    points.reserve(2 * m_vL.size());
    double s = 0.0;
    for (double L : m_vL) {
        points.push_back(s + 1.0);
        points.push_back(s + L - 1.0);
        s += L;
    }
    return points;
}
