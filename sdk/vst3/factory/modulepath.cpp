#include "sdk/vst3/factory/modulepath.h"

#include <dlfcn.h>

#include <filesystem>

namespace Steinberg {
namespace {

// Any object of this module will do for asking the loader which file holds it.
const char moduleAnchor = 0;

}  // namespace

std::string getModulePath()
{
    Dl_info info{};
    if (dladdr(&moduleAnchor, &info) == 0 || !info.dli_fname || info.dli_fname[0] == '\0')
        return {};
    try {
        return std::filesystem::absolute(info.dli_fname).lexically_normal().string();
    } catch (...) {
        return {};
    }
}

std::string getModuleResourcesPath()
{
    return resourcesPathForModule(getModulePath());
}

std::string resourcesPathForModule(std::string_view modulePath)
{
    if (modulePath.empty())
        return {};
    try {
        const std::filesystem::path module = std::filesystem::absolute(modulePath).lexically_normal();
        const std::filesystem::path contents = module.parent_path().parent_path();
        if (module.filename().empty() || contents.filename() != "Contents")
            return {};
        return (contents / "Resources" / "").string();
    } catch (...) {
        return {};
    }
}

}  // namespace Steinberg
