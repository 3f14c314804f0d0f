// The test bundle's editor in a real X window (run under xvfb-run): size,
// picture, input, parameter binding, scale, resizing and closing.
#include <cstdlib>

#include "sdk/vst3/interfaces/plugviewcontentscale.h"
#include "tests/editor/edit_calls.h"
#include "tests/editor/editor_host_fixture.h"

namespace editortest {
namespace {

using namespace Steinberg;
using morvik::host::CloseOrder;
using morvik::host::HandlerCall;
using morvik::host::Screenshot;

constexpr Vst::ParamID kPower = 0;
constexpr Vst::ParamID kLevel = 1;
// The host's virtual key number of the right arrow.
constexpr int16 kHostKeyRight = 13;

// The child windows of a window.
std::vector<xcb_window_t> childrenOf(xcb_connection_t* c, xcb_window_t window)
{
    std::vector<xcb_window_t> children;
    if (auto* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr)) {
        const xcb_window_t* list = xcb_query_tree_children(tree);
        children.assign(list, list + xcb_query_tree_children_length(tree));
        std::free(tree);
    }
    return children;
}

std::pair<int, int> sizeOf(xcb_connection_t* c, xcb_window_t window)
{
    auto* geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    if (!geometry)
        return {0, 0};
    const std::pair<int, int> size{geometry->width, geometry->height};
    std::free(geometry);
    return size;
}

// Pixels of the label's area that carry text (bright red channel on its black back).
std::size_t textPixels(const Screenshot& shot, int left, int top, int right, int bottom)
{
    std::size_t count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            count += ((shot.at(x, y) >> 16) & 0xff) > 0x80 ? 1 : 0;
    return count;
}

using EditorTest = EditorHostTest;

TEST_F(EditorTest, OpensAtTheTemplateSizeAndDrawsIt)
{
    auto editor = open();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->viewSize().getWidth(), 200);
    EXPECT_EQ(editor->viewSize().getHeight(), 100);
    const auto children = childrenOf(display->connection(), editor->window().id());
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(sizeOf(display->connection(), children[0]), std::make_pair(200, 100));

    const Screenshot shot = look(*editor);
    ASSERT_EQ(shot.width, 200);
    EXPECT_EQ(shot.at(195, 95), kBackground);
    EXPECT_EQ(shot.at(30, 30), kButtonOff);
    EXPECT_EQ(shot.at(50, 75), kStepBar);  // the level at half its range
    EXPECT_EQ(shot.at(150, 75), kBackground);
    EXPECT_GT(textPixels(shot, 60, 10, 190, 50), 50u);  // "-20.00 dB"
    if (HasFailure())
        shot.writePng("editor-opens.png");
}

TEST_F(EditorTest, AClickTogglesTheButtonAsOneEditOfItsParameter)
{
    auto editor = open();
    ASSERT_TRUE(editor);
    look(*editor);
    input->click(editor->window().id(), 30, 30);
    ASSERT_TRUE(waitForCalls(3));
    expectOneEdit(plugin->handler().calls(), kPower, 1.0);
    EXPECT_EQ(plugin->controller().getParamNormalized(kPower), 1.0);
    EXPECT_EQ(look(*editor).at(30, 30), kButtonOn);

    plugin->handler().clear();
    input->click(editor->window().id(), 30, 30);
    ASSERT_TRUE(waitForCalls(3));
    expectOneEdit(plugin->handler().calls(), kPower, 0.0);
    EXPECT_EQ(look(*editor).at(30, 30), kButtonOff);
}

TEST_F(EditorTest, ChangesFromTheHostMoveTheBoundControlsWithoutEdits)
{
    auto editor = open();
    ASSERT_TRUE(editor);
    const Screenshot before = look(*editor);

    plugin->controller().setParamNormalized(kPower, 1.0);
    plugin->controller().setParamNormalized(kLevel, 1.0);
    const Screenshot after = look(*editor);
    EXPECT_EQ(after.at(30, 30), kButtonOn);
    EXPECT_EQ(after.at(185, 75), kStepBar);  // full range
    // The label shows "0.00 dB" now: its text changed.
    std::size_t changed = 0;
    for (int y = 10; y < 50; ++y)
        for (int x = 60; x < 190; ++x)
            changed += before.at(x, y) != after.at(x, y) ? 1 : 0;
    EXPECT_GT(changed, 20u);
    EXPECT_TRUE(plugin->handler().calls().empty());
}

TEST_F(EditorTest, WheelAndKeysFromTheWindowAndFromTheHostReachTheViews)
{
    auto editor = open();
    ASSERT_TRUE(editor);
    look(*editor);
    auto& handler = plugin->handler();

    input->wheel(editor->window().id(), 50, 75, 4);  // one notch up over the step control
    ASSERT_TRUE(waitForCalls(3));
    expectOneEdit(handler.calls(), kLevel, 0.6);

    handler.clear();
    EXPECT_EQ(editor->plugView().onWheel(-1.f), kResultTrue);  // where the pointer is
    expectOneEdit(handler.calls(), kLevel, 0.5);

    handler.clear();
    input->click(editor->window().id(), 50, 75);  // becomes the view keys go to
    look(*editor);
    ASSERT_TRUE(input->typeKey(0xff52));  // Up
    ASSERT_TRUE(waitForCalls(3));
    expectOneEdit(handler.calls(), kLevel, 0.6);

    handler.clear();
    EXPECT_EQ(editor->plugView().onKeyDown(0, kHostKeyRight, 0), kResultTrue);
    expectOneEdit(handler.calls(), kLevel, 0.7);
    EXPECT_EQ(editor->plugView().onKeyDown(u'x', 0, 0), kResultFalse);  // nobody takes it: the host may
}

