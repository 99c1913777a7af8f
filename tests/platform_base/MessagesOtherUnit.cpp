// A second unit registering the same name during its own static initialisation.
#include "platform/base/Messages.h"

static const unsigned int UWM_ADD_STATUS = RegisterWindowMessage(L"UWM_ADD_STATUS");

unsigned int OtherUnitAddStatusMessage()
{
    return UWM_ADD_STATUS;
}
