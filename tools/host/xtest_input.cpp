#include "tools/host/xtest_input.h"

#include <xcb/xtest.h>

#include <cstdlib>
#include <vector>

#include "tools/host/host_display.h"

namespace morvik::host {

std::unique_ptr<XTestInput> XTestInput::create(HostDisplay& display, std::string& error)
{
    xcb_connection_t* c = display.connection();
    xcb_test_get_version_reply_t* version =
        xcb_test_get_version_reply(c, xcb_test_get_version(c, 2, 2), nullptr);
    if (!version) {
        error = "the X server offers no XTest extension";
        return nullptr;
    }
    std::free(version);
    return std::unique_ptr<XTestInput>(new XTestInput(display));
}

void XTestInput::fake(uint8_t type, uint8_t detail, int16_t rootX, int16_t rootY)
{
    xcb_test_fake_input(display.connection(), type, detail, XCB_CURRENT_TIME, display.root(), rootX, rootY,
                        0);
}

void XTestInput::moveTo(xcb_window_t window, int x, int y)
{
    xcb_connection_t* c = display.connection();
    xcb_translate_coordinates_reply_t* root = xcb_translate_coordinates_reply(
        c,
        xcb_translate_coordinates(c, window, display.root(), static_cast<int16_t>(x),
                                  static_cast<int16_t>(y)),
        nullptr);
    if (!root)
        return;
    fake(XCB_MOTION_NOTIFY, 0, root->dst_x, root->dst_y);
    std::free(root);
    flush();
}

void XTestInput::press(uint8_t button)
{
    fake(XCB_BUTTON_PRESS, button);
    flush();
}

void XTestInput::release(uint8_t button)
{
    fake(XCB_BUTTON_RELEASE, button);
    flush();
}

void XTestInput::click(xcb_window_t window, int x, int y, uint8_t button)
{
    moveTo(window, x, y);
    press(button);
    release(button);
}

void XTestInput::wheel(xcb_window_t window, int x, int y, uint8_t button)
{
    click(window, x, y, button);
}

bool XTestInput::typeKey(uint32_t keySym, std::initializer_list<uint32_t> held)
{
    const xcb_keycode_t code = display.keyCodeOf(keySym);
    if (code == XCB_NO_SYMBOL)
        return false;
    std::vector<xcb_keycode_t> heldCodes;
    for (const uint32_t heldSym : held) {
        heldCodes.push_back(display.keyCodeOf(heldSym));
        if (heldCodes.back() == XCB_NO_SYMBOL)
            return false;
    }
    for (const xcb_keycode_t heldCode : heldCodes)
        fake(XCB_KEY_PRESS, heldCode);
    fake(XCB_KEY_PRESS, code);
    fake(XCB_KEY_RELEASE, code);
    for (auto it = heldCodes.rbegin(); it != heldCodes.rend(); ++it)
        fake(XCB_KEY_RELEASE, *it);
    flush();
    return true;
}

void XTestInput::flush()
{
    // A round trip, so the server has acted on the input before the caller goes
    // on. Its reply may bring the host's own events along, which then wait in
    // the connection's queue where its descriptor no longer signals them.
    display.sync();
    display.drainEvents();
}

}  // namespace morvik::host
