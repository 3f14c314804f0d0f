#include "tools/render/renderer.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

#include "tools/host/block_runner.h"
#include "tools/host/parameter_changes.h"
#include "tools/render/result_text.h"

namespace morvik::render {
using namespace Steinberg;

namespace {

Status expectOk(tresult result, std::string_view call)
{
    if (result == kResultOk)
        return succeeded();
    return Failure{"the plug-in refused " + std::string(call) + " (" + resultText(result) + ")"};
}

// Activation and processing state, undone on every way out; finish() undoes
// it and reports a refusal.
class ProcessingSession {
public:
    ProcessingSession(Vst::IComponent& component, Vst::IAudioProcessor& processor)
        : component(component), processor(processor)
    {
    }
    ProcessingSession(const ProcessingSession&) = delete;
    ProcessingSession& operator=(const ProcessingSession&) = delete;
    ~ProcessingSession() { finish(); }

    Status start()
    {
        if (auto activated = expectOk(component.setActive(true), "setActive(true)"); !activated)
            return activated;
        active = true;
        // The SDK's own processors answer kNotImplemented here, and hosts accept it.
        const tresult result = processor.setProcessing(true);
        if (result != kNotImplemented)
            if (auto started = expectOk(result, "setProcessing(true)"); !started)
                return started;
        processing = true;
        return succeeded();
    }

    Status finish()
    {
        std::string problems;
        if (processing) {
            processing = false;
            const tresult result = processor.setProcessing(false);
            if (result != kResultOk && result != kNotImplemented)
                problems = expectOk(result, "setProcessing(false)").error();
        }
        if (active) {
            active = false;
            if (auto deactivated = expectOk(component.setActive(false), "setActive(false)"); !deactivated)
                problems += (problems.empty() ? "" : "; ") + deactivated.error();
        }
        if (!problems.empty())
            return Failure{problems};
        return succeeded();
    }

private:
    Vst::IComponent& component;
    Vst::IAudioProcessor& processor;
    bool active = false;
    bool processing = false;
};

// The processor sees one timeline: the pre-roll's silence, the input, then the
// tail's silence. Everything after the pre-roll is kept.
template <class Sample>
class BlockLoop {
public:
    BlockLoop(Vst::IAudioProcessor& processor, const StereoAudio& input, Steinberg::int32 blockSize,
              std::size_t prerollFrames, Vst::IParameterChanges* firstChanges)
        : processor(processor),
          input(input),
          runner(blockSize),
          prerollFrames(prerollFrames),
          pendingChanges(firstChanges)
    {
    }

    // Processes the timeline up to frame `end`.
    Status runUntil(std::size_t end, StereoAudio& output)
    {
        while (position < end) {
            const std::size_t count = std::min(static_cast<std::size_t>(runner.maxSamples()), end - position);
            fillInput(count);
            host::BlockOptions options;
            options.processMode = Vst::kOffline;
            options.inputChanges = std::exchange(pendingChanges, nullptr);
            if (const tresult result = runner.process(processor, static_cast<Steinberg::int32>(count), options);
                result != kResultOk)
                return Failure{"the plug-in's process failed on the block at sample " + std::to_string(position) +
                               " (" + resultText(result) + ")"};
            keepOutput(count, output);
            position += count;
        }
        return succeeded();
    }

private:
    void fillInput(std::size_t count)
    {
        for (std::size_t channel = 0; channel < StereoAudio::kChannels; ++channel) {
            const auto buffer = runner.input(static_cast<Steinberg::int32>(channel));
            for (std::size_t frame = 0; frame < count; ++frame) {
                const std::size_t time = position + frame;
                const bool inInput = time >= prerollFrames && time - prerollFrames < input.frames();
                buffer[frame] = inInput ? static_cast<Sample>(input.channels[channel][time - prerollFrames]) : Sample{};
            }
        }
    }

    void keepOutput(std::size_t count, StereoAudio& output)
    {
        const std::size_t first = position < prerollFrames ? std::min(prerollFrames - position, count) : 0;
        for (std::size_t channel = 0; channel < StereoAudio::kChannels; ++channel) {
            const auto buffer = runner.output(static_cast<Steinberg::int32>(channel));
            output.channels[channel].insert(output.channels[channel].end(), buffer.begin() + first,
                                            buffer.begin() + count);
        }
    }

