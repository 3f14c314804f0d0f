// Sizes, alignments and field offsets of every record shared with hosts,
// against the reference's C structs.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "sdk/vst3/interfaces/all.h"
#include "tests/abi/travesty.h"

namespace {
using namespace Steinberg;
using namespace Steinberg::Vst;

template <class Struct, class Field>
std::size_t offsetIn(Field Struct::*member)
{
    static const Struct object{};
    return static_cast<std::size_t>(reinterpret_cast<const char*>(&(object.*member)) -
                                    reinterpret_cast<const char*>(&object));
}

struct FieldCase {
    std::string name;
    std::size_t ourOffset;
    std::size_t theirOffset;
    std::size_t ourSize;
    std::size_t theirSize;
};

template <class Ours, class OurField, class Theirs, class TheirField>
FieldCase field(const char* name, OurField Ours::*ours, TheirField Theirs::*theirs)
{
    return {name, offsetIn(ours), offsetIn(theirs), sizeof(OurField), sizeof(TheirField)};
}

struct RecordCase {
    const char* name;
    std::size_t ourSize;
    std::size_t theirSize;
    std::size_t ourAlignment;
    std::size_t theirAlignment;
};

template <class Ours, class Theirs>
RecordCase record(const char* name)
{
    return {name, sizeof(Ours), sizeof(Theirs), alignof(Ours), alignof(Theirs)};
}

TEST(Layout, RecordsAndBasicTypesHaveTheReferenceSizeAndAlignment)
{
    const RecordCase records[] = {
        record<TUID, v3_tuid>("TUID"),
        record<String128, v3_str_128>("String128"),
        record<TBool, v3_bool>("TBool"),
        record<tresult, v3_result>("tresult"),
        record<ParamID, v3_param_id>("ParamID"),
        record<SpeakerArrangement, v3_speaker_arrangement>("SpeakerArrangement"),
        record<PFactoryInfo, v3_factory_info>("PFactoryInfo"),
        record<PClassInfo, v3_class_info>("PClassInfo"),
        record<PClassInfo2, v3_class_info_2>("PClassInfo2"),
        record<PClassInfoW, v3_class_info_3>("PClassInfoW"),
        record<BusInfo, v3_bus_info>("BusInfo"),
        record<RoutingInfo, v3_routing_info>("RoutingInfo"),
        record<ParameterInfo, v3_param_info>("ParameterInfo"),
        record<ProcessSetup, v3_process_setup>("ProcessSetup"),
        record<AudioBusBuffers, v3_audio_bus_buffers>("AudioBusBuffers"),
        record<ProcessData, v3_process_data>("ProcessData"),
        record<ProcessContext, v3_process_context>("ProcessContext"),
        record<Chord, v3_chord>("Chord"),
        record<FrameRate, v3_frame_rate>("FrameRate"),
        record<Event, v3_event>("Event"),
        record<NoteOnEvent, v3_event_note_on>("NoteOnEvent"),
        record<NoteOffEvent, v3_event_note_off>("NoteOffEvent"),
        record<DataEvent, v3_event_data>("DataEvent"),
        record<PolyPressureEvent, v3_event_poly_pressure>("PolyPressureEvent"),
        record<ChordEvent, v3_event_chord>("ChordEvent"),
        record<ScaleEvent, v3_event_scale>("ScaleEvent"),
        record<LegacyMIDICCOutEvent, v3_event_legacy_midi_cc_out>("LegacyMIDICCOutEvent"),
        record<NoteExpressionValueEvent, v3_event_note_expression_value>("NoteExpressionValueEvent"),
        record<ViewRect, v3_view_rect>("ViewRect"),
    };
    for (const RecordCase& r : records) {
        EXPECT_EQ(r.ourSize, r.theirSize) << r.name << " size";
        EXPECT_EQ(r.ourAlignment, r.theirAlignment) << r.name << " alignment";
    }
}

TEST(Layout, FieldsSitWhereTheReferencePutsThem)
{
    const FieldCase fields[] = {
        field("PFactoryInfo.vendor", &PFactoryInfo::vendor, &v3_factory_info::vendor),
        field("PFactoryInfo.url", &PFactoryInfo::url, &v3_factory_info::url),
        field("PFactoryInfo.email", &PFactoryInfo::email, &v3_factory_info::email),
        field("PFactoryInfo.flags", &PFactoryInfo::flags, &v3_factory_info::flags),

        field("PClassInfo.cid", &PClassInfo::cid, &v3_class_info::class_id),
        field("PClassInfo.cardinality", &PClassInfo::cardinality, &v3_class_info::cardinality),
        field("PClassInfo.category", &PClassInfo::category, &v3_class_info::category),
        field("PClassInfo.name", &PClassInfo::name, &v3_class_info::name),

        field("PClassInfo2.cid", &PClassInfo2::cid, &v3_class_info_2::class_id),
        field("PClassInfo2.cardinality", &PClassInfo2::cardinality, &v3_class_info_2::cardinality),
        field("PClassInfo2.category", &PClassInfo2::category, &v3_class_info_2::category),
        field("PClassInfo2.name", &PClassInfo2::name, &v3_class_info_2::name),
        field("PClassInfo2.classFlags", &PClassInfo2::classFlags, &v3_class_info_2::class_flags),
        field("PClassInfo2.subCategories", &PClassInfo2::subCategories, &v3_class_info_2::sub_categories),
        field("PClassInfo2.vendor", &PClassInfo2::vendor, &v3_class_info_2::vendor),
        field("PClassInfo2.version", &PClassInfo2::version, &v3_class_info_2::version),
        field("PClassInfo2.sdkVersion", &PClassInfo2::sdkVersion, &v3_class_info_2::sdk_version),

        field("PClassInfoW.cid", &PClassInfoW::cid, &v3_class_info_3::class_id),
        field("PClassInfoW.cardinality", &PClassInfoW::cardinality, &v3_class_info_3::cardinality),
        field("PClassInfoW.category", &PClassInfoW::category, &v3_class_info_3::category),
        field("PClassInfoW.name", &PClassInfoW::name, &v3_class_info_3::name),
        field("PClassInfoW.classFlags", &PClassInfoW::classFlags, &v3_class_info_3::class_flags),
        field("PClassInfoW.subCategories", &PClassInfoW::subCategories, &v3_class_info_3::sub_categories),
        field("PClassInfoW.vendor", &PClassInfoW::vendor, &v3_class_info_3::vendor),
        field("PClassInfoW.version", &PClassInfoW::version, &v3_class_info_3::version),
        field("PClassInfoW.sdkVersion", &PClassInfoW::sdkVersion, &v3_class_info_3::sdk_version),

        field("BusInfo.mediaType", &BusInfo::mediaType, &v3_bus_info::media_type),
        field("BusInfo.direction", &BusInfo::direction, &v3_bus_info::direction),
        field("BusInfo.channelCount", &BusInfo::channelCount, &v3_bus_info::channel_count),
        field("BusInfo.name", &BusInfo::name, &v3_bus_info::bus_name),
        field("BusInfo.busType", &BusInfo::busType, &v3_bus_info::bus_type),
        field("BusInfo.flags", &BusInfo::flags, &v3_bus_info::flags),

        field("RoutingInfo.mediaType", &RoutingInfo::mediaType, &v3_routing_info::media_type),
        field("RoutingInfo.busIndex", &RoutingInfo::busIndex, &v3_routing_info::bus_idx),
        field("RoutingInfo.channel", &RoutingInfo::channel, &v3_routing_info::channel),

        field("ParameterInfo.id", &ParameterInfo::id, &v3_param_info::param_id),
        field("ParameterInfo.title", &ParameterInfo::title, &v3_param_info::title),
        field("ParameterInfo.shortTitle", &ParameterInfo::shortTitle, &v3_param_info::short_title),
        field("ParameterInfo.units", &ParameterInfo::units, &v3_param_info::units),
        field("ParameterInfo.stepCount", &ParameterInfo::stepCount, &v3_param_info::step_count),
        field("ParameterInfo.defaultNormalizedValue", &ParameterInfo::defaultNormalizedValue,
              &v3_param_info::default_normalised_value),
        field("ParameterInfo.unitId", &ParameterInfo::unitId, &v3_param_info::unit_id),
        field("ParameterInfo.flags", &ParameterInfo::flags, &v3_param_info::flags),

        field("ProcessSetup.processMode", &ProcessSetup::processMode, &v3_process_setup::process_mode),
        field("ProcessSetup.symbolicSampleSize", &ProcessSetup::symbolicSampleSize,
              &v3_process_setup::symbolic_sample_size),
        field("ProcessSetup.maxSamplesPerBlock", &ProcessSetup::maxSamplesPerBlock,
              &v3_process_setup::max_block_size),
        field("ProcessSetup.sampleRate", &ProcessSetup::sampleRate, &v3_process_setup::sample_rate),

        field("AudioBusBuffers.numChannels", &AudioBusBuffers::numChannels,
              &v3_audio_bus_buffers::num_channels),
        field("AudioBusBuffers.silenceFlags", &AudioBusBuffers::silenceFlags,
              &v3_audio_bus_buffers::channel_silence_bitset),
        field("AudioBusBuffers.channelBuffers32", &AudioBusBuffers::channelBuffers32,
              &v3_audio_bus_buffers::channel_buffers_32),
        field("AudioBusBuffers.channelBuffers64", &AudioBusBuffers::channelBuffers64,
              &v3_audio_bus_buffers::channel_buffers_64),

        field("ProcessData.processMode", &ProcessData::processMode, &v3_process_data::process_mode),
        field("ProcessData.symbolicSampleSize", &ProcessData::symbolicSampleSize,
              &v3_process_data::symbolic_sample_size),
        field("ProcessData.numSamples", &ProcessData::numSamples, &v3_process_data::nframes),
        field("ProcessData.numInputs", &ProcessData::numInputs, &v3_process_data::num_input_buses),
        field("ProcessData.numOutputs", &ProcessData::numOutputs, &v3_process_data::num_output_buses),
        field("ProcessData.inputs", &ProcessData::inputs, &v3_process_data::inputs),
        field("ProcessData.outputs", &ProcessData::outputs, &v3_process_data::outputs),
        field("ProcessData.inputParameterChanges", &ProcessData::inputParameterChanges,
              &v3_process_data::input_params),
        field("ProcessData.outputParameterChanges", &ProcessData::outputParameterChanges,
              &v3_process_data::output_params),
        field("ProcessData.inputEvents", &ProcessData::inputEvents, &v3_process_data::input_events),
        field("ProcessData.outputEvents", &ProcessData::outputEvents, &v3_process_data::output_events),
        field("ProcessData.processContext", &ProcessData::processContext, &v3_process_data::ctx),

        field("ProcessContext.state", &ProcessContext::state, &v3_process_context::state),
        field("ProcessContext.sampleRate", &ProcessContext::sampleRate, &v3_process_context::sample_rate),
        field("ProcessContext.projectTimeSamples", &ProcessContext::projectTimeSamples,
              &v3_process_context::project_time_in_samples),
        field("ProcessContext.systemTime", &ProcessContext::systemTime, &v3_process_context::system_time_ns),
        field("ProcessContext.continousTimeSamples", &ProcessContext::continousTimeSamples,
              &v3_process_context::continuous_time_in_samples),
        field("ProcessContext.projectTimeMusic", &ProcessContext::projectTimeMusic,
              &v3_process_context::project_time_quarters),
        field("ProcessContext.barPositionMusic", &ProcessContext::barPositionMusic,
              &v3_process_context::bar_position_quarters),
        field("ProcessContext.cycleStartMusic", &ProcessContext::cycleStartMusic,
              &v3_process_context::cycle_start_quarters),
        field("ProcessContext.cycleEndMusic", &ProcessContext::cycleEndMusic,
              &v3_process_context::cycle_end_quarters),
        field("ProcessContext.tempo", &ProcessContext::tempo, &v3_process_context::bpm),
        field("ProcessContext.timeSigNumerator", &ProcessContext::timeSigNumerator,
              &v3_process_context::time_sig_numerator),
        field("ProcessContext.timeSigDenominator", &ProcessContext::timeSigDenominator,
              &v3_process_context::time_sig_denom),
        field("ProcessContext.chord", &ProcessContext::chord, &v3_process_context::chord),
        field("ProcessContext.smpteOffsetSubframes", &ProcessContext::smpteOffsetSubframes,
              &v3_process_context::smpte_offset_subframes),
        field("ProcessContext.frameRate", &ProcessContext::frameRate, &v3_process_context::frame_rate),
        field("ProcessContext.samplesToNextClock", &ProcessContext::samplesToNextClock,
              &v3_process_context::samples_to_next_clock),
        field("Chord.keyNote", &Chord::keyNote, &v3_chord::key_note),
        field("Chord.rootNote", &Chord::rootNote, &v3_chord::root_note),
        field("Chord.chordMask", &Chord::chordMask, &v3_chord::chord_mask),
        field("FrameRate.framesPerSecond", &FrameRate::framesPerSecond, &v3_frame_rate::fps),
        field("FrameRate.flags", &FrameRate::flags, &v3_frame_rate::flags),

        field("Event.busIndex", &Event::busIndex, &v3_event::bus_index),
        field("Event.sampleOffset", &Event::sampleOffset, &v3_event::sample_offset),
        field("Event.ppqPosition", &Event::ppqPosition, &v3_event::ppq_position),
        field("Event.flags", &Event::flags, &v3_event::flags),
        field("Event.type", &Event::type, &v3_event::type),
        field("Event.noteOn", &Event::noteOn, &v3_event::note_on),
        field("Event.noteOff", &Event::noteOff, &v3_event::note_off),
        field("Event.data", &Event::data, &v3_event::data),
        field("Event.polyPressure", &Event::polyPressure, &v3_event::poly_pressure),
        field("Event.chord", &Event::chord, &v3_event::chord),
        field("Event.scale", &Event::scale, &v3_event::scale),
        field("Event.midiCCOut", &Event::midiCCOut, &v3_event::midi_cc_out),
        field("Event.noteExpressionValue", &Event::noteExpressionValue, &v3_event::note_exp_value),
        field("NoteOnEvent.channel", &NoteOnEvent::channel, &v3_event_note_on::channel),
        field("NoteOnEvent.pitch", &NoteOnEvent::pitch, &v3_event_note_on::pitch),
        field("NoteOnEvent.tuning", &NoteOnEvent::tuning, &v3_event_note_on::tuning),
        field("NoteOnEvent.velocity", &NoteOnEvent::velocity, &v3_event_note_on::velocity),
        field("NoteOnEvent.length", &NoteOnEvent::length, &v3_event_note_on::length),
        field("NoteOnEvent.noteId", &NoteOnEvent::noteId, &v3_event_note_on::note_id),
        field("NoteOffEvent.channel", &NoteOffEvent::channel, &v3_event_note_off::channel),
        field("NoteOffEvent.pitch", &NoteOffEvent::pitch, &v3_event_note_off::pitch),
        field("NoteOffEvent.velocity", &NoteOffEvent::velocity, &v3_event_note_off::velocity),
        field("NoteOffEvent.noteId", &NoteOffEvent::noteId, &v3_event_note_off::note_id),
        field("NoteOffEvent.tuning", &NoteOffEvent::tuning, &v3_event_note_off::tuning),
        field("DataEvent.size", &DataEvent::size, &v3_event_data::size),
        field("DataEvent.type", &DataEvent::type, &v3_event_data::type),
        field("DataEvent.bytes", &DataEvent::bytes, &v3_event_data::bytes),
        field("PolyPressureEvent.channel", &PolyPressureEvent::channel, &v3_event_poly_pressure::channel),
        field("PolyPressureEvent.pitch", &PolyPressureEvent::pitch, &v3_event_poly_pressure::pitch),
        field("PolyPressureEvent.pressure", &PolyPressureEvent::pressure, &v3_event_poly_pressure::pressure),
        field("PolyPressureEvent.noteId", &PolyPressureEvent::noteId, &v3_event_poly_pressure::note_id),
        field("ChordEvent.root", &ChordEvent::root, &v3_event_chord::root),
        field("ChordEvent.bassNote", &ChordEvent::bassNote, &v3_event_chord::bass_note),
        field("ChordEvent.mask", &ChordEvent::mask, &v3_event_chord::mask),
        field("ChordEvent.textLen", &ChordEvent::textLen, &v3_event_chord::text_len),
        field("ChordEvent.text", &ChordEvent::text, &v3_event_chord::text),
        field("ScaleEvent.root", &ScaleEvent::root, &v3_event_scale::root),
        field("ScaleEvent.mask", &ScaleEvent::mask, &v3_event_scale::mask),
        field("ScaleEvent.textLen", &ScaleEvent::textLen, &v3_event_scale::text_len),
        field("ScaleEvent.text", &ScaleEvent::text, &v3_event_scale::text),
        field("LegacyMIDICCOutEvent.controlNumber", &LegacyMIDICCOutEvent::controlNumber,
              &v3_event_legacy_midi_cc_out::cc_number),
        field("LegacyMIDICCOutEvent.channel", &LegacyMIDICCOutEvent::channel,
              &v3_event_legacy_midi_cc_out::channel),
        field("LegacyMIDICCOutEvent.value", &LegacyMIDICCOutEvent::value,
              &v3_event_legacy_midi_cc_out::value),
        field("LegacyMIDICCOutEvent.value2", &LegacyMIDICCOutEvent::value2,
              &v3_event_legacy_midi_cc_out::value2),
        field("NoteExpressionValueEvent.typeId", &NoteExpressionValueEvent::typeId,
              &v3_event_note_expression_value::type_id),
        field("NoteExpressionValueEvent.noteId", &NoteExpressionValueEvent::noteId,
              &v3_event_note_expression_value::note_id),
        field("NoteExpressionValueEvent.value", &NoteExpressionValueEvent::value,
              &v3_event_note_expression_value::value),

        field("ViewRect.left", &ViewRect::left, &v3_view_rect::left),
        field("ViewRect.top", &ViewRect::top, &v3_view_rect::top),
        field("ViewRect.right", &ViewRect::right, &v3_view_rect::right),
        field("ViewRect.bottom", &ViewRect::bottom, &v3_view_rect::bottom),
    };
    for (const FieldCase& f : fields) {
        EXPECT_EQ(f.ourOffset, f.theirOffset) << f.name << " offset";
        EXPECT_EQ(f.ourSize, f.theirSize) << f.name << " size";
    }
}

// The reference's note-expression text record leaves out the type id that the
// VST 3 record begins with, so it cannot serve here; what hosts rely on is that
// it fits the event's payload, which the Event size above covers.
TEST(Layout, NoteExpressionTextFitsTheEventPayload)
{
    EXPECT_LE(offsetIn(&Event::noteExpressionText) + sizeof(NoteExpressionTextEvent), sizeof(v3_event));
    EXPECT_EQ(offsetIn(&Event::noteExpressionText), offsetIn(&v3_event::note_on));
}

}  // namespace
