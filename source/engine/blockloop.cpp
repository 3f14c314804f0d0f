// The block loop: per sample, the smoothers, the diffuser coefficients, the
// reconfiguration fade, the signal path, the output level and the delay indexes.
// Audio thread only.
#include <algorithm>
#include <bit>
#include <cmath>

#include "source/processor/plugprocessor.h"

namespace Steinberg::Vst {
namespace {

// Keeps every filter state and delay value well above the denormal range.
constexpr double kInputOffset = 1e-18;

// Diffuser coefficients above 0.8 ring too long; NaN passes as it is.
double capCoefficient(double c)
{
    return c > 0.8 ? 0.8 : c;
}

void stepSmoothers(PlugProcessor& engine)
{
    const double a = engine.smoothA;
    const double b = engine.smoothB;
    engine.levelSmoothState = b * engine.levelSmoothState + a * engine.levelGainTarget;
    engine.mixSmoothState = b * engine.mixSmoothState + a * engine.mixTarget;
    engine.diffusionSmoothState = b * engine.diffusionSmoothState + a * engine.diffusionTarget;
    engine.levelGainSmoothed = engine.levelSmoothState;
    engine.mixSmoothed = engine.mixSmoothState;
    engine.diffusionSmoothed = engine.diffusionSmoothState;
}

// Fade out, hold, reconfigure with a silent tank, fade back in.
void stepReconfiguration(PlugProcessor& engine)
{
    if (engine.reconfigPending) {
        engine.fadingIn = false;
        engine.fadeGain -= engine.fadeOutStep;
        if (!(engine.fadeGain > 0.0)) {
            engine.fadeGain = 0.0;
            if (--engine.holdCounter <= 0) {
                engine.holdCounter = engine.holdSamples;
                engine.reconfigPending = false;
                engine.fadingIn = true;
                engine.configureTank(false);  // nothing pending now: a full configuration
                // The truncation terms must not subtract what the old lengths wrote.
                std::fill_n(engine.inputHistory,
                            static_cast<std::size_t>(PlugProcessor::kHistoryFactor) *
                                static_cast<std::size_t>(engine.bufferLength),
                            0.0);
            }
        }
    } else if (engine.fadingIn) {
        engine.fadeGain += engine.fadeInStep;
        if (engine.fadeGain > 1.0) {
            engine.fadeGain = 1.0;
            engine.fadingIn = false;
            engine.firstRun = false;
        }
    }
    engine.tankGain = engine.firstRun ? 1.0 : engine.fadeGain;
}

template <typename Sample>
void runBlock(PlugProcessor& engine, Sample** inputs, Sample** outputs, int32 numSamples)
{
    if (numSamples <= 0 || !engine.buffersAllocated() || !inputs || !outputs)
        return;
    // Taken once: with in-place buffers both inputs of a sample are read before its outputs are written.
    const Sample* inL = inputs[0];
    const Sample* inR = inputs[1];
    Sample* outL = outputs[0];
    Sample* outR = outputs[1];
    if (!inL || !inR || !outL || !outR)
        return;

    const int32 historyLength = PlugProcessor::kHistoryFactor * engine.bufferLength;
    for (int32 i = 0; i < numSamples; ++i) {
        const double xL = static_cast<double>(inL[i]) + kInputOffset;
        const double xR = static_cast<double>(inR[i]) + kInputOffset;

        stepSmoothers(engine);
        engine.updateDiffuserCoefficients();
        stepReconfiguration(engine);

        double yL = 0.0;
        double yR = 0.0;
        engine.processSample(xL, xR, yL, yR);
        outL[i] = static_cast<Sample>(yL * engine.levelGainSmoothed);
        outR[i] = static_cast<Sample>(yR * engine.levelGainSmoothed);

        if (++engine.writeIndex == engine.bufferLength)
            engine.writeIndex = 0;
        if (++engine.historyIndex == historyLength)
            engine.historyIndex = 0;
    }
}

}  // namespace

void PlugProcessor::updateDiffuserCoefficients()
{
    dryGain = 1.0 - mixSmoothed;

    // The six powers depend only on the smoothed diffusion, which sits still most of
    // the time; compare bit patterns so that the results stay exactly those of a
    // computation on every sample.
    const auto diffusionBits = std::bit_cast<uint64>(diffusionSmoothed);
    if (diffuserCoefficientsValid && diffusionBits == diffuserCoefficientsDiffusionBits)
        return;
    diffuserCoefficientsValid = true;
    diffuserCoefficientsDiffusionBits = diffusionBits;

    // 10^(-3 * ms / T): 60 dB of decay in T ms; all 0 when the diffusion is 0.
    const double decayTimeMs = 150.0 * diffusionSmoothed;
    const double inverseDecayTime = 1.0 / decayTimeMs;
    for (int32 k = 0; k < kNumInputDiffusers; ++k)
        inputDiffuserCoeff[k] =
            capCoefficient(std::exp2(inputDiffuserMs[k] * -9.965784284662087 * inverseDecayTime));
    for (int32 j = 0; j < 2; ++j)
        outputDiffuserCoeff[j] =
            capCoefficient(std::exp2(outputDiffuserMs[j] * -9.965784284662087 / decayTimeMs));
}

void PlugProcessor::processSamples32(Sample32** inputs, Sample32** outputs, int32 numSamples)
{
    runBlock(*this, inputs, outputs, numSamples);
}

void PlugProcessor::processSamples64(Sample64** inputs, Sample64** outputs, int32 numSamples)
{
    runBlock(*this, inputs, outputs, numSamples);
}

}  // namespace Steinberg::Vst
