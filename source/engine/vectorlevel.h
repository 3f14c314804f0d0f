// The widest vector instructions the engine's batch loops may use. Chosen from the CPU
// the plug-in runs on, never assumed at build time: the bundle runs on any x86-64, and
// every level gives bit-identical results (the arithmetic and its order are the same,
// only the number of samples per instruction changes).
#pragma once

#include "sdk/vst3/interfaces/types.h"

namespace Steinberg::Vst {

enum class VectorLevel : int32 {
    kBaseline,  // SSE2, which every x86-64 has
    kAvx2,
    kAvx512,
};

// The widest level this CPU and its operating system support.
VectorLevel widestVectorLevel();

}  // namespace Steinberg::Vst
