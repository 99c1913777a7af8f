#pragma once
// "LME Parameters" as the insert commands run it: the caller presets the two section
// switches, runs it, and reads the values back only after DLG_IDOK.
#include <functional>
#include <memory>

#include "app/doc/DocDialogs.h"
#include "core/settings/Settings.h"

class CLMEParametersDlgInterface : public CModalDlgInterface {
public:
    CLMEParametersDlgInterface() : m_nNumber(g_pSettings->Analysis.NO_AXLE_SPACINGS) {}

    bool m_bVariableAxle = false; // set by the caller
    bool m_bByStep = false;
    double m_dStep = 1.0; // m
    int m_nNumber;        // number of axle spacings
    bool m_bUseLMDAF = true;
    double m_dDAF = 1.3;
    bool m_bBS5400 = false; // set by the caller
    int m_nHBUnits = 45;
};

// Answers OK with the values a fresh dialog opens with; stands in until a window is given.
class CLMEParametersDefaults : public CLMEParametersDlgInterface {
public:
    int DoModal() override { return DLG_IDOK; }
};

// The program's own "LME Parameters" window, installed at start-up; with none installed
// (or an empty one) the stand-in answers. CDocDialogs::MakeLMEParametersDlg uses it.
using LMEParametersDlgFactory = std::function<std::unique_ptr<CLMEParametersDlgInterface>()>;
void SetLMEParametersDlgFactory(LMEParametersDlgFactory factory);
std::unique_ptr<CLMEParametersDlgInterface> MakeDefaultLMEParametersDlg();
