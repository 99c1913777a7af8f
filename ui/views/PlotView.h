#pragma once
// The graph view: rows x columns of charts under the view's title, filled once from one
// analysis output. Chart k stands in column k / rows, row k % rows (column by column).
// Bending moments are drawn negated, positive moments below the axis.
#include "ui/views/QELViewBase.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CChartCtrl;
class CBridge;
class CMouseListener;

// What the points of one series are, for the legend and the point tip.
struct SeriesInfo {
    enum Axis { X_LOCATION, X_SPAN };
    enum Quantity { Q_NONE, Q_MOMENT, Q_SHEAR, Q_REACTION, Q_RATIO };

    SeriesInfo() = default;
    SeriesInfo(std::wstring name_, Axis xAxis_, Quantity quantity_, std::vector<std::wstring> models_ = {},
               bool bNegated_ = false)
        : name(std::move(name_)), xAxis(xAxis_), quantity(quantity_), models(std::move(models_)), bNegated(bNegated_)
    {
    }

    std::wstring name; // the legend's entry; none for the beam
    Axis xAxis = X_LOCATION;
    Quantity quantity = Q_NONE;
    // The load models behind the points: models[modelOf[i]] behind point i, or the one model
    // behind every point when modelOf is empty, or none. An envelope of 100,000 points from
    // two models keeps two names and an index for each point.
    std::vector<std::wstring> models;
    bool bNegated = false; // moments are drawn negated; the tip gives the value itself
    std::vector<std::uint32_t> modelOf;

    // The load model behind point i; empty when none is known.
    std::wstring ModelAt(std::size_t i) const;
    // Point by point: the name of the model behind the next point.
    void AddPointModel(const std::wstring& model);
};

class CPlotView : public CQELViewBase {
public:
    // The settings' plot colours, in the settings' order.
    enum PlotColour {
        CLR_BACKGRND,
        CLR_BORDER,
        CLR_GRID,
        CLR_TEXT,
        CLR_LINEMIN,
        CLR_LINEMAX,
        CLR_BEAM,
        CLR_LIGHTLINE,
        CLR_PROPMIN,
        CLR_PROPMAX,
        CLR_FULLSPEED,
        CLR_SLOWDOWN,
        CLR_COUNT
    };

    CPlotView();
    ~CPlotView() override;

    // rows x cols empty charts; a count below 1 raises "Cannot have zero rows or columns"
    // (a negative one included: it would otherwise read as billions of charts).
    void SetLayout(int rows, int cols);
    void RecalcLayout() override;
    void ClearCharts();
    // The chart's position in the view, -1 when it is not one of the view's.
    int GetChartIndex(const CChartCtrl* pChart) const;
    void AddSeries(unsigned index, std::vector<double> x, std::vector<double> y, COLORREF colour, bool bMarkers,
                   int width, bool bNegate, bool bRound, SeriesInfo info = {});
    // Widens the left (0) or bottom (1) axis to whole tick steps with a margin.
    static void RoundAxis(CChartCtrl* pChart, int axis);
    void SetChartTitles(unsigned index, const std::wstring& xTitle, const std::wstring& yTitle);
    // The line over a chart naming what it shows ("Reaction 1").
    void SetChartName(unsigned index, const std::wstring& name);
    void AddBeamLine(unsigned index, const std::shared_ptr<CBridge>& pBridge);

    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
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

    // who names the envelopes in the legend ("Reference", "Proposed"); none: "Maximum", "Minimum".
    void PlotEnvelopesBMSF(const std::shared_ptr<CEnvelopeResults>& pResults, COLORREF minColour, COLORREF maxColour,
                           int nShowEach, const std::wstring& who = {});
    void PlotEnvelopeReactions(const std::shared_ptr<CEnvelopeResults>& pResults, COLORREF minColour,
                               COLORREF maxColour, const std::wstring& who = {});
    // The DLA of the proposed ensemble's first load model for each bridge of the set; none
    // when the ensemble has no load model.
    std::vector<double> GetProposedDLAs(const std::shared_ptr<CReferenceSet>& pRefSet) const;
    void AddRatioLimitLines(unsigned index, const std::vector<double>& x, const std::vector<double>& dla);

    unsigned m_nCharts = 0;
    unsigned m_nRows = 0;
    unsigned m_nCols = 0;
    std::vector<CChartCtrl*> m_vCharts;
    std::vector<CMouseListener*> m_vListeners;
    bool m_bRatioLimitFullSpeed;
    bool m_bRatioLimitSlowDown;
    // False: the reference path, every series drawn through all its points, which the
    // benchmark measures the thinned drawing against.
    bool m_bThinSeries = true;
    COLORREF m_clrPlot[CLR_COUNT];

    const std::wstring m_sBridgeSpan = L"Bridge Span (m)";
    const std::wstring m_sBendingMoment = L"Bending Moment (kNm)";
    const std::wstring m_sShearForce = L"Shear Force (kN)";
    const std::wstring m_sReaction = L"Reaction (kN)";
    const std::wstring m_sBMEnvelope = L"Bending Moment Envelope (kNm)";
    const std::wstring m_sSFEnvelope = L"Shear Force Envelope (kN)";
    const std::wstring m_sReactionEnvelope = L"Reaction Envelope (kN)";
    const std::wstring m_sCritBM = L"Critical Values - Bending Moment (kNm)";
    const std::wstring m_sCritSF = L"Critical Values - Shear Force (kN)";
    const std::wstring m_sCritBMEnvelope = L"Critical Values - Bending Moment Envelope (kNm)";
    const std::wstring m_sCritSFEnvelope = L"Critical Values - Shear Force Envelope (kN)";
    const std::wstring m_sCritReactionEnvelope = L"Critical Values - Reaction Envelope (kN)";
    const std::wstring m_sRatioBM = L"Critical Ratios - Bending Moment";
    const std::wstring m_sRatioSF = L"Critical Ratios - Shear Force";
    const std::wstring m_sRatioReaction = L"Critical Ratios - Reaction";
    const std::wstring m_sLoadPosition = L"Position of Load Model (m)";
    const std::wstring m_sBeamLocation = L"Location along beam (m)";
    // Legend entries.
    const std::wstring m_sMaximum = L"Maximum";
    const std::wstring m_sMinimum = L"Minimum";
    const std::wstring m_sEachPosition = L"Each load position";
    const std::wstring m_sFullSpeed = L"Ratio Limit - Full Speed";
    const std::wstring m_sSlowDown = L"Ratio Limit - Slow Down";

private:
    // Critical values or ratios of a bridge set: moment on chart 0, shear on chart 1.
    template <class Ensemble>
    void PlotCriticalBMSF(const std::shared_ptr<Ensemble>& pEnsemble, const std::wstring& yMoment,
                          const std::wstring& yShear, const std::vector<double>* pDLA);
    // Critical values or ratios of each reaction, one chart per support.
    template <class Ensemble>
    void PlotCriticalReactions(const std::shared_ptr<Ensemble>& pEnsemble, const std::wstring& yTitle,
                               const std::vector<double>* pDLA);
    void AddBeamLinesAndTitles(const std::shared_ptr<CBridge>& pBridge);
    // The decimals of one chart's tick labels: x lengths, y effects or ratios.
    void SetTickDecimals(unsigned index, bool bRatios);
};
