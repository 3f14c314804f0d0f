// The timers of CVSTGUITimer on Linux. The host owns the loop, so every timer
// runs on the run loop of an editor that is attached now: the first one that
// offered its run loop. When that editor goes while others stay, running
// timers move to the next one; while no editor is attached they wait and start
// ticking when one is. One provider serves the whole process.
#pragma once

#include <memory>
#include <vector>

#include "sdk/vst3/interfaces/plugview.h"
#include "sdk/vstgui/lib/platform/linux/runloopadapter.h"
#include "sdk/vstgui/lib/platform/platform.h"

namespace VSTGUI::X11 {

class RunLoopTimers : public IPlatformTimerProvider {
public:
    static RunLoopTimers& instance();

    std::unique_ptr<IPlatformTimer> createTimer(IPlatformTimerCallback& callback) override;

    // An attached editor offers its host's run loop, and takes it back in removed().
    void addRunLoop(Steinberg::Linux::IRunLoop* runLoop);
    void removeRunLoop(Steinberg::Linux::IRunLoop* runLoop);
    // The run loop timers run on now; null while no editor is attached.
    Steinberg::Linux::IRunLoop* currentRunLoop() const { return adapter ? adapter->getRunLoop() : nullptr; }

private:
    class Timer;
    friend class Timer;
    RunLoopTimers() = default;

    void schedule(Timer& timer);
    void unschedule(Timer& timer);
    void moveTimersTo(Steinberg::Linux::IRunLoop* runLoop);

    std::vector<Steinberg::Linux::IRunLoop*> runLoops;  // offered by attached editors, which hold them
    std::unique_ptr<RunLoopAdapter> adapter;            // on runLoops.front()
    std::vector<Timer*> timers;
};

}  // namespace VSTGUI::X11
