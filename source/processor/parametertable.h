// The plug-in's parameters in one table: what the controller registers, in this
// order (the order hosts list them in), with their texts, ranges, defaults and
// flags. Which record entry holds each one is in parameterids.h. The processor's
// default record keeps literal values of its own, checked against this table
// where they are defined (plugstate.cpp).
#pragma once

#include <iterator>

#include "sdk/vst3/interfaces/editcontroller.h"
#include "source/processor/parameterids.h"

namespace Steinberg::Vst {

// How the controller maps a plain value to a normalized one.
enum class ParameterTaper {
    toggle,       // Off/On: plain and normalized are both 0 or 1
    linear,       // normalized = (plain - min) / (max - min)
    exponential,  // normalized = log(plain / min) / log(max / min), with 0 < min < max
};

struct ParameterRow {
    ParamID id;
    const TChar* title;
    const TChar* units;
    ParameterTaper taper;
    ParamValue minPlain;
    ParamValue maxPlain;
    ParamValue defaultPlain;
    int32 precision;  // digits after the point in the value's text
    int32 stepCount;
    int32 flags;
};

inline constexpr int32 kAutomatable = ParameterInfo::kCanAutomate;
inline constexpr int32 kAutomatableBypass = ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass;

inline constexpr ParameterRow kParameterTable[] = {
    // id, title, units, taper, min, max, default (all plain), precision, step count, flags
    {kParamBypass, u"Bypass", u"", ParameterTaper::toggle, 0., 1., 0., 0, 1, kAutomatableBypass},
    {kParamLevel, u"Level", u"dB", ParameterTaper::linear, -36., 12., 0., 2, 0, kAutomatable},
    {kParamMix, u"Mix", u"%", ParameterTaper::linear, 0., 100., 50., 0, 0, kAutomatable},
    {kParamPredelay, u"Predelay", u"ms", ParameterTaper::exponential, 1., 250., 1., 1, 0, kAutomatable},
    {kParamRvbTime, u"Rvb Time", u"s", ParameterTaper::linear, 0.2, 1.2, 0.35, 2, 0, kAutomatable},
    {kParamDiffusion, u"Diffusion", u"%", ParameterTaper::linear, 0., 100., 100., 0, 0, kAutomatable},
    {kParamLPCut, u"LPCut", u"Hz", ParameterTaper::exponential, 500., 16000., 8000., 0, 0, kAutomatable},
    {kParamSlope, u"Slope", u"%", ParameterTaper::linear, 0., 100., 100., 0, 0, kAutomatable},
};
inline constexpr int32 kParameterCount = static_cast<int32>(std::size(kParameterTable));

// The natural logarithm of x > 0, for checks at compile time, where std::log
// cannot run: x = m * 2^e with m in [1, 2), and ln m = 2 atanh((m - 1) / (m + 1)).
constexpr double constantLog(double x)
{
    int32 exponent = 0;
    for (; x >= 2.; x /= 2.)
        ++exponent;
    for (; x < 1.; x *= 2.)
        --exponent;
    const double y = (x - 1.) / (x + 1.);  // at most 1/3, so the series converges fast
    double sum = 0.;
    double power = y;
    for (int32 k = 1; k < 60; k += 2, power *= y * y)
        sum += power / k;
    return 2. * sum + exponent * 0.6931471805599453;
}

// The row of a parameter, for checks at compile time; an unknown id stops the compilation.
constexpr const ParameterRow& parameterRow(ParamID id)
{
    for (const ParameterRow& row : kParameterTable)
        if (row.id == id)
            return row;
    throw "no such parameter";
}

// For literals that must stay as they are but agree with the table: equal to
// within a rounding.
constexpr bool agreeWithinRounding(double literal, double fromTable)
{
    return literal - fromTable < 1e-12 && fromTable - literal < 1e-12;
}

// A row's default as a normalized value, to within a rounding of what the
// controller computes at run time.
constexpr double defaultNormalized(const ParameterRow& row)
{
    switch (row.taper) {
        case ParameterTaper::toggle:
            return row.defaultPlain;
        case ParameterTaper::linear:
            return (row.defaultPlain - row.minPlain) / (row.maxPlain - row.minPlain);
        case ParameterTaper::exponential:
            return constantLog(row.defaultPlain / row.minPlain) / constantLog(row.maxPlain / row.minPlain);
    }
    return 0.;
}

}  // namespace Steinberg::Vst
