#include "sdk/vstgui/uidescription/uidescription.h"

#include <array>
#include <utility>

#include "sdk/vstgui/lib/cbitmap.h"
#include "sdk/vstgui/lib/cfont.h"
#include "sdk/vstgui/lib/controls/ccontrol.h"
#include "sdk/vstgui/lib/cviewcontainer.h"
#include "sdk/vstgui/lib/platform/platform.h"
#include "sdk/vstgui/uidescription/icontroller.h"
#include "sdk/vstgui/uidescription/uidescriptionreader.h"
#include "sdk/vstgui/uidescription/uiviewfactory.h"

namespace VSTGUI {

namespace {

struct BuiltInFont {
    const char* name;
    CFontRef font;
};

std::array<BuiltInFont, 8> builtInFonts()
{
    return {{
        {"~ SystemFont", kSystemFont},
        {"~ NormalFontVeryBig", kNormalFontVeryBig},
        {"~ NormalFontBig", kNormalFontBig},
        {"~ NormalFont", kNormalFont},
        {"~ NormalFontSmall", kNormalFontSmall},
        {"~ NormalFontSmaller", kNormalFontSmaller},
        {"~ NormalFontVerySmall", kNormalFontVerySmall},
        {"~ SymbolFont", kSymbolFont},
    }};
}

// A description may only name files inside its resource folder.
bool staysInResourceFolder(std::string_view path)
{
    if (path.empty() || path.front() == '/')
        return false;
    for (size_t start = 0; start <= path.size();) {
        const size_t end = std::min(path.find('/', start), path.size());
        if (path.substr(start, end - start) == "..")
            return false;
        start = end + 1;
    }
    return true;
}

bool withinViewExtent(const CRect& size)
{
    return size.getWidth() <= kMaxViewExtent && size.getHeight() <= kMaxViewExtent;
}

std::string folderOf(const std::string& filePath)
{
    const auto slash = filePath.rfind('/');
    return slash == std::string::npos ? std::string(".") : filePath.substr(0, slash);
}

// Hands the reference a SharedPointer holds to the caller.
template <class T>
T* releaseToCaller(SharedPointer<T>& pointer)
{
    T* raw = pointer.get();
    if (raw)
        raw->remember();
    pointer.reset();
    return raw;
}

}  // namespace

struct UIDescription::Impl {
    std::string filePath;
    std::string xml;
    std::string resourceFolder;

    bool parsed = false;
    std::string parseError = "not parsed";
    UIDescriptionContent content;

    // Loaded on first use; a bitmap whose file is missing stays in the table
    // without pixels, so that its name still writes back.
    mutable UINameTable<SharedPointer<CBitmap>> bitmaps;
    mutable UINameTable<SharedPointer<CFontDesc>> fonts;
    // The controller in charge of the node being built, for getTagForName.
    mutable IController* buildController = nullptr;
    UIViewFactory factory;

