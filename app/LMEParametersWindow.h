#pragma once
// The "LME Parameters" window behind the case document's insert commands.
#include <memory>

class CLMEParametersDlgInterface;

std::unique_ptr<CLMEParametersDlgInterface> MakeLMEParametersWindow();
