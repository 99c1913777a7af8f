#pragma once
// The result-table view: one grid under the view's title, filled once from one analysis
// output. Row 0 holds the column headings and column 0 the row numbers; every data cell is
// a read-only numeric cell, except the load-model names and point labels.
#include "ui/views/QELViewBase.h"

#include "core/envelopes/PointLoadEffect.h"
#include "core/envelopes/RatioLoadEffect.h"

#include <memory>
#include <string>
#include <vector>

class CGridCtrl;
class CAOEnhanced;
class CBridgeSet;

class CGridView : public CQELViewBase {
public:
    using Headings = std::vector<std::wstring>;

    CGridView();
    ~CGridView() override;

    void OnInitialUpdate() override;
    // The edit commands Copy (ID_EDIT_COPY) and Select All (ID_EDIT_SELECT_ALL) go to the
    // grid while it has a window; TRUE when the grid took the command.
    BOOL OnCmdMsg(UINT nID);

    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    void OutputSinglePositionBMSF(std::shared_ptr<CAOSinglePosition> pOutput) override;
    void OutputSinglePositionReactions(std::shared_ptr<CAOSinglePosition> pOutput) override;
    void OutputMovingLoadBMSF(std::shared_ptr<CEnvelopeResults> pResults, int nShowEach) override;
    void OutputMovingLoadReactions(std::shared_ptr<CEnvelopeResults> pResults) override;
    void OutputMultiMovingLoadBMSF(std::shared_ptr<CAOMultiMovingLoad> pOutput, int nShowEach) override;
    void OutputMultiMovingLoadReactions(std::shared_ptr<CAOMultiMovingLoad> pOutput, int nShowEach) override;
    void OutputBridgeRangeBMSF(std::shared_ptr<CCriticalValueEnsemble> pEnsemble) override;
    void OutputBridgeRangeReactions(std::shared_ptr<CCriticalValueEnsemble> pEnsemble) override;
    void OutputRefSetBMSF(std::shared_ptr<CReferenceSet> pRefSet) override;
    void OutputRefSetReactions(std::shared_ptr<CReferenceSet> pRefSet) override;
    void OutputCompareEnvelopesBMSF(std::shared_ptr<CAOCompareRefSetEnvs> pOutput) override;
    void OutputCompareEnvelopesReactions(std::shared_ptr<CAOCompareRefSetEnvs> pOutput) override;
    void OutputCriticalRatiosBMSF(std::shared_ptr<CAOCriticalRatios> pOutput) override;
    void OutputCriticalRatiosReactions(std::shared_ptr<CAOCriticalRatios> pOutput) override;
    // The critical ratios of every reference set of a collection side by side.
    void FillEnhancedGridOutput(std::shared_ptr<CAOEnhanced> pOutput);

    void RecalcLayout() override;
    void OnSize(UINT nType, int cx, int cy) override;

    void CreateGrid(unsigned nDataRows, unsigned nDataCols);
    void SetNumericCells();
    // Columns fitted to their texts, stretched to the window when it is wider.
    void AutoFit();

    CGridCtrl* m_pGrid = nullptr;
    std::shared_ptr<CAnalysisOutput> m_spGridOutput;

    const Headings m_saSinglePosBMSF;
    const Headings m_saMovingLoadBMSF;
    const Headings m_saMovingLoadReactions;
    const Headings m_saMultiMLBMSF;
    const Headings m_saMultiMLReactions;
    const Headings m_saCompareBMSF;
    const Headings m_saCompareReactions;
    const Headings m_saBridgeRangeBMSF;
    const Headings m_saBridgeReactions;
    const Headings m_saBridgeValues;
    const Headings m_saBridgeColumns;
    const Headings m_saSummaryEffects;
    const Headings m_saSummaryEffectsPier;

    int m_nFixedCols = 1;
    int m_nFixedRows = 1;
    unsigned m_nGridCols = 0;
    unsigned m_nGridRows = 0;

    // Which decimal places of the settings a number is shown with.
    enum Quantity { Q_SPAN, Q_LENGTH, Q_EFFECT, Q_RATIO };

private:
    // Grid, headings (entry c - 1 in column c), row numbers and numeric cells.
    void StartTable(unsigned nDataRows, unsigned nDataCols, const Headings& headings);
    void SetHeading(int col, const std::wstring& text);
    void SetRowNumber(int row);
    // One data cell made a read-only result number.
    void SetResultCell(int row, int col);
    void SetNumber(int row, int col, double value, Quantity quantity);
    // A ratio against a zero reference has no value: "n/a", and an empty cell in files.
    void SetNotAvailable(int row, int col);
    void SetEffect(int row, int col, const PointLoadEffect& e, Quantity quantity)
    {
        SetNumber(row, col, e.val, quantity);
    }
    void SetEffect(int row, int col, const RatioLoadEffect& e, Quantity quantity);
    void SetTextCell(int row, int col, const std::wstring& text);
    void FillEnvelopeRows(const std::shared_ptr<CEnvelopeResults>& pResults, int row0, int col0, bool bWithLoad);
    void FillReactionRows(const std::shared_ptr<CEnvelopeResults>& pResults, int row0, int col0,
                          const std::vector<std::size_t>& positions);
    // A table with a row for each listed load position, numbered by its position (a long
    // run lists only some of them).
    void StartPositionTable(const std::vector<std::size_t>& positions, unsigned nDataCols, const Headings& headings);
    // Critical values or ratios of a bridge set: moment and shear, or every reaction.
    template <class Ensemble>
    void FillCriticalTable(const std::shared_ptr<Ensemble>& pEnsemble, Quantity quantity);
    template <class Ensemble>
    void FillCriticalReactionTable(const std::shared_ptr<Ensemble>& pEnsemble, Quantity quantity);
    // Span and bridge length of every bridge of the set in columns 1 and 2.
    void FillBridgeColumns(const std::shared_ptr<CBridgeSet>& pSet);
};
