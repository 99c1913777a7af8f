#pragma once
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>

// Growable contiguous buffer of chart points, kept in insertion order or sorted by X or by Y.
// Points with equal keys added one by one keep their insertion order.
template <class PointType>
class CChartPointsArray {
    static_assert(std::is_trivially_copyable_v<PointType>);

public:
    enum { NoOrdering = 0, XOrdering = 1, YOrdering = 2 };

    explicit CChartPointsArray(int resize = 1000) : m_iBufferSize(resize), m_iResize(resize)
    {
        m_pPoints.reset(new PointType[m_iBufferSize]());
    }
    CChartPointsArray(const CChartPointsArray&) = delete;
    CChartPointsArray& operator=(const CChartPointsArray&) = delete;

    // Room for n points in all, so that adding a long series copies the buffer once.
    void Reserve(int n)
    {
        if (n <= m_iBufferSize)
            return;
        std::unique_ptr<PointType[]> grown(new PointType[n]());
        std::memcpy(grown.get(), m_pPoints.get(), sizeof(PointType) * m_iPointsCount);
        m_pPoints = std::move(grown);
        m_iBufferSize = n;
    }

    // Throws std::bad_alloc when the buffer cannot grow; the points already held stay intact.
    void AddPoint(const PointType& point)
    {
        if (m_iPointsCount == m_iBufferSize) {
            const int newSize = m_iBufferSize + m_iResize;
            std::unique_ptr<PointType[]> grown(new PointType[newSize]());
            std::memcpy(grown.get(), m_pPoints.get(), sizeof(PointType) * m_iPointsCount);
            m_pPoints = std::move(grown);
            m_iBufferSize = newSize;
        }

        if (m_iPointsCount == 0) {
            m_dXMinVal = m_dXMaxVal = point.X;
            m_dYMinVal = m_dYMaxVal = point.Y;
        } else {
            m_dXMinVal = std::min(m_dXMinVal, point.X);
            m_dXMaxVal = std::max(m_dXMaxVal, point.X);
            m_dYMinVal = std::min(m_dYMinVal, point.Y);
            m_dYMaxVal = std::max(m_dYMaxVal, point.Y);
        }

        PointType* begin = m_pPoints.get();
        PointType* end = begin + m_iPointsCount;
        PointType* pos = end;
        if (m_Ordering == XOrdering && m_iPointsCount > 0 && point.X < end[-1].X)
            pos = std::upper_bound(begin, end, point.X, [](double v, const PointType& p) { return v < p.X; });
        else if (m_Ordering == YOrdering && m_iPointsCount > 0 && point.Y < end[-1].Y)
            pos = std::upper_bound(begin, end, point.Y, [](double v, const PointType& p) { return v < p.Y; });
        if (pos != end)
            std::memmove(pos + 1, pos, sizeof(PointType) * (end - pos));
        *pos = point;
        ++m_iPointsCount;
    }

    // Re-sorts the points for the new ordering (equal keys may change places).
    void SetOrdering(int ordering)
    {
        m_Ordering = ordering;
        PointType* begin = m_pPoints.get();
        if (ordering == XOrdering)
            std::sort(begin, begin + m_iPointsCount, [](const PointType& a, const PointType& b) { return a.X < b.X; });
        else if (ordering == YOrdering)
            std::sort(begin, begin + m_iPointsCount, [](const PointType& a, const PointType& b) { return a.Y < b.Y; });
    }
    int GetOrdering() const { return m_Ordering; }

    int GetPointsCount() const { return m_iPointsCount; }
    int GetBufferSize() const { return m_iBufferSize; }
    const PointType& operator[](int index) const { return m_pPoints[index]; }
    const PointType* GetInternalBuffer() const { return m_pPoints.get(); }

    // False while the buffer is empty.
    bool GetSerieXMinMax(double& min, double& max) const
    {
        if (m_iPointsCount == 0)
            return false;
        min = m_dXMinVal;
        max = m_dXMaxVal;
        return true;
    }
    bool GetSerieYMinMax(double& min, double& max) const
    {
        if (m_iPointsCount == 0)
            return false;
        min = m_dYMinVal;
        max = m_dYMaxVal;
        return true;
    }

    double m_dXMinVal = 0.0;
    double m_dXMaxVal = 0.0;
    double m_dYMinVal = 0.0;
    double m_dYMaxVal = 0.0;

private:
    std::unique_ptr<PointType[]> m_pPoints;
    int m_iBufferSize;
    int m_iPointsCount = 0;
    int m_iResize;
    int m_Ordering = XOrdering;
};
