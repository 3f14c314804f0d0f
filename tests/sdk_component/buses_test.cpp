// Bus descriptions, bus arrangements and the processing set-up of AudioEffect.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/sdk_component/testeffect.h"

namespace Steinberg::Vst {
namespace {

using morvik::testing::DoublePrecisionEffect;
using morvik::testing::StereoEffect;

class InitializedEffect : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(effect->initialize(nullptr), kResultOk); }

    SpeakerArrangement arrangement(BusDirection dir)
    {
        SpeakerArrangement result = 0;
        EXPECT_EQ(effect->getBusArrangement(dir, 0, result), kResultOk);
        return result;
    }

    IPtr<StereoEffect> effect = owned(new StereoEffect);
};

TEST_F(InitializedEffect, BusInfoDescribesEachBus)
{
    BusInfo info{};
    ASSERT_EQ(effect->getBusInfo(kAudio, kOutput, 0, info), kResultOk);
    EXPECT_EQ(info.mediaType, kAudio);
    EXPECT_EQ(info.direction, kOutput);
    EXPECT_EQ(info.channelCount, 2);
    EXPECT_EQ(std::u16string(info.name), u"AudioOutput");
    EXPECT_EQ(info.busType, kMain);
    EXPECT_EQ(info.flags, static_cast<uint32>(BusInfo::kDefaultActive));

    ASSERT_EQ(effect->getBusInfo(kAudio, kInput, 0, info), kResultOk);
    EXPECT_EQ(info.direction, kInput);
    EXPECT_EQ(std::u16string(info.name), u"AudioInput");
}

TEST_F(InitializedEffect, BusesThatDoNotExistAreInvalidArguments)
{
    struct Case {
        MediaType type;
        BusDirection dir;
        int32 index;
    };
    for (const Case& c : {Case{kAudio, kInput, 1}, Case{kAudio, kOutput, -1}, Case{kEvent, kInput, 0},
                          Case{kAudio, 7, 0}, Case{-1, kInput, 0}}) {
        BusInfo info{};
        SpeakerArrangement arr = 0;
        EXPECT_EQ(effect->getBusInfo(c.type, c.dir, c.index, info), kInvalidArgument);
        EXPECT_EQ(effect->activateBus(c.type, c.dir, c.index, true), kInvalidArgument);
        if (c.type == kAudio) {
            EXPECT_EQ(effect->getBusArrangement(c.dir, c.index, arr), kInvalidArgument);
        }
    }
    EXPECT_EQ(effect->getBusCount(kEvent, kInput), 0);
    EXPECT_EQ(effect->getBusCount(kAudio, 7), 0);
}

TEST_F(InitializedEffect, ActivateBusSwitchesThatBusOnly)
{
    EXPECT_EQ(effect->activateBus(kAudio, kOutput, 0, true), kResultOk);
    EXPECT_TRUE(effect->getAudioOutput(0)->isActive());
    EXPECT_FALSE(effect->getAudioInput(0)->isActive());
    EXPECT_EQ(effect->activateBus(kAudio, kOutput, 0, false), kResultOk);
    EXPECT_FALSE(effect->getAudioOutput(0)->isActive());
}

TEST_F(InitializedEffect, LongBusNamesAreCutToFit)
{
    const std::u16string longName(300, u'x');
    ASSERT_NE(effect->addAudioInput(longName.c_str(), SpeakerArr::kMono), nullptr);
    BusInfo info{};
    ASSERT_EQ(effect->getBusInfo(kAudio, kInput, 1, info), kResultOk);
    EXPECT_EQ(std::u16string(info.name), std::u16string(127, u'x'));
    EXPECT_EQ(info.channelCount, 1);
}

struct ArrangementCase {
    const char* name;
    std::vector<SpeakerArrangement> inputs;
    int32 numIns;
    std::vector<SpeakerArrangement> outputs;
    int32 numOuts;
    tresult expected;
    SpeakerArrangement inputAfter;
};

void PrintTo(const ArrangementCase& row, std::ostream* out)
{
    *out << row.name;
}

class BusArrangements : public InitializedEffect, public ::testing::WithParamInterface<ArrangementCase> {};

