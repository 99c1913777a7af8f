#pragma once
#include <list>
#include <string>

#include "platform/gdi/Rect.h"

class CDC;
class CChartCtrl;
class CChartSerie;
class CChartGrid;
class CChartAxisLabel;
class CChartScrollBar;

// One axis of the chart: maps values to pixels along one side of the plotting area,
// keeps the shown range and draws its line, ticks, labels, title and grid.
class CChartAxis {
    friend class CChartCtrl;
    friend class CChartScrollBar;

public:
    enum EAxisAutoModes { NotAutomatic = 0, FullAutomatic = 1, ScreenAutomatic = 2 };

    CChartAxis();
    virtual ~CChartAxis();
    CChartAxis(const CChartAxis&) = delete;
    CChartAxis& operator=(const CChartAxis&) = delete;

    virtual void SetDiscrete(bool bDiscrete);
    virtual double ScreenToValue(int screenVal) const;
    virtual double GetFirstTickValue() const = 0;
    virtual bool GetNextTickValue(double currentTick, double& nextTick) const = 0;
    virtual int TickValueToScreen(double tickValue) const = 0;
    virtual int GetTickPos(double value) const = 0;
    virtual int ValueToScreen(double value) const;
    virtual std::wstring FormatTickValue(double tickValue) const = 0;
    virtual void ComputeTickStep() = 0;
    virtual void RefreshFirstTick() = 0;
    virtual void GetScrollbarSteps(int& steps, int& pageSize) const;
    virtual void Scroll(unsigned scrollCode, int position);
    virtual void PanAxis(int oldPixel, int newPixel);
    virtual void SetZoomMinMax(double minimum, double maximum);

    void RegisterSeries(CChartSerie* pSeries);
    void UnregisterSeries(CChartSerie* pSeries);
    // Recomputes an automatic range from the attached series and redraws when it changed.
    void RefreshAutoAxis();
    // Where a value or a label is placed: the middle of the axis for a degenerate range,
    // the middle of its tick interval on a discrete axis, else ValueToScreen.
    int GetPosition(double value) const;
    bool IsRangeDegenerate() const;
    int GetAxisLength() const;

    CChartGrid* GetGrid() const { return m_pAxisGrid; }
    CChartAxisLabel* GetLabel() const { return m_pAxisLabel; }
    CChartScrollBar* GetScrollBar() const { return m_pScrollBar; }

    CChartCtrl* m_pParentCtrl = nullptr;
    bool m_bIsHorizontal = true;
    bool m_bIsInverted = false;
    int m_AutoMode = NotAutomatic;
    bool m_bIsVisible = true;
    bool m_bIsSecondary = false;
    double m_MaxValue = 0.0;
    double m_MinValue = 0.0;
    double m_UnzoomMin = 0.0;
    double m_UnzoomMax = 0.0;
    bool m_bAutoTicks = true;
    bool m_bDiscrete = false;
    int m_StartPos = 0;
    int m_EndPos = 0;
    CRect m_AxisRect;
    int m_nFontSize = 80;
    std::wstring m_strFontName = L"Microsoft Sans Serif";
    COLORREF m_TextColor = 0;
    COLORREF m_AxisColor = 0;
    CChartGrid* m_pAxisGrid = nullptr;
    CChartAxisLabel* m_pAxisLabel = nullptr;
    std::list<CChartSerie*> m_lstSeries;
    bool m_bAutoMargin = true;
    int m_iMarginSize = 0;
    bool m_bZoomEnabled = true;
    double m_dZoomLimit = 0.001;
    CChartScrollBar* m_pScrollBar = nullptr;

protected:
    // Called by the control while it lays out and draws the chart.
    void SetParent(CChartCtrl* pParent);
    void SetHorizontal(bool bHorizontal);
    void SetSecondary(bool bSecondary);
    void CreateScrollBar();
    void UpdateScrollBarPos();
    void SetAxisSize(const CRect& controlRect, const CRect& marginRect);
    void ClipMargin(CRect& plottingRect, CDC* pDC, const CRect& controlRect);
    void Draw(CDC* pDC);
    void DrawTick(CDC* pDC, double tickValue);
    void DrawLabel(CDC* pDC, const CSize& largestTick);
    CSize GetLargestTick(CDC* pDC);
    CSize GetLabelSize(CDC* pDC);
    bool GetMinMaxFromSeries(double& minimum, double& maximum) const;
};
