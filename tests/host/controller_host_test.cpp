// Processor and controller as a host pairs them: created through the factory,
// connected, the parameter list and its texts, and the state passed both ways.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "sdk/vst3/interfaces/all.h"
#include "tests/host/bundle_location.h"
#include "tests/host/component_state.h"
#include "tools/host/block_runner.h"
#include "tools/host/factory.h"
#include "tools/host/host_application.h"
#include "tools/host/memory_stream.h"
#include "tools/host/module.h"
#include "tools/host/parameter_changes.h"
#include "tools/host/text.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace morvik::host;

class HostedPair : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        module = Module::load(morvik::testing::bundleUnderTest(), error);
        ASSERT_TRUE(module) << error;
        component = createComponent(module->factory());
        ASSERT_TRUE(component);
        ASSERT_EQ(component->initialize(hostContext.get()), kResultOk);
        controller = createController(module->factory(), *component);
        ASSERT_TRUE(controller);
        ASSERT_EQ(controller->initialize(hostContext.get()), kResultOk);

        auto componentPoint = queryInterfacePtr<IConnectionPoint>(component.get());
        auto controllerPoint = queryInterfacePtr<IConnectionPoint>(controller.get());
        ASSERT_TRUE(componentPoint && controllerPoint);
        ASSERT_EQ(componentPoint->connect(controllerPoint.get()), kResultOk);
        ASSERT_EQ(controllerPoint->connect(componentPoint.get()), kResultOk);
        ASSERT_EQ(componentPoint->disconnect(controllerPoint.get()), kResultOk);
        ASSERT_EQ(controllerPoint->disconnect(componentPoint.get()), kResultOk);
    }
    void TearDown() override
    {
        if (controller)
            controller->terminate();
        if (component)
            component->terminate();
        controller.reset();
        component.reset();
    }

    std::string text(ParamID id, ParamValue normalized)
    {
        String128 buffer{};
        EXPECT_EQ(controller->getParamStringByValue(id, normalized, buffer), kResultOk);
        return toUtf8(buffer);
    }

    std::vector<std::uint8_t> processorState() { return morvik::testing::savedState(*component); }

    // The left output of a fresh processor restored from `state`, for a burst of noise.
    std::vector<float> renderWithState(const std::vector<std::uint8_t>& state)
    {
        constexpr int32 kBlock = 256;
        auto processor = createComponent(module->factory());
        EXPECT_TRUE(processor);
        if (!processor)
            return {};
        auto audio = queryInterfacePtr<IAudioProcessor>(processor.get());
        EXPECT_EQ(processor->initialize(hostContext.get()), kResultOk);
        ProcessSetup setup{kRealtime, kSample32, kBlock, 48000.0};
        EXPECT_EQ(audio->setupProcessing(setup), kResultOk);
        auto stream = create<MemoryStream>(state);
        EXPECT_EQ(processor->setState(stream.get()), kResultOk);
        EXPECT_EQ(processor->setActive(true), kResultOk);
        BlockRunner32 runner(kBlock);
        std::vector<float> output;
        unsigned seed = 1;
        for (int block = 0; block < 16; ++block) {
            for (int32 channel = 0; channel < 2; ++channel)
                for (float& sample : runner.input(channel)) {
                    seed = seed * 1664525u + 1013904223u;
                    sample = static_cast<float>(seed >> 8) / 16777216.0f - 0.5f;
                }
            EXPECT_EQ(runner.process(*audio, kBlock), kResultOk);
            output.insert(output.end(), runner.output(0).begin(), runner.output(0).end());
        }
        processor->setActive(false);
        processor->terminate();
        return output;
    }

    std::unique_ptr<Module> module;
    IPtr<HostApplication> hostContext = create<HostApplication>();
    IPtr<IComponent> component;
    IPtr<IEditController> controller;
};

