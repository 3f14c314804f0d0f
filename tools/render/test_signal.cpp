#include "tools/render/test_signal.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace morvik::render {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kLeadInSeconds = 0.1;
// Bursts end on a short fade so they stop at exact zero instead of a step.
constexpr double kEndFadeSeconds = 0.01;

std::size_t framesOf(double seconds)
{
    return static_cast<std::size_t>(std::lround(seconds * kTestSignalRate));
}

// Our own generator rather than <random>, whose distributions differ between
// standard libraries: the signal must be the same everywhere.
class NoiseGenerator {
public:
    explicit NoiseGenerator(std::uint32_t seed) : state(seed) {}

    // Uniform in [-1, 1).
    double next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state;
};

double endFade(std::size_t frame, std::size_t length)
{
    const std::size_t fadeFrames = framesOf(kEndFadeSeconds);
    const std::size_t remaining = length - frame;
    if (remaining > fadeFrames)
        return 1.0;
    return 0.5 -
        0.5 *
        std::cos(std::numbers::pi * static_cast<double>(remaining - 1) / static_cast<double>(fadeFrames));
}

// A sine whose pitch falls from 150 Hz towards 45 Hz, decaying; the same in both channels.
void writeKick(StereoAudio& audio, const Burst& burst)
{
    double phase = 0.0;
    for (std::size_t frame = 0; frame < burst.length; ++frame) {
        const double t = static_cast<double>(frame) / kTestSignalRate;
        const double frequency = 45.0 + 105.0 * std::exp(-t / 0.04);
        const double sample = 0.8 * std::exp(-t / 0.08) * std::sin(phase) * endFade(frame, burst.length);
        phase += kTwoPi * frequency / kTestSignalRate;
        for (auto& channel : audio.channels)
            channel[burst.start + frame] = sample;
    }
}

// Noise of its own in each channel over a 190 Hz and 330 Hz body shared by both.
void writeSnare(StereoAudio& audio, const Burst& burst)
{
    NoiseGenerator leftNoise(0x2545F491u);
    NoiseGenerator rightNoise(0x9E3779B9u);
    for (std::size_t frame = 0; frame < burst.length; ++frame) {
        const double t = static_cast<double>(frame) / kTestSignalRate;
        const double fade = endFade(frame, burst.length);
        const double body =
            std::exp(-t / 0.03) * (0.3 * std::sin(kTwoPi * 190.0 * t) + 0.1 * std::sin(kTwoPi * 330.0 * t));
        const double noiseLevel = 0.45 * std::exp(-t / 0.05);
        audio.channels[0][burst.start + frame] = fade * (body + noiseLevel * leftNoise.next());
        audio.channels[1][burst.start + frame] = fade * (body + noiseLevel * rightNoise.next());
    }
}

void writeClick(StereoAudio& audio, const Burst& burst)
{
    for (auto& channel : audio.channels)
        channel[burst.start] = 0.9;
}

}  // namespace

TestSignal makeTestSignal()
{
    using Writer = void (*)(StereoAudio&, const Burst&);
    struct Event {
        std::string_view name;
        std::size_t length;
        Writer write;
    };
    const Event events[] = {
        {"kick", framesOf(0.4), writeKick},
        {"snare", framesOf(0.25), writeSnare},
        {"click", 1, writeClick},
    };

    TestSignal signal;
    std::size_t position = framesOf(kLeadInSeconds);
    for (const Event& event : events) {
        signal.bursts.push_back({event.name, position, event.length});
        position += event.length + framesOf(kTestSignalGapSeconds);
    }
    signal.audio.sampleRate = kTestSignalRate;
    signal.audio.resize(position);
    for (std::size_t index = 0; index < signal.bursts.size(); ++index)
        events[index].write(signal.audio, signal.bursts[index]);
    return signal;
}

}  // namespace morvik::render
