#include "source/controller/tkrangeparameter.h"

#include <cmath>

#include "sdk/vst3/base/fstring.h"

namespace Steinberg::Vst {
namespace {

constexpr int32 kTextCapacity = 128;
// Half of the last digit the finest display precision (4) shows.
constexpr double kNegligible = 5e-5;

void describe(ParameterInfo& info, const TChar* title, ParamID tag, const TChar* units, int32 flags)
{
    UString(info.title, kTextCapacity).assign(title);
    UString(info.units, kTextCapacity).assign(units);
    info.flags = flags;
    info.id = tag;
    info.stepCount = 0;
    info.unitId = kRootUnitId;
}

void printPlain(double plain, int32 precision, String128 string)
{
    if (!UString(string, kTextCapacity).printFloat(plain, precision))
        string[0] = 0;
}

}  // namespace

bool nearlyEqual(double a, double b)
{
    return !(std::abs(b - a) >= kNegligible);
}

// --- TKRangeParameter --------------------------------------------------------

TKRangeParameter::TKRangeParameter(const TChar* title, ParamID tag, const TChar* units, int32 flags,
                                   ParamValue minPlain, ParamValue maxPlain, ParamValue defaultValuePlain)
{
    setMin(minPlain);
    setMax(maxPlain);
    describe(info, title, tag, units, flags);
    const ParamValue defaultNormalized = toNormalized(defaultValuePlain);
    info.defaultNormalizedValue = std::isnan(defaultNormalized) ? 0. : defaultNormalized;
    valueNormalized = info.defaultNormalizedValue;
}

void TKRangeParameter::toString(ParamValue valueNormalized, String128 string) const
{
    if (!string)
        return;
    double plain = toPlain(valueNormalized);
    // Rounding noise around zero would otherwise print as "-0.00".
    if (std::abs(plain) < kNegligible)
        plain = 0.;
    printPlain(plain, precision, string);
}

// --- TKExpRangeParameter -----------------------------------------------------

TKExpRangeParameter::TKExpRangeParameter(const TChar* title, ParamID tag, const TChar* units, int32 flags,
                                         ParamValue minPlain, ParamValue maxPlain,
                                         ParamValue defaultValuePlain)
{
    setMin(minPlain);
    setMax(maxPlain);
    describe(info, title, tag, units, flags);
    // With 0 < min < max our toNormalized never answers NaN: the default is a number.
    info.defaultNormalizedValue = toNormalized(defaultValuePlain);
    valueNormalized = info.defaultNormalizedValue;
}

void TKExpRangeParameter::toString(ParamValue valueNormalized, String128 string) const
{
    if (!string)
        return;
    printPlain(toPlain(valueNormalized), precision, string);
}

ParamValue TKExpRangeParameter::toPlain(ParamValue valueNormalized) const
{
    return std::exp(std::log(getMax() / getMin()) * valueNormalized) * getMin();
}

ParamValue TKExpRangeParameter::toNormalized(ParamValue plainValue) const
{
    // Also catches NaN, so no NaN plain value turns into a stored one.
    if (!(plainValue > 0.))
        return 0.;
    return std::log(plainValue / getMin()) / std::log(getMax() / getMin());
}

}  // namespace Steinberg::Vst
