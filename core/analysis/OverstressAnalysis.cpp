#include "core/analysis/OverstressAnalysis.h"

#include <algorithm>
#include <atomic>

#include "core/analysis/MovingLoadAnalysis.h"
#include "core/analysis/ParallelRuns.h"
#include "core/bridge/BridgeSet.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "platform/base/CLocale.h"


COverstressAnalysis::COverstressAnalysis(std::shared_ptr<CBridgeSet> pBridgeSet, double overstressFactor,
                                         const AnalysisOptions& options)
    : m_pBridgeSet(std::move(pBridgeSet)), m_OverstressFactor(overstressFactor), m_Options(options)
{
}

double COverstressAnalysis::GetOverstressUDL(double L)
{
    constexpr double third = 1.0 / 3.0;
    if (L <= 12.0)
        return 16.0;
    if (L <= 15.0)
        return 16.0 + (L - 12.0) * third;
    if (L <= 18.0)
        return 17.0;
    if (L <= 21.0)
        return 17.0 + (L - 18.0) * third;
    if (L <= 27.0)
        return 18.0;
    if (L <= 30.0)
        return 18.0 + (L - 27.0) * third;
    if (L <= 40.0)
        return 19.0 + 0.2 * (L - 30.0);
    if (L <= 50.0)
        return 21.0 + 0.3 * (L - 40.0);
    return 24.0;
}

std::shared_ptr<CLoadModel> COverstressAnalysis::MakeOverstressLoadModel(int id)
{
    return std::make_shared<CLoadModel>(id, L"Internal for O/S");
}

std::shared_ptr<CEnvelopeResults> COverstressAnalysis::AnalyseBridge(const std::shared_ptr<CBridge>& bridge,
                                                                     const AnalysisOptions& options,
                                                                     const CAnalysisFeedback& feedback)
{
    std::shared_ptr<CLoadModel> lm = MakeOverstressLoadModel(0);
    lm->m_bIsMoving = false;
    const double w = GetOverstressUDL(bridge->m_SpanLength);
    lm->AddUDL(w);

    std::wstring text =
        L"Overstress: L = " + FormatDoubleCW("%.3f", bridge->m_SpanLength) + L", w = " + FormatDoubleCW("%.3f", w);
    feedback.Status(std::move(text));

    CMovingLoadAnalysis analysis(bridge, lm, options);
    return analysis.Analyse(Stepping{.bByStep = true, .step = 0.5, .nSteps = 10}, feedback);
}

std::vector<std::shared_ptr<CEnvelopeResults>> COverstressAnalysis::Run(const CAnalysisFeedback& feedback)
{

    std::vector<std::shared_ptr<CEnvelopeResults>> out;
    if (!m_pBridgeSet)
        return out;
    const size_t n = std::min(m_pBridgeSet->m_vBridges.size(),
                              static_cast<size_t>(m_pBridgeSet->m_nBridge > 0 ? m_pBridgeSet->m_nBridge : 0));
    struct Bridge {
        bool bStarted = false;
        bool bComplete = false; // the flag still raised when it ended
        std::shared_ptr<CEnvelopeResults> results;
    };
    std::vector<Bridge> runs(n);
    const auto Analyse = [&](size_t i) {
        runs[i].results = AnalyseBridge(m_pBridgeSet->GetBridge(static_cast<int>(i)), m_Options, feedback);
    };
    std::atomic<size_t> failed = n; // no bridge past a failure is started
    RunTasks(n, m_Options.nThreads, [&](size_t i) {
        if (!feedback.KeepRunning() || i > failed.load())
            return;
        runs[i].bStarted = true;
        try {
            Analyse(i);
            runs[i].bComplete = feedback.KeepRunning();
        } catch (...) {
            for (size_t f = failed.load(); i < f && !failed.compare_exchange_weak(f, i);)
                ;
            throw;
        }
    });
    // RunTasks has thrown the first failure, where one thread would have failed. One
    // thread goes on to the next bridge only while it is not stopped.
    for (Bridge& b : runs) {
        if (!b.bStarted)
            break;
        if (b.results && b.results->HasEnvelopes())
            out.push_back(std::move(b.results));
        if (!b.bComplete)
            break;
    }
    return out;
}
