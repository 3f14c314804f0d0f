#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "source/controller/tkrangeparameter.h"
#include "tests/support/texts.h"

namespace Steinberg::Vst {
namespace {

using morvik::testing::narrow;
using morvik::testing::widen;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int32 kAutomate = ParameterInfo::kCanAutomate;

template <class Kind>
IPtr<RangeParameter> make(ParamValue minPlain, ParamValue maxPlain, ParamValue defaultPlain, int32 precision)
{
    IPtr<RangeParameter> parameter =
        owned<RangeParameter>(new Kind(u"Test", 1, u"u", kAutomate, minPlain, maxPlain, defaultPlain));
    parameter->setPrecision(precision);
    return parameter;
}

IPtr<RangeParameter> makeLevel()
{
    return make<TKRangeParameter>(-36., 12., 0., 2);
}
IPtr<RangeParameter> makeLPCut()
{
    return make<TKExpRangeParameter>(500., 16000., 8000., 0);
}
IPtr<RangeParameter> makePredelay()
{
    return make<TKExpRangeParameter>(1., 250., 1., 1);
}

std::string textOf(const Parameter& parameter, ParamValue valueNormalized)
{
    String128 text{};
    parameter.toString(valueNormalized, text);
    return narrow(text);
}

struct TextCase {
    ParamValue normalized;
    std::string text;
};

TEST(TKRangeParameter, TextsClampOnlyPracticalZero)
{
    const TextCase cases[] = {
        {0.75, "0.00"},      {0., "-36.00"},     {0.5, "-12.00"}, {1., "12.00"},
        {0.7499999, "0.00"}, {0.74998, "-0.00"}, {1.25, "24.00"},
    };
    const auto level = makeLevel();
    for (const TextCase& c : cases)
        EXPECT_EQ(textOf(*level, c.normalized), c.text) << c.normalized;
}

TEST(TKExpRangeParameter, TextsFollowTheExponentialMapping)
{
    const auto lpCut = makeLPCut();
    for (const TextCase& c : {TextCase{0., "500"}, {0.5, "2828"}, {0.8, "8000"}, {1., "16000"}})
        EXPECT_EQ(textOf(*lpCut, c.normalized), c.text) << c.normalized;
    const auto predelay = makePredelay();
    for (const TextCase& c : {TextCase{0., "1.0"}, {0.5, "15.8"}, {1., "250.0"}})
        EXPECT_EQ(textOf(*predelay, c.normalized), c.text) << c.normalized;
}

TEST(TKRangeParameters, DefaultsComeFromTheirOwnMapping)
{
    EXPECT_EQ(makeLPCut()->getInfo().defaultNormalizedValue, std::log(16.) / std::log(32.));
    EXPECT_EQ(makePredelay()->getInfo().defaultNormalizedValue, 0.);
    EXPECT_EQ(makeLevel()->getNormalized(), 0.75);

    const auto rvbTime = make<TKRangeParameter>(0.2, 1.2, 0.35, 2);
    EXPECT_EQ(rvbTime->getInfo().defaultNormalizedValue, 0.14999999999999997);
    EXPECT_EQ(textOf(*rvbTime, rvbTime->getNormalized()), "0.35");
}

TEST(TKRangeParameters, FreshParameterDescribesItself)
{
    const auto lpCut = makeLPCut();
    const ParameterInfo& info = lpCut->getInfo();
    EXPECT_EQ(narrow(info.title), "Test");
    EXPECT_EQ(narrow(info.units), "u");
    EXPECT_EQ(info.shortTitle[0], 0);
    EXPECT_EQ(info.id, 1u);
    EXPECT_EQ(info.flags, kAutomate);
    EXPECT_EQ(info.stepCount, 0);
    EXPECT_EQ(info.unitId, 0);
    EXPECT_EQ(lpCut->getNormalized(), info.defaultNormalizedValue);
    EXPECT_EQ(lpCut->getMin(), 500.);
    EXPECT_EQ(lpCut->getMax(), 16000.);
    EXPECT_EQ(make<TKRangeParameter>(0., 1., 0., 4)->getPrecision(), 4);
    // They keep the SDK's class name.
    EXPECT_STREQ(lpCut->isA(), "RangeParameter");
    EXPECT_STREQ(makeLevel()->isA(), "RangeParameter");
}

TEST(TKRangeParameters, ConversionsDoNotClamp)
{
    const auto level = makeLevel();
    EXPECT_NEAR(level->toPlain(1.25), 24., 1e-12);
    EXPECT_NEAR(level->toPlain(-0.1), -40.8, 1e-12);
    EXPECT_NEAR(level->toNormalized(24.), 1.25, 1e-12);

    const auto lpCut = makeLPCut();
    EXPECT_NEAR(lpCut->toPlain(0.5), 500. * std::sqrt(32.), 1e-9);
    EXPECT_NEAR(lpCut->toNormalized(32000.), 1.2, 1e-12);
    EXPECT_NEAR(lpCut->toNormalized(250.), -0.2, 1e-12);
    EXPECT_NEAR(lpCut->toPlain(1.2), 32000., 1e-7);
}

TEST(TKExpRangeParameter, PlainValuesWithoutALogarithmMapToTheLowEnd)
{
    const auto lpCut = makeLPCut();
    for (double plain : {0., -0., -100., kNaN, -std::numeric_limits<double>::infinity()})
        EXPECT_EQ(lpCut->toNormalized(plain), 0.) << plain;
    EXPECT_EQ(make<TKExpRangeParameter>(1., 250., kNaN, 1)->getNormalized(), 0.);
    EXPECT_EQ(make<TKRangeParameter>(0., 100., kNaN, 0)->getNormalized(), 0.);
}

TEST(TKRangeParameters, FromStringClampsThePlainValueAndUsesTheClassMapping)
{
    struct Case {
        IPtr<RangeParameter> parameter;
        std::string text;
        ParamValue expected;
    };
    const Case cases[] = {
        {makePredelay(), "300", 1.},
        {makePredelay(), "0", 0.},
        {makeLevel(), "-5", 31. / 48.},
        {makeLevel(), "-50", 0.},
        {makeLPCut(), "8000", std::log(16.) / std::log(32.)},
        {makeLPCut(), "2828.4271247", 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ParamValue normalized = -1.;
        ASSERT_TRUE(c.parameter->fromString(widen(c.text).c_str(), normalized));
        EXPECT_NEAR(normalized, c.expected, 1e-9);
    }
    for (const char* text : {"", "abc", "nan", "On"}) {
        ParamValue normalized = -1.;
        EXPECT_FALSE(makeLPCut()->fromString(widen(text).c_str(), normalized)) << text;
        EXPECT_EQ(normalized, -1.);
    }
}

TEST(NearlyEqual, UsesTheZeroClampThresholdAndAcceptsNaN)
{
    EXPECT_TRUE(nearlyEqual(1., 1.));
    EXPECT_TRUE(nearlyEqual(1., 1.00004));
    EXPECT_FALSE(nearlyEqual(1., 1.00006));
    EXPECT_FALSE(nearlyEqual(0., 5e-5));
    EXPECT_TRUE(nearlyEqual(kNaN, 1.));
    EXPECT_TRUE(
        nearlyEqual(std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()));
}

}  // namespace
}  // namespace Steinberg::Vst
