#pragma once
// What the result tables of a case's reference collections show, as text: every stored
// envelope entry (value, station, load position, kind, load model), every critical value
// the tables and graphs draw, and the critical ratios of the stored proposed results. Two
// cases show the same tables exactly when their texts are equal. Numbers are written so
// that they read back to the same double.
#include <charconv>
#include <memory>
#include <string>
#include <vector>

#include "app/doc/CaseFile.h"
#include "core/bridge/BridgeSet.h"
#include "core/critical/CriticalRatioEnsemble.h"
#include "core/critical/CriticalValueEnsemble.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"
#include "platform/base/CLocale.h"
#include "TestOptions.h"

namespace qeltest {

class CaseTables {
public:
    // Ratios are formed from the stored proposed results, so the text ends with the
    // collections' reference sets changed as a comparison would change them.
    static std::string Of(const CaseContents& c)
    {
        CaseTables t;
        for (const auto& rc : c.m_vRefCollection)
            t.Collection(*rc);
        return t.m_s;
    }

private:
    void Num(double v)
    {
        char buf[32];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        m_s.append(buf, r.ptr);
        m_s += ' ';
    }
    void Text(const std::wstring& s) { m_s += WideToUtf8(s) + ' '; }
    void Line(const char* s) { m_s += s, m_s += '\n'; }

    void Effect(const PointLoadEffect& e)
    {
        Num(e.val), Num(e.xBeam), Num(e.xLoadModel), Num(e.type);
        Text(e.GetLoadModelName());
        m_s += '\n';
    }
    void Ratio(const RatioLoadEffect& r)
    {
        Num(r.ratio), Num(r.multiplier);
        m_s += "ref ";
        Effect(r.reference);
        m_s += "prop ";
        Effect(r.proposed);
    }
    void Envelope(const char* name, const std::shared_ptr<CEnvelope>& env)
    {
        m_s += name;
        if (!env) {
            Line(" none");
            return;
        }
        m_s += " type ";
        Num(env->m_Type);
        Num(static_cast<double>(env->m_vMax.size()));
        Num(static_cast<double>(env->m_vMin.size()));
        m_s += '\n';
        for (const auto& e : env->m_vMax)
            m_s += "+ ", Effect(e);
        for (const auto& e : env->m_vMin)
            m_s += "- ", Effect(e);
    }
    void Results(const std::shared_ptr<CEnvelopeResults>& r)
    {
        if (!r) {
            Line("results none");
            return;
        }
        m_s += "results ";
        Num(r->m_nReactions), Num(r->m_nAnalyses), Num(r->m_nAugments), Num(r->m_nBeamResults);
        Text(r->m_pBridge ? r->m_pBridge->GetDescription() : L"-");
        m_s += '\n';
        Envelope("BMD", r->m_pEnvBMD);
        Envelope("SFD", r->m_pEnvSFD);
        for (const auto& env : r->m_vEnvReaction)
            Envelope("R", env);
    }
    template <class Pair>
    void Pairs(const Pair& p)
    {
        if constexpr (std::is_same_v<Pair, CriticalPair<PointLoadEffect>>) {
            Effect(p.max), Effect(p.min);
        } else {
            Ratio(p.max), Ratio(p.min);
        }
    }
    template <class Ensemble>
    void Critical(const char* name, const std::shared_ptr<Ensemble>& ens)
    {
        m_s += name;
        if (!ens) {
            Line(" none");
            return;
        }
        m_s += '\n';
        std::vector<double> mx, mn;
        ens->GetMomentValues(mx, mn);
        for (double v : mx)
            Num(v);
        for (double v : mn)
            Num(v);
        ens->GetShearValues(mx, mn);
        for (double v : mx)
            Num(v);
        for (double v : mn)
            Num(v);
        m_s += '\n';
        for (const auto& m : ens->m_vMembers) {
            Pairs(m.m_BMPair);
            Pairs(m.m_SFPair);
            for (const auto& p : m.m_vReactionPairs)
                Pairs(p);
        }
    }
    void Set(CReferenceSet& rs)
    {
        m_s += "set ";
        Text(rs.m_pBridgeSet ? rs.m_pBridgeSet->GetDescription() : L"-");
        Text(rs.m_pRefLME ? rs.m_pRefLME->GetDescription() : L"-");
        Num(rs.m_bIsCalculated), Num(rs.m_bUseOverstress), Num(rs.m_OverstressFactor), Num(rs.m_bUseLM),
            Num(rs.m_bIsRatioCalculated), Num(rs.m_nBridges);
        m_s += '\n';
        for (const auto* list :
             {&rs.m_vOverstressCritEnv, &rs.m_vLiveLoadCritEnv, &rs.m_vRefCritEnv, &rs.m_vPropCritEnv}) {
            Line("list");
            for (const auto& r : *list)
                Results(r);
        }
        Critical("overstress", rs.GetOverstressCritEnsemble());
        Critical("live", rs.GetLiveLoadCritEnsemble());
        Critical("ref", rs.GetRefCritEnsemble());
        Critical("prop", rs.GetPropCritEnsemble());
        if (!rs.m_vPropCritEnv.empty())
            Critical("ratios",
                     rs.CalculateRatios(rs.m_bUseLM, rs.m_vPropCritEnv, rs.m_pPropLME, 1.0, qeltest::TestOptions()));
    }
    void Collection(CReferenceCollection& rc)
    {
        m_s += "collection ";
        Text(rc.GetDescription());
        Num(rc.m_nRefSet), Num(rc.m_bIsCalculated), Num(rc.m_bByStep), Num(rc.m_StepSize), Num(rc.m_nStepPoints);
        m_s += '\n';
        for (const auto& rs : rc.m_vRefSet)
            Set(*rs);
    }

    std::string m_s;
};

}
