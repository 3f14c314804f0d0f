// Mouse, ramp, wheel and keys, driven through a headless frame as a platform
// would drive them, and the edits a host sees of each gesture.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "tests/slider/slidertesting.h"

namespace VSTGUI {
namespace {

constexpr int32_t L = kLButton;
constexpr int32_t kShiftL = kLButton | kShift;
constexpr int32_t kAltL = kLButton | kAlt;

enum class Orientation { Horizontal, Vertical };

// One slider in a headless frame, with the recorder as its listener.
//
// Horizontal: view (10, 20)-(130, 40), handle 20 x 20, track origin x 10,
// range 100; at value 0.5 the handle covers x 60 .. 80 and a free click at x
// gives (x - 19) / 100.
// Vertical: view (200, 20)-(220, 140), handle 10 x 20 (narrower than the view),
// track origin y 20, range 100; at 0.5 the handle covers x 200 .. 210 and y
// 70 .. 90.
struct SliderEditor : HeadlessEditor {
    explicit SliderEditor(int32_t style, CSliderMode mode = CSliderMode::UseGlobal, float value = .5f)
    {
        const bool horizontal = style & CSliderBase::kHorizontal;
        const CRect size = horizontal ? CRect(10, 20, 130, 40) : CRect(200, 20, 220, 140);
        slider =
            add(new CSlider(size, &edits, 1, CPoint(), 120,
                            horizontal ? makeBitmap(20, 20) : makeBitmap(10, 20), nullptr, CPoint(), style));
        slider->setSliderMode(mode);
        slider->setDefaultValue(.2f);
        slider->setValue(value);
        frame->setFocusView(slider);
        render();  // as a shown editor: the value counts as drawn
    }
    // The frame lets go of the slider while the recorder still listens.
    ~SliderEditor() { frame->close(); }
    bool captured() const { return frame->getMouseDownView() == slider; }
    // Ticks the ramp's 16 ms timer once.
    void tick() { clock.advance(16); }

