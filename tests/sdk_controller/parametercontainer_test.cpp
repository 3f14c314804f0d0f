#include <gtest/gtest.h>

#include "sdk/vst3/controller/parameters.h"
#include "tests/support/texts.h"

namespace Steinberg::Vst {
namespace {

using morvik::testing::narrow;

// Tells when the container lets its reference go.
class WatchedParameter : public Parameter {
public:
    WatchedParameter(ParamID id, int& destroyed) : Parameter(u"Watched", id), destroyed(destroyed) {}
    ~WatchedParameter() override { ++destroyed; }

private:
    int& destroyed;
};

TEST(ParameterContainer, FindsParametersByIndexAndById)
{
    ParameterContainer container;
    Parameter* bypass = container.addParameter(u"Bypass", nullptr, 1, 0., 0x10001, 0);
    Parameter* level = container.addParameter(new RangeParameter(u"Level", 8, u"dB", -36., 12., 0.));
    ASSERT_NE(bypass, nullptr);
    ASSERT_NE(level, nullptr);

    EXPECT_EQ(container.getParameterCount(), 2);
    EXPECT_EQ(container.getParameterByIndex(0), bypass);
    EXPECT_EQ(container.getParameterByIndex(1), level);
    EXPECT_EQ(container.getParameter(8), level);
    EXPECT_EQ(container.getParameter(0), bypass);
    EXPECT_EQ(narrow(bypass->getInfo().title), "Bypass");
    EXPECT_EQ(bypass->getInfo().flags, 0x10001);

    EXPECT_EQ(container.getParameter(1), nullptr);
    EXPECT_EQ(container.getParameterByIndex(-1), nullptr);
    EXPECT_EQ(container.getParameterByIndex(2), nullptr);
}

TEST(ParameterContainer, NegativeTagTakesTheCountAsId)
{
    ParameterContainer container;
    container.addParameter(u"First");
    Parameter* second = container.addParameter(u"Second");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->getInfo().id, 1u);
}

TEST(ParameterContainer, RefusedParametersAreReleased)
{
    int destroyed = 0;
    ParameterContainer container;
    ASSERT_NE(container.addParameter(new WatchedParameter(5, destroyed)), nullptr);
    EXPECT_EQ(container.addParameter(new WatchedParameter(5, destroyed)), nullptr);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(container.getParameterCount(), 1);
    EXPECT_EQ(container.addParameter(static_cast<Parameter*>(nullptr)), nullptr);
}

TEST(ParameterContainer, RemoveAllAndDestructionReleaseEachOnce)
{
    int destroyed = 0;
    {
        ParameterContainer container;
        container.addParameter(new WatchedParameter(1, destroyed));
        container.addParameter(new WatchedParameter(2, destroyed));
        container.removeAll();
        EXPECT_EQ(destroyed, 2);
        EXPECT_EQ(container.getParameterCount(), 0);
        EXPECT_EQ(container.getParameter(1), nullptr);

        container.addParameter(new WatchedParameter(1, destroyed));  // the id is free again
        EXPECT_EQ(container.getParameterCount(), 1);
    }
    EXPECT_EQ(destroyed, 3);
}

}  // namespace
}  // namespace Steinberg::Vst
