#include "sdk/vstgui/lib/cbitmap.h"

#include <cairo.h>

#include "sdk/vstgui/lib/cdrawcontext.h"
#include "sdk/vstgui/lib/platform/platform.h"

namespace VSTGUI {
namespace {

UTF8String resolvePath(const UTF8String& name)
{
    const UTF8String folder = getPlatformResourceFolder();
    if (name.empty() || name.front() == '/' || folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

CBitmap::CBitmap(const CResourceDescription& description) : description(description)
{
    if (description.type != CResourceDescription::kStringType || description.name.empty())
        return;
    cairo_surface_t* loaded = cairo_image_surface_create_from_png(resolvePath(description.name).c_str());
    if (cairo_surface_status(loaded) == CAIRO_STATUS_SUCCESS)
        surface = loaded;
    else
        cairo_surface_destroy(loaded);
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
