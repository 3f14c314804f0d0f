// Where the editor draws: an offscreen cairo image at the window's size in
// physical pixels, copied to the X window (through cairo-xcb) only where it
// changed. Drawing never touches the window directly, so an expose is served
// from the offscreen picture without redrawing any view.
#pragma once

#include <cairo/cairo.h>
#include <xcb/xcb.h>

#include <vector>

#include "sdk/vstgui/lib/crect.h"

namespace VSTGUI::X11 {

class Surface {
public:
    Surface(xcb_connection_t* connection, xcb_window_t window, xcb_visualtype_t* visual, int width,
            int height);
    // Finishes cairo's per-connection device: cairo caches it by the connection's
    // address, and a later connection at the same address must not find it.
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // The offscreen picture to draw into; it keeps its content until resized.
    cairo_surface_t* offscreen() const { return image; }
    int width() const { return imageWidth; }
    int height() const { return imageHeight; }

    // A new, cleared offscreen picture of the new size; the window surface follows.
    void resize(int width, int height);
    // Copies these areas (physical pixels) of the offscreen picture to the window;
    // only their pixels go to the server.
    void copyToWindow(const std::vector<CRect>& areas);

private:
    xcb_connection_t* connection;
    cairo_surface_t* windowSurface;
    cairo_surface_t* image = nullptr;
    int imageWidth = 0;
    int imageHeight = 0;
};

}  // namespace VSTGUI::X11
