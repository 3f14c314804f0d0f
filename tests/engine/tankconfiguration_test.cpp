// Tank configuration: line lengths, pass counts and gains, and the bounds that keep
// every delay inside its array.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

#include "source/engine/formulas.h"
#include "tests/engine/enginetesting.h"

namespace Steinberg::Vst {
namespace {

using namespace morvik::testing;

constexpr int kLines = PlugProcessor::kNumTankLines;

int32 passes(const PlugProcessor& engine, int line)
{
    return engine.truncLength[line] / engine.lineLength[line];
}

TEST(TankConfiguration, ShortestSettingAt48k)
{
    auto engine = makeEngine(48000.0, parametersWith(kValueRvbTime, 0.0));
    const int32 lengths[kLines] = {1543, 1265, 1110, 978, 901, 834, 734, 659,
                                   633,  585,  550,  566, 522, 518, 508, 483};
    const int32 passCounts[kLines] = {6, 8, 9, 10, 11, 12, 13, 15, 15, 16, 17, 17, 18, 19, 19, 20};
    for (int i = 0; i < kLines; ++i) {
        EXPECT_EQ(engine->lineLength[i], lengths[i]) << i;
        EXPECT_EQ(engine->truncLength[i], passCounts[i] * lengths[i]) << i;
    }
    EXPECT_EQ(engine->truncLength[0], 9258);
}

TEST(TankConfiguration, LongestSettingAt48kFitsTheInputHistory)
{
    auto engine = makeEngine(48000.0, parametersWith(kValueRvbTime, 1.0));
    EXPECT_EQ(engine->lineLength[0], 3085);
    EXPECT_EQ(passes(*engine, 0), 19);
    EXPECT_EQ(engine->truncLength[0], 58615);
    EXPECT_EQ(engine->lineLength[15], 965);
    EXPECT_EQ(passes(*engine, 15), 60);
    EXPECT_EQ(engine->truncLength[15], 57900);
    for (int i = 0; i < kLines; ++i)
        EXPECT_LT(engine->truncLength[i], 60060) << i;
}

TEST(TankConfiguration, PredelayReachesAQuarterSecond)
{
    EXPECT_EQ(makeEngine(48000.0, parametersWith(kValuePredelay, 1.0))->predelaySamples, 12000);
    EXPECT_EQ(makeEngine(48000.0, parametersWith(kValuePredelay, 0.0))->predelaySamples, 0);
}

TEST(TankConfiguration, TruncationGainFollowsTheSlope)
{
    PlugState steep = parametersWith(kValueSlope, 0.0);
    steep.values[kValueRvbTime] = 0.0;
    auto engine = makeEngine(48000.0, steep);
    EXPECT_NEAR(engine->truncGain[0], 0.00128, 0.00001);
    for (int i = 0; i < kLines; ++i) {
        EXPECT_GT(engine->truncGain[i], 0.0005) << i;
        EXPECT_LT(engine->truncGain[i], 0.002) << i;
        // Exponentiation by squaring agrees with a general power to rounding.
        EXPECT_NEAR(engine->truncGain[i], std::pow(engine->lineGain[i], passes(*engine, i)), 1e-15);
    }

    auto flat = makeEngine(48000.0);  // Slope 100 %, gate 350 ms
    for (int i = 0; i < kLines; ++i)
        EXPECT_NEAR(flat->truncGain[i], 0.6, 0.05) << i;
}

TEST(TankConfiguration, FeedbackWeightsFavourTheLossiestLine)
{
    auto engine = makeEngine(48000.0);
    const double* weights = engine->feedbackWeight;
    EXPECT_NEAR(std::accumulate(weights, weights + kLines, 0.0), 1.0, 1e-12);
    EXPECT_EQ(std::max_element(weights, weights + kLines), weights);
}

TEST(TankConfiguration, PartialCallUpdatesGainsButKeepsLengths)
{
    auto engine = makeEngine(48000.0);
    runSilence(*engine, 48000);
    struct Tables {
        int32 predelaySamples;
        std::array<int32, kLines> lineLength, truncLength;
        std::array<double, kLines> lineGain, truncGain;
    } before{engine->predelaySamples, {}, {}, {}, {}};
    std::copy_n(engine->lineLength, kLines, before.lineLength.begin());
    std::copy_n(engine->truncLength, kLines, before.truncLength.begin());
    std::copy_n(engine->lineGain, kLines, before.lineGain.begin());
    std::copy_n(engine->truncGain, kLines, before.truncGain.begin());
    engine->state.values[kValueRvbTime] = 0.8;
    engine->updateParameters(false);  // sets reconfigPending, then a partial configuration
    ASSERT_TRUE(engine->reconfigPending);
    EXPECT_EQ(engine->predelaySamples, before.predelaySamples);
    for (int i = 0; i < kLines; ++i) {
        EXPECT_EQ(engine->lineLength[i], before.lineLength[i]) << i;
        EXPECT_EQ(engine->truncLength[i], before.truncLength[i]) << i;
        EXPECT_NE(engine->lineGain[i], before.lineGain[i]) << i;
        EXPECT_NE(engine->truncGain[i], before.truncGain[i]) << i;
    }

    engine->configureTank(true);
    EXPECT_NE(engine->lineLength[0], before.lineLength[0]);
    EXPECT_NE(engine->truncLength[0], before.truncLength[0]);
}

TEST(TankConfiguration, DampingCutoffStaysBelowHalfTheRate)
{
    struct Case {
        double sampleRate;
        double cutoffUsed;
    };
    for (const Case c : {Case{4000.0, 1000.0}, Case{8000.0, 3000.0}, Case{22050.0, 10000.0},
                         Case{32000.0, 15000.0}, Case{48000.0, 16000.0}}) {
        auto engine = makeEngine(c.sampleRate, parametersWith(kValueLPCut, 1.0));
        EXPECT_NEAR(engine->dampCutoffHz, 16000.0, 1e-9);  // the mapped value is kept
        double gain = 0.0;
        double pole = 0.0;
        lowpassCoefficients(gain, pole, c.cutoffUsed, c.sampleRate);
        EXPECT_DOUBLE_EQ(engine->dampingLowpass.pole, pole) << c.sampleRate;
        EXPECT_NEAR(engine->dampingLowpass.gain, 0.02 * gain, 1e-15) << c.sampleRate;
        EXPECT_LT(std::abs(engine->dampingLowpass.pole), 1.0) << c.sampleRate;
    }
}

// The delay bounds hold at every rate the processor accepts and for all parameter
// extremes, so no read leaves its array.
TEST(TankConfiguration, EveryDelayFitsItsArrayAtEveryRate)
{
    for (const double rate : {4000.0, 4001.0, 7999.0, 8000.0, 11025.0, 22050.0, 44100.0, 48000.0, 88200.0,
                              96000.0, 192000.0, 384000.0, 1536000.0}) {
        for (const double rvbTime : {0.0, 0.37, 1.0}) {
            for (const double predelay : {0.0, 1.0}) {
                PlugState parameters = parametersWith(kValueRvbTime, rvbTime);
                parameters.values[kValuePredelay] = predelay;
                auto engine = makeEngine(rate, parameters);
                const int32 n = engine->bufferLength;
                EXPECT_LE(engine->predelaySamples, n) << rate;
                for (int k = 0; k < 4; ++k) {
                    EXPECT_LE(engine->inputDiffuserDelay[k], n);
                    EXPECT_LE(engine->outputDiffuserDelay[k], n);
                }
                for (int i = 0; i < kLines; ++i) {
                    EXPECT_GT(engine->lineLength[i], 0) << rate << " " << i;
                    EXPECT_LE(engine->lineLength[i], n) << rate << " " << i;
                    EXPECT_LE(engine->truncLength[i], PlugProcessor::kHistoryFactor * n) << rate << " " << i;
                }
            }
        }
    }
}

}  // namespace
}  // namespace Steinberg::Vst
