#include "vstgui/lib/controls/cslider.h"

#include <cmath>
#include <limits>
#include <source_location>
#include <string>

#include "sdk/vstgui/lib/cbitmap.h"
#include "sdk/vstgui/lib/cdrawcontext.h"
#include "sdk/vstgui/lib/cgraphicspath.h"
#include "sdk/vstgui/lib/cvstguitimer.h"

namespace VSTGUI {
namespace {

constexpr const char* kSourceFile = "vstgui/lib/controls/cslider";

void reportAssertion(const char* description, std::source_location where = std::source_location::current())
{
    const std::string line = std::to_string(where.line());
    doAssert(kSourceFile, line.c_str(), description);
}

// Truncates toward zero into 32 bits. Values the conversion cannot represent
// (a non-number, or beyond the range) saturate instead of being undefined.
int32_t truncateToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (value <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

constexpr uint32_t kRampPeriodMs = 16;
constexpr float kRampStep = 0.1f;
constexpr float kFineStep = 0.1f;  // of the wheel increment, for wheel and keys

// The handle's track along the slider's axis, in the view's coordinates: how
// the interaction turns pointer positions into values and back.
struct Track {
    bool horizontal;
    bool inverted;  // kRight or kBottom: value 0 at the far end
    CCoord origin;  // the view's near edge plus the handle offset
    CCoord extent;  // the handle's length along the axis
    CCoord range;   // the travel of the handle's near edge

    CCoord axisOf(const CPoint& p) const { return horizontal ? p.x : p.y; }
    // The offset that puts the handle's centre under the pointer.
    CCoord freeClickDelta() const { return origin + extent * 0.5 - 1.; }
    // Where the handle's near edge lies for a normalized value, cut to whole units.
    CCoord handlePosition(float normalized) const
    {
        const float v = inverted ? 1.f - normalized : normalized;
        return origin + truncateToInt32(static_cast<double>(v) * range);
    }
    // The normalized value a pointer position stands for under a drag offset.
    float pointerValue(const CPoint& p, CCoord delta) const
    {
        const float value = static_cast<float>(axisOf(p) - delta) / static_cast<float>(range);
        return inverted ? 1.f - value : value;
    }
};

// Appearance setters store and redraw only on a change: answers whether the
// field took a new value.
template <class T>
bool replaced(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

}  // namespace

//------------------------------------------------------------------------
// CSliderBase
//------------------------------------------------------------------------

struct CSliderBase::Impl {
    SharedPointer<CVSTGUITimer> rampTimer;
    int32_t style = 0;
    float zoomFactor = 10.f;
    CSliderMode mode = CSliderMode::UseGlobal;
    CPoint offsetHandle{0., 0.};
    CPoint handleSize{1., 1.};
    CCoord handleRange = 0.;
    CCoord handleMinBound = 0.;
    CCoord handleMaxBound = 0.;
    CCoord handleMinPos = 0.;
    CPoint mouseStart{0., 0.};
    float anchorValue = 0.f;
    float startValue = 0.f;
    int32_t lastButtons = 0;
    CCoord delta = 0.;
    // A mouse gesture holds the edit (as opposed to a wheel edit): only such a
    // gesture has a start value for Escape to put back.
    bool dragging = false;

    Track track(const CRect& view) const
    {
        const bool horizontal = (style & CSliderBase::kHorizontal) != 0;
        return {horizontal, (style & (CSliderBase::kRight | CSliderBase::kBottom)) != 0,
                horizontal ? view.left + offsetHandle.x : view.top + offsetHandle.y,
                horizontal ? handleSize.x : handleSize.y, handleRange};
    }

    void endGesture()
    {
        lastButtons = 0;
        rampTimer = nullptr;
        dragging = false;
    }

    // Everything but the gesture in progress: a running ramp belongs to the
    // slider that started it, and its ticks must never reach a copy.
    Impl copyWithoutGesture() const
    {
        Impl copy = *this;
        copy.rampTimer = nullptr;
        copy.dragging = false;
        return copy;
    }
};

CSliderMode CSliderBase::globalMode = CSliderMode::TKFreeClick;

CSliderBase::CSliderBase(const CRect& size, IControlListener* listener, int32_t tag)
    : CControl(size, listener, tag, nullptr), impl(std::make_unique<Impl>())
{
}

CSliderBase::CSliderBase(const CSliderBase& other)
    : CControl(other),
      CMouseWheelEditingSupport(),
      impl(std::make_unique<Impl>(other.impl->copyWithoutGesture()))
{
}

CSliderBase::~CSliderBase() noexcept
{
    impl->rampTimer = nullptr;
    impl.reset();
}

void CSliderBase::setStyle(int32_t style)
{
    const bool horizontal = (style & kHorizontal) != 0;
    const bool vertical = (style & kVertical) != 0;
    if (horizontal == vertical)
        reportAssertion(nullptr);
    impl->style = style;
}

int32_t CSliderBase::getStyle() const
{
    return impl->style;
}

bool CSliderBase::isStyleHorizontal() const
{
    return (impl->style & kHorizontal) != 0;
}

bool CSliderBase::isStyleRight() const
{
    return (impl->style & kRight) != 0;
}

bool CSliderBase::isStyleBottom() const
{
    return (impl->style & kBottom) != 0;
}

bool CSliderBase::isInverseStyle() const
{
    return isStyleHorizontal() ? (impl->style & kRight) != 0 : (impl->style & kTop) != 0;
}

void CSliderBase::setZoomFactor(float factor)
{
    impl->zoomFactor = factor;
}

float CSliderBase::getZoomFactor() const
{
    return impl->zoomFactor;
}

void CSliderBase::setSliderMode(CSliderMode mode)
{
    impl->mode = mode;
}

CSliderMode CSliderBase::getSliderMode() const
{
    return impl->mode;
}

CSliderMode CSliderBase::getEffectiveSliderMode() const
{
    return impl->mode == CSliderMode::UseGlobal ? globalMode : impl->mode;
}

void CSliderBase::setGlobalMode(CSliderMode mode)
{
    if (mode == CSliderMode::UseGlobal)
        reportAssertion("do not set the global mode to use global");
    globalMode = mode;
}

CSliderMode CSliderBase::getGlobalMode()
{
    return globalMode;
}

void CSliderBase::setOffsetHandle(const CPoint& offset)
{
    impl->offsetHandle = offset;
    updateHandleValues();
}

CPoint CSliderBase::getOffsetHandle() const
{
    return impl->offsetHandle;
}

void CSliderBase::setHandleSizePrivate(CCoord width, CCoord height)
{
    impl->handleSize = {width, height};
    updateHandleValues();
}

CPoint CSliderBase::getHandleSizePrivate() const
{
    return impl->handleSize;
}

void CSliderBase::setHandleRangePrivate(CCoord range)
{
    impl->handleRange = range;
    updateHandleValues();
}

void CSliderBase::setHandleMinPosPrivate(CCoord position)
{
    impl->handleMinPos = position;
    updateHandleValues();
}

CCoord CSliderBase::getHandleMinPosPrivate() const
{
    return impl->handleMinPos;
}

void CSliderBase::updateHandleValues()
{
    const bool horizontal = isStyleHorizontal();
    const CCoord offset = horizontal ? impl->offsetHandle.x : impl->offsetHandle.y;
    const CCoord extent = horizontal ? impl->handleSize.x : impl->handleSize.y;
    impl->handleMinBound = impl->handleMinPos + offset;
    impl->handleMaxBound = impl->handleRange + impl->handleMinBound + extent;
}

CPoint CSliderBase::getControlSizePrivate() const
{
    return getViewSize().getSize();
}

void CSliderBase::setViewSize(const CRect& rect, bool invalid)
{
    CControl::setViewSize(rect, invalid);
    const CRect& view = getViewSize();
    if (isStyleHorizontal()) {
        impl->handleMinPos = rect.left - view.left;
        impl->handleRange = rect.getWidth() - impl->handleSize.x - 2. * impl->offsetHandle.x;
    } else {
        impl->handleMinPos = rect.top - view.top;
        impl->handleRange = rect.getHeight() - impl->handleSize.y - 2. * impl->offsetHandle.y;
    }
    updateHandleValues();
}

CRect CSliderBase::calculateHandleRect(float normalizedValue) const
{
    const bool horizontal = isStyleHorizontal();
    const float v = (impl->style & (kRight | kBottom)) ? 1.f - normalizedValue : normalizedValue;
    const CCoord offset = horizontal ? impl->offsetHandle.x : impl->offsetHandle.y;
    CCoord near = std::floor(static_cast<double>(v) * impl->handleRange) + offset;
    // Also catches a non-number: the handle then rests at the track's start.
    if (!(near > impl->handleMinBound))
        near = impl->handleMinBound;

    CRect r;
    if (horizontal) {
        r.left = near;
        r.top = impl->offsetHandle.y;
        r.right = r.left + impl->handleSize.x;
        r.bottom = r.top + impl->handleSize.y;
        if (r.right > impl->handleMaxBound)
            r.right = impl->handleMaxBound;
    } else {
        r.left = impl->offsetHandle.x;
        r.top = near;
        r.right = r.left + impl->handleSize.x;
        r.bottom = r.top + impl->handleSize.y;
        if (r.bottom > impl->handleMaxBound)
            r.bottom = impl->handleMaxBound;
    }
    return r.offset(getViewSize().left, getViewSize().top);
}

//------------------------------------------------------------------------
// CSliderBase: mouse, wheel, keys and the ramp
//------------------------------------------------------------------------

float CSliderBase::calculateDelta(const CPoint& where, CRect* handleRect) const
{
    const CRect& view = getViewSize();
    const Track track = impl->track(view);
    const CSliderMode mode = getEffectiveSliderMode();
    if (mode == CSliderMode::FreeClick)
        return static_cast<float>(track.freeClickDelta());

    // The hit area: the handle at its whole-unit position, without the limits
    // the drawn handle has.
    const CCoord position = track.handlePosition(getValueNormalized());
    CRect hit;
    if (track.horizontal) {
        hit.left = position;
        hit.top = view.top + impl->offsetHandle.y;
        hit.right = position + impl->handleSize.x;
        hit.bottom = hit.top + impl->handleSize.y;
    } else {
        hit.left = view.left + impl->offsetHandle.x;
        hit.top = position;
        hit.right = hit.left + impl->handleSize.x;
        hit.bottom = position + impl->handleSize.y;
    }
    if (handleRect)
        *handleRect = hit;

    if (mode == CSliderMode::TKFreeClick && !hit.pointInside(where))
        return static_cast<float>(track.freeClickDelta());
    // Grab: the handle keeps its distance to the pointer.
    return static_cast<float>(track.origin + (track.axisOf(where) - position));
}

CMouseEventResult CSliderBase::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;

    invalidMouseWheelEditTimer(this);
    impl->dragging = false;

    const CSliderMode mode = getEffectiveSliderMode();
    CRect handleRect;
    impl->delta = calculateDelta(where, mode == CSliderMode::FreeClick ? nullptr : &handleRect);
    const bool onHandle = handleRect.pointInside(where);
    if (mode == CSliderMode::Touch && !onHandle)
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;

    impl->anchorValue = getMin() - 1.f;
    impl->lastButtons = buttons;

    const bool relativeBesideHandle = mode == CSliderMode::RelativeTouch && !onHandle;
    if (!relativeBesideHandle && checkDefaultValue(buttons))
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;

    if (mode == CSliderMode::Ramp && !onHandle)
        impl->rampTimer =
            makeOwned<CVSTGUITimer>([this](CVSTGUITimer*) { doRamping(); }, kRampPeriodMs, true);

    impl->startValue = getValue();
    beginEdit();
    impl->dragging = true;
    impl->mouseStart = where;

    if (buttons & kZoomModifier)
        return kMouseEventHandled;
    return onMouseMoved(where, buttons);
}

CMouseEventResult CSliderBase::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if ((buttons & kMouseButtonMask) != kLButton || !isEditing())
        return kMouseEventNotHandled;

