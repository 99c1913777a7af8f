#pragma once
#include "platform/gdi/Point.h"

#include <QSize>

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int cx_, int cy_) : SIZE{cx_, cy_} {}
    CSize(SIZE s) : SIZE(s) {}
    explicit CSize(const QSize& s) : SIZE{s.width(), s.height()} {}

    bool operator==(const SIZE& s) const { return cx == s.cx && cy == s.cy; }
    bool operator!=(const SIZE& s) const { return !(*this == s); }
    CSize operator+(const SIZE& s) const { return {cx + s.cx, cy + s.cy}; }
    CSize operator-(const SIZE& s) const { return {cx - s.cx, cy - s.cy}; }
    CSize& operator+=(const SIZE& s)
    {
        cx += s.cx;
        cy += s.cy;
        return *this;
    }
    CSize& operator-=(const SIZE& s)
    {
        cx -= s.cx;
        cy -= s.cy;
        return *this;
    }

    QSize ToQSize() const { return {cx, cy}; }
};
