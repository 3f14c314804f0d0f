// Turns the X events of the editor's window into the toolkit's input events.
// A pure function of the event (and of a keyboard map for keys), so it is
// tested without an X server. This is where window pixels become frame points.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "sdk/vstgui/lib/platform/platform.h"

namespace VSTGUI::X11 {

// The keysym a key code gives with the given modifier state.
using KeySymLookup = std::function<xcb_keysym_t(xcb_keycode_t keycode, uint16_t state)>;

// The input event an X event stands for; nothing for events that carry no input
// (expose, configure, ...), for the release of a wheel button, and for keys that
// neither type a character nor name a key the toolkit knows (a lone Shift).
// Positions are divided by `scaleFactor` (device pixels per point).
std::optional<PlatformEvent> translateInputEvent(const xcb_generic_event_t& event,
                                                 const KeySymLookup& keySymOf, double scaleFactor = 1.);

// The toolkit's key for an X keysym: a virtual key, a character, or neither.
VstKeyCode keyCodeFromKeySym(xcb_keysym_t keySym, uint16_t state);

}  // namespace VSTGUI::X11
