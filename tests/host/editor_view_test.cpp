// The editor as a host asks for it through the bundle's controller: only the
// name "editor" gives one, at the description's fixed size, for X11 embedding.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sdk/vst3/interfaces/all.h"
#include "tests/host/bundle_location.h"
#include "tools/host/factory.h"
#include "tools/host/host_application.h"
#include "tools/host/module.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace morvik::host;

TEST(EditorView, OnlyTheNameEditorGivesAViewOfTheDescriptionsSize)
{
    std::string error;
    auto module = Module::load(morvik::testing::bundleUnderTest(), error);
    ASSERT_TRUE(module) << error;
    auto component = createComponent(module->factory());
    ASSERT_TRUE(component);
    auto controller = createController(module->factory(), *component);
    ASSERT_TRUE(controller);
    ASSERT_EQ(controller->initialize(create<HostApplication>().get()), kResultOk);

    for (const char* name : {"Editor", "view", static_cast<const char*>(nullptr)})
        EXPECT_EQ(controller->createView(name), nullptr) << (name ? name : "(null)");

    IPtr<IPlugView> view = owned(controller->createView("editor"));
    ASSERT_TRUE(view);
    EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultTrue);
    ViewRect size;
    ASSERT_EQ(view->getSize(&size), kResultTrue);  // the bundle's description was found and read
    EXPECT_EQ(size.getWidth(), 520);
    EXPECT_EQ(size.getHeight(), 384);
    EXPECT_EQ(view->canResize(), kResultFalse);
    view = nullptr;
    EXPECT_EQ(controller->terminate(), kResultOk);
}

}  // namespace
