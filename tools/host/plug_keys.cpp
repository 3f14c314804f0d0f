#include "tools/host/plug_keys.h"

namespace morvik::host {
namespace {

// The interface's virtual key numbers.
constexpr Steinberg::int16 kKeyBack = 1;
constexpr Steinberg::int16 kKeyTab = 2;
constexpr Steinberg::int16 kKeyReturn = 4;
constexpr Steinberg::int16 kKeyEscape = 6;
constexpr Steinberg::int16 kKeySpace = 7;
constexpr Steinberg::int16 kKeyEnd = 9;
constexpr Steinberg::int16 kKeyHome = 10;
constexpr Steinberg::int16 kKeyLeft = 11;
constexpr Steinberg::int16 kKeyUp = 12;
constexpr Steinberg::int16 kKeyRight = 13;
constexpr Steinberg::int16 kKeyDown = 14;
constexpr Steinberg::int16 kKeyPageUp = 15;
constexpr Steinberg::int16 kKeyPageDown = 16;

// The interface's modifier bits; Linux hosts report Ctrl as "command".
constexpr Steinberg::int16 kShiftKey = 1 << 0;
constexpr Steinberg::int16 kAlternateKey = 1 << 1;
constexpr Steinberg::int16 kCommandKey = 1 << 2;

constexpr xcb_keysym_t kNoSymbol = 0;

struct VirtualKey {
    xcb_keysym_t keySym;
    Steinberg::int16 key;
};
constexpr VirtualKey kVirtualKeys[] = {
    {0xff08, kKeyBack},   {0xff09, kKeyTab},      {0xff0d, kKeyReturn}, {0xff8d, kKeyReturn},
    {0xff1b, kKeyEscape}, {0x0020, kKeySpace},    {0xff57, kKeyEnd},    {0xff50, kKeyHome},
    {0xff51, kKeyLeft},   {0xff52, kKeyUp},       {0xff53, kKeyRight},  {0xff54, kKeyDown},
    {0xff55, kKeyPageUp}, {0xff56, kKeyPageDown},
};

}  // namespace

xcb_keysym_t keySymWith(xcb_keysym_t unshifted, xcb_keysym_t shifted, uint16_t state)
{
    return (state & XCB_KEY_BUT_MASK_SHIFT) && shifted != kNoSymbol ? shifted : unshifted;
}

std::optional<PlugKey> plugKeyFrom(xcb_keysym_t keySym, uint16_t state)
{
    PlugKey key;
    if (state & XCB_KEY_BUT_MASK_SHIFT)
        key.modifiers |= kShiftKey;
    if (state & XCB_KEY_BUT_MASK_MOD_1)
        key.modifiers |= kAlternateKey;
    if (state & XCB_KEY_BUT_MASK_CONTROL)
        key.modifiers |= kCommandKey;
    for (const VirtualKey& entry : kVirtualKeys) {
        if (entry.keySym == keySym) {
            key.virtualKey = entry.key;
            return key;
        }
    }
    // Latin-1 keysyms are their own code points; others carry theirs above
    // 0x01000000 (only those a char16 holds).
    if ((keySym >= 0x21 && keySym <= 0x7e) || (keySym >= 0xa0 && keySym <= 0xff))
        key.character = static_cast<Steinberg::char16>(keySym);
    else if (keySym >= 0x01000100 && keySym <= 0x0100ffff)
        key.character = static_cast<Steinberg::char16>(keySym - 0x01000000);
    else
        return std::nullopt;
    return key;
}

}  // namespace morvik::host
