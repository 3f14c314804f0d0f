// A rectangle by its edges: left and top belong to it, right and bottom do not.
#pragma once

#include <algorithm>
#include <cmath>

#include "sdk/vstgui/lib/cpoint.h"

namespace VSTGUI {

struct CRect {
    CCoord left = 0.;
    CCoord top = 0.;
    CCoord right = 0.;
    CCoord bottom = 0.;

    constexpr CRect() = default;
    constexpr CRect(CCoord l, CCoord t, CCoord r, CCoord b) : left(l), top(t), right(r), bottom(b) {}
    // From a top-left corner and a size.
    constexpr CRect(const CPoint& origin, const CPoint& size)
        : left(origin.x), top(origin.y), right(origin.x + size.x), bottom(origin.y + size.y)
    {
    }

    constexpr CCoord getWidth() const { return right - left; }
    constexpr CCoord getHeight() const { return bottom - top; }
    // Keeps the left (top) edge and moves the right (bottom) one.
    constexpr CRect& setWidth(CCoord width)
    {
        right = left + width;
        return *this;
    }
    constexpr CRect& setHeight(CCoord height)
    {
        bottom = top + height;
        return *this;
    }

    constexpr CPoint getTopLeft() const { return {left, top}; }
    constexpr CPoint getTopRight() const { return {right, top}; }
    constexpr CPoint getBottomLeft() const { return {left, bottom}; }
    constexpr CPoint getBottomRight() const { return {right, bottom}; }
    constexpr CPoint getSize() const { return {getWidth(), getHeight()}; }
    constexpr CPoint getCenter() const { return {left + getWidth() / 2., top + getHeight() / 2.}; }

    // Moves the rectangle so that its top-left corner lies at the point; keeps the size.
    constexpr CRect& setTopLeft(const CPoint& point)
    {
        const CPoint size = getSize();
        left = point.x;
        top = point.y;
        return setWidth(size.x).setHeight(size.y);
    }
    constexpr CRect& setSize(const CPoint& size) { return setWidth(size.x).setHeight(size.y); }

    constexpr CRect& offset(CCoord dx, CCoord dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }
    constexpr CRect& offset(const CPoint& by) { return offset(by.x, by.y); }
    constexpr CRect& offsetInverse(const CPoint& by) { return offset(-by.x, -by.y); }
    // Moves the rectangle so that its top-left corner lies at (x, y).
    constexpr CRect& moveTo(CCoord x, CCoord y) { return setTopLeft({x, y}); }
    constexpr CRect& moveTo(const CPoint& point) { return setTopLeft(point); }

    // Positive values shrink the rectangle on each side, negative ones grow it.
    constexpr CRect& inset(CCoord dx, CCoord dy)
    {
        left += dx;
        right -= dx;
        top += dy;
        bottom -= dy;
        return *this;
    }
    constexpr CRect& inset(const CPoint& by) { return inset(by.x, by.y); }
    constexpr CRect& extend(CCoord dx, CCoord dy) { return inset(-dx, -dy); }

    // Keeps only the part that lies in both; an empty result has zero width or height.
    CRect& bound(const CRect& other)
    {
        left = std::max(left, other.left);
        top = std::max(top, other.top);
        right = std::max(left, std::min(right, other.right));
        bottom = std::max(top, std::min(bottom, other.bottom));
        return *this;
    }
    // The smallest rectangle holding both; an empty rectangle adds nothing.
    CRect& unite(const CRect& other)
    {
        if (other.isEmpty())
            return *this;
        if (isEmpty())
            return *this = other;
        left = std::min(left, other.left);
        top = std::min(top, other.top);
        right = std::max(right, other.right);
        bottom = std::max(bottom, other.bottom);
        return *this;
    }
    // Swaps reversed edges so that left <= right and top <= bottom.
    CRect& normalize()
    {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
        return *this;
    }
    // Outward to whole numbers (for pixel-aligned redraw areas).
    CRect& makeIntegral()
    {
        left = std::floor(left);
        top = std::floor(top);
        right = std::ceil(right);
        bottom = std::ceil(bottom);
        return *this;
    }

    constexpr bool isEmpty() const { return !(right > left) || !(bottom > top); }
    constexpr bool pointInside(const CPoint& point) const
    {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
    constexpr bool rectOverlap(const CRect& other) const
    {
        return other.right > left && other.left < right && other.bottom > top && other.top < bottom;
    }
    constexpr bool rectInside(const CRect& other) const
    {
        return other.left >= left && other.right <= right && other.top >= top && other.bottom <= bottom;
    }

    constexpr bool operator==(const CRect& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    constexpr bool operator!=(const CRect& other) const { return !(*this == other); }
};

}  // namespace VSTGUI
