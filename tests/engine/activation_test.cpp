// Activation: sizes, sample-rate constants, the delay memory's life cycle, and what a
// failed activation leaves behind.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <new>

#include "tests/engine/enginetesting.h"

namespace Steinberg::Vst {
namespace {

using namespace morvik::testing;

// Visits the 34 delay arrays with their lengths in samples.
template <typename Visit>
void forEachArray(PlugProcessor& engine, Visit&& visit)
{
    const int32 n = engine.bufferLength;
    visit(engine.predelayLine, n);
    for (int k = 0; k < PlugProcessor::kNumInputDiffusers; ++k) {
        visit(engine.inputDiffuserX[k], n);
        visit(engine.inputDiffuserY[k], n);
    }
    for (double* line : engine.tankLines)
        visit(line, n);
    visit(engine.inputHistory, PlugProcessor::kHistoryFactor * n);
    for (int k = 0; k < PlugProcessor::kNumOutputDiffusers; ++k) {
        visit(engine.outputDiffuserX[k], n);
        visit(engine.outputDiffuserY[k], n);
    }
}

int countArrays(PlugProcessor& engine)
{
    int count = 0;
    forEachArray(engine, [&count](double* array, int32) { count += array != nullptr; });
    return count;
}

struct RateCase {
    double sampleRate;
    int32 bufferLength;
    int32 holdSamples;
    int32 inputDelays[4];
    int32 outputDelays[4];
};

class ActivationAtRate : public testing::TestWithParam<RateCase> {};

TEST_P(ActivationAtRate, SizesAndDiffuserDelays)
{
    const RateCase& c = GetParam();
    auto engine = makeEngine(c.sampleRate);
    EXPECT_DOUBLE_EQ(engine->samplesPerMs, c.sampleRate * 0.001);
    EXPECT_EQ(engine->bufferLength, c.bufferLength);
    EXPECT_EQ(engine->holdSamples, c.holdSamples);
    EXPECT_EQ(engine->holdCounter, c.holdSamples);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(engine->inputDiffuserDelay[k], c.inputDelays[k]) << k;
        EXPECT_EQ(engine->outputDiffuserDelay[k], c.outputDelays[k]) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Engine, ActivationAtRate,
    testing::Values(RateCase{44100.0, 11036, 11025, {210, 159, 562, 410}, {221, 75, 207, 84}},
                    RateCase{48000.0, 12012, 12000, {229, 173, 611, 447}, {240, 82, 226, 91}}),
    [](const testing::TestParamInfo<RateCase>& info) {
        return std::to_string(static_cast<int>(info.param.sampleRate));
    });

TEST(Activation, AllocatesAndClearsEveryArrayAndResetsTheCycle)
{
    auto engine = makeEngine(44100.0);
    EXPECT_EQ(countArrays(*engine), 34);
    bool allZero = true;
    forEachArray(*engine, [&allZero](double* array, int32 length) {
        for (int32 i = 0; i < length; ++i)
            allZero = allZero && array[i] == 0.0;
    });
    EXPECT_TRUE(allZero);
    EXPECT_EQ(engine->writeIndex, 0);
    EXPECT_EQ(engine->historyIndex, 0);
    EXPECT_TRUE(engine->reconfigPending);  // sentinels: the first mapping is always a change
    EXPECT_FALSE(engine->fadingIn);
    EXPECT_EQ(engine->fadeGain, 1.0);
    EXPECT_DOUBLE_EQ(engine->smoothA + engine->smoothB, 1.0);
}

TEST(Activation, ReactivationRestartsFromCleanMemoryAtTheNewRate)
{
    auto engine = makeEngine(44100.0);
    StereoBuffers<double> buffers(512);
    buffers.left.assign(512, 0.5);
    process(*engine, buffers, 512);
    EXPECT_NE(engine->writeIndex, 0);

    engine->sampleRate = 48000.0;
    engine->prepareEngine();
    EXPECT_EQ(engine->bufferLength, 12012);
    EXPECT_EQ(engine->writeIndex, 0);
    EXPECT_EQ(engine->dampingLowpass.y1, 0.0);
    EXPECT_EQ(engine->predelayLine[0], 0.0);
    EXPECT_EQ(engine->inputHistory[1], 0.0);
}

TEST(Activation, DeactivationFreesTheArraysAndKeepsTheRest)
{
    auto engine = makeEngine(48000.0);
    const double pole = engine->midHighpass.pole;
    engine->freeBuffers();
    EXPECT_EQ(countArrays(*engine), 0);
    EXPECT_FALSE(engine->buffersAllocated());
    EXPECT_EQ(engine->sampleRate, 48000.0);
    EXPECT_EQ(engine->midHighpass.pole, pole);
    EXPECT_EQ(engine->fadeGain, 1.0);
    engine->freeBuffers();  // twice is harmless
    engine->clearBuffers(engine->bufferLength);
    EXPECT_EQ(countArrays(*engine), 0);
}

TEST(Activation, InactiveEngineLeavesBuffersAndStateAlone)
{
    auto engine = makeProcessor();
    StereoBuffers<double> buffers(64);
    buffers.outLeft.assign(64, 7.0);
    process(*engine, buffers, 64);
    EXPECT_EQ(buffers.outLeft[0], 7.0);
    EXPECT_EQ(engine->writeIndex, 0);

    engine->sampleRate = 48000.0;
    engine->prepareEngine();
    engine->freeBuffers();
    const int32 index = engine->writeIndex;
    StereoBuffers<float> floats(64);
    floats.outRight.assign(64, 3.0f);
    process(*engine, floats, 64);
    EXPECT_EQ(floats.outRight[63], 3.0f);
    EXPECT_EQ(engine->writeIndex, index);
}

TEST(Activation, NullOrShortChannelListsAreIgnored)
{
    auto engine = makeEngine(48000.0);
    StereoBuffers<double> buffers(16);
    double* missingRight[2] = {buffers.left.data(), nullptr};
    engine->processSamples64(nullptr, buffers.outputs(), 16);
    engine->processSamples64(buffers.inputs(), nullptr, 16);
    engine->processSamples64(missingRight, buffers.outputs(), 16);
    engine->processSamples64(buffers.inputs(), missingRight, 16);
    EXPECT_EQ(engine->writeIndex, 0);
}

TEST(Activation, RateWithoutUsableDelayMemoryFailsCleanly)
{
    for (const double rate : {0.0, 1000.0, 3999.0, 1e12, std::nan("")}) {
        auto engine = makeEngine(48000.0);
        engine->sampleRate = rate;
        EXPECT_THROW(engine->prepareEngine(), std::bad_alloc) << rate;
        EXPECT_EQ(countArrays(*engine), 0) << rate;
        StereoBuffers<double> buffers(8);
        process(*engine, buffers, 8);  // must not touch the freed memory
    }
}

// A failing operator new[] for the allocation test below, armed only inside it.
int allocationsUntilFailure = -1;
int liveArrays = 0;

}  // namespace
}  // namespace Steinberg::Vst

