// Creator of "CView": the attributes every view has.
#pragma once

#include "sdk/vstgui/uidescription/iviewcreator.h"

namespace VSTGUI::UIViewCreator {

// "origin", "size" (points), "transparent", "mouse-enabled" (booleans), "bitmap"
// (the background), "autosize" (left top right bottom row column, separated by
// blanks or commas), "tooltip".
class ViewCreator : public ViewCreatorAdapter {
public:
    ViewCreator();
    IdStringPtr getViewName() const override { return "CView"; }
    IdStringPtr getBaseViewName() const override { return nullptr; }
    CView* create(const UIAttributes& attributes, const IUIDescription* description) const override;
    bool apply(CView* view, const UIAttributes& attributes, const IUIDescription* description) const override;
    bool getAttributeNames(StringList& attributeNames) const override;
    AttrType getAttributeType(const std::string& attributeName) const override;
    bool getAttributeValue(CView* view, const std::string& attributeName, std::string& stringValue,
                           const IUIDescription* description) const override;
};

}  // namespace VSTGUI::UIViewCreator
