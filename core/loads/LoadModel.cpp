#include "core/loads/LoadModel.h"

#include <algorithm>
#include <cmath>

#include "core/analysis/AnalysisFeedback.h"
#include "core/bounds/Subscript.h"

namespace {

bool IsZero(double v)
{
    return v > -1e-6 && v < 1e-6;
}

// Smallest and largest location over a list; on ties the first such load counts.
template <class Load>
void GetExtents(const std::vector<Load>& v, double& minLoc, double& maxLoc)
{
    auto [lo, hi] =
        std::minmax_element(v.begin(), v.end(), [](const Load& a, const Load& b) { return a.location < b.location; });
    minLoc = lo->location;
    maxLoc = hi->location;
}

template <class Load>
void EraseZero(std::vector<Load>& v)
{
    std::erase_if(v, [](const Load& l) { return IsZero(l.magnitude); });
}

// Width factor of an axle load by its width b in metres (m_WidthFactor 1 low, 2 high
// distribution): 1.224 up to b = 2.0; 2.6382 b^-1.108 up to 2.4; then up to 8.0
// 2.1618 b^-0.868 (low) or 2.3627 b^-0.992 (high); wider axles, and a width of 0,
// stay as they are.
constexpr double kNarrowAxleWidth = 2.0;    // m
constexpr double kNarrowAxleFactor = 1.224; // up to kNarrowAxleWidth
constexpr double kMidAxleWidth = 2.4;       // m
constexpr double kMidAxleCoefficient = 2.6382;
constexpr double kMidAxleExponent = -1.108;
constexpr double kWideAxleWidth = 8.0; // m, widest axle that is factored
constexpr double kLowDistCoefficient = 2.1618;
constexpr double kLowDistExponent = -0.868;
constexpr double kHighDistCoefficient = 2.3627;
constexpr double kHighDistExponent = -0.992;

}

CLoadModel::CLoadModel() : CLoadModel(0, L"Loadmodel") {}

CLoadModel::CLoadModel(int id, std::wstring description) : CElement(id, std::move(description), ET_LOADMODEL)
{
    m_bIsEditable = true;
    InitFactors();
}

void CLoadModel::InitFactors()
{
    m_gDLA = {L"Dynamic Load Allowance", 1.0, 0};
    m_gLiveLoad = {L"Live load factor", 1.0, 1};
    m_gUnits = {L"Unit conversion", 1.0, 2};
    m_gArbitrary = {L"Arbitrary", 1.0, 3};
}

Factor CLoadModel::GetFactor(int i) const
{
    switch (i) {
    case 0: return m_gDLA;
    case 1: return m_gLiveLoad;
    case 2: return m_gUnits;
    default: return m_gArbitrary;
    }
}

void CLoadModel::SetGammaUDL(double g)
{
    m_GammaUDL = g;
    for (auto& l : m_vUDL)
        l.gamma = g;
}

void CLoadModel::SetGammaPUDL(double g)
{
    m_GammaPUDL = g;
    for (auto& l : m_vPUDL)
        l.gamma = g;
}

void CLoadModel::SyncCounts()
{
    m_nUDL = static_cast<std::uint32_t>(m_vUDL.size());
    m_nPL = static_cast<std::uint32_t>(m_vPL.size());
    m_nPUDL = static_cast<std::uint32_t>(m_vPUDL.size());
    m_nLoads = m_nUDL + m_nPL + m_nPUDL;
}

void CLoadModel::AddUDL(double magnitude)
{
    m_vUDL.push_back({1.0, magnitude});
    SyncCounts();
    m_bIsUpdated = false;
}

void CLoadModel::AddPointLoad(double magnitude, double location, double width)
{
    m_vPL.push_back({1.0, magnitude, location, width});
    SyncCounts();
    m_bIsUpdated = false;
}

void CLoadModel::AddPartialUDL(double magnitude, double location, double cover)
{
    m_vPUDL.push_back({1.0, magnitude, location, cover});
    SyncCounts();
    m_bIsUpdated = false;
}

void CLoadModel::SetUDL(unsigned int i, double magnitude)
{
    if (i >= m_vUDL.size())
        ThrowInvalidSubscript();
    m_vUDL[i] = {1.0, magnitude};
}

void CLoadModel::SetPointLoad(unsigned int i, double gamma, double magnitude, double location, double width)
{
    if (i >= m_vPL.size())
        ThrowInvalidSubscript();
    m_vPL[i] = {gamma, magnitude, location, width};
}

