// A view with a value: the base of every control bound to a parameter.
//
// Values are single precision. The value lies in [min, max]; the normalized
// value maps it to [0, 1] (0 for an empty range). An edit gesture is bracketed
// by beginEdit/endEdit, which nest: only the outermost pair reaches the
// listener and the sub-listeners. A control is dirty while its value differs
// from the value last drawn (or while the view is marked dirty).
#pragma once

#include <cstdint>

#include "sdk/vstgui/lib/controls/icontrollistener.h"
#include "sdk/vstgui/lib/cview.h"

namespace VSTGUI {

class CGraphicsPath;

// How a control draws its keyboard-focus mark.
class IFocusDrawing {
public:
    virtual ~IFocusDrawing() noexcept = default;
    virtual bool drawFocusOnTop() = 0;
    // Adds the mark's outline to `outPath`; false when there is none.
    virtual bool getFocusPath(CGraphicsPath& outPath) = 0;
};

class CControl : public CView, public IFocusDrawing {
public:
    CControl(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
             CBitmap* background = nullptr);
    // Copies value, range, tag, listener and appearance; not the sub-listeners
    // or an edit in progress.
    CControl(const CControl& control);
    ~CControl() noexcept override;

    void draw(CDrawContext* context) override = 0;
    CView* newCopy() const override = 0;

    // ---- value
    // Clamped to [min, max]; not a number counts as min.
    virtual void setValue(float value);
    virtual float getValue() const { return value; }
    // Clamped to [0, 1], not a number counting as 0; then min + n * (max - min).
    virtual void setValueNormalized(float normalized);
    // (value - min) / (max - min); 0 for an empty range.
    virtual float getValueNormalized() const;
    virtual void setMin(float newMin) { vmin = newMin; }
    virtual float getMin() const { return vmin; }
    virtual void setMax(float newMax) { vmax = newMax; }
    virtual float getMax() const { return vmax; }
    float getRange() const { return getMax() - getMin(); }
    virtual void setOldValue(float newOldValue) { oldValue = newOldValue; }
    virtual float getOldValue() const { return oldValue; }
    virtual void setDefaultValue(float newDefault) { vdefault = newDefault; }
    virtual float getDefaultValue() const { return vdefault; }
    virtual void setWheelInc(float increment) { wheelInc = increment; }
    virtual float getWheelInc() const { return wheelInc; }

    // Where a background bitmap is drawn from.
    void setBackOffset(const CPoint& offset) { backOffset = offset; }
    const CPoint& getBackOffset() const { return backOffset; }

    // ---- tag and listeners
    virtual void setTag(int32_t newTag);
    virtual int32_t getTag() const { return tag; }
    virtual void setListener(IControlListener* newListener) { listener = newListener; }
    IControlListener* getListener() const { return listener; }
    // Further listeners, told after the main one.
    void registerControlListener(IControlListener* subListener) { subListeners.add(subListener); }
    void unregisterControlListener(IControlListener* subListener) { subListeners.remove(subListener); }

    // ---- edits
    virtual void beginEdit();
    virtual void endEdit();
    bool isEditing() const { return editCount > 0; }
    // Tells the listener and the sub-listeners.
    virtual void valueChanged();

    // ---- drawing state
    bool isDirty() const override;
    // false also records the current value as drawn.
    void setDirty(bool state = true) override;

    // True for exactly the left button with exactly kDefaultValueModifier;
    // then resets a value that differs from the default as one whole edit.
    bool checkDefaultValue(CButtonState button);

    // IFocusDrawing: the mark follows the view's outline.
    bool drawFocusOnTop() override { return true; }
    bool getFocusPath(CGraphicsPath& outPath) override;

    // Modifier bits (CButtonState) for fine adjustment and for resetting to
    // the default value, shared by every control of the process.
    static int32_t kZoomModifier;
    static int32_t kDefaultValueModifier;
    // VstKeyCode modifier bits to CButtonState modifier bits.
    static int32_t mapVstKeyModifier(int32_t vstModifier);

protected:
    float value = 0.f;
    float vmin = 0.f;
    float vmax = 1.f;
    float vdefault = 0.5f;
    float oldValue = 0.f;
    float wheelInc = 0.1f;
    int32_t tag;
    IControlListener* listener;
    CPoint backOffset;

private:
    int32_t editCount = 0;
    DispatchList<IControlListener> subListeners;
};

}  // namespace VSTGUI
