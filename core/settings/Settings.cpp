#include "core/settings/Settings.h"

#include <algorithm>

#include <utility>

#include "platform/base/AppData.h"
#include "platform/base/CLocale.h"

CSettings* g_pSettings = &CSettings::Instance();

CSettings::CSettings(const CSettings& other)
{
    std::lock_guard lock(other.m_Mutex);
    m_Version = other.m_Version;
    General = other.General;
    Analysis = other.Analysis;
    Plot = other.Plot;
}

CSettings& CSettings::operator=(const CSettings& other)
{
    if (this != &other) {
        std::scoped_lock lock(m_Mutex, other.m_Mutex);
        m_Version = other.m_Version;
        General = other.General;
        Analysis = other.Analysis;
        Plot = other.Plot;
    }
    return *this;
}

CSettings::~CSettings() = default;

CSettings& CSettings::Instance()
{
    // Built on first use, so it exists whichever static initialiser asks first.
    static CSettings s_Settings = [] {
        CSettings s;
        s.ApplyDefaults();
        return s;
    }();
    return s_Settings;
}

void CSettings::SetDefaults()
{
    std::lock_guard lock(m_Mutex);
    ApplyDefaults();
}

void CSettings::ApplyDefaults()
{
    General = General_Config{};
    General.HELPFILEPATH = GetAppDataFolder() + L"/QEL/QEL User Manual.pdf";
    Analysis = Analysis_Config{};
    Plot = Plot_Config{};
}

std::wstring CSettings::GetAppDataFolder()
{
    std::string folder = ::GetAppDataFolder().string();
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return Utf8ToWide(folder);
}

int CSettings::ClampPointsAlongBeam(int n) { return std::clamp(n, 1, MaxPointsAlongBeam); }

int CSettings::CurrentPointsAlongBeam()
{
    return ClampPointsAlongBeam(g_pSettings->GetAnalysisCopy().NPOINTS_ALONG_BEAM);
}

CSettings::Analysis_Config CSettings::GetAnalysisCopy() const
{
    std::lock_guard lock(m_Mutex);
    return Analysis;
}

CSettings CSettings::GetCopy() const { return CSettings(*this); }

void CSettings::Assign(const CSettings& other) { *this = other; }

void CSettings::Edit(const std::function<void(CSettings&)>& fn)
{
    std::lock_guard lock(m_Mutex);
    fn(*this);
}

// The same limits as the settings pane: a hand-edited or damaged file must not give
// the analyses or the views a value they cannot work with.
void CSettings::ReplaceInvalidValues()
{
    const General_Config g0;
    const Analysis_Config a0;
    const Plot_Config p0;
    const auto keepIf = [](auto& value, bool ok, const auto& fallback) {
        if (!ok)
            value = fallback;
    };

    auto& dp = General.DecimalPlaces;
    keepIf(dp.FACTOR, dp.FACTOR != 0, g0.DecimalPlaces.FACTOR);
    keepIf(dp.DISTANCE, dp.DISTANCE != 0, g0.DecimalPlaces.DISTANCE);
    keepIf(dp.SPAN, dp.SPAN != 0, g0.DecimalPlaces.SPAN);
    keepIf(dp.GVW, dp.GVW != 0, g0.DecimalPlaces.GVW);
    keepIf(dp.VEHLENGTH, dp.VEHLENGTH != 0, g0.DecimalPlaces.VEHLENGTH);

    keepIf(Analysis.NPOINTS_ALONG_BEAM,
           Analysis.NPOINTS_ALONG_BEAM > 20 && Analysis.NPOINTS_ALONG_BEAM <= MaxPointsAlongBeam,
           a0.NPOINTS_ALONG_BEAM);
    keepIf(Analysis.NO_AXLE_SPACINGS, Analysis.NO_AXLE_SPACINGS > 2, a0.NO_AXLE_SPACINGS);
    auto& st = Analysis.Stepping;
    keepIf(st.NSTEPS, st.NSTEPS > 0, a0.Stepping.NSTEPS);
    keepIf(st.STEPSIZE, st.STEPSIZE > 0.001, a0.Stepping.STEPSIZE); // also rejects NaN

    keepIf(Plot.LINEWIDTH, Plot.LINEWIDTH != 0, p0.LINEWIDTH);
    keepIf(Plot.DATATIPDELAY, Plot.DATATIPDELAY > 500, p0.DATATIPDELAY);
    auto& gap = Plot.Gap;
    keepIf(gap.TOP, gap.TOP > 0, p0.Gap.TOP);
    keepIf(gap.BTM, gap.BTM > 0, p0.Gap.BTM);
    keepIf(gap.LEFT, gap.LEFT > 0, p0.Gap.LEFT);
    keepIf(gap.RIGHT, gap.RIGHT > 0, p0.Gap.RIGHT);
    keepIf(gap.BETWN, gap.BETWN > 0, p0.Gap.BETWN);
}

std::string GetArchiveErrorHint(const std::string& sError)
{
    static const std::pair<const char*, const char*> hints[] = {
        {"coding error", "Boost.Serialization library problem"},
        {"unrecognized XML syntax", "name-value-pair name contains illegal chars including whitespace?"},
        {"unregistered class", "missing BOOST_CLASS_EXPORT(SubClass) macro?"},
        {"unregistered void cast", "missing ar & BOOST_SERIALIZATION_BASE_OBJECT_NVP(BaseClass) statement?"},
        {"stream error", "asymmetric serialization, including attempt to load empty archive?"},
    };
    for (const auto& [key, hint] : hints)
        if (sError == key)
            return std::string("(") + hint + ")";
    return "(no local interpretation)";
}
