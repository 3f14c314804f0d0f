// A timer provider whose time moves only when a test advances it. Timers fire
// in time order, each as often as its period fits into the advance; a timer
// that ticks at the same moment as another fires in the order it was started.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "sdk/vstgui/lib/platform/platform.h"

namespace VSTGUI {

class ManualClock : public IPlatformTimerProvider {
public:
    ManualClock() = default;
    // Timers still alive are detached and never tick again.
    ~ManualClock() noexcept override;
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    std::unique_ptr<IPlatformTimer> createTimer(IPlatformTimerCallback& callback) override;

    void advance(uint32_t milliseconds);
    uint64_t now() const { return nowMs; }
    // Timers currently started.
    std::size_t runningTimers() const;

private:
    class Timer;
    friend class Timer;

    uint64_t nowMs = 0;
    uint64_t startCount = 0;
    std::vector<Timer*> timers;
};

// Installs a clock as the process-wide timer provider for a scope.
class ScopedTimerProvider {
public:
    explicit ScopedTimerProvider(IPlatformTimerProvider& provider) : previous(getPlatformTimerProvider())
    {
        setPlatformTimerProvider(&provider);
    }
    ~ScopedTimerProvider() { setPlatformTimerProvider(previous); }
    ScopedTimerProvider(const ScopedTimerProvider&) = delete;
    ScopedTimerProvider& operator=(const ScopedTimerProvider&) = delete;

private:
    IPlatformTimerProvider* previous;
};

}  // namespace VSTGUI
