// Event list of a processing block. The plug-in reads no events, but the
// record layout must match the host's, since hosts write Event records into it.
#pragma once

#include "sdk/vst3/interfaces/funknown.h"

namespace Steinberg::Vst {

struct NoteOnEvent {
    int16 channel;
    int16 pitch;
    float tuning;
    float velocity;
    int32 length;
    int32 noteId;
};

struct NoteOffEvent {
    int16 channel;
    int16 pitch;
    float velocity;
    int32 noteId;
    float tuning;
};

struct DataEvent {
    uint32 size;
    uint32 type;
    const uint8* bytes;
};

struct PolyPressureEvent {
    int16 channel;
    int16 pitch;
    float pressure;
    int32 noteId;
};

struct ChordEvent {
    int16 root;
    int16 bassNote;
    int16 mask;
    uint16 textLen;
    const TChar* text;
};

struct ScaleEvent {
    int16 root;
    int16 mask;
    uint16 textLen;
    const TChar* text;
};

struct LegacyMIDICCOutEvent {
    uint8 controlNumber;
    int8 channel;
    int8 value;
    int8 value2;
};

struct NoteExpressionValueEvent {
    uint32 typeId;
    int32 noteId;
    double value;
};

struct NoteExpressionTextEvent {
    uint32 typeId;
    int32 noteId;
    uint32 textLen;
    const TChar* text;
};

struct Event {
    enum EventFlags : uint16 { kIsLive = 1 << 0 };
    enum EventTypes : uint16 {
        kNoteOnEvent = 0,
        kNoteOffEvent,
        kDataEvent,
        kPolyPressureEvent,
        kNoteExpressionValueEvent,
        kNoteExpressionTextEvent,
        kChordEvent,
        kScaleEvent,
        kLegacyMIDICCOutEvent = 65535,
    };

    int32 busIndex;
    int32 sampleOffset;
    TQuarterNotes ppqPosition;
    uint16 flags;
    uint16 type;
    union {
        NoteOnEvent noteOn;
        NoteOffEvent noteOff;
        DataEvent data;
        PolyPressureEvent polyPressure;
        NoteExpressionValueEvent noteExpressionValue;
        NoteExpressionTextEvent noteExpressionText;
        ChordEvent chord;
        ScaleEvent scale;
        LegacyMIDICCOutEvent midiCCOut;
    };
};

class IEventList : public FUnknown {
public:
    virtual int32 getEventCount() = 0;
    virtual tresult getEvent(int32 index, Event& e) = 0;
    virtual tresult addEvent(Event& e) = 0;

    static constexpr FUID iid{0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44};
};

}  // namespace Steinberg::Vst
