#pragma once
// Dialog controls carry their id as object name; tests find them by it.
#include "ui/dialogs/ControlIds.h"

#include <QString>

inline QString IdName(ControlId id)
{
    return QString::number(static_cast<int>(id));
}