TEST_F(EditorTest, TheHostKeepsTheKeyboardAndPassesKeysOn)
{
    auto editor = open();
    ASSERT_TRUE(editor);
    look(*editor);
    xcb_connection_t* c = display->connection();
    const auto children = childrenOf(c, editor->window().id());
    ASSERT_EQ(children.size(), 1u);
    auto* attributes = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, children[0]), nullptr);
    ASSERT_TRUE(attributes);
    EXPECT_EQ(attributes->all_event_masks & (XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE), 0u);
    std::free(attributes);

    // The host's window has the keyboard, as a window manager gives it; a click
    // in the editor leaves it there.
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, editor->window().id(), XCB_CURRENT_TIME);
    input->click(editor->window().id(), 50, 75);
    look(*editor);
    auto* focus = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    ASSERT_TRUE(focus);
    EXPECT_EQ(focus->focus, editor->window().id());
    std::free(focus);

    // Keys typed there reach the editor through the host; those it does not use stay the host's.
    constexpr uint32_t kSpace = 0x20;
    constexpr uint32_t kUp = 0xff52;
    constexpr uint32_t kControlL = 0xffe3;
    ASSERT_TRUE(input->typeKey(kSpace));
    ASSERT_TRUE(input->typeKey('s', {kControlL}));
    ASSERT_TRUE(input->typeKey(kUp, {kControlL}));
    ASSERT_TRUE(input->typeKey(kUp));
    ASSERT_TRUE(waitForCalls(3));
    expectOneEdit(plugin->handler().calls(), kLevel, 0.6);
    std::vector<tresult> answers;
    for (const morvik::host::ForwardedKey& key : editor->forwardedKeys())
        if (key.pressed)
            answers.push_back(key.answer);
    EXPECT_EQ(answers, (std::vector<tresult>{kResultFalse, kResultFalse, kResultFalse, kResultTrue}));
}

TEST_F(EditorTest, ContentScaleTwoDoublesTheSizeAndThePicture)
{
    auto scaled = open(2.f);
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled->viewSize().getWidth(), 400);
    EXPECT_EQ(scaled->viewSize().getHeight(), 200);
    Screenshot shot = look(*scaled);
    ASSERT_EQ(shot.width, 400);
    EXPECT_EQ(shot.at(60, 60), kButtonOff);  // the button spans 20..100
    EXPECT_EQ(shot.at(90, 150), kStepBar);   // the bar spans 20..200, 120..180
    EXPECT_EQ(shot.at(250, 150), kBackground);
    scaled->close(CloseOrder::FrameFirst);

    // A host that changes the scale of an open editor: the editor asks to be resized.
    auto editor = open();
    ASSERT_TRUE(editor);
    auto scaling = queryInterfacePtr<IPlugViewContentScaleSupport>(&editor->plugView());
    ASSERT_TRUE(scaling);
    EXPECT_EQ(scaling->setContentScaleFactor(2.f), kResultTrue);
    EXPECT_EQ(editor->frame().resizeRequests(), 1u);
    EXPECT_EQ(editor->viewSize().getWidth(), 400);
    shot = look(*editor);
    ASSERT_EQ(shot.width, 400);
    EXPECT_EQ(shot.at(60, 60), kButtonOff);
    EXPECT_EQ(shot.at(90, 150), kStepBar);
    // Refused before anything is sized or drawn at it.
    for (const float refused : {0.f, 64.f})
        EXPECT_EQ(scaling->setContentScaleFactor(refused), kInvalidArgument) << refused;
    EXPECT_EQ(editor->frame().resizeRequests(), 1u);
    EXPECT_EQ(look(*editor).width, 400);
}

TEST_F(EditorTest, ResizingStaysWithinTheTemplatesLimits)
{
    auto editor = open();
    ASSERT_TRUE(editor);
    IPlugView& view = editor->plugView();
    EXPECT_EQ(view.canResize(), kResultTrue);

    struct Case {
        int32 width, height;
        int32 expectedWidth, expectedHeight;
    };
    const Case cases[] = {{1000, 1000, 400, 200}, {10, 10, 150, 80}, {300, 90, 300, 90}};
    for (const Case& c : cases) {
        ViewRect asked{5, 5, 5 + c.width, 5 + c.height};
        EXPECT_EQ(view.checkSizeConstraint(&asked), kResultTrue);
        EXPECT_EQ(asked.getWidth(), c.expectedWidth);
        EXPECT_EQ(asked.getHeight(), c.expectedHeight);
        EXPECT_EQ(asked.left, 5);

        // A host that skips checkSizeConstraint gets the same limits from onSize.
        const ViewRect now = editor->resize(c.width, c.height, false);
        EXPECT_EQ(now.getWidth(), c.expectedWidth);
        EXPECT_EQ(now.getHeight(), c.expectedHeight);
        loop->runFor(20ms);
        const auto children = childrenOf(display->connection(), editor->window().id());
        ASSERT_EQ(children.size(), 1u);
        EXPECT_EQ(sizeOf(display->connection(), children[0]),
                  std::make_pair(c.expectedWidth, c.expectedHeight));
    }
    EXPECT_EQ(look(*editor).at(295, 85), kBackground);  // the template fills the new size
}

