#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sdk/vstgui/lib/cframe.h"
#include "sdk/vstgui/lib/controls/cbuttons.h"
#include "sdk/vstgui/lib/platform/headless/headlessframe.h"
#include "tests/vstgui_lib/vstguitesting.h"

namespace VSTGUI {
namespace {

using Events = std::vector<std::string>;

std::string at(const CPoint& p)
{
    char text[64];
    std::snprintf(text, sizeof text, "(%d,%d)", static_cast<int>(p.x), static_cast<int>(p.y));
    return text;
}

// Logs the input it gets, with the point in its own (parent) coordinates.
struct ProbeView : CView {
    ProbeView(EventLog& log, std::string name, const CRect& size)
        : CView(size), log(log), name(std::move(name))
    {
    }

    CMouseEventResult record(const char* what, const CPoint& where, CMouseEventResult result)
    {
        log.events.push_back(name + " " + what + " " + at(where));
        return result;
    }
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState&) override
    {
        return record("down", where, downResult);
    }
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState&) override
    {
        return record("moved", where, kMouseEventHandled);
    }
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState&) override
    {
        return record("up", where, kMouseEventHandled);
    }
    CMouseEventResult onMouseCancel() override
    {
        log.events.push_back(name + " cancel");
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState&) override
    {
        return record("entered", where, kMouseEventHandled);
    }
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState&) override
    {
        return record("exited", where, kMouseEventHandled);
    }
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState&) override
    {
        log.events.push_back(name + (axis == kMouseWheelAxisX ? " wheel x " : " wheel y ") + at(where) + " " +
                             std::to_string(static_cast<int>(distance)));
        return takesWheel;
    }
    int32_t onKeyDown(VstKeyCode& key) override
    {
        log.events.push_back(name + " key " + std::to_string(key.virt));
        return keyResult;
    }

    EventLog& log;
    std::string name;
    CMouseEventResult downResult = kMouseEventHandled;
    bool takesWheel = true;
    int32_t keyResult = -1;
};

struct KeyContainer : CViewContainer {
    KeyContainer(EventLog& log, const CRect& size) : CViewContainer(size), log(log) {}
    int32_t onKeyDown(VstKeyCode& key) override
    {
        log.events.push_back("container key " + std::to_string(key.virt));
        return 1;
    }
    EventLog& log;
};

PlatformEvent mouse(PlatformEvent::Type type, CPoint where, int32_t buttons = kLButton)
{
    PlatformEvent event;
    event.type = type;
    event.where = where;
    event.buttons = CButtonState(buttons);
    return event;
}

// frame 100 x 100 > container at (10, 10), 80 x 80 > a at (0, 0, 40, 40), b on top at (20, 20, 60, 60)
struct Tree {
    EventLog log;
    SharedPointer<CFrame> frame = makeOwned<CFrame>(CRect(0, 0, 100, 100));
    KeyContainer* container = new KeyContainer(log, CRect(10, 10, 90, 90));
    ProbeView* a = new ProbeView(log, "a", CRect(0, 0, 40, 40));
    ProbeView* b = new ProbeView(log, "b", CRect(20, 20, 60, 60));

    Tree()
    {
        frame->addView(container);
        container->addView(a);
        container->addView(b);
    }
    bool send(PlatformEvent event) { return frame->platformOnEvent(event); }
};

TEST(CView, SetViewSizeMovesTheViewAndIgnoresAnEqualRectangle)
{
    EventLog log;
    RecordingViewListener listener(log, "v");
    auto frame = makeOwned<CFrame>(CRect(0, 0, 100, 100));
    auto platform = std::make_unique<HeadlessPlatformFrame>(*frame);
    HeadlessPlatformFrame& headless = *platform;
    frame->open(std::move(platform));
    auto* view = new CView(CRect(10, 10, 20, 20));
    frame->addView(view);
    view->registerViewListener(&listener);
    headless.flush();
    ASSERT_TRUE(frame->getDirtyRects().empty());

    view->setViewSize(CRect(10, 10, 20, 20));
    EXPECT_TRUE(log.events.empty());
    EXPECT_TRUE(frame->getDirtyRects().empty());
    EXPECT_FALSE(headless.isFlushScheduled());

    view->setViewSize(CRect(30, 30, 50, 40));
    EXPECT_EQ(log.events, Events{"v size"});
    EXPECT_EQ(view->getMouseableArea(), CRect(30, 30, 50, 40)) << "the mouseable area follows the view";
    EXPECT_EQ(frame->getDirtyRects(), (std::vector<CRect>{CRect(10, 10, 20, 20), CRect(30, 30, 50, 40)}))
        << "old and new places are redrawn";
    EXPECT_TRUE(headless.isFlushScheduled());
}

