// The reverb's signal-processing formulas as free functions: mapping laws, first-order
// filter and smoother coefficients, level conversion, delay-memory sizing, a loop-filter
// design, Hadamard transforms and tables of delay times.
//
// The engine computes most formulas it needs inline, in the exact order of operations
// that defines its sound (it calls only onePolePole and maxCutoffForRate from here);
// these functions follow the same arithmetic, so tests can check the engine against
// them and new code can reuse them.
#pragma once

#include <span>

#include "sdk/vst3/interfaces/types.h"

namespace Steinberg::Vst {

// (x - inMin) * (outMax - outMin) / (inMax - inMin) + outMin.
double mapLinear(double x, double inMin, double inMax, double outMin, double outMax);
// min * (max / min)^p: p = 0 gives min, p = 1 gives max.
double mapExponential(double p, double min, double max);
// The inverse of mapExponential.
double unmapExponential(double x, double min, double max);

// The pole of the one-pole filters at w radians per sample: (1 - sin w) / cos w.
// Each caller keeps its own arithmetic for w, which is part of the sound.
double onePolePole(double w);
// One-pole low-pass y = pole * y1 + gain * (x + x1) with unit gain at 0 Hz.
void lowpassCoefficients(double& gain, double& pole, double freq, double sampleRate);
// One-pole high-pass y = pole * y1 + gain * (x - x1) with unit gain at half the rate.
void highpassCoefficients(double& gain, double& pole, double freq, double sampleRate);
// Leaky integrator y = a * x + b * y1 with its -3 dB point near freq.
void onePoleCoefficient(double& a, double& b, double freq, double sampleRate);
// Smoother y = a * target + b * y1 that covers about 89 % of a step in ms.
void smoothingCoefficient(double& a, double& b, double ms, double sampleRate);

double dbToGain(double dB);

// Samples of every delay array: 250 ms plus 0.1 %. Saturates instead of overflowing
// for rates no host uses.
int32 delayBufferLength(double samplesPerMs);

// Filter y = k * x + p * y1 after a delay of delayMs, so that the loop decays by 60 dB
// in decayMs at 0 Hz and in decayHighMs at half the sample rate.
void absorbentCoefficients(double& k, double& p, double decayMs, double decayHighMs, double delayMs);

// Orthonormal Hadamard transforms in natural order, in place.
void hadamard16(std::span<double, 16> values);
void hadamard8(std::span<double, 8> values);

// Tables of delay times in ms. An index outside the known sets gives set 1.
void getDelaySet16(int32 index, std::span<double, 16> out);
void getDelaySet8(int32 index, std::span<double, 8> out);
void getDelaySet16x5(int32 index, std::span<double, 16> out);

// Highest cutoff in Hz at which the damping low-pass stays stable at this rate:
// 16000 above 32 kHz, else whole kilohertz at least 500 Hz below half the rate.
double maxCutoffForRate(double sampleRate);

}  // namespace Steinberg::Vst
