// The block loop and signal path written out literally, one sample at a time and with
// no shortcuts (coefficients recomputed every sample, the tank line by line), to check
// the engine's faster loop against.
#pragma once

#include <algorithm>
#include <cmath>

#include "source/processor/plugprocessor.h"

namespace morvik::testing {

using Steinberg::int32;
using Steinberg::Vst::PlugProcessor;
using Steinberg::Vst::PlugState;
using Steinberg::Vst::PlugValueIndex;

inline double readDelayed(const double* array, int32 length, int32 position, int32 delay)
{
    int32 r = position - delay;
    if (r < 0)
        r += length;
    return array[r];
}

inline double referenceAllpass(double* x, double* y, int32 n, int32 w, int32 delay, double c, double input)
{
    return c * (readDelayed(y, n, w, delay) - input) + readDelayed(x, n, w, delay);
}

inline void referenceSample(PlugProcessor& e, double xL, double xR, double& outL, double& outR)
{
    const int32 w = e.writeIndex;
    const int32 h = e.historyIndex;
    const int32 n = e.bufferLength;
    const int32 historyLength = 5 * n;

    const double u = e.dampingLowpass.lowpass(xL + xR);
    e.predelayLine[w] = u * e.tankGain;
    const double p = readDelayed(e.predelayLine, n, w, e.predelaySamples);

    double stage[5] = {p};
    for (int k = 0; k < 4; ++k)
        stage[k + 1] = referenceAllpass(e.inputDiffuserX[k], e.inputDiffuserY[k], n, w,
                                        e.inputDiffuserDelay[k], e.inputDiffuserCoeff[k], stage[k]);
    for (int k = 0; k < 4; ++k) {
        e.inputDiffuserX[k][w] = stage[k];
        e.inputDiffuserY[k][w] = stage[k + 1];
    }
    const double a = stage[4];

    double t[16];
    for (int i = 0; i < 16; ++i)
        t[i] = readDelayed(e.tankLines[i], n, w, e.lineLength[i]);
    const double left = t[0] + t[1] + t[2] + t[3] + t[4] - t[5] + t[6] - t[7] + t[8] - t[9] + t[10] - t[11] +
        t[12] + t[13] + t[14] + t[15];
    const double right = t[0] - t[1] + t[2] - t[3] + t[4] + t[5] + t[6] + t[7] + t[8] + t[9] + t[10] + t[11] +
        t[12] - t[13] + t[14] - t[15];
    double f = 0.0;
    for (int i = 0; i < 16; ++i)
        f = i == 0 ? e.feedbackWeight[0] * t[0] : f + e.feedbackWeight[i] * t[i];
    const double v = e.tankLowpass.lowpass(f);
    const double z = v * (-0.02) * e.diffusionSmoothed * e.tankGain + a;
    e.inputHistory[h] = z;
    for (int i = 0; i < 16; ++i) {
        const double expired = readDelayed(e.inputHistory, historyLength, h, e.truncLength[i]);
        e.tankLines[i][w] = (t[i] * e.lineGain[i] - e.truncGain[i] * expired) * e.tankGain + z;
    }

    const double c5 = e.outputDiffuserCoeff[0];
    const double c6 = e.outputDiffuserCoeff[1];
    const int32* d = e.outputDiffuserDelay;
    const double l1 = referenceAllpass(e.outputDiffuserX[0], e.outputDiffuserY[0], n, w, d[0], c5, left);
    const double l2 = referenceAllpass(e.outputDiffuserX[1], e.outputDiffuserY[1], n, w, d[1], c6, l1);
    const double r1 = referenceAllpass(e.outputDiffuserX[2], e.outputDiffuserY[2], n, w, d[2], c5, right);
    const double r2 = referenceAllpass(e.outputDiffuserX[3], e.outputDiffuserY[3], n, w, d[3], c6, r1);
    const double written[8] = {left, l1, l1, l2, right, r1, r1, r2};
    for (int k = 0; k < 4; ++k) {
        e.outputDiffuserX[k][w] = written[2 * k];
        e.outputDiffuserY[k][w] = written[2 * k + 1];
    }

    const double m = e.midHighpass.highpass(l2 + r2);
    const double s = e.sideHighpass.highpass(l2 - r2);
    outL = e.mixSmoothed * ((m + s) * 0.5) + e.dryGain * xL;
    outR = e.mixSmoothed * ((m - s) * 0.5) + e.dryGain * xR;
}

template <typename Sample>
void referenceBlock(PlugProcessor& e, const Sample* inL, const Sample* inR, Sample* outL, Sample* outR,
                    int32 numSamples)
{
    for (int32 i = 0; i < numSamples; ++i) {
        const double xL = static_cast<double>(inL[i]) + 1e-18;
        const double xR = static_cast<double>(inR[i]) + 1e-18;

        // Smoothers below the smallest normal double are 0 (the engine's guard against denormals).
        auto flush = [](double state) { return std::abs(state) < 2.2250738585072014e-308 ? 0.0 : state; };
        e.levelSmoothState = flush(e.smoothB * e.levelSmoothState + e.smoothA * e.levelGainTarget);
        e.mixSmoothState = flush(e.smoothB * e.mixSmoothState + e.smoothA * e.mixTarget);
        e.diffusionSmoothState = flush(e.smoothB * e.diffusionSmoothState + e.smoothA * e.diffusionTarget);
        e.levelGainSmoothed = e.levelSmoothState;
        e.mixSmoothed = e.mixSmoothState;
        e.diffusionSmoothed = e.diffusionSmoothState;
        e.dryGain = 1.0 - e.mixSmoothed;

        const double T = 150.0 * e.diffusionSmoothed;
        const double r = 1.0 / T;
        for (int k = 0; k < 4; ++k) {
            const double c = std::exp2(e.inputDiffuserMs[k] * -9.965784284662087 * r);
            e.inputDiffuserCoeff[k] = c > 0.8 ? 0.8 : c;
        }
        for (int j = 0; j < 2; ++j) {
            const double c = std::exp2(e.outputDiffuserMs[j] * -9.965784284662087 / T);
            e.outputDiffuserCoeff[j] = c > 0.8 ? 0.8 : c;
        }

        if (e.reconfigPending) {
            e.fadingIn = false;
            e.fadeGain = e.fadeGain - e.fadeOutStep;
            if (!(e.fadeGain > 0.0)) {
                e.fadeGain = 0.0;
                --e.holdCounter;
                if (e.holdCounter == 0) {
                    e.holdCounter = e.holdSamples;
                    e.reconfigPending = false;
                    e.fadingIn = true;
                    e.configureTank(false);
                    std::fill_n(e.inputHistory, 5 * e.bufferLength, 0.0);
                }
            }
        } else if (e.fadingIn) {
            e.fadeGain = e.fadeGain + e.fadeInStep;
            if (e.fadeGain > 1.0) {
                e.fadeGain = 1.0;
                e.fadingIn = false;
                e.firstRun = false;
            }
        }
        e.tankGain = e.firstRun ? 1.0 : e.fadeGain;

        double yL = 0.0;
        double yR = 0.0;
        referenceSample(e, xL, xR, yL, yR);
        outL[i] = static_cast<Sample>(yL * e.levelGainSmoothed);
        outR[i] = static_cast<Sample>(yR * e.levelGainSmoothed);

        e.writeIndex = e.writeIndex + 1 == e.bufferLength ? 0 : e.writeIndex + 1;
        e.historyIndex = e.historyIndex + 1 == 5 * e.bufferLength ? 0 : e.historyIndex + 1;
    }
}

}  // namespace morvik::testing
