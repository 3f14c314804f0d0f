#include "source/engine/formulas.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <iterator>
#include <limits>

#include "source/engine/tanktables.h"

namespace Steinberg::Vst {
namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kLog2Of10 = 3.321928094887362;

// (int) conversion that saturates instead of being undefined out of range.
int32 truncateToInt32(double value)
{
    constexpr double kMax = std::numeric_limits<int32>::max();
    constexpr double kMin = std::numeric_limits<int32>::min();
    if (std::isnan(value))
        return 0;
    if (value >= kMax)
        return std::numeric_limits<int32>::max();
    if (value <= kMin)
        return std::numeric_limits<int32>::min();
    return static_cast<int32>(value);
}

// Hadamard matrix in natural (Sylvester) order: the sign of entry (k, j) is the parity of j AND k.
template <std::size_t N>
void hadamard(std::span<double, N> values, double scale)
{
    double input[N];
    std::copy(values.begin(), values.end(), input);
    for (std::size_t k = 0; k < N; ++k) {
        double sum = 0.0;
        for (std::size_t j = 0; j < N; ++j)
            sum += (std::popcount(j & k) & 1) ? -input[j] : input[j];
        values[k] = scale * sum;
    }
}

constexpr double kDelaySets16[4][16] = {
    {32.13723, 26.357152, 23.120309, 20.379699, 18.768045, 17.380903, 15.288217, 13.719974, 13.194842,
     12.193195, 11.449247, 11.798912, 10.877801, 10.785245, 10.586653, 10.055123},
    {33.106302, 27.516927, 21.497599, 21.161598, 18.029872, 16.940632, 15.0809, 14.184423, 13.115548,
     12.704996, 11.839463, 11.58836, 10.937652, 10.24246, 10.22345, 10.012048},
    {40.503959, 27.813877, 22.928411, 17.383673, 16.371867, 15.974569, 14.741325, 13.852415, 13.190673,
     13.153232, 12.145967, 11.91831, 10.859495, 10.663036, 10.489046, 9.037556},
    {53, 47, 43, 41, 37, 31, 29, 23, 19, 17, 13, 11, 7, 5, 3, 2},
};
constexpr double kDelaySet8Four[8] = {40.36, 33.101, 17.23, 15.313, 12.463, 10.643, 10.439, 9.681};
constexpr double kDelaySet16x5Four[8] = {41, 37, 31, 29, 23, 19, 17, 13};
constexpr double kDelaySet16x5FiveTail[8] = {41, 28, 23, 17, 16, 16, 15, 14};

static_assert(std::equal(std::begin(kDelaySets16[0]), std::end(kDelaySets16[0]),
                         std::begin(kTankBaseTimesMs)),
              "set 1 is the tank's own table");

const double* firstEightOfSet(int32 index)
{
    return kDelaySets16[(index >= 1 && index <= 3) ? index - 1 : 0];
}

}  // namespace

double mapLinear(double x, double inMin, double inMax, double outMin, double outMax)
{
    return (x - inMin) * (outMax - outMin) / (inMax - inMin) + outMin;
}

double mapExponential(double p, double min, double max)
{
    return std::exp2(p * kLog2Of10 * std::log10(max / min)) * min;
}

double unmapExponential(double x, double min, double max)
{
    return std::log10(x * (1.0 / min)) / std::log10(max * (1.0 / min));
}

double onePolePole(double w)
{
    return (1.0 - std::sin(w)) / std::cos(w);
}

void lowpassCoefficients(double& gain, double& pole, double freq, double sampleRate)
{
    pole = onePolePole(freq * kTwoPi / sampleRate);
    gain = 0.5 - 0.5 * pole;
}

void highpassCoefficients(double& gain, double& pole, double freq, double sampleRate)
{
    pole = onePolePole(freq * kTwoPi / sampleRate);
    gain = 0.5 * pole + 0.5;
}

void onePoleCoefficient(double& a, double& b, double freq, double sampleRate)
{
    const double w = freq * kTwoPi / sampleRate;
    const double k = 2.0 - std::cos(w);
    b = k - std::sqrt(k * k - 1.0);
    a = 1.0 - b;
}

void smoothingCoefficient(double& a, double& b, double ms, double sampleRate)
{
    const double r = std::exp(-2.2 / (ms * 0.001 * sampleRate));
    a = 1.0 - r;
    b = r;
}

double dbToGain(double dB)
{
    return std::exp2(dB * 0.16609640474436813);
}

int32 delayBufferLength(double samplesPerMs)
{
    const int64 a = truncateToInt32(samplesPerMs * 250.0);
    const int64 length = a + truncateToInt32(static_cast<double>(a) * 0.001);
    return static_cast<int32>(
        std::clamp<int64>(length, std::numeric_limits<int32>::min(), std::numeric_limits<int32>::max()));
}

void absorbentCoefficients(double& k, double& p, double decayMs, double decayHighMs, double delayMs)
{
    const double g = std::pow(10.0, delayMs * -3.0 / decayMs);
    const double h = std::pow(g, 1.0 - decayMs / decayHighMs);
    k = (2.0 / (1.0 + h)) * g;
    p = 1.0 - 2.0 / (1.0 + h);
}

void hadamard16(std::span<double, 16> values)
{
    hadamard(values, 0.25);
}

void hadamard8(std::span<double, 8> values)
{
    // Kept as shipped: slightly below 1/sqrt(8).
    hadamard(values, 0.353553374962831);
}

void getDelaySet16(int32 index, std::span<double, 16> out)
{
    const double* set = kDelaySets16[(index >= 1 && index <= 4) ? index - 1 : 0];
    std::copy(set, set + 16, out.begin());
}

void getDelaySet8(int32 index, std::span<double, 8> out)
{
    const double* set = index == 4 ? kDelaySet8Four : firstEightOfSet(index);
    std::copy(set, set + 8, out.begin());
}

void getDelaySet16x5(int32 index, std::span<double, 16> out)
{
    const double* head = index == 4 ? kDelaySet16x5Four : firstEightOfSet(index == 5 ? 3 : index);
    const double* tail = index == 5 ? kDelaySet16x5FiveTail : head;
    std::copy(head, head + 8, out.begin());
    std::copy(tail, tail + 8, out.begin() + 8);
}

double maxCutoffForRate(double sampleRate)
{
    if (sampleRate > 32000.0)
        return 16000.0;
    if (!(sampleRate > 1000.0))  // no usable band; also catches NaN
        return 0.0;
    return static_cast<double>(static_cast<int32>(sampleRate * 0.0005 - 0.5)) * 1000.0;
}

}  // namespace Steinberg::Vst
