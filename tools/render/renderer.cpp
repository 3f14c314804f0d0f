#include "tools/render/renderer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "tools/host/block_runner.h"
#include "tools/host/parameter_changes.h"
#include "tools/host/text.h"

namespace morvik::render {
using namespace Steinberg;

namespace {

Status expectOk(tresult result, std::string_view call)
{
    if (result == kResultOk)
        return succeeded();
    return Failure{"the plug-in refused " + std::string(call) + " (" + host::resultText(result) + ")"};
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

// The input as the renderer takes it in: counts its frames and tells the
// listener once it has ended.
class InputStream {
public:
    InputStream(AudioSource& source, const InputEndListener& listener) : source(source), listener(listener) {}

    template <class Sample>
    Outcome<std::size_t> read(std::span<Sample> left, std::span<Sample> right)
    {
        if (ended)
            return std::size_t{0};
        const auto got = source.read(left, right);
        if (!got) {
            failed = true;
            return got;
        }
        frames += got.value();
        if (got.value() < left.size()) {
            ended = true;
            if (listener)
                listener(frames);
        }
        return got;
    }

    // What a failed render has left unread, so that the input's own problems
    // are found as when it was read whole up front.
    Status readToEnd()
    {
        std::vector<double> left(kFramesPerRead);
        std::vector<double> right(kFramesPerRead);
        while (!ended && !failed)
            if (const auto got = read(std::span<double>(left), std::span<double>(right)); !got)
                return Failure{got.error()};
        return succeeded();
    }

    std::size_t framesRead() const { return frames; }
    bool readFailed() const { return failed; }

private:
    static constexpr std::size_t kFramesPerRead = 4096;

    AudioSource& source;
    const InputEndListener& listener;
    std::size_t frames = 0;
    bool ended = false;
    bool failed = false;
};

// What the report tells about the output, gathered as it passes. It works on
// the bits of each sample's magnitude, where finite values order as their
// values do and lie below infinity's: plain integer steps that the compiler
// runs several samples at a time.
template <class Sample>
class OutputMeter {
public:
    void measure(std::span<const Sample> samples)
    {
        Bits blockLargest = 0;
        Bits blockNonFinite = 0;
        for (const Sample sample : samples) {
            const Bits magnitude = std::bit_cast<Bits>(sample) & kMagnitudeMask;
            const bool finite = magnitude < kInfinity;
            blockNonFinite += finite ? 0 : 1;
            blockLargest = std::max(blockLargest, finite ? magnitude : Bits{0});
        }
        largest = std::max(largest, blockLargest);
        nonFinite += blockNonFinite;
    }

    double peak() const { return static_cast<double>(std::bit_cast<Sample>(largest)); }
    std::size_t nonFiniteSamples() const { return nonFinite; }

private:
    using Bits = std::conditional_t<sizeof(Sample) == sizeof(std::uint32_t), std::uint32_t, std::uint64_t>;
    static_assert(sizeof(Bits) == sizeof(Sample) && std::numeric_limits<Sample>::is_iec559);
    static constexpr Bits kMagnitudeMask = std::numeric_limits<Bits>::max() >> 1;
    static constexpr Bits kInfinity = std::bit_cast<Bits>(std::numeric_limits<Sample>::infinity());

    Bits largest = 0;
    std::size_t nonFinite = 0;
};

// The processor sees one timeline: the pre-roll's silence, the input, then the
// tail's silence. Everything after the pre-roll is kept. Blocks run up to the
// input's end, then on from there through the tail.
template <class Sample>
class BlockLoop {
public:
    BlockLoop(Vst::IAudioProcessor& processor, InputStream& input, AudioSink& output,
              Steinberg::int32 blockSize, std::size_t prerollFrames, Vst::IParameterChanges* firstChanges)
        : processor(processor),
          input(input),
          output(output),
          runner(blockSize),
          capacity(static_cast<std::size_t>(runner.maxSamples())),
          prerollFrames(prerollFrames),
          pendingChanges(firstChanges)
    {
    }

    // The pre-roll, then the input up to its end.
    Status runInput()
    {
        for (;;) {
            const std::size_t silent =
                position < prerollFrames ? std::min(prerollFrames - position, capacity) : 0;
            silenceInput(silent);
            std::size_t count = silent;
            bool inputEnded = false;
            if (silent < capacity) {
                const auto got = input.read(runner.input(0).subspan(silent), runner.input(1).subspan(silent));
                if (!got)
                    return Failure{got.error()};
                count += got.value();
                inputEnded = got.value() < capacity - silent;
            }
            if (count > 0)
                if (auto processed = processBlock(count); !processed)
                    return processed;
            if (inputEnded)
                return succeeded();
        }
    }

    // `frames` of silence after the input.
    Status runTail(std::size_t frames)
    {
        const std::size_t end = position + frames;
        while (position < end) {
            const std::size_t count = std::min(capacity, end - position);
            silenceInput(count);
            if (auto processed = processBlock(count); !processed)
                return processed;
        }
        return succeeded();
    }

    std::size_t framesKept() const { return keptFrames; }
    const OutputMeter<Sample>& meter() const { return outputMeter; }

private:
    void silenceInput(std::size_t count)
    {
        for (Steinberg::int32 channel = 0; channel < host::BlockRunner<Sample>::kChannels; ++channel)
            std::fill_n(runner.input(channel).begin(), count, Sample{});
    }

    Status processBlock(std::size_t count)
    {
        host::BlockOptions options;
        options.processMode = Vst::kOffline;
        options.inputChanges = std::exchange(pendingChanges, nullptr);
        if (const tresult result = runner.process(processor, static_cast<Steinberg::int32>(count), options);
            result != kResultOk)
            return Failure{"the plug-in's process failed on the block at sample " + std::to_string(position) +
                           " (" + host::resultText(result) + ")"};
        keepOutput(count);
        position += count;
        return succeeded();
    }

    void keepOutput(std::size_t count)
    {
        const std::size_t first = position < prerollFrames ? std::min(prerollFrames - position, count) : 0;
        if (first == count)
            return;
        const std::span<const Sample> left = runner.output(0).subspan(first, count - first);
        const std::span<const Sample> right = runner.output(1).subspan(first, count - first);
        outputMeter.measure(left);
        outputMeter.measure(right);
        keptFrames += count - first;
        output.write(left, right);
    }

    Vst::IAudioProcessor& processor;
    InputStream& input;
    AudioSink& output;
    host::BlockRunner<Sample> runner;
    std::size_t capacity;
    std::size_t prerollFrames;
    Vst::IParameterChanges* pendingChanges;
    std::size_t position = 0;
    std::size_t keptFrames = 0;
    OutputMeter<Sample> outputMeter;
};

template <class Sample>
Status renderTimeline(Vst::IAudioProcessor& processor, InputStream& input, AudioSink& output,
                      const RenderSettings& settings, Vst::IParameterChanges& changes, Rendering& rendering)
{
    BlockLoop<Sample> loop(processor, input, output, settings.blockSize, rendering.prerollFrames, &changes);
    if (auto done = loop.runInput(); !done)
        return done;
    rendering.inputFrames = input.framesRead();

    // Asked only now: the tail follows the parameters the first block applied.
    rendering.reportedTailSamples = processor.getTailSamples();
    if (settings.renderTail) {
        const auto longest = static_cast<std::size_t>(kLongestTailSeconds * rendering.sampleRate);
        rendering.tailFrames = std::min<std::size_t>(rendering.reportedTailSamples, longest);
        rendering.tailShortened = rendering.reportedTailSamples > longest;
    }
    if (auto done = loop.runTail(rendering.tailFrames); !done)
        return done;
    rendering.outputFrames = loop.framesKept();
    rendering.nonFiniteSamples = loop.meter().nonFiniteSamples();
    rendering.peak = loop.meter().peak();
    return succeeded();
}

Outcome<Rendering> renderStream(Vst::IComponent& component, Vst::IAudioProcessor& processor,
                                InputStream& input, double sampleRate, AudioSink& output,
                                const RenderSettings& settings)
{
    if (!(sampleRate > 0.0) || settings.blockSize < 1)
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

    Vst::ProcessSetup setup{Vst::kOffline, sampleSize, settings.blockSize, sampleRate};
    if (auto prepared = expectOk(processor.setupProcessing(setup), "setupProcessing"); !prepared)
        return Failure{prepared.error()};

    const auto changes = host::create<host::ParameterChanges>();
    for (const ResolvedParameter& parameter : settings.parameters)
        if (!changes->addChange(parameter.id, 0, parameter.normalized))
            return Failure{"cannot queue the value of parameter " + std::to_string(parameter.id)};

    Rendering rendering;
    rendering.sampleRate = sampleRate;
    rendering.prerollFrames = static_cast<std::size_t>(std::lround(settings.prerollSeconds * sampleRate));

    ProcessingSession session(component, processor);
    if (auto started = session.start(); !started)
        return Failure{started.error()};
    const Status rendered = wide
        ? renderTimeline<Vst::Sample64>(processor, input, output, settings, *changes, rendering)
        : renderTimeline<Vst::Sample32>(processor, input, output, settings, *changes, rendering);
    if (!rendered)
        return Failure{rendered.error()};
    if (auto finished = session.finish(); !finished)
        return Failure{finished.error()};
    return rendering;
}

}  // namespace

Outcome<Rendering> render(Vst::IComponent& component, Vst::IAudioProcessor& processor, AudioSource& input,
                          AudioSink& output, const RenderSettings& settings,
                          const InputEndListener& inputEnded)
{
    InputStream stream(input, inputEnded);
    auto rendering = renderStream(component, processor, stream, input.sampleRate(), output, settings);
    if (!rendering && !stream.readFailed())
        if (auto rest = stream.readToEnd(); !rest)
            return Failure{rest.error()};
    return rendering;
}

}  // namespace morvik::render
