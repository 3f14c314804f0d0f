#include "sdk/vst3/component/audioeffect.h"

namespace Steinberg::Vst {

AudioBus* AudioEffect::audioBusAt(const BusList& list, int32 index)
{
    // Every bus of an audio list is an AudioBus; the cast only guards against a mix-up.
    return FCast<AudioBus>(list.at(index));
}

AudioBus* AudioEffect::getAudioInput(int32 index) const
{
    return audioBusAt(audioInputs, index);
}

AudioBus* AudioEffect::getAudioOutput(int32 index) const
{
    return audioBusAt(audioOutputs, index);
}

tresult AudioEffect::setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                                        int32 numOuts)
{
    if (numIns < 0 || numOuts < 0)
        return kInvalidArgument;
    if ((numIns > 0 && !inputs) || (numOuts > 0 && !outputs))
        return kInvalidArgument;
    if (numIns > audioInputs.size() || numOuts > audioOutputs.size())
        return kResultFalse;

    for (int32 index = 0; index < numIns; ++index)
        if (AudioBus* bus = getAudioInput(index))
            bus->setArrangement(inputs[index]);
    for (int32 index = 0; index < numOuts; ++index)
        if (AudioBus* bus = getAudioOutput(index))
            bus->setArrangement(outputs[index]);
    return kResultOk;
}

tresult AudioEffect::getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr)
{
    const AudioBus* bus = nullptr;
    if (dir == kInput)
        bus = getAudioInput(index);
    else if (dir == kOutput)
        bus = getAudioOutput(index);
    if (!bus)
        return kInvalidArgument;
    arr = bus->getArrangement();
    return kResultOk;
}

tresult AudioEffect::canProcessSampleSize(int32 symbolicSampleSize)
{
    return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

tresult AudioEffect::setupProcessing(ProcessSetup& setup)
{
    processSetup.processMode = setup.processMode;
    processSetup.maxSamplesPerBlock = setup.maxSamplesPerBlock;
    processSetup.sampleRate = setup.sampleRate;
    if (canProcessSampleSize(setup.symbolicSampleSize) != kResultTrue)
        return kResultFalse;
    processSetup.symbolicSampleSize = setup.symbolicSampleSize;
    return kResultOk;
}

tresult AudioEffect::queryInterface(const TUID iid, void** obj)
{
    if (queryOwnInterface<IAudioProcessor>(iid, obj, this) ||
        queryOwnInterface<IProcessContextRequirements>(iid, obj, this))
        return kResultOk;
    return Component::queryInterface(iid, obj);
}

}  // namespace Steinberg::Vst
