#pragma once
#include "core/outputs/AOReferenceSet.h"

// The reference and proposed envelopes of one bridge of a reference set.
class CAOCompareRefSetEnvs : public CAOReferenceSet {
public:
    CAOCompareRefSetEnvs(bool bOverstress, int index, std::shared_ptr<CReferenceSet> pRefSet);

    std::wstring Describe() const override;

    // The bridge's position in the set, and so in both critical ensembles' result lists.
    int GetIndex() const { return m_Index; }

    int m_Index = 0;
};
