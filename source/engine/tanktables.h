// Constant tables of the tank: one base time per line and the tap signs of the two output
// sums, one entry per line (PlugProcessor::kNumTankLines; checked where they are used).
#pragma once

#include "sdk/vst3/interfaces/types.h"

namespace Steinberg::Vst {

// Length of one pass of each line at Rvb Time 0 (size scale 1), in ms. Deliberately
// not sorted (line 10 is shorter than line 11): the order is part of the sound.
inline constexpr double kTankBaseTimesMs[] = {
    32.13723,  26.357152, 23.120309, 20.379699, 18.768045, 17.380903, 15.288217, 13.719974,
    13.194842, 12.193195, 11.449247, 11.798912, 10.877801, 10.785245, 10.586653, 10.055123,
};

// Signs of the taps in the left and right sums. Even lines carry the same sign in both,
// odd lines opposite signs, so the mid signal comes from the even lines only and the
// side signal from the odd lines only.
inline constexpr double kLeftTapSigns[] = {
    +1, +1, +1, +1, +1, -1, +1, -1, +1, -1, +1, -1, +1, +1, +1, +1,
};
inline constexpr double kRightTapSigns[] = {
    +1, -1, +1, -1, +1, +1, +1, +1, +1, +1, +1, +1, +1, -1, +1, -1,
};

}  // namespace Steinberg::Vst
