// Runs audio through the processor: arrangement, set-up, activation, blocks, deactivation.
#pragma once

#include <cstddef>
#include <functional>
#include <span>

#include "sdk/vst3/interfaces/audioprocessor.h"
#include "sdk/vst3/interfaces/component.h"
#include "tools/render/outcome.h"
#include "tools/render/parameter_resolution.h"
#include "tools/render/render_options.h"
#include "tools/render/stereo_audio.h"

namespace morvik::render {

struct RenderSettings {
    SampleSize sampleSize = SampleSize::Float32;
    Steinberg::int32 blockSize = RenderOptions::kDefaultBlockSize;
    double prerollSeconds = RenderOptions::kDefaultPrerollSeconds;
    bool renderTail = true;
    // Delivered as one point at offset 0 each in the first processed block.
    std::span<const ResolvedParameter> parameters;
};

struct Rendering {
    double sampleRate = 0.0;
    std::size_t inputFrames = 0;
    std::size_t outputFrames = 0;  // the input's frames followed by the tail's
    std::size_t prerollFrames = 0;
    Steinberg::uint32 reportedTailSamples = 0;  // getTailSamples once the parameters are applied
    std::size_t tailFrames = 0;                 // rendered; 0 with renderTail off
    bool tailShortened = false;                 // the reported tail was beyond kLongestTailSeconds
    std::size_t nonFiniteSamples = 0;
    double peak = 0.0;  // the largest finite magnitude in the output
};

// Longer tails (an infinite one, say) are cut to this.
inline constexpr double kLongestTailSeconds = 60.0;

// Told the input's length in frames as soon as it is known.
using InputEndListener = std::function<void(std::size_t inputFrames)>;

// The processor must be initialized and inactive; it is inactive again
// afterwards. The input streams through block by block, each block's output
// going to `output` as soon as it is processed.
//
// Problems come in the order they would if the input were read whole before
// rendering: a failing read is reported in place of anything the plug-in
// refused, and `inputEnded` is called (before render returns) whenever the
// input could be read to its end.
Outcome<Rendering> render(Steinberg::Vst::IComponent& component, Steinberg::Vst::IAudioProcessor& processor,
                          AudioSource& input, AudioSink& output, const RenderSettings& settings,
                          const InputEndListener& inputEnded);

}  // namespace morvik::render
