// Turns the X events of the editor's window into the toolkit's input events.
// A pure function of the event, so it is tested without an X server. This is
// where window pixels become frame points.
//
// Keys never come from X: the window selects none (X would send it every key
// the user types for the host), and hosts pass them through
// IPlugView::onKeyDown/onKeyUp instead.
#pragma once

#include <xcb/xcb.h>

#include <optional>

#include "sdk/vstgui/lib/platform/platform.h"

namespace VSTGUI::X11 {

// The input event an X event stands for; nothing for events that carry no
// pointer input (expose, configure, keys, ...) and for the release of a wheel
// button. Positions are divided by `scaleFactor` (device pixels per point).
std::optional<PlatformEvent> translateInputEvent(const xcb_generic_event_t& event, double scaleFactor = 1.);

}  // namespace VSTGUI::X11
