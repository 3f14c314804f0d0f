// Parameter mapping: engine values from the normalized record, change detection, and
// the clamping of values that only a restored state can carry.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/engine/enginetesting.h"

namespace Steinberg::Vst {
namespace {

using namespace morvik::testing;

TEST(ParameterMapping, DefaultsGiveTheProductsStartingSound)
{
    auto engine = makeEngine(44100.0);
    EXPECT_NEAR(engine->levelGainTarget, 1.0, 1e-12);
    EXPECT_EQ(engine->mixTarget, 0.5);
    EXPECT_EQ(engine->predelayMs, 0.0);
    EXPECT_DOUBLE_EQ(engine->gateMs, 350.0);
    EXPECT_DOUBLE_EQ(engine->sizeMs, 205.0);
    EXPECT_NEAR(engine->diffusionTarget, 1.0, 1e-12);
    EXPECT_NEAR(engine->dampCutoffHz, 8000.0, 1e-9);
    EXPECT_NEAR(engine->decayMs, 5000.0, 1e-9);
    // Activation snaps the smoothers onto their targets.
    EXPECT_EQ(engine->levelGainSmoothed, engine->levelGainTarget);
    EXPECT_EQ(engine->mixSmoothed, engine->mixTarget);
    EXPECT_EQ(engine->diffusionSmoothed, engine->diffusionTarget);
    EXPECT_NEAR(engine->levelSmoothState, engine->levelGainTarget, 1e-12);
    EXPECT_EQ(engine->tankGain, engine->fadeGain);
}

struct MappingCase {
    const char* name;
    PlugValueIndex index;
    double normalized;
    double PlugProcessor::*member;
    double expected;
    double tolerance;
};

class MappingPoints : public testing::TestWithParam<MappingCase> {};

TEST_P(MappingPoints, MapsToItsEngineValue)
{
    const MappingCase& c = GetParam();
    auto engine = makeEngine(48000.0, parametersWith(c.index, c.normalized));
    EXPECT_NEAR((*engine).*c.member, c.expected, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, MappingPoints,
    testing::Values(
        MappingCase{"LevelMin", kValueLevel, 0.0, &PlugProcessor::levelGainTarget, 0.015848931924611134,
                    1e-14},
        MappingCase{"LevelMax", kValueLevel, 1.0, &PlugProcessor::levelGainTarget, 3.981071705534973, 1e-12},
        MappingCase{"PredelayZero", kValuePredelay, 0.0, &PlugProcessor::predelayMs, 0.0, 0.0},
        MappingCase{"PredelayJustAboveZero", kValuePredelay, 1e-9, &PlugProcessor::predelayMs, 1.0, 1e-8},
        // However small, a value above 0 is not 0: a denormal gives the first step.
        MappingCase{"PredelayDenormal", kValuePredelay, 4.9e-324, &PlugProcessor::predelayMs, 1.0, 0.0},
        MappingCase{"PredelayMax", kValuePredelay, 1.0, &PlugProcessor::predelayMs, 250.0, 1e-9},
        MappingCase{"DiffusionZero", kValueDiffusion, 0.0, &PlugProcessor::diffusionTarget, 0.0, 0.0},
        MappingCase{"DiffusionJustAboveZero", kValueDiffusion, 1e-9, &PlugProcessor::diffusionTarget, 0.1,
                    1e-9},
        MappingCase{"DiffusionDenormal", kValueDiffusion, 1e-310, &PlugProcessor::diffusionTarget, 0.1, 0.0},
        MappingCase{"RvbTimeZeroGate", kValueRvbTime, 0.0, &PlugProcessor::gateMs, 200.0, 0.0},
        MappingCase{"RvbTimeOneGate", kValueRvbTime, 1.0, &PlugProcessor::gateMs, 1200.0, 0.0},
        MappingCase{"RvbTimeOneSize", kValueRvbTime, 1.0, &PlugProcessor::sizeMs, 800.0, 0.0},
        MappingCase{"LPCutMin", kValueLPCut, 0.0, &PlugProcessor::dampCutoffHz, 500.0, 0.0},
        MappingCase{"LPCutMax", kValueLPCut, 1.0, &PlugProcessor::dampCutoffHz, 16000.0, 1e-9},
        MappingCase{"SlopeZeroDecayIsGate", kValueSlope, 0.0, &PlugProcessor::decayMs, 350.0, 1e-12},
        MappingCase{"SlopeHalf", kValueSlope, 0.5, &PlugProcessor::decayMs, std::sqrt(350.0 * 5000.0), 1e-9}),
    [](const testing::TestParamInfo<MappingCase>& info) { return std::string(info.param.name); });

TEST(ParameterMapping, FullSlopeReachesFiveSecondsWhateverTheGate)
{
    for (const double rvbTime : {0.0, 0.3, 1.0}) {
        PlugState parameters = parametersWith(kValueRvbTime, rvbTime);
        parameters.values[kValueSlope] = 1.0;
        auto engine = makeEngine(48000.0, parameters);
        EXPECT_NEAR(engine->decayMs, 5000.0, 1e-9) << rvbTime;
    }
}

TEST(ChangeDetection, OnlyPredelayRvbTimeAndSlopeStartAReconfiguration)
{
    struct Case {
        PlugValueIndex index;
        double value;
        bool reconfigures;
    };
    const auto defaults = PlugState::defaults();
    for (const Case c :
         {Case{kValueLevel, 0.2, false}, Case{kValueMix, 0.9, false}, Case{kValueDiffusion, 0.3, false},
          Case{kValueLPCut, 0.1, false}, Case{kValuePredelay, 0.4, true}, Case{kValueRvbTime, 0.6, true},
          Case{kValueSlope, 0.2, true}, Case{kValueRvbTime, defaults.values[kValueRvbTime], false}}) {
        auto engine = makeEngine(48000.0);
        runSilence(*engine, 48000);  // past the cycle of activation
        ASSERT_FALSE(engine->reconfigPending);
        setParameter(*engine, c.index, c.value);
        EXPECT_EQ(engine->reconfigPending, c.reconfigures) << c.index << " = " << c.value;
    }
}

TEST(ChangeDetection, LPCutActsAtOnceOnTheDampingFilter)
{
    auto engine = makeEngine(48000.0);
    runSilence(*engine, 48000);
    const int32 lineLength = engine->lineLength[3];
    const double pole = engine->dampingLowpass.pole;
    setParameter(*engine, kValueLPCut, 0.2);
    EXPECT_NE(engine->dampingLowpass.pole, pole);
    EXPECT_FALSE(engine->reconfigPending);
    EXPECT_EQ(engine->lineLength[3], lineLength);
}

TEST(ChangeDetection, ReturningToTheOldValueStillCounts)
{
    auto engine = makeEngine(48000.0);
    runSilence(*engine, 48000);
    setParameter(*engine, kValuePredelay, 0.5);
    runSilence(*engine, 48000);
    ASSERT_FALSE(engine->reconfigPending);
    setParameter(*engine, kValuePredelay, 0.0);
    EXPECT_TRUE(engine->reconfigPending);
}

// Values outside 0..1 or NaN can only come from a restored state; the engine treats
// them as the nearest end of the range, and NaN as the parameter's default.
TEST(Clamping, OutOfRangeAndNaNValuesMapLikeTheirClampedValue)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    struct Case {
        double stored;
        double equivalent;  // the in-range value the engine must treat it as
    };
    const auto defaults = PlugState::defaults();
    for (int32 index = 0; index < kNumUsedValues; ++index) {
        for (const Case c : {Case{-0.5, 0.0}, Case{-kInf, 0.0}, Case{7.0, 1.0}, Case{kInf, 1.0},
                             Case{kNaN, defaults.values[index]}, Case{-0.0, 0.0}}) {
            const auto valueIndex = static_cast<PlugValueIndex>(index);
            auto odd = makeEngine(48000.0, parametersWith(valueIndex, c.stored));
            auto reference = makeEngine(48000.0, parametersWith(valueIndex, c.equivalent));
            const std::string what = std::to_string(index) + " = " + std::to_string(c.stored);
            EXPECT_EQ(odd->levelGainTarget, reference->levelGainTarget) << what;
            EXPECT_EQ(odd->mixTarget, reference->mixTarget) << what;
            EXPECT_EQ(odd->predelayMs, reference->predelayMs) << what;
            EXPECT_EQ(odd->gateMs, reference->gateMs) << what;
            EXPECT_EQ(odd->sizeMs, reference->sizeMs) << what;
            EXPECT_EQ(odd->diffusionTarget, reference->diffusionTarget) << what;
            EXPECT_EQ(odd->dampCutoffHz, reference->dampCutoffHz) << what;
            EXPECT_EQ(odd->decayMs, reference->decayMs) << what;
            EXPECT_EQ(odd->predelaySamples, reference->predelaySamples) << what;
            EXPECT_EQ(odd->truncLength[0], reference->truncLength[0]) << what;
            // The record keeps what it was given.
            if (std::isnan(c.stored)) {
                EXPECT_TRUE(std::isnan(odd->state.values[index]));
            } else {
                EXPECT_EQ(odd->state.values[index], c.stored);
            }
        }
    }
}

TEST(Clamping, ExtremeRestoredValuesKeepEveryDelayInsideItsArray)
{
    PlugState parameters = PlugState::defaults();
    for (double& value : parameters.values)
        value = 1e300;
    auto engine = makeEngine(4000.0, parameters);
    EXPECT_LE(engine->predelaySamples, engine->bufferLength);
    for (int i = 0; i < PlugProcessor::kNumTankLines; ++i) {
        EXPECT_LE(engine->lineLength[i], engine->bufferLength);
        EXPECT_LE(engine->truncLength[i], PlugProcessor::kHistoryFactor * engine->bufferLength);
    }
    StereoBuffers<double> buffers(256);
    buffers.left.assign(256, 1.0);
    for (int block = 0; block < 40; ++block)
        process(*engine, buffers, 256);
    EXPECT_TRUE(std::isfinite(buffers.outLeft[255]));
}

}  // namespace
}  // namespace Steinberg::Vst
