#pragma once
// The "Factors" page: the four multiplying factors of the load model (dynamic load
// allowance, live load, units, arbitrary), their product and the width factor.
#include "ui/gridDlg/PropPageWithGridBase.h"

#include <memory>

class CLoadModel;
class QComboBox;
class QLineEdit;

class CPropPageLMFactors : public CPropPageWithGridBase {
    Q_OBJECT

public:
    explicit CPropPageLMFactors(QWidget* pParent = nullptr);

    void SetLoadModel(std::shared_ptr<CLoadModel> pLoadModel);
    void FillGrid() override;
    // The four factors are fixed rows of the model: none can be deleted.
    BOOL DeleteRow(int nRow) override;
    bool CanDeleteRow(int nRow) const override;

    int m_nWidthFactor = 0;
    double m_dGamma = 1.0;
    std::shared_ptr<CLoadModel> m_pLoadModel;

    QComboBox* m_cbWidthFactor;
    QLineEdit* m_edGamma;

    static constexpr int kValueColumn = 2;

protected:
    BOOL OnInitDialog() override;
    void OnGridEndEdit(NMHDR* pNotifyStruct, LRESULT* pResult) override;

private:
    void OnWidthFactorChanged(int nIndex);
    void ShowGamma();
};
