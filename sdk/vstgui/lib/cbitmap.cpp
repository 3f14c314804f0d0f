#include "sdk/vstgui/lib/cbitmap.h"

#include <cairo.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "sdk/vstgui/lib/cdrawcontext.h"
#include "sdk/vstgui/lib/platform/platform.h"
#include "sdk/vstgui/lib/platform/resourcefile.h"

namespace VSTGUI {
namespace {

// The signature and the start of the first chunk, which must be the header:
// its length, "IHDR", then the width and the height (big-endian).
constexpr std::size_t kPngHeadSize = 24;
constexpr std::array<uint8_t, 12> kPngHeadStart{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13};

uint32_t bigEndian32(const uint8_t* bytes)
{
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | uint32_t(bytes[3]);
}

bool declaresAllowedSize(const std::array<uint8_t, kPngHeadSize>& head)
{
    if (!std::equal(kPngHeadStart.begin(), kPngHeadStart.end(), head.begin()) ||
        std::memcmp(head.data() + 12, "IHDR", 4) != 0)
        return false;
    const uint64_t width = bigEndian32(head.data() + 16);
    const uint64_t height = bigEndian32(head.data() + 20);
    return width > 0 && height > 0 && width * height <= kMaxBitmapPixels;
}

// Hands cairo the head already read, then the rest of the file.
struct PngSource {
    ResourceFile& file;
    std::array<uint8_t, kPngHeadSize> head{};
    std::size_t headRead = 0;

    static cairo_status_t read(void* closure, unsigned char* data, unsigned int length)
    {
        auto& source = *static_cast<PngSource*>(closure);
        while (length > 0) {
            std::size_t count = 0;
            if (source.headRead < source.head.size()) {
                count = std::min<std::size_t>(length, source.head.size() - source.headRead);
                std::memcpy(data, source.head.data() + source.headRead, count);
                source.headRead += count;
            } else {
                const std::ptrdiff_t read = source.file.read(data, length);
                if (read <= 0)
                    return CAIRO_STATUS_READ_ERROR;
                count = static_cast<std::size_t>(read);
            }
            data += count;
            length -= static_cast<unsigned int>(count);
        }
        return CAIRO_STATUS_SUCCESS;
    }
};

// Null for anything but a PNG within the pixel bound.
cairo_surface_t* loadPng(ResourceFile& file)
{
    PngSource source{file};
    std::size_t filled = 0;
    while (filled < source.head.size()) {
        const std::ptrdiff_t read = file.read(source.head.data() + filled, source.head.size() - filled);
        if (read <= 0)
            return nullptr;
        filled += static_cast<std::size_t>(read);
    }
    if (!declaresAllowedSize(source.head))
        return nullptr;
    cairo_surface_t* loaded = cairo_image_surface_create_from_png_stream(&PngSource::read, &source);
    if (cairo_surface_status(loaded) == CAIRO_STATUS_SUCCESS)
        return loaded;
    cairo_surface_destroy(loaded);
    return nullptr;
}

UTF8String folderOf(const UTF8String& name)
{
    if (name.empty() || name.front() != '/')
        return getPlatformResourceFolder();
    return name.substr(0, name.rfind('/') + 1);
}

}  // namespace

CBitmap::CBitmap(const CResourceDescription& description) : CBitmap(description, folderOf(description.name))
{
}

CBitmap::CBitmap(const CResourceDescription& description, const UTF8String& resourceFolder)
    : description(description)
{
    if (description.type != CResourceDescription::kStringType || description.name.empty())
        return;
    ResourceFile file(resourceFolder, description.name);
    if (file.isOpen())
        surface = loadPng(file);
}

CBitmap::~CBitmap() noexcept
{
    if (surface)
        cairo_surface_destroy(surface);
}

CCoord CBitmap::getWidth() const
{
    return surface ? cairo_image_surface_get_width(surface) : 0.;
}

CCoord CBitmap::getHeight() const
{
    return surface ? cairo_image_surface_get_height(surface) : 0.;
}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset, float alpha)
{
    if (context)
        context->drawBitmap(*this, rect, offset, alpha);
}

}  // namespace VSTGUI
