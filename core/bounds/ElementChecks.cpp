#include "core/bounds/ElementChecks.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "core/beam/Beam.h"
#include "core/bounds/Bounds.h"
#include "core/bridge/Bridge.h"
#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"
#include "platform/base/CLocale.h"

namespace {

// A chain of checks that keeps the first refusal.
class CFirst {
public:
    CFirst& Real(const RealBound& b, double v, const std::wstring& what)
    {
        if (m_s.empty())
            m_s = BoundRefusal(b, v, what);
        return *this;
    }
    CFirst& Int(const IntBound& b, std::int64_t v, const std::wstring& what)
    {
        if (m_s.empty())
            m_s = BoundRefusal(b, v, what);
        return *this;
    }
    // A stored choice: one of the values listed.
    CFirst& Choice(std::int64_t v, std::initializer_list<std::int64_t> allowed, const std::wstring& what)
    {
        if (!m_s.empty())
            return *this;
        for (std::int64_t a : allowed)
            if (a == v)
                return *this;
        m_s = what + L" is " + std::to_wstring(v) + L", which is no known choice";
        return *this;
    }
    // A value the program computes and keeps: finite and not below zero.
    CFirst& Computed(double v, const std::wstring& what)
    {
        if (m_s.empty() && !(std::isfinite(v) && v >= 0.0))
            m_s = what + L" is not a number of zero or more";
        return *this;
    }
    CFirst& Fail(bool bFailed, const std::wstring& text)
    {
        if (m_s.empty() && bFailed)
            m_s = text;
        return *this;
    }
    std::wstring Take() { return std::move(m_s); }
    bool Ok() const { return m_s.empty(); }

private:
    std::wstring m_s;
};

std::wstring Nth(const wchar_t* what, std::size_t i)
{
    return what + std::to_wstring(i + 1);
}

const wchar_t* KindName(ElementType type)
{
    switch (type) {
    case ET_BRIDGE: return L"Bridge";
    case ET_BRIDGESET: return L"Bridge set";
    case ET_LOADMODEL: return L"Load model";
    case ET_LOADMODELENSEMBLE: return L"Load model ensemble";
    case ET_REFCOLLECTION: return L"Reference collection";
    default: return L"Element";
    }
}

void CheckFactor(CFirst& c, const Factor& f, const wchar_t* name)
{
    c.Real(Bounds::Factor, f.value, std::wstring(name) + L" factor");
    c.Choice(f.type, {0, 1, 2, 3}, std::wstring(name) + L" factor type");
}

}

std::wstring ElementLabel(const CElement& element)
{
    return std::wstring(KindName(element.m_ElementType)) + L" " + std::to_wstring(element.m_ID) + L" \"" +
           element.m_Description + L"\"";
}

std::wstring CheckBridgeValues(const CBridge& bridge)
{
    CFirst c;
    c.Choice(bridge.m_Config, {BC_ONESPAN, BC_TWOSPAN, BC_THREESPAN, BC_CUSTOM}, L"the span arrangement");
    if (!c.Ok())
        return c.Take();
    if (bridge.m_Config != BC_CUSTOM)
        return c.Real(Bounds::Span, bridge.m_SpanLength, L"the span length").Take();
    c.Int(Bounds::SpansPerBridge, static_cast<std::int64_t>(bridge.m_vSpans.size()), L"the number of spans");
    for (std::size_t i = 0; i < bridge.m_vSpans.size() && c.Ok(); ++i)
        c.Real(Bounds::Span, bridge.m_vSpans[i], Nth(L"span ", i));
    return c.Take();
}

std::wstring CheckBridgeSetValues(const CBridgeSet& set)
{
    CFirst c;
    c.Choice(set.m_Config, {BC_ONESPAN, BC_TWOSPAN, BC_THREESPAN}, L"the span arrangement");
    c.Real(Bounds::Span, set.m_StartL, L"the start span length");
    c.Real(Bounds::Span, set.m_EndL, L"the end span length");
    c.Fail(set.m_EndL < set.m_StartL, L"the end span length is below the start span length");
    c.Int(Bounds::BridgesPerSet, set.m_nBridge, L"the number of bridges");
    return c.Take();
}

