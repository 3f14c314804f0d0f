// An AudioEffect set up the way a stereo processor sets itself up.
#pragma once

#include "sdk/vst3/component/audioeffect.h"

namespace morvik::testing {

class StereoEffect : public Steinberg::Vst::AudioEffect {
public:
    Steinberg::tresult initialize(Steinberg::FUnknown* context) override
    {
        if (AudioEffect::initialize(context) != Steinberg::kResultOk)
            return Steinberg::kResultFalse;
        addAudioInput(u"AudioInput", Steinberg::Vst::SpeakerArr::kStereo);
        addAudioOutput(u"AudioOutput", Steinberg::Vst::SpeakerArr::kStereo);
        return Steinberg::kResultOk;
    }

    using AudioEffect::addAudioInput;
    const Steinberg::Vst::ProcessSetup& currentSetup() const { return processSetup; }
};

// Takes 64-bit samples as well, as a double-precision processor does.
class DoublePrecisionEffect : public StereoEffect {
public:
    Steinberg::tresult canProcessSampleSize(Steinberg::int32 size) override
    {
        using namespace Steinberg::Vst;
        return size == kSample32 || size == kSample64 ? Steinberg::kResultTrue : Steinberg::kResultFalse;
    }
};

}  // namespace morvik::testing
