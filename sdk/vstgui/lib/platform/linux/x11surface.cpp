#include "sdk/vstgui/lib/platform/linux/x11surface.h"

#include <cairo/cairo-xcb.h>

#include <algorithm>
#include <cmath>

namespace VSTGUI::X11 {

Surface::Surface(xcb_connection_t* connection, xcb_window_t window, xcb_visualtype_t* visual, int width,
                 int height)
    : connection(connection),
      windowSurface(
          cairo_xcb_surface_create(connection, window, visual, std::max(width, 1), std::max(height, 1)))
{
    resize(width, height);
}

Surface::~Surface()
{
    if (image)
        cairo_surface_destroy(image);
    cairo_device_t* device = cairo_device_reference(cairo_surface_get_device(windowSurface));
    cairo_surface_destroy(windowSurface);
    if (device) {
        cairo_device_finish(device);
        cairo_device_destroy(device);
    }
}

void Surface::resize(int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (image && width == imageWidth && height == imageHeight)
        return;
    if (image)
        cairo_surface_destroy(image);
    image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    imageWidth = width;
    imageHeight = height;
    cairo_xcb_surface_set_size(windowSurface, width, height);
}

void Surface::copyToWindow(const std::vector<CRect>& areas)
{
    if (areas.empty())
        return;
    cairo_t* cr = cairo_create(windowSurface);
    for (const CRect& area : areas) {
        // Whole pixels only: a fractional edge would blend with what the window shows.
        const double left = std::floor(area.left);
        const double top = std::floor(area.top);
        cairo_rectangle(cr, left, top, std::ceil(area.right) - left, std::ceil(area.bottom) - top);
    }
    cairo_clip(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(windowSurface);
    xcb_flush(connection);
}

}  // namespace VSTGUI::X11
