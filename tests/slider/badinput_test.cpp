// Sliders of odd shapes and ranges, odd values and events, and events after
// the slider left the editor: nothing crashes, no edit stays open, and no
// value that is not a number reaches a listener.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "tests/slider/slidertesting.h"

namespace VSTGUI {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct OddSlider {
    const char* name;
    int32_t style;
    CRect size;
    CPoint handle;  // bitmap size, (0, 0) for none
    float min = 0.f;
    float max = 1.f;
    float zoomFactor = 10.f;
};

void PrintTo(const OddSlider& c, std::ostream* os)
{
    *os << c.name;
}

class OddSliders : public testing::TestWithParam<OddSlider> {};

// Every kind of event, in every mode, sent to the slider itself (a zero-sized
// view never gets any from a frame).
TEST_P(OddSliders, TakeEveryEventWithoutHarm)
{
    const OddSlider& c = GetParam();
    HeadlessEditor editor;
    EditRecorder edits;
    auto* slider = editor.add(new CSlider(
        c.size, &edits, 0, 0, 0, c.handle.x > 0 ? makeBitmap(int(c.handle.x), int(c.handle.y)) : nullptr,
        c.handle.x > 0 ? makeBitmap(int(c.handle.y), int(c.handle.x)) : nullptr, CPoint(), c.style));
    slider->setMin(c.min);
    slider->setMax(c.max);
    slider->setValue(c.min);
    slider->setZoomFactor(c.zoomFactor);
    slider->setDrawStyle(CSlider::kDrawFrame | CSlider::kDrawBack | CSlider::kDrawValue |
                         CSlider::kDrawValueFromCenter);
    slider->setViewSize(c.size);
    const auto checkClosed = [&](const char* after) {
        EXPECT_EQ(edits.open, 0) << after;
        EXPECT_EQ(edits.nanValues, 0) << after;
        EXPECT_EQ(edits.changesOutsideEdit, 0) << after;
        const float value = slider->getValue();
        EXPECT_TRUE(value >= std::min(c.min, c.max) && value <= std::max(c.min, c.max))
            << after << ": " << value;
    };

    const CPoint centre = c.size.getCenter();
    const CPoint points[] = {centre, c.size.getTopLeft(), c.size.getBottomRight(), CPoint(-1e9, 1e9),
                             CPoint(1e300, -1e300)};
    for (CSliderMode mode : {CSliderMode::Touch, CSliderMode::RelativeTouch, CSliderMode::FreeClick,
                             CSliderMode::TKFreeClick, CSliderMode::Ramp}) {
        slider->setSliderMode(mode);
        for (CPoint press : points) {
            for (int32_t buttons : {int32_t(kLButton), kLButton | kShift, kLButton | kAlt}) {
                slider->onMouseDown(press, buttons);
                for (CPoint to : points) {
                    slider->onMouseMoved(to, buttons);
                    editor.clock.advance(16 * 3);
                }
                slider->onMouseUp(press, buttons);
                editor.render();
                checkClosed("a drag");
            }
        }
    }
    for (CMouseWheelAxis axis : {kMouseWheelAxisX, kMouseWheelAxisY}) {
        for (float distance : {1.f, -3.f, kNaN, kInf, -kInf})
            slider->onWheel(centre, axis, distance, kShift);
    }
    editor.clock.advance(500);
    checkClosed("the wheel");
    for (uint8_t key : {VKEY_UP, VKEY_DOWN, VKEY_LEFT, VKEY_RIGHT, VKEY_ESCAPE}) {
        VstKeyCode code;
        code.virt = key;
        slider->onKeyDown(code);
    }
    checkClosed("the keys");
    slider->setValue(kNaN);
    slider->setValueNormalized(kNaN);
    editor.render();
    checkClosed("values that are not numbers");
}

INSTANTIATE_TEST_SUITE_P(
    Slider, OddSliders,
    testing::Values(
        OddSlider{"zeroSized", CSliderBase::kHorizontal, {50, 50, 50, 50}, {}},
        OddSlider{"zeroSizedVertical", CSliderBase::kVertical, {0, 0, 0, 0}, {}},
        OddSlider{"handleLargerThanView", CSliderBase::kHorizontal, {10, 10, 60, 30}, {300, 300}},
        OddSlider{"handleAsLongAsView", CSliderBase::kVertical, {10, 10, 30, 60}, {20, 50}},
        OddSlider{"tinyHandle", CSliderBase::kVertical | CSliderBase::kBottom, {10, 10, 30, 200}, {1, 1}},
        OddSlider{"emptyRange", CSliderBase::kHorizontal, {10, 10, 110, 30}, {10, 20}, .3f, .3f},
        OddSlider{"reversedRange", CSliderBase::kHorizontal, {10, 10, 110, 30}, {10, 20}, 1.f, 0.f},
        OddSlider{"zeroZoom", CSliderBase::kHorizontal, {10, 10, 110, 30}, {10, 20}, 0.f, 1.f, 0.f},
        OddSlider{"negativeZoom", CSliderBase::kVertical, {10, 10, 30, 110}, {20, 10}, 0.f, 1.f, -2.f},
        OddSlider{"hugeView", CSliderBase::kHorizontal, {0, 0, 1e12, 20}, {}},
        OddSlider{"noOrientation", 0, {10, 10, 110, 30}, {}}),
    [](const testing::TestParamInfo<OddSlider>& info) { return info.param.name; });

// A slider in a gesture when it leaves the editor: the edit ends there, its
// timers stop, and later input finds nothing of it.
struct RemovalCase {
    const char* name;
    CSliderMode mode;
    bool wheel;  // a wheel edit instead of a drag
};

void PrintTo(const RemovalCase& c, std::ostream* os)
{
    *os << c.name;
}

class Removal : public testing::TestWithParam<RemovalCase> {};

TEST_P(Removal, EndsTheGestureAndLaterEventsDoNothing)
{
    const RemovalCase& c = GetParam();
    HeadlessEditor editor;
    EditRecorder edits;
    SharedPointer<CSlider> slider =
        makeOwned<CSlider>(CRect(10, 20, 130, 40), &edits, 0, CPoint(), 120, makeBitmap(20, 20), nullptr,
                           CPoint(), CSliderBase::kHorizontal | CSliderBase::kLeft);
    slider->setSliderMode(c.mode);
    slider->remember();
    editor.add(slider.get());
    editor.frame->setFocusView(slider);
    if (c.wheel)
        editor.wheel({70, 30}, 1.f, kMouseWheelAxisX);
    else
        editor.down({100, 30});
    ASSERT_EQ(edits.open, 1);

    editor.frame->removeView(slider);
    EXPECT_EQ(edits.open, 0);
    EXPECT_EQ(edits.ends, 1);
    EXPECT_EQ(editor.clock.runningTimers(), 0u);

    const float value = slider->getValue();
    const size_t changes = edits.values.size();
    editor.move({120, 30});
    editor.clock.advance(1000);
    editor.up({120, 30});
    editor.wheel({70, 30}, 1.f, kMouseWheelAxisX);
    editor.key(VKEY_ESCAPE);
    editor.key(VKEY_UP);
    editor.cancel();
    EXPECT_EQ(slider->getValue(), value);
    EXPECT_EQ(edits.values.size(), changes);
    EXPECT_EQ(edits.begins, 1);
    EXPECT_EQ(edits.ends, 1);
}

INSTANTIATE_TEST_SUITE_P(Slider, Removal,
                         testing::Values(RemovalCase{"drag", CSliderMode::TKFreeClick, false},
                                         RemovalCase{"ramp", CSliderMode::Ramp, false},
                                         RemovalCase{"wheel", CSliderMode::TKFreeClick, true}),
                         [](const testing::TestParamInfo<RemovalCase>& info) { return info.param.name; });

TEST(SliderRemoval, ClosingTheEditorInAGestureEndsTheEdit)
{
    EditRecorder edits;
    {
        HeadlessEditor editor;
        editor.add(new CSlider(CRect(10, 20, 130, 40), &edits, 0, CPoint(), 120, nullptr, nullptr, CPoint(),
                               CSliderBase::kHorizontal | CSliderBase::kLeft));
        editor.down({100, 30});
        EXPECT_EQ(edits.open, 1);
        editor.frame->close();
    }
    EXPECT_EQ(edits.open, 0);
}

}  // namespace
}  // namespace VSTGUI
