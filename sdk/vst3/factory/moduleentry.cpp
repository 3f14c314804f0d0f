#include "sdk/vst3/factory/moduleentry.h"

#include "sdk/vst3/factory/moduleinit.h"

namespace Steinberg {
namespace {

// Hosts call the exports from their main thread only, so no lock guards this.
struct ModuleState {
    int entryCount = 0;
    void* handle = nullptr;
};

ModuleState moduleState;

}  // namespace

void* getModuleHandle()
{
    return moduleState.handle;
}

}  // namespace Steinberg

using Steinberg::moduleState;

bool ModuleEntry(void* sharedLibraryHandle)
{
    if (++moduleState.entryCount > 1)
        return true;
    moduleState.handle = sharedLibraryHandle;
    if (Steinberg::InitModule())
        return true;
    // A host does not leave a module it could not enter; start over on the next try.
    moduleState = {};
    return false;
}

bool ModuleExit()
{
    if (moduleState.entryCount == 0)
        return false;
    if (--moduleState.entryCount > 0)
        return true;
    // The handle stays readable for the de-initialisers.
    const bool done = Steinberg::DeinitModule();
    moduleState.handle = nullptr;
    return done;
}
