#pragma once
// The document's one way to the installed host (DocHost.h): its windows and its two dialog
// factories. Each helper does nothing when the piece it needs is not installed.
#include <string>

#include "app/doc/AnalysisDialogs.h"
#include "app/doc/DocHost.h"
#include "app/doc/DocWindows.h"

namespace dochost {

inline CDocWindows* Windows()
{
    return GetDocHost().pWindows;
}
inline CDocDialogs* Dialogs()
{
    return GetDocHost().pDialogs;
}
inline CDocAnalysisDialogs* AnalysisDialogs()
{
    return GetDocHost().pAnalysisDialogs;
}

inline void Error(const std::wstring& sText)
{
    if (CDocWindows* w = Windows())
        w->ShowError(sText);
}

inline void Warning(const std::wstring& sText)
{
    if (CDocWindows* w = Windows())
        w->ShowWarning(sText);
}

// False without windows: nobody said Yes.
inline bool Ask(const std::wstring& sText)
{
    CDocWindows* w = Windows();
    return w && w->AskYesNo(sText);
}

}
