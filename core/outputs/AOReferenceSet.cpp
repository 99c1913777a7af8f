#include "core/outputs/AOReferenceSet.h"

#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceSet.h"

CAOReferenceSet::CAOReferenceSet(std::shared_ptr<CReferenceSet> pRefSet, bool bOverstress)
    : CAOReferenceSet(AO_REFERENCESET, std::move(pRefSet), bOverstress)
{
}

CAOReferenceSet::CAOReferenceSet(AnalysisOutputType type, std::shared_ptr<CReferenceSet> pRefSet, bool bOverstress)
    : CAnalysisOutput(type, 0), m_bOverstress(bOverstress)
{
    m_Slot1.Set(std::move(pRefSet));
}

std::wstring CAOReferenceSet::Describe() const
{
    const auto rs = GetReferenceSet<CReferenceSet>();
    return Join({L"Bridge set: " + NameOf(rs ? rs->GetBridgeSet().get() : nullptr),
                 L"Load model ensemble: " + NameOf(rs ? rs->GetRefLME().get() : nullptr),
                 L"O/S: " + OnOff(m_bOverstress)});
}
