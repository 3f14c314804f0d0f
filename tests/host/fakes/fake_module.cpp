// A stand-in plug-in module for the loader's tests. It logs what the host calls,
// and its build chooses one way to misbehave (MORVIK_FAKE_FAULT).
#include <dlfcn.h>

#include <string>

#include "sdk/vst3/interfaces/pluginfactory.h"
#include "tools/host/com_object.h"

namespace {

enum class Fault { None, EntryFails, NoFactory };
constexpr Fault kFault = Fault::MORVIK_FAKE_FAULT;

std::string events;

class FakeFactory : public morvik::host::ComObject<Steinberg::IPluginFactory> {
public:
    ~FakeFactory() override { events += "factory deleted;"; }

    Steinberg::tresult getFactoryInfo(Steinberg::PFactoryInfo* info) override
    {
        if (!info)
            return Steinberg::kInvalidArgument;
        *info = {};
        info->flags = Steinberg::PFactoryInfo::kUnicode;
        return Steinberg::kResultOk;
    }
    Steinberg::int32 countClasses() override { return 0; }
    Steinberg::tresult getClassInfo(Steinberg::int32, Steinberg::PClassInfo*) override
    {
        return Steinberg::kInvalidArgument;
    }
    Steinberg::tresult createInstance(Steinberg::FIDString, Steinberg::FIDString, void** obj) override
    {
        if (obj)
            *obj = nullptr;
        return Steinberg::kNoInterface;
    }
};

}  // namespace

extern "C" {

__attribute__((visibility("default"))) bool ModuleEntry(void* handle)
{
    const bool ownHandle = handle && dlsym(handle, "ModuleEntry") == reinterpret_cast<void*>(&ModuleEntry);
    events += ownHandle ? "entry;" : "entry with a foreign handle;";
    return kFault != Fault::EntryFails;
}

__attribute__((visibility("default"))) bool ModuleExit()
{
    events += "exit;";
    return true;
}

__attribute__((visibility("default"))) Steinberg::IPluginFactory* GetPluginFactory()
{
    events += "factory;";
    if (kFault == Fault::NoFactory)
        return nullptr;
    return new FakeFactory;
}

// For the tests: what the host called so far.
__attribute__((visibility("default"))) const char* fakeModuleEvents()
{
    return events.c_str();
}

__attribute__((visibility("default"))) void fakeModuleClearEvents()
{
    events.clear();
}
}
