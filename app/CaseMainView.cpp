#include "app/CaseMainView.h"

LRESULT CCaseMainView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return message == WM_ELEMENTSELECTED ? OnShowLoadModel(wParam, lParam) : 0;
}

void CDocMainViewAdapter::FillAxleGrid(const std::shared_ptr<CLoadModel>& pLoadModel)
{
    if (m_pView)
        m_pView->FillAxleGrid(pLoadModel);
}
