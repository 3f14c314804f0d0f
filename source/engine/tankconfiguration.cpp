// Tank configuration: turns the mapped engine values into the tables the per-sample
// path reads. Lengths change only in a full configuration, when the tank is silent.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "source/engine/formulas.h"
#include "source/engine/tanktables.h"
#include "source/processor/plugprocessor.h"

namespace Steinberg::Vst {
namespace {

// base^exponent by squaring, lowest bit first; a general power would round differently.
double integerPower(double base, int32 exponent)
{
    double result = 1.0;
    for (auto bits = static_cast<uint32>(exponent); bits != 0; bits >>= 1) {
        if (bits & 1u)
            result *= base;
        base *= base;
    }
    return result;
}

}  // namespace

static_assert(std::size(kTankBaseTimesMs) == PlugProcessor::kNumTankLines &&
              std::size(kLeftTapSigns) == PlugProcessor::kNumTankLines &&
              std::size(kRightTapSigns) == PlugProcessor::kNumTankLines);

void PlugProcessor::configureTank(bool force)
{
    const bool full = force || !reconfigPending;

    // At or above half the rate the damping pole would leave the unit circle.
    const double cutoffHz = std::min(dampCutoffHz, maxCutoffForRate(sampleRate));
    dampingLowpass.pole = onePolePole(cutoffHz * 6.283185307179586 / sampleRate);
    dampingLowpass.gain = 0.01 - 0.01 * dampingLowpass.pole;  // DC gain 0.02 by design

    if (full)
        predelaySamples = static_cast<int32>(samplesPerMs * predelayMs + 0.5);

    const double sizeScale = std::cbrt(sizeMs * 10.0) * 0.1;  // cube root of sizeMs / 100
    const double inverseDecayMs = 1.0 / decayMs;
    double lossSum = 0.0;
    for (int32 i = 0; i < kNumTankLines; ++i) {
        const double lineMs = kTankBaseTimesMs[i] * sizeScale;
        if (full)
            lineLength[i] = static_cast<int32>(samplesPerMs * lineMs + 0.5);
        // 10^(-3 * lineMs / decayMs): 60 dB of loss over decayMs.
        lineGain[i] = std::exp2((lineMs * -9.965784284662087) * inverseDecayMs);
        const auto passes = static_cast<int32>(gateMs / lineMs + 0.5);
        if (full)
            truncLength[i] = passes * lineLength[i];
        truncGain[i] = integerPower(lineGain[i], passes);
        lossSum += 1.0 - lineGain[i];
    }

    const double inverseLossSum = 1.0 / lossSum;
    for (int32 i = 0; i < kNumTankLines; ++i)
        feedbackWeight[i] = (1.0 - lineGain[i]) * inverseLossSum;
}

}  // namespace Steinberg::Vst
