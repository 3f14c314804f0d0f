// The view creators of the product's slider family. "CSlider" in a UI
// description is built and configured here: SliderBaseCreator handles what
// every slider has (mode, orientation, direction, handle offset, zoom factor),
// SliderCreator creates CSlider views and handles their bitmaps and drawing.
#pragma once

#include "sdk/vstgui/uidescription/iviewcreator.h"

namespace VSTGUI::UIViewCreator {

class SliderBaseCreator : public ViewCreatorAdapter {
public:
    bool apply(CView* view, const UIAttributes& attributes, const IUIDescription* description) const override;
    bool getAttributeNames(StringList& attributeNames) const override;
    AttrType getAttributeType(const std::string& attributeName) const override;
    bool getAttributeValue(CView* view, const std::string& attributeName, std::string& stringValue,
                           const IUIDescription* description) const override;
    bool getPossibleListValues(const std::string& attributeName, ConstStringPtrList& values) const override;
};

class SliderCreator : public SliderBaseCreator {
public:
    // Registers itself with the view factory.
    SliderCreator();
    ~SliderCreator() noexcept override;

    IdStringPtr getViewName() const override;
    IdStringPtr getBaseViewName() const override;
    UTF8StringPtr getDisplayName() const override;
    CView* create(const UIAttributes& attributes, const IUIDescription* description) const override;
    bool apply(CView* view, const UIAttributes& attributes, const IUIDescription* description) const override;
    bool getAttributeNames(StringList& attributeNames) const override;
    AttrType getAttributeType(const std::string& attributeName) const override;
    bool getAttributeValue(CView* view, const std::string& attributeName, std::string& stringValue,
                           const IUIDescription* description) const override;
};

}  // namespace VSTGUI::UIViewCreator
