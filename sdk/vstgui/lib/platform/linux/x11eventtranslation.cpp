#include "sdk/vstgui/lib/platform/linux/x11eventtranslation.h"

namespace VSTGUI::X11 {
namespace {

// Wheel steps arrive as presses of buttons 4 to 7.
constexpr xcb_button_t kWheelUp = 4;
constexpr xcb_button_t kWheelDown = 5;
constexpr xcb_button_t kWheelLeft = 6;
constexpr xcb_button_t kWheelRight = 7;

int32_t modifiersFrom(uint16_t state)
{
    int32_t bits = 0;
    if (state & XCB_KEY_BUT_MASK_SHIFT)
        bits |= kShift;
    if (state & XCB_KEY_BUT_MASK_CONTROL)
        bits |= kControl;
    if (state & XCB_KEY_BUT_MASK_MOD_1)
        bits |= kAlt;
    return bits;
}

int32_t heldButtonsFrom(uint16_t state)
{
    int32_t bits = 0;
    if (state & XCB_KEY_BUT_MASK_BUTTON_1)
        bits |= kLButton;
    if (state & XCB_KEY_BUT_MASK_BUTTON_2)
        bits |= kMButton;
    if (state & XCB_KEY_BUT_MASK_BUTTON_3)
        bits |= kRButton;
    return bits;
}

int32_t buttonBit(xcb_button_t button)
{
    switch (button) {
        case 1:
            return kLButton;
        case 2:
            return kMButton;
        case 3:
            return kRButton;
        case 8:
            return kButton4;
        case 9:
            return kButton5;
        default:
            return 0;
    }
}

CPoint toPoints(int16_t x, int16_t y, double scaleFactor)
{
    return CPoint(x / scaleFactor, y / scaleFactor);
}

std::optional<PlatformEvent> buttonEvent(const xcb_button_press_event_t& e, bool pressed, double scaleFactor)
{
    PlatformEvent event;
    event.where = toPoints(e.event_x, e.event_y, scaleFactor);
    const int32_t modifiers = modifiersFrom(e.state);
    if (e.detail >= kWheelUp && e.detail <= kWheelRight) {
        if (!pressed)
            return std::nullopt;
        event.type = PlatformEvent::Type::MouseWheel;
        event.buttons = CButtonState(modifiers);
        event.wheelAxis =
            (e.detail == kWheelUp || e.detail == kWheelDown) ? kMouseWheelAxisY : kMouseWheelAxisX;
        // The toolkit counts up and left as positive: a horizontal slider turns
        // a step to the left into a lower value.
        event.wheelDistance = (e.detail == kWheelUp || e.detail == kWheelLeft) ? 1.f : -1.f;
        return event;
    }
    const int32_t button = buttonBit(e.detail);
    if (button == 0)
        return std::nullopt;
    event.type = pressed ? PlatformEvent::Type::MouseDown : PlatformEvent::Type::MouseUp;
    event.buttons = CButtonState(button | modifiers);
    return event;
}

PlatformEvent pointerEvent(PlatformEvent::Type type, int16_t x, int16_t y, uint16_t state, double scaleFactor)
{
    PlatformEvent event;
    event.type = type;
    event.where = toPoints(x, y, scaleFactor);
    event.buttons = CButtonState(heldButtonsFrom(state) | modifiersFrom(state));
    return event;
}

}  // namespace

std::optional<PlatformEvent> translateInputEvent(const xcb_generic_event_t& event, double scaleFactor)
{
    if (!(scaleFactor > 0.))
        scaleFactor = 1.;
    // The top bit marks events sent by another client; they are read the same way.
    switch (event.response_type & 0x7f) {
        case XCB_BUTTON_PRESS:
            return buttonEvent(reinterpret_cast<const xcb_button_press_event_t&>(event), true, scaleFactor);
        case XCB_BUTTON_RELEASE:
            return buttonEvent(reinterpret_cast<const xcb_button_release_event_t&>(event), false,
                               scaleFactor);
        case XCB_MOTION_NOTIFY: {
            const auto& e = reinterpret_cast<const xcb_motion_notify_event_t&>(event);
            return pointerEvent(PlatformEvent::Type::MouseMoved, e.event_x, e.event_y, e.state, scaleFactor);
        }
        case XCB_ENTER_NOTIFY: {
            const auto& e = reinterpret_cast<const xcb_enter_notify_event_t&>(event);
            return pointerEvent(PlatformEvent::Type::MouseEntered, e.event_x, e.event_y, e.state,
                                scaleFactor);
        }
        case XCB_LEAVE_NOTIFY: {
            const auto& e = reinterpret_cast<const xcb_leave_notify_event_t&>(event);
            return pointerEvent(PlatformEvent::Type::MouseExited, e.event_x, e.event_y, e.state, scaleFactor);
        }
        default:
            return std::nullopt;
    }
}

}  // namespace VSTGUI::X11
