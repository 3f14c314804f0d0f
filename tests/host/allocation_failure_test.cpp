// The bundle short of memory, as a host meets it: every allocation of a call fails
// in turn, and each failure must be reported and leave nothing half made.
#include <gtest/gtest.h>

#include "sdk/vst3/interfaces/all.h"
#include "tests/host/failing_allocation.h"
#include "tests/host/raw_module.h"
#include "tools/host/factory.h"
#include "tools/host/host_application.h"
#include "tools/host/module.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace morvik::host;
using morvik::testing::FailingAllocation;

// The answer of `call` with allocation number `index` failing, and whether it was reached.
template <class Call>
auto callFailingAt(long index, bool& failed, Call&& call)
{
    FailingAllocation failure(index);
    auto answer = call();
    failed = failure.failed();
    return answer;
}

TEST(OutOfMemory, GetPluginFactoryHandsOutAWholeFactoryOrNone)
{
    morvik::testing::RawModule module;
    ASSERT_TRUE(module.ready());
    for (long index = 0;; ++index) {
        SCOPED_TRACE(index);
        bool failed = false;
        IPluginFactory* factory = callFailingAt(index, failed, [&] { return module.getFactory(); });
        if (!failed) {
            ASSERT_NE(factory, nullptr);
            EXPECT_EQ(factory->countClasses(), 2);
            EXPECT_EQ(factory->release(), 0u);
            break;
        }
        if (factory) {
            EXPECT_EQ(factory->countClasses(), 2) << "a factory short of a class";
            factory->release();
            continue;
        }
        // None kept: the next call builds a whole one.
        IPluginFactory* retry = module.getFactory();
        ASSERT_NE(retry, nullptr);
        EXPECT_EQ(retry->countClasses(), 2);
        EXPECT_EQ(retry->release(), 0u);
    }
}

TEST(OutOfMemory, EachClassIsCreatedOrRefusedWithOutOfMemory)
{
    std::string error;
    auto module = Module::load(morvik::testing::bundleUnderTest(), error);
    ASSERT_TRUE(module) << error;
    struct Case {
        std::string_view category;
        FUID iid;
    };
    for (const Case& c :
         {Case{kAudioEffectClass, IComponent::iid}, Case{kComponentControllerClass, IEditController::iid}}) {
        SCOPED_TRACE(c.category);
        const auto cid = findClass(module->factory(), c.category);
        ASSERT_TRUE(cid);
        for (long index = 0;; ++index) {
            SCOPED_TRACE(index);
            void* object = nullptr;
            bool failed = false;
            const tresult result = callFailingAt(
                index, failed, [&] { return module->factory().createInstance(*cid, c.iid, &object); });
            if (!failed) {
                EXPECT_EQ(result, kResultOk);
                ASSERT_NE(object, nullptr);
                static_cast<FUnknown*>(object)->release();
                break;
            }
            EXPECT_EQ(result, kOutOfMemory);
            EXPECT_EQ(object, nullptr);
        }
    }
}

TEST(OutOfMemory, InitializeAddsBothBusesOrNoneAndCanBeRetried)
{
    std::string error;
    auto module = Module::load(morvik::testing::bundleUnderTest(), error);
    ASSERT_TRUE(module) << error;
    auto component = createComponent(module->factory());
    ASSERT_TRUE(component);
    auto context = create<HostApplication>();
    for (long index = 0;; ++index) {
        SCOPED_TRACE(index);
        bool failed = false;
        const tresult result =
            callFailingAt(index, failed, [&] { return component->initialize(context.get()); });
        if (!failed) {
            EXPECT_EQ(result, kResultOk);
            break;
        }
        EXPECT_EQ(result, kOutOfMemory);
        EXPECT_EQ(component->getBusCount(kAudio, kInput), 0);
        EXPECT_EQ(component->getBusCount(kAudio, kOutput), 0);
        // With memory back, the same processor initializes as usual.
        ASSERT_EQ(component->initialize(context.get()), kResultOk);
        EXPECT_EQ(component->getBusCount(kAudio, kInput), 1);
        EXPECT_EQ(component->getBusCount(kAudio, kOutput), 1);
        ASSERT_EQ(component->terminate(), kResultOk);
    }
    component->terminate();
}

}  // namespace
