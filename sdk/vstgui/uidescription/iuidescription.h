// What view creators and controllers may ask of a UI description: resources by
// name, and names by resource, for writing views back.
#pragma once

#include <cstdint>

#include "sdk/vstgui/lib/ccolor.h"
#include "sdk/vstgui/lib/vstguibase.h"

namespace VSTGUI {

class CBitmap;
class CFontDesc;

class IUIDescription {
public:
    virtual ~IUIDescription() noexcept = default;

    // Null when the description has no bitmap of that name. A bitmap whose file
    // is missing or not a PNG image has no pixels and draws nothing.
    virtual CBitmap* getBitmap(UTF8StringPtr name) const = 0;
    virtual CFontDesc* getFont(UTF8StringPtr name) const = 0;
    // A colour name of the description, a built-in "~ NameCColor" or a literal
    // "#rrggbb" / "#rrggbbaa"; false, colour unchanged, for anything else.
    virtual bool getColor(UTF8StringPtr name, CColor& color) const = 0;
    // The tag registered under the name, as the controller building the views
    // sees it; -1 when there is none.
    virtual int32_t getTagForName(UTF8StringPtr name) const = 0;

    // The description's own name for a resource, or null.
    virtual UTF8StringPtr lookupBitmapName(const CBitmap* bitmap) const = 0;
    virtual UTF8StringPtr lookupFontName(const CFontDesc* font) const = 0;
    virtual UTF8StringPtr lookupColorName(const CColor& color) const = 0;
    virtual UTF8StringPtr lookupControlTagName(int32_t tag) const = 0;
};

}  // namespace VSTGUI
