// X events become the toolkit's input events; no X server needed.
#include <gtest/gtest.h>

#include <cstring>

#include "sdk/vstgui/lib/platform/linux/x11eventtranslation.h"

namespace {
using namespace VSTGUI;
using namespace VSTGUI::X11;
using Type = PlatformEvent::Type;

constexpr uint16_t kShiftState = XCB_KEY_BUT_MASK_SHIFT;
constexpr uint16_t kControlState = XCB_KEY_BUT_MASK_CONTROL;
constexpr uint16_t kAltState = XCB_KEY_BUT_MASK_MOD_1;
constexpr uint16_t kLeftHeld = XCB_KEY_BUT_MASK_BUTTON_1;

// An X event of the given layout, as the server sends it. Button, motion,
// crossing and key events share these fields.
template <class Event>
xcb_generic_event_t xEvent(uint8_t type, uint8_t detail, int16_t x, int16_t y, uint16_t state)
{
    static_assert(sizeof(Event) <= sizeof(xcb_generic_event_t));
    Event e{};
    e.response_type = type;
    e.detail = detail;
    e.event_x = x;
    e.event_y = y;
    e.state = state;
    xcb_generic_event_t generic{};
    std::memcpy(&generic, &e, sizeof(e));
    return generic;
}

xcb_generic_event_t buttonEvent(uint8_t type, uint8_t button, int16_t x, int16_t y, uint16_t state)
{
    return xEvent<xcb_button_press_event_t>(type, button, x, y, state);
}

xcb_generic_event_t pointerEvent(uint8_t type, int16_t x, int16_t y, uint16_t state)
{
    return xEvent<xcb_motion_notify_event_t>(type, 0, x, y, state);
}

xcb_generic_event_t crossingEvent(uint8_t type, int16_t x, int16_t y, uint16_t state)
{
    return xEvent<xcb_enter_notify_event_t>(type, 0, x, y, state);
}

xcb_generic_event_t keyEvent(uint8_t type, xcb_keycode_t code, uint16_t state)
{
    return xEvent<xcb_key_press_event_t>(type, code, 0, 0, state);
}

TEST(X11EventTranslation, ButtonsBecomeMouseDownAndUpWithTheirModifiers)
{
    struct Case {
        uint8_t type;
        uint8_t button;
        uint16_t state;
        Type expectedType;
        int32_t expectedButtons;
    };
    const Case cases[] = {
        {XCB_BUTTON_PRESS, 1, 0, Type::MouseDown, kLButton},
        {XCB_BUTTON_PRESS, 2, 0, Type::MouseDown, kMButton},
        {XCB_BUTTON_PRESS, 3, kShiftState, Type::MouseDown, kRButton | kShift},
        {XCB_BUTTON_PRESS, 1, kControlState | kAltState, Type::MouseDown, kLButton | kControl | kAlt},
        // A release names the button released, whatever the held-button bits say.
        {XCB_BUTTON_RELEASE, 1, kLeftHeld, Type::MouseUp, kLButton},
        {XCB_BUTTON_RELEASE | 0x80, 3, 0, Type::MouseUp, kRButton},  // sent by another client
    };
    for (const Case& c : cases) {
        const auto event = translateInputEvent(buttonEvent(c.type, c.button, 12, 34, c.state));
        ASSERT_TRUE(event) << int(c.button);
        EXPECT_EQ(event->type, c.expectedType) << int(c.button);
        EXPECT_EQ(event->buttons.state, c.expectedButtons) << int(c.button);
        EXPECT_EQ(event->where, CPoint(12, 34));
    }
}

TEST(X11EventTranslation, WheelButtonsBecomeOneStepOnTheirAxisOnPressOnly)
{
    struct Case {
        uint8_t button;
        CMouseWheelAxis axis;
        float distance;
    };
    const Case cases[] = {
        {4, kMouseWheelAxisY, 1.f},
        {5, kMouseWheelAxisY, -1.f},
        // The toolkit counts left as positive: scrolling right raises a horizontal slider.
        {6, kMouseWheelAxisX, 1.f},
        {7, kMouseWheelAxisX, -1.f},
    };
    for (const Case& c : cases) {
        const auto event = translateInputEvent(buttonEvent(XCB_BUTTON_PRESS, c.button, 5, 6, kShiftState));
        ASSERT_TRUE(event) << int(c.button);
        EXPECT_EQ(event->type, Type::MouseWheel);
        EXPECT_EQ(event->wheelAxis, c.axis) << int(c.button);
        EXPECT_EQ(event->wheelDistance, c.distance) << int(c.button);
        EXPECT_EQ(event->buttons.state, kShift);
        EXPECT_FALSE(translateInputEvent(buttonEvent(XCB_BUTTON_RELEASE, c.button, 5, 6, 0)));
    }
}

TEST(X11EventTranslation, MotionAndCrossingCarryTheHeldButtons)
{
    const auto move = translateInputEvent(pointerEvent(XCB_MOTION_NOTIFY, 7, 8, kLeftHeld | kShiftState));
    ASSERT_TRUE(move);
    EXPECT_EQ(move->type, Type::MouseMoved);
    EXPECT_EQ(move->where, CPoint(7, 8));
    EXPECT_EQ(move->buttons.state, kLButton | kShift);

    const auto enter = translateInputEvent(crossingEvent(XCB_ENTER_NOTIFY, 1, 2, 0));
    ASSERT_TRUE(enter);
    EXPECT_EQ(enter->type, Type::MouseEntered);
    const auto leave = translateInputEvent(crossingEvent(XCB_LEAVE_NOTIFY, -3, 2, 0));
    ASSERT_TRUE(leave);
    EXPECT_EQ(leave->type, Type::MouseExited);
    EXPECT_EQ(leave->where, CPoint(-3, 2));
}

TEST(X11EventTranslation, EventsWithoutPointerInputGiveNothing)
{
    // Keys reach the editor only through the host (IPlugView::onKeyDown), even
    // when a client sends them to its window.
    for (const uint8_t type :
         {uint8_t(XCB_KEY_PRESS), uint8_t(XCB_KEY_RELEASE), uint8_t(XCB_KEY_PRESS | 0x80)})
        EXPECT_FALSE(translateInputEvent(keyEvent(type, 38, 0))) << int(type);
    xcb_generic_event_t expose{};
    expose.response_type = XCB_EXPOSE;
    EXPECT_FALSE(translateInputEvent(expose));
    // Buttons beyond the wheel and the two side buttons.
    EXPECT_FALSE(translateInputEvent(buttonEvent(XCB_BUTTON_PRESS, 12, 0, 0, 0)));
}

TEST(X11EventTranslation, PositionsAreDividedByTheScaleFactor)
{
    const auto down = translateInputEvent(buttonEvent(XCB_BUTTON_PRESS, 1, 40, 30, 0), 2.);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->where, CPoint(20, 15));
    const auto move = translateInputEvent(pointerEvent(XCB_MOTION_NOTIFY, 3, 9, 0), 1.5);
    ASSERT_TRUE(move);
    EXPECT_EQ(move->where, CPoint(2, 6));
}

}  // namespace
