#pragma once
#include "ChartPointsArray.h"
#include "ChartSerie.h"
#include "ChartSeriesMouseListener.h"

// A series that stores its points in a growable buffer and reports mouse events on them.
template <class PointType>
class CChartSerieBase : public CChartSerie {
public:
    enum { NoOrdering = 0, XOrdering = 1, YOrdering = 2 };

    explicit CChartSerieBase(CChartCtrl* pParent) : CChartSerie(pParent) {}

    unsigned GetPointsCount() const override;
    CPoint GetPointScreenCoord(unsigned index) const override;
    bool GetSerieYMinMax(double& minimum, double& maximum) const override;
    bool GetSerieXMinMax(double& minimum, double& maximum) const override;
    bool GetSerieXScreenMinMax(double& minimum, double& maximum) const override;
    bool GetSerieYScreenMinMax(double& minimum, double& maximum) const override;
    bool GetVisiblePoints(unsigned& first, unsigned& last) const override;
    void DrawLabels(CDC* pDC) override;
    bool OnMouseEvent(int mouseEvent, const CPoint& point) override;
    virtual void SetSeriesOrdering(int ordering);

    const PointType& GetPoint(unsigned index) const { return m_vPoints[static_cast<int>(index)]; }

    CChartSeriesMouseListener<PointType>* m_pMouseListener = nullptr;

protected:
    CChartPointsArray<PointType> m_vPoints;
    unsigned m_uLastDrawnPoint = 0;

private:
    unsigned FindPoint(double key, unsigned low, unsigned high, bool byX) const;
};
