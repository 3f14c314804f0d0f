// The processor as a host sees it through the bundle's exports: factory
// lifecycle, buses, state bytes, per-block parameter changes, bypass, tail.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "sdk/vst3/interfaces/all.h"
#include "tests/host/bundle_location.h"
#include "tests/host/component_state.h"
#include "tests/host/raw_module.h"
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

// Parameter ids as a host sees them in the controller's list.
constexpr ParamID kParamBypass = 0;
constexpr ParamID kParamLevel = 1;
constexpr ParamID kParamMix = 2;
constexpr ParamID kParamRvbTime = 4;

std::unique_ptr<Module> loadBundle()
{
    std::string error;
    auto module = Module::load(morvik::testing::bundleUnderTest(), error);
    EXPECT_TRUE(module) << error;
    return module;
}

double valueAt(const std::vector<std::uint8_t>& state, int index)
{
    double value;
    std::memcpy(&value, state.data() + 12 + 8 * index, sizeof value);
    return value;
}

// A loaded, initialized processor, the way every host starts.
class HostedProcessor : public ::testing::Test {
protected:
    void SetUp() override
    {
        module = loadBundle();
        ASSERT_TRUE(module);
        component = createComponent(module->factory());
        ASSERT_TRUE(component);
        processor = queryInterfacePtr<IAudioProcessor>(component.get());
        ASSERT_TRUE(processor);
        ASSERT_EQ(component->initialize(hostContext.get()), kResultOk);
    }
    void TearDown() override
    {
        if (component) {
            component->setActive(false);
            component->terminate();
        }
        processor.reset();
        component.reset();
    }

    void setup(double rate, int32 sampleSize)
    {
        ProcessSetup s{kRealtime, sampleSize, 1024, rate};
        ASSERT_EQ(processor->setupProcessing(s), kResultOk);
    }

    std::vector<std::uint8_t> savedState() { return morvik::testing::savedState(*component); }

    std::unique_ptr<Module> module;
    IPtr<HostApplication> hostContext = create<HostApplication>();
    IPtr<IComponent> component;
    IPtr<IAudioProcessor> processor;
};

TEST(FactoryLifecycle, OneFactoryAtATimeAndAFreshOneAfterTheLastRelease)
{
    morvik::testing::RawModule module;
    ASSERT_TRUE(module.ready()) << dlerror();

    IPluginFactory* first = module.getFactory();
    IPluginFactory* second = module.getFactory();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->addRef(), 3u);  // two calls, plus this one
    first->release();
    const auto before = classInfos2(*first);
    PFactoryInfo infoBefore{};
    ASSERT_EQ(first->getFactoryInfo(&infoBefore), kResultOk);
    EXPECT_EQ(second->release(), 1u);
    EXPECT_EQ(first->release(), 0u);  // deleted

    IPluginFactory* fresh = module.getFactory();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->addRef(), 2u);  // a new factory starts again at one reference
    fresh->release();
    const auto after = classInfos2(*fresh);
    PFactoryInfo infoAfter{};
    ASSERT_EQ(fresh->getFactoryInfo(&infoAfter), kResultOk);
    EXPECT_EQ(std::memcmp(&infoAfter, &infoBefore, sizeof infoAfter), 0);
    ASSERT_EQ(after.size(), 2u);
    ASSERT_EQ(before.size(), 2u);
    for (size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(std::memcmp(&after[i], &before[i], sizeof(PClassInfo2)), 0) << "class " << i;
    EXPECT_EQ(fresh->release(), 0u);
}

