#include "source/processor/plugprocessor.h"

#include <cmath>
#include <cstring>
#include <new>

#include "source/module/plugids.h"
#include "source/processor/parameterids.h"

namespace Steinberg::Vst {

namespace {

// Rates outside this range are refused: below it the delay bounds of the tank no
// longer hold, above it the delay memory would be absurdly large.
constexpr double kMinSampleRate = 4000.0;
constexpr double kMaxSampleRate = 1536000.0;

bool hasTwoSpeakers(SpeakerArrangement arrangement)
{
    return SpeakerArr::getChannelCount(arrangement) == 2;
}

template <class Sample>
void copyOrSilence(Sample* const* in, int32 numIn, Sample* const* out, int32 numOut, int32 numSamples)
{
    for (int32 channel = 0; channel < numOut; ++channel) {
        Sample* target = out[channel];
        if (!target)
            continue;
        const Sample* source = channel < numIn ? in[channel] : nullptr;
        if (source == target)
            continue;
        if (source)
            std::memcpy(target, source, sizeof(Sample) * static_cast<size_t>(numSamples));
        else
            std::memset(target, 0, sizeof(Sample) * static_cast<size_t>(numSamples));
    }
}

// The engine reads channels 0 and 1 of each bus; it runs only when all four exist.
template <class Sample>
bool isStereoPair(Sample* const* channels, int32 numChannels)
{
    return channels && numChannels >= 2 && channels[0] && channels[1];
}

}  // namespace

PlugProcessor::PlugProcessor()
{
    setControllerClass(PlugControllerUID);
}

// The delay memory belongs to activation; a host that releases an active
// processor still must not leak it.
PlugProcessor::~PlugProcessor()
{
    freeBuffers();
}

FUnknown* PlugProcessor::createInstance(void* /*context*/)
{
    return static_cast<IAudioProcessor*>(new PlugProcessor());
}

tresult PlugProcessor::initialize(FUnknown* context)
{
    if (AudioEffect::initialize(context) != kResultOk)
        return kResultFalse;

    if (!addAudioInput(u"AudioInput", SpeakerArr::kStereo) ||
        !addAudioOutput(u"AudioOutput", SpeakerArr::kStereo)) {
        // Short of memory: no half-made bus list, and the host context goes too, so
        // that a later initialize can succeed.
        terminate();
        return kOutOfMemory;
    }

    smoothingMs = 50.0;
    midHpHz = 20.0;
    sideHpHz = 60.0;
    sampleRate = 44100.0;
    writeIndex = 0;
    historyIndex = 0;
    bufferLength = 0;
    firstRun = false;
    freeBuffers();
    active = false;
    return kResultOk;
}

tresult PlugProcessor::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                          SpeakerArrangement* outputs, int32 numOuts)
{
    if ((numIns > 0 && !inputs) || (numOuts > 0 && !outputs))
        return kInvalidArgument;
    if (numIns > 0 && !hasTwoSpeakers(inputs[0]))
        return kResultFalse;
    if (numOuts > 0 && !hasTwoSpeakers(outputs[0]))
        return kResultFalse;
    return AudioEffect::setBusArrangements(inputs, numIns, outputs, numOuts);
}

tresult PlugProcessor::canProcessSampleSize(int32 symbolicSampleSize)
{
    return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultTrue : kResultFalse;
}

tresult PlugProcessor::setupProcessing(ProcessSetup& setup)
{
    if (!std::isfinite(setup.sampleRate) || setup.sampleRate < kMinSampleRate ||
        setup.sampleRate > kMaxSampleRate)
        return kResultFalse;
    sampleRate = setup.sampleRate;
    return AudioEffect::setupProcessing(setup);
}

tresult PlugProcessor::setActive(TBool state)
{
    // The engine's constants (smoothing time, filter frequencies) come from initialize.
    if (state && !isInitialized())
        return kNotInitialized;
    tresult result = kResultOk;
    takePostedState();
    if (state) {
        try {
            prepareEngine();
            active = true;
        } catch (...) {
            // Short of memory: stay inactive; process() then outputs silence.
            freeBuffers();
            active = false;
            result = kOutOfMemory;
        }
    } else {
        freeBuffers();
        active = false;
    }
    publishState();
    const tresult baseResult = AudioEffect::setActive(state);
    return result != kResultOk ? result : baseResult;
}

tresult PlugProcessor::setState(IBStream* stream)
{
    PlugState loaded;
    if (loaded.read(stream) != kResultOk) {
        if (!active)
            updateParameters(false);
        return kResultFalse;
    }
    handOver.post({loaded, gateMsFor(loaded)});
    // With no block running, the host's thread runs the engine: take it at once.
    if (!active && takePostedState())
        publishState();
    return kResultOk;
}

