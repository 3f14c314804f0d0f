#include "tools/host/editor_plugin.h"

#include "tools/host/factory.h"
#include "tools/host/memory_stream.h"

namespace morvik::host {
using namespace Steinberg;

std::unique_ptr<EditorPlugin> EditorPlugin::load(const std::filesystem::path& bundle, std::string& error)
{
    std::unique_ptr<EditorPlugin> plugin(new EditorPlugin);
    plugin->module = Module::load(bundle, error);
    if (!plugin->module)
        return nullptr;
    IPluginFactory& factory = plugin->module->factory();
    plugin->hostContext = create<HostApplication>();

    // A bundle with a processor names its controller; one without offers a controller class alone.
    if (const auto processorClass = findClass(factory, kAudioEffectClass)) {
        plugin->processor = createComponent(factory, *processorClass);
        if (!plugin->processor || plugin->processor->initialize(plugin->hostContext.get()) != kResultOk) {
            error = "the plug-in's processor cannot be created or initialized";
            plugin->processor.reset();
            return nullptr;
        }
        plugin->editController = createController(factory, *plugin->processor);
    } else if (const auto controllerClass = findClass(factory, kComponentControllerClass)) {
        plugin->editController = createController(factory, *controllerClass);
    }
    if (!plugin->editController ||
        plugin->editController->initialize(plugin->hostContext.get()) != kResultOk) {
        error = "the plug-in offers no edit controller that initializes";
        plugin->editController.reset();
        return nullptr;
    }
    plugin->componentHandler = create<RecordingComponentHandler>();
    plugin->editController->setComponentHandler(plugin->componentHandler.get());
    if (plugin->processor) {
        const auto state = create<MemoryStream>();
        if (plugin->processor->getState(state.get()) == kResultOk) {
            state->rewind();
            plugin->editController->setComponentState(state.get());
        }
    }
    return plugin;
}

EditorPlugin::~EditorPlugin()
{
    if (editController) {
        editController->setComponentHandler(nullptr);
        editController->terminate();
        editController.reset();
    }
    if (processor) {
        processor->terminate();
        processor.reset();
    }
}

IPtr<IPlugView> EditorPlugin::createView() const
{
    return owned(editController->createView("editor"));
}

}  // namespace morvik::host
