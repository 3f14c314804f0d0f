#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "sdk/vst3/controller/editcontroller.h"
#include "tests/sdk_controller/changecounter.h"
#include "tests/sdk_controller/recordinghandler.h"
#include "tests/support/texts.h"

namespace Steinberg::Vst {
namespace {

using morvik::testing::ChangeCounter;
using morvik::testing::narrow;
using morvik::testing::RecordingHandler;
using morvik::testing::widen;
using Kind = RecordingHandler::Kind;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr ParamID kSwitchId = 10;
constexpr ParamID kGainId = 20;
constexpr ParamID kUnknownId = 99;

// Registers a switch and a -10..10 dB range, and counts initialize() calls.
class TwoParameterController : public EditController {
public:
    tresult initialize(FUnknown* context) override
    {
        ++initializeCalls;
        const tresult result = EditController::initialize(context);
        if (result == kResultOk) {
            parameters.addParameter(u"Switch", nullptr, 1, 0.,
                                    ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass, kSwitchId);
            parameters.addParameter(new RangeParameter(u"Gain", kGainId, u"dB", -10., 10., 0.));
        }
        return result;
    }
    Parameter* parameter(ParamID id) { return parameters.getParameter(id); }
    Parameter* add(Parameter* parameter) { return parameters.addParameter(parameter); }

    int initializeCalls = 0;
};

// Everything a parameter can be asked throws, as a subclass with a fault might.
class ThrowingParameter : public Parameter {
public:
    ThrowingParameter() : Parameter(u"Faulty", 30) {}
    void toString(ParamValue, String128) const override { throw std::runtime_error("toString"); }
    bool fromString(const TChar*, ParamValue&) const override { throw std::bad_alloc(); }
    ParamValue toPlain(ParamValue) const override { throw std::runtime_error("toPlain"); }
    ParamValue toNormalized(ParamValue) const override { throw std::runtime_error("toNormalized"); }
    bool setNormalized(ParamValue) override { throw std::runtime_error("setNormalized"); }
};

class EditControllerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(controller->initialize(nullptr), kResultOk); }

    std::string text(ParamID id, ParamValue value)
    {
        String128 buffer{};
        EXPECT_EQ(controller->getParamStringByValue(id, value, buffer), kResultOk);
        return narrow(buffer);
    }

    RecordingHandler handler;
    IPtr<TwoParameterController> controller = owned(new TwoParameterController);
};

TEST_F(EditControllerTest, ParametersByIndex)
{
    ASSERT_EQ(controller->getParameterCount(), 2);
    ParameterInfo info{};
    ASSERT_EQ(controller->getParameterInfo(0, info), kResultOk);
    EXPECT_EQ(info.id, kSwitchId);
    EXPECT_EQ(narrow(info.title), "Switch");
    EXPECT_EQ(info.flags, 0x10001);
    ASSERT_EQ(controller->getParameterInfo(1, info), kResultOk);
    EXPECT_EQ(info.id, kGainId);
    EXPECT_EQ(narrow(info.units), "dB");
    EXPECT_EQ(info.defaultNormalizedValue, 0.5);

    for (int32 badIndex : {-1, 2, std::numeric_limits<int32>::max(), std::numeric_limits<int32>::min()})
        EXPECT_EQ(controller->getParameterInfo(badIndex, info), kResultFalse) << badIndex;
}

TEST_F(EditControllerTest, ConversionsByIdGoToTheParameter)
{
    EXPECT_EQ(text(kSwitchId, 1.), "On");
    EXPECT_EQ(text(kSwitchId, 0.), "Off");
    EXPECT_EQ(text(kGainId, 0.75), "5.0000");
    EXPECT_EQ(controller->normalizedParamToPlain(kGainId, 1.5), 20.);
    EXPECT_EQ(controller->plainParamToNormalized(kGainId, -20.), -0.5);

    ParamValue value = -1.;
    std::u16string typed = u"2.5";
    ASSERT_EQ(controller->getParamValueByString(kGainId, typed.data(), value), kResultOk);
    EXPECT_DOUBLE_EQ(value, 0.625);
    std::u16string on = u"On";
    ASSERT_EQ(controller->getParamValueByString(kSwitchId, on.data(), value), kResultOk);
    EXPECT_EQ(value, 1.);
}

TEST_F(EditControllerTest, UnparsableTextAnswersFalseAndLeavesTheValue)
{
    ParamValue value = -1.;
    std::u16string words = u"loud";
    EXPECT_EQ(controller->getParamValueByString(kGainId, words.data(), value), kResultFalse);
    EXPECT_EQ(value, -1.);
}

