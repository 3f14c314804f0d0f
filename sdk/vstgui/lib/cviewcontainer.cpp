#include "sdk/vstgui/lib/cviewcontainer.h"

#include <algorithm>

#include "sdk/vstgui/lib/cbitmap.h"
#include "sdk/vstgui/lib/cdrawcontext.h"
#include "sdk/vstgui/lib/cframe.h"

namespace VSTGUI {

CViewContainer::CViewContainer(const CRect& size) : CView(size) {}

CViewContainer::CViewContainer(const CViewContainer& other)
    : CView(other), backgroundColor(other.backgroundColor)
{
    for (CView* child : other.children)
        addView(child->newCopy());
}

CViewContainer::~CViewContainer() noexcept
{
    removeAll();
}

void CViewContainer::beforeDelete()
{
    // Children go first, so that a controller this container owns outlives them.
    removeAll();
    CView::beforeDelete();
}

// ---- children

bool CViewContainer::addView(CView* view, CView* before)
{
    if (!view || view->getParentView() || view == this)
        return false;
    const auto position = std::find(children.begin(), children.end(), before);
    children.insert(position, view);
    view->setParentView(this);
    if (isAttached()) {
        view->attached(this);
        view->invalidRect(view->getViewSize());
    }
    return true;
}

bool CViewContainer::removeView(CView* view, bool withForget)
{
    const auto it = std::find(children.begin(), children.end(), view);
    if (it == children.end())
        return false;
    if (mouseDownView == view)
        mouseDownView = nullptr;
    if (view->isAttached()) {
        view->invalidRect(view->getViewSize());
        view->removed(this);
    }
    // A listener told of the removal may have removed the view already.
    const auto still = std::find(children.begin(), children.end(), view);
    if (still == children.end())
        return true;
    children.erase(still);
    view->setParentView(nullptr);
    if (withForget)
        view->forget();
    return true;
}

bool CViewContainer::removeAll(bool withForget)
{
    if (children.empty())
        return false;
    while (!children.empty())
        removeView(children.front(), withForget);
    return true;
}

bool CViewContainer::isChild(const CView* view, bool deep) const
{
    for (CView* child : children) {
        if (child == view)
            return true;
        if (deep)
            if (auto* container = dynamic_cast<CViewContainer*>(child);
                container && container->isChild(view, true))
                return true;
    }
    return false;
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep, bool mustBeMouseEnabled) const
{
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        CView* child = *it;
        if (!child->isVisible() || (mustBeMouseEnabled && !child->getMouseEnabled()) ||
            !child->getViewSize().pointInside(where))
            continue;
        if (deep)
            if (auto* container = dynamic_cast<CViewContainer*>(child))
                if (CView* inner = container->getViewAt(container->toLocal(where), true, mustBeMouseEnabled))
                    return inner;
        return child;
    }
    return nullptr;
}

// ---- drawing

void CViewContainer::setBackgroundColor(const CColor& color)
{
    if (color == backgroundColor)
        return;
    backgroundColor = color;
    invalidRect(getViewSize());
}

void CViewContainer::draw(CDrawContext* context)
{
    drawRect(context, getViewSize());
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect)
{
    CRect clip(updateRect);
    clip.bound(getViewSize());
    if (clip.isEmpty())
        return;
    CDrawContextStateSaver saver(context);
    context->concatTransform(CGraphicsTransform().translate(getViewSize().left, getViewSize().top));
    const CRect local = CRect(clip).offsetInverse(getViewSize().getTopLeft());
    context->setClipRect(local);
    drawBackgroundRect(context, local);
    for (CView* child : children) {
        if (!child->isVisible() || !(child->getAlphaValue() > 0.f))
            continue;
        CRect area(child->getViewSize());
        area.bound(local);
        if (area.isEmpty())
            continue;
        CDrawContextStateSaver childSaver(context);
        context->setClipRect(area);
        const float alpha = child->getAlphaValue();
        if (alpha < 1.f)
            context->beginTransparencyLayer(alpha);
        child->drawRect(context, area);
        if (alpha < 1.f)
            context->endTransparencyLayer();
    }
    setDirty(false);
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& rect)
{
    if (getTransparency())
        return;
    if (backgroundColor.alpha > 0) {
        context->setFillColor(backgroundColor);
        context->drawRect(rect, kDrawFilled);
    }
    if (CBitmap* bitmap = getDrawBackground())
        bitmap->draw(context, CRect(CPoint(), getViewSize().getSize()));
}

