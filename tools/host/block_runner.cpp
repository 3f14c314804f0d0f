#include "tools/host/block_runner.h"

#include <stdexcept>
#include <string>
#include <type_traits>

namespace morvik::host {
using namespace Steinberg;

namespace {

template <class Sample>
constexpr int32 symbolicSampleSize()
{
    static_assert(std::is_same_v<Sample, Vst::Sample32> || std::is_same_v<Sample, Vst::Sample64>);
    return std::is_same_v<Sample, Vst::Sample32> ? Vst::kSample32 : Vst::kSample64;
}

void setChannelBuffers(Vst::AudioBusBuffers& bus, Vst::Sample32** channels)
{
    bus.channelBuffers32 = channels;
}
void setChannelBuffers(Vst::AudioBusBuffers& bus, Vst::Sample64** channels)
{
    bus.channelBuffers64 = channels;
}

}  // namespace

template <class Sample>
BlockRunner<Sample>::BlockRunner(int32 maxSamples, BufferLayout layout)
    : capacity(maxSamples > 0 ? maxSamples : 0), bufferLayout(layout)
{
    for (auto& buffer : inputBuffers)
        buffer.assign(static_cast<std::size_t>(capacity), Sample{});
    if (layout == BufferLayout::Separate)
        for (auto& buffer : outputBuffers)
            buffer.assign(static_cast<std::size_t>(capacity), Sample{});
}

template <class Sample>
std::span<Sample> BlockRunner<Sample>::input(int32 channel)
{
    return inputBuffers.at(static_cast<std::size_t>(channel));
}

template <class Sample>
std::span<Sample> BlockRunner<Sample>::output(int32 channel)
{
    auto& buffers = bufferLayout == BufferLayout::InPlace ? inputBuffers : outputBuffers;
    return buffers.at(static_cast<std::size_t>(channel));
}

template <class Sample>
Vst::ProcessData BlockRunner<Sample>::prepare(int32 numSamples, const BlockOptions& options)
{
    if (numSamples > capacity)
        throw std::out_of_range("block of " + std::to_string(numSamples) + " samples exceeds the runner's " +
                                std::to_string(capacity));

    for (int32 channel = 0; channel < kChannels; ++channel) {
        inputPointers[static_cast<std::size_t>(channel)] = input(channel).data();
        outputPointers[static_cast<std::size_t>(channel)] = output(channel).data();
    }
    inputBus = {};
    inputBus.numChannels = kChannels;
    setChannelBuffers(inputBus, inputPointers.data());
    outputBus = {};
    outputBus.numChannels = kChannels;
    setChannelBuffers(outputBus, outputPointers.data());

    Vst::ProcessData data{};
    data.processMode = options.processMode;
    data.symbolicSampleSize = symbolicSampleSize<Sample>();
    data.numSamples = numSamples;
    data.numInputs = 1;
    data.numOutputs = 1;
    data.inputs = &inputBus;
    data.outputs = &outputBus;
    data.inputParameterChanges = options.inputChanges;
    data.outputParameterChanges = options.outputChanges;
    data.processContext = options.context;
    return data;
}

template <class Sample>
tresult BlockRunner<Sample>::process(Vst::IAudioProcessor& processor, int32 numSamples,
                                     const BlockOptions& options)
{
    Vst::ProcessData data = prepare(numSamples, options);
    return processor.process(data);
}

template class BlockRunner<Vst::Sample32>;
template class BlockRunner<Vst::Sample64>;

}  // namespace morvik::host
