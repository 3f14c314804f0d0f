#include "source/engine/vectorlevel.h"

namespace Steinberg::Vst {

VectorLevel widestVectorLevel()
{
    // The checks include the operating system's support for the wider registers.
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
        __builtin_cpu_supports("avx512vl"))
        return VectorLevel::kAvx512;
    if (__builtin_cpu_supports("avx2"))
        return VectorLevel::kAvx2;
    return VectorLevel::kBaseline;
}

}  // namespace Steinberg::Vst
