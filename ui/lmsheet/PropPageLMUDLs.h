#pragma once
// The "UDLs" page: the uniform loads over the whole beam.
#include "ui/lmsheet/PropPageLMLoadList.h"

class CPropPageLMUDLs : public CPropPageLMLoadList {
    Q_OBJECT

public:
    explicit CPropPageLMUDLs(QWidget* pParent = nullptr);

protected:
    unsigned ModelLoadCount() const override;
    double ModelFactor() const override;
    void AppendZeroLoad() override;
    bool RemoveModelLoad(unsigned i) override;
    std::vector<double> RowValues(unsigned i) const override;
    void SetLoadValue(unsigned i, int nDataCol, double dValue) override;
    void ApplyFactor(double dFactor) override;
};
