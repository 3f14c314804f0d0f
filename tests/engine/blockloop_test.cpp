// The block loop: bit-identical to the literal per-sample loop, the reconfiguration
// timeline, smoothing and change cycles.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <span>
#include <string>
#include <tuple>
#include <utility>

#include "tests/engine/enginetesting.h"
#include "tests/engine/referencemodel.h"

namespace Steinberg::Vst {
namespace {

using namespace morvik::testing;

bool sameMemory(const double* a, const double* b, int32 length)
{
    return std::memcmp(a, b, sizeof(double) * static_cast<std::size_t>(length)) == 0;
}

struct Change {
    double atSecond;
    PlugValueIndex index;
    double value;
};

// Parameter changes that cross every state of the reconfiguration cycle: during the
// activation cycle's fade-out and hold, during a fade-in, and in the steady state.
const Change kChanges[] = {
    {0.10, kValueRvbTime, 0.9},   {0.30, kValuePredelay, 1.0},  {0.46, kValueSlope, 0.0},
    {0.62, kValueDiffusion, 0.0}, {0.70, kValueRvbTime, 0.0},   {0.80, kValueLPCut, 0.05},
    {1.00, kValueMix, 1.0},       {1.10, kValueDiffusion, 0.6}, {1.20, kValueLevel, 0.2},
    {1.35, kValuePredelay, 0.3},  {1.45, kValueRvbTime, 0.5},
};

template <typename Sample>
void expectSameResults(const std::vector<Sample>& fastL, const std::vector<Sample>& fastR,
                       const std::vector<Sample>& refL, const std::vector<Sample>& refR)
{
    int mismatches = 0;
    for (std::size_t i = 0; i < fastL.size() && mismatches < 5; ++i) {
        if (std::memcmp(&fastL[i], &refL[i], sizeof(Sample)) != 0 ||
            std::memcmp(&fastR[i], &refR[i], sizeof(Sample)) != 0) {
            ADD_FAILURE() << "sample " << i << ": " << fastL[i] << " / " << refL[i];
            ++mismatches;
        }
    }
}

// Every delay array, in the order of the engine's members.
std::vector<const double*> delayArrays(const PlugProcessor& engine)
{
    std::vector<const double*> arrays{engine.predelayLine, engine.inputHistory};
    for (int k = 0; k < PlugProcessor::kNumInputDiffusers; ++k)
        arrays.insert(arrays.end(), {engine.inputDiffuserX[k], engine.inputDiffuserY[k]});
    arrays.insert(arrays.end(), std::begin(engine.tankLines), std::end(engine.tankLines));
    for (int k = 0; k < PlugProcessor::kNumOutputDiffusers; ++k)
        arrays.insert(arrays.end(), {engine.outputDiffuserX[k], engine.outputDiffuserY[k]});
    return arrays;
}

void expectSameState(const PlugProcessor& fast, const PlugProcessor& reference)
{
    EXPECT_EQ(fast.writeIndex, reference.writeIndex);
    EXPECT_EQ(fast.historyIndex, reference.historyIndex);
    EXPECT_EQ(fast.fadeGain, reference.fadeGain);
    EXPECT_EQ(fast.holdCounter, reference.holdCounter);
    const int32 n = fast.bufferLength;
    const auto fastArrays = delayArrays(fast);
    const auto referenceArrays = delayArrays(reference);
    EXPECT_TRUE(sameMemory(fastArrays[1], referenceArrays[1], PlugProcessor::kHistoryFactor * n));
    for (std::size_t k = 0; k < fastArrays.size(); ++k)
        EXPECT_TRUE(k == 1 || sameMemory(fastArrays[k], referenceArrays[k], n)) << "array " << k;
    for (auto filter : {&PlugProcessor::dampingLowpass, &PlugProcessor::tankLowpass,
                        &PlugProcessor::midHighpass, &PlugProcessor::sideHighpass})
        EXPECT_EQ(std::memcmp(&(fast.*filter), &(reference.*filter), sizeof(OnePoleFilter)), 0);
}

// Runs the same input and parameter changes through the engine's loop (varying block
// lengths, the given vector level) and through the reference loop, and requires
// identical results and identical memory. `adjust`, if given, sets both engines by hand
// before the first sample.
template <typename Sample>
void expectSameAsReference(double sampleRate, VectorLevel level, double seconds,
                           const PlugState& parameters = PlugState::defaults(),
                           std::span<const Change> changes = kChanges,
                           void (*adjust)(PlugProcessor&) = nullptr)
{
    auto fast = makeEngine(sampleRate, parameters);
    fast->vectorLevel = level;
    auto reference = makeEngine(sampleRate, parameters);
    if (adjust) {
        adjust(*fast);
        adjust(*reference);
    }
    const auto total = static_cast<int32>(sampleRate * seconds);
    const std::vector<double> left = noise(static_cast<std::size_t>(total), 11u);
    const std::vector<double> right = noise(static_cast<std::size_t>(total), 12u);
    std::vector<Sample> inL(left.begin(), left.end());
    std::vector<Sample> inR(right.begin(), right.end());
    std::vector<Sample> fastL(total), fastR(total), refL(total), refR(total);

    const int32 blockLengths[] = {1, 5, 64, 100, 512, 37, 4096, 2};
    std::size_t nextChange = 0;
    int32 done = 0;
    for (int block = 0; done < total; ++block) {
        while (nextChange < changes.size() && done >= changes[nextChange].atSecond * sampleRate) {
            setParameter(*fast, changes[nextChange].index, changes[nextChange].value);
            setParameter(*reference, changes[nextChange].index, changes[nextChange].value);
            ++nextChange;
        }
        const int32 length = std::min(blockLengths[block % std::size(blockLengths)], total - done);
        Sample* inputs[2] = {inL.data() + done, inR.data() + done};
        Sample* outputs[2] = {fastL.data() + done, fastR.data() + done};
        if constexpr (sizeof(Sample) == 4)
            fast->processSamples32(inputs, outputs, length);
        else
            fast->processSamples64(inputs, outputs, length);
        referenceBlock(*reference, inL.data() + done, inR.data() + done, refL.data() + done,
                       refR.data() + done, length);
        done += length;
    }

    expectSameResults(fastL, fastR, refL, refR);
    expectSameState(*fast, *reference);
}

std::string levelName(VectorLevel level)
{
    const char* const names[] = {"Baseline", "Avx2", "Avx512"};
    return names[static_cast<int>(level)];
}

// Sample rate, and the vector level of the block loop: each level this machine has
// must give the reference's results.
class SameAsReference : public testing::TestWithParam<std::tuple<double, VectorLevel>> {
protected:
    void SetUp() override
    {
        if (std::get<1>(GetParam()) > widestVectorLevel())
            GTEST_SKIP() << "this CPU lacks the vector level";
    }
};

TEST_P(SameAsReference, SixtyFourBit)
{
    expectSameAsReference<double>(std::get<0>(GetParam()), std::get<1>(GetParam()), 1.7);
}

TEST_P(SameAsReference, ThirtyTwoBit)
{
    expectSameAsReference<float>(std::get<0>(GetParam()), std::get<1>(GetParam()), 1.7);
}

std::string rateAndLevel(const testing::TestParamInfo<std::tuple<double, VectorLevel>>& info)
{
    return std::to_string(static_cast<int>(std::get<0>(info.param))) + "Hz" +
        levelName(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(Engine, SameAsReference,
                         testing::Combine(testing::Values(4000.0, 11025.0, 44100.0, 48000.0, 192000.0),
                                          testing::Values(VectorLevel::kBaseline, VectorLevel::kAvx2,
                                                          VectorLevel::kAvx512)),
                         rateAndLevel);

// States that the default runs above never reach, at each vector level.
class SameAsReferenceWhen : public testing::TestWithParam<VectorLevel> {
protected:
    void SetUp() override
    {
        if (GetParam() > widestVectorLevel())
            GTEST_SKIP() << "this CPU lacks the vector level";
    }
};

// The shortest predelay (1 ms) is shorter than a batch at these rates: part of a batch
// reads what the same batch writes.
TEST_P(SameAsReferenceWhen, PredelayIsShorterThanABatch)
{
    for (const double rate : {44100.0, 48000.0})
        expectSameAsReference<double>(rate, GetParam(), 1.0, parametersWith(kValuePredelay, 1e-6), {});
}

// The input history outlasts the longest truncation by more than the shortest line, which
// limits a batch as well (at 4 kHz and Rvb Time 1: by 122 samples, against 80), so no
// setting makes that margin the tightest limit. A truncation set by hand 40 samples short
// of the history does: a batch must not feed over what its own truncation terms still read.
TEST_P(SameAsReferenceWhen, TruncationIsCloseToTheHistoryLength)
{
    expectSameAsReference<double>(
        4000.0, GetParam(), 1.5, parametersWith(kValueRvbTime, 1.0), {}, [](PlugProcessor& engine) {
            engine.reconfigPending = false;  // no cycle to set the lengths afresh
            engine.truncLength[0] = PlugProcessor::kHistoryFactor * engine.bufferLength - 40;
        });
}

// firstRun holds the tank gain at 1 until a fade-in ends (the processor's initialize
// clears it; the engine still serves it). With the smoothers at rest, that fade-in
// still moves on every sample, and a change soon after it ends fades out from there.
TEST_P(SameAsReferenceWhen, AChangeFollowsTheFirstRunFadeIn)
{
    static constexpr Change kSoonAfter[] = {{0.46, kValueRvbTime, 0.5}};
    expectSameAsReference<double>(48000.0, GetParam(), 0.6, PlugState::defaults(), kSoonAfter,
                                  [](PlugProcessor& engine) { engine.firstRun = true; });
}

INSTANTIATE_TEST_SUITE_P(Engine, SameAsReferenceWhen,
                         testing::Values(VectorLevel::kBaseline, VectorLevel::kAvx2, VectorLevel::kAvx512),
                         [](const testing::TestParamInfo<VectorLevel>& info) {
                             return levelName(info.param);
                         });

// A change of Rvb Time gives new line lengths at the end of its cycle's hold, on a
// sample known in advance. A block that starts 1, 2 or 63 samples before it has the
// hold end on its 2nd, 3rd or 64th sample: inside one of the loop's batches, which
// must end right there, as the per-sample loop has it.
TEST(BlockLoop, HoldEndingInsideABlockIsExactAtEveryAlignment)
{
    constexpr double kRate = 44100.0;
    constexpr int32 kSettled = 20000;  // past the cycle of activation
    auto probe = makeEngine(kRate);
    runSilence(*probe, kSettled);
    setParameter(*probe, kValueRvbTime, 0.6);
    int32 lastHoldSample = kSettled - 1;
    for (StereoBuffers<double> one(1); probe->reconfigPending; ++lastHoldSample)
        process(*probe, one, 1);

    for (const int32 offset : {1, 2, 63}) {
        SCOPED_TRACE(offset);
        auto fast = makeEngine(kRate);
        auto reference = makeEngine(kRate);
        const int32 blockStart = lastHoldSample - offset;
        const int32 total = blockStart + 128;
        std::vector<double> inL = noise(static_cast<std::size_t>(total), 41u);
        std::vector<double> inR = noise(static_cast<std::size_t>(total), 42u);
        std::vector<double> fastL(total), fastR(total), refL(total), refR(total);
        for (const auto& [start, end] :
             {std::pair{0, kSettled}, std::pair{kSettled, blockStart}, std::pair{blockStart, total}}) {
            if (start == kSettled) {
                setParameter(*fast, kValueRvbTime, 0.6);
                setParameter(*reference, kValueRvbTime, 0.6);
            }
            double* in[2] = {inL.data() + start, inR.data() + start};
            double* out[2] = {fastL.data() + start, fastR.data() + start};
            fast->processSamples64(in, out, end - start);
            referenceBlock(*reference, in[0], in[1], refL.data() + start, refR.data() + start, end - start);
        }
        ASSERT_FALSE(fast->reconfigPending);
        expectSameResults(fastL, fastR, refL, refR);
        expectSameState(*fast, *reference);
    }
}

// One sample per call, recording the fade of the cycle that every activation starts.
TEST(ReconfigurationCycle, ActivationTimelineAt44k)
{
    auto engine = makeEngine(44100.0);
    StereoBuffers<double> buffers(1);
    int32 firstSilent = 0;
    int32 reconfiguredOn = 0;
    int32 backAtFull = 0;
    for (int32 sample = 1; sample <= 20000; ++sample) {
        const bool wasPending = engine->reconfigPending;
        process(*engine, buffers, 1);
        if (sample == 1) {
            EXPECT_EQ(engine->tankGain, 1.0 - engine->fadeOutStep);
        }
        if (!firstSilent && engine->fadeGain == 0.0)
            firstSilent = sample;
        if (wasPending && !engine->reconfigPending) {
            reconfiguredOn = sample;
            EXPECT_EQ(engine->tankGain, 0.0);
        }
        if (reconfiguredOn && !backAtFull && engine->fadeGain == 1.0)
            backAtFull = sample;
        if (firstSilent && !reconfiguredOn) {
            EXPECT_EQ(engine->tankGain, 0.0) << sample;
        }
    }
    EXPECT_EQ(firstSilent, 6616);
    EXPECT_EQ(reconfiguredOn, 17640);
    EXPECT_EQ(backAtFull, 19845);
    EXPECT_FALSE(engine->fadingIn);
}

// Counts the reconfigurations (ends of a hold) within `samples` samples.
int countReconfigurations(PlugProcessor& engine, int32 samples)
{
    StereoBuffers<double> buffers(64);
    int count = 0;
    for (int32 done = 0; done < samples; done += 64) {
        const bool wasPending = engine.reconfigPending;
        process(engine, buffers, 64);
        count += wasPending && !engine.reconfigPending;
    }
    return count;
}

TEST(ReconfigurationCycle, OneCyclePerChangeAndNoneForLPCut)
{
    auto engine = makeEngine(48000.0);
    EXPECT_EQ(countReconfigurations(*engine, 48000), 1);  // the cycle of activation
    setParameter(*engine, kValueRvbTime, 0.7);            // three compared values change
    EXPECT_EQ(countReconfigurations(*engine, 96000), 1);
    setParameter(*engine, kValueLPCut, 0.3);
    EXPECT_EQ(countReconfigurations(*engine, 48000), 0);
    EXPECT_EQ(engine->fadeGain, 1.0);
}

TEST(ReconfigurationCycle, ChangeDuringFadeInFadesOutAgainWithAFullHold)
{
    auto engine = makeEngine(44100.0);
    runSilence(*engine, 17640 + 500, 1);  // 500 samples into the fade-in
    ASSERT_TRUE(engine->fadingIn);
    const double gain = engine->fadeGain;
    setParameter(*engine, kValuePredelay, 0.5);
    runSilence(*engine, 1, 1);
    EXPECT_FALSE(engine->fadingIn);
    EXPECT_EQ(engine->fadeGain, gain - engine->fadeOutStep);
    EXPECT_EQ(engine->holdCounter, engine->holdSamples);

    int32 holdStart = 0;
    int32 sample = 1;
    for (; engine->reconfigPending; ++sample) {
        runSilence(*engine, 1, 1);
        if (!holdStart && engine->fadeGain == 0.0)
            holdStart = sample;
        ASSERT_LT(sample, 44100);
    }
    const int32 reconfiguredOn = sample - 1;
    EXPECT_EQ(reconfiguredOn - holdStart + 1, engine->holdSamples);
    EXPECT_EQ(engine->predelaySamples, static_cast<int32>(44.1 * std::exp2(7.965784284662086 * 0.5) + 0.5));
}

TEST(Smoothing, LevelMixAndDiffusionCoverEightyNinePercentIn50ms)
{
    auto engine = makeEngine(44100.0);
    const double levelFrom = engine->levelGainTarget;
    const double mixFrom = engine->mixTarget;
    const double diffusionFrom = engine->diffusionTarget;
    setParameter(*engine, kValueLevel, 0.0);
    setParameter(*engine, kValueMix, 1.0);
    setParameter(*engine, kValueDiffusion, 0.0);
    EXPECT_EQ(engine->levelGainSmoothed, levelFrom);  // nothing moves before samples run
    runSilence(*engine, 2205);
    const double covered = 1.0 - std::exp(-2.2);
    auto fraction = [](double from, double to, double now) { return (now - from) / (to - from); };
    EXPECT_NEAR(fraction(levelFrom, engine->levelGainTarget, engine->levelGainSmoothed), covered, 1e-3);
    EXPECT_NEAR(fraction(mixFrom, 1.0, engine->mixSmoothed), covered, 1e-3);
    EXPECT_NEAR(fraction(diffusionFrom, 0.0, engine->diffusionSmoothed), covered, 1e-3);
    EXPECT_DOUBLE_EQ(engine->dryGain, 1.0 - engine->mixSmoothed);
}

TEST(BlockLoop, EmptyBlockChangesNothing)
{
    auto engine = makeEngine(48000.0);
    StereoBuffers<double> buffers(8);
    buffers.outLeft.assign(8, 5.0);
    for (const int32 length : {0, -3}) {
        process(*engine, buffers, length);
        EXPECT_EQ(engine->writeIndex, 0);
        EXPECT_EQ(engine->fadeGain, 1.0);
        EXPECT_EQ(engine->holdCounter, engine->holdSamples);
        EXPECT_EQ(engine->levelSmoothState, makeEngine(48000.0)->levelSmoothState);
        EXPECT_EQ(buffers.outLeft[0], 5.0);
    }
}

TEST(BlockLoop, DiffuserCoefficientsAtTheEndsOfTheDiffusionRange)
{
    auto engine = makeEngine(48000.0);
    runSilence(*engine, 1);
    EXPECT_EQ(engine->inputDiffuserCoeff[0], 0.8);
    EXPECT_EQ(engine->inputDiffuserCoeff[1], 0.8);
    EXPECT_NEAR(engine->inputDiffuserCoeff[2], 0.5563, 1e-4);
    EXPECT_NEAR(engine->inputDiffuserCoeff[3], 0.6514, 1e-4);
    EXPECT_NEAR(engine->outputDiffuserCoeff[0], 0.7943, 1e-4);
    EXPECT_EQ(engine->outputDiffuserCoeff[1], 0.8);

    auto dry = makeEngine(48000.0, parametersWith(kValueDiffusion, 0.0));
    runSilence(*dry, 1);
    for (const double c : dry->inputDiffuserCoeff)
        EXPECT_EQ(c, 0.0);
    EXPECT_EQ(dry->outputDiffuserCoeff[0], 0.0);
    EXPECT_EQ(dry->outputDiffuserCoeff[1], 0.0);

    // Recomputed as soon as the smoothed diffusion moves.
    engine->diffusionSmoothed = 0.5;
    engine->updateDiffuserCoefficients();
    EXPECT_EQ(engine->inputDiffuserCoeff[2], std::exp2(12.735 * -9.965784284662087 * (1.0 / 75.0)));
}

}  // namespace
}  // namespace Steinberg::Vst
