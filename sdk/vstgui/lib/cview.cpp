#include "sdk/vstgui/lib/cview.h"

#include <cstring>

#include "sdk/vstgui/lib/cbitmap.h"
#include "sdk/vstgui/lib/cframe.h"
#include "sdk/vstgui/lib/cviewcontainer.h"

namespace VSTGUI {

CView::CView(const CRect& size) : size(size), mouseableArea(size) {}

CView::CView(const CView& view)
    : CBaseObject(view),
      size(view.size),
      mouseableArea(view.mouseableArea),
      autosizeFlags(view.autosizeFlags),
      alpha(view.alpha),
      visible(view.visible),
      mouseEnabled(view.mouseEnabled),
      transparent(view.transparent),
      focusWanted(view.focusWanted),
      background(view.background),
      disabledBackground(view.disabledBackground),
      attributes(view.attributes)
{
}

CView::~CView() noexcept = default;

void CView::beforeDelete()
{
    viewListeners.forEach([this](IViewListener* listener) { listener->viewWillDelete(this); });
}

// ---- drawing

void CView::draw(CDrawContext* context)
{
    if (CBitmap* bitmap = getDrawBackground())
        bitmap->draw(context, size);
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect& /*updateRect*/)
{
    draw(context);
}

void CView::setDirty(bool state)
{
    dirty = state;
    if (state)
        invalidRect(size);
}

void CView::invalid()
{
    setDirty(false);
    invalidRect(size);
}

void CView::invalidRect(const CRect& rect)
{
    if (visible && frame && parentView)
        parentView->invalidChildRect(rect);
}

// ---- input: a plain view takes none

CMouseEventResult CView::onMouseDown(CPoint& /*where*/, const CButtonState& /*buttons*/)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseUp(CPoint& /*where*/, const CButtonState& /*buttons*/)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseMoved(CPoint& /*where*/, const CButtonState& /*buttons*/)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseCancel()
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseEntered(CPoint& /*where*/, const CButtonState& /*buttons*/)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseExited(CPoint& /*where*/, const CButtonState& /*buttons*/)
{
    return kMouseEventNotImplemented;
}

bool CView::onWheel(const CPoint& /*where*/, const float& /*distance*/, const CButtonState& /*buttons*/)
{
    return false;
}

bool CView::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                    const CButtonState& buttons)
{
    return axis == kMouseWheelAxisY && onWheel(where, distance, buttons);
}

int32_t CView::onKeyDown(VstKeyCode& /*keyCode*/)
{
    return -1;
}

int32_t CView::onKeyUp(VstKeyCode& /*keyCode*/)
{
    return -1;
}

void CView::setMouseEnabled(bool enable)
{
    if (enable == mouseEnabled)
        return;
    mouseEnabled = enable;
    if (disabledBackground)
        invalidRect(size);
}

// ---- geometry

void CView::setViewSize(const CRect& rect, bool invalid)
{
    if (rect == size)
        return;
    const CRect oldSize = size;
    if (invalid)
        invalidRect(oldSize);
    size = rect;
    if (mouseableArea == oldSize)
        mouseableArea = rect;
    else
        mouseableArea.offset(rect.left - oldSize.left, rect.top - oldSize.top);
    if (invalid)
        invalidRect(size);
    viewListeners.forEach([&](IViewListener* listener) { listener->viewSizeChanged(this, oldSize); });
}

CPoint& CView::localToFrame(CPoint& point) const
{
    for (const CViewContainer* parent = parentView; parent; parent = parent->parentView)
        point.offset(parent->size.getTopLeft());
    return point;
}

CPoint& CView::frameToLocal(CPoint& point) const
{
    for (const CViewContainer* parent = parentView; parent; parent = parent->parentView)
        point.offsetInverse(parent->size.getTopLeft());
    return point;
}

// ---- appearance

void CView::setVisible(bool state)
{
    if (state == visible)
        return;
    if (visible)
        invalidRect(size);  // while still visible, so the area is redrawn without it
    visible = state;
    if (visible)
        invalidRect(size);
}

void CView::setAlphaValue(float value)
{
    if (value == alpha)
        return;
    alpha = value;
    invalidRect(size);
}

void CView::setTransparency(bool state)
{
    if (state == transparent)
        return;
    transparent = state;
    invalidRect(size);
}

void CView::setBackground(CBitmap* bitmap)
{
    if (bitmap == background.get())
        return;
    background = bitmap;
    invalidRect(size);
}

void CView::setDisabledBackground(CBitmap* bitmap)
{
    if (bitmap == disabledBackground.get())
        return;
    disabledBackground = bitmap;
    invalidRect(size);
}

CBitmap* CView::getDrawBackground() const
{
    return disabledBackground && !mouseEnabled ? disabledBackground.get() : background.get();
}

// ---- focus

void CView::takeFocus()
{
    viewListeners.forEach([this](IViewListener* listener) { listener->viewTookFocus(this); });
}

void CView::looseFocus()
{
    viewListeners.forEach([this](IViewListener* listener) { listener->viewLostFocus(this); });
}

// ---- the view tree

CView* CView::getParentView() const
{
    return parentView;
}

bool CView::attached(CView* parent)
{
    if (frame || !parent || !parent->getFrame())
        return false;
    frame = parent->getFrame();
    viewListeners.forEach([this](IViewListener* listener) { listener->viewAttached(this); });
    return true;
}

bool CView::removed(CView* /*parent*/)
{
    if (!frame)
        return false;
    viewListeners.forEach([this](IViewListener* listener) { listener->viewRemoved(this); });
    frame->onViewRemoved(this);
    frame = nullptr;
    return true;
}

// ---- attributes

bool CView::setAttribute(CViewAttributeID id, uint32_t inSize, const void* inData)
{
    if (inSize > 0 && !inData)
        return false;
    const auto* bytes = static_cast<const uint8_t*>(inData);
    attributes[id].assign(bytes, bytes + inSize);
    return true;
}

bool CView::getAttributeSize(CViewAttributeID id, uint32_t& outSize) const
{
    const auto it = attributes.find(id);
    if (it == attributes.end())
        return false;
    outSize = static_cast<uint32_t>(it->second.size());
    return true;
}

bool CView::getAttribute(CViewAttributeID id, uint32_t inSize, void* outData, uint32_t& outSize) const
{
    const auto it = attributes.find(id);
    if (it == attributes.end() || it->second.size() > inSize || (!outData && !it->second.empty()))
        return false;
    if (!it->second.empty())
        std::memcpy(outData, it->second.data(), it->second.size());
    outSize = static_cast<uint32_t>(it->second.size());
    return true;
}

bool CView::removeAttribute(CViewAttributeID id)
{
    return attributes.erase(id) > 0;
}

// ---- owned controller

void CView::setController(IControlListener* newController)
{
    if (newController != controller.get())
        controller.reset(newController);
}

}  // namespace VSTGUI
