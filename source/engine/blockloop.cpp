// The block loop: per sample, the smoothers, the diffuser coefficients, the
// reconfiguration fade, the signal path, the output level and the delay indexes.
// Samples go through in batches: this loop steps the per-sample controls through a
// batch, then the signal path runs over it stage by stage (batchpath.h). That changes
// the order of memory accesses but not a single result. Audio thread only.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <limits>

#include "source/engine/batchpath.h"

namespace Steinberg::Vst {
namespace {

// Diffuser coefficients above 0.8 ring too long; NaN passes as it is.
double capCoefficient(double c)
{
    return c > 0.8 ? 0.8 : c;
}

// A smoother heading for 0 would otherwise end up, after some 16 seconds, stuck on a
// denormal value that slows every later sample down; below the smallest normal double
// it is 0 in every way that can be heard.
double flushTiny(double state)
{
    return std::abs(state) < std::numeric_limits<double>::min() ? 0.0 : state;
}

void stepSmoothers(PlugProcessor& engine)
{
    const double a = engine.smoothA;
    const double b = engine.smoothB;
    engine.levelSmoothState = flushTiny(b * engine.levelSmoothState + a * engine.levelGainTarget);
    engine.mixSmoothState = flushTiny(b * engine.mixSmoothState + a * engine.mixTarget);
    engine.diffusionSmoothState = flushTiny(b * engine.diffusionSmoothState + a * engine.diffusionTarget);
    engine.levelGainSmoothed = engine.levelSmoothState;
    engine.mixSmoothed = engine.mixSmoothState;
    engine.diffusionSmoothed = engine.diffusionSmoothState;
}

// 10^(-3 * ms / T): 60 dB of decay in T ms; all 0 when the diffusion is 0.
// Out of line, like endHold: rare work kept out of the per-sample path.
[[gnu::noinline]] void recomputeDiffuserCoefficients(PlugProcessor& engine)
{
    engine.diffuserCoefficientsValid = true;
    engine.diffuserCoefficientsDiffusionBits = std::bit_cast<uint64>(engine.diffusionSmoothed);
    const double decayTimeMs = 150.0 * engine.diffusionSmoothed;
    const double inverseDecayTime = 1.0 / decayTimeMs;
    for (int32 k = 0; k < PlugProcessor::kNumInputDiffusers; ++k)
        engine.inputDiffuserCoeff[k] =
            capCoefficient(std::exp2(engine.inputDiffuserMs[k] * -9.965784284662087 * inverseDecayTime));
    for (int32 j = 0; j < 2; ++j)
        engine.outputDiffuserCoeff[j] =
            capCoefficient(std::exp2(engine.outputDiffuserMs[j] * -9.965784284662087 / decayTimeMs));
}

bool allDiffuserCoefficientsZero(const PlugProcessor& engine)
{
    for (const double c : engine.inputDiffuserCoeff)
        if (c != 0.0)
            return false;
    return engine.outputDiffuserCoeff[0] == 0.0 && engine.outputDiffuserCoeff[1] == 0.0;
}

// True when the next sample is the last of a hold, on which the tank is reconfigured.
// Mirrors the arithmetic of stepReconfiguration.
bool holdEndsWithNextSample(const PlugProcessor& engine)
{
    return engine.reconfigPending && !(engine.fadeGain - engine.fadeOutStep > 0.0) &&
        engine.holdCounter - 1 <= 0;
}

// The last sample of a hold: the tank is silent, so its lengths may change now.
[[gnu::noinline]] void endHold(PlugProcessor& engine)
{
    engine.holdCounter = engine.holdSamples;
    engine.reconfigPending = false;
    engine.fadingIn = true;
    engine.configureTank(false);  // nothing pending now: a full configuration
    // The truncation terms must not subtract what was fed under the old lengths.
    std::fill_n(engine.inputHistory,
                static_cast<std::size_t>(PlugProcessor::kHistoryFactor) *
                    static_cast<std::size_t>(engine.bufferLength),
                0.0);
}

// Fade out, hold, reconfigure with a silent tank, fade back in.
void stepReconfiguration(PlugProcessor& engine)
{
    if (engine.reconfigPending) {
        engine.fadingIn = false;
        engine.fadeGain -= engine.fadeOutStep;
        if (!(engine.fadeGain > 0.0)) {
            engine.fadeGain = 0.0;
            if (--engine.holdCounter <= 0)
                endHold(engine);
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

// Everything of a sample that comes before the signal path.
void beginSample(PlugProcessor& engine)
{
    stepSmoothers(engine);
    engine.updateDiffuserCoefficients();
    stepReconfiguration(engine);
}

// Stepping this smoother leaves its state exactly as it is, and so does every later
// step while its target stays.
bool smootherAtRest(double state, double target, double a, double b)
{
    return std::bit_cast<uint64>(flushTiny(b * state + a * target)) == std::bit_cast<uint64>(state);
}

// Nothing that the block loop steps per sample moves: no fade or hold, the tank at full
// gain, smoothers at rest.
bool controlsAtRest(const PlugProcessor& engine)
{
    const double a = engine.smoothA;
    const double b = engine.smoothB;
    const double restingTankGain = engine.firstRun ? 1.0 : engine.fadeGain;
    return !engine.reconfigPending && !engine.fadingIn && restingTankGain == 1.0 &&
        smootherAtRest(engine.levelSmoothState, engine.levelGainTarget, a, b) &&
        smootherAtRest(engine.mixSmoothState, engine.mixTarget, a, b) &&
        smootherAtRest(engine.diffusionSmoothState, engine.diffusionTarget, a, b);
}

void recordControls(const PlugProcessor& engine, BatchPath::BatchControls& controls, int32 s)
{
    controls.levelGain[s] = engine.levelGainSmoothed;
    controls.mix[s] = engine.mixSmoothed;
    controls.dryGain[s] = engine.dryGain;
    controls.diffusion[s] = engine.diffusionSmoothed;
    controls.tankGain[s] = engine.tankGain;
    for (int32 k = 0; k < PlugProcessor::kNumInputDiffusers; ++k)
        controls.inputCoeff[k][s] = engine.inputDiffuserCoeff[k];
    for (int32 j = 0; j < 2; ++j)
        controls.outputCoeff[j][s] = engine.outputDiffuserCoeff[j];
}

// Steps the smoothers, coefficients and fade through up to `limit` samples and records
// their values; stops before a sample that ends a hold, which changes the tables and so
// starts a batch of its own. Returns the number of samples stepped.
int32 stepControls(PlugProcessor& engine, int32 limit, BatchPath::BatchControls& controls)
{
    if (controlsAtRest(engine)) {
        // One step brings the smoothed values and coefficients up to date; every further
        // step of the batch would leave all of them as they are.
        beginSample(engine);
        controls.mode = BatchPath::ControlMode::kSteady;
        recordControls(engine, controls, 0);
        return limit;
    }
    controls.mode = BatchPath::ControlMode::kVarying;
    for (int32 s = 0; s < limit; ++s) {
        if (s > 0 && holdEndsWithNextSample(engine))
            return s;
        beginSample(engine);
        recordControls(engine, controls, s);
    }
    return limit;
}

// The batch never runs past the end of either array, so one comparison each suffices.
void advanceIndexes(PlugProcessor& engine, int32 count)
{
    engine.writeIndex += count;
    if (engine.writeIndex == engine.bufferLength)
        engine.writeIndex = 0;
    engine.historyIndex += count;
    if (engine.historyIndex == PlugProcessor::kHistoryFactor * engine.bufferLength)
        engine.historyIndex = 0;
}

template <typename Sample>
void runBlock(PlugProcessor& engine, Sample** inputs, Sample** outputs, int32 numSamples)
{
    if (numSamples <= 0 || !engine.buffersAllocated() || !inputs || !outputs)
        return;
    const Sample* inL = inputs[0];
    const Sample* inR = inputs[1];
    Sample* outL = outputs[0];
    Sample* outR = outputs[1];
    if (!inL || !inR || !outL || !outR)
        return;

    int32 done = 0;
    while (done < numSamples) {
        // The batch is sized with the tables in force; the sample that ends a hold
        // replaces them, so it goes alone.
        const int32 limit =
            holdEndsWithNextSample(engine) ? 1 : std::min(numSamples - done, BatchPath::maxBatch(engine));
        BatchPath::BatchControls controls;
        const int32 count = stepControls(engine, limit, controls);
        BatchPath::runBatch(engine, inL + done, inR + done, outL + done, outR + done, count, controls);
        advanceIndexes(engine, count);
        done += count;
    }
}

}  // namespace

void PlugProcessor::updateDiffuserCoefficients()
{
    dryGain = 1.0 - mixSmoothed;

    // The six powers depend only on the smoothed diffusion, which sits still most of
    // the time; comparing bit patterns keeps the results exactly those of a
    // computation on every sample.
    const auto diffusionBits = std::bit_cast<uint64>(diffusionSmoothed);
    if (diffuserCoefficientsValid && diffusionBits == diffuserCoefficientsDiffusionBits)
        return;
    // Every power falls as the diffusion falls towards 0, so coefficients that are all 0
    // stay 0 (no recomputation while a smoother heads for Diffusion 0). -0 would not.
    const double cachedDiffusion = std::bit_cast<double>(diffuserCoefficientsDiffusionBits);
    if (diffuserCoefficientsValid && !std::signbit(diffusionSmoothed) &&
        diffusionSmoothed < cachedDiffusion && allDiffuserCoefficientsZero(*this))
        return;
    recomputeDiffuserCoefficients(*this);
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
