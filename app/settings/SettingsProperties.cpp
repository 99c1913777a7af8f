#include "app/settings/SettingsProperties.h"

#include "core/bounds/Bounds.h"
#include "core/library/LMEFactory.h"
#include "core/settings/Settings.h"
#include "platform/base/CLocale.h"

namespace {

constexpr auto B = SettingKind::Bool;
constexpr auto I = SettingKind::Integer;
constexpr auto R = SettingKind::Real;
constexpr auto C = SettingKind::Colour;
constexpr auto F = SettingKind::File;

#define QEL_FIELD(path) [](CSettings& s) -> void* { return &s.path; }

// Upper bounds: more decimal places than a double carries digits show only noise; more
// steps than the beam has stations only slow a run; a data tip after a minute or a line
// or margin wider than a small window is a typing slip, not a choice.
constexpr int kMaxDecimals = static_cast<int>(Bounds::DecimalPlaces.hi);
constexpr int kMaxSteps = static_cast<int>(Bounds::SettingsSteps.hi);
constexpr int kMaxLineWidth = static_cast<int>(Bounds::LineWidth.hi);
constexpr int kMaxTipDelay = static_cast<int>(Bounds::DataTipDelay.hi); // ms
constexpr int kMaxGap = static_cast<int>(Bounds::PlotGap.hi);          // px
constexpr int kNoBound = 0;

constexpr const wchar_t* kGeneral = L"General";
constexpr const wchar_t* kAnalysis = L"Analysis";
constexpr const wchar_t* kPlots = L"Plots";
constexpr const wchar_t* kLMDisplay = L"Load Model Display";
constexpr const wchar_t* kDecimals = L"Decimal Places";
constexpr const wchar_t* kOutput = L"Output Options";
constexpr const wchar_t* kStepping = L"Stepping Defaults";
constexpr const wchar_t* kGaps = L"Gaps";
constexpr const wchar_t* kColours = L"Colours";

const SettingProperty kProperties[] = {
    {1000, kGeneral, nullptr, L"PDF help file path", F,
     L"The path to the PDF help file - usually in the application folder", QEL_FIELD(General.HELPFILEPATH), kNoBound,
     kNoBound},
    {1001, kGeneral, nullptr, L"Binary File", B,
     L"Set to true to use a binary file format which is smaller \t\tand quicker to load than the XML format used when "
     L"this \t\tsetting is false. (Note that XML format is useful for finding \t\tproblems though).",
     QEL_FIELD(General.USEBINARYFILEFORMAT), kNoBound, kNoBound},
    {1002, kGeneral, nullptr, L"Show Instructions", B,
     L"Set to true to show the useage instructions on the main tab.", QEL_FIELD(General.SHOWINSTRUCTIONS), kNoBound,
     kNoBound},
    {1003, kGeneral, kLMDisplay, L"Background", C, L"The display colour for the loadmodel background - usually white.",
     QEL_FIELD(General.LoadModel.CLR_LM_BGRND), kNoBound, kNoBound},
    {1004, kGeneral, kLMDisplay, L"Base line", C, L"The display colour for the loadmodel baseline - usually black.",
     QEL_FIELD(General.LoadModel.CLR_LM_BASELINE), kNoBound, kNoBound},
    {1005, kGeneral, kLMDisplay, L"Grid line", C, L"The display colour for the loadmodel grid lines - usually grey.",
     QEL_FIELD(General.LoadModel.CLR_LM_GRIDLINE), kNoBound, kNoBound},
    {1006, kGeneral, kLMDisplay, L"Text", C, L"The display colour for the loadmodel text - usually black.",
     QEL_FIELD(General.LoadModel.CLR_LM_TEXT), kNoBound, kNoBound},
    {1007, kGeneral, kLMDisplay, L"Point Load", C, L"The display colour for the loadmodel point loads - usually red.",
     QEL_FIELD(General.LoadModel.CLR_LM_PL), kNoBound, kNoBound},
    {1008, kGeneral, kLMDisplay, L"Uniform Load", C,
     L"The display colour for the loadmodel uniform loads - usually green.", QEL_FIELD(General.LoadModel.CLR_LM_UDL),
     kNoBound, kNoBound},
    {1009, kGeneral, kLMDisplay, L"Partial Uniform Load", C,
     L"The display colour for the loadmodel partial uniform loads \t\t- usually blue.",
     QEL_FIELD(General.LoadModel.CLR_LM_PUDL), kNoBound, kNoBound},
    {1010, kGeneral, kLMDisplay, L"Wheels", C, L"The display colour for the loadmodel wheels \t\t- usually black.",
     QEL_FIELD(General.LoadModel.CLR_LM_WHEEL), kNoBound, kNoBound},
    {1011, kGeneral, kDecimals, L"Factor", I, L"The number of decimal places for factors/multipliers",
     QEL_FIELD(General.DecimalPlaces.FACTOR), static_cast<int>(Bounds::DecimalPlaces.lo), kMaxDecimals},
    {1012, kGeneral, kDecimals, L"Distance", I,
     L"The number of decimal places for distance measures \t\te.g. location along beam, position of load model, etc.",
     QEL_FIELD(General.DecimalPlaces.DISTANCE), 1, kMaxDecimals},
    {1013, kGeneral, kDecimals, L"Span", I, L"The number of decimal places for span lengths.",
     QEL_FIELD(General.DecimalPlaces.SPAN), 1, kMaxDecimals},
    {1014, kGeneral, kDecimals, L"GVW", I,
     L"The number of decimal places for Gross Vehicle Weight \t\tin the Load Model dialog.",
     QEL_FIELD(General.DecimalPlaces.GVW), 1, kMaxDecimals},
    {1015, kGeneral, kDecimals, L"Vehicle Length", I,
     L"The number of decimal places for the vehicle length \t\tin the Load Model dialog.",
     QEL_FIELD(General.DecimalPlaces.VEHLENGTH), 1, kMaxDecimals},
    {1016, kGeneral, kOutput, L"BM & SF", B,
     L"Default setting for display results for bending moment \t\tand shear force.", QEL_FIELD(General.Output.BMSF),
     kNoBound, kNoBound},
    {1017, kGeneral, kOutput, L"Reactions", B, L"Default setting for display results for reactions.",
     QEL_FIELD(General.Output.R), kNoBound, kNoBound},
    {1018, kGeneral, kOutput, L"Plots", B, L"Default setting for display results as plots.",
     QEL_FIELD(General.Output.GRAPHS), kNoBound, kNoBound},
    {1019, kGeneral, kOutput, L"Tables", B, L"Default setting for display results as tables.",
     QEL_FIELD(General.Output.TABLES), kNoBound, kNoBound},
    {1100, kAnalysis, nullptr, L"Points Per Span", I,
     L"The number of points on each span at which load effects \t\tsuch as bending moments, shears, etc are "
     L"calculated (> 20).",
     QEL_FIELD(Analysis.NPOINTS_ALONG_BEAM), static_cast<int>(Bounds::PointsPerSpan.lo), CSettings::MaxPointsAlongBeam},
    {1101, kAnalysis, nullptr, L"No. of axle spacings", I,
     L"The default number of axle spacings when generating a variable \t\taxle spacing vehicle (> 2).",
     QEL_FIELD(Analysis.NO_AXLE_SPACINGS), static_cast<int>(Bounds::AxleSpacings.lo), CLMEFactory::MaxSpacings},
    {1102, kAnalysis, kStepping, L"By Step", B,
     L"Default setting should a vehicle positon range be generated by \t\ta step increment size or not (i.e. or a "
     L"number of steps).",
     QEL_FIELD(Analysis.Stepping.BYSTEP), kNoBound, kNoBound},
    {1103, kAnalysis, kStepping, L"Step Size", R,
     L"Default setting for the size of the step if the range \t\tof vehicle positions is to be generated by a size "
     L"(rather than \t\ta number of steps).",
     QEL_FIELD(Analysis.Stepping.STEPSIZE), kNoBound, kNoBound},
    {1104, kAnalysis, kStepping, L"No. of Steps", I,
     L"Default setting for the number of steps if the range \t\tof vehicle positions is to be generated from a given "
     L"number \t\tof steps (rather than a step size).",
     QEL_FIELD(Analysis.Stepping.NSTEPS), 1, kMaxSteps},
    {1200, kPlots, nullptr, L"Ratio Limit - Full Speed", B,
     L"Whether or not to show the ratio limit for full speed \t\tvehicle traverses (ratio is usually 1.0)",
     QEL_FIELD(Plot.RATIOLIMIT_FULLSPEED), kNoBound, kNoBound},
    {1201, kPlots, nullptr, L"Ratio Limit - Slow Down", B,
     L"Whether or not to show the ratio limit for slow down \t\tvehicle traverses (ratio is the DAF of the proposed "
     L"vehicle)",
     QEL_FIELD(Plot.RATIOLIMIT_SLOWDOWN), kNoBound, kNoBound},
    {1202, kPlots, nullptr, L"Line width", I, L"The width in pixels of the plotted lines", QEL_FIELD(Plot.LINEWIDTH), 1,
     kMaxLineWidth},
    {1203, kPlots, nullptr, L"Data tip delay", I,
     L"The delay in ms of the plot window data tip that displays \t\tcoordinates information on left click (> 500)",
     QEL_FIELD(Plot.DATATIPDELAY), static_cast<int>(Bounds::DataTipDelay.lo), kMaxTipDelay},
    {1204, kPlots, kGaps, L"Top", I,
     L"The gap in pixels from the top of the window to the top \t\tof the plot control (> 0 px).",
     QEL_FIELD(Plot.Gap.TOP), 1, kMaxGap},
    {1205, kPlots, kGaps, L"Bottom", I,
     L"The gap in pixels from the bottom of the window to the bottom \t\tof the bottom-most plot control (> 0 px).",
     QEL_FIELD(Plot.Gap.BTM), 1, kMaxGap},
    {1206, kPlots, kGaps, L"Left", I,
     L"The gap in pixels from the left of the window to the left \t\tof the left-most plot control (> 0 px).",
     QEL_FIELD(Plot.Gap.LEFT), 1, kMaxGap},
    {1207, kPlots, kGaps, L"Right", I,
     L"The gap in pixels from the right of the window to the right \t\tof the left-most plot control (> 0 px).",
     QEL_FIELD(Plot.Gap.RIGHT), 1, kMaxGap},
    {1208, kPlots, kGaps, L"Between", I, L"The gap in pixels between each of the plot controls (> 0 px).",
     QEL_FIELD(Plot.Gap.BETWN), 1, kMaxGap},
    {1300, kPlots, kColours, L"Background", C, L"The display colour for the plot background - usually white.",
     QEL_FIELD(Plot.Colours.CLR_BACKGRND), kNoBound, kNoBound},
    {1301, kPlots, kColours, L"Border", C, L"The display colour for the plot border.",
     QEL_FIELD(Plot.Colours.CLR_BORDER), kNoBound, kNoBound},
    {1302, kPlots, kColours, L"Grid", C, L"The display colour for the plot grid.", QEL_FIELD(Plot.Colours.CLR_GRID),
     kNoBound, kNoBound},
    {1303, kPlots, kColours, L"Text", C, L"The display colour for the plot text.", QEL_FIELD(Plot.Colours.CLR_TEXT),
     kNoBound, kNoBound},
    {1304, kPlots, kColours, L"Line - Min", C, L"The display colour for line series of minima.",
     QEL_FIELD(Plot.Colours.CLR_LINEMIN), kNoBound, kNoBound},
    {1305, kPlots, kColours, L"Line - Max", C, L"The display colour for line series of maxima.",
     QEL_FIELD(Plot.Colours.CLR_LINEMAX), kNoBound, kNoBound},
    {1306, kPlots, kColours, L"Beam", C, L"The display colour for the beam baseline on plots.",
     QEL_FIELD(Plot.Colours.CLR_BEAM), kNoBound, kNoBound},
    {1307, kPlots, kColours, L"Light line", C,
     L"The display colour for plotting lighter lines \t\t(e.g. multiple envelopes)",
     QEL_FIELD(Plot.Colours.CLR_LIGHTLINE), kNoBound, kNoBound},
    {1308, kPlots, kColours, L"Proposed - Min", C,
     L"The display colour for line series of minima for a \t\tProposed vehicle type when comparing to a reference "
     L"envelope.",
     QEL_FIELD(Plot.Colours.CLR_PROPMIN), kNoBound, kNoBound},
    {1309, kPlots, kColours, L"Proposed - Max", C,
     L"The display colour for line series of maxima for a \t\tProposed vehicle type when comparing to a reference "
     L"envelope.",
     QEL_FIELD(Plot.Colours.CLR_PROPMAX), kNoBound, kNoBound},
    {1310, kPlots, kColours, L"Ratio Limit - Full Speed", C,
     L"The display colour for line showing the ratio limit \t\tfor full speed vehicle crossings (usually 1.0 ratio)",
     QEL_FIELD(Plot.Colours.CLR_FULLSPEED), kNoBound, kNoBound},
    {1311, kPlots, kColours, L"Ratio Limit - Slow Down", C,
     L"The display colour for line showing the ratio limit \t\tfor slow down vehicle crossings (usually DAF ratio)",
     QEL_FIELD(Plot.Colours.CLR_SLOWDOWN), kNoBound, kNoBound},
};

#undef QEL_FIELD


template <class T>
T& Field(CSettings& s, const SettingProperty& prop)
{
    return *static_cast<T*>(prop.pField(s));
}

template <class T>
const T& Field(const CSettings& s, const SettingProperty& prop)
{
    return *static_cast<const T*>(prop.pField(const_cast<CSettings&>(s)));
}

template <class T>
bool Store(CSettings& settings, int nID, SettingKind kind, const T& value)
{
    const SettingProperty* prop = FindSettingProperty(nID);
    if (!prop || prop->kind != kind)
        return false;
    settings.Edit([&](CSettings& s) { Field<T>(s, *prop) = value; });
    return true;
}

}

