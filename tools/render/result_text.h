// Names of VST 3 result codes, for error messages.
#pragma once

#include <string>

#include "sdk/vst3/interfaces/types.h"

namespace morvik::render {

inline std::string resultText(Steinberg::tresult result)
{
    switch (result) {
    case Steinberg::kNoInterface: return "kNoInterface";
    case Steinberg::kResultOk: return "kResultOk";
    case Steinberg::kResultFalse: return "kResultFalse";
    case Steinberg::kInvalidArgument: return "kInvalidArgument";
    case Steinberg::kNotImplemented: return "kNotImplemented";
    case Steinberg::kInternalError: return "kInternalError";
    case Steinberg::kNotInitialized: return "kNotInitialized";
    case Steinberg::kOutOfMemory: return "kOutOfMemory";
    default: return "result " + std::to_string(result);
    }
}

}  // namespace morvik::render
