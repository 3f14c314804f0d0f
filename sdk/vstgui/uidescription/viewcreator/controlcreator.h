// Creator of "CControl" (no views of its own: the class is abstract; derived
// creators chain to it): "control-tag" (a tag name of the description),
// "min-value", "max-value", "default-value", "wheel-inc-value" (numbers),
// "background-offset" (a point), then the view's attributes.
#pragma once

#include "sdk/vstgui/uidescription/iviewcreator.h"

namespace VSTGUI::UIViewCreator {

class ControlCreator : public ViewCreatorAdapter {
public:
    ControlCreator();
    IdStringPtr getViewName() const override { return "CControl"; }
    IdStringPtr getBaseViewName() const override { return "CView"; }
    CView* create(const UIAttributes&, const IUIDescription*) const override { return nullptr; }
    bool apply(CView* view, const UIAttributes& attributes, const IUIDescription* description) const override;
    bool getAttributeNames(StringList& attributeNames) const override;
    AttrType getAttributeType(const std::string& attributeName) const override;
    bool getAttributeValue(CView* view, const std::string& attributeName, std::string& stringValue,
                           const IUIDescription* description) const override;
};

}  // namespace VSTGUI::UIViewCreator
