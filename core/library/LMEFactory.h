#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/bounds/Bounds.h"
#include "core/library/Catalogue.h"

class CLoadModel;
class CLoadModelEnsemble;

// The standard vehicles of published bridge design codes. Every call builds new,
// locked load models grouped into a new ensemble; the library keeps none of them.
class CLMEFactory {
public:
    using LMEPtr = std::shared_ptr<CLoadModelEnsemble>;
    using LMPtr = std::shared_ptr<CLoadModel>;

    // Upper bound on the number of variable spacings of one ensemble.
    static constexpr int MaxSpacings = static_cast<int>(Bounds::AxleSpacings.hi);

    CLMEFactory() = default;
    virtual ~CLMEFactory() = default;

    LMEPtr GetA26();
    LMEPtr GetA26_AA26();
    LMEPtr GetA26_A26();
    LMEPtr GetA26_B26();

    LMEPtr GetA36();
    LMEPtr GetA36_AA36();
    LMEPtr GetA36_A36();
    LMEPtr GetA36_B36();

    LMEPtr GetNAASRA1970(bool byStep, double value);
    LMEPtr GetNAASRA1970_MS18(bool byStep, double value);
    LMEPtr GetNAASRA1970_MS13(bool byStep, double value);
    LMEPtr GetNAASRA1970_M18();
    LMEPtr GetNAASRA1970_M13();
    LMEPtr GetNAASRA1970_M9();

    LMEPtr GetNAASRA1976(bool byStep, double value);
    LMEPtr GetNAASRA1976_A14();
    LMEPtr GetNAASRA1976_L44();
    LMEPtr GetNAASRA1976_T44(bool byStep, double value);
    LMEPtr GetNAASRA1976_SAV(bool byStep, double value);

    LMEPtr GetABDC1992(bool byStep, double value);
    LMEPtr GetABDC1992_W7();
    LMEPtr GetABDC1992_L44();
    LMEPtr GetABDC1992_T44(bool byStep, double value);
    LMEPtr GetABDC1992_HLP320(bool byStep, double value);
    LMEPtr GetABDC1992_HLP400(bool byStep, double value);

    LMEPtr GetABAG();
    LMEPtr GetABAG_BDouble1();
    LMEPtr GetABAG_BDouble2();
    LMEPtr GetABAG_BDouble3();
    LMEPtr GetABAG_Semi1();
    LMEPtr GetABAG_Semi2();
    LMEPtr GetABAG_Semi3();
    LMEPtr GetABAG_Semi4();

    LMEPtr GetAS5100(bool byStep, double value);
    LMEPtr GetAS5100_W80();
    LMEPtr GetAS5100_A160();
    LMEPtr GetAS5100_M1600(bool byStep, double value);
    LMEPtr GetAS5100_S1600(bool byStep, double value);
    LMEPtr GetAS5100_HLP320(bool byStep, double value);
    LMEPtr GetAS5100_HLP400(bool byStep, double value);

    LMEPtr GetEurocode();
    LMEPtr GetEurocode_LM1();

    LMEPtr GetBS5400(int nHBUnits);
    LMEPtr GetBS5400_HA();
    LMEPtr GetBS5400_HAHB(int nHBUnits);

    LMEPtr GetAASHTO();
    LMEPtr GetAASHTO_HL93();

    // Spacings S over [sMin, sMax]: by step length (value) or by count (value
    // truncated). Raises std::invalid_argument for a step that is not a finite
    // positive number, a count outside 0..MaxSpacings, or more than MaxSpacings steps.
    static std::vector<double> GetSpacings(bool byStep, double sMin, double sMax, double value);

    // A load model with one point load per axle, axle i at minus the sum of the
    // first i spacings. Raises std::runtime_error "Wrong number of axles or
    // spacings" unless there is one spacing fewer than axles.
    static LMPtr MakeVehicle(int id, const std::wstring& name, const std::vector<double>& loads,
                             const std::vector<double>& spacings);

    // Appends the sixteen axles of a heavy load platform: two groups of eight
    // axles 1.8 apart, S between the groups.
    static void AddHLPAxles(CLoadModel& lm, double S, double P, double w);

    std::array<int, VF_COUNT> m_nFamilyID{100, 200, 300, 400, 500, 600, 700, 800, 900, 1000};
    bool m_bUseStandardDLA = true;
    double m_dUserDLA = 1.0;

private:
    LMEPtr MakeEnsemble(StandardEnsemble which, bool byStep = false, double value = 0.0) const;
    LMEPtr MakeFamily(VehicleFamily family, const char* name, bool locked) const;
    LMEPtr MakeABAG(int index) const;
    LMPtr MakeABAGVehicle(int index, int id) const;
    LMPtr BuildModel(const VehicleSpec& spec, int id, const std::wstring& name, double S, VehicleFamily family) const;
    static void AddLoads(CLoadModel& lm, const VehicleSpec& spec, double S);
    void ApplyAttributes(CLoadModel& lm, const VehicleSpec& spec, VehicleFamily family) const;
    void ApplyAllowance(CLoadModel& lm, const VehicleAllowance& allowance) const;
};
