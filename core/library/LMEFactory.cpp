#include "core/library/LMEFactory.h"

#include <cmath>
#include <stdexcept>

#include "core/bridge/Linspace.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "platform/base/CLocale.h"

namespace {

std::wstring Text(const char* s)
{
    return Utf8ToWide(s);
}

}

// ---- building blocks -------------------------------------------------------------

std::vector<double> CLMEFactory::GetSpacings(bool byStep, double sMin, double sMax, double value)
{
    if (byStep) {
        if (!std::isfinite(value) || value <= 0.0)
            throw std::invalid_argument("The spacing step must be a finite positive number");
        // Bounded before the sequence is made: a tiny step would otherwise ask for
        // an unbounded number of vehicles.
        if ((sMax - sMin) / value > MaxSpacings)
            throw std::invalid_argument("The spacing step is too small for the range of spacings");
        return LinspaceStep(sMin, sMax, value);
    }
    // The count is the value truncated; NaN fails both comparisons.
    if (!(value > -1.0 && value < MaxSpacings + 1.0))
        throw std::invalid_argument("The number of spacings must lie between 0 and 1000");
    return Linspace(static_cast<int>(value), sMin, sMax);
}

CLMEFactory::LMPtr CLMEFactory::MakeVehicle(int id, const std::wstring& name, const std::vector<double>& loads,
                                            const std::vector<double>& spacings)
{
    auto lm = std::make_shared<CLoadModel>(id, name);
    if (loads.size() != spacings.size() + 1)
        throw std::runtime_error("Wrong number of axles or spacings");
    double x = 0.0;
    for (size_t i = 0; i < loads.size(); ++i) {
        if (i > 0)
            x = x - spacings[i - 1];
        lm->AddPointLoad(loads[i], x, 0.0);
    }
    return lm;
}

void CLMEFactory::AddHLPAxles(CLoadModel& lm, double S, double P, double w)
{
    double x = 0.0;
    for (int i = 0; i < 2 * kHLPAxlesPerGroup; ++i) {
        if (i == kHLPAxlesPerGroup)
            x = x - S;
        else if (i > 0)
            x = x - kHLPAxlePitch;
        lm.AddPointLoad(P, x, w);
    }
}

void CLMEFactory::AddLoads(CLoadModel& lm, const VehicleSpec& spec, double S)
{
    for (const VehicleLoad& l : spec.loads) {
        const double x = l.behindS ? l.location - S : l.location;
        switch (l.kind) {
        case VehicleLoadKind::UDL: lm.AddUDL(l.magnitude); break;
        case VehicleLoadKind::Point: lm.AddPointLoad(l.magnitude, x, l.extent); break;
        case VehicleLoadKind::PartialUDL: lm.AddPartialUDL(l.magnitude, x, l.extent); break;
        }
    }
    if (spec.hlp)
        AddHLPAxles(lm, S, spec.hlp->load, spec.hlp->width);
}

void CLMEFactory::ApplyAllowance(CLoadModel& lm, const VehicleAllowance& a) const
{
    const double dla = m_bUseStandardDLA ? a.dla : m_dUserDLA;
    switch (a.kind) {
    case AllowanceKind::Constant: lm.m_gDLA.value = dla; break;
    case AllowanceKind::Rule:
        if (m_bUseStandardDLA) {
            lm.m_bAdjustToBridge = true;
            lm.m_lmBridge = static_cast<BridgeRule>(a.rule);
        } else {
            lm.m_gDLA.value = m_dUserDLA;
        }
        break;
    case AllowanceKind::LaneRule:
        lm.m_bAdjustToBridge = true;
        if (m_bUseStandardDLA) {
            lm.m_lmBridge = static_cast<BridgeRule>(a.rule);
        } else {
            lm.m_lmBridge = static_cast<BridgeRule>(a.userRule);
            lm.m_gDLA.value = m_dUserDLA;
        }
        break;
    case AllowanceKind::FixedRule7:
        lm.m_bAdjustToBridge = true;
        lm.m_lmBridge = static_cast<BridgeRule>(a.rule);
        lm.m_gDLA.value = dla;
        break;
    case AllowanceKind::AxleGamma:
        // The allowance scales the axles only, not the lane load.
        lm.m_GammaPL = dla;
        for (auto& pl : lm.m_vPL)
            pl.gamma = dla;
        break;
    }
}

