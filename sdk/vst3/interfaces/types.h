// Basic types of the VST 3 host interface: fixed-width integers, text, result codes.
#pragma once

#include <cstdint>

namespace Steinberg {

using int8 = char;
using uint8 = unsigned char;
using int16 = std::int16_t;
using uint16 = std::uint16_t;
using int32 = std::int32_t;
using uint32 = std::uint32_t;
using int64 = std::int64_t;
using uint64 = std::uint64_t;
using TSize = int64;

using TBool = uint8;
using char8 = char;
using char16 = char16_t;
using TChar = char16;
using CStringA = const char8*;
using CStringW = const char16*;
using FIDString = const char8*;  // identifier text, e.g. a view name or an interface id
using String128 = TChar[128];

// Result of every interface method. These are the values used on Linux
// (no COM compatibility), in the order hosts expect.
using tresult = int32;
enum : tresult {
    kNoInterface = -1,
    kResultOk = 0,
    kResultTrue = kResultOk,
    kResultFalse = 1,
    kInvalidArgument = 2,
    kNotImplemented = 3,
    kInternalError = 4,
    kNotInitialized = 5,
    kOutOfMemory = 6,
};

namespace Vst {

using ParamID = uint32;
using ParamValue = double;
using Sample32 = float;
using Sample64 = double;
using SampleRate = double;
using TSamples = int64;
using TQuarterNotes = double;
using SpeakerArrangement = uint64;
using Speaker = uint64;
using MediaType = int32;
using BusDirection = int32;
using BusType = int32;
using IoMode = int32;
using UnitID = int32;
using KnobMode = int32;

}  // namespace Vst
}  // namespace Steinberg
