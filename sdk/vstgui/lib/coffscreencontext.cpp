#include "sdk/vstgui/lib/coffscreencontext.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace VSTGUI {

namespace {

// Pixels for a length in points; at least 1, at most what cairo can hold.
int pixelCount(double points, double scaleFactor)
{
    const double pixels = std::ceil(points * scaleFactor);
    return pixels >= 1. ? static_cast<int>(std::min(pixels, 32767.)) : 1;
}

}  // namespace

SharedPointer<COffscreenContext> COffscreenContext::create(const CPoint& size, double scaleFactor)
{
    if (!(scaleFactor > 0.) || !std::isfinite(scaleFactor))
        scaleFactor = 1.;
    const int width = pixelCount(size.x, scaleFactor);
    const int height = pixelCount(size.y, scaleFactor);
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    return owned(new COffscreenContext(image, size, scaleFactor));
}

COffscreenContext::COffscreenContext(cairo_surface_t* image, const CPoint& size, double scaleFactor)
    : CDrawContext(image, size, scaleFactor), image(image)
{
}

COffscreenContext::~COffscreenContext() noexcept
{
    cairo_surface_destroy(image);
}

int32_t COffscreenContext::getPixelWidth() const
{
    return cairo_image_surface_get_width(image);
}

int32_t COffscreenContext::getPixelHeight() const
{
    return cairo_image_surface_get_height(image);
}

CColor COffscreenContext::getPixel(int32_t x, int32_t y) const
{
    if (x < 0 || y < 0 || x >= getPixelWidth() || y >= getPixelHeight())
        return kTransparentCColor;
    cairo_surface_flush(image);
    const unsigned char* row =
        cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
    uint32_t argb;
    std::memcpy(&argb, row + 4 * x, sizeof argb);
    const uint32_t a = argb >> 24;
    if (a == 0)
        return CColor(0, 0, 0, 0);
    // Stored premultiplied: divide the alpha back out, rounding to nearest.
    const auto channel = [a](uint32_t premultiplied) {
        return static_cast<uint8_t>(std::min<uint32_t>(255, (premultiplied * 255 + a / 2) / a));
    };
    return CColor(channel((argb >> 16) & 0xff), channel((argb >> 8) & 0xff), channel(argb & 0xff),
                  static_cast<uint8_t>(a));
}

bool COffscreenContext::writePNG(const UTF8String& path) const
{
    cairo_surface_flush(image);
    return cairo_surface_write_to_png(image, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace VSTGUI
