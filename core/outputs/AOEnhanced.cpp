#include "core/outputs/AOEnhanced.h"

#include "core/reference/ReferenceCollection.h"
#include "platform/base/CLocale.h"

CAOEnhanced::CAOEnhanced(std::shared_ptr<CReferenceCollection> pRefColl) : CAnalysisOutput(AO_ENHANCED, 0)
{
    m_Slot1.Set(std::move(pRefColl));
}

std::wstring CAOEnhanced::Describe() const
{
    const auto coll = GetReferenceSet<CReferenceCollection>();
    return Join({L"Reference: " + NameOf(coll.get()),
                 L"Load model: " + (coll ? coll->GetProposedName() : std::wstring()),
                 L"Multiplier: " + FormatDoubleCW("%.3f", coll ? coll->m_Multiplier : 0.0),
                 L"O/S: " + OnOff(coll && coll->m_bUseOverstress)});
}