TEST_F(HostedPair, PublishesTheEightParameters)
{
    struct Row {
        ParamID id;
        const char* title;
        const char* units;
        int32 stepCount;
        double defaultNormalized;
        const char* defaultText;
        int32 flags;
    };
    const Row rows[] = {
        {0, "Bypass", "", 1, 0.0, "Off", 0x10001}, {1, "Level", "dB", 0, 0.75, "0.00", 1},
        {2, "Mix", "%", 0, 0.5, "50", 1},          {3, "Predelay", "ms", 0, 0.0, "1.0", 1},
        {4, "Rvb Time", "s", 0, 0.15, "0.35", 1},  {5, "Diffusion", "%", 0, 1.0, "100", 1},
        {6, "LPCut", "Hz", 0, 0.8, "8000", 1},     {8, "Slope", "%", 0, 1.0, "100", 1},
    };
    ASSERT_EQ(controller->getParameterCount(), 8);
    for (int32 index = 0; index < 8; ++index) {
        const Row& row = rows[index];
        ParameterInfo info{};
        ASSERT_EQ(controller->getParameterInfo(index, info), kResultOk);
        EXPECT_EQ(info.id, row.id) << index;
        EXPECT_EQ(toUtf8(info.title), row.title) << index;
        EXPECT_EQ(toUtf8(info.shortTitle), "") << index;
        EXPECT_EQ(toUtf8(info.units), row.units) << index;
        EXPECT_EQ(info.stepCount, row.stepCount) << index;
        EXPECT_NEAR(info.defaultNormalizedValue, row.defaultNormalized, 1e-12) << index;
        EXPECT_EQ(info.unitId, kRootUnitId) << index;
        EXPECT_EQ(info.flags, row.flags) << index;
        EXPECT_EQ(text(info.id, info.defaultNormalizedValue), row.defaultText) << index;
        EXPECT_NEAR(controller->getParamNormalized(info.id), row.defaultNormalized, 1e-12) << index;
    }
    ParameterInfo info{};
    EXPECT_NE(controller->getParameterInfo(8, info), kResultOk);
    EXPECT_NE(controller->getParameterInfo(-1, info), kResultOk);
}