std::wstring CheckLoadModelValues(const CLoadModel& model)
{
    CFirst c;
    c.Int(Bounds::LoadsPerModel, static_cast<std::int64_t>(model.m_vPL.size()), L"the number of axles");
    c.Int(Bounds::LoadsPerModel, static_cast<std::int64_t>(model.m_vUDL.size()), L"the number of uniform loads");
    c.Int(Bounds::LoadsPerModel, static_cast<std::int64_t>(model.m_vPUDL.size()),
          L"the number of partial uniform loads");
    for (std::size_t i = 0; i < model.m_vPL.size() && c.Ok(); ++i) {
        const CLoadModel::PointLoad& p = model.m_vPL[i];
        const std::wstring axle = Nth(L"axle ", i);
        c.Real(Bounds::AxleLoad, p.magnitude, axle + L" load")
            .Real(Bounds::AxlePosition, p.location, axle + L" position")
            .Real(Bounds::AxleWidth, p.width, axle + L" width")
            .Real(Bounds::Factor, p.gamma, axle + L" factor");
    }
    for (std::size_t i = 0; i < model.m_vUDL.size() && c.Ok(); ++i) {
        const std::wstring udl = Nth(L"uniform load ", i);
        c.Real(Bounds::LaneLoad, model.m_vUDL[i].magnitude, udl)
            .Real(Bounds::Factor, model.m_vUDL[i].gamma, udl + L" factor");
    }
    for (std::size_t i = 0; i < model.m_vPUDL.size() && c.Ok(); ++i) {
        const CLoadModel::PartialUDLoad& p = model.m_vPUDL[i];
        const std::wstring pudl = Nth(L"partial uniform load ", i);
        c.Real(Bounds::LaneLoad, p.magnitude, pudl)
            .Real(Bounds::AxlePosition, p.location, pudl + L" start")
            .Real(Bounds::LoadCover, p.cover, pudl + L" cover")
            .Real(Bounds::Factor, p.gamma, pudl + L" factor");
    }
    if (c.Ok()) {
        double rear = 0.0, front = 0.0;
        for (const CLoadModel::PointLoad& p : model.m_vPL) {
            rear = std::min(rear, p.location);
            front = std::max(front, p.location);
        }
        for (const CLoadModel::PartialUDLoad& p : model.m_vPUDL) {
            rear = std::min(rear, p.location);
            front = std::max(front, p.location + p.cover);
        }
        c.Real(Bounds::ModelLength, front - rear, L"the length from the rearmost to the foremost load");
    }
    CheckFactor(c, model.m_gDLA, L"the dynamic load");
    CheckFactor(c, model.m_gLiveLoad, L"the live load");
    CheckFactor(c, model.m_gUnits, L"the units");
    CheckFactor(c, model.m_gArbitrary, L"the arbitrary");
    c.Real(Bounds::Factor, model.m_GammaPL, L"the axle loads factor")
        .Real(Bounds::Factor, model.m_GammaUDL, L"the uniform loads factor")
        .Real(Bounds::Factor, model.m_GammaPUDL, L"the partial uniform loads factor")
        .Real(Bounds::ApplicableLength, model.m_minL, L"the shortest applicable length")
        .Real(Bounds::ApplicableLength, model.m_maxL, L"the longest applicable length")
        .Real(Bounds::AxlePosition, model.m_PointLoadStart, L"the first axle position")
        .Choice(model.m_WidthFactor, {0, 1, 2}, L"the width factor")
        .Choice(model.m_lmBridge, {0, 1, 2, 3, 4, 5, 6, 7, 8}, L"the bridge rule")
        .Choice(model.m_Direction, {TD_FORWARD, TD_REVERSE}, L"the direction");
    return c.Take();
}

std::wstring CheckRefCollectionValues(const CReferenceCollection& collection)
{
    CFirst c;
    if (collection.m_bByStep) {
        c.Real(Bounds::CollectionStep, collection.m_StepSize, L"the step");
        c.Fail(collection.m_nStepPoints < 0, L"the number of step points is below zero");
    } else {
        c.Int(Bounds::CollectionStepPoints, collection.m_nStepPoints, L"the number of step points");
        c.Computed(collection.m_StepSize, L"the step");
    }
    c.Real(Bounds::OverstressFactor, collection.m_OverstressFactor, L"the overstress factor");
    for (std::size_t i = 0; i < collection.m_vRefSet.size() && c.Ok(); ++i)
        if (const auto& set = collection.m_vRefSet[i])
            c.Real(Bounds::OverstressFactor, set->m_OverstressFactor,
                   Nth(L"reference set ", i) + L" overstress factor");
    return c.Take();
}

std::wstring CheckBeamValues(const CBeam& beam)
{
    // A three-span bridge's side spans are three quarters of its main span.
    constexpr RealBound beamSpan{0.75 * Bounds::Span.lo, Bounds::Span.hi, L"m"};
    CFirst c;
    c.Int(Bounds::SpansPerBridge, static_cast<std::int64_t>(beam.m_vL.size()), L"the number of spans");
    c.Fail(beam.m_vEI.size() != beam.m_vL.size(), L"the stiffness list does not match the spans");
    for (std::size_t i = 0; i < beam.m_vL.size() && c.Ok(); ++i)
        c.Real(beamSpan, beam.m_vL[i], Nth(L"span ", i)).Real(Bounds::EI, beam.m_vEI[i], Nth(L"EI ", i));
    return c.Take();
}

void ThrowIfRefused(const CElement& element, const std::wstring& sRefusal)
{
    if (!sRefusal.empty())
        throw CElementValueError(WideToUtf8(ElementLabel(element) + L": " + sRefusal));
}
