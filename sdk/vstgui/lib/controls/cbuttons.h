// A button with two states, min (off) and max (on), toggled by a left click.
// Its bitmap holds the off picture above the on picture, each half the
// bitmap's height; without a bitmap it draws a frame, filled while on.
#pragma once

#include "sdk/vstgui/lib/controls/ccontrol.h"

namespace VSTGUI {

class COnOffButton : public CControl {
public:
    explicit COnOffButton(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
                          CBitmap* background = nullptr);
    CView* newCopy() const override { return new COnOffButton(*this); }

    bool isOn() const { return getValue() == getMax(); }

    void draw(CDrawContext* context) override;
    // A left click toggles the value as one whole edit: begin, value, end.
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
};

}  // namespace VSTGUI
