#include "tools/render/plugin_instance.h"

#include "tools/host/factory.h"
#include "tools/host/text.h"

namespace morvik::render {
using namespace Steinberg;

Outcome<std::unique_ptr<PluginInstance>> PluginInstance::create(const host::Module& module)
{
    IPluginFactory& factory = module.factory();
    auto instance = std::make_unique<PluginInstance>(ConstructionKey{});
    if (const auto info = host::factoryInfo(factory))
        instance->vendorName = host::boundedText(info->vendor);

    const auto processorClass = host::findClass(factory, host::kAudioEffectClass);
    if (!processorClass)
        return Failure{"the plug-in's factory offers no audio effect (\"" +
                       std::string(host::kAudioEffectClass) + "\")"};
    for (const PClassInfo& info : host::classInfos(factory))
        if (FUID::fromTUID(info.cid) == *processorClass)
            instance->className = host::boundedText(info.name);

    instance->processorComponent = host::createComponent(factory, *processorClass);
    if (!instance->processorComponent)
        return Failure{"the plug-in's factory could not create its audio processor"};
    instance->audioProcessor = queryInterfacePtr<Vst::IAudioProcessor>(instance->processorComponent.get());
    if (!instance->audioProcessor)
        return Failure{"the plug-in's processor offers no IAudioProcessor"};

    instance->hostContext = host::create<host::HostApplication>();
    if (const tresult result = instance->processorComponent->initialize(instance->hostContext.get());
        result != kResultOk)
        return Failure{"the plug-in's processor refused initialize (" + host::resultText(result) + ")"};
    instance->processorInitialized = true;

    instance->createController(module);
    return instance;
}

void PluginInstance::createController(const host::Module& module)
{
    editController = host::createController(module.factory(), *processorComponent);
    if (!editController) {
        whyNoController = "the factory could not create the controller class that the processor names";
        return;
    }
    if (const tresult result = editController->initialize(hostContext.get()); result != kResultOk) {
        whyNoController = "the controller refused initialize (" + host::resultText(result) + ")";
        editController.reset();
        return;
    }
    controllerInitialized = true;
}

Status PluginInstance::shutdown()
{
    std::string problems;
    if (controllerInitialized) {
        controllerInitialized = false;
        if (const tresult result = editController->terminate(); result != kResultOk)
            problems = "the controller refused terminate (" + host::resultText(result) + ")";
    }
    if (processorInitialized) {
        processorInitialized = false;
        if (const tresult result = processorComponent->terminate(); result != kResultOk)
            problems += (problems.empty() ? "" : "; ") + std::string("the processor refused terminate (") +
                host::resultText(result) + ")";
    }
    if (!problems.empty())
        return Failure{problems};
    return succeeded();
}

PluginInstance::~PluginInstance()
{
    shutdown();
}

}  // namespace morvik::render
