// Lifecycle, connection and interface queries of ComponentBase/Component/AudioEffect.
#include <gtest/gtest.h>

#include <ostream>

#include "tests/sdk_component/fakes.h"
#include "tests/sdk_component/testeffect.h"

namespace Steinberg::Vst {
namespace {

using morvik::testing::HostContext;
using morvik::testing::Peer;
using morvik::testing::StereoEffect;

class ComponentLifecycle : public ::testing::Test {
protected:
    int32 inputCount() { return effect->getBusCount(kAudio, kInput); }
    int32 outputCount() { return effect->getBusCount(kAudio, kOutput); }

    HostContext context;
    Peer peer;
    IPtr<StereoEffect> effect = owned(new StereoEffect);
};

TEST_F(ComponentLifecycle, SecondInitializeFailsAndChangesNothingUntilTerminate)
{
    ASSERT_EQ(effect->initialize(&context), kResultOk);
    EXPECT_EQ(effect->initialize(&context), kResultFalse);
    EXPECT_EQ(inputCount(), 1);
    EXPECT_EQ(outputCount(), 1);
    EXPECT_EQ(context.references, 2u);

    ASSERT_EQ(effect->terminate(), kResultOk);
    EXPECT_EQ(effect->initialize(&context), kResultOk);
    EXPECT_EQ(inputCount(), 1);
}

TEST_F(ComponentLifecycle, NullContextIsAcceptedButStillCountsAsInitialized)
{
    EXPECT_EQ(effect->initialize(nullptr), kResultOk);
    EXPECT_EQ(effect->getHostContext(), nullptr);
    EXPECT_EQ(effect->initialize(nullptr), kResultFalse);
    EXPECT_EQ(inputCount(), 1);
}

TEST_F(ComponentLifecycle, TerminateRemovesBusesAndReleasesContextAndPeer)
{
    ASSERT_EQ(effect->initialize(&context), kResultOk);
    ASSERT_EQ(effect->connect(&peer), kResultOk);
    EXPECT_EQ(effect->getHostContext(), &context);
    EXPECT_EQ(context.references, 2u);
    EXPECT_EQ(peer.references, 2u);

    EXPECT_EQ(effect->terminate(), kResultOk);
    EXPECT_EQ(inputCount(), 0);
    EXPECT_EQ(outputCount(), 0);
    EXPECT_EQ(effect->getHostContext(), nullptr);
    EXPECT_EQ(context.references, 1u);
    EXPECT_EQ(peer.references, 1u);
}

TEST_F(ComponentLifecycle, LastReleaseGivesBackContextAndPeer)
{
    ASSERT_EQ(effect->initialize(&context), kResultOk);
    ASSERT_EQ(effect->connect(&peer), kResultOk);
    effect.reset();
    EXPECT_EQ(context.references, 1u);
    EXPECT_EQ(peer.references, 1u);
}

// IPluginBase sits in two vtables (ComponentBase's and IComponent's); both, and the
// one queryInterface hands out, must reach the subclass's initialize.
TEST_F(ComponentLifecycle, InitializeThroughEveryPluginBaseReachesTheOverride)
{
    IPluginBase* viaComponentBase = static_cast<ComponentBase*>(effect.get());
    IPluginBase* viaComponent = static_cast<IComponent*>(effect.get());
    IPtr<IPluginBase> queried = queryInterfacePtr<IPluginBase>(static_cast<IComponent*>(effect.get()));
    ASSERT_TRUE(queried);
    EXPECT_EQ(queried.get(), viaComponentBase);

    for (IPluginBase* base : {viaComponentBase, viaComponent, queried.get()}) {
        ASSERT_EQ(base->initialize(&context), kResultOk);
        EXPECT_EQ(inputCount(), 1);
        ASSERT_EQ(base->terminate(), kResultOk);
        EXPECT_EQ(inputCount(), 0);
    }
}

TEST_F(ComponentLifecycle, ConnectsToOnePeerAtATime)
{
    Peer other;
    EXPECT_EQ(effect->connect(nullptr), kInvalidArgument);
    EXPECT_EQ(effect->connect(&peer), kResultOk);
    EXPECT_EQ(effect->connect(&other), kResultFalse);
    EXPECT_EQ(other.references, 1u);

    EXPECT_EQ(effect->disconnect(nullptr), kInvalidArgument);
    EXPECT_EQ(effect->disconnect(&other), kResultFalse);
    EXPECT_EQ(peer.references, 2u);
    EXPECT_EQ(effect->disconnect(&peer), kResultOk);
    EXPECT_EQ(peer.references, 1u);
    EXPECT_EQ(effect->disconnect(&peer), kResultFalse);

    EXPECT_EQ(effect->connect(&other), kResultOk);
    EXPECT_EQ(effect->disconnect(&other), kResultOk);
}

TEST(ComponentMessages, NoMessageIsUnderstood)
{
    IPtr<StereoEffect> effect = owned(new StereoEffect);
    EXPECT_EQ(effect->notify(nullptr), kInvalidArgument);
}

TEST(ComponentControllerClass, AnswersTheClassItWasGiven)
{
    IPtr<StereoEffect> effect = owned(new StereoEffect);
    TUID classId{};
    EXPECT_EQ(effect->getControllerClassId(classId), kResultFalse);
    EXPECT_EQ(effect->getControllerClassId(nullptr), kInvalidArgument);

    const FUID controller(0x01234567, 0x89ABCDEF, 0xFEDCBA98, 0x76543210);
    effect->setControllerClass(controller);
    ASSERT_EQ(effect->getControllerClassId(classId), kResultOk);
    EXPECT_EQ(FUID::fromTUID(classId), controller);
}

struct AnsweredInterface {
    const char* name;
    FUID iid;
};

void PrintTo(const AnsweredInterface& row, std::ostream* out)
{
    *out << row.name;
}

class EffectInterfaces : public ::testing::TestWithParam<AnsweredInterface> {};

// Every answer adds a reference and leads back to one and the same FUnknown.
TEST_P(EffectInterfaces, AnswersWithAReferenceAndOneIdentity)
{
    IPtr<StereoEffect> effect = owned(new StereoEffect);
    FUnknown* unknown = static_cast<IComponent*>(effect.get());
    FUnknown* identity = queryInterfaceOf<FUnknown>(unknown);
    ASSERT_NE(identity, nullptr);
    const int32 before = effect->getRefCount();

    void* answer = nullptr;
    ASSERT_EQ(unknown->queryInterface(GetParam().iid, &answer), kResultOk);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(effect->getRefCount(), before + 1);
    auto* answered = static_cast<FUnknown*>(answer);
    IPtr<FUnknown> answeredIdentity = queryInterfacePtr<FUnknown>(answered);
    EXPECT_EQ(answeredIdentity.get(), identity);

    answered->release();
    identity->release();
}

INSTANTIATE_TEST_SUITE_P(All, EffectInterfaces,
                         ::testing::Values(AnsweredInterface{"FUnknown", FUnknown::iid},
                                           AnsweredInterface{"IPluginBase", IPluginBase::iid},
                                           AnsweredInterface{"IConnectionPoint", IConnectionPoint::iid},
                                           AnsweredInterface{"IComponent", IComponent::iid},
                                           AnsweredInterface{"IAudioProcessor", IAudioProcessor::iid},
                                           AnsweredInterface{"IProcessContextRequirements",
                                                             IProcessContextRequirements::iid}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EffectInterfaces, UnknownIdAnswersNoInterfaceAndClearsTheResult)
{
    IPtr<StereoEffect> effect = owned(new StereoEffect);
    FUnknown* unknown = static_cast<IComponent*>(effect.get());
    const FUID foreign(0xDEADBEEF, 1, 2, 3);
    int sentinel = 0;
    void* answer = &sentinel;
    EXPECT_EQ(unknown->queryInterface(foreign, &answer), kNoInterface);
    EXPECT_EQ(answer, nullptr);
    EXPECT_EQ(unknown->queryInterface(IComponent::iid, nullptr), kInvalidArgument);
}

}  // namespace
}  // namespace Steinberg::Vst
