#pragma once
// "Filter Load Model Ensemble": keeps the members of an ensemble whose length and weight
// lie within the chosen bounds (inclusive), in a new ensemble or in the chosen one itself.
// The chosen ensemble is the row shown selected; OK stays disabled while there is none.
// A bound pair the wrong way round, or a filter that would leave no member, is refused
// before anything is made or changed.
#include "core/dialogdata/ElementDlgData.h"
#include "ui/dialogs/DialogBase.h"

#include <memory>
#include <vector>

class CElementListBox;
class CLoadModel;
class CLoadModelEnsemble;
class CNumericEdit;
class QCheckBox;
class QLabel;
class QRadioButton;

class CFilterLMEDlg : public CQELDialog, public FilterLMEDlgData {
    Q_OBJECT

public:
    explicit CFilterLMEDlg(QWidget* pParent = nullptr);

    // TRUE when it made m_pResult or filtered the chosen ensemble.
    BOOL DoFilter();
    // Whether the load model passes every bound in force.
    bool Passes(const CLoadModel& model) const;
    // Weight (sum of the axle loads, as stored) and length (first to last axle).
    static double Weight(const CLoadModel& model);
    static double Length(const CLoadModel& model);

    int m_nNewID = 0; // the id of a new ensemble
    std::shared_ptr<CLoadModelEnsemble> m_pLME;
    double m_dMinLength = 0.0;
    double m_dMaxLength = 50.0;
    double m_dMinWeight = 0.0;
    double m_dMaxWeight = 10000.0;
    bool m_bApplyMinLength = false;
    bool m_bApplyMaxLength = false;
    bool m_bApplyMinWeight = false;
    bool m_bApplyMaxWeight = false;

    CElementListBox* m_lbLoadModelEnsembles;
    QRadioButton* m_rbCreateNew;
    QRadioButton* m_rbEditCurrent;
    QCheckBox* m_chkMinLength;
    QCheckBox* m_chkMaxLength;
    QCheckBox* m_chkMinWeight;
    QCheckBox* m_chkMaxWeight;
    CNumericEdit* m_edMinLength;
    CNumericEdit* m_edMaxLength;
    CNumericEdit* m_edMinWeight;
    CNumericEdit* m_edMaxWeight;
    QLabel* m_stMinLengthUnit;
    QLabel* m_stMaxLengthUnit;
    QLabel* m_stMinWeightUnit;
    QLabel* m_stMaxWeightUnit;

protected:
    void OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnOK() override;

private:
    void OnEnsembleChanged(int nRow);
    void OnBoundToggled();
    // Removes the members that fail; walks by index over the shrinking list.
    void Filter(CLoadModelEnsemble& ensemble) const;
};