    SharedPointer<CView> build(const UIDescription& description, const UIAttributes& attributes,
                               const std::vector<UIViewNode>& children, IController* controller) const;
};

UIDescription::UIDescription(std::string filePath) : impl(std::make_unique<Impl>())
{
    impl->resourceFolder = folderOf(filePath);
    impl->filePath = std::move(filePath);
}

UIDescription::UIDescription(std::string_view xml, std::string resourceFolder)
    : impl(std::make_unique<Impl>())
{
    impl->xml = xml;
    impl->resourceFolder = std::move(resourceFolder);
}

UIDescription::~UIDescription() noexcept = default;

bool UIDescription::parse()
{
    UIDescriptionReadResult read =
        impl->filePath.empty() ? readUIDescription(impl->xml) : readUIDescriptionFile(impl->filePath);
    impl->bitmaps.clear();
    impl->fonts.clear();
    impl->parsed = read.ok();
    impl->parseError = std::move(read.error);
    impl->content = std::move(read.content);
    return impl->parsed;
}

const std::string& UIDescription::getParseError() const
{
    return impl->parseError;
}

const UIAttributes* UIDescription::getViewAttributes(UTF8StringPtr templateName) const
{
    if (!templateName)
        return nullptr;
    const auto it = impl->content.templates.find(std::string_view(templateName));
    return it == impl->content.templates.end() ? nullptr : &it->second.attributes;
}

CView* UIDescription::createView(UTF8StringPtr templateName, IController* controller) const
{
    const auto it = templateName ? impl->content.templates.find(std::string_view(templateName))
                                 : impl->content.templates.end();
    if (it == impl->content.templates.end())
        return nullptr;
    try {
        UIAttributes rootAttributes = it->second.attributes;
        if (!rootAttributes.hasAttribute("class"))
            rootAttributes.setAttribute("class", "CViewContainer");
        SharedPointer<CView> view = impl->build(*this, rootAttributes, it->second.children, controller);
        return releaseToCaller(view);
    } catch (...) {
        // Whatever was built is released on the way out: no half tree.
        return nullptr;
    }
}

SharedPointer<CView> UIDescription::Impl::build(const UIDescription& description,
                                                const UIAttributes& attributes,
                                                const std::vector<UIViewNode>& children,
                                                IController* controller) const
{
    std::unique_ptr<IController> subController;
    if (const std::string* name = attributes.getAttributeValue("sub-controller"); name && controller)
        subController.reset(controller->createSubController(name->c_str(), &description));
    IController* const inCharge = subController ? subController.get() : controller;

    struct Scope {
        IController*& slot;
        IController* previous;
        ~Scope() { slot = previous; }
    } scope{buildController, std::exchange(buildController, inCharge)};

    SharedPointer<CView> view;
    if (inCharge && attributes.hasAttribute("custom-view-name"))
        view = owned(inCharge->createView(attributes, &description));
    if (!view)
        view = owned(factory.createView(attributes, &description));
    if (!view || !withinViewExtent(view->getViewSize()))
        return nullptr;
    if (subController)
        view->setController(subController.release());

    if (auto* container = dynamic_cast<CViewContainer*>(view.get())) {
        for (const UIViewNode& child : children) {
            SharedPointer<CView> childView = build(description, child.attributes, child.children, inCharge);
            if (childView && container->addView(childView))
                releaseToCaller(childView);  // the container holds that reference now
        }
    }
    if (!inCharge)
        return view;
    if (auto* control = dynamic_cast<CControl*>(view.get())) {
        const std::string* tagName = attributes.getAttributeValue("control-tag");
        control->setListener(inCharge->getControlListener(tagName ? tagName->c_str() : nullptr));
    }
    CView* verified = inCharge->verifyView(view, attributes, &description);
    if (verified != view.get()) {
        if (verified)
            releaseToCaller(view);  // the controller took the original over
        view = owned(verified);
    }
    return view;
}

CBitmap* UIDescription::getBitmap(UTF8StringPtr name) const
{
    if (!name)
        return nullptr;
    if (const auto cached = impl->bitmaps.find(std::string_view(name)); cached != impl->bitmaps.end())
        return cached->second;
    const auto entry = impl->content.bitmapPaths.find(std::string_view(name));
    if (entry == impl->content.bitmapPaths.end())
        return nullptr;
    SharedPointer<CBitmap> bitmap;
    if (staysInResourceFolder(entry->second)) {
        const UTF8String folder =
            impl->resourceFolder.empty() ? getPlatformResourceFolder() : impl->resourceFolder;
        bitmap = makeOwned<CBitmap>(CResourceDescription(entry->second), folder);
    }
    return impl->bitmaps.try_emplace(entry->first, bitmap).first->second;
}

CFontDesc* UIDescription::getFont(UTF8StringPtr name) const
{
    if (!name)
        return nullptr;
    if (const auto cached = impl->fonts.find(std::string_view(name)); cached != impl->fonts.end())
        return cached->second;
    if (const auto entry = impl->content.fonts.find(std::string_view(name));
        entry != impl->content.fonts.end()) {
        const UIFontEntry& font = entry->second;
        const int32_t style =
            (font.bold ? kBoldFace : kNormalFace) | (font.italic ? kItalicFace : kNormalFace);
        return impl->fonts.try_emplace(entry->first, makeOwned<CFontDesc>(font.fontName, font.size, style))
            .first->second;
    }
    for (const BuiltInFont& builtIn : builtInFonts()) {
        if (std::string_view(name) == builtIn.name)
            return builtIn.font;
    }
    return nullptr;
}

bool UIDescription::getColor(UTF8StringPtr name, CColor& color) const
{
    if (!name)
        return false;
    if (const auto entry = impl->content.colors.find(std::string_view(name));
        entry != impl->content.colors.end()) {
        color = entry->second;
        return true;
    }
    return parseColorValue(name, color);
}

int32_t UIDescription::getTagForName(UTF8StringPtr name) const
{
    if (!name)
        return -1;
    const auto entry = impl->content.controlTags.find(std::string_view(name));
    const int32_t registered = entry == impl->content.controlTags.end() ? -1 : entry->second;
    return impl->buildController ? impl->buildController->getTagForName(name, registered) : registered;
}

UTF8StringPtr UIDescription::lookupBitmapName(const CBitmap* bitmap) const
{
    for (const auto& [name, loaded] : impl->bitmaps) {
        if (bitmap && loaded.get() == bitmap)
            return name.c_str();
    }
    return nullptr;
}

UTF8StringPtr UIDescription::lookupFontName(const CFontDesc* font) const
{
    for (const auto& [name, made] : impl->fonts) {
        if (font && made.get() == font)
            return name.c_str();
    }
    for (const BuiltInFont& builtIn : builtInFonts()) {
        if (font && builtIn.font == font)
            return builtIn.name;
    }
    return nullptr;
}

UTF8StringPtr UIDescription::lookupColorName(const CColor& color) const
{
    for (const auto& [name, value] : impl->content.colors) {
        if (value == color)
            return name.c_str();
    }
    return nullptr;
}

UTF8StringPtr UIDescription::lookupControlTagName(int32_t tag) const
{
    for (const auto& [name, value] : impl->content.controlTags) {
        if (value == tag)
            return name.c_str();
    }
    return nullptr;
}

}  // namespace VSTGUI
