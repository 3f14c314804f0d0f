#include "sdk/vstgui/lib/platform/linux/runlooptimers.h"

#include <algorithm>

namespace VSTGUI::X11 {

using Steinberg::Linux::IRunLoop;

class RunLoopTimers::Timer : public IPlatformTimer {
public:
    Timer(RunLoopTimers& owner, IPlatformTimerCallback& callback) : owner(owner), callback(callback)
    {
        owner.timers.push_back(this);
    }
    ~Timer() override
    {
        stop();
        std::erase(owner.timers, this);
    }

    bool start(uint32_t periodMs) override
    {
        owner.unschedule(*this);
        period = std::max<uint32_t>(periodMs, 1);
        running = true;
        owner.schedule(*this);
        return true;
    }
    void stop() override
    {
        running = false;
        owner.unschedule(*this);
    }
    void tick() { callback.onPlatformTimer(); }

    RunLoopTimers& owner;
    IPlatformTimerCallback& callback;
    uint32_t period = 0;
    bool running = false;
    RunLoopAdapter::HandlerId registration = 0;
};

RunLoopTimers& RunLoopTimers::instance()
{
    static RunLoopTimers timers;
    return timers;
}

std::unique_ptr<IPlatformTimer> RunLoopTimers::createTimer(IPlatformTimerCallback& callback)
{
    return std::make_unique<Timer>(*this, callback);
}

void RunLoopTimers::schedule(Timer& timer)
{
    if (!adapter || !timer.running || timer.registration != 0)
        return;
    // The handler is killed before the timer goes, so the pointer is never called dangling.
    Timer* target = &timer;
    timer.registration = adapter->addTimer(timer.period, [target] { target->tick(); });
}

void RunLoopTimers::unschedule(Timer& timer)
{
    if (adapter && timer.registration != 0)
        adapter->remove(timer.registration);
    timer.registration = 0;
}

void RunLoopTimers::addRunLoop(IRunLoop* runLoop)
{
    if (!runLoop)
        return;
    runLoops.push_back(runLoop);
    if (!adapter)
        moveTimersTo(runLoop);
}

void RunLoopTimers::removeRunLoop(IRunLoop* runLoop)
{
    const auto found = std::find(runLoops.begin(), runLoops.end(), runLoop);
    if (found == runLoops.end())
        return;
    runLoops.erase(found);
    if (currentRunLoop() != runLoop)
        return;
    // Still the loop of another attached editor (hosts often share one): stay.
    if (std::find(runLoops.begin(), runLoops.end(), runLoop) != runLoops.end())
        return;
    moveTimersTo(runLoops.empty() ? nullptr : runLoops.front());
}

void RunLoopTimers::moveTimersTo(IRunLoop* runLoop)
{
    for (Timer* timer : timers)
        unschedule(*timer);
    adapter.reset();
    if (!runLoop)
        return;
    adapter = std::make_unique<RunLoopAdapter>(runLoop);
    for (Timer* timer : timers)
        schedule(*timer);
}

}  // namespace VSTGUI::X11
