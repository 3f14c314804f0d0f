#include "sdk/vstgui/lib/controls/cbuttons.h"

#include "sdk/vstgui/lib/cbitmap.h"
#include "sdk/vstgui/lib/cdrawcontext.h"

namespace VSTGUI {

COnOffButton::COnOffButton(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background)
    : CControl(size, listener, tag, background)
{
}

CMouseEventResult COnOffButton::onMouseDown(CPoint& /*where*/, const CButtonState& buttons)
{
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    beginEdit();
    setValue(isOn() ? getMin() : getMax());
    invalid();
    valueChanged();
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void COnOffButton::draw(CDrawContext* context)
{
    const CRect& area = getViewSize();
    if (CBitmap* bitmap = getDrawBackground()) {
        const CPoint offset(getBackOffset().x, getBackOffset().y + (isOn() ? bitmap->getHeight() / 2. : 0.));
        bitmap->draw(context, area, offset);
    } else {
        context->setDrawMode(kAliasing);
        context->setLineStyle(kLineSolid);
        context->setLineWidth(1.);
        context->setFrameColor(kGreyCColor);
        context->setFillColor(kWhiteCColor);
        context->drawRect(area, isOn() ? kDrawFilledAndStroked : kDrawStroked);
    }
    setDirty(false);
}

}  // namespace VSTGUI
