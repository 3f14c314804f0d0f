// The per-sample signal path: input low-pass, predelay, input diffusers, the tank of
// sixteen truncated lines, output diffusers, mid/side high-passes and the mix.
// This is the inner loop: no allocation, no division, no transcendental function.
#include "source/engine/signalpath.h"

#include <algorithm>

#include "source/engine/tanktables.h"

namespace Steinberg::Vst {
namespace SignalPath {
namespace {

// Copies `count` consecutive samples of a ring of `length` samples from `start` on;
// start may lie up to one length below 0.
void copyFromRing(const double* ring, int32 length, int32 start, int32 count, double* out)
{
    if (start < 0)
        start += length;
    const int32 beforeWrap = std::min(count, length - start);
    std::copy_n(ring + start, beforeWrap, out);
    std::copy_n(ring, count - beforeWrap, out + beforeWrap);
}

}  // namespace

int32 maxTankBatch(const PlugProcessor& engine)
{
    const int32 historyLength = PlugProcessor::kHistoryFactor * engine.bufferLength;
    int32 count = std::min({kMaxTankBatch, engine.bufferLength - engine.writeIndex,
                            historyLength - engine.historyIndex});
    for (int32 i = 0; i < PlugProcessor::kNumTankLines; ++i) {
        // A tap must not read what the same batch writes...
        if (engine.lineLength[i] > 0)
            count = std::min(count, engine.lineLength[i]);
        // ...nor a truncation term what the batch's own feeding has overwritten.
        count = std::min(count, historyLength - engine.truncLength[i]);
    }
    return std::max(count, 1);
}

void readTankTaps(const PlugProcessor& engine, int32 firstWrite, int32 count, TankTaps& out)
{
    for (int32 i = 0; i < PlugProcessor::kNumTankLines; ++i)
        copyFromRing(engine.tankLines[i], engine.bufferLength, firstWrite - engine.lineLength[i], count,
                     out.taps[i]);

    // Line by line, so each sample's sums are formed in the order of the lines.
    const double* first = out.taps[0];
    for (int32 s = 0; s < count; ++s) {
        out.left[s] = first[s];
        out.right[s] = first[s];
        out.feedback[s] = engine.feedbackWeight[0] * first[s];
    }
    for (int32 i = 1; i < PlugProcessor::kNumTankLines; ++i) {
        const double* tap = out.taps[i];
        const double leftSign = kLeftTapSigns[i];  // a + (-1 * t) is exactly a - t
        const double rightSign = kRightTapSigns[i];
        const double weight = engine.feedbackWeight[i];
        for (int32 s = 0; s < count; ++s) {
            out.left[s] += leftSign * tap[s];
            out.right[s] += rightSign * tap[s];
            out.feedback[s] += weight * tap[s];
        }
    }
}

void writeTankLines(PlugProcessor& engine, int32 firstWrite, int32 firstHistory, int32 count,
                    const TankTaps& taps, const double* z, const double* tankGain)
{
    const int32 historyLength = PlugProcessor::kHistoryFactor * engine.bufferLength;
    double expired[kMaxTankBatch];
    for (int32 i = 0; i < PlugProcessor::kNumTankLines; ++i) {
        // The input from one truncation length back, scaled to what the line still holds
        // of it after its last pass, is taken out: the response ends after whole passes.
        copyFromRing(engine.inputHistory, historyLength, firstHistory - engine.truncLength[i], count,
                     expired);
        const double gain = engine.lineGain[i];
        const double truncGain = engine.truncGain[i];
        const double* tap = taps.taps[i];
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

void PlugProcessor::outputFilterAndMix(double l2, double r2, double xL, double xR, double& outL,
                                       double& outR)
{
    SignalPath::outputFilterAndMix(*this, l2, r2, xL, xR, outL, outR);
}

}  // namespace Steinberg::Vst
