#pragma once
#include "core/outputs/AnalysisOutput.h"

class CReferenceCollection;

// The critical-ratio table over every reference set of a collection.
class CAOEnhanced : public CAnalysisOutput {
public:
    explicit CAOEnhanced(std::shared_ptr<CReferenceCollection> pRefColl);

    std::wstring Describe() const override;
};
