// The module's load and unload exports on Linux. The host calls ModuleEntry()
// after dlopen() and ModuleExit() once for each entry before dlclose(); the
// first entry runs InitModule(), the last exit DeinitModule().
#pragma once

namespace Steinberg {

// The handle the first ModuleEntry() received; null outside entry and exit.
void* getModuleHandle();

}  // namespace Steinberg

extern "C" {
__attribute__((visibility("default"))) bool ModuleEntry(void* sharedLibraryHandle);
// False when called without a matching entry.
__attribute__((visibility("default"))) bool ModuleExit();
}
