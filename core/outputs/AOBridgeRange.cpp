#include "core/outputs/AOBridgeRange.h"

#include "core/bridge/BridgeSet.h"
#include "core/critical/CriticalValueEnsemble.h"
#include "core/envelopes/EnvelopeResults.h"

CAOBridgeRange::CAOBridgeRange(std::shared_ptr<CCriticalValueEnsemble> pResults, std::shared_ptr<CBridgeSet> pBridgeSet,
                               std::shared_ptr<CElement> pLoadModel)
    : CAnalysisOutput(AO_BRIDGERANGE, 0)
{
    m_Slot1.Set(std::move(pLoadModel));
    m_Slot2.Set(std::move(pBridgeSet));
    m_Slot3.Set(std::move(pResults));
}

std::wstring CAOBridgeRange::Describe() const
{
    int nAnalyses = 0;
    if (const auto crit = GetResults<CCriticalValueEnsemble>())
        for (const auto& r : crit->m_vEnvResults)
            if (r)
                nAnalyses += r->m_nAnalyses;
    return Join({L"Bridge set: " + NameOf(GetBridgeSet().get()), L"Load model: " + NameOf(GetLoadModel().get()),
                 L"No. analyses: " + std::to_wstring(nAnalyses)});
}
