#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "source/controller/plugcontroller.h"
#include "source/processor/parameterids.h"
#include "tests/support/faulty_stream.h"
#include "tests/support/state_record.h"
#include "tests/support/texts.h"
#include "tools/host/memory_stream.h"

namespace Steinberg::Vst {
namespace {

using morvik::host::MemoryStream;
using morvik::testing::FaultyStream;
using morvik::testing::narrow;
using morvik::testing::stateRecord;
using morvik::testing::widen;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr ParamID kAllIds[] = {kParamBypass,  kParamLevel,     kParamMix,   kParamPredelay,
                               kParamRvbTime, kParamDiffusion, kParamLPCut, kParamSlope};

class PlugControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(controller, nullptr);
        ASSERT_EQ(controller->initialize(nullptr), kResultOk);
    }
    void TearDown() override
    {
        if (controller) {
            controller->terminate();
            controller->release();
        }
    }

    std::string text(ParamID id, ParamValue value)
    {
        String128 buffer{};
        EXPECT_EQ(controller->getParamStringByValue(id, value, buffer), kResultOk);
        return narrow(buffer);
    }
    std::vector<ParamValue> allValues()
    {
        std::vector<ParamValue> values;
        for (ParamID id : kAllIds)
            values.push_back(controller->getParamNormalized(id));
        return values;
    }

    IEditController* controller = static_cast<IEditController*>(PlugController::createInstance(nullptr));
};

TEST_F(PlugControllerTest, PublishesTheEightParametersInOrder)
{
    struct Row {
        ParamID id;
        std::string title;
        std::string units;
        int32 flags;
        int32 stepCount;
        ParamValue defaultNormalized;
        std::string defaultText;
    };
    const Row rows[] = {
        {0, "Bypass", "", 0x10001, 1, 0., "Off"},
        {1, "Level", "dB", 1, 0, 0.75, "0.00"},
        {2, "Mix", "%", 1, 0, 0.5, "50"},
        {3, "Predelay", "ms", 1, 0, 0., "1.0"},
        {4, "Rvb Time", "s", 1, 0, 0.14999999999999997, "0.35"},
        {5, "Diffusion", "%", 1, 0, 1., "100"},
        {6, "LPCut", "Hz", 1, 0, std::log(16.) / std::log(32.), "8000"},
        {8, "Slope", "%", 1, 0, 1., "100"},
    };
    ASSERT_EQ(controller->getParameterCount(), 8);
    for (int32 index = 0; index < 8; ++index) {
        const Row& row = rows[index];
        SCOPED_TRACE(row.title);
        ParameterInfo info{};
        ASSERT_EQ(controller->getParameterInfo(index, info), kResultOk);
        EXPECT_EQ(info.id, row.id);
        EXPECT_EQ(narrow(info.title), row.title);
        EXPECT_EQ(narrow(info.units), row.units);
        EXPECT_EQ(info.shortTitle[0], 0);
        EXPECT_EQ(info.flags, row.flags);
        EXPECT_EQ(info.stepCount, row.stepCount);
        EXPECT_EQ(info.unitId, kRootUnitId);
        EXPECT_EQ(info.defaultNormalizedValue, row.defaultNormalized);
        EXPECT_EQ(controller->getParamNormalized(row.id), row.defaultNormalized);
        EXPECT_EQ(text(row.id, row.defaultNormalized), row.defaultText);
    }
    ParameterInfo info{};
    EXPECT_EQ(controller->getParameterInfo(8, info), kResultFalse);
}

