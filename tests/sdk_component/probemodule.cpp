// A module in a bundle layout that the tests load, to see the exports and the
// resources path as a host sees them.
#include <cstring>
#include <string>

#include "sdk/vst3/factory/moduleinit.h"
#include "sdk/vst3/factory/modulepath.h"

namespace {

int initCount = 0;
int deinitCount = 0;
const Steinberg::ModuleInitializer countInit([] { ++initCount; });
const Steinberg::ModuleTerminator countDeinit([] { ++deinitCount; });

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int probeInitCount()
{
    return initCount;
}

__attribute__((visibility("default"))) int probeDeinitCount()
{
    return deinitCount;
}

// Copies the module's resources path into `out`; false when it does not fit.
__attribute__((visibility("default"))) bool probeResourcesPath(char* out, int size)
{
    const std::string path = Steinberg::getModuleResourcesPath();
    if (!out || size <= 0 || path.size() >= static_cast<std::size_t>(size))
        return false;
    std::memcpy(out, path.c_str(), path.size() + 1);
    return true;
}
}
