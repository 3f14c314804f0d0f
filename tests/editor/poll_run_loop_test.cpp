// The host's poll() loop on a clock of its own: how long it waits, and how it
// stops when the host's connection goes.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <vector>

#include "tools/host/poll_run_loop.h"

namespace {
using namespace std::chrono_literals;
using namespace Steinberg;
using namespace Steinberg::Linux;
using morvik::host::ComObject;
using morvik::host::PollRunLoop;

// Time moves only in poll(): by the whole timeout when nothing is ready, and
// 50 µs on top, as a real poll() comes back a little late.
struct FakeTime {
    PollRunLoop::Clock::time_point now = PollRunLoop::Clock::time_point(1h);
    std::vector<int> waits;

    PollRunLoop::System system()
    {
        return {[this] { return now; },
                [this](pollfd* fds, nfds_t count, int timeoutMs) {
                    waits.push_back(timeoutMs);
                    const int ready = ::poll(fds, count, 0);
                    now += (ready > 0 ? 0ms : std::chrono::milliseconds(timeoutMs)) + 50us;
                    return ready;
                }};
    }
};

struct Ticks : ComObject<ITimerHandler> {
    void onTimer() override { ++count; }
    int count = 0;
};

// A wait cut short of a timer's deadline came back too early and then polled
// with a timeout of 0 until the deadline passed: a busy loop before every tick.
TEST(PollRunLoop, EachWaitLastsUntilATimerIsDueOrTheRunEnds)
{
    struct Case {
        const char* name;
        std::function<void(PollRunLoop&, const Ticks&)> run;
        std::vector<int> waits;
        int ticks;
    };
    const Case cases[] = {
        {"runFor 50 ms", [](PollRunLoop& loop, const Ticks&) { loop.runFor(50ms); }, {16, 16, 16, 2}, 3},
        {"runUntil the first tick",
         [](PollRunLoop& loop, const Ticks& ticks) {
             EXPECT_TRUE(loop.runUntil([&] { return ticks.count == 1; }, 1s));
         },
         {10, 6},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTime time;
        auto loop = morvik::host::create<PollRunLoop>(time.system());
        auto ticks = morvik::host::create<Ticks>();
        ASSERT_EQ(loop->registerTimer(ticks.get(), 16), kResultOk);
        time.now += 400us;  // the run starts between two milliseconds of the deadline
        c.run(*loop, *ticks);
        EXPECT_EQ(time.waits, c.waits);
        EXPECT_EQ(ticks->count, c.ticks);
        loop->unregisterTimer(ticks.get());
    }
}

// Once the host's connection is gone its descriptor stays readable for good;
// the loop stops watching it and ends the run rather than spin on it.
TEST(PollRunLoop, ALostHostConnectionEndsTheRun)
{
    int sockets[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, sockets), 0);
    FakeTime time;
    auto loop = morvik::host::create<PollRunLoop>(time.system());
    int calls = 0;
    loop->watchHostDescriptor(sockets[0], [&] {
        ++calls;
        char byte;
        return ::read(sockets[0], &byte, 1) > 0;
    });
    ::close(sockets[1]);

    loop->runFor(1s);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(time.waits.size(), 1u);
    EXPECT_TRUE(loop->hostConnectionLost());
    EXPECT_FALSE(loop->runUntil([] { return false; }, 1s));
    EXPECT_EQ(time.waits.size(), 1u);
    ::close(sockets[0]);
}

}  // namespace
