#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive/ArchiveFwd.h"
#include "core/elements/Element.h"

class CAnalysisFeedback;
class CBridge;
class CBridgeSet;

// A multiplying factor of a load model.
struct Factor {
    std::wstring desc;
    double value = 1.0;
    std::int32_t type = 0; // 0 dynamic load allowance, 1 live load, 2 units, 3 arbitrary

    bool operator==(const Factor&) const = default;

    QEL_DECLARE_SERIALIZE;
};

// Unit-conversion factor of the loads given in tonnes and tonnes per metre (the
// A26, A36, NAASRA 1970 and ABAG vehicles): kN per tonne.
inline constexpr double kKNPerTonne = 9.81;

// The lane loads that the rules BR_A36_UDL and BR_BS5400_UDL set per span, as they stand
// on short spans; the standard vehicles carry them until the rule first runs.
inline constexpr double kA36LaneLoad = 1.49; // t/m
inline constexpr double kHALaneLoad = 30.0;  // kN/m

// Which design-code rule re-shapes a load model for the bridge it runs on. The
// numbers and formulas of each rule stand beside its code in LoadModelBridge.cpp.
enum BridgeRule : std::int32_t {
    BR_A36_UDL = 0,            // A36 lane load, falling with the span
    BR_A36_UDL_DLA = 1,        // rule 0, then rule 3
    BR_NAASRA_PL = 2,          // NAASRA additional point load on two and three spans
    BR_A36_DLA = 3,            // A36/NAASRA dynamic load allowance from the span
    BR_NAASRA_PL_A36_DLA = 4,  // rule 2, then rule 3
    BR_ABDC_DLA = 5,           // ABDC dynamic load allowance from the span
    BR_NAASRA_PL_ABDC_DLA = 6, // rule 2, then rule 5
    BR_BS5400_UDL = 7,         // BS5400 HA lane load, falling with the span
    BR_NONE = 8,
};

enum TravelDirection : std::int32_t {
    TD_FORWARD = 0,
    TD_REVERSE = 1, // locations mirrored over the model's length
};

// Everything of a load model that a run and its bridge rule read and write, held as one
// value so that a run's state is saved, restored and compared whole: a field added here
// cannot be left out of the compare.
struct LoadModelRunState {
    struct UniformLoad {
        double gamma = 1.0;
        double magnitude = 0.0; // per metre
        bool operator==(const UniformLoad&) const = default;
        QEL_DECLARE_SERIALIZE;
    };
    struct PointLoad {
        double gamma = 1.0;
        double magnitude = 0.0;
        double location = 0.0; // along the vehicle
        double width = 0.0;    // axle width, for the width factor
        bool operator==(const PointLoad&) const = default;
        QEL_DECLARE_SERIALIZE;
    };
    struct PartialUDLoad {
        double gamma = 1.0;
        double magnitude = 0.0; // per metre
        double location = 0.0;  // start of the loaded length
        double cover = 0.0;     // loaded length forward from location
        bool operator==(const PartialUDLoad&) const = default;
        QEL_DECLARE_SERIALIZE;
    };

    std::int32_t m_WidthFactor = 0; // 0 none, 1 low distribution, 2 high distribution
    double m_Gamma = 1.0;           // product of the four factor values
    double m_GammaPL = 1.0;
    double m_GammaUDL = 1.0;
    double m_GammaPUDL = 1.0;
    bool m_bIsUpdated = false;
    double m_Length = 0.0;
    double m_MaxLocation = 0.0;
    double m_MinLocation = 0.0;
    std::uint32_t m_nLoads = 0;
    std::uint32_t m_nUDL = 0;
    std::uint32_t m_nPL = 0;
    std::uint32_t m_nPUDL = 0;
    bool m_bAdjustToBridge = false;
    BridgeRule m_lmBridge = BR_NONE;
    bool m_bAppliesBM = true;
    bool m_bAppliesSF = true;
    bool m_bAppliesR = true;
    bool m_bUseMinL = false;
    bool m_bUseMaxL = false;
    double m_minL = 0.0;
    double m_maxL = 10000.0;
    TravelDirection m_Direction = TD_FORWARD;
    bool m_bIsMoving = true;
    double m_PointLoadStart = 0.0;
    std::vector<UniformLoad> m_vUDL;
    std::vector<PointLoad> m_vPL;
    std::vector<PartialUDLoad> m_vPUDL;
    Factor m_gDLA;
    Factor m_gLiveLoad;
    Factor m_gUnits;
    Factor m_gArbitrary;

