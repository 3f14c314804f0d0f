#include "tools/host/factory.h"

#include "tools/host/text.h"

namespace morvik::host {
using namespace Steinberg;

namespace {

template <class Info, class Describe>
std::vector<Info> listClasses(int32 count, Describe&& describe)
{
    std::vector<Info> infos;
    for (int32 index = 0; index < count; ++index) {
        Info info{};
        if (describe(index, info) != kResultOk)
            break;
        infos.push_back(info);
    }
    return infos;
}

}  // namespace

std::optional<PFactoryInfo> factoryInfo(IPluginFactory& factory)
{
    PFactoryInfo info{};
    if (factory.getFactoryInfo(&info) != kResultOk)
        return std::nullopt;
    return info;
}

std::vector<PClassInfo> classInfos(IPluginFactory& factory)
{
    return listClasses<PClassInfo>(factory.countClasses(), [&](int32 index, PClassInfo& info) {
        return factory.getClassInfo(index, &info);
    });
}

std::vector<PClassInfo2> classInfos2(IPluginFactory& factory)
{
    const auto factory2 = queryInterfacePtr<IPluginFactory2>(&factory);
    if (!factory2)
        return {};
    return listClasses<PClassInfo2>(factory.countClasses(), [&](int32 index, PClassInfo2& info) {
        return factory2->getClassInfo2(index, &info);
    });
}

std::vector<PClassInfoW> classInfosUnicode(IPluginFactory& factory)
{
    const auto factory3 = queryInterfacePtr<IPluginFactory3>(&factory);
    if (!factory3)
        return {};
    return listClasses<PClassInfoW>(factory.countClasses(), [&](int32 index, PClassInfoW& info) {
        return factory3->getClassInfoUnicode(index, &info);
    });
}

std::optional<FUID> findClass(IPluginFactory& factory, std::string_view category)
{
    for (const PClassInfo& info : classInfos(factory))
        if (boundedText(info.category) == category)
            return FUID::fromTUID(info.cid);
    return std::nullopt;
}

IPtr<Vst::IComponent> createComponent(IPluginFactory& factory, const FUID& cid)
{
    return createInstance<Vst::IComponent>(factory, cid);
}

IPtr<Vst::IComponent> createComponent(IPluginFactory& factory)
{
    const auto cid = findClass(factory, kAudioEffectClass);
    return cid ? createComponent(factory, *cid) : nullptr;
}

IPtr<Vst::IEditController> createController(IPluginFactory& factory, const FUID& cid)
{
    return createInstance<Vst::IEditController>(factory, cid);
}

IPtr<Vst::IEditController> createController(IPluginFactory& factory, Vst::IComponent& component)
{
    TUID cid{};
    if (component.getControllerClassId(cid) != kResultOk)
        return nullptr;
    return createController(factory, FUID::fromTUID(cid));
}

}  // namespace morvik::host
