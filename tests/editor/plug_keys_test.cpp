// X keys of the host's window become what a host passes to IPlugView::onKeyDown.
#include <gtest/gtest.h>

#include "tools/host/plug_keys.h"

namespace {
using morvik::host::keySymWith;
using morvik::host::PlugKey;
using morvik::host::plugKeyFrom;

constexpr uint16_t kShiftState = XCB_KEY_BUT_MASK_SHIFT;
constexpr uint16_t kControlState = XCB_KEY_BUT_MASK_CONTROL;
constexpr uint16_t kAltState = XCB_KEY_BUT_MASK_MOD_1;

TEST(PlugKeys, ShiftTakesTheShiftedKeySymOnlyWhereTheKeyHasOne)
{
    EXPECT_EQ(keySymWith('a', 'A', 0), xcb_keysym_t('a'));
    EXPECT_EQ(keySymWith('a', 'A', kShiftState), xcb_keysym_t('A'));
    EXPECT_EQ(keySymWith(0xff53, 0, kShiftState), 0xff53u);  // Shift+Right is still Right
    EXPECT_EQ(keySymWith(0xff1b, 0, kShiftState | kControlState), 0xff1bu);
}

TEST(PlugKeys, VirtualKeysCharactersAndModifiers)
{
    struct Case {
        xcb_keysym_t keySym;
        uint16_t state;
        PlugKey key;
    };
    const Case cases[] = {
        {0xff51, 0, {0, 11, 0}},              // Left
        {0xff53, kShiftState, {0, 13, 1}},    // Right
        {0xff54, kControlState, {0, 14, 4}},  // Down; Ctrl is "command"
        {0xff1b, 0, {0, 6, 0}},               // Escape
        {0xff8d, kAltState, {0, 4, 2}},       // keypad Enter: Return
        {0x20, 0, {0, 7, 0}},                 // Space
        {'s', kControlState, {u's', 0, 4}},   // Ctrl+S
        {'A', kShiftState, {u'A', 0, 1}},
        {0xe9, 0, {u'\u00e9', 0, 0}},        // Latin-1 é
        {0x010020ac, 0, {u'\u20ac', 0, 0}},  // the euro sign
    };
    for (const Case& c : cases) {
        const auto key = plugKeyFrom(c.keySym, c.state);
        ASSERT_TRUE(key) << std::hex << c.keySym;
        EXPECT_EQ(*key, c.key) << std::hex << c.keySym;
    }
    EXPECT_FALSE(plugKeyFrom(0xffe1, 0));      // a lone Shift
    EXPECT_FALSE(plugKeyFrom(0x0101f600, 0));  // beyond what a char16 holds
    EXPECT_FALSE(plugKeyFrom(0, 0));
}

}  // namespace
