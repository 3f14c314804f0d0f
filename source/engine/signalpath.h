// Engine-internal: the stages of the per-sample signal path as inline functions, shared
// by PlugProcessor's public per-sample operations and the block loop, plus the tank's
// batch operations.
//
// The tank is processed in batches of up to kMaxTankBatch samples: every tap of a batch
// is read before any line is written, and every line is written after the whole batch
// has been fed. That gives exactly the per-sample results as long as a batch is no
// longer than the shortest line and the reads stay clear of what the batch writes
// (maxTankBatch); every value is computed by the same operations in the same order as
// one sample at a time.
#pragma once

#include "source/processor/plugprocessor.h"

namespace Steinberg::Vst::SignalPath {

inline constexpr int32 kMaxTankBatch = 64;

// The tank's taps for each sample of a batch: where each line's taps start (a batch
// never wraps a read), and their left, right and feedback sums.
struct TankTaps {
    const double* taps[PlugProcessor::kNumTankLines];
    double left[kMaxTankBatch];
    double right[kMaxTankBatch];
    double feedback[kMaxTankBatch];  // weighted sum before the tank low-pass
};

// Position of a read d samples behind the write position w in an array of n samples,
// for 0 <= d <= n: the sign bit of w - d selects whether n is added.
inline int32 readPosition(int32 w, int32 d, int32 n)
{
    const int32 r = w - d;
    return r + ((r >> 31) & n);
}

// One allpass stage y[n] = c * (y[n - D] - x[n]) + x[n - D], its delayed values already read.
inline double allpass(double c, double x, double delayedX, double delayedY)
{
    return c * (delayedY - x) + delayedX;
}

inline double inputLowpass(PlugProcessor& engine, double xL, double xR)
{
    return engine.dampingLowpass.lowpass(xL + xR);
}

// Written before it is read, so a predelay of 0 passes the sample straight through.
inline double predelay(PlugProcessor& engine, double u)
{
    engine.predelayLine[engine.writeIndex] = u * engine.tankGain;
    return engine.predelayLine[readPosition(engine.writeIndex, engine.predelaySamples, engine.bufferLength)];
}

inline double inputDiffusers(PlugProcessor& engine, double p)
{
    constexpr int32 kStages = PlugProcessor::kNumInputDiffusers;
    const int32 w = engine.writeIndex;
    const int32 n = engine.bufferLength;
    double delayedX[kStages];
    double delayedY[kStages];
    for (int32 k = 0; k < kStages; ++k) {
        const int32 r = readPosition(w, engine.inputDiffuserDelay[k], n);
        delayedX[k] = engine.inputDiffuserX[k][r];
        delayedY[k] = engine.inputDiffuserY[k][r];
    }
    double x = p;
    for (int32 k = 0; k < kStages; ++k) {
        const double y = allpass(engine.inputDiffuserCoeff[k], x, delayedX[k], delayedY[k]);
        engine.inputDiffuserX[k][w] = x;
        engine.inputDiffuserY[k][w] = y;
        x = y;
    }
    return x;
}

// The tank's input z for the current sample, from the weighted tap sum and the diffused
// input; written to the input history at once.
inline double feedTank(PlugProcessor& engine, double feedbackSum, double a)
{
    const double filtered = engine.tankLowpass.lowpass(feedbackSum);
    const double z = filtered * -0.02 * engine.diffusionSmoothed * engine.tankGain + a;
    engine.inputHistory[engine.historyIndex] = z;
    return z;
}

inline void outputDiffusers(PlugProcessor& engine, double left, double right, double& outL, double& outR)
{
    const int32 w = engine.writeIndex;
    const int32 n = engine.bufferLength;
    double delayedX[PlugProcessor::kNumOutputDiffusers];
    double delayedY[PlugProcessor::kNumOutputDiffusers];
    for (int32 k = 0; k < PlugProcessor::kNumOutputDiffusers; ++k) {
        const int32 r = readPosition(w, engine.outputDiffuserDelay[k], n);
        delayedX[k] = engine.outputDiffuserX[k][r];
        delayedY[k] = engine.outputDiffuserY[k][r];
    }
    // Both channels use the coefficients of the left channel's stage times.
    const double c1 = engine.outputDiffuserCoeff[0];
    const double c2 = engine.outputDiffuserCoeff[1];
    const double l1 = allpass(c1, left, delayedX[0], delayedY[0]);
    const double l2 = allpass(c2, l1, delayedX[1], delayedY[1]);
    const double r1 = allpass(c1, right, delayedX[2], delayedY[2]);
    const double r2 = allpass(c2, r1, delayedX[3], delayedY[3]);
    engine.outputDiffuserX[0][w] = left;
    engine.outputDiffuserY[0][w] = l1;
    engine.outputDiffuserX[1][w] = l1;
    engine.outputDiffuserY[1][w] = l2;
    engine.outputDiffuserX[2][w] = right;
    engine.outputDiffuserY[2][w] = r1;
    engine.outputDiffuserX[3][w] = r1;
    engine.outputDiffuserY[3][w] = r2;
    outL = l2;
    outR = r2;
}

inline void outputFilterAndMix(PlugProcessor& engine, double l2, double r2, double xL, double xR,
                               double& outL, double& outR)
{
    const double mid = engine.midHighpass.highpass(l2 + r2);
    const double side = engine.sideHighpass.highpass(l2 - r2);
    const double wetL = (mid + side) * 0.5;
    const double wetR = (mid - side) * 0.5;
    outL = engine.mixSmoothed * wetL + engine.dryGain * xL;
    outR = engine.mixSmoothed * wetR + engine.dryGain * xR;
}

// Longest batch that gives per-sample results with the current tables, starting at the
// current indexes; within it no index and no tap or truncation read wraps. At least 1.
int32 maxTankBatch(const PlugProcessor& engine);

// Finds the sixteen taps of `count` samples from the write position firstWrite on, and
// forms their left, right and feedback sums. `count` is 1 or at most maxTankBatch.
void readTankTaps(const PlugProcessor& engine, int32 firstWrite, int32 count, TankTaps& out);

// Writes the sixteen lines for `count` samples from firstWrite / firstHistory on, once
// every z of those samples is in the input history; taps are those readTankTaps found.
void writeTankLines(PlugProcessor& engine, int32 firstWrite, int32 firstHistory, int32 count,
                    const TankTaps& taps, const double* z, const double* tankGain);

}  // namespace Steinberg::Vst::SignalPath
