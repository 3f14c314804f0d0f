// The about box's sub-controller with real labels and buttons, verified and
// deleted in the orders an editor's view tree uses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/vstgui/lib/controls/cbuttons.h"
#include "sdk/vstgui/lib/controls/ctextlabel.h"
#include "sdk/vstgui/uidescription/uiattributes.h"
#include "source/controller/architecturelabel.h"
#include "source/controller/plugaboutcontroller.h"
#include "source/controller/plugcontroller.h"

namespace Steinberg::Vst {
namespace {

using VSTGUI::COnOffButton;
using VSTGUI::CRect;
using VSTGUI::CTextLabel;
using VSTGUI::CView;
using VSTGUI::SharedPointer;
using AboutController = PlugController::AboutController;

std::string aboutText(const char* format)
{
    return std::string("1.1.0, ") + format + " " + architectureLabel(runningArchitecture()) + "  ";
}

class AboutBox : public ::testing::Test {
protected:
    void TearDown() override
    {
        // The view tree's order: the about box's views go first, then its sub-controller.
        views.clear();
        delete about;
        controller->release();
    }

    AboutController* makeAbout(bool isAU = false)
    {
        auto* made = new AboutController(controller, isAU);
        controller->addAboutController(made);
        return made;
    }

    CTextLabel* verifyLabel(AboutController* target)
    {
        auto* label = new CTextLabel(CRect(0, 0, 200, 20), "placeholder");
        return verify(target, label);
    }

    // As the view factory builds it: the sub-controller is the button's main listener too.
    COnOffButton* verifyButton(AboutController* target, float value)
    {
        auto* button = new COnOffButton(CRect(0, 0, 20, 20), target);
        button->setValue(value);
        return verify(target, button);
    }

    template <class View>
    View* verify(AboutController* target, View* view)
    {
        views.push_back(VSTGUI::owned<CView>(view));
        EXPECT_EQ(target->verifyView(view, attributes, nullptr), view);
        return view;
    }

    static void press(COnOffButton* button, float value)
    {
        button->setValue(value);
        button->valueChanged();
    }

    PlugController* controller = new PlugController();
    AboutController* about = makeAbout();
    VSTGUI::UIAttributes attributes;
    std::vector<SharedPointer<CView>> views;
};

TEST_F(AboutBox, ShowsTheAboutTextWhileTheButtonIsOn)
{
    CTextLabel* label = verifyLabel(about);
    EXPECT_EQ(label->getText(), "");
    COnOffButton* button = verifyButton(about, 1.f);
    EXPECT_EQ(label->getText(), aboutText("VST3"));
    press(button, 0.f);
    EXPECT_EQ(label->getText(), "");
    press(button, 1.f);
    EXPECT_EQ(label->getText(), aboutText("VST3"));
    EXPECT_EQ(about->verifyView(nullptr, attributes, nullptr), nullptr);
}

TEST_F(AboutBox, NamesTheAudioUnitFormatInsideTheWrapper)
{
    AboutController* wrapped = makeAbout(true);
    CTextLabel* label = verifyLabel(wrapped);
    verifyButton(wrapped, 1.f);
    EXPECT_EQ(label->getText(), aboutText("AU"));
    views.clear();
    delete wrapped;
}

#if defined(__x86_64__)
TEST_F(AboutBox, NamesThisPlatformOnAnX86Build)
{
    CTextLabel* label = verifyLabel(about);
    verifyButton(about, 1.f);
    EXPECT_EQ(label->getText(), "1.1.0, VST3 x86_64-Linux  ");
}
#endif

TEST_F(AboutBox, UsesTheLastLabelAndTheLastButtonVerified)
{
    CTextLabel* firstLabel = verifyLabel(about);
    CTextLabel* lastLabel = verifyLabel(about);
    COnOffButton* firstButton = verifyButton(about, 0.f);
    COnOffButton* lastButton = verifyButton(about, 0.f);

    press(firstButton, 1.f);
    EXPECT_EQ(lastLabel->getText(), "");
    press(lastButton, 1.f);
    EXPECT_EQ(lastLabel->getText(), aboutText("VST3"));
    EXPECT_EQ(firstLabel->getText(), "");
}

TEST_F(AboutBox, AButtonVerifiedBeforeTheLabelShowsFromItsNextChange)
{
    COnOffButton* button = verifyButton(about, 1.f);
    CTextLabel* label = verifyLabel(about);
    EXPECT_EQ(label->getText(), "");
    press(button, 0.f);
    press(button, 1.f);
    EXPECT_EQ(label->getText(), aboutText("VST3"));
}

TEST_F(AboutBox, ForgetsViewsDeletedBeforeIt)
{
    CTextLabel* label = verifyLabel(about);
    verifyButton(about, 1.f);
    views.pop_back();  // the button goes first
    EXPECT_EQ(label->getText(), aboutText("VST3"));
    views.clear();
    // TearDown deletes the sub-controller, which must not reach the deleted views.
}

TEST_F(AboutBox, ViewsOutlivingItNoLongerCallIt)
{
    verifyLabel(about);
    COnOffButton* button = verifyButton(about, 1.f);
    button->setListener(nullptr);
    delete about;
    about = nullptr;
    press(button, 0.f);  // reaches no sub-listener
}

TEST_F(AboutBox, LeavesTheControllersListWhenDeleted)
{
    AboutController* second = makeAbout();
    AboutController* third = makeAbout();
    ASSERT_EQ(controller->getAboutControllers(), (std::vector<AboutController*>{about, second, third}));
    delete second;
    EXPECT_EQ(controller->getAboutControllers(), (std::vector<AboutController*>{about, third}));
    delete third;
}

}  // namespace
}  // namespace Steinberg::Vst
