// The built bundle's objects called through the reference's C function tables.
// Where a value can be had both ways, the C slot must agree with the C++ call
// of the same name: a slot out of place answers for a different method.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "sdk/vst3/interfaces/all.h"
#include "tests/abi/travesty.h"
#include "tests/host/bundle_location.h"
#include "tools/host/com_object.h"
#include "tools/host/component_handler.h"
#include "tools/host/factory.h"
#include "tools/host/host_application.h"
#include "tools/host/memory_stream.h"
#include "tools/host/module.h"
#include "tools/host/parameter_changes.h"
#include "tools/host/text.h"

namespace {
using namespace Steinberg;
using namespace morvik::host;
using morvik::testing::asC;
using morvik::testing::tableOf;

std::string utf8Of(const int16_t* text, std::size_t length)
{
    std::u16string wide(length, u'\0');
    std::memcpy(wide.data(), text, length * sizeof(char16_t));
    return toUtf8(wide.c_str(), length);
}

// A connection peer for the processor to hold.
class Peer : public ComObject<Vst::IConnectionPoint> {
public:
    tresult connect(Vst::IConnectionPoint*) override { return kResultOk; }
    tresult disconnect(Vst::IConnectionPoint*) override { return kResultOk; }
    tresult notify(Vst::IMessage*) override { return kResultOk; }
};

class BundleTables : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        module = Module::load(morvik::testing::bundleUnderTest(), error);
        ASSERT_TRUE(module) << error;
        factory = &module->factory();
        const auto processorId = findClass(*factory, kAudioEffectClass);
        const auto controllerId = findClass(*factory, kComponentControllerClass);
        ASSERT_TRUE(processorId && controllerId);
        processorClass = *processorId;
        controllerClass = *controllerId;
    }

    // An object of `cid` created through the factory's C slot.
    void* createThroughTable(const FUID& cid, const v3_tuid iid)
    {
        void* object = nullptr;
        const auto* classId = reinterpret_cast<const uint8_t*>(cid.toTUID());
        const auto result =
            tableOf<v3_plugin_factory_cpp>(factory).v1.create_instance(factory, classId, iid, &object);
        return result == V3_OK ? object : nullptr;
    }

    void* queryThroughTable(void* object, const v3_tuid iid)
    {
        void* answer = nullptr;
        return tableOf<v3_funknown>(object).query_interface(object, iid, &answer) == V3_OK ? answer : nullptr;
    }

    static uint32_t unref(void* object) { return tableOf<v3_funknown>(object).unref(object); }

    v3_funknown** hostContext()
    {
        return asC<v3_funknown>(static_cast<FUnknown*>(static_cast<Vst::IHostApplication*>(host.get())));
    }

    std::unique_ptr<Module> module;
    IPluginFactory* factory = nullptr;
    FUID processorClass;
    FUID controllerClass;
    IPtr<HostApplication> host = create<HostApplication>();
};

TEST_F(BundleTables, FactoryVersionOne)
{
    const auto& table = tableOf<v3_plugin_factory_cpp>(factory).v1;
    v3_factory_info info{};
    ASSERT_EQ(table.get_factory_info(factory, &info), V3_OK);
    EXPECT_STREQ(info.vendor, "TEKORA Soft");
    EXPECT_EQ(info.flags, 0x10);
    EXPECT_EQ(table.num_classes(factory), factory->countClasses());
    EXPECT_EQ(table.num_classes(factory), 2);

    v3_class_info classInfo{};
    ASSERT_EQ(table.get_class_info(factory, 1, &classInfo), V3_OK);
    EXPECT_STREQ(classInfo.name, "tk MORVIK Gate Controller");
    EXPECT_STREQ(classInfo.category, "Component Controller Class");
    EXPECT_EQ(classInfo.cardinality, 0x7FFFFFFF);
    EXPECT_EQ(std::memcmp(classInfo.class_id, controllerClass.toTUID(), 16), 0);

    void* processor = createThroughTable(processorClass, v3_component_iid);
    ASSERT_NE(processor, nullptr);
    EXPECT_EQ(unref(processor), 0u) << "a created object carries exactly the caller's reference";
}

