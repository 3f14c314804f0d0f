// Creator of "COnOffButton": no attributes of its own (its "bitmap" holds the
// off state above the on state); the control's attributes apply.
#pragma once

#include "sdk/vstgui/uidescription/iviewcreator.h"

namespace VSTGUI::UIViewCreator {

class OnOffButtonCreator : public ViewCreatorAdapter {
public:
    OnOffButtonCreator();
    IdStringPtr getViewName() const override { return "COnOffButton"; }
    IdStringPtr getBaseViewName() const override { return "CControl"; }
    CView* create(const UIAttributes& attributes, const IUIDescription* description) const override;
    bool apply(CView* view, const UIAttributes& attributes, const IUIDescription* description) const override;
};

}  // namespace VSTGUI::UIViewCreator