TEST_F(PlugControllerTest, ValueTexts)
{
    struct Case {
        ParamID id;
        ParamValue normalized;
        std::string text;
    };
    const Case cases[] = {
        {kParamBypass, 1., "On"},         {kParamBypass, 0.5, "Off"},      {kParamLevel, 0.75, "0.00"},
        {kParamLevel, 0.7499999, "0.00"}, {kParamLevel, 0.74998, "-0.00"}, {kParamLevel, 0., "-36.00"},
        {kParamLPCut, 0., "500"},         {kParamLPCut, 0.5, "2828"},      {kParamLPCut, 0.8, "8000"},
        {kParamLPCut, 1., "16000"},       {kParamPredelay, 0., "1.0"},     {kParamPredelay, 0.5, "15.8"},
        {kParamPredelay, 1., "250.0"},    {kParamRvbTime, 1., "1.20"},     {kParamMix, 0.255, "26"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(text(c.id, c.normalized), c.text) << c.id << " at " << c.normalized;
}

TEST_F(PlugControllerTest, TypedValues)
{
    struct Case {
        ParamID id;
        std::string typed;
        ParamValue expected;
    };
    const Case cases[] = {
        {kParamPredelay, "300", 1.}, {kParamLevel, "-5", 31. / 48.},
        {kParamLevel, "-99", 0.},    {kParamLPCut, "8000", std::log(16.) / std::log(32.)},
        {kParamMix, "25", 0.25},     {kParamBypass, "On", 1.},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        std::u16string typed = widen(c.typed);
        ParamValue value = -1.;
        ASSERT_EQ(controller->getParamValueByString(c.id, typed.data(), value), kResultOk);
        EXPECT_NEAR(value, c.expected, 1e-12);
    }
    for (const char* notANumber : {"loud", "", "nan"}) {
        std::u16string typed = widen(notANumber);
        ParamValue value = -1.;
        EXPECT_EQ(controller->getParamValueByString(kParamMix, typed.data(), value), kResultFalse)
            << notANumber;
        EXPECT_EQ(value, -1.);
    }
}

TEST_F(PlugControllerTest, ComponentStateSetsEveryParameter)
{
    MemoryStream stream(stateRecord(1, {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 9., 9., 9., 9., 9., 9.}));
    ASSERT_EQ(controller->setComponentState(&stream), kResultOk);
    const std::vector<ParamValue> expected = {1., 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7};
    EXPECT_EQ(allValues(), expected);

    MemoryStream bypassOff(stateRecord(0, {}));
    ASSERT_EQ(controller->setComponentState(&bypassOff), kResultOk);
    EXPECT_EQ(controller->getParamNormalized(kParamBypass), 0.);
}

// As the processor runs them: clamped to [0, 1], NaN as the processor's default.
TEST_F(PlugControllerTest, ImpossibleStoredValuesAreClampedOrDefaulted)
{
    controller->setParamNormalized(kParamLevel, 0.3);
    controller->setParamNormalized(kParamRvbTime, 0.9);
    MemoryStream stream(stateRecord(-1, {kNaN, 2., -kInfinity, kNaN, kInfinity, 0.5, 0.25}));
    ASSERT_EQ(controller->setComponentState(&stream), kResultOk);
    const std::vector<ParamValue> expected = {0., 0.75, 1., 0., 0.15, 1., 0.5, 0.25};
    EXPECT_EQ(allValues(), expected);
}

TEST_F(PlugControllerTest, IncompleteStreamsChangeNothing)
{
    controller->setParamNormalized(kParamMix, 0.9);
    const std::vector<ParamValue> before = allValues();
    std::vector<uint8> oneShort = stateRecord(1, {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7});
    oneShort.pop_back();
    std::vector<uint8> headerOnly = stateRecord(1, {});
    headerOnly.resize(12);

    EXPECT_EQ(controller->setComponentState(nullptr), kResultFalse);
    for (const std::vector<uint8>& bytes : {oneShort, headerOnly, std::vector<uint8>{}}) {
        MemoryStream stream(bytes);
        EXPECT_EQ(controller->setComponentState(&stream), kResultFalse) << bytes.size() << " bytes";
        EXPECT_EQ(allValues(), before);
    }
    FaultyStream failing(stateRecord(1, {0.1}));
    failing.failAll = true;
    EXPECT_EQ(controller->setComponentState(&failing), kResultFalse);
    EXPECT_EQ(allValues(), before);
}

TEST_F(PlugControllerTest, SecondInitializeRegistersNothingMore)
{
    EXPECT_EQ(controller->initialize(nullptr), kResultOk);
    EXPECT_EQ(controller->getParameterCount(), 8);

    ASSERT_EQ(controller->terminate(), kResultOk);
    EXPECT_EQ(controller->getParameterCount(), 0);
    EXPECT_EQ(controller->initialize(nullptr), kResultOk);
    EXPECT_EQ(controller->getParameterCount(), 8);
}

TEST_F(PlugControllerTest, IdSevenAndOtherUnknownIdsAreRefused)
{
    for (ParamID id : {7u, 9u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(id);
        String128 buffer{};
        std::u16string typed = u"1";
        ParamValue value = -1.;
        EXPECT_EQ(controller->getParamStringByValue(id, 0.5, buffer), kResultFalse);
        EXPECT_EQ(controller->getParamValueByString(id, typed.data(), value), kResultFalse);
        EXPECT_EQ(value, -1.);
        EXPECT_EQ(controller->setParamNormalized(id, 0.5), kResultFalse);
        EXPECT_EQ(controller->getParamNormalized(id), 0.);
        EXPECT_EQ(controller->normalizedParamToPlain(id, 0.5), 0.5);
        EXPECT_EQ(controller->plainParamToNormalized(id, 3.), 3.);
    }
}

TEST_F(PlugControllerTest, ControllerKeepsNoStateOfItsOwn)
{
    MemoryStream stream(stateRecord(0, {}));
    EXPECT_EQ(controller->setState(&stream), kNotImplemented);
    EXPECT_EQ(controller->getState(&stream), kNotImplemented);
}

TEST_F(PlugControllerTest, CreateInstanceAnswersTheEditControllerInterface)
{
    IEditController* queried = nullptr;
    ASSERT_EQ(controller->queryInterface(IEditController::iid, reinterpret_cast<void**>(&queried)),
              kResultOk);
    EXPECT_EQ(queried, controller);
    queried->release();
    EXPECT_EQ(controller->createView("Editor"), nullptr);
    EXPECT_EQ(controller->createView(nullptr), nullptr);
}

TEST(PlugControllerAboutList, AddsInOrderAndRemovesTheFirstMatch)
{
    // The list only compares pointers, so stand-ins for about controllers will do.
    using About = PlugController::AboutController;
    alignas(8) char storage[3][8]{};
    About* first = reinterpret_cast<About*>(storage[0]);
    About* second = reinterpret_cast<About*>(storage[1]);
    About* stranger = reinterpret_cast<About*>(storage[2]);

    IPtr<PlugController> controller = Steinberg::owned(new PlugController);
    controller->addAboutController(first);
    controller->addAboutController(second);
    controller->addAboutController(nullptr);
    EXPECT_EQ(controller->getAboutControllers(), (std::vector<About*>{first, second}));

    controller->removeAboutController(stranger);
    controller->removeAboutController(first);
    EXPECT_EQ(controller->getAboutControllers(), (std::vector<About*>{second}));
    controller->removeAboutController(second);
    controller->removeAboutController(second);
    EXPECT_TRUE(controller->getAboutControllers().empty());
}

}  // namespace
}  // namespace Steinberg::Vst
