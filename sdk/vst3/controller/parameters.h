// Parameter objects of an edit controller and the container that owns them.
//
// A parameter keeps its description for the host (ParameterInfo), its current
// normalized value and how that value maps to a plain value and to text.
// Subclasses change the mapping by overriding toPlain/toNormalized/toString.
#pragma once

#include <unordered_map>
#include <vector>

#include "sdk/vst3/base/fobject.h"
#include "sdk/vst3/interfaces/editcontroller.h"

namespace Steinberg::Vst {

class Parameter : public FClass<"Parameter", FObject> {
public:
    Parameter();
    Parameter(const TChar* title, ParamID tag, const TChar* units = nullptr,
              ParamValue defaultValueNormalized = 0., int32 stepCount = 0,
              int32 flags = ParameterInfo::kCanAutomate, UnitID unitID = kRootUnitId,
              const TChar* shortTitle = nullptr);

    virtual const ParameterInfo& getInfo() const { return info; }
    virtual ParameterInfo& getInfo() { return info; }

    virtual void setUnitID(UnitID id) { info.unitId = id; }
    virtual UnitID getUnitID() const { return info.unitId; }

    virtual ParamValue getNormalized() const { return valueNormalized; }
    // Clamps to [0, 1]; refuses NaN. Answers true and notifies the dependents
    // only when the stored value actually changes.
    virtual bool setNormalized(ParamValue v);

    // Writes the value text into a 128-unit buffer (ignored when null): "On"/"Off"
    // for one step, the plain value as a whole number for more, else with `precision`.
    virtual void toString(ParamValue valueNormalized, String128 string) const;
    // Parses a value text into a normalized value; false when it is not one.
    virtual bool fromString(const TChar* string, ParamValue& valueNormalized) const;

    virtual ParamValue toPlain(ParamValue valueNormalized) const;
    virtual ParamValue toNormalized(ParamValue plainValue) const;

    int32 getPrecision() const { return precision; }
    void setPrecision(int32 digits) { precision = digits; }

protected:
    ParameterInfo info{};
    ParamValue valueNormalized = 0.;
    int32 precision = 4;
};

// Subclasses that declare no name of their own answer class queries as "RangeParameter".
class RangeParameter : public FClass<"RangeParameter", Parameter> {
public:
    RangeParameter(const TChar* title, ParamID tag, const TChar* units = nullptr, ParamValue minPlain = 0.,
                   ParamValue maxPlain = 1., ParamValue defaultValuePlain = 0., int32 stepCount = 0,
                   int32 flags = ParameterInfo::kCanAutomate, UnitID unitID = kRootUnitId,
                   const TChar* shortTitle = nullptr);

    virtual ParamValue getMin() const { return minPlain; }
    virtual void setMin(ParamValue value) { minPlain = value; }
    virtual ParamValue getMax() const { return maxPlain; }
    virtual void setMax(ParamValue value) { maxPlain = value; }

    // Clamps the parsed plain value to [min, max] before converting it.
    bool fromString(const TChar* string, ParamValue& valueNormalized) const override;
    // Neither direction clamps: values outside the range extrapolate.
    ParamValue toPlain(ParamValue valueNormalized) const override;
    ParamValue toNormalized(ParamValue plainValue) const override;

protected:
    // For subclasses that fill `info` themselves: range 0..1, everything else empty.
    RangeParameter();

    ParamValue minPlain = 0.;
    ParamValue maxPlain = 1.;
};

// Owns its parameters: one reference each, released by removeAll() or on destruction.
class ParameterContainer {
public:
    ParameterContainer() = default;
    ~ParameterContainer();
    ParameterContainer(const ParameterContainer&) = delete;
    ParameterContainer& operator=(const ParameterContainer&) = delete;

    // Builds a plain Parameter. A negative tag takes the current count as the id.
    // Answers null when the id is taken or memory runs out.
    Parameter* addParameter(const TChar* title, const TChar* units = nullptr, int32 stepCount = 0,
                            ParamValue defaultValueNormalized = 0., int32 flags = ParameterInfo::kCanAutomate,
                            int32 tag = -1, UnitID unitID = kRootUnitId, const TChar* shortTitle = nullptr);
    // Takes over the caller's reference, also when it refuses the parameter
    // (null, an id already present, out of memory): it then releases it and answers null.
    Parameter* addParameter(Parameter* parameter);

    int32 getParameterCount() const { return static_cast<int32>(parameters.size()); }
    Parameter* getParameterByIndex(int32 index) const;
    Parameter* getParameter(ParamID id) const;

    void removeAll();

private:
    std::vector<Parameter*> parameters;
    std::unordered_map<ParamID, std::size_t> indexById;
};

}  // namespace Steinberg::Vst
