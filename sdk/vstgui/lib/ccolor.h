// A colour as red, green, blue and alpha bytes (alpha 255 is opaque).
#pragma once

#include <cstdint>

namespace VSTGUI {

struct CColor {
    uint8_t red = 255;
    uint8_t green = 255;
    uint8_t blue = 255;
    uint8_t alpha = 255;

    constexpr CColor() = default;
    constexpr CColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) : red(r), green(g), blue(b), alpha(a)
    {
    }

    // Components as fractions 0..1, for drawing libraries that take them so.
    constexpr double normRed() const { return red / 255.; }
    constexpr double normGreen() const { return green / 255.; }
    constexpr double normBlue() const { return blue / 255.; }
    constexpr double normAlpha() const { return alpha / 255.; }

    constexpr bool operator==(const CColor& other) const
    {
        return red == other.red && green == other.green && blue == other.blue && alpha == other.alpha;
    }
    constexpr bool operator!=(const CColor& other) const { return !(*this == other); }
};

// The built-in colours; a UI description names them "~ BlackCColor" and so on.
inline constexpr CColor kTransparentCColor{255, 255, 255, 0};
inline constexpr CColor kBlackCColor{0, 0, 0, 255};
inline constexpr CColor kWhiteCColor{255, 255, 255, 255};
inline constexpr CColor kGreyCColor{127, 127, 127, 255};
inline constexpr CColor kRedCColor{255, 0, 0, 255};
inline constexpr CColor kGreenCColor{0, 255, 0, 255};
inline constexpr CColor kBlueCColor{0, 0, 255, 255};
inline constexpr CColor kYellowCColor{255, 255, 0, 255};
inline constexpr CColor kCyanCColor{0, 255, 255, 255};
inline constexpr CColor kMagentaCColor{255, 0, 255, 255};

}  // namespace VSTGUI
