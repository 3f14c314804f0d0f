// The plug-in's processor and, when the factory can make one, its controller,
// created and initialized as a host does.
#pragma once

#include <memory>
#include <string>

#include "sdk/vst3/interfaces/audioprocessor.h"
#include "sdk/vst3/interfaces/component.h"
#include "sdk/vst3/interfaces/editcontroller.h"
#include "tools/host/host_application.h"
#include "tools/host/module.h"
#include "tools/render/outcome.h"

namespace morvik::render {

class PluginInstance {
    // Only create() constructs.
    struct ConstructionKey {
        explicit ConstructionKey() = default;
    };

public:
    // The module must outlive the instance.
    static Outcome<std::unique_ptr<PluginInstance>> create(const host::Module& module);

    explicit PluginInstance(ConstructionKey) {}
    // Terminates whatever shutdown() has not.
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    const std::string& name() const { return className; }
    const std::string& vendor() const { return vendorName; }
    Steinberg::Vst::IComponent& component() const { return *processorComponent; }
    Steinberg::Vst::IAudioProcessor& processor() const { return *audioProcessor; }
    // Null when the factory could not create or initialize the controller;
    // controllerProblem() then says why.
    Steinberg::Vst::IEditController* controller() const { return editController.get(); }
    const std::string& controllerProblem() const { return whyNoController; }

    // Terminates the controller, then the processor, reporting a refusal.
    Status shutdown();

private:
    void createController(const host::Module& module);

    Steinberg::IPtr<host::HostApplication> hostContext;
    Steinberg::IPtr<Steinberg::Vst::IComponent> processorComponent;
    Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> audioProcessor;
    Steinberg::IPtr<Steinberg::Vst::IEditController> editController;
    std::string className;
    std::string vendorName;
    std::string whyNoController;
    bool processorInitialized = false;
    bool controllerInitialized = false;
};

}  // namespace morvik::render
