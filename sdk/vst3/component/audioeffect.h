// The audio processor base: bus arrangements, the processing set-up the host
// chose, and neutral answers for everything a simple effect does not use.
#pragma once

#include "sdk/vst3/component/component.h"
#include "sdk/vst3/interfaces/audioprocessor.h"

namespace Steinberg::Vst {

class AudioEffect : public FClass<"AudioEffect", Component>,
                    public IAudioProcessor,
                    public IProcessContextRequirements {
public:
    AudioEffect() = default;

    // Null when there is no such bus.
    AudioBus* getAudioInput(int32 index) const;
    AudioBus* getAudioOutput(int32 index) const;

    // IAudioProcessor
    // All or nothing: kInvalidArgument for a negative count or a missing array,
    // kResultFalse for more arrangements than buses, else every given
    // arrangement is stored on its bus.
    tresult setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                               int32 numOuts) override;
    tresult getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) override;
    // 32-bit only here; a subclass that does more says so.
    tresult canProcessSampleSize(int32 symbolicSampleSize) override;
    uint32 getLatencySamples() override { return 0; }
    // Takes mode, block size and sample rate in any case; a sample size that
    // canProcessSampleSize() refuses gives kResultFalse and keeps the old one.
    tresult setupProcessing(ProcessSetup& setup) override;
    // Nothing to start or stop here; hosts take kNotImplemented as "fine".
    tresult setProcessing(TBool /*state*/) override { return kNotImplemented; }
    tresult process(ProcessData& /*data*/) override { return kResultOk; }
    uint32 getTailSamples() override { return 0; }

    // IProcessContextRequirements: none.
    uint32 getProcessContextRequirements() override { return 0; }

    // FUnknown
    tresult queryInterface(const TUID iid, void** obj) override;
    uint32 addRef() override { return FObject::addRef(); }
    uint32 release() override { return FObject::release(); }

protected:
    ProcessSetup processSetup{kRealtime, kSample32, 1024, 44100.0};

private:
    static AudioBus* audioBusAt(const BusList& list, int32 index);
};

}  // namespace Steinberg::Vst
