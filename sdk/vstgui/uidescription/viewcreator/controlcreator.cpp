#include "sdk/vstgui/uidescription/viewcreator/controlcreator.h"

#include <cmath>
#include <limits>

#include "sdk/vstgui/lib/controls/ccontrol.h"
#include "sdk/vstgui/uidescription/iuidescription.h"
#include "sdk/vstgui/uidescription/uiattributes.h"
#include "sdk/vstgui/uidescription/uiviewfactory.h"
#include "sdk/vstgui/uidescription/viewcreator/attributetable.h"

namespace VSTGUI::UIViewCreator {

namespace {

constexpr std::array<AttributeInfo, 6> kAttributes{{
    {"control-tag", IViewCreator::kTagType},
    {"min-value", IViewCreator::kFloatType},
    {"max-value", IViewCreator::kFloatType},
    {"default-value", IViewCreator::kFloatType},
    {"wheel-inc-value", IViewCreator::kFloatType},
    {"background-offset", IViewCreator::kPointType},
}};

struct NumberProperty {
    const char* name;
    void (CControl::*set)(float);
    float (CControl::*get)() const;
};

constexpr std::array<NumberProperty, 4> kNumbers{{
    {"min-value", &CControl::setMin, &CControl::getMin},
    {"max-value", &CControl::setMax, &CControl::getMax},
    {"default-value", &CControl::setDefaultValue, &CControl::getDefaultValue},
    {"wheel-inc-value", &CControl::setWheelInc, &CControl::getWheelInc},
}};

// Control values are single precision; a larger number counts as bad.
constexpr double kLargestFloat = std::numeric_limits<float>::max();

const ControlCreator registered;

}  // namespace

ControlCreator::ControlCreator()
{
    UIViewFactory::registerViewCreator(*this);
}

bool ControlCreator::apply(CView* view, const UIAttributes& attributes,
                           const IUIDescription* description) const
{
    auto* control = dynamic_cast<CControl*>(view);
    if (!control)
        return false;
    const std::string* tagName = attributes.getAttributeValue("control-tag");
    if (tagName && !tagName->empty() && description) {
        if (const int32_t tag = description->getTagForName(tagName->c_str()); tag != -1)
            control->setTag(tag);
    }
    for (const NumberProperty& property : kNumbers) {
        double number = 0.;
        if (attributes.getDoubleAttribute(property.name, number) && std::abs(number) <= kLargestFloat)
            (control->*property.set)(static_cast<float>(number));
    }
    // A new range may leave the value outside it.
    control->setValue(control->getValue());
    CPoint offset;
    if (attributes.getPointAttribute("background-offset", offset))
        control->setBackOffset(offset);
    return true;
}

bool ControlCreator::getAttributeNames(StringList& attributeNames) const
{
    return appendAttributeNames(kAttributes, attributeNames);
}

IViewCreator::AttrType ControlCreator::getAttributeType(const std::string& attributeName) const
{
    return attributeType(kAttributes, attributeName);
}

bool ControlCreator::getAttributeValue(CView* view, const std::string& attributeName,
                                       std::string& stringValue, const IUIDescription* description) const
{
    auto* control = dynamic_cast<CControl*>(view);
    if (!control)
        return false;
    if (attributeName == "control-tag") {
        UTF8StringPtr name = description ? description->lookupControlTagName(control->getTag()) : nullptr;
        if (!name)
            return false;
        stringValue = name;
        return true;
    }
    if (attributeName == "background-offset") {
        stringValue = UIAttributes::pointToString(control->getBackOffset());
        return true;
    }
    for (const NumberProperty& property : kNumbers) {
        if (attributeName == property.name) {
            stringValue = UIAttributes::doubleToString((control->*property.get)());
            return true;
        }
    }
    return false;
}

}  // namespace VSTGUI::UIViewCreator
