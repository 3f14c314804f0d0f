#include "tools/host/screenshot.h"

#include <cairo/cairo.h>

#include <algorithm>
#include <cstring>

namespace morvik::host {

Screenshot Screenshot::fromZPixmap(int width, int height, int depth, const uint8_t* data, std::size_t length)
{
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if ((depth != 24 && depth != 32) || width <= 0 || height <= 0 || length < count * 4)
        return {};
    Screenshot shot;
    shot.width = width;
    shot.height = height;
    shot.pixels.resize(count);
    std::memcpy(shot.pixels.data(), data, count * 4);
    for (uint32_t& pixel : shot.pixels)
        pixel &= 0xFFFFFF;
    return shot;
}

std::size_t Screenshot::countDifferentFrom(uint32_t colour) const
{
    return static_cast<std::size_t>(std::count_if(pixels.begin(), pixels.end(),
                                                  [colour](uint32_t p) { return p != (colour & 0xFFFFFF); }));
}

bool Screenshot::writePng(const std::filesystem::path& file) const
{
    if (empty())
        return false;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_surface_flush(surface);
    unsigned char* target = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y)
        std::memcpy(target + static_cast<std::size_t>(y) * stride,
                    &pixels[static_cast<std::size_t>(y) * width], static_cast<std::size_t>(width) * 4);
    cairo_surface_mark_dirty(surface);
    const bool written = cairo_surface_write_to_png(surface, file.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}

}  // namespace morvik::host
