// The block loop: per sample, the smoothers, the diffuser coefficients, the
// reconfiguration fade, the signal path, the output level and the delay indexes.
// The tank's reads and writes run in batches of samples (see signalpath.h), which
// changes the order of memory accesses but not a single result. Audio thread only.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <limits>

#include "source/engine/signalpath.h"

namespace Steinberg::Vst {
namespace {

// Keeps every filter state and delay value well above the denormal range.
constexpr double kInputOffset = 1e-18;

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

void advanceIndexes(PlugProcessor& engine)
{
    if (++engine.writeIndex == engine.bufferLength)
        engine.writeIndex = 0;
    if (++engine.historyIndex == PlugProcessor::kHistoryFactor * engine.bufferLength)
        engine.historyIndex = 0;
}

// Where input samples enter the engine. A sample that is not a finite number would
// stay in the filters and delay lines for good, so it enters as silence; finite
// samples pass unchanged.
template <typename Sample>
double widen(Sample sample)
{
    const double value = static_cast<double>(sample);
    return (std::isfinite(value) ? value : 0.0) + kInputOffset;
}

// One sample through processSample, as the loop is defined. Used where the tables may
// change within the sample (the end of a hold).
template <typename Sample>
void processSingleSample(PlugProcessor& engine, const Sample* inL, const Sample* inR, Sample* outL,
                         Sample* outR)
{
    const double xL = widen(*inL);
    const double xR = widen(*inR);
    beginSample(engine);
    double yL = 0.0;
    double yR = 0.0;
    engine.processSample(xL, xR, yL, yR);
    *outL = static_cast<Sample>(yL * engine.levelGainSmoothed);
    *outR = static_cast<Sample>(yR * engine.levelGainSmoothed);
    advanceIndexes(engine);
}

// Up to `count` samples (at most maxTankBatch) with the tank handled as a batch; stops
// before a sample that ends a hold. Returns the number of samples processed.
template <typename Sample>
int32 processBatch(PlugProcessor& engine, const Sample* inL, const Sample* inR, Sample* outL, Sample* outR,
                   int32 count)
{
    using namespace SignalPath;
    const int32 firstWrite = engine.writeIndex;
    const int32 firstHistory = engine.historyIndex;
    TankTaps taps;
    readTankTaps(engine, firstWrite, count, taps);

    double z[kMaxTankBatch];
    double tankGain[kMaxTankBatch];
    int32 s = 0;
    for (; s < count; ++s) {
        if (s > 0 && holdEndsWithNextSample(engine))
            break;
        // Both inputs are read before the outputs of the same index: in-place buffers work.
        const double xL = widen(inL[s]);
        const double xR = widen(inR[s]);
        beginSample(engine);
        tankGain[s] = engine.tankGain;

        const double a = inputDiffusers(engine, predelay(engine, inputLowpass(engine, xL, xR)));
        z[s] = feedTank(engine, taps.feedback[s], a);
        double l2 = 0.0;
        double r2 = 0.0;
        outputDiffusers(engine, taps.left[s], taps.right[s], l2, r2);
        double yL = 0.0;
        double yR = 0.0;
        outputFilterAndMix(engine, l2, r2, xL, xR, yL, yR);

        outL[s] = static_cast<Sample>(yL * engine.levelGainSmoothed);
        outR[s] = static_cast<Sample>(yR * engine.levelGainSmoothed);
        advanceIndexes(engine);
    }
    writeTankLines(engine, firstWrite, firstHistory, s, taps, z, tankGain);
    return s;
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
        if (holdEndsWithNextSample(engine)) {
            processSingleSample(engine, inL + done, inR + done, outL + done, outR + done);
            ++done;
            continue;
        }
        const int32 count = std::min(numSamples - done, SignalPath::maxTankBatch(engine));
        done += processBatch(engine, inL + done, inR + done, outL + done, outR + done, count);
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
