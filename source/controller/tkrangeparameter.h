// The plug-in's continuous parameters: a linear range and an exponential
// (logarithmic-taper) range for times and frequencies. Both print the plain
// value with the parameter's precision, never "On"/"Off" or step numbers.
#pragma once

#include "sdk/vst3/controller/parameters.h"

namespace Steinberg::Vst {

// True when a and b differ by less than the smallest step any text shows, or
// when their difference is not a number.
bool nearlyEqual(double a, double b);

class TKRangeParameter : public RangeParameter {
public:
    // The precision is set afterwards with setPrecision().
    TKRangeParameter(const TChar* title, ParamID tag, const TChar* units, int32 flags, ParamValue minPlain,
                     ParamValue maxPlain, ParamValue defaultValuePlain);

    // Values that are practically zero read "0.00", not "-0.00".
    void toString(ParamValue valueNormalized, String128 string) const override;
};

// Requires 0 < min < max.
class TKExpRangeParameter : public RangeParameter {
public:
    TKExpRangeParameter(const TChar* title, ParamID tag, const TChar* units, int32 flags, ParamValue minPlain,
                        ParamValue maxPlain, ParamValue defaultValuePlain);

    void toString(ParamValue valueNormalized, String128 string) const override;
    // Neither direction clamps. A plain value of 0 or below, which has no
    // logarithm, maps to 0 (the low end).
    ParamValue toPlain(ParamValue valueNormalized) const override;
    ParamValue toNormalized(ParamValue plainValue) const override;
};

}  // namespace Steinberg::Vst
