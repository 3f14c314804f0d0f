// Mouse buttons and modifier keys of an input event, the answers a view gives
// to mouse events, and the wheel's axes.
#pragma once

#include <cstdint>

namespace VSTGUI {

enum CButton : int32_t {
    kLButton = 1 << 1,
    kMButton = 1 << 2,
    kRButton = 1 << 3,
    kShift = 1 << 4,
    kControl = 1 << 5,
    kAlt = 1 << 6,
    kApple = 1 << 7,
    kButton4 = 1 << 8,
    kButton5 = 1 << 9,
    kDoubleClick = 1 << 10,
};

// Every mouse button bit, and every modifier bit.
inline constexpr int32_t kMouseButtonMask = kLButton | kMButton | kRButton | kButton4 | kButton5;
inline constexpr int32_t kModifierMask = kShift | kControl | kAlt | kApple;

struct CButtonState {
    int32_t state = 0;

    constexpr CButtonState() = default;
    constexpr CButtonState(int32_t bits) : state(bits) {}

    constexpr int32_t getButtonState() const { return state & kMouseButtonMask; }
    constexpr int32_t getModifierState() const { return state & kModifierMask; }
    constexpr bool isLeftButton() const { return getButtonState() == kLButton; }
    constexpr bool isRightButton() const { return getButtonState() == kRButton; }
    constexpr bool isDoubleClick() const { return (state & kDoubleClick) != 0; }

    constexpr operator int32_t() const { return state; }
    constexpr int32_t operator&(int32_t bits) const { return state & bits; }
    constexpr int32_t operator|(int32_t bits) const { return state | bits; }
    constexpr CButtonState& operator|=(int32_t bits)
    {
        state |= bits;
        return *this;
    }
    constexpr CButtonState& operator&=(int32_t bits)
    {
        state &= bits;
        return *this;
    }
    constexpr bool operator==(const CButtonState& other) const { return state == other.state; }
    constexpr bool operator!=(const CButtonState& other) const { return state != other.state; }
};

enum CMouseEventResult : int32_t {
    kMouseEventNotImplemented = 0,
    kMouseEventHandled = 1,
    kMouseEventNotHandled = 2,
    // The view took the mouse-down but wants no moves and no mouse-up for it.
    kMouseDownEventHandledButDontNeedMovedOrUpEvents = 3,
    kMouseMoveEventHandledButDontNeedMoreEvents = 4,
};

enum CMouseWheelAxis : int32_t {
    kMouseWheelAxisX = 0,
    kMouseWheelAxisY = 1,
};

}  // namespace VSTGUI
