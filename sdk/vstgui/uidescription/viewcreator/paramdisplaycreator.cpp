#include "sdk/vstgui/uidescription/viewcreator/paramdisplaycreator.h"

#include <string_view>

#include "sdk/vstgui/lib/controls/cparamdisplay.h"
#include "sdk/vstgui/uidescription/iuidescription.h"
#include "sdk/vstgui/uidescription/uiattributes.h"
#include "sdk/vstgui/uidescription/uiviewcreator.h"
#include "sdk/vstgui/uidescription/uiviewfactory.h"
#include "sdk/vstgui/uidescription/viewcreator/attributetable.h"

namespace VSTGUI::UIViewCreator {

namespace {

constexpr std::array<AttributeInfo, 13> kAttributes{{
    {"font", IViewCreator::kFontType},
    {"font-color", IViewCreator::kColorType},
    {"back-color", IViewCreator::kColorType},
    {"frame-color", IViewCreator::kColorType},
    {"frame-width", IViewCreator::kFloatType},
    {"round-rect-radius", IViewCreator::kFloatType},
    {"text-alignment", IViewCreator::kListType},
    {"text-inset", IViewCreator::kPointType},
    {"value-precision", IViewCreator::kIntegerType},
    {"style-no-frame", IViewCreator::kBooleanType},
    {"style-no-draw", IViewCreator::kBooleanType},
    {"style-no-text", IViewCreator::kBooleanType},
    {"style-round-rect", IViewCreator::kBooleanType},
}};

struct ColorProperty {
    const char* name;
    void (CParamDisplay::*set)(const CColor&);
    CColor (CParamDisplay::*get)() const;
};

constexpr std::array<ColorProperty, 3> kColors{{
    {"font-color", &CParamDisplay::setFontColor, &CParamDisplay::getFontColor},
    {"back-color", &CParamDisplay::setBackColor, &CParamDisplay::getBackColor},
    {"frame-color", &CParamDisplay::setFrameColor, &CParamDisplay::getFrameColor},
}};

struct NumberProperty {
    const char* name;
    void (CParamDisplay::*set)(CCoord);
    CCoord (CParamDisplay::*get)() const;
};

constexpr std::array<NumberProperty, 2> kNumbers{{
    {"frame-width", &CParamDisplay::setFrameWidth, &CParamDisplay::getFrameWidth},
    {"round-rect-radius", &CParamDisplay::setRoundRectRadius, &CParamDisplay::getRoundRectRadius},
}};

constexpr std::array<std::pair<const char*, int32_t>, 4> kStyleBits{{
    {"style-no-frame", CParamDisplay::kNoFrame},
    {"style-no-draw", CParamDisplay::kNoDrawStyle},
    {"style-no-text", CParamDisplay::kNoTextStyle},
    {"style-round-rect", CParamDisplay::kRoundRectStyle},
}};

constexpr std::array<std::pair<std::string_view, CHoriTxtAlign>, 3> kAlignments{{
    {"left", kLeftText},
    {"center", kCenterText},
    {"right", kRightText},
}};

const ParamDisplayCreator registered;

}  // namespace

ParamDisplayCreator::ParamDisplayCreator()
{
    UIViewFactory::registerViewCreator(*this);
}

CView* ParamDisplayCreator::create(const UIAttributes&, const IUIDescription*) const
{
    return new CParamDisplay(CRect());
}

bool ParamDisplayCreator::apply(CView* view, const UIAttributes& attributes,
                                const IUIDescription* description) const
{
    auto* display = dynamic_cast<CParamDisplay*>(view);
    if (!display)
        return false;
    const std::string* fontName = attributes.getAttributeValue("font");
    if (CFontDesc* font = fontName && description ? description->getFont(fontName->c_str()) : nullptr)
        display->setFont(font);
    for (const ColorProperty& property : kColors) {
        CColor color;
        if (stringToColor(attributes.getAttributeValue(property.name), color, description))
            (display->*property.set)(color);
    }
    for (const NumberProperty& property : kNumbers) {
        double number = 0.;
        if (attributes.getDoubleAttribute(property.name, number))
            (display->*property.set)(number);
    }
    if (const std::string* alignment = attributes.getAttributeValue("text-alignment")) {
        for (const auto& [word, align] : kAlignments) {
            if (*alignment == word)
                display->setHoriAlign(align);
        }
    }
    CPoint inset;
    if (attributes.getPointAttribute("text-inset", inset))
        display->setTextInset(inset);
    int32_t precision = 0;
    if (attributes.getIntegerAttribute("value-precision", precision) && precision >= 0 && precision <= 255)
        display->setPrecision(static_cast<uint8_t>(precision));
    int32_t style = display->getStyle();
    for (const auto& [name, bit] : kStyleBits)
        applyStyleMask(attributes.getAttributeValue(name), bit, style);
    display->setStyle(style);
    return true;
}

bool ParamDisplayCreator::getAttributeNames(StringList& attributeNames) const
{
    return appendAttributeNames(kAttributes, attributeNames);
}

IViewCreator::AttrType ParamDisplayCreator::getAttributeType(const std::string& attributeName) const
{
    return attributeType(kAttributes, attributeName);
}

bool ParamDisplayCreator::getAttributeValue(CView* view, const std::string& attributeName,
                                            std::string& stringValue, const IUIDescription* description) const
{
    auto* display = dynamic_cast<CParamDisplay*>(view);
    if (!display)
        return false;
    if (attributeName == "font") {
        UTF8StringPtr name = description ? description->lookupFontName(display->getFont()) : nullptr;
        if (!name)
            return false;
        stringValue = name;
        return true;
    }
    for (const ColorProperty& property : kColors) {
        if (attributeName == property.name)
            return colorToString((display->*property.get)(), stringValue, description);
    }
    for (const NumberProperty& property : kNumbers) {
        if (attributeName == property.name) {
            stringValue = UIAttributes::doubleToString((display->*property.get)());
            return true;
        }
    }
    for (const auto& [name, bit] : kStyleBits) {
        if (attributeName == name) {
            stringValue = (display->getStyle() & bit) ? "true" : "false";
            return true;
        }
    }
    if (attributeName == "text-alignment") {
        for (const auto& [word, align] : kAlignments) {
            if (display->getHoriAlign() == align)
                stringValue = word;
        }
        return true;
    }
    if (attributeName == "text-inset") {
        stringValue = UIAttributes::pointToString(display->getTextInset());
        return true;
    }
    if (attributeName == "value-precision") {
        stringValue = std::to_string(display->getPrecision());
        return true;
    }
    return false;
}

bool ParamDisplayCreator::getPossibleListValues(const std::string& attributeName,
                                                ConstStringPtrList& values) const
{
    return attributeName == "text-alignment" && getStandardAttributeListValues(attributeName, values);
}

}  // namespace VSTGUI::UIViewCreator
