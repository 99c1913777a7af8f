#pragma once
// Fixtures of the analyses that run over load model ensembles and bridge sets.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "core/bridge/BridgeSet.h"
#include "core/envelopes/EnvelopeResults.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "RecordingFeedback.h"

namespace qeltest {

// Records progress steps and status lines; can stop the run after a given number of
// progress steps, as "Stop Analysis" would between two load models.
using Recorder = RecordingFeedback;

inline std::shared_ptr<CLoadModel> PointLoad(double P, const wchar_t* name = L"Point")
{
    auto lm = std::make_shared<CLoadModel>(1, name);
    lm->AddPointLoad(P, 0.0, 0.0);
    return lm;
}

inline std::shared_ptr<CLoadModelEnsemble> Ensemble(std::vector<std::shared_ptr<CLoadModel>> models)
{
    auto lme = std::make_shared<CLoadModelEnsemble>(1, L"Ensemble");
    for (auto& m : models)
        lme->AddLoadModel(m);
    return lme;
}

inline std::shared_ptr<CBridgeSet> OneSpanSet()
{
    return std::make_shared<CBridgeSet>(1, L"Spans", BC_ONESPAN, 10.0, 30.0, 10.0);
}

inline double MaxMoment(const CEnvelopeResults& r)
{
    return r.GetEnvBMD()->GetMaxEffect().val;
}

} // namespace qeltest
