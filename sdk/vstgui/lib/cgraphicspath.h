// A path of closed figures that a draw context fills or strokes. The path keeps
// its figures as plain data; the context turns them into cairo calls.
#pragma once

#include <vector>

#include "sdk/vstgui/lib/crect.h"
#include "sdk/vstgui/lib/vstguibase.h"

namespace VSTGUI {

class CGraphicsPath : public CBaseObject {
public:
    struct Figure {
        enum class Kind { Rect, RoundRect, Ellipse };
        Kind kind;
        CRect rect;
        CCoord radius;  // RoundRect only
    };

    void addRect(const CRect& rect) { figures.push_back({Figure::Kind::Rect, rect, 0.}); }
    void addRoundRect(const CRect& rect, CCoord radius)
    {
        figures.push_back({Figure::Kind::RoundRect, rect, radius});
    }
    void addEllipse(const CRect& rect) { figures.push_back({Figure::Kind::Ellipse, rect, 0.}); }

    const std::vector<Figure>& getFigures() const { return figures; }
    bool isEmpty() const { return figures.empty(); }
    // The union of the figures' rectangles.
    CRect getBoundingBox() const
    {
        CRect box;
        for (const Figure& figure : figures)
            box.unite(figure.rect);
        return box;
    }

private:
    std::vector<Figure> figures;
};

}  // namespace VSTGUI
