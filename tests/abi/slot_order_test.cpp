// Every method of every interface sits in the vtable slot where the reference
// puts its C function pointer. Under the Itanium C++ ABI (GCC and Clang on
// Linux) a pointer to a virtual member function holds 1 + the slot's byte offset.
#include <gtest/gtest.h>

#include <bit>
#include <cstddef>

#include "sdk/vst3/interfaces/all.h"
#include "tests/abi/travesty.h"

namespace {
using namespace Steinberg;
using namespace Steinberg::Vst;
using morvik::testing::EditController2Slots;
using morvik::testing::Table;

struct MemberPointer {
    std::ptrdiff_t pointer;
    std::ptrdiff_t adjustment;
};

struct SlotCase {
    const char* name;
    std::ptrdiff_t ours;
    std::ptrdiff_t theirs;
};

template <class Method>
std::ptrdiff_t ourSlot(Method method)
{
    static_assert(sizeof(Method) == sizeof(MemberPointer));
    const auto representation = std::bit_cast<MemberPointer>(method);
    if ((representation.pointer & 1) == 0 || representation.adjustment != 0)
        return -1;  // not a virtual of a single-inheritance chain
    return (representation.pointer - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

template <class Slots>
std::ptrdiff_t theirSlot(const Slots& table, const void* field)
{
    return (static_cast<const char*>(field) - reinterpret_cast<const char*>(&table)) /
        static_cast<std::ptrdiff_t>(sizeof(void*));
}

void expectSlots(std::initializer_list<SlotCase> slots)
{
    for (const SlotCase& slot : slots)
        EXPECT_EQ(slot.ours, slot.theirs) << slot.name;
}

TEST(SlotOrder, UnknownAndFactories)
{
    static const struct {
        v3_funknown unknown;
        v3_plugin_factory v1;
        v3_plugin_factory_2 v2;
        v3_plugin_factory_3 v3;
    } t{};
    expectSlots({
        {"queryInterface", ourSlot(&FUnknown::queryInterface), theirSlot(t, &t.unknown.query_interface)},
        {"addRef", ourSlot(&FUnknown::addRef), theirSlot(t, &t.unknown.ref)},
        {"release", ourSlot(&FUnknown::release), theirSlot(t, &t.unknown.unref)},
        {"getFactoryInfo", ourSlot(&IPluginFactory3::getFactoryInfo), theirSlot(t, &t.v1.get_factory_info)},
        {"countClasses", ourSlot(&IPluginFactory3::countClasses), theirSlot(t, &t.v1.num_classes)},
        {"getClassInfo", ourSlot(&IPluginFactory3::getClassInfo), theirSlot(t, &t.v1.get_class_info)},
        {"createInstance", ourSlot(&IPluginFactory3::createInstance), theirSlot(t, &t.v1.create_instance)},
        {"getClassInfo2", ourSlot(&IPluginFactory3::getClassInfo2), theirSlot(t, &t.v2.get_class_info_2)},
        {"getClassInfoUnicode", ourSlot(&IPluginFactory3::getClassInfoUnicode),
         theirSlot(t, &t.v3.get_class_info_utf16)},
        {"setHostContext", ourSlot(&IPluginFactory3::setHostContext), theirSlot(t, &t.v3.set_host_context)},
    });
}

TEST(SlotOrder, Component)
{
    static const struct {
        v3_funknown unknown;
        v3_plugin_base base;
        v3_component own;
    } t{};
    expectSlots({
        {"initialize", ourSlot(&IComponent::initialize), theirSlot(t, &t.base.initialize)},
        {"terminate", ourSlot(&IComponent::terminate), theirSlot(t, &t.base.terminate)},
        {"getControllerClassId", ourSlot(&IComponent::getControllerClassId),
         theirSlot(t, &t.own.get_controller_class_id)},
        {"setIoMode", ourSlot(&IComponent::setIoMode), theirSlot(t, &t.own.set_io_mode)},
        {"getBusCount", ourSlot(&IComponent::getBusCount), theirSlot(t, &t.own.get_bus_count)},
        {"getBusInfo", ourSlot(&IComponent::getBusInfo), theirSlot(t, &t.own.get_bus_info)},
        {"getRoutingInfo", ourSlot(&IComponent::getRoutingInfo), theirSlot(t, &t.own.get_routing_info)},
        {"activateBus", ourSlot(&IComponent::activateBus), theirSlot(t, &t.own.activate_bus)},
        {"setActive", ourSlot(&IComponent::setActive), theirSlot(t, &t.own.set_active)},
        {"setState", ourSlot(&IComponent::setState), theirSlot(t, &t.own.set_state)},
        {"getState", ourSlot(&IComponent::getState), theirSlot(t, &t.own.get_state)},
    });
}

TEST(SlotOrder, AudioProcessorAndContextRequirements)
{
    static const Table<v3_audio_processor> t{};
    static const Table<v3_process_context_requirements> r{};
    expectSlots({
        {"setBusArrangements", ourSlot(&IAudioProcessor::setBusArrangements),
         theirSlot(t, &t.own.set_bus_arrangements)},
        {"getBusArrangement", ourSlot(&IAudioProcessor::getBusArrangement),
         theirSlot(t, &t.own.get_bus_arrangement)},
        {"canProcessSampleSize", ourSlot(&IAudioProcessor::canProcessSampleSize),
         theirSlot(t, &t.own.can_process_sample_size)},
        {"getLatencySamples", ourSlot(&IAudioProcessor::getLatencySamples),
         theirSlot(t, &t.own.get_latency_samples)},
        {"setupProcessing", ourSlot(&IAudioProcessor::setupProcessing),
         theirSlot(t, &t.own.setup_processing)},
        {"setProcessing", ourSlot(&IAudioProcessor::setProcessing), theirSlot(t, &t.own.set_processing)},
        {"process", ourSlot(&IAudioProcessor::process), theirSlot(t, &t.own.process)},
        {"getTailSamples", ourSlot(&IAudioProcessor::getTailSamples), theirSlot(t, &t.own.get_tail_samples)},
        {"getProcessContextRequirements",
         ourSlot(&IProcessContextRequirements::getProcessContextRequirements),
         theirSlot(r, &r.own.get_process_context_requirements)},
    });
}

TEST(SlotOrder, ConnectionMessagesAndAttributes)
{
    static const Table<v3_connection_point> c{};
    static const Table<v3_message> m{};
    static const Table<v3_attribute_list> a{};
    expectSlots({
        {"connect", ourSlot(&IConnectionPoint::connect), theirSlot(c, &c.own.connect)},
        {"disconnect", ourSlot(&IConnectionPoint::disconnect), theirSlot(c, &c.own.disconnect)},
        {"notify", ourSlot(&IConnectionPoint::notify), theirSlot(c, &c.own.notify)},
        {"getMessageID", ourSlot(&IMessage::getMessageID), theirSlot(m, &m.own.get_message_id)},
        {"setMessageID", ourSlot(&IMessage::setMessageID), theirSlot(m, &m.own.set_message_id)},
        {"getAttributes", ourSlot(&IMessage::getAttributes), theirSlot(m, &m.own.get_attributes)},
        {"setInt", ourSlot(&IAttributeList::setInt), theirSlot(a, &a.own.set_int)},
        {"getInt", ourSlot(&IAttributeList::getInt), theirSlot(a, &a.own.get_int)},
        {"setFloat", ourSlot(&IAttributeList::setFloat), theirSlot(a, &a.own.set_float)},
        {"getFloat", ourSlot(&IAttributeList::getFloat), theirSlot(a, &a.own.get_float)},
        {"setString", ourSlot(&IAttributeList::setString), theirSlot(a, &a.own.set_string)},
        {"getString", ourSlot(&IAttributeList::getString), theirSlot(a, &a.own.get_string)},
        {"setBinary", ourSlot(&IAttributeList::setBinary), theirSlot(a, &a.own.set_binary)},
        {"getBinary", ourSlot(&IAttributeList::getBinary), theirSlot(a, &a.own.get_binary)},
    });
}

TEST(SlotOrder, EditControllers)
{
    static const struct {
        v3_funknown unknown;
        v3_plugin_base base;
        v3_edit_controller own;
    } t{};
    static const Table<EditController2Slots> t2{};
    expectSlots({
        {"initialize", ourSlot(&IEditController::initialize), theirSlot(t, &t.base.initialize)},
        {"terminate", ourSlot(&IEditController::terminate), theirSlot(t, &t.base.terminate)},
        {"setComponentState", ourSlot(&IEditController::setComponentState),
         theirSlot(t, &t.own.set_component_state)},
        {"setState", ourSlot(&IEditController::setState), theirSlot(t, &t.own.set_state)},
        {"getState", ourSlot(&IEditController::getState), theirSlot(t, &t.own.get_state)},
        {"getParameterCount", ourSlot(&IEditController::getParameterCount),
         theirSlot(t, &t.own.get_parameter_count)},
        {"getParameterInfo", ourSlot(&IEditController::getParameterInfo),
         theirSlot(t, &t.own.get_parameter_info)},
        {"getParamStringByValue", ourSlot(&IEditController::getParamStringByValue),
         theirSlot(t, &t.own.get_parameter_string_for_value)},
        {"getParamValueByString", ourSlot(&IEditController::getParamValueByString),
         theirSlot(t, &t.own.get_parameter_value_for_string)},
        {"normalizedParamToPlain", ourSlot(&IEditController::normalizedParamToPlain),
         theirSlot(t, &t.own.normalised_parameter_to_plain)},
        {"plainParamToNormalized", ourSlot(&IEditController::plainParamToNormalized),
         theirSlot(t, &t.own.plain_parameter_to_normalised)},
        {"getParamNormalized", ourSlot(&IEditController::getParamNormalized),
         theirSlot(t, &t.own.get_parameter_normalised)},
        {"setParamNormalized", ourSlot(&IEditController::setParamNormalized),
         theirSlot(t, &t.own.set_parameter_normalised)},
        {"setComponentHandler", ourSlot(&IEditController::setComponentHandler),
         theirSlot(t, &t.own.set_component_handler)},
        {"createView", ourSlot(&IEditController::createView), theirSlot(t, &t.own.create_view)},
        {"setKnobMode", ourSlot(&IEditController2::setKnobMode), theirSlot(t2, &t2.own.set_knob_mode)},
        {"openHelp", ourSlot(&IEditController2::openHelp), theirSlot(t2, &t2.own.open_help)},
        {"openAboutBox", ourSlot(&IEditController2::openAboutBox), theirSlot(t2, &t2.own.open_about_box)},
    });
}

TEST(SlotOrder, HostSideObjects)
{
    static const Table<v3_component_handler> h{};
    static const Table<v3_bstream> s{};
    static const Table<v3_param_value_queue> q{};
    static const Table<v3_param_changes> p{};
    static const Table<v3_event_list> e{};
    static const Table<v3_host_application> a{};
    expectSlots({
        {"beginEdit", ourSlot(&IComponentHandler::beginEdit), theirSlot(h, &h.own.begin_edit)},
        {"performEdit", ourSlot(&IComponentHandler::performEdit), theirSlot(h, &h.own.perform_edit)},
        {"endEdit", ourSlot(&IComponentHandler::endEdit), theirSlot(h, &h.own.end_edit)},
        {"restartComponent", ourSlot(&IComponentHandler::restartComponent),
         theirSlot(h, &h.own.restart_component)},
        {"read", ourSlot(&IBStream::read), theirSlot(s, &s.own.read)},
        {"write", ourSlot(&IBStream::write), theirSlot(s, &s.own.write)},
        {"seek", ourSlot(&IBStream::seek), theirSlot(s, &s.own.seek)},
        {"tell", ourSlot(&IBStream::tell), theirSlot(s, &s.own.tell)},
        {"getParameterId", ourSlot(&IParamValueQueue::getParameterId), theirSlot(q, &q.own.get_param_id)},
        {"getPointCount", ourSlot(&IParamValueQueue::getPointCount), theirSlot(q, &q.own.get_point_count)},
        {"getPoint", ourSlot(&IParamValueQueue::getPoint), theirSlot(q, &q.own.get_point)},
        {"addPoint", ourSlot(&IParamValueQueue::addPoint), theirSlot(q, &q.own.add_point)},
        {"getParameterCount", ourSlot(&IParameterChanges::getParameterCount),
         theirSlot(p, &p.own.get_param_count)},
        {"getParameterData", ourSlot(&IParameterChanges::getParameterData),
         theirSlot(p, &p.own.get_param_data)},
        {"addParameterData", ourSlot(&IParameterChanges::addParameterData),
         theirSlot(p, &p.own.add_param_data)},
        {"getEventCount", ourSlot(&IEventList::getEventCount), theirSlot(e, &e.own.get_event_count)},
        {"getEvent", ourSlot(&IEventList::getEvent), theirSlot(e, &e.own.get_event)},
        {"addEvent", ourSlot(&IEventList::addEvent), theirSlot(e, &e.own.add_event)},
        {"getName", ourSlot(&IHostApplication::getName), theirSlot(a, &a.own.get_name)},
        {"createInstance", ourSlot(&IHostApplication::createInstance), theirSlot(a, &a.own.create_instance)},
    });
}

TEST(SlotOrder, EditorViewAndLinuxRunLoop)
{
    static const Table<v3_plugin_view> v{};
    static const Table<v3_plugin_frame> f{};
    static const Table<v3_plugin_view_content_scale> c{};
    static const Table<v3_event_handler> e{};
    static const Table<v3_timer_handler> t{};
    static const Table<v3_run_loop> r{};
    expectSlots({
        {"isPlatformTypeSupported", ourSlot(&IPlugView::isPlatformTypeSupported),
         theirSlot(v, &v.own.is_platform_type_supported)},
        {"attached", ourSlot(&IPlugView::attached), theirSlot(v, &v.own.attached)},
        {"removed", ourSlot(&IPlugView::removed), theirSlot(v, &v.own.removed)},
        {"onWheel", ourSlot(&IPlugView::onWheel), theirSlot(v, &v.own.on_wheel)},
        {"onKeyDown", ourSlot(&IPlugView::onKeyDown), theirSlot(v, &v.own.on_key_down)},
        {"onKeyUp", ourSlot(&IPlugView::onKeyUp), theirSlot(v, &v.own.on_key_up)},
        {"getSize", ourSlot(&IPlugView::getSize), theirSlot(v, &v.own.get_size)},
        {"onSize", ourSlot(&IPlugView::onSize), theirSlot(v, &v.own.on_size)},
        {"onFocus", ourSlot(&IPlugView::onFocus), theirSlot(v, &v.own.on_focus)},
        {"setFrame", ourSlot(&IPlugView::setFrame), theirSlot(v, &v.own.set_frame)},
        {"canResize", ourSlot(&IPlugView::canResize), theirSlot(v, &v.own.can_resize)},
        {"checkSizeConstraint", ourSlot(&IPlugView::checkSizeConstraint),
         theirSlot(v, &v.own.check_size_constraint)},
        {"resizeView", ourSlot(&IPlugFrame::resizeView), theirSlot(f, &f.own.resize_view)},
        {"setContentScaleFactor", ourSlot(&IPlugViewContentScaleSupport::setContentScaleFactor),
         theirSlot(c, &c.own.set_content_scale_factor)},
        {"onFDIsSet", ourSlot(&Linux::IEventHandler::onFDIsSet), theirSlot(e, &e.own.on_fd_is_set)},
        {"onTimer", ourSlot(&Linux::ITimerHandler::onTimer), theirSlot(t, &t.own.on_timer)},
        {"registerEventHandler", ourSlot(&Linux::IRunLoop::registerEventHandler),
         theirSlot(r, &r.own.register_event_handler)},
        {"unregisterEventHandler", ourSlot(&Linux::IRunLoop::unregisterEventHandler),
         theirSlot(r, &r.own.unregister_event_handler)},
        {"registerTimer", ourSlot(&Linux::IRunLoop::registerTimer), theirSlot(r, &r.own.register_timer)},
        {"unregisterTimer", ourSlot(&Linux::IRunLoop::unregisterTimer),
         theirSlot(r, &r.own.unregister_timer)},
    });
}

// Interfaces hold nothing but their table pointer.
TEST(SlotOrder, InterfacesCarryNoData)
{
    const std::size_t sizes[] = {sizeof(FUnknown),         sizeof(IPluginBase),
                                 sizeof(IPluginFactory3),  sizeof(IComponent),
                                 sizeof(IAudioProcessor),  sizeof(IEditController),
                                 sizeof(IEditController2), sizeof(IComponentHandler),
                                 sizeof(IBStream),         sizeof(IParameterChanges),
                                 sizeof(IParamValueQueue), sizeof(IHostApplication),
                                 sizeof(IConnectionPoint), sizeof(IPlugView),
                                 sizeof(Linux::IRunLoop),  sizeof(IPlugViewContentScaleSupport)};
    for (const std::size_t size : sizes)
        EXPECT_EQ(size, sizeof(void*));
}

}  // namespace
