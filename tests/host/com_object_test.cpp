// Reference counting and interface queries, for the helper and every host object.
#include <gtest/gtest.h>

#include "sdk/vst3/interfaces/all.h"
#include "tools/host/com_object.h"
#include "tools/host/component_handler.h"
#include "tools/host/host_application.h"
#include "tools/host/memory_stream.h"
#include "tools/host/parameter_changes.h"

namespace {
using namespace Steinberg;
using morvik::host::ComObject;
using morvik::host::create;

class TwoInterfaces : public ComObject<IPlugFrame, Linux::ITimerHandler> {
public:
    explicit TwoInterfaces(bool& destroyed) : destroyed(destroyed) {}
    ~TwoInterfaces() override { destroyed = true; }

    tresult resizeView(IPlugView*, ViewRect*) override { return kResultOk; }
    void onTimer() override {}

private:
    bool& destroyed;
};

TEST(ComObject, CountsFromOneAndDeletesAtZero)
{
    bool destroyed = false;
    auto* object = new TwoInterfaces(destroyed);
    EXPECT_EQ(object->addRef(), 2u);
    EXPECT_EQ(object->release(), 1u);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(object->release(), 0u);
    EXPECT_TRUE(destroyed);
}

TEST(ComObject, AnswersEachInterfaceWithItsOwnPointerAndFUnknownWithTheFirst)
{
    bool destroyed = false;
    auto object = create<TwoInterfaces>(destroyed);
    void* answer = nullptr;

    ASSERT_EQ(object->queryInterface(Linux::ITimerHandler::iid, &answer), kResultOk);
    EXPECT_EQ(answer, static_cast<Linux::ITimerHandler*>(object.get()));
    static_cast<Linux::ITimerHandler*>(answer)->release();

    ASSERT_EQ(object->queryInterface(FUnknown::iid, &answer), kResultOk);
    EXPECT_EQ(answer, static_cast<FUnknown*>(static_cast<IPlugFrame*>(object.get())));
    static_cast<FUnknown*>(answer)->release();

    EXPECT_EQ(object->addRef(), 2u) << "each successful query must add exactly one reference";
    object->release();
}

TEST(ComObject, RefusesUnknownAndMissingIds)
{
    bool destroyed = false;
    auto object = create<TwoInterfaces>(destroyed);
    void* answer = &destroyed;
    EXPECT_EQ(object->queryInterface(IBStream::iid, &answer), kNoInterface);
    EXPECT_EQ(answer, nullptr);
    answer = &destroyed;
    EXPECT_EQ(object->queryInterface(nullptr, &answer), kNoInterface);
    EXPECT_EQ(answer, nullptr);
    EXPECT_EQ(object->queryInterface(IPlugFrame::iid, nullptr), kInvalidArgument);
    EXPECT_EQ(object->addRef(), 2u) << "failed queries must not add references";
    object->release();
}

// Every host object, reached through the interface it exists for.
template <class Object, class Interface>
struct HostObject {
    using Type = Object;
    using Offered = Interface;
};

template <class T>
class HostObjects : public ::testing::Test {
};

using AllHostObjects =
    ::testing::Types<HostObject<morvik::host::HostApplication, Vst::IHostApplication>,
                     HostObject<morvik::host::MemoryStream, IBStream>,
                     HostObject<morvik::host::ParameterChanges, Vst::IParameterChanges>,
                     HostObject<morvik::host::RecordingComponentHandler, Vst::IComponentHandler>>;
TYPED_TEST_SUITE(HostObjects, AllHostObjects);

TYPED_TEST(HostObjects, AnswerTheirInterfaceAndFUnknownOnly)
{
    using Interface = typename TypeParam::Offered;
    auto object = create<typename TypeParam::Type>();
    Interface* offered = object.get();

    void* answer = nullptr;
    ASSERT_EQ(offered->queryInterface(Interface::iid, &answer), kResultOk);
    EXPECT_EQ(answer, offered);
    offered->release();
    ASSERT_EQ(offered->queryInterface(FUnknown::iid, &answer), kResultOk);
    EXPECT_EQ(answer, static_cast<FUnknown*>(offered));
    offered->release();

    answer = offered;
    EXPECT_EQ(offered->queryInterface(Vst::IComponent::iid, &answer), kNoInterface);
    EXPECT_EQ(answer, nullptr);
    EXPECT_EQ(offered->addRef(), 2u);
    EXPECT_EQ(offered->release(), 1u);
}

TEST(HostObjects, ParameterQueueAnswersItsInterface)
{
    auto changes = create<morvik::host::ParameterChanges>();
    Vst::ParamID id = 3;
    int32 index = -1;
    Vst::IParamValueQueue* queue = changes->addParameterData(id, index);
    ASSERT_NE(queue, nullptr);
    void* answer = nullptr;
    ASSERT_EQ(queue->queryInterface(Vst::IParamValueQueue::iid, &answer), kResultOk);
    EXPECT_EQ(answer, queue);
    queue->release();
    EXPECT_EQ(queue->queryInterface(Vst::IParameterChanges::iid, &answer), kNoInterface);
    EXPECT_EQ(answer, nullptr);
}

}  // namespace
