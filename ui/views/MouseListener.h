#pragma once
// Makes the points of a result graph answer the mouse: a click on a point shows in a tip
// beside the pointer the load model behind it and its two values with their units; a double
// click describes the point within its analysis and offers to remove the whole series.
#include "controls/chart/ChartSeriesMouseListener.h"
#include "controls/chart/ChartXYPoint.h"
#include "controls/tip/MessageTip.h"
#include "ui/views/PlotView.h"

#include <string>

class CChartCtrl;

class CMouseListener : public CChartSeriesMouseListener<SChartXYPoint> {
public:
    CMouseListener(CChartCtrl* pChart, CPlotView* pView, SeriesInfo info = {});
    ~CMouseListener() override;

    void OnMouseEventSeries(int mouseEvent, int x, int y, CChartSerieBase<SChartXYPoint>* pSerie,
                            int pointIndex) override;

    CChartCtrl* m_pChart;
    CPlotView* m_pView;
    CMessageTip m_Tip;
    SeriesInfo m_Info;

    // "Load model: X  x = 8.400 m  M = -1394.40 kNm" for point index of the series.
    std::wstring TipText(unsigned index, const SChartXYPoint& point) const;

private:
    void ShowPointTip(int x, int y, unsigned index, const SChartXYPoint& point);
    void OfferRemoval(CChartSerieBase<SChartXYPoint>* pSerie, const SChartXYPoint& point);
};
