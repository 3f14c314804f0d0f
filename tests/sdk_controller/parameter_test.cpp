#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "sdk/vst3/controller/parameters.h"
#include "tests/sdk_controller/changecounter.h"
#include "tests/support/texts.h"

namespace Steinberg::Vst {
namespace {

using morvik::testing::ChangeCounter;
using morvik::testing::narrow;
using morvik::testing::widen;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

IPtr<Parameter> makeParameter(int32 stepCount = 0, ParamValue defaultNormalized = 0.25)
{
    return owned(new Parameter(u"Amount", 7, u"%", defaultNormalized, stepCount));
}

std::string textOf(const Parameter& parameter, ParamValue valueNormalized)
{
    String128 text{u'x', 0};
    parameter.toString(valueNormalized, text);
    return narrow(text);
}

TEST(Parameter, ConstructorFillsTheInfo)
{
    const auto parameter = owned(new Parameter(
        u"Amount", 7, u"%", 0.25, 3, ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass, 12, u"Amt"));
    const ParameterInfo& info = parameter->getInfo();
    EXPECT_EQ(info.id, 7u);
    EXPECT_EQ(narrow(info.title), "Amount");
    EXPECT_EQ(narrow(info.shortTitle), "Amt");
    EXPECT_EQ(narrow(info.units), "%");
    EXPECT_EQ(info.stepCount, 3);
    EXPECT_EQ(info.defaultNormalizedValue, 0.25);
    EXPECT_EQ(info.unitId, 12);
    EXPECT_EQ(info.flags, 0x10001);
    EXPECT_EQ(parameter->getNormalized(), 0.25);
    EXPECT_EQ(parameter->getPrecision(), 4);
}

TEST(Parameter, TextsAreCutToTheirFieldAndNullTextsStayEmpty)
{
    const std::u16string longTitle(300, u'T');
    const auto parameter = owned(new Parameter(longTitle.c_str(), 1, nullptr));
    const ParameterInfo& info = parameter->getInfo();
    EXPECT_EQ(info.title[127], 0);
    EXPECT_EQ(std::char_traits<TChar>::length(info.title), 127u);
    EXPECT_EQ(info.units[0], 0);
    EXPECT_EQ(info.shortTitle[0], 0);
}

TEST(Parameter, ImpossibleDefaultsAreBroughtIntoRange)
{
    EXPECT_EQ(makeParameter(0, 1.5)->getInfo().defaultNormalizedValue, 1.);
    EXPECT_EQ(makeParameter(0, -2.)->getNormalized(), 0.);
    EXPECT_EQ(makeParameter(0, kNaN)->getNormalized(), 0.);
}

TEST(Parameter, SetNormalizedClampsRefusesNaNAndNotifiesOnlyChanges)
{
    struct Step {
        ParamValue input;
        bool expectedAnswer;
        ParamValue expectedValue;
        int expectedNotifications;
    };
    const Step steps[] = {
        {0.5, true, 0.5, 1},  {0.5, false, 0.5, 1}, {1.7, true, 1., 2},   {1., false, 1., 2},
        {kNaN, false, 1., 2}, {-3., true, 0., 3},   {-0.1, false, 0., 3}, {0.25, true, 0.25, 4},
    };

    const auto parameter = makeParameter();
    ChangeCounter counter(parameter);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.input);
        EXPECT_EQ(parameter->setNormalized(step.input), step.expectedAnswer);
        EXPECT_EQ(parameter->getNormalized(), step.expectedValue);
        EXPECT_EQ(counter.count, step.expectedNotifications);
    }
    EXPECT_EQ(counter.lastChanged, parameter->unknownCast());
    EXPECT_EQ(counter.lastMessage, IDependent::kChanged);
}

TEST(Parameter, OneStepReadsAsOnOrOff)
{
    const auto parameter = makeParameter(1, 0.);
    EXPECT_EQ(textOf(*parameter, 0.), "Off");
    EXPECT_EQ(textOf(*parameter, 0.5), "Off");
    EXPECT_EQ(textOf(*parameter, 0.51), "On");
    EXPECT_EQ(textOf(*parameter, 1.), "On");
}

TEST(Parameter, SeveralStepsReadAsTheStepNumber)
{
    const auto parameter = makeParameter(4, 0.);
    const std::pair<ParamValue, std::string> cases[] = {
        {0., "0"},   {-0., "0"}, {0.19, "0"}, {0.2, "1"}, {0.5, "2"},
        {0.99, "4"}, {1., "4"},  {7., "4"},   {-1., "0"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(textOf(*parameter, value), text) << value;
}

TEST(Parameter, ContinuousValuesPrintWithThePrecision)
{
    const auto parameter = makeParameter();
    EXPECT_EQ(textOf(*parameter, 0.123456), "0.1235");
    parameter->setPrecision(1);
    EXPECT_EQ(textOf(*parameter, 0.123456), "0.1");
    parameter->setPrecision(0);
    EXPECT_EQ(textOf(*parameter, 0.7), "1");
}

TEST(Parameter, ToStringIgnoresANullBuffer)
{
    makeParameter()->toString(0.5, nullptr);
}

TEST(Parameter, StepScaling)
{
    const auto parameter = makeParameter(4, 0.);
    EXPECT_EQ(parameter->toPlain(0.), 0.);
    EXPECT_EQ(parameter->toPlain(0.2), 1.);
    EXPECT_EQ(parameter->toPlain(0.79), 3.);
    EXPECT_EQ(parameter->toPlain(1.), 4.);
    EXPECT_EQ(parameter->toNormalized(2.), 0.5);

    const auto continuous = makeParameter();
    EXPECT_EQ(continuous->toPlain(0.3), 0.3);
    EXPECT_EQ(continuous->toNormalized(0.3), 0.3);
}

TEST(Parameter, FromString)
{
    struct Case {
        int32 stepCount;
        std::string text;
        bool parsed;
        ParamValue expected;  // left untouched (-1) when not parsed
    };
    const Case cases[] = {
        {1, "On", true, 1.}, {1, "Off", true, 0.},   {1, "1", true, 1.},    {0, "0.3", true, 0.3},
        {0, "2", true, 1.},  {0, "-4", true, 0.},    {4, "2", true, 0.5},   {0, "abc", false, -1.},
        {0, "", false, -1.}, {0, "nan", false, -1.}, {0, "On", false, -1.},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ParamValue value = -1.;
        EXPECT_EQ(makeParameter(c.stepCount)->fromString(widen(c.text).c_str(), value), c.parsed);
        EXPECT_EQ(value, c.expected);
    }
    ParamValue value = -1.;
    EXPECT_FALSE(makeParameter()->fromString(nullptr, value));
}

TEST(Parameter, ClassName)
{
    const auto parameter = makeParameter();
    EXPECT_STREQ(parameter->isA(), "Parameter");
    EXPECT_TRUE(parameter->isTypeOf("FObject"));
    EXPECT_FALSE(parameter->isTypeOf("RangeParameter"));
}

}  // namespace
}  // namespace Steinberg::Vst
