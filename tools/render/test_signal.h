// The built-in input: drum-like bursts with long silent gaps, the same on every run.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "tools/render/stereo_audio.h"

namespace morvik::render {

struct Burst {
    std::string_view name;
    std::size_t start = 0;   // first frame
    std::size_t length = 0;  // frames; everything between bursts is exact silence
};

struct TestSignal {
    StereoAudio audio;
    std::vector<Burst> bursts;  // in time order
};

inline constexpr double kTestSignalRate = 48000.0;
// Longer than the longest gate plus the longest predelay, so that each gated
// tail dies out before the next burst starts.
inline constexpr double kTestSignalGapSeconds = 1.6;

// A kick (a decaying low sine sweep), a snare (noise with a tonal body) and a
// single-sample click, each followed by a gap of kTestSignalGapSeconds.
TestSignal makeTestSignal();

}  // namespace morvik::render
