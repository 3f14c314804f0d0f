// The product's editor, opened from the built MorvikGate bundle in a real X
// window by the editor runner (run under xvfb-run): its size and picture,
// slider clicks, automation, the bypass switch, the about box and reopening.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "tests/editor/edit_calls.h"
#include "tools/host/editor_plugin.h"
#include "tools/host/editor_window.h"
#include "tools/host/host_display.h"
#include "tools/host/poll_run_loop.h"
#include "tools/host/xtest_input.h"

namespace {

using namespace std::chrono_literals;
using namespace Steinberg;
using morvik::host::CloseOrder;
using morvik::host::HandlerCall;
using morvik::host::Screenshot;

// Where plug.uidesc puts things (points; the editor opens at scale 1).
constexpr int kWidth = 520;
constexpr int kHeight = 384;
struct SliderRow {
    Vst::ParamID id;
    double defaultValue;
    int top;
};
constexpr SliderRow kSliders[] = {{1, 0.75, 72}, {2, 0.5, 108}, {3, 0., 144}, {4, 0.15, 180},
                                  {5, 1., 216},  {6, 0.8, 252}, {8, 1., 288}};
constexpr int kSliderLeft = 124;
constexpr int kHandleWidth = 14;
constexpr int kHandleTravel = 276 - kHandleWidth;
constexpr int kSwitchLeft = 456;
constexpr int kSwitchTop = 17;
constexpr int kAboutButtonLeft = 20;
constexpr int kAboutButtonTop = 343;
constexpr int kAboutTextLeft = 52;
constexpr int kAboutTextTop = 342;

// Colours of the description and its bitmaps.
constexpr uint32_t kPanel = 0x1c2126;
constexpr uint32_t kHandleFace = 0xd9dee3;
constexpr uint32_t kSwitchOff = 0x3b4047;
constexpr uint32_t kSwitchOn = 0xe0a130;
constexpr uint32_t kAboutOn = 0x40b8b0;

bool near(uint32_t actual, uint32_t expected, int tolerance = 3)
{
    for (int shift : {0, 8, 16})
        if (std::abs(int((actual >> shift) & 0xff) - int((expected >> shift) & 0xff)) > tolerance)
            return false;
    return true;
}

// The handle's left edge as the slider draws it for a value.
int handleLeft(double value)
{
    return kSliderLeft + static_cast<int>(value * kHandleTravel);
}

// A point on the handle's face (clear of its grip line) for a value.
bool handleShownAt(const Screenshot& shot, const SliderRow& row, double value)
{
    return near(shot.at(handleLeft(value) + 3, row.top + 12), kHandleFace);
}

// Pixels of a rectangle that differ from the panel: text drawn on it.
std::size_t inkIn(const Screenshot& shot, int left, int top, int right, int bottom)
{
    std::size_t count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            count += near(shot.at(x, y), kPanel) ? 0 : 1;
    return count;
}

class PlugEditor : public ::testing::Test {
protected:
    // One host connection for the whole suite: an X server whose last client
    // leaves resets itself, and refuses connections while it does.
    static void SetUpTestSuite()
    {
        std::string error;
        display = morvik::host::HostDisplay::open(error).release();
        if (display)
            input = morvik::host::XTestInput::create(*display, error).release();
        if (!display || !input)
            setUpError = error;
    }
    static void TearDownTestSuite()
    {
        delete input;
        delete display;
        input = nullptr;
        display = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(display && input) << setUpError << " (run the test under xvfb-run)";
        std::string error;
        plugin = morvik::host::EditorPlugin::load(MORVIK_BUNDLE_DIR, error);
        ASSERT_TRUE(plugin) << error;
        loop = morvik::host::create<morvik::host::PollRunLoop>();
        editor = open();
        ASSERT_TRUE(editor);
    }
    void TearDown() override
    {
        if (HasFailure() && editor && editor->isOpen()) {
            const std::string file = ::testing::TempDir() +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".png";
            look().writePng(file);
            std::cerr << "the editor as it was: " << file << '\n';
        }
        editor.reset();
    }

    std::unique_ptr<morvik::host::EditorWindow> open()
    {
        std::string error;
        auto opened = morvik::host::EditorWindow::open(*display, loop, plugin->createView(), {}, error);
        EXPECT_TRUE(opened) << error;
        return opened;
    }

    // Lets the editor handle what is pending and draw, then looks at its window.
    Screenshot look()
    {
        loop->runFor(60ms);
        return editor->captureDrawn();
    }

    void click(int x, int y) { input->click(editor->window().id(), x, y); }

    bool waitForCalls(std::size_t count)
    {
        return loop->runUntil([&] { return plugin->handler().calls().size() >= count; }, 2s);
    }

    void expectOneEdit(Vst::ParamID id, double value)
    {
        editortest::expectOneEdit(plugin->handler().calls(), id, value);
    }

