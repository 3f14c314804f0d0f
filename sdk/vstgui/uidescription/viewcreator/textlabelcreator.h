// Creator of "CTextLabel": "title" (its UTF-8 text), then the parameter
// display's attributes.
#pragma once

#include "sdk/vstgui/uidescription/iviewcreator.h"

namespace VSTGUI::UIViewCreator {

class TextLabelCreator : public ViewCreatorAdapter {
public:
    TextLabelCreator();
    IdStringPtr getViewName() const override { return "CTextLabel"; }
    IdStringPtr getBaseViewName() const override { return "CParamDisplay"; }
    CView* create(const UIAttributes& attributes, const IUIDescription* description) const override;
    bool apply(CView* view, const UIAttributes& attributes, const IUIDescription* description) const override;
    bool getAttributeNames(StringList& attributeNames) const override;
    AttrType getAttributeType(const std::string& attributeName) const override;
    bool getAttributeValue(CView* view, const std::string& attributeName, std::string& stringValue,
                           const IUIDescription* description) const override;
};

}  // namespace VSTGUI::UIViewCreator
