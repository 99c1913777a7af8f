#pragma once
// The "Partial UDLs" page: uniform loads over part of the model, each with its start and
// the length it covers. A model that travels in reverse shows the starts as it travels
// (the mirror of the loaded length); what the page writes back is mirrored back.
#include "ui/lmsheet/PropPageLMLoadList.h"

class CPropPageLMPartialUDLs : public CPropPageLMLoadList {
    Q_OBJECT

public:
    explicit CPropPageLMPartialUDLs(QWidget* pParent = nullptr);

    void SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel) override;

protected:
    unsigned ModelLoadCount() const override;
    double ModelFactor() const override;
    void AppendZeroLoad() override;
    bool RemoveModelLoad(unsigned i) override;
    std::vector<double> RowValues(unsigned i) const override;
    void SetLoadValue(unsigned i, int nDataCol, double dValue) override;
    void ApplyFactor(double dFactor) override;
    void RefreshFromModel() override;

private:
    bool IsReversed() const;
    // The model's length when the page took it: the mirror of a reversed model.
    double m_dMirrorLength = 0.0;
};
