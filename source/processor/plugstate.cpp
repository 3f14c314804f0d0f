#include "source/processor/plugstate.h"

#include "sdk/vst3/base/ibstreamer.h"
#include "source/processor/parameterids.h"
#include "source/processor/parametertable.h"

namespace Steinberg::Vst {
namespace {

// The default record's values are literals: their bytes are what every host has
// stored for an untouched plug-in, so they must never move by a rounding. They
// are checked against the parameter table, within a rounding.
constexpr std::array<double, PlugState::kNumValues> kDefaultValues = {0.75, 0.5, 0.0, 0.15, 1.0, 0.8, 1.0,
                                                                      0.0,  0.0, 0.0, 0.0,  0.0, 0.0};
constexpr bool kDefaultBypass = false;

constexpr bool defaultsMatchTheTable()
{
    for (const ParameterRow& row : kParameterTable) {
        const int32 index = valueIndexForParam(row.id);
        if (index < 0) {
            if (row.id != kParamBypass || (row.defaultPlain != 0.) != kDefaultBypass)
                return false;
            continue;
        }
        if (!agreeWithinRounding(kDefaultValues[static_cast<std::size_t>(index)], defaultNormalized(row)))
            return false;
    }
    return true;
}
static_assert(defaultsMatchTheTable(), "the default record disagrees with the parameter table");

}  // namespace

PlugState PlugState::defaults()
{
    PlugState state;
    state.bypass = kDefaultBypass;
    state.values = kDefaultValues;
    return state;
}

tresult PlugState::read(IBStream* stream)
{
    if (!stream)
        return kResultFalse;

    IBStreamer streamer(stream, kLittleEndian);
    int64 leadingWord = 0;
    int32 bypassWord = 0;
    std::array<double, kNumValues> newValues{};
    std::array<int32, kNumFlags> flagWords{};

    if (!streamer.readInt64(leadingWord) || !streamer.readInt32(bypassWord))
        return kResultFalse;
    for (double& value : newValues)
        if (!streamer.readDouble(value))
            return kResultFalse;
    for (int32& word : flagWords)
        if (!streamer.readInt32(word))
            return kResultFalse;

    bypass = bypassWord > 0;
    values = newValues;
    for (int32 i = 0; i < kNumFlags; ++i)
        flags[i] = flagWords[i] > 0;
    return kResultOk;
}

tresult PlugState::write(IBStream* stream) const
{
    if (!stream)
        return kResultFalse;

    IBStreamer streamer(stream, kLittleEndian);
    if (!streamer.writeInt64(0) || !streamer.writeInt32(bypass ? 1 : 0))
        return kResultFalse;
    for (double value : values)
        if (!streamer.writeDouble(value))
            return kResultFalse;
    for (bool flag : flags)
        if (!streamer.writeInt32(flag ? 1 : 0))
            return kResultFalse;
    return kResultOk;
}

}  // namespace Steinberg::Vst
