// GetPluginFactory: the module's own export. One factory exists at a time; it is
// built on the first request and cleared when its last reference goes, so a
// later request builds a new one with the same information.
#include <cstring>

#include "sdk/vst3/factory/pluginfactory.h"
#include "source/controller/plugcontroller.h"
#include "source/module/plugids.h"
#include "source/processor/plugprocessor.h"

namespace Steinberg::Vst {
namespace {

constexpr char kVendor[] = "TEKORA Soft";
constexpr char kVendorUrl[] = "https://www.tekora-soft.example/";
constexpr char kVendorEmail[] = "mailto:support@tekora-soft.example";
constexpr char kVersion[] = "1.1.0.1";
constexpr char kSdkVersion[] = "VST 3.7.3";

class PlugFactory;
PlugFactory* currentFactory = nullptr;

// Clears the process-wide pointer when the factory that it holds is deleted.
class PlugFactory : public CPluginFactory {
public:
    using CPluginFactory::CPluginFactory;
    ~PlugFactory() override
    {
        if (currentFactory == this)
            currentFactory = nullptr;
    }
};

template <size_t N>
void copyText(char (&target)[N], const char* text)
{
    std::strncpy(target, text, N - 1);
    target[N - 1] = '\0';
}

const PFactoryInfo& factoryInfo()
{
    static const PFactoryInfo info = [] {
        PFactoryInfo result{};
        copyText(result.vendor, kVendor);
        copyText(result.url, kVendorUrl);
        copyText(result.email, kVendorEmail);
        result.flags = PFactoryInfo::kUnicode;
        return result;
    }();
    return info;
}

PClassInfo2 makeClassInfo(const FUID& cid, const char* category, const char* name, uint32 classFlags,
                          const char* subCategories)
{
    PClassInfo2 info{};
    cid.toTUID(info.cid);
    info.cardinality = PClassInfo::kManyInstances;
    copyText(info.category, category);
    copyText(info.name, name);
    info.classFlags = classFlags;
    copyText(info.subCategories, subCategories);
    copyText(info.version, kVersion);
    copyText(info.sdkVersion, kSdkVersion);
    return info;
}

const PClassInfo2& processorClassInfo()
{
    static const PClassInfo2 info =
        makeClassInfo(PlugProcessorUID, "Audio Module Class", "tk MORVIK Gate", kDistributable, "Fx|Reverb");
    return info;
}

const PClassInfo2& controllerClassInfo()
{
    static const PClassInfo2 info =
        makeClassInfo(PlugControllerUID, "Component Controller Class", "tk MORVIK Gate Controller", 0, "");
    return info;
}

}  // namespace
}  // namespace Steinberg::Vst

extern "C" __attribute__((visibility("default"))) Steinberg::IPluginFactory* GetPluginFactory()
{
    using namespace Steinberg::Vst;
    if (currentFactory) {
        currentFactory->addRef();
        return currentFactory;
    }
    try {
        auto* factory = new PlugFactory(factoryInfo());
        currentFactory = factory;
        if (factory->registerClass(&processorClassInfo(), PlugProcessor::createInstance) &&
            factory->registerClass(&controllerClassInfo(), PlugController::createInstance))
            return factory;
    } catch (...) {
    }
    // Out of memory: a host gets no factory rather than an exception or one that
    // lacks a class. None is kept (the release clears the pointer), so a later call
    // tries again.
    if (currentFactory)
        currentFactory->release();
    return nullptr;
}
