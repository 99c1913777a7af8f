#pragma once
// The standard vehicles of the ten design-code families as data. CLMEFactory turns
// these records into load models; nothing here builds one itself.

#include <optional>
#include <vector>

// Index of a family in CLMEFactory::m_nFamilyID.
enum VehicleFamily : int {
    VF_A26 = 0,
    VF_A36,
    VF_NAASRA1970,
    VF_NAASRA1976,
    VF_ABDC1992,
    VF_ABAG,
    VF_AS5100,
    VF_EUROCODE,
    VF_BS5400,
    VF_AASHTO,
    VF_COUNT
};

// The families given in tonnes carry a unit-conversion factor of 9.81.
double FamilyUnits(VehicleFamily family);

// How a load model's dynamic load allowance is set, with the code's standard
// allowance or with the user's (CLMEFactory::m_bUseStandardDLA).
enum class AllowanceKind {
    Constant,   // m_gDLA = dla (user: the user's value)
    Rule,       // bridge rule `rule` (user: the user's value, no rule)
    LaneRule,   // bridge rule `rule` (user: rule `userRule` and the user's value)
    FixedRule7, // rule 7 and m_gDLA = dla (user: rule 7 and the user's value)
    AxleGamma,  // every axle's gamma and m_GammaPL = dla (user: the user's value)
};

struct VehicleAllowance {
    AllowanceKind kind = AllowanceKind::Constant;
    double dla = 1.0;
    int rule = 8;
    int userRule = 8;
};

enum class VehicleLoadKind { UDL, Point, PartialUDL };

// One load of a standard vehicle, appended in table order.
struct VehicleLoad {
    VehicleLoadKind kind = VehicleLoadKind::Point;
    double magnitude = 0.0;
    double location = 0.0; // point and partial loads
    double extent = 0.0;   // width of a point load, cover of a partial load
    bool behindS = false;  // the load stands a further S back: location - S
};

// Heavy load platform of ABDC 1992 and AS5100 (CLMEFactory::AddHLPAxles): two
// groups of eight axles at this pitch, the spacing S between the groups.
inline constexpr int kHLPAxlesPerGroup = 8;
inline constexpr double kHLPAxlePitch = 1.8; // m

// Sixteen axles of a heavy load platform, each of this load and width.
struct HLPAxles {
    double load = 0.0;
    double width = 0.0;
};

// One load model. For the members of a variable-spacing ensemble `name` is a
// printf format taking the spacing S.
struct VehicleSpec {
    const char* name = "";
    std::vector<VehicleLoad> loads = {};
    std::optional<HLPAxles> hlp = std::nullopt; // appended after `loads`
    VehicleAllowance allowance;
    bool appliesBM = true;
    bool appliesSF = true;
    bool appliesR = true;
    std::optional<double> minL = std::nullopt;
    std::optional<double> maxL = std::nullopt;
    std::optional<double> gammaUDL = std::nullopt;
    std::optional<double> gammaPUDL = std::nullopt;
};

// One standard ensemble: its fixed models first, then (for a variable-spacing
// ensemble) one model per spacing S of [sMin, sMax], preceded by one built with
// `leadingS` when that is given.
struct EnsembleSpec {
    const char* name = "";
    VehicleFamily family = VF_A26;
    int firstOffset = 1; // id of the first model, from the family id
    bool locked = false;
    std::vector<VehicleSpec> fixed = {};
    std::optional<VehicleSpec> variable = std::nullopt;
    double sMin = 0.0;
    double sMax = 0.0;
    std::optional<double> leadingS = std::nullopt;
};

// Standard ensembles that are pure data (the ABAG vehicles and the BS5400 HA + HB
// vehicles are built from their own tables below).
enum class StandardEnsemble {
    A26_AA26,
    A26_A26,
    A26_B26,
    A36_AA36,
    A36_A36,
    A36_B36,
    NAASRA1970_MS18,
    NAASRA1970_MS13,
    NAASRA1970_M18,
    NAASRA1970_M13,
    NAASRA1970_M9,
    NAASRA1976_A14,
    NAASRA1976_T44,
    NAASRA1976_L44,
    NAASRA1976_SAV,
    ABDC1992_W7,
    ABDC1992_T44,
    ABDC1992_L44,
    ABDC1992_HLP320,
    ABDC1992_HLP400,
    AS5100_W80,
    AS5100_A160,
    AS5100_M1600,
    AS5100_S1600,
    AS5100_HLP320,
    AS5100_HLP400,
    EUROCODE_LM1,
    BS5400_HA,
    AASHTO_HL93,
};

const EnsembleSpec& GetEnsembleSpec(StandardEnsemble which);

// A vehicle given by axle loads and the spacings between them (CLMEFactory::MakeVehicle).
struct AxleVehicle {
    const char* ensemble = "";
    const char* name = "";
    std::vector<double> loads = {};
    std::vector<double> spacings = {};
};

// The seven ABAG vehicles in family order; their allowance and units.
const std::vector<AxleVehicle>& ABAGVehicles();
VehicleAllowance ABAGAllowance();

// The BS5400 HA + HB vehicles: one per spacing v between the HB axle pairs. The
// axle loads of `vehicle` are per HB unit; the lane load is taken away from
// `clearance` ahead of the first HB axle to `clearance` behind the last.
struct HAHBTable {
    const char* ensemble = "";
    int firstOffset = 1;
    VehicleSpec vehicle = {}; // name is a printf format taking v
    std::vector<double> spacings = {};
    double udl = 0.0;
    double clearance = 0.0;
};
const HAHBTable& BS5400HAHB();
