// A view that holds child views, in order: the first is drawn first, the last
// lies on top and is asked first for the mouse. Children measure from the
// container's top-left corner.
//
// Routing: a mouse-down goes to the top-most visible, mouse-enabled child under
// the pointer that takes it; the child that answered kMouseEventHandled gets
// the moves, the mouse-up and a cancel until the gesture ends. The wheel goes
// to the top-most child under the pointer that takes it. Keys are routed by
// the frame (to the focus view, then up through its parents).
#pragma once

#include <cstdint>
#include <vector>

#include "sdk/vstgui/lib/ccolor.h"
#include "sdk/vstgui/lib/cview.h"

namespace VSTGUI {

class CViewContainer : public CView {
public:
    explicit CViewContainer(const CRect& size);
    // Copies the children too (each through newCopy).
    CViewContainer(const CViewContainer& other);
    ~CViewContainer() noexcept override;

    CView* newCopy() const override { return new CViewContainer(*this); }

    // Takes over one reference of `view` (the creator's). False, taking
    // nothing, for no view or a view that already has a parent.
    virtual bool addView(CView* view, CView* before = nullptr);
    // Detaches the child; withForget releases the container's reference.
    virtual bool removeView(CView* view, bool withForget = true);
    virtual bool removeAll(bool withForget = true);

    uint32_t getNbViews() const { return static_cast<uint32_t>(children.size()); }
    CView* getView(uint32_t index) const { return index < children.size() ? children[index] : nullptr; }
    bool isChild(const CView* view, bool deep = false) const;
    // The top-most visible child whose size holds `where` (container
    // coordinates); with deep, the innermost view there.
    CView* getViewAt(const CPoint& where, bool deep = false, bool mustBeMouseEnabled = false) const;
    // The child that took the current mouse gesture, if any.
    CView* getMouseDownView() const { return mouseDownView; }

    virtual void setBackgroundColor(const CColor& color);
    CColor getBackgroundColor() const { return backgroundColor; }

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    // Paints the background (colour, then bitmap) in `rect`, container coordinates.
    virtual void drawBackgroundRect(CDrawContext* context, const CRect& rect);
    // A child asks for `rect` (container coordinates) to be redrawn.
    virtual void invalidChildRect(const CRect& rect);

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    using CView::onWheel;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;

    bool attached(CView* parent) override;
    bool removed(CView* parent) override;

protected:
    void beforeDelete() override;
    // Whether the child takes the mouse at `where` (container coordinates).
    static bool hitsMouse(const CView* child, const CPoint& where);
    CPoint toLocal(const CPoint& where) const
    {
        return CPoint(where).offsetInverse(getViewSize().getTopLeft());
    }

private:
    std::vector<CView*> children;  // each holds one reference
    CView* mouseDownView = nullptr;
    CColor backgroundColor = kBlackCColor;
};

}  // namespace VSTGUI
