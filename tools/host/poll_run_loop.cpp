#include "tools/host/poll_run_loop.h"

#include <poll.h>

#include <algorithm>
#include <limits>

namespace morvik::host {
using namespace Steinberg;
using namespace Steinberg::Linux;

namespace {

// Waits are rounded up: a wait cut short of a deadline comes back before it and
// then polls without waiting until it passes.
std::chrono::milliseconds roundedUp(PollRunLoop::Clock::duration wait)
{
    return std::max(std::chrono::milliseconds(0), std::chrono::ceil<std::chrono::milliseconds>(wait));
}

}  // namespace

PollRunLoop::PollRunLoop() : PollRunLoop(System{}) {}

PollRunLoop::PollRunLoop(System system) : system(std::move(system)) {}

PollRunLoop::~PollRunLoop()
{
    for (const EventHandlerEntry& entry : eventHandlers)
        entry.handler->release();
    for (const TimerEntry& entry : timers)
        entry.handler->release();
}

tresult PollRunLoop::registerEventHandler(IEventHandler* handler, FileDescriptor fd)
{
    if (!handler || fd < 0 || isRegistered(handler))
        return kInvalidArgument;
    handler->addRef();
    eventHandlers.push_back({handler, fd});
    return kResultOk;
}

tresult PollRunLoop::unregisterEventHandler(IEventHandler* handler)
{
    const auto found = std::find_if(eventHandlers.begin(), eventHandlers.end(),
                                    [handler](const EventHandlerEntry& e) { return e.handler == handler; });
    if (found == eventHandlers.end())
        return kInvalidArgument;
    eventHandlers.erase(found);
    handler->release();
    return kResultOk;
}

tresult PollRunLoop::registerTimer(ITimerHandler* handler, TimerInterval milliseconds)
{
    if (!handler || milliseconds == 0 || isRegistered(handler))
        return kInvalidArgument;
    handler->addRef();
    timers.push_back({handler, milliseconds, system.now() + std::chrono::milliseconds(milliseconds)});
    return kResultOk;
}

tresult PollRunLoop::unregisterTimer(ITimerHandler* handler)
{
    const auto found = std::find_if(timers.begin(), timers.end(),
                                    [handler](const TimerEntry& e) { return e.handler == handler; });
    if (found == timers.end())
        return kInvalidArgument;
    timers.erase(found);
    handler->release();
    return kResultOk;
}

void PollRunLoop::watchHostDescriptor(int fd, std::function<bool()> onReadable)
{
    hostFd = fd;
    onHostReadable = std::move(onReadable);
    hostLost = false;
}

bool PollRunLoop::isRegistered(IEventHandler* handler) const
{
    return std::any_of(eventHandlers.begin(), eventHandlers.end(),
                       [handler](const EventHandlerEntry& e) { return e.handler == handler; });
}

bool PollRunLoop::isRegistered(ITimerHandler* handler) const
{
    return std::any_of(timers.begin(), timers.end(),
                       [handler](const TimerEntry& e) { return e.handler == handler; });
}

std::vector<TimerInterval> PollRunLoop::timerIntervals() const
{
    std::vector<TimerInterval> intervals;
    for (const TimerEntry& entry : timers)
        intervals.push_back(entry.interval);
    return intervals;
}

std::size_t PollRunLoop::timerCallsAt(TimerInterval milliseconds) const
{
    for (const auto& [interval, calls] : timerCalls)
        if (interval == milliseconds)
            return calls;
    return 0;
}

void PollRunLoop::runOnce(std::chrono::milliseconds maxWait)
{
    auto wait = maxWait;
    const auto now = system.now();
    for (const TimerEntry& entry : timers)
        wait = std::min(wait, roundedUp(entry.due - now));

    std::vector<pollfd> watched;
    for (const EventHandlerEntry& entry : eventHandlers)
        watched.push_back({entry.fd, POLLIN, 0});
    if (hostFd >= 0)
        watched.push_back({hostFd, POLLIN, 0});
    system.poll(watched.data(), watched.size(),
                static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(
                    wait.count(), 0, std::numeric_limits<int>::max())));

    std::vector<int> readable;
    bool hostReadable = false;
    for (const pollfd& p : watched) {
        if ((p.revents & (POLLIN | POLLHUP | POLLERR)) == 0)
            continue;
        if (p.fd == hostFd)
            hostReadable = true;
        else
            readable.push_back(p.fd);
    }
    if (hostReadable && onHostReadable && !onHostReadable()) {
        // Its descriptor would stay readable for good and keep the loop busy.
        hostLost = true;
        hostFd = -1;
        onHostReadable = nullptr;
    }
    serveDescriptors(readable);
    serveTimers();
}

// Handlers may unregister themselves or others, or register new ones, from their
// callbacks: each is called only if it is still registered at that moment, and
// kept alive for the length of its call.
void PollRunLoop::serveDescriptors(const std::vector<int>& readable)
{
    std::vector<EventHandlerEntry> ready;
    for (const EventHandlerEntry& entry : eventHandlers)
        if (std::find(readable.begin(), readable.end(), entry.fd) != readable.end())
            ready.push_back(entry);
    for (const EventHandlerEntry& entry : ready) {
        if (!isRegistered(entry.handler))
            continue;
        const IPtr<IEventHandler> keep(entry.handler);
        entry.handler->onFDIsSet(entry.fd);
    }
}

void PollRunLoop::serveTimers()
{
    const auto now = system.now();
    std::vector<TimerEntry> due;
    for (TimerEntry& entry : timers) {
        if (entry.due > now)
            continue;
        due.push_back(entry);
        // The next deadline counts from now: a late round does not fire twice.
        entry.due = now + std::chrono::milliseconds(entry.interval);
    }
    for (const TimerEntry& entry : due) {
        if (!isRegistered(entry.handler))
            continue;
        auto calls = std::find_if(timerCalls.begin(), timerCalls.end(),
                                  [&](const auto& c) { return c.first == entry.interval; });
        if (calls == timerCalls.end())
            timerCalls.emplace_back(entry.interval, 1);
        else
            ++calls->second;
        const IPtr<ITimerHandler> keep(entry.handler);
        entry.handler->onTimer();
    }
}

void PollRunLoop::runFor(std::chrono::milliseconds duration)
{
    const auto end = system.now() + duration;
    for (auto now = system.now(); now < end && !hostLost; now = system.now())
        runOnce(roundedUp(end - now));
}

bool PollRunLoop::runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto end = system.now() + timeout;
    while (!done()) {
        const auto now = system.now();
        if (now >= end || hostLost)
            return false;
        runOnce(std::min(std::chrono::milliseconds(10), roundedUp(end - now)));
    }
    return true;
}

}  // namespace morvik::host