TEST_F(EditControllerTest, UnknownIdsAndNullTextsAreRefused)
{
    String128 buffer{};
    ParamValue value = -1.;
    std::u16string typed = u"1";
    controller->setComponentHandler(&handler);

    // Unknown ids answer as the inherited controller does; bad arguments are refused.
    EXPECT_EQ(controller->getParamStringByValue(kUnknownId, 0.5, buffer), kResultFalse);
    EXPECT_EQ(controller->getParamValueByString(kUnknownId, typed.data(), value), kResultFalse);
    EXPECT_EQ(controller->getParamStringByValue(kGainId, 0.5, nullptr), kInvalidArgument);
    EXPECT_EQ(controller->getParamValueByString(kGainId, nullptr, value), kInvalidArgument);
    EXPECT_EQ(controller->getParamStringByValue(kGainId, kNaN, buffer), kInvalidArgument);
    EXPECT_EQ(value, -1.);
    EXPECT_EQ(controller->normalizedParamToPlain(kUnknownId, 0.3), 0.3);
    EXPECT_EQ(controller->plainParamToNormalized(kUnknownId, 42.), 42.);
    EXPECT_EQ(controller->getParamNormalized(kUnknownId), 0.);
    EXPECT_EQ(controller->setParamNormalized(kUnknownId, 0.5), kResultFalse);
    EXPECT_EQ(controller->beginEdit(kUnknownId), kInvalidArgument);
    EXPECT_EQ(controller->performEdit(kUnknownId, 0.5), kInvalidArgument);
    EXPECT_EQ(controller->endEdit(kUnknownId), kInvalidArgument);
    EXPECT_TRUE(handler.edits.empty());
}

TEST_F(EditControllerTest, SetParamNormalizedClampsRefusesNaNAndNotifiesOnce)
{
    ChangeCounter counter(controller->parameter(kGainId));
    EXPECT_EQ(controller->setParamNormalized(kGainId, kNaN), kInvalidArgument);
    EXPECT_EQ(controller->getParamNormalized(kGainId), 0.5);
    EXPECT_EQ(controller->setParamNormalized(kGainId, 2.), kResultOk);
    EXPECT_EQ(controller->getParamNormalized(kGainId), 1.);
    EXPECT_EQ(controller->setParamNormalized(kGainId, 1.), kResultOk);
    EXPECT_EQ(counter.count, 1);
}

TEST_F(EditControllerTest, EditsReachTheComponentHandler)
{
    EXPECT_EQ(controller->beginEdit(kGainId), kResultFalse);  // no handler yet

    ASSERT_EQ(controller->setComponentHandler(&handler), kResultTrue);
    EXPECT_EQ(controller->beginEdit(kGainId), kResultOk);
    EXPECT_EQ(controller->performEdit(kGainId, 0.25), kResultOk);
    EXPECT_EQ(controller->performEdit(kGainId, 1.5), kResultOk);
    EXPECT_EQ(controller->performEdit(kGainId, kNaN), kInvalidArgument);
    handler.answer = kResultFalse;
    EXPECT_EQ(controller->endEdit(kGainId), kResultFalse);  // the host's answer comes back

    const std::vector<RecordingHandler::Edit> expected = {{Kind::begin, kGainId, 0.},
                                                          {Kind::perform, kGainId, 0.25},
                                                          {Kind::perform, kGainId, 1.},
                                                          {Kind::end, kGainId, 0.}};
    EXPECT_EQ(handler.edits, expected);
}

TEST_F(EditControllerTest, ComponentHandlerIsHeldByOneReference)
{
    RecordingHandler other;
    EXPECT_EQ(controller->setComponentHandler(&handler), kResultTrue);
    EXPECT_EQ(handler.references, 2u);
    EXPECT_EQ(controller->setComponentHandler(&handler), kResultTrue);
    EXPECT_EQ(handler.references, 2u);
    EXPECT_EQ(controller->setComponentHandler(&other), kResultTrue);
    EXPECT_EQ(handler.references, 1u);
    EXPECT_EQ(other.references, 2u);
    EXPECT_EQ(controller->setComponentHandler(nullptr), kResultTrue);
    EXPECT_EQ(other.references, 1u);

    controller->setComponentHandler(&handler);
    controller.reset();  // a controller the host never terminated still lets go
    EXPECT_EQ(handler.references, 1u);
}

TEST_F(EditControllerTest, TerminateRemovesParametersAndTheHandler)
{
    controller->setComponentHandler(&handler);
    EXPECT_EQ(controller->terminate(), kResultOk);
    EXPECT_EQ(controller->getParameterCount(), 0);
    EXPECT_EQ(handler.references, 1u);
    EXPECT_EQ(controller->performEdit(kGainId, 0.5), kResultFalse);

    ASSERT_EQ(controller->initialize(nullptr), kResultOk);
    EXPECT_EQ(controller->getParameterCount(), 2);
}