TEST_F(BundleTables, FactoryVersionsTwoAndThree)
{
    void* factory2 = queryThroughTable(factory, v3_plugin_factory_2_iid);
    ASSERT_NE(factory2, nullptr);
    v3_class_info_2 info2{};
    ASSERT_EQ(tableOf<v3_plugin_factory_cpp>(factory2).v2.get_class_info_2(factory2, 0, &info2), V3_OK);
    EXPECT_STREQ(info2.name, "tk MORVIK Gate");
    EXPECT_STREQ(info2.sub_categories, "Fx|Reverb");
    EXPECT_EQ(info2.class_flags, static_cast<uint32_t>(V3_DISTRIBUTABLE));
    EXPECT_STREQ(info2.version, "1.1.0.1");
    EXPECT_STREQ(info2.sdk_version, "VST 3.7.3");
    unref(factory2);

    void* factory3 = queryThroughTable(factory, v3_plugin_factory_3_iid);
    ASSERT_NE(factory3, nullptr);
    const auto& table3 = tableOf<v3_plugin_factory_cpp>(factory3);
    v3_class_info_3 info3{};
    ASSERT_EQ(table3.v3.get_class_info_utf16(factory3, 1, &info3), V3_OK);
    EXPECT_EQ(utf8Of(info3.name, 64), "tk MORVIK Gate Controller");
    EXPECT_EQ(utf8Of(info3.version, 64), "1.1.0.1");
    EXPECT_STREQ(info3.category, "Component Controller Class");
    // The earlier slots stay in place in the newest table.
    EXPECT_EQ(table3.v1.num_classes(factory3), 2);
    v3_class_info_2 viaThree{};
    EXPECT_EQ(table3.v2.get_class_info_2(factory3, 1, &viaThree), V3_OK);
    EXPECT_STREQ(viaThree.name, "tk MORVIK Gate Controller");

    const auto result = table3.v3.set_host_context(factory3, hostContext());
    EXPECT_EQ(result, queryInterfacePtr<IPluginFactory3>(factory)->setHostContext(host.get()));
    unref(factory3);
}

// The processor through the component, audio processor, context requirements
// and connection point tables.
class ProcessorTables : public BundleTables {
protected:
    void SetUp() override
    {
        BundleTables::SetUp();
        if (HasFatalFailure())
            return;
        component = createThroughTable(processorClass, v3_component_iid);
        ASSERT_NE(component, nullptr);
        processor = queryThroughTable(component, v3_audio_processor_iid);
        ASSERT_NE(processor, nullptr);
        cppComponent = static_cast<Vst::IComponent*>(component);
        cppProcessor = static_cast<Vst::IAudioProcessor*>(processor);
    }

    void TearDown() override
    {
        if (processor)
            unref(processor);
        if (component) {
            EXPECT_EQ(unref(component), 0u);
        }
    }

    const v3_component& componentTable() { return tableOf<v3_component_cpp>(component).comp; }
    const v3_plugin_base& baseTable() { return tableOf<v3_component_cpp>(component).base; }
    const v3_audio_processor& processorTable() { return tableOf<v3_audio_processor_cpp>(processor).proc; }

    void* component = nullptr;
    void* processor = nullptr;
    Vst::IComponent* cppComponent = nullptr;
    Vst::IAudioProcessor* cppProcessor = nullptr;
};

