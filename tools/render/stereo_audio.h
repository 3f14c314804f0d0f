// Stereo audio as the tool reads, renders and writes it: two channels held in
// memory, and the streams the renderer takes its input from and gives its
// output to, one block at a time, in the sample type it processes.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <utility>
#include <vector>

#include "tools/render/outcome.h"

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

class AudioSource {
public:
    virtual ~AudioSource() = default;

    virtual double sampleRate() const = 0;

    // Fills the front of both channels (spans of one size) with the next
    // frames and answers how many it filled: fewer than asked only at the end.
    virtual Outcome<std::size_t> read(std::span<float> left, std::span<float> right) = 0;
    virtual Outcome<std::size_t> read(std::span<double> left, std::span<double> right) = 0;
};

// Keeps its own failures, for its owner to report once rendering is over:
// what the plug-in refuses is reported first, as when the output was written
// after the whole render.
class AudioSink {
public:
    virtual ~AudioSink() = default;

    // Both channels are spans of one size.
    virtual void write(std::span<const float> left, std::span<const float> right) = 0;
    virtual void write(std::span<const double> left, std::span<const double> right) = 0;
};

// Audio held in memory (the built-in test signal) read as a stream.
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
