// The editor's registrations with a host's run loop: served, removed in one
// place, safe to remove from their own callback, dead once removed.
#include <gtest/gtest.h>

#include <unistd.h>

#include <vector>

#include "sdk/vstgui/lib/platform/linux/runloopadapter.h"
#include "tools/host/poll_run_loop.h"

namespace {
using namespace std::chrono_literals;
using namespace Steinberg;
using namespace Steinberg::Linux;
using morvik::host::ComObject;
using morvik::host::PollRunLoop;
using VSTGUI::X11::RunLoopAdapter;

struct Pipe {
    int fds[2] = {-1, -1};
    Pipe() { EXPECT_EQ(::pipe(fds), 0); }
    ~Pipe()
    {
        ::close(fds[0]);
        ::close(fds[1]);
    }
    void signal() { EXPECT_EQ(::write(fds[1], "x", 1), 1); }
    void drain()
    {
        char byte;
        EXPECT_EQ(::read(fds[0], &byte, 1), 1);
    }
};

TEST(RunLoopAdapter, ServesDescriptorsAndTimersUntilAllAreRemoved)
{
    auto loop = morvik::host::create<PollRunLoop>();
    Pipe pipe;
    int reads = 0;
    int ticks = 0;
    {
        RunLoopAdapter adapter(loop.get());
        EXPECT_NE(adapter.addEventHandler(pipe.fds[0], [&] { ++reads, pipe.drain(); }), 0u);
        EXPECT_NE(adapter.addTimer(5, [&] { ++ticks; }), 0u);
        EXPECT_EQ(loop->eventHandlerCount(), 1u);
        EXPECT_EQ(loop->timerIntervals(), std::vector<TimerInterval>{5});

        pipe.signal();
        EXPECT_TRUE(loop->runUntil([&] { return reads == 1 && ticks >= 2; }, 2s));

        adapter.removeAll();
        EXPECT_EQ(adapter.registeredCount(), 0u);
        EXPECT_EQ(loop->eventHandlerCount() + loop->timerCount(), 0u);
        pipe.signal();
        const int ticksBefore = ticks;
        loop->runFor(20ms);
        EXPECT_EQ(reads, 1);
        EXPECT_EQ(ticks, ticksBefore);
    }
    // The destructor removes what is left, too.
    {
        RunLoopAdapter adapter(loop.get());
        adapter.addTimer(5, [] {});
    }
    EXPECT_EQ(loop->timerCount(), 0u);
}

TEST(RunLoopAdapter, AHandlerMayRemoveItselfAndOthersFromItsCallback)
{
    auto loop = morvik::host::create<PollRunLoop>();
    auto adapter = std::make_unique<RunLoopAdapter>(loop.get());
    int firstCalls = 0;
    int secondCalls = 0;
    RunLoopAdapter::HandlerId first = 0;
    RunLoopAdapter::HandlerId second = 0;
    first = adapter->addTimer(1, [&] {
        ++firstCalls;
        adapter->remove(first);
        adapter->remove(second);
    });
    second = adapter->addTimer(1, [&] { ++secondCalls; });
    loop->runFor(30ms);
    EXPECT_EQ(firstCalls, 1);
    EXPECT_EQ(secondCalls, 0);  // both fell due in the same round; the first removed the second
    EXPECT_EQ(loop->timerCount(), 0u);

    // Even the adapter itself may go from inside a callback.
    adapter->addTimer(1, [&] { adapter.reset(); });
    EXPECT_TRUE(loop->runUntil([&] { return !adapter; }, 2s));
    EXPECT_EQ(loop->timerCount(), 0u);
}

// A host that keeps calling handlers it was told to forget, and that refuses
// registrations on request.
class LateHost : public ComObject<IRunLoop> {
public:
    tresult registerEventHandler(IEventHandler* handler, FileDescriptor) override { return keep(handler); }
    tresult unregisterEventHandler(IEventHandler*) override { return kResultOk; }
    tresult registerTimer(ITimerHandler* handler, TimerInterval) override { return keep(handler); }
    tresult unregisterTimer(ITimerHandler*) override { return kResultOk; }

    ~LateHost() override
    {
        for (FUnknown* handler : kept)
            handler->release();
    }

    bool refuse = false;
    std::vector<FUnknown*> kept;

private:
    tresult keep(FUnknown* handler)
    {
        if (refuse)
            return kResultFalse;
        handler->addRef();
        kept.push_back(handler);
        return kResultOk;
    }
};

TEST(RunLoopAdapter, RemovedHandlersIgnoreLateCalls)
{
    auto host = morvik::host::create<LateHost>();
    int calls = 0;
    {
        RunLoopAdapter adapter(host.get());
        adapter.addTimer(10, [&] { ++calls; });
        adapter.addEventHandler(3, [&] { ++calls; });
    }
    ASSERT_EQ(host->kept.size(), 2u);
    static_cast<ITimerHandler*>(host->kept[0])->onTimer();
    static_cast<IEventHandler*>(host->kept[1])->onFDIsSet(3);
    EXPECT_EQ(calls, 0);
}

TEST(RunLoopAdapter, ARefusedRegistrationIsNotKept)
{
    auto host = morvik::host::create<LateHost>();
    host->refuse = true;
    RunLoopAdapter adapter(host.get());
    EXPECT_EQ(adapter.addTimer(10, [] {}), 0u);
    EXPECT_EQ(adapter.addEventHandler(3, [] {}), 0u);
    EXPECT_EQ(adapter.registeredCount(), 0u);

    RunLoopAdapter withoutHost(nullptr);
    EXPECT_EQ(withoutHost.addTimer(10, [] {}), 0u);
}

}  // namespace
