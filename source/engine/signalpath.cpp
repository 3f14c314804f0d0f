// The per-sample signal path: input low-pass, predelay, input diffusers, the tank of
// sixteen truncated lines, output diffusers, mid/side high-passes and the mix.
// This is the inner loop: no allocation, no division, no transcendental function.
#include "source/engine/signalpath.h"

#include <algorithm>

#include "source/engine/tanktables.h"

namespace Steinberg::Vst {
namespace SignalPath {
namespace {

// Start of a read d samples behind position w in a ring of n samples, 0 <= d <= n.
const double* delayedRun(const double* ring, int32 n, int32 w, int32 d)
{
    return ring + readPosition(w, d, n);
}

}  // namespace

int32 maxTankBatch(const PlugProcessor& engine)
{
    const int32 n = engine.bufferLength;
    const int32 historyLength = PlugProcessor::kHistoryFactor * n;
    const int32 w = engine.writeIndex;
    const int32 h = engine.historyIndex;
    int32 count = std::min({kMaxTankBatch, n - w, historyLength - h});
    for (int32 i = 0; i < PlugProcessor::kNumTankLines; ++i) {
        const int32 lineLength = engine.lineLength[i];
        const int32 truncLength = engine.truncLength[i];
        // A tap must not read what the same batch writes, before or after a wrap...
        if (lineLength > 0)
            count = std::min({count, lineLength, n - lineLength});
        // ...nor a truncation term what the batch's own feeding has overwritten.
        count = std::min(count, historyLength - truncLength);
        // Reads run without a wrap.
        count = std::min(count, n - readPosition(w, lineLength, n));
        count = std::min(count, historyLength - readPosition(h, truncLength, historyLength));
    }
    return std::max(count, 1);
}

void readTankTaps(const PlugProcessor& engine, int32 firstWrite, int32 count, TankTaps& out)
{
    constexpr int32 kLines = PlugProcessor::kNumTankLines;
    static_assert(kLines % 4 == 0, "lines are summed in groups of four");
    for (int32 i = 0; i < kLines; ++i)
        out.taps[i] = delayedRun(engine.tankLines[i], engine.bufferLength, firstWrite, engine.lineLength[i]);

    // Four lines at a time, each sample's sums formed in the order of the lines, so that
    // the loops over the samples vectorize. Multiplying by a sign of +-1 is exact, and
    // a + (-1 * t) is exactly a - t.
    const double* const* taps = out.taps;
    const double* weights = engine.feedbackWeight;
    for (int32 s = 0; s < count; ++s) {
        const double t0 = taps[0][s], t1 = taps[1][s], t2 = taps[2][s], t3 = taps[3][s];
        out.left[s] = t0 + kLeftTapSigns[1] * t1 + kLeftTapSigns[2] * t2 + kLeftTapSigns[3] * t3;
        out.right[s] = t0 + kRightTapSigns[1] * t1 + kRightTapSigns[2] * t2 + kRightTapSigns[3] * t3;
        out.feedback[s] = weights[0] * t0 + weights[1] * t1 + weights[2] * t2 + weights[3] * t3;
    }
    for (int32 i = 4; i < kLines; i += 4) {
        const double* a = taps[i];
        const double* b = taps[i + 1];
        const double* c = taps[i + 2];
        const double* d = taps[i + 3];
        const double la = kLeftTapSigns[i], lb = kLeftTapSigns[i + 1], lc = kLeftTapSigns[i + 2],
                     ld = kLeftTapSigns[i + 3];
        const double ra = kRightTapSigns[i], rb = kRightTapSigns[i + 1], rc = kRightTapSigns[i + 2],
                     rd = kRightTapSigns[i + 3];
        const double wa = weights[i], wb = weights[i + 1], wc = weights[i + 2], wd = weights[i + 3];
        for (int32 s = 0; s < count; ++s) {
            out.left[s] = out.left[s] + la * a[s] + lb * b[s] + lc * c[s] + ld * d[s];
            out.right[s] = out.right[s] + ra * a[s] + rb * b[s] + rc * c[s] + rd * d[s];
            out.feedback[s] = out.feedback[s] + wa * a[s] + wb * b[s] + wc * c[s] + wd * d[s];
        }
    }
}

void writeTankLines(PlugProcessor& engine, int32 firstWrite, int32 firstHistory, int32 count,
                    const TankTaps& taps, const double* z, const double* tankGain)
{
    const int32 historyLength = PlugProcessor::kHistoryFactor * engine.bufferLength;
    for (int32 i = 0; i < PlugProcessor::kNumTankLines; ++i) {
        const double gain = engine.lineGain[i];
        const double truncGain = engine.truncGain[i];
        const double* tap = taps.taps[i];
        // The input from one truncation length back, scaled to what the line still holds
        // of it after its last pass, is taken out: the response ends after whole passes.
        const double* expired =
            delayedRun(engine.inputHistory, historyLength, firstHistory, engine.truncLength[i]);
        double* line = engine.tankLines[i] + firstWrite;
        for (int32 s = 0; s < count; ++s)
            line[s] = (tap[s] * gain - truncGain * expired[s]) * tankGain[s] + z[s];
    }
}

}  // namespace SignalPath

void PlugProcessor::processSample(double xL, double xR, double& yL, double& yR)
{
    const double u = inputLowpass(xL, xR);
    const double p = predelaySample(u);
    const double a = inputDiffusers(p);
    double left = 0.0;
    double right = 0.0;
    processTank(a, left, right);
    double l2 = 0.0;
    double r2 = 0.0;
    outputDiffusers(left, right, l2, r2);
    outputFilterAndMix(l2, r2, xL, xR, yL, yR);
}

double PlugProcessor::inputLowpass(double xL, double xR)
{
    return SignalPath::inputLowpass(*this, xL, xR);
}

double PlugProcessor::predelaySample(double u)
{
    return SignalPath::predelay(*this, u);
}

double PlugProcessor::inputDiffusers(double p)
{
    return SignalPath::inputDiffusers(*this, p);
}

void PlugProcessor::processTank(double a, double& left, double& right)
{
    SignalPath::TankTaps taps;
    SignalPath::readTankTaps(*this, writeIndex, 1, taps);
    const double z = SignalPath::feedTank(*this, taps.feedback[0], a);
    SignalPath::writeTankLines(*this, writeIndex, historyIndex, 1, taps, &z, &tankGain);
    left = taps.left[0];
    right = taps.right[0];
}

void PlugProcessor::outputDiffusers(double left, double right, double& outL, double& outR)
{
    SignalPath::outputDiffusers(*this, left, right, outL, outR);
}

void PlugProcessor::outputFilterAndMix(double l2, double r2, double xL, double xR, double& outL, double& outR)
{
    SignalPath::outputFilterAndMix(*this, l2, r2, xL, xR, outL, outR);
}

}  // namespace Steinberg::Vst
