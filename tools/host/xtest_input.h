// Real input for a window through the XTest extension: the server moves the
// pointer and presses buttons and keys as if a user did, so the events reach
// whichever client window lies under the pointer (or holds the focus).
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

namespace morvik::host {

class HostDisplay;

class XTestInput {
public:
    // Null with the reason in `error` when the server lacks XTest.
    static std::unique_ptr<XTestInput> create(HostDisplay& display, std::string& error);
    XTestInput(const XTestInput&) = delete;
    XTestInput& operator=(const XTestInput&) = delete;

    // Positions are in the window's pixels.
    void moveTo(xcb_window_t window, int x, int y);
    void press(uint8_t button);
    void release(uint8_t button);
    void click(xcb_window_t window, int x, int y, uint8_t button = 1);
    // One wheel step per button press: 4 up, 5 down, 6 left, 7 right.
    void wheel(xcb_window_t window, int x, int y, uint8_t button);
    // Presses and releases the key that types this keysym (XK_Left is 0xff51),
    // with the keys of `held` (e.g. XK_Shift_L, 0xffe1) held down around it.
    bool typeKey(uint32_t keySym, std::initializer_list<uint32_t> held = {});
    // Sends everything queued to the server, and lets the host's windows handle
    // what it sent them.
    void flush();

private:
    explicit XTestInput(HostDisplay& display) : display(display) {}
    void fake(uint8_t type, uint8_t detail, int16_t rootX = 0, int16_t rootY = 0);

    HostDisplay& display;
};

}  // namespace morvik::host
