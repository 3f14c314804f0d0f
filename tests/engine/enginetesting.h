// Helpers for the engine tests: an initialized processor whose engine is prepared at a
// given rate, and stereo buffers to run through it.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "source/processor/parameterids.h"
#include "source/processor/plugprocessor.h"

namespace morvik::testing {

using Steinberg::int32;
using Steinberg::Vst::PlugProcessor;
using Steinberg::Vst::PlugState;
using Steinberg::Vst::PlugValueIndex;

struct Releaser {
    void operator()(PlugProcessor* processor) const { processor->release(); }
};
using ProcessorPtr = std::unique_ptr<PlugProcessor, Releaser>;

// An initialized processor (engine defaults of initialize) with the given parameters,
// not yet prepared.
inline ProcessorPtr makeProcessor(const PlugState& parameters = PlugState::defaults())
{
    ProcessorPtr processor(new PlugProcessor());
    processor->initialize(nullptr);
    processor->state = parameters;
    return processor;
}

// The same, with the engine prepared at sampleRate.
inline ProcessorPtr makeEngine(double sampleRate, const PlugState& parameters = PlugState::defaults())
{
    ProcessorPtr processor = makeProcessor(parameters);
    processor->sampleRate = sampleRate;
    processor->prepareEngine();
    return processor;
}

inline PlugState parametersWith(PlugValueIndex index, double value)
{
    PlugState parameters = PlugState::defaults();
    parameters.values[index] = value;
    return parameters;
}

inline void setParameter(PlugProcessor& engine, PlugValueIndex index, double value)
{
    engine.state.values[index] = value;
    engine.updateParameters(false);
}

template <typename Sample>
struct StereoBuffers {
    explicit StereoBuffers(std::size_t length)
        : left(length), right(length), outLeft(length), outRight(length)
    {
    }

    // Channel lists for the block loops, taken afresh since the vectors may be reassigned.
    Sample** inputs()
    {
        inputChannels[0] = left.data();
        inputChannels[1] = right.data();
        return inputChannels;
    }
    Sample** outputs()
    {
        outputChannels[0] = outLeft.data();
        outputChannels[1] = outRight.data();
        return outputChannels;
    }

    std::vector<Sample> left, right, outLeft, outRight;

private:
    Sample* inputChannels[2] = {};
    Sample* outputChannels[2] = {};
};

// Deterministic noise in -0.5..0.5, exactly representable as float.
inline std::vector<double> noise(std::size_t length, unsigned seed)
{
    std::vector<double> values(length);
    for (double& value : values) {
        seed = seed * 1664525u + 1013904223u;
        value = static_cast<double>(static_cast<float>((seed >> 8) / 16777216.0 - 0.5));
    }
    return values;
}

inline void process(PlugProcessor& engine, StereoBuffers<double>& buffers, int32 numSamples)
{
    engine.processSamples64(buffers.inputs(), buffers.outputs(), numSamples);
}

inline void process(PlugProcessor& engine, StereoBuffers<float>& buffers, int32 numSamples)
{
    engine.processSamples32(buffers.inputs(), buffers.outputs(), numSamples);
}

// Runs `samples` samples of silence in blocks of blockLength.
inline void runSilence(PlugProcessor& engine, int32 samples, int32 blockLength = 512)
{
    StereoBuffers<double> buffers(static_cast<std::size_t>(blockLength));
    for (int32 done = 0; done < samples; done += blockLength)
        process(engine, buffers, std::min(blockLength, samples - done));
}

}  // namespace morvik::testing