tresult PlugProcessor::getState(IBStream* stream)
{
    return handOver.current().record.write(stream);
}

uint32 PlugProcessor::getTailSamples()
{
    const double tail = (handOver.current().gateMs * 0.001 + 0.5) * sampleRate;
    if (!(tail >= 0.0 && tail < 9.2e18))
        return 0;
    return static_cast<uint32>(static_cast<int64>(tail));
}

bool PlugProcessor::applyParameterChanges(IParameterChanges* changes)
{
    if (!changes)
        return false;
    bool updated = false;
    const int32 queueCount = changes->getParameterCount();
    for (int32 index = 0; index < queueCount; ++index) {
        IParamValueQueue* queue = changes->getParameterData(index);
        if (!queue)
            continue;
        const int32 pointCount = queue->getPointCount();
        const ParamID id = queue->getParameterId();
        const int32 valueIndex = valueIndexForParam(id);
        if ((id == kParamBypass || valueIndex >= 0) && pointCount > 0) {
            int32 sampleOffset = 0;
            ParamValue value = 0.0;
            if (queue->getPoint(pointCount - 1, sampleOffset, value) == kResultOk) {
                if (id == kParamBypass)
                    state.bypass = !(value <= 0.5);
                else
                    state.values[valueIndex] = value;
            }
        }
        updateParameters(false);
        updated = true;
    }
    return updated;
}

void PlugProcessor::writeSilence(AudioBusBuffers& bus, int32 numSamples, bool is64)
{
    if (is64 && bus.channelBuffers64)
        copyOrSilence<Sample64>(nullptr, 0, bus.channelBuffers64, bus.numChannels, numSamples);
    else if (!is64 && bus.channelBuffers32)
        copyOrSilence<Sample32>(nullptr, 0, bus.channelBuffers32, bus.numChannels, numSamples);
}

tresult PlugProcessor::process(ProcessData& data)
{
    const bool taken = takePostedState();
    if (applyParameterChanges(data.inputParameterChanges) || taken)
        publishState();

    if (data.numInputs <= 0 || data.numOutputs <= 0 || !data.inputs || !data.outputs)
        return kResultOk;
    if (data.numSamples <= 0)
        return kResultOk;

    AudioBusBuffers& in = data.inputs[0];
    AudioBusBuffers& out = data.outputs[0];

    if (state.bypass) {
        // The block's own sample size is the size of its buffers' samples, whatever was
        // negotiated: a narrower copy would leave part of each sample as it was, a wider
        // one would read past the buffers' end.
        const bool copy64 = data.symbolicSampleSize == kSample64;
        if (!copy64) {
            if (out.channelBuffers32)
                copyOrSilence<Sample32>(in.channelBuffers32, in.channelBuffers32 ? in.numChannels : 0,
                                        out.channelBuffers32, out.numChannels, data.numSamples);
        } else if (out.channelBuffers64) {
            copyOrSilence<Sample64>(in.channelBuffers64, in.channelBuffers64 ? in.numChannels : 0,
                                    out.channelBuffers64, out.numChannels, data.numSamples);
        }
        return kResultOk;
    }

    if (data.symbolicSampleSize != kSample32 && data.symbolicSampleSize != kSample64) {
        // A host cannot have negotiated this, so the buffers' width is unknown: silence
        // as 32-bit samples, the narrowest a host hands over, never runs past a buffer.
        writeSilence(out, data.numSamples, false);
        return kResultOk;
    }
    const bool is64 = data.symbolicSampleSize == kSample64;
    const bool canRun = buffersAllocated() &&
        (is64 ? isStereoPair(in.channelBuffers64, in.numChannels) &&
                 isStereoPair(out.channelBuffers64, out.numChannels)
              : isStereoPair(in.channelBuffers32, in.numChannels) &&
                 isStereoPair(out.channelBuffers32, out.numChannels));
    if (!canRun) {
        writeSilence(out, data.numSamples, is64);
        return kResultOk;
    }

    if (is64)
        processSamples64(in.channelBuffers64, out.channelBuffers64, data.numSamples);
    else
        processSamples32(in.channelBuffers32, out.channelBuffers32, data.numSamples);

    // Extra output channels carry nothing of ours; leave them silent rather than stale.
    if (out.numChannels > 2) {
        AudioBusBuffers extra = out;
        extra.numChannels -= 2;
        if (is64)
            extra.channelBuffers64 += 2;
        else
            extra.channelBuffers32 += 2;
        writeSilence(extra, data.numSamples, is64);
    }
    return kResultOk;
}

bool PlugProcessor::takePostedState()
{
    if (!handOver.take(state))
        return false;
    updateParameters(false);
    return true;
}

void PlugProcessor::publishState()
{
    handOver.publish({state, gateMs});
}

}  // namespace Steinberg::Vst
