// The host's own X connection and its top-level windows, in which editors are
// embedded. Separate from any editor's connection, as in a real host.
#pragma once

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/host/plug_keys.h"
#include "tools/host/screenshot.h"

namespace morvik::host {

class HostWindow;

class HostDisplay {
public:
    // Connects to $DISPLAY; null with the reason in `error` when that fails.
    static std::unique_ptr<HostDisplay> open(std::string& error);
    ~HostDisplay();
    HostDisplay(const HostDisplay&) = delete;
    HostDisplay& operator=(const HostDisplay&) = delete;

    xcb_connection_t* connection() const { return xcb; }
    xcb_window_t root() const { return rootWindow; }
    int fileDescriptor() const { return xcb_get_file_descriptor(xcb); }
    xcb_atom_t atom(const char* name) const;
    // The first key code that types this keysym; XCB_NO_SYMBOL when no key does.
    xcb_keycode_t keyCodeOf(xcb_keysym_t keySym) const;

    // Hands every waiting event to the window it belongs to; never blocks.
    void drainEvents();
    // The server went away (or closed the connection): nothing more will come of it.
    bool connectionBroken() const { return xcb_connection_has_error(xcb) != 0; }
    // A round trip: every request sent before it has been processed by the server.
    void sync() const;

private:
    friend class HostWindow;
    explicit HostDisplay(xcb_connection_t* connection);
    // The key of a key event, as the host passes it to a plug-in's view.
    std::optional<PlugKey> plugKeyOf(const xcb_key_press_event_t& event) const;

    xcb_connection_t* xcb;
    xcb_window_t rootWindow;
    xcb_key_symbols_t* keySymbols;
    std::vector<HostWindow*> windows;
};

// A top-level window of the host, the parent of one editor.
class HostWindow {
public:
    HostWindow(HostDisplay& display, uint16_t width, uint16_t height, const std::string& title);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    xcb_window_t id() const { return window; }
    uint16_t width() const { return currentWidth; }
    uint16_t height() const { return currentHeight; }
    bool isMapped() const { return mapped; }
    // The user asked the window manager to close the window.
    bool closeRequested() const { return closeAsked; }

    void resize(uint16_t width, uint16_t height);
    // What the window shows now, editor included.
    Screenshot capture() const;

    // Called with the new size when the window manager (the user) resized the window.
    std::function<void(uint16_t width, uint16_t height)> onUserResize;
    // Called for each key pressed (true) or released (false) while the window
    // (or the editor in it, which takes no keys) has the keyboard.
    std::function<void(const PlugKey& key, bool pressed)> onKey;

private:
    friend class HostDisplay;
    void handle(const xcb_generic_event_t& event);

    HostDisplay& display;
    xcb_window_t window;
    xcb_atom_t deleteWindowAtom;
    uint16_t currentWidth;
    uint16_t currentHeight;
    bool mapped = false;
    bool closeAsked = false;
};

}  // namespace morvik::host
