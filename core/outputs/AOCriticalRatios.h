#pragma once
#include "core/outputs/AnalysisOutput.h"

class CCriticalRatioEnsemble;
class CReferenceCollection;
class CReferenceSet;

// The critical ratios of the proposed item against one reference set of a collection.
class CAOCriticalRatios : public CAnalysisOutput {
public:
    CAOCriticalRatios(std::shared_ptr<CCriticalRatioEnsemble> pRatios, std::shared_ptr<CReferenceCollection> pRefColl,
                      std::shared_ptr<CReferenceSet> pRefSet);

    std::wstring Describe() const override;

    std::shared_ptr<CReferenceCollection> GetReferenceCollection() const { return m_Slot2.Get<CReferenceCollection>(); }
};
