// The controller's editor hooks: which names open an editor or an about box,
// the knob mode an editor leaves, and how the about box learns the host's format.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sdk/vst3/interfaces/hostapplication.h"
#include "sdk/vst3/interfaces/plugview.h"
#include "sdk/vstgui/lib/controls/cbuttons.h"
#include "sdk/vstgui/lib/controls/ctextlabel.h"
#include "sdk/vstgui/lib/platform/platform.h"
#include "sdk/vstgui/uidescription/uiattributes.h"
#include "source/controller/architecturelabel.h"
#include "source/controller/plugaboutcontroller.h"
#include "source/controller/plugcontroller.h"
#include "tools/host/host_application.h"

namespace Steinberg::Vst {
namespace {

using AboutController = PlugController::AboutController;

uint32 referenceCount(FUnknown* object)
{
    object->addRef();
    return object->release();
}

class ControllerEditorHooks : public ::testing::Test {
protected:
    void start(FUnknown* context)
    {
        VSTGUI::setPlatformResourceFolder(MORVIK_RESOURCE_DIR);
        controller = Steinberg::owned(new PlugController());
        ASSERT_EQ(controller->initialize(context), kResultOk);
    }
    void TearDown() override
    {
        if (controller)
            controller->terminate();
        VSTGUI::setPlatformResourceFolder("");
    }

    // What the about box of a new sub-controller shows with its button on.
    std::string aboutTextOf(VSTGUI::IController* about)
    {
        VSTGUI::UIAttributes attributes;
        auto label = VSTGUI::makeOwned<VSTGUI::CTextLabel>(VSTGUI::CRect(0, 0, 200, 20));
        auto button = VSTGUI::makeOwned<VSTGUI::COnOffButton>(VSTGUI::CRect(0, 0, 20, 20));
        button->setValue(1.f);
        about->verifyView(label, attributes, nullptr);
        about->verifyView(button, attributes, nullptr);
        return label->getText();
    }

    IPtr<PlugController> controller;
};

TEST_F(ControllerEditorHooks, OnlyEditorOpensAnEditorAndSetsTheLinearKnobMode)
{
    start(nullptr);
    for (const char* name : {"Editor", "editor ", "", static_cast<const char*>(nullptr)}) {
        controller->setKnobMode(kCircularMode);
        EXPECT_EQ(controller->createView(name), nullptr) << (name ? name : "(null)");
        EXPECT_EQ(EditController::getHostKnobMode(), kCircularMode);
    }

    IPtr<IPlugView> first = Steinberg::owned(controller->createView("editor"));
    ASSERT_TRUE(first);
    EXPECT_EQ(EditController::getHostKnobMode(), kLinearMode);
    EXPECT_EQ(first->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultTrue);
    IPtr<IPlugView> second = Steinberg::owned(controller->createView("editor"));
    EXPECT_TRUE(second);
    EXPECT_NE(first.get(), second.get());
}

TEST_F(ControllerEditorHooks, EachAboutControllerJoinsTheListAndLeavesItWhenDeleted)
{
    start(nullptr);
    for (const char* name : {"aboutcontroller", "About", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ(controller->createSubController(name, nullptr), nullptr) << (name ? name : "(null)");
    EXPECT_TRUE(controller->getAboutControllers().empty());

    std::unique_ptr<VSTGUI::IController> first(controller->createSubController("AboutController", nullptr));
    std::unique_ptr<VSTGUI::IController> second(controller->createSubController("AboutController", nullptr));
    std::unique_ptr<VSTGUI::IController> third(controller->createSubController("AboutController", nullptr));
    ASSERT_TRUE(first && second && third);
    const auto about = [](const std::unique_ptr<VSTGUI::IController>& c) {
        return static_cast<AboutController*>(c.get());
    };
    EXPECT_EQ(controller->getAboutControllers(),
              (std::vector<AboutController*>{about(first), about(second), about(third)}));

    second.reset();
    EXPECT_EQ(controller->getAboutControllers(), (std::vector<AboutController*>{about(first), about(third)}));
}

TEST_F(ControllerEditorHooks, TheAboutBoxNamesTheFormatTheHostContextOffers)
{
    const std::string architecture = architectureLabel(runningArchitecture());
    struct Case {
        IPtr<morvik::host::HostApplication> context;
        std::string format;
    };
    Case cases[] = {
        {nullptr, "VST3"},
        {morvik::host::create<morvik::host::HostApplication>(), "VST3"},
        {morvik::host::create<morvik::host::HostApplication>(IVst3ToAUWrapper::iid), "AU"},
    };
    for (Case& c : cases) {
        start(c.context);
        const uint32 before = c.context ? referenceCount(c.context) : 0;
        std::unique_ptr<VSTGUI::IController> about(
            controller->createSubController("AboutController", nullptr));
        ASSERT_TRUE(about);
        if (c.context) {
            EXPECT_EQ(referenceCount(c.context), before) << "the wrapper interface is released at once";
        }
        EXPECT_EQ(aboutTextOf(about.get()), "1.1.0, " + c.format + " " + architecture + "  ");
        about.reset();
        controller->terminate();
        controller = nullptr;
    }
}

}  // namespace
}  // namespace Steinberg::Vst
