// The processor's own rules, driven directly: buses, sample sizes, set-up,
// process() on buffers a careless host might hand over, and state hand-over.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "source/processor/parameterids.h"
#include "source/processor/plugprocessor.h"
#include "tools/host/memory_stream.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using morvik::host::MemoryStream;

// Processors are reference counted; tests hold them like a host does.
struct ProcessorFixture : ::testing::Test {
    ProcessorFixture() { EXPECT_EQ(processor->initialize(nullptr), kResultOk); }
    ~ProcessorFixture() override
    {
        processor->setActive(false);
        processor->terminate();
    }

    void setup(double rate, int32 sampleSize = kSample32)
    {
        ProcessSetup s{kRealtime, sampleSize, 512, rate};
        ASSERT_EQ(processor->setupProcessing(s), kResultOk);
    }

    IPtr<PlugProcessor> processor = owned(new PlugProcessor());
};

// One block of planar buffers, filled with a marker so untouched samples show.
template <class Sample>
struct Block {
    Block(int32 channels, int32 samples, Sample fill)
        : storage(channels, std::vector<Sample>(samples, fill)), pointers(channels)
    {
        for (int32 c = 0; c < channels; ++c)
            pointers[c] = storage[c].data();
        bus.numChannels = channels;
        bus.silenceFlags = 0;
        if constexpr (sizeof(Sample) == 4)
            bus.channelBuffers32 = pointers.data();
        else
            bus.channelBuffers64 = pointers.data();
    }
    std::vector<std::vector<Sample>> storage;
    std::vector<Sample*> pointers;
    AudioBusBuffers bus{};
};
using FloatBlock = Block<float>;
using DoubleBlock = Block<double>;

ProcessData blockData(AudioBusBuffers* in, AudioBusBuffers* out, int32 samples, int32 sampleSize = kSample32)
{
    ProcessData data{};
    data.processMode = kRealtime;
    data.symbolicSampleSize = sampleSize;
    data.numSamples = samples;
    data.numInputs = in ? 1 : 0;
    data.numOutputs = out ? 1 : 0;
    data.inputs = in;
    data.outputs = out;
    return data;
}

using ArrangementFixture = ProcessorFixture;

TEST_F(ArrangementFixture, AcceptsOnlyTwoSpeakersOnTheFirstBuses)
{
    SpeakerArrangement stereo[] = {SpeakerArr::kStereo, SpeakerArr::kStereo};
    SpeakerArrangement mono[] = {SpeakerArr::kMono};
    SpeakerArrangement otherPair[] = {(1 << 4) | (1 << 5)};  // any two speakers will do
    struct Case {
        SpeakerArrangement* ins;
        int32 numIns;
        SpeakerArrangement* outs;
        int32 numOuts;
        tresult expected;
    };
    const Case cases[] = {
        {stereo, 1, stereo, 1, kResultOk},         {mono, 1, stereo, 1, kResultFalse},
        {stereo, 1, mono, 1, kResultFalse},        {nullptr, 0, nullptr, 0, kResultOk},
        {stereo, 1, stereo, 2, kResultFalse},  // more arrangements than buses
        {stereo, -1, stereo, 1, kInvalidArgument}, {nullptr, 1, stereo, 1, kInvalidArgument},
        {otherPair, 1, otherPair, 1, kResultOk},
    };
    for (const Case& c : cases)
        EXPECT_EQ(processor->setBusArrangements(c.ins, c.numIns, c.outs, c.numOuts), c.expected)
            << c.numIns << " in, " << c.numOuts << " out";
}

TEST_F(ArrangementFixture, RefusesThreeOrSixSpeakersOnEitherSideAndStaysStereo)
{
    SpeakerArrangement stereo[] = {SpeakerArr::kStereo};
    SpeakerArrangement three[] = {SpeakerArr::kStereo | (1 << 2)};  // L R C
    SpeakerArrangement six[] = {0x3F};                              // 5.1
    struct Case {
        SpeakerArrangement* ins;
        SpeakerArrangement* outs;
    };
    for (const Case& c :
         {Case{three, stereo}, Case{stereo, three}, Case{six, stereo}, Case{stereo, six}, Case{six, six}}) {
        SCOPED_TRACE(testing::Message() << c.ins[0] << " in, " << c.outs[0] << " out");
        EXPECT_EQ(processor->setBusArrangements(c.ins, 1, c.outs, 1), kResultFalse);
        for (BusDirection direction : {kInput, kOutput}) {
            SpeakerArrangement arrangement = 0;
            ASSERT_EQ(processor->getBusArrangement(direction, 0, arrangement), kResultOk);
            EXPECT_EQ(arrangement, SpeakerArr::kStereo);
        }
    }
}