TEST_F(ProcessorTables, AnswersItsInterfacesAndNoOthers)
{
    for (const uint8_t* iid : {v3_funknown_iid, v3_plugin_base_iid, v3_component_iid, v3_audio_processor_iid,
                               v3_process_context_requirements_iid, v3_connection_point_iid}) {
        void* answer = queryThroughTable(component, iid);
        EXPECT_NE(answer, nullptr);
        if (answer)
            unref(answer);
    }
    void* answer = component;
    EXPECT_EQ(tableOf<v3_funknown>(component).query_interface(component, v3_edit_controller_iid, &answer),
              V3_NO_INTERFACE);
    EXPECT_EQ(answer, nullptr);
    const uint32_t count = tableOf<v3_funknown>(component).ref(component);
    EXPECT_EQ(unref(component), count - 1);
}

TEST_F(ProcessorTables, ComponentSlots)
{
    ASSERT_EQ(baseTable().initialize(component, hostContext()), V3_OK);
    EXPECT_EQ(baseTable().initialize(component, hostContext()), V3_FALSE) << "a second initialize";

    v3_tuid controllerId{};
    ASSERT_EQ(componentTable().get_controller_class_id(component, controllerId), V3_OK);
    EXPECT_EQ(std::memcmp(controllerId, controllerClass.toTUID(), 16), 0);
    EXPECT_EQ(componentTable().set_io_mode(component, V3_SIMPLE), cppComponent->setIoMode(Vst::kSimple));

    EXPECT_EQ(componentTable().get_bus_count(component, V3_AUDIO, V3_INPUT), 1);
    EXPECT_EQ(componentTable().get_bus_count(component, V3_AUDIO, V3_OUTPUT), 1);
    EXPECT_EQ(componentTable().get_bus_count(component, V3_EVENT, V3_INPUT), 0);
    for (const auto& [direction, name] :
         {std::pair{V3_INPUT, "AudioInput"}, std::pair{V3_OUTPUT, "AudioOutput"}}) {
        v3_bus_info bus{};
        ASSERT_EQ(componentTable().get_bus_info(component, V3_AUDIO, direction, 0, &bus), V3_OK);
        EXPECT_EQ(bus.media_type, V3_AUDIO);
        EXPECT_EQ(bus.direction, direction);
        EXPECT_EQ(bus.channel_count, 2);
        EXPECT_EQ(utf8Of(bus.bus_name, 128), name);
        EXPECT_EQ(bus.bus_type, V3_MAIN);
        EXPECT_EQ(bus.flags, static_cast<uint32_t>(V3_DEFAULT_ACTIVE));
    }
    v3_bus_info missing{};
    EXPECT_NE(componentTable().get_bus_info(component, V3_AUDIO, V3_INPUT, 1, &missing), V3_OK);

    v3_routing_info in{}, out{};
    Vst::RoutingInfo cppIn{}, cppOut{};
    EXPECT_EQ(componentTable().get_routing_info(component, &in, &out),
              cppComponent->getRoutingInfo(cppIn, cppOut));
    EXPECT_EQ(componentTable().activate_bus(component, V3_AUDIO, V3_INPUT, 0, 1), V3_OK);

    auto saved = create<MemoryStream>();
    ASSERT_EQ(componentTable().get_state(component, asC<v3_bstream>(static_cast<IBStream*>(saved.get()))),
              V3_OK);
    EXPECT_FALSE(saved->bytes().empty());
    saved->rewind();
    EXPECT_EQ(componentTable().set_state(component, asC<v3_bstream>(static_cast<IBStream*>(saved.get()))),
              V3_OK);
    EXPECT_NE(componentTable().set_state(component, nullptr), V3_OK);

    EXPECT_EQ(componentTable().set_active(component, 1), V3_OK);
    EXPECT_EQ(componentTable().set_active(component, 0), V3_OK);
    EXPECT_EQ(baseTable().terminate(component), V3_OK);
}