TEST_F(HostedProcessor, NamesItsControllerAndOffersTwoStereoMainBuses)
{
    TUID controllerId{};
    ASSERT_EQ(component->getControllerClassId(controllerId), kResultOk);
    const auto controllerClass = findClass(module->factory(), kComponentControllerClass);
    ASSERT_TRUE(controllerClass);
    EXPECT_EQ(FUID::fromTUID(controllerId), *controllerClass);

    struct Case {
        BusDirection direction;
        const char* name;
    };
    for (const Case& c : {Case{kInput, "AudioInput"}, Case{kOutput, "AudioOutput"}}) {
        ASSERT_EQ(component->getBusCount(kAudio, c.direction), 1);
        BusInfo info{};
        ASSERT_EQ(component->getBusInfo(kAudio, c.direction, 0, info), kResultOk);
        EXPECT_EQ(toUtf8(info.name), c.name);
        EXPECT_EQ(info.channelCount, 2);
        EXPECT_EQ(info.busType, kMain);
        EXPECT_EQ(info.flags, BusInfo::kDefaultActive);
        SpeakerArrangement arrangement = 0;
        EXPECT_EQ(processor->getBusArrangement(c.direction, 0, arrangement), kResultOk);
        EXPECT_EQ(arrangement, SpeakerArr::kStereo);
    }
    EXPECT_EQ(component->getBusCount(kEvent, kInput), 0);
    EXPECT_EQ(processor->getLatencySamples(), 0u);
    // Nothing starts or stops with processing; hosts accept this answer.
    EXPECT_EQ(processor->setProcessing(true), kNotImplemented);
    EXPECT_EQ(processor->setProcessing(false), kNotImplemented);
}

TEST_F(HostedProcessor, DefaultStateBytesSurviveARoundTrip)
{
    const auto state = savedState();
    ASSERT_EQ(state.size(), 132u);
    const std::vector<std::uint8_t> level(state.begin() + 12, state.begin() + 20);
    EXPECT_EQ(level, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0xE8, 0x3F}));

    auto stream = create<MemoryStream>(state);
    EXPECT_EQ(component->setState(stream.get()), kResultOk);
    EXPECT_EQ(savedState(), state);

    auto shortStream = create<MemoryStream>(std::vector<std::uint8_t>(state.begin(), state.begin() + 100));
    EXPECT_EQ(component->setState(shortStream.get()), kResultFalse);
    EXPECT_EQ(component->setState(nullptr), kResultFalse);
    EXPECT_EQ(savedState(), state);
}

TEST_F(HostedProcessor, LastPointOfEachQueueHoldsForTheBlock)
{
    setup(44100.0, kSample32);
    ASSERT_EQ(component->setActive(true), kResultOk);
    BlockRunner32 runner(256);
    const auto defaultState = savedState();
    static constexpr double kLastLevel = 0.9;

    auto changes = create<ParameterChanges>();
    changes->addChange(kParamLevel, 0, 0.2);
    changes->addChange(kParamLevel, 100, 0.9);
    changes->addChange(7, 0, 0.3);  // no such parameter
    changes->addChange(9, 0, 0.3);
    changes->addNullQueue();
    BlockOptions options;
    options.inputChanges = changes.get();
    ASSERT_EQ(runner.process(*processor, 256, options), kResultOk);

    // Only Level moved, to its last point; ids 7 and 9 and the null slot changed nothing.
    auto expected = defaultState;
    std::memcpy(expected.data() + 12, &kLastLevel, sizeof kLastLevel);
    EXPECT_EQ(savedState(), expected);

    // Changes apply even in a block without samples or without buses.
    changes->clear();
    changes->addChange(kParamMix, 0, 0.3);
    options.inputChanges = changes.get();
    ASSERT_EQ(runner.process(*processor, 0, options), kResultOk);
    EXPECT_EQ(valueAt(savedState(), 1), 0.3);
}