void CLMEFactory::ApplyAttributes(CLoadModel& lm, const VehicleSpec& spec, VehicleFamily family) const
{
    lm.m_bIsEditable = false;
    lm.m_gUnits.value = FamilyUnits(family);
    if (spec.gammaUDL)
        lm.SetGammaUDL(*spec.gammaUDL);
    if (spec.gammaPUDL)
        lm.SetGammaPUDL(*spec.gammaPUDL);
    lm.m_bAppliesBM = spec.appliesBM;
    lm.m_bAppliesSF = spec.appliesSF;
    lm.m_bAppliesR = spec.appliesR;
    if (spec.minL) {
        lm.m_bUseMinL = true;
        lm.m_minL = *spec.minL;
    }
    if (spec.maxL) {
        lm.m_bUseMaxL = true;
        lm.m_maxL = *spec.maxL;
    }
    ApplyAllowance(lm, spec.allowance);
}

CLMEFactory::LMPtr CLMEFactory::BuildModel(const VehicleSpec& spec, int id, const std::wstring& name, double S,
                                           VehicleFamily family) const
{
    auto lm = std::make_shared<CLoadModel>(id, name);
    AddLoads(*lm, spec, S);
    ApplyAttributes(*lm, spec, family);
    return lm;
}

CLMEFactory::LMEPtr CLMEFactory::MakeEnsemble(StandardEnsemble which, bool byStep, double value) const
{
    const EnsembleSpec& e = GetEnsembleSpec(which);
    const int familyID = m_nFamilyID[e.family];
    auto lme = std::make_shared<CLoadModelEnsemble>(familyID, Text(e.name));
    lme->m_bIsEditable = !e.locked;

    int id = familyID + e.firstOffset;
    for (const VehicleSpec& spec : e.fixed)
        lme->AddLoadModel(BuildModel(spec, id++, Text(spec.name), 0.0, e.family));

    if (e.variable) {
        std::vector<double> spacings;
        if (e.leadingS)
            spacings.push_back(*e.leadingS);
        for (double S : GetSpacings(byStep, e.sMin, e.sMax, value))
            spacings.push_back(S);
        for (double S : spacings)
            lme->AddLoadModel(BuildModel(*e.variable, id++, FormatDoubleCW(e.variable->name, S), S, e.family));
    }
    return lme;
}

CLMEFactory::LMEPtr CLMEFactory::MakeFamily(VehicleFamily family, const char* name, bool locked) const
{
    auto lme = std::make_shared<CLoadModelEnsemble>(m_nFamilyID[family], Text(name));
    lme->m_bIsEditable = !locked;
    return lme;
}

CLMEFactory::LMPtr CLMEFactory::MakeABAGVehicle(int index, int id) const
{
    const AxleVehicle& v = ABAGVehicles().at(static_cast<size_t>(index));
    LMPtr lm = MakeVehicle(id, Text(v.name), v.loads, v.spacings);
    ApplyAttributes(*lm, VehicleSpec{.allowance = ABAGAllowance()}, VF_ABAG);
    return lm;
}

CLMEFactory::LMEPtr CLMEFactory::MakeABAG(int index) const
{
    const AxleVehicle& v = ABAGVehicles().at(static_cast<size_t>(index));
    auto lme = std::make_shared<CLoadModelEnsemble>(m_nFamilyID[VF_ABAG], Text(v.ensemble));
    lme->AddLoadModel(MakeABAGVehicle(index, m_nFamilyID[VF_ABAG] + 1));
    return lme;
}

// ---- A26 -------------------------------------------------------------------------

