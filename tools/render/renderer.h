// Runs audio through the processor: arrangement, set-up, activation, blocks, deactivation.
#pragma once

#include <cstddef>
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
    StereoAudio audio;  // the input's frames followed by the tail's
    std::size_t prerollFrames = 0;
    Steinberg::uint32 reportedTailSamples = 0;  // getTailSamples once the parameters are applied
    std::size_t tailFrames = 0;                 // rendered; 0 with renderTail off
    bool tailShortened = false;                 // the reported tail was beyond kLongestTailSeconds
    std::size_t nonFiniteSamples = 0;
};

// Longer tails (an infinite one, say) are cut to this.
inline constexpr double kLongestTailSeconds = 60.0;

// The processor must be initialized and inactive; it is inactive again afterwards.
Outcome<Rendering> render(Steinberg::Vst::IComponent& component, Steinberg::Vst::IAudioProcessor& processor,
                          const StereoAudio& input, const RenderSettings& settings);

}  // namespace morvik::render
