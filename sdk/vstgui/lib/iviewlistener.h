// What a view tells the objects that listen to it.
#pragma once

#include "sdk/vstgui/lib/crect.h"

namespace VSTGUI {

class CView;

class IViewListener {
public:
    virtual ~IViewListener() noexcept = default;

    virtual void viewSizeChanged(CView* view, const CRect& oldSize) = 0;
    // The view joined (left) a frame's view tree.
    virtual void viewAttached(CView* view) = 0;
    virtual void viewRemoved(CView* view) = 0;
    virtual void viewLostFocus(CView* view) = 0;
    virtual void viewTookFocus(CView* view) = 0;
    // The view's last reference is gone; it is deleted right after this call.
    virtual void viewWillDelete(CView* view) = 0;
};

// Listens to nothing unless a subclass overrides a notification.
class ViewListenerAdapter : public IViewListener {
public:
    void viewSizeChanged(CView* /*view*/, const CRect& /*oldSize*/) override {}
    void viewAttached(CView* /*view*/) override {}
    void viewRemoved(CView* /*view*/) override {}
    void viewLostFocus(CView* /*view*/) override {}
    void viewTookFocus(CView* /*view*/) override {}
    void viewWillDelete(CView* /*view*/) override {}
};

}  // namespace VSTGUI
