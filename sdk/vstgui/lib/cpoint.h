// A point, or a size (x as width, y as height), in the toolkit's coordinates.
#pragma once

#include "sdk/vstgui/lib/vstguibase.h"

namespace VSTGUI {

struct CPoint {
    CCoord x = 0.;
    CCoord y = 0.;

    constexpr CPoint() = default;
    constexpr CPoint(CCoord px, CCoord py) : x(px), y(py) {}

    constexpr CPoint& offset(CCoord dx, CCoord dy)
    {
        x += dx;
        y += dy;
        return *this;
    }
    constexpr CPoint& offset(const CPoint& by) { return offset(by.x, by.y); }
    constexpr CPoint& offsetInverse(const CPoint& by) { return offset(-by.x, -by.y); }
    constexpr CPoint& operator()(CCoord px, CCoord py)
    {
        x = px;
        y = py;
        return *this;
    }

    constexpr CPoint operator+(const CPoint& other) const { return {x + other.x, y + other.y}; }
    constexpr CPoint operator-(const CPoint& other) const { return {x - other.x, y - other.y}; }
    constexpr CPoint operator-() const { return {-x, -y}; }
    constexpr CPoint& operator+=(const CPoint& other) { return offset(other); }
    constexpr CPoint& operator-=(const CPoint& other) { return offsetInverse(other); }
    constexpr bool operator==(const CPoint& other) const { return x == other.x && y == other.y; }
    constexpr bool operator!=(const CPoint& other) const { return !(*this == other); }
};

}  // namespace VSTGUI