TEST_F(ProcessorTables, AudioProcessorSlots)
{
    ASSERT_EQ(baseTable().initialize(component, hostContext()), V3_OK);
    v3_speaker_arrangement stereo = V3_SPEAKER_L | V3_SPEAKER_R;
    v3_speaker_arrangement mono = V3_SPEAKER_M;
    EXPECT_EQ(processorTable().set_bus_arrangements(processor, &stereo, 1, &stereo, 1), V3_OK);
    EXPECT_EQ(processorTable().set_bus_arrangements(processor, &mono, 1, &stereo, 1), V3_FALSE);
    v3_speaker_arrangement arrangement = 0;
    ASSERT_EQ(processorTable().get_bus_arrangement(processor, V3_OUTPUT, 0, &arrangement), V3_OK);
    EXPECT_EQ(arrangement, stereo);

    EXPECT_EQ(processorTable().can_process_sample_size(processor, V3_SAMPLE_32), V3_OK);
    EXPECT_EQ(processorTable().can_process_sample_size(processor, V3_SAMPLE_64), V3_OK);
    EXPECT_EQ(processorTable().can_process_sample_size(processor, 2), V3_FALSE);
    EXPECT_EQ(processorTable().get_latency_samples(processor), cppProcessor->getLatencySamples());

    v3_process_setup setup{V3_REALTIME, V3_SAMPLE_32, 256, 44100.0};
    ASSERT_EQ(processorTable().setup_processing(processor, &setup), V3_OK);
    ASSERT_EQ(componentTable().set_active(component, 1), V3_OK);
    EXPECT_EQ(processorTable().set_processing(processor, 1), cppProcessor->setProcessing(1));
    EXPECT_EQ(processorTable().get_tail_samples(processor), cppProcessor->getTailSamples());

    v3_process_data empty{};
    empty.symbolic_sample_size = V3_SAMPLE_32;
    EXPECT_EQ(processorTable().process(processor, &empty), V3_OK) << "a block without buses or samples";

    componentTable().set_active(component, 0);
    baseTable().terminate(component);
}

TEST_F(ProcessorTables, ProcessContextRequirementsSlot)
{
    void* requirements = queryThroughTable(component, v3_process_context_requirements_iid);
    ASSERT_NE(requirements, nullptr);
    EXPECT_EQ(tableOf<v3_process_context_requirements_cpp>(requirements)
                  .req.get_process_context_requirements(requirements),
              static_cast<Vst::IProcessContextRequirements*>(requirements)->getProcessContextRequirements());
    unref(requirements);
}

TEST_F(ProcessorTables, ConnectionPointSlots)
{
    void* point = queryThroughTable(component, v3_connection_point_iid);
    ASSERT_NE(point, nullptr);
    const auto& table = tableOf<v3_connection_point_cpp>(point).point;
    auto peer = create<Peer>();
    auto** peerAsC = asC<v3_connection_point>(static_cast<Vst::IConnectionPoint*>(peer.get()));

    EXPECT_NE(table.connect(point, nullptr), V3_OK);
    EXPECT_EQ(table.connect(point, peerAsC), V3_OK);
    EXPECT_NE(table.notify(point, nullptr), V3_OK);
    EXPECT_EQ(table.disconnect(point, peerAsC), V3_OK);
    unref(point);
    EXPECT_EQ(peer->addRef(), 2u) << "the processor must let go of its peer";
    peer->release();
}

