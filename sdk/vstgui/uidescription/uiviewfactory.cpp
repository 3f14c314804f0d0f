#include "sdk/vstgui/uidescription/uiviewfactory.h"

#include <map>

#include "sdk/vstgui/lib/cview.h"
#include "sdk/vstgui/uidescription/uiattributes.h"

namespace VSTGUI {

namespace {

using CreatorTable = std::map<std::string, const IViewCreator*, std::less<>>;

// Built on first use, so that creators registering during static
// initialisation find it whatever the order of initialisation.
CreatorTable& creators()
{
    static CreatorTable table;
    return table;
}

// Calls visit(creator) along the chain that starts at viewName, most derived
// first, until visit answers false or the chain ends. A chain that loops back
// on itself ends after as many steps as there are creators.
template <class Visit>
void walkChain(std::string_view viewName, Visit&& visit)
{
    const IViewCreator* creator = UIViewFactory::getViewCreator(viewName);
    for (size_t steps = creators().size(); creator && steps > 0; --steps) {
        if (!visit(*creator))
            return;
        const IdStringPtr baseName = creator->getBaseViewName();
        creator = baseName ? UIViewFactory::getViewCreator(baseName) : nullptr;
    }
}

// The class a view was made as, kept on the view itself so that it goes when
// the view goes.
constexpr CViewAttributeID kViewClassAttribute = 0x7576636e;  // "uvcn"

void rememberViewClass(CView& view, std::string_view viewName)
{
    view.setAttribute(kViewClassAttribute, static_cast<uint32_t>(viewName.size()), viewName.data());
}

std::string recallViewClass(const CView& view)
{
    uint32_t size = 0;
    if (!view.getAttributeSize(kViewClassAttribute, size))
        return {};
    std::string viewName(size, '\0');
    if (!view.getAttribute(kViewClassAttribute, size, viewName.data(), size))
        return {};
    viewName.resize(size);
    return viewName;
}

}  // namespace

void UIViewFactory::registerViewCreator(const IViewCreator& creator)
{
    creators().insert_or_assign(creator.getViewName(), &creator);
}

void UIViewFactory::unregisterViewCreator(const IViewCreator& creator)
{
    const auto it = creators().find(creator.getViewName());
    if (it != creators().end() && it->second == &creator)
        creators().erase(it);
}

const IViewCreator* UIViewFactory::getViewCreator(std::string_view viewName)
{
    const auto it = creators().find(viewName);
    return it == creators().end() ? nullptr : it->second;
}

CView* UIViewFactory::createView(const UIAttributes& attributes, const IUIDescription* description) const
{
    const std::string* className = attributes.getAttributeValue("class");
    const IViewCreator* creator = className ? getViewCreator(*className) : nullptr;
    if (!creator)
        return nullptr;
    CView* view = creator->create(attributes, description);
    if (!view)
        return nullptr;
    try {
        rememberViewClass(*view, *className);
        walkChain(*className,
                  [&](const IViewCreator& link) { return link.apply(view, attributes, description); });
    } catch (...) {
        view->forget();
        throw;
    }
    return view;
}

IdStringPtr UIViewFactory::getViewName(CView* view) const
{
    // The creator may have been unregistered since the view was made.
    const IViewCreator* creator = view ? getViewCreator(recallViewClass(*view)) : nullptr;
    return creator ? creator->getViewName() : nullptr;
}

bool UIViewFactory::applyAttributeValues(CView* view, const UIAttributes& attributes,
                                         const IUIDescription* description) const
{
    const IdStringPtr viewName = getViewName(view);
    if (!viewName)
        return false;
    bool applied = true;
    walkChain(viewName,
              [&](const IViewCreator& link) { return applied = link.apply(view, attributes, description); });
    return applied;
}

bool UIViewFactory::getAttributeNamesForView(CView* view, IViewCreator::StringList& attributeNames) const
{
    const IdStringPtr viewName = getViewName(view);
    if (!viewName)
        return false;
    walkChain(viewName, [&](const IViewCreator& link) { return link.getAttributeNames(attributeNames); });
    return true;
}

IViewCreator::AttrType UIViewFactory::getAttributeType(CView* view, const std::string& attributeName) const
{
    IViewCreator::AttrType type = IViewCreator::kUnknownType;
    if (const IdStringPtr viewName = getViewName(view))
        walkChain(viewName, [&](const IViewCreator& link) {
            type = link.getAttributeType(attributeName);
            return type == IViewCreator::kUnknownType;
        });
    return type;
}

bool UIViewFactory::getAttributeValue(CView* view, const std::string& attributeName, std::string& stringValue,
                                      const IUIDescription* description) const
{
    bool found = false;
    if (const IdStringPtr viewName = getViewName(view))
        walkChain(viewName, [&](const IViewCreator& link) {
            found = link.getAttributeValue(view, attributeName, stringValue, description);
            return !found;
        });
    return found;
}

bool UIViewFactory::getPossibleAttributeListValues(CView* view, const std::string& attributeName,
                                                   IViewCreator::ConstStringPtrList& values) const
{
    bool found = false;
    if (const IdStringPtr viewName = getViewName(view))
        walkChain(viewName, [&](const IViewCreator& link) {
            found = link.getPossibleListValues(attributeName, values);
            return !found;
        });
    return found;
}

bool UIViewFactory::getAttributeValueRange(CView* view, const std::string& attributeName, double& minValue,
                                           double& maxValue) const
{
    bool found = false;
    if (const IdStringPtr viewName = getViewName(view))
        walkChain(viewName, [&](const IViewCreator& link) {
            found = link.getAttributeValueRange(attributeName, minValue, maxValue);
            return !found;
        });
    return found;
}

}  // namespace VSTGUI
