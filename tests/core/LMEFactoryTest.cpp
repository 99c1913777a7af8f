#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/analysis/SinglePosAnalysis.h"
#include "core/beam/BeamResults.h"
#include "core/bridge/Bridge.h"
#include "core/library/LMEFactory.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "TestOptions.h"

namespace {

// ---- expected catalogue, transcribed from the published tables ----------------------

struct ExpLoad {
    char kind; // 'U' uniform, 'P' point, 'D' partial
    double magnitude;
    double location = 0.0;
    double extent = 0.0; // width or cover
    double gamma = 1.0;
};
ExpLoad U(double w, double g = 1.0)
{
    return {'U', w, 0.0, 0.0, g};
}
ExpLoad P(double p, double x, double width = 0.0, double g = 1.0)
{
    return {'P', p, x, width, g};
}
ExpLoad D(double w, double x, double cover, double g = 1.0)
{
    return {'D', w, x, cover, g};
}

// Allowance as the code gives it: constant D, rule R, lane rule R / R', fixed rule 7, axle gamma D.
struct ExpAllow {
    char kind; // 'C', 'R', 'L', '7', 'G'
    double d = 1.0;
    int rule = 8;
    int userRule = 8;
};
ExpAllow C(double d)
{
    return {'C', d};
}
ExpAllow R(int r)
{
    return {'R', 1.0, r};
}
ExpAllow Lane(int r, int rUser)
{
    return {'L', 1.0, r, rUser};
}
ExpAllow F7(double d)
{
    return {'7', d, 7, 7};
}
ExpAllow G(double d)
{
    return {'G', d};
}

struct ExpModel {
    std::wstring name;
    int id = 0;
    std::vector<ExpLoad> loads = {};
    ExpAllow allow = {};
    std::string applies = "BM SF R";
    double units = 1.0;
    double minL = 0.0; // 0: not in force
    double maxL = 0.0;
    double gammaUDL = 1.0;
    double gammaPUDL = 1.0;
};

struct ExpEnsemble {
    std::wstring name;
    int id;
    bool locked;
    std::vector<ExpModel> models;
};

// The sixteen axles of a heavy load platform.
std::vector<ExpLoad> HLPLoads(double p, double w, double S)
{
    std::vector<ExpLoad> v;
    for (double x : {0.0, -1.8, -3.6, -5.4, -7.2, -9.0, -10.8, -12.6})
        v.push_back(P(p, x, w));
    for (double x : {-12.6, -14.4, -16.2, -18.0, -19.8, -21.6, -23.4, -25.2})
        v.push_back(P(p, x - S, w));
    return v;
}

std::vector<ExpLoad> Axles(const std::vector<double>& loads, const std::vector<double>& xs)
{
    std::vector<ExpLoad> v;
    for (size_t i = 0; i < loads.size(); ++i)
        v.push_back(P(loads[i], xs[i]));
    return v;
}

const double T = 9.81; // tonnes to kN

std::vector<ExpModel> A26(const wchar_t* veh, const wchar_t* udl, int id, double p1, double x1, double p2, double w)
{
    return {{.name = veh, .id = id, .loads = {P(p1, x1, 2.0), P(p2, 0.0, 2.2)}, .allow = C(1.3), .units = T},
            {.name = udl, .id = id + 1, .loads = {U(w)}, .allow = C(1.0), .units = T}};
}

std::vector<ExpModel> A36(const wchar_t* bmsf, const wchar_t* r, int id, double g, double p1, double x1, double p2,
                          double x2)
{
    std::vector<ExpLoad> loads{U(1.49, g), D(-1.49, -9.145, 9.145, g), P(p1, x1), P(p2, x2)};
    return {{.name = bmsf,
             .id = id,
             .loads = loads,
             .allow = Lane(1, 0),
             .applies = "BM SF",
             .units = T,
             .gammaUDL = g,
             .gammaPUDL = g},
            {.name = r,
             .id = id + 1,
             .loads = loads,
             .allow = Lane(1, 0),
             .applies = "R",
             .units = T,
             .gammaUDL = g,
             .gammaPUDL = g}};
}

std::vector<ExpModel> NaasraLanes(const std::wstring& cls, int id, double w, double pm, double pv)
{
    return {{.name = cls + L" Lane load - M",
             .id = id,
             .loads = {U(w), P(pm, 0.0)},
             .allow = Lane(4, 2),
             .applies = "BM R",
             .units = T},
            {.name = cls + L" Lane load - V",
             .id = id + 1,
             .loads = {U(w), P(pv, 0.0)},
             .allow = Lane(4, 2),
             .applies = "SF R",
             .units = T}};
}

ExpModel NaasraTruck(std::wstring name, int id, double p1, double p2, std::vector<double> rear)
{
    ExpModel m{.name = std::move(name), .id = id, .allow = R(3), .units = T};
    m.loads = {P(p1, 0.0)};
    for (double x : rear)
        m.loads.push_back(P(p2, x));
    return m;
}

std::vector<ExpModel> Cat(std::vector<ExpModel> a, const std::vector<ExpModel>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

ExpModel T44(const wchar_t* name, int id, double S, ExpAllow allow)
{
    return {.name = name,
            .id = id,
            .loads = {P(48.0, 0.0), P(96.0, -3.7), P(96.0, -4.9), P(96.0, -4.9 - S), P(96.0, -6.1 - S)},
            .allow = allow,
            .minL = 4.5};
}

std::vector<ExpModel> HLPModels(int id, double p, double w)
{
    // By count 2: the S = 1.8 member, then S = 6 and 15.
    return {{.name = L"HLP: S = 1.800", .id = id, .loads = HLPLoads(p, w, 1.8), .allow = C(1.1)},
            {.name = L"HLP: S = 6.000", .id = id + 1, .loads = HLPLoads(p, w, 6.0), .allow = C(1.1)},
            {.name = L"HLP: S = 15.000", .id = id + 2, .loads = HLPLoads(p, w, 15.0), .allow = C(1.1)}};
}

ExpModel Abag(const wchar_t* name, int id, const std::vector<double>& loads, const std::vector<double>& xs)
{
    return {.name = name, .id = id, .loads = Axles(loads, xs), .allow = R(5), .units = T};
}
const std::vector<double> BDouble{6.0, 8.5, 8.5, 7.5, 7.5, 7.5, 7.5, 7.5, 7.5};
const std::vector<double> Semi{6.0, 8.5, 8.5, 7.5, 7.5, 7.5};
// Axle positions summed by hand from the spacings.
const std::vector<ExpModel>& AbagModels()
{
    static const std::vector<ExpModel> v{
        Abag(L"B-double AS1", 601, BDouble, {0, -3, -4.2, -9.7, -10.9, -12.1, -18.6, -19.8, -21.0}),
        Abag(L"B-double AS2", 602, BDouble, {0, -3, -4.2, -10.2, -11.4, -12.6, -18.6, -19.8, -21.0}),
        Abag(L"B-double AS3", 603, BDouble, {0, -3, -4.2, -10.7, -11.9, -13.1, -18.6, -19.8, -21.0}),
        Abag(L"Semi-trailer AS1", 604, Semi, {0, -3, -4.2, -8.6, -9.8, -11.0}),
        Abag(L"Semi-trailer AS2", 605, Semi, {0, -3, -4.2, -10.6, -11.8, -13.0}),
        Abag(L"Semi-trailer AS3", 606, Semi, {0, -3, -4.2, -12.6, -13.8, -15.0}),
        Abag(L"Semi-trailer AS4", 607, Semi, {0, -3, -4.2, -14.6, -15.8, -17.0}),
    };
    return v;
}
ExpModel AbagMember(int i)
{
    ExpModel m = AbagModels()[i];
    m.id = 601;
    return m;
}

ExpModel Moving1600(std::wstring name, int id, double udl, double p, std::vector<double> xs, double dla)
{
    ExpModel m{.name = std::move(name), .id = id, .allow = C(dla)};
    m.loads = {U(udl)};
    for (double x : xs)
        m.loads.push_back(P(p, x));
    return m;
}

ExpModel HAHB(const wchar_t* name, int id, double v)
{
    // 45 HB units: 450 kN per axle; lane load removed from 25 m ahead of the first
    // HB axle (at -25) to 25 m behind the last (at -(28.6 + v)).
    return {.name = name,
            .id = id,
            .loads = {U(30.0), P(450.0, -25.0, 3.5), P(450.0, -26.8, 3.5), P(450.0, -26.8 - v, 3.5),
                      P(450.0, -28.6 - v, 3.5), D(-30.0, -53.6 - v, 53.6 + v)},
            .allow = F7(1.0)};
}

using Call = std::function<std::shared_ptr<CLoadModelEnsemble>(CLMEFactory&)>;

// Every member ensemble, variable ones by count 2 (S = S_min and S_max).
std::vector<std::pair<Call, ExpEnsemble>> MemberCatalogue()
{
    return {
        {[](CLMEFactory& f) { return f.GetA26_AA26(); },
         {L"A26-AA26", 100, true, A26(L"AA26-vehicle", L"AA26-UDL", 101, 5.67, 3.658, 13.61, 1.79)}},
        {[](CLMEFactory& f) { return f.GetA26_A26(); },
         {L"A26-A26", 100, true, A26(L"A26-vehicle", L"A26-UDL", 111, 5.08, 3.048, 10.16, 1.49)}},
        {[](CLMEFactory& f) { return f.GetA26_B26(); },
         {L"A26-B26", 100, true, A26(L"B26-vehicle", L"B26-UDL", 121, 3.4, 3.04, 6.8, 1.19)}},

        {[](CLMEFactory& f) { return f.GetA36_AA36(); },
         {L"A36-AA36", 200, true, A36(L"AA36-BM/SF", L"AA36-R", 201, 1.2, 5.67, -1.829, 13.61, -5.487)}},
        {[](CLMEFactory& f) { return f.GetA36_A36(); },
         {L"A36-A36", 200, true, A36(L"A36-BM/SF", L"A36-R", 211, 1.0, 5.67, -1.829, 11.34, -5.487)}},
        {[](CLMEFactory& f) { return f.GetA36_B36(); },
         {L"A36-B36", 200, true, A36(L"B36-BM/SF", L"B36-R", 221, 0.8, 3.4, -1.524, 6.8, -4.572)}},

        {[](CLMEFactory& f) { return f.GetNAASRA1970_MS18(false, 2); },
         {L"NAASRA 1970-MS18", 300, false,
          Cat(NaasraLanes(L"MS18", 301, 0.96, 8.16, 11.84),
              {NaasraTruck(L"MS18 HS20 truck: S = 4.250", 303, 3.67, 14.69, {-4.25, -8.5}),
               NaasraTruck(L"MS18 HS20 truck: S = 9.150", 304, 3.67, 14.69, {-4.25, -13.4})})}},
        {[](CLMEFactory& f) { return f.GetNAASRA1970_MS13(false, 2); },
         {L"NAASRA 1970-MS13", 300, false,
          Cat(NaasraLanes(L"MS13.5", 331, 0.72, 6.12, 8.88),
              {NaasraTruck(L"MS13.5 HS15 truck: S = 4.250", 333, 2.76, 11.02, {-4.25, -8.5}),
               NaasraTruck(L"MS13.5 HS15 truck: S = 9.150", 334, 2.76, 11.02, {-4.25, -13.4})})}},
        {[](CLMEFactory& f) { return f.GetNAASRA1970_M18(); },
         {L"NAASRA 1970-M18", 300, false,
          Cat(NaasraLanes(L"M18", 371, 0.96, 8.16, 11.84),
              {NaasraTruck(L"M18 H20 truck", 373, 3.67, 14.69, {-4.25})})}},
        {[](CLMEFactory& f) { return f.GetNAASRA1970_M13(); },
         {L"NAASRA 1970-M13", 300, false,
          Cat(NaasraLanes(L"M13.5", 381, 0.72, 6.12, 8.88),
              {NaasraTruck(L"M13.5 H15 truck", 383, 2.76, 11.02, {-4.25})})}},
        {[](CLMEFactory& f) { return f.GetNAASRA1970_M9(); },
         {L"NAASRA 1970-M9", 300, false,
          Cat(NaasraLanes(L"M9", 391, 0.48, 4.08, 5.92), {NaasraTruck(L"M9 H10 truck", 393, 1.84, 7.35, {-4.25})})}},

        {[](CLMEFactory& f) { return f.GetNAASRA1976_A14(); },
         {L"NAASRA 1976-A14",
          400,
          false,
          {{.name = L"A14", .id = 401, .loads = {P(140.0, 0.0, 1.8)}, .allow = R(3), .maxL = 4.5}}}},
        {[](CLMEFactory& f) { return f.GetNAASRA1976_T44(false, 2); },
         {L"NAASRA 1976-T44",
          400,
          false,
          {T44(L"T44 truck: S = 3.000", 411, 3.0, R(3)), T44(L"T44 truck: S = 8.000", 412, 8.0, R(3))}}},
        {[](CLMEFactory& f) { return f.GetNAASRA1976_L44(); },
         {L"NAASRA 1976-L44",
          400,
          false,
          {{.name = L"T44 Lane load - M",
            .id = 461,
            .loads = {U(12.5), P(106.0, 0.0)},
            .allow = Lane(4, 2),
            .applies = "BM",
            .minL = 10.0},
           {.name = L"T44 Lane load - V",
            .id = 462,
            .loads = {U(12.5), P(154.0, 0.0)},
            .allow = Lane(4, 2),
            .applies = "SF",
            .minL = 10.0},
           {.name = L"T44 Lane load - R",
            .id = 463,
            .loads = {U(12.5), P(154.0, 0.0)},
            .allow = Lane(4, 2),
            .applies = "R",
            .minL = 10.0}}}},
        {[](CLMEFactory& f) { return f.GetNAASRA1976_SAV(false, 2); },
         {L"NAASRA 1976-SAV",
          400,
          false,
          {{.name = L"SAV truck: S = 6.000",
            .id = 471,
            .loads = {P(240, 0, 4.5), P(240, -1.5, 4.5), P(240, -3, 4.5), P(240, -4.5, 4.5), P(240, -10.5, 4.5),
                      P(240, -12, 4.5), P(240, -13.5, 4.5), P(240, -15, 4.5)},
            .allow = C(1.1)},
           {.name = L"SAV truck: S = 15.000",
            .id = 472,
            .loads = {P(240, 0, 4.5), P(240, -1.5, 4.5), P(240, -3, 4.5), P(240, -4.5, 4.5), P(240, -19.5, 4.5),
                      P(240, -21, 4.5), P(240, -22.5, 4.5), P(240, -24, 4.5)},
            .allow = C(1.1)}}}},

        {[](CLMEFactory& f) { return f.GetABDC1992_W7(); },
         {L"ABDC 1992-W7", 500, false, {{.name = L"W7", .id = 501, .loads = {P(70.0, 0.0)}, .allow = C(1.25)}}}},
        {[](CLMEFactory& f) { return f.GetABDC1992_T44(false, 2); },
         {L"ABDC 1992-T44",
          500,
          false,
          {T44(L"T44 truck: S = 3.000", 511, 3.0, R(5)), T44(L"T44 truck: S = 8.000", 512, 8.0, R(5))}}},
        {[](CLMEFactory& f) { return f.GetABDC1992_L44(); },
         {L"ABDC 1992-L44",
          500,
          false,
          {{.name = L"L44 Lane load - BM/SF",
            .id = 541,
            .loads = {U(12.5), P(150.0, 0.0)},
            .allow = Lane(6, 2),
            .applies = "BM SF",
            .minL = 10.0},
           {.name = L"L44 Lane load - R",
            .id = 542,
            .loads = {U(12.5), P(150.0, 0.0)},
            .allow = Lane(6, 2),
            .applies = "R",
            .minL = 10.0}}}},
        {[](CLMEFactory& f) { return f.GetABDC1992_HLP320(false, 2); },
         {L"ABDC 1992-HLP320", 500, false, HLPModels(551, 200.0, 3.6)}},
        {[](CLMEFactory& f) { return f.GetABDC1992_HLP400(false, 2); },
         {L"ABDC 1992-HLP400", 500, false, HLPModels(581, 250.0, 4.5)}},

        {[](CLMEFactory& f) { return f.GetABAG_BDouble1(); }, {L"ABAG - B-double 1", 600, false, {AbagMember(0)}}},
        {[](CLMEFactory& f) { return f.GetABAG_BDouble2(); }, {L"ABAG - B-double 2", 600, false, {AbagMember(1)}}},
        {[](CLMEFactory& f) { return f.GetABAG_BDouble3(); }, {L"ABAG - B-double 3", 600, false, {AbagMember(2)}}},
        {[](CLMEFactory& f) { return f.GetABAG_Semi1(); }, {L"ABAG - Semi 1", 600, false, {AbagMember(3)}}},
        {[](CLMEFactory& f) { return f.GetABAG_Semi2(); }, {L"ABAG - Semi 2", 600, false, {AbagMember(4)}}},
        {[](CLMEFactory& f) { return f.GetABAG_Semi3(); }, {L"ABAG - Semi 3", 600, false, {AbagMember(5)}}},
        {[](CLMEFactory& f) { return f.GetABAG_Semi4(); }, {L"ABAG - Semi 4", 600, false, {AbagMember(6)}}},

        {[](CLMEFactory& f) { return f.GetAS5100_W80(); },
         {L"AS5100-W80", 700, false, {{.name = L"W80", .id = 701, .loads = {P(80.0, 0.0)}, .allow = C(1.4)}}}},
        {[](CLMEFactory& f) { return f.GetAS5100_A160(); },
         {L"AS5100-A160", 700, false, {{.name = L"A160", .id = 711, .loads = {P(160.0, 0.0)}, .allow = C(1.4)}}}},
        {[](CLMEFactory& f) { return f.GetAS5100_M1600(false, 2); },
         {L"AS5100-M1600",
          700,
          false,
          {Moving1600(L"M1600: S = 6.250", 721, 6.0, 120.0,
                      {0, -1.25, -2.5, -6.25, -7.5, -8.75, -15.0, -16.25, -17.5, -22.5, -23.75, -25.0}, 1.3),
           Moving1600(L"M1600: S = 25.000", 722, 6.0, 120.0,
                      {0, -1.25, -2.5, -6.25, -7.5, -8.75, -33.75, -35.0, -36.25, -41.25, -42.5, -43.75}, 1.3)}}},
        {[](CLMEFactory& f) { return f.GetAS5100_S1600(false, 2); },
         {L"AS5100-S1600",
          700,
          false,
          {Moving1600(L"S1600: S = 6.250", 741, 24.0, 80.0,
                      {0, -1.25, -2.5, -7.5, -8.75, -10.0, -16.25, -17.5, -18.75, -22.5, -23.75, -25.0}, 1.0),
           Moving1600(L"S1600: S = 25.000", 742, 24.0, 80.0,
                      {0, -1.25, -2.5, -7.5, -8.75, -10.0, -35.0, -36.25, -37.5, -41.25, -42.5, -43.75}, 1.0)}}},
        {[](CLMEFactory& f) { return f.GetAS5100_HLP320(false, 2); },
         {L"AS5100-HLP320", 700, false, HLPModels(761, 200.0, 3.6)}},
        {[](CLMEFactory& f) { return f.GetAS5100_HLP400(false, 2); },
         {L"AS5100-HLP400", 700, false, HLPModels(781, 250.0, 4.5)}},

        // Tandem axles 1.2 m apart.
        {[](CLMEFactory& f) { return f.GetEurocode_LM1(); },
         {L"Eurocode",
          800,
          true,
          {{.name = L"LM1", .id = 801, .loads = {P(300.0, 0.0), P(300.0, -1.2), U(27.0)}, .allow = C(1.0)}}}},

        {[](CLMEFactory& f) { return f.GetBS5400_HA(); },
         {L"BS5400 HA", 900, true, {{.name = L"HA", .id = 901, .loads = {U(30.0), P(120.0, 0.0)}, .allow = F7(1.0)}}}},
        {[](CLMEFactory& f) { return f.GetBS5400_HAHB(45); },
         {L"BS5400 HAHB",
          900,
          true,
          {HAHB(L"HAHB - 6.0", 901, 6.0), HAHB(L"HAHB - 11.0", 902, 11.0), HAHB(L"HAHB - 16.0", 903, 16.0),
           HAHB(L"HAHB - 21.0", 904, 21.0), HAHB(L"HAHB - 26.0", 905, 26.0)}}},

        {[](CLMEFactory& f) { return f.GetAASHTO_HL93(); },
         {L"AASHTO",
          1000,
          true,
          {{.name = L"HL93",
            .id = 1001,
            .loads = {P(35.0, 0.0, 0.0, 1.33), P(145.0, -4.3, 0.0, 1.33), P(145.0, -8.6, 0.0, 1.33), U(9.3)},
            .allow = G(1.33)}}}},
    };
}

// Family entry points and the member ensembles they are made of, in order.
struct ExpFamily {
    Call call;
    std::wstring name;
    int id;
    bool locked;
    std::vector<std::wstring> members;
};

std::vector<ExpFamily> FamilyCatalogue()
{
    return {
        {[](CLMEFactory& f) { return f.GetA26(); }, L"A26", 100, true, {L"A26-AA26", L"A26-A26", L"A26-B26"}},
        {[](CLMEFactory& f) { return f.GetA36(); }, L"A36", 200, true, {L"A36-AA36", L"A36-A36", L"A36-B36"}},
        {[](CLMEFactory& f) { return f.GetNAASRA1970(false, 2); },
         L"NAASRA 1970",
         300,
         true,
         {L"NAASRA 1970-MS18", L"NAASRA 1970-MS13", L"NAASRA 1970-M18", L"NAASRA 1970-M13", L"NAASRA 1970-M9"}},
        {[](CLMEFactory& f) { return f.GetNAASRA1976(false, 2); },
         L"NAASRA 1976",
         400,
         true,
         {L"NAASRA 1976-A14", L"NAASRA 1976-T44", L"NAASRA 1976-L44"}},
        {[](CLMEFactory& f) { return f.GetABDC1992(false, 2); },
         L"ABDC 1992",
         500,
         true,
         {L"ABDC 1992-W7", L"ABDC 1992-T44", L"ABDC 1992-L44"}},
        {[](CLMEFactory& f) { return f.GetAS5100(false, 2); },
         L"AS5100",
         700,
         true,
         {L"AS5100-W80", L"AS5100-A160", L"AS5100-M1600", L"AS5100-S1600"}},
        {[](CLMEFactory& f) { return f.GetEurocode(); }, L"Eurocode", 800, true, {L"Eurocode"}},
        {[](CLMEFactory& f) { return f.GetBS5400(45); }, L"BS5400", 900, true, {L"BS5400 HA", L"BS5400 HAHB"}},
        {[](CLMEFactory& f) { return f.GetAASHTO(); }, L"AASHTO", 1000, true, {L"AASHTO"}},
    };
}

// ---- checks ----------------------------------------------------------------------------

std::string Applies(const CLoadModel& lm)
{
    std::string s;
    auto add = [&s](bool on, const char* what) {
        if (on)
            s += s.empty() ? what : std::string(" ") + what;
    };
    add(lm.m_bAppliesBM, "BM");
    add(lm.m_bAppliesSF, "SF");
    add(lm.m_bAppliesR, "R");
    return s;
}

std::string Narrow(const std::wstring& w)
{
    return std::string(w.begin(), w.end());
}

const double Tol = 1e-9;

void CheckLoads(const CLoadModel& lm, const ExpModel& e)
{
    std::vector<ExpLoad> udl, pl, pudl;
    for (const ExpLoad& l : e.loads)
        (l.kind == 'U' ? udl : l.kind == 'P' ? pl : pudl).push_back(l);
    ASSERT_EQ(lm.m_vUDL.size(), udl.size());
    ASSERT_EQ(lm.m_vPL.size(), pl.size());
    ASSERT_EQ(lm.m_vPUDL.size(), pudl.size());
    EXPECT_EQ(lm.m_nUDL, udl.size());
    EXPECT_EQ(lm.m_nPL, pl.size());
    EXPECT_EQ(lm.m_nPUDL, pudl.size());
    for (size_t i = 0; i < udl.size(); ++i) {
        EXPECT_NEAR(lm.m_vUDL[i].magnitude, udl[i].magnitude, Tol) << "UDL " << i;
        EXPECT_NEAR(lm.m_vUDL[i].gamma, udl[i].gamma, Tol) << "UDL " << i;
    }
    for (size_t i = 0; i < pl.size(); ++i) {
        EXPECT_NEAR(lm.m_vPL[i].magnitude, pl[i].magnitude, Tol) << "axle " << i;
        EXPECT_NEAR(lm.m_vPL[i].location, pl[i].location, Tol) << "axle " << i;
        EXPECT_NEAR(lm.m_vPL[i].width, pl[i].extent, Tol) << "axle " << i;
        EXPECT_NEAR(lm.m_vPL[i].gamma, pl[i].gamma, Tol) << "axle " << i;
    }
    for (size_t i = 0; i < pudl.size(); ++i) {
        EXPECT_NEAR(lm.m_vPUDL[i].magnitude, pudl[i].magnitude, Tol) << "partial " << i;
        EXPECT_NEAR(lm.m_vPUDL[i].location, pudl[i].location, Tol) << "partial " << i;
        EXPECT_NEAR(lm.m_vPUDL[i].cover, pudl[i].extent, Tol) << "partial " << i;
        EXPECT_NEAR(lm.m_vPUDL[i].gamma, pudl[i].gamma, Tol) << "partial " << i;
    }
}

// The code's own allowance.
void CheckStandardAllowance(const CLoadModel& lm, const ExpAllow& a)
{
    switch (a.kind) {
    case 'C':
        EXPECT_DOUBLE_EQ(lm.m_gDLA.value, a.d);
        EXPECT_FALSE(lm.m_bAdjustToBridge);
        EXPECT_EQ(static_cast<int>(lm.m_lmBridge), 8);
        break;
    case 'R':
    case 'L':
        EXPECT_DOUBLE_EQ(lm.m_gDLA.value, 1.0);
        EXPECT_TRUE(lm.m_bAdjustToBridge);
        EXPECT_EQ(static_cast<int>(lm.m_lmBridge), a.rule);
        break;
    case '7':
        EXPECT_DOUBLE_EQ(lm.m_gDLA.value, a.d);
        EXPECT_TRUE(lm.m_bAdjustToBridge);
        EXPECT_EQ(static_cast<int>(lm.m_lmBridge), 7);
        break;
    case 'G':
        EXPECT_DOUBLE_EQ(lm.m_gDLA.value, 1.0);
        EXPECT_DOUBLE_EQ(lm.m_GammaPL, a.d);
        EXPECT_FALSE(lm.m_bAdjustToBridge);
        break;
    }
    if (a.kind != 'G') {
        EXPECT_DOUBLE_EQ(lm.m_GammaPL, 1.0);
    }
}

void CheckModel(const CLoadModel& lm, const ExpModel& e)
{
    SCOPED_TRACE(Narrow(e.name));
    EXPECT_EQ(lm.GetDescription(), e.name);
    EXPECT_EQ(lm.m_ID, e.id);
    EXPECT_EQ(lm.m_ElementType, ET_LOADMODEL);
    EXPECT_FALSE(lm.m_bIsEditable);
    EXPECT_EQ(Applies(lm), e.applies);
    EXPECT_DOUBLE_EQ(lm.m_gUnits.value, e.units);
    EXPECT_DOUBLE_EQ(lm.m_gLiveLoad.value, 1.0);
    EXPECT_DOUBLE_EQ(lm.m_gArbitrary.value, 1.0);
    EXPECT_EQ(lm.m_bUseMinL, e.minL != 0.0);
    if (e.minL != 0.0) {
        EXPECT_DOUBLE_EQ(lm.m_minL, e.minL);
    }
    EXPECT_EQ(lm.m_bUseMaxL, e.maxL != 0.0);
    if (e.maxL != 0.0) {
        EXPECT_DOUBLE_EQ(lm.m_maxL, e.maxL);
    }
    EXPECT_DOUBLE_EQ(lm.m_GammaUDL, e.gammaUDL);
    EXPECT_DOUBLE_EQ(lm.m_GammaPUDL, e.gammaPUDL);
    EXPECT_TRUE(lm.m_bIsMoving);
    EXPECT_EQ(static_cast<int>(lm.m_Direction), 0);
    EXPECT_EQ(lm.m_WidthFactor, 0);
    CheckStandardAllowance(lm, e.allow);
    CheckLoads(lm, e);
}

void CheckEnsemble(const CLoadModelEnsemble& lme, const ExpEnsemble& e)
{
    SCOPED_TRACE(Narrow(e.name));
    EXPECT_EQ(lme.GetDescription(), e.name);
    EXPECT_EQ(lme.m_ID, e.id);
    EXPECT_EQ(lme.m_ElementType, ET_LOADMODELENSEMBLE);
    EXPECT_EQ(lme.m_bIsEditable, !e.locked);
    ASSERT_EQ(lme.m_vLoadModel.size(), e.models.size());
    EXPECT_EQ(static_cast<size_t>(lme.m_nLoadModels), e.models.size());
    for (size_t i = 0; i < e.models.size(); ++i)
        CheckModel(*lme.m_vLoadModel[i], e.models[i]);
}

// ---- the whole catalogue -----------------------------------------------------------------

TEST(LMEFactoryCatalogue, EveryMemberEnsembleMatchesTheCatalogue)
{
    CLMEFactory f;
    for (const auto& [call, expected] : MemberCatalogue())
        CheckEnsemble(*call(f), expected);
}

TEST(LMEFactoryCatalogue, FamiliesChainTheirMembersInOrderAndAreLocked)
{
    std::map<std::wstring, ExpEnsemble> members;
    for (const auto& [call, expected] : MemberCatalogue())
        members.emplace(expected.name, expected);

    CLMEFactory f;
    for (const ExpFamily& fam : FamilyCatalogue()) {
        ExpEnsemble e{fam.name, fam.id, fam.locked, {}};
        for (const std::wstring& m : fam.members)
            e.models = Cat(e.models, members.at(m).models);
        CheckEnsemble(*fam.call(f), e);
    }
}

TEST(LMEFactoryCatalogue, ABAGFamilyHoldsTheSevenVehiclesNumberedOneToSevenAndIsNotLocked)
{
    CLMEFactory f;
    CheckEnsemble(*f.GetABAG(), {L"ABAG", 600, false, AbagModels()});
}

TEST(LMEFactoryCatalogue, FamilySizesByCountTen)
{
    CLMEFactory f;
    EXPECT_EQ(f.GetA26()->m_nLoadModels, 6);
    EXPECT_EQ(f.GetA36()->m_nLoadModels, 6);
    EXPECT_EQ(f.GetNAASRA1970(false, 10)->m_nLoadModels, 33);
    EXPECT_EQ(f.GetNAASRA1976(false, 10)->m_nLoadModels, 14);
    EXPECT_EQ(f.GetABDC1992(false, 10)->m_nLoadModels, 13);
    EXPECT_EQ(f.GetABAG()->m_nLoadModels, 7);
    EXPECT_EQ(f.GetAS5100(false, 10)->m_nLoadModels, 22);
    EXPECT_EQ(f.GetEurocode()->m_nLoadModels, 1);
    EXPECT_EQ(f.GetBS5400(45)->m_nLoadModels, 6);
    EXPECT_EQ(f.GetAASHTO()->m_nLoadModels, 1);
}

TEST(LMEFactoryCatalogue, FamilyIdsFollowTheCodeOrder)
{
    CLMEFactory f;
    const std::array<int, 10> ids{100, 200, 300, 400, 500, 600, 700, 800, 900, 1000};
    EXPECT_EQ(f.m_nFamilyID, ids);
    EXPECT_TRUE(f.m_bUseStandardDLA);
    EXPECT_DOUBLE_EQ(f.m_dUserDLA, 1.0);
}

// ---- variable spacings -------------------------------------------------------------------

TEST(LMEFactorySpacings, T44ByStepOneEndsWithASecondEightMetreTruck)
{
    CLMEFactory f;
    auto lme = f.GetNAASRA1976_T44(true, 1.0);
    const std::vector<double> S{3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 8.0};
    ASSERT_EQ(lme->m_nLoadModels, 7);
    for (size_t i = 0; i < S.size(); ++i) {
        const CLoadModel& lm = *lme->GetLoadModel(static_cast<unsigned>(i));
        const std::wstring name = L"T44 truck: S = " + std::to_wstring(static_cast<int>(S[i])) + L".000";
        CheckModel(lm, T44(name.c_str(), 411 + static_cast<int>(i), S[i], R(3)));
    }
    // The two 8 m trucks are distinct objects.
    EXPECT_NE(lme->GetLoadModel(5), lme->GetLoadModel(6));
}

TEST(LMEFactorySpacings, MS18ByStepOneEndsAtTheRangeEnd)
{
    CLMEFactory f;
    auto lme = f.GetNAASRA1970_MS18(true, 1.0);
    const std::vector<std::wstring> names{L"MS18 Lane load - M",         L"MS18 Lane load - V",
                                          L"MS18 HS20 truck: S = 4.250", L"MS18 HS20 truck: S = 5.250",
                                          L"MS18 HS20 truck: S = 6.250", L"MS18 HS20 truck: S = 7.250",
                                          L"MS18 HS20 truck: S = 8.250", L"MS18 HS20 truck: S = 9.150"};
    ASSERT_EQ(lme->m_nLoadModels, static_cast<int>(names.size()));
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(lme->GetLoadModel(static_cast<unsigned>(i))->GetDescription(), names[i]);
        EXPECT_EQ(lme->GetLoadModel(static_cast<unsigned>(i))->m_ID, 301 + static_cast<int>(i));
    }
    EXPECT_NEAR(lme->GetLoadModel(7)->m_vPL[2].location, -(4.25 + 9.15), Tol);
}

TEST(LMEFactorySpacings, HLPByCountTenPutsTheOnePointEightMemberFirst)
{
    CLMEFactory f;
    for (auto lme : {f.GetABDC1992_HLP320(false, 10), f.GetAS5100_HLP320(false, 10)}) {
        ASSERT_EQ(lme->m_nLoadModels, 11);
        const CLoadModel& first = *lme->GetLoadModel(0);
        EXPECT_EQ(first.GetDescription(), L"HLP: S = 1.800");
        // S = 1.8: sixteen axles 1.8 m apart throughout.
        ASSERT_EQ(first.m_nPL, 16u);
        for (unsigned i = 0; i < 16; ++i)
            EXPECT_NEAR(first.m_vPL[i].location, -1.8 * i, Tol) << i;
        EXPECT_NEAR(first.m_vPL[15].location, -27.0, Tol);
        // Then S = 6, 7, ..., 15.
        for (unsigned i = 1; i < 11; ++i) {
            const double S = 5.0 + i;
            EXPECT_EQ(lme->GetLoadModel(i)->GetDescription(),
                      L"HLP: S = " + std::to_wstring(static_cast<int>(S)) + L".000");
            EXPECT_NEAR(lme->GetLoadModel(i)->m_vPL[8].location, -12.6 - S, Tol);
        }
    }
    EXPECT_EQ(f.GetABDC1992_HLP400(false, 10)->GetLoadModel(0)->m_ID, 581);
    EXPECT_EQ(f.GetAS5100_HLP320(false, 10)->GetLoadModel(10)->m_ID, 771);
}

TEST(LMEFactorySpacings, CountBelowTwoLeavesOnlyTheFixedMembers)
{
    CLMEFactory f;
    for (double n : {0.0, 1.0, 1.9}) {
        EXPECT_EQ(f.GetNAASRA1970_MS18(false, n)->m_nLoadModels, 2);
        EXPECT_EQ(f.GetNAASRA1970_MS13(false, n)->m_nLoadModels, 2);
        EXPECT_EQ(f.GetABDC1992_HLP400(false, n)->m_nLoadModels, 1);
        EXPECT_EQ(f.GetAS5100_HLP320(false, n)->m_nLoadModels, 1);
        EXPECT_EQ(f.GetNAASRA1976_T44(false, n)->m_nLoadModels, 0);
        EXPECT_EQ(f.GetNAASRA1976_SAV(false, n)->m_nLoadModels, 0);
        EXPECT_EQ(f.GetAS5100_M1600(false, n)->m_nLoadModels, 0);
        EXPECT_EQ(f.GetAS5100_S1600(false, n)->m_nLoadModels, 0);
    }
}

TEST(LMEFactorySpacings, AFamilyPassesItsSteppingToEveryVariableMember)
{
    CLMEFactory f;
    // By step 5: T44 3, 8, 8 (3 trucks); M1600 and S1600 6.25, 11.25, 16.25, 21.25, 25 (5 each).
    EXPECT_EQ(f.GetNAASRA1976(true, 5.0)->m_nLoadModels, 1 + 3 + 3);
    EXPECT_EQ(f.GetAS5100(true, 5.0)->m_nLoadModels, 1 + 1 + 5 + 5);
    // MS18 and MS13.5: 4.9 m of range is less than one step, so S = 9.15 alone.
    EXPECT_EQ(f.GetNAASRA1970(true, 5.0)->m_nLoadModels, 3 + 3 + 3 + 3 + 3);
}

TEST(LMEFactorySpacings, BadStepsAndCountsAreRefused)
{
    for (double step : {0.0, -1.0, std::nan(""), HUGE_VAL, 1e-300, 0.001})
        EXPECT_THROW(CLMEFactory::GetSpacings(true, 3.0, 8.0, step), std::invalid_argument) << step;
    for (double n : {-1.0, -5.0, 1001.0, 1e12, std::nan(""), HUGE_VAL})
        EXPECT_THROW(CLMEFactory::GetSpacings(false, 3.0, 8.0, n), std::invalid_argument) << n;

    // The limits themselves are fine; a count is truncated.
    EXPECT_EQ(CLMEFactory::GetSpacings(false, 3.0, 8.0, 1000.0).size(), 1000u);
    EXPECT_EQ(CLMEFactory::GetSpacings(false, 3.0, 8.0, 2.9).size(), 2u);
    EXPECT_TRUE(CLMEFactory::GetSpacings(false, 3.0, 8.0, -0.5).empty());
    EXPECT_EQ(CLMEFactory::GetSpacings(true, 3.0, 8.0, 0.25).size(), 22u); // 3, 3.25, ..., 8, 8
    // A step longer than the range gives the end alone.
    EXPECT_EQ(CLMEFactory::GetSpacings(true, 3.0, 8.0, 6.0), std::vector<double>{8.0});

    CLMEFactory f;
    EXPECT_THROW(f.GetNAASRA1976(true, 0.0), std::invalid_argument);
}

// ---- allowance ---------------------------------------------------------------------------

TEST(LMEFactoryAllowance, UserAllowanceReplacesTheCodesOwnButKeepsLaneAndHARules)
{
    CLMEFactory f;
    f.m_bUseStandardDLA = false;
    f.m_dUserDLA = 1.25;
    int models = 0;
    for (const auto& [call, expected] : MemberCatalogue()) {
        auto lme = call(f);
        ASSERT_EQ(lme->m_vLoadModel.size(), expected.models.size());
        for (size_t i = 0; i < expected.models.size(); ++i) {
            const CLoadModel& lm = *lme->m_vLoadModel[i];
            const ExpAllow& a = expected.models[i].allow;
            SCOPED_TRACE(Narrow(lm.GetDescription()));
            ++models;
            switch (a.kind) {
            case 'C':
            case 'R':
                EXPECT_DOUBLE_EQ(lm.m_gDLA.value, 1.25);
                EXPECT_FALSE(lm.m_bAdjustToBridge);
                EXPECT_EQ(static_cast<int>(lm.m_lmBridge), 8);
                break;
            case 'L':
                EXPECT_DOUBLE_EQ(lm.m_gDLA.value, 1.25);
                EXPECT_TRUE(lm.m_bAdjustToBridge);
                EXPECT_EQ(static_cast<int>(lm.m_lmBridge), a.userRule);
                EXPECT_TRUE(a.userRule == 0 || a.userRule == 2);
                break;
            case '7':
                EXPECT_DOUBLE_EQ(lm.m_gDLA.value, 1.25);
                EXPECT_TRUE(lm.m_bAdjustToBridge);
                EXPECT_EQ(static_cast<int>(lm.m_lmBridge), 7);
                break;
            case 'G':
                EXPECT_EQ(lm.GetDescription(), L"HL93");
                EXPECT_DOUBLE_EQ(lm.m_gDLA.value, 1.0);
                EXPECT_DOUBLE_EQ(lm.m_GammaPL, 1.25);
                ASSERT_EQ(lm.m_nPL, 3u);
                for (const auto& pl : lm.m_vPL)
                    EXPECT_DOUBLE_EQ(pl.gamma, 1.25);
                EXPECT_DOUBLE_EQ(lm.m_vUDL[0].gamma, 1.0);
                break;
            }
        }
    }
    EXPECT_EQ(models, 75);
}

TEST(LMEFactoryAllowance, ModelsKeepTheAllowanceTheyWereBuiltWith)
{
    CLMEFactory f;
    auto before = f.GetAS5100_W80();
    f.m_bUseStandardDLA = false;
    f.m_dUserDLA = 1.5;
    auto after = f.GetAS5100_W80();
    EXPECT_DOUBLE_EQ(before->GetLoadModel(0)->m_gDLA.value, 1.4);
    EXPECT_DOUBLE_EQ(after->GetLoadModel(0)->m_gDLA.value, 1.5);
}

// ---- the library's own operations -----------------------------------------------------------

TEST(LMEFactoryOperations, MakeVehiclePlacesAxlesAtTheSummedSpacings)
{
    auto lm = CLMEFactory::MakeVehicle(7, L"Truck", {10.0, 20.0, 30.0}, {2.5, 4.0});
    EXPECT_EQ(lm->m_ID, 7);
    EXPECT_EQ(lm->GetDescription(), L"Truck");
    ASSERT_EQ(lm->m_nPL, 3u);
    EXPECT_DOUBLE_EQ(lm->m_vPL[0].location, 0.0);
    EXPECT_DOUBLE_EQ(lm->m_vPL[1].location, -2.5);
    EXPECT_DOUBLE_EQ(lm->m_vPL[2].location, -6.5);
    EXPECT_DOUBLE_EQ(lm->m_vPL[2].magnitude, 30.0);
    EXPECT_DOUBLE_EQ(lm->m_vPL[2].width, 0.0);
}

TEST(LMEFactoryOperations, MakeVehicleRefusesMismatchedListsAsAStandardException)
{
    for (const auto& spacings : {std::vector<double>{1.0, 2.0}, std::vector<double>{}}) {
        try {
            CLMEFactory::MakeVehicle(1, L"Bad", {10.0, 20.0, 30.0, 40.0}, spacings);
            ADD_FAILURE() << "no exception";
        } catch (const std::exception& e) {
            EXPECT_STREQ(e.what(), "Wrong number of axles or spacings");
        }
    }
}

TEST(LMEFactoryOperations, EachCallBuildsNewObjects)
{
    CLMEFactory f;
    auto a = f.GetA26();
    auto b = f.GetA26();
    ASSERT_EQ(a->m_nLoadModels, b->m_nLoadModels);
    EXPECT_NE(a, b);
    for (unsigned i = 0; i < static_cast<unsigned>(a->m_nLoadModels); ++i) {
        EXPECT_NE(a->GetLoadModel(i), b->GetLoadModel(i));
        EXPECT_EQ(a->GetLoadModel(i)->m_ID, b->GetLoadModel(i)->m_ID);
    }
}

// ---- BS5400 HA + HB and the HA lane rule ------------------------------------------------

TEST(LMEFactoryBS5400, HBZoneLosesItsLaneLoadWhateverTheSpan)
{
    CLMEFactory f;
    auto lme = f.GetBS5400_HAHB(45);
    for (unsigned i = 0; i < 5; ++i) {
        CLoadModel& lm = *lme->GetLoadModel(i);
        // 151 (1/50)^0.475 = 23.549; 30 up to 30 m.
        for (auto [L, w] : {std::pair{50.0, 23.549}, std::pair{20.0, 30.0}, std::pair{1000.0, 9.0}}) {
            lm.AdjustToBridge(CBridge::Create(0, L"B", BC_ONESPAN, L), CAnalysisFeedback::None());
            EXPECT_NEAR(lm.m_vUDL[0].magnitude, w, 1e-3) << L;
            EXPECT_NEAR(lm.m_vPUDL[0].magnitude, -w, 1e-3) << L;
        }
    }
}

TEST(LMEFactoryBS5400, HALaneRuleLeavesOtherPartialLoadsAlone)
{
    CLoadModel lm(1, L"LM");
    lm.AddUDL(30.0);
    lm.AddPartialUDL(-5.0, -10.0, 10.0);
    lm.m_bAdjustToBridge = true;
    lm.m_lmBridge = BR_BS5400_UDL;
    lm.AdjustToBridge(CBridge::Create(0, L"B", BC_ONESPAN, 50.0), CAnalysisFeedback::None());
    EXPECT_NEAR(lm.m_vUDL[0].magnitude, 23.549, 1e-3);
    EXPECT_DOUBLE_EQ(lm.m_vPUDL[0].magnitude, -5.0);
}

// ---- one vehicle of each family on a 20 m simple span, by hand statics ------------------------
//
// Each vehicle stands where its heaviest axle group is about midspan. For a load P at a
// on a span of 20: midspan moment P a / 2 (a <= 10) or P (20 - a) / 2 (a >= 10), left
// reaction P (20 - a) / 20; a uniform load w gives w 20^2 / 8 = 50 w and 10 w per
// support. The factor is DLA x units x gamma; rules 3 and 5 give the allowance from
// the 20 m span: A36/NAASRA 1.1 for a model that counts for reactions, ABDC
// 1 + 0.4 - (100/20 - 4.5) 0.15/1.5 = 1.35.

struct StaticsCase {
    const char* what;
    Call call;
    unsigned index;  // model in the ensemble
    double position; // of the front axle
    double moment;   // at midspan
    double rLeft;
    double rRight;
};

std::vector<StaticsCase> StaticsCases()
{
    const double t = 9.81;
    return {
        // 5.08 t at 13.048, 10.16 t at 10.0; x 1.3 x 9.81.
        {"A26-vehicle", [](CLMEFactory& f) { return f.GetA26_A26(); }, 0, 13.048,
         (5.08 * 6.952 / 2 + 10.16 * 5) * 1.3 * t, (5.08 * 6.952 / 20 + 10.16 / 2) * 1.3 * t,
         (5.08 * 13.048 / 20 + 10.16 / 2) * 1.3 * t},
        // Reactions only. Front at 20: 5.67 t at 18.171, 11.34 t at 14.513; the 1.49 t/m
        // lane load stops at 20 - 9.145 = 10.855 (rule 0 keeps 1.49 up to 30.48 m);
        // allowance 1.1 (rule 3, reactions).
        {"A36-R", [](CLMEFactory& f) { return f.GetA36_A36(); }, 1, 20.0, 0.0,
         (5.67 * 1.829 / 20 + 11.34 * 5.487 / 20 + 1.49 * 10.855 * (20 - 10.855 / 2) / 20) * 1.1 * t,
         (5.67 * 18.171 / 20 + 11.34 * 14.513 / 20 + 1.49 * 10.855 * (10.855 / 2) / 20) * 1.1 * t},
        // 3.67 t at 14.25, 14.69 t at 10.0; allowance 1.1 (rule 3, reactions counted).
        {"M18 H20 truck", [](CLMEFactory& f) { return f.GetNAASRA1970_M18(); }, 2, 14.25,
         (3.67 * 5.75 / 2 + 14.69 * 5) * 1.1 * t, (3.67 * 5.75 / 20 + 14.69 / 2) * 1.1 * t,
         (3.67 * 14.25 / 20 + 14.69 / 2) * 1.1 * t},
        // T44, S = 3: 48 at 14.9, 96 at 11.2, 10.0, 7.0, 5.8.
        {"NAASRA 1976 T44", [](CLMEFactory& f) { return f.GetNAASRA1976_T44(false, 2); }, 0, 14.9,
         (48 * 5.1 / 2 + 96 * (8.8 + 10 + 7 + 5.8) / 2) * 1.1, (48 * 5.1 + 96 * (8.8 + 10 + 13 + 14.2)) / 20 * 1.1,
         (48 * 14.9 + 96 * (11.2 + 10 + 7 + 5.8)) / 20 * 1.1},
        {"ABDC 1992 T44", [](CLMEFactory& f) { return f.GetABDC1992_T44(false, 2); }, 0, 14.9,
         (48 * 5.1 / 2 + 96 * (8.8 + 10 + 7 + 5.8) / 2) * 1.35, (48 * 5.1 + 96 * (8.8 + 10 + 13 + 14.2)) / 20 * 1.35,
         (48 * 14.9 + 96 * (11.2 + 10 + 7 + 5.8)) / 20 * 1.35},
        // 6 t at 14.2, 8.5 t at 11.2 and 10.0, 7.5 t at 5.6, 4.4, 3.2; allowance 1.35 (rule 5).
        {"Semi-trailer AS1", [](CLMEFactory& f) { return f.GetABAG_Semi1(); }, 0, 14.2,
         (6 * 5.8 / 2 + 8.5 * 8.8 / 2 + 8.5 * 10 / 2 + 7.5 * (5.6 + 4.4 + 3.2) / 2) * 1.35 * t,
         (6 * 5.8 + 8.5 * (8.8 + 10) + 7.5 * (14.4 + 15.6 + 16.8)) / 20 * 1.35 * t,
         (6 * 14.2 + 8.5 * (11.2 + 10) + 7.5 * (5.6 + 4.4 + 3.2)) / 20 * 1.35 * t},
        // M1600, S = 6.25: axles of 120 at 12.5, 11.25, 10.0, 6.25, 5.0, 3.75 (the rest off
        // the span) and 6 kN/m; allowance 1.3.
        {"M1600", [](CLMEFactory& f) { return f.GetAS5100_M1600(false, 2); }, 0, 12.5,
         (120 * (7.5 + 8.75 + 10 + 6.25 + 5 + 3.75) / 2 + 6 * 50) * 1.3,
         (120 * (7.5 + 8.75 + 10 + 13.75 + 15 + 16.25) / 20 + 60) * 1.3,
         (120 * (12.5 + 11.25 + 10 + 6.25 + 5 + 3.75) / 20 + 60) * 1.3},
        // 300 kN at 10.0 and 8.8 (tandem 1.2 m apart) and 27 kN/m.
        {"LM1", [](CLMEFactory& f) { return f.GetEurocode_LM1(); }, 0, 10.0, 300 * 5 + 300 * 8.8 / 2 + 27 * 50,
         300 * 0.5 + 300 * 11.2 / 20 + 270, 300 * 0.5 + 300 * 8.8 / 20 + 270},
        // 120 kN at 10 and 30 kN/m (rule 7 keeps 30 up to 30 m).
        {"HA", [](CLMEFactory& f) { return f.GetBS5400_HA(); }, 0, 10.0, 120 * 5 + 30 * 50, 60 + 300, 60 + 300},
        // 45 units, v = 6: 450 kN at 10.0, 8.2, 2.2, 0.4; no lane load on the span, which
        // lies wholly in the HB zone (from -24.6 to 35).
        {"HAHB - 6.0", [](CLMEFactory& f) { return f.GetBS5400_HAHB(45); }, 0, 35.0, 450 * (10 + 8.2 + 2.2 + 0.4) / 2,
         450 * (10 + 11.8 + 17.8 + 19.6) / 20, 450 * (10 + 8.2 + 2.2 + 0.4) / 20},
        // 35 kN at 14.3, 145 kN at 10.0 and 5.7, axles x 1.33; 9.3 kN/m not amplified.
        {"HL93", [](CLMEFactory& f) { return f.GetAASHTO_HL93(); }, 0, 14.3,
         (35 * 5.7 / 2 + 145 * 5 + 145 * 5.7 / 2) * 1.33 + 9.3 * 50,
         (35 * 5.7 + 145 * 10 + 145 * 14.3) / 20 * 1.33 + 93, (35 * 14.3 + 145 * 10 + 145 * 5.7) / 20 * 1.33 + 93},
    };
}

TEST(LMEFactoryStatics, OneVehicleOfEachFamilyOnATwentyMetreSpan)
{
    CLMEFactory f;
    auto bridge = CBridge::Create(0, L"20 m", BC_ONESPAN, 20.0);
    for (const StaticsCase& c : StaticsCases()) {
        SCOPED_TRACE(c.what);
        auto lm = c.call(f)->GetLoadModel(c.index);
        CSinglePosAnalysis spa(bridge, lm, qeltest::TestOptions());
        auto r = spa.Analyse(c.position, CAnalysisFeedback::None());
        std::vector<double> x, m;
        r->GetResults(x, m, BRT_MOMENT);
        size_t mid = x.size();
        for (size_t i = 0; i < x.size(); ++i)
            if (std::fabs(x[i] - 10.0) < 1e-9)
                mid = i;
        ASSERT_LT(mid, x.size()) << "no station at midspan";
        EXPECT_NEAR(m[mid], c.moment, 1e-6 * std::max(1.0, std::fabs(c.moment)));
        ASSERT_EQ(r->m_vReactions.size(), 2u);
        EXPECT_NEAR(r->m_vReactions[0], c.rLeft, 1e-6 * std::max(1.0, c.rLeft));
        EXPECT_NEAR(r->m_vReactions[1], c.rRight, 1e-6 * std::max(1.0, c.rRight));
    }
}

}
