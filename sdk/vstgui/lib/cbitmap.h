// A bitmap loaded from a PNG among the plug-in's resources, drawn with a source
// offset and an alpha. A bitmap that is missing, not a PNG, not a regular file
// inside its resource folder (see ResourceFile) or larger than kMaxBitmapPixels
// has no pixels, measures 0 x 0 and draws nothing.
#pragma once

#include <cstdint>

#include "sdk/vstgui/lib/crect.h"
#include "sdk/vstgui/lib/vstguibase.h"

struct _cairo_surface;

namespace VSTGUI {

class CDrawContext;

// A PNG may declare at most this many pixels: 64 MB decoded, 4096 x 4096 or
// a strip of 1024 x 16384. The declared size is checked before anything is
// decoded.
inline constexpr uint64_t kMaxBitmapPixels = uint64_t(1) << 24;

// Names a resource: by file name (a path relative to the resource folder that
// the platform set, or an absolute path) or by number.
class CResourceDescription {
public:
    enum Type : uint32_t { kUnknownType, kIntegerType, kStringType };

    CResourceDescription() = default;
    CResourceDescription(int32_t number) : type(kIntegerType), id(number) {}
    CResourceDescription(UTF8StringPtr fileName)
        : type(fileName ? kStringType : kUnknownType), name(fileName ? fileName : "")
    {
    }
    CResourceDescription(const UTF8String& fileName) : type(kStringType), name(fileName) {}

    Type type = kUnknownType;
    int32_t id = 0;
    UTF8String name;
};

class CBitmap : public CBaseObject {
public:
    // A relative name is found in the platform's resource folder, an absolute one
    // in its own folder; the file must lie inside that folder.
    explicit CBitmap(const CResourceDescription& description);
    // A relative name is found in `resourceFolder`, and any name must lead inside it.
    CBitmap(const CResourceDescription& description, const UTF8String& resourceFolder);
    ~CBitmap() noexcept override;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    // Size in points (one PNG pixel is one point).
    CCoord getWidth() const;
    CCoord getHeight() const;
    CPoint getSize() const { return {getWidth(), getHeight()}; }
    bool isLoaded() const { return surface != nullptr; }
    const CResourceDescription& getResourceDescription() const { return description; }

    // Draws the part of the bitmap that starts at `offset` into `rect`, unscaled
    // and clipped to `rect`, with the given opacity (0..1).
    virtual void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint(0, 0),
                      float alpha = 1.f);

    _cairo_surface* getSurface() const { return surface; }

private:
    CResourceDescription description;
    _cairo_surface* surface = nullptr;
};

}  // namespace VSTGUI