std::span<const SettingProperty> GetSettingProperties() { return kProperties; }

const SettingProperty* FindSettingProperty(int nID)
{
    for (const SettingProperty& p : kProperties)
        if (p.nID == nID)
            return &p;
    return nullptr;
}

bool GetSettingBool(const CSettings& settings, const SettingProperty& prop) { return Field<bool>(settings, prop); }

std::uint32_t GetSettingColour(const CSettings& settings, const SettingProperty& prop)
{
    return Field<std::uint32_t>(settings, prop);
}

std::wstring FormatSettingValue(const CSettings& settings, const SettingProperty& prop)
{
    switch (prop.kind) {
    case SettingKind::Bool: return Field<bool>(settings, prop) ? L"True" : L"False";
    case SettingKind::Integer: return std::to_wstring(Field<int>(settings, prop));
    case SettingKind::Real: return FormatDoubleCW("%g", Field<double>(settings, prop));
    case SettingKind::Colour: {
        const std::uint32_t c = Field<std::uint32_t>(settings, prop);
        return L"RGB(" + std::to_wstring(c & 0xFF) + L", " + std::to_wstring((c >> 8) & 0xFF) + L", " +
               std::to_wstring((c >> 16) & 0xFF) + L")";
    }
    case SettingKind::File: return Field<std::wstring>(settings, prop);
    }
    return {};
}

