// The per-sample signal path: input low-pass, predelay, input diffusers, the tank of
// sixteen truncated lines, output diffusers, mid/side high-passes and the mix.
// This is the inner loop: no allocation, no division, no transcendental function.
#include "source/engine/tanktables.h"
#include "source/processor/plugprocessor.h"

namespace Steinberg::Vst {
namespace {

// Position of a read d samples behind the write position w in an array of n samples,
// for 0 <= d <= n: the sign bit of w - d selects whether n is added.
inline int32 readPosition(int32 w, int32 d, int32 n)
{
    const int32 r = w - d;
    return r + ((r >> 31) & n);
}

// One allpass stage y[n] = c * (y[n - D] - x[n]) + x[n - D], with its delayed values already read.
inline double allpass(double c, double x, double delayedX, double delayedY)
{
    return c * (delayedY - x) + delayedX;
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

double PlugProcessor::predelaySample(double u)
{
    // Written before it is read, so a predelay of 0 passes the sample straight through.
    predelayLine[writeIndex] = u * tankGain;
    return predelayLine[readPosition(writeIndex, predelaySamples, bufferLength)];
}

double PlugProcessor::inputDiffusers(double p)
{
    const int32 w = writeIndex;
    const int32 n = bufferLength;
    double delayedX[kNumInputDiffusers];
    double delayedY[kNumInputDiffusers];
    for (int32 k = 0; k < kNumInputDiffusers; ++k) {
        const int32 r = readPosition(w, inputDiffuserDelay[k], n);
        delayedX[k] = inputDiffuserX[k][r];
        delayedY[k] = inputDiffuserY[k][r];
    }
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
    const int32 w = writeIndex;
    const int32 n = bufferLength;
    const int32 historyLength = kHistoryFactor * bufferLength;
    const double gain = tankGain;

    double taps[kNumTankLines];
    for (int32 i = 0; i < kNumTankLines; ++i)
        taps[i] = tankLines[i][readPosition(w, lineLength[i], n)];

    double leftSum = taps[0];
    double rightSum = taps[0];
    double feedbackSum = feedbackWeight[0] * taps[0];
    for (int32 i = 1; i < kNumTankLines; ++i) {
        leftSum += kLeftTapSigns[i] * taps[i];  // multiplying by +-1 is exact
        rightSum += kRightTapSigns[i] * taps[i];
        feedbackSum += feedbackWeight[i] * taps[i];
    }

    const double filtered = tankLowpass.lowpass(feedbackSum);
    const double z = filtered * -0.02 * diffusionSmoothed * gain + a;

    // Written first: the truncation terms of the shortest lines may read it back.
    inputHistory[historyIndex] = z;
    for (int32 i = 0; i < kNumTankLines; ++i) {
        const double expired = inputHistory[readPosition(historyIndex, truncLength[i], historyLength)];
        tankLines[i][w] = (taps[i] * lineGain[i] - truncGain[i] * expired) * gain + z;
    }

    left = leftSum;
    right = rightSum;
}

void PlugProcessor::outputDiffusers(double left, double right, double& outL, double& outR)
{
    const int32 w = writeIndex;
    const int32 n = bufferLength;
    double delayedX[kNumOutputDiffusers];
    double delayedY[kNumOutputDiffusers];
    for (int32 k = 0; k < kNumOutputDiffusers; ++k) {
        const int32 r = readPosition(w, outputDiffuserDelay[k], n);
        delayedX[k] = outputDiffuserX[k][r];
        delayedY[k] = outputDiffuserY[k][r];
    }
    // Both channels share the coefficients of the left channel's stage times.
    const double l1 = allpass(outputDiffuserCoeff[0], left, delayedX[0], delayedY[0]);
    const double l2 = allpass(outputDiffuserCoeff[1], l1, delayedX[1], delayedY[1]);
    const double r1 = allpass(outputDiffuserCoeff[0], right, delayedX[2], delayedY[2]);
    const double r2 = allpass(outputDiffuserCoeff[1], r1, delayedX[3], delayedY[3]);
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

void PlugProcessor::outputFilterAndMix(double l2, double r2, double xL, double xR, double& outL,
                                       double& outR)
{
    const double mid = midHighpass.highpass(l2 + r2);
    const double side = sideHighpass.highpass(l2 - r2);
    const double wetL = (mid + side) * 0.5;
    const double wetR = (mid - side) * 0.5;
    outL = mixSmoothed * wetL + dryGain * xL;
    outR = mixSmoothed * wetR + dryGain * xR;
}

}  // namespace Steinberg::Vst
