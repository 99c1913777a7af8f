#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "core/archive/ArchiveFwd.h"
#include "core/analysis/AnalysisFeedback.h"
#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/Stepping.h"

class CBridgeSet;
class CLoadModelEnsemble;
class CEnvelopeResults;
class CCriticalValueEnsemble;
class CCriticalRatioEnsemble;

// One bridge set against one reference ensemble: the reference envelopes of every bridge
// (live load, optionally combined with the overstress lane load), and the proposed
// envelopes of the last comparison.
class CReferenceSet {
public:
    using EnvVector = std::vector<std::shared_ptr<CEnvelopeResults>>;

    CReferenceSet();
    CReferenceSet(bool bUseOverstress, std::shared_ptr<CBridgeSet> pBridgeSet,
                  std::shared_ptr<CLoadModelEnsemble> pRefLME, double overstressFactor);
    virtual ~CReferenceSet() = default;

    // A stop leaves as many bridges as were analysed; the set still counts as calculated.
    // Returns the stepping the live-load run used (CMultiBridgeAnalysis::GetUsedStepping).
    Stepping Calculate(const Stepping& stepping, const CAnalysisFeedback& feedback, const AnalysisOptions& options);
    // Ratios are formed for the bridges present in both the proposed and the reference
    // envelopes.
    std::shared_ptr<CCriticalRatioEnsemble> CalculateRatios(bool bUseLM, const Stepping& stepping,
                                                            const CAnalysisFeedback& feedback,
                                                            std::shared_ptr<CLoadModelEnsemble> pProposed,
                                                            double multiplier, const AnalysisOptions& options);
    // The same with the proposed envelopes already run over this set's bridges; they are
    // kept as given (shared, never changed).
    std::shared_ptr<CCriticalRatioEnsemble> CalculateRatios(bool bUseLM, EnvVector vProposed,
                                                            std::shared_ptr<CLoadModelEnsemble> pProposed,
                                                            double multiplier, const AnalysisOptions& options);
    // overstress x (f - 1) + live x f, bridge by bridge, for the bridges present in both.
    EnvVector CombineEnvelopes(const EnvVector& vLive, const EnvVector& vOverstress) const;
    // The bridges present in both: entry i is bridge i in each list, and the first one
    // missing or unfilled in either ends them.
    static size_t CommonBridges(const EnvVector& vLive, const EnvVector& vOverstress);
    // The combination of one bridge's results.
    std::shared_ptr<CEnvelopeResults> CombineBridge(const CEnvelopeResults& live,
                                                    const CEnvelopeResults& overstress) const;
    void RunOverstress(const CAnalysisFeedback& feedback, const AnalysisOptions& options);

    std::shared_ptr<CBridgeSet> GetBridgeSet() const { return m_pBridgeSet; }
    std::shared_ptr<CLoadModelEnsemble> GetRefLME() const { return m_pRefLME; }
    std::shared_ptr<CLoadModelEnsemble> GetPropLME() const { return m_pPropLME; }
    std::shared_ptr<CCriticalValueEnsemble> GetRefCritEnsemble() const { return m_pRefCritEnsemble; }
    std::shared_ptr<CCriticalValueEnsemble> GetPropCritEnsemble() const { return m_pPropCritEnsemble; }
    std::shared_ptr<CCriticalValueEnsemble> GetLiveLoadCritEnsemble() const { return m_pLiveLoadCritEnsemble; }
    std::shared_ptr<CCriticalValueEnsemble> GetOverstressCritEnsemble() const { return m_pOverstressCritEnsemble; }

    std::shared_ptr<CBridgeSet> m_pBridgeSet;
    std::shared_ptr<CLoadModelEnsemble> m_pRefLME;
    bool m_bIsCalculated = false;
    EnvVector m_vOverstressCritEnv;
    EnvVector m_vLiveLoadCritEnv;
    EnvVector m_vRefCritEnv;
    // m_vRefCritEnv is CombineEnvelopes of the live-load and overstress results as they
    // stand: a file need not hold it.
    bool m_bRefCombined = false;
    EnvVector m_vPropCritEnv;
    EnvVector m_vRatios; // kept for the file format; nothing fills it
    bool m_bUseOverstress = false;
    double m_OverstressFactor = 1.4;
    std::shared_ptr<CLoadModelEnsemble> m_pPropLME;
    bool m_bUseLM = false;
    bool m_bIsRatioCalculated = false;
    std::uint32_t m_nBridges = 0;

private:
    void MakeEmptyCritEnsembles();
    void RebuildCritEnsembles();

    std::shared_ptr<CCriticalValueEnsemble> m_pOverstressCritEnsemble;
    std::shared_ptr<CCriticalValueEnsemble> m_pLiveLoadCritEnsemble;
    std::shared_ptr<CCriticalValueEnsemble> m_pRefCritEnsemble;
    std::shared_ptr<CCriticalValueEnsemble> m_pPropCritEnsemble;

    QEL_DECLARE_SERIALIZE;
};
