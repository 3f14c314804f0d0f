// The toolkit's timers on the run loops of attached editors.
#include <gtest/gtest.h>

#include "sdk/vstgui/lib/platform/linux/runlooptimers.h"
#include "tools/host/poll_run_loop.h"

namespace {
using namespace std::chrono_literals;
using morvik::host::PollRunLoop;
using VSTGUI::IPlatformTimer;
using VSTGUI::IPlatformTimerCallback;
using VSTGUI::X11::RunLoopTimers;

struct Counter : IPlatformTimerCallback {
    void onPlatformTimer() override
    {
        ++ticks;
        if (onTick)
            onTick();
    }
    int ticks = 0;
    std::function<void()> onTick;
};

TEST(RunLoopTimers, TimersWaitForARunLoopAndMoveWhenItsEditorGoes)
{
    RunLoopTimers& timers = RunLoopTimers::instance();
    auto first = morvik::host::create<PollRunLoop>();
    auto second = morvik::host::create<PollRunLoop>();
    Counter counter;
    auto timer = timers.createTimer(counter);
    ASSERT_TRUE(timer->start(5));  // no editor attached yet: it waits
    EXPECT_EQ(timers.currentRunLoop(), nullptr);

    timers.addRunLoop(first.get());
    timers.addRunLoop(second.get());
    EXPECT_EQ(first->timerCount(), 1u);
    EXPECT_EQ(second->timerCount(), 0u);
    EXPECT_TRUE(first->runUntil([&] { return counter.ticks >= 2; }, 2s));

    timers.removeRunLoop(first.get());  // its editor closed; the other one stays
    EXPECT_EQ(first->timerCount(), 0u);
    EXPECT_EQ(second->timerCount(), 1u);
    const int before = counter.ticks;
    EXPECT_TRUE(second->runUntil([&] { return counter.ticks > before; }, 2s));

    timer->stop();
    EXPECT_EQ(second->timerCount(), 0u);
    timers.removeRunLoop(second.get());
    EXPECT_EQ(timers.currentRunLoop(), nullptr);
}

TEST(RunLoopTimers, ATimerMayBeDestroyedFromItsOwnTick)
{
    RunLoopTimers& timers = RunLoopTimers::instance();
    auto loop = morvik::host::create<PollRunLoop>();
    timers.addRunLoop(loop.get());
    Counter counter;
    std::unique_ptr<IPlatformTimer> timer = timers.createTimer(counter);
    counter.onTick = [&] { timer.reset(); };
    timer->start(1);
    EXPECT_TRUE(loop->runUntil([&] { return counter.ticks > 0; }, 2s));
    loop->runFor(10ms);
    EXPECT_EQ(counter.ticks, 1);
    EXPECT_EQ(loop->timerCount(), 0u);
    timers.removeRunLoop(loop.get());
}

}  // namespace
