// Interface ids, result codes and enumerated constants against the reference.
#include <gtest/gtest.h>

#include <cstring>

#include "sdk/vst3/interfaces/all.h"
#include "tests/abi/travesty.h"

namespace {
using namespace Steinberg;

struct IdCase {
    const char* name;
    const FUID& ours;
    const uint8_t* theirs;
};

const IdCase kIds[] = {
    {"FUnknown", FUnknown::iid, v3_funknown_iid},
    {"IPluginBase", IPluginBase::iid, v3_plugin_base_iid},
    {"IPluginFactory", IPluginFactory::iid, v3_plugin_factory_iid},
    {"IPluginFactory2", IPluginFactory2::iid, v3_plugin_factory_2_iid},
    {"IPluginFactory3", IPluginFactory3::iid, v3_plugin_factory_3_iid},
    {"IComponent", Vst::IComponent::iid, v3_component_iid},
    {"IAudioProcessor", Vst::IAudioProcessor::iid, v3_audio_processor_iid},
    {"IProcessContextRequirements", Vst::IProcessContextRequirements::iid,
     v3_process_context_requirements_iid},
    {"IConnectionPoint", Vst::IConnectionPoint::iid, v3_connection_point_iid},
    {"IMessage", Vst::IMessage::iid, v3_message_iid},
    {"IAttributeList", Vst::IAttributeList::iid, v3_attribute_list_iid},
    {"IEditController", Vst::IEditController::iid, v3_edit_controller_iid},
    {"IComponentHandler", Vst::IComponentHandler::iid, v3_component_handler_iid},
    {"IBStream", IBStream::iid, v3_bstream_iid},
    {"IParamValueQueue", Vst::IParamValueQueue::iid, v3_param_value_queue_iid},
    {"IParameterChanges", Vst::IParameterChanges::iid, v3_param_changes_iid},
    {"IEventList", Vst::IEventList::iid, v3_event_list_iid},
    {"IHostApplication", Vst::IHostApplication::iid, v3_host_application_iid},
    {"IPlugView", IPlugView::iid, v3_plugin_view_iid},
    {"IPlugFrame", IPlugFrame::iid, v3_plugin_frame_iid},
    {"IPlugViewContentScaleSupport", IPlugViewContentScaleSupport::iid, v3_plugin_view_content_scale_iid},
    {"Linux::IEventHandler", Linux::IEventHandler::iid, v3_event_handler_iid},
    {"Linux::ITimerHandler", Linux::ITimerHandler::iid, v3_timer_handler_iid},
    {"Linux::IRunLoop", Linux::IRunLoop::iid, v3_run_loop_iid},
};

TEST(InterfaceIds, MatchTheReference)
{
    for (const IdCase& id : kIds)
        EXPECT_EQ(std::memcmp(id.ours.toTUID(), id.theirs, sizeof(TUID)), 0) << id.name;
}

// The reference lacks these two; their bytes follow from the ABI notes' words,
// most significant byte first.
TEST(InterfaceIds, MatchTheNotesWhereTheReferenceHasNone)
{
    const uint8_t editController2[16] = {0x7F, 0x4E, 0xFE, 0x59, 0xF3, 0x20, 0x49, 0x67,
                                         0xAC, 0x27, 0xA3, 0xAE, 0xAF, 0xB6, 0x30, 0x38};
    const uint8_t auWrapper[16] = {0xA3, 0xB8, 0xC6, 0xC5, 0xC0, 0x95, 0x46, 0x88,
                                   0xB0, 0x91, 0x6F, 0x0B, 0xB6, 0x97, 0xAA, 0x44};
    EXPECT_EQ(std::memcmp(Vst::IEditController2::iid.toTUID(), editController2, 16), 0);
    EXPECT_EQ(std::memcmp(Vst::IVst3ToAUWrapper::iid.toTUID(), auWrapper, 16), 0);
}

TEST(InterfaceIds, AreDistinct)
{
    for (const IdCase& a : kIds) {
        for (const IdCase& b : kIds) {
            if (&a != &b) {
                EXPECT_NE(a.ours, b.ours) << a.name << " and " << b.name;
            }
        }
    }
}

struct ConstantCase {
    const char* name;
    int64_t ours;
    int64_t theirs;
};

const ConstantCase kConstants[] = {
    {"kNoInterface", kNoInterface, V3_NO_INTERFACE},
    {"kResultOk", kResultOk, V3_OK},
    {"kResultTrue", kResultTrue, V3_TRUE},
    {"kResultFalse", kResultFalse, V3_FALSE},
    {"kInvalidArgument", kInvalidArgument, V3_INVALID_ARG},
    {"kNotImplemented", kNotImplemented, V3_NOT_IMPLEMENTED},
    {"kInternalError", kInternalError, V3_INTERNAL_ERR},
    {"kNotInitialized", kNotInitialized, V3_NOT_INITIALIZED},
    {"kOutOfMemory", kOutOfMemory, V3_NOMEM},
    {"IBStream::kIBSeekSet", IBStream::kIBSeekSet, V3_SEEK_SET},
    {"IBStream::kIBSeekCur", IBStream::kIBSeekCur, V3_SEEK_CUR},
    {"IBStream::kIBSeekEnd", IBStream::kIBSeekEnd, V3_SEEK_END},
    {"PFactoryInfo::kUnicode", PFactoryInfo::kUnicode, 0x10},
    {"kDistributable", kDistributable, V3_DISTRIBUTABLE},
    {"kSimpleModeSupported", kSimpleModeSupported, V3_SIMPLE_MODE},
    {"kAudio", Vst::kAudio, V3_AUDIO},
    {"kEvent", Vst::kEvent, V3_EVENT},
    {"kInput", Vst::kInput, V3_INPUT},
    {"kOutput", Vst::kOutput, V3_OUTPUT},
    {"kMain", Vst::kMain, V3_MAIN},
    {"kAux", Vst::kAux, V3_AUX},
    {"BusInfo::kDefaultActive", Vst::BusInfo::kDefaultActive, V3_DEFAULT_ACTIVE},
    {"BusInfo::kIsControlVoltage", Vst::BusInfo::kIsControlVoltage, V3_IS_CONTROL_VOLTAGE},
    {"kSimple", Vst::kSimple, V3_SIMPLE},
    {"kAdvanced", Vst::kAdvanced, V3_ADVANCED},
    {"kOfflineProcessing", Vst::kOfflineProcessing, V3_OFFLINE_PROCESSING},
    {"kRealtime", Vst::kRealtime, V3_REALTIME},
    {"kPrefetch", Vst::kPrefetch, V3_PREFETCH},
    {"kOffline", Vst::kOffline, V3_OFFLINE},
    {"kSample32", Vst::kSample32, V3_SAMPLE_32},
    {"kSample64", Vst::kSample64, V3_SAMPLE_64},
    {"kSpeakerL", static_cast<int64_t>(Vst::SpeakerArr::kSpeakerL), V3_SPEAKER_L},
    {"kSpeakerR", static_cast<int64_t>(Vst::SpeakerArr::kSpeakerR), V3_SPEAKER_R},
    {"kMono", static_cast<int64_t>(Vst::SpeakerArr::kMono), V3_SPEAKER_M},
    {"kStereo", static_cast<int64_t>(Vst::SpeakerArr::kStereo), V3_SPEAKER_L | V3_SPEAKER_R},
    {"kCanAutomate", Vst::ParameterInfo::kCanAutomate, V3_PARAM_CAN_AUTOMATE},
    {"kIsReadOnly", Vst::ParameterInfo::kIsReadOnly, V3_PARAM_READ_ONLY},
    {"kIsWrapAround", Vst::ParameterInfo::kIsWrapAround, V3_PARAM_WRAP_AROUND},
    {"kIsList", Vst::ParameterInfo::kIsList, V3_PARAM_IS_LIST},
    {"kIsHidden", Vst::ParameterInfo::kIsHidden, V3_PARAM_IS_HIDDEN},
    {"kIsProgramChange", Vst::ParameterInfo::kIsProgramChange, V3_PARAM_PROGRAM_CHANGE},
    {"kIsBypass", Vst::ParameterInfo::kIsBypass, V3_PARAM_IS_BYPASS},
    {"kReloadComponent", Vst::kReloadComponent, V3_RESTART_RELOAD_COMPONENT},
    {"kIoChanged", Vst::kIoChanged, V3_RESTART_IO_CHANGED},
    {"kParamValuesChanged", Vst::kParamValuesChanged, V3_RESTART_PARAM_VALUES_CHANGED},
    {"kLatencyChanged", Vst::kLatencyChanged, V3_RESTART_LATENCY_CHANGED},
    {"kParamTitlesChanged", Vst::kParamTitlesChanged, V3_RESTART_PARAM_TITLES_CHANGED},
    {"kMidiCCAssignmentChanged", Vst::kMidiCCAssignmentChanged, V3_RESTART_MIDI_CC_ASSIGNMENT_CHANGED},
    {"kNoteExpressionChanged", Vst::kNoteExpressionChanged, V3_RESTART_NOTE_EXPRESSION_CHANGED},
    {"kIoTitlesChanged", Vst::kIoTitlesChanged, V3_RESTART_IO_TITLES_CHANGED},
    {"kPrefetchableSupportChanged", Vst::kPrefetchableSupportChanged,
     V3_RESTART_PREFETCHABLE_SUPPORT_CHANGED},
    {"kRoutingInfoChanged", Vst::kRoutingInfoChanged, V3_RESTART_ROUTING_INFO_CHANGED},
    {"Event::kIsLive", Vst::Event::kIsLive, V3_EVENT_IS_LIVE},
    {"kNoteOnEvent", Vst::Event::kNoteOnEvent, V3_EVENT_NOTE_ON},
    {"kNoteOffEvent", Vst::Event::kNoteOffEvent, V3_EVENT_NOTE_OFF},
    {"kDataEvent", Vst::Event::kDataEvent, V3_EVENT_DATA},
    {"kPolyPressureEvent", Vst::Event::kPolyPressureEvent, V3_EVENT_POLY_PRESSURE},
    {"kNoteExpressionValueEvent", Vst::Event::kNoteExpressionValueEvent, V3_EVENT_NOTE_EXP_VALUE},
    {"kNoteExpressionTextEvent", Vst::Event::kNoteExpressionTextEvent, V3_EVENT_NOTE_EXP_TEXT},
    {"kChordEvent", Vst::Event::kChordEvent, V3_EVENT_CHORD},
    {"kScaleEvent", Vst::Event::kScaleEvent, V3_EVENT_SCALE},
    {"kLegacyMIDICCOutEvent", Vst::Event::kLegacyMIDICCOutEvent, V3_EVENT_LEGACY_MIDI_CC_OUT},
    // Not in the reference; values from the ABI notes.
    {"PClassInfo::kManyInstances", PClassInfo::kManyInstances, 0x7FFFFFFF},
    {"kCircularMode", Vst::kCircularMode, 0},
    {"kRelativCircularMode", Vst::kRelativCircularMode, 1},
    {"kLinearMode", Vst::kLinearMode, 2},
};

TEST(Constants, MatchTheReference)
{
    for (const ConstantCase& constant : kConstants)
        EXPECT_EQ(constant.ours, constant.theirs) << constant.name;
}

TEST(Constants, TextsOfTheLinuxEditorMatch)
{
    EXPECT_STREQ(kPlatformTypeX11EmbedWindowID, V3_VIEW_PLATFORM_TYPE_X11);
}

}  // namespace
