#include "sdk/vstgui/lib/platform/headless/manualclock.h"

#include <algorithm>

namespace VSTGUI {

class ManualClock::Timer : public IPlatformTimer {
public:
    Timer(ManualClock& clock, IPlatformTimerCallback& callback) : clock(&clock), callback(callback)
    {
        clock.timers.push_back(this);
    }
    ~Timer() noexcept override
    {
        if (clock)
            std::erase(clock->timers, this);
    }

    bool start(uint32_t periodMs) override
    {
        if (!clock)
            return false;
        period = std::max<uint32_t>(periodMs, 1);
        due = clock->nowMs + period;
        startOrder = ++clock->startCount;
        running = true;
        return true;
    }
    void stop() override { running = false; }

    ManualClock* clock;
    IPlatformTimerCallback& callback;
    uint64_t period = 1;
    uint64_t due = 0;
    uint64_t startOrder = 0;
    bool running = false;
};

ManualClock::~ManualClock() noexcept
{
    for (Timer* timer : timers)
        timer->clock = nullptr;
}

std::unique_ptr<IPlatformTimer> ManualClock::createTimer(IPlatformTimerCallback& callback)
{
    return std::make_unique<Timer>(*this, callback);
}

void ManualClock::advance(uint32_t milliseconds)
{
    const uint64_t until = nowMs + milliseconds;
    // Look for the next due timer afresh after every tick: a callback may
    // start, stop or destroy timers, itself included.
    for (;;) {
        Timer* next = nullptr;
        for (Timer* timer : timers)
            if (timer->running && timer->due <= until &&
                (!next || timer->due < next->due ||
                 (timer->due == next->due && timer->startOrder < next->startOrder)))
                next = timer;
        if (!next)
            break;
        nowMs = next->due;
        next->due += next->period;
        next->callback.onPlatformTimer();  // `next` may be gone from here on
    }
    nowMs = until;
}

std::size_t ManualClock::runningTimers() const
{
    return static_cast<std::size_t>(
        std::count_if(timers.begin(), timers.end(), [](const Timer* t) { return t->running; }));
}

}  // namespace VSTGUI
