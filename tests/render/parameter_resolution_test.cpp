#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "tools/host/com_object.h"
#include "tools/host/text.h"
#include "tools/render/parameter_resolution.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using morvik::render::ParameterCatalog;
using morvik::render::ParameterSetting;
using morvik::render::parseRenderOptions;
using morvik::render::resolveParameters;
using morvik::render::withoutUnits;

// A controller with linear plain ranges that converts texts the way the SDK's
// range parameters do: a number, kept within the range.
class FakeController : public morvik::host::ComObject<IEditController> {
public:
    struct Parameter {
        ParamID id;
        const char16_t* title;
        const char16_t* units;
        double min;
        double max;
    };

    static constexpr ParamID kAnswersOutOfRange = 9;

    tresult initialize(FUnknown*) override { return kResultOk; }
    tresult terminate() override { return kResultOk; }
    tresult setComponentState(IBStream*) override { return kResultOk; }
    tresult setState(IBStream*) override { return kNotImplemented; }
    tresult getState(IBStream*) override { return kNotImplemented; }
    int32 getParameterCount() override { return static_cast<int32>(parameters.size()); }

    tresult getParameterInfo(int32 index, ParameterInfo& info) override
    {
        if (index < 0 || index >= getParameterCount())
            return kInvalidArgument;
        const Parameter& parameter = parameters[static_cast<std::size_t>(index)];
        info = {};
        info.id = parameter.id;
        morvik::host::copyToString128(parameter.title, info.title);
        morvik::host::copyToString128(parameter.units, info.units);
        info.defaultNormalizedValue = 0.5;
        return kResultOk;
    }

    tresult getParamStringByValue(ParamID id, ParamValue normalized, String128 text) override
    {
        const Parameter* parameter = find(id);
        if (!parameter)
            return kInvalidArgument;
        char plain[32];
        std::snprintf(plain, sizeof(plain), "%.2f",
                      parameter->min + normalized * (parameter->max - parameter->min));
        morvik::host::copyToString128(morvik::host::toUtf16(plain), text);
        return kResultOk;
    }

    tresult getParamValueByString(ParamID id, TChar* text, ParamValue& normalized) override
    {
        const Parameter* parameter = find(id);
        if (!parameter || !text)
            return kInvalidArgument;
        const std::string utf8 = morvik::host::toUtf8(text, 128);
        char* end = nullptr;
        const double plain = std::strtod(utf8.c_str(), &end);
        if (utf8.empty() || *end != '\0')
            return kResultFalse;
        if (id == kAnswersOutOfRange) {
            normalized = 1.5;
            return kResultOk;
        }
        const double clamped = std::fmin(std::fmax(plain, parameter->min), parameter->max);
        normalized = (clamped - parameter->min) / (parameter->max - parameter->min);
        return kResultOk;
    }

    ParamValue normalizedParamToPlain(ParamID id, ParamValue value) override
    {
        const Parameter* parameter = find(id);
        return parameter ? parameter->min + value * (parameter->max - parameter->min) : value;
    }
    ParamValue plainParamToNormalized(ParamID, ParamValue value) override { return value; }
    ParamValue getParamNormalized(ParamID) override { return 0.0; }
    tresult setParamNormalized(ParamID, ParamValue) override { return kResultOk; }
    tresult setComponentHandler(IComponentHandler*) override { return kResultOk; }
    IPlugView* createView(FIDString) override { return nullptr; }

private:
    const Parameter* find(ParamID id) const
    {
        for (const Parameter& parameter : parameters)
            if (parameter.id == id)
                return &parameter;
        return nullptr;
    }

    std::vector<Parameter> parameters{
        {0, u"Bypass", u"", 0.0, 1.0},
        {2, u"Mix", u"%", 0.0, 100.0},
        {4, u"Rvb Time", u"s", 0.2, 1.2},
        {6, u"LPCut", u"Hz", 500.0, 16000.0},
        {kAnswersOutOfRange, u"Broken", u"", 0.0, 1.0},
    };
};

std::vector<ParameterSetting> settings(std::initializer_list<std::string_view> texts)
{
    std::vector<ParameterSetting> result;
    for (const std::string_view text : texts) {
        const std::string_view arguments[] = {"--set", text};
        auto parsed = parseRenderOptions(arguments);
        EXPECT_TRUE(parsed) << parsed.error();
        if (parsed)
            result.push_back(parsed->settings.at(0));
    }
    return result;
}

class ParameterResolution : public ::testing::Test {
protected:
    Steinberg::IPtr<FakeController> controller = morvik::host::create<FakeController>();
    ParameterCatalog catalog = ParameterCatalog::fromController(*controller);
};

TEST_F(ParameterResolution, ConvertsPlainValuesThroughTheControllerWithOrWithoutUnits)
{
    struct Case {
        std::string_view setting;
        ParamID id;
        double normalized;
    };
    const Case cases[] = {
        {"Mix=30", 2, 0.3},
        {"Mix=30%", 2, 0.3},
        {"Mix = 30 %", 2, 0.3},
        {"mix=30", 2, 0.3},
        {"Mix=250", 2, 1.0},  // the controller keeps it within the range
        {"Rvb Time=0.8 s", 4, 0.6},
        {"Rvb Time=0.8s", 4, 0.6},
        {"LPCut=4000Hz", 6, 3500.0 / 15500.0},
        {"LPCut=4000 hz", 6, 3500.0 / 15500.0},
        {"Bypass=1", 0, 1.0},
        {"Mix=+30", 2, 0.3},
        {"LPCut=4e3 Hz", 6, 3500.0 / 15500.0},
        {"2=0.25", 2, 0.25},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(std::string(entry.setting));
        const auto resolved = resolveParameters(settings({entry.setting}), catalog);
        ASSERT_TRUE(resolved) << resolved.error();
        ASSERT_EQ(resolved->size(), 1u);
        EXPECT_EQ(resolved->at(0).id, entry.id);
        EXPECT_NEAR(resolved->at(0).normalized, entry.normalized, 1e-12);
    }
}

