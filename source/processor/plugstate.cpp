#include "source/processor/plugstate.h"

#include "sdk/vst3/base/ibstreamer.h"

namespace Steinberg::Vst {

PlugState PlugState::defaults()
{
    PlugState state;
    state.values = {0.75, 0.5, 0.0, 0.15, 1.0, 0.8, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
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