TEST(CView, AttributesKeepBytesUnderAnId)
{
    CView view(CRect(0, 0, 1, 1));
    const char tooltip[] = "Level";
    ASSERT_TRUE(view.setAttribute(kCViewTooltipAttribute, sizeof tooltip, tooltip));
    uint32_t size = 0;
    ASSERT_TRUE(view.getAttributeSize(kCViewTooltipAttribute, size));
    EXPECT_EQ(size, sizeof tooltip);
    char small[3];
    EXPECT_FALSE(view.getAttribute(kCViewTooltipAttribute, sizeof small, small, size)) << "does not fit";
    char read[16] = {};
    ASSERT_TRUE(view.getAttribute(kCViewTooltipAttribute, sizeof read, read, size));
    EXPECT_STREQ(read, "Level");
    EXPECT_TRUE(view.removeAttribute(kCViewTooltipAttribute));
    EXPECT_FALSE(view.getAttributeSize(kCViewTooltipAttribute, size));
}

// Listens to the views it owns, like a description's sub-controller does.
struct OwnedController : IControlListener, ViewListenerAdapter {
    explicit OwnedController(EventLog& log) : log(log) {}
    ~OwnedController() override { log.events.push_back("controller deleted"); }
    void valueChanged(CControl*) override {}
    void viewWillDelete(CView* view) override
    {
        log.events.push_back("controller saw delete");
        view->unregisterViewListener(this);
    }
    EventLog& log;
};

TEST(CViewContainer, DeletesItsChildrenBeforeTheControllerItOwns)
{
    EventLog log;
    RecordingViewListener childListener(log, "child"), containerListener(log, "container");
    auto* container = new CViewContainer(CRect(0, 0, 50, 50));
    auto* child = new CView(CRect(0, 0, 10, 10));
    container->addView(child);
    auto* controller = new OwnedController(log);
    container->setController(controller);
    EXPECT_EQ(container->getController(), controller);
    child->registerViewListener(controller);
    child->registerViewListener(&childListener);
    container->registerViewListener(&containerListener);

    container->forget();
    EXPECT_EQ(log.events,
              (Events{"controller saw delete", "child will delete", "container will delete",
                      "controller deleted"}));
}

TEST(CView, ListenersHearAttachFocusAndRemoval)
{
    EventLog log;
    RecordingViewListener listener(log, "v");
    auto frame = makeOwned<CFrame>(CRect(0, 0, 100, 100));
    auto* container = new CViewContainer(CRect(0, 0, 50, 50));
    auto* view = new CView(CRect(0, 0, 10, 10));
    view->registerViewListener(&listener);
    container->addView(view);
    EXPECT_FALSE(view->isAttached()) << "not in a frame yet";
    frame->addView(container);
    EXPECT_EQ(view->getFrame(), frame.get());
    frame->setFocusView(view);
    frame->removeView(container);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_EQ(log.events,
              (Events{"v attached", "v took focus", "v removed", "v lost focus", "v will delete"}));
}

TEST(CFrame, RoutesAMouseGestureToTheViewThatTookTheMouseDown)
{
    Tree tree;
    using T = PlatformEvent::Type;
    tree.send(mouse(T::MouseDown, {15, 15}));
    tree.send(mouse(T::MouseMoved, {95, 95}));  // outside every view: still the gesture's
    tree.send(mouse(T::MouseUp, {95, 95}));
    tree.send(mouse(T::MouseMoved, {40, 40}, 0));  // no gesture: the top-most view under the pointer
    tree.b->downResult = kMouseEventNotHandled;
    tree.send(mouse(T::MouseDown, {40, 40}));  // b declines, a below takes it
    tree.send(mouse(T::MouseDown, {15, 15}));  // a new gesture without a mouse-up cancels the old one
    tree.send(mouse(T::MouseCancel, {}));
    EXPECT_EQ(tree.log.events,
              (Events{
                  "a down (5,5)",
                  "a moved (85,85)",
                  "a up (85,85)",
                  "b entered (30,30)",
                  "b moved (30,30)",
                  "b down (30,30)",
                  "a down (30,30)",
                  "a cancel",
                  "a down (5,5)",
                  "a cancel",
              }));
}

