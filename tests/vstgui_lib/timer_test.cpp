#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/vstgui/lib/controls/ccontrol.h"
#include "sdk/vstgui/lib/controls/cmousewheeleditingsupport.h"
#include "sdk/vstgui/lib/cvstguitimer.h"
#include "sdk/vstgui/lib/platform/headless/manualclock.h"
#include "tests/vstgui_lib/vstguitesting.h"

namespace VSTGUI {
namespace {

using Times = std::vector<uint64_t>;

TEST(CVSTGUITimer, TicksOncePerPeriodWhileRunning)
{
    ManualClock clock;
    ScopedTimerProvider provider(clock);
    Times ticks;
    auto timer = makeOwned<CVSTGUITimer>([&](CVSTGUITimer*) { ticks.push_back(clock.now()); }, 100);
    EXPECT_TRUE(timer->isRunning());
    clock.advance(250);
    EXPECT_EQ(ticks, (Times{100, 200}));

    timer->stop();
    clock.advance(500);
    EXPECT_EQ(ticks.size(), 2u);
    EXPECT_TRUE(timer->setFireTime(30));  // stopped: takes effect at the next start
    EXPECT_FALSE(timer->isRunning()) << "a new period starts no timer";
    EXPECT_EQ(clock.runningTimers(), 0u);
    EXPECT_TRUE(timer->start());
    clock.advance(70);
    EXPECT_EQ(ticks, (Times{100, 200, 780, 810}));
    EXPECT_TRUE(timer->setFireTime(50));  // running: counts from now
    clock.advance(100);
    EXPECT_EQ(ticks, (Times{100, 200, 780, 810, 870, 920}));

    timer = nullptr;  // the last reference stops it
    EXPECT_EQ(clock.runningTimers(), 0u);
}

TEST(CVSTGUITimer, MayReleaseItselfOrAnotherFromItsCallback)
{
    ManualClock clock;
    ScopedTimerProvider provider(clock);
    std::vector<std::string> ticks;
    SharedPointer<CVSTGUITimer> self, other;
    self = makeOwned<CVSTGUITimer>(
        [&](CVSTGUITimer* timer) {
            ticks.push_back("self");
            EXPECT_EQ(timer, self.get());
            self = nullptr;   // its last reference, from inside its own tick
            other = nullptr;  // due at the same moment: must not tick any more
        },
        50);
    other = makeOwned<CVSTGUITimer>([&](CVSTGUITimer*) { ticks.push_back("other"); }, 50);
    clock.advance(1000);
    EXPECT_EQ(ticks, std::vector<std::string>{"self"});
    EXPECT_EQ(clock.runningTimers(), 0u);
}

TEST(CVSTGUITimer, RunsOnlyWithAProviderAndSurvivesItsProvider)
{
    int ticks = 0;
    auto early = makeOwned<CVSTGUITimer>([&](CVSTGUITimer*) { ++ticks; }, 10);
    EXPECT_FALSE(early->isRunning()) << "no provider installed";
    {
        ManualClock clock;
        ScopedTimerProvider provider(clock);
        EXPECT_TRUE(early->start());
        clock.advance(10);
    }
    EXPECT_EQ(getPlatformTimerProvider(), nullptr);
    EXPECT_EQ(ticks, 1);
    early = nullptr;  // its provider is gone: releasing it must still be safe
}

struct WheelControl : CControl, CMouseWheelEditingSupport {
    WheelControl() : CControl(CRect(0, 0, 10, 10)) {}
    void draw(CDrawContext*) override {}
    CView* newCopy() const override { return nullptr; }
    void wheel() { onMouseWheelEditing(this); }
    void mouseDown() { invalidMouseWheelEditTimer(this); }
};

TEST(CMouseWheelEditingSupport, ABurstOfWheelEventsIsOneEditClosedAfterHalfASecond)
{
    ManualClock clock;
    ScopedTimerProvider provider(clock);
    EventLog log;
    RecordingControlListener listener(log, "l");
    auto control = makeOwned<WheelControl>();
    control->setListener(&listener);
    const auto mark = [&] { log.events.push_back(std::to_string(clock.now())); };

    control->wheel();
    clock.advance(400);
    control->wheel();
    clock.advance(499);
    mark();
    EXPECT_TRUE(control->isEditing());
    clock.advance(1);
    mark();
    EXPECT_FALSE(control->isEditing());
    EXPECT_EQ(clock.runningTimers(), 0u) << "the closing timer released itself";

    control->wheel();
    control->mouseDown();  // a mouse-down closes the wheel edit at once
    clock.advance(1000);
    control->beginEdit();
    control->mouseDown();  // and any other edit left open
    EXPECT_FALSE(control->isEditing());
    EXPECT_EQ(
        log.events,
        (std::vector<std::string>{"l begin", "899", "l end", "900", "l begin", "l end", "l begin", "l end"}));
}

}  // namespace
}  // namespace VSTGUI
