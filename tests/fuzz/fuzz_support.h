// What the fuzz targets share: a failed expectation stops the run with a report
// that libFuzzer keeps, together with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "source/processor/parameterids.h"

namespace morvik::testing {

inline void require(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz expectation failed: %s\n", what);
    std::abort();
}

// The controller's parameters, in the order it registers them.
inline constexpr Steinberg::Vst::ParamID kParameterIds[] = {
    Steinberg::Vst::kParamBypass,  Steinberg::Vst::kParamLevel,     Steinberg::Vst::kParamMix,
    Steinberg::Vst::kParamPredelay, Steinberg::Vst::kParamRvbTime, Steinberg::Vst::kParamDiffusion,
    Steinberg::Vst::kParamLPCut,   Steinberg::Vst::kParamSlope};

}  // namespace morvik::testing
