#include "tools/render/stereo_audio.h"

#include <algorithm>

namespace morvik::render {

template <class Sample>
std::size_t StereoAudioSource::copyNext(std::span<Sample> left, std::span<Sample> right)
{
    const std::size_t count = std::min(left.size(), audio.frames() - position);
    const std::span<Sample> destinations[] = {left, right};
    for (std::size_t channel = 0; channel < StereoAudio::kChannels; ++channel) {
        const double* source = audio.channels[channel].data() + position;
        std::transform(source, source + count, destinations[channel].begin(),
                       [](double sample) { return static_cast<Sample>(sample); });
    }
    position += count;
    return count;
}

Outcome<std::size_t> StereoAudioSource::read(std::span<float> left, std::span<float> right)
{
    return copyNext(left, right);
}

Outcome<std::size_t> StereoAudioSource::read(std::span<double> left, std::span<double> right)
{
    return copyNext(left, right);
}

}  // namespace morvik::render
