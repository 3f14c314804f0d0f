// The editor's parameter bindings on the product's controller: the value
// displays show exactly the host's text at the parameter's own value, wherever
// a display's range lies; a change from another thread moves the controls only
// on the UI thread; a bound control's values reach the host as whole edits.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "sdk/vstgui/lib/controls/cparamdisplay.h"
#include "sdk/vstgui/lib/platform/headless/manualclock.h"
#include "sdk/vstgui/plugin-bindings/deferredupdates.h"
#include "sdk/vstgui/plugin-bindings/parameterbinding.h"
#include "source/controller/plugcontroller.h"
#include "source/processor/parameterids.h"
#include "tests/support/texts.h"
#include "tools/host/component_handler.h"

namespace Steinberg::Vst {
namespace {

using morvik::host::HandlerCall;
using morvik::testing::narrow;
using VSTGUI::CParamDisplay;
using VSTGUI::CRect;
using VSTGUI::ParameterBinding;

class BoundControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(controller->initialize(nullptr), kResultOk);
        ASSERT_EQ(controller->setComponentHandler(handler), kResultOk);
    }
    void TearDown() override
    {
        bindings.clear();
        controller->terminate();
    }

    // A display bound to the parameter, as the editor binds it (the test's thread is its UI thread).
    VSTGUI::SharedPointer<CParamDisplay> boundDisplay(ParamID id, float min = 0.f, float max = 1.f)
    {
        auto display = VSTGUI::makeOwned<CParamDisplay>(CRect(0, 0, 92, 24));
        display->setMin(min);
        display->setMax(max);
        bind(id, display);
        return display;
    }
    void bind(ParamID id, VSTGUI::CControl* control)
    {
        bindings.push_back(
            Steinberg::owned(new ParameterBinding(*controller, *controller->getParameterObject(id))));
        bindings.back()->addControl(control);
    }

    // What a host shows for the parameter's value: its value text and its units.
    std::string hostText(ParamID id)
    {
        String128 text{};
        EXPECT_EQ(controller->getParamStringByValue(id, controller->getParamNormalized(id), text), kResultOk);
        ParameterInfo info{};
        for (int32 index = 0; index < controller->getParameterCount(); ++index)
            if (controller->getParameterInfo(index, info) == kResultOk && info.id == id)
                break;
        const std::string units = narrow(info.units);
        return narrow(text) + (units.empty() ? "" : " " + units);
    }
    static std::string shownText(CParamDisplay& display) { return display.getValueText(display.getValue()); }

    IPtr<PlugController> controller = Steinberg::owned(new PlugController());
    IPtr<morvik::host::RecordingComponentHandler> handler =
        morvik::host::create<morvik::host::RecordingComponentHandler>();
    std::vector<IPtr<ParameterBinding>> bindings;
};

TEST_F(BoundControls, ADisplayShowsTheHostsTextForTheParametersOwnValue)
{
    struct Case {
        ParamID id;
        ParamValue value;
        const char* text;
    };
    // The float copy of each of these values reads another last digit.
    const Case cases[] = {{kParamSlope, 0.255, "26 %"},
                          {kParamRvbTime, 0.155, "0.35 s"},
                          {kParamRvbTime, 0.445, "0.65 s"},
                          {kParamLevel, 0.75, "0.00 dB"}};
    for (const Case& c : cases) {
        auto display = boundDisplay(c.id);
        ASSERT_EQ(controller->setParamNormalized(c.id, c.value), kResultOk);
        EXPECT_EQ(shownText(*display), c.text) << c.id << " at " << c.value;
        EXPECT_EQ(shownText(*display), hostText(c.id));
    }
}

