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
#include "platform/base/Messages.h"

namespace qeltest {

inline const unsigned int kProgress = RegisterWindowMessage(L"UWM_PBAR_UPDATE");
inline const unsigned int kStatus = RegisterWindowMessage(L"UWM_ADD_STATUS");

// Records progress steps and status lines; can drop the keep-running flag after a given
// number of progress steps, as "Stop Analysis" would between two load models.
class Recorder {
public:
    explicit Recorder(std::atomic<bool>* flag = nullptr, int stopAfter = -1) : m_flag(flag), m_stopAfter(stopAfter)
    {
        SetMainWindowMessageSink([this](CPostedMessage&& m) {
            if (m.message == kProgress) {
                EXPECT_EQ(m.wParam, 1u);
                EXPECT_EQ(m.lParam, 0);
                if (++progress == m_stopAfter && m_flag)
                    m_flag->store(false);
            } else if (m.message == kStatus && m.Payload<std::wstring>()) {
                status.push_back(*m.Payload<std::wstring>());
            }
        });
    }
    ~Recorder() { SetMainWindowMessageSink(nullptr); }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    int progress = 0;
    std::vector<std::wstring> status;

private:
    std::atomic<bool>* m_flag;
    int m_stopAfter;
};

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
