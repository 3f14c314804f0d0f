// An AudioEffect set up the way a stereo processor sets itself up.
#pragma once

#include "sdk/vst3/component/audioeffect.h"

namespace Steinberg::Vst::Test {

class StereoEffect : public AudioEffect {
public:
    tresult initialize(FUnknown* context) override
    {
        if (AudioEffect::initialize(context) != kResultOk)
            return kResultFalse;
        addAudioInput(u"AudioInput", SpeakerArr::kStereo);
        addAudioOutput(u"AudioOutput", SpeakerArr::kStereo);
        return kResultOk;
    }

    using AudioEffect::addAudioInput;
    const ProcessSetup& currentSetup() const { return processSetup; }
};

// Takes 64-bit samples as well, as a double-precision processor does.
class DoublePrecisionEffect : public StereoEffect {
public:
    tresult canProcessSampleSize(int32 size) override
    {
        return size == kSample32 || size == kSample64 ? kResultTrue : kResultFalse;
    }
};

}  // namespace Steinberg::Vst::Test
