#pragma once
// A numeric edit that counts its refusals instead of beeping.
#include "controls/edit/NumericEdit.h"

namespace qeltest {

class CBeepingEdit : public CNumericEdit {
public:
    int beeps = 0;
    void ValidationError() override { ++beeps; }
    using CNumericEdit::InputEnd;
};

}