TEST(CFrame, WheelGoesToTheViewUnderThePointerAndKeysUpTheFocusChain)
{
    Tree tree;
    PlatformEvent wheel = mouse(PlatformEvent::Type::MouseWheel, {15, 15}, 0);
    wheel.wheelAxis = kMouseWheelAxisX;
    wheel.wheelDistance = -2.f;
    EXPECT_TRUE(tree.send(wheel));
    tree.b->takesWheel = false;
    wheel.where = {40, 40};
    wheel.wheelAxis = kMouseWheelAxisY;
    EXPECT_TRUE(tree.send(wheel)) << "b declines, a takes it";
    wheel.where = {95, 5};
    EXPECT_FALSE(tree.send(wheel)) << "nothing under the pointer";

    PlatformEvent key;
    key.type = PlatformEvent::Type::KeyDown;
    key.key.virt = VKEY_UP;
    EXPECT_FALSE(tree.send(key)) << "no focus view";
    tree.frame->setFocusView(tree.b);
    EXPECT_TRUE(tree.send(key));
    tree.b->keyResult = 1;
    EXPECT_TRUE(tree.send(key));
    EXPECT_EQ(tree.log.events,
              (Events{"a wheel x (5,5) -2", "b wheel y (30,30) -2", "a wheel y (30,30) -2", "b key 12",
                      "container key 12", "b key 12"}));
}

TEST(CFrame, AButtonClickReachesItsListenersAsBeginValueEnd)
{
    EventLog log;
    RecordingControlListener listener(log, "l"), sub(log, "sub");
    auto frame = makeOwned<CFrame>(CRect(0, 0, 100, 100));
    auto* container = new CViewContainer(CRect(20, 20, 80, 80));
    auto* button = new COnOffButton(CRect(10, 10, 30, 30), &listener, 5);
    button->registerControlListener(&sub);
    frame->addView(container);
    container->addView(button);

    PlatformEvent down = mouse(PlatformEvent::Type::MouseDown, {35, 35});
    EXPECT_TRUE(frame->platformOnEvent(down));
    PlatformEvent up = mouse(PlatformEvent::Type::MouseUp, {35, 35});
    EXPECT_FALSE(frame->platformOnEvent(up)) << "the button asked for no mouse-up";
    EXPECT_EQ(button->getValue(), 1.f);
    EXPECT_EQ(log.events, (Events{"l begin", "sub begin", "l value", "sub value", "l end", "sub end"}));

    log.events.clear();
    PlatformEvent miss =
        mouse(PlatformEvent::Type::MouseDown, {25, 25});  // in the container, beside the button
    EXPECT_FALSE(frame->platformOnEvent(miss));
    EXPECT_TRUE(log.events.empty());
}

TEST(CFrame, InvalidatingANestedViewMarksItsFrameArea)
{
    auto frame = makeOwned<CFrame>(CRect(0, 0, 100, 100));
    auto platform = std::make_unique<HeadlessPlatformFrame>(*frame);
    HeadlessPlatformFrame& headless = *platform;
    frame->open(std::move(platform));
    auto* outer = new CViewContainer(CRect(10, 10, 90, 90));
    auto* inner = new CViewContainer(CRect(5, 5, 60, 60));
    auto* view = new CView(CRect(40, 40, 80, 80));  // reaches past its container
    frame->addView(outer);
    outer->addView(inner);
    inner->addView(view);
    headless.flush();
    EXPECT_FALSE(headless.isFlushScheduled());

    view->invalid();
    EXPECT_EQ(frame->getDirtyRects(), std::vector<CRect>{CRect(55, 55, 70, 70)})
        << "clipped to the container";
    EXPECT_TRUE(headless.isFlushScheduled());
    view->setVisible(false);
    view->invalid();
    EXPECT_EQ(frame->getDirtyRects().size(), 1u);
    EXPECT_EQ(headless.flush(), CRect(55, 55, 70, 70));
    EXPECT_TRUE(frame->getDirtyRects().empty());
}

}  // namespace
}  // namespace VSTGUI
