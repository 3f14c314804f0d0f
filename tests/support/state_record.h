// The processor's state record in its stream form, built from its fields, for
// tests that hand a component state to the plug-in.
#pragma once

#include <array>
#include <bit>
#include <cstring>
#include <vector>

#include "sdk/vst3/interfaces/types.h"

namespace morvik::testing {

// A leading word of zeros, the bypass word, the 13 values and the 4 flags, all
// little-endian: 132 bytes with every value given.
inline std::vector<Steinberg::uint8> stateRecord(Steinberg::int32 bypass,
                                                 const std::array<double, 13>& values,
                                                 const std::array<Steinberg::int32, 4>& flags = {})
{
    static_assert(std::endian::native == std::endian::little, "the record is little-endian");
    std::vector<Steinberg::uint8> bytes(8, 0);
    const auto append = [&bytes](const auto& item) {
        const std::size_t offset = bytes.size();
        bytes.resize(offset + sizeof(item));
        std::memcpy(bytes.data() + offset, &item, sizeof(item));
    };
    append(bypass);
    for (double value : values)
        append(value);
    for (Steinberg::int32 flag : flags)
        append(flag);
    return bytes;
}

}  // namespace morvik::testing
