// Keys as a Linux host passes them to a plug-in's view: an X key event of the
// host's window becomes the character, virtual key and modifiers of
// IPlugView::onKeyDown/onKeyUp.
#pragma once

#include <xcb/xcb.h>

#include <optional>

#include "sdk/vst3/interfaces/types.h"

namespace morvik::host {

struct PlugKey {
    Steinberg::char16 character = 0;  // for keys that type one
    Steinberg::int16 virtualKey = 0;  // for keys that type none (arrows, Escape, ...)
    Steinberg::int16 modifiers = 0;   // shift 1, alternate 2, command (Ctrl) 4

    bool operator==(const PlugKey&) const = default;
};

// The keysym a key gives with the event's modifiers, from the keyboard map's
// first two columns: the shifted one while Shift is held, unless the key has
// none there (the arrows, Escape), where Shift leaves the key as it is.
xcb_keysym_t keySymWith(xcb_keysym_t unshifted, xcb_keysym_t shifted, uint16_t state);

// The key for a keysym; nothing for keys that neither type a character nor
// have a virtual key (a lone Shift).
std::optional<PlugKey> plugKeyFrom(xcb_keysym_t keySym, uint16_t state);

}  // namespace morvik::host
