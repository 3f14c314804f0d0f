// A view creator makes the views of one class from description nodes and
// translates between that class's properties and attribute texts.
//
// Creators form chains: each names the creator of its base class
// (getBaseViewName), and the view factory applies a node's attributes along
// that chain, the most derived creator first. A creator handles only its own
// class's attributes and leaves the base's to the next creator.
#pragma once

#include <list>
#include <string>

#include "sdk/vstgui/lib/vstguibase.h"

namespace VSTGUI {

class CView;
class IUIDescription;
class UIAttributes;

class IViewCreator {
public:
    // The kind of value an attribute holds, for editors and write-back.
    enum AttrType {
        kUnknownType,
        kBooleanType,
        kIntegerType,
        kFloatType,
        kStringType,
        kColorType,
        kFontType,
        kBitmapType,
        kPointType,
        kRectType,
        kTagType,
        kListType,
        kGradientType,
    };

    using StringList = std::list<std::string>;
    // Pointers to strings that live as long as the creator.
    using ConstStringPtrList = std::list<const std::string*>;

    virtual ~IViewCreator() noexcept = default;

    // The class name that description nodes use ("CView", "CSlider").
    virtual IdStringPtr getViewName() const = 0;
    // The creator that handles the base class's attributes; null ends the chain.
    virtual IdStringPtr getBaseViewName() const = 0;
    // A new view with one reference, which passes to the caller; null if it cannot.
    virtual CView* create(const UIAttributes& attributes, const IUIDescription* description) const = 0;
    // Sets the view's properties from the attributes that are present. False
    // when the view is not of this creator's class, which ends the chain.
    virtual bool apply(CView* view, const UIAttributes& attributes,
                       const IUIDescription* description) const = 0;
    // Appends this creator's own attribute names; the list is not cleared.
    virtual bool getAttributeNames(StringList& attributeNames) const = 0;
    virtual AttrType getAttributeType(const std::string& attributeName) const = 0;
    // On true, stringValue holds the attribute's current value as text.
    virtual bool getAttributeValue(CView* view, const std::string& attributeName, std::string& stringValue,
                                   const IUIDescription* description) const = 0;
    // Appends the possible values of a list attribute.
    virtual bool getPossibleListValues(const std::string& attributeName,
                                       ConstStringPtrList& values) const = 0;
    virtual bool getAttributeValueRange(const std::string& attributeName, double& minValue,
                                        double& maxValue) const = 0;
    // The name an editor shows for the class.
    virtual UTF8StringPtr getDisplayName() const = 0;
};

// A creator with neutral answers, so that a concrete creator overrides only
// what its class has.
class ViewCreatorAdapter : public IViewCreator {
public:
    bool apply(CView*, const UIAttributes&, const IUIDescription*) const override { return true; }
    bool getAttributeNames(StringList&) const override { return true; }
    AttrType getAttributeType(const std::string&) const override { return kUnknownType; }
    bool getAttributeValue(CView*, const std::string&, std::string&, const IUIDescription*) const override
    {
        return false;
    }
    bool getPossibleListValues(const std::string&, ConstStringPtrList&) const override { return false; }
    bool getAttributeValueRange(const std::string&, double&, double&) const override { return false; }
    UTF8StringPtr getDisplayName() const override { return getViewName(); }
};

}  // namespace VSTGUI
