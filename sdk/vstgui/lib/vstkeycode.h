// A key event: the character typed, or a virtual key code for keys that type
// none, and the modifier keys held.
#pragma once

#include <cstdint>

namespace VSTGUI {

enum VirtualKey : uint8_t {
    VKEY_BACK = 1,
    VKEY_TAB = 2,
    VKEY_RETURN = 4,
    VKEY_ESCAPE = 6,
    VKEY_SPACE = 7,
    VKEY_END = 9,
    VKEY_HOME = 10,
    VKEY_LEFT = 11,
    VKEY_UP = 12,
    VKEY_RIGHT = 13,
    VKEY_DOWN = 14,
    VKEY_PAGEUP = 15,
    VKEY_PAGEDOWN = 16,
};

// Bits of VstKeyCode::modifier.
enum KeyModifier : uint8_t {
    MODIFIER_SHIFT = 1 << 0,
    MODIFIER_ALTERNATE = 1 << 1,
    MODIFIER_COMMAND = 1 << 2,
    MODIFIER_CONTROL = 1 << 3,
};

struct VstKeyCode {
    int32_t character = 0;  // Unicode code point, 0 for a virtual key
    uint8_t virt = 0;       // a VirtualKey, 0 for a character
    uint8_t modifier = 0;   // KeyModifier bits
};

}  // namespace VSTGUI
