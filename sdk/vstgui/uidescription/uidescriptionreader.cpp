#include "sdk/vstgui/uidescription/uidescriptionreader.h"

#include <expat.h>

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

#include "sdk/vstgui/lib/platform/resourcefile.h"

namespace VSTGUI {

namespace {

// What an open element is, which decides what its children may be.
enum class ElementKind { Root, Bitmaps, Fonts, Colors, ControlTags, Entry, View, Skipped };

class Reader {
public:
    Reader() : parser(XML_ParserCreate("UTF-8"), &XML_ParserFree)
    {
        XML_SetUserData(parser.get(), this);
        XML_SetElementHandler(parser.get(), &Reader::onStart, &Reader::onEnd);
        XML_SetStartDoctypeDeclHandler(parser.get(), &Reader::onDoctype);
    }

    UIDescriptionReadResult read(std::string_view xml)
    {
        if (!parser) {
            result.error = "out of memory";
        } else if (XML_Parse(parser.get(), xml.data(), static_cast<int>(xml.size()), XML_TRUE) ==
                   XML_STATUS_ERROR) {
            if (result.error.empty())
                result.error = XML_ErrorString(XML_GetErrorCode(parser.get()));
            result.error =
                "line " + std::to_string(XML_GetCurrentLineNumber(parser.get())) + ": " + result.error;
        } else if (!sawRoot) {
            result.error = "no vstgui-ui-description element";
        }
        if (!result.ok())
            result.content = {};
        return std::move(result);
    }

private:
    static void XMLCALL onStart(void* self, const XML_Char* name, const XML_Char** attributes)
    {
        static_cast<Reader*>(self)->start(name, attributes);
    }
    static void XMLCALL onEnd(void* self, const XML_Char*) { static_cast<Reader*>(self)->end(); }
    // UI descriptions have no document type; refusing one also keeps entity
    // definitions, and their expansion, out of the reader.
    static void XMLCALL onDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int)
    {
        static_cast<Reader*>(self)->fail("a document type declaration is not allowed");
    }

    void fail(std::string message)
    {
        if (result.error.empty())
            result.error = std::move(message);
        XML_StopParser(parser.get(), XML_FALSE);
    }

    static UIAttributes collect(const XML_Char** attributes)
    {
        UIAttributes collected;
        for (const XML_Char** pair = attributes; pair[0]; pair += 2)
            collected.setAttribute(pair[0], pair[1]);
        return collected;
    }

    void start(std::string_view name, const XML_Char** attributes)
    {
        const ElementKind parent = open.empty() ? ElementKind::Skipped : open.back();
        open.push_back(ElementKind::Skipped);
        if (!result.ok())
            return;
        if (open.size() > static_cast<size_t>(kMaxElementDepth))
            return fail("elements nest deeper than " + std::to_string(kMaxElementDepth) + " levels");
        if (open.size() == 1) {
            if (name != "vstgui-ui-description")
                return fail("the root element is not vstgui-ui-description");
            sawRoot = true;
            open.back() = ElementKind::Root;
            return;
        }
        const ElementKind kind = childKind(parent, name);
        if (kind == ElementKind::View && ++viewCount > kMaxViewCount)
            return fail("more than " + std::to_string(kMaxViewCount) + " views");
        open.back() = kind;
        if (kind == ElementKind::Entry)
            addEntry(parent, collect(attributes));
        else if (kind == ElementKind::View)
            openView(collect(attributes));
    }

    static ElementKind childKind(ElementKind parent, std::string_view name)
    {
        switch (parent) {
            case ElementKind::Root:
                if (name == "bitmaps")
                    return ElementKind::Bitmaps;
                if (name == "fonts")
                    return ElementKind::Fonts;
                if (name == "colors")
                    return ElementKind::Colors;
                if (name == "control-tags")
                    return ElementKind::ControlTags;
                if (name == "template")
                    return ElementKind::View;
                return ElementKind::Skipped;
            case ElementKind::Bitmaps:
                return name == "bitmap" ? ElementKind::Entry : ElementKind::Skipped;
            case ElementKind::Fonts:
                return name == "font" ? ElementKind::Entry : ElementKind::Skipped;
            case ElementKind::Colors:
                return name == "color" ? ElementKind::Entry : ElementKind::Skipped;
            case ElementKind::ControlTags:
                return name == "control-tag" ? ElementKind::Entry : ElementKind::Skipped;
            case ElementKind::View:
                return name == "view" ? ElementKind::View : ElementKind::Skipped;
            case ElementKind::Entry:
            case ElementKind::Skipped:
                break;
        }
        return ElementKind::Skipped;
    }

    void end()
    {
        if (open.empty())
            return;
        if (open.back() == ElementKind::View && !views.empty()) {
            views.pop_back();
            if (views.empty()) {
                const std::string* name = pendingTemplate.attributes.getAttributeValue("name");
                if (name)
                    result.content.templates.try_emplace(*name, std::move(pendingTemplate));
                pendingTemplate = {};
            }
        }
        open.pop_back();
    }

