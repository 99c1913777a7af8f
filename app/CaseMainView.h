#pragma once
// The case window's view: the main view, which also takes the element pane's selection
// message like every other window of the main window.
#include <QPointer>

#include "app/doc/DocWindows.h"
#include "platform/win/WndMsg.h"
#include "ui/mainview/QELView.h"

class CCaseMainView : public CQELView, public CMessageReceiver
{
    Q_OBJECT

public:
    explicit CCaseMainView(QWidget* pParent = nullptr) : CQELView(pParent) {}

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The main view as the case document sees it. It does nothing once the view is gone, so
// a document that kept it past its window cannot reach a deleted widget.
class CDocMainViewAdapter : public CDocMainView
{
public:
    void SetView(CQELView* pView) { m_pView = pView; }
    CQELView* GetView() const { return m_pView; }

    void FillAxleGrid(const std::shared_ptr<CLoadModel>& pLoadModel) override;

private:
    QPointer<CQELView> m_pView;
};