std::optional<long long> ParseWholeNumber(const std::wstring& text)
{
    std::size_t first = text.find_first_not_of(L" \t");
    std::size_t last = text.find_last_not_of(L" \t");
    if (first == std::wstring::npos)
        return std::nullopt;
    long long value = 0;
    for (std::size_t i = first; i <= last; ++i) {
        const wchar_t c = text[i];
        if (c < L'0' || c > L'9')
            return std::nullopt;
        // Anything past ten digits is out of every bound anyway; stop before it overflows.
        if (value > 9'999'999'999LL)
            return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    return value;
}

std::wstring SettingRange(const SettingProperty& prop)
{
    if (prop.kind == SettingKind::Real)
        return BoundText(Bounds::Step);
    return BoundText(IntBound{prop.nMin, prop.nMax});
}

bool StoreSettingText(CSettings& settings, int nID, const std::wstring& text, std::wstring* pRefusal)
{
    const SettingProperty* prop = FindSettingProperty(nID);
    if (!prop)
        return false;
    const auto refuse = [&](const std::wstring& why) {
        if (pRefusal)
            *pRefusal = why;
        return false;
    };
    const std::wstring sLabel = prop->sLabel;
    if (prop->kind == SettingKind::Real) {
        double value = 0.0;
        if (!ParseDoubleC(text, value))
            return refuse(sLabel + L" must be a number from " + SettingRange(*prop) + L".");
        if (!InBound(Bounds::Step, value))
            return refuse(BoundRefusal(Bounds::Step, value, sLabel) + L".");
        settings.Edit([&](CSettings& s) { Field<double>(s, *prop) = value; });
        return true;
    }
    if (prop->kind != SettingKind::Integer)
        return false;
    const std::optional<long long> value = ParseWholeNumber(text);
    if (!value || *value < prop->nMin || *value > prop->nMax)
        return refuse(sLabel + L" must be a whole number from " + SettingRange(*prop) + L".");
    settings.Edit([&](CSettings& s) { Field<int>(s, *prop) = static_cast<int>(*value); });
    return true;
}

bool StoreSettingBool(CSettings& settings, int nID, bool bValue)
{
    return Store(settings, nID, SettingKind::Bool, bValue);
}

bool StoreSettingColour(CSettings& settings, int nID, std::uint32_t colour)
{
    return Store(settings, nID, SettingKind::Colour, colour & 0x00FFFFFFu);
}

bool StoreSettingFile(CSettings& settings, int nID, const std::wstring& path)
{
    return Store(settings, nID, SettingKind::File, path);
}
