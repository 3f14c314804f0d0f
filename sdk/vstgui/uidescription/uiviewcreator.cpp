#include "sdk/vstgui/uidescription/uiviewcreator.h"

#include <array>
#include <cstdio>

#include "sdk/vstgui/lib/cbitmap.h"
#include "sdk/vstgui/uidescription/iuidescription.h"

namespace VSTGUI::UIViewCreator {

void applyStyleMask(const std::string* value, int32_t mask, int32_t& style)
{
    if (!value)
        return;
    if (*value == "true")
        style |= mask;
    else
        style &= ~mask;
}

bool stringToBitmap(const std::string* value, CBitmap*& bitmap, const IUIDescription* description)
{
    if (!value)
        return false;
    bitmap = value->empty() || !description ? nullptr : description->getBitmap(value->c_str());
    return true;
}

bool stringToColor(const std::string* value, CColor& color, const IUIDescription* description)
{
    if (!value)
        return false;
    if (value->empty()) {
        color = kTransparentCColor;
        return true;
    }
    return description && description->getColor(value->c_str(), color);
}

bool bitmapToString(CBitmap* bitmap, std::string& string, const IUIDescription* description)
{
    if (!bitmap)
        return false;
    if (UTF8StringPtr name = description ? description->lookupBitmapName(bitmap) : nullptr) {
        string = name;
        return true;
    }
    const CResourceDescription& resource = bitmap->getResourceDescription();
    if (resource.type == CResourceDescription::kIntegerType)
        string = std::to_string(resource.id);
    else
        string = resource.name;
    return true;
}

bool colorToString(const CColor& color, std::string& string, const IUIDescription* description)
{
    if (UTF8StringPtr name = description ? description->lookupColorName(color) : nullptr) {
        string = name;
        return true;
    }
    std::array<char, 10> hex{};
    std::snprintf(hex.data(), hex.size(), "#%02x%02x%02x%02x", color.red, color.green, color.blue,
                  color.alpha);
    string = hex.data();
    return true;
}

bool getStandardAttributeListValues(const std::string& attributeName,
                                    IViewCreator::ConstStringPtrList& values)
{
    static const std::array<std::string, 2> orientations{"horizontal", "vertical"};
    static const std::array<std::string, 3> alignments{"left", "center", "right"};
    const auto append = [&](const auto& strings) {
        for (const std::string& text : strings)
            values.push_back(&text);
        return true;
    };
    if (attributeName == "orientation")
        return append(orientations);
    if (attributeName == "text-alignment")
        return append(alignments);
    return false;
}

}  // namespace VSTGUI::UIViewCreator
