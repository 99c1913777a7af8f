#pragma once
// The "Vehicle" page: the axles of the load model, each with its weight, its spacing from
// the axle before and its width, laid out from the front axle's location. A model that
// travels in reverse shows its axles mirrored, as they travel; what the page writes back
// is mirrored back.
#include "ui/lmsheet/PropPageLMLoadList.h"

class CPropPageLMVehicle : public CPropPageLMLoadList {
    Q_OBJECT

public:
    explicit CPropPageLMVehicle(QWidget* pParent = nullptr);

    void SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel) override;
    BOOL OnKillActive() override;
    // Confirming the sheet drops the loads of zero magnitude.
    void OnOK() override;

    bool m_bEditable = true;
    double m_dFrontLocation = 0.0;
    std::vector<double> m_vSpacing;
    double m_dTotalWeight = 0.0;
    double m_dTotalLength = 0.0;

    CNumericEdit* m_pFrontEdit;
    CNumericEdit* m_pTotalWeightEdit;
    CNumericEdit* m_pTotalLengthEdit;

protected:
    BOOL OnInitDialog() override;
    unsigned ModelLoadCount() const override;
    double ModelFactor() const override;
    void AppendZeroLoad() override;
    bool RemoveModelLoad(unsigned i) override;
    std::vector<double> RowValues(unsigned i) const override;
    void SetLoadValue(unsigned i, int nDataCol, double dValue) override;
    void ApplyFactor(double dFactor) override;
    void OnLoadsEdited() override;
    void RefreshFromModel() override;

private:
    // A location as the axles travel, and back (the same mirror both ways).
    double Shown(double x) const;
    // Spacings and front location from the model's axle locations.
    void RebuildSpacings();
    // Axle locations from the front location and the spacings, written to the model.
    void RebuildLocations();
    void ComputeTotals();
    void ShowTotals();
    // EN_KILLFOCUS of the front location.
    void OnFrontLocationChanged();

    // The model's length when the page took it: the mirror of a reversed model.
    double m_dMirrorLength = 0.0;
    // Spacings or front location changed, or an axle appended, since the locations were
    // last written.
    bool m_bLocationsEdited = false;
    CNumericBinding m_front;
    CNumericBinding m_totalWeight;
    CNumericBinding m_totalLength;
};
