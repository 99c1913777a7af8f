#include "core/analysis/SinglePosAnalysis.h"

#include <stdexcept>

#include "core/analysis/PositionLoads.h"
#include "core/beam/Beam.h"
#include "core/beam/BeamAnalysis.h"
#include "core/beam/BeamResults.h"
#include "core/beam/LoadPL.h"
#include "core/beam/LoadPUDL.h"
#include "core/beam/LoadUDL.h"
#include "core/bridge/Bridge.h"
#include "core/loads/LoadModel.h"

CSinglePosAnalysis::CSinglePosAnalysis(std::shared_ptr<CBridge> pBridge, std::shared_ptr<CLoadModel> pLoadModel,
                                       const AnalysisOptions& options)
    : m_pBridge(std::move(pBridge)), m_pLoadModel(std::move(pLoadModel)), m_nPoints(options.nPointsPerSpan)
{
    // A bridge made by the default constructor has no beam until it is set up.
    if (!m_pBridge || !m_pBridge->GetBeam() || !m_pLoadModel)
        throw std::invalid_argument("Single position analysis needs a bridge with its beam and a load model");
    m_pBeam = m_pBridge->GetBeam();
}

CSinglePosAnalysis::~CSinglePosAnalysis() = default;

namespace {

// The loads of one position as the literal solver takes them.
struct LoadListSink {
    std::vector<std::unique_ptr<CLoad>>& loads;
    EndSupportLoads endLoads;
    void AddUDL(int j, double w) { loads.push_back(std::make_unique<CLoadUDL>(j, w)); }
    void AddPointLoad(int j, double P, double x) { loads.push_back(std::make_unique<CLoadPL>(j, P, x)); }
    void AddPartialUDL(int j, double w, double a, double c)
    {
        loads.push_back(std::make_unique<CLoadPUDL>(j, w, a, c));
    }
    void AddEndSupportLoad(int k, double P) { endLoads.Add(k, P); }
};

} // namespace

std::shared_ptr<CBeamResults> CSinglePosAnalysis::Analyse(double position, const CAnalysisFeedback& feedback)
{
    CLoadModel& lm = *m_pLoadModel;
    const double F = PrepareModelAt(lm, m_pBridge, feedback);

    m_vLoads.clear();
    LoadListSink sink{m_vLoads, {}};
    BuildPositionLoads(lm, *m_pBeam, F, position, sink);

    m_vLoadPtrs.clear();
    for (const auto& p : m_vLoads)
        m_vLoadPtrs.push_back(p.get());
    auto results = std::make_shared<CBeamResults>(CBeamAnalysis(*m_pBeam, m_vLoadPtrs, m_nPoints).Analyse());
    sink.endLoads.AddTo(results->m_vReactions);

    ZeroUnappliedEffects(lm, IsOutsideModelLengths(lm, m_pBeam->m_Length), *results);
    m_vLoads.clear();
    if (!AllFinite(*results))
        throw std::runtime_error(NonFiniteResultsText(*m_pBridge, lm));
    return results;
}