TEST_F(BoundControls, EveryParametersDisplayAgreesWithTheHostAtManyValues)
{
    std::mt19937_64 random(18);
    std::uniform_real_distribution<double> anyValue(0., 1.);
    for (int32 index = 0; index < controller->getParameterCount(); ++index) {
        ParameterInfo info{};
        ASSERT_EQ(controller->getParameterInfo(index, info), kResultOk);
        auto display = boundDisplay(info.id);
        int disagreements = 0;
        for (int k = 0; k < 6000; ++k) {
            // Every thousandth, then random values.
            const ParamValue value = k <= 1000 ? k / 1000. : anyValue(random);
            controller->setParamNormalized(info.id, value);
            const std::string host = hostText(info.id);
            if (shownText(*display) != host && ++disagreements <= 3)
                ADD_FAILURE() << narrow(info.title) << " at " << value << ": shows \"" << shownText(*display)
                              << "\", the host \"" << host << '"';
        }
        EXPECT_EQ(disagreements, 0) << narrow(info.title);
    }
}

TEST_F(BoundControls, ADisplaysRangeMapsToTheParametersWholeRange)
{
    struct Range {
        float min;
        float max;
    };
    for (const Range range : {Range{0.f, 1.f}, Range{-1.f, 1.f}, Range{10.f, 20.f}}) {
        auto display = boundDisplay(kParamMix, range.min, range.max);
        ASSERT_EQ(controller->setParamNormalized(kParamMix, 0.255), kResultOk);
        EXPECT_NEAR(display->getValueNormalized(), 0.255, 1e-6) << range.min;
        EXPECT_EQ(shownText(*display), "26 %") << range.min;
        // Any other value of the display reads as the value of its place in the range.
        EXPECT_EQ(display->getValueText(range.min), "0 %") << range.min;
        EXPECT_EQ(display->getValueText((range.min + range.max) / 2.f), "50 %") << range.min;
        EXPECT_EQ(display->getValueText(range.max), "100 %") << range.min;
    }
}

TEST_F(BoundControls, AChangeFromAnotherThreadMovesTheControlsOnlyAtTheNextTick)
{
    VSTGUI::ManualClock clock;
    VSTGUI::ScopedTimerProvider timers(clock);
    VSTGUI::DeferredUpdates::editorOpened();
    auto display = boundDisplay(kParamSlope);
    const float before = display->getValue();

    std::thread([&] { controller->setParamNormalized(kParamSlope, 0.255); }).join();
    EXPECT_EQ(display->getValue(), before) << "no view is touched on the other thread";
    EXPECT_EQ(controller->getParamNormalized(kParamSlope), 0.255);

    clock.advance(VSTGUI::DeferredUpdates::kIntervalMs);
    EXPECT_EQ(display->getValue(), 0.255f);
    EXPECT_EQ(shownText(*display), "26 %");

    // A change on the UI thread itself shows at once.
    controller->setParamNormalized(kParamSlope, 0.3);
    EXPECT_EQ(shownText(*display), "30 %");
    VSTGUI::DeferredUpdates::editorClosed();
}

TEST_F(BoundControls, AValueSetOnABoundControlReachesTheHostAsAWholeEdit)
{
    auto display = boundDisplay(kParamMix);
    // Outside a gesture: one edit of its own.
    display->setValueNormalized(0.25f);
    display->valueChanged();
    EXPECT_EQ(handler->calls(),
              (std::vector<HandlerCall>{morvik::host::beginEdit(kParamMix),
                                        morvik::host::performEdit(kParamMix, 0.25),
                                        morvik::host::endEdit(kParamMix)}));
    EXPECT_EQ(controller->getParamNormalized(kParamMix), 0.25);

    // Inside a gesture: the gesture's edit.
    handler->clear();
    display->beginEdit();
    for (float value : {0.5f, 0.75f}) {
        display->setValueNormalized(value);
        display->valueChanged();
    }
    display->endEdit();
    EXPECT_EQ(handler->calls(),
              (std::vector<HandlerCall>{
                  morvik::host::beginEdit(kParamMix), morvik::host::performEdit(kParamMix, 0.5),
                  morvik::host::performEdit(kParamMix, 0.75), morvik::host::endEdit(kParamMix)}));
}

}  // namespace
}  // namespace Steinberg::Vst
