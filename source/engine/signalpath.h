// Engine-internal: the arithmetic that the per-sample operations (signalpath.cpp) and the
// batch loops (batchpath.cpp) share, so that both compute every value by the same
// operations in the same order.
#pragma once

#include "source/processor/plugprocessor.h"

namespace Steinberg::Vst::SignalPath {

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

struct TapSums {
    double left;
    double right;
    double feedback;  // weighted, before the tank low-pass
};

// The sixteen taps summed in line order. Left and right take each tap with the sign of
// kLeftTapSigns / kRightTapSigns (tanktables.h): even lines the same sign in both, odd
// lines opposite signs.
constexpr TapSums sumTaps(const double (&t)[PlugProcessor::kNumTankLines], const double* weights)
{
    TapSums sums;
    sums.left = t[0] + t[1] + t[2] + t[3] + t[4] - t[5] + t[6] - t[7] + t[8] - t[9] + t[10] - t[11] + t[12] +
        t[13] + t[14] + t[15];
    sums.right = t[0] - t[1] + t[2] - t[3] + t[4] + t[5] + t[6] + t[7] + t[8] + t[9] + t[10] + t[11] + t[12] -
        t[13] + t[14] - t[15];
    double feedback = weights[0] * t[0];
    for (int32 i = 1; i < PlugProcessor::kNumTankLines; ++i)
        feedback = feedback + weights[i] * t[i];
    sums.feedback = feedback;
    return sums;
}

// The tank's input z is feedbackTerm x tankGain + the diffused input: the low-passed
// feedback sum, scaled in this order.
inline double feedbackTerm(double filteredFeedback, double diffusion)
{
    return filteredFeedback * -0.02 * diffusion;
}

// A line's new value is recirculation x tankGain + z: its tap less the input it
// received one truncation length ago, scaled to what the line still holds of it after
// its last pass (so the response ends after whole passes).
inline double recirculation(double tap, double lineGain, double truncGain, double expired)
{
    return tap * lineGain - truncGain * expired;
}

// Wet mid/side back to left and right, then mixed with the dry input.
inline double mixLeft(double mid, double side, double mix, double dryGain, double dry)
{
    return mix * ((mid + side) * 0.5) + dryGain * dry;
}

inline double mixRight(double mid, double side, double mix, double dryGain, double dry)
{
    return mix * ((mid - side) * 0.5) + dryGain * dry;
}

}  // namespace Steinberg::Vst::SignalPath
