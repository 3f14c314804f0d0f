// The processing component as the host sees it through IComponent: the
// controller class id and the audio buses. Subclasses add their buses in
// initialize(); terminate() removes them again.
#pragma once

#include "sdk/vst3/component/bus.h"
#include "sdk/vst3/component/componentbase.h"
#include "sdk/vst3/interfaces/component.h"

namespace Steinberg::Vst {

// IPluginBase is a base of both ComponentBase and IComponent. The overriders
// below serve both vtables, and queryInterface answers IPluginBase with
// ComponentBase's, so every path reaches the same initialize()/terminate().
class Component : public FClass<"Component", ComponentBase>, public IComponent {
public:
    Component() = default;

    void setControllerClass(const FUID& controllerClassId) { controllerClass = controllerClassId; }
    void setControllerClass(const TUID controllerClassId)
    {
        controllerClass = FUID::fromTUID(controllerClassId);
    }

    // IPluginBase
    tresult initialize(FUnknown* context) override;
    tresult terminate() override;  // removes all buses, then releases context and peer

    // IComponent
    tresult getControllerClassId(TUID classId) override;
    tresult setIoMode(IoMode mode) override;
    int32 getBusCount(MediaType type, BusDirection dir) override;
    tresult getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus) override;
    tresult getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) override;
    tresult activateBus(MediaType type, BusDirection dir, int32 index, TBool state) override;
    tresult setActive(TBool state) override;
    tresult setState(IBStream* state) override;
    tresult getState(IBStream* state) override;

    // FUnknown
    tresult queryInterface(const TUID iid, void** obj) override;
    uint32 addRef() override { return FObject::addRef(); }
    uint32 release() override { return FObject::release(); }

protected:
    // Each returns the new bus, owned by its list, or null when memory ran out.
    AudioBus* addAudioInput(const TChar* name, SpeakerArrangement arrangement, BusType type = kMain,
                            int32 flags = BusInfo::kDefaultActive) noexcept;
    AudioBus* addAudioOutput(const TChar* name, SpeakerArrangement arrangement, BusType type = kMain,
                             int32 flags = BusInfo::kDefaultActive) noexcept;

    tresult removeAudioBusses();
    tresult removeAllBusses();

    // The list for a media type and direction; null for values we do not carry.
    BusList* getBusList(MediaType type, BusDirection dir);
    const BusList* getBusList(MediaType type, BusDirection dir) const;

    FUID controllerClass;
    BusList audioInputs{kAudio, kInput};
    BusList audioOutputs{kAudio, kOutput};

private:
    static AudioBus* addAudioBus(BusList& list, const TChar* name, SpeakerArrangement arrangement,
                                 BusType type, int32 flags) noexcept;
};

}  // namespace Steinberg::Vst
