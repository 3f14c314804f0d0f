// The editor's link to the host's run loop. Everything the editor wants called
// later (the X connection's file descriptor, its timers) is registered here, and
// removeAll() unregisters all of it in one place.
//
// The host may keep calling a handler after it was unregistered (some hosts
// finish the current round first), and a callback may unregister its own
// handler: a removed handler is marked dead at once and ignores every later
// call, and stays alive until its running callback has returned.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "sdk/vst3/interfaces/plugview.h"

namespace VSTGUI::X11 {

class RunLoopAdapter {
public:
    using Callback = std::function<void()>;
    // Names one registration; 0 is never handed out.
    using HandlerId = uint64_t;

    // Keeps its own reference to the run loop until it is destroyed.
    explicit RunLoopAdapter(Steinberg::Linux::IRunLoop* runLoop);
    ~RunLoopAdapter();
    RunLoopAdapter(const RunLoopAdapter&) = delete;
    RunLoopAdapter& operator=(const RunLoopAdapter&) = delete;

    // Calls `onReadable` whenever the host sees data on `fd`; 0 when the host refused.
    HandlerId addEventHandler(int fd, Callback onReadable);
    // Calls `onTimer` every `milliseconds`; 0 when the host refused.
    HandlerId addTimer(uint64_t milliseconds, Callback onTimer);
    // Unregisters one handler; unknown ids are ignored.
    void remove(HandlerId id);
    // Unregisters every handler.
    void removeAll();

    std::size_t registeredCount() const { return registrations.size(); }
    Steinberg::Linux::IRunLoop* getRunLoop() const { return runLoop; }

private:
    class Handler;
    struct Registration {
        HandlerId id;
        Handler* handler;  // one reference held
        bool isTimer;
    };

    template <class Register>
    HandlerId add(Callback callback, bool isTimer, Register&& registerWithHost);
    void unregister(const Registration& registration);

    Steinberg::Linux::IRunLoop* runLoop;  // one reference held
    std::vector<Registration> registrations;
    HandlerId nextId = 1;
};

}  // namespace VSTGUI::X11
