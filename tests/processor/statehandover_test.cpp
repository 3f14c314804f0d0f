// The hand-over's answers to the host at each step of a record's way to the engine.
#include <gtest/gtest.h>

#include "source/processor/statehandover.h"

namespace {

using namespace Steinberg::Vst;

StateHandOver::Report reportWithMix(double mix, double gateMs)
{
    PlugState record = PlugState::defaults();
    record.values[1] = mix;
    return {record, gateMs};
}

TEST(StateHandOver, TheHostSeesAPostedRecordFromPostToPublication)
{
    StateHandOver handOver;
    EXPECT_EQ(handOver.current().record, PlugState::defaults());
    EXPECT_EQ(handOver.current().gateMs, 0.0);  // nothing mapped yet

    PlugState engineRecord = PlugState::defaults();
    handOver.post(reportWithMix(0.2, 500.0));
    handOver.post(reportWithMix(0.3, 600.0));  // replaces the first before any block
    EXPECT_EQ(handOver.current().record.values[1], 0.3);
    EXPECT_EQ(handOver.current().gateMs, 600.0);

    // Taken but not yet published: the host must still see the new record.
    ASSERT_TRUE(handOver.take(engineRecord));
    EXPECT_EQ(engineRecord.values[1], 0.3);
    EXPECT_EQ(handOver.current().record.values[1], 0.3);
    EXPECT_FALSE(handOver.take(engineRecord));  // taken once only

    // The engine publishes what it made of it (automation included).
    engineRecord.values[0] = 0.9;
    handOver.publish({engineRecord, 600.0});
    EXPECT_EQ(handOver.current().record, engineRecord);

    // A post the engine has not taken beats the published record.
    handOver.post(reportWithMix(0.4, 700.0));
    handOver.publish({engineRecord, 600.0});
    EXPECT_EQ(handOver.current().record.values[1], 0.4);
    EXPECT_EQ(handOver.current().gateMs, 700.0);
}

}  // namespace
