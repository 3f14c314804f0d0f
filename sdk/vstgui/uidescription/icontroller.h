// A controller takes part in building views from a description: it may supply
// custom views, check or replace each view built, resolve control tags, listen
// to the controls, and create sub-controllers for parts of the view tree.
//
// Every operation has a default, so a controller overrides only what it needs.
// A sub-controller that createSubController answers is owned by the view whose
// node named it, which deletes it after its children.
#pragma once

#include <cstdint>

#include "sdk/vstgui/lib/controls/icontrollistener.h"
#include "sdk/vstgui/lib/vstguibase.h"

namespace VSTGUI {

class CView;
class IUIDescription;
class UIAttributes;

class IController : public IControlListener {
public:
    // The tag a control named `name` gets; registeredTag is the description's (-1 for none).
    virtual int32_t getTagForName(UTF8StringPtr /*name*/, int32_t registeredTag) const
    {
        return registeredTag;
    }
    // The listener of a control built under this controller.
    virtual IControlListener* getControlListener(UTF8StringPtr /*controlTagName*/) { return this; }
    // A view for a node that names a "custom-view-name"; null lets the factory build it.
    virtual CView* createView(const UIAttributes& /*attributes*/, const IUIDescription* /*description*/)
    {
        return nullptr;
    }
    // Called for each view built under this controller, after its children. The
    // answer is the view to use: the given one; another one, which takes its
    // place (the controller has then taken the given one over); or null, which
    // drops the given one and its children.
    virtual CView* verifyView(CView* view, const UIAttributes& /*attributes*/,
                              const IUIDescription* /*description*/)
    {
        return view;
    }
    // A new controller for the node that names it in "sub-controller"; null for none.
    virtual IController* createSubController(UTF8StringPtr /*name*/, const IUIDescription* /*description*/)
    {
        return nullptr;
    }
};

}  // namespace VSTGUI