    // Defaulted, not bit for bit: the two differ only for a NaN, never equal to itself (a
    // replay then walks on to the run's last position, as the run does), and for the sign
    // of a zero, which changes no result.
    bool operator==(const LoadModelRunState&) const = default;
};

// One vehicle or lane load.
//
// Threads: an ensemble analysis runs a model on a worker thread, and that run writes the
// model (bridge rule, Update). While it runs, nothing else may write the model; the
// document keeps its commands off models in use, so the model carries no lock.
class CLoadModel : public CElement, public LoadModelRunState {
public:
    CLoadModel();
    CLoadModel(int id, std::wstring description);
    ~CLoadModel() override = default;
    CLoadModel(const CLoadModel&) = default;
    // A copy of model standing in another run state.
    CLoadModel(const CLoadModel& model, const LoadModelRunState& state) : CElement(model), LoadModelRunState(state) {}
    CLoadModel& operator=(const CLoadModel&) = default;

    void InitFactors();
    Factor GetFactor(int i) const;
    void SetGammaUDL(double g);
    void SetGammaPUDL(double g);

    void AddUDL(double magnitude);
    void AddPointLoad(double magnitude, double location, double width);
    void AddPartialUDL(double magnitude, double location, double cover);
    void SetUDL(unsigned int i, double magnitude);
    void SetPointLoad(unsigned int i, double gamma, double magnitude, double location, double width);
    void SetPartialUDL(unsigned int i, double gamma, double magnitude, double location, double cover);
    // The location as the analysis sees it: a reversed model returns the mirror image of
    // the loaded length [location, location + cover].
    void GetPartialUDL(unsigned int i, double& gamma, double& magnitude, double& location, double& cover) const;
    bool RemoveUDL(unsigned int i);
    bool RemovePointLoad(unsigned int i);
    bool RemovePartialUDL(unsigned int i);
    void RemoveZeroLoads(); // point and partial uniform loads
    void RemoveZeroUDLs();  // uniform loads

    void Update();

    // Applies the rule of m_lmBridge for this bridge; changes the model itself. What the
    // rule did goes to the feedback's status lines.
    void AdjustToBridge(const std::shared_ptr<CBridge>& pBridge, const CAnalysisFeedback& feedback);
    // One dynamic load allowance factor (1 + allowance) per bridge of the set, in order.
    std::vector<double> GetDLAs(std::shared_ptr<CBridgeSet> pBridgeSet) const;
    double GetA36DLA(const std::shared_ptr<CBridge>& pBridge) const;
    double GetABDCDLA(const std::shared_ptr<CBridge>& pBridge) const;

    double GetWidthFactor(const double& magnitude, const double& width) const;

    // Gives "<description>: <text>" to the feedback as a status line.
    void PostStatus(const CAnalysisFeedback& feedback, std::wstring_view text) const;

    const LoadModelRunState& RunState() const { return *this; }
    // Puts the model back as it stood when its state was taken; its name and id stay.
    void RestoreRunState(const LoadModelRunState& state) { static_cast<LoadModelRunState&>(*this) = state; }

private:
    void ApplyA36UDL(const std::shared_ptr<CBridge>& pBridge, const CAnalysisFeedback& feedback);
    void ApplyNAASRAPointLoad(const std::shared_ptr<CBridge>& pBridge, const CAnalysisFeedback& feedback);
    void ApplyA36DLA(const std::shared_ptr<CBridge>& pBridge, const CAnalysisFeedback& feedback);
    void ApplyABDCDLA(const std::shared_ptr<CBridge>& pBridge, const CAnalysisFeedback& feedback);
    void ApplyBS5400UDL(const std::shared_ptr<CBridge>& pBridge, const CAnalysisFeedback& feedback);
    void ShiftLocations(double d);
    void SyncCounts();

    QEL_DECLARE_SERIALIZE;
};
