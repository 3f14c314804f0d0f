// The product's slider family. It stands in the editor where the toolkit would
// put a slider of its own, and adds one interaction mode, "TK free click", which
// is the process-wide default: a click on the handle grabs it where it was hit,
// a click beside it brings the handle's centre under the pointer.
//
// CSliderBase keeps everything that is not drawing: orientation and direction,
// the interaction mode, the handle's track and the state of the gesture in
// progress. CSlider adds bitmaps, colours and draw-style bits and draws itself;
// CVerticalSlider and CHorizontalSlider only add an orientation bit.
#pragma once

#include <cstdint>
#include <memory>

#include "sdk/vstgui/lib/ccolor.h"
#include "sdk/vstgui/lib/controls/ccontrol.h"
#include "sdk/vstgui/lib/controls/cmousewheeleditingsupport.h"
#include "sdk/vstgui/lib/cpoint.h"
#include "sdk/vstgui/lib/crect.h"

namespace VSTGUI {

class CBitmap;
class CDrawContext;

// How a slider answers a mouse-down. The values are stored in descriptions and
// their order is the order of the "mode" attribute's list.
enum class CSliderMode : int32_t {
    Touch = 0,          // only a click on the handle starts a drag, relative to the click
    RelativeTouch = 1,  // a drag from anywhere moves the value relative to the click
    FreeClick = 2,      // the handle's centre jumps to the pointer
    TKFreeClick = 3,    // on the handle: grab without a jump; beside it: as FreeClick
    Ramp = 4,           // beside the handle: the value walks toward the pointer on a timer
    UseGlobal = 5,      // follow CSliderBase's global mode
};

class CSliderBase : public CControl, public CMouseWheelEditingSupport {
public:
    // Style bits. Only kHorizontal decides the axis (anything else is vertical);
    // kRight or kBottom put value 0 at the right or bottom end of the track.
    enum Style : int32_t {
        kHorizontal = 1 << 0,
        kVertical = 1 << 1,
        kLeft = 1 << 2,
        kRight = 1 << 3,
        kTop = 1 << 4,
        kBottom = 1 << 5,
    };

    CSliderBase(const CRect& size, IControlListener* listener, int32_t tag);
    CSliderBase(const CSliderBase& other);
    ~CSliderBase() noexcept override;
    CSliderBase& operator=(const CSliderBase&) = delete;

    void setStyle(int32_t style);
    int32_t getStyle() const;
    bool isStyleHorizontal() const;
    bool isStyleRight() const;
    bool isStyleBottom() const;
    // Whether ramp steps, wheel and keys run against the axis: kRight on a
    // horizontal slider, kTop on any other.
    bool isInverseStyle() const;

    void setZoomFactor(float factor);
    float getZoomFactor() const;

    void setSliderMode(CSliderMode mode);
    CSliderMode getSliderMode() const;
    // The stored mode, or the global mode when the stored one is UseGlobal.
    CSliderMode getEffectiveSliderMode() const;
    static void setGlobalMode(CSliderMode mode);
    static CSliderMode getGlobalMode();

    void setOffsetHandle(const CPoint& offset);
    CPoint getOffsetHandle() const;

    // The handle's rectangle for a normalized value, in the view's coordinates.
    CRect calculateHandleRect(float normalizedValue) const;

    void setViewSize(const CRect& rect, bool invalid = true) override;

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;

    // Leaving the view tree ends a gesture or wheel edit still open, so the
    // listener never stays inside an edit.
    bool removed(CView* parent) override;

protected:
    // The track: setting any of these keeps the handle's bounds in step.
    void setHandleSizePrivate(CCoord width, CCoord height);
    CPoint getHandleSizePrivate() const;
    void setHandleRangePrivate(CCoord range);
    void setHandleMinPosPrivate(CCoord position);
    CCoord getHandleMinPosPrivate() const;
    void updateHandleValues();
    CPoint getControlSizePrivate() const;

    // The pointer offset a drag subtracts, and on request the handle's hit area.
    float calculateDelta(const CPoint& where, CRect* handleRect) const;
    // One tick of a ramp gesture.
    void doRamping();

private:
    struct Impl;
    std::unique_ptr<Impl> impl;

    static CSliderMode globalMode;
};

class CSlider : public CSliderBase {
public:
    // Which rectangles draw() paints; 0 paints none of them.
    enum DrawStyle : int32_t {
        kDrawFrame = 1 << 0,
        kDrawBack = 1 << 1,
        kDrawValue = 1 << 2,
        kDrawValueFromCenter = 1 << 3,
        kDrawInverted = 1 << 4,
    };

    // The handle travels from handleMinPos to handleMaxPos, given in the same
    // coordinates as size.
    CSlider(const CRect& size, IControlListener* listener, int32_t tag, int32_t handleMinPos,
            int32_t handleMaxPos, CBitmap* handle, CBitmap* background, const CPoint& offset, int32_t style);
    // The handle's track starts offsetHandle into the view and is handleRange long.
    CSlider(const CRect& size, IControlListener* listener, int32_t tag, const CPoint& offsetHandle,
            int32_t handleRange, CBitmap* handle, CBitmap* background, const CPoint& offset, int32_t style);
    CSlider(const CSlider& other);
    ~CSlider() noexcept override;

    virtual void setHandle(CBitmap* handle);
    virtual CBitmap* getHandle() const;
    virtual void setDrawStyle(int32_t style);
    virtual void setFrameWidth(CCoord width);
    virtual void setFrameColor(const CColor& color);
    virtual void setBackColor(const CColor& color);
    virtual void setValueColor(const CColor& color);

    int32_t getDrawStyle() const;
    CCoord getFrameWidth() const;
    CColor getFrameColor() const;
    CColor getBackColor() const;
    CColor getValueColor() const;
    // Where in the background bitmap drawing starts; changes nothing on screen by itself.
    void setOffset(const CPoint& offset);
    CPoint getOffset() const;

    CView* newCopy() const override;
    void draw(CDrawContext* context) override;
    bool sizeToFit() override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

class CVerticalSlider : public CSlider {
public:
    CVerticalSlider(const CRect& size, IControlListener* listener, int32_t tag, int32_t handleMinPos,
                    int32_t handleMaxPos, CBitmap* handle, CBitmap* background, const CPoint& offset,
                    int32_t style);
    CVerticalSlider(const CRect& size, IControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                    int32_t handleRange, CBitmap* handle, CBitmap* background, const CPoint& offset,
                    int32_t style);
    ~CVerticalSlider() noexcept override;
};

class CHorizontalSlider : public CSlider {
public:
    CHorizontalSlider(const CRect& size, IControlListener* listener, int32_t tag, int32_t handleMinPos,
                      int32_t handleMaxPos, CBitmap* handle, CBitmap* background, const CPoint& offset,
                      int32_t style);
    CHorizontalSlider(const CRect& size, IControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                      int32_t handleRange, CBitmap* handle, CBitmap* background, const CPoint& offset,
                      int32_t style);
    ~CHorizontalSlider() noexcept override;
};

}  // namespace VSTGUI
