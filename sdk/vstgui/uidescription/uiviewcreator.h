// Conversions between attribute texts and view properties, shared by the view
// creators (namespace UIViewCreator, as creators are reached by it).
//
// A null text stands for "the node has no such attribute".
#pragma once

#include <cstdint>
#include <string>

#include "sdk/vstgui/lib/ccolor.h"
#include "sdk/vstgui/uidescription/iviewcreator.h"

namespace VSTGUI {

class CBitmap;

namespace UIViewCreator {

// No text leaves the style alone; exactly "true" sets the mask's bits; any
// other text clears them.
void applyStyleMask(const std::string* value, int32_t mask, int32_t& style);

// No text answers false. An empty text gives no bitmap, any other the
// description's bitmap of that name (null if it has none); both answer true.
bool stringToBitmap(const std::string* value, CBitmap*& bitmap, const IUIDescription* description);
// No text answers false. An empty text gives the transparent white
// (255, 255, 255, 0) and answers true; any other answers whether the
// description resolves it, and sets the colour only then.
bool stringToColor(const std::string* value, CColor& color, const IUIDescription* description);

// The description's name for the bitmap, else the bitmap's own resource name.
bool bitmapToString(CBitmap* bitmap, std::string& string, const IUIDescription* description);
// The description's name for the colour, else "#rrggbbaa" in lower-case hex.
bool colorToString(const CColor& color, std::string& string, const IUIDescription* description);

// The values of the list attributes several classes share: "orientation"
// (horizontal, vertical) and "text-alignment" (left, center, right).
bool getStandardAttributeListValues(const std::string& attributeName,
                                    IViewCreator::ConstStringPtrList& values);

}  // namespace UIViewCreator
}  // namespace VSTGUI
