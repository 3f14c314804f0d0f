#include "sdk/vst3/component/component.h"

#include <new>

namespace Steinberg::Vst {

tresult Component::initialize(FUnknown* context)
{
    return ComponentBase::initialize(context);
}

tresult Component::terminate()
{
    removeAllBusses();
    return ComponentBase::terminate();
}

tresult Component::getControllerClassId(TUID classId)
{
    if (!classId)
        return kInvalidArgument;
    if (!controllerClass.isValid())
        return kResultFalse;
    controllerClass.toTUID(classId);
    return kResultOk;
}

tresult Component::setIoMode(IoMode /*mode*/)
{
    return kNotImplemented;
}

int32 Component::getBusCount(MediaType type, BusDirection dir)
{
    const BusList* list = getBusList(type, dir);
    return list ? list->size() : 0;
}

tresult Component::getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus)
{
    const BusList* list = getBusList(type, dir);
    if (!list || !list->getInfo(index, bus))
        return kInvalidArgument;
    return kResultOk;
}

tresult Component::getRoutingInfo(RoutingInfo& /*inInfo*/, RoutingInfo& /*outInfo*/)
{
    return kNotImplemented;
}

tresult Component::activateBus(MediaType type, BusDirection dir, int32 index, TBool state)
{
    BusList* list = getBusList(type, dir);
    Bus* bus = list ? list->at(index) : nullptr;
    if (!bus)
        return kInvalidArgument;
    bus->setActive(state);
    return kResultOk;
}

tresult Component::setActive(TBool /*state*/)
{
    return kResultOk;
}

tresult Component::setState(IBStream* /*state*/)
{
    return kNotImplemented;
}

tresult Component::getState(IBStream* /*state*/)
{
    return kNotImplemented;
}

tresult Component::queryInterface(const TUID iid, void** obj)
{
    if (queryOwnInterface<IComponent>(iid, obj, this))
        return kResultOk;
    return ComponentBase::queryInterface(iid, obj);
}

AudioBus* Component::addAudioInput(const TChar* name, SpeakerArrangement arrangement, BusType type,
                                   int32 flags) noexcept
{
    return addAudioBus(audioInputs, name, arrangement, type, flags);
}

AudioBus* Component::addAudioOutput(const TChar* name, SpeakerArrangement arrangement, BusType type,
                                    int32 flags) noexcept
{
    return addAudioBus(audioOutputs, name, arrangement, type, flags);
}

AudioBus* Component::addAudioBus(BusList& list, const TChar* name, SpeakerArrangement arrangement,
                                 BusType type, int32 flags) noexcept
{
    auto* bus = new (std::nothrow) AudioBus(name, type, flags, arrangement);
    if (!bus)
        return nullptr;
    if (!list.append(owned<Bus>(bus)))
        return nullptr;
    return bus;
}

tresult Component::removeAudioBusses()
{
    audioInputs.clear();
    audioOutputs.clear();
    return kResultOk;
}

tresult Component::removeAllBusses()
{
    return removeAudioBusses();
}

BusList* Component::getBusList(MediaType type, BusDirection dir)
{
    return const_cast<BusList*>(static_cast<const Component*>(this)->getBusList(type, dir));
}

const BusList* Component::getBusList(MediaType type, BusDirection dir) const
{
    if (type != kAudio)
        return nullptr;
    if (dir == kInput)
        return &audioInputs;
    if (dir == kOutput)
        return &audioOutputs;
    return nullptr;
}

}  // namespace Steinberg::Vst
