#pragma once
#include <memory>
#include <vector>

#include "core/archive/ArchiveFwd.h"
#include "core/envelopes/CriticalPair.h"
#include "core/envelopes/Envelope.h"

class CBeam;
class CBeamResults;
class CBridge;
class CLoadModel;
class CCriticalRatioResults;

// Every envelope of one bridge: bending moment, shear and one reaction envelope per support.
class CEnvelopeResults {
public:
    CEnvelopeResults() = default;
    explicit CEnvelopeResults(std::shared_ptr<CBridge> bridge);
    // Deep: the copy gets envelopes of its own; bridge, beam and beam results are shared.
    CEnvelopeResults(const CEnvelopeResults& other);
    // Shallow: the target shares the source's envelope objects.
    CEnvelopeResults& operator=(const CEnvelopeResults& other) = default;
    virtual ~CEnvelopeResults() = default;

    std::shared_ptr<CBridge> GetBridge() const { return m_pBridge; }
    std::shared_ptr<CBeam> GetBeam() const { return m_pBeam; }
    std::shared_ptr<CEnvelope> GetEnvBMD() const { return m_pEnvBMD; }
    std::shared_ptr<CEnvelope> GetEnvSFD() const { return m_pEnvSFD; }
    std::vector<std::shared_ptr<CEnvelope>> GetEnvReactions() const { return m_vEnvReaction; }
    std::shared_ptr<CEnvelope> GetEnvReaction(int i) const; // empty when i is out of range
    // The beam result of every position, kept only after KeepBeamResults(true).
    std::vector<std::shared_ptr<CBeamResults>> GetSingleResults() const { return m_vBeamResults; }
    void KeepBeamResults(bool bKeep) { m_bKeepBeamResults = bKeep; }

    bool HasEnvelopes() const { return m_pEnvBMD && m_pEnvSFD; }

    void AddResults(const std::shared_ptr<CBeamResults>& pResults, const std::shared_ptr<CLoadModel>& pLM,
                    double xLoadModel);
    void Augment(const CEnvelopeResults& other);
    CEnvelopeResults& operator+=(const CEnvelopeResults& other);
    // As += with a copy of other scaled by factor.
    CEnvelopeResults& AddScaled(const CEnvelopeResults& other, double factor);
    CEnvelopeResults operator+(const CEnvelopeResults& other) const;
    CEnvelopeResults operator*(double factor) const;
    // (a * fa) + (b * fb), built as one object: the same numbers, entries and failures.
    static std::shared_ptr<CEnvelopeResults> Combine(const CEnvelopeResults& a, double fa, const CEnvelopeResults& b,
                                                     double fb);
    void UpdateCritical();
    // Reaction envelopes of different lengths are compared as if the shorter were extended
    // with zero entries (CEnvelope::ExtendToMatch); neither result is changed.
    CCriticalRatioResults GetCriticalRatios(const std::shared_ptr<CEnvelopeResults>& pRef, double multiplier) const;

    std::shared_ptr<CBridge> m_pBridge;
    std::shared_ptr<CBeam> m_pBeam;
    int m_nReactions = 0;
    int m_nAugments = 0;
    int m_nBeamResults = 0;
    int m_nAnalyses = 0;
    std::vector<std::shared_ptr<CBeamResults>> m_vBeamResults;
    std::shared_ptr<CEnvelope> m_pEnvBMD;
    std::shared_ptr<CEnvelope> m_pEnvSFD;
    std::vector<std::shared_ptr<CEnvelope>> m_vEnvReaction;
    CriticalPair<PointLoadEffect> m_critBMD;
    CriticalPair<PointLoadEffect> m_critSFD;
    std::vector<CriticalPair<PointLoadEffect>> m_vCritReaction;

private:
    void SetUp(const std::shared_ptr<CBridge>& bridge, const std::shared_ptr<CBeam>& beam);
    void RequireEnvelopes() const;
    // Throws what UpdateCritical would throw, computing nothing.
    void RequireCriticalPairs() const;
    void ScaleValues(double factor);
    void AfterArchive();
    bool LoadedEnvelopesConsistent() const;

    bool m_bKeepBeamResults = false;

    QEL_DECLARE_SERIALIZE;
};
