#pragma once
#include "platform/win/WinDef.h"

#include <QPoint>

struct POINT {
    LONG x;
    LONG y;
};
using LPPOINT = POINT*;

struct SIZE {
    LONG cx;
    LONG cy;
};

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int X, int Y) : POINT{X, Y} {}
    CPoint(POINT p) : POINT(p) {}
    explicit CPoint(const QPoint& p) : POINT{p.x(), p.y()} {}

    void Offset(int dx, int dy)
    {
        x += dx;
        y += dy;
    }
    void SetPoint(int X, int Y)
    {
        x = X;
        y = Y;
    }
    bool operator==(const POINT& p) const { return x == p.x && y == p.y; }
    bool operator!=(const POINT& p) const { return !(*this == p); }
    CPoint operator+(const POINT& p) const { return {x + p.x, y + p.y}; }
    CPoint operator-(const POINT& p) const { return {x - p.x, y - p.y}; }
    CPoint operator+(const SIZE& s) const { return {x + s.cx, y + s.cy}; }
    CPoint operator-(const SIZE& s) const { return {x - s.cx, y - s.cy}; }
    CPoint operator-() const { return {-x, -y}; }
    CPoint& operator+=(const POINT& p)
    {
        x += p.x;
        y += p.y;
        return *this;
    }
    CPoint& operator-=(const POINT& p)
    {
        x -= p.x;
        y -= p.y;
        return *this;
    }
    CPoint& operator+=(const SIZE& s)
    {
        x += s.cx;
        y += s.cy;
        return *this;
    }
    CPoint& operator-=(const SIZE& s)
    {
        x -= s.cx;
        y -= s.cy;
        return *this;
    }

    QPoint ToQPoint() const { return {x, y}; }
    operator LPPOINT() { return this; }
};