    void openView(UIAttributes attributes)
    {
        UIViewNode* node = &pendingTemplate;
        if (!views.empty()) {
            views.back()->children.emplace_back();
            node = &views.back()->children.back();
        }
        node->attributes = std::move(attributes);
        // The enclosing nodes stay where they are while their last child grows.
        views.push_back(node);
    }

    void addEntry(ElementKind table, const UIAttributes& attributes)
    {
        const std::string* name = attributes.getAttributeValue("name");
        if (!name)
            return;
        UIDescriptionContent& content = result.content;
        switch (table) {
            case ElementKind::Bitmaps:
                if (const std::string* path = attributes.getAttributeValue("path"))
                    content.bitmapPaths.try_emplace(*name, *path);
                break;
            case ElementKind::Fonts: {
                UIFontEntry font;
                if (const std::string* fontName = attributes.getAttributeValue("font-name"))
                    font.fontName = *fontName;
                attributes.getDoubleAttribute("size", font.size);
                attributes.getBooleanAttribute("bold", font.bold);
                attributes.getBooleanAttribute("italic", font.italic);
                content.fonts.try_emplace(*name, std::move(font));
                break;
            }
            case ElementKind::Colors: {
                CColor color;
                if (readColor(attributes, color))
                    content.colors.try_emplace(*name, color);
                break;
            }
            case ElementKind::ControlTags: {
                int32_t tag = 0;
                if (attributes.getIntegerAttribute("tag", tag))
                    content.controlTags.try_emplace(*name, tag);
                break;
            }
            default:
                break;
        }
    }

    // Either "rgba" or the four components (missing ones 0, alpha 255).
    static bool readColor(const UIAttributes& attributes, CColor& color)
    {
        if (const std::string* rgba = attributes.getAttributeValue("rgba"))
            return parseColorValue(*rgba, color);
        const std::array<std::pair<const char*, uint8_t*>, 4> components{
            {{"red", &color.red}, {"green", &color.green}, {"blue", &color.blue}, {"alpha", &color.alpha}}};
        color = CColor(0, 0, 0, 255);
        for (const auto& [componentName, component] : components) {
            if (!attributes.hasAttribute(componentName))
                continue;
            int32_t value = -1;
            if (!attributes.getIntegerAttribute(componentName, value) || value < 0 || value > 255)
                return false;
            *component = static_cast<uint8_t>(value);
        }
        return true;
    }

    std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser;
    UIDescriptionReadResult result;
    std::vector<ElementKind> open;
    UIViewNode pendingTemplate;
    std::vector<UIViewNode*> views;
    size_t viewCount = 0;
    bool sawRoot = false;
};

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

UIDescriptionReadResult readUIDescription(std::string_view xml)
{
    if (xml.size() > kMaxDescriptionBytes) {
        UIDescriptionReadResult tooLarge;
        tooLarge.error = "larger than " + std::to_string(kMaxDescriptionBytes >> 20) + " MiB";
        return tooLarge;
    }
    return Reader().read(xml);
}

UIDescriptionReadResult readUIDescriptionFile(const std::string& path)
{
    UIDescriptionReadResult failed;
    const size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, std::max<size_t>(slash, 1));
    ResourceFile file(folder, slash == std::string::npos ? path : path.substr(slash + 1));
    if (!file.isOpen()) {
        failed.error = file.getError();
        return failed;
    }
    std::string xml;
    std::array<char, 65536> chunk;
    std::ptrdiff_t count = 0;
    while ((count = file.read(chunk.data(), chunk.size())) > 0) {
        xml.append(chunk.data(), static_cast<size_t>(count));
        if (xml.size() > kMaxDescriptionBytes)
            break;
    }
    if (count < 0) {
        failed.error = "cannot read " + path;
        return failed;
    }
    return readUIDescription(xml);
}

bool parseColorValue(std::string_view text, CColor& color)
{
    static constexpr std::array<std::pair<std::string_view, CColor>, 10> builtIn{{
        {"~ TransparentCColor", kTransparentCColor},
        {"~ BlackCColor", kBlackCColor},
        {"~ WhiteCColor", kWhiteCColor},
        {"~ GreyCColor", kGreyCColor},
        {"~ RedCColor", kRedCColor},
        {"~ GreenCColor", kGreenCColor},
        {"~ BlueCColor", kBlueCColor},
        {"~ YellowCColor", kYellowCColor},
        {"~ CyanCColor", kCyanCColor},
        {"~ MagentaCColor", kMagentaCColor},
    }};
    for (const auto& [name, value] : builtIn) {
        if (text == name) {
            color = value;
            return true;
        }
    }
    if ((text.size() != 7 && text.size() != 9) || text.front() != '#')
        return false;
    std::array<uint8_t, 4> bytes{0, 0, 0, 255};
    for (size_t i = 0; 1 + 2 * i < text.size(); ++i) {
        const int high = hexDigit(text[1 + 2 * i]);
        const int low = hexDigit(text[2 + 2 * i]);
        if (high < 0 || low < 0)
            return false;
        bytes[i] = static_cast<uint8_t>(high * 16 + low);
    }
    color = CColor(bytes[0], bytes[1], bytes[2], bytes[3]);
    return true;
}

}  // namespace VSTGUI
