// The bundle's three exports driven by hand, without tools/host's Module holding a
// factory reference: for tests of GetPluginFactory's own lifecycle.
#pragma once

#include <dlfcn.h>

#include "sdk/vst3/interfaces/pluginfactory.h"
#include "tests/host/bundle_location.h"
#include "tools/host/bundle_layout.h"

namespace morvik::testing {

class RawModule {
public:
    RawModule()
    {
        handle = dlopen(host::expectedBinaryPath(bundleUnderTest()).c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return;
        entry = reinterpret_cast<ModuleEntryFunc>(dlsym(handle, "ModuleEntry"));
        exit = reinterpret_cast<ModuleExitFunc>(dlsym(handle, "ModuleExit"));
        getFactory = reinterpret_cast<GetFactoryProc>(dlsym(handle, "GetPluginFactory"));
        entered = entry && entry(handle);
    }
    ~RawModule()
    {
        if (entered)
            exit();
        if (handle)
            dlclose(handle);
    }
    RawModule(const RawModule&) = delete;
    RawModule& operator=(const RawModule&) = delete;

    bool ready() const { return entered && getFactory; }

    void* handle = nullptr;
    ModuleEntryFunc entry = nullptr;
    ModuleExitFunc exit = nullptr;
    GetFactoryProc getFactory = nullptr;
    bool entered = false;
};

}  // namespace morvik::testing
