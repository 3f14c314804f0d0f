// Two channels of audio at one sample rate, as the tool reads, renders and writes it.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace morvik::render {

struct StereoAudio {
    static constexpr std::size_t kChannels = 2;

    double sampleRate = 0.0;
    // Both channels always hold the same number of frames.
    std::array<std::vector<double>, kChannels> channels;

    std::size_t frames() const { return channels[0].size(); }
    double seconds() const { return sampleRate > 0.0 ? static_cast<double>(frames()) / sampleRate : 0.0; }

    void resize(std::size_t frameCount)
    {
        for (auto& channel : channels)
            channel.resize(frameCount, 0.0);
    }
};

}  // namespace morvik::render
