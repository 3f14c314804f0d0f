#include "sdk/vstgui/lib/platform/linux/x11window.h"

#include <cstdlib>
#include <cstring>

namespace VSTGUI::X11 {
namespace {

template <class Reply>
struct FreeReply {
    void operator()(Reply* reply) const { std::free(reply); }
};
template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply<Reply>>;

constexpr uint32_t kXEmbedVersion = 0;
constexpr uint32_t kXEmbedMapped = 1;

// No key events: keys typed over the editor go on to the host's window, which
// passes the editor those it wants through IPlugView::onKeyDown.
constexpr uint32_t kEventMask = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS |
    XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_ENTER_WINDOW |
    XCB_EVENT_MASK_LEAVE_WINDOW | XCB_EVENT_MASK_STRUCTURE_NOTIFY;

}  // namespace

std::unique_ptr<Connection> Connection::open()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::unique_ptr<Connection>(new Connection(connection));
}

Connection::~Connection()
{
    xcb_disconnect(connection);
}

int Connection::fileDescriptor() const
{
    return xcb_get_file_descriptor(connection);
}

xcb_atom_t Connection::atom(const char* name) const
{
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_visualtype_t* Connection::visualOf(xcb_window_t window) const
{
    const ReplyPtr<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr));
    if (!attributes)
        return nullptr;
    for (auto screen = xcb_setup_roots_iterator(xcb_get_setup(connection)); screen.rem;
         xcb_screen_next(&screen)) {
        for (auto depth = xcb_screen_allowed_depths_iterator(screen.data); depth.rem;
             xcb_depth_next(&depth)) {
            for (auto visual = xcb_depth_visuals_iterator(depth.data); visual.rem;
                 xcb_visualtype_next(&visual)) {
                if (visual.data->visual_id == attributes->visual)
                    return visual.data;
            }
        }
    }
    return nullptr;
}

std::unique_ptr<ChildWindow> ChildWindow::create(const Connection& connection, xcb_window_t parent,
                                                 uint16_t width, uint16_t height)
{
    // The window takes the parent's depth and visual, so cairo must draw in that visual.
    xcb_visualtype_t* visual = connection.visualOf(parent);
    if (!visual)
        return nullptr;
    width = width ? width : 1;
    height = height ? height : 1;
    xcb_connection_t* c = connection.get();
    const xcb_atom_t xembedInfo = connection.atom("_XEMBED_INFO");
    const xcb_window_t window = xcb_generate_id(c);
    const uint32_t values[] = {kEventMask};
    const auto created = xcb_create_window_checked(c, XCB_COPY_FROM_PARENT, window, parent, 0, 0, width,
                                                   height, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                                                   XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, values);
    const uint32_t info[] = {kXEmbedVersion, kXEmbedMapped};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, xembedInfo, xembedInfo, 32, 2, info);
    const auto mapped = xcb_map_window_checked(c, window);
    // One round trip for all three: once attached() returns, the host reading
    // _XEMBED_INFO on its own connection finds it on the server.
    xcb_generic_error_t* mapError = xcb_request_check(c, mapped);
    xcb_generic_error_t* createError = xcb_request_check(c, created);
    const bool failed = mapError || createError;
    if (failed && !createError)
        xcb_destroy_window(c, window);
    std::free(mapError);
    std::free(createError);
    if (failed) {
        xcb_flush(c);
        return nullptr;
    }
    return std::unique_ptr<ChildWindow>(new ChildWindow(c, window, visual, width, height));
}

ChildWindow::~ChildWindow()
{
    // The host may have destroyed its window, and ours with it, already; the
    // server's error for that is harmless and never read.
    xcb_destroy_window(connection, window);
    xcb_flush(connection);
}

void ChildWindow::resize(uint16_t width, uint16_t height)
{
    if (width == 0 || height == 0 || (width == currentWidth && height == currentHeight))
        return;
    const uint32_t size[] = {width, height};
    xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
    xcb_flush(connection);
    currentWidth = width;
    currentHeight = height;
}

}  // namespace VSTGUI::X11