    Vst::IAudioProcessor& processor;
    const StereoAudio& input;
    host::BlockRunner<Sample> runner;
    std::size_t prerollFrames;
    Vst::IParameterChanges* pendingChanges;
    std::size_t position = 0;
};

template <class Sample>
Status renderTimeline(Vst::IAudioProcessor& processor, const StereoAudio& input, const RenderSettings& settings,
                      Vst::IParameterChanges& changes, Rendering& rendering)
{
    BlockLoop<Sample> loop(processor, input, settings.blockSize, rendering.prerollFrames, &changes);
    const std::size_t inputEnd = rendering.prerollFrames + input.frames();
    if (auto done = loop.runUntil(inputEnd, rendering.audio); !done)
        return done;

    // Asked only now: the tail follows the parameters the first block applied.
    rendering.reportedTailSamples = processor.getTailSamples();
    if (settings.renderTail) {
        const auto longest = static_cast<std::size_t>(kLongestTailSeconds * input.sampleRate);
        rendering.tailFrames = std::min<std::size_t>(rendering.reportedTailSamples, longest);
        rendering.tailShortened = rendering.reportedTailSamples > longest;
    }
    return loop.runUntil(inputEnd + rendering.tailFrames, rendering.audio);
}

}  // namespace

Outcome<Rendering> render(Vst::IComponent& component, Vst::IAudioProcessor& processor, const StereoAudio& input,
                          const RenderSettings& settings)
{
    if (!(input.sampleRate > 0.0) || settings.blockSize < 1)
        return Failure{"nothing to render: no sample rate or no block size"};
    const bool wide = settings.sampleSize == SampleSize::Float64;
    const Steinberg::int32 sampleSize = wide ? Vst::kSample64 : Vst::kSample32;
    if (processor.canProcessSampleSize(sampleSize) != kResultTrue)
        return Failure{std::string("the plug-in cannot process ") + (wide ? "64" : "32") + "-bit samples"};

    Vst::SpeakerArrangement inputArrangement = Vst::SpeakerArr::kStereo;
    Vst::SpeakerArrangement outputArrangement = Vst::SpeakerArr::kStereo;
    if (auto arranged = expectOk(processor.setBusArrangements(&inputArrangement, 1, &outputArrangement, 1),
                                 "a stereo input and output (setBusArrangements)");
        !arranged)
        return Failure{arranged.error()};

    Vst::ProcessSetup setup{Vst::kOffline, sampleSize, settings.blockSize, input.sampleRate};
    if (auto prepared = expectOk(processor.setupProcessing(setup), "setupProcessing"); !prepared)
        return Failure{prepared.error()};

    const auto changes = host::create<host::ParameterChanges>();
    for (const ResolvedParameter& parameter : settings.parameters)
        if (!changes->addChange(parameter.id, 0, parameter.normalized))
            return Failure{"cannot queue the value of parameter " + std::to_string(parameter.id)};

    Rendering rendering;
    rendering.audio.sampleRate = input.sampleRate;
    rendering.prerollFrames = static_cast<std::size_t>(std::lround(settings.prerollSeconds * input.sampleRate));

    ProcessingSession session(component, processor);
    if (auto started = session.start(); !started)
        return Failure{started.error()};
    const Status rendered =
        wide ? renderTimeline<Vst::Sample64>(processor, input, settings, *changes, rendering)
             : renderTimeline<Vst::Sample32>(processor, input, settings, *changes, rendering);
    if (!rendered)
        return Failure{rendered.error()};
    if (auto finished = session.finish(); !finished)
        return Failure{finished.error()};

    for (const auto& channel : rendering.audio.channels)
        rendering.nonFiniteSamples += static_cast<std::size_t>(
            std::count_if(channel.begin(), channel.end(), [](double sample) { return !std::isfinite(sample); }));
    return rendering;
}

}  // namespace morvik::render
