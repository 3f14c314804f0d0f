// The editor's own X connection and the child window it embeds in the host's
// window. Both are released by their destructors: the window before the
// connection it was made on.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <memory>

namespace VSTGUI::X11 {

class Connection {
public:
    // Connects to the display named by $DISPLAY; null when there is none.
    static std::unique_ptr<Connection> open();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    xcb_connection_t* get() const { return connection; }
    // Readable whenever events wait; the host's run loop watches it.
    int fileDescriptor() const;
    // The interned atom of a name; XCB_ATOM_NONE when the server does not answer.
    xcb_atom_t atom(const char* name) const;
    // The visual of a window, found in the server's screens; null when unknown.
    xcb_visualtype_t* visualOf(xcb_window_t window) const;

private:
    explicit Connection(xcb_connection_t* connection) : connection(connection) {}

    xcb_connection_t* connection;
};

// A child of the host's window, sized in physical pixels, announcing itself
// through _XEMBED_INFO (version 0, mapped) and mapped at once: some hosts show a
// blank editor, or refuse it, without that.
class ChildWindow {
public:
    // Null when the parent does not exist (or the server refuses the window).
    static std::unique_ptr<ChildWindow> create(const Connection& connection, xcb_window_t parent,
                                               uint16_t width, uint16_t height);
    ~ChildWindow();
    ChildWindow(const ChildWindow&) = delete;
    ChildWindow& operator=(const ChildWindow&) = delete;

    xcb_window_t id() const { return window; }
    xcb_visualtype_t* visual() const { return visualType; }
    uint16_t width() const { return currentWidth; }
    uint16_t height() const { return currentHeight; }

    void resize(uint16_t width, uint16_t height);

private:
    ChildWindow(xcb_connection_t* connection, xcb_window_t window, xcb_visualtype_t* visual, uint16_t width,
                uint16_t height)
        : connection(connection),
          window(window),
          visualType(visual),
          currentWidth(width),
          currentHeight(height)
    {
    }

    xcb_connection_t* connection;
    xcb_window_t window;
    xcb_visualtype_t* visualType;
    uint16_t currentWidth;
    uint16_t currentHeight;
};

}  // namespace VSTGUI::X11
