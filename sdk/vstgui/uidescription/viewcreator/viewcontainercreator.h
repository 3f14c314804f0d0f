// Creator of "CViewContainer": "background-color", then the view's attributes.
#pragma once

#include "sdk/vstgui/uidescription/iviewcreator.h"

namespace VSTGUI::UIViewCreator {

class ViewContainerCreator : public ViewCreatorAdapter {
public:
    ViewContainerCreator();
    IdStringPtr getViewName() const override { return "CViewContainer"; }
    IdStringPtr getBaseViewName() const override { return "CView"; }
    CView* create(const UIAttributes& attributes, const IUIDescription* description) const override;
    bool apply(CView* view, const UIAttributes& attributes, const IUIDescription* description) const override;
    bool getAttributeNames(StringList& attributeNames) const override;
    AttrType getAttributeType(const std::string& attributeName) const override;
    bool getAttributeValue(CView* view, const std::string& attributeName, std::string& stringValue,
                           const IUIDescription* description) const override;
};

}  // namespace VSTGUI::UIViewCreator
