#pragma once
// "LME Parameters": the options of a standard vehicle family before it is inserted: the
// dynamic amplification factor, the steps of a variable axle spacing and, for the BS5400
// family, the number of HB units. The caller sets m_bVariableAxle and m_bBS5400 first.
#include "core/dialogdata/ElementDlgData.h"
#include "ui/dialogs/DialogBase.h"

class CNumericEdit;
class QLabel;
class QRadioButton;

class CLMEParametersDlg : public CQELDialog, public LMEParametersDlgData {
    Q_OBJECT

public:
    explicit CLMEParametersDlg(QWidget* pParent = nullptr);

    QRadioButton* m_rbStep;
    CNumericEdit* m_edStep;
    QLabel* m_stStepUnit;
    QRadioButton* m_rbNumber;
    CNumericEdit* m_edNumber;
    QLabel* m_stNumberUnit;
    QRadioButton* m_rbUseLMDAF;
    QRadioButton* m_rbSpecifyDAF;
    CNumericEdit* m_edDAF;
    QLabel* m_stHBUnits;
    CNumericEdit* m_edHBUnits;

protected:
    void OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnOK() override;

private:
    void OnStep();
    void OnNumber();
    void OnUseLMDAF();
    void OnSpecifyDAF();
    void EnableStepping();
};
