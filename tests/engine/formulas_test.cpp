#include "source/engine/formulas.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "source/engine/tanktables.h"

namespace Steinberg::Vst {
namespace {

TEST(MappingLaws, ExponentialMapEndsAtItsBoundsAndInvertsExactlyEnough)
{
    EXPECT_NEAR(mapExponential(0.0, 20.0, 20000.0), 20.0, 1e-12);
    EXPECT_NEAR(mapExponential(1.0, 20.0, 20000.0), 20000.0, 1e-9);
    for (const double x : {1.0, 3.7, 99.0, 250.0})
        EXPECT_NEAR(mapExponential(unmapExponential(x, 1.0, 250.0), 1.0, 250.0), x, x * 1e-13) << x;
    EXPECT_DOUBLE_EQ(mapLinear(5.0, 0.0, 10.0, 100.0, 200.0), 150.0);
    EXPECT_DOUBLE_EQ(mapLinear(0.0, -1.0, 1.0, 0.0, 1.0), 0.5);
}

TEST(MappingLaws, DecibelConversion)
{
    EXPECT_DOUBLE_EQ(dbToGain(0.0), 1.0);
    EXPECT_NEAR(dbToGain(-36.0), 0.0158489, 1e-7);
    EXPECT_NEAR(dbToGain(12.0), 3.98107, 1e-5);
    EXPECT_NEAR(dbToGain(-6.0), std::pow(10.0, -6.0 / 20.0), 1e-15);
}

// Response magnitude of y = pole * y1 + gain * (x +- x1) at 0 Hz and at half the rate.
double lowpassGainAtZero(double gain, double pole)
{
    return 2.0 * gain / (1.0 - pole);
}
double highpassGainAtNyquist(double gain, double pole)
{
    return 2.0 * gain / (1.0 + pole);
}

TEST(FilterCoefficients, OnePoleFiltersHaveUnitGainInTheirPassband)
{
    for (const double freq : {20.0, 60.0, 1500.0, 8000.0}) {
        double gain = 0.0;
        double pole = 0.0;
        lowpassCoefficients(gain, pole, freq, 48000.0);
        EXPECT_NEAR(lowpassGainAtZero(gain, pole), 1.0, 1e-12) << freq;
        EXPECT_LT(std::abs(pole), 1.0);
        highpassCoefficients(gain, pole, freq, 48000.0);
        EXPECT_NEAR(highpassGainAtNyquist(gain, pole), 1.0, 1e-12) << freq;
    }
}

TEST(FilterCoefficients, LowpassAtAQuarterOfTheRateHasNoPole)
{
    double gain = 1.0;
    double pole = 1.0;
    lowpassCoefficients(gain, pole, 12000.0, 48000.0);
    EXPECT_NEAR(pole, 0.0, 1e-15);
    EXPECT_NEAR(gain, 0.5, 1e-15);
}

TEST(FilterCoefficients, SmootherCoversEightyNinePercentOfAStepInItsTime)
{
    double a = 0.0;
    double b = 0.0;
    smoothingCoefficient(a, b, 50.0, 44100.0);
    EXPECT_DOUBLE_EQ(a + b, 1.0);
    EXPECT_NEAR(1.0 - std::pow(b, 0.05 * 44100.0), 1.0 - std::exp(-2.2), 1e-12);

    onePoleCoefficient(a, b, 1000.0, 48000.0);
    EXPECT_GT(b, 0.0);
    EXPECT_LT(b, 1.0);
    EXPECT_DOUBLE_EQ(a, 1.0 - b);
}

TEST(FilterCoefficients, AbsorbentLoopFilterDecaysAtBothSetTimes)
{
    double k = 0.0;
    double p = 0.0;
    absorbentCoefficients(k, p, 2000.0, 500.0, 30.0);
    EXPECT_NEAR(k / (1.0 - p), std::pow(10.0, -3.0 * 30.0 / 2000.0), 1e-12);  // 0 Hz
    EXPECT_NEAR(k / (1.0 + p), std::pow(10.0, -3.0 * 30.0 / 500.0), 1e-12);   // half the rate
}

TEST(DelayMemory, BufferLengthIsAQuarterSecondPlusATenthOfAPercent)
{
    EXPECT_EQ(delayBufferLength(44.1), 11036);
    EXPECT_EQ(delayBufferLength(48.0), 12012);
    EXPECT_EQ(delayBufferLength(4.0), 1001);
    // No overflow for values no host uses.
    EXPECT_EQ(delayBufferLength(1e300), std::numeric_limits<int32>::max());
    EXPECT_EQ(delayBufferLength(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(DelayMemory, MaxCutoffKeepsTheDampingFilterBelowHalfTheRate)
{
    struct Case {
        double sampleRate;
        double cutoff;
    };
    for (const Case c :
         {Case{48000.0, 16000.0}, Case{32000.1, 16000.0}, Case{32000.0, 15000.0}, Case{22050.0, 10000.0},
          Case{16000.0, 7000.0}, Case{8000.0, 3000.0}, Case{4000.0, 1000.0}, Case{500.0, 0.0}}) {
        EXPECT_EQ(maxCutoffForRate(c.sampleRate), c.cutoff) << c.sampleRate;
        EXPECT_LT(maxCutoffForRate(c.sampleRate), c.sampleRate / 2.0);
    }
    EXPECT_EQ(maxCutoffForRate(std::numeric_limits<double>::quiet_NaN()), 0.0);
}

TEST(Hadamard, ImpulseSpreadsEvenlyAndTheTransformIsItsOwnInverse)
{
    std::array<double, 16> values{};
    values[0] = 1.0;
    hadamard16(values);
    for (const double value : values)
        EXPECT_EQ(value, 0.25);

    std::array<double, 16> original;
    for (int i = 0; i < 16; ++i)
        original[i] = i * 0.37 - 2.0;
    values = original;
    hadamard16(values);
    EXPECT_NE(values, original);
    hadamard16(values);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(values[i], original[i], 1e-14) << i;

    // Natural order: the sign of input 1 in output k is that of k's lowest bit.
    values = {};
    values[1] = 1.0;
    hadamard16(values);
    EXPECT_EQ(values[4], 0.25);
    EXPECT_EQ(values[5], -0.25);

    // The eight-point scale is slightly below 1/sqrt(8), so a round trip loses a little.
    std::array<double, 8> eight{1, 2, 3, 4, 5, 6, 7, 8};
    hadamard8(eight);
    EXPECT_NEAR(eight[0], 36.0 * 0.353553374962831, 1e-12);
    hadamard8(eight);
    EXPECT_NEAR(eight[7], 8.0, 1e-6);
    EXPECT_NE(eight[7], 8.0);
}

TEST(DelaySets, UnknownIndexesGiveTheTankSet)
{
    for (const int32 index : {0, 5, -1, 1000}) {
        std::array<double, 16> set{};
        getDelaySet16(index, set);
        EXPECT_TRUE(std::equal(set.begin(), set.end(), std::begin(kTankBaseTimesMs))) << index;
    }
    std::array<double, 16> set{};
    getDelaySet16(4, set);
    EXPECT_EQ(set[0], 53.0);
    EXPECT_EQ(set[15], 2.0);
    getDelaySet16(3, set);
    EXPECT_EQ(set[15], 9.037556);
}

TEST(DelaySets, ShortAndDoubledSets)
{
    std::array<double, 8> eight{};
    getDelaySet8(2, eight);
    EXPECT_EQ(eight[0], 33.106302);
    EXPECT_EQ(eight[7], 14.184423);
    getDelaySet8(4, eight);
    EXPECT_EQ(eight[0], 40.36);
    EXPECT_EQ(eight[7], 9.681);
    getDelaySet8(9, eight);
    EXPECT_EQ(eight[0], kTankBaseTimesMs[0]);

    std::array<double, 16> doubled{};
    getDelaySet16x5(6, doubled);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(doubled[i], kTankBaseTimesMs[i]);
        EXPECT_EQ(doubled[i + 8], kTankBaseTimesMs[i]);
    }
    getDelaySet16x5(4, doubled);
    EXPECT_EQ(doubled[0], 41.0);
    EXPECT_EQ(doubled[8], 41.0);
    EXPECT_EQ(doubled[15], 13.0);
    getDelaySet16x5(5, doubled);
    EXPECT_EQ(doubled[0], 40.503959);
    EXPECT_EQ(doubled[7], 13.852415);
    EXPECT_EQ(doubled[8], 41.0);
    EXPECT_EQ(doubled[15], 14.0);
}

}  // namespace
}  // namespace Steinberg::Vst
