#include "sdk/vstgui/uidescription/viewcreator/viewcontainercreator.h"

#include "sdk/vstgui/lib/cviewcontainer.h"
#include "sdk/vstgui/uidescription/uiattributes.h"
#include "sdk/vstgui/uidescription/uiviewcreator.h"
#include "sdk/vstgui/uidescription/uiviewfactory.h"
#include "sdk/vstgui/uidescription/viewcreator/attributetable.h"

namespace VSTGUI::UIViewCreator {

namespace {

constexpr std::array<AttributeInfo, 1> kAttributes{{
    {"background-color", IViewCreator::kColorType},
}};

const ViewContainerCreator registered;

}  // namespace

ViewContainerCreator::ViewContainerCreator()
{
    UIViewFactory::registerViewCreator(*this);
}

CView* ViewContainerCreator::create(const UIAttributes&, const IUIDescription*) const
{
    return new CViewContainer(CRect());
}

bool ViewContainerCreator::apply(CView* view, const UIAttributes& attributes,
                                 const IUIDescription* description) const
{
    auto* container = dynamic_cast<CViewContainer*>(view);
    if (!container)
        return false;
    CColor color;
    if (stringToColor(attributes.getAttributeValue("background-color"), color, description))
        container->setBackgroundColor(color);
    return true;
}

bool ViewContainerCreator::getAttributeNames(StringList& attributeNames) const
{
    return appendAttributeNames(kAttributes, attributeNames);
}

IViewCreator::AttrType ViewContainerCreator::getAttributeType(const std::string& attributeName) const
{
    return attributeType(kAttributes, attributeName);
}

bool ViewContainerCreator::getAttributeValue(CView* view, const std::string& attributeName,
                                             std::string& stringValue,
                                             const IUIDescription* description) const
{
    auto* container = dynamic_cast<CViewContainer*>(view);
    if (!container || attributeName != "background-color")
        return false;
    return colorToString(container->getBackgroundColor(), stringValue, description);
}

}  // namespace VSTGUI::UIViewCreator
