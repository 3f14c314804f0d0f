// Parameter ids shared by the processor, the controller and the state record.
#pragma once

#include "sdk/vst3/interfaces/types.h"

namespace Steinberg::Vst {

enum : ParamID {
    kParamBypass = 0,
    kParamLevel = 1,
    kParamMix = 2,
    kParamPredelay = 3,
    kParamRvbTime = 4,
    kParamDiffusion = 5,
    kParamLPCut = 6,
    // Id 7 is unused and must stay so: saved projects and automation refer to these numbers.
    kParamSlope = 8,
};

// Positions of the parameters in PlugState::values.
enum PlugValueIndex : int32 {
    kValueLevel = 0,
    kValueMix,
    kValuePredelay,
    kValueRvbTime,
    kValueDiffusion,
    kValueLPCut,
    kValueSlope,
    kNumUsedValues,
};

// The values entry that holds a parameter, or -1 for Bypass and unknown ids.
constexpr int32 valueIndexForParam(ParamID id)
{
    switch (id) {
        case kParamLevel:
            return kValueLevel;
        case kParamMix:
            return kValueMix;
        case kParamPredelay:
            return kValuePredelay;
        case kParamRvbTime:
            return kValueRvbTime;
        case kParamDiffusion:
            return kValueDiffusion;
        case kParamLPCut:
            return kValueLPCut;
        case kParamSlope:
            return kValueSlope;
        default:
            return -1;
    }
}

}  // namespace Steinberg::Vst
