// A loaded VST 3 module: the shared object, its entry and exit, its factory.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "sdk/vst3/interfaces/pluginfactory.h"

namespace morvik::host {

// Lifetime follows the Linux hosting order: dlopen, ModuleEntry(handle),
// GetPluginFactory on load; releasing the factory, ModuleExit, dlclose on
// destruction. A Module always holds a factory.
class Module {
public:
    // Accepts a bundle folder (Name.vst3) or the shared object itself. Returns
    // null and says why in `error` when the file is missing, cannot be loaded,
    // lacks an export, or its ModuleEntry or GetPluginFactory fails.
    static std::unique_ptr<Module> load(const std::filesystem::path& path, std::string& error);

    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    Steinberg::IPluginFactory& factory() const { return *pluginFactory; }
    const std::filesystem::path& binaryPath() const { return binary; }
    // The dlopen handle, for looking up symbols directly.
    void* nativeHandle() const { return library.get(); }

private:
    struct LibraryCloser {
        void operator()(void* handle) const;
    };
    using LibraryHandle = std::unique_ptr<void, LibraryCloser>;
    // Only load() constructs, after every step succeeded.
    struct LoadedKey {
        explicit LoadedKey() = default;
    };

public:
    Module(LoadedKey, std::filesystem::path binary, LibraryHandle library, ModuleExitFunc exit,
           Steinberg::IPtr<Steinberg::IPluginFactory> factory);

private:
    std::filesystem::path binary;
    LibraryHandle library;
    ModuleExitFunc exitModule;
    Steinberg::IPtr<Steinberg::IPluginFactory> pluginFactory;
};

}  // namespace morvik::host