void CLoadModel::SetPartialUDL(unsigned int i, double gamma, double magnitude, double location, double cover)
{
    if (i >= m_vPUDL.size())
        ThrowInvalidSubscript();
    m_vPUDL[i] = {gamma, magnitude, location, cover};
}

void CLoadModel::GetPartialUDL(unsigned int i, double& gamma, double& magnitude, double& location, double& cover) const
{
    if (i >= m_vPUDL.size())
        ThrowInvalidSubscript();
    const PartialUDLoad& l = m_vPUDL[i];
    gamma = l.gamma;
    magnitude = l.magnitude;
    cover = l.cover;
    // Mirroring only the start would move the piece ahead of its mirror image.
    location = m_Direction == TD_REVERSE ? -m_Length - l.location - l.cover : l.location;
}

// Removing a load may take away the front-most one (or the last axle of a vehicle), so
// the model needs a fresh Update.
bool CLoadModel::RemoveUDL(unsigned int i)
{
    if (i >= m_nUDL || i >= m_vUDL.size())
        return false;
    m_vUDL.erase(m_vUDL.begin() + i);
    SyncCounts();
    m_bIsUpdated = false;
    return true;
}

bool CLoadModel::RemovePointLoad(unsigned int i)
{
    if (i >= m_nPL || i >= m_vPL.size())
        return false;
    m_vPL.erase(m_vPL.begin() + i);
    SyncCounts();
    m_bIsUpdated = false;
    return true;
}

bool CLoadModel::RemovePartialUDL(unsigned int i)
{
    if (i >= m_nPUDL || i >= m_vPUDL.size())
        return false;
    m_vPUDL.erase(m_vPUDL.begin() + i);
    SyncCounts();
    m_bIsUpdated = false;
    return true;
}

void CLoadModel::RemoveZeroLoads()
{
    EraseZero(m_vPL);
    EraseZero(m_vPUDL);
    SyncCounts();
    m_bIsUpdated = false;
}

void CLoadModel::RemoveZeroUDLs()
{
    EraseZero(m_vUDL);
    SyncCounts();
    m_bIsUpdated = false;
}

void CLoadModel::ShiftLocations(double d)
{
    for (auto& l : m_vPL)
        l.location += d;
    for (auto& l : m_vPUDL)
        l.location += d;
}

void CLoadModel::Update()
{
    if (m_vPL.empty() && m_vPUDL.empty() && !m_vUDL.empty())
        m_bIsMoving = false; // a pure lane load stands at one position

    if (m_bIsMoving) {
        double front = 0.0, rear = 0.0;
        if (!m_vPL.empty()) {
            double lo = 0, hi = 0;
            GetExtents(m_vPL, lo, hi);
            rear = std::min(lo, 0.0);
            front = std::max(hi, 0.0);
        }
        // A partial load reaches from its start to its start plus its cover, so that a
        // run that starts and ends with the model off the bridge has all of it off.
        for (const PartialUDLoad& l : m_vPUDL) {
            const double end = l.location + l.cover;
            rear = std::min({rear, l.location, end});
            front = std::max({front, l.location, end});
        }
        m_MaxLocation = front;
        m_MinLocation = rear;
        m_Length = front - rear;
        ShiftLocations(-front);
    }
    m_bIsUpdated = true;
}

double CLoadModel::GetWidthFactor(const double& magnitude, const double& width) const
{
    const double b = width;
    if (m_WidthFactor == 0 || IsZero(b) || b > kWideAxleWidth)
        return magnitude;
    if (b <= kNarrowAxleWidth)
        return magnitude * kNarrowAxleFactor;
    if (b <= kMidAxleWidth)
        return magnitude * kMidAxleCoefficient * std::pow(b, kMidAxleExponent);
    if (m_WidthFactor == 1)
        return magnitude * kLowDistCoefficient * std::pow(b, kLowDistExponent);
    return magnitude * kHighDistCoefficient * std::pow(b, kHighDistExponent);
}

void CLoadModel::PostStatus(const CAnalysisFeedback& feedback, std::wstring_view text) const
{
    // Built in one allocation, and only for a receiver: a bridge rule reports a line at
    // every load position.
    if (!feedback.WantsStatus())
        return;
    std::wstring line;
    line.reserve(m_Description.size() + 2 + text.size());
    line.append(m_Description).append(L": ").append(text);
    feedback.Status(std::move(line));
}
