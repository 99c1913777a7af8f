#pragma once
#include "core/outputs/AnalysisOutput.h"

class CReferenceSet;

// The reference envelopes' critical values of one reference set.
class CAOReferenceSet : public CAnalysisOutput {
public:
    CAOReferenceSet(std::shared_ptr<CReferenceSet> pRefSet, bool bOverstress);

    std::wstring Describe() const override;

    bool m_bOverstress = false;

protected:
    CAOReferenceSet(AnalysisOutputType type, std::shared_ptr<CReferenceSet> pRefSet, bool bOverstress);
};
