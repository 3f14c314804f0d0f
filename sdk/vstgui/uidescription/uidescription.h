// A UI description: the resources and view templates of an editor, read from
// the XML form, and the builder that turns a template into a view tree.
//
//     auto description = makeOwned<UIDescription>(resourcesFolder + "/plug.uidesc");
//     if (!description->parse())
//         report(description->getParseError());
//     CView* view = description->createView("view", controller);  // null on failure
//
// Building a template. Each node's view comes from the controller's createView
// when the node names a "custom-view-name", else from the view factory by its
// "class"; a node whose view cannot be made, or is wider or taller than
// kMaxViewExtent, is skipped with everything inside it (a template's root too:
// the template then builds nothing). A node naming a "sub-controller" asks the current controller's
// createSubController; the answer takes charge of that node and all inside it,
// and the node's view owns it. Each control gets its listener from the
// controller in charge (getControlListener with its "control-tag"), each view
// is passed to verifyView after its children are built, and control tags are
// resolved through the controller's getTagForName. If building fails on the
// way (an exception), nothing is returned and everything built is released.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "sdk/vstgui/uidescription/iuidescription.h"

namespace VSTGUI {

class CView;
class IController;
class UIAttributes;
class UIViewFactory;

// The most points a view may measure on a side: room for any editor (ours is
// 520 x 384), and at the largest content scale, 8, still 8192 pixels (256 MB).
inline constexpr CCoord kMaxViewExtent = 1024.;

class UIDescription : public CBaseObject, public IUIDescription {
public:
    // Reads the file at parse(); bitmap paths are relative to its folder. The
    // file and its bitmaps are read only when they resolve inside that folder.
    explicit UIDescription(std::string filePath);
    // Reads the text at parse(); bitmap paths are relative to resourceFolder, or
    // to the platform's resource folder when it is empty, and must resolve inside it.
    UIDescription(std::string_view xml, std::string resourceFolder);
    ~UIDescription() noexcept override;

    UIDescription(const UIDescription&) = delete;
    UIDescription& operator=(const UIDescription&) = delete;

    // Reads the description. On false the description is empty, creates no
    // views, and getParseError() says what was wrong.
    bool parse();
    const std::string& getParseError() const;

    // A new view tree for the template, with one reference for the caller; null
    // for an unknown template, an unparsed description or a root that cannot be
    // built. The controller may be null.
    CView* createView(UTF8StringPtr templateName, IController* controller) const;
    // The template's own attributes ("size", "minSize", "maxSize", ...), or null.
    const UIAttributes* getViewAttributes(UTF8StringPtr templateName) const;

    CBitmap* getBitmap(UTF8StringPtr name) const override;
    CFontDesc* getFont(UTF8StringPtr name) const override;
    bool getColor(UTF8StringPtr name, CColor& color) const override;
    int32_t getTagForName(UTF8StringPtr name) const override;
    UTF8StringPtr lookupBitmapName(const CBitmap* bitmap) const override;
    UTF8StringPtr lookupFontName(const CFontDesc* font) const override;
    UTF8StringPtr lookupColorName(const CColor& color) const override;
    UTF8StringPtr lookupControlTagName(int32_t tag) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

}  // namespace VSTGUI
