#include "sdk/vstgui/lib/controls/cmousewheeleditingsupport.h"

#include "sdk/vstgui/lib/controls/ccontrol.h"

namespace VSTGUI {

void CMouseWheelEditingSupport::onMouseWheelEditing(CControl* control)
{
    if (!control->isEditing())
        control->beginEdit();
    // The timer is released before the edit ends, from inside its own tick.
    wheelEditTimer = makeOwned<CVSTGUITimer>(
        [this, control](CVSTGUITimer* /*timer*/) {
            wheelEditTimer = nullptr;
            if (control->isEditing())
                control->endEdit();
        },
        kEditClosingDelayMs);
}

void CMouseWheelEditingSupport::invalidMouseWheelEditTimer(CControl* control)
{
    wheelEditTimer = nullptr;
    if (control->isEditing())
        control->endEdit();
}

}  // namespace VSTGUI
