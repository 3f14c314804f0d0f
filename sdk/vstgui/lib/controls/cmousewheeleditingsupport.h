// Makes a burst of wheel events one edit: the first event begins it, and it
// ends 500 ms after the last one (or when the control closes it sooner).
// Meant as a second base of a control.
#pragma once

#include "sdk/vstgui/lib/cvstguitimer.h"

namespace VSTGUI {

class CControl;

class CMouseWheelEditingSupport {
public:
    static constexpr uint32_t kEditClosingDelayMs = 500;

protected:
    CMouseWheelEditingSupport() = default;
    // A copy starts without a timer: the source's ticks belong to the source.
    CMouseWheelEditingSupport(const CMouseWheelEditingSupport&) {}
    CMouseWheelEditingSupport& operator=(const CMouseWheelEditingSupport&) { return *this; }
    ~CMouseWheelEditingSupport() noexcept = default;

    // Call for every wheel event: begins the edit unless one is open, and
    // restarts the closing delay.
    void onMouseWheelEditing(CControl* control);
    // Drops the closing timer and ends the edit the control has open, if any.
    void invalidMouseWheelEditTimer(CControl* control);

private:
    SharedPointer<CVSTGUITimer> wheelEditTimer;
};

}  // namespace VSTGUI
