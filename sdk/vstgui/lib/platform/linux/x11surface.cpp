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
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    for (const CRect& area : areas) {
        // Whole pixels only: a fractional edge would blend with what the window shows.
        const double left = std::clamp(std::floor(area.left), 0., double(imageWidth));
        const double top = std::clamp(std::floor(area.top), 0., double(imageHeight));
        const double right = std::clamp(std::ceil(area.right), left, double(imageWidth));
        const double bottom = std::clamp(std::ceil(area.bottom), top, double(imageHeight));
        if (right == left || bottom == top)
            continue;
        // cairo uploads the whole of a source surface whatever the clip; a
        // sub-surface of the area makes it upload that area alone.
        cairo_surface_t* part =
            cairo_surface_create_for_rectangle(image, left, top, right - left, bottom - top);
        cairo_set_source_surface(cr, part, left, top);
        cairo_rectangle(cr, left, top, right - left, bottom - top);
        cairo_fill(cr);
        cairo_surface_destroy(part);
    }
    cairo_destroy(cr);
    cairo_surface_flush(windowSurface);
    xcb_flush(connection);
}

}  // namespace VSTGUI::X11
