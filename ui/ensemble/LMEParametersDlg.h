#pragma once
// "LME Parameters": the options of a standard vehicle family before it is inserted: the
// dynamic amplification factor, the steps of a variable axle spacing and, for the BS5400
// family, the number of HB units. The caller sets m_bVariableAxle and m_bBS5400 first.
#include "ui/dialogs/DialogBase.h"

class CNumericEdit;
class QLabel;
class QRadioButton;

class CLMEParametersDlg : public CQELDialog
{
    Q_OBJECT

public:
    explicit CLMEParametersDlg(QWidget* pParent = nullptr);

    bool m_bVariableAxle = false;
    bool m_bByStep = false;
    QRadioButton* m_rbStep;
    CNumericEdit* m_edStep;
    QLabel* m_stStepUnit;
    double m_dStep = 1.0;
    QRadioButton* m_rbNumber;
    CNumericEdit* m_edNumber;
    QLabel* m_stNumberUnit;
    int m_nNumber;
    bool m_bUseLMDAF = true;
    QRadioButton* m_rbUseLMDAF;
    QRadioButton* m_rbSpecifyDAF;
    CNumericEdit* m_edDAF;
    double m_dDAF = 1.3;
    bool m_bBS5400 = false;
    QLabel* m_stHBUnits;
    CNumericEdit* m_edHBUnits;
    int m_nHBUnits = 45;

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
