// What a host asks a plug-in factory: its information, its classes, new instances.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "sdk/vst3/interfaces/component.h"
#include "sdk/vst3/interfaces/editcontroller.h"
#include "sdk/vst3/interfaces/pluginfactory.h"

namespace morvik::host {

// Class categories a host looks for.
inline constexpr std::string_view kAudioEffectClass = "Audio Module Class";
inline constexpr std::string_view kComponentControllerClass = "Component Controller Class";

std::optional<Steinberg::PFactoryInfo> factoryInfo(Steinberg::IPluginFactory& factory);

// Class descriptions in factory order, through IPluginFactory, IPluginFactory2
// and IPluginFactory3 respectively. A list stops at the first index the factory
// fails to describe (so it is shorter than countClasses()); the newer lists are
// empty when the factory lacks that interface.
std::vector<Steinberg::PClassInfo> classInfos(Steinberg::IPluginFactory& factory);
std::vector<Steinberg::PClassInfo2> classInfos2(Steinberg::IPluginFactory& factory);
std::vector<Steinberg::PClassInfoW> classInfosUnicode(Steinberg::IPluginFactory& factory);

// The id of the first class of a category.
std::optional<Steinberg::FUID> findClass(Steinberg::IPluginFactory& factory, std::string_view category);

// A new instance of a class, asked for Interface; null when the factory refuses.
template <class Interface>
Steinberg::IPtr<Interface> createInstance(Steinberg::IPluginFactory& factory, const Steinberg::FUID& cid)
{
    void* object = nullptr;
    if (factory.createInstance(cid, Interface::iid, &object) != Steinberg::kResultOk)
        return nullptr;
    return Steinberg::owned(static_cast<Interface*>(object));
}

Steinberg::IPtr<Steinberg::Vst::IComponent> createComponent(Steinberg::IPluginFactory& factory,
                                                            const Steinberg::FUID& cid);
// The first audio effect class of the factory.
Steinberg::IPtr<Steinberg::Vst::IComponent> createComponent(Steinberg::IPluginFactory& factory);

Steinberg::IPtr<Steinberg::Vst::IEditController> createController(Steinberg::IPluginFactory& factory,
                                                                  const Steinberg::FUID& cid);
// The controller class the component names through getControllerClassId.
Steinberg::IPtr<Steinberg::Vst::IEditController> createController(Steinberg::IPluginFactory& factory,
                                                                  Steinberg::Vst::IComponent& component);

}  // namespace morvik::host