TEST_F(EditControllerTest, StateAndEditorAreNotProvidedByTheBase)
{
    EXPECT_EQ(controller->setComponentState(nullptr), kNotImplemented);
    EXPECT_EQ(controller->setState(nullptr), kNotImplemented);
    EXPECT_EQ(controller->getState(nullptr), kNotImplemented);
    EXPECT_EQ(controller->createView("editor"), nullptr);
    EXPECT_EQ(controller->createView(nullptr), nullptr);
    EXPECT_EQ(controller->openHelp(false), kResultFalse);
    EXPECT_EQ(controller->openAboutBox(true), kResultFalse);
}

TEST_F(EditControllerTest, InterfacesShareOneIdentity)
{
    FUnknown* identity = nullptr;
    ASSERT_EQ(controller->queryInterface(FUnknown::iid, reinterpret_cast<void**>(&identity)), kResultOk);
    for (const FUID& iid : {IEditController::iid, IEditController2::iid, IPluginBase::iid,
                            IConnectionPoint::iid, IDependent::iid}) {
        FUnknown* asInterface = nullptr;
        ASSERT_EQ(controller->queryInterface(iid, reinterpret_cast<void**>(&asInterface)), kResultOk);
        FUnknown* back = nullptr;
        ASSERT_EQ(asInterface->queryInterface(FUnknown::iid, reinterpret_cast<void**>(&back)), kResultOk);
        EXPECT_EQ(back, identity);
        back->release();
        asInterface->release();
    }
    identity->release();

    void* none = &handler;
    EXPECT_EQ(controller->queryInterface(IComponentHandler::iid, &none), kNoInterface);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(controller->getRefCount(), 1);
}

TEST_F(EditControllerTest, BothPluginBasePathsReachTheSubclassOverride)
{
    auto* asPluginBase = queryInterfaceOf<IPluginBase>(static_cast<IEditController*>(controller.get()));
    ASSERT_NE(asPluginBase, nullptr);
    IEditController* asEditController = controller.get();

    EXPECT_EQ(asPluginBase->initialize(nullptr), kResultFalse);  // already initialized
    EXPECT_EQ(asEditController->initialize(nullptr), kResultFalse);
    EXPECT_EQ(controller->initializeCalls, 3);
    EXPECT_EQ(controller->getParameterCount(), 2);
    asPluginBase->release();
}

TEST_F(EditControllerTest, NoExceptionLeavesAnInterfaceCall)
{
    ASSERT_NE(controller->add(new ThrowingParameter), nullptr);

    String128 buffer{};
    ParamValue value = -1.;
    std::u16string typed = u"1";
    EXPECT_EQ(controller->getParamStringByValue(30, 0.5, buffer), kInternalError);
    EXPECT_EQ(controller->getParamValueByString(30, typed.data(), value), kOutOfMemory);
    EXPECT_EQ(controller->normalizedParamToPlain(30, 0.5), 0.5);
    EXPECT_EQ(controller->plainParamToNormalized(30, 7.), 7.);
    EXPECT_EQ(controller->setParamNormalized(30, 0.9), kInternalError);
}

class KnobModeTest : public ::testing::Test {
protected:
    // The mode is process-wide; leave it as the other tests found it.
    void TearDown() override { first->setKnobMode(saved); }

    KnobMode saved = EditController::getHostKnobMode();
    IPtr<EditController> first = owned(new EditController);
    IPtr<EditController> second = owned(new EditController);
};

TEST_F(KnobModeTest, OneModeForEveryController)
{
    IEditController2* firstInterface = first.get();
    IEditController2* secondInterface = second.get();
    EXPECT_EQ(firstInterface->setKnobMode(kLinearMode), kResultTrue);
    EXPECT_EQ(EditController::getHostKnobMode(), kLinearMode);
    EXPECT_EQ(secondInterface->setKnobMode(kRelativCircularMode), kResultTrue);
    EXPECT_EQ(EditController::getHostKnobMode(), kRelativCircularMode);
}

TEST_F(KnobModeTest, ModesThatDoNotExistAreRefused)
{
    first->setKnobMode(kCircularMode);
    for (KnobMode bad : {-1, 3, 1000}) {
        EXPECT_EQ(first->setKnobMode(bad), kInvalidArgument) << bad;
        EXPECT_EQ(EditController::getHostKnobMode(), kCircularMode);
    }
}

}  // namespace
}  // namespace Steinberg::Vst
