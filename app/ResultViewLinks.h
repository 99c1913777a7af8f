#pragma once
// A result view in its child window, as the case document sees it (DocWindows.h). The
// link owns the view and is a child of the window, so view and window go together.
#include <QObject>
#include <QString>
#include <memory>

#include "app/ChildFrame.h"
#include "app/doc/DocWindows.h"
#include "ui/views/GridView.h"
#include "ui/views/PlotView.h"

template <class View, class DocView>
class CResultViewLink : public QObject, public DocView {
public:
    CResultViewLink(std::unique_ptr<View> pView, CChildFrame* pFrame)
        : QObject(pFrame), m_pView(std::move(pView)), m_pFrame(pFrame)
    {
    }

    void SetFrameTitle(const std::wstring& sTitle) override
    {
        m_pFrame->setWindowTitle(QString::fromStdWString(sTitle));
    }
    void SetSinglePositionOutput(bool bBMSF, std::shared_ptr<CAOSinglePosition> p) override
    {
        m_pView->SetSinglePositionOutput(bBMSF, std::move(p));
    }
    void SetMovingLoadOutput(int nShowEach, bool bBMSF, std::shared_ptr<CAOMovingLoad> p) override
    {
        m_pView->SetMovingLoadOutput(nShowEach, bBMSF, std::move(p));
    }
    void SetMultiMovingLoadOutput(int nShowEach, bool bBMSF, std::shared_ptr<CAOMultiMovingLoad> p) override
    {
        m_pView->SetMultiMovingLoadOutput(nShowEach, bBMSF, std::move(p));
    }
    void SetBridgeRangeOutput(bool bBMSF, std::shared_ptr<CAOBridgeRange> p) override
    {
        m_pView->SetBridgeRangeOutput(bBMSF, std::move(p));
    }
    void SetRefSetOutput(bool bBMSF, std::shared_ptr<CAOReferenceSet> p) override
    {
        m_pView->SetRefSetOutput(bBMSF, std::move(p));
    }
    void SetCompareEnvelopesOutput(bool bBMSF, std::shared_ptr<CAOCompareRefSetEnvs> p) override
    {
        m_pView->SetCompareEnvelopesOutput(bBMSF, std::move(p));
    }
    void SetCriticalRatiosOutput(bool bBMSF, std::shared_ptr<CAOCriticalRatios> p) override
    {
        m_pView->SetCriticalRatiosOutput(bBMSF, std::move(p));
    }

    View& GetView() const { return *m_pView; }

protected:
    std::unique_ptr<View> m_pView;
    CChildFrame* m_pFrame;
};

class CPlotViewLink : public CResultViewLink<CPlotView, CDocPlotView> {
public:
    using CResultViewLink::CResultViewLink;
    void SetLayout(int rows, int cols) override { m_pView->SetLayout(rows, cols); }
};

class CGridViewLink : public CResultViewLink<CGridView, CDocGridView> {
public:
    using CResultViewLink::CResultViewLink;
    void FillEnhancedGridOutput(std::shared_ptr<CAOEnhanced> p) override
    {
        m_pView->FillEnhancedGridOutput(std::move(p));
    }
};
