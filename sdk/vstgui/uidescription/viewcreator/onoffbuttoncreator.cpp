#include "sdk/vstgui/uidescription/viewcreator/onoffbuttoncreator.h"

#include "sdk/vstgui/lib/controls/cbuttons.h"
#include "sdk/vstgui/uidescription/uiviewfactory.h"

namespace VSTGUI::UIViewCreator {

namespace {

const OnOffButtonCreator registered;

}  // namespace

OnOffButtonCreator::OnOffButtonCreator()
{
    UIViewFactory::registerViewCreator(*this);
}

CView* OnOffButtonCreator::create(const UIAttributes&, const IUIDescription*) const
{
    return new COnOffButton(CRect());
}

bool OnOffButtonCreator::apply(CView* view, const UIAttributes&, const IUIDescription*) const
{
    return dynamic_cast<COnOffButton*>(view) != nullptr;
}

}  // namespace VSTGUI::UIViewCreator
