#include "sdk/vstgui/lib/controls/ccontrol.h"

#include <cmath>

#include "sdk/vstgui/lib/cgraphicspath.h"

namespace VSTGUI {

int32_t CControl::kZoomModifier = kShift;
int32_t CControl::kDefaultValueModifier = kAlt;

CControl::CControl(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background)
    : CView(size), tag(tag), listener(listener)
{
    setBackground(background);
}

CControl::CControl(const CControl& control)
    : CView(control),
      value(control.value),
      vmin(control.vmin),
      vmax(control.vmax),
      vdefault(control.vdefault),
      oldValue(control.oldValue),
      wheelInc(control.wheelInc),
      tag(control.tag),
      listener(control.listener),
      backOffset(control.backOffset)
{
}

CControl::~CControl() noexcept = default;

// ---- value

void CControl::setValue(float newValue)
{
    if (std::isnan(newValue) || newValue < getMin())
        newValue = getMin();
    else if (newValue > getMax())
        newValue = getMax();
    value = newValue;
}

void CControl::setValueNormalized(float normalized)
{
    if (std::isnan(normalized) || normalized < 0.f)
        normalized = 0.f;
    else if (normalized > 1.f)
        normalized = 1.f;
    setValue(getMin() + normalized * (getMax() - getMin()));
}

float CControl::getValueNormalized() const
{
    const float range = getMax() - getMin();
    if (range == 0.f)
        return 0.f;
    return (getValue() - getMin()) / range;
}

// ---- tag and listeners

void CControl::setTag(int32_t newTag)
{
    if (listener)
        listener->controlTagWillChange(this);
    subListeners.forEach([this](IControlListener* sub) { sub->controlTagWillChange(this); });
    tag = newTag;
    if (listener)
        listener->controlTagDidChange(this);
    subListeners.forEach([this](IControlListener* sub) { sub->controlTagDidChange(this); });
}

// ---- edits

void CControl::beginEdit()
{
    if (++editCount != 1)
        return;
    if (listener)
        listener->controlBeginEdit(this);
    subListeners.forEach([this](IControlListener* sub) { sub->controlBeginEdit(this); });
}

void CControl::endEdit()
{
    // An end without a begin is ignored rather than unbalancing later edits.
    if (editCount == 0 || --editCount != 0)
        return;
    if (listener)
        listener->controlEndEdit(this);
    subListeners.forEach([this](IControlListener* sub) { sub->controlEndEdit(this); });
}

void CControl::valueChanged()
{
    if (listener)
        listener->valueChanged(this);
    subListeners.forEach([this](IControlListener* sub) { sub->valueChanged(this); });
}

// ---- drawing state

bool CControl::isDirty() const
{
    return oldValue != value || CView::isDirty();
}

void CControl::setDirty(bool state)
{
    if (!state)
        oldValue = value;
    CView::setDirty(state);
}

bool CControl::checkDefaultValue(CButtonState button)
{
    if (!button.isLeftButton() || button.getModifierState() != kDefaultValueModifier)
        return false;
    if (getDefaultValue() != getValue()) {
        beginEdit();
        setValue(getDefaultValue());
        valueChanged();
        endEdit();
        setDirty(true);
    }
    return true;
}

bool CControl::getFocusPath(CGraphicsPath& outPath)
{
    outPath.addRect(getViewSize());
    return true;
}

int32_t CControl::mapVstKeyModifier(int32_t vstModifier)
{
    int32_t buttons = 0;
    if (vstModifier & MODIFIER_SHIFT)
        buttons |= kShift;
    if (vstModifier & MODIFIER_ALTERNATE)
        buttons |= kAlt;
    if (vstModifier & MODIFIER_COMMAND)
        buttons |= kApple;
    if (vstModifier & MODIFIER_CONTROL)
        buttons |= kControl;
    return buttons;
}

}  // namespace VSTGUI
