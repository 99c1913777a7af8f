#pragma once
// The result-table view: one grid under the view's title, filled once from one analysis
// output. Row 0 holds the column headings and column 0 the row numbers; every data cell is
// a read-only numeric cell, except the load-model names and point labels. A table gives
// each data row as a function of its index, and the grid builds a row when it is first
// read: a table of 100,000 stations opens with the rows in view built, and its file, copy
// and print still hold every row.
#include "ui/views/QELViewBase.h"

#include "core/envelopes/PointLoadEffect.h"
#include "core/envelopes/RatioLoadEffect.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CGridCtrl;
class CAOEnhanced;
class CBridgeSet;

class CGridView : public CQELViewBase {
public:
    using Headings = std::vector<std::wstring>;

    // Which decimal places of the settings a number is shown with.
    enum Quantity { Q_SPAN, Q_LENGTH, Q_EFFECT, Q_RATIO };

    // What a table writes into one data row; columns count from 1.
    class CRowCells {
    public:
        virtual void Number(int col, double value, Quantity quantity) = 0;
        // A ratio against a zero reference has no value: "n/a", and an empty cell in files.
        virtual void NotAvailable(int col) = 0;
        // A plain text cell, left-aligned (a load model's name, a point's label).
        virtual void Text(int col, const std::wstring& text) = 0;
        // The row's heading, in place of its number.
        virtual void Heading(const std::wstring& text) = 0;

        void Effect(int col, const PointLoadEffect& e, Quantity quantity) { Number(col, e.val, quantity); }
        void Effect(int col, const RatioLoadEffect& e, Quantity quantity)
        {
            if (e.IsDefined())
                Number(col, e.ratio, quantity);
            else
                NotAvailable(col);
        }

    protected:
        ~CRowCells() = default;
    };
    // Writes data row i of the table (0: the first row under the headings).
    using RowFunction = std::function<void(std::size_t i, CRowCells& cells)>;

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

    // The grid with its heading row; the data rows are built by the table's row function
    // (m_Rows) as they are read.
    void CreateGrid(unsigned nDataRows, unsigned nDataCols);
    // Every data cell of one row made a read-only result number.
    void SetNumericCells(int row);
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
    // The table's data rows, read by the grid as it builds them.
    RowFunction m_Rows;
    // The reference path: every row built as the table opens, as tables were built before
    // their rows were built as they came into view. The benchmark measures against it.
    bool m_bBuildAllRows = false;

private:
    class CGridRowCells;
    class CWidestCells;

    // Grid and headings (entry c - 1 in column c); rows from the row function.
    void StartTable(unsigned nDataRows, unsigned nDataCols, const Headings& headings, RowFunction rows);
    // After the headings: the rows that hold each column's widest text, for AutoFit, and on
    // the reference path every row.
    void FinishRows();
    // The grid's filler: row number, numeric cells, then the row function's cells.
    void FillRow(int row);
    // The data rows holding each column's widest text, found without building a row.
    std::vector<int> SizingRows() const;
    void SetHeading(int col, const std::wstring& text);
    void SetRowNumber(int row);
    // One data cell made a read-only result number.
    void SetResultCell(int row, int col);
    void SetNumber(int row, int col, double value, Quantity quantity);
    void SetNotAvailable(int row, int col);
    void SetTextCell(int row, int col, const std::wstring& text);
    // A table with a row for each listed load position, numbered by its position (a long
    // run lists only some of them).
    void StartPositionTable(const std::vector<std::size_t>& positions, unsigned nDataCols, const Headings& headings,
                            RowFunction rows);
    // Critical values or ratios of a bridge set: moment and shear, or every reaction.
    template <class Ensemble>
    void FillCriticalTable(const std::shared_ptr<Ensemble>& pEnsemble, Quantity quantity);
    template <class Ensemble>
    void FillCriticalReactionTable(const std::shared_ptr<Ensemble>& pEnsemble, Quantity quantity);
};
