// Creator of "CParamDisplay": "font" (a font name), "font-color", "back-color",
// "frame-color" (colours), "frame-width", "round-rect-radius" (numbers),
// "text-alignment" (left, center, right), "text-inset" (a point),
// "value-precision" (0 to 255 digits), "style-no-frame", "style-no-draw",
// "style-no-text", "style-round-rect" (booleans), then the control's attributes.
#pragma once

#include "sdk/vstgui/uidescription/iviewcreator.h"

namespace VSTGUI::UIViewCreator {

class ParamDisplayCreator : public ViewCreatorAdapter {
public:
    ParamDisplayCreator();
    IdStringPtr getViewName() const override { return "CParamDisplay"; }
    IdStringPtr getBaseViewName() const override { return "CControl"; }
    CView* create(const UIAttributes& attributes, const IUIDescription* description) const override;
    bool apply(CView* view, const UIAttributes& attributes, const IUIDescription* description) const override;
    bool getAttributeNames(StringList& attributeNames) const override;
    AttrType getAttributeType(const std::string& attributeName) const override;
    bool getAttributeValue(CView* view, const std::string& attributeName, std::string& stringValue,
                           const IUIDescription* description) const override;
    bool getPossibleListValues(const std::string& attributeName, ConstStringPtrList& values) const override;
};

}  // namespace VSTGUI::UIViewCreator
