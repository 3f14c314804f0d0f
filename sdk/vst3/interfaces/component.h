// The processing component as the host sees it: buses, activation, state.
#pragma once

#include "sdk/vst3/interfaces/bstream.h"
#include "sdk/vst3/interfaces/pluginbase.h"

namespace Steinberg::Vst {

enum MediaTypes : MediaType { kAudio = 0, kEvent, kNumMediaTypes };
enum BusDirections : BusDirection { kInput = 0, kOutput };
enum BusTypes : BusType { kMain = 0, kAux };
enum IoModes : IoMode { kSimple = 0, kAdvanced, kOfflineProcessing };

struct BusInfo {
    enum BusFlags : uint32 {
        kDefaultActive = 1 << 0,
        kIsControlVoltage = 1 << 1,
    };

    MediaType mediaType;
    BusDirection direction;
    int32 channelCount;
    String128 name;
    BusType busType;
    uint32 flags;
};

struct RoutingInfo {
    MediaType mediaType;
    int32 busIndex;
    int32 channel;
};

class IComponent : public IPluginBase {
public:
    virtual tresult getControllerClassId(TUID classId) = 0;
    virtual tresult setIoMode(IoMode mode) = 0;
    virtual int32 getBusCount(MediaType type, BusDirection dir) = 0;
    virtual tresult getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus) = 0;
    virtual tresult getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) = 0;
    virtual tresult activateBus(MediaType type, BusDirection dir, int32 index, TBool state) = 0;
    virtual tresult setActive(TBool state) = 0;
    virtual tresult setState(IBStream* state) = 0;
    virtual tresult getState(IBStream* state) = 0;

    static constexpr FUID iid{0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802};
};

}  // namespace Steinberg::Vst
