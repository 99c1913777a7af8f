#include "core/settings/Settings.h"

#include <algorithm>

#include <utility>
#include <vector>

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

// The same ranges as the settings pane: a hand-edited or damaged file must not give the
// analyses or the views a value they cannot work with. Each field out of range goes back
// to its default alone; the others stay.
std::vector<std::wstring> CSettings::ReplaceInvalidValues()
{
    const General_Config g0;
    const Analysis_Config a0;
    const Plot_Config p0;
    std::vector<std::wstring> vReplaced;
    const auto range = [&](auto& value, const auto& bound, const auto& fallback, const wchar_t* name) {
        if (!InBound(bound, value)) {
            value = fallback;
            vReplaced.emplace_back(name);
        }
    };
    constexpr IntBound colour{0, 0xFFFFFF};

    auto& lm = General.LoadModel;
    const auto& lm0 = g0.LoadModel;
    range(lm.CLR_LM_BGRND, colour, lm0.CLR_LM_BGRND, L"General.LoadModel.CLR_LM_BGRND");
    range(lm.CLR_LM_BASELINE, colour, lm0.CLR_LM_BASELINE, L"General.LoadModel.CLR_LM_BASELINE");
    range(lm.CLR_LM_GRIDLINE, colour, lm0.CLR_LM_GRIDLINE, L"General.LoadModel.CLR_LM_GRIDLINE");
    range(lm.CLR_LM_TEXT, colour, lm0.CLR_LM_TEXT, L"General.LoadModel.CLR_LM_TEXT");
    range(lm.CLR_LM_PL, colour, lm0.CLR_LM_PL, L"General.LoadModel.CLR_LM_PL");
    range(lm.CLR_LM_UDL, colour, lm0.CLR_LM_UDL, L"General.LoadModel.CLR_LM_UDL");
    range(lm.CLR_LM_PUDL, colour, lm0.CLR_LM_PUDL, L"General.LoadModel.CLR_LM_PUDL");
    range(lm.CLR_LM_WHEEL, colour, lm0.CLR_LM_WHEEL, L"General.LoadModel.CLR_LM_WHEEL");

    auto& dp = General.DecimalPlaces;
    const auto& dp0 = g0.DecimalPlaces;
    range(dp.FACTOR, Bounds::DecimalPlaces, dp0.FACTOR, L"General.DecimalPlaces.FACTOR");
    range(dp.DISTANCE, Bounds::DecimalPlaces, dp0.DISTANCE, L"General.DecimalPlaces.DISTANCE");
    range(dp.SPAN, Bounds::DecimalPlaces, dp0.SPAN, L"General.DecimalPlaces.SPAN");
    range(dp.GVW, Bounds::DecimalPlaces, dp0.GVW, L"General.DecimalPlaces.GVW");
    range(dp.VEHLENGTH, Bounds::DecimalPlaces, dp0.VEHLENGTH, L"General.DecimalPlaces.VEHLENGTH");

    range(Analysis.NPOINTS_ALONG_BEAM, Bounds::PointsPerSpan, a0.NPOINTS_ALONG_BEAM, L"Analysis.NPOINTS_ALONG_BEAM");
    range(Analysis.NO_AXLE_SPACINGS, Bounds::AxleSpacings, a0.NO_AXLE_SPACINGS, L"Analysis.NO_AXLE_SPACINGS");
    range(Analysis.Stepping.STEPSIZE, Bounds::Step, a0.Stepping.STEPSIZE, L"Analysis.Stepping.STEPSIZE");
    range(Analysis.Stepping.NSTEPS, Bounds::SettingsSteps, a0.Stepping.NSTEPS, L"Analysis.Stepping.NSTEPS");

    range(Plot.LINEWIDTH, Bounds::LineWidth, p0.LINEWIDTH, L"Plot.LINEWIDTH");
    range(Plot.DATATIPDELAY, Bounds::DataTipDelay, p0.DATATIPDELAY, L"Plot.DATATIPDELAY");
    auto& gap = Plot.Gap;
    range(gap.TOP, Bounds::PlotGap, p0.Gap.TOP, L"Plot.Gap.TOP");
    range(gap.BTM, Bounds::PlotGap, p0.Gap.BTM, L"Plot.Gap.BTM");
    range(gap.LEFT, Bounds::PlotGap, p0.Gap.LEFT, L"Plot.Gap.LEFT");
    range(gap.RIGHT, Bounds::PlotGap, p0.Gap.RIGHT, L"Plot.Gap.RIGHT");
    range(gap.BETWN, Bounds::PlotGap, p0.Gap.BETWN, L"Plot.Gap.BETWN");
    auto& c = Plot.Colours;
    const auto& c0 = p0.Colours;
    range(c.CLR_BACKGRND, colour, c0.CLR_BACKGRND, L"Plot.Colours.CLR_BACKGRND");
    range(c.CLR_BORDER, colour, c0.CLR_BORDER, L"Plot.Colours.CLR_BORDER");
    range(c.CLR_GRID, colour, c0.CLR_GRID, L"Plot.Colours.CLR_GRID");
    range(c.CLR_TEXT, colour, c0.CLR_TEXT, L"Plot.Colours.CLR_TEXT");
    range(c.CLR_LINEMIN, colour, c0.CLR_LINEMIN, L"Plot.Colours.CLR_LINEMIN");
    range(c.CLR_LINEMAX, colour, c0.CLR_LINEMAX, L"Plot.Colours.CLR_LINEMAX");
    range(c.CLR_BEAM, colour, c0.CLR_BEAM, L"Plot.Colours.CLR_BEAM");
    range(c.CLR_LIGHTLINE, colour, c0.CLR_LIGHTLINE, L"Plot.Colours.CLR_LIGHTLINE");
    range(c.CLR_PROPMIN, colour, c0.CLR_PROPMIN, L"Plot.Colours.CLR_PROPMIN");
    range(c.CLR_PROPMAX, colour, c0.CLR_PROPMAX, L"Plot.Colours.CLR_PROPMAX");
    range(c.CLR_FULLSPEED, colour, c0.CLR_FULLSPEED, L"Plot.Colours.CLR_FULLSPEED");
    range(c.CLR_SLOWDOWN, colour, c0.CLR_SLOWDOWN, L"Plot.Colours.CLR_SLOWDOWN");
    return vReplaced;
}

std::string ArchiveErrorReason(const std::string& sError)
{
    static const std::pair<const char*, const char*> reasons[] = {
        {"input stream error", "it ends early or holds a value that cannot be read"},
        {"unexpected end of XML archive", "it ends early or has more after its end"},
        {"invalid signature", "it does not begin as a case file does"},
        {"unsupported version", "it was written by a newer version of the program"},
        {"unsupported class version", "it was written by a newer version of the program"},
        {"unregistered class", "it holds an element of a kind QEL does not know"},
        {"XML", "its XML is not in the form QEL writes"},
        {"invalid XML", "its XML is not in the form QEL writes"},
        {"unrecognized XML syntax", "its XML is not in the form QEL writes"},
    };
    for (const auto& [key, reason] : reasons)
        if (sError.starts_with(key))
            return reason;
    return "its contents are not in the form QEL writes";
}
