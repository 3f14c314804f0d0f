// Buses of a component: the description a host reads through getBusInfo(), the
// speaker arrangement of audio buses, and the owning list per media type and direction.
#pragma once

#include <vector>

#include "sdk/vst3/base/fobject.h"
#include "sdk/vst3/interfaces/audioprocessor.h"
#include "sdk/vst3/interfaces/component.h"

namespace Steinberg::Vst {

class Bus : public FClass<"Bus", FObject> {
public:
    // A null name counts as empty; longer names are cut to fit a String128.
    Bus(const TChar* name, BusType busType, int32 flags);

    const TChar* getName() const { return name; }
    void setName(const TChar* newName);
    BusType getBusType() const { return busType; }
    void setBusType(BusType newType) { busType = newType; }
    int32 getFlags() const { return flags; }
    void setFlags(int32 newFlags) { flags = newFlags; }
    bool isActive() const { return active; }
    void setActive(TBool state) { active = state != 0; }

    // Fills what the bus knows: name, bus type, flags and channel count. The
    // media type and direction belong to the list that holds the bus.
    virtual void getInfo(BusInfo& info) const;

private:
    String128 name{};
    BusType busType;
    int32 flags;
    bool active = false;
};

class AudioBus : public FClass<"AudioBus", Bus> {
public:
    AudioBus(const TChar* name, BusType busType, int32 flags, SpeakerArrangement arrangement);

    SpeakerArrangement getArrangement() const { return arrangement; }
    void setArrangement(SpeakerArrangement newArrangement) { arrangement = newArrangement; }

    void getInfo(BusInfo& info) const override;

private:
    SpeakerArrangement arrangement;
};

// The buses of one media type and direction, in the order the host numbers them.
// Holds one reference on each bus.
class BusList {
public:
    BusList(MediaType type, BusDirection direction) : type(type), direction(direction) {}

    MediaType getType() const { return type; }
    BusDirection getDirection() const { return direction; }

    int32 size() const { return static_cast<int32>(buses.size()); }
    bool empty() const { return buses.empty(); }
    // Null when the index is out of range.
    Bus* at(int32 index) const;

    // Takes over the caller's reference on `bus`. False (and the bus released)
    // when the bus is null or memory runs out.
    bool append(IPtr<Bus> bus) noexcept;
    void clear() { buses.clear(); }

    // Fills `info` for the bus at `index`; false when there is none.
    bool getInfo(int32 index, BusInfo& info) const;

private:
    MediaType type;
    BusDirection direction;
    std::vector<IPtr<Bus>> buses;
};

}  // namespace Steinberg::Vst
