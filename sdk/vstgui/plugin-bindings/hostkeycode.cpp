#include "sdk/vstgui/plugin-bindings/hostkeycode.h"

#include <algorithm>
#include <iterator>

namespace VSTGUI {
namespace {

constexpr Steinberg::int16 kHostShift = 1 << 0;
constexpr Steinberg::int16 kHostAlternate = 1 << 1;
constexpr Steinberg::int16 kHostCommand = 1 << 2;
constexpr Steinberg::int16 kHostControl = 1 << 3;

constexpr uint8_t kKnownVirtualKeys[] = {VKEY_BACK, VKEY_TAB,    VKEY_RETURN,  VKEY_ESCAPE, VKEY_SPACE,
                                         VKEY_END,  VKEY_HOME,   VKEY_LEFT,    VKEY_UP,     VKEY_RIGHT,
                                         VKEY_DOWN, VKEY_PAGEUP, VKEY_PAGEDOWN};

}  // namespace

VstKeyCode keyCodeFromHost(Steinberg::char16 key, Steinberg::int16 keyCode, Steinberg::int16 modifiers)
{
    VstKeyCode result;
    if (modifiers & kHostShift)
        result.modifier |= MODIFIER_SHIFT;
    if (modifiers & kHostAlternate)
        result.modifier |= MODIFIER_ALTERNATE;
    // On Linux both name the Ctrl key, which X input reports as control too.
    if (modifiers & (kHostCommand | kHostControl))
        result.modifier |= MODIFIER_CONTROL;

    if (keyCode > 0 &&
        std::find(std::begin(kKnownVirtualKeys), std::end(kKnownVirtualKeys), keyCode) !=
            std::end(kKnownVirtualKeys))
        result.virt = static_cast<uint8_t>(keyCode);
    else if (key >= 0x20)
        result.character = key;
    return result;
}

}  // namespace VSTGUI