TEST_P(BusArrangements, AreStoredWholeOrNotAtAll)
{
    const ArrangementCase& c = GetParam();
    std::vector<SpeakerArrangement> inputs = c.inputs;
    std::vector<SpeakerArrangement> outputs = c.outputs;
    SpeakerArrangement* inputArray = inputs.empty() ? nullptr : inputs.data();
    SpeakerArrangement* outputArray = outputs.empty() ? nullptr : outputs.data();

    EXPECT_EQ(effect->setBusArrangements(inputArray, c.numIns, outputArray, c.numOuts), c.expected);
    EXPECT_EQ(arrangement(kInput), c.inputAfter);
}

using namespace SpeakerArr;
constexpr SpeakerArrangement kSurround = 0x3F;

INSTANTIATE_TEST_SUITE_P(
    Table, BusArrangements,
    ::testing::Values(
        ArrangementCase{"StereoInAndOut", {kStereo}, 1, {kStereo}, 1, kResultOk, kStereo},
        ArrangementCase{"NoneAtAll", {}, 0, {}, 0, kResultOk, kStereo},
        ArrangementCase{"InputOnly", {kMono}, 1, {}, 0, kResultOk, kMono},
        ArrangementCase{"NegativeInputCount", {kMono}, -1, {kStereo}, 1, kInvalidArgument, kStereo},
        ArrangementCase{"NegativeOutputCount", {kMono}, 1, {kStereo}, -1, kInvalidArgument, kStereo},
        ArrangementCase{"TwoOutputsOnOneBus", {kMono}, 1, {kStereo, kStereo}, 2, kResultFalse, kStereo},
        ArrangementCase{"TwoInputsOnOneBus", {kMono, kMono}, 2, {kStereo}, 1, kResultFalse, kStereo},
        ArrangementCase{"MissingInputArray", {}, 1, {kStereo}, 1, kInvalidArgument, kStereo},
        ArrangementCase{"MissingOutputArray", {kMono}, 1, {}, 1, kInvalidArgument, kStereo},
        ArrangementCase{"AnyArrangementIsStored", {kSurround}, 1, {kMono}, 1, kResultOk, kSurround}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProcessSetup, StartsAtRealtime32Bit1024SamplesAnd44100Hz)
{
    IPtr<StereoEffect> effect = owned(new StereoEffect);
    const ProcessSetup& setup = effect->currentSetup();
    EXPECT_EQ(setup.processMode, kRealtime);
    EXPECT_EQ(setup.symbolicSampleSize, kSample32);
    EXPECT_EQ(setup.maxSamplesPerBlock, 1024);
    EXPECT_EQ(setup.sampleRate, 44100.0);
}

TEST(ProcessSetup, RefusedSampleSizeKeepsTheOldOneButTakesTheRest)
{
    IPtr<StereoEffect> effect = owned(new StereoEffect);
    for (int32 refused : {int32{kSample64}, 2, -1}) {
        ProcessSetup wanted{kOffline, refused, 512, 96000.0};
        EXPECT_EQ(effect->setupProcessing(wanted), kResultFalse);
        const ProcessSetup& setup = effect->currentSetup();
        EXPECT_EQ(setup.symbolicSampleSize, kSample32);
        EXPECT_EQ(setup.processMode, kOffline);
        EXPECT_EQ(setup.maxSamplesPerBlock, 512);
        EXPECT_EQ(setup.sampleRate, 96000.0);
    }
}

// setupProcessing must ask the subclass, not the base, which sizes it takes.
TEST(ProcessSetup, SampleSizeFollowsTheSubclassesAnswer)
{
    IPtr<DoublePrecisionEffect> effect = owned(new DoublePrecisionEffect);
    ProcessSetup wanted{kRealtime, kSample64, 256, 48000.0};
    EXPECT_EQ(effect->setupProcessing(wanted), kResultOk);
    EXPECT_EQ(effect->currentSetup().symbolicSampleSize, kSample64);

    wanted.symbolicSampleSize = 2;
    EXPECT_EQ(effect->setupProcessing(wanted), kResultFalse);
    EXPECT_EQ(effect->currentSetup().symbolicSampleSize, kSample64);
}

TEST(ProcessSetup, BaseTakes32BitSamplesOnly)
{
    IPtr<StereoEffect> effect = owned(new StereoEffect);
    EXPECT_EQ(effect->canProcessSampleSize(kSample32), kResultTrue);
    for (int32 size : {int32{kSample64}, 2, -1})
        EXPECT_EQ(effect->canProcessSampleSize(size), kResultFalse) << size;
}

}  // namespace
}  // namespace Steinberg::Vst
