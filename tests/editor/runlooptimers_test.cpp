// The toolkit's timers on the run loops of attached editors.
#include <gtest/gtest.h>

#include <vector>

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

// Hosts often give every editor the same run loop: the timers stay on a loop
// while any attached editor still uses it.
TEST(RunLoopTimers, StayOnARunLoopWhileAnyEditorUsesIt)
{
    struct Step {
        bool attach;
        int loop;      // 0 or 1
        size_t on[2];  // the timer's registrations with each loop afterwards
    };
    const struct {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"two editors on one loop",
         {{true, 0, {1, 0}}, {true, 0, {1, 0}}, {false, 0, {1, 0}}, {false, 0, {0, 0}}}},
        {"the first editor's loop is also the third's",
         {{true, 0, {1, 0}},
          {true, 1, {1, 0}},
          {true, 0, {1, 0}},
          {false, 0, {1, 0}},
          {false, 0, {0, 1}},
          {false, 1, {0, 0}}}},
    };
    RunLoopTimers& timers = RunLoopTimers::instance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Steinberg::IPtr<PollRunLoop> loops[] = {morvik::host::create<PollRunLoop>(),
                                                      morvik::host::create<PollRunLoop>()};
        Counter counter;
        auto timer = timers.createTimer(counter);
        timer->start(5);
        int index = 0;
        for (const Step& step : c.steps) {
            if (step.attach)
                timers.addRunLoop(loops[step.loop].get());
            else
                timers.removeRunLoop(loops[step.loop].get());
            EXPECT_EQ(loops[0]->timerCount(), step.on[0]) << "step " << index;
            EXPECT_EQ(loops[1]->timerCount(), step.on[1]) << "step " << index;
            ++index;
        }
        EXPECT_EQ(timers.currentRunLoop(), nullptr);
    }
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
