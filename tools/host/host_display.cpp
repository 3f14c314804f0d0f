#include "tools/host/host_display.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace morvik::host {

HostDisplay::HostDisplay(xcb_connection_t* connection)
    : xcb(connection),
      rootWindow(xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root),
      keySymbols(xcb_key_symbols_alloc(connection))
{
}

std::unique_ptr<HostDisplay> HostDisplay::open(std::string& error)
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        const char* name = std::getenv("DISPLAY");
        error = std::string("cannot connect to the X display ") + (name ? name : "(DISPLAY is not set)");
        return nullptr;
    }
    return std::unique_ptr<HostDisplay>(new HostDisplay(connection));
}

HostDisplay::~HostDisplay()
{
    xcb_key_symbols_free(keySymbols);
    xcb_disconnect(xcb);
}

xcb_atom_t HostDisplay::atom(const char* name) const
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        xcb, xcb_intern_atom(xcb, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

void HostDisplay::drainEvents()
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(xcb)) {
        xcb_window_t target = XCB_NONE;
        switch (event->response_type & 0x7f) {
            case XCB_CONFIGURE_NOTIFY:
                target = reinterpret_cast<xcb_configure_notify_event_t*>(event)->window;
                break;
            case XCB_MAP_NOTIFY:
                target = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
                break;
            case XCB_UNMAP_NOTIFY:
                target = reinterpret_cast<xcb_unmap_notify_event_t*>(event)->window;
                break;
            case XCB_CLIENT_MESSAGE:
                target = reinterpret_cast<xcb_client_message_event_t*>(event)->window;
                break;
            case XCB_KEY_PRESS:
            case XCB_KEY_RELEASE:
                target = reinterpret_cast<xcb_key_press_event_t*>(event)->event;
                break;
            case XCB_MAPPING_NOTIFY:
                xcb_refresh_keyboard_mapping(keySymbols,
                                             reinterpret_cast<xcb_mapping_notify_event_t*>(event));
                break;
            default:
                break;
        }
        for (HostWindow* window : windows)
            if (window->id() == target)
                window->handle(*event);
        std::free(event);
    }
}

xcb_keycode_t HostDisplay::keyCodeOf(xcb_keysym_t keySym) const
{
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(keySymbols, keySym);
    if (!codes)
        return XCB_NO_SYMBOL;
    const xcb_keycode_t code = codes[0];
    std::free(codes);
    return code;
}

std::optional<PlugKey> HostDisplay::plugKeyOf(const xcb_key_press_event_t& event) const
{
    const xcb_keysym_t keySym =
        keySymWith(xcb_key_symbols_get_keysym(keySymbols, event.detail, 0),
                   xcb_key_symbols_get_keysym(keySymbols, event.detail, 1), event.state);
    return plugKeyFrom(keySym, event.state);
}

void HostDisplay::sync() const
{
    std::free(xcb_get_input_focus_reply(xcb, xcb_get_input_focus(xcb), nullptr));
}

HostWindow::HostWindow(HostDisplay& display, uint16_t width, uint16_t height, const std::string& title)
    : display(display),
      window(xcb_generate_id(display.connection())),
      deleteWindowAtom(display.atom("WM_DELETE_WINDOW")),
      currentWidth(std::max<uint16_t>(width, 1)),
      currentHeight(std::max<uint16_t>(height, 1))
{
    xcb_connection_t* c = display.connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t values[] = {screen->black_pixel,
                               XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_KEY_PRESS |
                                   XCB_EVENT_MASK_KEY_RELEASE};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, currentWidth, currentHeight, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        static_cast<uint32_t>(title.size()), title.data());
    const xcb_atom_t protocols = display.atom("WM_PROTOCOLS");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, protocols, XCB_ATOM_ATOM, 32, 1, &deleteWindowAtom);
    xcb_map_window(c, window);
    xcb_flush(c);
    display.windows.push_back(this);
}

HostWindow::~HostWindow()
{
    std::erase(display.windows, this);
    xcb_destroy_window(display.connection(), window);
    xcb_flush(display.connection());
}

void HostWindow::resize(uint16_t width, uint16_t height)
{
    currentWidth = std::max<uint16_t>(width, 1);
    currentHeight = std::max<uint16_t>(height, 1);
    const uint32_t size[] = {currentWidth, currentHeight};
    xcb_configure_window(display.connection(), window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         size);
    xcb_flush(display.connection());
}

void HostWindow::handle(const xcb_generic_event_t& event)
{
    switch (event.response_type & 0x7f) {
        case XCB_MAP_NOTIFY:
            mapped = true;
            break;
        case XCB_UNMAP_NOTIFY:
            mapped = false;
            break;
        case XCB_CLIENT_MESSAGE: {
            const auto& message = reinterpret_cast<const xcb_client_message_event_t&>(event);
            if (message.format == 32 && message.data.data32[0] == deleteWindowAtom)
                closeAsked = true;
            break;
        }
        case XCB_KEY_PRESS:
        case XCB_KEY_RELEASE: {
            const auto& key = reinterpret_cast<const xcb_key_press_event_t&>(event);
            if (const auto plugKey = display.plugKeyOf(key); plugKey && onKey)
                onKey(*plugKey, (event.response_type & 0x7f) == XCB_KEY_PRESS);
            break;
        }
        case XCB_CONFIGURE_NOTIFY: {
            const auto& configure = reinterpret_cast<const xcb_configure_notify_event_t&>(event);
            if (configure.width == currentWidth && configure.height == currentHeight)
                break;
            currentWidth = configure.width;
            currentHeight = configure.height;
            if (onUserResize)
                onUserResize(configure.width, configure.height);
            break;
        }
        default:
            break;
    }
}

Screenshot HostWindow::capture() const
{
    xcb_connection_t* c = display.connection();
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, currentWidth, currentHeight, ~0u),
        nullptr);
    if (!reply)
        return {};
    Screenshot shot = Screenshot::fromZPixmap(currentWidth, currentHeight, reply->depth,
                                              xcb_get_image_data(reply), xcb_get_image_data_length(reply));
    std::free(reply);
    return shot;
}

}  // namespace morvik::host