TEST_F(ParameterResolution, NamesTheParameterAndShowsTheControllersText)
{
    const auto resolved = resolveParameters(settings({"Mix=30%"}), catalog);
    ASSERT_TRUE(resolved) << resolved.error();
    EXPECT_EQ(resolved->at(0).title, "Mix");
    EXPECT_EQ(resolved->at(0).valueText, "30.00");
}

TEST_F(ParameterResolution, KeepsOneValuePerParameterTheLastGiven)
{
    const auto resolved = resolveParameters(settings({"Rvb Time=0.7", "Mix=30", "2=0.9"}), catalog);
    ASSERT_TRUE(resolved) << resolved.error();
    ASSERT_EQ(resolved->size(), 2u);
    EXPECT_EQ(resolved->at(0).id, 4u);
    EXPECT_EQ(resolved->at(1).id, 2u);
    EXPECT_EQ(resolved->at(1).normalized, 0.9);
}

TEST_F(ParameterResolution, RejectsWhatTheControllerCannotTake)
{
    struct Case {
        std::string_view setting;
        std::string_view messagePart;
    };
    const Case cases[] = {
        {"Mix=loud",
         "\"loud\" is not a value of Mix; give a number from 0 to 100 %, with or without the units"},
        {"Mix=%", "is not a value of Mix"},
        {"Mix=30 dB", "is not a value of Mix"},
        // Texts the controller would read in part: a number followed by more.
        {"LPCut=4 kHz", "\"4 kHz\" is not a value of LPCut; give a number from 500 to 16000 Hz"},
        {"Rvb Time=800 ms", "\"800 ms\" is not a value of Rvb Time; give a number from 0.2 to 1.2 s"},
        {"Mix=0x20", "is not a value of Mix"},
        {"Mix=30abc", "is not a value of Mix"},
        {"Mix=inf", "is not a value of Mix"},
        {"Broken=0.5", "is not a value of Broken; give a number from 0 to 1"},  // answered outside 0..1
        {"Reverb=1", "no parameter titled \"Reverb\""},
        {"7=0.5", "no parameter 7"},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(std::string(entry.setting));
        const auto resolved = resolveParameters(settings({entry.setting}), catalog);
        ASSERT_FALSE(resolved);
        EXPECT_NE(resolved.error().find(entry.messagePart), std::string::npos) << resolved.error();
    }
}

TEST_F(ParameterResolution, BringsANumberOutsideTheRangeToItsNearestEndWithAWarning)
{
    struct Case {
        std::string_view setting;
        double normalized;
        std::optional<std::string_view> warning;
    };
    const Case cases[] = {
        {"Mix=250", 1.0,
         "--set Mix=250: 250 is outside the range of Mix (from 0 to 100 %); 100.00 % is used"},
        {"Mix=-5 %", 0.0, "-5 is outside the range of Mix"},
        {"Mix=100", 1.0, std::nullopt},
        {"LPCut=500", 0.0, std::nullopt},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(std::string(entry.setting));
        const auto resolved = resolveParameters(settings({entry.setting}), catalog);
        ASSERT_TRUE(resolved) << resolved.error();
        EXPECT_EQ(resolved->at(0).normalized, entry.normalized);
        EXPECT_EQ(resolved->at(0).warning.has_value(), entry.warning.has_value());
        if (entry.warning && resolved->at(0).warning) {
            EXPECT_NE(resolved->at(0).warning->find(*entry.warning), std::string::npos)
                << *resolved->at(0).warning;
        }
    }
}

TEST(ParameterResolutionWithoutController, TakesOnlyTheProcessorsNumericIds)
{
    const ParameterCatalog catalog = ParameterCatalog::withoutController();

    const auto numeric = resolveParameters(settings({"4=0.5", "8=0"}), catalog);
    ASSERT_TRUE(numeric) << numeric.error();
    ASSERT_EQ(numeric->size(), 2u);
    EXPECT_EQ(numeric->at(0).id, 4u);
    EXPECT_EQ(numeric->at(0).normalized, 0.5);
    EXPECT_TRUE(numeric->at(0).title.empty());
    EXPECT_FALSE(numeric->at(0).valueText);

    const auto title = resolveParameters(settings({"Mix=30"}), catalog);
    ASSERT_FALSE(title);
    EXPECT_NE(title.error().find("titles are unknown"), std::string::npos) << title.error();

    const auto noSuchId = resolveParameters(settings({"7=0.5"}), catalog);
    ASSERT_FALSE(noSuchId);
    EXPECT_NE(noSuchId.error().find("no parameter 7"), std::string::npos) << noSuchId.error();
}

TEST(WithoutUnits, StripsMatchingUnitsAndBlanksOnly)
{
    struct Case {
        std::string_view text;
        std::string_view units;
        std::string_view expected;
    };
    const Case cases[] = {
        {"30%", "%", "30"},    {" 0.8 s ", "s", "0.8"}, {"4000HZ", "Hz", "4000"},
        {"-3 dB", "dB", "-3"}, {"30", "%", "30"},       {"30", "", "30"},
        {"%", "%", "%"},       {"30 %", "", "30 %"},    {"12 kHz", "Hz", "12 k"},
    };
    for (const Case& entry : cases)
        EXPECT_EQ(withoutUnits(entry.text, entry.units), entry.expected)
            << entry.text << " / " << entry.units;
}

}  // namespace
