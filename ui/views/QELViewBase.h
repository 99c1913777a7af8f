#pragma once
// Base of the result views: the one interface through which the document hands an
// analysis output to a new result window (seven Set<Kind>Output operations, each calling
// one of fourteen output operations the table and graph views implement), the title line
// and the margins both views lay out around.
#include "ui/views/QELViewPrintBase.h"

#include <functional>
#include <memory>
#include <string>

class CAnalysisOutput;
class CAOSinglePosition;
class CAOMovingLoad;
class CAOMultiMovingLoad;
class CAOBridgeRange;
class CAOReferenceSet;
class CAOCompareRefSetEnvs;
class CAOCriticalRatios;
class CEnvelopeResults;
class CCriticalValueEnsemble;
class CReferenceSet;

class CQELViewBase : public CQELViewPrintBase {
public:
    // What the view shows; the child frame offers Save Grid for tables only.
    enum ViewKind : int { VIEW_PLOT = 0, VIEW_GRID = 1 };

    ~CQELViewBase() override;

    void SetSinglePositionOutput(bool bBMSF, std::shared_ptr<CAOSinglePosition> pOutput);
    void SetMovingLoadOutput(int nShowEach, bool bBMSF, std::shared_ptr<CAOMovingLoad> pOutput);
    void SetMultiMovingLoadOutput(int nShowEach, bool bBMSF, std::shared_ptr<CAOMultiMovingLoad> pOutput);
    void SetBridgeRangeOutput(bool bBMSF, std::shared_ptr<CAOBridgeRange> pOutput);
    void SetRefSetOutput(bool bBMSF, std::shared_ptr<CAOReferenceSet> pOutput);
    void SetCompareEnvelopesOutput(bool bBMSF, std::shared_ptr<CAOCompareRefSetEnvs> pOutput);
    void SetCriticalRatiosOutput(bool bBMSF, std::shared_ptr<CAOCriticalRatios> pOutput);

    virtual void OutputSinglePositionBMSF(std::shared_ptr<CAOSinglePosition> pOutput) = 0;
    virtual void OutputSinglePositionReactions(std::shared_ptr<CAOSinglePosition> pOutput) = 0;
    virtual void OutputMovingLoadBMSF(std::shared_ptr<CEnvelopeResults> pResults, int nShowEach) = 0;
    virtual void OutputMovingLoadReactions(std::shared_ptr<CEnvelopeResults> pResults) = 0;
    virtual void OutputMultiMovingLoadBMSF(std::shared_ptr<CAOMultiMovingLoad> pOutput, int nShowEach) = 0;
    virtual void OutputMultiMovingLoadReactions(std::shared_ptr<CAOMultiMovingLoad> pOutput, int nShowEach) = 0;
    virtual void OutputBridgeRangeBMSF(std::shared_ptr<CCriticalValueEnsemble> pEnsemble) = 0;
    virtual void OutputBridgeRangeReactions(std::shared_ptr<CCriticalValueEnsemble> pEnsemble) = 0;
    virtual void OutputRefSetBMSF(std::shared_ptr<CReferenceSet> pRefSet) = 0;
    virtual void OutputRefSetReactions(std::shared_ptr<CReferenceSet> pRefSet) = 0;
    virtual void OutputCompareEnvelopesBMSF(std::shared_ptr<CAOCompareRefSetEnvs> pOutput) = 0;
    virtual void OutputCompareEnvelopesReactions(std::shared_ptr<CAOCompareRefSetEnvs> pOutput) = 0;
    virtual void OutputCriticalRatiosBMSF(std::shared_ptr<CAOCriticalRatios> pOutput) = 0;
    virtual void OutputCriticalRatiosReactions(std::shared_ptr<CAOCriticalRatios> pOutput) = 0;

    // Measures the title and sets m_nTitleHeight; the views place their controls below it.
    virtual void RecalcLayout();
    // Paints the background and the title, while the main window's active child window
    // belongs to a case document; otherwise nothing.
    void OnDraw(CDC* pDC) override;
    // Whether the active child window belongs to a case document; the main window installs
    // it. With none installed (a view outside the program) a view always paints.
    using ActiveCaseTest = std::function<bool()>;
    static void SetActiveCaseTest(ActiveCaseTest test);
    void OnSize(UINT nType, int cx, int cy) override;
    // One line of text in pFont (the stock user-interface font when null).
    CSize MeasureText(const std::wstring& text, CFont* pFont);

    int GetViewKind() const { return m_nViewKind; }
    const int m_nViewKind;

    int m_nResultType = 0; // 0 bending moment and shear, 1 reactions
    std::shared_ptr<CAnalysisOutput> m_spOutput;
    int m_nTitleHeight = 0;
    int m_nGapTop;
    int m_nGapBottom;
    int m_nGapLeft;
    int m_nGapRight;
    int m_nGapBetween;

protected:
    explicit CQELViewBase(ViewKind kind);
    // Steps 1 to 3 of every Set<Kind>Output: keep the output, the result type, the title.
    void TakeOutput(std::shared_ptr<CAnalysisOutput> pOutput, bool bBMSF, const wchar_t* szPrefix);
    // Height of the title as drawn: bold, wrapped to the view's width.
    int TitleTextHeight();

private:
    void MakeTitleFont(CFont& font);
    CRect TitleRect();
    UINT TitleFormat() const;
};
