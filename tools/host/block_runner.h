// Runs processing blocks through one stereo input and one stereo output bus.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "sdk/vst3/interfaces/audioprocessor.h"

namespace morvik::host {

enum class BufferLayout {
    Separate,  // output channels have buffers of their own
    InPlace,   // output channels share the input's buffers, as some hosts do
};

struct BlockOptions {
    Steinberg::Vst::IParameterChanges* inputChanges = nullptr;
    Steinberg::Vst::IParameterChanges* outputChanges = nullptr;
    Steinberg::Vst::ProcessContext* context = nullptr;
    Steinberg::int32 processMode = Steinberg::Vst::kRealtime;
};

// Owns planar buffers of Sample (Sample32 or Sample64, which also sets the
// block's symbolic sample size) for up to maxSamples samples, zeroed at first.
template <class Sample>
class BlockRunner {
public:
    using SampleType = Sample;
    static constexpr Steinberg::int32 kChannels = 2;

    explicit BlockRunner(Steinberg::int32 maxSamples, BufferLayout layout = BufferLayout::Separate);

    Steinberg::int32 maxSamples() const { return capacity; }
    BufferLayout layout() const { return bufferLayout; }
    // Whole channel buffers (maxSamples long). In place, input and output are the same memory.
    std::span<Sample> input(Steinberg::int32 channel);
    std::span<Sample> output(Steinberg::int32 channel);

    // The record of one block over these buffers, for callers that adjust it
    // before calling process themselves. It points into this runner, so it is
    // valid until the runner is moved or destroyed. Throws std::out_of_range
    // for more than maxSamples samples; fewer than one are passed on as given.
    Steinberg::Vst::ProcessData prepare(Steinberg::int32 numSamples, const BlockOptions& options = {});

    // prepare() followed by processor.process(); answers the processor's result.
    Steinberg::tresult process(Steinberg::Vst::IAudioProcessor& processor, Steinberg::int32 numSamples,
                               const BlockOptions& options = {});

private:
    Steinberg::int32 capacity;
    BufferLayout bufferLayout;
    std::array<std::vector<Sample>, kChannels> inputBuffers;
    std::array<std::vector<Sample>, kChannels> outputBuffers;
    std::array<Sample*, kChannels> inputPointers{};
    std::array<Sample*, kChannels> outputPointers{};
    Steinberg::Vst::AudioBusBuffers inputBus{};
    Steinberg::Vst::AudioBusBuffers outputBus{};
};

extern template class BlockRunner<Steinberg::Vst::Sample32>;
extern template class BlockRunner<Steinberg::Vst::Sample64>;

using BlockRunner32 = BlockRunner<Steinberg::Vst::Sample32>;
using BlockRunner64 = BlockRunner<Steinberg::Vst::Sample64>;

}  // namespace morvik::host
