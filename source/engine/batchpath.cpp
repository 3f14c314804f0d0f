// The signal path over a batch, stage by stage (see batchpath.h). Audio thread only.
//
// The stages are plain loops over the batch on __restrict pointers, inlined into one
// function per vector level; the target attributes only widen the vectors, and
// -ffp-contract=off keeps every multiply and add separately rounded at every level.
#include "source/engine/batchpath.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "source/engine/signalpath.h"

namespace Steinberg::Vst::BatchPath {
namespace {

using SignalPath::readPosition;

constexpr int32 kLines = PlugProcessor::kNumTankLines;

// Keeps every filter state and delay value well above the denormal range.
constexpr double kInputOffset = 1e-18;

// A control's value for sample s: per sample while the controls vary, else entry 0.
template <ControlMode Mode>
[[gnu::always_inline]] inline double pick(const double* __restrict values, double first, int32 s)
{
    if constexpr (Mode == ControlMode::kVarying)
        return values[s];
    else
        return first;
}

// x times the tank gain of sample s. A steady batch has the gain at exactly 1, where the
// product is x itself, so the multiplication is left out.
template <ControlMode Mode>
[[gnu::always_inline]] inline double withTankGain(double x, const double* __restrict tankGain, int32 s)
{
    if constexpr (Mode == ControlMode::kSteady)
        return x;
    else
        return x * tankGain[s];
}

// Where input samples enter the engine. A sample that is not a finite number would
// stay in the filters and delay lines for good, so it enters as silence; finite
// samples pass unchanged.
template <typename Sample>
[[gnu::always_inline]] inline double widen(Sample sample)
{
    const double value = static_cast<double>(sample);
    // The same test as std::isfinite, in a form that vectorizes (NaN compares false).
    return (std::abs(value) <= std::numeric_limits<double>::max() ? value : 0.0) + kInputOffset;
}

template <typename Sample>
[[gnu::always_inline]] inline void widenInputs(const Sample* __restrict inL, const Sample* __restrict inR,
                                               double* __restrict xL, double* __restrict xR,
                                               double* __restrict sum, int32 count)
{
    for (int32 s = 0; s < count; ++s) {
        xL[s] = widen(inL[s]);
        xR[s] = widen(inR[s]);
        sum[s] = xL[s] + xR[s];
    }
}

// The sixteen taps of each sample summed in one pass.
[[gnu::always_inline]] inline void sumTapRuns(const double* const (&taps)[kLines], const double* weightTable,
                                              double* __restrict left, double* __restrict right,
                                              double* __restrict feedback, int32 count)
{
    double weights[kLines];
    for (int32 i = 0; i < kLines; ++i)
        weights[i] = weightTable[i];
    for (int32 s = 0; s < count; ++s) {
        double t[kLines];
        for (int32 i = 0; i < kLines; ++i)
            t[i] = taps[i][s];
        const SignalPath::TapSums sums = SignalPath::sumTaps(t, weights);
        left[s] = sums.left;
        right[s] = sums.right;
        feedback[s] = sums.feedback;
    }
}

// One allpass stage: x is its input, delayedX/delayedY its arrays D samples back,
// writeX/writeY its arrays at the batch; the output is left in writeY.
template <ControlMode Mode>
[[gnu::always_inline]] inline void allpassStage(const double* __restrict coeff, const double* __restrict x,
                                                const double* __restrict delayedX,
                                                const double* __restrict delayedY, double* __restrict writeX,
                                                double* __restrict writeY, int32 count)
{
    const double first = coeff[0];
    for (int32 s = 0; s < count; ++s) {
        const double input = x[s];
        const double y = SignalPath::allpass(pick<Mode>(coeff, first, s), input, delayedX[s], delayedY[s]);
        writeX[s] = input;
        writeY[s] = y;
    }
}

// Allpass stages in series over diffuser arrays X[k], Y[k] with delays[k]; returns
// where the output of the last stage lies (in its Y array).
template <ControlMode Mode, int32 Stages>
[[gnu::always_inline]] inline const double*
diffuse(const PlugProcessor& engine, double* const* arraysX, double* const* arraysY, const int32* delays,
        const double (&coeffs)[Stages][kMaxBatch], const double* input, int32 count)
{
    const int32 w = engine.writeIndex;
    const int32 n = engine.bufferLength;
    const double* x = input;
    for (int32 k = 0; k < Stages; ++k) {
        // A delay shorter than the batch reads what the batch itself wrote: in pieces of
        // at most the delay, each piece reads only what the pieces before it wrote.
        const int32 delay = delays[k];
        const int32 r = readPosition(w, delay, n);
        const int32 piece = std::max(delay, 1);
        for (int32 start = 0; start < count; start += piece) {
            const double* coeff = Mode == ControlMode::kVarying ? coeffs[k] + start : coeffs[k];
            allpassStage<Mode>(coeff, x + start, arraysX[k] + r + start, arraysY[k] + r + start,
                               arraysX[k] + w + start, arraysY[k] + w + start,
                               std::min(piece, count - start));
        }
        x = arraysY[k] + w;
    }
    return x;
}

// The four first-order filters, sample by sample; they are independent of each other,
// so their chains overlap.
[[gnu::always_inline]] inline void runFilters(PlugProcessor& engine, const double* __restrict sum,
                                              const double* __restrict feedback, const double* __restrict l2,
                                              const double* __restrict r2, double* __restrict u,
                                              double* __restrict filteredFeedback, double* __restrict mid,
                                              double* __restrict side, int32 count)
{
    OnePoleFilter damping = engine.dampingLowpass;
    OnePoleFilter tank = engine.tankLowpass;
    OnePoleFilter midHighpass = engine.midHighpass;
    OnePoleFilter sideHighpass = engine.sideHighpass;
    for (int32 s = 0; s < count; ++s) {
        u[s] = damping.lowpass(sum[s]);
        filteredFeedback[s] = tank.lowpass(feedback[s]);
        mid[s] = midHighpass.highpass(l2[s] + r2[s]);
        side[s] = sideHighpass.highpass(l2[s] - r2[s]);
    }
    engine.dampingLowpass = damping;
    engine.tankLowpass = tank;
    engine.midHighpass = midHighpass;
    engine.sideHighpass = sideHighpass;
}

template <ControlMode Mode>
[[gnu::always_inline]] inline void scaleInto(double* __restrict out, const double* __restrict in,
                                             const double* __restrict gain, int32 count)
{
    const double first = gain[0];
    for (int32 s = 0; s < count; ++s)
        out[s] = in[s] * pick<Mode>(gain, first, s);
}

// Writes u x tankGain into the predelay line and returns where the delayed values lie.
// A sample fewer than d samples into the batch reads what was written before the batch
// (read before the batch's writes, which may reach that far round the ring); the others
// read what this batch writes. A delay of 0 or of the whole line reads the sample itself.
template <ControlMode Mode>
[[gnu::always_inline]] inline const double* predelay(PlugProcessor& engine, const double* __restrict u,
                                                     const double* __restrict tankGain,
                                                     double* __restrict delayed, int32 count)
{
    const int32 w = engine.writeIndex;
    const int32 n = engine.bufferLength;
    const int32 d = engine.predelaySamples;
    double* written = engine.predelayLine + w;
    if (d == 0 || d == n) {
        scaleInto<Mode>(written, u, tankGain, count);
        return written;
    }
    const int32 fromBefore = std::min(d, count);
    const double* before = engine.predelayLine + readPosition(w, d, n);
    for (int32 s = 0; s < fromBefore; ++s)
        delayed[s] = before[s];
    scaleInto<Mode>(written, u, tankGain, count);
    for (int32 s = fromBefore; s < count; ++s)
        delayed[s] = written[s - d];
    return delayed;
}

template <ControlMode Mode>
[[gnu::always_inline]] inline void
feedTank(const double* __restrict filteredFeedback, const double* __restrict diffusion,
         const double* __restrict tankGain, const double* __restrict a, double* __restrict z, int32 count)
{
    const double firstDiffusion = diffusion[0];
    for (int32 s = 0; s < count; ++s) {
        const double feedback =
            SignalPath::feedbackTerm(filteredFeedback[s], pick<Mode>(diffusion, firstDiffusion, s));
        z[s] = withTankGain<Mode>(feedback, tankGain, s) + a[s];
    }
}

template <ControlMode Mode>
[[gnu::always_inline]] inline void writeLine(double* __restrict line, const double* __restrict tap,
                                             const double* __restrict expired, const double* __restrict z,
                                             const double* __restrict tankGain, double lineGain,
                                             double truncGain, int32 count)
{
    for (int32 s = 0; s < count; ++s) {
        const double recirculation = SignalPath::recirculation(tap[s], lineGain, truncGain, expired[s]);
        line[s] = withTankGain<Mode>(recirculation, tankGain, s) + z[s];
    }
}

// One output channel: the wet mid/side back to the channel, mixed with the dry input,
// times the level. `right` selects the channel's sign of the side signal.
template <typename Sample, ControlMode Mode>
[[gnu::always_inline]] inline void writeOutput(bool right, const double* __restrict mid,
                                               const double* __restrict side, const double* __restrict dry,
                                               const double* __restrict mix, const double* __restrict dryGain,
                                               const double* __restrict levelGain, Sample* out, int32 count)
{
    const double firstMix = mix[0];
    const double firstDryGain = dryGain[0];
    const double firstLevel = levelGain[0];
    for (int32 s = 0; s < count; ++s) {
        const double m = pick<Mode>(mix, firstMix, s);
        const double g = pick<Mode>(dryGain, firstDryGain, s);
        const double y = right ? SignalPath::mixRight(mid[s], side[s], m, g, dry[s])
                               : SignalPath::mixLeft(mid[s], side[s], m, g, dry[s]);
        out[s] = static_cast<Sample>(y * pick<Mode>(levelGain, firstLevel, s));
    }
}

template <typename Sample, ControlMode Mode>
[[gnu::always_inline]] inline void runStages(PlugProcessor& engine, const Sample* inL, const Sample* inR,
                                             Sample* outL, Sample* outR, int32 count, const BatchControls& c)
{
    const int32 w = engine.writeIndex;
    const int32 h = engine.historyIndex;
    const int32 n = engine.bufferLength;
    const int32 historyLength = PlugProcessor::kHistoryFactor * n;

    // Every input is read before any output is written: in-place buffers work.
    double xL[kMaxBatch], xR[kMaxBatch], sum[kMaxBatch];
    widenInputs(inL, inR, xL, xR, sum, count);

    // The tank's taps and the wet output depend only on what came before the batch.
    const double* taps[kLines];
    for (int32 i = 0; i < kLines; ++i)
        taps[i] = engine.tankLines[i] + readPosition(w, engine.lineLength[i], n);
    double left[kMaxBatch], right[kMaxBatch], feedback[kMaxBatch];
    sumTapRuns(taps, engine.feedbackWeight, left, right, feedback, count);

    // Left stages 1 and 2, then right stages 1 and 2, both with the left stages' coefficients.
    const double* l2 = diffuse<Mode, 2>(engine, engine.outputDiffuserX, engine.outputDiffuserY,
                                        engine.outputDiffuserDelay, c.outputCoeff, left, count);
    const double* r2 = diffuse<Mode, 2>(engine, engine.outputDiffuserX + 2, engine.outputDiffuserY + 2,
                                        engine.outputDiffuserDelay + 2, c.outputCoeff, right, count);

    double u[kMaxBatch], filteredFeedback[kMaxBatch], mid[kMaxBatch], side[kMaxBatch];
    runFilters(engine, sum, feedback, l2, r2, u, filteredFeedback, mid, side, count);

    double delayed[kMaxBatch];
    const double* p = predelay<Mode>(engine, u, c.tankGain, delayed, count);
    const double* a =
        diffuse<Mode, PlugProcessor::kNumInputDiffusers>(engine, engine.inputDiffuserX, engine.inputDiffuserY,
                                                         engine.inputDiffuserDelay, c.inputCoeff, p, count);

    // z goes into the input history before the truncation terms read it back.
    double* z = engine.inputHistory + h;
    feedTank<Mode>(filteredFeedback, c.diffusion, c.tankGain, a, z, count);
    for (int32 i = 0; i < kLines; ++i) {
        const double* expired = engine.inputHistory + readPosition(h, engine.truncLength[i], historyLength);
        writeLine<Mode>(engine.tankLines[i] + w, taps[i], expired, z, c.tankGain, engine.lineGain[i],
                        engine.truncGain[i], count);
    }

    writeOutput<Sample, Mode>(false, mid, side, xL, c.mix, c.dryGain, c.levelGain, outL, count);
    writeOutput<Sample, Mode>(true, mid, side, xR, c.mix, c.dryGain, c.levelGain, outR, count);
}

// The tables in force decide how far the batch may run from the current indexes.
[[gnu::always_inline]] inline int32 batchLimit(const PlugProcessor& engine)
{
    const int32 n = engine.bufferLength;
    const int32 historyLength = PlugProcessor::kHistoryFactor * n;
    const int32 w = engine.writeIndex;
    const int32 h = engine.historyIndex;
    // No write wraps, nor the predelay's read.
    int32 count =
        std::min({kMaxBatch, n - w, historyLength - h, n - readPosition(w, engine.predelaySamples, n)});
    // A diffuser's reads do not wrap.
    for (const int32 delay : engine.inputDiffuserDelay)
        count = std::min(count, n - readPosition(w, delay, n));
    for (const int32 delay : engine.outputDiffuserDelay)
        count = std::min(count, n - readPosition(w, delay, n));
    for (int32 i = 0; i < kLines; ++i) {
        const int32 lineLength = engine.lineLength[i];
        const int32 truncLength = engine.truncLength[i];
        // Reads run without a wrap.
        int32 limit = std::min(n - readPosition(w, lineLength, n),
                               historyLength - readPosition(h, truncLength, historyLength));
        // A tap must not read what the same batch writes, before or after a wrap...
        limit = std::min(limit, lineLength > 0 ? std::min(lineLength, n - lineLength) : limit);
        // ...nor a truncation term what the batch's own feeding has overwritten.
        limit = std::min(limit, historyLength - truncLength);
        count = std::min(count, limit);
    }
    return std::max(count, 1);
}

// One copy of the stages per vector level; `flatten` inlines every stage into it, so
// the whole batch is compiled for that level (and nothing wider leaks elsewhere).
template <typename Sample, ControlMode Mode>
[[gnu::flatten]] void runBaseline(PlugProcessor& engine, const Sample* inL, const Sample* inR, Sample* outL,
                                  Sample* outR, int32 count, const BatchControls& c)
{
    runStages<Sample, Mode>(engine, inL, inR, outL, outR, count, c);
}

template <typename Sample, ControlMode Mode>
[[gnu::target("avx2"), gnu::flatten]] void runAvx2(PlugProcessor& engine, const Sample* inL,
                                                   const Sample* inR, Sample* outL, Sample* outR, int32 count,
                                                   const BatchControls& c)
{
    runStages<Sample, Mode>(engine, inL, inR, outL, outR, count, c);
}

template <typename Sample, ControlMode Mode>
[[gnu::target("avx512f,avx512dq,avx512vl"), gnu::flatten]] void
runAvx512(PlugProcessor& engine, const Sample* inL, const Sample* inR, Sample* outL, Sample* outR,
          int32 count, const BatchControls& c)
{
    runStages<Sample, Mode>(engine, inL, inR, outL, outR, count, c);
}

[[gnu::flatten]] int32 maxBatchBaseline(const PlugProcessor& engine)
{
    return batchLimit(engine);
}

[[gnu::target("avx2"), gnu::flatten]] int32 maxBatchAvx2(const PlugProcessor& engine)
{
    return batchLimit(engine);
}

[[gnu::target("avx512f,avx512dq,avx512vl"), gnu::flatten]] int32 maxBatchAvx512(const PlugProcessor& engine)
{
    return batchLimit(engine);
}

template <typename Sample>
using BatchRunner = void (*)(PlugProcessor&, const Sample*, const Sample*, Sample*, Sample*, int32,
                             const BatchControls&);

// Indexed by vector level, then by control mode.
template <typename Sample>
constexpr BatchRunner<Sample> kBatchRunners[3][2] = {
    {runBaseline<Sample, ControlMode::kVarying>, runBaseline<Sample, ControlMode::kSteady>},
    {runAvx2<Sample, ControlMode::kVarying>, runAvx2<Sample, ControlMode::kSteady>},
    {runAvx512<Sample, ControlMode::kVarying>, runAvx512<Sample, ControlMode::kSteady>},
};

template <typename Sample>
void dispatch(PlugProcessor& engine, const Sample* inL, const Sample* inR, Sample* outL, Sample* outR,
              int32 count, const BatchControls& c)
{
    const auto level = static_cast<std::size_t>(engine.vectorLevel);
    const auto mode = static_cast<std::size_t>(c.mode);
    kBatchRunners<Sample>[level][mode](engine, inL, inR, outL, outR, count, c);
}

}  // namespace

int32 maxBatch(const PlugProcessor& engine)
{
    switch (engine.vectorLevel) {
        case VectorLevel::kAvx512:
            return maxBatchAvx512(engine);
        case VectorLevel::kAvx2:
            return maxBatchAvx2(engine);
        case VectorLevel::kBaseline:
            break;
    }
    return maxBatchBaseline(engine);
}

void runBatch(PlugProcessor& engine, const Sample32* inL, const Sample32* inR, Sample32* outL, Sample32* outR,
              int32 count, const BatchControls& controls)
{
    dispatch(engine, inL, inR, outL, outR, count, controls);
}

void runBatch(PlugProcessor& engine, const Sample64* inL, const Sample64* inR, Sample64* outL, Sample64* outR,
              int32 count, const BatchControls& controls)
{
    dispatch(engine, inL, inR, outL, outR, count, controls);
}

}  // namespace Steinberg::Vst::BatchPath
