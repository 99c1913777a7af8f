#pragma once
// The stepping choice of the analysis dialogs: a distance ("Use step distance:", field
// IDC_STEP_SIZE, "m") or a number of steps ("Use no. of steps:", field IDC_NUM_STEPS, "#").
// The radio buttons enable the field of their method and its unit and disable the other
// pair. The bridge set dialog uses the same group for its span range ("By step:" / "By number:").
#include "core/bounds/Bounds.h"
#include "core/dialogdata/AnalysisDlgData.h"
#include "ui/dialogs/DialogBase.h"

#include <QGroupBox>

class CDataExchange;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;

class CSteppingGroup : public QGroupBox {
    Q_OBJECT

public:
    struct Ids {
        int nStepRadio, nNumberRadio, nStepEdit, nNumberEdit, nStepUnit, nNumberUnit;
        const char* sStepRadio;
        const char* sNumberRadio;
    };
    static const Ids AnalysisIds;

    // The members the group edits stay the dialog's; the group keeps their addresses.
    CSteppingGroup(const QString& sTitle, const Ids& ids, bool* pbUseStep, double* pdStep, int* pnNumber,
                   QWidget* pParent = nullptr);

    // Checks the radio of *pbUseStep and enables the matching field and unit.
    void ShowMethod();
    // The two fields; the value of the unused method is still exchanged, as it was typed.
    void DoDataExchange(CDataExchange& dx);
    // On OK: the step or the number of the chosen method must lie in its range; the
    // refusal names the range.
    void Validate(CDataExchange& dx, const RealBound& step, const IntBound& number) const;
    // Disables both fields and their units (an element that cannot be edited).
    void DisableFields();

    QGridLayout* Grid() const { return m_pGrid; }
    QLineEdit* StepEdit() const { return m_pStepEdit; }
    QLineEdit* NumberEdit() const { return m_pNumberEdit; }

signals:
    // The user chose a method or typed in a field.
    void changed();

private:
    void Choose(bool bUseStep);

    bool* m_pbUseStep;
    double* m_pdStep;
    int* m_pnNumber;
    QGridLayout* m_pGrid;
    QRadioButton* m_pStepRadio;
    QRadioButton* m_pNumberRadio;
    QLineEdit* m_pStepEdit;
    QLineEdit* m_pNumberEdit;
    QLabel* m_pStepUnit;
    QLabel* m_pNumberUnit;
};

// A dialog with the stepping group of the analyses: the caller copies its default
// stepping into the three members and back after IDOK. OK refuses a step that is not
// positive and fewer than one step.
class CSteppingDlg : public CQELDialog, public SteppingDlgData {
    Q_OBJECT

public:
    CSteppingGroup* m_pStepping;

protected:
    // The group is made here; the derived dialog places it in its layout.
    CSteppingDlg(int nIDTemplate, const QString& sCaption, QWidget* pParent);
    void DoDataExchange(CDataExchange& dx) override;
    bool OnOK() override;

    // Vehicle positions unless the derived dialog steps something else.
    RealBound m_StepBound = Bounds::Step;
    IntBound m_NumberBound = Bounds::StepCount;
};
