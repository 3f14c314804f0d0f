// A bundle's edit controller set up as a host does before it opens the editor:
// the processor (if the bundle has one) and the controller initialized, the
// processor's state handed to the controller, and a component handler that
// records every edit the editor reports.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "sdk/vst3/interfaces/component.h"
#include "sdk/vst3/interfaces/editcontroller.h"
#include "sdk/vst3/interfaces/plugview.h"
#include "tools/host/component_handler.h"
#include "tools/host/host_application.h"
#include "tools/host/module.h"

namespace morvik::host {

class EditorPlugin {
public:
    // Null with the reason in `error` when the bundle cannot be loaded or offers
    // no controller that initializes.
    static std::unique_ptr<EditorPlugin> load(const std::filesystem::path& bundle, std::string& error);
    // Terminates the controller and the processor, then unloads the module.
    ~EditorPlugin();
    EditorPlugin(const EditorPlugin&) = delete;
    EditorPlugin& operator=(const EditorPlugin&) = delete;

    Steinberg::Vst::IEditController& controller() const { return *editController; }
    RecordingComponentHandler& handler() const { return *componentHandler; }
    // A new editor view ("editor"); null when the controller offers none.
    Steinberg::IPtr<Steinberg::IPlugView> createView() const;

private:
    EditorPlugin() = default;

    // Declared first, so the module is unloaded last.
    std::unique_ptr<Module> module;
    Steinberg::IPtr<HostApplication> hostContext;
    Steinberg::IPtr<Steinberg::Vst::IComponent> processor;
    Steinberg::IPtr<Steinberg::Vst::IEditController> editController;
    Steinberg::IPtr<RecordingComponentHandler> componentHandler;
};

}  // namespace morvik::host
