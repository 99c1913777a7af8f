#pragma once
#include <atomic>
#include <cstddef>
#include <memory>
#include <vector>

class CAnalysisFeedback;
class CBeam;
class CBridge;
class CEnvelopeResults;
class CFastBeamSolver;
class CLoadModel;

// The envelopes of one load model moving over one bridge, built position by position.
//
// Each position does what a single-position analysis followed by
// CEnvelopeResults::AddResults does, with the same load model calls (bridge rule,
// Update), the same beam loads and bit-identical numbers, but the beam is solved with its
// stiffness factorised once and the envelopes are folded into flat buffers: nothing is
// allocated per position, no beam or result object is made, and no shared pointer is
// copied. TakeResults turns the buffers into the CEnvelopeResults that the literal path
// would have built.
class CFastEnvelopeBuilder {
public:
    // nPoints: segments per span (AnalysisOptions::nPointsPerSpan).
    CFastEnvelopeBuilder(std::shared_ptr<CBridge> pBridge, std::shared_ptr<CLoadModel> pLoadModel, int nPoints);
    // Idle until Restart: a builder kept for run after run.
    CFastEnvelopeBuilder();
    ~CFastEnvelopeBuilder();

    // Starts a new run with no position, keeping the buffers (and the factorised beam
    // when the bridge's beam is the same).
    void Restart(std::shared_ptr<CBridge> pBridge, std::shared_ptr<CLoadModel> pLoadModel, int nPoints);
    // Lets go of the bridge and the load model between runs; the buffers stay unless a
    // very long run grew them (a thread keeps them for good).
    void Release();
    CFastEnvelopeBuilder(const CFastEnvelopeBuilder&) = delete;
    CFastEnvelopeBuilder& operator=(const CFastEnvelopeBuilder&) = delete;

    // Room for this many positions, so that the run allocates nothing while it steps.
    void Reserve(size_t nPositions);

    // The model standing at beam coordinate p, folded into the envelopes. The bridge rule
    // reports to the feedback.
    void AnalyseAt(double p, const CAnalysisFeedback& feedback);

    size_t GetPositionCount() const { return m_nPositions; }

    // False when a position gave a reaction, or the envelopes hold a value, that is not a
    // finite number (a beam whose stiffness overflows, a load that does).
    bool AllFinite() const;

    // The widest instructions the envelope fold may use where the processor has them:
    // 0 one station at a time, 1 SSE2, 2 AVX-512 (the default). All give the same
    // envelopes; the tests run each. (AVX2 gained nothing over SSE2 on whole analyses.)
    static void LimitVectorWidth(int widest);

    // The envelope results of every position analysed so far (the bridge's empty
    // results when there was none). The builder is spent afterwards.
    std::shared_ptr<CEnvelopeResults> TakeResults();

private:
    friend class CFastEnvelopeMerger;

    // One side of a station envelope: the value and the index of the position that
    // caused it, kNoModel for the zero entry that the first position leaves where its
    // effect does not reach this side (the only entry without load model).
    struct Side {
        std::vector<double> val;
        std::vector<double> index; // doubles, so that the fold works on one kind of lane
    };
    static constexpr double kNoModel = -1.0;

    void PrepareSolver();
    void Start(Side& mx, Side& mn, const std::vector<double>& v);
    void Fold(Side& mx, Side& mn, const std::vector<double>& v, double k);

    std::shared_ptr<CBridge> m_pBridge;
    std::shared_ptr<CBeam> m_pBeam;
    std::shared_ptr<CLoadModel> m_pLoadModel;
    int m_nPoints = 0; // segments per span
    std::shared_ptr<CFastBeamSolver> m_pSolver;
    bool m_bSolverReady = false; // for this run (set at its first position)
    size_t m_nPositions = 0;
    size_t m_nReactions = 0;
    bool m_bNonFinite = false;        // a reaction was not a finite number
    std::vector<double> m_vReactionX; // position of each reported support

    Side m_bmMax, m_bmMin, m_sfMax, m_sfMin;
    std::vector<double> m_vPositions;   // load position of each analysis
    std::vector<double> m_vReactionMax; // position-major, m_nReactions per position
    std::vector<double> m_vReactionMin;

    static std::atomic<int> s_widestFold;
};
