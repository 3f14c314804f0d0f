#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "sdk/vstgui/lib/controls/cbuttons.h"
#include "sdk/vstgui/lib/controls/ccontrol.h"
#include "sdk/vstgui/lib/controls/ctextlabel.h"
#include "tests/vstgui_lib/vstguitesting.h"

namespace VSTGUI {
namespace {

struct PlainControl : CControl {
    PlainControl() : CControl(CRect(0, 0, 10, 10)) {}
    void draw(CDrawContext*) override {}
    CView* newCopy() const override { return new PlainControl(*this); }
};

TEST(CControl, NormalizedValueRules)
{
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    struct Case {
        float min, max, normalizedIn, value, normalizedOut;
    };
    // Single-precision arithmetic, min + n * (max - min): the exact floats matter.
    const Case cases[] = {
        {0.f, 1.f, 0.25f, 0.25f, 0.25f},
        {-36.f, 12.f, 0.75f, 0.f, 0.75f},
        {-36.f, 12.f, 0.3f, -21.599998474121094f, 0.30000004172325134f},
        {0.2f, 1.2f, 0.7f, 0.8999999761581421f, 0.7f},
        {0.f, 1.f, 1.5f, 1.f, 1.f},
        {0.f, 1.f, -0.5f, 0.f, 0.f},
        {-36.f, 12.f, nan, -36.f, 0.f},
        {0.f, 1.f, inf, 1.f, 1.f},
        {0.f, 1.f, -inf, 0.f, 0.f},
        {5.f, 5.f, 0.7f, 5.f, 0.f},  // empty range
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "range " << c.min << ".." << c.max << ", n " << c.normalizedIn);
        auto control = makeOwned<PlainControl>();
        control->setMin(c.min);
        control->setMax(c.max);
        control->setValueNormalized(c.normalizedIn);
        EXPECT_EQ(control->getValue(), c.value);
        EXPECT_EQ(control->getValueNormalized(), c.normalizedOut);
    }
}

TEST(CControl, SetValueClampsToTheRange)
{
    auto control = makeOwned<PlainControl>();
    control->setMin(-1.f);
    control->setMax(2.f);
    const std::pair<float, float> cases[] = {
        {3.f, 2.f}, {-5.f, -1.f}, {0.5f, 0.5f}, {std::numeric_limits<float>::quiet_NaN(), -1.f}};
    for (auto [in, out] : cases) {
        control->setValue(in);
        EXPECT_EQ(control->getValue(), out) << "set " << in;
    }
    EXPECT_EQ(control->getWheelInc(), 0.1f);
}

TEST(CControl, OnlyTheOutermostEditReachesListeners)
{
    EventLog log;
    RecordingControlListener main(log, "main"), sub(log, "sub");
    auto control = makeOwned<PlainControl>();
    control->setListener(&main);
    control->registerControlListener(&sub);

    control->beginEdit();
    control->beginEdit();
    EXPECT_TRUE(control->isEditing());
    control->valueChanged();
    control->endEdit();
    EXPECT_TRUE(control->isEditing());
    control->endEdit();
    EXPECT_FALSE(control->isEditing());
    control->endEdit();  // unbalanced: ignored
    control->beginEdit();
    control->endEdit();

    EXPECT_EQ(log.events,
              (std::vector<std::string>{"main begin", "sub begin", "main value", "sub value", "main end",
                                        "sub end", "main begin", "sub begin", "main end", "sub end"}));

    log.events.clear();
    control->unregisterControlListener(&sub);
    control->valueChanged();
    EXPECT_EQ(log.events, (std::vector<std::string>{"main value"}));
}

TEST(CControl, SubListenerMayUnregisterDuringANotification)
{
    EventLog log;
    auto control = makeOwned<PlainControl>();
    RecordingControlListener first(log, "first"), second(log, "second");
    first.onValue = [&] {
        control->unregisterControlListener(&first);
        control->unregisterControlListener(&second);
    };
    control->registerControlListener(&first);
    control->registerControlListener(&second);
    control->valueChanged();
    control->valueChanged();
    EXPECT_EQ(log.events, (std::vector<std::string>{"first value"}));
}

TEST(CControl, DirtyUntilTheValueIsDrawn)
{
    auto control = makeOwned<PlainControl>();
    EXPECT_FALSE(control->isDirty());
    control->setValue(0.5f);
    EXPECT_TRUE(control->isDirty());
    control->invalid();
    EXPECT_FALSE(control->isDirty()) << "invalid() counts the value as drawn";
    control->setDirty(true);
    EXPECT_TRUE(control->isDirty());
    control->setDirty(false);
    EXPECT_FALSE(control->isDirty());
    EXPECT_EQ(control->getOldValue(), 0.5f);
}

TEST(CControl, CheckDefaultValueNeedsLeftButtonAndExactModifier)
{
    struct Case {
        int32_t buttons;
        bool accepted;
    };
    const Case cases[] = {
        {kLButton | kAlt, true},           {kLButton | kAlt | kDoubleClick, true},
        {kLButton | kAlt | kShift, false}, {kLButton, false},
        {kRButton | kAlt, false},          {kLButton | kRButton | kAlt, false},
    };
    for (const Case& c : cases) {
        EventLog log;
        RecordingControlListener listener(log, "l");
        auto control = makeOwned<PlainControl>();
        control->setListener(&listener);
        control->setDefaultValue(0.25f);
        control->setValue(0.75f);
        control->invalid();
        EXPECT_EQ(control->checkDefaultValue(CButtonState(c.buttons)), c.accepted) << std::hex << c.buttons;
        if (c.accepted) {
            EXPECT_EQ(control->getValue(), 0.25f);
            EXPECT_EQ(log.events, (std::vector<std::string>{"l begin", "l value", "l end"}));
            EXPECT_TRUE(control->isDirty());
        } else {
            EXPECT_EQ(control->getValue(), 0.75f);
            EXPECT_TRUE(log.events.empty());
        }
    }

    EventLog log;
    RecordingControlListener listener(log, "l");
    auto atDefault = makeOwned<PlainControl>();
    atDefault->setListener(&listener);
    atDefault->setValue(atDefault->getDefaultValue());
    EXPECT_TRUE(atDefault->checkDefaultValue(CButtonState(kLButton | kAlt)));
    EXPECT_TRUE(log.events.empty()) << "a value already at its default sends nothing";
}

TEST(CControl, ModifiersAreProcessWideAndKeyModifiersMap)
{
    EXPECT_EQ(CControl::kZoomModifier, kShift);
    EXPECT_EQ(CControl::kDefaultValueModifier, kAlt);
    const std::pair<int32_t, int32_t> cases[] = {
        {0, 0},
        {MODIFIER_SHIFT, kShift},
        {MODIFIER_ALTERNATE, kAlt},
        {MODIFIER_COMMAND, kApple},
        {MODIFIER_CONTROL, kControl},
        {MODIFIER_SHIFT | MODIFIER_CONTROL, kShift | kControl},
    };
    for (auto [vst, buttons] : cases)
        EXPECT_EQ(CControl::mapVstKeyModifier(vst), buttons) << vst;
}

TEST(CControl, TagChangesAreAnnouncedAroundTheChange)
{
    EventLog log;
    RecordingControlListener listener(log, "l");
    auto control = makeOwned<PlainControl>();
    control->setListener(&listener);
    listener.onTag = [&] { log.events.push_back("tag " + std::to_string(control->getTag())); };
    control->setTag(7);
    EXPECT_EQ(log.events, (std::vector<std::string>{"tag -1", "tag 7"}));
}

TEST(CParamDisplay, ShowsTheValueThroughAReplaceableFunction)
{
    auto display = makeOwned<CParamDisplay>(CRect(0, 0, 50, 20));
    display->setMin(-10.f);
    display->setMax(10.f);
    display->setValue(-2.5f);
    EXPECT_EQ(display->getValueText(display->getValue()), "-2.50");
    display->setPrecision(0);
    EXPECT_EQ(display->getValueText(0.5f), "0");
    display->setValueToStringFunction([](float value, std::string& text, CParamDisplay*) {
        if (value < 0.f)
            return false;  // falls back to the default text
        text = "up " + std::to_string(static_cast<int>(value));
        return true;
    });
    EXPECT_EQ(display->getValueText(3.f), "up 3");
    EXPECT_EQ(display->getValueText(-3.f), "-3");

    auto label = makeOwned<CTextLabel>(CRect(0, 0, 50, 20), "Hello");
    EXPECT_EQ(label->getText(), "Hello");
    label->setText("1.1.0, VST3 x86_64-linux  ");
    EXPECT_EQ(label->getText(), "1.1.0, VST3 x86_64-linux  ");
    EXPECT_NE(dynamic_cast<CParamDisplay*>(label.get()), nullptr) << "a label is a parameter display";
}

TEST(COnOffButton, AClickTogglesBetweenMinAndMaxAsOneEdit)
{
    EventLog log;
    RecordingControlListener listener(log, "l");
    auto button = makeOwned<COnOffButton>(CRect(0, 0, 20, 20), &listener, 3);
    listener.onValue = [&] { log.events.push_back(button->isOn() ? "on" : "off"); };
    CPoint where(5, 5);
    EXPECT_EQ(button->onMouseDown(where, CButtonState(kLButton)),
              kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_TRUE(button->isOn());
    EXPECT_EQ(button->onMouseDown(where, CButtonState(kLButton)),
              kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_FALSE(button->isOn());
    EXPECT_EQ(button->onMouseDown(where, CButtonState(kRButton)), kMouseEventNotHandled);
    EXPECT_EQ(log.events,
              (std::vector<std::string>{"l begin", "l value", "on", "l end", "l begin", "l value", "off",
                                        "l end"}));
}

}  // namespace
}  // namespace VSTGUI
