#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tools/host/component_handler.h"

namespace {
using namespace Steinberg;
using namespace morvik::host;
using ::testing::ElementsAre;

TEST(RecordingComponentHandler, RecordsEveryCallInOrder)
{
    auto recorder = create<RecordingComponentHandler>();
    Vst::IComponentHandler* handler = recorder.get();
    EXPECT_EQ(handler->beginEdit(4), kResultOk);
    EXPECT_EQ(handler->performEdit(4, 0.25), kResultOk);
    EXPECT_EQ(handler->performEdit(4, 0.5), kResultOk);
    EXPECT_EQ(handler->endEdit(4), kResultOk);
    EXPECT_EQ(handler->restartComponent(Vst::kParamValuesChanged), kResultOk);

    EXPECT_THAT(recorder->calls(),
                ElementsAre(beginEdit(4), performEdit(4, 0.25), performEdit(4, 0.5), endEdit(4),
                            restartComponent(Vst::kParamValuesChanged)));
    recorder->clear();
    EXPECT_TRUE(recorder->calls().empty());
}

TEST(RecordingComponentHandler, CallsPrintReadably)
{
    EXPECT_EQ(::testing::PrintToString(performEdit(2, 0.5)), "performEdit(2, 0.5)");
    EXPECT_EQ(::testing::PrintToString(restartComponent(4)), "restartComponent(4)");
}

}  // namespace