    EditRecorder edits;
    CSlider* slider = nullptr;
};

SliderEditor horizontalEditor(CSliderMode mode = CSliderMode::UseGlobal)
{
    return SliderEditor(CSliderBase::kHorizontal | CSliderBase::kLeft, mode);
}

// ---- mouse-down in each mode

struct MouseDownCase {
    CSliderMode mode;
    Orientation orientation;
    CPoint where;
    int32_t buttons;
    bool captured;  // kMouseEventHandled: the frame routes the gesture to the slider
    float value;
    int begins;
    int ends;
    bool ramping = false;
    float startValue = .5f;
};

void PrintTo(const MouseDownCase& c, std::ostream* os)
{
    *os << "mode " << int(c.mode) << (c.orientation == Orientation::Horizontal ? " horizontal" : " vertical")
        << " at (" << c.where.x << ", " << c.where.y << ") buttons " << c.buttons;
}

class MouseDown : public testing::TestWithParam<MouseDownCase> {};

TEST_P(MouseDown, ActsAsTheModeSays)
{
    const MouseDownCase& c = GetParam();
    SliderEditor editor(c.orientation == Orientation::Horizontal
                            ? CSliderBase::kHorizontal | CSliderBase::kLeft
                            : CSliderBase::kVertical | CSliderBase::kBottom,
                        c.mode, c.startValue);
    editor.down(c.where, c.buttons);
    EXPECT_EQ(editor.captured(), c.captured);
    EXPECT_FLOAT_EQ(editor.slider->getValue(), c.value);
    EXPECT_EQ(editor.edits.begins, c.begins);
    EXPECT_EQ(editor.edits.ends, c.ends);
    EXPECT_EQ(editor.clock.runningTimers(), c.ramping ? 1u : 0u);
    EXPECT_EQ(editor.edits.changesOutsideEdit, 0);
    editor.up(c.where, c.buttons);
    EXPECT_EQ(editor.edits.open, 0) << "every gesture closes its edit";
    EXPECT_EQ(editor.clock.runningTimers(), 0u);
}

using M = CSliderMode;
constexpr Orientation Hz = Orientation::Horizontal;
constexpr Orientation Vt = Orientation::Vertical;
const CPoint onHandle{65, 30};
const CPoint besideHandle{100, 30};

INSTANTIATE_TEST_SUITE_P(
    Slider, MouseDown,
    testing::Values(
        MouseDownCase{M::Touch, Hz, onHandle, L, true, .5f, 1, 0},
        MouseDownCase{M::Touch, Hz, besideHandle, L, false, .5f, 0, 0},
        MouseDownCase{M::Touch, Hz, onHandle, kAltL, false, .2f, 1, 1},
        MouseDownCase{M::Touch, Hz, besideHandle, kAltL, false, .5f, 0, 0},
        MouseDownCase{M::RelativeTouch, Hz, onHandle, L, true, .5f, 1, 0},
        MouseDownCase{M::RelativeTouch, Hz, besideHandle, L, true, .5f, 1, 0},
        MouseDownCase{M::RelativeTouch, Hz, besideHandle, kAltL, true, .5f, 1, 0},  // a drag, not a reset
        MouseDownCase{M::RelativeTouch, Hz, onHandle, kAltL, false, .2f, 1, 1},
        MouseDownCase{M::FreeClick, Hz, onHandle, L, true, .46f, 1, 0},
        MouseDownCase{M::FreeClick, Hz, besideHandle, L, true, .81f, 1, 0},
        MouseDownCase{M::FreeClick, Hz, besideHandle, kAltL, false, .2f, 1, 1},
        MouseDownCase{M::TKFreeClick, Hz, onHandle, L, true, .5f, 1, 0},
        MouseDownCase{M::TKFreeClick, Hz, {60, 30}, L, true, .5f, 1, 0},   // left edge: on the handle
        MouseDownCase{M::TKFreeClick, Hz, {80, 30}, L, true, .61f, 1, 0},  // right edge: beside it
        MouseDownCase{M::TKFreeClick, Hz, besideHandle, L, true, .81f, 1, 0},
        MouseDownCase{M::TKFreeClick, Hz, onHandle, kAltL, false, .2f, 1, 1},
        MouseDownCase{M::TKFreeClick, Hz, besideHandle, kAltL, false, .2f, 1, 1},
        // already the default: nothing to reset
        MouseDownCase{M::TKFreeClick, Hz, onHandle, kAltL, false, .2f, 0, 0, false, .2f},
        // fine drag, no reset
        MouseDownCase{M::TKFreeClick, Hz, besideHandle, kAltL | kShift, true, .5f, 1, 0},
        MouseDownCase{M::TKFreeClick, Hz, besideHandle, kShiftL, true, .5f, 1, 0},  // fine: nothing moves yet
        MouseDownCase{M::TKFreeClick, Hz, besideHandle, kRButton, false, .5f, 0, 0},
        MouseDownCase{M::UseGlobal, Hz, besideHandle, L, true, .81f, 1, 0},  // the global mode: TK free click
        MouseDownCase{M::Ramp, Hz, onHandle, L, true, .5f, 1, 0},
        MouseDownCase{M::Ramp, Hz, besideHandle, L, true, .5f, 1, 0, true},
        MouseDownCase{M::Ramp, Hz, besideHandle, kAltL, false, .2f, 1, 1},
        // Vertical, value 0 at the bottom: the hit test looks at x and y alike.
        MouseDownCase{M::TKFreeClick, Vt, {205, 75}, L, true, .5f, 1, 0},
        MouseDownCase{M::TKFreeClick, Vt, {215, 75}, L, true, .54f, 1, 0},  // beside in x
        MouseDownCase{M::TKFreeClick, Vt, {205, 110}, L, true, .19f, 1, 0},
        MouseDownCase{M::Touch, Vt, {215, 75}, L, false, .5f, 0, 0},
        MouseDownCase{M::FreeClick, Vt, {215, 75}, L, true, .54f, 1, 0}));

// ---- dragging

struct DragCase {
    const char* name;
    int32_t style;
    CPoint press;     // the handle's centre at value 0.5
    CPoint step;      // one unit along the axis
    float values[3];  // after moving 10, 25 and -1000 units from the press
};

void PrintTo(const DragCase& c, std::ostream* os)
{
    *os << c.name;
}

class Drag : public testing::TestWithParam<DragCase> {};

TEST_P(Drag, MapsThePointerInEveryOrientationAndDirection)
{
    const DragCase& c = GetParam();
    SliderEditor editor(c.style, CSliderMode::TKFreeClick);
    // The vertical editor's handle is 10 wide: press at its centre across the axis too.
    editor.down(c.press);
    ASSERT_TRUE(editor.captured());
    EXPECT_EQ(editor.slider->getValue(), .5f) << "grabbing the handle does not move it";
    int i = 0;
    for (double distance : {10., 25., -1000.}) {
        editor.move(CPoint(c.press.x + c.step.x * distance, c.press.y + c.step.y * distance));
        EXPECT_FLOAT_EQ(editor.slider->getValue(), c.values[i++]) << "after " << distance;
    }
    editor.up(c.press);
    EXPECT_EQ(editor.edits.begins, 1);
    EXPECT_EQ(editor.edits.ends, 1);
    EXPECT_EQ(editor.edits.values.size(), 3u);
    EXPECT_EQ(editor.edits.changesOutsideEdit, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Slider, Drag,
    testing::Values(
        DragCase{"left", CSliderBase::kHorizontal | CSliderBase::kLeft, {70, 30}, {1, 0}, {.6f, .75f, 0.f}},
        DragCase{"right", CSliderBase::kHorizontal | CSliderBase::kRight, {70, 30}, {1, 0}, {.4f, .25f, 1.f}},
        DragCase{
            "bottom", CSliderBase::kVertical | CSliderBase::kBottom, {205, 80}, {0, 1}, {.4f, .25f, 1.f}},
        DragCase{"top", CSliderBase::kVertical | CSliderBase::kTop, {205, 80}, {0, 1}, {.6f, .75f, 0.f}}),
    [](const testing::TestParamInfo<DragCase>& info) { return info.param.name; });

TEST(SliderDrag, FineDraggingScalesFromAnAnchorTakenWhenTheModifierChanges)
{
    struct Step {
        double x;
        int32_t buttons;
        float value;
    };
    // Grab at the handle's centre (x 70 at 0.5); every 10 points are 0.1 directly.
    const auto run = [](int32_t pressButtons, std::initializer_list<Step> steps) {
        SliderEditor editor = horizontalEditor(CSliderMode::TKFreeClick);
        editor.down({70, 30}, pressButtons);
        for (const Step& s : steps) {
            editor.move({s.x, 30}, s.buttons);
            EXPECT_FLOAT_EQ(editor.slider->getValue(), s.value) << "at x " << s.x << " buttons " << s.buttons;
        }
        editor.up({0, 0});
        EXPECT_EQ(editor.edits.open, 0);
    };
    run(L,
        {{80, L, .6f},
         {90, kShiftL, .61f},   // Shift pressed: anchored at 0.6, a tenth of the way to 0.7
         {100, kShiftL, .62f},  // held: the anchor stays
         {100, L, .8f},         // released: straight to the pointer
         {100, L, .8f},         // a plain move anchors at the value it starts from
         {110, kShiftL, .81f},  // pressed again: scaled from there
         {110, L, .9f},
         // Pressed again right after a plain move: the buttons equal those of
         // the last re-anchoring, so the anchor is the value before that move.
         {120, kShiftL, .81f + (1.f - .81f) / 10.f}});
    run(kShiftL, {{80, kShiftL, .51f}, {60, kShiftL, .49f}});
}

TEST(SliderDrag, ZoomFactorDividesTheFineMovement)
{
    SliderEditor editor = horizontalEditor(CSliderMode::TKFreeClick);
    editor.slider->setZoomFactor(4.f);
    editor.down({70, 30}, kShiftL);
    editor.move({80, 30}, kShiftL);
    EXPECT_FLOAT_EQ(editor.slider->getValue(), .525f);
}

TEST(SliderDrag, MovesWithoutTheLeftButtonAloneOrWithoutAnEditAreNotTaken)
{
    SliderEditor editor = horizontalEditor(CSliderMode::TKFreeClick);
    CPoint where(100, 30);
    EXPECT_EQ(editor.slider->onMouseMoved(where, L), kMouseEventNotHandled) << "no edit open";
    editor.down({70, 30});
    for (int32_t buttons : {int32_t(kRButton), int32_t(kMButton), L | kRButton, 0})
        EXPECT_EQ(editor.slider->onMouseMoved(where, buttons), kMouseEventNotHandled) << buttons;
    EXPECT_EQ(editor.slider->getValue(), .5f);
}

// ---- the ramp

struct RampCase {
    const char* name;
    int32_t style;
    CPoint press;   // beside the handle at value 0.5
    float step;     // per tick, toward the pointer
    float target;   // the press's pointer value
    CPoint follow;  // a move after arriving
    float followed;
};

void PrintTo(const RampCase& c, std::ostream* os)
{
    *os << c.name;
}

class Ramp : public testing::TestWithParam<RampCase> {};

TEST_P(Ramp, StepsTowardThePointerThenFollowsIt)
{
    const RampCase& c = GetParam();
    SliderEditor editor(c.style, CSliderMode::Ramp);
    editor.down(c.press);
    ASSERT_EQ(editor.clock.runningTimers(), 1u);
    EXPECT_EQ(editor.slider->getValue(), .5f);

    int ticks = 0;
    float last = .5f;
    while (editor.clock.runningTimers() > 0 && ticks < 50) {
        editor.tick();
        ++ticks;
        if (editor.clock.runningTimers() > 0) {
            EXPECT_NEAR(editor.slider->getValue() - last, c.step, 1e-5f) << "tick " << ticks;
            last = editor.slider->getValue();
        }
    }
    const int steps = static_cast<int>(std::lround(std::fabs(c.target - .5f) / std::fabs(c.step)));
    EXPECT_GE(ticks, steps - 1);
    EXPECT_LE(ticks, steps + 1);
    EXPECT_FLOAT_EQ(editor.slider->getValue(), c.target) << "the last step lands on the pointer value";

    // Arrived: the handle's centre follows the pointer.
    editor.move(c.follow);
    EXPECT_FLOAT_EQ(editor.slider->getValue(), c.followed);
    editor.up(c.follow);
    EXPECT_EQ(editor.edits.begins, 1);
    EXPECT_EQ(editor.edits.ends, 1);
    EXPECT_EQ(editor.edits.changesOutsideEdit, 0);
}

// Free-click pointer values: horizontal (x - 19) / 100, vertical (y - 29) / 100,
// each taken from 1 with kRight or kBottom.
INSTANTIATE_TEST_SUITE_P(
    Slider, Ramp,
    testing::Values(
        RampCase{
            "left", CSliderBase::kHorizontal | CSliderBase::kLeft, besideHandle, .01f, .81f, {110, 30}, .91f},
        RampCase{"right",
                 CSliderBase::kHorizontal | CSliderBase::kRight,
                 besideHandle,
                 -.01f,
                 .19f,
                 {110, 30},
                 .09f},
        RampCase{
            "bottom", CSliderBase::kVertical | CSliderBase::kBottom, {205, 50}, .01f, .79f, {205, 40}, .89f},
        RampCase{"top", CSliderBase::kVertical | CSliderBase::kTop, {205, 50}, -.01f, .21f, {205, 40}, .11f}),
    [](const testing::TestParamInfo<RampCase>& info) { return info.param.name; });

TEST(SliderRamp, MovesSteerTheRampWithoutMovingTheValue)
{
    SliderEditor editor = horizontalEditor(CSliderMode::Ramp);
    editor.down(besideHandle);
    for (int i = 0; i < 5; ++i)
        editor.tick();
    EXPECT_NEAR(editor.slider->getValue(), .55f, 1e-5f);
    const size_t changes = editor.edits.values.size();
    editor.move({30, 30});  // now left of the handle
    EXPECT_EQ(editor.edits.values.size(), changes) << "the move leaves the value to the ramp";
    editor.tick();
    EXPECT_NEAR(editor.slider->getValue(), .54f, 1e-5f);
}

TEST(SliderRamp, PointerFarBeyondTheEndHoldsTheLimitUntilRelease)
{
    for (int32_t style :
         {CSliderBase::kHorizontal | CSliderBase::kLeft, CSliderBase::kHorizontal | CSliderBase::kRight}) {
        SCOPED_TRACE(style);
        SliderEditor editor(style, CSliderMode::Ramp);
        editor.down({120, 30});
        editor.move({390, 30});
        for (int i = 0; i < 80; ++i)
            editor.tick();
        EXPECT_EQ(editor.slider->getValueNormalized(), style & CSliderBase::kRight ? 0.f : 1.f);
        EXPECT_EQ(editor.clock.runningTimers(), 1u) << "still ramping";
        editor.up({390, 30});
        EXPECT_EQ(editor.clock.runningTimers(), 0u);
        EXPECT_EQ(editor.edits.open, 0);
    }
}

TEST(SliderRamp, ACopyMadeDuringARampDoesNotRamp)
{
    SliderEditor editor = horizontalEditor(CSliderMode::Ramp);
    editor.down(besideHandle);
    SharedPointer<CView> copy = owned(editor.slider->newCopy());
    editor.up(besideHandle);
    EXPECT_EQ(editor.clock.runningTimers(), 0u);
    const float copied = static_cast<CSlider*>(copy.get())->getValue();
    editor.clock.advance(160);
    EXPECT_EQ(static_cast<CSlider*>(copy.get())->getValue(), copied);
}

// ---- cancel and Escape

TEST(SliderCancel, EscapeAndCancelPutBackTheValueOfTheMouseDown)
{
    for (bool escape : {true, false}) {
        for (CSliderMode mode : {CSliderMode::TKFreeClick, CSliderMode::Ramp}) {
            SCOPED_TRACE(testing::Message() << (escape ? "Escape" : "cancel") << " mode " << int(mode));
            SliderEditor editor = horizontalEditor(mode);
            editor.down(besideHandle);
            editor.tick();
            editor.move({120, 30});
            ASSERT_NE(editor.slider->getValue(), .5f);
            EXPECT_TRUE(escape ? editor.key(VKEY_ESCAPE) : editor.cancel());
            EXPECT_EQ(editor.slider->getValue(), .5f);
            EXPECT_EQ(editor.edits.values.back(), .5f) << "the listener hears the value go back";
            EXPECT_EQ(editor.edits.begins, 1);
            EXPECT_EQ(editor.edits.ends, 1);
            EXPECT_EQ(editor.edits.changesOutsideEdit, 0);
            EXPECT_EQ(editor.clock.runningTimers(), 0u);
            editor.move({30, 30});
            editor.up({30, 30});
            EXPECT_EQ(editor.slider->getValue(), .5f) << "the gesture is over";
            EXPECT_EQ(editor.edits.ends, 1);
        }
    }
}

// A wheel event during a drag leaves the drag's edit to the wheel's closing
// timer. The gesture still ends at its mouse-up or cancel: a later wheel edit
// is no drag for Escape to undo, and no ramp outlives the gesture.
TEST(SliderCancel, AGestureWhoseEditTheWheelClosedStillEndsAtItsMouseUpOrCancel)
{
    for (bool cancel : {false, true}) {
        for (CSliderMode mode : {CSliderMode::TKFreeClick, CSliderMode::Ramp}) {
            SCOPED_TRACE(testing::Message() << (cancel ? "cancel" : "mouse-up") << " mode " << int(mode));
            SliderEditor editor = horizontalEditor(mode);
            editor.down({120, 30});
            editor.move({390, 30});  // a ramp heads for the end and keeps ticking there
            editor.wheel({70, 30}, 1.f, kMouseWheelAxisX);
            editor.clock.advance(500);
            ASSERT_EQ(editor.edits.open, 0) << "the wheel's timer closed the drag's edit";
            EXPECT_TRUE(cancel ? editor.cancel() : editor.up({390, 30}));
            EXPECT_EQ(editor.clock.runningTimers(), 0u);

            editor.wheel({70, 30}, 1.f, kMouseWheelAxisX);
            const float wheeled = editor.slider->getValue();
            EXPECT_FALSE(editor.key(VKEY_ESCAPE));
            EXPECT_EQ(editor.slider->getValue(), wheeled);
            editor.clock.advance(500);
            EXPECT_EQ(editor.edits.begins, 2);
            EXPECT_EQ(editor.edits.ends, 2);
        }
    }
}

TEST(SliderCancel, EscapeWithoutADragIsNotTaken)
{
    SliderEditor editor = horizontalEditor();
    EXPECT_FALSE(editor.key(VKEY_ESCAPE));
    editor.down(besideHandle);
    editor.up(besideHandle);
    EXPECT_FALSE(editor.key(VKEY_ESCAPE)) << "after the mouse-up";
    // During a wheel edit Escape leaves the value alone; the edit closes on its own.
    editor.wheel({70, 30}, 1.f, kMouseWheelAxisX);
    const float wheeled = editor.slider->getValue();
    EXPECT_FALSE(editor.key(VKEY_ESCAPE));
    EXPECT_EQ(editor.slider->getValue(), wheeled);
    editor.clock.advance(500);
    EXPECT_EQ(editor.edits.begins, editor.edits.ends);
    EXPECT_EQ(editor.edits.open, 0);
}

// ---- the wheel

struct WheelCase {
    int32_t style;
    CMouseWheelAxis axis;
    float distance;
    int32_t buttons;
    bool taken;
    float value;
};

void PrintTo(const WheelCase& c, std::ostream* os)
{
    *os << "style " << c.style << " axis " << c.axis << " distance " << c.distance << " buttons "
        << c.buttons;
}

class Wheel : public testing::TestWithParam<WheelCase> {};

TEST_P(Wheel, StepsByTheWheelIncrementAlongTheSlidersOwnAxis)
{
    const WheelCase& c = GetParam();
    SliderEditor editor(c.style);
    const CPoint where = c.style & CSliderBase::kHorizontal ? CPoint(70, 30) : CPoint(210, 80);
    EXPECT_EQ(editor.wheel(where, c.distance, c.axis, c.buttons), c.taken);
    EXPECT_FLOAT_EQ(editor.slider->getValue(), c.value);
    EXPECT_EQ(editor.edits.begins, c.taken ? 1 : 0);
    EXPECT_EQ(editor.edits.nanValues, 0);
    editor.clock.advance(500);
    EXPECT_EQ(editor.edits.open, 0);
}

constexpr int32_t kHL = CSliderBase::kHorizontal | CSliderBase::kLeft;
constexpr int32_t kHR = CSliderBase::kHorizontal | CSliderBase::kRight;
constexpr int32_t kVB = CSliderBase::kVertical | CSliderBase::kBottom;
constexpr int32_t kVT = CSliderBase::kVertical | CSliderBase::kTop;

INSTANTIATE_TEST_SUITE_P(Slider, Wheel,
                         testing::Values(WheelCase{kHL, kMouseWheelAxisX, 1.f, 0, true, .4f},
                                         WheelCase{kHL, kMouseWheelAxisX, -2.f, 0, true, .7f},
                                         WheelCase{kHL, kMouseWheelAxisY, 1.f, 0, false, .5f},
                                         WheelCase{kHR, kMouseWheelAxisX, 1.f, 0, true, .6f},
                                         WheelCase{kVB, kMouseWheelAxisY, 1.f, 0, true, .6f},
                                         WheelCase{kVB, kMouseWheelAxisY, 1.f, kShift, true, .51f},
                                         WheelCase{kVB, kMouseWheelAxisX, 1.f, 0, false, .5f},
                                         WheelCase{kVT, kMouseWheelAxisY, 1.f, 0, true, .4f},
                                         WheelCase{kVB, kMouseWheelAxisY, 100.f, 0, true, 1.f},
                                         WheelCase{kVB, kMouseWheelAxisY,
                                                   std::numeric_limits<float>::infinity(), 0, true, 1.f},
                                         WheelCase{kVB, kMouseWheelAxisY, std::nanf(""), 0, false, .5f}));

TEST(SliderWheel, ABurstIsOneEditClosedHalfASecondAfterItsLastEvent)
{
    SliderEditor editor(kVB);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(editor.wheel({210, 80}, 1.f));
        editor.clock.advance(100);
    }
    EXPECT_EQ(editor.edits.begins, 1);
    EXPECT_EQ(editor.edits.values.size(), 3u);
    editor.clock.advance(399);
    EXPECT_EQ(editor.edits.ends, 0) << "499 ms after the last event";
    editor.clock.advance(1);
    EXPECT_EQ(editor.edits.ends, 1);
    EXPECT_EQ(editor.edits.changesOutsideEdit, 0);

    // A left mouse-down closes the wheel's edit at once, before its own begins.
    editor.wheel({210, 80}, 1.f);
    editor.clock.advance(100);
    editor.down({205, 30});
    EXPECT_EQ(editor.edits.begins, 3);
    EXPECT_EQ(editor.edits.ends, 2);
    editor.up({205, 30});
    editor.clock.advance(1000);
    EXPECT_EQ(editor.edits.ends, 3);
}

TEST(SliderWheel, ASliderThatIsNotMouseEnabledIgnoresTheWheel)
{
    SliderEditor editor(kVB);
    editor.slider->setMouseEnabled(false);
    EXPECT_FALSE(editor.slider->onWheel({210, 80}, kMouseWheelAxisY, 1.f, 0));
    EXPECT_EQ(editor.edits.begins, 0);
}

// ---- keys

struct KeyCase {
    int32_t style;
    uint8_t key;
    uint8_t modifier;
    float value;
};

void PrintTo(const KeyCase& c, std::ostream* os)
{
    *os << "style " << c.style << " key " << int(c.key) << " modifier " << int(c.modifier);
}

class Keys : public testing::TestWithParam<KeyCase> {};

TEST_P(Keys, StepEachPressAsAnEditOfItsOwn)
{
    const KeyCase& c = GetParam();
    SliderEditor editor(c.style);
    EXPECT_TRUE(editor.key(c.key, c.modifier));
    EXPECT_FLOAT_EQ(editor.slider->getValue(), c.value);
    EXPECT_EQ(editor.edits.begins, 1);
    EXPECT_EQ(editor.edits.ends, 1);
    EXPECT_EQ(editor.edits.values.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Slider, Keys,
                         testing::Values(KeyCase{kVB, VKEY_UP, 0, .6f}, KeyCase{kVB, VKEY_RIGHT, 0, .6f},
                                         KeyCase{kVB, VKEY_DOWN, 0, .4f}, KeyCase{kVB, VKEY_LEFT, 0, .4f},
                                         KeyCase{kVB, VKEY_UP, MODIFIER_SHIFT, .51f},
                                         KeyCase{kVB, VKEY_DOWN, MODIFIER_SHIFT, .49f},
                                         KeyCase{kVB, VKEY_UP, MODIFIER_ALTERNATE, .6f},
                                         KeyCase{kVT, VKEY_UP, 0, .4f}, KeyCase{kVT, VKEY_LEFT, 0, .6f},
                                         KeyCase{kHL, VKEY_RIGHT, 0, .6f}, KeyCase{kHL, VKEY_DOWN, 0, .4f},
                                         KeyCase{kHR, VKEY_RIGHT, 0, .4f},
                                         KeyCase{kHR, VKEY_UP, MODIFIER_SHIFT, .49f}));

TEST(SliderKeys, AtTheLimitOrForOtherKeysNothingIsEdited)
{
    SliderEditor editor(kVB, CSliderMode::UseGlobal, 1.f);
    EXPECT_TRUE(editor.key(VKEY_UP)) << "taken even when the value cannot move";
    EXPECT_FALSE(editor.key(VKEY_TAB));
    EXPECT_FALSE(editor.key(VKEY_PAGEUP));
    EXPECT_EQ(editor.edits.begins, 0);
    EXPECT_EQ(editor.slider->getValue(), 1.f);
}

}  // namespace
}  // namespace VSTGUI
