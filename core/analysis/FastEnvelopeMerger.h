#pragma once
#include <cstddef>
#include <memory>
#include <vector>

class CBridge;
class CEnvelopeResults;
class CFastEnvelopeBuilder;
class CLoadModel;

// The merged envelopes of several load models on one bridge, kept flat. Merging a
// builder's run gives what CEnvelopeResults::Augment gives with the results that the
// builder would have made (station-wise maximum and minimum, earlier models winning ties,
// reaction envelopes paired by position index and padded with zero entries), without
// building those results or copying a shared pointer per entry.
class CFastEnvelopeMerger {
public:
    CFastEnvelopeMerger() = default;
    CFastEnvelopeMerger(const CFastEnvelopeMerger&) = delete;
    CFastEnvelopeMerger& operator=(const CFastEnvelopeMerger&) = delete;

    // A run with at least one position. The entries it wins are caused by pCausing when
    // given (the model a copy was made from), else by the run's own load model.
    void Merge(const CFastEnvelopeBuilder& run, std::shared_ptr<CLoadModel> pCausing = nullptr);

    // As a default-constructed CEnvelopeResults augmented with every merged run, in
    // order: that object itself when nothing was merged. The merger is then empty again,
    // its buffers kept for the next merges (unless a very long run grew them).
    std::shared_ptr<CEnvelopeResults> TakeResults();

private:
    // One side of an envelope: value, load position and the merged model that caused it
    // (an index into m_vModels, or -1 for a zero entry without load model).
    struct Side {
        std::vector<double> val;
        std::vector<double> x;
        std::vector<int> model;
        void Resize(size_t n)
        {
            val.resize(n);
            x.resize(n);
            model.resize(n);
        }
    };
    struct Reaction {
        Side max, min;
    };

    void MergeStations(Side& mx, Side& mn, const CFastEnvelopeBuilder& run, int which, int model);

    std::shared_ptr<CBridge> m_pBridge;
    std::vector<std::shared_ptr<CLoadModel>> m_vModels;
    int m_nAnalyses = 0;
    std::vector<double> m_vX; // stations along the beam
    Side m_bmMax, m_bmMin, m_sfMax, m_sfMin;
    std::vector<double> m_vReactionX;
    std::vector<Reaction> m_vReactions; // the first m_nReactions are in use
    size_t m_nReactions = 0;
};
