#include "sdk/vstgui/lib/cframe.h"

#include "sdk/vstgui/lib/cdrawcontext.h"

namespace VSTGUI {
namespace {

// Above this many separate rectangles the region becomes their bounds.
constexpr std::size_t kMaxDirtyRects = 16;

CRect atOrigin(const CRect& rect)
{
    return CRect(CPoint(), rect.getSize());
}

}  // namespace

CFrame::CFrame(const CRect& size) : CViewContainer(atOrigin(size))
{
    setFrame(this);
}

CFrame::~CFrame() noexcept
{
    close();
}

bool CFrame::open(std::unique_ptr<IPlatformFrame> platformFrame)
{
    if (platform || !platformFrame)
        return false;
    platform = std::move(platformFrame);
    dirtyRects.clear();
    addDirty(getViewSize());
    return true;
}

void CFrame::close()
{
    removeAll();
    platform.reset();
    dirtyRects.clear();
}

double CFrame::getScaleFactor() const
{
    return platform ? platform->getScaleFactor() : 1.;
}

// ---- focus and pointer

void CFrame::setFocusView(CView* view)
{
    if (view == focusView || (view && view->getFrame() != this))
        return;
    SharedPointer<CView> old(focusView);
    focusView = view;
    if (old)
        old->looseFocus();
    if (focusView)
        focusView->takeFocus();
}

void CFrame::onViewRemoved(CView* view)
{
    if (view == focusView)
        setFocusView(nullptr);
    if (view == mouseOverView)
        mouseOverView = nullptr;
}

void CFrame::updateMouseOver(const CPoint& where, const CButtonState& buttons)
{
    CView* now = getViewSize().pointInside(where) ? getViewAt(where, true, true) : nullptr;
    if (now == mouseOverView)
        return;
    SharedPointer<CView> old(mouseOverView);
    mouseOverView = now;
    if (old) {
        CPoint point = where;
        old->frameToLocal(point);
        old->onMouseExited(point, buttons);
    }
    if (now && now == mouseOverView) {
        CPoint point = where;
        now->frameToLocal(point);
        now->onMouseEntered(point, buttons);
    }
}

// ---- size and dirty region

bool CFrame::setSize(CCoord width, CCoord height)
{
    if (!(width >= 0.) || !(height >= 0.))
        return false;
    setViewSize(CRect(0., 0., width, height));
    return true;
}

void CFrame::setViewSize(const CRect& rect, bool invalid)
{
    const CRect size = atOrigin(rect);
    if (size == getViewSize())
        return;
    CViewContainer::setViewSize(size, invalid);
    if (platform)
        platform->setSize(size.getSize());
}

void CFrame::invalidRect(const CRect& rect)
{
    addDirty(rect);
}

void CFrame::invalidChildRect(const CRect& rect)
{
    addDirty(rect);
}

void CFrame::addDirty(const CRect& rect)
{
    if (!isVisible())
        return;
    CRect area(rect);
    area.normalize().makeIntegral().bound(getViewSize());
    if (area.isEmpty())
        return;
    const bool wasClean = dirtyRects.empty();
    for (bool merged = true; merged;) {
        merged = false;
        for (auto it = dirtyRects.begin(); it != dirtyRects.end(); ++it) {
            if (it->rectOverlap(area) || it->rectInside(area) || area.rectInside(*it)) {
                area.unite(*it);
                dirtyRects.erase(it);
                merged = true;
                break;
            }
        }
    }
    dirtyRects.push_back(area);
    if (dirtyRects.size() > kMaxDirtyRects) {
        CRect all;
        for (const CRect& r : dirtyRects)
            all.unite(r);
        dirtyRects.assign(1, all);
    }
    if (wasClean && platform)
        platform->scheduleFlush();
}

CRect CFrame::platformDrawDirty(CDrawContext& context)
{
    SharedPointer<CFrame> keepAlive(this);
    // Taken out first: whatever becomes dirty while drawing waits for the next flush.
    const std::vector<CRect> rects = std::move(dirtyRects);
    dirtyRects.clear();
    CRect drawn;
    for (const CRect& rect : rects) {
        CDrawContextStateSaver saver(&context);
        context.setClipRect(rect);
        context.clearRect(rect);
        drawRect(&context, rect);
        drawn.unite(rect);
    }
    return drawn;
}

// ---- input

int32_t CFrame::onKeyDown(VstKeyCode& keyCode)
{
    for (SharedPointer<CView> view(focusView); view && view != this; view = view->getParentView()) {
        const int32_t result = view->onKeyDown(keyCode);
        if (result != -1)
            return result;
    }
    return -1;
}

int32_t CFrame::onKeyUp(VstKeyCode& keyCode)
{
    for (SharedPointer<CView> view(focusView); view && view != this; view = view->getParentView()) {
        const int32_t result = view->onKeyUp(keyCode);
        if (result != -1)
            return result;
    }
    return -1;
}

bool CFrame::platformOnEvent(PlatformEvent& event)
{
    SharedPointer<CFrame> keepAlive(this);
    const auto taken = [](CMouseEventResult result) {
        return result != kMouseEventNotHandled && result != kMouseEventNotImplemented;
    };
    CPoint where = event.where;
    switch (event.type) {
        case PlatformEvent::Type::MouseDown:
            return taken(onMouseDown(where, event.buttons));
        case PlatformEvent::Type::MouseMoved:
            if (!getMouseDownView())
                updateMouseOver(event.where, event.buttons);
            return taken(onMouseMoved(where, event.buttons));
        case PlatformEvent::Type::MouseUp: {
            const bool handled = taken(onMouseUp(where, event.buttons));
            updateMouseOver(event.where, event.buttons);
            return handled;
        }
        case PlatformEvent::Type::MouseCancel:
            return taken(onMouseCancel());
        case PlatformEvent::Type::MouseEntered:
            updateMouseOver(event.where, event.buttons);
            return true;
        case PlatformEvent::Type::MouseExited:
            updateMouseOver(CPoint(-1., -1.), event.buttons);
            return true;
        case PlatformEvent::Type::MouseWheel:
            return onWheel(event.where, event.wheelAxis, event.wheelDistance, event.buttons);
        case PlatformEvent::Type::KeyDown:
            return onKeyDown(event.key) != -1;
        case PlatformEvent::Type::KeyUp:
            return onKeyUp(event.key) != -1;
    }
    return false;
}

}  // namespace VSTGUI