TEST_F(HostedProcessor, BypassThresholdIsAboveHalf)
{
    struct Case {
        double value;
        std::int32_t expected;
    };
    BlockRunner32 runner(16);
    for (const Case& c : {Case{0.5, 0}, Case{0.5000001, 1}, Case{std::nan(""), 1}, Case{0.0, 0}}) {
        auto changes = create<ParameterChanges>();
        changes->addChange(kParamBypass, 0, c.value);
        BlockOptions options;
        options.inputChanges = changes.get();
        ASSERT_EQ(runner.process(*processor, 0, options), kResultOk);
        std::int32_t bypass;
        const auto state = savedState();
        std::memcpy(&bypass, state.data() + 8, sizeof bypass);
        EXPECT_EQ(bypass, c.expected) << c.value;
    }
}

template <class Runner>
void expectBypassCopy(IAudioProcessor& processor, Runner& runner)
{
    for (int32 channel = 0; channel < 2; ++channel)
        for (size_t i = 0; i < runner.input(channel).size(); ++i)
            runner.input(channel)[i] = static_cast<float>(0.001 * static_cast<double>(i) - channel);
    auto changes = create<ParameterChanges>();
    changes->addChange(kParamBypass, 0, 1.0);
    BlockOptions options;
    options.inputChanges = changes.get();
    ASSERT_EQ(runner.process(processor, runner.maxSamples(), options), kResultOk);
    for (int32 channel = 0; channel < 2; ++channel)
        EXPECT_TRUE(std::equal(runner.input(channel).begin(), runner.input(channel).end(),
                               runner.output(channel).begin()))
            << "channel " << channel;
}

TEST_F(HostedProcessor, BypassCopiesInputToOutputAtTheNegotiatedWidth)
{
    {
        setup(48000.0, kSample64);
        ASSERT_EQ(component->setActive(true), kResultOk);
        BlockRunner64 runner(300);
        expectBypassCopy(*processor, runner);
        ASSERT_EQ(component->setActive(false), kResultOk);
    }
    {
        setup(48000.0, kSample32);
        ASSERT_EQ(component->setActive(true), kResultOk);
        BlockRunner32 runner(300);
        expectBypassCopy(*processor, runner);
    }
}

TEST_F(HostedProcessor, BypassBeforeAnySetupCopiesTheBlocksWholeSamples)
{
    // No setupProcessing yet, so 32-bit is negotiated; a block of doubles still gets
    // all eight bytes of every sample copied.
    BlockRunner64 runner(8);
    for (size_t i = 0; i < 8; ++i) {
        runner.input(0)[i] = 1.0 / (3.0 + static_cast<double>(i));
        runner.output(0)[i] = 0.0;
    }
    auto changes = create<ParameterChanges>();
    changes->addChange(kParamBypass, 0, 1.0);
    BlockOptions options;
    options.inputChanges = changes.get();
    ASSERT_EQ(runner.process(*processor, 8, options), kResultOk);
    EXPECT_TRUE(std::equal(runner.input(0).begin(), runner.input(0).begin() + 8, runner.output(0).begin()));
}

TEST_F(HostedProcessor, TailIsTheGateTimePlusHalfASecond)
{
    EXPECT_EQ(processor->getTailSamples(), 22050u);  // nothing mapped yet: half a second

    struct Case {
        double rate;
        double rvbTime;
        uint32 expected;
    };
    const Case cases[] = {
        {44100.0, 0.15, 37485},
        {44100.0, 0.0, 30869},
        {44100.0, 1.0, 74970},
        {48000.0, 1.0, 81600},
    };
    for (const Case& c : cases) {
        setup(c.rate, kSample32);
        ASSERT_EQ(component->setActive(true), kResultOk);
        BlockRunner32 runner(16);
        auto changes = create<ParameterChanges>();
        changes->addChange(kParamRvbTime, 0, c.rvbTime);
        BlockOptions options;
        options.inputChanges = changes.get();
        ASSERT_EQ(runner.process(*processor, 16, options), kResultOk);
        EXPECT_EQ(processor->getTailSamples(), c.expected) << c.rate << " Hz, " << c.rvbTime;
        ASSERT_EQ(component->setActive(false), kResultOk);
    }
}

}  // namespace
