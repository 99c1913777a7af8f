#include "core/settings/SettingBounds.h"

#include "core/settings/Settings.h"

namespace {

using K = SettingBound::Kind;
constexpr RealBound kNoReal{0.0, 0.0, L""};
constexpr IntBound kNoWhole{0, 0};
constexpr IntBound kColour{0, 0xFFFFFF};

// One row from the field's path, which is also its name in the status log.
#define QEL_WHOLE(path, bound)                                                           \
    {                                                                                    \
        L"" #path, K::Int, [](CSettings& s) -> void* { return &s.path; }, bound, kNoReal \
    }
#define QEL_COLOUR(path)                                                                      \
    {                                                                                         \
        L"" #path, K::Colour, [](CSettings& s) -> void* { return &s.path; }, kColour, kNoReal \
    }
#define QEL_REAL(path, bound)                                                              \
    {                                                                                      \
        L"" #path, K::Real, [](CSettings& s) -> void* { return &s.path; }, kNoWhole, bound \
    }

// Upper bounds: more decimal places than a double carries digits show only noise; more
// steps than the beam has stations only slow a run; a data tip after a minute or a line or
// margin wider than a small window is a typing slip, not a choice. Colours are 0x00BBGGRR.
const SettingBound kBounds[] = {
    QEL_COLOUR(General.LoadModel.CLR_LM_BGRND),
    QEL_COLOUR(General.LoadModel.CLR_LM_BASELINE),
    QEL_COLOUR(General.LoadModel.CLR_LM_GRIDLINE),
    QEL_COLOUR(General.LoadModel.CLR_LM_TEXT),
    QEL_COLOUR(General.LoadModel.CLR_LM_PL),
    QEL_COLOUR(General.LoadModel.CLR_LM_UDL),
    QEL_COLOUR(General.LoadModel.CLR_LM_PUDL),
    QEL_COLOUR(General.LoadModel.CLR_LM_WHEEL),
    QEL_WHOLE(General.DecimalPlaces.FACTOR, Bounds::DecimalPlaces),
    QEL_WHOLE(General.DecimalPlaces.DISTANCE, Bounds::DecimalPlaces),
    QEL_WHOLE(General.DecimalPlaces.SPAN, Bounds::DecimalPlaces),
    QEL_WHOLE(General.DecimalPlaces.GVW, Bounds::DecimalPlaces),
    QEL_WHOLE(General.DecimalPlaces.VEHLENGTH, Bounds::DecimalPlaces),
    QEL_WHOLE(Analysis.NPOINTS_ALONG_BEAM, Bounds::PointsPerSpan),
    QEL_WHOLE(Analysis.NO_AXLE_SPACINGS, Bounds::AxleSpacings),
    QEL_REAL(Analysis.Stepping.STEPSIZE, Bounds::Step),
    QEL_WHOLE(Analysis.Stepping.NSTEPS, Bounds::SettingsSteps),
    QEL_WHOLE(Plot.LINEWIDTH, Bounds::LineWidth),
    QEL_WHOLE(Plot.DATATIPDELAY, Bounds::DataTipDelay),
    QEL_WHOLE(Plot.Gap.TOP, Bounds::PlotGap),
    QEL_WHOLE(Plot.Gap.BTM, Bounds::PlotGap),
    QEL_WHOLE(Plot.Gap.LEFT, Bounds::PlotGap),
    QEL_WHOLE(Plot.Gap.RIGHT, Bounds::PlotGap),
    QEL_WHOLE(Plot.Gap.BETWN, Bounds::PlotGap),
    QEL_COLOUR(Plot.Colours.CLR_BACKGRND),
    QEL_COLOUR(Plot.Colours.CLR_BORDER),
    QEL_COLOUR(Plot.Colours.CLR_GRID),
    QEL_COLOUR(Plot.Colours.CLR_TEXT),
    QEL_COLOUR(Plot.Colours.CLR_LINEMIN),
    QEL_COLOUR(Plot.Colours.CLR_LINEMAX),
    QEL_COLOUR(Plot.Colours.CLR_BEAM),
    QEL_COLOUR(Plot.Colours.CLR_LIGHTLINE),
    QEL_COLOUR(Plot.Colours.CLR_PROPMIN),
    QEL_COLOUR(Plot.Colours.CLR_PROPMAX),
    QEL_COLOUR(Plot.Colours.CLR_FULLSPEED),
    QEL_COLOUR(Plot.Colours.CLR_SLOWDOWN),
};

#undef QEL_WHOLE
#undef QEL_COLOUR
#undef QEL_REAL

} // namespace

std::span<const SettingBound> GetSettingBounds()
{
    return kBounds;
}

const SettingBound* FindSettingBound(void* (*field)(CSettings&))
{
    // Two accessors name the same field when they find the same member of one object.
    static CSettings probe;
    void* const pField = field(probe);
    for (const SettingBound& b : kBounds)
        if (b.pField(probe) == pField)
            return &b;
    return nullptr;
}

bool InSettingBound(const SettingBound& bound, CSettings& settings)
{
    void* const p = bound.pField(settings);
    switch (bound.kind) {
    case K::Int: return InBound(bound.whole, *static_cast<const int*>(p));
    case K::Colour: return InBound(bound.whole, *static_cast<const std::uint32_t*>(p));
    case K::Real: return InBound(bound.real, *static_cast<const double*>(p));
    }
    return false;
}
