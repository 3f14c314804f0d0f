// Audio held in memory (the built-in test signal) read as a stream.
#pragma once

#include <cstddef>
#include <span>
#include <utility>

#include "tools/render/audio_stream.h"
#include "tools/render/stereo_audio.h"

namespace morvik::render {

class StereoAudioSource final : public AudioSource {
public:
    explicit StereoAudioSource(StereoAudio audio) : audio(std::move(audio)) {}

    double sampleRate() const override { return audio.sampleRate; }
    Outcome<std::size_t> read(std::span<float> left, std::span<float> right) override;
    Outcome<std::size_t> read(std::span<double> left, std::span<double> right) override;

private:
    template <class Sample>
    std::size_t copyNext(std::span<Sample> left, std::span<Sample> right);

    StereoAudio audio;
    std::size_t position = 0;
};

}  // namespace morvik::render
