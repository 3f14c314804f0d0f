// The per-sample signal path, one sample at a time: input low-pass, predelay, input
// diffusers, the tank of sixteen truncated lines, output diffusers, mid/side high-passes
// and the mix. The block loop runs the same arithmetic stage by stage over batches
// (batchpath.cpp); these operations serve single samples and tests.
#include "source/engine/signalpath.h"

#include "source/engine/tanktables.h"

namespace Steinberg::Vst {

using SignalPath::allpass;
using SignalPath::readPosition;

namespace {

// The written-out sums take every tap with the sign of the tables.
constexpr bool tapSumsFollowTheSignTables()
{
    const double noWeights[PlugProcessor::kNumTankLines] = {};
    for (int32 line = 0; line < PlugProcessor::kNumTankLines; ++line) {
        double taps[PlugProcessor::kNumTankLines] = {};
        taps[line] = 1.0;
        const SignalPath::TapSums sums = SignalPath::sumTaps(taps, noWeights);
        if (sums.left != kLeftTapSigns[line] || sums.right != kRightTapSigns[line])
            return false;
    }
    return true;
}
static_assert(tapSumsFollowTheSignTables());

// Every stage's delayed input and output, read before any stage of the sample writes.
template <int32 Stages>
void readDiffusers(double* const (&arraysX)[Stages], double* const (&arraysY)[Stages],
                   const int32 (&delays)[Stages], int32 w, int32 n, double (&delayedX)[Stages],
                   double (&delayedY)[Stages])
{
    for (int32 k = 0; k < Stages; ++k) {
        const int32 r = readPosition(w, delays[k], n);
        delayedX[k] = arraysX[k][r];
        delayedY[k] = arraysY[k][r];
    }
}

}  // namespace

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
    return dampingLowpass.lowpass(xL + xR);
}

// Written before it is read, so a predelay of 0 passes the sample straight through.
double PlugProcessor::predelaySample(double u)
{
    predelayLine[writeIndex] = u * tankGain;
    return predelayLine[readPosition(writeIndex, predelaySamples, bufferLength)];
}

double PlugProcessor::inputDiffusers(double p)
{
    const int32 w = writeIndex;
    double delayedX[kNumInputDiffusers];
    double delayedY[kNumInputDiffusers];
    readDiffusers(inputDiffuserX, inputDiffuserY, inputDiffuserDelay, w, bufferLength, delayedX, delayedY);
    double x = p;
    for (int32 k = 0; k < kNumInputDiffusers; ++k) {
        const double y = allpass(inputDiffuserCoeff[k], x, delayedX[k], delayedY[k]);
        inputDiffuserX[k][w] = x;
        inputDiffuserY[k][w] = y;
        x = y;
    }
    return x;
}

void PlugProcessor::processTank(double a, double& left, double& right)
{
    const int32 historyLength = kHistoryFactor * bufferLength;
    double taps[kNumTankLines];
    for (int32 i = 0; i < kNumTankLines; ++i)
        taps[i] = tankLines[i][readPosition(writeIndex, lineLength[i], bufferLength)];
    const SignalPath::TapSums sums = SignalPath::sumTaps(taps, feedbackWeight);
    const double z =
        SignalPath::feedbackTerm(tankLowpass.lowpass(sums.feedback), diffusionSmoothed) * tankGain + a;
    inputHistory[historyIndex] = z;
    for (int32 i = 0; i < kNumTankLines; ++i) {
        const double expired = inputHistory[readPosition(historyIndex, truncLength[i], historyLength)];
        tankLines[i][writeIndex] =
            SignalPath::recirculation(taps[i], lineGain[i], truncGain[i], expired) * tankGain + z;
    }
    left = sums.left;
    right = sums.right;
}

void PlugProcessor::outputDiffusers(double left, double right, double& outL, double& outR)
{
    const int32 w = writeIndex;
    double delayedX[kNumOutputDiffusers];
    double delayedY[kNumOutputDiffusers];
    readDiffusers(outputDiffuserX, outputDiffuserY, outputDiffuserDelay, w, bufferLength, delayedX, delayedY);
    // Both channels use the coefficients of the left channel's stage times.
    const double c1 = outputDiffuserCoeff[0];
    const double c2 = outputDiffuserCoeff[1];
    const double l1 = allpass(c1, left, delayedX[0], delayedY[0]);
    const double l2 = allpass(c2, l1, delayedX[1], delayedY[1]);
    const double r1 = allpass(c1, right, delayedX[2], delayedY[2]);
    const double r2 = allpass(c2, r1, delayedX[3], delayedY[3]);
    outputDiffuserX[0][w] = left;
    outputDiffuserY[0][w] = l1;
    outputDiffuserX[1][w] = l1;
    outputDiffuserY[1][w] = l2;
    outputDiffuserX[2][w] = right;
    outputDiffuserY[2][w] = r1;
    outputDiffuserX[3][w] = r1;
    outputDiffuserY[3][w] = r2;
    outL = l2;
    outR = r2;
}

void PlugProcessor::outputFilterAndMix(double l2, double r2, double xL, double xR, double& outL, double& outR)
{
    const double mid = midHighpass.highpass(l2 + r2);
    const double side = sideHighpass.highpass(l2 - r2);
    outL = SignalPath::mixLeft(mid, side, mixSmoothed, dryGain, xL);
    outR = SignalPath::mixRight(mid, side, mixSmoothed, dryGain, xR);
}

}  // namespace Steinberg::Vst
