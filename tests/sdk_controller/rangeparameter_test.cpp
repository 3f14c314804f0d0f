#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "sdk/vst3/controller/parameters.h"
#include "tests/support/texts.h"

namespace Steinberg::Vst {
namespace {

using morvik::testing::narrow;
using morvik::testing::widen;

IPtr<RangeParameter> makeLevel()
{
    return owned(new RangeParameter(u"Level", 1, u"dB", -36., 12., 0.));
}

std::string textOf(const Parameter& parameter, ParamValue valueNormalized)
{
    String128 text{};
    parameter.toString(valueNormalized, text);
    return narrow(text);
}

// Records what reaches toNormalized, to see that fromString clamps first and
// goes through the subclass's mapping.
class SquareRootRange : public RangeParameter {
public:
    SquareRootRange() : RangeParameter(u"Time", 3, u"ms", 1., 250., 1.) {}
    ParamValue toNormalized(ParamValue plainValue) const override
    {
        lastPlain = plainValue;
        return std::sqrt(RangeParameter::toNormalized(plainValue));
    }
    mutable ParamValue lastPlain = -1.;
};

// Fills `info` itself, as subclasses with their own constructor steps do.
class SelfDescribedRange : public RangeParameter {
public:
    SelfDescribedRange() = default;
};

TEST(RangeParameter, DefaultComesFromThePlainValue)
{
    const auto level = makeLevel();
    EXPECT_EQ(level->getInfo().defaultNormalizedValue, 0.75);
    EXPECT_EQ(level->getNormalized(), 0.75);
    EXPECT_EQ(level->getMin(), -36.);
    EXPECT_EQ(level->getMax(), 12.);
}

TEST(RangeParameter, ConversionsExtrapolateWithoutClamping)
{
    const auto level = makeLevel();
    const std::pair<ParamValue, ParamValue> normalizedToPlain[] = {
        {0., -36.}, {0.5, -12.}, {0.75, 0.}, {1., 12.}, {1.25, 24.}, {-0.1, -40.8},
    };
    for (const auto& [normalized, plain] : normalizedToPlain) {
        EXPECT_NEAR(level->toPlain(normalized), plain, 1e-12) << normalized;
        EXPECT_NEAR(level->toNormalized(plain), normalized, 1e-12) << plain;
    }
}

TEST(RangeParameter, SteppedRangeRoundsToWholeSteps)
{
    const auto octave = owned(new RangeParameter(u"Octave", 2, nullptr, -2., 2., 0., 4));
    EXPECT_EQ(octave->toPlain(0.), -2.);
    EXPECT_EQ(octave->toPlain(0.39), -1.);
    EXPECT_EQ(octave->toPlain(1.), 2.);
    EXPECT_EQ(textOf(*octave, 0.5), "0");
    EXPECT_EQ(textOf(*octave, 1.), "2");
    EXPECT_EQ(textOf(*octave, 0.), "-2");
}

TEST(RangeParameter, Texts)
{
    const auto level = makeLevel();
    level->setPrecision(2);
    EXPECT_EQ(textOf(*level, 0.75), "0.00");
    EXPECT_EQ(textOf(*level, 0.), "-36.00");
    EXPECT_EQ(textOf(*level, 1.), "12.00");

    const auto toggle = owned(new RangeParameter(u"Toggle", 4, nullptr, 0., 1., 0., 1));
    EXPECT_EQ(textOf(*toggle, 0.), "Off");
    EXPECT_EQ(textOf(*toggle, 1.), "On");
}

TEST(RangeParameter, FromStringClampsThePlainValueAndUsesTheSubclassMapping)
{
    struct Case {
        std::string text;
        ParamValue plainReachingToNormalized;
    };
    const Case cases[] = {{"300", 250.}, {"-5", 1.}, {"63.25", 63.25}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto time = owned(new SquareRootRange);
        ParamValue normalized = -1.;
        ASSERT_TRUE(time->fromString(widen(c.text).c_str(), normalized));
        EXPECT_EQ(time->lastPlain, c.plainReachingToNormalized);
        EXPECT_DOUBLE_EQ(normalized, std::sqrt((c.plainReachingToNormalized - 1.) / 249.));
    }
}

TEST(RangeParameter, FromStringRefusesWhatIsNoNumber)
{
    const auto level = makeLevel();
    for (const char* text : {"", "dB", "nan", "--3"}) {
        ParamValue normalized = -1.;
        EXPECT_FALSE(level->fromString(widen(text).c_str(), normalized)) << text;
        EXPECT_EQ(normalized, -1.) << text;
    }
    ParamValue normalized = -1.;
    EXPECT_FALSE(level->fromString(nullptr, normalized));
}

TEST(RangeParameter, EmptyRangeConvertsWithoutDividingByZero)
{
    const auto flat = owned(new RangeParameter(u"Flat", 5, nullptr, 3., 3., 3.));
    EXPECT_EQ(flat->toNormalized(3.), 0.);
    EXPECT_EQ(flat->toPlain(0.5), 3.);
}

TEST(RangeParameter, ProtectedDefaultConstructorStartsEmpty)
{
    const auto range = owned(new SelfDescribedRange);
    const ParameterInfo& info = range->getInfo();
    EXPECT_EQ(info.id, 0u);
    EXPECT_EQ(info.title[0], 0);
    EXPECT_EQ(info.stepCount, 0);
    EXPECT_EQ(info.defaultNormalizedValue, 0.);
    EXPECT_EQ(range->getNormalized(), 0.);
    EXPECT_EQ(range->getPrecision(), 4);
    EXPECT_EQ(range->getMin(), 0.);
    EXPECT_EQ(range->getMax(), 1.);
}

TEST(RangeParameter, ClassNameIsKeptBySubclasses)
{
    EXPECT_STREQ(makeLevel()->isA(), "RangeParameter");
    EXPECT_TRUE(makeLevel()->isTypeOf("Parameter"));
    const auto subclass = owned(new SquareRootRange);
    EXPECT_STREQ(subclass->isA(), "RangeParameter");
    EXPECT_NE(FCast<RangeParameter>(subclass.get()), nullptr);
}

}  // namespace
}  // namespace Steinberg::Vst
