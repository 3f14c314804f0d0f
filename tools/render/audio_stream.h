// Where the renderer takes its input from and gives its output to, one block
// at a time, in the sample type it processes.
#pragma once

#include <cstddef>
#include <span>

#include "tools/render/outcome.h"

namespace morvik::render {

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

}  // namespace morvik::render
