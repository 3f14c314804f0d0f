#include "sdk/vstgui/uidescription/viewcreator/textlabelcreator.h"

#include "sdk/vstgui/lib/controls/ctextlabel.h"
#include "sdk/vstgui/uidescription/uiattributes.h"
#include "sdk/vstgui/uidescription/uiviewfactory.h"

namespace VSTGUI::UIViewCreator {

namespace {

const TextLabelCreator registered;

}  // namespace

TextLabelCreator::TextLabelCreator()
{
    UIViewFactory::registerViewCreator(*this);
}

CView* TextLabelCreator::create(const UIAttributes&, const IUIDescription*) const
{
    return new CTextLabel(CRect());
}

bool TextLabelCreator::apply(CView* view, const UIAttributes& attributes, const IUIDescription*) const
{
    auto* label = dynamic_cast<CTextLabel*>(view);
    if (!label)
        return false;
    if (const std::string* title = attributes.getAttributeValue("title"))
        label->setText(*title);
    return true;
}

bool TextLabelCreator::getAttributeNames(StringList& attributeNames) const
{
    attributeNames.emplace_back("title");
    return true;
}

IViewCreator::AttrType TextLabelCreator::getAttributeType(const std::string& attributeName) const
{
    return attributeName == "title" ? kStringType : kUnknownType;
}

bool TextLabelCreator::getAttributeValue(CView* view, const std::string& attributeName,
                                         std::string& stringValue, const IUIDescription*) const
{
    auto* label = dynamic_cast<CTextLabel*>(view);
    if (!label || attributeName != "title")
        return false;
    stringValue = label->getText();
    return true;
}

}  // namespace VSTGUI::UIViewCreator
