// The per-sample signal path: the truncated response of a tank line, the mid/side
// structure, buffer handling and the absence of denormal numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/engine/enginetesting.h"

namespace Steinberg::Vst {
namespace {

using namespace morvik::testing;

void advance(PlugProcessor& engine)
{
    engine.writeIndex = (engine.writeIndex + 1) % engine.bufferLength;
    engine.historyIndex = (engine.historyIndex + 1) % (PlugProcessor::kHistoryFactor * engine.bufferLength);
}

// With no feedback and full gain, one impulse into the tank comes out of line 0 as
// exactly N copies, one pass apart, falling by the line gain, and then nothing.
TEST(SignalPath, TankLineResponseEndsAfterWholePasses)
{
    auto engine = makeEngine(48000.0, parametersWith(kValueRvbTime, 0.0));
    engine->diffusionSmoothed = 0.0;
    engine->tankGain = 1.0;
    const int32 pass = engine->lineLength[0];
    ASSERT_EQ(pass, 1543);
    const double g = engine->lineGain[0];

    int32 copies = 0;
    for (int32 sample = 0; sample < 12000; ++sample) {
        const int32 tapPosition = (engine->writeIndex - pass + engine->bufferLength) % engine->bufferLength;
        const double tap = engine->tankLines[0][tapPosition];
        if (sample > 0 && sample % pass == 0 && sample <= 6 * pass) {
            EXPECT_NEAR(tap, std::pow(g, sample / pass - 1), 1e-14) << sample;
            ++copies;
        } else {
            EXPECT_NEAR(tap, 0.0, 1e-15) << sample;
        }
        double left = 0.0;
        double right = 0.0;
        engine->processTank(sample == 0 ? 1.0 : 0.0, left, right);
        advance(*engine);
    }
    EXPECT_EQ(copies, 6);
}

TEST(SignalPath, SilentTankPassesOnlyItsInput)
{
    auto engine = makeEngine(44100.0);
    StereoBuffers<double> buffers(7000);  // into the hold of the activation cycle
    buffers.left = noise(7000, 3u);
    process(*engine, buffers, 7000);
    ASSERT_EQ(engine->tankGain, 0.0);
    const int32 w = engine->writeIndex == 0 ? engine->bufferLength - 1 : engine->writeIndex - 1;
    const double z = engine->inputHistory[engine->historyIndex - 1];
    EXPECT_EQ(engine->predelayLine[w], 0.0);
    EXPECT_NE(z, 0.0);
    for (int i = 0; i < PlugProcessor::kNumTankLines; ++i)
        EXPECT_EQ(engine->tankLines[i][w], z) << i;
}

TEST(SignalPath, PredelayReadsAtTheArrayBoundaries)
{
    auto engine = makeEngine(48000.0);
    const int32 n = engine->bufferLength;
    engine->tankGain = 0.5;
    engine->writeIndex = 0;

    engine->predelaySamples = 0;  // the sample just written
    EXPECT_EQ(engine->predelaySample(3.0), 1.5);

    engine->predelaySamples = 10;  // wraps to the end
    engine->predelayLine[n - 10] = 42.0;
    EXPECT_EQ(engine->predelaySample(1.0), 42.0);

    engine->predelaySamples = n;  // a full array back is the write position itself
    EXPECT_EQ(engine->predelaySample(4.0), 2.0);
}

// The reverb is mono at its input: a signal on the left alone or on the right alone
// gives the same wet output.
TEST(SignalPath, WetSignalDependsOnlyOnTheSumOfTheInputs)
{
    const auto wetOnly = parametersWith(kValueMix, 1.0);
    auto fromLeft = makeEngine(48000.0, wetOnly);
    auto fromRight = makeEngine(48000.0, wetOnly);
    constexpr int32 kLength = 30000;
    StereoBuffers<double> a(kLength);
    StereoBuffers<double> b(kLength);
    a.left = noise(kLength, 5u);
    b.right = a.left;
    process(*fromLeft, a, kLength);
    process(*fromRight, b, kLength);
    EXPECT_EQ(a.outLeft, b.outLeft);
    EXPECT_EQ(a.outRight, b.outRight);
    EXPECT_NE(a.outLeft, a.outRight);  // yet the output is stereo
}

// With 64-bit buffers the input is never narrowed: values a float cannot hold
// (0.1 + 1e-12 i, thirds) arrive exactly.
TEST(SignalPath, DryOnlyMixPassesTheInputExactly)
{
    auto engine = makeEngine(48000.0, parametersWith(kValueMix, 0.0));
    StereoBuffers<double> buffers(4096);
    const std::vector<double> values = noise(4096, 9u);
    for (std::size_t i = 0; i < 4096; ++i) {
        buffers.left[i] = 0.1 + 1e-12 * static_cast<double>(i);
        buffers.right[i] = values[i] - 1.0 / 3.0;
    }
    process(*engine, buffers, 4096);
    for (int i = 0; i < 4096; ++i) {
        ASSERT_EQ(buffers.outLeft[i], (buffers.left[i] + 1e-18) * engine->levelGainSmoothed) << i;
        ASSERT_EQ(buffers.outRight[i], (buffers.right[i] + 1e-18) * engine->levelGainSmoothed) << i;
    }
}

template <typename Sample>
void expectInPlaceEqualsSeparate()
{
    auto separate = makeEngine(44100.0);
    auto inPlace = makeEngine(44100.0);
    constexpr int32 kLength = 5000;
    const std::vector<double> left = noise(kLength, 21u);
    const std::vector<double> right = noise(kLength, 22u);
    StereoBuffers<Sample> buffers(kLength);
    std::copy(left.begin(), left.end(), buffers.left.begin());
    std::copy(right.begin(), right.end(), buffers.right.begin());
    std::vector<Sample> sharedL(buffers.left);
    std::vector<Sample> sharedR(buffers.right);
    Sample* shared[2] = {sharedL.data(), sharedR.data()};
    for (int32 done = 0; done < kLength; done += 500) {
        Sample* in[2] = {buffers.left.data() + done, buffers.right.data() + done};
        Sample* out[2] = {buffers.outLeft.data() + done, buffers.outRight.data() + done};
        Sample* io[2] = {shared[0] + done, shared[1] + done};
        if constexpr (sizeof(Sample) == 4) {
            separate->processSamples32(in, out, 500);
            inPlace->processSamples32(io, io, 500);
        } else {
            separate->processSamples64(in, out, 500);
            inPlace->processSamples64(io, io, 500);
        }
    }
    EXPECT_EQ(sharedL, buffers.outLeft);
    EXPECT_EQ(sharedR, buffers.outRight);
}

TEST(SignalPath, InPlaceBuffersGiveTheSameResult)
{
    expectInPlaceEqualsSeparate<double>();
    expectInPlaceEqualsSeparate<float>();
}

TEST(SignalPath, ThirtyTwoBitOutputIsTheRoundedSixtyFourBitOutput)
{
    auto wide = makeEngine(48000.0);
    auto narrow = makeEngine(48000.0);
    constexpr int32 kLength = 20000;
    StereoBuffers<double> doubles(kLength);
    StereoBuffers<float> floats(kLength);
    doubles.left = noise(kLength, 31u);  // values that floats hold exactly
    doubles.right = noise(kLength, 32u);
    std::copy(doubles.left.begin(), doubles.left.end(), floats.left.begin());
    std::copy(doubles.right.begin(), doubles.right.end(), floats.right.begin());
    process(*wide, doubles, kLength);
    process(*narrow, floats, kLength);
    for (int i = 0; i < kLength; ++i) {
        ASSERT_EQ(floats.outLeft[i], static_cast<float>(doubles.outLeft[i])) << i;
        ASSERT_EQ(floats.outRight[i], static_cast<float>(doubles.outRight[i])) << i;
    }
}

bool isSubnormal(double value)
{
    return std::fpclassify(value) == FP_SUBNORMAL;
}

// Long silence after a loud signal leaves no denormal numbers anywhere, which would
// slow the loop down on many processors.
TEST(SignalPath, LongSilenceAfterASignalStaysClearOfDenormals)
{
    auto engine = makeEngine(48000.0);
    StereoBuffers<double> loud(48000);
    loud.left = noise(48000, 41u);
    loud.right = noise(48000, 42u);
    process(*engine, loud, 48000);
    StereoBuffers<double> silence(4800);
    int subnormalOutputs = 0;
    for (int block = 0; block < 300; ++block) {  // 30 s
        process(*engine, silence, 4800);
        for (int i = 0; i < 4800; ++i)
            subnormalOutputs += isSubnormal(silence.outLeft[i]) + isSubnormal(silence.outRight[i]);
    }
    EXPECT_EQ(subnormalOutputs, 0);
    for (const OnePoleFilter* filter :
         {&engine->dampingLowpass, &engine->tankLowpass, &engine->midHighpass, &engine->sideHighpass}) {
        EXPECT_FALSE(isSubnormal(filter->y1));
        EXPECT_FALSE(isSubnormal(filter->x1));
    }
    int subnormalInMemory = 0;
    const int32 n = engine->bufferLength;
    for (int i = 0; i < PlugProcessor::kNumTankLines; ++i)
        for (int32 k = 0; k < n; ++k)
            subnormalInMemory += isSubnormal(engine->tankLines[i][k]);
    for (int k = 0; k < PlugProcessor::kNumOutputDiffusers; ++k)
        for (int32 j = 0; j < n; ++j)
            subnormalInMemory += isSubnormal(engine->outputDiffuserY[k][j]);
    EXPECT_EQ(subnormalInMemory, 0);
}

// Diffusion and Mix smoothed down to 0 take some 16 seconds to pass the whole range of
// doubles; they must arrive at 0 without ever holding a denormal.
TEST(SignalPath, SmoothingToZeroNeverHoldsADenormal)
{
    auto engine = makeEngine(48000.0);
    StereoBuffers<double> buffers(4800);
    buffers.left = noise(4800, 51u);
    process(*engine, buffers, 4800);
    setParameter(*engine, kValueDiffusion, 0.0);
    setParameter(*engine, kValueMix, 0.0);
    int subnormalStates = 0;
    for (int block = 0; block < 250; ++block) {  // 25 s
        process(*engine, buffers, 4800);
        for (const double state : {engine->mixSmoothState, engine->diffusionSmoothState,
                                   engine->inputDiffuserCoeff[0], engine->outputDiffuserCoeff[1]})
            subnormalStates += isSubnormal(state);
    }
    EXPECT_EQ(subnormalStates, 0);
    EXPECT_EQ(engine->diffusionSmoothed, 0.0);
    EXPECT_EQ(engine->mixSmoothed, 0.0);
    EXPECT_EQ(engine->dryGain, 1.0);
    for (const double c : engine->inputDiffuserCoeff)
        EXPECT_EQ(c, 0.0);
    EXPECT_EQ(engine->outputDiffuserCoeff[0], 0.0);
}

}  // namespace
}  // namespace Steinberg::Vst
