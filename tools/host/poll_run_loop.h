// The host's side of Linux editors: a run loop built on poll(). Editors register
// file descriptors and timers through Steinberg::Linux::IRunLoop; the loop calls
// them from the thread that runs it, as a host's main thread does.
#pragma once

#include <poll.h>

#include <chrono>
#include <functional>
#include <vector>

#include "sdk/vst3/interfaces/plugview.h"
#include "tools/host/com_object.h"

namespace morvik::host {

class PollRunLoop : public ComObject<Steinberg::Linux::IRunLoop> {
public:
    using Clock = std::chrono::steady_clock;

    // The clock and the wait the loop runs on; tests give it a clock of their own.
    struct System {
        std::function<Clock::time_point()> now = Clock::now;
        std::function<int(pollfd* fds, nfds_t count, int timeoutMs)> poll = ::poll;
    };

    PollRunLoop();
    explicit PollRunLoop(System system);

    // Holds one reference to each registered handler until it is unregistered
    // (or the loop goes). The same handler registered twice, or a null one, is refused.
    Steinberg::tresult registerEventHandler(Steinberg::Linux::IEventHandler* handler,
                                            Steinberg::Linux::FileDescriptor fd) override;
    Steinberg::tresult unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override;
    Steinberg::tresult registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                     Steinberg::Linux::TimerInterval milliseconds) override;
    Steinberg::tresult unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override;

    // The host's own file descriptor (its X connection), served like the editors'
    // but not counted among them. `onReadable` answers false when the connection
    // is gone: the loop then stops watching it, and every run ends at once.
    void watchHostDescriptor(int fd, std::function<bool()> onReadable);
    bool hostConnectionLost() const { return hostLost; }

    // Waits at most `maxWait` for a descriptor or a timer, then serves every
    // descriptor that is readable and every timer that is due, once.
    void runOnce(std::chrono::milliseconds maxWait);
    // Ends early when the host's connection is lost.
    void runFor(std::chrono::milliseconds duration);
    // Runs until `done` answers true (checked after each round); false on timeout
    // or when the host's connection is lost.
    bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

    bool isRegistered(Steinberg::Linux::IEventHandler* handler) const;
    bool isRegistered(Steinberg::Linux::ITimerHandler* handler) const;
    std::size_t eventHandlerCount() const { return eventHandlers.size(); }
    std::size_t timerCount() const { return timers.size(); }
    std::vector<Steinberg::Linux::TimerInterval> timerIntervals() const;
    // How often timers of this interval have fired so far.
    std::size_t timerCallsAt(Steinberg::Linux::TimerInterval milliseconds) const;

protected:
    ~PollRunLoop() override;

private:
    struct EventHandlerEntry {
        Steinberg::Linux::IEventHandler* handler;
        int fd;
    };
    struct TimerEntry {
        Steinberg::Linux::ITimerHandler* handler;
        Steinberg::Linux::TimerInterval interval;
        Clock::time_point due;
    };

    void serveDescriptors(const std::vector<int>& readable);
    void serveTimers();

    std::vector<EventHandlerEntry> eventHandlers;
    std::vector<TimerEntry> timers;
    std::vector<std::pair<Steinberg::Linux::TimerInterval, std::size_t>> timerCalls;
    System system;
    int hostFd = -1;
    std::function<bool()> onHostReadable;
    bool hostLost = false;
};

}  // namespace morvik::host
