#include "core/outputs/AOCompareRefSetEnvs.h"

#include "core/bridge/BridgeSet.h"
#include "core/loads/LoadModel.h"
#include "core/loads/LoadModelEnsemble.h"
#include "core/reference/ReferenceSet.h"

CAOCompareRefSetEnvs::CAOCompareRefSetEnvs(bool bOverstress, int index, std::shared_ptr<CReferenceSet> pRefSet)
    : CAOReferenceSet(AO_COMPAREREFSETENVS, std::move(pRefSet), bOverstress), m_Index(index)
{
}

std::wstring CAOCompareRefSetEnvs::Describe() const
{
    const auto rs = GetReferenceSet<CReferenceSet>();
    std::shared_ptr<CBridge> bridge;
    std::wstring proposed;
    if (rs) {
        const auto bs = rs->GetBridgeSet();
        if (bs && m_Index >= 0 && static_cast<size_t>(m_Index) < bs->m_vBridges.size())
            bridge = bs->GetBridge(m_Index);
        if (const auto prop = rs->GetPropLME()) {
            if (rs->m_bUseLM && !prop->m_vLoadModel.empty() && prop->m_vLoadModel.front())
                proposed = prop->m_vLoadModel.front()->GetDescription();
            else
                proposed = prop->GetDescription();
        }
    }
    return Join({CAOReferenceSet::Describe(), L"Bridge: " + NameOf(bridge.get()), L"Proposed: " + proposed});
}