// Bypass copies input to output, which shows the plug-in reads the block record,
// its buses and its parameter changes where the reference puts them.
template <class Sample>
void expectBypassCopiesThroughTheReferenceRecord(const v3_audio_processor& table, void* processor,
                                                 int32_t sampleSize)
{
    constexpr int32_t kSamples = 64;
    std::vector<Sample> inLeft(kSamples), inRight(kSamples), outLeft(kSamples, 0), outRight(kSamples, 0);
    for (int32_t i = 0; i < kSamples; ++i) {
        inLeft[i] = static_cast<Sample>(std::sin(0.1 * i));
        inRight[i] = static_cast<Sample>(0.5 - 0.01 * i);
    }
    Sample* inputs[2] = {inLeft.data(), inRight.data()};
    Sample* outputs[2] = {outLeft.data(), outRight.data()};
    v3_audio_bus_buffers inBus{}, outBus{};
    inBus.num_channels = outBus.num_channels = 2;
    if constexpr (sizeof(Sample) == 4) {
        inBus.channel_buffers_32 = inputs;
        outBus.channel_buffers_32 = outputs;
    } else {
        inBus.channel_buffers_64 = inputs;
        outBus.channel_buffers_64 = outputs;
    }
    auto changes = create<ParameterChanges>();
    ASSERT_TRUE(changes->addChange(0, 0, 1.0));  // Bypass on

    v3_process_data data{};
    data.process_mode = V3_REALTIME;
    data.symbolic_sample_size = sampleSize;
    data.nframes = kSamples;
    data.num_input_buses = 1;
    data.num_output_buses = 1;
    data.inputs = &inBus;
    data.outputs = &outBus;
    data.input_params = asC<v3_param_changes>(static_cast<Vst::IParameterChanges*>(changes.get()));
    ASSERT_EQ(table.process(processor, &data), V3_OK);
    EXPECT_EQ(outLeft, inLeft);
    EXPECT_EQ(outRight, inRight);
}

TEST_F(ProcessorTables, ProcessReadsTheReferenceRecordIn32And64Bit)
{
    ASSERT_EQ(baseTable().initialize(component, hostContext()), V3_OK);
    for (const int32_t sampleSize : {V3_SAMPLE_32, V3_SAMPLE_64}) {
        SCOPED_TRACE(sampleSize == V3_SAMPLE_32 ? "32-bit" : "64-bit");
        v3_process_setup setup{V3_REALTIME, sampleSize, 64, 48000.0};
        ASSERT_EQ(processorTable().setup_processing(processor, &setup), V3_OK);
        ASSERT_EQ(componentTable().set_active(component, 1), V3_OK);
        if (sampleSize == V3_SAMPLE_32)
            expectBypassCopiesThroughTheReferenceRecord<float>(processorTable(), processor, sampleSize);
        else
            expectBypassCopiesThroughTheReferenceRecord<double>(processorTable(), processor, sampleSize);
        ASSERT_EQ(componentTable().set_active(component, 0), V3_OK);
    }
    baseTable().terminate(component);
}

// The controller through the edit controller table, and IEditController2
// through the slots of the ABI notes.
class ControllerTables : public ProcessorTables {
protected:
    void SetUp() override
    {
        ProcessorTables::SetUp();
        if (HasFatalFailure())
            return;
        controller = createThroughTable(controllerClass, v3_edit_controller_iid);
        if (!controller)
            GTEST_SKIP() << "the factory cannot create the controller yet";
        cppController = static_cast<Vst::IEditController*>(controller);
    }

    void TearDown() override
    {
        if (controller) {
            EXPECT_EQ(unref(controller), 0u);
        }
        ProcessorTables::TearDown();
    }

    const v3_edit_controller& table() { return tableOf<v3_edit_controller_cpp>(controller).ctrl; }

    void* controller = nullptr;
    Vst::IEditController* cppController = nullptr;
};