CLMEFactory::LMEPtr CLMEFactory::GetA26()
{
    auto lme = MakeFamily(VF_A26, "A26", true);
    lme->AddEnsemble(*GetA26_AA26());
    lme->AddEnsemble(*GetA26_A26());
    lme->AddEnsemble(*GetA26_B26());
    return lme;
}
CLMEFactory::LMEPtr CLMEFactory::GetA26_AA26()
{
    return MakeEnsemble(StandardEnsemble::A26_AA26);
}
CLMEFactory::LMEPtr CLMEFactory::GetA26_A26()
{
    return MakeEnsemble(StandardEnsemble::A26_A26);
}
CLMEFactory::LMEPtr CLMEFactory::GetA26_B26()
{
    return MakeEnsemble(StandardEnsemble::A26_B26);
}

// ---- A36 -------------------------------------------------------------------------

CLMEFactory::LMEPtr CLMEFactory::GetA36()
{
    auto lme = MakeFamily(VF_A36, "A36", true);
    lme->AddEnsemble(*GetA36_AA36());
    lme->AddEnsemble(*GetA36_A36());
    lme->AddEnsemble(*GetA36_B36());
    return lme;
}
CLMEFactory::LMEPtr CLMEFactory::GetA36_AA36()
{
    return MakeEnsemble(StandardEnsemble::A36_AA36);
}
CLMEFactory::LMEPtr CLMEFactory::GetA36_A36()
{
    return MakeEnsemble(StandardEnsemble::A36_A36);
}
CLMEFactory::LMEPtr CLMEFactory::GetA36_B36()
{
    return MakeEnsemble(StandardEnsemble::A36_B36);
}

// ---- NAASRA 1970 -----------------------------------------------------------------

CLMEFactory::LMEPtr CLMEFactory::GetNAASRA1970(bool byStep, double value)
{
    auto lme = MakeFamily(VF_NAASRA1970, "NAASRA 1970", true);
    lme->AddEnsemble(*GetNAASRA1970_MS18(byStep, value));
    lme->AddEnsemble(*GetNAASRA1970_MS13(byStep, value));
    lme->AddEnsemble(*GetNAASRA1970_M18());
    lme->AddEnsemble(*GetNAASRA1970_M13());
    lme->AddEnsemble(*GetNAASRA1970_M9());
    return lme;
}
CLMEFactory::LMEPtr CLMEFactory::GetNAASRA1970_MS18(bool byStep, double value)
{
    return MakeEnsemble(StandardEnsemble::NAASRA1970_MS18, byStep, value);
}
CLMEFactory::LMEPtr CLMEFactory::GetNAASRA1970_MS13(bool byStep, double value)
{
    return MakeEnsemble(StandardEnsemble::NAASRA1970_MS13, byStep, value);
}
CLMEFactory::LMEPtr CLMEFactory::GetNAASRA1970_M18()
{
    return MakeEnsemble(StandardEnsemble::NAASRA1970_M18);
}
CLMEFactory::LMEPtr CLMEFactory::GetNAASRA1970_M13()
{
    return MakeEnsemble(StandardEnsemble::NAASRA1970_M13);
}
CLMEFactory::LMEPtr CLMEFactory::GetNAASRA1970_M9()
{
    return MakeEnsemble(StandardEnsemble::NAASRA1970_M9);
}

// ---- NAASRA 1976 -----------------------------------------------------------------

