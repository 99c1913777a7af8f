#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/archive/ArchiveFwd.h"
#include "core/elements/Element.h"
#include "core/analysis/AnalysisFeedback.h"
#include "core/analysis/AnalysisOptions.h"
#include "core/analysis/Stepping.h"

class CBridgeSet;
class CLoadModel;
class CLoadModelEnsemble;
class CReferenceSet;
class CCriticalRatioEnsemble;

// Bridge sets crossed with reference ensembles: one reference set per pair, and the
// critical ratios of a proposed load model or ensemble against each of them.
class CReferenceCollection : public CElement {
public:
    CReferenceCollection();
    CReferenceCollection(int id, std::wstring name, const Stepping& stepping);
    // Shares the reference sets, ensembles, bridge sets and proposed ensemble.
    CReferenceCollection(const CReferenceCollection&) = default;
    CReferenceCollection& operator=(const CReferenceCollection&) = default;
    ~CReferenceCollection() override = default;

    // True when an input that a calculation depends on differs.
    bool operator!=(const std::shared_ptr<CReferenceCollection>& other) const;

    void ClearResults();
    // False (nothing changed) without a bridge set or an ensemble. Reference set k belongs
    // to ensemble k / (number of bridge sets) and bridge set k % (number of bridge sets).
    bool Calculate(const CAnalysisFeedback& feedback, const AnalysisOptions& options);

    // The model goes into a fresh "Proposed" ensemble of the collection's own.
    void SetProposedLoadModel(std::shared_ptr<CLoadModel> pLM);
    void SetProposedEnsemble(std::shared_ptr<CLoadModelEnsemble> pLME);
    // False when there is no proposed load model to compare.
    bool CompareProposed(const CAnalysisFeedback& feedback, double multiplier, const AnalysisOptions& options);

    std::shared_ptr<CReferenceSet> GetRefSet(unsigned int i) const; // empty past m_nRefSet
    std::vector<std::shared_ptr<CReferenceSet>> GetRefSets() const { return m_vRefSet; }
    std::vector<std::shared_ptr<CCriticalRatioEnsemble>> GetCriticalRatioEnsembles() const
    {
        return m_vCritRatioEnsemble;
    }
    std::wstring GetProposedName() const;

    // Membership by value: same span range, bridge count, generated bridges and arrangement;
    // for ensembles the same load model objects in the same order.
    bool FindBridgeSet(const std::shared_ptr<CBridgeSet>& pBS) const;
    bool FindLME(const std::shared_ptr<CLoadModelEnsemble>& pLME) const;
    void RemoveBridgeSet(const std::shared_ptr<CBridgeSet>& pBS);
    void RemoveLME(const std::shared_ptr<CLoadModelEnsemble>& pLME);

    std::int32_t m_nRefSet = 0;
    std::vector<std::shared_ptr<CReferenceSet>> m_vRefSet;
    std::vector<std::shared_ptr<CCriticalRatioEnsemble>> m_vCritRatioEnsemble;
    std::vector<std::shared_ptr<CLoadModelEnsemble>> m_vLME;
    std::vector<std::shared_ptr<CBridgeSet>> m_vBS;
    // The stepping of its runs, as the file keeps it; each run leaves the one it used.
    bool m_bByStep = false;
    double m_StepSize = 1.0;
    std::int32_t m_nStepPoints = 0;
    Stepping GetStepping() const { return {m_bByStep, m_StepSize, m_nStepPoints}; }
    void SetStepping(const Stepping& s);
    bool m_bIsCalculated = false;
    // Results read from a file of a program whose loads on supports could miss them: still
    // shown, but calculated again before a proposed vehicle is compared with them.
    bool m_bFromEarlierVersion = false;
    bool m_bIsCompared = false;
    bool m_bUseOverstress = false;
    double m_OverstressFactor = 1.4;
    bool m_bUseLM = false;
    std::shared_ptr<CLoadModelEnsemble> m_pPropLME;
    double m_Multiplier = 1.0;

private:
    QEL_DECLARE_SERIALIZE;
};