TEST_F(ControllerTables, EditControllerSlots)
{
    ASSERT_EQ(tableOf<v3_edit_controller_cpp>(controller).base.initialize(controller, hostContext()), V3_OK);

    auto state = create<MemoryStream>();
    ASSERT_EQ(cppComponent->getState(state), kResultOk);
    state->rewind();
    auto** stateAsC = asC<v3_bstream>(static_cast<IBStream*>(state.get()));
    EXPECT_EQ(table().set_component_state(controller, stateAsC), V3_OK);
    EXPECT_EQ(table().set_state(controller, stateAsC), cppController->setState(state));
    EXPECT_EQ(table().get_state(controller, stateAsC), cppController->getState(state));

    const int32_t count = table().get_parameter_count(controller);
    EXPECT_EQ(count, cppController->getParameterCount());
    ASSERT_GT(count, 0);
    for (int32_t index = 0; index < count; ++index) {
        SCOPED_TRACE("parameter index " + std::to_string(index));
        v3_param_info info{};
        Vst::ParameterInfo cppInfo{};
        ASSERT_EQ(table().get_parameter_info(controller, index, &info), V3_OK);
        ASSERT_EQ(cppController->getParameterInfo(index, cppInfo), kResultOk);
        EXPECT_EQ(info.param_id, cppInfo.id);
        EXPECT_EQ(std::memcmp(info.title, cppInfo.title, sizeof(info.title)), 0);
        EXPECT_EQ(std::memcmp(info.units, cppInfo.units, sizeof(info.units)), 0);
        EXPECT_EQ(info.step_count, cppInfo.stepCount);
        EXPECT_EQ(info.default_normalised_value, cppInfo.defaultNormalizedValue);
        EXPECT_EQ(info.flags, cppInfo.flags);

        const v3_param_id id = info.param_id;
        v3_str_128 text{};
        String128 cppText{};
        ASSERT_EQ(table().get_parameter_string_for_value(controller, id, 0.3, text), V3_OK);
        ASSERT_EQ(cppController->getParamStringByValue(id, 0.3, cppText), kResultOk);
        EXPECT_EQ(std::memcmp(text, cppText, sizeof(text)), 0);
        double fromText = -1.0;
        Vst::ParamValue cppFromText = -2.0;
        EXPECT_EQ(table().get_parameter_value_for_string(controller, id, text, &fromText),
                  cppController->getParamValueByString(id, cppText, cppFromText));
        EXPECT_EQ(fromText, cppFromText);
        const double plain = table().normalised_parameter_to_plain(controller, id, 0.3);
        EXPECT_EQ(plain, cppController->normalizedParamToPlain(id, 0.3));
        EXPECT_EQ(table().plain_parameter_to_normalised(controller, id, plain),
                  cppController->plainParamToNormalized(id, plain));
        EXPECT_EQ(table().get_parameter_normalised(controller, id), cppController->getParamNormalized(id));
    }

    v3_param_info last{};
    ASSERT_EQ(table().get_parameter_info(controller, count - 1, &last), V3_OK);
    ASSERT_EQ(table().set_parameter_normalised(controller, last.param_id, 1.0), V3_OK);
    EXPECT_EQ(cppController->getParamNormalized(last.param_id), 1.0);

    auto handler = create<RecordingComponentHandler>();
    EXPECT_EQ(table().set_component_handler(
                  controller, asC<v3_component_handler>(static_cast<Vst::IComponentHandler*>(handler.get()))),
              V3_OK);
    EXPECT_EQ(table().create_view(controller, "no such view"), nullptr);
    EXPECT_EQ(table().set_component_handler(controller, nullptr),
              cppController->setComponentHandler(nullptr));
    EXPECT_EQ(tableOf<v3_edit_controller_cpp>(controller).base.terminate(controller), V3_OK);
}

TEST_F(ControllerTables, EditController2Slots)
{
    void* controller2 = nullptr;
    if (cppController->queryInterface(Vst::IEditController2::iid, &controller2) != kResultOk)
        GTEST_SKIP() << "the controller does not offer IEditController2";
    auto* cpp2 = static_cast<Vst::IEditController2*>(controller2);
    const auto& table2 =
        tableOf<morvik::testing::Table<morvik::testing::EditController2Slots>>(controller2).own;
    EXPECT_EQ(table2.set_knob_mode(controller2, Vst::kLinearMode), cpp2->setKnobMode(Vst::kLinearMode));
    EXPECT_EQ(table2.open_help(controller2, 1), cpp2->openHelp(1));
    EXPECT_EQ(table2.open_about_box(controller2, 1), cpp2->openAboutBox(1));
    unref(controller2);
}

}  // namespace