CLMEFactory::LMEPtr CLMEFactory::GetNAASRA1976(bool byStep, double value)
{
    auto lme = MakeFamily(VF_NAASRA1976, "NAASRA 1976", true);
    lme->AddEnsemble(*GetNAASRA1976_A14());
    lme->AddEnsemble(*GetNAASRA1976_T44(byStep, value));
    lme->AddEnsemble(*GetNAASRA1976_L44());
    return lme;
}
CLMEFactory::LMEPtr CLMEFactory::GetNAASRA1976_A14()
{
    return MakeEnsemble(StandardEnsemble::NAASRA1976_A14);
}
CLMEFactory::LMEPtr CLMEFactory::GetNAASRA1976_L44()
{
    return MakeEnsemble(StandardEnsemble::NAASRA1976_L44);
}
CLMEFactory::LMEPtr CLMEFactory::GetNAASRA1976_T44(bool byStep, double value)
{
    return MakeEnsemble(StandardEnsemble::NAASRA1976_T44, byStep, value);
}
CLMEFactory::LMEPtr CLMEFactory::GetNAASRA1976_SAV(bool byStep, double value)
{
    return MakeEnsemble(StandardEnsemble::NAASRA1976_SAV, byStep, value);
}

// ---- ABDC 1992 -------------------------------------------------------------------

CLMEFactory::LMEPtr CLMEFactory::GetABDC1992(bool byStep, double value)
{
    auto lme = MakeFamily(VF_ABDC1992, "ABDC 1992", true);
    lme->AddEnsemble(*GetABDC1992_W7());
    lme->AddEnsemble(*GetABDC1992_T44(byStep, value));
    lme->AddEnsemble(*GetABDC1992_L44());
    return lme;
}
CLMEFactory::LMEPtr CLMEFactory::GetABDC1992_W7()
{
    return MakeEnsemble(StandardEnsemble::ABDC1992_W7);
}
CLMEFactory::LMEPtr CLMEFactory::GetABDC1992_L44()
{
    return MakeEnsemble(StandardEnsemble::ABDC1992_L44);
}
CLMEFactory::LMEPtr CLMEFactory::GetABDC1992_T44(bool byStep, double value)
{
    return MakeEnsemble(StandardEnsemble::ABDC1992_T44, byStep, value);
}
CLMEFactory::LMEPtr CLMEFactory::GetABDC1992_HLP320(bool byStep, double value)
{
    return MakeEnsemble(StandardEnsemble::ABDC1992_HLP320, byStep, value);
}
CLMEFactory::LMEPtr CLMEFactory::GetABDC1992_HLP400(bool byStep, double value)
{
    return MakeEnsemble(StandardEnsemble::ABDC1992_HLP400, byStep, value);
}

// ---- ABAG: the family holds the seven vehicles directly, ids +1 to +7 --------------

CLMEFactory::LMEPtr CLMEFactory::GetABAG()
{
    auto lme = MakeFamily(VF_ABAG, "ABAG", false);
    const int n = static_cast<int>(ABAGVehicles().size());
    for (int i = 0; i < n; ++i)
        lme->AddLoadModel(MakeABAGVehicle(i, m_nFamilyID[VF_ABAG] + 1 + i));
    return lme;
}
CLMEFactory::LMEPtr CLMEFactory::GetABAG_BDouble1()
{
    return MakeABAG(0);
}
CLMEFactory::LMEPtr CLMEFactory::GetABAG_BDouble2()
{
    return MakeABAG(1);
}
CLMEFactory::LMEPtr CLMEFactory::GetABAG_BDouble3()
{
    return MakeABAG(2);
}
CLMEFactory::LMEPtr CLMEFactory::GetABAG_Semi1()
{
    return MakeABAG(3);
}
CLMEFactory::LMEPtr CLMEFactory::GetABAG_Semi2()
{
    return MakeABAG(4);
}
CLMEFactory::LMEPtr CLMEFactory::GetABAG_Semi3()
{
    return MakeABAG(5);
}
CLMEFactory::LMEPtr CLMEFactory::GetABAG_Semi4()
{
    return MakeABAG(6);
}

// ---- AS5100 ----------------------------------------------------------------------

