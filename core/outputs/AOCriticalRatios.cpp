#include "core/outputs/AOCriticalRatios.h"

#include "core/bridge/BridgeSet.h"
#include "core/critical/CriticalRatioEnsemble.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceCollection.h"
#include "core/reference/ReferenceSet.h"
#include "platform/base/CLocale.h"

CAOCriticalRatios::CAOCriticalRatios(std::shared_ptr<CCriticalRatioEnsemble> pRatios,
                                     std::shared_ptr<CReferenceCollection> pRefColl,
                                     std::shared_ptr<CReferenceSet> pRefSet)
    : CAnalysisOutput(AO_CRITICALRATIOS, 0)
{
    m_Slot1.Set(std::move(pRatios));
    m_Slot2.Set(std::move(pRefColl));
    m_Slot3.Set(std::move(pRefSet));
}

std::wstring CAOCriticalRatios::Describe() const
{
    const auto coll = GetReferenceCollection();
    const auto rs = GetResults<CReferenceSet>();
    return Join({L"Reference: " + NameOf(coll.get()), L"Bridge set: " + NameOf(rs ? rs->GetBridgeSet().get() : nullptr),
                 L"LME: " + NameOf(rs ? rs->GetRefLME().get() : nullptr),
                 L"Load model: " + (coll ? coll->GetProposedName() : std::wstring()),
                 L"Multiplier: " + FormatDoubleCW("%.3f", coll ? coll->m_Multiplier : 0.0),
                 L"O/S: " + OnOff(coll && coll->m_bUseOverstress)});
}
