#include "source/controller/architecturelabel.h"

namespace Steinberg::Vst {

ProcessorArchitecture runningArchitecture()
{
#if defined(__x86_64__)
    return ProcessorArchitecture::x86_64;
#elif defined(__aarch64__)
    return ProcessorArchitecture::arm64;
#else
    return ProcessorArchitecture::unknown;
#endif
}

const char* architectureLabel(ProcessorArchitecture architecture)
{
    switch (architecture) {
        case ProcessorArchitecture::x86_64:
            return "x86_64-Linux";
        case ProcessorArchitecture::arm64:
            return "arm64-Linux";
        case ProcessorArchitecture::unknown:
            break;
    }
    return "unknown";
}

}  // namespace Steinberg::Vst