void CViewContainer::invalidChildRect(const CRect& rect)
{
    CRect area = CRect(rect).offset(getViewSize().getTopLeft());
    area.bound(getViewSize());
    if (!area.isEmpty())
        invalidRect(area);
}

// ---- mouse and wheel

bool CViewContainer::hitsMouse(const CView* child, const CPoint& where)
{
    return child->isVisible() && child->getMouseEnabled() && child->getMouseableArea().pointInside(where);
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    // A gesture that never saw its mouse-up ends before the next one starts.
    if (mouseDownView)
        onMouseCancel();
    const CPoint local = toLocal(where);
    for (std::size_t i = children.size(); i-- > 0;) {
        if (i >= children.size())
            continue;  // a handler below removed children
        SharedPointer<CView> child(children[i]);
        if (!hitsMouse(child, local))
            continue;
        CPoint point = local;
        const CMouseEventResult result = child->onMouseDown(point, buttons);
        if (result == kMouseEventNotHandled || result == kMouseEventNotImplemented)
            continue;
        if (child->getParentView() == this) {
            if (result == kMouseEventHandled)
                mouseDownView = child;
            if (child->wantsFocus() && getFrame())
                getFrame()->setFocusView(child);
        }
        return result;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    const CPoint local = toLocal(where);
    if (mouseDownView) {
        SharedPointer<CView> child(mouseDownView);
        CPoint point = local;
        const CMouseEventResult result = child->onMouseMoved(point, buttons);
        if (result == kMouseMoveEventHandledButDontNeedMoreEvents && mouseDownView == child)
            mouseDownView = nullptr;
        return result;
    }
    // No gesture: the move goes to the view under the pointer.
    for (std::size_t i = children.size(); i-- > 0;) {
        if (i >= children.size())
            continue;
        SharedPointer<CView> child(children[i]);
        if (!hitsMouse(child, local))
            continue;
        CPoint point = local;
        const CMouseEventResult result = child->onMouseMoved(point, buttons);
        if (result != kMouseEventNotHandled && result != kMouseEventNotImplemented)
            return result;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    if (!mouseDownView)
        return kMouseEventNotHandled;
    SharedPointer<CView> child(mouseDownView);
    mouseDownView = nullptr;
    CPoint point = toLocal(where);
    return child->onMouseUp(point, buttons);
}

CMouseEventResult CViewContainer::onMouseCancel()
{
    if (!mouseDownView)
        return kMouseEventNotHandled;
    SharedPointer<CView> child(mouseDownView);
    mouseDownView = nullptr;
    child->onMouseCancel();
    return kMouseEventHandled;
}

bool CViewContainer::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                             const CButtonState& buttons)
{
    const CPoint local = toLocal(where);
    for (std::size_t i = children.size(); i-- > 0;) {
        if (i >= children.size())
            continue;
        SharedPointer<CView> child(children[i]);
        if (hitsMouse(child, local) && child->onWheel(local, axis, distance, buttons))
            return true;
    }
    return false;
}

// ---- the view tree

bool CViewContainer::attached(CView* parent)
{
    if (!CView::attached(parent))
        return false;
    for (CView* child : std::vector<CView*>(children))
        child->attached(this);
    return true;
}

bool CViewContainer::removed(CView* parent)
{
    if (!isAttached())
        return false;
    for (CView* child : std::vector<CView*>(children))
        child->removed(this);
    return CView::removed(parent);
}

}  // namespace VSTGUI