TEST_F(HostedPair, ValueTextsAndTheirInverse)
{
    struct Case {
        ParamID id;
        double normalized;
        const char* expected;
    };
    const Case cases[] = {
        {1, 0.75, "0.00"}, {1, 0.7499999, "0.00"}, {1, 0.74998, "-0.00"}, {1, 0.0, "-36.00"},
        {6, 0.0, "500"},   {6, 0.5, "2828"},       {6, 0.8, "8000"},      {6, 1.0, "16000"},
        {3, 0.0, "1.0"},   {3, 0.5, "15.8"},       {3, 1.0, "250.0"},     {0, 1.0, "On"},
        {0, 0.0, "Off"},   {4, 1.0, "1.20"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(text(c.id, c.normalized), c.expected) << c.id << " at " << c.normalized;

    struct Parse {
        ParamID id;
        const char* text;
        double expected;
    };
    for (const Parse& p : {Parse{3, "300", 1.0}, Parse{1, "-5", 0.75 - 5.0 / 48.0}, Parse{1, "-50", 0.0},
                           Parse{6, "8000", std::log(16.0) / std::log(32.0)}, Parse{2, "30", 0.3}}) {
        std::u16string input = toUtf16(p.text);
        ParamValue value = -1.0;
        ASSERT_EQ(controller->getParamValueByString(p.id, input.data(), value), kResultOk) << p.text;
        EXPECT_NEAR(value, p.expected, 1e-12) << p.text;
    }
    std::u16string notANumber = u"loud";
    ParamValue value = 0.25;
    EXPECT_EQ(controller->getParamValueByString(1, notANumber.data(), value), kResultFalse);
    EXPECT_EQ(controller->getParamValueByString(7, notANumber.data(), value), kResultFalse);
    String128 buffer{};
    EXPECT_EQ(controller->getParamStringByValue(7, 0.5, buffer), kResultFalse);
    EXPECT_EQ(controller->setParamNormalized(7, 0.5), kResultFalse);
    EXPECT_NEAR(controller->normalizedParamToPlain(1, 1.25), 24.0, 1e-12);
    EXPECT_NEAR(controller->plainParamToNormalized(6, 0.0), 0.0, 1e-12);
}

TEST_F(HostedPair, ProcessorStateReachesTheControllerAndBack)
{
    // Move every parameter on the processor, as a host's automation would.
    ProcessSetup setup{kRealtime, kSample32, 256, 48000.0};
    ASSERT_EQ(queryInterfacePtr<IAudioProcessor>(component.get())->setupProcessing(setup), kResultOk);
    ASSERT_EQ(component->setActive(true), kResultOk);
    const std::pair<ParamID, double> moves[] = {{0, 1.0}, {1, 0.1}, {2, 0.2}, {3, 0.3},
                                                {4, 0.4}, {5, 0.5}, {6, 0.6}, {8, 0.7}};
    auto changes = create<ParameterChanges>();
    for (auto [id, value] : moves)
        changes->addChange(id, 0, value);
    BlockRunner32 runner(64);
    BlockOptions options;
    options.inputChanges = changes.get();
    ASSERT_EQ(runner.process(*queryInterfacePtr<IAudioProcessor>(component.get()), 64, options), kResultOk);
    ASSERT_EQ(component->setActive(false), kResultOk);

    const auto saved = processorState();
    auto forController = create<MemoryStream>(saved);
    ASSERT_EQ(controller->setComponentState(forController.get()), kResultOk);
    for (auto [id, value] : moves)
        EXPECT_EQ(controller->getParamNormalized(id), value) << id;

    // A fresh processor restored from the project's bytes saves the same bytes.
    auto second = createComponent(module->factory());
    ASSERT_TRUE(second);
    ASSERT_EQ(second->initialize(hostContext.get()), kResultOk);
    auto forProcessor = create<MemoryStream>(saved);
    ASSERT_EQ(second->setState(forProcessor.get()), kResultOk);
    auto resaved = create<MemoryStream>();
    ASSERT_EQ(second->getState(resaved.get()), kResultOk);
    EXPECT_EQ(resaved->bytes(), saved);
    second->terminate();

    // The controller keeps no state of its own.
    auto controllerState = create<MemoryStream>();
    EXPECT_EQ(controller->getState(controllerState.get()), kNotImplemented);
    EXPECT_EQ(controller->setState(controllerState.get()), kNotImplemented);
}

TEST_F(HostedPair, BrokenStatesChangeNoParameter)
{
    const auto saved = processorState();
    ASSERT_EQ(controller->setParamNormalized(2, 0.9), kResultOk);
    for (size_t length : {size_t{0}, size_t{12}, size_t{131}}) {
        auto stream =
            create<MemoryStream>(std::vector<std::uint8_t>(saved.begin(), saved.begin() + long(length)));
        EXPECT_EQ(controller->setComponentState(stream.get()), kResultFalse) << length;
        EXPECT_EQ(controller->getParamNormalized(2), 0.9) << length;
    }
    EXPECT_EQ(controller->setComponentState(nullptr), kResultFalse);

    // Values outside [0, 1] are clamped by the parameters.
    auto odd = saved;
    const double tooHigh = 7.0;
    std::memcpy(odd.data() + 12 + 8 * 1, &tooHigh, sizeof tooHigh);  // Mix
    auto stream = create<MemoryStream>(odd);
    ASSERT_EQ(controller->setComponentState(stream.get()), kResultOk);
    EXPECT_EQ(controller->getParamNormalized(2), 1.0);
}

// What the host is shown for a restored NaN is what the processor runs: a processor
// given the values the controller shows sounds exactly like one given the NaN state.
TEST_F(HostedPair, ARestoredNaNShowsTheValueThatRuns)
{
    constexpr ParamID kValueIds[] = {1, 2, 3, 4, 5, 6, 8};  // in the record's order
    auto withValues = [&](std::vector<std::uint8_t> state, auto valueFor) {
        for (int index = 0; index < 7; ++index) {
            const double value = valueFor(index);
            std::memcpy(state.data() + 12 + 8 * index, &value, sizeof value);
        }
        return state;
    };
    const auto saved = processorState();
    // The controller shows other values first, as after loading another project.
    auto elsewhere = create<MemoryStream>(withValues(saved, [](int index) { return 0.1 * (index + 1); }));
    ASSERT_EQ(controller->setComponentState(elsewhere.get()), kResultOk);

    const auto nanState = withValues(saved, [](int) { return std::nan(""); });
    auto forController = create<MemoryStream>(nanState);
    ASSERT_EQ(controller->setComponentState(forController.get()), kResultOk);
    const auto shownState =
        withValues(saved, [&](int index) { return controller->getParamNormalized(kValueIds[index]); });

    EXPECT_EQ(text(4, controller->getParamNormalized(4)), "0.35");
    EXPECT_EQ(text(2, controller->getParamNormalized(2)), "50");
    EXPECT_TRUE(renderWithState(nanState) == renderWithState(shownState));
}

TEST_F(HostedPair, SecondInitializeKeepsEightParameters)
{
    EXPECT_EQ(controller->initialize(hostContext.get()), kResultOk);
    EXPECT_EQ(controller->getParameterCount(), 8);
}

}  // namespace
