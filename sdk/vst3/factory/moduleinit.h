// Work to run when the module is entered for the first time and when it is
// left for the last time. Libraries register it from static objects:
//
//     static Steinberg::ModuleInitializer startGui([] { initGui(); }, 10);
//     static Steinberg::ModuleTerminator stopGui([] { exitGui(); }, 10);
//
// Each list runs in ascending priority, equal priorities in registration order.
#pragma once

#include <functional>

namespace Steinberg {

constexpr int kDefaultModulePriority = 1000;

class ModuleInitializer {
public:
    explicit ModuleInitializer(std::function<void()> init, int priority = kDefaultModulePriority) noexcept;
};

class ModuleTerminator {
public:
    explicit ModuleTerminator(std::function<void()> deinit, int priority = kDefaultModulePriority) noexcept;
};

// Runs every initialiser. False when one threw (the rest are skipped) or a
// registration was lost for want of memory, so the module refuses to load.
bool InitModule() noexcept;
// Runs every de-initialiser, each even when an earlier one threw; false if any threw.
bool DeinitModule() noexcept;

}  // namespace Steinberg
