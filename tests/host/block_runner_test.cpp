#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/host/plugin_mocks.h"
#include "tools/host/block_runner.h"
#include "tools/host/parameter_changes.h"

namespace {
using namespace Steinberg;
using namespace morvik::host;
using morvik::testing::MockAudioProcessor;
using ::testing::_;
using ::testing::Invoke;
using ::testing::NiceMock;

Vst::Sample32** channelsOf(Vst::AudioBusBuffers& bus, Vst::Sample32)
{
    return bus.channelBuffers32;
}
Vst::Sample64** channelsOf(Vst::AudioBusBuffers& bus, Vst::Sample64)
{
    return bus.channelBuffers64;
}

template <class Runner>
class BlockRunnerTest : public ::testing::Test {
};

using Runners = ::testing::Types<BlockRunner32, BlockRunner64>;
TYPED_TEST_SUITE(BlockRunnerTest, Runners);

// The processor doubles its input, channel by channel, as far as the block goes.
template <class Sample>
auto doubler(int32 expectedSampleSize)
{
    return [expectedSampleSize](Vst::ProcessData& data) {
        EXPECT_EQ(data.symbolicSampleSize, expectedSampleSize);
        EXPECT_EQ(data.numInputs, 1);
        EXPECT_EQ(data.numOutputs, 1);
        EXPECT_EQ(data.inputs[0].numChannels, 2);
        EXPECT_EQ(data.outputs[0].numChannels, 2);
        for (int32 channel = 0; channel < 2; ++channel) {
            Sample* in = channelsOf(data.inputs[0], Sample{})[channel];
            Sample* out = channelsOf(data.outputs[0], Sample{})[channel];
            for (int32 i = 0; i < data.numSamples; ++i)
                out[i] = in[i] * 2;
        }
        return kResultOk;
    };
}

TYPED_TEST(BlockRunnerTest, HandsTheProcessorPlanarStereoBuffersOfItsSampleSize)
{
    using Sample = typename TypeParam::SampleType;
    constexpr int32 sampleSize = std::is_same_v<Sample, float> ? Vst::kSample32 : Vst::kSample64;
    TypeParam runner(16);
    for (int32 i = 0; i < 16; ++i) {
        runner.input(0)[i] = static_cast<Sample>(i);
        runner.input(1)[i] = static_cast<Sample>(-i);
    }
    NiceMock<MockAudioProcessor> processor;
    EXPECT_CALL(processor, process(_)).WillOnce(Invoke(doubler<Sample>(sampleSize)));

    ASSERT_EQ(runner.process(processor, 10), kResultOk);
    EXPECT_EQ(runner.output(0)[9], 18);
    EXPECT_EQ(runner.output(1)[9], -18);
    EXPECT_EQ(runner.output(0)[10], 0) << "samples beyond the block must stay untouched";
    EXPECT_EQ(runner.input(0)[9], 9) << "separate buffers keep the input";
}

TYPED_TEST(BlockRunnerTest, InPlaceSharesTheInputBuffers)
{
    using Sample = typename TypeParam::SampleType;
    TypeParam runner(8, BufferLayout::InPlace);
    runner.input(1)[3] = 5;
    const Vst::ProcessData data = runner.prepare(8);
    auto** inputs = channelsOf(data.inputs[0], Sample{});
    auto** outputs = channelsOf(data.outputs[0], Sample{});
    for (int32 channel = 0; channel < 2; ++channel) {
        EXPECT_EQ(inputs[channel], outputs[channel]);
        EXPECT_EQ(inputs[channel], runner.input(channel).data());
    }
    EXPECT_NE(inputs, outputs) << "each bus keeps its own array of channel pointers";
    EXPECT_EQ(runner.output(1)[3], 5);
}

TYPED_TEST(BlockRunnerTest, PassesOptionsThroughAndRefusesOversizedBlocks)
{
    TypeParam runner(4);
    auto changes = create<ParameterChanges>();
    Vst::ProcessContext context{};
    const Vst::ProcessData data =
        runner.prepare(0, {.inputChanges = changes, .context = &context, .processMode = Vst::kOffline});
    EXPECT_EQ(data.numSamples, 0);
    EXPECT_EQ(data.inputParameterChanges, changes.get());
    EXPECT_EQ(data.outputParameterChanges, nullptr);
    EXPECT_EQ(data.processContext, &context);
    EXPECT_EQ(data.processMode, Vst::kOffline);
    EXPECT_EQ(data.inputEvents, nullptr);
    EXPECT_EQ(data.outputEvents, nullptr);
    EXPECT_EQ(data.inputs[0].silenceFlags, 0u);

    EXPECT_THROW(runner.prepare(5), std::out_of_range);
}

}  // namespace
