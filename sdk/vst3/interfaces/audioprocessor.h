// Audio processing: speaker arrangements, the processing set-up and the block record.
#pragma once

#include "sdk/vst3/interfaces/events.h"
#include "sdk/vst3/interfaces/parameterchanges.h"

namespace Steinberg::Vst {

namespace SpeakerArr {
constexpr Speaker kSpeakerL = 1 << 0;
constexpr Speaker kSpeakerR = 1 << 1;
constexpr SpeakerArrangement kEmpty = 0;
constexpr SpeakerArrangement kMono = 1 << 19;  // the centre-mono speaker
constexpr SpeakerArrangement kStereo = kSpeakerL | kSpeakerR;

// Number of speakers (bits) in an arrangement.
inline int32 getChannelCount(SpeakerArrangement arrangement)
{
    int32 count = 0;
    for (; arrangement != 0; arrangement &= arrangement - 1)
        ++count;
    return count;
}
}  // namespace SpeakerArr

enum ProcessModes : int32 { kRealtime = 0, kPrefetch, kOffline };
enum SymbolicSampleSizes : int32 { kSample32 = 0, kSample64 };

struct ProcessSetup {
    int32 processMode;
    int32 symbolicSampleSize;
    int32 maxSamplesPerBlock;
    SampleRate sampleRate;
};

struct AudioBusBuffers {
    int32 numChannels;
    uint64 silenceFlags;
    union {
        Sample32** channelBuffers32;
        Sample64** channelBuffers64;
    };
};

struct Chord {
    uint8 keyNote;
    uint8 rootNote;
    int16 chordMask;
};

struct FrameRate {
    uint32 framesPerSecond;
    uint32 flags;
};

struct ProcessContext {
    uint32 state;
    double sampleRate;
    TSamples projectTimeSamples;
    int64 systemTime;
    TSamples continousTimeSamples;
    TQuarterNotes projectTimeMusic;
    TQuarterNotes barPositionMusic;
    TQuarterNotes cycleStartMusic;
    TQuarterNotes cycleEndMusic;
    double tempo;
    int32 timeSigNumerator;
    int32 timeSigDenominator;
    Chord chord;
    int32 smpteOffsetSubframes;
    FrameRate frameRate;
    int32 samplesToNextClock;
};

struct ProcessData {
    int32 processMode;
    int32 symbolicSampleSize;
    int32 numSamples;
    int32 numInputs;
    int32 numOutputs;
    AudioBusBuffers* inputs;
    AudioBusBuffers* outputs;
    IParameterChanges* inputParameterChanges;
    IParameterChanges* outputParameterChanges;
    IEventList* inputEvents;
    IEventList* outputEvents;
    ProcessContext* processContext;
};

class IAudioProcessor : public FUnknown {
public:
    virtual tresult setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                                       int32 numOuts) = 0;
    virtual tresult getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) = 0;
    virtual tresult canProcessSampleSize(int32 symbolicSampleSize) = 0;
    virtual uint32 getLatencySamples() = 0;
    virtual tresult setupProcessing(ProcessSetup& setup) = 0;
    virtual tresult setProcessing(TBool state) = 0;
    virtual tresult process(ProcessData& data) = 0;
    virtual uint32 getTailSamples() = 0;

    static constexpr FUID iid{0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D};
};

class IProcessContextRequirements : public FUnknown {
public:
    virtual uint32 getProcessContextRequirements() = 0;

    static constexpr FUID iid{0x2A654303, 0xEF764E3D, 0x95B5FE83, 0x730EF6D0};
};

}  // namespace Steinberg::Vst
