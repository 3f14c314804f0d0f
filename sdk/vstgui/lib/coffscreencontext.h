// A draw context on an image of its own: what the headless frame renders into,
// and what tests draw a single view into. Pixels can be read back and the
// image written as PNG.
#pragma once

#include "sdk/vstgui/lib/cdrawcontext.h"

namespace VSTGUI {

class COffscreenContext : public CDrawContext {
public:
    // An image of `size` points at `scaleFactor` pixels per point, fully transparent.
    static SharedPointer<COffscreenContext> create(const CPoint& size, double scaleFactor = 1.);
    ~COffscreenContext() noexcept override;

    int32_t getPixelWidth() const;
    int32_t getPixelHeight() const;
    // The colour of a device pixel (not premultiplied); transparent outside the image.
    CColor getPixel(int32_t x, int32_t y) const;
    bool writePNG(const UTF8String& path) const;

private:
    COffscreenContext(_cairo_surface* image, const CPoint& size, double scaleFactor);
    _cairo_surface* image;
};

}  // namespace VSTGUI