void* operator new[](std::size_t size)
{
    using namespace Steinberg::Vst;
    if (allocationsUntilFailure == 0)
        throw std::bad_alloc();
    if (allocationsUntilFailure > 0)
        --allocationsUntilFailure;
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (!memory)
        throw std::bad_alloc();
    ++liveArrays;
    return memory;
}

void operator delete[](void* memory) noexcept
{
    if (memory)
        --Steinberg::Vst::liveArrays;
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    operator delete[](memory);
}

namespace Steinberg::Vst {
namespace {

TEST(Activation, FailedAllocationLeavesEveryPointerNullAndLeaksNothing)
{
    for (const int failingAllocation : {0, 1, 17, 20, 33}) {
        auto engine = makeEngine(48000.0);
        const int before = liveArrays;
        allocationsUntilFailure = failingAllocation;
        EXPECT_THROW(engine->prepareEngine(), std::bad_alloc);
        allocationsUntilFailure = -1;
        EXPECT_EQ(countArrays(*engine), 0) << failingAllocation;
        EXPECT_EQ(liveArrays, before - 34) << failingAllocation;  // the old arrays went too

        engine->prepareEngine();  // and the engine recovers once memory is there
        EXPECT_EQ(countArrays(*engine), 34);
        EXPECT_EQ(liveArrays, before);
    }
}

}  // namespace
}  // namespace Steinberg::Vst
