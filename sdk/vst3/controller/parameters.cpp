#include "sdk/vst3/controller/parameters.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <string_view>

#include "sdk/vst3/base/fstring.h"

namespace Steinberg::Vst {
namespace {

constexpr int32 kTextCapacity = 128;

// A null text leaves the field empty; a long one is cut to fit.
void copyText(String128 field, const TChar* text)
{
    UString(field, kTextCapacity).assign(text);
}

// Hosts expect a normalized value in [0, 1]; a NaN default would poison every conversion.
ParamValue sanitizedNormalized(ParamValue value)
{
    return std::isnan(value) ? 0. : std::clamp(value, 0., 1.);
}

// The discrete step a normalized value selects: [0, 1] is cut into stepCount + 1
// equal slices. Kept as a double so that NaN or huge input cannot overflow an integer.
double stepIndex(ParamValue valueNormalized, int32 stepCount)
{
    const double index = std::floor(valueNormalized * (stepCount + 1));
    // "+ 0." turns -0 into 0, so no text ever reads "-0".
    return std::clamp(index, 0., static_cast<double>(stepCount)) + 0.;
}

void printSwitchText(ParamValue valueNormalized, String128 string)
{
    UString(string, kTextCapacity).assign(valueNormalized > 0.5 ? u"On" : u"Off");
}

void printNumber(double value, int32 precision, String128 string)
{
    if (!UString(string, kTextCapacity).printFloat(value, precision))
        string[0] = 0;
}

bool textEquals(const TChar* a, const TChar* b)
{
    return std::u16string_view(a) == std::u16string_view(b);
}

// The texts printSwitchText writes, read back, so that a switch's texts round-trip.
bool scanSwitchText(const TChar* string, ParamValue& valueNormalized)
{
    if (textEquals(string, u"On"))
        valueNormalized = 1.;
    else if (textEquals(string, u"Off"))
        valueNormalized = 0.;
    else
        return false;
    return true;
}

bool scanNumber(const TChar* string, double& value)
{
    // scanFloat only reads; the buffer view is const in all but type.
    const UString text(const_cast<TChar*>(string), strlen16(string) + 1);
    return text.scanFloat(value);
}

// A switch's own text, or a plain number that `normalize` maps to a normalized
// value; false for any other text and for a NaN result.
template <class Normalize>
bool scanValueText(const TChar* string, int32 stepCount, ParamValue& valueNormalized, Normalize normalize)
{
    if (!string)
        return false;
    if (stepCount == 1 && scanSwitchText(string, valueNormalized))
        return true;
    double plain = 0.;
    if (!scanNumber(string, plain))
        return false;
    const ParamValue normalized = normalize(plain);
    if (std::isnan(normalized))
        return false;
    valueNormalized = normalized;
    return true;
}

}  // namespace

// --- Parameter ---------------------------------------------------------------

Parameter::Parameter() = default;

Parameter::Parameter(const TChar* title, ParamID tag, const TChar* units, ParamValue defaultValueNormalized,
                     int32 stepCount, int32 flags, UnitID unitID, const TChar* shortTitle)
{
    info.id = tag;
    copyText(info.title, title);
    copyText(info.shortTitle, shortTitle);
    copyText(info.units, units);
    info.stepCount = std::max(stepCount, 0);
    info.defaultNormalizedValue = sanitizedNormalized(defaultValueNormalized);
    info.unitId = unitID;
    info.flags = flags;
    valueNormalized = info.defaultNormalizedValue;
}

bool Parameter::setNormalized(ParamValue v)
{
    if (std::isnan(v))
        return false;
    v = std::clamp(v, 0., 1.);
    if (v == valueNormalized)
        return false;
    valueNormalized = v;
    changed();
    return true;
}

void Parameter::toString(ParamValue valueNormalized, String128 string) const
{
    if (!string)
        return;
    if (info.stepCount == 1)
        printSwitchText(valueNormalized, string);
    else if (info.stepCount > 1)
        printNumber(toPlain(valueNormalized), 0, string);
    else
        printNumber(toPlain(valueNormalized), precision, string);
}

bool Parameter::fromString(const TChar* string, ParamValue& valueNormalized) const
{
    return scanValueText(string, info.stepCount, valueNormalized,
                         [this](double plain) { return std::clamp(toNormalized(plain), 0., 1.); });
}

ParamValue Parameter::toPlain(ParamValue valueNormalized) const
{
    if (info.stepCount > 0)
        return stepIndex(valueNormalized, info.stepCount);
    return valueNormalized;
}

ParamValue Parameter::toNormalized(ParamValue plainValue) const
{
    if (info.stepCount > 0)
        return plainValue / info.stepCount;
    return plainValue;
}

// --- RangeParameter ----------------------------------------------------------

RangeParameter::RangeParameter() = default;

RangeParameter::RangeParameter(const TChar* title, ParamID tag, const TChar* units, ParamValue minPlain,
                               ParamValue maxPlain, ParamValue defaultValuePlain, int32 stepCount,
                               int32 flags, UnitID unitID, const TChar* shortTitle)
    : FClass(title, tag, units, 0., stepCount, flags, unitID, shortTitle),
      minPlain(minPlain),
      maxPlain(maxPlain)
{
    info.defaultNormalizedValue = sanitizedNormalized(toNormalized(defaultValuePlain));
    valueNormalized = info.defaultNormalizedValue;
}

bool RangeParameter::fromString(const TChar* string, ParamValue& valueNormalized) const
{
    // Through the virtual toNormalized, so that a subclass's mapping applies.
    return scanValueText(string, info.stepCount, valueNormalized, [this](double plain) {
        return toNormalized(std::clamp(plain, getMin(), getMax()));
    });
}

ParamValue RangeParameter::toPlain(ParamValue valueNormalized) const
{
    const ParamValue range = getMax() - getMin();
    if (info.stepCount > 0)
        return getMin() + stepIndex(valueNormalized, info.stepCount) * range / info.stepCount;
    return valueNormalized * range + getMin();
}

ParamValue RangeParameter::toNormalized(ParamValue plainValue) const
{
    const ParamValue range = getMax() - getMin();
    if (range == 0.)
        return 0.;
    return (plainValue - getMin()) / range;
}

// --- ParameterContainer ------------------------------------------------------

ParameterContainer::~ParameterContainer()
{
    removeAll();
}

Parameter* ParameterContainer::addParameter(const TChar* title, const TChar* units, int32 stepCount,
                                            ParamValue defaultValueNormalized, int32 flags, int32 tag,
                                            UnitID unitID, const TChar* shortTitle)
{
    const ParamID id = tag < 0 ? static_cast<ParamID>(getParameterCount()) : static_cast<ParamID>(tag);
    Parameter* parameter = new (std::nothrow)
        Parameter(title, id, units, defaultValueNormalized, stepCount, flags, unitID, shortTitle);
    return addParameter(parameter);
}

Parameter* ParameterContainer::addParameter(Parameter* parameter)
{
    if (!parameter)
        return nullptr;
    const ParamID id = parameter->getInfo().id;
    try {
        if (!indexById.contains(id)) {
            parameters.reserve(parameters.size() + 1);
            indexById.emplace(id, parameters.size());
            parameters.push_back(parameter);  // cannot throw after the reserve
            return parameter;
        }
    } catch (const std::bad_alloc&) {
    }
    parameter->release();
    return nullptr;
}

Parameter* ParameterContainer::getParameterByIndex(int32 index) const
{
    if (index < 0 || index >= getParameterCount())
        return nullptr;
    return parameters[static_cast<std::size_t>(index)];
}

Parameter* ParameterContainer::getParameter(ParamID id) const
{
    const auto found = indexById.find(id);
    return found == indexById.end() ? nullptr : parameters[found->second];
}

void ParameterContainer::removeAll()
{
    // Emptied first, so a parameter's destructor never sees a half-cleared container.
    std::vector<Parameter*> released;
    released.swap(parameters);
    indexById.clear();
    for (Parameter* parameter : released)
        parameter->release();
}

}  // namespace Steinberg::Vst