TEST_F(ProcessorFixture, SecondInitializeIsRefusedAndKeepsOneBusEach)
{
    EXPECT_EQ(processor->initialize(nullptr), kResultFalse);
    EXPECT_EQ(processor->getBusCount(kAudio, kInput), 1);
    EXPECT_EQ(processor->getBusCount(kAudio, kOutput), 1);
}

TEST_F(ProcessorFixture, SampleSizesAndRates)
{
    for (int32 size : {0, 1})
        EXPECT_EQ(processor->canProcessSampleSize(size), kResultTrue) << size;
    for (int32 size : {2, -1, 100})
        EXPECT_EQ(processor->canProcessSampleSize(size), kResultFalse) << size;

    // An unsupported sample size is refused, but the rate is taken for the next activation.
    ProcessSetup wrongSize{kRealtime, 2, 512, 48000.0};
    EXPECT_EQ(processor->setupProcessing(wrongSize), kResultFalse);
    EXPECT_EQ(processor->sampleRate, 48000.0);

    // Rates the engine cannot serve are refused and change nothing; both ends of the range are served.
    constexpr double kLowest = 4000.0;
    constexpr double kHighest = 1536000.0;
    const double infinity = std::numeric_limits<double>::infinity();
    for (double rate : {std::nan(""), infinity, 3999.0, std::nextafter(kLowest, 0.0), 0.0, -44100.0,
                        std::nextafter(kHighest, infinity), 1e12}) {
        ProcessSetup bad{kRealtime, kSample32, 512, rate};
        EXPECT_EQ(processor->setupProcessing(bad), kResultFalse) << rate;
        EXPECT_EQ(processor->sampleRate, 48000.0) << rate;
    }
    for (double rate : {kLowest, kHighest}) {
        setup(rate);
        EXPECT_EQ(processor->sampleRate, rate);
    }
}

TEST(PlugProcessorLifecycle, ActivationBeforeInitializeIsRefused)
{
    IPtr<PlugProcessor> processor = owned(new PlugProcessor());
    ProcessSetup setup{kRealtime, kSample32, 512, 48000.0};
    ASSERT_EQ(processor->setupProcessing(setup), kResultOk);
    EXPECT_EQ(processor->setActive(true), kNotInitialized);
    EXPECT_FALSE(processor->buffersAllocated());
}

TEST_F(ProcessorFixture, InactiveProcessorOutputsSilence)
{
    FloatBlock in(2, 64, 0.5f), out(2, 64, 9.0f);
    ProcessData data = blockData(&in.bus, &out.bus, 64);
    EXPECT_EQ(processor->process(data), kResultOk);
    for (const auto& channel : out.storage)
        for (float sample : channel)
            ASSERT_EQ(sample, 0.0f);
}

