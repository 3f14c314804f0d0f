// The processor's parameter record and its 132-byte stream form, which hosts keep
// in their projects. The layout never changes: no header, no version.
//
//   offset  0  int64      leading word (written 0, ignored on reading)
//   offset  8  int32      bypass (1/0; > 0 reads as true)
//   offset 12  13 double  values (normalized; kept bit for bit)
//   offset 116 4 int32    flags (1/0; > 0 reads as true)
//
// All little-endian.
#pragma once

#include <array>

#include "sdk/vst3/interfaces/bstream.h"

namespace Steinberg::Vst {

struct PlugState {
    static constexpr int32 kNumValues = 13;
    static constexpr int32 kNumFlags = 4;
    static constexpr int32 kStreamSize = 132;

    bool bypass = false;
    // Level, Mix, Predelay, Rvb Time, Diffusion, LPCut, Slope; the other six are spare.
    std::array<double, kNumValues> values{};
    std::array<bool, kNumFlags> flags{};

    // The processor's defaults: 0 dB, 50 %, 0 ms, 0.35 s, 100 %, 8000 Hz, 100 %.
    static PlugState defaults();

    // Reads the whole record or nothing: on any short read the record is unchanged
    // and the answer is kResultFalse.
    tresult read(IBStream* stream);
    // kResultFalse as soon as the stream refuses an item; what was written stays written.
    tresult write(IBStream* stream) const;

    friend bool operator==(const PlugState&, const PlugState&) = default;
};

}  // namespace Steinberg::Vst
