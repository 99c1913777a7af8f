#include "app/LMEParametersWindow.h"

#include <QApplication>

#include "app/AdaptedDlg.h"
#include "app/doc/LMEParametersDlg.h"
#include "platform/win/MessageBox.h"
#include "ui/ensemble/LMEParametersDlg.h"

namespace {

// The values the window and the document's interface share, either way.
template <class From, class To>
void CopyValues(const From& from, To& to)
{
    to.m_bByStep = from.m_bByStep;
    to.m_dStep = from.m_dStep;
    to.m_nNumber = from.m_nNumber;
    to.m_bUseLMDAF = from.m_bUseLMDAF;
    to.m_dDAF = from.m_dDAF;
    to.m_nHBUnits = from.m_nHBUnits;
}

}

// Runs the window on the values the document set and hands its values back on OK.
std::unique_ptr<CLMEParametersDlgInterface> MakeLMEParametersWindow()
{
    return Adapt<CLMEParametersDlgInterface, CLMEParametersDlg>(
        QApplication::activeWindow(),
        [](CLMEParametersDlgInterface& i, CLMEParametersDlg& d) {
            d.m_bVariableAxle = i.m_bVariableAxle;
            d.m_bBS5400 = i.m_bBS5400;
            CopyValues(i, d);
        },
        [](CLMEParametersDlgInterface& i, const CLMEParametersDlg& d) { CopyValues(d, i); });
}
