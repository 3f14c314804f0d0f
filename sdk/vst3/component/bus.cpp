#include "sdk/vst3/component/bus.h"

#include <algorithm>
#include <iterator>
#include <new>
#include <type_traits>
#include <utility>

namespace Steinberg::Vst {

Bus::Bus(const TChar* name, BusType busType, int32 flags) : busType(busType), flags(flags)
{
    setName(name);
}

void Bus::setName(const TChar* newName)
{
    constexpr int32 capacity = static_cast<int32>(std::extent_v<String128>) - 1;
    int32 length = 0;
    if (newName)
        while (length < capacity && newName[length] != 0)
            ++length;
    std::copy(newName, newName + length, name);
    std::fill(name + length, std::end(name), TChar{0});
}

void Bus::getInfo(BusInfo& info) const
{
    std::copy(std::begin(name), std::end(name), info.name);
    info.busType = busType;
    info.flags = static_cast<uint32>(flags);
    info.channelCount = 0;
}

AudioBus::AudioBus(const TChar* name, BusType busType, int32 flags, SpeakerArrangement arrangement)
    : FClass(name, busType, flags), arrangement(arrangement)
{
}

void AudioBus::getInfo(BusInfo& info) const
{
    Bus::getInfo(info);
    info.channelCount = SpeakerArr::getChannelCount(arrangement);
}

Bus* BusList::at(int32 index) const
{
    if (index < 0 || index >= size())
        return nullptr;
    return buses[static_cast<std::size_t>(index)].get();
}

bool BusList::append(IPtr<Bus> bus) noexcept
{
    if (!bus)
        return false;
    try {
        buses.push_back(std::move(bus));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool BusList::getInfo(int32 index, BusInfo& info) const
{
    const Bus* bus = at(index);
    if (!bus)
        return false;
    info.mediaType = type;
    info.direction = direction;
    bus->getInfo(info);
    return true;
}

}  // namespace Steinberg::Vst
