// What a VST3Editor asks of its edit controller: an edit controller that
// derives from this as well can supply sub-controllers and custom views.
// Every answer defaults to none.
#pragma once

#include "sdk/vstgui/lib/cpoint.h"
#include "sdk/vstgui/lib/vstguibase.h"

namespace VSTGUI {

class COptionMenu;
class CView;
class IController;
class IUIDescription;
class UIAttributes;

class VST3EditorDelegate {
public:
    virtual ~VST3EditorDelegate() noexcept = default;

    // A controller for the part of the view tree that names `name` as its
    // "sub-controller"; the view tree owns what is returned.
    virtual IController* createSubController(UTF8StringPtr /*name*/, const IUIDescription* /*description*/)
    {
        return nullptr;
    }
    // A view for a node that names `name` as its "custom-view-name"; null lets
    // the description build the node's class.
    virtual CView* createCustomView(UTF8StringPtr /*name*/, const UIAttributes& /*attributes*/,
                                    const IUIDescription* /*description*/)
    {
        return nullptr;
    }
    // A context menu at a point of the editor. This toolkit shows no menus, so
    // the editor never asks; the hook stays for controllers that offer one.
    virtual COptionMenu* createContextMenu(const CPoint& /*where*/) { return nullptr; }
};

}  // namespace VSTGUI
