#include "tools/host/module.h"

#include <dlfcn.h>

#include "tools/host/bundle_layout.h"

namespace morvik::host {
namespace {

template <class Function>
Function lookUp(void* handle, const char* name)
{
    return reinterpret_cast<Function>(dlsym(handle, name));
}

std::string lastLoaderError()
{
    const char* message = dlerror();
    return message ? message : "unknown loader error";
}

// A plug-in that lets an exception out of an extern "C" export is broken, but
// the host should report it rather than die with it.
template <class Call>
bool callExport(Call&& call, std::string& error, const std::string& what)
{
    try {
        return call();
    } catch (...) {
        error = what + " threw an exception";
        return false;
    }
}

}  // namespace

void Module::LibraryCloser::operator()(void* handle) const
{
    if (handle)
        dlclose(handle);
}

std::unique_ptr<Module> Module::load(const std::filesystem::path& path, std::string& error)
{
    const auto binary = findModuleBinary(path, error);
    if (!binary)
        return nullptr;
    const std::string name = binary->string();

    dlerror();
    LibraryHandle library(dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!library) {
        error = "cannot load " + name + ": " + lastLoaderError();
        return nullptr;
    }

    const auto entry = lookUp<ModuleEntryFunc>(library.get(), "ModuleEntry");
    const auto exit = lookUp<ModuleExitFunc>(library.get(), "ModuleExit");
    const auto getFactory = lookUp<GetFactoryProc>(library.get(), "GetPluginFactory");
    std::string missing;
    for (const auto& [found, symbol] :
         {std::pair{entry != nullptr, "ModuleEntry"}, std::pair{exit != nullptr, "ModuleExit"},
          std::pair{getFactory != nullptr, "GetPluginFactory"}})
        if (!found)
            missing += (missing.empty() ? "" : ", ") + std::string(symbol);
    if (!missing.empty()) {
        error = name + " does not export " + missing;
        return nullptr;
    }

    std::string callError;
    if (!callExport([&] { return entry(library.get()); }, callError, "ModuleEntry of " + name)) {
        error = callError.empty() ? "ModuleEntry of " + name + " returned false" : callError;
        return nullptr;
    }

    Steinberg::IPluginFactory* factory = nullptr;
    callExport([&] { return (factory = getFactory()) != nullptr; }, callError, "GetPluginFactory of " + name);
    Steinberg::IPtr<Steinberg::IPluginFactory> ownedFactory = Steinberg::owned(factory);
    if (!ownedFactory) {
        error = callError.empty() ? "GetPluginFactory of " + name + " returned no factory" : callError;
        callExport([&] { return exit(); }, callError, "ModuleExit of " + name);
        return nullptr;
    }

    try {
        return std::make_unique<Module>(LoadedKey{}, *binary, std::move(library), exit,
                                        std::move(ownedFactory));
    } catch (...) {
        // Keep the pairing of entry and exit even when the host runs out of memory.
        ownedFactory.reset();
        exit();
        throw;
    }
}

Module::Module(LoadedKey, std::filesystem::path binaryPath, LibraryHandle handle, ModuleExitFunc exit,
               Steinberg::IPtr<Steinberg::IPluginFactory> factory)
    : binary(std::move(binaryPath)),
      library(std::move(handle)),
      exitModule(exit),
      pluginFactory(std::move(factory))
{
}

Module::~Module()
{
    // The factory is the module's code; it must go before the module exits.
    pluginFactory.reset();
    std::string ignored;
    callExport([this] { return exitModule(); }, ignored, "ModuleExit");
}

}  // namespace morvik::host
