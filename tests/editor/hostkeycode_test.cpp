// Keys that hosts hand to IPlugView::onKeyDown, as the toolkit's key record.
#include <gtest/gtest.h>

#include "sdk/vstgui/plugin-bindings/hostkeycode.h"

namespace {
using namespace VSTGUI;

TEST(HostKeyCode, VirtualKeysCharactersAndModifiers)
{
    struct Case {
        char16_t key;
        int16_t keyCode;
        int16_t modifiers;
        uint8_t virt;
        int32_t character;
        uint8_t modifier;
    };
    const Case cases[] = {
        {0, 11, 0, VKEY_LEFT, 0, 0},
        {0, 14, 1, VKEY_DOWN, 0, MODIFIER_SHIFT},
        {0, 6, 0, VKEY_ESCAPE, 0, 0},
        {u'a', 0, 2, 0, 'a', MODIFIER_ALTERNATE},
        {u'a', 0, 4, 0, 'a', MODIFIER_CONTROL},  // the host's "command" is Ctrl on Linux
        {u'a', 0, 8, 0, 'a', MODIFIER_CONTROL},
        {u'\u00e9', 0, 0, 0, 0xe9, 0},
        {0, 3, 0, 0, 0, 0},      // a key the toolkit has no name for
        {u'\t', 0, 0, 0, 0, 0},  // a control character without its key code
    };
    for (const Case& c : cases) {
        const VstKeyCode key = keyCodeFromHost(c.key, c.keyCode, c.modifiers);
        EXPECT_EQ(key.virt, c.virt) << c.keyCode;
        EXPECT_EQ(key.character, c.character) << c.keyCode;
        EXPECT_EQ(key.modifier, c.modifier) << c.keyCode;
    }
}

}  // namespace
