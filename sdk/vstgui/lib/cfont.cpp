#include "sdk/vstgui/lib/cfont.h"

namespace VSTGUI {
namespace {

// Each starts with the one reference the process keeps until the module is
// unloaded (see BuiltInFontsRelease).
CFontRef builtInFont(const char* name, CCoord size)
{
    return new CFontDesc(name, size);
}

constexpr const char* kSansFamily = "DejaVu Sans";

}  // namespace

const CFontRef kSystemFont = builtInFont(kSansFamily, 12);
const CFontRef kNormalFontVeryBig = builtInFont(kSansFamily, 18);
const CFontRef kNormalFontBig = builtInFont(kSansFamily, 14);
const CFontRef kNormalFont = builtInFont(kSansFamily, 12);
const CFontRef kNormalFontSmall = builtInFont(kSansFamily, 11);
const CFontRef kNormalFontSmaller = builtInFont(kSansFamily, 10);
const CFontRef kNormalFontVerySmall = builtInFont(kSansFamily, 9);
const CFontRef kSymbolFont = builtInFont(kSansFamily, 12);

namespace {

// A plug-in module is unloaded and loaded again while the host runs: the
// process's references go with the module, not with the process.
struct BuiltInFontsRelease {
    ~BuiltInFontsRelease()
    {
        for (CFontRef font : {kSystemFont, kNormalFontVeryBig, kNormalFontBig, kNormalFont, kNormalFontSmall,
                              kNormalFontSmaller, kNormalFontVerySmall, kSymbolFont})
            font->forget();
    }
} builtInFontsRelease;

}  // namespace

}  // namespace VSTGUI
