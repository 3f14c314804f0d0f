// What a control tells its listener (and its registered sub-listeners).
#pragma once

#include <cstdint>

#include "sdk/vstgui/lib/cbuttonstate.h"

namespace VSTGUI {

class CControl;

class IControlListener {
public:
    // Virtual, so that a view that owns a listener (a sub-controller) can delete it.
    virtual ~IControlListener() noexcept = default;

    virtual void valueChanged(CControl* control) = 0;
    // A click with modifiers; a non-zero answer means the listener took it.
    virtual int32_t controlModifierClicked(CControl* /*control*/, CButtonState /*button*/) { return 0; }
    // The outermost begin and end of an edit gesture.
    virtual void controlBeginEdit(CControl* /*control*/) {}
    virtual void controlEndEdit(CControl* /*control*/) {}
    virtual void controlTagWillChange(CControl* /*control*/) {}
    virtual void controlTagDidChange(CControl* /*control*/) {}
};

}  // namespace VSTGUI
