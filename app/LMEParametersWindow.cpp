#include "app/LMEParametersWindow.h"

#include <QApplication>

#include "app/doc/LMEParametersDlg.h"
#include "platform/win/MessageBox.h"
#include "ui/ensemble/LMEParametersDlg.h"

namespace {

// Runs the window on the values the document set and hands its values back on OK.
class CLMEParametersWindow : public CLMEParametersDlgInterface {
public:
    int DoModal() override
    {
        CLMEParametersDlg dlg(QApplication::activeWindow());
        dlg.m_bVariableAxle = m_bVariableAxle;
        dlg.m_bBS5400 = m_bBS5400;
        dlg.m_bByStep = m_bByStep;
        dlg.m_dStep = m_dStep;
        dlg.m_nNumber = m_nNumber;
        dlg.m_dDAF = m_dDAF;
        dlg.m_nHBUnits = m_nHBUnits;
        if (dlg.DoModal() != IDOK)
            return DLG_IDCANCEL;
        m_bByStep = dlg.m_bByStep;
        m_dStep = dlg.m_dStep;
        m_nNumber = dlg.m_nNumber;
        m_bUseLMDAF = dlg.m_bUseLMDAF;
        m_dDAF = dlg.m_dDAF;
        m_nHBUnits = dlg.m_nHBUnits;
        return DLG_IDOK;
    }
};

}

std::unique_ptr<CLMEParametersDlgInterface> MakeLMEParametersWindow()
{
    return std::make_unique<CLMEParametersWindow>();
}
