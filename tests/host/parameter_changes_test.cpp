#include <gtest/gtest.h>

#include "tools/host/parameter_changes.h"

namespace {
using namespace Steinberg;
using morvik::host::create;
using morvik::host::ParameterChanges;

struct Point {
    int32 offset;
    Vst::ParamValue value;
    bool operator==(const Point&) const = default;
};

std::vector<Point> pointsOf(Vst::IParamValueQueue& queue)
{
    std::vector<Point> points;
    for (int32 index = 0; index < queue.getPointCount(); ++index) {
        Point point{};
        EXPECT_EQ(queue.getPoint(index, point.offset, point.value), kResultOk);
        points.push_back(point);
    }
    return points;
}

TEST(ParameterChanges, OneQueuePerParameterInOrderOfFirstUse)
{
    auto changes = create<ParameterChanges>();
    int32 index = -1;
    Vst::IParamValueQueue* level = changes->addParameterData(1, index);
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(index, 0);
    Vst::IParamValueQueue* mix = changes->addParameterData(2, index);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(changes->addParameterData(1, index), level);
    EXPECT_EQ(index, 0);

    EXPECT_EQ(changes->getParameterCount(), 2);
    EXPECT_EQ(changes->getParameterData(0), level);
    EXPECT_EQ(changes->getParameterData(1), mix);
    EXPECT_EQ(mix->getParameterId(), 2u);
    EXPECT_EQ(changes->getParameterData(2), nullptr);
    EXPECT_EQ(changes->getParameterData(-1), nullptr);
}

TEST(ParameterChanges, NullSlotsCountButHoldNoQueue)
{
    auto changes = create<ParameterChanges>();
    EXPECT_EQ(changes->addNullQueue(), 0);
    ASSERT_TRUE(changes->addChange(4, 0, 0.5));
    EXPECT_EQ(changes->getParameterCount(), 2);
    EXPECT_EQ(changes->getParameterData(0), nullptr);
    ASSERT_NE(changes->getParameterData(1), nullptr);
    EXPECT_EQ(changes->getParameterData(1)->getParameterId(), 4u);

    changes->clear();
    EXPECT_EQ(changes->getParameterCount(), 0);
}

TEST(ParamValueQueue, KeepsPointsInSampleOrderAndReplacesAnOffsetsValue)
{
    auto changes = create<ParameterChanges>();
    ASSERT_TRUE(changes->addChange(1, 100, 0.9));
    ASSERT_TRUE(changes->addChange(1, 0, 0.2));
    ASSERT_TRUE(changes->addChange(1, 50, 0.4));
    ASSERT_TRUE(changes->addChange(1, 50, 0.5));
    ASSERT_EQ(changes->getParameterCount(), 1);
    EXPECT_EQ(pointsOf(*changes->getParameterData(0)), (std::vector<Point>{{0, 0.2}, {50, 0.5}, {100, 0.9}}));
}

TEST(ParamValueQueue, AnswersTheIndexOfEachNewPoint)
{
    auto changes = create<ParameterChanges>();
    int32 queueIndex = -1;
    Vst::IParamValueQueue* queue = changes->addParameterData(0, queueIndex);
    int32 pointIndex = -1;
    ASSERT_EQ(queue->addPoint(10, 0.1, pointIndex), kResultOk);
    EXPECT_EQ(pointIndex, 0);
    ASSERT_EQ(queue->addPoint(5, 0.2, pointIndex), kResultOk);
    EXPECT_EQ(pointIndex, 0);
    ASSERT_EQ(queue->addPoint(20, 0.3, pointIndex), kResultOk);
    EXPECT_EQ(pointIndex, 2);
}

TEST(ParamValueQueue, RefusesImpossibleIndexesAndOffsets)
{
    auto changes = create<ParameterChanges>();
    int32 index = 0;
    Vst::IParamValueQueue* queue = changes->addParameterData(8, index);
    int32 offset = -7;
    Vst::ParamValue value = -7.0;
    EXPECT_EQ(queue->getPoint(0, offset, value), kResultFalse);
    EXPECT_EQ(queue->addPoint(-1, 0.5, index), kInvalidArgument);
    EXPECT_EQ(queue->getPointCount(), 0);
    ASSERT_EQ(queue->addPoint(0, 0.5, index), kResultOk);
    EXPECT_EQ(queue->getPoint(1, offset, value), kResultFalse);
    EXPECT_EQ(queue->getPoint(-1, offset, value), kResultFalse);
    EXPECT_EQ(offset, -7) << "a refused read must leave the outputs alone";
    EXPECT_EQ(value, -7.0);
}

}  // namespace
