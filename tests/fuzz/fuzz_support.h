// What the fuzz targets share: a failed expectation stops the run with a report
// that libFuzzer keeps, together with the input that caused it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "source/processor/parametertable.h"

namespace morvik::testing {

inline void require(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz expectation failed: %s\n", what);
    std::abort();
}

// The controller's parameters, in the order it registers them.
inline constexpr auto kParameterIds = [] {
    std::array<Steinberg::Vst::ParamID, Steinberg::Vst::kParameterCount> ids{};
    for (std::size_t i = 0; i < ids.size(); ++i)
        ids[i] = Steinberg::Vst::kParameterTable[i].id;
    return ids;
}();

}  // namespace morvik::testing
