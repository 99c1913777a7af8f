#pragma once
// The case's main view as the case document sees it.
#include <QPointer>

#include "app/doc/DocWindows.h"
#include "ui/mainview/QELView.h"

// It does nothing once the view is gone, so a document that kept it past its window
// cannot reach a deleted widget.
class CDocMainViewAdapter : public CDocMainView {
public:
    void SetView(CQELView* pView) { m_pView = pView; }
    CQELView* GetView() const { return m_pView; }

    void FillAxleGrid(const std::shared_ptr<CLoadModel>& pLoadModel) override
    {
        if (m_pView)
            m_pView->FillAxleGrid(pLoadModel);
    }

private:
    QPointer<CQELView> m_pView;
};
