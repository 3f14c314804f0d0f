#include "sdk/vstgui/uidescription/viewcreator/viewcreator.h"

#include <cstring>
#include <string_view>

#include "sdk/vstgui/lib/cview.h"
#include "sdk/vstgui/uidescription/uiattributes.h"
#include "sdk/vstgui/uidescription/uiviewcreator.h"
#include "sdk/vstgui/uidescription/uiviewfactory.h"
#include "sdk/vstgui/uidescription/viewcreator/attributetable.h"

namespace VSTGUI::UIViewCreator {

namespace {

constexpr std::array<AttributeInfo, 7> kAttributes{{
    {"origin", IViewCreator::kPointType},
    {"size", IViewCreator::kPointType},
    {"transparent", IViewCreator::kBooleanType},
    {"mouse-enabled", IViewCreator::kBooleanType},
    {"bitmap", IViewCreator::kBitmapType},
    {"autosize", IViewCreator::kStringType},
    {"tooltip", IViewCreator::kStringType},
}};

constexpr std::array<std::pair<std::string_view, int32_t>, 6> kAutosizeWords{{
    {"left", kAutosizeLeft},
    {"top", kAutosizeTop},
    {"right", kAutosizeRight},
    {"bottom", kAutosizeBottom},
    {"row", kAutosizeRow},
    {"column", kAutosizeColumn},
}};

// Unknown words are ignored.
int32_t parseAutosize(std::string_view text)
{
    int32_t flags = kAutosizeNone;
    constexpr std::string_view separators = " \t,";
    for (size_t start = text.find_first_not_of(separators); start != std::string_view::npos;) {
        const size_t end = std::min(text.find_first_of(separators, start), text.size());
        for (const auto& [word, flag] : kAutosizeWords) {
            if (text.substr(start, end - start) == word)
                flags |= flag;
        }
        start = text.find_first_not_of(separators, end);
    }
    return flags;
}

std::string autosizeToString(int32_t flags)
{
    std::string text;
    for (const auto& [word, flag] : kAutosizeWords) {
        if (flags & flag)
            text.append(text.empty() ? "" : " ").append(word);
    }
    return text;
}

std::string tooltipOf(const CView& view)
{
    uint32_t size = 0;
    if (!view.getAttributeSize(kCViewTooltipAttribute, size) || size == 0)
        return {};
    std::string text(size, '\0');
    view.getAttribute(kCViewTooltipAttribute, size, text.data(), size);
    text.resize(std::strlen(text.c_str()));
    return text;
}

const ViewCreator registered;

}  // namespace

ViewCreator::ViewCreator()
{
    UIViewFactory::registerViewCreator(*this);
}

CView* ViewCreator::create(const UIAttributes&, const IUIDescription*) const
{
    return new CView(CRect());
}

bool ViewCreator::apply(CView* view, const UIAttributes& attributes, const IUIDescription* description) const
{
    if (!view)
        return false;
    CRect size = view->getViewSize();
    CPoint point;
    if (attributes.getPointAttribute("origin", point))
        size.setTopLeft(point);
    if (attributes.getPointAttribute("size", point) && point.x >= 0 && point.y >= 0)
        size.setSize(point);
    view->setViewSize(size);
    view->setMouseableArea(size);

    bool flag = false;
    if (attributes.getBooleanAttribute("transparent", flag))
        view->setTransparency(flag);
    if (attributes.getBooleanAttribute("mouse-enabled", flag))
        view->setMouseEnabled(flag);
    CBitmap* bitmap = nullptr;
    if (stringToBitmap(attributes.getAttributeValue("bitmap"), bitmap, description))
        view->setBackground(bitmap);
    if (const std::string* autosize = attributes.getAttributeValue("autosize"))
        view->setAutosizeFlags(parseAutosize(*autosize));
    if (const std::string* tooltip = attributes.getAttributeValue("tooltip")) {
        if (tooltip->empty())
            view->removeAttribute(kCViewTooltipAttribute);
        else
            view->setAttribute(kCViewTooltipAttribute, static_cast<uint32_t>(tooltip->size() + 1),
                               tooltip->c_str());
    }
    return true;
}

bool ViewCreator::getAttributeNames(StringList& attributeNames) const
{
    return appendAttributeNames(kAttributes, attributeNames);
}

IViewCreator::AttrType ViewCreator::getAttributeType(const std::string& attributeName) const
{
    return attributeType(kAttributes, attributeName);
}

bool ViewCreator::getAttributeValue(CView* view, const std::string& attributeName, std::string& stringValue,
                                    const IUIDescription* description) const
{
    if (!view)
        return false;
    if (attributeName == "origin")
        stringValue = UIAttributes::pointToString(view->getViewSize().getTopLeft());
    else if (attributeName == "size")
        stringValue = UIAttributes::pointToString(view->getViewSize().getSize());
    else if (attributeName == "transparent")
        stringValue = view->getTransparency() ? "true" : "false";
    else if (attributeName == "mouse-enabled")
        stringValue = view->getMouseEnabled() ? "true" : "false";
    else if (attributeName == "bitmap")
        bitmapToString(view->getBackground(), stringValue, description);
    else if (attributeName == "autosize")
        stringValue = autosizeToString(view->getAutosizeFlags());
    else if (attributeName == "tooltip")
        stringValue = tooltipOf(*view);
    else
        return false;
    return true;
}

}  // namespace VSTGUI::UIViewCreator
