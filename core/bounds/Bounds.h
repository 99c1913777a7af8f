#pragma once
// The one range of every number a user or a file can set. The dialogs and panes that
// type a value, the settings reader, the case reader and the case writer all test it
// against the same range here, so a value that one of them accepts the others accept too.
//
// Ranges are closed: both limits are allowed. NaN is in no range.
//     if (!InBound(Bounds::Span, L)) ... BoundRefusal(Bounds::Span, L, L"Span 2")

#include <cmath>
#include <cstdint>
#include <string>

struct RealBound {
    double lo;
    double hi;
    const wchar_t* unit; // "" for a plain number
};

struct IntBound {
    std::int64_t lo;
    std::int64_t hi;
};

namespace Bounds {

// ---- bridges and beams
// A culvert cell to the longest spans ever built, with room either side.
inline constexpr RealBound Span{0.1, 1000.0, L"m"};
inline constexpr IntBound SpansPerBridge{1, 1000};
// Flexural rigidity: only ratios between spans matter to a continuous beam's actions;
// the limits keep every stiffness term of a 1,000-span beam finite.
inline constexpr RealBound EI{1e-6, 1e12, L"kNm²"};

// ---- bridge sets
inline constexpr IntBound BridgesPerSet{1, 10000};
inline constexpr RealBound BridgeSetStep{0.01, 1000.0, L"m"};

// ---- load models
// A road train or a heavy-load platform to a long freight train.
inline constexpr RealBound AxleLoad{-10000.0, 10000.0, L"kN"};
inline constexpr RealBound AxlePosition{-1000.0, 1000.0, L"m"};
// From the rearmost to the foremost load (and the origin): a model in memory has its
// front at 0, so every position stays within the range above when it is saved again.
inline constexpr RealBound ModelLength{0.0, 1000.0, L"m"};
inline constexpr RealBound AxleWidth{0.0, 20.0, L"m"};
inline constexpr RealBound LaneLoad{-1000.0, 1000.0, L"kN/m"}; // uniform and partial uniform loads
inline constexpr RealBound LoadCover{0.0, 2000.0, L"m"};
inline constexpr RealBound Factor{0.0, 1000.0, L""};         // load factors, DLA, units, arbitrary
inline constexpr RealBound ApplicableLength{0.0, 1e6, L"m"}; // a model's applicable bridge lengths
inline constexpr IntBound LoadsPerModel{0, 1000};            // of each kind: axles, UDLs, partial UDLs

// ---- analysis stepping (vehicle positions)
inline constexpr RealBound Step{0.001, 1000.0, L"m"};
inline constexpr IntBound StepCount{1, 100000};
// Most load positions one analysis of one bridge may run, whatever the step gives.
inline constexpr std::int64_t MaxLoadPositions = 10'000'000;
// Most memory the per-position results of one analysis of one bridge may take (bytes).
inline constexpr std::int64_t MaxResultBytes = std::int64_t{1} << 30;
// Most (positions x spans x stations per span) of a run the window waits for: about a
// second of the fast path on this generation of machines.
inline constexpr double MostWindowStationVisits = 1e8;
// Most cells a table of load positions shows: beyond it the table keeps every k-th
// position and each reaction's extremes, so that it fills in about a second.
inline constexpr std::int64_t MostPositionTableCells = 100'000;

// ---- reference collections
inline constexpr RealBound OverstressFactor{0.1, 10.0, L""};
inline constexpr RealBound CollectionStep{0.001, 1000.0, L"m"};
inline constexpr IntBound CollectionStepPoints{1, 100000};

// ---- settings
// More decimal places than a double carries digits show only noise; more steps than the
// beam has stations only slow a run; a data tip after a minute or a line or margin wider
// than a small window is a typing slip, not a choice.
inline constexpr IntBound PointsPerSpan{21, 10000};
inline constexpr IntBound AxleSpacings{3, 1000};
inline constexpr IntBound DecimalPlaces{1, 10};
inline constexpr IntBound SettingsSteps{1, 10000};
inline constexpr IntBound LineWidth{1, 20};         // px
inline constexpr IntBound DataTipDelay{501, 60000}; // ms
inline constexpr IntBound PlotGap{1, 200};          // px

} // namespace Bounds

inline bool InBound(const RealBound& b, double v)
{
    return v >= b.lo && v <= b.hi;
}
inline bool InBound(const IntBound& b, std::int64_t v)
{
    return v >= b.lo && v <= b.hi;
}

// "0.1 m to 1,000 m"; "1 to 10,000".
std::wstring BoundText(const RealBound& b);
std::wstring BoundText(const IntBound& b);

// Why a value is refused, after the name of what holds it, or empty when the value is in
// range: "span 2 is not a number", "span 2 is 0 m; it must be from 0.1 m to 1,000 m".
std::wstring BoundRefusal(const RealBound& b, double v, const std::wstring& sWhat);
std::wstring BoundRefusal(const IntBound& b, std::int64_t v, const std::wstring& sWhat);

// A number as the messages show it: C locale, thousands grouped, no trailing zeros.
std::wstring BoundNumber(double v);
