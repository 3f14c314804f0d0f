// The bundle short of memory, as a host meets it: every allocation of a call fails
// in turn, and each failure must be reported and leave nothing half made.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// initialize with each of its allocations failing in turn: kOutOfMemory with nothing
// made (made() all zeros), and the same object initializes whole once memory is back.
template <class Object, class Made>
void expectInitializeWholeOrNone(Object& object, Made made, const std::vector<int32>& whole)
{
    auto context = create<HostApplication>();
    const std::vector<int32> none(whole.size(), 0);
    for (long index = 0;; ++index) {
        SCOPED_TRACE(index);
        bool failed = false;
        const tresult result = callFailingAt(index, failed, [&] { return object.initialize(context.get()); });
        if (!failed) {
            EXPECT_EQ(result, kResultOk);
            EXPECT_EQ(made(object), whole);
            break;
        }
        EXPECT_EQ(result, kOutOfMemory);
        EXPECT_EQ(made(object), none);
        ASSERT_EQ(object.initialize(context.get()), kResultOk);
        EXPECT_EQ(made(object), whole);
        ASSERT_EQ(object.terminate(), kResultOk);
    }
    object.terminate();
}

TEST(OutOfMemory, InitializeAddsBothBusesOrNoneAndCanBeRetried)
{
    std::string error;
    auto module = Module::load(morvik::testing::bundleUnderTest(), error);
    ASSERT_TRUE(module) << error;
    auto component = createComponent(module->factory());
    ASSERT_TRUE(component);
    expectInitializeWholeOrNone(
        *component,
        [](IComponent& c) {
            return std::vector<int32>{c.getBusCount(kAudio, kInput), c.getBusCount(kAudio, kOutput)};
        },
        {1, 1});
}

TEST(OutOfMemory, ControllerInitializeRegistersEveryParameterOrNoneAndCanBeRetried)
{
    std::string error;
    auto module = Module::load(morvik::testing::bundleUnderTest(), error);
    ASSERT_TRUE(module) << error;
    const auto cid = findClass(module->factory(), kComponentControllerClass);
    ASSERT_TRUE(cid);
    auto controller = createController(module->factory(), *cid);
    ASSERT_TRUE(controller);
    expectInitializeWholeOrNone(
        *controller, [](IEditController& c) { return std::vector<int32>{c.getParameterCount()}; }, {8});
}

// A host's first two calls to the editor, createView and getSize, with each allocation
// in turn failing: never an exception, and either no view or one that answers its size,
// at once or, with memory back, when asked again.
TEST(OutOfMemory, TheEditorsViewAndItsSizeComeWholeOrNotAtAll)
{
    std::string error;
    auto module = Module::load(morvik::testing::bundleUnderTest(), error);
    ASSERT_TRUE(module) << error;
    const auto cid = findClass(module->factory(), kComponentControllerClass);
    ASSERT_TRUE(cid);
    auto controller = createController(module->factory(), *cid);
    ASSERT_TRUE(controller);
    ASSERT_EQ(controller->initialize(create<HostApplication>().get()), kResultOk);
    for (long index = 0;; ++index) {
        SCOPED_TRACE(index);
        IPtr<IPlugView> view;
        ViewRect size;
        tresult sized = kResultFalse;
        bool failed = false;
        {
            FailingAllocation failure(index);
            EXPECT_NO_THROW({
                view = owned(controller->createView("editor"));
                if (view)
                    sized = view->getSize(&size);
            });
            failed = failure.failed();
        }
        if (!failed) {
            ASSERT_TRUE(view);
            EXPECT_EQ(sized, kResultTrue);
            break;
        }
        if (view && sized != kResultTrue) {
            EXPECT_EQ(sized, kResultFalse);
            EXPECT_EQ(view->getSize(&size), kResultTrue);
        }
        if (view)
            EXPECT_EQ(size.getWidth(), 520);
    }
    EXPECT_EQ(controller->terminate(), kResultOk);
}

}  // namespace
