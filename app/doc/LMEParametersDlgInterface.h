#pragma once
// "LME Parameters" as the insert commands run it: the caller presets the two section
// switches, runs it, and reads the values back only after DLG_IDOK.
#include <memory>

#include "app/doc/DocDialogs.h"
#include "core/dialogdata/ElementDlgData.h"

class CLMEParametersDlgInterface : public CModalDlgInterface, public LMEParametersDlgData {};

// Answers OK with the values a fresh dialog opens with; stands in until a window is given.
class CLMEParametersDefaults : public CLMEParametersDlgInterface {
public:
    int DoModal() override { return DLG_IDOK; }
};