TEST_F(EditorTest, ClosingInEitherOrderLeavesNothingRegistered)
{
    for (const CloseOrder order : {CloseOrder::FrameFirst, CloseOrder::RemovedFirst}) {
        auto editor = open();
        ASSERT_TRUE(editor);
        look(*editor);
        EXPECT_GT(loop->eventHandlerCount(), 0u);
        EXPECT_EQ(editor->close(order), 0u);
        EXPECT_EQ(loop->eventHandlerCount() + loop->timerCount(), 0u);
    }

    // Views that hosts create only to ask a question, or remove unattached.
    auto asked = plugin->createView();
    EXPECT_EQ(asked->isPlatformTypeSupported("X11EmbedWindowID"), kResultTrue);
    EXPECT_EQ(asked->isPlatformTypeSupported("HWND"), kResultFalse);
    auto unattached = plugin->createView();
    EXPECT_EQ(unattached->removed(), kResultOk);
    EXPECT_EQ(unattached->setFrame(nullptr), kResultOk);
}

TEST_F(EditorTest, OpeningAndClosingFiftyTimesLeavesNothingBehind)
{
    for (int round = 0; round < 50; ++round) {
        auto editor = open();
        ASSERT_TRUE(editor) << round;
        loop->runOnce(0ms);
        EXPECT_EQ(editor->close(round % 2 ? CloseOrder::FrameFirst : CloseOrder::RemovedFirst), 0u) << round;
    }
    EXPECT_EQ(loop->eventHandlerCount() + loop->timerCount(), 0u);
}

TEST_F(EditorTest, OpenEditorsShareOneDeferredUpdateTimer)
{
    const auto deferredTimers = [&] {
        const auto intervals = loop->timerIntervals();
        return std::count(intervals.begin(), intervals.end(), Linux::TimerInterval{33});
    };
    auto first = open();
    auto second = open();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(deferredTimers(), 1);
    EXPECT_TRUE(loop->runUntil([&] { return loop->timerCallsAt(33) >= 2; }, 2s));

    EXPECT_EQ(first->close(CloseOrder::FrameFirst), 0u);
    EXPECT_EQ(deferredTimers(), 1);
    EXPECT_EQ(second->close(CloseOrder::RemovedFirst), 0u);
    EXPECT_EQ(deferredTimers(), 0);
}

// A frame that offers no run loop.
class FrameWithoutRunLoop : public morvik::host::ComObject<IPlugFrame> {
public:
    tresult resizeView(IPlugView*, ViewRect*) override { return kResultFalse; }
};

TEST_F(EditorTest, AttachedRefusesWhatItCannotRunAndLeavesNothingBehind)
{
    morvik::host::HostWindow parent(*display, 200, 100, "parent");
    void* parentId = reinterpret_cast<void*>(static_cast<uintptr_t>(parent.id()));
    const auto expectNothingLeft = [&](const char* what) {
        EXPECT_TRUE(childrenOf(display->connection(), parent.id()).empty()) << what;
        EXPECT_EQ(loop->eventHandlerCount() + loop->timerCount(), 0u) << what;
    };

    auto frame = morvik::host::create<morvik::host::EditorFrame>(loop);
    for (const char* name : {"missing-file", "missing-template"}) {
        auto view = owned(plugin->controller().createView(name));
        ASSERT_TRUE(view) << name;
        ViewRect size;
        EXPECT_EQ(view->getSize(&size), kResultFalse) << name;
        view->setFrame(frame.get());
        EXPECT_EQ(view->attached(parentId, kPlatformTypeX11EmbedWindowID), kResultFalse) << name;
        EXPECT_EQ(view->removed(), kResultOk);
        expectNothingLeft(name);
    }

    auto view = plugin->createView();
    EXPECT_EQ(view->attached(parentId, "HWND"), kResultFalse);
    view->setFrame(frame.get());
    EXPECT_EQ(view->attached(nullptr, kPlatformTypeX11EmbedWindowID), kResultFalse);
    auto noLoop = morvik::host::create<FrameWithoutRunLoop>();
    view->setFrame(noLoop.get());
    EXPECT_EQ(view->attached(parentId, kPlatformTypeX11EmbedWindowID), kResultFalse);
    expectNothingLeft("a frame without a run loop");
    view->setFrame(nullptr);
}

}  // namespace
}  // namespace editortest