CLMEFactory::LMEPtr CLMEFactory::GetAS5100(bool byStep, double value)
{
    auto lme = MakeFamily(VF_AS5100, "AS5100", true);
    lme->AddEnsemble(*GetAS5100_W80());
    lme->AddEnsemble(*GetAS5100_A160());
    lme->AddEnsemble(*GetAS5100_M1600(byStep, value));
    lme->AddEnsemble(*GetAS5100_S1600(byStep, value));
    return lme;
}
CLMEFactory::LMEPtr CLMEFactory::GetAS5100_W80()
{
    return MakeEnsemble(StandardEnsemble::AS5100_W80);
}
CLMEFactory::LMEPtr CLMEFactory::GetAS5100_A160()
{
    return MakeEnsemble(StandardEnsemble::AS5100_A160);
}
CLMEFactory::LMEPtr CLMEFactory::GetAS5100_M1600(bool byStep, double value)
{
    return MakeEnsemble(StandardEnsemble::AS5100_M1600, byStep, value);
}
CLMEFactory::LMEPtr CLMEFactory::GetAS5100_S1600(bool byStep, double value)
{
    return MakeEnsemble(StandardEnsemble::AS5100_S1600, byStep, value);
}
CLMEFactory::LMEPtr CLMEFactory::GetAS5100_HLP320(bool byStep, double value)
{
    return MakeEnsemble(StandardEnsemble::AS5100_HLP320, byStep, value);
}
CLMEFactory::LMEPtr CLMEFactory::GetAS5100_HLP400(bool byStep, double value)
{
    return MakeEnsemble(StandardEnsemble::AS5100_HLP400, byStep, value);
}

// ---- Eurocode --------------------------------------------------------------------

CLMEFactory::LMEPtr CLMEFactory::GetEurocode()
{
    auto lme = MakeFamily(VF_EUROCODE, "Eurocode", true);
    lme->AddEnsemble(*GetEurocode_LM1());
    return lme;
}
CLMEFactory::LMEPtr CLMEFactory::GetEurocode_LM1()
{
    return MakeEnsemble(StandardEnsemble::EUROCODE_LM1);
}

// ---- BS5400 ----------------------------------------------------------------------

CLMEFactory::LMEPtr CLMEFactory::GetBS5400(int nHBUnits)
{
    auto lme = MakeFamily(VF_BS5400, "BS5400", true);
    lme->AddEnsemble(*GetBS5400_HA());
    lme->AddEnsemble(*GetBS5400_HAHB(nHBUnits));
    return lme;
}
CLMEFactory::LMEPtr CLMEFactory::GetBS5400_HA()
{
    return MakeEnsemble(StandardEnsemble::BS5400_HA);
}

CLMEFactory::LMEPtr CLMEFactory::GetBS5400_HAHB(int nHBUnits)
{
    const HAHBTable& t = BS5400HAHB();
    const int familyID = m_nFamilyID[VF_BS5400];
    auto lme = std::make_shared<CLoadModelEnsemble>(familyID, Text(t.ensemble));
    lme->m_bIsEditable = false;

    VehicleSpec spec = t.vehicle;
    for (VehicleLoad& l : spec.loads)
        if (l.kind == VehicleLoadKind::Point)
            l.magnitude = nHBUnits * l.magnitude;

    int id = familyID + t.firstOffset;
    for (double v : t.spacings) {
        auto lm = std::make_shared<CLoadModel>(id++, FormatDoubleCW(spec.name, v));
        AddLoads(*lm, spec, v);
        // No HA lane load from `clearance` ahead of the first HB axle to `clearance` behind the last.
        const double x4 = lm->m_vPL.back().location;
        lm->AddPartialUDL(-t.udl, x4 - t.clearance, std::fabs(x4) + t.clearance);
        ApplyAttributes(*lm, spec, VF_BS5400);
        lme->AddLoadModel(lm);
    }
    return lme;
}

// ---- AASHTO ----------------------------------------------------------------------

CLMEFactory::LMEPtr CLMEFactory::GetAASHTO()
{
    auto lme = MakeFamily(VF_AASHTO, "AASHTO", true);
    lme->AddEnsemble(*GetAASHTO_HL93());
    return lme;
}
CLMEFactory::LMEPtr CLMEFactory::GetAASHTO_HL93()
{
    return MakeEnsemble(StandardEnsemble::AASHTO_HL93);
}