TEST_F(ProcessorFixture, CarelessBuffersAreHandledSafely)
{
    setup(44100.0);
    ASSERT_EQ(processor->setActive(true), kResultOk);

    {  // one input channel only: the engine cannot run, the outputs are silenced
        FloatBlock in(1, 32, 0.5f), out(2, 32, 9.0f);
        ProcessData data = blockData(&in.bus, &out.bus, 32);
        EXPECT_EQ(processor->process(data), kResultOk);
        EXPECT_EQ(out.storage[1][31], 0.0f);
    }
    {  // a null channel pointer on the output
        FloatBlock in(2, 32, 0.5f), out(2, 32, 9.0f);
        out.pointers[1] = nullptr;
        ProcessData data = blockData(&in.bus, &out.bus, 32);
        EXPECT_EQ(processor->process(data), kResultOk);
        EXPECT_EQ(out.storage[0][0], 0.0f);
        EXPECT_EQ(out.storage[1][0], 9.0f);
    }
    {  // null channel arrays and null bus arrays
        FloatBlock in(2, 32, 0.5f), out(2, 32, 9.0f);
        in.bus.channelBuffers32 = nullptr;
        out.bus.channelBuffers32 = nullptr;
        ProcessData data = blockData(&in.bus, &out.bus, 32);
        EXPECT_EQ(processor->process(data), kResultOk);
        data = blockData(nullptr, nullptr, 32);
        data.numInputs = data.numOutputs = 1;
        EXPECT_EQ(processor->process(data), kResultOk);
    }
    // A sample size that is neither 32 nor 64 bit: silence as 32-bit samples, which
    // fits any buffer a host can hand over (ASan sees a write past these).
    {
        for (int32 sampleSize : {2, -1}) {
            FloatBlock in(2, 32, 0.5f), out(2, 32, 9.0f);
            ProcessData data = blockData(&in.bus, &out.bus, 32, sampleSize);
            EXPECT_EQ(processor->process(data), kResultOk);
            for (const auto& channel : out.storage)
                EXPECT_EQ(channel, std::vector<float>(32, 0.0f)) << sampleSize;
        }
    }
    {  // extra output channels are silenced, not left stale
        FloatBlock in(2, 32, 0.5f), out(3, 32, 9.0f);
        ProcessData data = blockData(&in.bus, &out.bus, 32);
        EXPECT_EQ(processor->process(data), kResultOk);
        EXPECT_EQ(out.storage[2][5], 0.0f);
        EXPECT_NE(out.storage[0][5], 9.0f);
    }
}

TEST_F(ProcessorFixture, BypassCopiesTheBlocksOwnSamplesWhole)
{
    // Even when the block's sample size is not the negotiated one: the buffers hold
    // samples of the block's size, and a copy of another width would read past their
    // end or leave half of each sample as it was.
    for (const int32 negotiated : {kSample32, kSample64}) {
        setup(44100.0, negotiated);
        processor->state.bypass = true;
        {
            FloatBlock in(2, 16, 0.25f), out(2, 16, 9.0f);
            ProcessData data = blockData(&in.bus, &out.bus, 16, kSample32);
            EXPECT_EQ(processor->process(data), kResultOk);
            EXPECT_EQ(out.storage, in.storage) << "negotiated " << negotiated;
        }
        {
            DoubleBlock in(2, 16, 1.0 / 3.0), out(2, 16, 9.0);
            ProcessData data = blockData(&in.bus, &out.bus, 16, kSample64);
            EXPECT_EQ(processor->process(data), kResultOk);
            EXPECT_EQ(out.storage, in.storage) << "negotiated " << negotiated;
        }
    }
}

TEST_F(ProcessorFixture, StateRestoredWhileActiveIsTakenAtTheNextBlock)
{
    setup(44100.0);
    ASSERT_EQ(processor->setActive(true), kResultOk);

    PlugState loaded = PlugState::defaults();
    loaded.values[kValueMix] = 0.25;
    loaded.values[kValueRvbTime] = 1.0;
    MemoryStream source;
    ASSERT_EQ(loaded.write(&source), kResultOk);
    source.rewind();
    ASSERT_EQ(processor->setState(&source), kResultOk);

    // The host already sees the restored record and its tail (1.2 s gate plus half a
    // second); the audio thread takes it at the next block.
    MemoryStream saved;
    ASSERT_EQ(processor->getState(&saved), kResultOk);
    EXPECT_EQ(saved.bytes(), source.bytes());
    EXPECT_EQ(processor->getTailSamples(), 74970u);
    EXPECT_EQ(processor->state.values[kValueMix], 0.5);

    FloatBlock in(2, 8, 0.0f), out(2, 8, 0.0f);
    ProcessData data = blockData(&in.bus, &out.bus, 8);
    EXPECT_EQ(processor->process(data), kResultOk);
    EXPECT_EQ(processor->state.values[kValueMix], 0.25);
    EXPECT_EQ(processor->mixTarget, 0.25);
}

TEST_F(ProcessorFixture, FailedStateReadChangesNothing)
{
    MemoryStream shortStream(std::vector<std::uint8_t>(100, 0x11));
    const PlugState before = processor->state;
    EXPECT_EQ(processor->setState(&shortStream), kResultFalse);
    EXPECT_EQ(processor->setState(nullptr), kResultFalse);
    EXPECT_EQ(processor->state, before);
}

}  // namespace
