// Mock plug-in objects, for testing the host library without a module.
#pragma once

#include <gmock/gmock.h>

#include "sdk/vst3/interfaces/all.h"

namespace morvik::testing {

// Reference counting is left to NiceMock defaults: these mocks live on the stack.
class MockAudioProcessor : public Steinberg::Vst::IAudioProcessor {
public:
    MOCK_METHOD(Steinberg::tresult, queryInterface, (const Steinberg::TUID, void**), (override));
    MOCK_METHOD(Steinberg::uint32, addRef, (), (override));
    MOCK_METHOD(Steinberg::uint32, release, (), (override));
    MOCK_METHOD(Steinberg::tresult, setBusArrangements,
                (Steinberg::Vst::SpeakerArrangement*, Steinberg::int32, Steinberg::Vst::SpeakerArrangement*,
                 Steinberg::int32),
                (override));
    MOCK_METHOD(Steinberg::tresult, getBusArrangement,
                (Steinberg::Vst::BusDirection, Steinberg::int32, Steinberg::Vst::SpeakerArrangement&),
                (override));
    MOCK_METHOD(Steinberg::tresult, canProcessSampleSize, (Steinberg::int32), (override));
    MOCK_METHOD(Steinberg::uint32, getLatencySamples, (), (override));
    MOCK_METHOD(Steinberg::tresult, setupProcessing, (Steinberg::Vst::ProcessSetup&), (override));
    MOCK_METHOD(Steinberg::tresult, setProcessing, (Steinberg::TBool), (override));
    MOCK_METHOD(Steinberg::tresult, process, (Steinberg::Vst::ProcessData&), (override));
    MOCK_METHOD(Steinberg::uint32, getTailSamples, (), (override));
};

class MockComponent : public Steinberg::Vst::IComponent {
public:
    MOCK_METHOD(Steinberg::tresult, queryInterface, (const Steinberg::TUID, void**), (override));
    MOCK_METHOD(Steinberg::uint32, addRef, (), (override));
    MOCK_METHOD(Steinberg::uint32, release, (), (override));
    MOCK_METHOD(Steinberg::tresult, initialize, (Steinberg::FUnknown*), (override));
    MOCK_METHOD(Steinberg::tresult, terminate, (), (override));
    MOCK_METHOD(Steinberg::tresult, getControllerClassId, (Steinberg::TUID), (override));
    MOCK_METHOD(Steinberg::tresult, setIoMode, (Steinberg::Vst::IoMode), (override));
    MOCK_METHOD(Steinberg::int32, getBusCount, (Steinberg::Vst::MediaType, Steinberg::Vst::BusDirection),
                (override));
    MOCK_METHOD(Steinberg::tresult, getBusInfo,
                (Steinberg::Vst::MediaType, Steinberg::Vst::BusDirection, Steinberg::int32,
                 Steinberg::Vst::BusInfo&),
                (override));
    MOCK_METHOD(Steinberg::tresult, getRoutingInfo,
                (Steinberg::Vst::RoutingInfo&, Steinberg::Vst::RoutingInfo&), (override));
    MOCK_METHOD(Steinberg::tresult, activateBus,
                (Steinberg::Vst::MediaType, Steinberg::Vst::BusDirection, Steinberg::int32, Steinberg::TBool),
                (override));
    MOCK_METHOD(Steinberg::tresult, setActive, (Steinberg::TBool), (override));
    MOCK_METHOD(Steinberg::tresult, setState, (Steinberg::IBStream*), (override));
    MOCK_METHOD(Steinberg::tresult, getState, (Steinberg::IBStream*), (override));
};

class MockPluginFactory : public Steinberg::IPluginFactory3 {
public:
    MOCK_METHOD(Steinberg::tresult, queryInterface, (const Steinberg::TUID, void**), (override));
    MOCK_METHOD(Steinberg::uint32, addRef, (), (override));
    MOCK_METHOD(Steinberg::uint32, release, (), (override));
    MOCK_METHOD(Steinberg::tresult, getFactoryInfo, (Steinberg::PFactoryInfo*), (override));
    MOCK_METHOD(Steinberg::int32, countClasses, (), (override));
    MOCK_METHOD(Steinberg::tresult, getClassInfo, (Steinberg::int32, Steinberg::PClassInfo*), (override));
    MOCK_METHOD(Steinberg::tresult, createInstance, (Steinberg::FIDString, Steinberg::FIDString, void**),
                (override));
    MOCK_METHOD(Steinberg::tresult, getClassInfo2, (Steinberg::int32, Steinberg::PClassInfo2*), (override));
    MOCK_METHOD(Steinberg::tresult, getClassInfoUnicode, (Steinberg::int32, Steinberg::PClassInfoW*),
                (override));
    MOCK_METHOD(Steinberg::tresult, setHostContext, (Steinberg::FUnknown*), (override));
};

}  // namespace morvik::testing
