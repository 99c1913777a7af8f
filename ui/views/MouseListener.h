#pragma once
// Makes the points of a result graph answer the mouse: a click on a point shows its X and
// Y in a tip beside the pointer; a double click describes the point within its analysis
// and offers to remove the whole series.
#include "controls/chart/ChartSeriesMouseListener.h"
#include "controls/chart/ChartXYPoint.h"
#include "controls/tip/MessageTip.h"

class CChartCtrl;
class CPlotView;

class CMouseListener : public CChartSeriesMouseListener<SChartXYPoint>
{
public:
    CMouseListener(CChartCtrl* pChart, CPlotView* pView);
    ~CMouseListener() override;

    void OnMouseEventSeries(int mouseEvent, int x, int y, CChartSerieBase<SChartXYPoint>* pSerie,
                            int pointIndex) override;

    CChartCtrl* m_pChart;
    CPlotView* m_pView;
    CMessageTip m_Tip;

private:
    void ShowPointTip(int x, int y, const SChartXYPoint& point);
    void OfferRemoval(CChartSerieBase<SChartXYPoint>* pSerie, const SChartXYPoint& point);
};
