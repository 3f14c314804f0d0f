// Keys a host hands to IPlugView::onKeyDown/onKeyUp, as the toolkit's key
// record. The host's virtual key numbers for the keys the toolkit knows are
// the toolkit's own; its modifier bits are shift 1, alternate 2, command 4
// (the Ctrl key on Linux) and control 8.
#pragma once

#include "sdk/vst3/interfaces/types.h"
#include "sdk/vstgui/lib/vstkeycode.h"

namespace VSTGUI {

// A key with neither a known virtual key nor a character gives an empty record.
VstKeyCode keyCodeFromHost(Steinberg::char16 key, Steinberg::int16 keyCode, Steinberg::int16 modifiers);

}  // namespace VSTGUI
