// The view factory: turns description nodes into views through the view
// creators registered by class name, and answers what a view's attributes are,
// for writing a view back into a description.
//
// Creators register themselves from their constructors during static
// initialisation, into one process-wide table; a factory object holds no state
// of its own.
#pragma once

#include <string>

#include "sdk/vstgui/uidescription/iviewcreator.h"

namespace VSTGUI {

class UIViewFactory {
public:
    // Files the creator under its getViewName(), replacing an earlier one of
    // that name. The creator must outlive its registration.
    static void registerViewCreator(const IViewCreator& creator);
    // Removes the creator, if it is the one filed under its name.
    static void unregisterViewCreator(const IViewCreator& creator);
    static const IViewCreator* getViewCreator(std::string_view viewName);

    // Creates the view of the node's "class" with the creator registered under
    // it, then applies the attributes along the creator chain. Null for an
    // unknown or missing class, or when the creator makes nothing. The caller
    // owns the one reference of the view.
    CView* createView(const UIAttributes& attributes, const IUIDescription* description) const;
    // Applies the attributes along the chain of the class the view was created
    // as; false for a view the factory did not create.
    bool applyAttributeValues(CView* view, const UIAttributes& attributes,
                              const IUIDescription* description) const;

    // Write-back: the class a view was created as, and what its creator chain
    // says about its attributes. All answer null, false or kUnknownType for a
    // view the factory did not create.
    IdStringPtr getViewName(CView* view) const;
    bool getAttributeNamesForView(CView* view, IViewCreator::StringList& attributeNames) const;
    IViewCreator::AttrType getAttributeType(CView* view, const std::string& attributeName) const;
    bool getAttributeValue(CView* view, const std::string& attributeName, std::string& stringValue,
                           const IUIDescription* description) const;
    bool getPossibleAttributeListValues(CView* view, const std::string& attributeName,
                                        IViewCreator::ConstStringPtrList& values) const;
    bool getAttributeValueRange(CView* view, const std::string& attributeName, double& minValue,
                                double& maxValue) const;
};

}  // namespace VSTGUI
