#include "sdk/vst3/factory/moduleinit.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace Steinberg {
namespace {

struct ModuleFunction {
    int priority;
    std::function<void()> function;
};

struct ModuleFunctions {
    std::vector<ModuleFunction> initializers;
    std::vector<ModuleFunction> terminators;
    bool registrationLost = false;
};

// Built on first use: registrations come from static objects of other files,
// whose order of construction is unknown.
ModuleFunctions& moduleFunctions()
{
    static ModuleFunctions functions;
    return functions;
}

void add(std::vector<ModuleFunction>& list, std::function<void()>&& function, int priority) noexcept
{
    if (!function)
        return;
    try {
        // After the last entry of equal priority, so that ties keep registration order.
        const auto position =
            std::upper_bound(list.begin(), list.end(), priority,
                             [](int value, const ModuleFunction& f) { return value < f.priority; });
        list.insert(position, ModuleFunction{priority, std::move(function)});
    } catch (...) {
        moduleFunctions().registrationLost = true;
    }
}

}  // namespace

ModuleInitializer::ModuleInitializer(std::function<void()> init, int priority) noexcept
{
    add(moduleFunctions().initializers, std::move(init), priority);
}

ModuleTerminator::ModuleTerminator(std::function<void()> deinit, int priority) noexcept
{
    add(moduleFunctions().terminators, std::move(deinit), priority);
}

bool InitModule() noexcept
{
    const ModuleFunctions& functions = moduleFunctions();
    if (functions.registrationLost)
        return false;
    try {
        for (const ModuleFunction& initializer : functions.initializers)
            initializer.function();
        return true;
    } catch (...) {
        return false;
    }
}

bool DeinitModule() noexcept
{
    bool allRan = true;
    for (const ModuleFunction& terminator : moduleFunctions().terminators) {
        try {
            terminator.function();
        } catch (...) {
            allRan = false;
        }
    }
    return allRan;
}

}  // namespace Steinberg