    if (impl->rampTimer) {
        impl->mouseStart = where;
        return kMouseEventHandled;
    }

    const bool fine = (buttons & kZoomModifier) != 0;
    const auto currentNormalized = [this] { return (getValue() - getMin()) / (getMax() - getMin()); };
    if (impl->anchorValue == getMin() - 1.f)
        impl->anchorValue = currentNormalized();
    if (impl->lastButtons != static_cast<int32_t>(buttons) && fine) {
        // The fine modifier came (or the buttons changed): scale from here on.
        impl->anchorValue = currentNormalized();
        impl->lastButtons = buttons;
    } else if (!fine) {
        impl->anchorValue = currentNormalized();
    }

    float normalized = impl->track(getViewSize()).pointerValue(where, impl->delta);
    if (fine)
        normalized = impl->anchorValue + (normalized - impl->anchorValue) / impl->zoomFactor;

    setValueNormalized(normalized);
    if (isDirty()) {
        valueChanged();
        invalid();
    }
    return kMouseEventHandled;
}

CMouseEventResult CSliderBase::onMouseUp(CPoint& /*where*/, const CButtonState& /*buttons*/)
{
    // The gesture ends even when its edit is closed already (a wheel event
    // during the drag leaves it to the wheel's closing timer).
    impl->endGesture();
    if (isEditing())
        endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CSliderBase::onMouseCancel()
{
    const bool editing = isEditing();
    if (editing) {
        value = impl->startValue;  // as it was, unclamped
        if (isDirty()) {
            valueChanged();
            invalid();
        }
    }
    impl->endGesture();
    if (editing)
        endEdit();
    return kMouseEventHandled;
}

void CSliderBase::doRamping()
{
    const Track track = impl->track(getViewSize());
    const float normalized = getValueNormalized();
    const CRect r = calculateHandleRect(normalized);
    const CCoord centre =
        track.horizontal ? r.left + (r.right - r.left) * 0.5 : r.top + (r.bottom - r.top) * 0.5;
    const CCoord pointer = track.axisOf(impl->mouseStart);

    // Toward the pointer: on a horizontal track larger values lie to the right,
    // on a vertical one toward the top.
    float step = track.horizontal ? (centre > pointer ? -kRampStep : kRampStep)
                                  : (centre > pointer ? kRampStep : -kRampStep);
    if (isInverseStyle())
        step = -step;

    const CCoord freeClick = track.freeClickDelta();
    const float target = track.pointerValue(impl->mouseStart, freeClick);
    float next = normalized + getWheelInc() * step;
    const bool overshoots = (step < 0.f && target > next) || (step > 0.f && target < next);
    if (overshoots) {
        // Arrived: the rest of the drag follows the pointer with the handle's centre.
        impl->rampTimer = nullptr;
        impl->delta = freeClick;
        next = target;
    }

    setValueNormalized(next);
    if (isDirty()) {
        valueChanged();
        invalid();
    }
}

bool CSliderBase::onWheel(const CPoint& /*where*/, const CMouseWheelAxis& axis, const float& distance,
                          const CButtonState& buttons)
{
    if (!getMouseEnabled())
        return false;
    const bool horizontal = isStyleHorizontal();
    if ((horizontal && axis == kMouseWheelAxisY) || (!horizontal && axis == kMouseWheelAxisX))
        return false;
    // A distance that is not a number would send the value to its minimum.
    if (std::isnan(distance))
        return false;

    onMouseWheelEditing(this);

    float d = distance;
    if (horizontal)
        d = -d;
    if (isInverseStyle())
        d = -d;
    if (buttons & kZoomModifier)
        d *= kFineStep;

    setValueNormalized(getValueNormalized() + getWheelInc() * d);
    if (isDirty()) {
        invalid();
        valueChanged();
    }
    return true;
}

int32_t CSliderBase::onKeyDown(VstKeyCode& keyCode)
{
    switch (keyCode.virt) {
        case VKEY_LEFT:
        case VKEY_UP:
        case VKEY_RIGHT:
        case VKEY_DOWN: {
            float d = (keyCode.virt == VKEY_DOWN || keyCode.virt == VKEY_LEFT) ? -1.f : 1.f;
            if (isInverseStyle())
                d = -d;
            if (mapVstKeyModifier(keyCode.modifier) & kZoomModifier)
                d *= kFineStep;
            setValueNormalized(getValueNormalized() + getWheelInc() * d);
            if (isDirty()) {
                // Each key press is an edit of its own.
                invalid();
                beginEdit();
                valueChanged();
                endEdit();
            }
            return 1;
        }
        case VKEY_ESCAPE:
            // Only a drag has a value to go back to; a wheel edit closes by itself.
            if (isEditing() && impl->dragging) {
                onMouseCancel();
                return 1;
            }
            return -1;
        default:
            return -1;
    }
}

bool CSliderBase::removed(CView* parent)
{
    impl->endGesture();
    invalidMouseWheelEditTimer(this);
    return CControl::removed(parent);
}

//------------------------------------------------------------------------
// CSlider
//------------------------------------------------------------------------

struct CSlider::Impl {
    CPoint offset{0., 0.};
    SharedPointer<CBitmap> handleBitmap;
    CCoord frameWidth = 1.;
    int32_t drawStyle = 0;
    CColor frameColor{127, 127, 127, 255};
    CColor backColor{0, 0, 0, 255};
    CColor valueColor{255, 255, 255, 255};
};

CSlider::CSlider(const CRect& size, IControlListener* listener, int32_t tag, int32_t handleMinPos,
                 int32_t handleMaxPos, CBitmap* handle, CBitmap* background, const CPoint& offset,
                 int32_t style)
    : CSliderBase(size, listener, tag), impl(std::make_unique<Impl>())
{
    impl->offset = offset;
    setBackground(background);
    setStyle(style);
    setHandle(handle);
    const CCoord minPos = static_cast<CCoord>(handleMinPos);
    const CCoord maxPos = static_cast<CCoord>(handleMaxPos);
    setHandleMinPosPrivate(minPos - (isStyleHorizontal() ? size.left : size.top));
    setHandleRangePrivate(maxPos - minPos);
    setWantsFocus(true);
}

CSlider::CSlider(const CRect& size, IControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                 int32_t handleRange, CBitmap* handle, CBitmap* background, const CPoint& offset,
                 int32_t style)
    : CSliderBase(size, listener, tag), impl(std::make_unique<Impl>())
{
    impl->offset = offset;
    setBackground(background);
    setStyle(style);
    setHandle(handle);
    const CPoint handleSize = getHandleSizePrivate();
    setHandleRangePrivate(static_cast<CCoord>(handleRange) -
                          (isStyleHorizontal() ? handleSize.x : handleSize.y));
    setOffsetHandle(offsetHandle);
    setWantsFocus(true);
}

CSlider::CSlider(const CSlider& other) : CSliderBase(other), impl(std::make_unique<Impl>(*other.impl)) {}

CSlider::~CSlider() noexcept = default;

void CSlider::setHandle(CBitmap* handle)
{
    if (handle != impl->handleBitmap.get())
        impl->handleBitmap = handle;
    if (impl->handleBitmap) {
        setHandleSizePrivate(impl->handleBitmap->getWidth(), impl->handleBitmap->getHeight());
        // Same rectangle: nothing moves, but the track follows the new handle.
        setViewSize(getViewSize(), true);
    } else {
        setHandleSizePrivate(1., 1.);
    }
}

CBitmap* CSlider::getHandle() const
{
    return impl->handleBitmap.get();
}

void CSlider::setDrawStyle(int32_t style)
{
    if (replaced(impl->drawStyle, style))
        invalid();
}

int32_t CSlider::getDrawStyle() const
{
    return impl->drawStyle;
}

void CSlider::setFrameWidth(CCoord width)
{
    if (replaced(impl->frameWidth, width))
        invalid();
}

CCoord CSlider::getFrameWidth() const
{
    return impl->frameWidth;
}

void CSlider::setFrameColor(const CColor& color)
{
    if (replaced(impl->frameColor, color))
        invalid();
}

CColor CSlider::getFrameColor() const
{
    return impl->frameColor;
}

void CSlider::setBackColor(const CColor& color)
{
    if (replaced(impl->backColor, color))
        invalid();
}

CColor CSlider::getBackColor() const
{
    return impl->backColor;
}

void CSlider::setValueColor(const CColor& color)
{
    if (replaced(impl->valueColor, color))
        invalid();
}

CColor CSlider::getValueColor() const
{
    return impl->valueColor;
}

void CSlider::setOffset(const CPoint& offset)
{
    impl->offset = offset;
}

CPoint CSlider::getOffset() const
{
    return impl->offset;
}

CView* CSlider::newCopy() const
{
    return new CSlider(*this);
}

//------------------------------------------------------------------------
// CSlider: drawing and sizing
//------------------------------------------------------------------------

namespace {

// Fills one rectangle, through a path when the context has one.
void fillRectangle(CDrawContext* context, const CRect& r)
{
    if (auto path = owned(context->createGraphicsPath())) {
        path->addRect(r);
        context->drawGraphicsPath(path, CDrawContext::kPathFilled);
    } else {
        context->drawRect(r, kDrawFilled);
    }
}

// The value bar inside r: from the left or bottom edge to the value, from the
// other edge with kDrawInverted, or from the middle with kDrawValueFromCenter.
CRect valueBarRect(const CRect& r, float value, int32_t drawStyle, bool horizontal)
{
    const CCoord L = r.left;
    const CCoord T = r.top;
    const CCoord R = r.right;
    const CCoord B = r.bottom;
    const CCoord W = R - L;
    const CCoord H = B - T;
    const bool inverted = (drawStyle & CSlider::kDrawInverted) != 0;
    CRect bar = r;
    if (drawStyle & CSlider::kDrawValueFromCenter) {
        const float v = inverted ? 1.f - value : value;
        if (horizontal) {
            bar.right = L + W * v;
            bar.left = L + W * 0.5;
        } else {
            bar.bottom = T + H * v;
            bar.top = T + H * 0.5;
        }
    } else if (horizontal) {
        if (inverted)
            bar.left = R - W * value;
        else
            bar.right = L + W * value;
    } else {
        if (inverted)
            bar.bottom = T + H * value;
        else
            bar.top = B - H * value;
    }
    return bar.normalize();
}

}  // namespace

void CSlider::draw(CDrawContext* context)
{
    const CRect& view = getViewSize();
    if (CBitmap* background = getDrawBackground())
        background->draw(context, view, impl->offset, 1.f);

    const int32_t style = impl->drawStyle;
    if (style != 0) {
        const bool frame = (style & kDrawFrame) != 0;
        const bool back = (style & kDrawBack) != 0;
        const CCoord lineWidth = impl->frameWidth < 0. ? context->getHairlineSize() : impl->frameWidth;
        CRect r = view;
        context->setDrawMode(kAntiAliasing);
        context->setLineStyle(kLineSolid);
        context->setLineWidth(lineWidth);

        if (frame || back) {
            context->setFrameColor(impl->frameColor);
            context->setFillColor(impl->backColor);
            if (auto path = owned(context->createGraphicsPath())) {
                // The stroke is centred on the path: inset so it stays inside the view.
                if (frame)
                    r.inset(lineWidth / 2., lineWidth / 2.);
                path->addRect(r);
                if (back)
                    context->drawGraphicsPath(path, CDrawContext::kPathFilled);
                if (frame)
                    context->drawGraphicsPath(path, CDrawContext::kPathStroked);
            } else {
                context->drawRect(r,
                                  frame && back ? kDrawFilledAndStroked
                                      : frame   ? kDrawStroked
                                                : kDrawFilled);
            }
        }

        if (style & kDrawValue) {
            context->setDrawMode(kAliasing);
            if (frame)
                r.inset(lineWidth / 2., lineWidth / 2.);
            const CRect bar = valueBarRect(r, getValueNormalized(), style, isStyleHorizontal());
            // Also refuses a bar whose size is not a number.
            if (bar.getWidth() >= 0.5 && bar.getHeight() >= 0.5) {
                context->setFillColor(impl->valueColor);
                fillRectangle(context, bar);
            }
        }
    }

    if (impl->handleBitmap)
        impl->handleBitmap->draw(context, calculateHandleRect(getValueNormalized()), CPoint(0., 0.), 1.f);

    setDirty(false);
}

bool CSlider::sizeToFit()
{
    CBitmap* background = getDrawBackground();
    if (!background)
        return false;
    CRect r = getViewSize();
    r.right = r.left + background->getWidth();
    r.bottom = r.top + background->getHeight();
    setViewSize(r, true);
    setMouseableArea(r);
    return true;
}

//------------------------------------------------------------------------
// CVerticalSlider, CHorizontalSlider
//------------------------------------------------------------------------

CVerticalSlider::CVerticalSlider(const CRect& size, IControlListener* listener, int32_t tag,
                                 int32_t handleMinPos, int32_t handleMaxPos, CBitmap* handle,
                                 CBitmap* background, const CPoint& offset, int32_t style)
    : CSlider(size, listener, tag, handleMinPos, handleMaxPos, handle, background, offset, style | kVertical)
{
}

CVerticalSlider::CVerticalSlider(const CRect& size, IControlListener* listener, int32_t tag,
                                 const CPoint& offsetHandle, int32_t handleRange, CBitmap* handle,
                                 CBitmap* background, const CPoint& offset, int32_t style)
    : CSlider(size, listener, tag, offsetHandle, handleRange, handle, background, offset, style | kVertical)
{
}

CVerticalSlider::~CVerticalSlider() noexcept = default;

CHorizontalSlider::CHorizontalSlider(const CRect& size, IControlListener* listener, int32_t tag,
                                     int32_t handleMinPos, int32_t handleMaxPos, CBitmap* handle,
                                     CBitmap* background, const CPoint& offset, int32_t style)
    : CSlider(size, listener, tag, handleMinPos, handleMaxPos, handle, background, offset,
              style | kHorizontal)
{
}

CHorizontalSlider::CHorizontalSlider(const CRect& size, IControlListener* listener, int32_t tag,
                                     const CPoint& offsetHandle, int32_t handleRange, CBitmap* handle,
                                     CBitmap* background, const CPoint& offset, int32_t style)
    : CSlider(size, listener, tag, offsetHandle, handleRange, handle, background, offset, style | kHorizontal)
{
}

CHorizontalSlider::~CHorizontalSlider() noexcept = default;

}  // namespace VSTGUI