    static inline morvik::host::HostDisplay* display = nullptr;
    static inline morvik::host::XTestInput* input = nullptr;
    static inline std::string setUpError;
    std::unique_ptr<morvik::host::EditorPlugin> plugin;
    IPtr<morvik::host::PollRunLoop> loop;
    std::unique_ptr<morvik::host::EditorWindow> editor;
};

TEST_F(PlugEditor, OpensAtTheTemplateSizeWithSevenSlidersTheSwitchAndTheAboutBox)
{
    EXPECT_EQ(editor->viewSize().getWidth(), kWidth);
    EXPECT_EQ(editor->viewSize().getHeight(), kHeight);
    const Screenshot shot = look();
    ASSERT_EQ(shot.width, kWidth);
    ASSERT_EQ(shot.height, kHeight);

    for (const SliderRow& row : kSliders) {
        EXPECT_TRUE(handleShownAt(shot, row, row.defaultValue)) << "slider " << row.id;
        EXPECT_GT(inkIn(shot, 20, row.top, 116, row.top + 24), 20u) << "title of " << row.id;
        EXPECT_GT(inkIn(shot, 408, row.top, 500, row.top + 24), 20u) << "value of " << row.id;
    }
    EXPECT_TRUE(near(shot.at(kSwitchLeft + 30, kSwitchTop + 11), kSwitchOff));
    EXPECT_GT(inkIn(shot, kAboutButtonLeft, kAboutButtonTop, kAboutButtonLeft + 22, kAboutButtonTop + 22),
              20u);
    EXPECT_EQ(inkIn(shot, kAboutTextLeft, kAboutTextTop, 500, kAboutTextTop + 24), 0u);
}

TEST_F(PlugEditor, AClickOnAHandleMovesNothingAndAClickBesideItMovesItThere)
{
    const SliderRow& mix = kSliders[1];
    look();
    // On the handle: grabbed where it is, no jump.
    click(handleLeft(mix.defaultValue) + 3, mix.top + 12);
    ASSERT_TRUE(waitForCalls(2));
    loop->runFor(30ms);
    EXPECT_EQ(plugin->handler().calls(),
              (std::vector<HandlerCall>{morvik::host::beginEdit(mix.id), morvik::host::endEdit(mix.id)}));
    EXPECT_EQ(plugin->controller().getParamNormalized(mix.id), mix.defaultValue);
    EXPECT_TRUE(handleShownAt(look(), mix, mix.defaultValue));

    // Beside it: the handle's centre comes to the pointer.
    plugin->handler().clear();
    const int pointer = kSliderLeft + 51;
    const double expected = float(pointer - (kSliderLeft + kHandleWidth / 2 - 1)) / float(kHandleTravel);
    click(pointer, mix.top + 12);
    ASSERT_TRUE(waitForCalls(3));
    expectOneEdit(mix.id, expected);
    EXPECT_NEAR(plugin->controller().getParamNormalized(mix.id), expected, 1e-6);
    const Screenshot shot = look();
    EXPECT_TRUE(handleShownAt(shot, mix, expected));
    EXPECT_FALSE(handleShownAt(shot, mix, mix.defaultValue));
}

TEST_F(PlugEditor, ScrollingRightRaisesTheSliderUnderThePointerAndScrollingLeftLowersIt)
{
    const SliderRow& mix = kSliders[1];
    look();
    constexpr uint8_t kScrollLeft = 6;
    constexpr uint8_t kScrollRight = 7;
    input->wheel(editor->window().id(), kSliderLeft + 30, mix.top + 12, kScrollRight);
    ASSERT_TRUE(waitForCalls(3));  // the wheel edit ends half a second after its last step
    expectOneEdit(mix.id, mix.defaultValue + 0.1);

    plugin->handler().clear();
    input->wheel(editor->window().id(), kSliderLeft + 30, mix.top + 12, kScrollLeft);
    ASSERT_TRUE(waitForCalls(3));
    expectOneEdit(mix.id, mix.defaultValue);

    // The host's wheel is the vertical one, which moves no horizontal slider.
    plugin->handler().clear();
    EXPECT_EQ(editor->plugView().onWheel(1.f), kResultFalse);
    EXPECT_EQ(editor->plugView().onWheel(-1.f), kResultFalse);
    EXPECT_TRUE(plugin->handler().calls().empty());
}

TEST_F(PlugEditor, OnlyKeysTheClickedSliderUsesAreTakenFromTheHost)
{
    const SliderRow& mix = kSliders[1];
    look();
    click(handleLeft(mix.defaultValue) + 3, mix.top + 12);  // grabs the handle without moving it
    ASSERT_TRUE(waitForCalls(2));
    loop->runFor(30ms);

    // The host's key numbers and modifier bits.
    constexpr int16 kSpace = 7, kEscape = 6, kLeft = 11, kRight = 13;
    constexpr int16 kShift = 1, kCommand = 4, kControl = 8;
    struct Case {
        char16 character;
        int16 key;
        int16 modifiers;
        tresult answer;
        double value;  // the slider's afterwards
    };
    const Case cases[] = {
        {0, kRight, 0, kResultTrue, 0.6},          {0, kLeft, kShift, kResultTrue, 0.59},
        {0, kRight, kCommand, kResultFalse, 0.59},  // Ctrl: the host's shortcuts
        {0, kRight, kControl, kResultFalse, 0.59}, {u's', 0, kCommand, kResultFalse, 0.59},
        {0, kSpace, 0, kResultFalse, 0.59},        {u' ', 0, 0, kResultFalse, 0.59},
        {u'a', 0, 0, kResultFalse, 0.59},          {0, kEscape, 0, kResultFalse, 0.59},  // no drag to cancel
    };
    for (const Case& c : cases) {
        plugin->handler().clear();
        EXPECT_EQ(editor->plugView().onKeyDown(c.character, c.key, c.modifiers), c.answer)
            << int(c.character) << " " << c.key << " " << c.modifiers;
        EXPECT_EQ(editor->plugView().onKeyUp(c.character, c.key, c.modifiers), kResultFalse);
        EXPECT_NEAR(plugin->controller().getParamNormalized(mix.id), c.value, 1e-6) << c.key;
        if (c.answer == kResultTrue)
            expectOneEdit(mix.id, c.value);
        else
            EXPECT_TRUE(plugin->handler().calls().empty()) << c.key;
    }
}

TEST_F(PlugEditor, ShiftArrowTypedInTheHostsWindowStepsTheClickedSliderFinely)
{
    const SliderRow& mix = kSliders[1];
    look();
    click(handleLeft(mix.defaultValue) + 3, mix.top + 12);
    ASSERT_TRUE(waitForCalls(2));
    loop->runFor(30ms);

    constexpr uint32_t kRight = 0xff53;
    constexpr uint32_t kShiftL = 0xffe1;
    plugin->handler().clear();
    ASSERT_TRUE(input->typeKey(kRight, {kShiftL}));
    ASSERT_TRUE(waitForCalls(3));
    expectOneEdit(mix.id, mix.defaultValue + 0.01);
    EXPECT_TRUE(handleShownAt(look(), mix, mix.defaultValue + 0.01));
}

TEST_F(PlugEditor, AutomationFromTheHostMovesTheSliderWithoutEdits)
{
    const SliderRow& level = kSliders[0];
    const Screenshot before = look();
    EXPECT_FALSE(handleShownAt(before, level, 0.25));

    ASSERT_EQ(plugin->controller().setParamNormalized(level.id, 0.25), kResultOk);
    const Screenshot after = look();
    EXPECT_TRUE(handleShownAt(after, level, 0.25));
    EXPECT_FALSE(handleShownAt(after, level, level.defaultValue));
    // The value text changed with it ("-24.00 dB").
    std::size_t changed = 0;
    for (int y = level.top; y < level.top + 24; ++y)
        for (int x = 408; x < 500; ++x)
            changed += before.at(x, y) != after.at(x, y) ? 1 : 0;
    EXPECT_GT(changed, 20u);
    EXPECT_TRUE(plugin->handler().calls().empty());
}

TEST_F(PlugEditor, TheSwitchEditsBypass)
{
    look();
    click(kSwitchLeft + 22, kSwitchTop + 11);
    ASSERT_TRUE(waitForCalls(3));
    expectOneEdit(0, 1.);
    EXPECT_TRUE(near(look().at(kSwitchLeft + 12, kSwitchTop + 11), kSwitchOn));
}

TEST_F(PlugEditor, TheAboutButtonShowsAndHidesTheAboutText)
{
    const auto aboutInk = [&](const Screenshot& shot) {
        return inkIn(shot, kAboutTextLeft, kAboutTextTop, 500, kAboutTextTop + 24);
    };
    const int buttonX = kAboutButtonLeft + 5;
    const int buttonY = kAboutButtonTop + 11;
    look();
    click(buttonX, buttonY);
    Screenshot shot = look();
    EXPECT_TRUE(near(shot.at(buttonX, buttonY), kAboutOn));
    EXPECT_GT(aboutInk(shot), 100u);

    click(buttonX, buttonY);
    EXPECT_EQ(aboutInk(look()), 0u);

    // Closed with the about text showing: the sanitizer pass checks the teardown.
    click(buttonX, buttonY);
    EXPECT_GT(aboutInk(look()), 100u);
    EXPECT_TRUE(plugin->handler().calls().empty()) << "the about box is bound to no parameter";
    EXPECT_EQ(editor->close(CloseOrder::RemovedFirst), 0u);
}

TEST_F(PlugEditor, ClosingAndReopeningTenTimesLeavesNothingBehind)
{
    for (int round = 0; round < 10; ++round) {
        look();
        EXPECT_EQ(editor->close(round % 2 ? CloseOrder::FrameFirst : CloseOrder::RemovedFirst), 0u) << round;
        EXPECT_EQ(loop->eventHandlerCount() + loop->timerCount(), 0u) << round;
        editor = open();
        ASSERT_TRUE(editor) << round;
    }
    EXPECT_TRUE(handleShownAt(look(), kSliders[0], kSliders[0].defaultValue));
}

}  // namespace
