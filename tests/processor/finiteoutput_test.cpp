// What reaches the host is always a number: one bad input sample does not
// silence the plug-in, and no parameter setting makes the output blow up.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "source/processor/parameterids.h"
#include "source/processor/plugprocessor.h"
#include "tools/host/block_runner.h"
#include "tools/host/memory_stream.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace morvik::host;

constexpr int32 kBlock = 256;

IPtr<PlugProcessor> activeProcessor(double rate, int32 sampleSize,
                                    const PlugState& record = PlugState::defaults())
{
    IPtr<PlugProcessor> processor = owned(new PlugProcessor());
    EXPECT_EQ(processor->initialize(nullptr), kResultOk);
    ProcessSetup setup{kRealtime, sampleSize, kBlock, rate};
    EXPECT_EQ(processor->setupProcessing(setup), kResultOk);
    auto stream = create<MemoryStream>();
    EXPECT_EQ(record.write(stream.get()), kResultOk);
    stream->rewind();
    EXPECT_EQ(processor->setState(stream.get()), kResultOk);
    EXPECT_EQ(processor->setActive(true), kResultOk);
    return processor;
}

template <class Sample>
void fillWithNoise(BlockRunner<Sample>& runner, std::minstd_rand& random)
{
    std::uniform_real_distribution<double> fullScale(-1.0, 1.0);
    for (int32 channel = 0; channel < 2; ++channel)
        for (Sample& sample : runner.input(channel))
            sample = static_cast<Sample>(fullScale(random));
}

// Runs `seconds` of noise; answers the output's peak, or NaN when a sample is not finite.
template <class Sample>
double runNoise(PlugProcessor& processor, BlockRunner<Sample>& runner, std::minstd_rand& random,
                double seconds)
{
    double peak = 0.0;
    const auto blocks = static_cast<int>(seconds * processor.sampleRate / kBlock);
    for (int block = 0; block < blocks; ++block) {
        fillWithNoise(runner, random);
        EXPECT_EQ(runner.process(processor, kBlock), kResultOk);
        for (int32 channel = 0; channel < 2; ++channel)
            for (const Sample sample : runner.output(channel)) {
                if (!std::isfinite(sample))
                    return std::nan("");
                peak = std::max(peak, std::abs(static_cast<double>(sample)));
            }
    }
    return peak;
}

template <class Sample>
void expectRecoveryFromOneBadSample()
{
    constexpr int32 kBadIndex = 100;
    const int32 sampleSize = sizeof(Sample) == 4 ? kSample32 : kSample64;
    for (const double bad :
         {std::nan(""), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()}) {
        for (int32 badChannel = 0; badChannel < 2; ++badChannel) {
            SCOPED_TRACE(::testing::Message()
                         << bad << " in channel " << badChannel << ", " << 8 * sizeof(Sample) << "-bit");
            IPtr<PlugProcessor> processor = activeProcessor(48000.0, sampleSize);
            BlockRunner<Sample> runner(kBlock);
            std::minstd_rand random(7);
            // Past the activation's fade, so the reverb is running when the bad sample comes.
            ASSERT_FALSE(std::isnan(runNoise(*processor, runner, random, 0.6)));

            fillWithNoise(runner, random);
            runner.input(badChannel)[kBadIndex] = static_cast<Sample>(bad);
            ASSERT_EQ(runner.process(*processor, kBlock), kResultOk);
            for (int32 channel = 0; channel < 2; ++channel)
                for (int32 i = kBadIndex; i < kBlock; ++i)
                    ASSERT_TRUE(std::isfinite(runner.output(channel)[static_cast<size_t>(i)]))
                        << "sample " << i;

            // Long enough for anything left in the tank to come out; the reverb still sounds.
            const double peak = runNoise(*processor, runner, random, 1.5);
            ASSERT_FALSE(std::isnan(peak));
            EXPECT_GT(peak, 0.1);
            processor->setActive(false);
        }
    }
}

TEST(FiniteOutput, OneNonFiniteInputSampleLeavesTheOutputFinite)
{
    expectRecoveryFromOneBadSample<Sample32>();
    expectRecoveryFromOneBadSample<Sample64>();
}

TEST(FiniteOutput, NoParameterSettingMakesTheOutputNonFinite)
{
    // Every parameter at 0 or 1, in every combination, at the lowest supported rate
    // and a common one, with full-scale noise.
    for (const double rate : {4000.0, 48000.0}) {
        for (int corner = 0; corner < 1 << kNumUsedValues; ++corner) {
            PlugState record = PlugState::defaults();
            for (int32 i = 0; i < kNumUsedValues; ++i)
                record.values[i] = (corner >> i) & 1 ? 1.0 : 0.0;
            IPtr<PlugProcessor> processor = activeProcessor(rate, kSample32, record);
            BlockRunner32 runner(kBlock);
            std::minstd_rand random(static_cast<unsigned>(corner) + 1);
            EXPECT_FALSE(std::isnan(runNoise(*processor, runner, random, 1.0)))
                << rate << " Hz, corner " << corner;
            processor->setActive(false);
        }
    }
}

}  // namespace
