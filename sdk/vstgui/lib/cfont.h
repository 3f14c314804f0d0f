// A font description: family name, size in points and style bits. Text is
// drawn with pango, which picks the installed font that best matches.
#pragma once

#include <cstdint>

#include "sdk/vstgui/lib/vstguibase.h"

namespace VSTGUI {

enum CTxtFace : int32_t {
    kNormalFace = 0,
    kBoldFace = 1 << 0,
    kItalicFace = 1 << 1,
};

// Horizontal placement of text inside its rectangle.
enum CHoriTxtAlign : int32_t {
    kLeftText = 0,
    kCenterText,
    kRightText,
};

class CFontDesc : public CBaseObject {
public:
    explicit CFontDesc(const UTF8String& name = "", CCoord size = 0., int32_t style = kNormalFace)
        : name(name), size(size), style(style)
    {
    }

    const UTF8String& getName() const { return name; }
    CCoord getSize() const { return size; }
    int32_t getStyle() const { return style; }
    void setName(const UTF8String& newName) { name = newName; }
    void setSize(CCoord newSize) { size = newSize; }
    void setStyle(int32_t newStyle) { style = newStyle; }

    bool operator==(const CFontDesc& other) const
    {
        return name == other.name && size == other.size && style == other.style;
    }
    bool operator!=(const CFontDesc& other) const { return !(*this == other); }

private:
    UTF8String name;
    CCoord size;
    int32_t style;
};

using CFontRef = CFontDesc*;

// The built-in fonts ("~ NormalFont" and so on in a UI description). They live
// as long as the process; remember/forget on them never deletes them.
extern const CFontRef kSystemFont;
extern const CFontRef kNormalFontVeryBig;
extern const CFontRef kNormalFontBig;
extern const CFontRef kNormalFont;
extern const CFontRef kNormalFontSmall;
extern const CFontRef kNormalFontSmaller;
extern const CFontRef kNormalFontVerySmall;
extern const CFontRef kSymbolFont;

}  // namespace VSTGUI
