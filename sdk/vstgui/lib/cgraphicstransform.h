// An affine transform of the drawing plane:
//   x' = m11 * x + m12 * y + dx,   y' = m21 * x + m22 * y + dy.
// Views use it for translation and scale only, which keep rectangles rectangles.
#pragma once

#include "sdk/vstgui/lib/crect.h"

namespace VSTGUI {

struct CGraphicsTransform {
    double m11 = 1.;
    double m12 = 0.;
    double m21 = 0.;
    double m22 = 1.;
    double dx = 0.;
    double dy = 0.;

    constexpr CGraphicsTransform() = default;
    constexpr CGraphicsTransform(double a11, double a12, double a21, double a22, double tx, double ty)
        : m11(a11), m12(a12), m21(a21), m22(a22), dx(tx), dy(ty)
    {
    }

    // Applies the given step after this transform.
    constexpr CGraphicsTransform& translate(double x, double y)
    {
        dx += x;
        dy += y;
        return *this;
    }
    constexpr CGraphicsTransform& scale(double sx, double sy)
    {
        m11 *= sx;
        m12 *= sx;
        dx *= sx;
        m21 *= sy;
        m22 *= sy;
        dy *= sy;
        return *this;
    }

    // This transform applied after `inner`.
    constexpr CGraphicsTransform operator*(const CGraphicsTransform& inner) const
    {
        return {m11 * inner.m11 + m12 * inner.m21,    m11 * inner.m12 + m12 * inner.m22,
                m21 * inner.m11 + m22 * inner.m21,    m21 * inner.m12 + m22 * inner.m22,
                m11 * inner.dx + m12 * inner.dy + dx, m21 * inner.dx + m22 * inner.dy + dy};
    }

    constexpr CPoint transform(const CPoint& p) const
    {
        return {m11 * p.x + m12 * p.y + dx, m21 * p.x + m22 * p.y + dy};
    }
    // The bounding box of the transformed corners.
    CRect transform(const CRect& r) const
    {
        const CPoint a = transform(r.getTopLeft()), b = transform(r.getBottomRight());
        const CPoint c = transform(r.getTopRight()), d = transform(r.getBottomLeft());
        return {std::min({a.x, b.x, c.x, d.x}), std::min({a.y, b.y, c.y, d.y}),
                std::max({a.x, b.x, c.x, d.x}), std::max({a.y, b.y, c.y, d.y})};
    }

    // The inverse; a transform that flattens the plane inverts to the identity.
    CGraphicsTransform inverse() const
    {
        const double det = m11 * m22 - m12 * m21;
        if (det == 0.)
            return {};
        const double i11 = m22 / det, i12 = -m12 / det, i21 = -m21 / det, i22 = m11 / det;
        return {i11, i12, i21, i22, -(i11 * dx + i12 * dy), -(i21 * dx + i22 * dy)};
    }

    constexpr bool isIdentity() const
    {
        return m11 == 1. && m12 == 0. && m21 == 0. && m22 == 1. && dx == 0. && dy == 0.;
    }
};

}  // namespace VSTGUI
